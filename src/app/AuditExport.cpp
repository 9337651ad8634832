#include "app/AuditExport.h"

#include "app/WindowArchive.h"
#include "archive/HistoryProof.h"
#include "model/AuditFile.h"
#include "model/OutputFile.h"
#include "model/ReportContent.h"
#include "reports/PdfReport.h"
#include "reports/XlsxReport.h"
#include "view/FileDialogs.h"
#include "view/Messages.h"

#include <QApplication>

namespace {

// The window's own texts.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};

// The file to write, or empty when there is none (the user told why, where there is a why).
QString AskForFile(Settings::FileKind kind, const AuditView& view, const QDateTime& downloaded,
                   const QString& fileOnDisplay)
{
    const QString fileName = FileDialogs::save(kind, FileDialogs::SuggestedName(view, downloaded, kind));
    if (fileName.isEmpty()) {
        // As the PDF export always said, even when the dialog was only cancelled.
        if (kind == Settings::PdfReports)
            Messages::critical(Text::tr("No audit to export"));
        return QString();
    }
    if (!fileOnDisplay.isEmpty() && OutputFile::SameFile(fileName, fileOnDisplay)) {
        Messages::critical(Text::tr("%1 is the audit file on display: choose another name for the export.").arg(fileName));
        return QString();
    }
    return fileName;
}

// Long exports show the wait cursor; it is up before the work starts.
void ShowWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
}

// Writes the report, takes the wait cursor down and tells the outcome.
void Write(Settings::FileKind kind, const ReportContent& content, const QString& fileName)
{
    const bool written = kind == Settings::PdfReports ? WritePdfReport(content, fileName, fileName)
                                                      : WriteXlsxReport(content, fileName);
    QApplication::restoreOverrideCursor();
    if (written)
        Messages::information(Text::tr("Audit successfully exported"));
    else
        Messages::critical(Text::tr("Unable to export audit"));
}

} // namespace

void SaveAudit(const AuditSession& session, const AuditView& view)
{
    if (view.events.isEmpty())
        return;
    const QString fileName = FileDialogs::save(
        Settings::AuditFiles, FileDialogs::SuggestedName(view, session.decoded.config.downloadTime, Settings::AuditFiles));
    if (fileName.isEmpty())
        return;
    if (!AuditFile::Save(fileName, session, view.configuration.keypadDownloadTime)) {
        Messages::critical(Text::tr("Unable to save file"));
        return;
    }
    FileDialogs::AddRecentFile(fileName);
    Messages::information(Text::tr("Done"));
}

void ExportAudit(Settings::FileKind kind, const AuditView& view, const QDateTime& downloaded,
                 const QString& fileOnDisplay)
{
    const QString fileName = AskForFile(kind, view, downloaded, fileOnDisplay);
    if (fileName.isEmpty())
        return;
    ShowWaitCursor();
    Write(kind, ReportFromView(view), fileName);
}

void ExportHistory(Settings::FileKind kind, const AuditView& view, WindowArchive& archive,
                   std::shared_ptr<const LockHistory> shown)
{
    const QString fileName = AskForFile(kind, view, QDateTime(), QString());
    if (fileName.isEmpty())
        return;
    ShowWaitCursor();
    // Judged with the correction the table shows, as `archive history --dst` judges them.
    archive.readHistoryProof(
        std::move(shown), view.dstApplied ? &view.dstRule : nullptr,
        [kind, view, fileName](const HistoryProof& proof) {
            ReportContent content = ReportFromView(view);
            proof.addTo(content, view.display);
            Write(kind, content, fileName);
        },
        [](const QString& reason) {
            QApplication::restoreOverrideCursor();
            // A history's report without its proof is not one to hand over: nothing is written.
            Messages::critical(Text::tr("%1\nThe report was not written: it could not carry the lock's findings and "
                                        "the evidence of its audits.")
                                   .arg(reason));
        });
}
