#include "AuditBuilder.h"
#include "BusDecoder.h"
#include "Bytes.h"
#include "ConfigCheck.h"

#include <QtTest>

#include <memory>

namespace {

qint64 SecondsSince2000(const QDateTime& at)
{
    return QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC).secsTo(at);
}

} // namespace

class TestBusDecoder : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AuditSession> session;

private slots:
    void init() { session = std::make_unique<AuditSession>(); }

    void auditTimeFromFields_data()
    {
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<qint64>("expected");
        const QDateTime leap(QDate(2024, 2, 29), QTime(23, 59, 59), Qt::UTC);
        QTest::newRow("epoch") << QList<int> { 0, 1, 1, 0, 0, 0 } << qint64(0);
        QTest::newRow("one second") << QList<int> { 0, 1, 1, 0, 0, 1 } << qint64(1);
        QTest::newRow("29 February 2024") << QList<int> { 24, 2, 29, 23, 59, 59 } << SecondsSince2000(leap);
        QTest::newRow("year 2255") << QList<int> { 255, 12, 31, 0, 0, 0 }
                                   << SecondsSince2000(QDateTime(QDate(2255, 12, 31), QTime(0, 0), Qt::UTC));
        QTest::newRow("month 0") << QList<int> { 21, 0, 10, 8, 0, 0 } << qint64(0);
        QTest::newRow("month 13") << QList<int> { 21, 13, 10, 8, 0, 0 } << qint64(0);
        QTest::newRow("29 February 2023") << QList<int> { 23, 2, 29, 8, 0, 0 } << qint64(0);
        QTest::newRow("day 0") << QList<int> { 21, 5, 0, 8, 0, 0 } << qint64(0);
        QTest::newRow("hour 24") << QList<int> { 21, 5, 1, 24, 0, 0 } << qint64(0);
        QTest::newRow("second 60") << QList<int> { 21, 5, 1, 23, 59, 60 } << qint64(0);
    }

    void auditTimeFromFields()
    {
        QFETCH(QList<int>, fields);
        QFETCH(qint64, expected);
        QCOMPARE(AuditTimeFromFields(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]), expected);
    }

    void emptyAudit()
    {
        session->keypadEvents.append(EventsTable());
        session->lockEvents.append(EventsTable());
        session->timeDateTable.append(EventsTable());
        QVERIFY(BusAuditBuilder().fill(*session));
        ParseBusEvents(*session);
        QVERIFY(session->keypadEvents.isEmpty());
        QVERIFY(session->lockEvents.isEmpty());
        QVERIFY(session->timeDateTable.isEmpty());
    }

    void eventRecords()
    {
        BusDate noMonth = BusDate::FromAuditTime(1000);
        noMonth.month = 0;
        BusAuditBuilder builder;
        builder.addEvent(86400 * 365, 0x21, 5).addEvent(noMonth, 0x30, 61).addEvent(7, 0x68, 2);
        builder.fill(*session);
        session->keypadEvents.append(EventsTable());
        ParseBusEvents(*session);

        QVERIFY(session->keypadEvents.isEmpty());
        const QList<EventsTable>& events = session->lockEvents;
        QCOMPARE(events.size(), 3);
        QCOMPARE(events[0].time, qint64(86400 * 365));
        QCOMPARE(events[0].dstTime, events[0].time);
        QCOMPARE(events[0].prevEvent, -1);
        QCOMPARE(events[0].prevUser, -1);
        QCOMPARE(events[1].time, qint64(0)); // month 0: no time, but the event stays
        QCOMPARE(events[1].event, 0x30);
        QCOMPARE(events[1].user, 61);
        QCOMPARE(events[1].prevEvent, 0x21);
        QCOMPARE(events[1].prevUser, 5);
        QCOMPARE(events[2].time, qint64(7)); // download order, not sorted
        QCOMPARE(events[2].prevEvent, 0x30);
        for (const EventsTable& e : events)
            QCOMPARE(e.device, quint8(1));
    }

    void recordLoopStopsAtCapacity()
    {
        // One record more than the buffer holds: the buffer is full, with no all-zero record.
        BusAuditBuilder builder;
        for (int i = 0; i <= AuditSession::BusRecordCapacity; ++i)
            builder.addEvent(qint64(i) * 60, quint8(i), 1);
        // Non-zero bytes right after the records, where a loop without the cap would go on.
        builder.setTimeDateEntry(0, 600, 0x70, 1).setTimeDateEntry(1, 900, 0x71, 1);
        QVERIFY(!builder.fill(*session));
        QVERIFY(!bytes::allZero(session->busEvents.data() + AuditSession::BusEventsSize - AuditSession::BusRecordSize,
                                AuditSession::BusRecordSize));
        ParseBusEvents(*session);
        QCOMPARE(session->lockEvents.size(), AuditSession::BusRecordCapacity);
        QCOMPARE(session->lockEvents.last().time, qint64(AuditSession::BusRecordCapacity - 1) * 60);
    }

    void timeDateTableSorted()
    {
        const qint64 y2019 = SecondsSince2000(QDateTime(QDate(2019, 6, 1), QTime(10, 0), Qt::UTC));
        const qint64 y2020 = SecondsSince2000(QDateTime(QDate(2020, 6, 1), QTime(10, 0), Qt::UTC));
        const qint64 y2021 = SecondsSince2000(QDateTime(QDate(2021, 6, 1), QTime(10, 0), Qt::UTC));
        BusAuditBuilder builder;
        builder.setTimeDateEntry(0, y2021, 0x70, 1)
            .setTimeDateEntry(2, y2019, 0x71, 2)
            .setTimeDateEntry(5, y2020, 0x72, 3)
            .setTimeDateEntry(7, y2019, 0x73, 4);
        builder.fill(*session);
        ParseBusEvents(*session);

        QList<qint64> times;
        QList<int> codes;
        for (const EventsTable& e : session->timeDateTable) {
            times << e.time;
            codes << e.event;
        }
        QCOMPARE(times, (QList<qint64> { y2019, y2019, y2020, y2021 }));
        QCOMPARE(codes, (QList<int> { 0x71, 0x73, 0x72, 0x70 }));
        QCOMPARE(session->timeDateTable[3].user, 1);
    }

    void report_data()
    {
        QTest::addColumn<QByteArray>("text"); // report bytes from byte 6 on
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        QTest::newRow("six digits") << QByteArray("123456\r\nVAULT1\r\n1.05\r\n") << "123456" << "VAULT1" << "1.05";
        QTest::newRow("empty serial") << QByteArray("\r\nAB    \r\n2.00\r\n") << "" << "AB    " << "2.00";
        QTest::newRow("nine characters") << QByteArray("123456789\r\nNAME_9\r\n9.99\r\n") << "123456789" << "NAME_9"
                                         << "9.99";
        // The pair would end at byte 17, outside the serial area.
        QTest::newRow("ten characters") << QByteArray("1234567890\r\nXYZ") << "1234567890\r" << "234567"
                                        << "0\r\nX";
        QTest::newRow("no line break") << QByteArray("ABCDEFGHIJKLMNOPQRS") << "ABCDEFGHIJK" << "BCDEFG" << "JKLM";
    }

    void report()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, serial);
        QFETCH(QString, name);
        QFETCH(QString, version);
        BusAuditBuilder().setReportText(text).fill(*session);
        ParseBusConfig(*session);
        QCOMPARE(session->config.serialNumber, serial);
        QCOMPARE(session->config.lockName, name);
        QCOMPARE(session->config.lockVersion, version);
    }

    void keypadVersion_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2.05") << 2 << 5 << "2.05";
        QTest::newRow("1.10") << 1 << 10 << "1.10";
        QTest::newRow("10.00") << 10 << 0 << "10.00";
        QTest::newRow("255.255") << 255 << 255 << "255.255";
    }

    void keypadVersion()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QString, expected);
        BusAuditBuilder().setKeypadVersion(quint8(major), quint8(minor)).fill(*session);
        ParseBusConfig(*session);
        QCOMPARE(session->config.keypadVersion, expected);
    }

    void statusBlock_data()
    {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<int>("timeDelay");
        QTest::addColumn<int>("openWindow");
        QTest::addColumn<bool>("overrideUsers");
        QTest::addColumn<bool>("silentAlarm");
        QTest::addColumn<bool>("preSetup");
        QTest::newRow("BCD 25 and 10, silent alarm") << QByteArray::fromHex("25100404") << 25 << 10 << false << true << false;
        QTest::newRow("BCD 99 and 01, override") << QByteArray::fromHex("99010100") << 99 << 1 << true << false << true;
        QTest::newRow("other s2 and s3 bits") << QByteArray::fromHex("0000fbfb") << 0 << 0 << true << false << true;
        QTest::newRow("only s2 bit 2") << QByteArray::fromHex("0009040400") << 0 << 9 << false << true << false;
    }

    void statusBlock()
    {
        QFETCH(QByteArray, status);
        QFETCH(int, timeDelay);
        QFETCH(int, openWindow);
        QFETCH(bool, overrideUsers);
        QFETCH(bool, silentAlarm);
        QFETCH(bool, preSetup);
        StatusBytes s {};
        std::copy(status.begin(), status.begin() + StatusByteCount, s.begin());
        // The previous audit's values must not survive.
        session->config.silentAlarm = !silentAlarm;
        session->config.preSetup = !preSetup;
        BusAuditBuilder().setStatus(s).fill(*session);
        ParseBusConfig(*session);
        QCOMPARE(int(session->config.timeDelay), timeDelay);
        QCOMPARE(int(session->config.openWindow), openWindow);
        QCOMPARE(session->config.overrideUsers, overrideUsers);
        QCOMPARE(session->config.silentAlarm, silentAlarm);
        QCOMPARE(session->config.preSetup, preSetup);
    }

    void configurationRoundTrip()
    {
        const Config expected = SampleConfig();
        LockDescription lock = LockDescription::FromConfig(expected, DelayEncoding::Bcd);
        lock.name = "VAULT7";
        lock.serialNumber = "A1B2C3";
        lock.lockMajor = 1;
        lock.lockMinor = 5;
        lock.keypadMajor = 3;
        lock.keypadMinor = 2;
        BusAuditBuilder().setLock(lock).fill(*session);
        session->config.downloadTime = QDateTime(QDate(2024, 5, 6), QTime(7, 8), Qt::UTC);
        ParseBusConfig(*session);

        QVERIFY(SameMappedFields(session->config, expected));
        QCOMPARE(session->config.serialNumber, QString("A1B2C3"));
        QCOMPARE(session->config.lockName, QString("VAULT7"));
        QCOMPARE(session->config.lockVersion, QString("1.05"));
        QCOMPARE(session->config.keypadVersion, QString("3.02"));
        QCOMPARE(session->config.downloadTime, QDateTime(QDate(2024, 5, 6), QTime(7, 8), Qt::UTC));
    }
};

QTEST_GUILESS_MAIN(TestBusDecoder)
#include "tst_busdecoder.moc"
