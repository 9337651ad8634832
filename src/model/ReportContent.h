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
};

// The value labels of the "Configuration" group, in the workbook's order.
QStringList ReportConfigurationLabels();

ReportContent ReportFromView(const AuditView& view);
