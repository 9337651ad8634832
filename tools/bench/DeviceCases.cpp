// The device operations: against the simulated interface in memory (no waits at all), and over a
// pseudo-terminal served by corvane-lock-sim at the pace of the line, measured against the
// protocol's floor: for each exchange, its request and answer bytes at the line's baud rate
// and the 40 ms of silence that ends an answer.

#include "BenchAudits.h"
#include "BenchCase.h"
#include "device/SerialLink.h"
#include "model/BusDecoder.h"
#include "operations/DeviceOperations.h"
#include "operations/Workers.h"
#include "sim/SimulatedLink.h"

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
        operations::ReadDallasKey(link, progress, wire::DallasPageCount);
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
        const OperationOutcome outcome = RunOperation(SerialLinkFactory(), port, job == Job::ReadKey, [&](DeviceLink& link) {
            return job == Job::ReadKey ? operations::ReadDallasKey(link, progress, wire::DallasPageCount).outcome
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

// The events a lock holds, oldest first, as the archive keeps them after a visit.
QVector<HistoryEvent> Held(const LockAudit& lock)
{
    QVector<HistoryEvent> out;
    for (int r = lock.eventCount() - 1; r >= 0; --r) {
        const EventsTable e = DecodeBusRecord(reinterpret_cast<const quint8*>(lock.records.constData())
                                              + r * AuditSession::BusRecordSize);
        out.append({ e.time, quint8(e.event), quint8(e.user), 1 });
    }
    return out;
}

// A download of what is new: the sample lock records 400 events after the visit; --new stops at
// the visit's events. Through corvane-lock-sim at the real pace, against the floor of the
// exchanges it needs and the floor of reading all the lock holds.
std::function<void()> NewEventsOverPseudoTerminal(QString& note)
{
    return [&note] {
        const QVector<HistoryEvent> visit = Held(SampleLock());
        const operations::ArchivedEvents archived = [visit](const QString&) { return visit; };
        SimulatedInterface memory;
        memory.recordEvents(400);
        NoProgress progress;
        qint64 floor = 0, fullFloor = 0;
        {
            SimulatedLink link(memory, false);
            operations::DownloadAudit(link, progress, 0, operations::NoWaitLimit, archived);
            floor = link.elapsedMs();
        }
        {
            SimulatedLink link(memory, false);
            operations::DownloadAudit(link, progress, 0);
            fullFloor = link.elapsedMs();
        }

        QProcess sim;
        sim.start(QCoreApplication::applicationDirPath() + QStringLiteral("/corvane-lock-sim"), { "--pace", "real" });
        if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
            note = QStringLiteral("corvane-lock-sim did not start");
            return;
        }
        const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
        sim.readAll();
        sim.write("events 400\n");
        while (!sim.readAll().contains("recorded") && sim.waitForReadyRead(5000)) {
        }
        QElapsedTimer timer;
        timer.start();
        OperationResult<BusDump> download;
        const OperationOutcome outcome = RunOperation(SerialLinkFactory(), port, false, [&](DeviceLink& link) {
            download = operations::DownloadAudit(link, progress, 0, operations::NoWaitLimit, archived);
            return download.outcome;
        });
        const qint64 measured = timer.elapsed();
        sim.kill();
        sim.waitForFinished();
        note = outcome.succeeded()
            ? QStringLiteral("%1 events in %2 ms, floor %3 ms, measured/floor %4 (target <= 1.1); reading all %5 "
                             "events: floor %6 s")
                  .arg(download.payload.events.size() / AuditSession::BusRecordSize)
                  .arg(measured)
                  .arg(floor)
                  .arg(double(measured) / floor, 0, 'f', 3)
                  .arg(memory.lock().eventCount())
                  .arg(fullFloor / 1000)
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
                          operations::ReadDallasKey(link, progress, wire::DallasPageCount);
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
    cases.append({ QStringLiteral("device: download new 400, pty real pace"), 1,
                   [](QString& note) { return NewEventsOverPseudoTerminal(note); }, false });
    return cases;
}
