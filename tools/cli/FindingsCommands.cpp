#include "FindingsCommands.h"

#include "archive/Archive.h"
#include "archive/ArchiveLocation.h"
#include "archive/ArchiveService.h"
#include "model/Findings.h"
#include "model/OutputFile.h"
#include "model/ReportContent.h"
#include "reports/PdfReport.h"
#include "ReportOutput.h"
#include "reports/XlsxReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMap>

#include <unistd.h>

namespace cli {

namespace {

struct Cli
{
    Q_DECLARE_TR_FUNCTIONS(cli)
};

const QStringList Commands = { "findings", "hours", "closed", "findings-settings" };
const QString DayForm = QStringLiteral("yyyy-MM-dd");
const Threshold AllThresholds[] = { Threshold::WrongCodes, Threshold::ClockMinutes, Threshold::DoorMinutes,
                                    Threshold::VisitDays };
// What `archive hours SERIAL default` says: back to the team's default.
const QString DefaultWord = QStringLiteral("default");

struct FindingsOptions
{
    QString command;
    QString archive;
    FindingsQuery query;
    QStringList kinds;
    Options output; // display choices and the output of `findings`
    bool defaultHours = false;
    // findings-settings: the thresholds to set, as given, in the order given.
    QVector<QPair<Threshold, QString>> thresholds;
    QStringList positional;
};

bool TakeValue(const QStringList& args, int& i, QString* value, QString* error)
{
    if (i + 1 >= args.size()) {
        *error = Cli::tr("Option %1 needs a value.").arg(args.at(i));
        return false;
    }
    *value = args.at(++i);
    return true;
}

bool ParseDay(const QString& text, QDate* day, QString* error)
{
    *day = QDate::fromString(text.trimmed(), DayForm);
    if (day->isValid())
        return true;
    *error = Cli::tr("%1 is not a date: a date is written YYYY-MM-DD.").arg(text);
    return false;
}

// A lock's texts reach a terminal with their control characters shown, not obeyed.
bool IsTerminal(QTextStream& out)
{
    const auto* file = qobject_cast<QFile*>(out.device());
    return file && file->handle() >= 0 && ::isatty(file->handle());
}

TextTable Shown(TextTable table, QTextStream& out)
{
    if (!IsTerminal(out))
        return table;
    for (QString& cell : table.header)
        cell = Visible(cell);
    for (QStringList& row : table.rows)
        for (QString& cell : row)
            cell = Visible(cell);
    return table;
}

bool Parse(const QStringList& args, FindingsOptions& o, QString* error)
{
    o.command = args.value(1);
    const bool findings = o.command == QLatin1String("findings");
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args.at(i);
        QString value;
        if (a == QLatin1String("--archive")) {
            if (!TakeValue(args, i, &o.archive, error))
                return false;
            continue;
        }
        if (findings && (a == QLatin1String("--lock") || a == QLatin1String("--kind"))) {
            if (!TakeValue(args, i, &value, error))
                return false;
            (a == QLatin1String("--lock") ? o.query.locks : o.kinds) << value;
            continue;
        }
        if (findings && (a == QLatin1String("--from") || a == QLatin1String("--to"))) {
            const bool to = a == QLatin1String("--to");
            if (!TakeValue(args, i, &value, error))
                return false;
            if (!SearchDay(value, to, to ? &o.query.to : &o.query.from)) {
                *error = Cli::tr("Unknown value for %1: %2 (use %3).").arg(a, value, QStringLiteral("YYYY-MM-DD"));
                return false;
            }
            continue;
        }
        if (findings && a == QLatin1String("--at")) {
            if (!TakeValue(args, i, &value, error) || !ParseDay(value, &o.query.at, error))
                return false;
            continue;
        }
        if (findings && (a == QLatin1String("--dst") || a == QLatin1String("--date-format") || a == QLatin1String("--hour-format")
                         || a == QLatin1String("--format"))) {
            if (TakeOption(args, i, o.output, a == QLatin1String("--format"), error) < 0)
                return false;
            continue;
        }
        if (a == QLatin1String("--language")) {
            if (TakeOption(args, i, o.output, false, error) < 0)
                return false;
            continue;
        }
        if (o.command == QLatin1String("hours") && a == QLatin1String("--default")) {
            o.defaultHours = true;
            continue;
        }
        if (o.command == QLatin1String("findings-settings") && a.startsWith(QLatin1String("--"))) {
            bool known = false;
            for (Threshold which : AllThresholds) {
                if (a != QLatin1String("--") + ThresholdName(which))
                    continue;
                known = true;
                FindingThresholds scratch;
                if (!TakeValue(args, i, &value, error) || !SetThreshold(&scratch, which, value, error))
                    return false;
                o.thresholds.append({ which, value });
            }
            if (known)
                continue;
        }
        if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            *error = Cli::tr("Unknown option: %1").arg(a);
            return false;
        }
        o.positional << a;
    }

    if (findings) {
        if (!o.kinds.isEmpty() && !FindingKeys::Parse(o.kinds.join(QLatin1Char(',')), &o.query.keys, error))
            return false;
        o.query.dst = o.output.presentation.dst;
        o.query.dstRule = o.output.presentation.dstRule;
        if (o.positional.size() != 1) {
            *error = Cli::tr("Wrong number of arguments.");
            return false;
        }
        Options& out = o.output;
        out.output = o.positional.first();
        const bool standardOutput = out.output == QLatin1String("-");
        if (out.format.isEmpty())
            out.format = standardOutput ? QStringLiteral("csv") : FormatOfOutput(out.output);
        if (out.format.isEmpty() || (standardOutput && out.format != QLatin1String("csv"))) {
            *error = Cli::tr("Unsupported output: %1").arg(out.output);
            return false;
        }
        return true;
    }
    if (o.command == QLatin1String("hours")) {
        // The hours may come as one argument or as several words.
        if (o.defaultHours && o.positional.size() == 1 && o.positional.first() == DefaultWord) {
            *error = Cli::tr("The default hours cannot go back to themselves: give them as in \"Mon-Fri 07:00-20:00\".");
            return false;
        }
        const QStringList words = o.positional.mid(o.defaultHours ? 0 : 1);
        if (!words.isEmpty() && !(words.size() == 1 && words.first() == DefaultWord)) {
            OpeningHours hours;
            if (!OpeningHours::Parse(words.join(QLatin1Char(' ')), &hours, error))
                return false;
        }
        return true;
    }
    if (o.command == QLatin1String("closed")) {
        const QString verb = o.positional.value(0);
        if (o.positional.isEmpty() || (verb == QLatin1String("-") && o.positional.size() == 1))
            return true;
        if ((verb != QLatin1String("add") && verb != QLatin1String("remove")) || o.positional.size() < 2) {
            *error = Cli::tr("Wrong number of arguments.");
            return false;
        }
        for (const QString& text : o.positional.mid(1)) {
            QDate day;
            if (!ParseDay(text, &day, error))
                return false;
        }
        return true;
    }
    if (!o.positional.isEmpty()) {
        *error = Cli::tr("Wrong number of arguments.");
        return false;
    }
    return true;
}

int Failed(Archive& archive, QTextStream& err)
{
    err << archive.errorString() << Qt::endl;
    return Rejected;
}

// The fleet's findings report: titled with its locks and its days, a lock's findings together
// under a line that counts them, in the workbook and the PDF alike.
bool WriteFindingsReport(const FindingsOptions& o, const QVector<LockFindings>& locks, const TextTable& table,
                         QTextStream& err)
{
    const DisplaySettings& display = o.output.presentation.display;
    qint64 first = o.query.from, last = o.query.to >= 0 ? o.query.to - 1 : -1;
    for (const LockFindings& lock : locks)
        for (const Finding& f : lock.findings) {
            if (f.date <= 0)
                continue;
            if (o.query.from < 0)
                first = first < 0 ? f.date : std::min(first, f.date);
            if (o.query.to < 0)
                last = std::max(last, f.date);
        }
    const QString pattern = display.dateFormat == 1 ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy");
    const auto day = [&](qint64 seconds) { return AuditDateTime(seconds).date().toString(pattern); };
    ReportContent content;
    content.display = display;
    content.history = true;
    content.printed = FormatDateTime(ReportPrintedAt(), display);
    content.title = first >= 0 && last >= 0
        ? QCoreApplication::translate("FindingsTab", "Findings: %n locks, %1 to %2", nullptr, locks.size())
              .arg(day(first), day(last))
        : QCoreApplication::translate("FindingsTab", "Findings: %n locks", nullptr, locks.size());
    // Each lock's rows follow a row that names it and counts its findings by kind.
    QVector<QStringList> rows;
    int row = 0;
    for (const LockFindings& lock : locks) {
        QMap<int, int> counts;
        for (const Finding& f : lock.findings)
            ++counts[int(f.key)];
        QStringList parts;
        for (auto c = counts.cbegin(); c != counts.cend(); ++c)
            parts << QStringLiteral("%1 %2").arg(FindingText(FindingKey(c.key()))).arg(c.value());
        QStringList heading;
        for (int c = 0; c < table.header.size(); ++c)
            heading << QString();
        heading[0] = lock.serial;
        heading[1] = ShownLockText(lock.name);
        heading[2] = parts.isEmpty() ? QCoreApplication::translate("MainWindow", "Nothing deserves a look.") : parts.join(QStringLiteral(" \u00b7 "));
        rows.append(heading);
        while (row < table.rows.size() && table.rows[row].value(0) == lock.serial)
            rows.append(table.rows[row++]);
    }
    const double sheet[] = { 14, 18, 26, 20, 20, 16, 20, 8, 7 };
    const char* pdf[] = { "9%", "12%", "16%", "14%", "14%", "10%", "12%", "7%", "6%" };
    QVector<ReportColumn> columns;
    for (int c = 0; c < table.header.size() && c < int(std::size(sheet)); ++c)
        columns.append({ table.header[c], CellKind::Text, sheet[c], QLatin1String(pdf[c]) });
    ReportSection section = TextSection(QCoreApplication::translate("MainWindow", "Findings"), columns, rows);
    section.frozenHeader = true;
    section.longRows = true;
    content.sections.append(section);
    QString reason;
    bool written = false;
    if (o.output.format == QLatin1String("xlsx")) {
        written = WriteXlsxReport(content, o.output.output, &reason);
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        written = WritePdfReport(content, o.output.output, o.output.output, &reason);
    } else {
        err << Cli::tr("The PDF report needs a graphical application object.") << Qt::endl;
        return false;
    }
    if (!written)
        err << UnableToWriteText(o.output.output, reason) << Qt::endl;
    return written;
}

int Findings(Archive& archive, const FindingsOptions& o, QTextStream& out, QTextStream& err)
{
    QVector<LockFindings> locks;
    if (!archive.findings(o.query, &locks))
        return Failed(archive, err);
    const TextTable table = FindingsTextTable(locks, o.output.presentation.display);
    const QString& output = o.output.output;
    if (o.output.format != QLatin1String("csv"))
        return WriteFindingsReport(o, locks, table, err) ? Success : Rejected;
    const bool toTerminal = output == QLatin1String("-");
    return WriteOutput(output, ToCsv(toTerminal ? Shown(table, out) : table), out, err) ? Success : Rejected;
}

int Print(const TextTable& lines, QTextStream& out, QTextStream& err)
{
    out << QString::fromUtf8(ToCsv(Shown(lines, out)));
    return FlushOutput(out, err) ? Success : Rejected;
}

int Hours(Archive& archive, const FindingsOptions& o, QTextStream& out, QTextStream& err)
{
    const QString star = QStringLiteral("*");
    TextTable lines;
    QStringList words = o.positional;
    QString serial;
    if (!o.defaultHours && !words.isEmpty()) {
        if (!archive.findLock(words.takeFirst(), &serial))
            return Failed(archive, err);
    }
    if (!words.isEmpty()) {
        OpeningHours hours;
        QString error;
        const bool backToDefault = words.size() == 1 && words.first() == DefaultWord;
        if (!backToDefault)
            OpeningHours::Parse(words.join(QLatin1Char(' ')), &hours, &error);
        const bool set = o.defaultHours ? archive.setDefaultHours(hours)
                                        : archive.setLockHours(serial, backToDefault ? nullptr : &hours);
        if (!set)
            return Failed(archive, err);
    }
    OpeningHours hours;
    if (o.defaultHours || serial.isEmpty()) {
        if (!archive.defaultHours(&hours))
            return Failed(archive, err);
        lines.rows.append({ star, hours.toText() });
    }
    if (!serial.isEmpty()) {
        if (!archive.lockHours(serial, &hours))
            return Failed(archive, err);
        lines.rows.append({ serial, hours.toText() });
    } else if (!o.defaultHours) {
        QVector<QPair<QString, OpeningHours>> own;
        if (!archive.ownHours(&own))
            return Failed(archive, err);
        for (const auto& lock : own)
            lines.rows.append({ lock.first, lock.second.toText() });
    }
    return Print(lines, out, err);
}

int Closed(Archive& archive, const FindingsOptions& o, QTextStream& out, QTextStream& err)
{
    const QString verb = o.positional.value(0);
    if (verb == QLatin1String("add") || verb == QLatin1String("remove")) {
        QVector<QDate> days;
        for (const QString& text : o.positional.mid(1))
            days << QDate::fromString(text.trimmed(), DayForm);
        const bool done = verb == QLatin1String("add") ? archive.addClosedDays(days) : archive.removeClosedDays(days);
        return done ? Success : Failed(archive, err);
    }
    ClosedDays closed;
    if (!archive.closedDays(&closed))
        return Failed(archive, err);
    QList<QDate> days = closed.values();
    std::sort(days.begin(), days.end());
    for (const QDate& day : days)
        out << day.toString(DayForm) << '\n';
    return FlushOutput(out, err) ? Success : Rejected;
}

int Settings(Archive& archive, const FindingsOptions& o, QTextStream& out, QTextStream& err)
{
    FindingThresholds thresholds;
    if (!archive.findingThresholds(&thresholds))
        return Failed(archive, err);
    if (!o.thresholds.isEmpty()) {
        for (const auto& t : o.thresholds) {
            QString error;
            SetThreshold(&thresholds, t.first, t.second, &error);
        }
        if (!archive.setFindingThresholds(thresholds))
            return Failed(archive, err);
    }
    TextTable lines;
    for (Threshold which : AllThresholds)
        lines.rows.append({ ThresholdName(which), ThresholdText(thresholds, which) });
    return Print(lines, out, err);
}

} // namespace

bool IsFindingsCommand(const QString& command)
{
    return Commands.contains(command);
}

QString FindingsUsageText(const QString& command)
{
    if (command == QLatin1String("findings")) {
        // The keys in lines as wide as the text around them.
        QStringList lines{ QString() };
        for (int k = 0; k < FindingKeyCount; ++k) {
            const QString key = FindingKeyName(FindingKey(k)) + (k + 1 < FindingKeyCount ? QStringLiteral(",") : QString());
            if (!lines.last().isEmpty() && lines.last().size() + 1 + key.size() > 64)
                lines << QString();
            lines.last() += (lines.last().isEmpty() ? QString() : QStringLiteral(" ")) + key;
        }
        return Cli::tr("Usage: corvane-audit-cli archive findings [--archive PATH] [--lock SERIAL]... [--kind KEY]...\n"
                       "                          [--from DATE] [--to DATE] [--at DATE] [--dst RULE]\n"
                       "                          [--date-format dmy|mdy] [--hour-format 24|12] [--language en|it|es]\n"
                       "                          OUTPUT.csv|-\n"
                       "Writes what deserves a look in the archived locks' histories, judged by the archive's\n"
                       "opening hours, closed days and thresholds: Serial number, Lock name, Finding, Date,\n"
                       "Until, User, Person, Events, Visit; the locks by serial number, each lock's findings\n"
                       "newest first. Nothing found is a header alone.\n"
                       "  --lock SERIAL    only this lock (its serial number or exact name); may be repeated\n"
                       "  --kind KEY       only these findings; may be repeated. KEY is one of\n"
                       "                   %1\n"
                       "  --from, --to DATE   only the findings whose Date falls on these days or between\n"
                       "                   them (YYYY-MM-DD)\n"
                       "  --at DATE        the day Not visited is judged at, whatever --from and --to say\n"
                       "                   (default today)\n"
                       "  --dst, --date-format, --hour-format, --language   as for export\n")
                   .arg(lines.join(QStringLiteral("\n                   ")))
            + Cli::tr("OUTPUT may also be a workbook (.xlsx) or a PDF report (.pdf): the findings by lock,\n"
                      "each lock's under a row that counts them by kind.\n");
    }
    if (command == QLatin1String("hours"))
        return Cli::tr("Usage: corvane-audit-cli archive hours [--archive PATH] [SERIAL|--default] [TEXT]\n"
                       "Prints or sets the opening hours that openings are judged by. Without TEXT it\n"
                       "prints SERIAL,HOURS lines: the default for every lock as *, then each lock that has\n"
                       "hours of its own; or only the lock (its serial number or exact name), or with\n"
                       "--default only the default. With TEXT it sets the lock's own hours, or with\n"
                       "--default the default; TEXT default takes a lock back to the default.\n"
                       "TEXT is written as in \"Mon-Fri 07:00-20:00; Sat 08:00-12:00\": days Mon to Sun, one\n"
                       "or a range of them, then their ranges separated by commas, \";\" between groups; a\n"
                       "day not named is closed, and closed alone is a lock never to be opened.\n");
    if (command == QLatin1String("closed"))
        return Cli::tr("Usage: corvane-audit-cli archive closed [--archive PATH] add|remove DATE...\n"
                       "       corvane-audit-cli archive closed [--archive PATH] -\n"
                       "Adds or removes closed days (holidays, as YYYY-MM-DD) for all locks: an opening on\n"
                       "one is an opening outside hours. - prints them, one a line. When a day to remove is\n"
                       "not a closed day, none is removed.\n");
    if (command == QLatin1String("findings-settings"))
        return Cli::tr("Usage: corvane-audit-cli archive findings-settings [--archive PATH] [--wrong-codes N/MINUTES]\n"
                       "                          [--clock-minutes M] [--door-minutes M] [--visit-days D]\n"
                       "Prints the thresholds of the findings as NAME,VALUE lines, once those given are set.\n"
                       "  --wrong-codes N/MINUTES   a burst of wrong codes is N tries or more, each within\n"
                       "                            MINUTES of the one before (default 5/10)\n"
                       "  --clock-minutes M         an opening within M minutes after a clock setting (60)\n"
                       "  --door-minutes M          a door held open longer than M minutes (30)\n"
                       "  --visit-days D            a lock nobody visited for more than D days (180)\n"
                       "A role that may only read the archive prints them but cannot set them.\n");
    return QString();
}

int RunFindingsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    FindingsOptions o;
    QString error;
    if (!Parse(args, o, &error)) {
        err << error << '\n'
            << Cli::tr("Try 'corvane-audit-cli %1 --help'.").arg(QStringLiteral("archive ") + o.command) << '\n'
            << Qt::flush;
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
    // What only reads never makes an archive where there was none.
    const bool changes = (o.command == QLatin1String("hours") && o.positional.size() > (o.defaultHours ? 0 : 1))
        || (o.command == QLatin1String("closed") && o.positional.size() > 1) || !o.thresholds.isEmpty();
    ArchiveWorker worker(o.archive);
    Archive* archive = worker.archive(changes ? Archive::OpenMode::Create : Archive::OpenMode::Existing);
    if (!archive) {
        err << worker.error() << Qt::endl;
        return Rejected;
    }
    if (const QString notice = worker.takeNotice(); !notice.isEmpty())
        err << notice << Qt::endl;
    if (o.command == QLatin1String("findings"))
        return Findings(*archive, o, out, err);
    if (o.command == QLatin1String("hours"))
        return Hours(*archive, o, out, err);
    if (o.command == QLatin1String("closed"))
        return Closed(*archive, o, out, err);
    return Settings(*archive, o, out, err);
}

TextTable AuditFindingsTable(const LoadedAudit& audit, const Options& options)
{
    const DecodedAudit& decoded = audit.session->decoded;
    const PresentationOptions& p = options.presentation;
    const QVector<Finding> found = JudgeAudit(FindingEventsOf(decoded, p.dst ? &p.dstRule : nullptr), FindingRules());
    return FindingsTextTable({ { ShownLockText(decoded.config.serialNumber), decoded.config.lockName, found, {} } }, p.display);
}

} // namespace cli
