// The two exports of a full bus audit (5600 events, daylight-saving correction applied), each
// against its baseline measured in the same run:
//  - the workbook against the same cells written without any format or width;
//  - the PDF report against the same report laid out as one document, and the naive print (the
//    whole body as one HTML document through QTextDocument::print); then a history of 30 000
//    events, an audit whose rows often take two lines, one without the daylight-saving column,
//    and one in Italian;
//  - PDF histories of 100 000 events on Letter and on A4 paper and of 1 000 000 on Letter, each
//    written in a process of its own for its peak memory, against their goals and the figures of
//    the engine before the rows came from a row source (whose Letter history of a million events
//    was laid out as one document).

#include "model/AuditView.h"
#include "BenchAudits.h"
#include "BenchCase.h"
#include "model/DstCorrection.h"
#include "model/EventColumns.h"
#include "model/EventMerge.h"
#include "model/InstallPaths.h"
#include "model/ReportContent.h"
#include "reports/PdfReport.h"
#include "reports/TextPrinter.h"
#include "reports/XlsxReport.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTranslator>

#include <cstdio>

#include <sys/resource.h>

#include <xlsxwriter.h>

#include <memory>

namespace {

ReportContent FullReport(int events = AuditSession::BusDownloadLimit, Mix mix = Mix::Usual, bool dst = true)
{
    PresentationOptions options;
    options.auditType = FullAudit;
    options.dst = dst;
    options.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 };
    return ReportFromView(PresentAudit(BenchHistory(events, mix), true, options));
}

// The same sheets and cells, no formats, no widths.
void WritePlainWorkbook(const ReportContent& content, const QString& path)
{
    lxw_workbook* workbook = workbook_new(QFile::encodeName(path).constData());
    ReportRow row;
    for (const ReportSection& section : content.sections) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, section.name.toUtf8().constData());
        for (int r = 0; r < section.rowCount; ++r) {
            section.row(r, row);
            for (int c = 0; c < row.cells.size(); ++c)
                worksheet_write_string(sheet, lxw_row_t(r + 2), lxw_col_t(c + 1), row.cells[c].text.toUtf8().constData(),
                                       nullptr);
        }
    }
    workbook_close(workbook);
}

double MillisecondsOf(const std::function<void()>& body, int runs)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i)
        body();
    return timer.nsecsElapsed() / 1e6 / runs;
}

// Pages of a PDF written by Qt, counted from its page objects.
int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    const QByteArray page("/Type /Page");
    int pages = 0;
    for (int at = pdf.indexOf(page); at >= 0; at = pdf.indexOf(page, at + 1))
        pages += pdf.mid(at + page.size(), 1) != "s";
    return pages;
}

BenchCase XlsxCase()
{
    BenchCase c;
    c.name = QStringLiteral("report/xlsx-5600");
    c.iterations = 10;
    c.prepare = [](QString& note) {
        auto content = std::make_shared<ReportContent>(FullReport());
        auto dir = std::make_shared<QTemporaryDir>();
        const QString formatted = dir->filePath(QStringLiteral("audit.xlsx"));
        const QString plain = dir->filePath(QStringLiteral("plain.xlsx"));
        const auto report = [content, formatted] { WriteXlsxReport(*content, formatted); };
        const auto baseline = [content, plain] { WritePlainWorkbook(*content, plain); };
        baseline();
        report();
        const double plainMs = MillisecondsOf(baseline, 10);
        const double reportMs = MillisecondsOf(report, 10);
        note = QStringLiteral("%1 rows; formatted %2 ms, plain cells %3 ms, ratio %4 (goal < 2, < 500 ms)")
                   .arg(content->sections.first().rowCount)
                   .arg(reportMs, 0, 'f', 1)
                   .arg(plainMs, 0, 'f', 1)
                   .arg(reportMs / plainMs, 0, 'f', 2);
        return [dir, report] { report(); };
    };
    return c;
}

// A figure of this process's memory from /proc/self/status ("VmRSS", "VmHWM"), in megabytes.
QString Megabytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return QString::number(line.mid(key.size()).simplified().split(' ').value(0).toLongLong() / 1024);
    return QString();
}

QString ResidentMegabytes()
{
    return Megabytes("VmRSS");
}

// The program's texts in a language for as long as it lives; none for English.
class Language
{
public:
    explicit Language(const QString& language)
    {
        if (language.isEmpty())
            return;
        for (const QString& dir : installpaths::TranslationDirectories())
            if (m_translator.load(QStringLiteral("audit_%1.qm").arg(language), dir))
                break;
        QCoreApplication::installTranslator(&m_translator);
    }
    ~Language() { QCoreApplication::removeTranslator(&m_translator); }
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

private:
    QTranslator m_translator;
};

// The report as it is written, and the same report laid out as one document (the way it was
// written before it was laid out a page at a time).
BenchCase PdfCase(const QString& name, int events, Mix mix, bool naive, bool dst = true, const QString& language = QString())
{
    BenchCase c;
    c.name = name;
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [events, mix, naive, dst, language](QString& note) {
        const Language inLanguage(language);
        auto content = std::make_shared<ReportContent>(FullReport(events, mix, dst));
        auto dir = std::make_shared<QTemporaryDir>();
        const QString reportPath = dir->filePath(QStringLiteral("report.pdf"));
        const QString wholePath = dir->filePath(QStringLiteral("whole.pdf"));
        const QString naivePath = dir->filePath(QStringLiteral("naive.pdf"));
        const auto report = [content, reportPath] { WritePdfReport(*content, reportPath, reportPath); };
        const auto whole = [content, wholePath] {
            TextPrinter printer;
            SetUpReportPrinter(printer, *content, wholePath);
            printer.setBodyText(PdfReportBody(*content));
            printer.saveAsPdf(nullptr, wholePath);
        };
        const QString before = ResidentMegabytes();
        const double reportMs = MillisecondsOf(report, 1);
        const QString after = ResidentMegabytes();
        const double wholeMs = MillisecondsOf(whole, 1);
        note = QStringLiteral("%1 rows; report %2 ms (%3 pages, resident %4 -> %5 MB), as one document %6 ms "
                              "(%7 pages), ratio %8")
                   .arg(content->sections.first().rowCount)
                   .arg(reportMs, 0, 'f', 0)
                   .arg(PdfPages(reportPath))
                   .arg(before, after)
                   .arg(wholeMs, 0, 'f', 0)
                   .arg(PdfPages(wholePath))
                   .arg(reportMs / wholeMs, 0, 'f', 2);
        if (naive) {
            const double naiveMs = MillisecondsOf([content, naivePath] {
                QTextDocument document;
                document.setHtml(PdfReportBody(*content));
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(naivePath);
                printer.setPageOrientation(QPageLayout::Landscape);
                document.print(&printer);
            }, 1);
            note += QStringLiteral("; naive print %1 ms, ratio %2").arg(naiveMs, 0, 'f', 0).arg(reportMs / naiveMs, 0, 'f', 2);
        }
        return [dir, report, language] {
            const Language inLanguage(language);
            report();
        };
    };
    return c;
}

// A lock's history as the report prints it, its rows made as they are asked for: numbered from
// 1, newest first, an event every 317 seconds and a visit every 600 events; device, user, event
// and its ID those of a bus audit's events in turn. Users and configuration are the audit's.
ReportContent HistoryReport(int events, const ReportContent& audit)
{
    ReportContent history = audit;
    history.title = QStringLiteral("Lock 00088888 BENCH1: %1 visits").arg(events / 600 + 1);
    ReportSection& section = history.sections[0];
    const QVector<EventColumn> columns = EventColumnsOf(HistoryFace, false);
    const QVector<EventColumn> baseColumns = EventColumnsOf(SingleAuditFace, true);
    const QStringList widths = EventColumnPdfWidths(columns, false);
    const QStringList headers = EventColumnHeaders(columns);
    section.columns.clear();
    for (int c = 0; c < columns.size(); ++c)
        section.columns.append({ headers.at(c), EventColumnOf(columns[c]).kind, EventColumnOf(columns[c]).workbookWidth,
                                 widths.at(c) });
    // The audit's texts, made once: a history's rows share theirs.
    auto base = std::make_shared<QVector<QStringList>>();
    ReportRow row;
    for (int r = 0; r < audit.sections[0].rowCount; ++r) {
        audit.sections[0].row(r, row);
        QStringList texts;
        for (EventColumn c : columns)
            texts << row.cells.value(EventColumnIndex(baseColumns, c)).text;
        base->append(texts);
    }
    const qint64 newest = QDateTime(QDate(2022, 3, 8), QTime(9, 0)).toSecsSinceEpoch();
    section.rowCount = events;
    section.row = [base, columns, events, newest](int r, ReportRow& out) {
        const QStringList& from = base->at(r % base->size());
        out.separator = QString();
        out.cells.fill(ReportCell(), columns.size());
        for (int c = 0; c < columns.size(); ++c) {
            QString& text = out.cells[c].text;
            switch (columns[c]) {
            case EventColumn::Number:
                text = QString::number(r + 1);
                break;
            case EventColumn::Visit:
                text = QString::number(events / 600 - r / 600 + 1);
                break;
            case EventColumn::Date: {
                // "dd/MM/yyyy hh.mm.ss" written out by hand: a million dates through QDateTime take seconds.
                const qint64 at = newest - 317 * qint64(r);
                int year, month, day;
                QDate::fromJulianDay(2440588 + at / 86400).getDate(&year, &month, &day);
                const int seconds = int(at % 86400);
                const int fields[] = { day, month, year / 100, year % 100, seconds / 3600, seconds / 60 % 60, seconds % 60 };
                const char separators[] = { '/', '/', 0, ' ', '.', '.', 0 };
                text.reserve(19);
                for (int f = 0; f < 7; ++f) {
                    text += QLatin1Char(char('0' + fields[f] / 10));
                    text += QLatin1Char(char('0' + fields[f] % 10));
                    if (separators[f])
                        text += QLatin1Char(separators[f]);
                }
                break;
            }
            default:
                text = from.at(c);
            }
        }
    };
    return history;
}

// Set in the process that writes a history for its parent's case.
const char* const ChildVariable = "CORVANE_BENCH_PDF_CHILD";

// The history written in a process of its own, whose peak resident memory is then the writing's
// own; `before` is the figure of the engine before the row source.
BenchCase PdfHistoryCase(int events, QPageSize::PageSizeId paper, const QString& goal, const QString& before)
{
    const QString paperName = paper == QPageSize::Letter ? QStringLiteral("letter") : QStringLiteral("a4");
    BenchCase c;
    c.name = QStringLiteral("report/pdf-history-%1-%2").arg(events).arg(paperName);
    c.iterations = 1;
    c.warmUp = false;
    const QString name = c.name;
    c.prepare = [events, paper, goal, before, name](QString& note) -> std::function<void()> {
        if (qEnvironmentVariableIsSet(ChildVariable)) {
            return [events, paper] {
                const QString start = Megabytes("VmRSS");
                const ReportContent history = HistoryReport(events, FullReport(AuditSession::BusDownloadLimit, Mix::Usual, false));
                QTemporaryDir dir;
                const QString path = dir.filePath(QStringLiteral("history.pdf"));
                struct rusage before {};
                ::getrusage(RUSAGE_SELF, &before);
                const double startCpuMs = (before.ru_utime.tv_sec + before.ru_stime.tv_sec) * 1e3
                    + (before.ru_utime.tv_usec + before.ru_stime.tv_usec) / 1e3;
                QElapsedTimer timer;
                timer.start();
                {
                    TextPrinter printer;
                    SetUpReportPrinter(printer, history, path);
                    printer.setPageSize(paper);
                    printer.saveAsPdf(nullptr, path);
                }
                const double ms = timer.nsecsElapsed() / 1e6;
                const QString peak = Megabytes("VmHWM");
                // The processor's time as well: on a machine busy with other work it is the steadier figure.
                struct rusage usage {};
                ::getrusage(RUSAGE_SELF, &usage);
                const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                    + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3 - startCpuMs;
                std::printf("history-pdf: %.0f ms (processor %.0f ms), %d pages, peak %s MB (%s MB before)\n", ms, cpuMs,
                            PdfPages(path), qPrintable(peak), qPrintable(start));
                std::fflush(stdout);
            };
        }
        // `note` is printed after the body has run: the child's figures go into it then.
        return [&note, name, goal, before] {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QLatin1String(ChildVariable), QStringLiteral("1"));
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), { name });
            child.waitForFinished(-1);
            QString figures = QStringLiteral("the writing process failed");
            for (const QString& line : QString::fromLocal8Bit(child.readAllStandardOutput()).split(QLatin1Char('\n')))
                if (line.startsWith(QLatin1String("history-pdf: ")))
                    figures = line.mid(13);
            note = figures + QStringLiteral(" (goal %1; before: %2)").arg(goal, before);
        };
    };
    return c;
}

} // namespace

QVector<BenchCase> ReportCases()
{
    const int audit = AuditSession::BusDownloadLimit;
    return { XlsxCase(),
             PdfCase(QStringLiteral("report/pdf-5600"), audit, Mix::Usual, true),
             PdfCase(QStringLiteral("report/pdf-30000"), 30000, Mix::Usual, false),
             PdfCase(QStringLiteral("report/pdf-5600-wrapping"), audit, Mix::Wrapping, false),
             PdfCase(QStringLiteral("report/pdf-5600-plain"), audit, Mix::Usual, false, false),
             PdfCase(QStringLiteral("report/pdf-5600-wrapping-it"), audit, Mix::Wrapping, false, true, QStringLiteral("it")),
             PdfHistoryCase(100000, QPageSize::Letter, QStringLiteral("<= 6 s"), QStringLiteral("15.1 s, 87 MB")),
             PdfHistoryCase(100000, QPageSize::A4, QStringLiteral("<= 6 s"), QStringLiteral("18.8 s, 87 MB")),
             PdfHistoryCase(1000000, QPageSize::Letter, QStringLiteral("<= 60 s, <= 300 MB"),
                            QStringLiteral("541 s, 7.65 GB")) };
}
