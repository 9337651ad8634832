// The window's daylight-saving correction and its two exports: each reads the widgets, asks
// what it must and hands the work to the model or the report writers.

#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "DstCorrection.h"
#include "Messages.h"
#include "OutputFile.h"
#include "PdfReport.h"
#include "ReportContent.h"
#include "XlsxReport.h"

#include <QApplication>

namespace {

// Long exports show the wait cursor; it is up before the work starts.
class WaitCursor
{
public:
    WaitCursor()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents();
    }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

int MainWindow::FindDay(int year, int month, int weekday, int n)
{
    return ::FindDay(year, month, weekday, n);
}

void MainWindow::on_pushButton_clicked()
{
    if (m_session.dstApplied
        && !Messages::question(tr("You have already set DST for these events. Do you want to set it again?")))
        return;

    DstRule rule;
    rule.startOccurrence = ui->comboBoxFrom->currentIndex() + 1;
    rule.startWeekday = ui->comboBoxFromDay->currentIndex();
    rule.startMonth = ui->comboBoxFromMonth->currentIndex() + 1;
    rule.endOccurrence = ui->comboBoxTo->currentIndex() + 1;
    rule.endWeekday = ui->comboBoxToDay->currentIndex();
    rule.endMonth = ui->comboBoxToMonth->currentIndex() + 1;
    rule.subtract = ui->comboBoxAddSub->currentIndex() == 1;
    rule.shiftSeconds = DstShiftSeconds(ui->comboBoxHours->currentIndex());
    CorrectDst(m_view, m_session.decoded.timeDateTable, rule);

    m_session.dstApplied = true;
    m_eventsView->showDstColumn();
    ParseListView();
}

ReportContent MainWindow::reportContent() const
{
    return ReportFromView(m_view);
}

QString MainWindow::exportFileName(const QString& filter, const QString& extension)
{
    return Messages::saveFileName(filter, m_view.isHistory() ? HistoryFileName(m_view, extension) : QString());
}

bool MainWindow::exportMayReplace(const QString& fileName)
{
    if (m_auditFileName.isEmpty() || !OutputFile::SameFile(fileName, m_auditFileName))
        return true;
    Messages::critical(tr("%1 is the audit file on display: choose another name for the export.").arg(fileName));
    return false;
}

void MainWindow::onExportXlsx()
{
    const QString fileName = exportFileName(QStringLiteral("Excel Files (*.xlsx)"), QStringLiteral("xlsx"));
    if (fileName.isEmpty() || !exportMayReplace(fileName))
        return;
    bool written;
    {
        WaitCursor wait;
        written = WriteXlsxReport(reportContent(), fileName);
    }
    if (written)
        Messages::information(tr("Audit successfully exported"));
    else
        Messages::critical(tr("Unable to export audit"));
}

void MainWindow::onExportPdf()
{
    const QString fileName = exportFileName(QStringLiteral("Pdf Files (*.pdf)"), QStringLiteral("pdf"));
    if (fileName.isEmpty()) {
        Messages::critical(tr("No audit to export"));
        return;
    }
    if (!exportMayReplace(fileName))
        return;
    bool written;
    {
        WaitCursor wait;
        written = WritePdfReport(reportContent(), fileName, fileName);
    }
    if (written)
        Messages::information(tr("Audit successfully exported"));
    else
        Messages::critical(tr("Unable to export audit"));
}
