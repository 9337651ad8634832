#include "AuditFixtures.h"

#include <QtTest>

#include <memory>

using fixtures::At;

class TestBusDecoder : public QObject
{
    Q_OBJECT

    std::unique_ptr<AuditSession> session;

private slots:
    void init() { session = std::make_unique<AuditSession>(); }

    void eventRecords()
    {
        // Download order, not sorted; a date that is none (month 0, 29 February 2023) gives time 0.
        BusAuditBuilder().addEvent(BusDate { 24, 2, 29, 23, 59, 59 }, 0x21, 5).addEvent(BusDate { 21, 0, 1 }, 0x30, 61)
            .addEvent(BusDate { 23, 2, 29 }, 0x68, 2).addEvent(BusDate { 0, 1, 1, 0, 0, 7 }, 5, 1).fill(*session);
        const DecodedAudit audit = DecodeBusAudit(*session);
        QVERIFY(audit.keypadEvents.isEmpty());
        const QList<EventsTable>& e = audit.lockEvents;
        QCOMPARE(e.size(), 4);
        QCOMPARE(QList<qint64>({ e[0].time, e[0].dstTime, e[1].time, e[2].time, e[3].time }),
                 QList<qint64>({ At(2024, 2, 29, 23, 59, 59), At(2024, 2, 29, 23, 59, 59), 0, 0, 7 }));
        QCOMPARE(QList<int>({ e[1].event, e[1].user, e[1].device, e[1].prevEvent, e[1].prevUser, e[0].prevEvent }),
                 QList<int>({ 0x30, 61, 1, 0x21, 5, -1 }));
    }

    void recordsEndAtAnAllZeroRecordOrTheCapacity()
    {
        for (int count : { 0, 3, AuditSession::BusRecordCapacity + 1 }) {
            BusAuditBuilder builder;
            for (int i = 0; i < count; ++i)
                builder.addEvent(qint64(i) * 60, quint8(i), 1);
            // Bytes lie right after a full buffer, where a loop without the cap would go on.
            builder.setTimeDateEntry(0, 600, 0x70, 1).fill(*session);
            QCOMPARE(DecodeBusEvents(*session).size(), qMin(count, AuditSession::BusRecordCapacity));
            QCOMPARE(session->busRecordCount(), qMin(count, AuditSession::BusRecordCapacity));
        }
    }

    void timeDateTableSorted()
    {
        const qint64 y2019 = At(2019, 6, 1, 8, 0), y2020 = At(2020, 1, 1, 0, 0), y2021 = At(2021, 6, 1, 9, 0);
        BusAuditBuilder().setTimeDateEntry(0, y2021, 1, 1).setTimeDateEntry(2, y2019, 2, 2)
            .setTimeDateEntry(5, y2020, 3, 3).fill(*session);
        QList<qint64> entries;
        for (const EventsTable& e : DecodeBusTimeDateTable(*session))
            entries << e.time << e.event << e.user;
        QCOMPARE(entries, QList<qint64>({ y2019, 2, 2, y2020, 3, 3, y2021, 1, 1 }));
    }

    void report()
    {
        // Report bytes from byte 6 on; the CR LF must stand within bytes 6 to 16.
        const std::pair<QByteArray, QString> cases[] = { { "123456\r\nVAULT1\r\n1.05\r\n", "123456|VAULT1|1.05" },
            { "123456789\r\nNAME_9\r\n9.99\r\n", "123456789|NAME_9|9.99" },
            { "1234567890\r\nXYZ", "1234567890\r|234567|0\r\nX" }, { "ABCDEFGHIJKLMNOP", "ABCDEFGHIJK|BCDEFG|JKLM" } };
        for (const auto& [text, expected] : cases) {
            BusAuditBuilder().setReportText(text).fill(*session);
            const Config c = DecodeBusConfig(*session);
            QCOMPARE(c.serialNumber + '|' + c.lockName + '|' + c.lockVersion, expected);
        }
    }

    void statusVersionAndConfiguration()
    {
        // Time delay and open window in packed decimal, override users, silent alarm, pre-setup.
        const std::pair<StatusBytes, QList<int>> cases[] = { { { 0x25, 0x10, 0x04, 0x04 }, { 25, 10, 0, 1, 0 } },
            { { 0x99, 0x01, 0x01, 0x00 }, { 99, 1, 1, 0, 1 } }, { { 0x00, 0x00, 0xFB, 0xFB }, { 0, 0, 1, 0, 1 } } };
        Config c;
        session->downloadTime = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
        for (const auto& [status, expected] : cases) {
            BusAuditBuilder().setStatus(status).setKeypadVersion(2, 5)
                .setConfiguration(EncodeConfigurationBytes(fixtures::SampleConfig())).fill(*session);
            c = DecodeBusConfig(*session);
            QCOMPARE(QList<int>({ c.timeDelay, c.openWindow, c.overrideUsers, c.silentAlarm, c.preSetup }), expected);
        }
        QCOMPARE(c.keypadVersion, QStringLiteral("2.05"));
        QCOMPARE(c.downloadTime, session->downloadTime);
        QCOMPARE(QList<int>({ c.activeConfiguration, c.userStatus[81], c.openingMode[81] }), QList<int>({ 3, 1, 3 }));
    }
};

QTEST_GUILESS_MAIN(TestBusDecoder)
#include "tst_busdecoder.moc"
