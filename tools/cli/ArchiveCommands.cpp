#include "ArchiveCommands.h"

#include "ArchiveLocation.h"
#include "ArchiveQueue.h"
#include "AuditCli.h"
#include "AuditFile.h"
#include "FindingsCommands.h"
#include "OutputFile.h"
#include "ReportOutput.h"

#include <QCoreApplication>
#include <QFile>

#include <memory>

namespace cli {

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

const QStringList Subcommands = { "import", "locks", "history", "verify", "search", "sync" };

struct ArchiveOptions
{
    QString command; // import, locks, history, verify
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
                       "is already there; or why it was refused. Exit status 1 if any was refused.\n")
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
                       ".pdf file, or - for CSV on standard output.\n"
                       "  --new            only the events of the latest visit\n"
                       "  --format, --table, --dst, --date-format, --hour-format, --audit, --language\n"
                       "                   as for export\n")
            + where;
    if (command == QLatin1String("verify"))
        return Cli::tr("Usage: corvane-audit-cli archive verify [--archive PATH]\n"
                       "Reads every stored audit again, checks its SHA-256 and that it still decodes, and\n"
                       "checks every lock's history. Prints what fails; exit status 1 on any.\n")
            + where;
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
                       "Sends the audits that wait on this computer because the archive server could not\n"
                       "be reached. Exit status 1 if some still wait.\n")
            + where;
    return Cli::tr("Usage: corvane-audit-cli archive import|locks|history|verify|search|sync|findings|hours|closed|\n"
                   "                         findings-settings [--archive PATH] ...\n"
                   "The archive keeps every audit by lock and joins them into each lock's history.\n"
                   "corvane-audit-cli archive COMMAND --help tells more of a command.\n");
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
    } else {
        const int number = value.toInt(&ok, 0);
        ok = ok && number >= 0 && number <= 255;
        if (!ok)
            *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(option, value, QStringLiteral("0..255"));
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
    const int expected = history                                 ? 2
        : locks                                                   ? 1
        : o.command == QLatin1String("verify") || o.command == QLatin1String("sync") ? 0
                                                                  : -1;
    if ((expected >= 0 && o.positional.size() != expected) || (expected < 0 && o.positional.isEmpty())) {
        *error = Cli::tr("Wrong number of arguments.");
        return false;
    }
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

int Import(Archive& archive, const ArchiveOptions& o, QTextStream& out, QTextStream& err)
{
    bool refused = false;
    for (const QString& path : o.positional) {
        QByteArray bytes;
        ImportReport report;
        report.status = ImportReport::Refused;
        if (AuditFileBytes(path, &bytes, &report.message))
            report = archive.import(bytes, AuditKind::File);
        const bool kept = report.status == ImportReport::Added || report.status == ImportReport::AlreadyThere;
        refused = refused || !kept;
        (kept ? out : err) << ImportLine(path, report) << Qt::endl;
    }
    return refused ? Rejected : Success;
}

int History(Archive& archive, const ArchiveOptions& o, QTextStream& out, QTextStream& err)
{
    LockHistory history;
    if (!archive.history(o.positional.first(), &history)) {
        err << archive.errorString() << Qt::endl;
        return Rejected;
    }
    DecodedAudit audit;
    bool busAudit = false;
    QString error;
    if (!HistoryAsAudit(history, &audit, &busAudit, &error)) {
        err << error << Qt::endl;
        return Rejected;
    }
    if (o.newOnly) {
        const int latest = history.visits.size();
        const auto older = [latest](const EventsTable& e) { return e.visit != latest; };
        audit.lockEvents.erase(std::remove_if(audit.lockEvents.begin(), audit.lockEvents.end(), older),
                               audit.lockEvents.end());
        audit.keypadEvents.erase(std::remove_if(audit.keypadEvents.begin(), audit.keypadEvents.end(), older),
                                 audit.keypadEvents.end());
    }
    LoadedAudit loaded;
    loaded.view = PresentAudit(audit, busAudit, o.output.presentation);
    return WriteExport(o.output, loaded, out, err);
}

int Verify(Archive& archive, QTextStream& out, QTextStream& err)
{
    QVector<ArchiveProblem> problems;
    int audits = 0;
    if (!archive.verify(&problems, &audits)) {
        err << archive.errorString() << Qt::endl;
        return Rejected;
    }
    for (const ArchiveProblem& p : problems)
        out << (p.audit ? Cli::tr("%1, audit %2: %3").arg(p.serial).arg(p.audit).arg(p.what)
                        : Cli::tr("%1: %2").arg(p.serial, p.what))
            << '\n';
    if (problems.isEmpty())
        out << Cli::tr("%1 audits read again: all sound.").arg(audits) << '\n';
    if (!FlushOutput(out, err))
        return Rejected;
    return problems.isEmpty() ? Success : Rejected;
}

int Sync(Archive& archive, QTextStream& out, QTextStream& err)
{
    ArchiveQueue queue;
    const ArchiveQueue::SendReport sent = queue.send(archive);
    for (const QString& line : sent.lines)
        out << line << '\n';
    out << Cli::tr("%1 audits sent; %2 still waiting.").arg(sent.sent).arg(sent.left) << '\n';
    if (!FlushOutput(out, err))
        return Rejected;
    if (!sent.error.isEmpty())
        err << sent.error << Qt::endl;
    return sent.error.isEmpty() ? Success : Rejected;
}

} // namespace

QString ImportLine(const QString& file, const ImportReport& report)
{
    switch (report.status) {
    case ImportReport::Added:
        return Cli::tr("%1: %2 new events, %3 gaps").arg(report.serial).arg(report.newEvents).arg(report.gaps);
    case ImportReport::AlreadyThere:
        return Cli::tr("%1: already in the archive").arg(file);
    case ImportReport::Refused:
    case ImportReport::Failed:
        break;
    }
    return Cli::tr("%1: %2").arg(file, report.message);
}

bool KeepInArchive(const QString& location, const AuditSession& session, AuditKind kind, QTextStream& err)
{
    const ConfigPresentation p = PresentConfig(session.decoded.config, session.busAudit, session.decoded.lockEvents, {});
    const QByteArray bytes = AuditFile::Serialize(session, p.keypadDownloadTime);
    Archive archive;
    ImportReport report;
    if (archive.open(ChooseArchiveLocation(location)))
        report = archive.import(bytes, kind);
    else
        report.message = archive.errorString();
    const bool kept = report.status == ImportReport::Added || report.status == ImportReport::AlreadyThere;
    if (kept) {
        err << ImportLine(archive.displayName(), report) << Qt::endl;
        return true;
    }
    err << Cli::tr("Not kept in the archive: %1").arg(report.message) << Qt::endl;
    // Away from the office: the audit waits on this computer for the server.
    if (archive.unreachable()) {
        ArchiveQueue queue;
        if (queue.add(archive.displayName(), bytes, kind))
            err << Cli::tr("It waits on this computer; 'corvane-audit-cli archive sync' sends it.") << Qt::endl;
        else
            err << queue.errorString() << Qt::endl;
    }
    return false;
}

int RunArchiveCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << ArchiveUsageText(args.value(1));
        return FlushOutput(out, err) ? Success : Rejected;
    }
    if (IsFindingsCommand(args.value(1)))
        return RunFindingsCommand(args, out, err);
    ArchiveOptions o;
    QString error;
    if (!Parse(args, o, &error)) {
        const QString hint = Subcommands.contains(args.value(1)) ? QStringLiteral("archive ") + args.value(1)
                                                                 : QStringLiteral("archive");
        err << error << '\n' << Cli::tr("Try 'corvane-audit-cli %1 --help'.").arg(hint) << '\n' << Qt::flush;
        return UsageError;
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

    Archive archive;
    if (!archive.open(location)) {
        err << archive.errorString() << Qt::endl;
        return Rejected;
    }
    if (o.command == QLatin1String("import"))
        return Import(archive, o, out, err);
    if (o.command == QLatin1String("history"))
        return History(archive, o, out, err);
    if (o.command == QLatin1String("verify"))
        return Verify(archive, out, err);
    if (o.command == QLatin1String("sync"))
        return Sync(archive, out, err);
    if (o.command == QLatin1String("search")) {
        QVector<FoundEvent> found;
        if (!archive.search(o.search, &found)) {
            err << archive.errorString() << Qt::endl;
            return Rejected;
        }
        return WriteOutput(output, ToCsv(SearchTextTable(found, o.output.presentation.display)), out, err) ? Success
                                                                                                           : Rejected;
    }
    QVector<LockSummary> locks;
    if (!archive.locks(&locks)) {
        err << archive.errorString() << Qt::endl;
        return Rejected;
    }
    return WriteOutput(output, ToCsv(LocksTextTable(locks, o.output.presentation.display)), out, err) ? Success
                                                                                                      : Rejected;
}

} // namespace cli
