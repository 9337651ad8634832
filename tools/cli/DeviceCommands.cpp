#include "DeviceCommands.h"

#include "ArchiveCommands.h"
#include "archive/ArchiveLocation.h"
#include "archive/ArchiveService.h"
#include "AuditCli.h"
#include "device/CaptureWriter.h"
#include "device/SerialLink.h"
#include "device/SerialTransport.h"
#include "model/AuditFile.h"
#include "model/AuditView.h"
#include "model/DallasRequest.h"
#include "model/OutputFile.h"
#include "model/UsersLog.h"
#include "operations/DeviceOperations.h"
#include "operations/Workers.h"
#include "sim/SimulatedLink.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>

#include <unistd.h>

namespace cli {

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

// The in-memory sample lock instead of a port: handy to try the commands without hardware.
const QString SimulatedPort = QStringLiteral("simulated");
constexpr qint64 DefaultWaitSeconds = 60;
constexpr int MaxWaitSeconds = 86400;

std::atomic_bool g_stop { false };
std::atomic_bool g_operationRunning { false };
// "Stopped." in the language of the run, ready for the signal handler, which cannot translate.
char g_stoppedText[256] = "Stopped.\n";

struct DeviceOptions
{
    QString command;
    QString port;
    QString output;
    QString capture;
    int events = 0;
    qint64 waitMs = DefaultWaitSeconds * 1000;
    bool yes = false;
    DisplaySettings display;
    QString archive;
    bool keep = true; // in the archive
    bool newOnly = false;
};

const QStringList Commands = { "ports", "read-key", "write-key", "download", "users-log" };

// Progress on standard error: one line redrawn on a terminal, plain lines otherwise.
class ConsoleProgress : public OperationProgress
{
public:
    explicit ConsoleProgress(QTextStream& err) : m_err(err), m_terminal(::isatty(STDERR_FILENO)) {}
    ~ConsoleProgress() override { endLine(); }

    // Ends the line redrawn on a terminal, so that what is told next has lines of its own.
    void endLine()
    {
        if (m_terminal && m_drawn)
            m_err << '\n' << Qt::flush;
        m_drawn = false;
    }

    void setPercentageMode(bool on) override { m_percentage = on; }
    void setPercentage(int percent) override
    {
        if (percent == m_percent)
            return;
        m_percent = percent;
        if (m_terminal)
            draw();
        else if (percent / 10 != m_lastDecile) {
            m_lastDecile = percent / 10;
            m_err << percent << "%\n" << Qt::flush;
        }
    }
    void setStatus(const QString& text, bool) override
    {
        if (text == m_text)
            return;
        m_text = text;
        if (m_terminal)
            draw();
        else
            m_err << text << '\n' << Qt::flush;
    }
    bool stopRequested() const override { return g_stop.load(); }

private:
    void draw()
    {
        QString line;
        if (m_percentage && m_percent >= 0) {
            const int filled = qBound(0, m_percent, 100) * 30 / 100;
            line = QStringLiteral("[%1%2] %3% ").arg(QString(filled, '#'), QString(30 - filled, ' ')).arg(m_percent, 3);
        }
        m_err << "\r\033[K" << line << m_text << Qt::flush;
        m_drawn = true;
    }

    QTextStream& m_err;
    bool m_terminal;
    bool m_drawn = false;
    bool m_percentage = false;
    int m_percent = -1;
    int m_lastDecile = -1;
    QString m_text;
};

// Runs an operation on the chosen port: a serial port through `serialLinks`, or the sample lock in
// memory. A capture that cannot be written is one warning; the operation goes on.
OperationOutcome RunOnChosenPort(const DeviceOptions& o, const LinkFactory& serialLinks, bool keyMode, QTextStream& err,
                                 const Operation& operation)
{
    // Ctrl-C now asks the operation to stop between two exchanges, so the port is closed properly.
    struct Running
    {
        Running() { g_operationRunning.store(true); }
        ~Running() { g_operationRunning.store(false); }
    } running;
    if (o.port == SimulatedPort) {
        auto device = std::make_unique<SimulatedInterface>();
        device->setKey(SimulatedInterface::Key::Audit);
        return RunOperation(SimulatedLinkFactory(*device), o.port, keyMode, operation);
    }
    if (o.capture.isEmpty())
        return RunOperation(serialLinks, o.port, keyMode, operation);
    capture::Header header;
    header.operation = o.command;
    if (o.command == QLatin1String(operationname::Download))
        header.events = operations::DownloadEventCount(o.events);
    CaptureWriter writer;
    QString error;
    const bool capturing = writer.open(o.capture, header, false, &error);
    if (!capturing)
        err << CaptureOffText(o.capture, error) << Qt::endl;
    const OperationOutcome outcome = RunOperation(serialLinks, o.port, keyMode, operation, capturing ? &writer : nullptr);
    if (capturing && !writer.failure().isEmpty())
        err << CaptureOffText(o.capture, writer.failure()) << Qt::endl;
    return outcome;
}

// Decodes the session as the window shows it, and saves it with the window's label; a partial
// audit of `partialEvents` events is marked so in it.
bool SaveAudit(AuditSession& session, const QString& output, QTextStream& err, int partialEvents = 0)
{
    session.decoded = DecodeAudit(session);
    for (DecodeNotice notice : session.decoded.notices)
        err << DecodeNoticeText(notice) << Qt::endl;
    if (!session.decoded.ok)
        return false;
    const ConfigPresentation p = PresentConfig(session.decoded.config, session.busAudit, session.decoded.lockEvents, DisplaySettings());
    QString error;
    const QString label = partialEvents > 0 ? operations::PartialLabel(p.keypadDownloadTime, partialEvents)
                                            : p.keypadDownloadTime;
    if (!AuditFile::Save(output, session, label, &error)) {
        err << UnableToWriteText(output, error) << Qt::endl;
        return false;
    }
    return true;
}

// The audit just obtained, into the archive unless --no-archive; an empty key holds none. The exit
// status: an audit saved but waiting to be sent, or not kept, is no failure (NotArchived).
int Keep(const DeviceOptions& o, AuditSession& session, AuditKind kind, QTextStream& err)
{
    if (!o.keep)
        return Success;
    session.decoded = DecodeAudit(session);
    if (!session.decoded.ok || session.decoded.notices.contains(DecodeNotice::KeyEmpty))
        return Success;
    return KeepInArchive(o.archive, session, kind, QFileInfo(o.output).absoluteFilePath(), err);
}

// The users log just written, kept with its lock in the archive. It does not wait on this computer
// as an audit does: an archive that cannot take it now exits as one that waits (NotArchived).
int KeepLog(const QString& location, const operations::UsersLogDump& log, const QDateTime& downloadedAt,
            QTextStream& err)
{
    ArchiveWorker worker(location);
    const UsersLogKept kept = KeepUsersLog(worker, log.serial, downloadedAt, log.records);
    err << UsersLogKeptText(kept) << Qt::endl;
    if (const QString notice = worker.takeNotice(); !notice.isEmpty())
        err << notice << Qt::endl;
    switch (kept.state) {
    case UsersLogKept::Kept: return Success;
    case UsersLogKept::NotReached:
    case UsersLogKept::ReadOnly: return NotArchived;
    case UsersLogKept::NoSerial:
    case UsersLogKept::Failed: break;
    }
    return Rejected;
}

bool Confirmed(QTextStream& err)
{
    err << QCoreApplication::translate("MainWindow",
                                       "Warning: this operation will delete all data in Dallas key. Do you want to proceed?")
        << " [y/N] " << Qt::flush;
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, stdin))
        return false;
    return answer[0] == 'y' || answer[0] == 'Y' || answer[0] == 's' || answer[0] == 'S';
}

bool Parse(const QStringList& args, DeviceOptions& o, QString* error)
{
    o.command = args.value(0);
    const bool keeps = o.command == QLatin1String("read-key") || o.command == QLatin1String("download");
    QStringList positional;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const auto value = [&](QString& v) {
            if (i + 1 >= args.size()) {
                *error = Cli::tr("Option %1 needs a value.").arg(a);
                return false;
            }
            v = args.at(++i);
            return true;
        };
        const auto badValue = [&](const QString& v, const QString& allowed) {
            *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(a, v, allowed);
            return false;
        };
        QString v;
        bool ok = false;
        if (a == QLatin1String("--port")) {
            if (!value(o.port))
                return false;
        } else if (a == QLatin1String("--capture") && o.command != QLatin1String("ports")) {
            if (!value(o.capture))
                return false;
        } else if (a == QLatin1String("--events") && o.command == QLatin1String("download")) {
            if (!value(v))
                return false;
            o.events = v.toInt(&ok);
            if (!ok || o.events < 0)
                return badValue(v, QStringLiteral("0..5600, 0 for all"));
        } else if (a == QLatin1String("--wait") && o.command != QLatin1String("users-log")) {
            if (!value(v))
                return false;
            const double seconds = v.toDouble(&ok);
            // Also refuses nan and inf: a wait must end.
            if (!ok || !(seconds > 0 && seconds <= MaxWaitSeconds))
                return badValue(v, Cli::tr("a number of seconds up to %1").arg(MaxWaitSeconds));
            o.waitMs = qint64(seconds * 1000);
        } else if (a == QLatin1String("--archive") && (keeps || o.command == QLatin1String("users-log"))) {
            if (!value(o.archive))
                return false;
        } else if (a == QLatin1String("--no-archive") && keeps) {
            o.keep = false;
        } else if (a == QLatin1String("--new") && o.command == QLatin1String("download")) {
            o.newOnly = true;
        } else if (a == QLatin1String("--yes") && o.command == QLatin1String("write-key")) {
            o.yes = true;
        } else if (a == QLatin1String("--date-format") && o.command == QLatin1String("users-log")) {
            if (!value(v))
                return false;
            if (v != QLatin1String("dmy") && v != QLatin1String("mdy"))
                return badValue(v, QStringLiteral("dmy|mdy"));
            o.display.dateFormat = v == QLatin1String("mdy") ? 1 : 0;
        } else if (a == QLatin1String("--hour-format") && o.command == QLatin1String("users-log")) {
            if (!value(v))
                return false;
            if (v != QLatin1String("24") && v != QLatin1String("12"))
                return badValue(v, QStringLiteral("24|12"));
            o.display.hourFormat = v == QLatin1String("12") ? 1 : 0;
        } else if (a == QLatin1String("--language")) {
            if (!value(v)) // taken before the arguments are parsed
                return false;
        } else if (a.startsWith(QLatin1String("--"))) {
            *error = Cli::tr("Unknown option: %1").arg(a);
            return false;
        } else {
            positional << a;
        }
    }
    const int expected = o.command == QLatin1String("ports") || o.command == QLatin1String("write-key") ? 0 : 1;
    if (positional.size() != expected) {
        *error = Cli::tr("Wrong number of arguments.");
        return false;
    }
    if ((!o.archive.isEmpty() || o.newOnly) && !o.keep) {
        *error = o.newOnly ? Cli::tr("--new stops at what the archive holds: not with --no-archive.")
                           : Cli::tr("--archive and --no-archive exclude each other.");
        return false;
    }
    if (!o.capture.isEmpty() && o.port == SimulatedPort) {
        *error = Cli::tr("--capture records what is said on a serial port; --port simulated has none.");
        return false;
    }
    o.output = positional.value(0);
    const QString& out = o.output;
    const bool fits = o.command == QLatin1String("read-key")
        ? out.endsWith(QLatin1String(".kaud"), Qt::CaseInsensitive) || out.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive)
        : o.command == QLatin1String("download") ? out.endsWith(QLatin1String(".kaud"), Qt::CaseInsensitive)
        : o.command == QLatin1String("users-log")
            ? out == QLatin1String("-") || out.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
            : true;
    if (!fits) {
        *error = Cli::tr("Unsupported output: %1").arg(out);
        return false;
    }
    return true;
}

int Finish(const OperationOutcome& outcome, QTextStream& err)
{
    // A failure that follows Ctrl-C (a wait cut short) is the stop the user asked for.
    if (outcome.kind == OperationOutcome::Cancelled || (outcome.kind == OperationOutcome::Failed && g_stop.load())) {
        err << Cli::tr("Stopped.") << Qt::endl;
        return Interrupted;
    }
    if (outcome.kind == OperationOutcome::Succeeded)
        return Success;
    err << (outcome.detail.isEmpty() ? outcome.message : QStringLiteral("%1 %2").arg(outcome.message, outcome.detail))
        << Qt::endl;
    return Rejected;
}

// Output files are checked before the lock is asked anything: a read takes minutes.
bool OutputWritable(const QString& output, QTextStream& err)
{
    QString reason;
    if (output.isEmpty() || output == QLatin1String("-") || OutputFile::CheckWritable(output, &reason))
        return true;
    err << UnableToWriteText(output, reason) << Qt::endl;
    return false;
}

} // namespace

void RequestStop()
{
    g_stop.store(true);
}

void PrepareInterruption()
{
    const QByteArray text = (Cli::tr("Stopped.") + QLatin1Char('\n')).toUtf8();
    if (text.size() < int(sizeof g_stoppedText))
        std::memcpy(g_stoppedText, text.constData(), size_t(text.size()) + 1);
}

void Interrupt()
{
    // A second Ctrl-C, or one outside an operation, ends the program at once.
    if (g_operationRunning.load() && !g_stop.exchange(true))
        return;
    OutputFile::RemovePendingOnSignal();
    const ssize_t written = ::write(STDERR_FILENO, g_stoppedText, std::strlen(g_stoppedText));
    (void)written;
    ::_exit(Interrupted);
}

bool IsDeviceCommand(const QString& command)
{
    return Commands.contains(command);
}

QString DeviceUsageText(const QString& command)
{
    const QString port = Cli::tr(
        "Without --port the first USB interface is used; --port simulated uses a simulated lock in memory.\n");
    const QString capture = Cli::tr(
        "--capture FILE writes what is said to the lock and what it answers into FILE, to send to\n"
        "Corvane when a lock misbehaves.\n");
    const QString archive = Cli::tr(
        "The audit is also added to the archive (--archive PATH names it, see 'archive --help';\n"
        "--no-archive leaves it out); the output is written all the same.\n");
    if (command == QLatin1String("ports"))
        return Cli::tr("Usage: corvane-audit-cli ports\n"
                       "Lists the USB interfaces found, and those named in CORVANE_AUDIT_PORTS.\n");
    if (command == QLatin1String("read-key"))
        return Cli::tr("Usage: corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]\n"
                       "                          [--archive PATH|--no-archive] OUTPUT\n"
                       "Reads the Dallas audit key on the reader into OUTPUT: an audit file (.kaud) or the\n"
                       "raw 8192-byte image (.bin). --wait bounds the wait for a key (default 60).\n")
            + port + capture + archive;
    if (command == QLatin1String("write-key"))
        return Cli::tr("Usage: corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]\n"
                       "Prepares the Dallas key on the reader with an audit request, deleting what it holds.\n"
                       "Asks for confirmation on a terminal unless --yes. --wait bounds the wait for a key\n"
                       "(default 60).\n")
            + port + capture;
    if (command == QLatin1String("download"))
        return Cli::tr("Usage: corvane-audit-cli download [--port PATH] [--events N] [--new] [--wait SECONDS]\n"
                       "                          [--capture FILE] [--archive PATH|--no-archive] OUTPUT.kaud\n"
                       "Downloads the lock's audit through the keypad (in download mode, function 7) into an\n"
                       "audit file. --events N reads the N newest events (default 0: all, up to 5600);\n"
                       "--wait bounds the wait for the keypad (default 60). --new stops as soon as it reaches\n"
                       "the events the archive holds from the last visit. A download that stops short once\n"
                       "events have come (a failure, Ctrl-C) saves and keeps those, marked as partial, and\n"
                       "exits with 4.\n")
            + port + capture + archive;
    return Cli::tr("Usage: corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]\n"
                   "                          [--language en|it|es] [--capture FILE] OUTPUT.csv|-\n"
                   "Downloads the lock's users log and writes its 64 rows as comma-separated values.\n")
        + Cli::tr("--archive PATH also keeps the log with its lock in that archive, which must hold the lock's\n"
                  "audits: its installation days are then offered as the From of a new tenure.\n")
        + port + capture;
}

int RunDeviceCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return RunDeviceCommand(args, out, err, SerialLinkFactory());
}

int RunDeviceCommand(const QStringList& args, QTextStream& out, QTextStream& err, const LinkFactory& serialLinks)
{
    DeviceOptions o;
    QString error;
    if (!Parse(args, o, &error)) {
        err << error << '\n' << UsageHint(o.command) << '\n' << Qt::flush;
        return UsageError;
    }
    g_stop.store(false);
    if (!OutputWritable(o.output, err))
        return Rejected;

    if (o.command == QLatin1String("ports")) {
        const QStringList ports = EnumPorts();
        for (const QString& p : ports)
            out << p << '\n';
        out.flush();
        if (ports.isEmpty()) {
            err << QCoreApplication::translate("MainWindow", "Unable to find any USB interface") << Qt::endl;
            return Rejected;
        }
        return Success;
    }

    if (o.command == QLatin1String("write-key") && !o.yes) {
        if (!::isatty(STDIN_FILENO)) {
            err << Cli::tr("write-key deletes what the key holds: confirm on a terminal, or pass --yes.") << Qt::endl;
            return UsageError;
        }
        if (!Confirmed(err))
            return g_stop.load() ? Finish(OperationOutcome(), err) : Rejected;
    }

    if (o.port.isEmpty()) {
        o.port = EnumPorts().value(0);
        if (o.port.isEmpty()) {
            err << QCoreApplication::translate("MainWindow", "Unable to find any USB interface") << Qt::endl;
            return Rejected;
        }
    }

    ConsoleProgress progress(err);
    constexpr bool KeyMode = true;
    constexpr bool BusMode = false;

    if (o.command == QLatin1String("read-key")) {
        OperationResult<QByteArray> read;
        read.outcome = RunOnChosenPort(o, serialLinks, KeyMode, err, [&](DeviceLink& link) {
            read = operations::ReadDallasKey(link, progress, wire::DallasPageCount, o.waitMs);
            return read.outcome;
        });
        if (!read.succeeded())
            return Finish(read.outcome, err);
        auto session = std::make_unique<AuditSession>();
        session->busAudit = false;
        std::copy(read.payload.begin(), read.payload.end(), session->dallasImage.begin());
        const bool saved = o.output.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive)
            ? WriteOutput(o.output, read.payload, out, err)
            : SaveAudit(*session, o.output, err);
        return saved ? Keep(o, *session, AuditKind::DallasKey, err) : Rejected;
    }

    if (o.command == QLatin1String("write-key")) {
        QByteArray request(wire::DallasImageSize, '\0');
        BuildRequestImage(reinterpret_cast<quint8*>(request.data()));
        return Finish(RunOnChosenPort(o, serialLinks, KeyMode, err, [&](DeviceLink& link) {
                          return operations::WriteDallasKey(link, progress, request, o.waitMs);
                      }),
                      err);
    }

    if (o.command == QLatin1String("download")) {
        OperationResult<BusDump> download;
        // With --new the archive is asked, once the lock has told its serial number, where to stop.
        ArchiveWorker worker(o.archive);
        const operations::ArchivedEvents archived = [&worker, &err](const QString& serial) {
            QVector<HistoryEvent> newest;
            Archive* archive = worker.archive(Archive::OpenMode::Existing);
            if (!archive || !archive->newestLockEvents(serial, 256, &newest))
                err << Cli::tr("The archive does not tell where to stop: %1").arg(archive ? archive->errorString() : worker.error())
                    << Qt::endl;
            return newest;
        };
        download.outcome = RunOnChosenPort(o, serialLinks, BusMode, err, [&](DeviceLink& link) {
            download = operations::DownloadAudit(link, progress, o.events, o.waitMs,
                                                 o.newOnly ? archived : operations::ArchivedEvents());
            return download.outcome;
        });
        // What was read before a failure or Ctrl-C is saved and kept too, marked as partial.
        const int partial = operations::PartialEventCount(download);
        if (!download.succeeded() && partial == 0)
            return Finish(download.outcome, err);
        auto session = std::make_unique<AuditSession>();
        AuditSession& s = *session;
        s.busAudit = true;
        s.setBusDump(download.payload);
        // The bar's last step is an event short of the whole: the download is complete now. A
        // download of what is new had no bar.
        if (partial == 0 && !o.newOnly) {
            progress.setPercentageMode(true);
            progress.setPercentage(100);
        }
        progress.endLine();
        if (partial > 0)
            err << operations::PartialDownloadText(download.outcome, partial) << Qt::endl;
        s.downloadTime = QDateTime::currentDateTime();
        if (!SaveAudit(s, o.output, err, partial))
            return Rejected;
        // Saved: a partial audit says so first, whether or not the archive has it yet.
        const int kept = Keep(o, s, AuditKind::BusDownload, err);
        return partial > 0 && kept != Rejected ? Partial : kept;
    }

    OperationResult<operations::UsersLogDump> log;
    log.outcome = RunOnChosenPort(o, serialLinks, BusMode, err, [&](DeviceLink& link) {
        log = operations::DownloadUsersLog(link, progress);
        return log.outcome;
    });
    if (!log.succeeded())
        return Finish(log.outcome, err);
    const QDateTime downloadedAt = QDateTime::currentDateTime();
    const auto* records = reinterpret_cast<const quint8*>(log.payload.records.constData());
    TextTable table;
    table.header = UsersLogHeaders();
    for (const UsersLogRow& row : UsersLogRows(records, o.display))
        table.rows.append({ row.user, row.installedBy, row.date });
    if (!WriteOutput(o.output, ToCsv(table), out, err))
        return Rejected;
    return o.archive.isEmpty() ? Success : KeepLog(o.archive, log.payload, downloadedAt, err);
}

} // namespace cli
