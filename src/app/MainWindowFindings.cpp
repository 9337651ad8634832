// The window's findings: the Findings tab's way to the Locks tab and the Events tab, and the
// archive's rules in the Settings dialog, read and written off the window's thread.

#include "MainWindow.h"
#include "ui_MainWindow.h"

#include "ArchiveService.h"
#include "FindingsTab.h"
#include "LocksTab.h"
#include "Messages.h"
#include "SettingsDialog.h"
#include "WindowArchive.h"

#include <QPointer>

namespace {

struct RulesRead
{
    bool ok = false;
    bool mayChange = false;
    QString note; // why they cannot be changed, or read
    ArchiveRules rules;
};

} // namespace

QStringList MainWindow::selectedLocks()
{
    LocksTab& locks = locksTab();
    QStringList serials;
    if (const QItemSelectionModel* selection = locks.table().selectionModel())
        for (const QModelIndex& row : selection->selectedRows(0))
            serials << row.data().toString();
    if (serials.isEmpty() && !locks.search().text().isEmpty())
        serials = locks.shownSerials();
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

void MainWindow::showArchiveRules(SettingsDialog* dialog)
{
    QPointer<SettingsDialog> shown(dialog);
    m_archive->service().post<RulesRead>(
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
    m_archive->service().post<QString>(
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
