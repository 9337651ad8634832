// The workers over the real serial link, against corvane-lock-sim on a pseudo-terminal: what
// they signal, in what order, and what lands in the buffers.

#include "LockSimProcess.h"
#include "device/SerialLink.h"
#include "model/UsersLog.h"
#include "operations/Workers.h"
#include "sim/SimulatedLink.h"
#include "sim/SimulatedLock.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// The serial links at the quick pace, for the workers here: what they signal is the point, not the pace.
std::shared_ptr<const LinkFactory> Quick()
{
    return std::make_shared<SerialLinkFactory>(LockSimProcess::QuickPace);
}

// Every signal of a worker that tells an outcome, in order, as short texts. The worker runs on
// this thread; `stopAt`, when above 0, stops it at that updateProgress.
template <typename Worker> QStringList Run(Worker& worker, bool stopFirst = false, int stopAt = 0)
{
    QStringList log;
    worker.setLinkFactory(Quick());
    QObject::connect(&worker, &Worker::finished, [&] { log << "finished"; });
    QObject::connect(&worker, &Worker::ErrorCritical, [&](const QString& m) { log << "critical:" + m; });
    if constexpr (std::is_same_v<Worker, ReadDallasWorker>)
        QObject::connect(&worker, &Worker::ErrorInformation, [&](const QString& m, bool done) { log << "information:" + m + (done ? "+done" : ""); });
    else
        QObject::connect(&worker, &Worker::ErrorInformation, [&](const QString& m) { log << "information:" + m; });
    if constexpr (std::is_same_v<Worker, DownloadAuditWorker>) {
        QObject::connect(&worker, &Worker::auditDownloaded, [&](const BusDump& d) { log << QString("audit:%1").arg(d.events.size() / 12); });
        QObject::connect(&worker, &Worker::auditPartial, [&](const BusDump& d) { log << QString("partial:%1").arg(d.events.size() / 12); });
    }
    int steps = 0;
    QObject::connect(&worker, &Worker::updateProgress, [&] {
        if (++steps == stopAt)
            worker.stopWork();
    });
    if (stopFirst)
        worker.stopWork();
    worker.doWork();
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

class TestWorkers : public QObject
{
    Q_OBJECT

    const LockAudit sample = SampleLock();

private slots:
    // A key prepared, filled by the lock and read back, a few pages at a time: the image comes by
    // its signal, never into the buffer named; a read stopped before it starts, and a port that
    // does not open, end with finished() alone or after the message.
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
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().first().toByteArray(), sample.dallasImage.left(256));
        QCOMPARE(image, (std::array<unsigned char, 8192>{}));

        ReadDallasWorker cancelled(sim.path(), image.data(), 256);
        QSignalSpy nothing(&cancelled, &ReadDallasWorker::imageRead);
        QCOMPARE(Run(cancelled, true), QStringList{ "finished" });
        QVERIFY(nothing.isEmpty());
        ReadDallasWorker absent(QStringLiteral("/nonexistent/port"), image.data(), 256);
        QCOMPARE(Run(absent), (QStringList{ "critical:Unable to open USB interface", "finished" }));
    }

    // The audit and the users log, by their signals; a users log stopped before it starts brings none.
    void busWorkers()
    {
        LockSimProcess sim({});
        auto s = std::make_unique<AuditSession>();
        bool result = false;
        DownloadAuditWorker download(0, sim.path(), s->busVersion.data(), s->busReport.data(), s->busStatus.data(),
                                     s->busConfig.data(), s->busEvents.data(), s->busDateTimeTable.data(), 20, &result);
        QSignalSpy downloaded(&download, &DownloadAuditWorker::auditDownloaded);
        QCOMPARE(Run(download), (QStringList{ "audit:20", "information:Done", "finished" }));
        const BusDump dump = downloaded.first().first().value<BusDump>();
        QCOMPARE(dump.events, sample.records.left(20 * 12));
        QCOMPARE(Bytes(dump.dateTimeTable.data(), 64), Bytes(sample.dateTimeTable.data(), 64));
        QVERIFY(!result && s->busRecordCount() == 0);

        std::array<unsigned char, userslog::BufferSize> records{};
        UsersLogWorker log(0, sim.path(), records.data(), &result);
        QSignalSpy logged(&log, &UsersLogWorker::logDownloaded);
        QCOMPARE(Run(log), QStringList{ "finished" });
        QCOMPARE(logged.size(), 1);
        const QByteArray got = logged.first().first().toByteArray();
        QCOMPARE(got.size(), 104 * 8);
        QCOMPARE(quint8(got.at(80 * 8)), userslog::SetupInstalled);
        QCOMPARE(logged.first().at(1).toString(), QStringLiteral("23041207")); // the lock it came from
        UsersLogWorker stopped(0, sim.path(), records.data(), &result);
        QSignalSpy none(&stopped, &UsersLogWorker::logDownloaded);
        QCOMPARE(Run(stopped, true), QStringList{ "finished" });
        QVERIFY(none.isEmpty());
    }

    // A download that stops short after reading events hands them over as a partial audit, then
    // says why it stopped and how many it read: the lock gone silent past the line's retry, Cancel.
    // One that read none says only why.
    void partialDownload_data()
    {
        QTest::addColumn<QStringList>("scene");
        QTest::addColumn<int>("stopAt"); // the updateProgress at which Cancel is pressed
        QTest::addColumn<QStringList>("told");
        QTest::newRow("lock silent at event 7")
            << QStringList{ "--fault", "lock-silent=event:7" } << 0
            << QStringList{ "partial:7", "critical:No answer from lock: the download stopped after 7 events; they are kept, marked as partial.",
                            "finished" };
        // The three blocks take a step each, then every event read.
        QTest::newRow("cancelled after 12 events")
            << QStringList() << 3 + 12
            << QStringList{ "partial:12", "information:The download was cancelled after 12 events; they are kept, marked as partial.",
                            "finished" };
        QTest::newRow("lock silent at the first event")
            << QStringList{ "--fault", "lock-silent=event:0" } << 0 << QStringList{ "critical:No answer from lock", "finished" };
    }
    void partialDownload()
    {
        QFETCH(QStringList, scene);
        QFETCH(int, stopAt);
        QFETCH(QStringList, told);
        LockSimProcess sim(scene);
        bool result = false;
        std::array<unsigned char, 12> buffer{};
        unsigned char* b = buffer.data();
        DownloadAuditWorker download(0, sim.path(), b, b, b, b, b, b, 50, &result);
        QSignalSpy partial(&download, &DownloadAuditWorker::auditPartial);
        QCOMPARE(Run(download, false, stopAt), told);
        if (partial.isEmpty())
            return;
        const BusDump dump = partial.first().first().value<BusDump>();
        QCOMPARE(dump.events, sample.records.left(dump.events.size()));
        QCOMPARE(Bytes(dump.report.data(), 36), Bytes(sample.report.data(), 36));
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
            outcome = RunOperation(SerialLinkFactory(LockSimProcess::QuickPace), sim.path(), keyMode, run);
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
