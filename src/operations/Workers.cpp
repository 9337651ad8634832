#include "Workers.h"

#include "SerialLink.h"
#include "SerialTransport.h"

#include <QSerialPort>

#include <memory>

OperationOutcome RunOnSerialPort(const QString& portName, bool keyMode, const Operation& operation)
{
    auto port = std::make_unique<QSerialPort>();
    if (!OpenPort(port.get(), portName, keyMode))
        return { OperationOutcome::Failed, operations::UnableToOpenText(),
                 QStringLiteral("%1: %2").arg(portName, PortOpenProblem(portName, *port)) };
    SerialLink link(port.get());
    const OperationOutcome outcome = operation(link);
    ClosePort(port.get());
    return outcome;
}

namespace {

LinkProvider& Provider()
{
    static LinkProvider provider;
    return provider;
}

OperationOutcome RunOnPort(const QString& portName, bool keyMode, const Operation& operation)
{
    return Provider() ? Provider()(portName, keyMode, operation) : RunOnSerialPort(portName, keyMode, operation);
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

// ---- key reading

ReadDallasWorker::ReadDallasWorker(QString portName, unsigned char* image, int pageCount)
    : m_portName(std::move(portName)), m_image(image), m_pageCount(pageCount), m_stop(newStopFlag())
{
}

void ReadDallasWorker::doWork()
{
    SignalProgress<ReadDallasWorker> progress(this, m_stop);
    const OperationOutcome outcome = RunOnPort(m_portName, KeyMode, [&](DeviceLink& link) {
        return operations::ReadDallasKey(link, progress, m_image, m_pageCount);
    });
    if (outcome.kind == OperationOutcome::Failed)
        emit ErrorCritical(outcome.message);
    else if (outcome.kind == OperationOutcome::Succeeded)
        emit ErrorInformation(outcome.message, true);
    emit finished();
}

void ReadDallasWorker::stopWork() { m_stop->store(true); }

// ---- key creation

WriteDallasWorker::WriteDallasWorker(QString portName, unsigned char* image, int pageCount)
    : m_portName(std::move(portName)), m_image(image), m_pageCount(pageCount), m_stop(newStopFlag())
{
}

void WriteDallasWorker::doWork()
{
    SignalProgress<WriteDallasWorker> progress(this, m_stop);
    finish(this, RunOnPort(m_portName, KeyMode, [&](DeviceLink& link) {
               return operations::WriteDallasKey(link, progress, m_image, m_pageCount);
           }));
}

void WriteDallasWorker::stopWork() { m_stop->store(true); }

// ---- audit download

DownloadAuditWorker::DownloadAuditWorker(unsigned int portIndex, QString portName, unsigned char* version,
                                         unsigned char* report, unsigned char* status, unsigned char* configuration,
                                         unsigned char* events, unsigned char* dateTimeTable, int eventCount,
                                         bool* result)
    : m_portIndex(portIndex), m_portName(std::move(portName)),
      m_buffers{ version, report, status, configuration, events, dateTimeTable },
      m_eventCount(operations::DownloadEventCount(eventCount)), m_result(result), m_stop(newStopFlag())
{
}

void DownloadAuditWorker::doWork()
{
    *m_result = false;
    SignalProgress<DownloadAuditWorker> progress(this, m_stop);
    const OperationOutcome outcome = RunOnPort(m_portName, BusMode, [&](DeviceLink& link) {
        return operations::DownloadAudit(link, progress, m_buffers, m_eventCount);
    });
    // Written before finished(), whose queued delivery orders it for the dialog.
    *m_result = outcome.succeeded();
    finish(this, outcome);
}

void DownloadAuditWorker::stopWork() { m_stop->store(true); }

// ---- users log

UsersLogWorker::UsersLogWorker(unsigned int portIndex, QString portName, unsigned char* records, bool* result)
    : m_portIndex(portIndex), m_portName(std::move(portName)), m_records(records), m_result(result),
      m_stop(newStopFlag())
{
}

void UsersLogWorker::doWork()
{
    *m_result = false;
    SignalProgress<UsersLogWorker> progress(this, m_stop);
    const OperationOutcome outcome = RunOnPort(m_portName, BusMode, [&](DeviceLink& link) {
        return operations::DownloadUsersLog(link, progress, m_records);
    });
    *m_result = outcome.succeeded();
    finish(this, outcome);
}

void UsersLogWorker::stopWork() { m_stop->store(true); }
