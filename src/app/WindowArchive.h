#pragma once

#include "archive/Archive.h"
#include "operations/DeviceOperations.h"

#include <QObject>

#include <functional>
#include <memory>

struct ArchiveRules;
struct HistoryProof;
struct KeepOutcome;
struct UsersLogKept;
class ArchiveService;
class FindingsTab;
class LocksTab;
class SettingsDialog;
class QStatusBar;
class QTabWidget;
class QWidget;

// The window's side of the archive: audits kept as they are obtained or when asked, the queue,
// the Locks and Findings tabs, the archive's rules in the Settings dialog and a lock's history read. All of it through the archive service, off the
// window's thread; the outcomes are told on the window, each as often as a technician wants to
// hear it.
class WindowArchive : public QObject
{
    Q_OBJECT
public:
    WindowArchive(QWidget& window, QStatusBar& status, QTabWidget& tabs);
    ~WindowArchive() override;

    ArchiveService& service() { return *m_service; }
    LocksTab& locks() { return *m_locks; }
    FindingsTab& findings() { return *m_findings; }
    // Work posted and not yet answered, the Locks tab's reads included.
    int pending() const;

    // An audit's file bytes, as "Save" writes them, into the archive or its queue. `asked`: the
    // user asked (a box tells the outcome).
    void keep(const QByteArray& bytes, AuditKind kind, const QString& file, bool asked);
    // A users log downloaded at `downloadedAt`, kept with its lock (serial number; empty when the
    // lock named none, which is told and keeps nothing). A log the archive cannot take is told, and
    // not kept: users logs do not wait in the queue.
    void keepUsersLog(const QString& serial, const QDateTime& downloadedAt, const QByteArray& records);
    void sendQueued(bool asked);
    void refreshLocks();
    void retranslate(QTabWidget& tabs);
    // The archive's closed days and thresholds, read into the dialog while it is open; the changes
    // made there written when it closes.
    void readRules(SettingsDialog* dialog);
    void changeRules(const ArchiveRules& before, const ArchiveRules& after);
    // The lock's history, joined and presented as an audit, handed to `shown`; a failure is told.
    void readHistory(const QString& serial, const std::function<void(std::shared_ptr<const LockHistory>)>& shown,
                     const std::function<void()>& failed);
    // The findings and the evidence of a history read before (`shown`), read again from the archive
    // for exactly its visits and handed to `done`; the reason to `failed`.
    // Findings are judged as corrected by `dst` when given, Not visited at the report's day.
    void readHistoryProof(std::shared_ptr<const LockHistory> shown, const DstRule* dst,
                          const std::function<void(const HistoryProof&)>& done,
                          const std::function<void(const QString&)>& failed);
    // For a download of what is new: the lock's newest archived events, asked on the device's thread.
    operations::ArchivedEvents archivedEvents();

private:
    void kept(const KeepOutcome& kept, bool asked);
    void queued(const QString& reason, int waiting);
    void usersLogKept(const UsersLogKept& kept);

    QWidget& m_window;
    QStatusBar& m_status;
    ArchiveService* m_service = nullptr;
    LocksTab* m_locks = nullptr;
    FindingsTab* m_findings = nullptr;
    bool m_offlineTold = false;
    bool m_readOnlyTold = false;
    bool m_usersLogNotReachedTold = false;
};
