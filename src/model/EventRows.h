#pragma once

#include "model/AuditRecords.h"
#include "model/EventColumns.h"

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

// The texts of events as every output shows them: one date formatter for the display settings,
// and the user and event texts of each (event, user) pair made once, so that a long history is
// written quickly. Texts follow the language installed when it was made.
class EventTexts
{
public:
    explicit EventTexts(const DisplaySettings& settings);
    ~EventTexts();
    EventTexts(const EventTexts&) = delete;
    EventTexts& operator=(const EventTexts&) = delete;

    QString date(qint64 seconds) const;
    QString user(int event, int user) const;
    QString event(int event, int user) const;
    QString device(quint8 device) const;

private:
    struct Cache;
    Cache* m_cache;
};
