#include "AuditCli.h"

#include "ArchiveCommands.h"
#include "model/AuditFile.h"
#include "DeviceCommands.h"
#include "FindingsCommands.h"
#include "model/InstallPaths.h"
#include "model/OutputFile.h"
#include "ReportOutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>
#include <QTranslator>

#include <algorithm>
#include <functional>

namespace cli {

namespace {

// The command line's own texts, translated in the "cli" context.
struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

bool takeValue(const QStringList& args, int& i, QString& value, QString* error)
{
    if (i + 1 >= args.size()) {
        *error = Cli::tr("Option %1 needs a value.").arg(args.at(i));
        return false;
    }
    value = args.at(++i);
    return true;
}

// One translator for the process: a later run in English must not keep the previous language.
void installTranslation(const QString& language)
{
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    // English too: its catalogue holds the plural forms.
    for (const QString& dir : installpaths::TranslationDirectories()) {
        if (translator.load(QStringLiteral("audit_%1.qm").arg(language), dir, QString(), QString())) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}


} // namespace

// What a lock's texts may hold that a terminal would obey rather than show: control characters
// and the marks that reverse the direction of text.
QString Visible(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool bidi = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        if (c.category() == QChar::Other_Control || bidi)
            shown += u < 0x100 ? QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'))
                               : QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

namespace {

// Columns padded to their widest cell, two blanks apart.
void printAligned(const TextTable& table, QTextStream& out)
{
    QVector<QStringList> lines;
    if (!table.header.isEmpty())
        lines << table.header;
    lines += table.rows;
    for (QStringList& line : lines)
        for (QString& cell : line)
            cell = Visible(cell);
    QVector<int> widths;
    for (const QStringList& line : lines) {
        widths.resize(std::max<int>(widths.size(), line.size()));
        for (int c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], int(line.at(c).size()));
    }
    for (const QStringList& line : lines) {
        QString text;
        for (int c = 0; c < line.size(); ++c) {
            if (c + 1 < line.size())
                text += line.at(c).leftJustified(widths[c]) + QStringLiteral("  ");
            else
                text += line.at(c);
        }
        out << text.trimmed() << '\n';
    }
}

} // namespace

QString UnableToWriteText(const QString& output, const QString& reason)
{
    return Cli::tr("Unable to write %1: %2").arg(output, reason);
}

bool FlushOutput(QTextStream& out, QTextStream& err)
{
    out.flush();
    if (out.status() == QTextStream::Ok)
        return true;
    const auto* file = qobject_cast<QFileDevice*>(out.device());
    const QString reason = file && file->error() != QFileDevice::NoError ? file->errorString() : QString();
    err << (reason.isEmpty() ? Cli::tr("Unable to write to standard output.")
                             : Cli::tr("Unable to write to standard output: %1").arg(reason))
        << Qt::endl;
    return false;
}

bool WriteOutput(const QString& output, const QByteArray& bytes, QTextStream& out, QTextStream& err)
{
    if (output == QLatin1String("-")) {
        // Through `out`, which the program opens on standard output in UTF-8.
        out << QString::fromUtf8(bytes);
        return FlushOutput(out, err);
    }
    OutputFile file(output);
    if (!file.open() || !file.write(bytes) || !file.commit()) {
        err << UnableToWriteText(output, file.errorString()) << Qt::endl;
        return false;
    }
    return true;
}

bool WriteOutputStream(const QString& output, const std::function<bool(const OutputWrite&)>& produce, QTextStream& out,
                       QTextStream& err)
{
    if (output == QLatin1String("-")) {
        // The producer hands over whole lines, so no character is cut between two pieces.
        const bool produced = produce([&out](const QByteArray& bytes) {
            out << QString::fromUtf8(bytes);
            return out.status() == QTextStream::Ok;
        });
        return FlushOutput(out, err) && produced;
    }
    OutputFile file(output);
    if (!file.open() || !produce([&file](const QByteArray& bytes) { return file.write(bytes); }) || !file.commit()) {
        err << UnableToWriteText(output, file.errorString()) << Qt::endl;
        return false;
    }
    return true;
}

bool OutputIsNotInput(const QString& input, const QString& output, QTextStream& err)
{
    if (output == QLatin1String("-") || !OutputFile::SameFile(input, output))
        return true;
    err << Cli::tr("%1 is the input itself: choose another output.").arg(output) << Qt::endl;
    return false;
}

bool DecodeArguments(int argc, const char* const* argv, QStringList& args, QString* error, QMap<int, QString>* unreadable)
{
    args.clear();
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString text = QFile::decodeName(raw);
        if (QFile::encodeName(text) != raw) {
            QString shown;
            for (char c : raw)
                shown += uchar(c) < 0x80 && uchar(c) >= 0x20 ? QString(QLatin1Char(c))
                                                              : QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
            if (unreadable) {
                unreadable->insert(args.size(), shown);
            } else {
                *error = Cli::tr("%1 is not valid text in this system's encoding (%2): it cannot be used.")
                             .arg(shown, QString::fromLatin1(QTextCodec::codecForLocale()->name()));
                return false;
            }
        }
        args << text;
    }
    return true;
}

QString UsageText()
{
    return Cli::tr("Usage:\n"
              "  corvane-audit-cli export INPUT OUTPUT [--format csv|xlsx|pdf]\n"
              "                    [--table events|users|configuration|findings]\n"
              "                    [--dst N,W,M,N,W,M,add|subtract,H]\n"
              "                    [--date-format dmy|mdy] [--hour-format 24|12]\n"
              "                    [--audit full|simple] [--language en|it|es]\n"
              "  corvane-audit-cli show INPUT [--dst ...] [display options as above]\n"
              "  corvane-audit-cli ports\n"
              "  corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]\n"
              "                    [--archive PATH|--no-archive] OUTPUT.kaud|OUTPUT.bin\n"
              "  corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]\n"
              "  corvane-audit-cli download [--port PATH] [--events N] [--new] [--wait SECONDS]\n"
              "                    [--capture FILE] [--archive PATH|--no-archive] OUTPUT.kaud\n"
              "  corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]\n"
              "                    [--language en|it|es] [--capture FILE] OUTPUT.csv|-\n"
              "  corvane-audit-cli archive import [--archive PATH] FILE...\n"
              "  corvane-audit-cli archive locks [--archive PATH] [display options] OUTPUT.csv|-\n"
              "  corvane-audit-cli archive history SERIAL [--archive PATH] [--new] [export options] OUTPUT\n"
              "  corvane-audit-cli archive verify [--archive PATH] [--head HEX]\n"
              "  corvane-audit-cli archive audits SERIAL [--archive PATH] DIR\n"
              "  corvane-audit-cli archive search [--archive PATH] [--lock SERIAL]... [--from DATE]\n"
              "                    [--to DATE] [--event CODE]... [--user N] OUTPUT.csv|-\n"
              "  corvane-audit-cli archive sync [--archive URL]\n"
              "  corvane-audit-cli archive people SERIAL [--archive PATH] [--language en|it|es] OUTPUT.csv|-\n"
              "  corvane-audit-cli archive people SERIAL [--archive PATH] --set USER PERSON --from DAY\n"
              "                    [--until DAY]\n"
              "  corvane-audit-cli archive people SERIAL [--archive PATH] --remove USER --from DAY\n"
              "  corvane-audit-cli archive people SERIAL [--archive PATH] --import FILE.csv\n"
              "  corvane-audit-cli archive findings [--archive PATH] [--lock SERIAL]... [--kind KEY]...\n"
              "                    [--from DATE] [--to DATE] [--at DATE] [display options] OUTPUT.csv|-\n"
              "  corvane-audit-cli archive hours [--archive PATH] [SERIAL|--default] [TEXT]\n"
              "  corvane-audit-cli archive closed [--archive PATH] add|remove DATE...|-\n"
              "  corvane-audit-cli archive findings-settings [--archive PATH] [--wrong-codes N/MINUTES]\n"
              "                    [--clock-minutes M] [--door-minutes M] [--visit-days D]\n"
              "  corvane-audit-cli --version\n"
              "\n"
              "INPUT is an audit file (.kaud) or a raw Dallas audit image of 8192 bytes.\n"
              "OUTPUT is a .csv, .xlsx or .pdf file (--format overrides the extension),\n"
              "or - for CSV on standard output. --table picks the CSV's table; the workbook\n"
              "and the PDF report hold the first three. The findings of one audit are judged\n"
              "with the default hours and thresholds; those of the archive's locks by its own.\n"
              "--dst applies a daylight-saving correction from the N-th weekday W of month M\n"
              "to the N-th weekday W of month M (N 1..5, 5 = last; W 0 = Sunday .. 6 = Saturday;\n"
              "M 1..12), adding or subtracting H hours (0, 0.5, 1, 1.5 or 2).\n"
              "Example: --dst 5,0,3,5,0,10,add,1\n"
              "Exit status: 0 done, 1 refused input or failed output, 2 usage error, 130 stopped.\n"
              "COMMAND --help tells more of a command.\n");
}

QString CommandUsageText(const QString& command)
{
    const QString display = Cli::tr("  --dst N,W,M,N,W,M,add|subtract,H   a daylight-saving correction first, e.g.\n"
                                    "                      5,0,3,5,0,10,add,1 (see corvane-audit-cli --help)\n"
                                    "  --date-format dmy|mdy, --hour-format 24|12, --audit full|simple,\n"
                                    "  --language en|it|es   how dates and events are written (default dmy, 24,\n"
                                    "                      simple, en)\n");
    if (command == QLatin1String("export"))
        return Cli::tr("Usage: corvane-audit-cli export INPUT OUTPUT [options]\n"
                       "Writes the audit in INPUT (an audit file or a raw Dallas audit image) to OUTPUT:\n"
                       "comma-separated values (.csv, or - for standard output), an Excel workbook (.xlsx)\n"
                       "or a PDF report (.pdf).\n"
                       "  --format csv|xlsx|pdf   the format, whatever OUTPUT's extension\n"
                       "  --table events|users|configuration|findings   the table of a CSV (default\n"
                       "                   events); the findings are judged with the default opening hours\n"
                       "                   (Mon-Fri 07:00-20:00) and thresholds\n")
            + display
            + Cli::tr("OUTPUT is replaced only by a complete file; it may not be INPUT itself, a folder\n"
                      "or a read-only file.\n");
    if (command == QLatin1String("show"))
        return Cli::tr("Usage: corvane-audit-cli show INPUT [options]\n"
                       "Prints the whole audit in INPUT: identity, configuration, users and events.\n")
            + display;
    if (IsDeviceCommand(command))
        return DeviceUsageText(command);
    return UsageText();
}

QString UsageHint(const QString& command)
{
    if (command == QLatin1String("export") || command == QLatin1String("show") || IsDeviceCommand(command))
        return Cli::tr("Try 'corvane-audit-cli %1 --help'.").arg(command);
    return Cli::tr("Try 'corvane-audit-cli --help'.");
}

int TakeOption(const QStringList& args, int& i, Options& o, bool exporting, QString* error)
{
    // Each option takes one of a few words; the word's position is the stored value.
    struct Choice
    {
        const char* option;
        QStringList words;
        std::function<void(int)> store;
        bool exportOnly;
    };
    const Choice choices[] = {
        { "--table", { "events", "users", "configuration", "findings" }, [&o](int k) { o.table = QStringList{ "events", "users", "configuration", "findings" }.at(k); }, true },
        { "--date-format", { "dmy", "mdy" }, [&o](int k) { o.presentation.display.dateFormat = k; }, false },
        { "--hour-format", { "24", "12" }, [&o](int k) { o.presentation.display.hourFormat = k; }, false },
        { "--audit", { "full", "simple" }, [&o](int k) { o.presentation.auditType = k; }, false },
        { "--language", { "en", "it", "es" }, [&o](int k) { o.language = QStringList{ "en", "it", "es" }.at(k); }, false },
        { "--format", { "csv", "xlsx", "pdf" }, [&o](int k) { o.format = QStringList{ "csv", "xlsx", "pdf" }.at(k); }, true },
    };
    const QString& a = args.at(i);
    if (a == QLatin1String("--dst")) {
        QString v;
        if (!takeValue(args, i, v, error) || !ParseDstRule(v, o.presentation.dstRule, error))
            return -1;
        o.presentation.dst = true;
        return 1;
    }
    for (const Choice& c : choices) {
        if (a != QLatin1String(c.option) || (c.exportOnly && !exporting))
            continue;
        QString v;
        if (!takeValue(args, i, v, error))
            return -1;
        const int k = c.words.indexOf(v);
        if (k < 0) {
            *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(a, v, c.words.join(QLatin1Char('|')));
            return -1;
        }
        c.store(k);
        return 1;
    }
    return 0;
}

bool ParseArguments(const QStringList& args, Options& o, QString* error)
{
    if (args.isEmpty()) {
        *error = Cli::tr("No command given.");
        return false;
    }
    o.command = args.first();
    const bool exporting = o.command == QLatin1String("export");
    if (!exporting && o.command != QLatin1String("show")) {
        *error = Cli::tr("Unknown command: %1").arg(o.command);
        return false;
    }
    QStringList positional;
    for (int i = 1; i < args.size(); ++i) {
        const int taken = TakeOption(args, i, o, exporting, error);
        if (taken < 0)
            return false;
        if (taken > 0)
            continue;
        const QString& a = args.at(i);
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            *error = Cli::tr("Unknown option: %1").arg(a);
            return false;
        }
        positional << a;
    }
    const int expected = exporting ? 2 : 1;
    if (positional.size() != expected) {
        *error = Cli::tr("Wrong number of arguments.");
        return false;
    }
    o.input = positional.at(0);
    if (expected == 2) {
        o.output = positional.at(1);
        const bool standardOutput = o.output == QLatin1String("-");
        if (o.format.isEmpty())
            o.format = standardOutput ? QStringLiteral("csv") : FormatOfOutput(o.output);
        if (o.format.isEmpty()) {
            *error = Cli::tr("Unsupported output: %1 (use a .csv, .xlsx or .pdf file, or -).").arg(o.output);
            return false;
        }
        if (standardOutput && o.format != QLatin1String("csv")) {
            *error = Cli::tr("Only CSV goes to standard output.");
            return false;
        }
    }
    return true;
}

bool LoadAudit(const Options& o, LoadedAudit& audit, QTextStream& err)
{
    AuditSession& session = *audit.session;
    QFile file(o.input);
    if (!file.open(QIODevice::ReadOnly)) {
        err << Cli::tr("Unable to read %1: %2").arg(o.input, file.errorString()) << Qt::endl;
        return false;
    }
    // Never more than the longest audit file: a stray large file (or an endless pipe) is not read whole.
    const bool namedAuditFile = o.input.endsWith(QLatin1String(".kaud"), Qt::CaseInsensitive);
    const QByteArray data = file.read(AuditFile::MaxFileSize + (namedAuditFile ? 0 : 1));

    // An audit file is known by its name, or, saved without it, by its content.
    bool recognised = false;
    if (namedAuditFile) {
        if (!AuditFile::Parse(data, session).valid) {
            err << QCoreApplication::translate("MainWindow", "File not valid") << Qt::endl;
            return false;
        }
        recognised = true;
    } else if (data.size() == AuditSession::DallasImageSize) {
        session.busAudit = false;
        std::copy(data.begin(), data.end(), session.dallasImage.begin());
        recognised = true;
    } else if (data.size() <= AuditFile::MaxFileSize) {
        recognised = AuditFile::Parse(data, session).valid;
    }
    if (!recognised) {
        err << Cli::tr("%1 is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.").arg(o.input)
            << Qt::endl;
        return false;
    }

    session.decoded = DecodeAudit(session);
    bool empty = false;
    for (DecodeNotice notice : session.decoded.notices) {
        err << DecodeNoticeText(notice) << Qt::endl;
        empty = empty || notice == DecodeNotice::KeyEmpty;
    }
    // An empty key holds no audit: nothing to write.
    if (!session.decoded.ok || empty)
        return false;
    audit.view = PresentAudit(session.decoded, session.busAudit, o.presentation);
    session.dstApplied = audit.view.dstApplied;
    return true;
}

int WriteExport(const Options& options, const LoadedAudit& audit, QTextStream& out, QTextStream& err)
{
    if (options.format != QLatin1String("csv"))
        return WriteReportOutput(options, audit, err) ? Success : Rejected;
    if (options.table == QLatin1String("users"))
        return WriteOutput(options.output, ToCsv(UsersTextTable(audit.view.configuration)), out, err) ? Success : Rejected;
    if (options.table == QLatin1String("configuration"))
        return WriteOutput(options.output, ToCsv(ConfigurationTextTable(audit.view.configuration)), out, err) ? Success
                                                                                                            : Rejected;
    if (options.table == QLatin1String("findings")) {
        if (audit.view.isHistory()) {
            err << Cli::tr("A lock's history has its findings written by 'corvane-audit-cli archive findings --lock SERIAL'.")
                << Qt::endl;
            return UsageError;
        }
        return WriteOutput(options.output, ToCsv(AuditFindingsTable(audit, options)), out, err) ? Success : Rejected;
    }
    // A row at a time: a history of a million events is never held as text.
    const AuditView& view = audit.view;
    return WriteOutputStream(options.output, [&view](const OutputWrite& write) { return WriteEventsCsv(view, write); },
                             out, err)
        ? Success
        : Rejected;
}

int Run(const QStringList& args, QTextStream& out, QTextStream& err, const QMap<int, QString>& unreadable)
{
    // The language is taken first, so that usage errors are told in it too.
    const int languageAt = args.indexOf(QStringLiteral("--language"));
    const QString language = languageAt >= 0 ? args.value(languageAt + 1) : QString();
    installTranslation(QStringList{ "it", "es" }.contains(language) ? language : QStringLiteral("en"));
    PrepareInterruption();

    const QString command = args.value(0);
    if (command == QLatin1String("--version")) {
        out << "corvane-audit-cli " << CORVANE_VERSION << '\n';
        return FlushOutput(out, err) ? Success : Rejected;
    }
    if (command == QLatin1String("archive"))
        return RunArchiveCommand(args, out, err, unreadable);
    if (!unreadable.isEmpty()) {
        err << Cli::tr("%1 is not valid text in this system's encoding (%2): it cannot be used.")
                   .arg(unreadable.first(), QString::fromLatin1(QTextCodec::codecForLocale()->name()))
            << Qt::endl;
        return Rejected;
    }
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << CommandUsageText(command);
        return FlushOutput(out, err) ? Success : Rejected;
    }
    if (IsDeviceCommand(command))
        return RunDeviceCommand(args, out, err);

    Options options;
    QString error;
    if (!ParseArguments(args, options, &error)) {
        const bool known = command == QLatin1String("export") || command == QLatin1String("show");
        err << error << '\n' << UsageHint(known ? command : QString()) << '\n' << Qt::flush;
        return UsageError;
    }
    if (!options.output.isEmpty() && !OutputIsNotInput(options.input, options.output, err))
        return Rejected;

    LoadedAudit audit;
    if (!LoadAudit(options, audit, err))
        return Rejected;

    if (options.command == QLatin1String("export"))
        return WriteExport(options, audit, out, err);

    // From here on everything goes to standard output.

    const ConfigPresentation& p = audit.view.configuration;
    out << QCoreApplication::translate("MainWindow", "Informations") << '\n';
    TextTable identity = ConfigurationTextTable(p);
    identity.rows.resize(6);
    printAligned(identity, out);
    out << '\n' << QCoreApplication::translate("MainWindow", "Configuration") << '\n';
    TextTable configuration;
    for (const ConfigItem& item : p.configuration)
        configuration.rows.append({ item.caption, item.value });
    printAligned(configuration, out);
    out << '\n' << QCoreApplication::translate("MainWindow", "Users") << '\n';
    printAligned(UsersTextTable(p), out);
    out << '\n' << QCoreApplication::translate("MainWindow", "Events") << '\n';
    // Without a DST correction the "Date with DST" column only repeats "Date".
    printAligned(EventsTextTable(audit.view, EventColumnsOf(SingleAuditFace, audit.view.dstApplied)), out);
    return FlushOutput(out, err) ? Success : Rejected;
}

} // namespace cli
