// The two exports of a full bus audit (5600 events, daylight-saving correction applied), each
// against its baseline measured in the same run:
//  - the workbook against the same cells written without any format or width;
//  - the PDF report against the naive print, the whole body as one HTML document through
//    QTextDocument::print, and against the printer fed a document laid out before its page
//    settings (the same report, laid out once per setting, to show its pages and text unchanged).

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
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <xlsxwriter.h>

#include <memory>

namespace {

ReportContent FullReport()
{
    auto owned = std::make_unique<AuditSession>();
    AuditSession& session = *owned;
    FullBusAudit().fill(session);
    session.busAudit = true;
    PresentationOptions options;
    options.auditType = FullAudit;
    options.dst = true;
    options.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 };
    return ReportFromView(PresentAudit(DecodeAudit(session), true, options));
}

// The same three sheets and cells, no formats, no widths.
void WritePlainWorkbook(const ReportContent& content, const QString& path)
{
    lxw_workbook* workbook = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* audit = workbook_add_worksheet(workbook, "Audit");
    for (int r = 0; r < content.events.size(); ++r) {
        const EventRow& e = content.events.at(r);
        const QString cells[] = { e.number, e.device, e.date, e.dstDate, e.user, e.event, e.eventId };
        for (int c = 0; c < 7; ++c)
            worksheet_write_string(audit, lxw_row_t(r + 2), lxw_col_t(c + 1), cells[c].toUtf8().constData(), nullptr);
    }
    lxw_worksheet* users = workbook_add_worksheet(workbook, "Users");
    for (int r = 0; r < content.users.size(); ++r) {
        const UserRow& u = content.users.at(r);
        const QString cells[] = { u.name, u.status, u.openingMode };
        for (int c = 0; c < 3; ++c)
            worksheet_write_string(users, lxw_row_t(r + 2), lxw_col_t(c + 1), cells[c].toUtf8().constData(), nullptr);
    }
    lxw_worksheet* configuration = workbook_add_worksheet(workbook, "Configuration");
    for (int r = 0; r < content.configuration.size(); ++r) {
        worksheet_write_string(configuration, lxw_row_t(r + 1), 1, content.configuration[r].caption.toUtf8().constData(), nullptr);
        worksheet_write_string(configuration, lxw_row_t(r + 1), 2, content.configuration[r].value.toUtf8().constData(), nullptr);
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
                   .arg(content->events.size())
                   .arg(reportMs, 0, 'f', 1)
                   .arg(plainMs, 0, 'f', 1)
                   .arg(reportMs / plainMs, 0, 'f', 2);
        return [dir, report] { report(); };
    };
    return c;
}

BenchCase PdfCase()
{
    BenchCase c;
    c.name = QStringLiteral("report/pdf-5600");
    c.iterations = 1;
    c.prepare = [](QString& note) {
        auto content = std::make_shared<ReportContent>(FullReport());
        auto dir = std::make_shared<QTemporaryDir>();
        const QString reportPath = dir->filePath(QStringLiteral("report.pdf"));
        const QString naivePath = dir->filePath(QStringLiteral("naive.pdf"));
        const QString relaidPath = dir->filePath(QStringLiteral("relaid.pdf"));
        const auto report = [content, reportPath] { WritePdfReport(*content, reportPath, reportPath); };
        const auto naive = [content, naivePath] {
            QTextDocument document;
            document.setHtml(PdfReportBody(*content));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(naivePath);
            printer.setPageOrientation(QPageLayout::Landscape);
            document.print(&printer);
        };
        const auto relaid = [content, relaidPath] {
            TextPrinter printer;
            SetUpReportPrinter(printer, *content, relaidPath);
            QTextDocument document;
            document.setHtml(printer.bodyText());
            printer.saveAsPdf(&document, relaidPath);
        };
        const double naiveMs = MillisecondsOf(naive, 1);
        const double reportMs = MillisecondsOf(report, 1);
        const double relaidMs = MillisecondsOf(relaid, 1);
        note = QStringLiteral("%1 rows; report %2 ms (%3 pages), naive print %4 ms (%5 pages), ratio %6 "
                              "(goal <= 0.5); laid out before the settings %7 ms (%8 pages)")
                   .arg(content->events.size())
                   .arg(reportMs, 0, 'f', 0)
                   .arg(PdfPages(reportPath))
                   .arg(naiveMs, 0, 'f', 0)
                   .arg(PdfPages(naivePath))
                   .arg(reportMs / naiveMs, 0, 'f', 2)
                   .arg(relaidMs, 0, 'f', 0)
                   .arg(PdfPages(relaidPath));
        return [dir, report] { report(); };
    };
    return c;
}

} // namespace

QVector<BenchCase> ReportCases()
{
    return { XlsxCase(), PdfCase() };
}
