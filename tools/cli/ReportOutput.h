#pragma once

#include "AuditCli.h"
#include "model/DstCorrection.h"

#include <QTextStream>

#include <functional>

struct ReportContent;

// The command line's workbook and PDF outputs and its daylight-saving rule.
namespace cli {

// RULE is N,W,M,N,W,M,DIR,H: start occurrence (1..5, 5 = last), weekday (0 = Sunday .. 6),
// month (1..12), the same for the end, "add" or "subtract", hours (0, 0.5, 1, 1.5 or 2).
// False with a message naming the first bad field.
bool ParseDstRule(const QString& text, DstRule& rule, QString* error);

// The output format by OUTPUT's extension: "csv", "xlsx", "pdf", or empty when it has none of them.
QString FormatOfOutput(const QString& output);

// Writes the workbook or the PDF report of a loaded audit, as the window would with no filter;
// `complete`, when given, adds to the report's sections first.
bool WriteReportOutput(const Options& options, const LoadedAudit& audit, QTextStream& err,
                       const std::function<void(ReportContent&)>& complete = {});

} // namespace cli
