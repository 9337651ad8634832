#pragma once

#include "AuditView.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What the Excel workbook and the PDF report hold: the texts of an audit view, every row with its
// yellow "Date with DST" flag, as the window shows them with no filter active.
struct ReportContent
{
    QVector<EventRow> events;
    QVector<UserRow> users;
    QVector<ConfigItem> configuration; // the 18 pairs of the "Configuration" group, in the workbook's order
    QString keypadDownloadTime;        // "Keypad date/time at audit download:" as shown
    bool dstApplied = false;
    // For a lock's history: the lock and the span of its visits; empty for a single audit.
    QString title;
};

// The value labels of the "Configuration" group, in the workbook's order.
QStringList ReportConfigurationLabels();

ReportContent ReportFromView(const AuditView& view);

// "Lock SERIAL NAME: N visits, FIRST to LAST", with the dates in the view's format.
QString HistoryTitle(const AuditView& view);
// A file name to suggest for a history's export: "SERIAL NAME FIRST to LAST.EXTENSION", dates as
// yyyy-MM-dd, without characters a file name may not hold.
QString HistoryFileName(const AuditView& view, const QString& extension);
