#include "app/WindowArchive.h"

#include "app/FindingsTab.h"
#include "app/LocksTab.h"
#include "archive/ArchiveService.h"
#include "archive/HistoryProof.h"
#include "model/SettingsFile.h"
#include "view/Messages.h"
#include "view/SettingsDialog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStatusBar>
#include <QTabWidget>

#include <optional>

namespace {

// The window's own texts.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};

struct HistoryRead
{
    bool ok = false;
    QString error;
    std::shared_ptr<const LockHistory> history;
};

struct ProofRead
{
    bool ok = false;
    QString error;
    HistoryProof proof;
};

struct RulesRead
{
    bool ok = false;
    bool mayChange = false;
    QString note; // why they cannot be changed, or read
    ArchiveRules rules;
};

} // namespace

WindowArchive::WindowArchive(QWidget& window, QStatusBar& status, QTabWidget& tabs)
    : QObject(&window), m_window(window), m_status(status)
{
    m_service = new ArchiveService(this);
    m_locks = new LocksTab(*m_service, &tabs);
    tabs.addTab(m_locks, QString());
    connect(m_locks, &LocksTab::sendNow, this, [this] { sendQueued(true); });
    connect(m_locks, &LocksTab::searchRequested, m_locks, &LocksTab::searchEvents);
    m_findings = new FindingsTab(*m_service, [locks = m_locks] { return locks->chosenSerials(); }, &tabs);
    tabs.addTab(m_findings, QString());
    m_findings->setDisplay(SettingsFile::read().display);
    // The fleet is judged when the tab is looked at, again after the archive changed.
    connect(&tabs, &QTabWidget::currentChanged, this, [this, &tabs] {
        if (tabs.currentWidget() == m_findings)
            m_findings->shown();
    });
    connect(m_locks, &LocksTab::refreshed, this, [this, &tabs] {
        m_findings->invalidate();
        if (tabs.currentWidget() == m_findings)
            m_findings->shown();
    });
}

WindowArchive::~WindowArchive()
{
    // What keeps an audit finishes first; reads still waiting are dropped.
    delete m_service;
}

int WindowArchive::pending() const
{
    return m_service->pending() + (m_locks->isRefreshing() || m_locks->isSearching() ? 1 : 0)
        + (m_findings->isJudging() ? 1 : 0);
}

void WindowArchive::retranslate(QTabWidget& tabs)
{
    tabs.setTabText(tabs.indexOf(m_locks), Text::tr("Locks"));
    m_locks->retranslate();
    tabs.setTabText(tabs.indexOf(m_findings), Text::tr("Findings"));
    m_findings->retranslate();
}

void WindowArchive::readRules(SettingsDialog* dialog)
{
    QPointer<SettingsDialog> shown(dialog);
    m_service->post<RulesRead>(
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

void WindowArchive::changeRules(const ArchiveRules& before, const ArchiveRules& after)
{
    m_service->post<QString>(
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
            m_findings->invalidate();
            if (!error.isEmpty())
                Messages::critical(Text::tr("The archive's findings settings were not changed: %1").arg(error),
                                   &m_window);
        },
        true);
}

void WindowArchive::keep(const QByteArray& bytes, AuditKind kind, const QString& file, bool asked)
{
    m_service->post<KeepOutcome>([bytes, kind, file](ArchiveWorker& w) { return KeepAudit(w, bytes, kind, file); },
                                 [this, asked](KeepOutcome outcome) { kept(outcome, asked); }, true);
}

void WindowArchive::kept(const KeepOutcome& kept, bool asked)
{
    m_locks->setWaiting(kept.waiting);
    QString text;
    switch (kept.state) {
    case KeepOutcome::Kept:
        text = Text::tr("Kept in the archive: lock %1, %n new events", nullptr, kept.report.newEvents)
                   .arg(kept.report.serial)
            + Text::tr(", %n gaps", nullptr, kept.report.gaps);
        for (const QString& note : kept.report.notes)
            text += QStringLiteral("; ") + note;
        refreshLocks();
        break;
    case KeepOutcome::AlreadyThere:
        text = Text::tr("This audit is already in the archive.");
        break;
    case KeepOutcome::Waiting:
        queued(kept.message, kept.waiting);
        return;
    case KeepOutcome::ReadOnly:
        // Told once: a supervisor downloading for a look is not to be interrupted every time.
        text = Text::tr("Not kept in the archive: %1. The audit is on screen and can be saved as a file.")
                   .arg(kept.message);
        m_status.showMessage(text, 20000);
        if (!m_readOnlyTold || asked)
            Messages::information(text, &m_window);
        m_readOnlyTold = true;
        return;
    case KeepOutcome::Refused:
    case KeepOutcome::Failed:
        // What is on screen stays there: it can still be saved as a file.
        Messages::critical(Text::tr("The audit was not kept in the archive: %1\nIt is still on screen and can be "
                                    "saved as a file.")
                               .arg(kept.message),
                           &m_window);
        return;
    }
    m_status.showMessage(text, 20000);
    if (asked || !kept.report.notes.isEmpty())
        Messages::information(text, &m_window);
}

void WindowArchive::keepUsersLog(const QString& serial, const QDateTime& downloadedAt, const QByteArray& records)
{
    m_service->post<UsersLogKept>(
        [serial, downloadedAt, records](ArchiveWorker& w) { return KeepUsersLog(w, serial, downloadedAt, records); },
        [this](UsersLogKept kept) { usersLogKept(kept); }, true);
}

void WindowArchive::usersLogKept(const UsersLogKept& kept)
{
    const QString text = UsersLogKeptText(kept);
    m_status.showMessage(text, 20000);
    switch (kept.state) {
    case UsersLogKept::Kept:
        return;
    case UsersLogKept::NotReached:
        // Once, as for audits: a day away from the office is not a box for every lock.
        if (!m_usersLogNotReachedTold)
            Messages::warning(text, &m_window);
        m_usersLogNotReachedTold = true;
        return;
    case UsersLogKept::ReadOnly:
        if (!m_readOnlyTold)
            Messages::information(text, &m_window);
        m_readOnlyTold = true;
        return;
    case UsersLogKept::NoSerial:
        Messages::information(text, &m_window);
        return;
    case UsersLogKept::Failed:
        Messages::warning(text, &m_window);
        return;
    }
}

void WindowArchive::queued(const QString& reason, int waiting)
{
    m_locks->setWaiting(waiting);
    m_status.showMessage(Text::tr("%n audits waiting to be sent", nullptr, waiting), 20000);
    // Once, not a box for every audit of a day away from the office.
    if (m_offlineTold)
        return;
    m_offlineTold = true;
    Messages::warning(Text::tr("%1\nThe audits are kept on this computer and sent when the archive answers again "
                               "(Locks tab, \"Send now\").")
                          .arg(reason),
                      &m_window);
}

void WindowArchive::sendQueued(bool asked)
{
    m_service->post<QPair<ArchiveQueue::SendReport, int>>(
        [](ArchiveWorker& w) {
            const ArchiveQueue::SendReport report = SendWaiting(w);
            return qMakePair(report, std::max(0, w.queue().count()));
        },
        [this, asked](QPair<ArchiveQueue::SendReport, int> result) {
            const ArchiveQueue::SendReport& report = result.first;
            m_locks->setWaiting(result.second);
            if (report.sent > 0) {
                m_status.showMessage(Text::tr("%n audits sent to the archive", nullptr, report.sent), 20000);
                refreshLocks();
            }
            if (asked && !report.error.isEmpty())
                Messages::critical(report.error, &m_window);
        },
        true);
}

void WindowArchive::refreshLocks()
{
    m_locks->refresh(SettingsFile::read().display);
}

void WindowArchive::readHistory(const QString& serial, const std::function<void(std::shared_ptr<const LockHistory>)>& shown,
                                const std::function<void()>& failed)
{
    m_service->post<HistoryRead>(
        [serial](ArchiveWorker& w) {
            HistoryRead read;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            auto history = std::make_shared<LockHistory>();
            read.ok = archive && archive->history(serial, history.get());
            read.error = archive ? archive->errorString() : w.error();
            read.history = std::move(history);
            return read;
        },
        [this, shown, failed](HistoryRead read) {
            if (!read.ok) {
                failed();
                Messages::critical(read.error, &m_window);
                return;
            }
            shown(std::move(read.history));
        });
}

void WindowArchive::readHistoryProof(std::shared_ptr<const LockHistory> shown, const DstRule* dst,
                                     const std::function<void(const HistoryProof&)>& done,
                                     const std::function<void(const QString&)>& failed)
{
    // The window's own history, shared: neither side changes it.
    const std::optional<DstRule> correction = dst ? std::optional<DstRule>(*dst) : std::nullopt;
    const QDate at = ReportPrintedAt().date();
    m_service->post<ProofRead>(
        [shown, correction, at](ArchiveWorker& w) {
            ProofRead read;
            Archive* archive = w.archive(Archive::OpenMode::Existing);
            if (!archive)
                read.error = w.error();
            else
                read.ok = ReadHistoryProof(*archive, *shown, at, correction ? &*correction : nullptr, &read.proof,
                                           &read.error);
            return read;
        },
        [done, failed](ProofRead read) { read.ok ? done(read.proof) : failed(read.error); });
}

operations::ArchivedEvents WindowArchive::archivedEvents()
{
    // The archive's thread answers, each exchange with a server bounded in time.
    ArchiveService* service = m_service;
    return [service](const QString& serial) {
        return service->call<QVector<HistoryEvent>>([serial](ArchiveWorker& w) {
            QVector<HistoryEvent> newest;
            if (Archive* a = w.archive(Archive::OpenMode::Existing))
                a->newestLockEvents(serial, 256, &newest);
            return newest;
        });
    };
}
