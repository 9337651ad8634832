#pragma once

#include <QStringList>
#include <QTextStream>

class LinkFactory;

// The command line's device commands: ports, read-key, write-key, download, users-log. They run
// the window's own device operations, in the foreground, with progress on standard error.
namespace cli {

bool IsDeviceCommand(const QString& command);

// The usage text of one device command.
QString DeviceUsageText(const QString& command);

// Runs one device command (args[0] is its name); returns the exit status (ExitCode): Success,
// Rejected after a failure, UsageError, Partial when a download stopped short after reading
// events (saved and kept, marked as partial), Interrupted after Ctrl-C (the port closed first).
int RunDeviceCommand(const QStringList& args, QTextStream& out, QTextStream& err);
// The same, opening serial ports through `serialLinks` (the tests' own pace).
int RunDeviceCommand(const QStringList& args, QTextStream& out, QTextStream& err, const LinkFactory& serialLinks);

// Asks the running operation to stop, as Ctrl-C does. Safe from a signal handler.
void RequestStop();

// What Ctrl-C does, from the signal handler: asks a running device operation to stop between two
// exchanges; a second Ctrl-C, or one while no operation runs, ends the program at once with
// "Stopped." and exit status 130, removing any output half written.
void Interrupt();
// Translates "Stopped." for Interrupt(), once the language is known.
void PrepareInterruption();

} // namespace cli
