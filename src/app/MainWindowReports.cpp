// The window's daylight-saving correction and its two exports: each reads the widgets, asks
// what it must and hands the work to the model or the report writers.

#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "FileDialogs.h"
#include "Messages.h"
#include "OutputFile.h"
#include "PdfReport.h"
#include "ReportContent.h"
#include "XlsxReport.h"

#include <QApplication>

namespace {

// Long exports show the wait cursor; it is up before the work starts.
void writeExport(const std::function<bool()>& write)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    const bool written = write();
    QApplication::restoreOverrideCursor();
    if (written)
        Messages::information(MainWindow::tr("Audit successfully exported"));
    else
        Messages::critical(MainWindow::tr("Unable to export audit"));
}

} // namespace

int MainWindow::FindDay(int year, int month, int weekday, int n)
{
    return ::FindDay(year, month, weekday, n);
}

void MainWindow::on_pushButton_clicked()
{
    if (m_view.dstApplied
        && !Messages::question(tr("You have already set DST for these events. Do you want to set it again?")))
        return;
    CorrectDst(m_view, m_session.decoded.timeDateTable, ui->groupBox_3->rule());
    show(m_view);
}

ReportContent MainWindow::reportContent() const
{
    return ReportFromView(m_view);
}

bool MainWindow::chooseExport(Settings::FileKind kind, QString* fileName)
{
    *fileName = FileDialogs::save(kind, FileDialogs::SuggestedName(m_view, m_session.decoded.config.downloadTime, kind));
    if (fileName->isEmpty())
        return false;
    if (m_auditFileName.isEmpty() || !OutputFile::SameFile(*fileName, m_auditFileName))
        return true;
    Messages::critical(tr("%1 is the audit file on display: choose another name for the export.").arg(*fileName));
    return false;
}

void MainWindow::onExportXlsx()
{
    QString fileName;
    if (chooseExport(Settings::Workbooks, &fileName))
        writeExport([&] { return WriteXlsxReport(reportContent(), fileName); });
}

void MainWindow::onExportPdf()
{
    QString fileName;
    if (chooseExport(Settings::PdfReports, &fileName))
        writeExport([&] { return WritePdfReport(reportContent(), fileName, fileName); });
    else if (fileName.isEmpty())
        Messages::critical(tr("No audit to export"));
}
