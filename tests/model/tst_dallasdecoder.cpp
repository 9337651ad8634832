#include "AuditFixtures.h"
#include "model/Bytes.h"

#include <QtTest>

#include <memory>

using namespace dallas;
using fixtures::SampleConfig;
using fixtures::LockEntries;

namespace {

QList<qint64> Times(const QList<EventsTable>& events)
{
    QList<qint64> out;
    for (const EventsTable& e : events)
        out << e.time;
    return out;
}

// What the byte maps carry of a configuration, written out as the lock would.
QByteArray Mapped(const Config& c)
{
    const LockDescription lock = LockDescription::FromConfig(c, DelayEncoding::Plain);
    return QByteArray(reinterpret_cast<const char*>(lock.configuration.data()), 64).toHex(' ') + " / "
        + QByteArray(reinterpret_cast<const char*>(lock.status.data()), 4).toHex(' ');
}

} // namespace

class TestDallasDecoder : public QObject
{
    Q_OBJECT

    DecodedAudit d;

    const DecodedAudit& Decode(const QByteArray& image, const QDateTime& known = QDateTime())
    {
        d = DecodeDallasImage(reinterpret_cast<const quint8*>(image.constData()), known);
        return d;
    }

private slots:
    void init() { d = DecodedAudit(); }

    void requestImageReadsAsEmptyKey()
    {
        const DecodedAudit result = Decode(RequestImage());
        QVERIFY(result.ok && d.lockEvents.isEmpty() && d.timeDateTable.isEmpty());
        QCOMPARE(result.notices, QVector<DecodeNotice> { DecodeNotice::KeyEmpty });
        QCOMPARE(DecodeNoticeText(DecodeNotice::KeyEmpty), QStringLiteral("The Dallas audit key is empty"));
        QVERIFY(!DecodeNoticeIsError(DecodeNotice::KeyEmpty) && DecodeNoticeIsError(DecodeNotice::CrcError));
    }

    void checksums()
    {
        // 60 records fill blocks 0 to 3. Either complement is accepted; bad blocks are reported and still used.
        DallasImageBuilder builder;
        builder.addEvents(1, LockEntries(60, 0));
        QVERIFY(Decode(builder.setChecksumStyle(ChecksumStyle::TwosComplement).image()).notices.isEmpty());
        QCOMPARE(d.lockEvents.size(), 60);
        const DecodedAudit result = Decode(builder.setChecksumStyle(ChecksumStyle::OnesComplement).breakChecksum(1)
                                               .breakChecksum(2).image());
        QVERIFY(result.ok);
        QCOMPARE(result.notices, QVector<DecodeNotice>(2, DecodeNotice::CrcError));
        QCOMPARE(d.lockEvents.size(), 60);
        QCOMPARE(DecodeNoticeText(DecodeNotice::CrcError), QStringLiteral("CRC error"));
        // An empty block ends the image: block 0 holds 14 whole records, the 15th runs into the zeros after it.
        QByteArray image = DallasImageBuilder().addEvents(1, LockEntries(60, 0)).image();
        image.replace(BlockSize, BlockSize, QByteArray(BlockSize, char(EmptyFill)));
        QVERIFY(Decode(image).notices.isEmpty());
        QCOMPARE(d.lockEvents.size(), 15);
    }

    // Each block is followed by another, where a record read past a block's end would show.
    void imageWithEveryBlock()
    {
        // Signed times in stored order; the all-zero record ends the records.
        const QVector<AuditEntry> lock { { 500, 0x21, 3 }, { -1, 0x22, 60 }, { 0x7FFFFFFF, 0x68, 255 }, AuditEntry(),
                                         { 900, 0x05, 1 } };
        const DecodedAudit result = Decode(DallasImageBuilder().addEvents(0x01, lock)
            .addEvents(KeypadDevice, LockEntries(2, 5000)).addTimeDateTable({ { 3000, 0x70, 2 } })
            .addConfiguration(fixtures::Lock(DelayEncoding::Plain)).addDateTime(2024, 3, 14, 9, 30).image());
        QVERIFY(result.ok && result.notices.isEmpty());
        QCOMPARE(Times(d.lockEvents), (QList<qint64> { 500, -1, 0x7FFFFFFF }));
        QCOMPARE(Times(d.keypadEvents), (QList<qint64> { 5000, 1400 }));
        const QList<EventsTable>& l = d.lockEvents;
        QCOMPARE(QList<int>({ l[2].event, l[2].user, l[2].device, l[2].prevEvent, l[2].prevUser, l[0].prevEvent,
                              l[0].prevUser }), QList<int>({ 0x68, 255, 0x01, 0x22, 60, -1, -1 }));
        QCOMPARE(d.keypadEvents[1].device, KeypadDevice);
        QCOMPARE(Times(d.timeDateTable), QList<qint64> { 3000 });
        const Config& c = d.config;
        QCOMPARE(QStringList({ c.lockName, c.serialNumber, c.lockVersion, c.keypadVersion }),
                 QStringList({ "VAULT1", "20240117", "1.07", "2.05" }));
        QCOMPARE(c.downloadTime, QDateTime(QDate(2024, 3, 14), QTime(9, 30), Qt::UTC));
        // Without its own date-time block a key keeps the date known from elsewhere.
        const QDateTime known(QDate(2024, 5, 6), QTime(7, 8));
        QCOMPARE(Decode(DallasImageBuilder().addEvents(LockDevice, lock).image(), known).config.downloadTime, known);
    }

    void timeDateTableSortedAtMostEight()
    {
        // Ten entries stored: two beyond the eight slots, two empty slots; the events that follow are no entries.
        const QVector<AuditEntry> entries { { 9000, 0x70, 1 }, AuditEntry(), { 3000, 0x71, 2 }, { -5, 0x72, 3 },
            AuditEntry(), { 100, 0x73, 4 }, { 7000, 0x74, 5 }, { 200, 0x75, 6 }, { 1, 0x76, 7 }, { 2, 0x77, 8 } };
        QVERIFY(Decode(DallasImageBuilder().addTimeDateTable(entries).addEvents(0x01, LockEntries(3, 50)).image()).ok);
        QCOMPARE(Times(d.timeDateTable), (QList<qint64> { -5, 100, 200, 3000, 7000, 9000 }));
        QCOMPARE(d.timeDateTable[0].user, 3);
        QCOMPARE(d.lockEvents.size(), 3);
    }

    void eventsBlockRunningPastTheEndEndsDecoding()
    {
        const QByteArray twoLockRecords = QByteArray::fromHex("01 00000e1021ff 00000e1022ff");
        for (int separatorAt : { 8191, 9000 }) { // where the declared length puts the separator
            DallasImageBuilder builder;
            while (builder.streamSize() < 7000)
                builder.addEvents(KeypadDevice, LockEntries(100, 0));
            builder.addBlock(TagEvents, twoLockRecords, separatorAt - builder.streamSize() - 3);
            const DecodedAudit result = Decode(builder.image());
            QVERIFY(result.ok && result.notices.isEmpty());
            QCOMPARE(d.lockEvents.size(), 2);
        }
    }

    void dataErrorEmptiesTheSession_data()
    {
        QTest::addColumn<QByteArray>("image");
        const auto base = [] {
            return DallasImageBuilder().addTimeDateTable({ { 5, 0x70, 1 } }).addEvents(1, LockEntries(3, 9));
        };
        const auto pastTheEnd = [&base](quint8 tag, int size) { // a length carrying the content past the work area
            DallasImageBuilder b = base();
            return b.addBlock(tag, QByteArray(size, 1), 8190 - b.streamSize()).image();
        };
        QTest::newRow("offset 32 not zero") << base().patch(FirstSeparator, "\x01").image();
        QTest::newRow("unknown tag") << base().addBlock(0x44, "abcd").image();
        QTest::newRow("separator not zero") << base().addBlock(TagTimeDateTable, QByteArray(49, 1), 48).image();
        QTest::newRow("configuration format 2") << base().addConfiguration(LockDescription(), 2).image();
        QTest::newRow("configuration past the end") << pastTheEnd(TagConfig, 87);
        QTest::newRow("table past the end") << pastTheEnd(TagTimeDateTable, 49);
    }

    // A data error leaves a value with nothing in it but the notice, whatever came before it.
    void dataErrorEmptiesTheSession()
    {
        QFETCH(QByteArray, image);
        const QByteArray kept = image;
        const DecodedAudit result = Decode(image, QDateTime(QDate(2024, 1, 2), QTime(3, 4)));
        QVERIFY(!result.ok);
        QCOMPARE(result.notices, QVector<DecodeNotice> { DecodeNotice::DataError });
        QCOMPARE(DecodeNoticeText(DecodeNotice::DataError), QStringLiteral("Dallas key data error"));
        QVERIFY(d.lockEvents.isEmpty() && d.timeDateTable.isEmpty() && d.config.lockName.isEmpty());
        QVERIFY(!d.config.downloadTime.isValid());
        QCOMPARE(image, kept); // the input is never touched
    }

    void configurationRoundTrip()
    {
        // The other value of every field; the closing time is kept without timed closing.
        const Config s = SampleConfig();
        Config other;
        other.overrideDualMode = other.preSetup = true, other.firstOverrideUser = 250, other.closingTimeSeconds = 77;
        other.timeDelay = 45, other.openWindow = 16; // plain numbers, not packed decimal
        for (int user = 1; user < UserSlots; ++user) {
            if (s.userStatus[user])
                other.openingMode[user] = s.openingMode[user] ^ 3, other.userStatus[user] = s.userStatus[user] ^ 2;
        }
        for (const Config& config : { s, other }) {
            const LockDescription lock = LockDescription::FromConfig(config, DelayEncoding::Plain);
            Decode(DallasImageBuilder().addConfiguration(lock).image());
            QCOMPARE(Mapped(d.config), Mapped(config));
            // The byte map leaves a record's closing time alone without timed closing.
            Config earlier;
            earlier.closingTimeSeconds = 77;
            ApplyConfigurationBytes(earlier, lock.configuration.data());
            QCOMPARE(earlier.closingTimeSeconds, config.closingTimeSeconds);
        }
    }

    // Written out by hand: with the round trip it ties the decoder to the layout, not only to its builder.
    void configurationLayout()
    {
        const QByteArray layout = QByteArray::fromHex("70e9000000000000 0000000000000000 0000000000000000 "
            "0000000000d66b0d 0000000000000000 7e00000000000000 0040000004000000 a30003cf00040f03");
        QCOMPARE(Mapped(SampleConfig()), layout.toHex(' ') + " / 0a 05 05 04");
        quint8 c[ConfigurationByteCount] = {};
        for (int i = 0; i < 5; ++i) { // either ERC pattern turns it on
            c[49] = quint8(QByteArray::fromHex("40044cc00c").at(i));
            ApplyConfigurationBytes(d.config, c);
            QCOMPARE(d.config.ercEnabled, i < 3);
        }
    }
};

QTEST_GUILESS_MAIN(TestDallasDecoder)
#include "tst_dallasdecoder.moc"
