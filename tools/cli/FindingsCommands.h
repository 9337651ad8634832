#pragma once

#include "AuditCli.h"

#include <QStringList>
#include <QTextStream>

// The command line's findings: those of the archived locks, and the team's rules they are judged
// by (opening hours, closed days, thresholds), as archive commands; and those of one audit file
// for `export --table findings`.
namespace cli {

// "findings", "hours", "closed", "findings-settings".
bool IsFindingsCommand(const QString& command);
// The usage text of one of them, without the --archive paragraph.
QString FindingsUsageText(const QString& command);
// Runs one of them: args[0] is "archive", args[1] the command. Returns the exit status.
int RunFindingsCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// The findings of a single audit: judged with the default hours, no closed days and the default
// thresholds (an export reads no archive), with `options`' daylight-saving correction.
TextTable AuditFindingsTable(const LoadedAudit& audit, const Options& options);

} // namespace cli
