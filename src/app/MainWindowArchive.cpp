// The window's archive: audits kept as they are obtained or when asked, the Locks tab, and a
// lock's history shown in the Events tab. The database is used off the window's thread.

#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ArchiveLocation.h"
#include "ArchiveQueue.h"
#include "AuditFile.h"
#include "OperationDialogs.h"
#include "LocksTab.h"
#include "Messages.h"
#include "SettingsFile.h"

#include <QStatusBar>

namespace {

struct KeepResult
{
    ImportReport report;
    bool queued = false; // the server could not be reached: the audit waits on this computer
    int waiting = 0;
};

struct SendResult
{
    ArchiveQueue::SendReport report;
    bool opened = false;
    int waiting = 0;
};

struct HistoryRead
{
    bool ok = false;
    QString error;
    LockHistory history;
    DecodedAudit audit;
};

} // namespace

void MainWindow::keepInArchive(AuditKind kind, bool asked, bool always)
{
    if (m_view.events.isEmpty() || showingHistory())
        return;
    if (!asked && !always && !SettingsFile::read().archiveAudits)
        return;
    // The file's bytes as "Save" would write them now, so a later import of that file is the same audit.
    const QByteArray bytes = AuditFile::Serialize(m_session, ui->labelDlDate->text());
    const QString location = ChooseArchiveLocation();
    ++m_archiveWork;
    m_tasks->run<KeepResult>(
        [bytes, kind, location] {
            KeepResult kept;
            Archive archive;
            if (archive.open(location))
                kept.report = archive.import(bytes, kind);
            else
                kept.report.message = archive.errorString();
            if (kept.report.status == ImportReport::Failed && archive.unreachable()) {
                ArchiveQueue queue;
                kept.queued = queue.add(archive.displayName(), bytes, kind);
                kept.waiting = queue.count(archive.displayName());
            }
            return kept;
        },
        [this, asked](KeepResult kept) {
            --m_archiveWork;
            if (kept.queued)
                auditQueued(kept.report.message, kept.waiting);
            else
                archiveImported(kept.report, asked);
        });
}

void MainWindow::auditQueued(const QString& reason, int waiting)
{
    m_locksTab->setWaiting(waiting);
    statusBar()->showMessage(tr("%1 audits waiting to be sent").arg(waiting), 20000);
    // Once, not a box for every audit of a day away from the office.
    if (m_offlineTold)
        return;
    m_offlineTold = true;
    Messages::warning(tr("%1\nThe audits are kept on this computer and sent when the archive answers again "
                         "(Locks tab, \"Send now\").")
                          .arg(reason),
                      this);
}

void MainWindow::sendQueued(bool asked)
{
    const QString location = ChooseArchiveLocation();
    ArchiveAddress address;
    QString error;
    if (!ParseArchiveAddress(location, &address, &error) || !address.server)
        return;
    ++m_archiveWork;
    m_tasks->run<SendResult>(
        [location, display = address.display] {
            SendResult result;
            ArchiveQueue queue;
            result.waiting = queue.count(display);
            if (result.waiting <= 0)
                return result;
            Archive archive;
            result.opened = archive.open(location);
            if (result.opened)
                result.report = queue.send(archive);
            else
                result.report.error = archive.errorString();
            result.waiting = queue.count(display);
            return result;
        },
        [this, asked](SendResult result) {
            --m_archiveWork;
            m_locksTab->setWaiting(std::max(result.waiting, 0));
            if (result.report.sent > 0) {
                statusBar()->showMessage(tr("%1 audits sent to the archive").arg(result.report.sent), 20000);
                refreshLocks();
            }
            if (asked && !result.report.error.isEmpty())
                Messages::critical(result.report.error, this);
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
    m_locksTab->refresh(ChooseArchiveLocation(), SettingsFile::read().display);
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

void MainWindow::downloadNewEvents()
{
    if (!findInterface(true))
        return;
    m_session.dallasImage.fill(0);
    m_session.busAudit = true;
    ResetContent(true);
    // Asked on the worker's thread, once the lock has told its serial number.
    const QString location = ChooseArchiveLocation();
    const operations::ArchivedEvents archived = [location](const QString& serial) {
        QVector<HistoryEvent> newest;
        Archive archive;
        if (archive.open(location))
            archive.newestLockEvents(serial, 256, &newest);
        return newest;
    };
    AuditSession& s = m_session;
    auto* dialog = new DownloadAuditDialog(this, ui->comboBox->currentIndex(), selectedPort(), s.busVersion.data(),
                                           s.busReport.data(), s.busStatus.data(), s.busConfig.data(),
                                           s.busEvents.data(), s.busDateTimeTable.data(), operations::MaxDownloadEvents,
                                           archived);
    prepareDialog(dialog);
    if (dialog->exec() == QDialog::Accepted) {
        s.downloadTime = QDateTime::currentDateTime();
        // What is new only counts once it is joined to the lock's history.
        if (ShowObtainedAudit())
            keepInArchive(AuditKind::BusDownload, false, true);
    }
    delete dialog;
}
