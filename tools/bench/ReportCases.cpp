// The two exports of a full bus audit (5600 events, daylight-saving correction applied), each
// against its baseline measured in the same run:
//  - the workbook against the same cells written without any format or width;
//  - the PDF report against the same report laid out as one document, and the naive print (the
//    whole body as one HTML document through QTextDocument::print); then a history of 30 000
//    events, and an audit whose rows often take two lines.

#include "AuditView.h"
#include "BenchAudits.h"
#include "BenchCase.h"
#include "DstCorrection.h"
#include "EventMerge.h"
#include "PdfReport.h"
#include "ReportContent.h"
#include "TextPrinter.h"
#include "XlsxReport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <xlsxwriter.h>

#include <memory>

namespace {

ReportContent FullReport(int events = AuditSession::BusDownloadLimit, Mix mix = Mix::Usual)
{
    PresentationOptions options;
    options.auditType = FullAudit;
    options.dst = true;
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

QString ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return QString::number(line.mid(6).simplified().split(' ').value(0).toLongLong() / 1024);
    return QString();
}

// The report as it is written, and the same report laid out as one document (the way it was
// written before it was laid out a page at a time).
BenchCase PdfCase(const QString& name, int events, Mix mix, bool naive)
{
    BenchCase c;
    c.name = name;
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [events, mix, naive](QString& note) {
        auto content = std::make_shared<ReportContent>(FullReport(events, mix));
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
        return [dir, report] { report(); };
    };
    return c;
}

} // namespace

QVector<BenchCase> ReportCases()
{
    return { XlsxCase(),
             PdfCase(QStringLiteral("report/pdf-5600"), AuditSession::BusDownloadLimit, Mix::Usual, true),
             PdfCase(QStringLiteral("report/pdf-30000"), 30000, Mix::Usual, false),
             PdfCase(QStringLiteral("report/pdf-5600-wrapping"), AuditSession::BusDownloadLimit, Mix::Wrapping, false) };
}
