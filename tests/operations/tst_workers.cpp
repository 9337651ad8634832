// The workers over the real serial link, against corvane-lock-sim on a pseudo-terminal: what
// they signal, in what order, and what lands in the buffers.

#include "LockSimProcess.h"
#include "SimulatedLink.h"
#include "SimulatedLock.h"
#include "UsersLog.h"
#include "Workers.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// Every signal of a worker, in order, as short texts.
template <typename Worker> QStringList Run(Worker& worker, bool stopFirst = false)
{
    QStringList log;
    QObject::connect(&worker, &Worker::finished, [&] { log << "finished"; });
    QObject::connect(&worker, &Worker::ErrorCritical, [&](const QString& m) { log << "critical:" + m; });
    if constexpr (std::is_same_v<Worker, ReadDallasWorker>)
        QObject::connect(&worker, &Worker::ErrorInformation, [&](const QString& m, bool done) { log << "information:" + m + (done ? "+done" : ""); });
    else
        QObject::connect(&worker, &Worker::ErrorInformation, [&](const QString& m) { log << "information:" + m; });
    if (stopFirst)
        worker.stopWork();
    worker.doWork();
    // What the worker hands the caller's thread arrives with the event loop, as finished() does.
    QCoreApplication::sendPostedEvents();
    return log;
}

QByteArray Bytes(const unsigned char* data, int size) { return QByteArray(reinterpret_cast<const char*>(data), size); }

struct NoProgress : OperationProgress
{
    void setPercentageMode(bool) override {}
    void setPercentage(int) override {}
    void setStatus(const QString&, bool) override {}
    bool stopRequested() const override { return false; }
};

enum class Op { ReadKey, WriteKey, Download, UsersLog };

} // namespace

Q_DECLARE_METATYPE(Op)

namespace {

} // namespace

class TestWorkers : public QObject
{
    Q_OBJECT

    const LockAudit sample = SampleLock();

private slots:
    // A key prepared, filled by the lock and read back, a few pages at a time; a read stopped
    // before it starts, and a port that does not open, end with finished() alone or after the message.
    void keyWorkers()
    {
        LockSimProcess sim({ "--key", "blank" });
        std::array<unsigned char, 8192> image{};
        QByteArray request(8192, '\0');
        request.replace(0, 4, "AUDT");
        WriteDallasWorker writer(sim.path(), reinterpret_cast<unsigned char*>(request.data()), 4);
        QCOMPARE(Run(writer), (QStringList{ "information:Done", "finished" }));
        QCOMPARE(sim.command("fill"), QStringLiteral("the lock wrote its audit into the key"));

        ReadDallasWorker reader(sim.path(), image.data(), 8);
        QSignalSpy read(&reader, &ReadDallasWorker::imageRead);
        QCOMPARE(Run(reader), (QStringList{ "information:Done+done", "finished" }));
        QCOMPARE(Bytes(image.data(), 256), sample.dallasImage.left(256));
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().first().toByteArray(), sample.dallasImage.left(256));

        image.fill(0x42);
        ReadDallasWorker cancelled(sim.path(), image.data(), 256);
        QSignalSpy nothing(&cancelled, &ReadDallasWorker::imageRead);
        QCOMPARE(Run(cancelled, true), QStringList{ "finished" });
        QVERIFY(nothing.isEmpty() && image[0] == 0x42); // a run that did not end well leaves the buffer alone
        ReadDallasWorker absent(QStringLiteral("/nonexistent/port"), image.data(), 256);
        QCOMPARE(Run(absent), (QStringList{ "critical:Unable to open USB interface", "finished" }));
    }

    // The audit and the users log; a users log stopped before it starts is no result.
    void busWorkers()
    {
        LockSimProcess sim({});
        auto s = std::make_unique<AuditSession>();
        bool result = false;
        DownloadAuditWorker download(0, sim.path(), s->busVersion.data(), s->busReport.data(), s->busStatus.data(),
                                     s->busConfig.data(), s->busEvents.data(), s->busDateTimeTable.data(), 20, &result);
        QSignalSpy downloaded(&download, &DownloadAuditWorker::auditDownloaded);
        QCOMPARE(Run(download), (QStringList{ "information:Done", "finished" }));
        QVERIFY(result);
        QCOMPARE(downloaded.size(), 1);
        QCOMPARE(downloaded.first().first().value<BusDump>().events, sample.records.left(20 * 12));
        QCOMPARE(Bytes(s->busEvents.data(), 20 * 12 + 12), sample.records.left(20 * 12) + QByteArray(12, '\0'));
        QCOMPARE(Bytes(s->busDateTimeTable.data(), 64), Bytes(sample.dateTimeTable.data(), 64));

        std::array<unsigned char, userslog::BufferSize> records{};
        UsersLogWorker log(0, sim.path(), records.data(), &result);
        QSignalSpy logged(&log, &UsersLogWorker::logDownloaded);
        QCOMPARE(Run(log), QStringList{ "finished" });
        QVERIFY(result);
        QCOMPARE(records[80 * 8], userslog::SetupInstalled);
        QCOMPARE(logged.size(), 1);
        QCOMPARE(logged.first().first().toByteArray(), Bytes(records.data(), 104 * 8));
        UsersLogWorker stopped(0, sim.path(), records.data(), &result);
        QCOMPARE(Run(stopped, true), QStringList{ "finished" });
        QVERIFY(!result);
    }

    // The simulator, like the hardware, answers the key reader only at 19200 baud and the bus
    // only at 4800: each operation opened in the other mode hears nothing, over the terminal
    // (whose speed the simulator reads back) as in memory. The workers above, answered, show
    // that each runs in its own mode.
    void otherLineMode_data()
    {
        QTest::addColumn<Op>("operation");
        QTest::addColumn<bool>("overTerminal");
        QTest::addColumn<QString>("message");
        for (const bool terminal : { true, false }) {
            const QByteArray over = terminal ? ", terminal" : ", memory";
            QTest::newRow("read key at 4800" + over) << Op::ReadKey << terminal << "Communication error";
            QTest::newRow("write key at 4800" + over) << Op::WriteKey << terminal << "Communication error";
            QTest::newRow("download at 19200" + over) << Op::Download << terminal << "No answer from keypad";
            QTest::newRow("users log at 19200" + over) << Op::UsersLog << terminal << "No answer from keypad";
        }
    }
    void otherLineMode()
    {
        QFETCH(Op, operation);
        QFETCH(bool, overTerminal);
        QFETCH(QString, message);
        const bool keyMode = operation == Op::Download || operation == Op::UsersLog;
        NoProgress progress;
        const Operation run = [&](DeviceLink& link) {
            switch (operation) {
            case Op::ReadKey: return operations::ReadDallasKey(link, progress, 4, 1000).outcome;
            case Op::WriteKey: return operations::WriteDallasKey(link, progress, QByteArray(4 * 32, 'x'), 1000);
            case Op::Download: return operations::DownloadAudit(link, progress, 5, 1000).outcome;
            case Op::UsersLog: break;
            }
            return operations::DownloadUsersLog(link, progress).outcome;
        };
        OperationOutcome outcome;
        if (overTerminal) {
            LockSimProcess sim({ "--key", "audit" });
            outcome = RunOnSerialPort(sim.path(), keyMode, run);
        } else {
            SimulatedInterface device;
            device.setKey(SimulatedInterface::Key::Audit);
            SimulatedLink link(device, keyMode);
            outcome = run(link);
        }
        QCOMPARE(outcome.message, message);
        QCOMPARE(outcome.kind, OperationOutcome::Failed);
    }
};

QTEST_GUILESS_MAIN(TestWorkers)
#include "tst_workers.moc"
