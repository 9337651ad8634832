// The four device operations against the simulated interface in memory: outcomes, messages,
// requests sent and what lands in the buffers.

#include "device/Protocol.h"
#include "fuzz/ScriptedLink.h"
#include "model/AuditFile.h"
#include "model/DallasRequest.h"
#include "model/UsersLog.h"
#include "operations/DeviceOperations.h"
#include "sim/SimulatedLink.h"

#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// What an operation reports, in order: "busy" or "bar", percentages, statuses ("!" before an
// error). It asks to stop at the `stopAt`-th look at the stop flag.
struct Progress : OperationProgress
{
    QStringList log;
    int stopAt = 0;
    mutable int looks = 0;
    void setPercentageMode(bool on) override { log << (on ? "bar" : "busy"); }
    void setPercentage(int p) override { log << QString::number(p); }
    void setStatus(const QString& text, bool error) override { log << (error ? "!" : "") + text; }
    bool stopRequested() const override { return ++looks == stopAt; }
    QStringList numbers() const { return log.filter(QRegularExpression("^\\d+$")); }
};

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }
QByteArray Framed(const QByteArray& b) { return b + char(Protocol::Crc(reinterpret_cast<const quint8*>(b.constData()), unsigned(b.size()))); }
template <size_t N> QByteArray Bytes(const std::array<quint8, N>& a) { return QByteArray(reinterpret_cast<const char*>(a.data()), int(N)); }


constexpr bool KeyMode = true;
constexpr bool BusMode = false;

// The lock behind the simulated interface, with the simulator's faults or "firmware=1.04",
// "download-mode=off", "users-log=none"; the link, opened in the operation's mode, records the
// requests.
struct Scene
{
    SimulatedInterface device;
    SimulatedLink link;
    Progress progress;
    Scene(bool keyMode, const QStringList& words, SimulatedInterface::Key key = SimulatedInterface::Key::Audit,
          const LockAudit& lock = SampleLock())
        : device(lock), link(device, keyMode)
    {
        device.setKey(key);
        link.recordRequests(true);
        QString error;
        for (const QString& w : words) {
            if (w.startsWith("firmware="))
                device.setFirmwareVersion(w.mid(9).toLatin1());
            else if (w == "download-mode=off")
                device.setDownloadMode(false);
            else if (w == "users-log=none")
                device.setUsersLogSupported(false);
            else if (!device.addFault(w, &error))
                qFatal("%s", qPrintable(error));
        }
    }
};

// The bar's percentages as an operation reported them: how many, the values at some of them, and
// never going back.
void CheckBar(const QStringList& numbers, int count, const QMap<int, int>& at)
{
    QCOMPARE(numbers.size(), count);
    QVector<int> values;
    for (const QString& n : numbers)
        values << n.toInt();
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    for (auto i = at.cbegin(); i != at.cend(); ++i)
        QVERIFY2(values.value(i.key()) == i.value(), qPrintable(QString("step %1: %2").arg(i.key()).arg(values.value(i.key()))));
}

// Page p of 256 shows p * 100 / 255.
const QMap<int, int> KeyBar { { 0, 0 }, { 1, 0 }, { 3, 1 }, { 51, 20 }, { 128, 50 }, { 254, 99 }, { 255, 100 } };

OperationOutcome::Kind KindOf(const QString& message)
{
    return message.isEmpty() ? OperationOutcome::Cancelled
                             : message == "Done" ? OperationOutcome::Succeeded : OperationOutcome::Failed;
}

struct KeyCase { QStringList scene; SimulatedInterface::Key key; int stopAt; qint64 waitMs; QString message; int pagesRead; };
struct DownloadCase { QStringList scene; int requested; QString message; int records, tableRequests; qint64 waitMs = -1; int stopAt = 0; };

} // namespace

Q_DECLARE_METATYPE(KeyCase)
Q_DECLARE_METATYPE(DownloadCase)

class TestDeviceOperations : public QObject
{
    Q_OBJECT

private slots:
    void readKey_data()
    {
        QTest::addColumn<KeyCase>("c");
        using K = SimulatedInterface::Key;
        QTest::newRow("whole key") << KeyCase{ {}, K::Audit, 0, -1, "Done", 256 };
        QTest::newRow("key removed") << KeyCase{ { "key-removed-after=10" }, K::Audit, 0, -1, "Communication error", 11 };
        QTest::newRow("presence answer of 6 bytes") << KeyCase{ { "presence-length=6" }, K::Audit, 0, -1, "Communication error", 0 };
        QTest::newRow("cancel during the wait") << KeyCase{ {}, K::Absent, 6, -1, "", 0 };
        QTest::newRow("cancel while a wrong key lies there") << KeyCase{ {}, K::WrongFamily, 3, -1, "", 0 };
        QTest::newRow("cancel during the pages") << KeyCase{ {}, K::Audit, 42, -1, "", 40 };
        QTest::newRow("no key within the bound") << KeyCase{ {}, K::Absent, 0, 5000, "No Dallas key found", 0 };
        QTest::newRow("only a wrong key within the bound") << KeyCase{ {}, K::WrongFamily, 0, 5000, "No Dallas key found", 0 };
        QTest::newRow("interface unplugged") << KeyCase{ { "hang-up=30" }, K::Audit, 0, -1, "USB interface disconnected", 28 };
    }
    void readKey()
    {
        QFETCH(KeyCase, c);
        Scene s(KeyMode, c.scene, c.key);
        s.progress.stopAt = c.stopAt;
        const OperationResult<QByteArray> read = operations::ReadDallasKey(s.link, s.progress, 256, c.waitMs);
        const OperationOutcome& outcome = read.outcome;
        QCOMPARE(outcome.message, c.message);
        QCOMPARE(outcome.kind, c.message.isEmpty() ? OperationOutcome::Cancelled
                                                   : c.message == "Done" ? OperationOutcome::Succeeded : OperationOutcome::Failed);
        // Pages land in order; a page never read stays zero.
        QCOMPARE(read.payload, s.device.lock().dallasImage.left(c.pagesRead * 32) + QByteArray(8192 - c.pagesRead * 32, '\0'));
        QCOMPARE(s.progress.log.contains("!Dallas key not valid"), c.key == SimulatedInterface::Key::WrongFamily);
        if (c.pagesRead == 256) {
            QCOMPARE(s.link.requests().size(), 257);
            QCOMPARE(s.link.requests().first() + s.link.requests().at(1) + s.link.requests().last(), Hex("03069B" "06040000201F" "06041FE0207F"));
            CheckBar(s.progress.numbers(), 256, KeyBar);
        }
    }

    // The request image goes to the key page by page, and the lock takes it as an audit request.
    void writeKey()
    {
        Scene s(KeyMode, {}, SimulatedInterface::Key::Blank);
        std::array<quint8, 8192> request{};
        BuildRequestImage(request.data());
        QCOMPARE(operations::WriteDallasKey(s.link, s.progress, Bytes(request)).message, QStringLiteral("Done"));
        const auto& sent = s.link.requests();
        QCOMPARE(sent.at(1).chopped(1), Hex("2605000020415544540101002075340101" "03") + QByteArray(19, '\0'));
        QCOMPARE(sent.at(4).mid(35, 2), Hex("0000")); // page 3 ends with the checksum
        QCOMPARE(sent.at(5).mid(5, 32), QByteArray(32, '\x55'));
        QCOMPARE(s.device.keyMemory(), Bytes(request));
        QVERIFY(s.device.lockFillsKey());
        CheckBar(s.progress.numbers(), 256, KeyBar);
    }

    // How a key creation ends, and what it leaves on a key that held an audit: the pages written
    // before the end carry the request, the others what they held.
    void writeKeyEnds_data()
    {
        QTest::addColumn<KeyCase>("c");
        using K = SimulatedInterface::Key;
        QTest::newRow("whole key") << KeyCase{ {}, K::Audit, 0, -1, "Done", 256 };
        QTest::newRow("only a wrong key within the bound") << KeyCase{ {}, K::WrongFamily, 0, 5000, "No Dallas key found", 0 };
        QTest::newRow("cancel during the wait") << KeyCase{ {}, K::Absent, 4, -1, "", 0 };
        QTest::newRow("cancel during the pages") << KeyCase{ {}, K::Audit, 42, -1, "", 40 };
        QTest::newRow("interface unplugged") << KeyCase{ { "hang-up=30" }, K::Audit, 0, -1, "USB interface disconnected", 28 };
    }
    void writeKeyEnds()
    {
        QFETCH(KeyCase, c);
        Scene s(KeyMode, c.scene, c.key);
        s.progress.stopAt = c.stopAt;
        std::array<quint8, 8192> request{};
        BuildRequestImage(request.data());
        const QByteArray before = s.device.keyMemory();
        const OperationOutcome outcome = operations::WriteDallasKey(s.link, s.progress, Bytes(request), c.waitMs);
        QCOMPARE(outcome.message, c.message);
        QCOMPARE(outcome.kind, KindOf(c.message));
        const auto isPageWrite = [](const QByteArray& r) { return r.startsWith(Hex("2605")); };
        const int lostWithThePort = c.scene.join(' ').contains("hang-up") ? 1 : 0;
        QCOMPARE(int(std::count_if(s.link.requests().begin(), s.link.requests().end(), isPageWrite)), c.pagesRead + lostWithThePort);
        QCOMPARE(s.progress.log.contains("!Dallas key not valid"), c.key == SimulatedInterface::Key::WrongFamily);
        if (c.key == SimulatedInterface::Key::Audit)
            QCOMPARE(s.device.keyMemory(), Bytes(request).left(c.pagesRead * 32) + before.mid(c.pagesRead * 32));
    }

    // A page written is answered with exactly its 3 bytes; any other answer ends the creation
    // at that page.
    void writePageAnswers()
    {
        const QByteArray key = FuzzAnswer(Hex("0B060C5A17230412000000")), written = FuzzAnswer(Hex("030579"));
        const QPair<const char*, QByteArray> cases[] = {
            { "2 bytes", FuzzAnswer(Hex("0305")) }, { "4 bytes", FuzzAnswer(Hex("03050079")) },
            { "no bytes", FuzzAnswer({}) }, { "35 bytes, a page read's", FuzzAnswer(QByteArray(35, '\x23')) },
            { "silence", FuzzSilenceAnswer() }, { "too long", QByteArray("\xFF\xFE", 2) } };
        for (const auto& c : cases) {
            const QByteArray script = key + written + c.second + written;
            ScriptedLink link(reinterpret_cast<const quint8*>(script.constData()), size_t(script.size()));
            Progress progress;
            std::array<quint8, 8192> request{};
            const OperationOutcome outcome = operations::WriteDallasKey(link, progress, Bytes(request));
            QVERIFY2(outcome.message == "Communication error" && link.exchanges() == 3, c.first);
        }
    }

    void download_data()
    {
        QTest::addColumn<DownloadCase>("c");
        const int all = SampleLock().eventCount();
        const QString noLock = "No answer from lock", error = "Communication error";
        QTest::newRow("all events") << DownloadCase{ {}, 0, "Done", all, 8 };
        QTest::newRow("above 5600 means all") << DownloadCase{ {}, 9999, "Done", all, 8 };
        QTest::newRow("one event") << DownloadCase{ {}, 1, "Done", 1, 8 };
        QTest::newRow("firmware 1.04 skips the table") << DownloadCase{ { "firmware=1.04" }, 5, "Done", 5, 0 };
        QTest::newRow("firmware 1.05 reads it") << DownloadCase{ { "firmware=1.05" }, 5, "Done", 5, 8 };
        QTest::newRow("keypad CRC wrong once") << DownloadCase{ { "keypad-crc=once" }, 5, "Done", 5, 8 };
        QTest::newRow("keypad CRC wrong twice") << DownloadCase{ { "keypad-crc=always" }, 5, error, 0, 0 };
        QTest::newRow("download mode off") << DownloadCase{ { "download-mode=off" }, 5,
                                                            "Please enable download mode (function 7) on keypad", 0, 0 };
        QTest::newRow("lock silent for the status") << DownloadCase{ { "lock-silent=status" }, 5, noLock, 0, 0 };
        QTest::newRow("lock silent for the report") << DownloadCase{ { "lock-silent=report" }, 5, noLock, 0, 0 };
        QTest::newRow("lock silent for entry 2") << DownloadCase{ { "lock-silent=table:2" }, 5, noLock, 0, 4 };
        QTest::newRow("lock silent once: asked again") << DownloadCase{ { "lock-silent-once=event:3" }, 5, "Done", 5, 8 };
        QTest::newRow("lock silent for event 3") << DownloadCase{ { "lock-silent=event:3" }, 5, noLock, 3, 8 };
        QTest::newRow("lock error 144") << DownloadCase{ { "event-error=3:0x90" }, 5, "Lock error 144", 3, 8 };
        QTest::newRow("class 16 01") << DownloadCase{ { "event-error=3:1" }, 5, error, 3, 8 };
        QTest::newRow("class 16 03") << DownloadCase{ { "event-error=0:3" }, 5, error, 0, 8 };
        QTest::newRow("class 16 02 ends it") << DownloadCase{ { "event-error=3:2" }, 5, "Done", 3, 8 };
        QTest::newRow("interface unplugged") << DownloadCase{ { "hang-up=9" }, 5, "USB interface disconnected", 0, 5 };
        // Past its retries the line has kept what it read: a partial audit. Requests 1 to 12 are the
        // keypad, the three blocks and the table; 13 brings record 0.
        QTest::newRow("unplugged after 20 events") << DownloadCase{ { "hang-up=33" }, 100, "USB interface disconnected", 20, 8 };
        QTest::newRow("lock silent after 40 events") << DownloadCase{ { "lock-silent=event:40" }, 100, noLock, 40, 8 };
        // The stop flag is looked at before the keypad, after each block, then after each record.
        QTest::newRow("cancelled after 10 events") << DownloadCase{ {}, 100, "", 10, 8, -1, 4 + 10 };
        // The window waits for the keypad until cancelled; the command line's bound ends the wait.
        QTest::newRow("no keypad, cancelled") << DownloadCase{ { "silent-from=1" }, 5, "", 0, 0, -1, 20 };
        QTest::newRow("no keypad within the bound") << DownloadCase{ { "silent-from=1" }, 5, "No answer from keypad", 0, 0, 10000 };
    }
    // The blocks, the records asked for and nothing after them; the table only from firmware 1.05 on.
    void download()
    {
        QFETCH(DownloadCase, c);
        Scene s(BusMode, c.scene);
        s.progress.stopAt = c.stopAt;
        const OperationResult<BusDump> download = operations::DownloadAudit(s.link, s.progress, c.requested, c.waitMs);
        const OperationOutcome& outcome = download.outcome;
        auto a = std::make_unique<AuditSession>();
        a->setBusDump(download.payload);
        QCOMPARE(outcome.message, c.message);
        const LockAudit& lock = s.device.lock();
        QCOMPARE(download.payload.events, lock.records.left(c.records * 12));
        const auto isTableRequest = [](const QByteArray& r) { return r.startsWith(Hex("01066DFE")); };
        QCOMPARE(int(std::count_if(s.link.requests().begin(), s.link.requests().end(), isTableRequest)), c.tableRequests);
        QCOMPARE(operations::PartialEventCount(download), outcome.succeeded() ? 0 : c.records);
        if (outcome.succeeded() || c.records > 0) { // a partial audit has its blocks whole too
            QCOMPARE(Bytes(a->busVersion) + Bytes(a->busReport) + Bytes(a->busStatus) + Bytes(a->busConfig),
                     Bytes(lock.version) + Bytes(lock.report) + Bytes(lock.status) + Bytes(lock.configuration));
            QCOMPARE(Bytes(a->busDateTimeTable), c.tableRequests ? Bytes(lock.dateTimeTable) : QByteArray(64, '\0'));
        }
        if (c.requested == 0) { // the sample audit file holds what a download of the sample lock leaves
            auto file = std::make_unique<AuditSession>();
            QVERIFY(AuditFile::Load(QStringLiteral(CORVANE_SOURCE_DIR "/samples/bus-audit.kaud"), *file).valid);
            const auto blocks = [](const AuditSession& x) {
                return Bytes(x.busVersion) + Bytes(x.busReport) + Bytes(x.busStatus) + Bytes(x.busConfig) + Bytes(x.busDateTimeTable) + Bytes(x.busEvents);
            };
            QCOMPARE(blocks(*file), blocks(*a));
        }
    }

    // Events the lock records while a download reads its audit come before where the download is:
    // it reads on through the records it had not read, as the lock held them, never a new one nor
    // one twice. Those the lock overwrote meanwhile (it keeps 5600) are gone: the audit ends there.
    void eventsRecordedDuringADownload_data()
    {
        QTest::addColumn<int>("readBefore");
        QTest::addColumn<int>("recorded");
        QTest::addColumn<int>("read");
        const int held = SampleLock().eventCount();
        QTest::newRow("300 after 100 read") << 100 << 300 << held;
        QTest::newRow("3000 after 2000 read: the oldest overwritten") << 2000 << 3000 << 5600 - 3000;
        QTest::newRow("6000 after 100 read: all overwritten") << 100 << 6000 << 100;
    }
    void eventsRecordedDuringADownload()
    {
        QFETCH(int, readBefore);
        QFETCH(int, recorded);
        QFETCH(int, read);
        Scene s(BusMode, {});
        const QByteArray before = s.device.lock().records;
        // The bar takes a step for each of the three blocks, then for every event read.
        struct Recording : Progress
        {
            SimulatedInterface* device;
            int at, count, steps = 0;
            void setPercentage(int p) override
            {
                Progress::setPercentage(p);
                if (++steps == at)
                    device->recordEvents(count);
            }
        } progress;
        progress.device = &s.device;
        progress.at = 3 + readBefore;
        progress.count = recorded;
        const OperationResult<BusDump> download = operations::DownloadAudit(s.link, progress, 0);
        QCOMPARE(download.outcome.message, QStringLiteral("Done"));
        QCOMPARE(download.payload.events.size() / 12, read);
        QVERIFY(download.payload.events == before.left(read * 12));
    }

    // N = 3: the bar's values are integer shares of N + 13, busy until the keypad answers.
    void downloadProgress()
    {
        Scene s(BusMode, {});
        QVERIFY(operations::DownloadAudit(s.link, s.progress, 3).succeeded());
        QCOMPARE(s.progress.log.mid(0, 3), (QStringList{ "busy", "Please connect the PC to the keypad", "bar" }));
        QCOMPARE(s.progress.numbers(), (QStringList{ "6", "12", "18", "25", "31" }));
    }

    void usersLog_data()
    {
        QTest::addColumn<QStringList>("scene");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("serial"); // once the report has come, whatever follows
        QTest::newRow("sample lock") << QStringList() << "" << "23041207";
        QTest::newRow("no users log") << QStringList{ "users-log=none" } << "Lock's firmware not compatible with this function"
                                      << "23041207";
        QTest::newRow("keypad silent") << QStringList{ "silent-from=1" } << "No answer from keypad" << "";
        QTest::newRow("lock silent at slot 5") << QStringList{ "lock-silent=log:5" } << "No answer from lock" << "23041207";
        QTest::newRow("lock silent at the report") << QStringList{ "lock-silent=report" } << "No answer from lock" << "";
        QTest::newRow("keypad CRC wrong twice") << QStringList{ "keypad-crc=always" } << "Communication error" << "";
    }
    void usersLog()
    {
        QFETCH(QStringList, scene);
        QFETCH(QString, message);
        QFETCH(QString, serial);
        LockAudit lock = SampleLock();
        lock.userTypes[81] = '5'; // Master 02: an empty slot of the second type
        Scene s(BusMode, scene, SimulatedInterface::Key::Audit, lock);
        const OperationResult<operations::UsersLogDump> log = operations::DownloadUsersLog(s.link, s.progress);
        const OperationOutcome& outcome = log.outcome;
        QCOMPARE(outcome.message, message);
        QCOMPARE(log.payload.serial, serial);
        QCOMPARE(outcome.succeeded(), message.isEmpty());
        if (!outcome.succeeded())
            return;
        QCOMPARE(s.link.requests().size(), 2 + 104);
        QCOMPARE(s.link.requests().at(2), Hex("01052C008F"));
        // 0 once the report is read, then record i shows (200 + 100 i) / 104.
        CheckBar(s.progress.numbers(), 1 + 104, { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 52, 50 }, { 102, 99 }, { 103, 100 }, { 104, 100 } });
        // Empty slots: Manager 03 has no log, Master 02 was set up. User 01 was installed by the master.
        const QVector<UsersLogRow> rows = UsersLogRows(reinterpret_cast<const quint8*>(log.payload.records.constData()), DisplaySettings());
        QCOMPARE(rows.at(2).installedBy + "|" + rows.at(4).installedBy + "|" + rows.at(4).date, QStringLiteral("No log|Corvane Setup|"));
        QCOMPARE(rows.at(5).installedBy + "|" + rows.at(5).date.left(11), QStringLiteral("Master|04/03/2024 "));
    }

    // The lock a users log came from, read from the report answer's block as an audit's serial is:
    // padding taken off, nothing read beyond the answer, none when the block names none. The
    // interface is gone after the report, so every run ends there.
    void usersLogSerial_data()
    {
        QTest::addColumn<QByteArray>("block"); // report bytes from byte 2 on, padded to 157 bytes
        QTest::addColumn<int>("length");       // of the whole answer
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("message");
        const QByteArray text(6, '\0'); // the report text begins at block byte 6
        QTest::newRow("serial, CR LF, name") << text + "30051122\r\nVAULT9\r\n1.05" << 159 << "30051122" << "USB interface disconnected";
        QTest::newRow("padded with spaces") << text + " 3005 \r\nVAULT9" << 159 << "3005" << "USB interface disconnected";
        QTest::newRow("no CR LF: the whole area") << text + "ABCDEFGHIJKLMNOP" << 159 << "ABCDEFGHIJK" << "USB interface disconnected";
        QTest::newRow("all zero") << QByteArray() << 159 << "" << "USB interface disconnected";
        QTest::newRow("spaces only") << text + "           \r\n" << 200 << "" << "USB interface disconnected";
        QTest::newRow("cut inside the block") << text + "30051122\r\n" << 20 << "" << "Communication error";
        QTest::newRow("a byte short of the types") << text + "30051122\r\n" << 158 << "" << "Communication error";
        QTest::newRow("the length byte only") << QByteArray() << 1 << "" << "Communication error";
    }
    void usersLogSerial()
    {
        QFETCH(QByteArray, block);
        QFETCH(int, length);
        QFETCH(QString, serial);
        QFETCH(QString, message);
        const QByteArray keypad = Framed(Hex("7E10A40080000205") + QByteArray(7, '\0'));
        QByteArray report = Hex("01A0") + block;
        report = (report + QByteArray(qMax(0, length - report.size()), '\0')).left(length);
        const QByteArray script = FuzzAnswer(keypad) + FuzzAnswer(report);
        ScriptedLink link(reinterpret_cast<const quint8*>(script.constData()), size_t(script.size()));
        Progress progress;
        const OperationResult<operations::UsersLogDump> log = operations::DownloadUsersLog(link, progress);
        QCOMPARE(log.outcome.message, message);
        QCOMPARE(log.payload.serial, serial);
    }

    // Answers shorter than what is taken from them end the operation instead of taking stale bytes.
    void shortAnswers()
    {
        const QByteArray keypad = Framed(Hex("7E10A40080000205") + QByteArray(7, '\0'));
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
            QByteArray script;
            for (const QByteArray& a : c.answers)
                script += FuzzAnswer(a);
            ScriptedLink link(reinterpret_cast<const quint8*>(script.constData()), size_t(script.size()));
            Progress progress;
            const OperationOutcome outcome = c.operation == 0 ? operations::ReadDallasKey(link, progress, 256).outcome
                : c.operation == 1 ? operations::DownloadAudit(link, progress, 5).outcome
                                   : operations::DownloadUsersLog(link, progress).outcome;
            QVERIFY2(outcome.message == QStringLiteral("Communication error"), c.name);
        }
    }

    // The reader's answer carries its length in one byte, so it serves at most 252 bytes a read.
    void simulatorReadLimit()
    {
        SimulatedInterface device;
        device.setKey(SimulatedInterface::Key::Audit);
        QCOMPARE(device.answer(Framed(Hex("060400") + char(0) + char(252)), 19200).size(), 255);
        QVERIFY(device.answer(Framed(Hex("060400") + char(0) + char(253)), 19200).isEmpty());
    }

    // What a partial download tells, in English and Italian, one event and more.
    void partialTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("events");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::newRow("one, failed") << "en" << 1 << false
                                     << "Communication error: the download stopped after 1 event; it is kept, marked as partial."
                                     << "07/12/2026 10.15.02 (partial: 1 event)";
        QTest::newRow("many, cancelled") << "en" << 4231 << true
                                         << "The download was cancelled after 4231 events; they are kept, marked as partial."
                                         << "07/12/2026 10.15.02 (partial: 4231 events)";
        QTest::newRow("one, Italian") << "it" << 1 << true
                                      << "Il download è stato annullato dopo 1 evento; viene conservato, segnato come parziale."
                                      << "07/12/2026 10.15.02 (parziale: 1 evento)";
        QTest::newRow("many, Italian") << "it" << 30 << false
                                       << "Errore di comunicazione: il download si è fermato dopo 30 eventi; vengono conservati, segnati come parziali."
                                       << "07/12/2026 10.15.02 (parziale: 30 eventi)";
    }
    void partialTexts()
    {
        QFETCH(QString, language);
        QFETCH(int, events);
        QFETCH(bool, cancelled);
        QFETCH(QString, text);
        QFETCH(QString, label);
        QTranslator translator;
        QVERIFY(translator.load("audit_" + language, CORVANE_BINARY_DIR) && qApp->installTranslator(&translator));
        const OperationOutcome outcome = cancelled ? OperationOutcome{ OperationOutcome::Cancelled, QString() }
                                                   : OperationOutcome{ OperationOutcome::Failed,
                                                                       QCoreApplication::translate("DeviceOperation", "Communication error") };
        const QString told = operations::PartialDownloadText(outcome, events);
        const QString marked = operations::PartialLabel("07/12/2026 10.15.02", events);
        qApp->removeTranslator(&translator);
        QCOMPARE(told, text);
        QCOMPARE(marked, label);
        // Within what an audit file keeps of a label: 127 bytes of UTF-16.
        QVERIFY(operations::PartialLabel("12/31/2026 11.59.59 PM", 5600).size() * 2 <= 127);
    }

    void firmwareNumber()
    {
        const QPair<QByteArray, int> cases[] = { { "123456\r\nVAULT1\r\n1.05\r\n", 105 }, { "123456789\r\nVAULT1\r\n2.10", 210 },
                                                 { "123456\r\nVAULT1\r\nx.yz", 0 }, { "no line end at all here", 0 } };
        for (const auto& c : cases) {
            std::array<quint8, 36> report{};
            std::copy(c.first.begin(), c.first.begin() + std::min(30, int(c.first.size())), report.begin() + 6);
            QCOMPARE(operations::FirmwareNumber(report), c.second);
        }
    }
};

QTEST_GUILESS_MAIN(TestDeviceOperations)
#include "tst_deviceoperations.moc"
