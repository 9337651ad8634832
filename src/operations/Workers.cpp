#include "Workers.h"

#include "CaptureWriter.h"
#include "SerialLink.h"
#include "SerialTransport.h"

#include <QCoreApplication>
#include <QDir>
#include <QSerialPort>

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

OperationOutcome RunOnSerialPort(const QString& portName, bool keyMode, const Operation& operation,
                                 CaptureWriter* capture)
{
    auto port = std::make_unique<QSerialPort>();
    OperationOutcome outcome;
    if (!OpenPort(port.get(), portName, keyMode)) {
        outcome = { OperationOutcome::Failed, operations::UnableToOpenText(),
                    QStringLiteral("%1: %2").arg(portName, PortOpenProblem(portName, *port)) };
    } else {
        // Data-terminal-ready as the program sets it: a pseudo-terminal has no such line.
        if (capture)
            capture->lineSettings(port->baudRate(), keyMode);
        SerialLink link(port.get(), capture);
        outcome = operation(link);
        ClosePort(port.get());
    }
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

LinkProvider& Provider()
{
    static LinkProvider provider;
    return provider;
}

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

OperationOutcome RunOnPort(const QString& portName, bool keyMode, const capture::Header& header,
                           const Operation& operation)
{
    if (Provider())
        return Provider()(portName, keyMode, operation);
    QString folder;
    CaptureWarning unwritable;
    {
        std::lock_guard<std::mutex> lock(Capture().mutex);
        folder = Capture().folder;
        unwritable = Capture().unwritable;
    }
    if (folder.isEmpty())
        return RunOnSerialPort(portName, keyMode, operation);
    CaptureWriter writer;
    QString path;
    QString error;
    const bool capturing = OpenCaptureIn(folder, header, writer, &path, &error);
    if (!capturing && unwritable)
        unwritable(CaptureOffText(path, error));
    const OperationOutcome outcome = RunOnSerialPort(portName, keyMode, operation, capturing ? &writer : nullptr);
    if (capturing && !writer.failure().isEmpty() && unwritable)
        unwritable(CaptureOffText(path, writer.failure()));
    return outcome;
}

capture::Header Header(const char* operation, int events = 0)
{
    capture::Header header;
    header.operation = QLatin1String(operation);
    header.events = events;
    return header;
}

constexpr bool BusMode = false;
constexpr bool KeyMode = true;

StopFlag newStopFlag()
{
    return std::make_shared<std::atomic_bool>(false);
}

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

void SetLinkProvider(LinkProvider provider)
{
    Provider() = std::move(provider);
}

void SetCaptureFolder(const QString& folder, CaptureWarning unwritable)
{
    std::lock_guard<std::mutex> lock(Capture().mutex);
    Capture().folder = folder;
    Capture().unwritable = std::move(unwritable);
}

OperationWorker::OperationWorker()
    : m_stop(newStopFlag()), m_caller(new QObject, [](QObject* object) { object->deleteLater(); })
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

void OperationWorker::deliver(std::function<void()> copy)
{
    // Queued ahead of finished(), whose receivers live on that same thread.
    QMetaObject::invokeMethod(m_caller.get(), std::move(copy), Qt::QueuedConnection);
}

// ---- key reading

ReadDallasWorker::ReadDallasWorker(QString portName, unsigned char* image, int pageCount)
    : m_portName(std::move(portName)), m_image(image), m_pageCount(pageCount)
{
}

void ReadDallasWorker::run()
{
    SignalProgress<ReadDallasWorker> progress(this, m_stop);
    OperationResult<QByteArray> read;
    read.outcome = RunOnPort(m_portName, KeyMode, Header(operationname::ReadKey), [&](DeviceLink& link) {
        read = operations::ReadDallasKey(link, progress, m_pageCount);
        return read.outcome;
    });
    const OperationOutcome& outcome = read.outcome;
    if (outcome.succeeded()) {
        unsigned char* image = m_image;
        const QByteArray bytes = read.payload;
        deliver([image, bytes] { std::copy(bytes.begin(), bytes.end(), image); });
        emit imageRead(bytes);
    }
    if (outcome.kind == OperationOutcome::Failed)
        emit ErrorCritical(outcome.message);
    else if (outcome.kind == OperationOutcome::Succeeded)
        emit ErrorInformation(outcome.message, true);
    emit finished();
}

// ---- key creation

WriteDallasWorker::WriteDallasWorker(QString portName, unsigned char* image, int pageCount)
    : m_portName(std::move(portName)),
      m_image(reinterpret_cast<const char*>(image), qBound(0, pageCount, operations::KeyPageCount) * wire::DallasPageSize)
{
}

void WriteDallasWorker::run()
{
    SignalProgress<WriteDallasWorker> progress(this, m_stop);
    finish(this, RunOnPort(m_portName, KeyMode, Header(operationname::WriteKey), [&](DeviceLink& link) {
               return operations::WriteDallasKey(link, progress, m_image);
           }));
}

// ---- audit download

DownloadAuditWorker::DownloadAuditWorker(unsigned int, QString portName, unsigned char* version,
                                         unsigned char* report, unsigned char* status, unsigned char* configuration,
                                         unsigned char* events, unsigned char* dateTimeTable, int eventCount,
                                         bool* result)
    : m_portName(std::move(portName)), m_buffers{ version, report, status, configuration, events, dateTimeTable },
      m_eventCount(operations::DownloadEventCount(eventCount)), m_result(result)
{
}

void DownloadAuditWorker::run()
{
    SignalProgress<DownloadAuditWorker> progress(this, m_stop);
    OperationResult<BusDump> download;
    download.outcome = RunOnPort(m_portName, BusMode, Header(operationname::Download, m_eventCount), [&](DeviceLink& link) {
        download = operations::DownloadAudit(link, progress, m_eventCount, operations::NoWaitLimit, m_archived);
        return download.outcome;
    });
    const bool succeeded = download.succeeded();
    const Buffers b = m_buffers;
    const BusDump dump = download.payload;
    bool* result = m_result;
    deliver([b, dump, succeeded, result] {
        if (succeeded) {
            std::copy(dump.version.begin(), dump.version.end(), b.version);
            std::copy(dump.report.begin(), dump.report.end(), b.report);
            std::copy(dump.status.begin(), dump.status.end(), b.status);
            std::copy(dump.configuration.begin(), dump.configuration.end(), b.configuration);
            std::copy(dump.dateTimeTable.begin(), dump.dateTimeTable.end(), b.dateTimeTable);
            std::copy(dump.events.begin(), dump.events.end(), b.events);
        }
        *result = succeeded;
    });
    if (succeeded)
        emit auditDownloaded(dump);
    finish(this, download.outcome);
}

// ---- users log

UsersLogWorker::UsersLogWorker(unsigned int, QString portName, unsigned char* records, bool* result)
    : m_portName(std::move(portName)), m_records(records), m_result(result)
{
}

void UsersLogWorker::run()
{
    SignalProgress<UsersLogWorker> progress(this, m_stop);
    OperationResult<QByteArray> log;
    log.outcome = RunOnPort(m_portName, BusMode, Header(operationname::UsersLog), [&](DeviceLink& link) {
        log = operations::DownloadUsersLog(link, progress);
        return log.outcome;
    });
    const bool succeeded = log.succeeded();
    unsigned char* records = m_records;
    bool* result = m_result;
    const QByteArray bytes = log.payload;
    deliver([records, result, bytes, succeeded] {
        if (succeeded)
            std::copy(bytes.begin(), bytes.end(), records);
        *result = succeeded;
    });
    if (succeeded)
        emit logDownloaded(bytes);
    finish(this, log.outcome);
}
