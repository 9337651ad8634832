#pragma once

#include "model/AuditRecords.h"
#include "model/AuditView.h"
#include "model/DstCorrection.h"

#include <QString>
#include <QMap>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

// The command-line companion: opens an audit file or a raw key image, decodes it with the
// window's own pipeline, and writes one of its tables or a readable summary.
namespace cli {

// The exit statuses, one table for every command (README, "Exit status").
enum ExitCode {
    Success = 0,
    Rejected = 1,   // refused input, a failed operation or output
    UsageError = 2,
    NotArchived = 3, // the audit was saved but is not in the archive yet: it waits to be sent, or the
                     // archive may only be read
    Partial = 4,     // a download stopped short: what was read is saved, marked as partial
    Interrupted = 130,
};

struct Options
{
    QString command; // "export" or "show"
    QString input;
    QString output;
    QString format; // "csv", "xlsx" or "pdf"; from OUTPUT's extension unless --format says
    QString table = QStringLiteral("events");
    QString language = QStringLiteral("en");
    PresentationOptions presentation; // display settings, audit type and DST rule
};

// Parses the arguments after the program name. False with a reason on a usage error.
bool ParseArguments(const QStringList& args, Options& options, QString* error);
// Takes the display option at args[i] (--dst, --date-format, --hour-format, --audit, --language;
// with `exporting` also --table and --format), moving i past its value: 1 when taken, 0 when
// args[i] is none of them, -1 with a reason on a bad value.
int TakeOption(const QStringList& args, int& i, Options& options, bool exporting, QString* error);

// The general usage, and the usage of one command.
QString UsageText();
QString CommandUsageText(const QString& command);
// The line after a usage error: where to read more.
QString UsageHint(const QString& command);

// A decoded audit, ready to be shown: the session and its presentation.
struct LoadedAudit
{
    std::unique_ptr<AuditSession> session = std::make_unique<AuditSession>();
    AuditView view;
};

// Loads and decodes `options.input`. Warnings ("CRC error", an empty key) go to `err`;
// false (with the message already written to `err`) when the input is rejected.
bool LoadAudit(const Options& options, LoadedAudit& audit, QTextStream& err);

// Writes what `export` writes of a loaded audit: a CSV table, the workbook or the PDF report.
int WriteExport(const Options& options, const LoadedAudit& audit, QTextStream& out, QTextStream& err);

// Writes a command's output: to `out` for "-", else through a temporary that replaces the file
// only once complete. False, with a message on `err`, when it fails.
bool WriteOutput(const QString& output, const QByteArray& bytes, QTextStream& out, QTextStream& err);

// A writer handed to a producer that writes its output a piece at a time.
using OutputWrite = std::function<bool(const QByteArray&)>;
// Writes what `produce` hands to its writer as it is made: to `out` for "-", else through a
// temporary that replaces the file only once complete. False, with a message on `err`, when it
// fails.
bool WriteOutputStream(const QString& output, const std::function<bool(const OutputWrite&)>& produce, QTextStream& out,
                       QTextStream& err);

// Flushes standard output; false, with a message on `err`, when what was written did not arrive
// (a full disk, a closed pipe).
bool FlushOutput(QTextStream& out, QTextStream& err);

// A lock's text, a file name or a message as a terminal shows it: control characters and the
// marks that reverse the direction of text written as escapes.
QString Visible(const QString& text);

// "Unable to write OUTPUT: REASON", the one message of an output that fails.
QString UnableToWriteText(const QString& output, const QString& reason);

// Refuses (with a message on `err`) an output that is the input itself, links followed.
bool OutputIsNotInput(const QString& input, const QString& output, QTextStream& err);

// The program's arguments from the system's, refusing any that does not survive decoding: a file
// name in another encoding would otherwise become a different name. With `unreadable`, such
// arguments are kept (by their place, as they may be shown) for the command to refuse alone.
bool DecodeArguments(int argc, const char* const* argv, QStringList& args, QString* error,
                     QMap<int, QString>* unreadable = nullptr);

// Runs a whole command; returns the exit status.
int Run(const QStringList& args, QTextStream& out, QTextStream& err, const QMap<int, QString>& unreadable = {});

} // namespace cli
