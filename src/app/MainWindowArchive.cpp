// The window's archive: audits kept as they are obtained or when asked, the Locks tab, and a
// lock's history shown in the Events tab. All of it through the archive service, off the window's
// thread.

#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ArchiveService.h"
#include "AuditFile.h"
#include "FindingsTab.h"
#include "LocksTab.h"
#include "Messages.h"
#include "OperationDialogs.h"
#include "SettingsDialog.h"
#include "SettingsFile.h"

#include <QPointer>

#include <QStatusBar>

namespace {

struct HistoryRead
{
    bool ok = false;
    QString error;
    LockHistory history;
    DecodedAudit audit;
};

struct RulesRead
{
    bool ok = false;
    bool mayChange = false;
    QString note; // why they cannot be changed, or read
    ArchiveRules rules;
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
    const QString file = m_auditFileName;
    m_archive->post<KeepOutcome>([bytes, kind, file](ArchiveWorker& w) { return KeepAudit(w, bytes, kind, file); },
                                 [this, asked](KeepOutcome kept) { archiveKept(kept, asked); }, true);
}

void MainWindow::archiveKept(const KeepOutcome& kept, bool asked)
{
    m_locksTab->setWaiting(kept.waiting);
    QString text;
    switch (kept.state) {
    case KeepOutcome::Kept:
        text = tr("Kept in the archive: lock %1, %n new events", nullptr, kept.report.newEvents).arg(kept.report.serial)
            + tr(", %n gaps", nullptr, kept.report.gaps);
        for (const QString& note : kept.report.notes)
            text += QStringLiteral("; ") + note;
        refreshLocks();
        break;
    case KeepOutcome::AlreadyThere:
        text = tr("This audit is already in the archive.");
        break;
    case KeepOutcome::Waiting:
        auditQueued(kept.message, kept.waiting);
        return;
    case KeepOutcome::ReadOnly:
        // Told once: a supervisor downloading for a look is not to be interrupted every time.
        text = tr("Not kept in the archive: %1. The audit is on screen and can be saved as a file.").arg(kept.message);
        statusBar()->showMessage(text, 20000);
        if (!m_readOnlyTold || asked)
            Messages::information(text, this);
        m_readOnlyTold = true;
        return;
    case KeepOutcome::Refused:
    case KeepOutcome::Failed:
        // What is on screen stays there: it can still be saved as a file.
        Messages::critical(tr("The audit was not kept in the archive: %1\nIt is still on screen and can be saved "
                              "as a file.")
                               .arg(kept.message),
                           this);
        return;
    }
    statusBar()->showMessage(text, 20000);
    if (asked || !kept.report.notes.isEmpty())
        Messages::information(text, this);
}

void MainWindow::auditQueued(const QString& reason, int waiting)
{
    m_locksTab->setWaiting(waiting);
    statusBar()->showMessage(tr("%n audits waiting to be sent", nullptr, waiting), 20000);
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
    m_archive->post<QPair<ArchiveQueue::SendReport, int>>(
        [](ArchiveWorker& w) {
            const ArchiveQueue::SendReport report = SendWaiting(w);
            return qMakePair(report, std::max(0, w.queue().count()));
        },
        [this, asked](QPair<ArchiveQueue::SendReport, int> result) {
            const ArchiveQueue::SendReport& report = result.first;
            m_locksTab->setWaiting(result.second);
            if (report.sent > 0) {
                statusBar()->showMessage(tr("%n audits sent to the archive", nullptr, report.sent), 20000);
                refreshLocks();
            }
            if (asked && !report.error.isEmpty())
                Messages::critical(report.error, this);
        },
        true);
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
    const DisplaySettings display = SettingsFile::read().display;
    m_findingsTab->setDisplay(display);
    m_locksTab->refresh(display);
}

QStringList MainWindow::selectedLocks() const
{
    QStringList serials;
    if (const QItemSelectionModel* selection = m_locksTab->table().selectionModel())
        for (const QModelIndex& row : selection->selectedRows(0))
            serials << row.data().toString();
    if (serials.isEmpty() && !m_locksTab->search().text().isEmpty())
        serials = m_locksTab->shownSerials();
    return serials;
}

void MainWindow::showAuditEvent(const EventsTable& event)
{
    for (int e = 0; e < m_view.events.size(); ++e) {
        const EventsTable& shown = m_view.events[e];
        if (shown.time == event.time && shown.event == event.event && shown.user == event.user) {
            ui->tabWidget->setCurrentIndex(0);
            m_eventsView->selectEvent(e);
            return;
        }
    }
}

void MainWindow::openLockHistory(const QString& serial)
{
    m_archive->post<HistoryRead>(
        [serial](ArchiveWorker& w) {
            HistoryRead read;
            bool busAudit = false;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            read.ok = archive && archive->history(serial, &read.history);
            read.error = archive ? archive->errorString() : w.error();
            if (read.ok)
                read.ok = HistoryAsAudit(read.history, &read.audit, &busAudit, &read.error);
            return read;
        },
        [this](HistoryRead read) {
            if (!read.ok) {
                m_selectOnShow.reset();
                Messages::critical(read.error, this);
                return;
            }
            showHistory(read.history, read.audit);
        });
}

void MainWindow::openLockHistoryAt(const QString& serial, const FoundEvent& at)
{
    m_selectOnShow = std::make_unique<FoundEvent>(at);
    openLockHistory(serial);
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
    // A search's event: the same time, code, user and device (the table may show a simple audit,
    // numbered its own way).
    if (const std::unique_ptr<FoundEvent> at = std::move(m_selectOnShow)) {
        for (int e = 0; e < m_view.events.size(); ++e) {
            const EventsTable& shown = m_view.events[e];
            // A finding does not tell the device (0): its time, code and user are enough.
            if (shown.time == at->event.time && shown.event == at->event.event && shown.user == at->event.user
                && (at->event.device == 0 || shown.device == at->event.device)) {
                m_eventsView->selectEvent(e);
                break;
            }
        }
    }
}

void MainWindow::downloadNewEvents()
{
    if (!findInterface(true))
        return;
    m_session.dallasImage.fill(0);
    m_session.busAudit = true;
    ResetContent(true);
    // Asked on the device's thread, once the lock has told its serial number: the archive's thread
    // answers, each exchange with a server bounded in time.
    ArchiveService* archive = m_archive;
    const operations::ArchivedEvents archived = [archive](const QString& serial) {
        return archive->call<QVector<HistoryEvent>>([serial](ArchiveWorker& w) {
            QVector<HistoryEvent> newest;
            if (Archive* a = w.archive(Archive::OpenMode::Existing))
                a->newestLockEvents(serial, 256, &newest);
            return newest;
        });
    };
    AuditSession& s = m_session;
    auto* dialog = new DownloadAuditDialog(this, ui->comboBox->currentIndex(), selectedPort(), s.busVersion.data(),
                                           s.busReport.data(), s.busStatus.data(), s.busConfig.data(),
                                           s.busEvents.data(), s.busDateTimeTable.data(), wire::BusDownloadLimit,
                                           archived);
    prepareDialog(dialog);
    // What was read before a failure or Cancel is shown and kept too, marked as partial.
    const bool whole = dialog->exec() == QDialog::Accepted;
    if (whole || dialog->partialEvents() > 0) {
        s.downloadTime = QDateTime::currentDateTime();
        // What is new only counts once it is joined to the lock's history.
        if (ShowObtainedAudit()) {
            if (!whole)
                markPartial(dialog->partialEvents());
            keepInArchive(AuditKind::BusDownload, false, true);
        }
    }
    delete dialog;
}

void MainWindow::showArchiveRules(SettingsDialog* dialog)
{
    QPointer<SettingsDialog> shown(dialog);
    m_archive->post<RulesRead>(
        [](ArchiveWorker& w) {
            RulesRead read;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            read.ok = archive && archive->closedDays(&read.rules.closedDays)
                && archive->findingThresholds(&read.rules.thresholds);
            if (!read.ok) {
                read.note = archive ? archive->errorString() : w.error();
                return read;
            }
            read.mayChange = archive->mayChangeRules();
            if (!read.mayChange)
                read.note = archive->errorString();
            return read;
        },
        [shown](RulesRead read) {
            // The dialog may be gone by now.
            if (shown)
                shown->setArchiveRules(read.rules, read.ok && read.mayChange, read.note);
        });
}

void MainWindow::changeArchiveRules(const ArchiveRules& before, const ArchiveRules& after)
{
    m_archive->post<QString>(
        [before, after](ArchiveWorker& w) {
            Archive* archive = w.archive();
            if (!archive)
                return w.error();
            // Only what the user changed: another user's changes meanwhile stay.
            ClosedDays stored;
            if (!archive->closedDays(&stored))
                return archive->errorString();
            QVector<QDate> added, removed;
            for (const QDate& day : after.closedDays)
                if (!before.closedDays.contains(day) && !stored.contains(day))
                    added << day;
            for (const QDate& day : before.closedDays)
                if (!after.closedDays.contains(day) && stored.contains(day))
                    removed << day;
            if ((!added.isEmpty() && !archive->addClosedDays(added))
                || (!removed.isEmpty() && !archive->removeClosedDays(removed))
                || (after.thresholds != before.thresholds && !archive->setFindingThresholds(after.thresholds)))
                return archive->errorString();
            return QString();
        },
        [this](QString error) {
            m_findingsTab->invalidate();
            if (!error.isEmpty())
                Messages::critical(tr("The archive's findings settings were not changed: %1").arg(error), this);
        },
        true);
}
