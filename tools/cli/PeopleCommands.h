#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The command line's directory of people: a lock's tenures listed, set, removed and imported.
namespace cli {

// "archive people" and what follows it; args[0] is "archive", args[1] "people". Returns the exit
// status.
int RunPeopleCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// The usage of "archive people", without the archive option's lines.
QString PeopleUsageText();

} // namespace cli
