#include "model/LockClock.h"

#include <QTranslator>
#include <QtTest>

// How far the lock's clock was from the computer's, and how that reads in each language.
class LockClockTest : public QObject
{
    Q_OBJECT

    static DecodedAudit newestLockEventAt(qint64 time)
    {
        DecodedAudit audit;
        EventsTable e;
        e.time = e.dstTime = time;
        audit.lockEvents << e;
        EventsTable older = e;
        older.time -= 86400;
        audit.lockEvents << older;
        return audit;
    }

private slots:
    void offset_data()
    {
        QTest::addColumn<qint64>("newest"); // the newest lock event, seconds since 2000
        QTest::addColumn<QDateTime>("computer");
        QTest::addColumn<QString>("offset"); // empty: not known
        const qint64 noon = 768312000; // 2024-05-06 12:00:00
        const QDateTime computer(QDate(2024, 5, 6), QTime(12, 0), Qt::LocalTime);
        QTest::newRow("same") << noon << computer << "0";
        QTest::newRow("lock behind") << noon - 8520 << computer << "-8520";
        QTest::newRow("lock ahead") << noon + 660 << computer << "660";
        // The computer's zone does not count: both are wall clocks.
        QTest::newRow("computer in UTC+2") << noon << QDateTime(QDate(2024, 5, 6), QTime(12, 0), Qt::OffsetFromUTC, 7200) << "0";
        QTest::newRow("no time") << qint64(0) << computer << QString();
        QTest::newRow("no computer time") << noon << QDateTime() << QString();
    }

    void offset()
    {
        QFETCH(qint64, newest);
        QFETCH(QDateTime, computer);
        QFETCH(QString, offset);
        const std::optional<qint64> found = lockclock::Offset(newestLockEventAt(newest), computer);
        QCOMPARE(found ? QString::number(*found) : QString(), offset);
        QVERIFY(!lockclock::Offset(DecodedAudit(), computer));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        const qint64 minute = 60, hour = 3600, day = 86400;
        QTest::newRow("en 1 minute") << "en" << -minute << "1 minute behind the computer's clock";
        QTest::newRow("en 2 hours 22 minutes") << "en" << 2 * hour + 22 * minute << "2 hours 22 minutes ahead of the computer's clock";
        QTest::newRow("en 1 hour 1 minute") << "en" << hour + minute + 59 << "1 hour 1 minute ahead of the computer's clock";
        QTest::newRow("en 1 day 3 hours") << "en" << -(day + 3 * hour + 40 * minute) << "1 day 3 hours behind the computer's clock";
        QTest::newRow("en 2 days") << "en" << 2 * day + 30 * minute << "2 days ahead of the computer's clock";
        QTest::newRow("en same") << "en" << qint64(59) << "Same as the computer's clock";
        QTest::newRow("it 1 minute") << "it" << -minute << "1 minuto indietro rispetto all'orologio del computer";
        QTest::newRow("it 2 hours 22 minutes") << "it" << 2 * hour + 22 * minute << "2 ore 22 minuti avanti rispetto all'orologio del computer";
        QTest::newRow("it 1 day 1 hour") << "it" << day + hour << "1 giorno 1 ora avanti rispetto all'orologio del computer";
        QTest::newRow("es 1 minute") << "es" << minute << "1 minuto adelantado respecto al reloj del ordenador";
        QTest::newRow("es 3 days 1 hour") << "es" << -(3 * day + hour) << "3 días 1 hora atrasado respecto al reloj del ordenador";
        QTest::newRow("es 1 day") << "es" << day << "1 día adelantado respecto al reloj del ordenador";
    }

    void texts()
    {
        QFETCH(QString, language);
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QTranslator catalogue;
        QVERIFY(catalogue.load(QStringLiteral(CORVANE_BINARY_DIR "/audit_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&catalogue);
        QCOMPARE(lockclock::OffsetText(seconds), text);
        QVERIFY(lockclock::WarningText(seconds).contains(lockclock::DifferenceText(seconds)));
        QCoreApplication::removeTranslator(&catalogue);
    }
};

QTEST_GUILESS_MAIN(LockClockTest)
#include "tst_lockclock.moc"
