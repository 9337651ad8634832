#include "operations/Workers.h"

#include "device/CaptureWriter.h"
#include "device/SerialLink.h"

#include <QCoreApplication>
#include <QDir>

#include <memory>
#include <mutex>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(DeviceOperation)
};

QString OutcomeWord(const OperationOutcome& outcome)
{
    switch (outcome.kind) {
    case OperationOutcome::Succeeded: return QStringLiteral("done");
    case OperationOutcome::Failed: return QStringLiteral("failed");
    case OperationOutcome::Cancelled: break;
    }
    return QStringLiteral("cancelled");
}

} // namespace

OperationOutcome RunOperation(const LinkFactory& links, const QString& portName, bool keyMode,
                              const Operation& operation, CaptureWriter* capture)
{
    OperationOutcome outcome;
    QString problem;
    if (std::unique_ptr<DeviceLink> link = links.open(portName, keyMode, capture, &problem))
        outcome = operation(*link); // the port closes with the link, before the end is written
    else
        outcome = { OperationOutcome::Failed, operations::UnableToOpenText(), problem };
    if (capture)
        capture->end(OutcomeWord(outcome), outcome.message);
    return outcome;
}

QString CaptureFileName(const QDateTime& at, const QString& operation, int attempt)
{
    const QString suffix = attempt > 1 ? QStringLiteral("-%1").arg(attempt) : QString();
    return at.toString(QStringLiteral("yyyyMMdd-HHmmss-")) + operation + suffix + QStringLiteral(".capture");
}

QString CaptureOffText(const QString& path, const QString& reason)
{
    return Texts::tr("The capture is off: %1 cannot be written (%2). The operation goes on without it.").arg(path, reason);
}

namespace {

// The window sets it on its thread, the workers read it on theirs.
struct CaptureSetting
{
    std::mutex mutex;
    QString folder;
    CaptureWarning unwritable;
};

CaptureSetting& Capture()
{
    static CaptureSetting setting;
    return setting;
}

// A new file in `folder`, never one that is there already.
bool OpenCaptureIn(const QString& folder, const capture::Header& header, CaptureWriter& writer, QString* path,
                   QString* error)
{
    const QDir dir(folder);
    const QDateTime now = QDateTime::currentDateTime();
    *path = dir.filePath(CaptureFileName(now, header.operation));
    if (!QDir().mkpath(folder)) {
        *error = Texts::tr("the folder cannot be made");
        return false;
    }
    for (int attempt = 2; QFile::exists(*path) && attempt < 100; ++attempt)
        *path = dir.filePath(CaptureFileName(now, header.operation, attempt));
    return writer.open(*path, header, true, error);
}

constexpr bool BusMode = false;
constexpr bool KeyMode = true;

// Turns an operation's progress into the worker's signals.
template <typename Worker> class SignalProgress : public OperationProgress
{
public:
    SignalProgress(Worker* worker, const StopFlag& stop) : m_worker(worker), m_stop(stop) {}
    void setPercentageMode(bool percentage) override { emit m_worker->setProgress(percentage); }
    void setPercentage(int percent) override { emit m_worker->updateProgress(percent); }
    void setStatus(const QString& text, bool isError) override
    {
        // The users log shows no status texts.
        if constexpr (!std::is_same_v<Worker, UsersLogWorker>)
            emit m_worker->SetText(text, isError);
        Q_UNUSED(text)
        Q_UNUSED(isError)
    }
    bool stopRequested() const override { return m_stop->load(); }

private:
    Worker* m_worker;
    StopFlag m_stop;
};

// The end of every run: the message of a failure or of success, then finished() last.
template <typename Worker> void finish(Worker* worker, const OperationOutcome& outcome)
{
    if (outcome.kind == OperationOutcome::Failed)
        emit worker->ErrorCritical(outcome.message);
    else if (outcome.kind == OperationOutcome::Succeeded && !outcome.message.isEmpty())
        emit worker->ErrorInformation(outcome.message);
    emit worker->finished();
}

} // namespace

void SetCaptureFolder(const QString& folder, CaptureWarning unwritable)
{
    std::lock_guard<std::mutex> lock(Capture().mutex);
    Capture().folder = folder;
    Capture().unwritable = std::move(unwritable);
}

OperationWorker::OperationWorker()
    : m_stop(std::make_shared<std::atomic_bool>(false)), m_links(std::make_shared<SerialLinkFactory>())
{
    qRegisterMetaType<BusDump>();
}

void OperationWorker::doWork()
{
    run();
}

void OperationWorker::stopWork()
{
    m_stop->store(true);
}

OperationOutcome OperationWorker::runOnPort(const QString& portName, bool keyMode, const char* operationName,
                                            int events, const Operation& operation)
{
    QString folder;
    CaptureWarning unwritable;
    {
        std::lock_guard<std::mutex> lock(Capture().mutex);
        folder = Capture().folder;
        unwritable = Capture().unwritable;
    }
    if (folder.isEmpty())
        return RunOperation(*m_links, portName, keyMode, operation);
    capture::Header header;
    header.operation = QLatin1String(operationName);
    header.events = events;
    CaptureWriter writer;
    QString path;
    QString error;
    const bool capturing = OpenCaptureIn(folder, header, writer, &path, &error);
    if (!capturing && unwritable)
        unwritable(CaptureOffText(path, error));
    const OperationOutcome outcome = RunOperation(*m_links, portName, keyMode, operation, capturing ? &writer : nullptr);
    if (capturing && !writer.failure().isEmpty() && unwritable)
        unwritable(CaptureOffText(path, writer.failure()));
    return outcome;
}

// ---- key reading

ReadDallasWorker::ReadDallasWorker(QString portName, unsigned char*, int pageCount)
    : m_portName(std::move(portName)), m_pageCount(pageCount)
{
}

void ReadDallasWorker::run()
{
    SignalProgress<ReadDallasWorker> progress(this, m_stop);
    OperationResult<QByteArray> read;
    read.outcome = runOnPort(m_portName, KeyMode, operationname::ReadKey, 0, [&](DeviceLink& link) {
        read = operations::ReadDallasKey(link, progress, m_pageCount);
        return read.outcome;
    });
    const OperationOutcome& outcome = read.outcome;
    if (outcome.succeeded())
        emit imageRead(read.payload);
    if (outcome.kind == OperationOutcome::Failed)
        emit ErrorCritical(outcome.message);
    else if (outcome.kind == OperationOutcome::Succeeded)
        emit ErrorInformation(outcome.message, true);
    emit finished();
}

// ---- key creation

WriteDallasWorker::WriteDallasWorker(QString portName, unsigned char* image, int pageCount)
    : m_portName(std::move(portName)),
      m_image(reinterpret_cast<const char*>(image), qBound(0, pageCount, wire::DallasPageCount) * wire::DallasPageSize)
{
}

void WriteDallasWorker::run()
{
    SignalProgress<WriteDallasWorker> progress(this, m_stop);
    finish(this, runOnPort(m_portName, KeyMode, operationname::WriteKey, 0, [&](DeviceLink& link) {
               return operations::WriteDallasKey(link, progress, m_image);
           }));
}

// ---- audit download

DownloadAuditWorker::DownloadAuditWorker(unsigned int, QString portName, unsigned char*, unsigned char*,
                                         unsigned char*, unsigned char*, unsigned char*, unsigned char*,
                                         int eventCount, bool*)
    : m_portName(std::move(portName)), m_eventCount(operations::DownloadEventCount(eventCount))
{
}

void DownloadAuditWorker::run()
{
    SignalProgress<DownloadAuditWorker> progress(this, m_stop);
    OperationResult<BusDump> download;
    download.outcome = runOnPort(m_portName, BusMode, operationname::Download, m_eventCount, [&](DeviceLink& link) {
        download = operations::DownloadAudit(link, progress, m_eventCount, operations::NoWaitLimit, m_archived);
        return download.outcome;
    });
    if (download.succeeded()) {
        emit auditDownloaded(download.payload);
        finish(this, download.outcome);
        return;
    }
    const int partial = operations::PartialEventCount(download);
    if (partial == 0) {
        finish(this, download.outcome);
        return;
    }
    emit auditPartial(download.payload);
    const QString told = operations::PartialDownloadText(download.outcome, partial);
    if (download.outcome.kind == OperationOutcome::Cancelled)
        emit ErrorInformation(told);
    else
        emit ErrorCritical(told);
    emit finished();
}

// ---- users log

UsersLogWorker::UsersLogWorker(unsigned int, QString portName, unsigned char*, bool*) : m_portName(std::move(portName))
{
}

void UsersLogWorker::run()
{
    SignalProgress<UsersLogWorker> progress(this, m_stop);
    OperationResult<operations::UsersLogDump> log;
    log.outcome = runOnPort(m_portName, BusMode, operationname::UsersLog, 0, [&](DeviceLink& link) {
        log = operations::DownloadUsersLog(link, progress);
        return log.outcome;
    });
    if (log.succeeded())
        emit logDownloaded(log.payload.records, log.payload.serial);
    finish(this, log.outcome);
}
