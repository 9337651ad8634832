#include "archive/ArchiveService.h"

#include "archive/ArchiveInternal.h"
#include "archive/ArchiveLocation.h"

#include <QSemaphore>
#include <QThread>

using namespace archive;

ArchiveWorker::ArchiveWorker(const QString& location, const QString& queuePath) : m_option(location), m_queue(queuePath) {}

ArchiveWorker::~ArchiveWorker() = default;

QString ArchiveWorker::chosenLocation() const
{
    return ChooseArchiveLocation(m_option);
}

Archive* ArchiveWorker::archive(Archive::OpenMode mode)
{
    // The settings may name another archive since the last job.
    const QString location = chosenLocation();
    if (m_archive && m_archive->isOpen() && location == m_location)
        return m_archive.get();
    m_archive = std::make_unique<Archive>();
    m_location = location;
    if (!m_archive->open(location, mode)) {
        m_error = m_archive->errorString();
        m_failure = m_archive->failure() == ArchiveFailure::None ? ArchiveFailure::Other : m_archive->failure();
        m_displayName = m_archive->displayName();
        m_archive.reset();
        return nullptr;
    }
    m_displayName = m_archive->displayName();
    m_notice = m_archive->notice();
    m_error.clear();
    m_failure = ArchiveFailure::None;
    return m_archive.get();
}

QString ArchiveWorker::takeNotice()
{
    QString notice;
    std::swap(notice, m_notice);
    return notice;
}

KeepOutcome KeepAudit(ArchiveWorker& worker, const QByteArray& audit, AuditKind kind, const QString& file)
{
    KeepOutcome out;
    Archive* archive = worker.archive();
    out.archive = worker.displayName();
    const qint64 queued = worker.queue().add(out.archive, audit, kind, file);
    if (!archive) {
        out.report.message = worker.error();
        out.report.failure = worker.failure();
    } else {
        out.report = archive->import(audit, kind);
    }
    switch (out.report.status) {
    case ImportReport::Added: out.state = KeepOutcome::Kept; break;
    case ImportReport::AlreadyThere: out.state = KeepOutcome::AlreadyThere; break;
    case ImportReport::Refused: out.state = KeepOutcome::Refused; break;
    case ImportReport::Failed:
        out.state = out.report.failure == ArchiveFailure::ReadOnly ? KeepOutcome::ReadOnly
            : out.report.failure == ArchiveFailure::Unreachable || out.report.failure == ArchiveFailure::Busy
            ? KeepOutcome::Waiting
            : KeepOutcome::Failed;
        break;
    }
    out.message = out.report.message;
    if (out.state == KeepOutcome::Waiting && !queued) {
        // Not even the queue takes it: say so, the audit is still on screen or in its file.
        out.state = KeepOutcome::Failed;
        out.message = out.report.message + QLatin1Char('\n') + worker.queue().errorString();
    }
    if (out.state != KeepOutcome::Waiting && queued && !worker.queue().remove(queued) && out.state != KeepOutcome::Failed)
        out.message = worker.queue().errorString();
    out.waiting = std::max(0, worker.queue().count());
    return out;
}

UsersLogKept KeepUsersLog(ArchiveWorker& worker, const QString& serial, const QDateTime& downloadedAt,
                          const QByteArray& records)
{
    UsersLogKept out;
    out.serial = serial;
    if (serial.isEmpty()) {
        out.state = UsersLogKept::NoSerial;
        out.message = Text::tr("the lock did not tell its serial number");
        return out;
    }
    Archive* archive = worker.archive();
    out.archive = worker.displayName();
    ArchiveFailure failure = ArchiveFailure::None;
    if (!archive) {
        out.message = worker.error();
        failure = worker.failure();
    } else if (archive->keepUsersLog(serial, downloadedAt, records)) {
        out.state = UsersLogKept::Kept;
        return out;
    } else {
        out.message = archive->errorString();
        failure = archive->failure();
    }
    if (failure == ArchiveFailure::ReadOnly)
        out.state = UsersLogKept::ReadOnly;
    else if (failure == ArchiveFailure::Unreachable || failure == ArchiveFailure::Busy)
        out.state = UsersLogKept::NotReached;
    else
        out.state = UsersLogKept::Failed;
    return out;
}

QString UsersLogKeptText(const UsersLogKept& kept)
{
    switch (kept.state) {
    case UsersLogKept::Kept:
        return Text::tr("Users log kept in the archive with lock %1").arg(kept.serial);
    case UsersLogKept::NotReached:
        // Said plainly: a technician used to audits waiting on the laptop would expect the same.
        return Text::tr("The users log was not kept in the archive: %1\nUsers logs do not wait on this computer: "
                        "download it again once the archive answers.")
            .arg(kept.message);
    case UsersLogKept::NoSerial:
    case UsersLogKept::ReadOnly:
    case UsersLogKept::Failed:
        break;
    }
    return Text::tr("The users log was not kept in the archive: %1").arg(kept.message);
}

ArchiveQueue::SendReport SendWaiting(ArchiveWorker& worker)
{
    ArchiveQueue::SendReport report;
    const int waiting = worker.queue().count();
    if (waiting < 0) {
        report.error = worker.queue().errorString();
        report.failure = ArchiveFailure::Other;
        return report;
    }
    if (waiting == 0)
        return report;
    Archive* archive = worker.archive();
    if (!archive) {
        report.error = worker.error();
        report.failure = worker.failure();
        report.left = waiting;
        return report;
    }
    return worker.queue().send(*archive);
}

namespace {

// The thread's own object: the worker is made, used and ended on the thread.
class Context : public QObject
{
public:
    std::unique_ptr<ArchiveWorker> worker;
    ArchiveWorker& get()
    {
        if (!worker)
            worker = std::make_unique<ArchiveWorker>();
        return *worker;
    }
};

} // namespace

ArchiveService::ArchiveService(QObject* parent)
    : QObject(parent), m_thread(new QThread), m_context(new Context), m_closing(std::make_shared<std::atomic_bool>(false))
{
    m_context->moveToThread(m_thread);
    // The connection closes on its own thread.
    connect(m_thread, &QThread::finished, m_context, [context = static_cast<Context*>(m_context)] { context->worker.reset(); },
            Qt::DirectConnection);
    m_thread->start();
}

ArchiveService::~ArchiveService()
{
    m_closing->store(true);
    // After every job already posted, each then skipped unless it keeps an audit.
    QMetaObject::invokeMethod(m_context, [thread = m_thread] { thread->quit(); }, Qt::QueuedConnection);
    m_thread->wait();
    delete m_context;
    delete m_thread;
}

void ArchiveService::run(std::function<void(ArchiveWorker&)> work, std::function<void()> done, bool keeps)
{
    ++m_pending;
    QPointer<ArchiveService> self(this);
    auto closing = m_closing;
    auto* context = static_cast<Context*>(m_context);
    QMetaObject::invokeMethod(
        m_context,
        [self, closing, context, work, done, keeps] {
            // Closing: what only reads is not worth the wait; what keeps an audit is done.
            if (closing->load() && !keeps)
                return;
            work(context->get());
            if (closing->load())
                return;
            QMetaObject::invokeMethod(
                self.data(),
                [self, done] {
                    if (!self)
                        return;
                    --self->m_pending;
                    done();
                    if (self->m_pending == 0)
                        emit self->idle();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void ArchiveService::runAndWait(std::function<void(ArchiveWorker&)> work)
{
    auto* context = static_cast<Context*>(m_context);
    auto closing = m_closing;
    auto done = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        m_context,
        [context, closing, work, done] {
            if (!closing->load())
                work(context->get());
            done->release();
        },
        Qt::QueuedConnection);
    done->acquire();
}
