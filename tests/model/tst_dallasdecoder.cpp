#include "AuditBuilder.h"
#include "Bytes.h"
#include "ConfigCheck.h"
#include "DallasDecoder.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(Config)

using namespace dallas;

namespace {

QVector<AuditEntry> Entries(int count, qint64 firstTime, quint8 firstCode = 0x10)
{
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i)
        out.append({ firstTime + 60 * i, quint8(firstCode + i % 100), quint8(1 + i % 59) });
    return out;
}

DecodeResult Decode(AuditSession& session, const QByteArray& image)
{
    std::copy(image.begin(), image.end(), session.dallasImage.begin());
    return ParseEventsBuffer(session);
}

QList<qint64> Times(const QList<EventsTable>& events)
{
    QList<qint64> out;
    for (const EventsTable& e : events)
        out << e.time;
    return out;
}

LockDescription SampleLock()
{
    LockDescription lock = LockDescription::FromConfig(SampleConfig(), DelayEncoding::Plain);
    lock.name = "VAULT1";
    lock.serialNumber = "12345678";
    lock.lockMajor = 1;
    lock.lockMinor = 5;
    lock.keypadMajor = 2;
    lock.keypadMinor = 10;
    return lock;
}

} // namespace

class TestDallasDecoder : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AuditSession> session;

private slots:
    void init() { session = std::make_unique<AuditSession>(); }

    void requestImageReadsAsEmptyKey()
    {
        const QByteArray image = RequestImage();
        QCOMPARE(image.size(), ImageSize);
        QCOMPARE(image.mid(0, 4), QByteArray("AUDT"));
        QCOMPARE(image.mid(126, 2), QByteArray(2, '\0')); // the header's words already sum to 0xFFFF
        QCOMPARE(image.mid(128), QByteArray(ImageSize - 128, char(0x55)));

        const DecodeResult result = Decode(*session, image);
        QVERIFY(result.ok);
        QCOMPARE(result.notices, QVector<DecodeNotice> { DecodeNotice::KeyEmpty });
        QVERIFY(!DecodeNoticeIsError(DecodeNotice::KeyEmpty));
        QCOMPARE(DecodeNoticeText(DecodeNotice::KeyEmpty), QString("The Dallas audit key is empty"));
        QVERIFY(session->lockEvents.isEmpty() && session->keypadEvents.isEmpty() && session->timeDateTable.isEmpty());
    }

    void checksums_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QList<int>>("badBlocks");
        QTest::addColumn<int>("crcErrors");
        QTest::newRow("ones' complement") << int(ChecksumStyle::OnesComplement) << QList<int>() << 0;
        QTest::newRow("two's complement") << int(ChecksumStyle::TwosComplement) << QList<int>() << 0;
        QTest::newRow("two bad blocks") << int(ChecksumStyle::OnesComplement) << QList<int> { 1, 2 } << 2;
        QTest::newRow("bad header block") << int(ChecksumStyle::TwosComplement) << QList<int> { 0 } << 1;
    }

    void checksums()
    {
        QFETCH(int, style);
        QFETCH(QList<int>, badBlocks);
        QFETCH(int, crcErrors);

        // 60 lock events span blocks 0 to 3.
        DallasImageBuilder builder;
        builder.setChecksumStyle(ChecksumStyle(style)).addEvents(0x01, Entries(60, 1000));
        for (int block : badBlocks)
            builder.breakChecksum(block);
        QCOMPARE(builder.streamSize() / PayloadSize, 3);

        const DecodeResult result = Decode(*session, builder.image());
        QVERIFY(result.ok);
        QCOMPARE(result.notices, QVector<DecodeNotice>(crcErrors, DecodeNotice::CrcError));
        // Bad blocks are still decoded.
        QCOMPARE(session->lockEvents.size(), 60);
        QCOMPARE(session->lockEvents.last().time, qint64(1000 + 59 * 60));
    }

    void emptyBlockEndsImage()
    {
        DallasImageBuilder builder;
        builder.addEvents(0x01, Entries(60, 1000));
        QByteArray image = builder.image();
        image.replace(BlockSize, BlockSize, QByteArray(BlockSize, char(EmptyFill)));

        const DecodeResult result = Decode(*session, image);
        QVERIFY(result.ok);
        QVERIFY(result.notices.isEmpty());
        // Block 0 holds 14 whole records after the header area and the block header; the
        // 15th is cut by the block's end and ends in the zeros of the work area.
        QCOMPARE(session->lockEvents.size(), 15);
        QCOMPARE(session->lockEvents[14].time, qint64(1000 + 14 * 60));
        QCOMPARE(session->lockEvents[14].user, 0);
    }

    void deviceByteChoosesList_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("keypad");
        QTest::newRow("keypad 0x7E") << 0x7E << true;
        QTest::newRow("lock 0x01") << 0x01 << false;
        QTest::newRow("lock 0x00") << 0x00 << false;
        QTest::newRow("lock 0x7F") << 0x7F << false;
    }

    void deviceByteChoosesList()
    {
        QFETCH(int, device);
        QFETCH(bool, keypad);
        const QVector<AuditEntry> entries { { 500, 0x21, 3 }, { -1, 0x22, 60 }, { 0x7FFFFFFF, 0x68, 255 } };
        Decode(*session, DallasImageBuilder().addEvents(quint8(device), entries).image());

        const QList<EventsTable>& filled = keypad ? session->keypadEvents : session->lockEvents;
        const QList<EventsTable>& other = keypad ? session->lockEvents : session->keypadEvents;
        QVERIFY(other.isEmpty());
        QCOMPARE(filled.size(), 3);
        QCOMPARE(Times(filled), (QList<qint64> { 500, -1, 0x7FFFFFFF })); // stored order, signed
        QCOMPARE(filled[1].dstTime, filled[1].time);
        QCOMPARE(filled[2].event, 0x68);
        QCOMPARE(filled[2].user, 255);
        QCOMPARE(filled[0].device, quint8(device));
        QCOMPARE(filled[0].prevEvent, -1);
        QCOMPARE(filled[0].prevUser, -1);
        QCOMPARE(filled[2].prevEvent, 0x22);
        QCOMPARE(filled[2].prevUser, 60);
    }

    void lockAndKeypadBlocksKeepBoth()
    {
        Decode(*session, DallasImageBuilder()
                             .addEvents(0x01, Entries(3, 1000))
                             .addEvents(KeypadDevice, Entries(2, 5000))
                             .addEvents(0x01, Entries(1, 9000))
                             .image());
        QCOMPARE(Times(session->lockEvents), (QList<qint64> { 1000, 1060, 1120, 9000 }));
        QCOMPARE(Times(session->keypadEvents), (QList<qint64> { 5000, 5060 }));
        // Each block starts its own chain of previous codes.
        QCOMPARE(session->lockEvents[3].prevEvent, -1);
    }

    void eventsBlockBeforeAnotherBlockHasNoPhantomEvent()
    {
        const QVector<AuditEntry> table { { 3000, 0x70, 2 } };
        const DecodeResult result = Decode(*session, DallasImageBuilder()
                                                         .addEvents(0x01, Entries(4, 1000))
                                                         .addTimeDateTable(table)
                                                         .addDateTime(2024, 3, 14, 9, 30)
                                                         .image());
        QVERIFY(result.ok);
        QVERIFY(result.notices.isEmpty());
        QCOMPARE(session->lockEvents.size(), 4);
        QCOMPARE(session->timeDateTable.size(), 1);
        QCOMPARE(session->config.downloadTime, QDateTime(QDate(2024, 3, 14), QTime(9, 30), Qt::UTC));
    }

    void allZeroRecordEndsEvents()
    {
        QVector<AuditEntry> entries = Entries(5, 1000);
        entries[2] = AuditEntry();
        Decode(*session, DallasImageBuilder().addEvents(0x01, entries).image());
        QCOMPARE(session->lockEvents.size(), 2);
    }

    void timeDateTableSorted()
    {
        const QVector<AuditEntry> entries {
            { 9000, 0x70, 1 }, AuditEntry(), { 3000, 0x71, 2 }, { 9000, 0x72, 3 },
            AuditEntry(), { -5, 0x73, 4 }, { 3000, 0x74, 5 }, { 100, 0x75, 6 },
        };
        const DecodeResult result = Decode(*session, DallasImageBuilder().addTimeDateTable(entries).image());
        QVERIFY(result.ok);
        QList<int> codes;
        for (const EventsTable& e : session->timeDateTable)
            codes << e.event;
        // Oldest first; equal times keep their stored order.
        QCOMPARE(codes, (QList<int> { 0x73, 0x75, 0x71, 0x74, 0x70, 0x72 }));
        QCOMPARE(session->timeDateTable[0].time, qint64(-5));
        QCOMPARE(session->timeDateTable[0].user, 4);
    }

    void timeDateTableTakesOnlyItsEntries_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("three entries") << 3 << 3;
        QTest::newRow("eight entries") << 8 << 8;
        QTest::newRow("ten entries, eight taken") << 10 << 8;
    }

    void timeDateTableTakesOnlyItsEntries()
    {
        QFETCH(int, stored);
        QFETCH(int, expected);
        QByteArray content(1, '\0');
        for (int i = 0; i < stored; ++i)
            content += QByteArray::fromHex("000010000101");
        // Events follow directly: their bytes must not be read as table entries.
        const DecodeResult result = Decode(*session, DallasImageBuilder()
                                                         .addBlock(TagTimeDateTable, content)
                                                         .addEvents(0x01, Entries(3, 50))
                                                         .image());
        QVERIFY(result.ok);
        QCOMPARE(session->timeDateTable.size(), expected);
        QCOMPARE(session->lockEvents.size(), 3);
    }

    void eventsBlockRunningPastTheEnd_data()
    {
        QTest::addColumn<int>("separatorAt"); // where the declared length puts the separator
        QTest::newRow("8190") << 8190;
        QTest::newRow("beyond the work area") << 9000;
        QTest::newRow("at the length's limit") << -1;
    }

    void eventsBlockRunningPastTheEnd()
    {
        DallasImageBuilder builder;
        builder.addDateTime(2023, 12, 31, 23, 59);
        while (builder.streamSize() < 7000)
            builder.addEvents(KeypadDevice, Entries(100, 0));
        const int tag = builder.streamSize();
        QFETCH(int, separatorAt);
        const int length = separatorAt < 0 ? 0xFFFF : separatorAt - tag - BlockHeaderSize;
        QByteArray content(1, char(0x01));
        for (int i = 0; i < 5; ++i)
            content += QByteArray::fromHex("00000e1021ff");
        builder.addBlock(TagEvents, content, length);
        QVERIFY(builder.fits());

        const DecodeResult result = Decode(*session, builder.image());
        QVERIFY(result.ok);
        QVERIFY(result.notices.isEmpty());
        QCOMPARE(session->lockEvents.size(), 5);
        QCOMPARE(session->lockEvents.last().time, qint64(3600));
        QVERIFY(session->keypadEvents.size() >= 1100);
        QVERIFY(session->config.downloadTime.isValid());
    }

    void dataErrorResetsSession_data()
    {
        QTest::addColumn<QByteArray>("image");
        auto base = [] {
            DallasImageBuilder b;
            b.addDateTime(2024, 1, 2, 3, 4).addConfiguration(SampleLock()).addEvents(0x01, Entries(3, 10));
            return b;
        };
        QTest::newRow("offset 32 not zero") << base().patch(FirstSeparator, QByteArray(1, '\x01')).image();
        QTest::newRow("unknown tag") << base().addBlock(0x44, QByteArray(4, '\x01')).image();
        QTest::newRow("tag 0xFF") << base().addRaw(QByteArray(1, '\xFF')).image();
        {
            DallasImageBuilder b = base();
            b.patch(b.streamSize() - 1, QByteArray(1, '\x07'));
            QTest::newRow("separator not zero") << b.image();
        }
        {
            DallasImageBuilder b;
            b.addDateTime(2024, 1, 2, 3, 4).addConfiguration(SampleLock(), 0x02);
            QTest::newRow("configuration format 0x02") << b.image();
        }
        {
            DallasImageBuilder b = base();
            QByteArray content(1, char(ConfigFormat));
            content += QByteArray(ConfigContentSize - 1, 'x');
            b.addBlock(TagConfig, content, WorkAreaSize - b.streamSize() - BlockHeaderSize + 1);
            QTest::newRow("configuration past the work area") << b.image();
        }
        {
            DallasImageBuilder b = base();
            b.addBlock(TagTimeDateTable, QByteArray(49, '\x01'), WorkAreaSize - b.streamSize() - BlockHeaderSize + 1);
            QTest::newRow("table past the work area") << b.image();
        }
        {
            // Its content ends at the last byte, leaving no room for the separator.
            DallasImageBuilder b = base();
            b.addBlock(TagTimeDateTable, QByteArray(49, '\0'), WorkAreaSize - b.streamSize() - BlockHeaderSize);
            QTest::newRow("table without room for its separator") << b.image();
        }
    }

    void dataErrorResetsSession()
    {
        QFETCH(QByteArray, image);
        session->lockEvents.append(EventsTable());
        session->mergedEvents.append(EventsTable());
        session->timeDateTable.append(EventsTable());
        session->config.lockName = QStringLiteral("OLD");

        const DecodeResult result = Decode(*session, image);
        QVERIFY(!result.ok);
        QVERIFY(!result.notices.isEmpty());
        QCOMPARE(result.notices.last(), DecodeNotice::DataError);
        QVERIFY(!result.notices.contains(DecodeNotice::KeyEmpty));
        QVERIFY(DecodeNoticeIsError(DecodeNotice::DataError));
        QCOMPARE(DecodeNoticeText(DecodeNotice::DataError), QString("Dallas key data error"));

        QVERIFY(session->lockEvents.isEmpty());
        QVERIFY(session->keypadEvents.isEmpty());
        QVERIFY(session->mergedEvents.isEmpty());
        QVERIFY(session->timeDateTable.isEmpty());
        QVERIFY(session->config.lockName.isEmpty());
        QVERIFY(!session->config.downloadTime.isValid());
        QVERIFY(SameMappedFields(session->config, Config()));
        QVERIFY(bytes::allZero(session->dallasImage.data(), session->dallasImage.size()));
    }

    void crcErrorsComeBeforeDataError()
    {
        DallasImageBuilder builder;
        builder.addEvents(0x01, Entries(30, 0)).addRaw(QByteArray(1, '\x50')).breakChecksum(1);
        const DecodeResult result = Decode(*session, builder.image());
        QCOMPARE(result.notices, (QVector<DecodeNotice> { DecodeNotice::CrcError, DecodeNotice::DataError }));
        QCOMPARE(DecodeNoticeText(DecodeNotice::CrcError), QString("CRC error"));
    }

    void dateTimeBlock_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("valid") << 2031 << 7 << 4 << QDateTime(QDate(2031, 7, 4), QTime(13, 45), Qt::UTC);
        QTest::newRow("month 0") << 2031 << 0 << 4 << QDateTime();
        QTest::newRow("30 February") << 2024 << 2 << 30 << QDateTime();
        QTest::newRow("29 February 2024") << 2024 << 2 << 29 << QDateTime(QDate(2024, 2, 29), QTime(13, 45), Qt::UTC);
    }

    void dateTimeBlock()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QDateTime, expected);
        session->config.downloadTime = QDateTime::currentDateTimeUtc();
        const DecodeResult result = Decode(*session, DallasImageBuilder().addDateTime(year, month, day, 13, 45).image());
        QVERIFY(result.ok);
        QCOMPARE(session->config.downloadTime, expected);
        if (expected.isValid())
            QCOMPARE(session->config.downloadTime.timeSpec(), Qt::UTC);
    }

    void configurationBlock()
    {
        const DecodeResult result = Decode(*session, DallasImageBuilder().addConfiguration(SampleLock()).image());
        QVERIFY(result.ok);
        QVERIFY(result.notices.isEmpty());
        const Config& c = session->config;
        QCOMPARE(c.lockName, QString("VAULT1"));
        QCOMPARE(c.serialNumber, QString("12345678"));
        QCOMPARE(c.lockVersion, QString("1.05"));
        QCOMPARE(c.keypadVersion, QString("2.10"));
    }

    void configurationRoundTrip_data()
    {
        QTest::addColumn<Config>("config");
        QTest::newRow("sample") << SampleConfig();

        Config other = SampleConfig();
        other.ercEnabled = false;
        other.usersDualMode = false;
        other.overrideDualMode = true;
        other.firstOverrideUser = 250;
        other.codeExpirationMonths = 15;
        other.codeDisablingMonths = 0;
        other.timedClosing = false;
        other.closingTimeSeconds = 0; // not decoded without timed closing
        other.boltOpenAlarmMinutes = 255;
        other.inputConfiguration = 0;
        other.outputConfiguration = 0;
        other.buzzerMuted = false;
        other.dateFormatUs = false;
        other.managerManagement = false;
        other.activeConfiguration = 0;
        other.timeDelay = 99;
        other.openWindow = 0;
        other.silentAlarm = false;
        other.overrideUsers = false;
        other.preSetup = true;
        for (int user : { 1, 2, 59, 60, 61, 62, 80, 81 }) {
            other.openingMode[user] = quint8(3 - other.openingMode[user]);
            other.userStatus[user] = quint8((other.userStatus[user] + 2) % 4);
        }
        QTest::newRow("flipped") << other;
    }

    void configurationRoundTrip()
    {
        QFETCH(Config, config);
        LockDescription lock = LockDescription::FromConfig(config, DelayEncoding::Plain);
        Decode(*session, DallasImageBuilder().addConfiguration(lock).image());
        QVERIFY(SameMappedFields(session->config, config));
    }

    // Hand-made bytes, so the map is checked against the layout and not only against its inverse.
    void configurationByteMap()
    {
        quint8 c[ConfigurationByteCount] = {};
        c[0] = 0x7B;  // user 1 from the high nibble: mode 3, status 1; the low nibble is no user's
        c[1] = 0x9E;  // user 2: mode 2, status 3; user 3: mode 1, status 2
        c[29] = 0x40; // user 59: mode 0, status 1
        c[30] = 0x36; // user 60: mode 2, status 1; user 61: mode 3, status 0
        c[31] = 0xF5; // user 62: mode 1, status 1; the high nibble is no user's
        c[40] = 0x1C; // user 80: mode 0, status 3; user 81: mode 1, status 0
        c[49] = 0x0C;
        c[56] = 0x04 | 0x10; // manual closing, buzzer on
        c[58] = 30;          // 310 kept to 8 bits
        c[59] = 0xA3;
        c[61] = 200;
        Config config;
        config.closingTimeSeconds = 77;
        config.openingMode[63] = 2;
        ApplyConfigurationBytes(config, c);

        const QList<QList<int>> users { { 1, 3, 1 }, { 2, 2, 3 }, { 3, 1, 2 }, { 59, 0, 1 }, { 60, 2, 1 },
                                        { 61, 3, 0 }, { 62, 1, 1 }, { 80, 0, 3 }, { 81, 1, 0 }, { 63, 2, 0 } };
        for (const QList<int>& u : users) {
            QCOMPARE(int(config.openingMode[u[0]]), u[1]);
            QCOMPARE(int(config.userStatus[u[0]]), u[2]);
        }
        QVERIFY(!config.ercEnabled);
        QVERIFY(!config.timedClosing);
        QCOMPARE(int(config.closingTimeSeconds), 77);
        QVERIFY(!config.buzzerMuted);
        QCOMPARE(int(config.firstOverrideUser), 54);
        QCOMPARE(int(config.codeExpirationMonths), 3);
        QCOMPARE(int(config.codeDisablingMonths), 10);
    }

    void ercBits_data()
    {
        QTest::addColumn<int>("c49");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("0x40") << 0x40 << true;
        QTest::newRow("0x04") << 0x04 << true;
        QTest::newRow("0x4C") << 0x4C << true;
        QTest::newRow("0xC0") << 0xC0 << false;
        QTest::newRow("0xCC") << 0xCC << false;
        QTest::newRow("0x0C") << 0x0C << false;
        QTest::newRow("0x00") << 0x00 << false;
    }

    void ercBits()
    {
        QFETCH(int, c49);
        QFETCH(bool, enabled);
        quint8 c[ConfigurationByteCount] = {};
        c[49] = quint8(c49);
        Config config;
        ApplyConfigurationBytes(config, c);
        QCOMPARE(config.ercEnabled, enabled);
    }

    void blockDecodersStayInsideWorkArea()
    {
        DallasWorkArea stream;
        stream.fill(0x11);
        stream[WorkAreaSize - 90] = ConfigFormat;
        // An events block may run past the end: it reads what is there and reports its length.
        QCOMPARE(ParseEvents(stream, WorkAreaSize - 8, 0xFFFF, *session), 0xFFFF + 3);
        QCOMPARE(session->lockEvents.size(), 0);
        QCOMPARE(ParseEvents(stream, WorkAreaSize - 20, 0xFFFF, *session), 0xFFFF + 3);
        QCOMPARE(session->lockEvents.size(), 2);
        QCOMPARE(ParseEvents(stream, WorkAreaSize, 10, *session), -1);
        QCOMPARE(ParseTimeDateTable(stream, WorkAreaSize - 20, 49, *session), -1);
        QCOMPARE(ParseTimeDateTable(stream, WorkAreaSize - 52, 49, *session), 52);
        QCOMPARE(session->timeDateTable.size(), 8);
        QCOMPARE(ParseConfig(stream, WorkAreaSize - 93, 87, *session), 90);
        QCOMPARE(ParseConfig(stream, WorkAreaSize - 93, 200, *session), -1);
        QCOMPARE(ParseConfig(stream, WorkAreaSize - 89, 87, *session), -1);
        QCOMPARE(ParseConfig(stream, WorkAreaSize - 94, 87, *session), 0);
        QCOMPARE(ParseConfig(stream, 0, -1, *session), -1);
    }
};

QTEST_GUILESS_MAIN(TestDallasDecoder)
#include "tst_dallasdecoder.moc"
