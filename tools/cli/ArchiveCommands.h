#pragma once

#include "archive/Archive.h"

#include <QMap>
#include <QStringList>
#include <QTextStream>

class AuditSession;
struct KeepOutcome;

// The command line's archive: import, locks, history, verify.
namespace cli {

// "archive" and what follows it; args[0] is "archive". Returns the exit status. `unreadable` names
// the arguments (by their place in `args`) that the system's encoding cannot give back, as shown.
int RunArchiveCommand(const QStringList& args, QTextStream& out, QTextStream& err,
                      const QMap<int, QString>& unreadable = {});

// "SERIAL: N new events, G gaps", "FILE: already in the archive", or the refusal.
QString ImportLine(const QString& file, const ImportReport& report);
// The same of an audit kept or queued, or not kept.
QString KeepLine(const QString& file, const KeepOutcome& kept);

// Adds a just-obtained audit (saved as `file`) to the archive at `location` (an empty one: the
// usual choice) and tells the outcome on `err`. The exit status: Success when it is kept,
// NotArchived when it waits to be sent or may not be kept, Rejected when it was refused.
int KeepInArchive(const QString& location, const AuditSession& session, AuditKind kind, const QString& file,
                  QTextStream& err);

} // namespace cli
