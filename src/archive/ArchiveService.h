#pragma once

#include "archive/Archive.h"
#include "archive/ArchiveQueue.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

// What runs on the archive's thread: one connection, opened on first use (the schema checked then,
// once) and again after a server went away, and the queue of audits on their way. The command line
// uses one on its own thread; the window through an ArchiveService.
class ArchiveWorker
{
public:
    // `location` as --archive gives it; empty for the environment, the settings or the default.
    explicit ArchiveWorker(const QString& location = QString(), const QString& queuePath = ArchiveQueue::DefaultPath());
    ~ArchiveWorker();
    ArchiveWorker(const ArchiveWorker&) = delete;
    ArchiveWorker& operator=(const ArchiveWorker&) = delete;

    // The archive, open; null (with error() and failure()) when it cannot be. `mode` Existing for
    // what only reads: a missing archive file is then refused, never made.
    Archive* archive(Archive::OpenMode mode = Archive::OpenMode::Create);
    QString error() const { return m_error; }
    ArchiveFailure failure() const { return m_failure; }
    // The archive's name as it may be shown; known once it was asked for.
    QString displayName() const { return m_displayName; }
    // What the user should hear of once (an upgrade of the archive); empty after.
    QString takeNotice();
    ArchiveQueue& queue() { return m_queue; }

private:
    QString chosenLocation() const;

    QString m_option;
    QString m_location;
    std::unique_ptr<Archive> m_archive;
    ArchiveQueue m_queue;
    QString m_error;
    QString m_displayName;
    QString m_notice;
    ArchiveFailure m_failure = ArchiveFailure::None;
};

// The one rule for an audit obtained or added: into the queue first, so that nothing is lost
// whatever happens next; then into the archive; out of the queue once the archive committed it, or
// refused it for good. An archive that cannot be reached or stays busy leaves it waiting; one that
// may only be read leaves it out (it was saved, not kept).
struct KeepOutcome
{
    enum State { Kept, AlreadyThere, Waiting, ReadOnly, Refused, Failed };
    State state = Failed;
    ImportReport report;
    QString message; // why, for every state but Kept and AlreadyThere
    int waiting = 0; // audits waiting to be sent, this one included
    QString archive; // the archive's name as shown
};
KeepOutcome KeepAudit(ArchiveWorker& worker, const QByteArray& audit, AuditKind kind, const QString& file = QString());

// A users log kept with its lock (named by serial number). Unlike an audit it never waits in the
// queue, which holds audit files only: one the archive cannot take now is not kept, and the
// outcome says why.
struct UsersLogKept
{
    enum State {
        Kept,
        NoSerial,   // the lock did not tell its serial number: nothing was asked of the archive
        NotReached, // the archive cannot be reached or stayed busy
        ReadOnly,
        Failed,     // refused: a lock the archive does not hold, a log cut short, a fault of its own
    };
    State state = Failed;
    QString serial;
    QString message; // why, for every state but Kept
    QString archive; // the archive's name as shown
};
UsersLogKept KeepUsersLog(ArchiveWorker& worker, const QString& serial, const QDateTime& downloadedAt,
                          const QByteArray& records);
// The outcome in one text for the user, the window's and the command line's.
QString UsersLogKeptText(const UsersLogKept& kept);

// Everything waiting, sent to the archive in use now.
ArchiveQueue::SendReport SendWaiting(ArchiveWorker& worker);

// The window's archive: work runs on a thread of its own, one job after another, each result handed
// back on the owner's thread. Closing the program does not wait for jobs that only read; jobs that
// keep audits finish (each exchange with a server is bounded, so this ends).
class ArchiveService : public QObject
{
    Q_OBJECT
public:
    explicit ArchiveService(QObject* parent = nullptr);
    ~ArchiveService() override;

    template <typename Result>
    void post(std::function<Result(ArchiveWorker&)> work, std::function<void(Result)> done, bool keeps = false)
    {
        auto result = std::make_shared<Result>();
        run([result, work](ArchiveWorker& w) { *result = work(w); }, [result, done] { done(std::move(*result)); }, keeps);
    }

    // The same from another thread than the owner's (a device operation asking where to stop),
    // waiting for the result; never from the owner's thread.
    template <typename Result> Result call(std::function<Result(ArchiveWorker&)> work)
    {
        Result result;
        runAndWait([&result, work](ArchiveWorker& w) { result = work(w); });
        return result;
    }

    // Jobs posted and not yet handed back.
    int pending() const { return m_pending; }

signals:
    void idle();

private:
    void run(std::function<void(ArchiveWorker&)> work, std::function<void()> done, bool keeps);
    void runAndWait(std::function<void(ArchiveWorker&)> work);

    QThread* m_thread = nullptr;
    QObject* m_context = nullptr; // lives on the thread
    std::shared_ptr<std::atomic_bool> m_closing;
    int m_pending = 0;
};
