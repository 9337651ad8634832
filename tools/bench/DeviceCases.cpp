// The device operations: against the simulated interface in memory (no waits at all), and over a
// pseudo-terminal served by corvane-lock-sim at the pace of the line, measured against the
// protocol's floor: for each exchange, its request and answer bytes at the line's baud rate
// and the 40 ms of silence that ends an answer.

#include "BenchAudits.h"
#include "BenchCase.h"
#include "DeviceOperations.h"
#include "SimulatedLink.h"
#include "Workers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <memory>

namespace {

struct NoProgress : OperationProgress
{
    void setPercentageMode(bool) override {}
    void setPercentage(int) override {}
    void setStatus(const QString&, bool) override {}
    bool stopRequested() const override { return false; }
};

// A lock holding 5600 events, the most a download takes.
const LockAudit& FullLock()
{
    static const LockAudit lock = [] {
        auto session = std::make_unique<AuditSession>();
        FullBusAudit().fill(*session);
        session->busAudit = true;
        LockAudit audit;
        LockAuditFromSession(*session, audit);
        return audit;
    }();
    return lock;
}

enum class Job { ReadKey, Download };

// Runs the job against the in-memory interface; the link's clock then holds the protocol's floor.
qint64 FloorMs(Job job, int events)
{
    SimulatedInterface device;
    device.setKey(SimulatedInterface::Key::Audit);
    SimulatedLink link(device, job == Job::ReadKey);
    NoProgress progress;
    if (job == Job::ReadKey)
        operations::ReadDallasKey(link, progress, operations::KeyPageCount);
    else
        operations::DownloadAudit(link, progress, events);
    return link.elapsedMs();
}

// The job through corvane-lock-sim at the real pace; the note gets measured / floor.
std::function<void()> OverPseudoTerminal(Job job, int events, QString& note)
{
    return [job, events, &note] {
        QProcess sim;
        sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/corvane-lock-sim"),
                  { "--pace", "real", "--key", "audit" });
        if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
            note = QStringLiteral("corvane-lock-sim did not start");
            return;
        }
        const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
        NoProgress progress;
        QElapsedTimer timer;
        timer.start();
        const OperationOutcome outcome = RunOnSerialPort(port, job == Job::ReadKey, [&](DeviceLink& link) {
            return job == Job::ReadKey ? operations::ReadDallasKey(link, progress, operations::KeyPageCount).outcome
                                       : operations::DownloadAudit(link, progress, events).outcome;
        });
        const qint64 measured = timer.elapsed();
        sim.kill();
        sim.waitForFinished();
        const qint64 floor = FloorMs(job, events);
        note = outcome.succeeded() ? QStringLiteral("%1 ms, floor %2 ms, measured/floor %3 (target <= 1.05)")
                                         .arg(measured)
                                         .arg(floor)
                                         .arg(double(measured) / floor, 0, 'f', 3)
                                   : outcome.message;
    };
}

} // namespace

QVector<BenchCase> DeviceCases()
{
    QVector<BenchCase> cases;
    cases.append({ QStringLiteral("device: key read, memory"), 20, [](QString& note) {
                      note = QStringLiteral("256 pages (target < 50 ms)");
                      return std::function<void()>([] {
                          SimulatedInterface device;
                          device.setKey(SimulatedInterface::Key::Audit);
                          SimulatedLink link(device, true);
                          NoProgress progress;
                          operations::ReadDallasKey(link, progress, operations::KeyPageCount);
                      });
                  } });
    cases.append({ QStringLiteral("device: download 5600, memory"), 10, [](QString& note) {
                      note = QStringLiteral("5600 events (target < 100 ms)");
                      FullLock();
                      return std::function<void()>([] {
                          SimulatedInterface device(FullLock());
                          SimulatedLink link(device, false);
                          NoProgress progress;
                          operations::DownloadAudit(link, progress, 0);
                      });
                  } });
    cases.append({ QStringLiteral("device: key read, pty real pace"), 1,
                   [](QString& note) { return OverPseudoTerminal(Job::ReadKey, 0, note); }, false });
    cases.append({ QStringLiteral("device: download 200, pty real pace"), 1,
                   [](QString& note) { return OverPseudoTerminal(Job::Download, 200, note); }, false });
    return cases;
}
