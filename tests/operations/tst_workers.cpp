// The workers over the real serial link, against corvane-lock-sim on a pseudo-terminal: what
// they signal, in what order, and what lands in the buffers.

#include "LockSimProcess.h"
#include "SimulatedLock.h"
#include "UsersLog.h"
#include "Workers.h"

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
        QObject::connect(&worker, &Worker::ErrorInformation, [&](const QString& m, bool done) {
            log << "information:" + m + (done ? "+done" : "");
        });
    else
        QObject::connect(&worker, &Worker::ErrorInformation, [&](const QString& m) { log << "information:" + m; });
    if (stopFirst)
        worker.stopWork();
    worker.doWork();
    return log;
}

const LockAudit& Sample()
{
    static const LockAudit lock = SampleLock();
    return lock;
}

QByteArray Bytes(const unsigned char* data, int size)
{
    return QByteArray(reinterpret_cast<const char*>(data), size);
}

} // namespace

class TestWorkers : public QObject
{
    Q_OBJECT

private slots:
    // A key prepared, filled by the lock and read back, a few pages at a time.
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
        QCOMPARE(Run(reader), (QStringList{ "information:Done+done", "finished" }));
        QCOMPARE(Bytes(image.data(), 256), Sample().dallasImage.left(256));
    }

    void busWorkers()
    {
        LockSimProcess sim({});
        std::array<unsigned char, 12> version{};
        std::array<unsigned char, 36> report{};
        std::array<unsigned char, 5> status{};
        std::array<unsigned char, 64> config{}, table{};
        auto events = std::make_unique<std::array<unsigned char, 5600 * 12>>();
        bool result = false;
        DownloadAuditWorker download(0, sim.path(), version.data(), report.data(), status.data(), config.data(),
                                     events->data(), table.data(), 20, &result);
        QCOMPARE(Run(download), (QStringList{ "information:Done", "finished" }));
        QVERIFY(result);
        QCOMPARE(Bytes(events->data(), 20 * 12 + 12), Sample().records.left(20 * 12) + QByteArray(12, '\0'));
        QCOMPARE(Bytes(table.data(), 64), Bytes(Sample().dateTimeTable.data(), 64));

        std::array<unsigned char, userslog::BufferSize> records{};
        UsersLogWorker log(0, sim.path(), records.data(), &result);
        QCOMPARE(Run(log), QStringList{ "finished" });
        QVERIFY(result);
        QCOMPARE(records[80 * 8], userslog::SetupInstalled);
    }

    // Every path ends with exactly one finished(), after the one message it has.
    void endings()
    {
        std::array<unsigned char, 8192> image{};
        ReadDallasWorker absent(QStringLiteral("/nonexistent/port"), image.data(), 256);
        QCOMPARE(Run(absent), (QStringList{ "critical:Unable to open USB interface", "finished" }));

        LockSimProcess sim({ "--key", "audit" });
        ReadDallasWorker cancelled(sim.path(), image.data(), 256);
        QCOMPARE(Run(cancelled, true), QStringList{ "finished" });

        bool result = true;
        std::array<unsigned char, 1024> records{};
        UsersLogWorker stopped(0, sim.path(), records.data(), &result);
        QCOMPARE(Run(stopped, true), QStringList{ "finished" });
        QVERIFY(!result);
    }
};

QTEST_GUILESS_MAIN(TestWorkers)
#include "tst_workers.moc"
