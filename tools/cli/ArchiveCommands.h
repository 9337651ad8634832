#pragma once

#include "Archive.h"

#include <QStringList>
#include <QTextStream>

class AuditSession;

// The command line's archive: import, locks, history, verify.
namespace cli {

// "archive" and what follows it; args[0] is "archive". Returns the exit status.
int RunArchiveCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// "SERIAL: N new events, G gaps", "FILE: already in the archive", or the refusal.
QString ImportLine(const QString& file, const ImportReport& report);

// Adds a just-obtained audit to the archive at `location` (an empty one: the usual choice) and
// tells the outcome on `err`. False when it could not be kept.
bool KeepInArchive(const QString& location, const AuditSession& session, AuditKind kind, QTextStream& err);

} // namespace cli
