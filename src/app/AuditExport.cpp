#include "AuditExport.h"

#include "FileDialogs.h"
#include "Messages.h"
#include "OutputFile.h"
#include "PdfReport.h"
#include "ReportContent.h"
#include "XlsxReport.h"

#include <QApplication>

namespace {

// The window's own texts.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};

} // namespace

void ExportAudit(Settings::FileKind kind, const AuditView& view, const QDateTime& downloaded,
                 const QString& fileOnDisplay)
{
    const QString fileName = FileDialogs::save(kind, FileDialogs::SuggestedName(view, downloaded, kind));
    if (fileName.isEmpty()) {
        // As the PDF export always said, even when the dialog was only cancelled.
        if (kind == Settings::PdfReports)
            Messages::critical(Text::tr("No audit to export"));
        return;
    }
    if (!fileOnDisplay.isEmpty() && OutputFile::SameFile(fileName, fileOnDisplay)) {
        Messages::critical(Text::tr("%1 is the audit file on display: choose another name for the export.").arg(fileName));
        return;
    }
    // Long exports show the wait cursor; it is up before the work starts.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    const ReportContent content = ReportFromView(view);
    const bool written = kind == Settings::PdfReports ? WritePdfReport(content, fileName, fileName)
                                                      : WriteXlsxReport(content, fileName);
    QApplication::restoreOverrideCursor();
    if (written)
        Messages::information(Text::tr("Audit successfully exported"));
    else
        Messages::critical(Text::tr("Unable to export audit"));
}
