#include "ArchiveCommands.h"

#include "archive/ArchiveLocation.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveService.h"
#include "AuditCli.h"
#include "model/AuditFile.h"
#include "EvidenceCommands.h"
#include "FindingsCommands.h"
#include "archive/HistoryProof.h"
#include "model/OutputFile.h"
#include "PeopleCommands.h"
#include "model/ReportContent.h"
#include "ReportOutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <memory>

namespace cli {

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

const QStringList Subcommands = { "import", "locks", "history", "verify", "audits", "search", "sync", "queue" };

struct ArchiveOptions
{
    QString command; // import, locks, history, search, sync
    QString archive;
    bool newOnly = false;
    SearchQuery search;
    Options output; // display choices and, for locks, history and search, the output
    QStringList positional;
};

QString ArchiveUsageText(const QString& command)
{
    const QString where = Cli::tr("  --archive PATH   the archive: a SQLite file or a postgresql:// URL (default: the\n"
                                  "                   environment's CORVANE_AUDIT_ARCHIVE, then ArchiveUrl in\n"
                                  "                   Settings.ini, then archive.sqlite in the user's data folder)\n");
    if (command == QLatin1String("import"))
        return Cli::tr("Usage: corvane-audit-cli archive import [--archive PATH] FILE...\n"
                       "Adds audit files (.kaud) and raw Dallas audit images to the archive, each joined\n"
                       "into its lock's history. One line a file: SERIAL: N new events, G gaps; or that it\n"
                       "is already there; or that it waits on this computer, when the archive cannot be\n"
                       "reached (archive sync sends it); or why it was refused. Exit status 1 if any was\n"
                       "refused, else 3 if any waits or could not be kept.\n")
            + where;
    if (command == QLatin1String("locks"))
        return Cli::tr("Usage: corvane-audit-cli archive locks [--archive PATH] [--date-format dmy|mdy]\n"
                       "                          [--hour-format 24|12] [--language en|it|es] OUTPUT.csv|-\n"
                       "Lists the archived locks by serial number: visits, events, gaps, the first and\n"
                       "last event and the last visit.\n")
            + where;
    if (command == QLatin1String("history"))
        return Cli::tr("Usage: corvane-audit-cli archive history SERIAL [--archive PATH] [--new] [options] OUTPUT\n"
                       "Writes the lock's whole history as export writes one audit (a full audit unless\n"
                       "--audit simple), the CSV with one more column, Visit. OUTPUT is a .csv, .xlsx or\n"
                       ".pdf file, or - for CSV on standard output. The .xlsx and .pdf open on the\n"
                       "lock's findings (as archive findings --lock lists them) and end with the evidence\n"
                       "of its audits: each visit's SHA-256 and the archive's chain head.\n"
                       "  --new            only the events of the latest visit\n"
                       "  --format, --table, --dst, --date-format, --hour-format, --audit, --language\n"
                       "                   as for export\n")
            + where;
    if (IsEvidenceCommand(command))
        return EvidenceUsageText(command);
    if (command == QLatin1String("search"))
        return Cli::tr("Usage: corvane-audit-cli archive search [--archive PATH] [--lock SERIAL]... [--from DATE]\n"
                       "                          [--to DATE] [--event CODE]... [--user N] [--date-format dmy|mdy]\n"
                       "                          [--hour-format 24|12] [--language en|it|es] OUTPUT.csv|-\n"
                       "Writes the matching events of every archived lock, newest first: Serial number,\n"
                       "Lock name, the export's event columns and Visit. DATE is YYYY-MM-DD (--to\n"
                       "includes its day); CODE is an Event ID; --lock and --event may be repeated.\n")
            + where;
    if (IsFindingsCommand(command))
        return FindingsUsageText(command) + where;
    if (command == QLatin1String("sync"))
        return Cli::tr("Usage: corvane-audit-cli archive sync [--archive URL]\n"
                       "Sends every audit waiting on this computer (because an archive could not be\n"
                       "reached or stayed busy) to the archive in use now, saying where each was meant to\n"
                       "go when that was elsewhere. Exit status 3 if some still wait.\n")
            + where;
    if (command == QLatin1String("people"))
        return PeopleUsageText() + where;
    if (command == QLatin1String("queue"))
        return Cli::tr("Usage: corvane-audit-cli archive queue [OUTPUT.csv|-]\n"
                       "Lists the audits waiting on this computer: File, Lock, Downloaded, Meant for.\n");
    return Cli::tr("Usage: corvane-audit-cli archive import|locks|history|verify|audits|search|sync|queue|people|\n"
                   "                         findings|hours|closed|findings-settings [--archive PATH] ...\n"
                   "The archive keeps every audit by lock and joins them into each lock's history.\n"
                   "corvane-audit-cli archive COMMAND --help tells more of a command.\n");
}

// A code or user number as people type them: decimal (leading zeros allowed) or 0x hexadecimal.
bool ReadNumber(const QString& text, int* value)
{
    const QString t = text.trimmed();
    bool ok = false;
    const int n = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toInt(&ok, 16) : t.toInt(&ok, 10);
    if (!ok || t.isEmpty() || t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-')))
        return false;
    *value = n;
    return true;
}

bool TakeSearchOption(const QString& option, const QString& value, SearchQuery& query, QString* error)
{
    bool ok = true;
    if (option == QLatin1String("--lock")) {
        query.serials << value;
    } else if (option == QLatin1String("--from") || option == QLatin1String("--to")) {
        ok = SearchDay(value, option == QLatin1String("--to"), option == QLatin1String("--to") ? &query.to : &query.from);
        if (!ok)
            *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(option, value, QStringLiteral("YYYY-MM-DD"));
        else if (query.from >= 0 && query.to >= 0 && query.from >= query.to) {
            *error = Cli::tr("--from is after --to: nothing lies between them.");
            ok = false;
        }
    } else {
        int number = -1;
        ok = ReadNumber(value, &number) && number >= 0 && number <= 255;
        if (!ok)
            *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(option, value, QStringLiteral("0..255, 0x00..0xFF"));
        else if (option == QLatin1String("--event"))
            query.events << number;
        else
            query.user = number;
    }
    return ok;
}

bool Parse(const QStringList& args, ArchiveOptions& o, QString* error)
{
    o.command = args.value(1);
    if (!Subcommands.contains(o.command)) {
        *error = o.command.isEmpty() ? Cli::tr("No archive command given.")
                                     : Cli::tr("Unknown archive command: %1").arg(o.command);
        return false;
    }
    const bool history = o.command == QLatin1String("history");
    const bool locks = o.command == QLatin1String("locks") || o.command == QLatin1String("search");
    const bool search = o.command == QLatin1String("search");
    o.output.presentation.auditType = FullAudit;
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--archive")) {
            if (i + 1 >= args.size()) {
                *error = Cli::tr("Option %1 needs a value.").arg(a);
                return false;
            }
            o.archive = args.at(++i);
            continue;
        }
        if (a == QLatin1String("--new") && history) {
            o.newOnly = true;
            continue;
        }
        if (search && QStringList{ "--lock", "--from", "--to", "--event", "--user" }.contains(a)) {
            if (i + 1 >= args.size()) {
                *error = Cli::tr("Option %1 needs a value.").arg(a);
                return false;
            }
            if (!TakeSearchOption(a, args.at(++i), o.search, error))
                return false;
            continue;
        }
        const bool displayOption = a == QLatin1String("--date-format") || a == QLatin1String("--hour-format")
            || a == QLatin1String("--language");
        if (history || (locks && displayOption) || a == QLatin1String("--language")) {
            const int taken = TakeOption(args, i, o.output, history, error);
            if (taken < 0)
                return false;
            if (taken > 0)
                continue;
        }
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            *error = Cli::tr("Unknown option: %1").arg(a);
            return false;
        }
        o.positional << a;
    }
    const bool queue = o.command == QLatin1String("queue");
    if (queue && o.positional.isEmpty())
        o.positional << QStringLiteral("-");
    const int expected = history                                 ? 2
        : locks || queue                                          ? 1
        : o.command == QLatin1String("sync")                     ? 0
                                                                  : -1;
    if ((expected >= 0 && o.positional.size() != expected) || (expected < 0 && o.positional.isEmpty())) {
        *error = Cli::tr("Wrong number of arguments.");
        return false;
    }
    if (queue)
        o.output.output = o.positional.last();
    if (history || locks) {
        Options& out = o.output;
        out.output = o.positional.last();
        const bool standardOutput = out.output == QLatin1String("-");
        if (out.format.isEmpty())
            out.format = standardOutput ? QStringLiteral("csv") : FormatOfOutput(out.output);
        if (out.format.isEmpty() || (locks && out.format != QLatin1String("csv"))) {
            *error = Cli::tr("Unsupported output: %1").arg(out.output);
            return false;
        }
        if (standardOutput && out.format != QLatin1String("csv")) {
            *error = Cli::tr("Only CSV goes to standard output.");
            return false;
        }
    }
    return true;
}

// The bytes an input file is kept as: an audit file as it is, a raw key image as the audit file
// the window would save of it. False with the refusal.
bool AuditFileBytes(const QString& path, QByteArray* bytes, QString* refusal)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *refusal = file.errorString();
        return false;
    }
    const QByteArray data = file.read(AuditFile::MaxFileSize + 1);
    auto session = std::make_unique<AuditSession>();
    const bool named = path.endsWith(QLatin1String(".kaud"), Qt::CaseInsensitive);
    if (data.size() <= AuditFile::MaxFileSize && AuditFile::Parse(data, *session).valid) {
        *bytes = data;
        return true;
    }
    if (named || data.size() != AuditSession::DallasImageSize) {
        *refusal = named ? QCoreApplication::translate("MainWindow", "File not valid")
                         : Cli::tr("%1 is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.").arg(path);
        return false;
    }
    session->busAudit = false;
    std::copy(data.begin(), data.end(), session->dallasImage.begin());
    session->decoded = DecodeAudit(*session);
    if (session->decoded.notices.contains(DecodeNotice::KeyEmpty) || !session->decoded.ok) {
        *refusal = DecodeNoticeText(session->decoded.notices.value(0, DecodeNotice::DataError));
        return false;
    }
    const ConfigPresentation p = PresentConfig(session->decoded.config, false, session->decoded.lockEvents, {});
    *bytes = AuditFile::Serialize(*session, p.keypadDownloadTime);
    return true;
}

// The exit status of audits kept or not: 1 if one was refused or failed, else 3 if one waits or
// could not be kept, else 0.
int KeepStatus(const QVector<KeepOutcome::State>& states)
{
    int status = Success;
    for (KeepOutcome::State state : states) {
        if (state == KeepOutcome::Refused || state == KeepOutcome::Failed)
            return Rejected;
        if (state == KeepOutcome::Waiting || state == KeepOutcome::ReadOnly)
            status = NotArchived;
    }
    return status;
}

int Import(ArchiveWorker& worker, const ArchiveOptions& o, const QMap<int, QString>& unreadable, QTextStream& out,
           QTextStream& err)
{
    QVector<KeepOutcome::State> states;
    for (int k = 0; k < o.positional.size(); ++k) {
        const QString& path = o.positional[k];
        // A name the system's encoding cannot give back: that file is refused, the others go on.
        if (unreadable.contains(k)) {
            err << Cli::tr("%1 is not valid text in this system's encoding: it cannot be used.").arg(unreadable.value(k))
                << Qt::endl;
            states << KeepOutcome::Refused;
            continue;
        }
        QByteArray bytes;
        QString refusal;
        if (!AuditFileBytes(path, &bytes, &refusal)) {
            err << Cli::tr("%1: %2").arg(Visible(path), refusal) << Qt::endl;
            states << KeepOutcome::Refused;
            continue;
        }
        const KeepOutcome kept = KeepAudit(worker, bytes, AuditKind::File, QFileInfo(path).absoluteFilePath());
        states << kept.state;
        const bool fine = kept.state == KeepOutcome::Kept || kept.state == KeepOutcome::AlreadyThere;
        (fine ? out : err) << KeepLine(path, kept) << Qt::endl;
    }
    if (const QString notice = worker.takeNotice(); !notice.isEmpty())
        err << notice << Qt::endl;
    return KeepStatus(states);
}

int History(Archive& archive, const ArchiveOptions& o, QTextStream& out, QTextStream& err)
{
    const QString serial = o.positional.first();
    // The workbook and the PDF open on the lock's findings, as `archive findings --lock` lists them,
    // and close on the evidence of its audits, as the window's exports of a history do.
    const bool report = o.output.format != QLatin1String("csv");
    const PresentationOptions& p = o.output.presentation;
    LoadedAudit loaded;
    HistoryProof proof;
    QString error;
    {
        LockHistory history;
        if (!archive.history(serial, &history)) {
            err << archive.errorString() << Qt::endl;
            return Rejected;
        }
        // Not visited is judged at the day the report says it was printed.
        if (report
            && !ReadHistoryProof(archive, history, ReportPrintedAt().date(), p.dst ? &p.dstRule : nullptr, &proof,
                                 &error)) {
            err << error << Qt::endl;
            return Rejected;
        }
        if (!PresentHistory(history, p, o.newOnly, &loaded.view, &error)) {
            err << error << Qt::endl;
            return Rejected;
        }
    }
    if (!report)
        return WriteExport(o.output, loaded, out, err);
    const auto complete = [&](ReportContent& content) { proof.addTo(content, p.display); };
    return WriteReportOutput(o.output, loaded, err, complete) ? Success : Rejected;
}

int Sync(ArchiveWorker& worker, QTextStream& out, QTextStream& err)
{
    const ArchiveQueue::SendReport sent = SendWaiting(worker);
    for (const QString& line : sent.lines)
        out << Visible(line) << '\n';
    out << Cli::tr("%n audits sent", nullptr, sent.sent) << Cli::tr("; %n still waiting.", nullptr, sent.left) << '\n';
    if (!FlushOutput(out, err))
        return Rejected;
    if (!sent.error.isEmpty())
        err << sent.error << Qt::endl;
    if (sent.left > 0)
        return NotArchived;
    return sent.error.isEmpty() ? Success : Rejected;
}

int Queue(ArchiveWorker& worker, const ArchiveOptions& o, QTextStream& out, QTextStream& err)
{
    QVector<ArchiveQueue::Waiting> waiting;
    if (!worker.queue().list(&waiting)) {
        err << worker.queue().errorString() << Qt::endl;
        return Rejected;
    }
    TextTable table;
    table.header = QStringList{ Cli::tr("File"), Cli::tr("Lock"), Cli::tr("Downloaded"), Cli::tr("Meant for") };
    for (const ArchiveQueue::Waiting& w : waiting)
        table.rows.append({ w.file, w.serial, FormatDateTime(w.downloaded, o.output.presentation.display), w.meantFor });
    return WriteOutput(o.output.output, ToCsv(table), out, err) ? Success : Rejected;
}

} // namespace

QString ImportLine(const QString& file, const ImportReport& report)
{
    switch (report.status) {
    case ImportReport::Added: {
        QString line = Cli::tr("%1: %n new events", nullptr, report.newEvents).arg(Visible(report.serial))
            + Cli::tr(", %n gaps", nullptr, report.gaps);
        for (const QString& note : report.notes)
            line += QStringLiteral("; ") + Visible(note);
        return line;
    }
    case ImportReport::AlreadyThere:
        return Cli::tr("%1: already in the archive").arg(Visible(file));
    case ImportReport::Refused:
    case ImportReport::Failed:
        break;
    }
    return Cli::tr("%1: %2").arg(Visible(file), report.message);
}

QString KeepLine(const QString& file, const KeepOutcome& kept)
{
    switch (kept.state) {
    case KeepOutcome::Waiting:
        return Cli::tr("%1: waits on this computer (%2); 'corvane-audit-cli archive sync' sends it")
            .arg(Visible(file), kept.message);
    case KeepOutcome::ReadOnly:
        return Cli::tr("%1: not kept: %2").arg(Visible(file), kept.message);
    default:
        return ImportLine(file, kept.report);
    }
}

int KeepInArchive(const QString& location, const AuditSession& session, AuditKind kind, const QString& file,
                  QTextStream& err)
{
    const ConfigPresentation p = PresentConfig(session.decoded.config, session.busAudit, session.decoded.lockEvents, {});
    const QByteArray bytes = AuditFile::Serialize(session, p.keypadDownloadTime);
    ArchiveWorker worker(location);
    const KeepOutcome kept = KeepAudit(worker, bytes, kind, file);
    switch (kept.state) {
    case KeepOutcome::Kept:
    case KeepOutcome::AlreadyThere:
        err << ImportLine(kept.archive, kept.report) << Qt::endl;
        break;
    case KeepOutcome::Waiting:
        err << Cli::tr("Saved, and waiting on this computer for the archive: %1\n"
                       "'corvane-audit-cli archive sync' sends it.")
                   .arg(kept.message)
            << Qt::endl;
        break;
    case KeepOutcome::ReadOnly:
        err << Cli::tr("Saved, not kept in the archive: %1").arg(kept.message) << Qt::endl;
        break;
    case KeepOutcome::Refused:
    case KeepOutcome::Failed:
        err << Cli::tr("Not kept in the archive: %1").arg(kept.message) << Qt::endl;
        break;
    }
    if (const QString notice = worker.takeNotice(); !notice.isEmpty())
        err << notice << Qt::endl;
    return KeepStatus({ kept.state });
}

int RunArchiveCommand(const QStringList& args, QTextStream& out, QTextStream& err, const QMap<int, QString>& unreadable)
{
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << ArchiveUsageText(args.value(1));
        return FlushOutput(out, err) ? Success : Rejected;
    }
    if (IsEvidenceCommand(args.value(1))) {
        if (!unreadable.isEmpty()) {
            err << Cli::tr("%1 is not valid text in this system's encoding: it cannot be used.").arg(unreadable.first())
                << Qt::endl;
            return Rejected;
        }
        return RunEvidenceCommand(args, out, err);
    }
    if (args.value(1) == QLatin1String("people"))
        return RunPeopleCommand(args, out, err, unreadable);
    if (IsFindingsCommand(args.value(1))) {
        if (unreadable.isEmpty())
            return RunFindingsCommand(args, out, err);
        err << Cli::tr("%1 is not valid text in this system's encoding: it cannot be used.").arg(unreadable.first())
            << Qt::endl;
        return Rejected;
    }
    ArchiveOptions o;
    QString error;
    if (!Parse(args, o, &error)) {
        const QString hint = Subcommands.contains(args.value(1)) ? QStringLiteral("archive ") + args.value(1)
                                                                 : QStringLiteral("archive");
        err << error << '\n' << Cli::tr("Try 'corvane-audit-cli %1 --help'.").arg(hint) << '\n' << Qt::flush;
        return UsageError;
    }
    // What it says of names the system cannot give back, by their place among the files.
    QMap<int, QString> unreadableFiles;
    for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it) {
        const int k = o.positional.indexOf(args.value(it.key()));
        if (k >= 0)
            unreadableFiles.insert(k, it.value());
    }
    if (o.command != QLatin1String("import") && !unreadable.isEmpty()) {
        err << Cli::tr("%1 is not valid text in this system's encoding: it cannot be used.").arg(unreadable.first())
            << Qt::endl;
        return Rejected;
    }
    const QString location = ChooseArchiveLocation(o.archive);
    const QString& output = o.output.output;
    if (!output.isEmpty() && output != QLatin1String("-")) {
        if (OutputFile::SameFile(output, location)) {
            err << Cli::tr("%1 is the archive itself: choose another output.").arg(output) << Qt::endl;
            return Rejected;
        }
        QString reason;
        if (!OutputFile::CheckWritable(output, &reason)) {
            err << UnableToWriteText(output, reason) << Qt::endl;
            return Rejected;
        }
    }

    ArchiveWorker worker(o.archive);
    if (o.command == QLatin1String("import"))
        return Import(worker, o, unreadableFiles, out, err);
    if (o.command == QLatin1String("sync"))
        return Sync(worker, out, err);
    if (o.command == QLatin1String("queue"))
        return Queue(worker, o, out, err);

    // The others only read: a missing archive is refused, never made.
    Archive* archive = worker.archive(Archive::OpenMode::Existing);
    if (!archive) {
        err << worker.error() << Qt::endl;
        return Rejected;
    }
    if (const QString notice = worker.takeNotice(); !notice.isEmpty())
        err << notice << Qt::endl;
    if (o.command == QLatin1String("history")) {
        QString serial;
        if (!archive->findLock(o.positional.first(), &serial)) {
            err << archive->errorString() << Qt::endl;
            return Rejected;
        }
        o.positional.first() = serial;
        return History(*archive, o, out, err);
    }
    if (o.command == QLatin1String("search")) {
        // A lock by its serial number or its exact name; one the archive does not hold is refused.
        for (QString& lock : o.search.serials)
            if (!archive->findLock(lock, &lock)) {
                err << archive->errorString() << Qt::endl;
                return Rejected;
            }
        QVector<FoundEvent> found;
        if (!archive->search(o.search, &found)) {
            err << archive->errorString() << Qt::endl;
            return Rejected;
        }
        const DisplaySettings display = o.output.presentation.display;
        return WriteOutputStream(output, [&](const OutputWrite& write) { return WriteSearchCsv(found, display, write); },
                                 out, err)
            ? Success
            : Rejected;
    }
    QVector<LockSummary> locks;
    if (!archive->locks(&locks)) {
        err << archive->errorString() << Qt::endl;
        return Rejected;
    }
    return WriteOutput(output, ToCsv(LocksTextTable(locks, o.output.presentation.display)), out, err) ? Success
                                                                                                      : Rejected;
}

} // namespace cli
