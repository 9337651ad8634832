#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The archive's evidence on the command line: "archive verify" checks everything the archive
// keeps against its audits and its chain; "archive audits" gives a lock's audits back as files.
namespace cli {

bool IsEvidenceCommand(const QString& command);
// The usage of "verify" or "audits".
QString EvidenceUsageText(const QString& command);
// args[0] is "archive", args[1] the command. Returns the exit status.
int RunEvidenceCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli
