#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

// The command line's directory of people: a lock's tenures listed, set, removed and imported.
namespace cli {

// "archive people" and what follows it; args[0] is "archive", args[1] "people". `unreadable` holds
// the arguments the system's encoding could not give back, by their place. Returns the exit status.
int RunPeopleCommand(const QStringList& args, QTextStream& out, QTextStream& err, const QMap<int, QString>& unreadable);

// The usage of "archive people", without the archive option's lines.
QString PeopleUsageText();

} // namespace cli
