#pragma once

#include "AuditRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The date and hour format settings, passed in by the caller.
struct DisplaySettings
{
    int dateFormat = 0;
    int hourFormat = 0;
};

// Date-time pattern for the two settings (never translated).
QString DatePattern(const DisplaySettings& settings);

// The lock's clock reading for an audit time: 2000-01-01 00:00:00 plus the seconds, held as
// UTC so that no zone conversion ever touches it. Invalid when out of range.
QDateTime AuditDateTime(qint64 seconds);

// Date cell text of an event time: empty for 0 and for any date in the year 2000, which is
// where a lock whose clock was never set starts counting.
QString FormatAuditTime(qint64 seconds, const DisplaySettings& settings);

// Any date-time in the chosen pattern, without the year-2000 rule; empty when invalid.
QString FormatDateTime(const QDateTime& dateTime, const DisplaySettings& settings);

// Event vocabulary, translated in the "MainWindow" context.
QString DeviceText(quint8 device);
QString UserText(int event, int user);
QString EventText(int event, int user);

// One row of the events table, column by column.
struct EventRow
{
    QString number;
    QString device;
    QString date;
    QString dstDate;
    QString user;
    QString event;
    QString eventId;
    bool dstHighlight = false;
};

// Builds one row per merged event and stores each event's row number ("1", "2", ...).
// With the DST correction applied, marked events and events without a DST date are
// highlighted.
QVector<EventRow> BuildEventRows(QList<EventsTable>& merged, const DisplaySettings& settings,
                                 bool dstApplied);

// "#", "Device", "Date", "Date with DST", "User", "Event", "Event ID", translated.
QStringList EventColumnHeaders();
