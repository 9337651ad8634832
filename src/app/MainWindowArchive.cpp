// The window's archive: audits kept as they are obtained or when asked, the Locks tab, and a
// lock's history shown in the Events tab. The database is used off the window's thread.

#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ArchiveLocation.h"
#include "AuditFile.h"
#include "LocksTab.h"
#include "Messages.h"
#include "SettingsFile.h"

#include <QStatusBar>

namespace {

struct HistoryRead
{
    bool ok = false;
    QString error;
    LockHistory history;
    DecodedAudit audit;
};

} // namespace

void MainWindow::keepInArchive(AuditKind kind, bool asked)
{
    if (m_view.events.isEmpty() || showingHistory())
        return;
    if (!asked && !SettingsFile::value(QStringLiteral("ArchiveAudits"), true).toBool())
        return;
    // The file's bytes as "Save" would write them now, so a later import of that file is the same audit.
    const QByteArray bytes = AuditFile::Serialize(m_session, ui->labelDlDate->text());
    const QString location = ChooseArchiveLocation();
    ++m_archiveWork;
    m_tasks->run<ImportReport>(
        [bytes, kind, location] {
            Archive archive;
            if (!archive.open(location)) {
                ImportReport failed;
                failed.message = archive.errorString();
                return failed;
            }
            return archive.import(bytes, kind);
        },
        [this, asked](ImportReport report) {
            --m_archiveWork;
            archiveImported(report, asked);
        });
}

void MainWindow::archiveImported(const ImportReport& report, bool asked)
{
    QString text;
    switch (report.status) {
    case ImportReport::Added:
        text = tr("Kept in the archive: lock %1, %2 new events, %3 gaps")
                   .arg(report.serial)
                   .arg(report.newEvents)
                   .arg(report.gaps);
        refreshLocks();
        break;
    case ImportReport::AlreadyThere:
        text = tr("This audit is already in the archive.");
        break;
    case ImportReport::Refused:
    case ImportReport::Failed:
        // What is on screen stays there: it can still be saved as a file.
        Messages::critical(tr("The audit was not kept in the archive: %1\nIt is still on screen and can be saved "
                              "as a file.")
                               .arg(report.message),
                           this);
        return;
    }
    statusBar()->showMessage(text, 20000);
    if (asked)
        Messages::information(text, this);
}

void MainWindow::onAddToArchive()
{
    if (m_view.events.isEmpty() || showingHistory()) {
        Messages::information(tr("Open or download an audit to add it to the archive."), this);
        return;
    }
    keepInArchive(!m_auditFileName.isEmpty() ? AuditKind::File
                  : m_session.busAudit       ? AuditKind::BusDownload
                                             : AuditKind::DallasKey,
                  true);
}

void MainWindow::refreshLocks()
{
    m_locksTab->refresh(ChooseArchiveLocation(), SettingsFile::displaySettings());
}

void MainWindow::openLockHistory(const QString& serial)
{
    const QString location = ChooseArchiveLocation();
    ++m_archiveWork;
    m_tasks->run<HistoryRead>(
        [serial, location] {
            HistoryRead read;
            Archive archive;
            bool busAudit = false;
            read.ok = archive.open(location) && archive.history(serial, &read.history);
            read.error = archive.errorString();
            if (read.ok)
                read.ok = HistoryAsAudit(read.history, &read.audit, &busAudit, &read.error);
            return read;
        },
        [this](HistoryRead read) {
            --m_archiveWork;
            if (!read.ok) {
                Messages::critical(read.error, this);
                return;
            }
            showHistory(read.history, read.audit);
        });
}

void MainWindow::showHistory(const LockHistory& history, const DecodedAudit& audit)
{
    ResetContent(true);
    // The latest visit's audit gives the configuration and users tabs; the events are the history's.
    if (!AuditFile::Parse(history.latestAudit, m_session).valid) {
        Messages::critical(tr("File not valid"), this);
        ResetContent(true);
        return;
    }
    m_historyAudit = std::make_unique<DecodedAudit>(audit);
    ui->buttonSave->setEnabled(false);
    ShowLoadedAudit();
    ui->tabWidget->setCurrentIndex(0);
}
