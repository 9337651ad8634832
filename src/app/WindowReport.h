#pragma once

#include "ReportContent.h"

class EventsTableView;
class QGroupBox;
class QTableWidget;

// The report content as the window shows it: every row of the events table, hidden ones too,
// with its yellow flag; the users table; each value label of the configuration group with the
// caption beside it, in the current language.
ReportContent WindowReport(const EventsTableView& events, const QTableWidget& users,
                           const QGroupBox& configuration, const QString& keypadDownloadTime, bool dstApplied);
