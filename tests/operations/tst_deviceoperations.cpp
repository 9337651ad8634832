// The four device operations against the simulated interface in memory: outcomes, messages,
// requests sent and what lands in the buffers.

#include "AuditFile.h"
#include "AuditPipeline.h"
#include "BusDecoder.h"
#include "DallasRequest.h"
#include "DeviceOperations.h"
#include "Protocol.h"
#include "SimulatedLink.h"
#include "UsersLog.h"

#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Records what an operation reports; asks it to stop when `stopWhen` says so.
struct Progress : OperationProgress
{
    QStringList log;
    std::function<bool(const Progress&)> stopWhen;
    int percentages = 0;
    int statuses = 0;

    void setPercentageMode(bool on) override { log << (on ? "bar" : "busy"); }
    void setPercentage(int p) override { log << QString::number(p), ++percentages; }
    void setStatus(const QString& text, bool error) override { log << (error ? "!" : "") + text, ++statuses; }
    bool stopRequested() const override { return stopWhen && stopWhen(*this); }
    QStringList numbers() const
    {
        QStringList out;
        for (const QString& s : log)
            if (s.at(0).isDigit())
                out << s;
        return out;
    }
};

// Answers from a script, one per request, for answers no well-behaved device gives.
struct ScriptedLink : DeviceLink
{
    QList<QByteArray> answers;
    long long exchange(const unsigned char*, int, unsigned char* answer, int capacity) override
    {
        if (answers.isEmpty())
            return -122;
        const QByteArray a = answers.takeFirst();
        if (a.size() > capacity)
            return -123;
        memcpy(answer, a.constData(), size_t(a.size()));
        return a.size();
    }
    qint64 elapsedMs() const override { return 0; }
};

QByteArray Framed(const QByteArray& bytes)
{
    return bytes + char(Protocol::Crc(reinterpret_cast<const unsigned char*>(bytes.constData()), unsigned(bytes.size())));
}

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

struct Bus
{
    std::array<unsigned char, 12> version{};
    std::array<unsigned char, 36> report{};
    std::array<unsigned char, 5> status{};
    std::array<unsigned char, 64> config{};
    std::array<unsigned char, 5600 * 12> events{};
    std::array<unsigned char, 64> table{};
    DownloadBuffers buffers() { return { version.data(), report.data(), status.data(), config.data(), events.data(), table.data() }; }
    QByteArray recordBytes(int count) const { return QByteArray(reinterpret_cast<const char*>(events.data()), count * 12); }
};

// The simulator with its faults; the key, keypad and lock as the case sets them.
std::unique_ptr<SimulatedInterface> Device(const QStringList& faults = {}, SimulatedInterface::Key key = SimulatedInterface::Key::Audit)
{
    static const LockAudit sample = SampleLock();
    auto device = std::make_unique<SimulatedInterface>(sample);
    device->setKey(key);
    for (const QString& f : faults) {
        QString error;
        if (!device->addFault(f, &error))
            qFatal("%s", qPrintable(error));
    }
    return device;
}

const LockAudit& Sample()
{
    static const LockAudit sample = SampleLock();
    return sample;
}

} // namespace

class TestDeviceOperations : public QObject
{
    Q_OBJECT

private slots:
    void readKey_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("stopAfterStatuses");
        QTest::addColumn<qint64>("waitLimitMs");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pagesRead");
        using K = SimulatedInterface::Key;
        QTest::newRow("whole key") << QStringList() << int(K::Audit) << -1 << qint64(-1) << "Done" << 256;
        QTest::newRow("key removed") << QStringList{ "key-removed-after=10" } << int(K::Audit) << -1 << qint64(-1)
                                     << "Communication error" << 11;
        QTest::newRow("presence answer of 6 bytes") << QStringList{ "presence-length=6" } << int(K::Audit) << -1 << qint64(-1)
                                                    << "Communication error" << 0;
        QTest::newRow("cancel during the wait") << QStringList() << int(K::Absent) << 5 << qint64(-1) << "" << 0;
        QTest::newRow("cancel while a wrong key lies there") << QStringList() << int(K::WrongFamily) << 3 << qint64(-1) << "" << 0;
        QTest::newRow("cancel during the pages") << QStringList() << int(K::Audit) << 41 << qint64(-1) << "" << 40;
        QTest::newRow("no key within the bound") << QStringList() << int(K::Absent) << -1 << qint64(5000) << "No Dallas key found" << 0;
        QTest::newRow("interface unplugged") << QStringList{ "hang-up=30" } << int(K::Audit) << -1 << qint64(-1)
                                             << "USB interface disconnected" << 28;
    }

    void readKey()
    {
        QFETCH(QStringList, faults);
        QFETCH(int, key);
        QFETCH(int, stopAfterStatuses);
        QFETCH(qint64, waitLimitMs);
        QFETCH(QString, message);
        QFETCH(int, pagesRead);
        auto device = Device(faults, SimulatedInterface::Key(key));
        SimulatedLink link(*device);
        link.recordRequests(true);
        Progress progress;
        if (stopAfterStatuses >= 0)
            progress.stopWhen = [=](const Progress& p) { return p.statuses >= stopAfterStatuses; };
        QByteArray image(8192, '\xEE');

        const OperationOutcome outcome = operations::ReadDallasKey(link, progress, reinterpret_cast<unsigned char*>(image.data()),
                                                                   256, waitLimitMs);
        QCOMPARE(outcome.message, message);
        QCOMPARE(outcome.kind, message.isEmpty() ? OperationOutcome::Cancelled
                                                 : message == "Done" ? OperationOutcome::Succeeded : OperationOutcome::Failed);
        // Pages land in order; a page never read keeps what was there.
        QCOMPARE(image.left(pagesRead * 32), Sample().dallasImage.left(pagesRead * 32));
        QCOMPARE(image.mid(pagesRead * 32), QByteArray(8192 - pagesRead * 32, '\xEE'));
        if (key == int(SimulatedInterface::Key::WrongFamily))
            QVERIFY(progress.log.contains("!Dallas key not valid"));
        if (pagesRead == 256) {
            QCOMPARE(link.requests().size(), 257);
            QCOMPARE(link.requests().first(), Hex("03069B"));
            QCOMPARE(link.requests().at(1), Hex("060400002" "01F"));
            QCOMPARE(link.requests().last(), Hex("06041FE0207F"));
            QCOMPARE(progress.numbers().last(), QStringLiteral("100"));
        }
    }

    // Prepare a key, let the lock fill it, read it back: the lock's audit decodes from it.
    void keyStory()
    {
        auto device = Device({}, SimulatedInterface::Key::Blank);
        SimulatedLink link(*device);
        link.recordRequests(true);
        Progress progress;
        std::array<quint8, 8192> request{};
        BuildRequestImage(request.data());
        QCOMPARE(operations::WriteDallasKey(link, progress, request.data(), 256).message, QStringLiteral("Done"));

        const QByteArray firstFrame = link.requests().at(1);
        QCOMPARE(firstFrame.left(18), Hex("2605000020415544540101002075340101" "03"));
        QCOMPARE(firstFrame.mid(18, 19), QByteArray(19, '\0'));
        QCOMPARE(firstFrame.size(), 38);
        QCOMPARE(link.requests().at(4).mid(5, 32).right(2), Hex("0000")); // page 3 ends with the checksum
        QCOMPARE(link.requests().at(5).mid(5, 32), QByteArray(32, '\x55'));
        QCOMPARE(device->keyMemory(), QByteArray(reinterpret_cast<const char*>(request.data()), 8192));

        QVERIFY(device->lockFillsKey());
        auto session = std::make_unique<AuditSession>();
        QCOMPARE(operations::ReadDallasKey(link, progress, session->dallasImage.data(), 256).message, QStringLiteral("Done"));
        QVERIFY(DecodeAudit(*session).ok);
        QCOMPARE(session->config.lockName.trimmed(), QStringLiteral("VAULT1"));
        QVERIFY(session->lockEvents.size() > 1200);
        const QByteArray newest = Sample().records.left(12);
        QCOMPARE(session->lockEvents.first().time,
                 AuditTimeFromFields(newest[2], newest[3], newest[4], newest[5], newest[6], newest[7]));
    }

    void download_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<int>("requested");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("tableRequests");
        const int all = Sample().eventCount();
        QTest::newRow("all events") << QStringList() << "" << 0 << "Done" << all << 8;
        QTest::newRow("above 5600 means all") << QStringList() << "" << 9999 << "Done" << all << 8;
        QTest::newRow("one event") << QStringList() << "" << 1 << "Done" << 1 << 8;
        QTest::newRow("firmware 1.04 skips the table") << QStringList() << "1.04" << 5 << "Done" << 5 << 0;
        QTest::newRow("firmware 1.05 reads it") << QStringList() << "1.05" << 5 << "Done" << 5 << 8;
        QTest::newRow("keypad CRC wrong once") << QStringList{ "keypad-crc=once" } << "" << 5 << "Done" << 5 << 8;
        QTest::newRow("keypad CRC wrong twice") << QStringList{ "keypad-crc=always" } << "" << 5 << "Communication error" << 0 << 0;
        QTest::newRow("lock silent for the status") << QStringList{ "lock-silent=status" } << "" << 5 << "No answer from lock" << 0 << 0;
        QTest::newRow("lock silent for the report") << QStringList{ "lock-silent=report" } << "" << 5 << "No answer from lock" << 0 << 0;
        QTest::newRow("lock silent for entry 2") << QStringList{ "lock-silent=table:2" } << "" << 5 << "No answer from lock" << 0 << 4;
        QTest::newRow("lock silent once: asked again") << QStringList{ "lock-silent-once=event:3" } << "" << 5 << "Done" << 5 << 8;
        QTest::newRow("lock silent for event 3") << QStringList{ "lock-silent=event:3" } << "" << 5 << "No answer from lock" << 3 << 8;
        QTest::newRow("lock error 144") << QStringList{ "event-error=3:0x90" } << "" << 5 << "Lock error 144" << 3 << 8;
        QTest::newRow("class 16 01") << QStringList{ "event-error=3:1" } << "" << 5 << "Communication error" << 3 << 8;
        QTest::newRow("class 16 03") << QStringList{ "event-error=0:3" } << "" << 5 << "Communication error" << 0 << 8;
        QTest::newRow("class 16 02 ends it") << QStringList{ "event-error=3:2" } << "" << 5 << "Done" << 3 << 8;
        QTest::newRow("interface unplugged") << QStringList{ "hang-up=9" } << "" << 5 << "USB interface disconnected" << 0 << 5;
    }

    void download()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, firmware);
        QFETCH(int, requested);
        QFETCH(QString, message);
        QFETCH(int, records);
        QFETCH(int, tableRequests);
        auto device = Device(faults);
        if (!firmware.isEmpty())
            device->setFirmwareVersion(firmware.toLatin1());
        SimulatedLink link(*device);
        link.recordRequests(true);
        Progress progress;
        auto bus = std::make_unique<Bus>();
        bus->table.fill(0xEE);

        const OperationOutcome outcome = operations::DownloadAudit(link, progress, bus->buffers(), requested);
        QCOMPARE(outcome.message, message);
        QCOMPARE(bus->recordBytes(records), Sample().records.left(records * 12));
        QCOMPARE(bus->recordBytes(records + 1).mid(records * 12), QByteArray(12, '\0'));
        const int tableAsked = int(std::count_if(link.requests().begin(), link.requests().end(),
                                                 [](const QByteArray& r) { return r.startsWith(Hex("01066DFE")); }));
        QCOMPARE(tableAsked, tableRequests);
        if (outcome.succeeded()) {
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(bus->config.data()), 64),
                     QByteArray(reinterpret_cast<const char*>(Sample().configuration.data()), 64));
            const QByteArray table(reinterpret_cast<const char*>(bus->table.data()), 64);
            QCOMPARE(table, tableRequests ? QByteArray(reinterpret_cast<const char*>(Sample().dateTimeTable.data()), 64)
                                          : QByteArray(64, '\0'));
        }
    }

    // N = 3: the bar's values are integer shares of N + 13, busy until the keypad answers.
    void downloadProgress()
    {
        auto device = Device();
        SimulatedLink link(*device);
        Progress progress;
        auto bus = std::make_unique<Bus>();
        QVERIFY(operations::DownloadAudit(link, progress, bus->buffers(), 3).succeeded());
        QCOMPARE(progress.log.mid(0, 3), (QStringList{ "busy", "Please connect the PC to the keypad", "bar" }));
        QCOMPARE(progress.numbers(), (QStringList{ "6", "12", "18", "25", "31" }));
    }

    // The window waits for the keypad until cancelled; the command line's bound ends the wait.
    void keypadWait()
    {
        for (qint64 limit : { qint64(-1), qint64(10000) }) {
            auto device = Device();
            device->setKeypadConnected(false);
            SimulatedLink link(*device);
            Progress progress;
            int polls = 0;
            progress.stopWhen = [&](const Progress&) { return limit < 0 && ++polls > 20; };
            auto bus = std::make_unique<Bus>();
            const OperationOutcome outcome = operations::DownloadAudit(link, progress, bus->buffers(), 5, limit);
            QCOMPARE(outcome.message, limit < 0 ? QString() : QStringLiteral("No answer from keypad"));
            QCOMPARE(progress.log.last(), QStringLiteral("Please connect the PC to the keypad"));
        }
        auto device = Device();
        device->setDownloadMode(false);
        SimulatedLink link(*device);
        Progress progress;
        auto bus = std::make_unique<Bus>();
        QCOMPARE(operations::DownloadAudit(link, progress, bus->buffers(), 5).message,
                 QStringLiteral("Please enable download mode (function 7) on keypad"));
    }

    // A download of the sample lock gives the same audit as the sample file.
    void downloadMatchesTheSampleFile()
    {
        auto device = Device();
        SimulatedLink link(*device);
        Progress progress;
        auto downloaded = std::make_unique<AuditSession>();
        downloaded->busAudit = true;
        const DownloadBuffers b { downloaded->busVersion.data(), downloaded->busReport.data(), downloaded->busStatus.data(),
                                  downloaded->busConfig.data(), downloaded->busEvents.data(), downloaded->busDateTimeTable.data() };
        QVERIFY(operations::DownloadAudit(link, progress, b, 0).succeeded());
        auto opened = std::make_unique<AuditSession>();
        QVERIFY(AuditFile::Load(QStringLiteral(CORVANE_SOURCE_DIR "/samples/bus-audit.kaud"), *opened).valid);

        QStringList texts[2];
        AuditSession* sessions[2] = { downloaded.get(), opened.get() };
        for (int i = 0; i < 2; ++i) {
            QVERIFY(DecodeAudit(*sessions[i]).ok);
            const ConfigPresentation p = PresentConfig(sessions[i]->config, true, sessions[i]->lockEvents, DisplaySettings());
            OrderEvents(*sessions[i], 0);
            for (const QStringList& row : EventsTextTable(BuildEventRows(sessions[i]->mergedEvents, DisplaySettings(), false)).rows)
                texts[i] << row.join('|');
            for (const QStringList& row : UsersTextTable(p).rows + ConfigurationTextTable(p).rows.mid(0, 4))
                texts[i] << row.join('|');
        }
        QCOMPARE(texts[0].size(), Sample().eventCount() + 11 + 4); // events, users, identity
        QCOMPARE(texts[0], texts[1]);
    }

    void usersLog_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("supported");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("message");
        QTest::newRow("sample lock") << QStringList() << true << true << "";
        QTest::newRow("no users log") << QStringList() << false << true << "Lock's firmware not compatible with this function";
        QTest::newRow("keypad silent") << QStringList() << true << false << "No answer from keypad";
        QTest::newRow("lock silent at slot 5") << QStringList{ "lock-silent=log:5" } << true << true << "No answer from lock";
        QTest::newRow("keypad CRC wrong twice") << QStringList{ "keypad-crc=always" } << true << true << "Communication error";
    }

    void usersLog()
    {
        QFETCH(QStringList, faults);
        QFETCH(bool, supported);
        QFETCH(bool, keypad);
        QFETCH(QString, message);
        auto device = Device(faults);
        device->setUsersLogSupported(supported);
        device->setKeypadConnected(keypad);
        SimulatedLink link(*device);
        link.recordRequests(true);
        Progress progress;
        std::array<quint8, userslog::BufferSize> records{};
        const OperationOutcome outcome = operations::DownloadUsersLog(link, progress, records.data());
        QCOMPARE(outcome.message, message);
        QCOMPARE(outcome.succeeded(), message.isEmpty());
        if (!outcome.succeeded())
            return;
        QCOMPARE(link.requests().size(), 2 + 104);
        QCOMPARE(link.requests().at(2), Hex("01052C008F"));
        QCOMPARE(progress.numbers().last(), QStringLiteral("100"));
        const QVector<UsersLogRow> rows = UsersLogRows(records.data(), DisplaySettings());
        QCOMPARE(rows.size(), 64);
        // The master was installed at set-up; users 01 and 02 by the master; Master 02 has no log.
        QCOMPARE(rows.at(3).user + "|" + rows.at(3).installedBy, QStringLiteral("Master|Corvane Setup"));
        QCOMPARE(rows.at(4).user + "|" + rows.at(4).installedBy + "|" + rows.at(4).date, QStringLiteral("Master 02|No log|"));
        QCOMPARE(rows.at(5).user + "|" + rows.at(5).installedBy, QStringLiteral("User 01|Master"));
        QVERIFY(rows.at(5).date.startsWith(QLatin1String("04/03/2024 ")));
    }

    // Answers shorter than what is taken from them end the operation instead of taking stale bytes.
    void shortAnswers()
    {
        const QByteArray keypad = Framed(Hex("7E10A4") + Hex("0080000205") + QByteArray(7, '\0'));
        const QByteArray key = Hex("0B060C5A17230412000000");
        struct Case { const char* name; QList<QByteArray> answers; int operation; };
        const Case cases[] = {
            { "page answer of 20 bytes", { key, QByteArray(20, '\x23') }, 0 },
            { "status answer of 5 bytes", { keypad, Hex("0109280102") }, 1 },
            { "report answer of 30 bytes", { keypad, QByteArray(8, 1), QByteArray(67, 1), QByteArray(30, 1) }, 1 },
            { "record answer of 4 bytes", { keypad, QByteArray(8, 1), QByteArray(67, 1), QByteArray(38, '0'), Hex("81430102") }, 1 },
            { "keypad answer of 4 bytes", { Framed(Hex("7E04A4")) }, 1 },
            { "users log report of 100 bytes", { keypad, QByteArray(100, 'C') }, 2 },
            { "users log record of 6 bytes", { keypad, QByteArray(160, 'C'), Hex("814301020304") }, 2 },
        };
        for (const Case& c : cases) {
            ScriptedLink link;
            link.answers = c.answers;
            Progress progress;
            auto bus = std::make_unique<Bus>();
            std::array<quint8, 8192> image{};
            const OperationOutcome outcome = c.operation == 0 ? operations::ReadDallasKey(link, progress, image.data(), 256)
                : c.operation == 1 ? operations::DownloadAudit(link, progress, bus->buffers(), 5)
                                   : operations::DownloadUsersLog(link, progress, image.data());
            QVERIFY2(outcome.message == QStringLiteral("Communication error"), c.name);
        }
    }

    void firmwareNumber()
    {
        const struct { QByteArray text; int number; } cases[] = {
            { "123456\r\nVAULT1\r\n1.05\r\n", 105 }, { "123456\r\nVAULT1\r\n1.04\r\n", 104 },
            { "123456789\r\nVAULT1\r\n2.10", 210 }, { "123456\r\nVAULT1\r\nx.yz", 0 }, { "no line end at all here", 0 } };
        for (const auto& c : cases) {
            std::array<unsigned char, 36> report{};
            std::copy(c.text.begin(), c.text.begin() + std::min(30, int(c.text.size())), report.begin() + 6);
            QCOMPARE(operations::FirmwareNumber(report.data()), c.number);
        }
    }
};

QTEST_GUILESS_MAIN(TestDeviceOperations)
#include "tst_deviceoperations.moc"
