#pragma once

#include "ConfigPresentation.h"
#include "EventRows.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What the Excel workbook and the PDF report hold: the texts as the window shows them, or as
// it would show them with no filter active. The window fills it from its widgets, the command
// line from the decoded audit.
struct ReportContent
{
    QVector<EventRow> events; // every row, hidden ones included, with its yellow "Date with DST" flag
    QVector<UserRow> users;
    QVector<ConfigItem> configuration; // the 18 pairs of the "Configuration" group, in the workbook's order
    QString keypadDownloadTime;        // "Keypad date/time at audit download:" as shown
    bool dstApplied = false;
};

// The value labels of the "Configuration" group, in the workbook's order.
QStringList ReportConfigurationLabels();

ReportContent ReportFromAudit(const QVector<EventRow>& rows, const ConfigPresentation& presentation,
                              bool dstApplied);
