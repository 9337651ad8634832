#include "AuditCli.h"

#include "AuditFile.h"
#include "DeviceCommands.h"
#include "InstallPaths.h"
#include "ReportOutput.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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
    if (language == QLatin1String("en"))
        return;
    for (const QString& dir : installpaths::TranslationDirectories()) {
        if (translator.load(QStringLiteral("audit_%1.qm").arg(language), dir, QString(), QString())) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}


// Columns padded to their widest cell, two blanks apart.
void printAligned(const TextTable& table, QTextStream& out)
{
    QVector<QStringList> lines;
    if (!table.header.isEmpty())
        lines << table.header;
    lines += table.rows;
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

bool WriteOutput(const QString& output, const QByteArray& bytes, QTextStream& out, QTextStream& err)
{
    if (output == QLatin1String("-")) {
        // Through `out`, which the program opens on standard output in UTF-8.
        out << QString::fromUtf8(bytes);
        out.flush();
        if (out.status() != QTextStream::Ok) {
            err << Cli::tr("Unable to write to standard output.") << Qt::endl;
            return false;
        }
        return true;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err << Cli::tr("Unable to write %1: %2").arg(output, file.errorString()) << Qt::endl;
        return false;
    }
    return true;
}

QString UsageText()
{
    return Cli::tr("Usage:\n"
              "  corvane-audit-cli export INPUT OUTPUT [--format csv|xlsx|pdf]\n"
              "                    [--table events|users|configuration]\n"
              "                    [--dst N,W,M,N,W,M,add|subtract,H]\n"
              "                    [--date-format dmy|mdy] [--hour-format 24|12]\n"
              "                    [--audit full|simple] [--language en|it|es]\n"
              "  corvane-audit-cli show INPUT [--dst ...] [display options as above]\n"
              "  corvane-audit-cli ports\n"
              "  corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]\n"
              "                    OUTPUT.kaud|OUTPUT.bin\n"
              "  corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]\n"
              "  corvane-audit-cli download [--port PATH] [--events N] [--wait SECONDS] [--capture FILE]\n"
              "                    OUTPUT.kaud\n"
              "  corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]\n"
              "                    [--language en|it|es] [--capture FILE] OUTPUT.csv|-\n"
              "\n"
              "INPUT is an audit file (.kaud) or a raw Dallas audit image of 8192 bytes.\n"
              "OUTPUT is a .csv, .xlsx or .pdf file (--format overrides the extension),\n"
              "or - for CSV on standard output. --table picks the CSV's table; the workbook\n"
              "and the PDF report hold all three.\n"
              "--dst applies a daylight-saving correction from the N-th weekday W of month M\n"
              "to the N-th weekday W of month M (N 1..5, 5 = last; W 0 = Sunday .. 6 = Saturday;\n"
              "M 1..12), adding or subtracting H hours (0, 0.5, 1, 1.5 or 2).\n"
              "Example: --dst 5,0,3,5,0,10,add,1\n"
              "COMMAND --help tells more of a command.\n");
}

bool ParseArguments(const QStringList& args, Options& o, QString* error)
{
    if (args.isEmpty()) {
        *error = Cli::tr("No command given.");
        return false;
    }
    o.command = args.first();
    if (o.command != QLatin1String("export") && o.command != QLatin1String("show")) {
        *error = Cli::tr("Unknown command: %1").arg(o.command);
        return false;
    }
    // Each option takes one of a few words; the word's position is the stored value.
    struct Choice
    {
        const char* option;
        QStringList words;
        std::function<void(int)> store;
    };
    const Choice choices[] = {
        { "--table", { "events", "users", "configuration" }, [&o](int k) { o.table = QStringList{ "events", "users", "configuration" }.at(k); } },
        { "--date-format", { "dmy", "mdy" }, [&o](int k) { o.display.dateFormat = k; } },
        { "--hour-format", { "24", "12" }, [&o](int k) { o.display.hourFormat = k; } },
        { "--audit", { "full", "simple" }, [&o](int k) { o.auditType = k; } },
        { "--language", { "en", "it", "es" }, [&o](int k) { o.language = QStringList{ "en", "it", "es" }.at(k); } },
        { "--format", { "csv", "xlsx", "pdf" }, [&o](int k) { o.format = QStringList{ "csv", "xlsx", "pdf" }.at(k); } },
    };
    QStringList positional;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const Choice* choice = nullptr;
        for (const Choice& c : choices)
            if (a == QLatin1String(c.option))
                choice = &c;
        if (a == QLatin1String("--dst")) {
            QString v;
            if (!takeValue(args, i, v, error) || !ParseDstRule(v, o.dstRule, error))
                return false;
            o.dst = true;
        } else if (choice) {
            QString v;
            if (!takeValue(args, i, v, error))
                return false;
            const int k = choice->words.indexOf(v);
            if (k < 0) {
                *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(a, v, choice->words.join(QLatin1Char('|')));
                return false;
            }
            choice->store(k);
        } else if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            *error = Cli::tr("Unknown option: %1").arg(a);
            return false;
        } else {
            positional << a;
        }
    }
    const int expected = o.command == QLatin1String("export") ? 2 : 1;
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
    const bool auditFile = o.input.endsWith(QLatin1String(".kaud"), Qt::CaseInsensitive);
    // Sized before reading, so a stray large file is never read whole.
    const QByteArray data = auditFile || file.size() == AuditSession::DallasImageSize
        ? file.read(auditFile ? AuditFile::MaxFileSize : AuditSession::DallasImageSize)
        : QByteArray();

    if (auditFile) {
        if (!AuditFile::Parse(data, session).valid) {
            err << QCoreApplication::translate("MainWindow", "File not valid") << Qt::endl;
            return false;
        }
    } else if (data.size() == AuditSession::DallasImageSize) {
        session.busAudit = false;
        std::copy(data.begin(), data.end(), session.dallasImage.begin());
    } else {
        err << Cli::tr("%1 is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.").arg(o.input)
            << Qt::endl;
        return false;
    }

    const DecodeResult decoded = DecodeAudit(session);
    for (DecodeNotice notice : decoded.notices)
        err << DecodeNoticeText(notice) << Qt::endl;
    if (!decoded.ok)
        return false;

    audit.presentation = PresentConfig(session.config, session.busAudit, session.lockEvents, o.display);
    OrderEvents(session, o.auditType);
    if (o.dst) {
        ApplyDstCorrection(session.mergedEvents, session.mergedEvents.size(), session.timeDateTable, o.dstRule);
        session.dstApplied = true;
    }
    audit.rows = BuildEventRows(session.mergedEvents, o.display, session.dstApplied);
    return true;
}

int Run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    // The language is taken first, so that usage errors are told in it too.
    const int languageAt = args.indexOf(QStringLiteral("--language"));
    const QString language = languageAt >= 0 ? args.value(languageAt + 1) : QString();
    installTranslation(QStringList{ "it", "es" }.contains(language) ? language : QStringLiteral("en"));

    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << (IsDeviceCommand(args.value(0)) ? DeviceUsageText(args.value(0)) : UsageText()) << Qt::flush;
        return Success;
    }
    if (IsDeviceCommand(args.value(0)))
        return RunDeviceCommand(args, out, err);

    Options options;
    QString error;
    if (!ParseArguments(args, options, &error)) {
        err << error << '\n' << '\n' << UsageText() << Qt::flush;
        return UsageError;
    }

    LoadedAudit audit;
    if (!LoadAudit(options, audit, err))
        return Rejected;

    if (options.command == QLatin1String("export")) {
        if (options.format != QLatin1String("csv"))
            return WriteReportOutput(options, audit, err) ? Success : Rejected;
        TextTable table;
        if (options.table == QLatin1String("users"))
            table = UsersTextTable(audit.presentation);
        else if (options.table == QLatin1String("configuration"))
            table = ConfigurationTextTable(audit.presentation);
        else
            table = EventsTextTable(audit.rows);
        return WriteOutput(options.output, ToCsv(table), out, err) ? Success : Rejected;
    }

    const ConfigPresentation& p = audit.presentation;
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
    TextTable events = EventsTextTable(audit.rows);
    // Without a DST correction the "Date with DST" column only repeats "Date".
    if (!audit.session->dstApplied) {
        events.header.removeAt(3);
        for (QStringList& row : events.rows)
            row.removeAt(3);
    }
    printAligned(events, out);
    out.flush();
    return Success;
}

} // namespace cli
