// Opening hours: the text form in and out, what it refuses, and which audit times lie outside.

#include "model/OpeningHours.h"

#include <QtTest>

namespace {

// "2024-01-08 07:00:00" (a Monday) as audit seconds.
qint64 At(const QString& text)
{
    QDateTime t = QDateTime::fromString(text, "yyyy-MM-dd HH:mm:ss");
    t.setTimeSpec(Qt::UTC);
    return QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC).secsTo(t);
}

} // namespace

class TestOpeningHours : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("canonical");
        QTest::newRow("default") << "Mon-Fri 07:00-20:00" << "Mon-Fri 07:00-20:00";
        QTest::newRow("any case, one-digit hour, loose spaces")
            << "  mon - FRI 7:00 - 20:00 ;SAT 08:00-12:00 " << "Mon-Fri 07:00-20:00; Sat 08:00-12:00";
        QTest::newRow("groups in any order") << "Sat 08:00-12:00; Mon-Fri 07:00-20:00" << "Mon-Fri 07:00-20:00; Sat 08:00-12:00";
        QTest::newRow("ranges sorted") << "Mon 14:00-18:00, 08:00-12:00" << "Mon 08:00-12:00, 14:00-18:00";
        QTest::newRow("touching ranges are one") << "Mon 08:00-12:00,12:00-14:00" << "Mon 08:00-14:00";
        QTest::newRow("whole days") << "Mon-Sun 00:00-24:00" << "Mon-Sun 00:00-24:00";
        QTest::newRow("night hours over two days")
            << "Mon-Fri 22:00-24:00; Tue-Sat 00:00-06:00"
            << "Mon 22:00-24:00; Tue-Fri 00:00-06:00, 22:00-24:00; Sat 00:00-06:00";
        QTest::newRow("a day in two groups")
            << "Mon-Fri 07:00-12:00; Wed 13:00-17:00" << "Mon-Tue 07:00-12:00; Wed 07:00-12:00, 13:00-17:00; Thu-Fri 07:00-12:00";
        QTest::newRow("never open") << "Closed" << "closed";
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, canonical);
        OpeningHours hours;
        QString error;
        QVERIFY2(OpeningHours::Parse(text, &hours, &error), qPrintable(error));
        QCOMPARE(hours.toText(), canonical);
        OpeningHours again = OpeningHours::Default();
        QVERIFY(OpeningHours::Parse(hours.toText(), &again, &error));
        QVERIFY(again == hours);
    }

    void defaultHours()
    {
        QCOMPARE(OpeningHours::Default().toText(), QString("Mon-Fri 07:00-20:00"));
        QCOMPARE(OpeningHours().toText(), QString("closed"));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << "No opening hours are given";
        QTest::newRow("no days") << "07:00-20:00" << "\"07:00-20:00\" does not start with its days";
        QTest::newRow("unknown first day") << "Mo-Fri 07:00-20:00" << "Unknown day \"Mo\"";
        QTest::newRow("days backwards") << "Fri-Mon 07:00-20:00" << "The days Fri-Mon run backwards";
        QTest::newRow("no hours") << "Mon-Fri 07:00-20:00; Sat" << "No hours are given for Sat.";
        QTest::newRow("no end") << "Mon 07:00" << "Bad range \"07:00\"";
        QTest::newRow("stray comma") << "Mon 07:00-12:00," << "Bad range \"07:00-12:00,\"";
        QTest::newRow("minute 60") << "Mon 07:60-20:00" << "Bad time \"07:60\"";
        QTest::newRow("hour 25") << "Mon 07:00-25:00" << "Bad time \"25:00\"";
        QTest::newRow("24:00 as a start") << "Mon 24:00-24:00" << "Bad time \"24:00\"";
        QTest::newRow("not a time") << "Mon 7h-20h" << "Bad time \"7h\"";
        QTest::newRow("across midnight") << "Mon 20:00-07:00" << "The range 20:00-07:00 does not end after it starts";
        QTest::newRow("overlap") << "Mon 08:00-12:00, 11:00-13:00" << "The ranges 08:00-12:00 and 11:00-13:00 overlap on Mon.";
        QTest::newRow("overlap across groups")
            << "Mon-Fri 08:00-12:00; Wed 09:00-10:00" << "The ranges 08:00-12:00 and 09:00-10:00 overlap on Wed.";
    }

    void refused()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        OpeningHours hours = OpeningHours::Default();
        QString error;
        QVERIFY(!OpeningHours::Parse(text, &hours, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(hours == OpeningHours::Default());
    }

    void outside_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("closed"); // days, comma-separated
        QTest::addColumn<qint64>("time");
        QTest::addColumn<bool>("outside");
        const QString def = "Mon-Fri 07:00-20:00";
        QTest::newRow("at the start") << def << "" << At("2024-01-08 07:00:00") << false;
        QTest::newRow("a second before the start") << def << "" << At("2024-01-08 06:59:59") << true;
        QTest::newRow("a second before the end") << def << "" << At("2024-01-12 19:59:59") << false;
        QTest::newRow("at the end") << def << "" << At("2024-01-12 20:00:00") << true;
        QTest::newRow("saturday") << def << "" << At("2024-01-13 10:00:00") << true;
        QTest::newRow("a closed day") << def << "2024-01-01,2024-01-08" << At("2024-01-08 10:00:00") << true;
        QTest::newRow("the day after a closed day") << def << "2024-01-08" << At("2024-01-09 10:00:00") << false;
        QTest::newRow("between two ranges") << "Mon 08:00-12:00, 14:00-18:00" << "" << At("2024-01-08 12:30:00") << true;
        QTest::newRow("last second of a whole day") << "Mon 00:00-24:00" << "" << At("2024-01-08 23:59:59") << false;
        QTest::newRow("the next midnight") << "Mon 00:00-24:00" << "" << At("2024-01-09 00:00:00") << true;
        QTest::newRow("never open") << "closed" << "" << At("2024-01-08 10:00:00") << true;
        QTest::newRow("no time") << def << "" << qint64(0) << false;
        QTest::newRow("a clock never set") << def << "" << At("2000-06-03 03:00:00") << false;
        // Before 2000 the seconds are negative: the day must still be the right one.
        QTest::newRow("friday 1999, at night") << def << "" << At("1999-12-31 03:00:00") << true;
        QTest::newRow("beyond the calendar") << "closed" << "" << qint64(3000000) * 86400 << false;
    }

    void outside()
    {
        QFETCH(QString, hours);
        QFETCH(QString, closed);
        QFETCH(qint64, time);
        QFETCH(bool, outside);
        OpeningHours h;
        QString error;
        QVERIFY2(OpeningHours::Parse(hours, &h, &error), qPrintable(error));
        ClosedDays days;
        for (const QString& d : closed.split(',', Qt::SkipEmptyParts))
            days.insert(QDate::fromString(d, "yyyy-MM-dd"));
        QCOMPARE(h.isOutside(time, days), outside);
    }
};

QTEST_GUILESS_MAIN(TestOpeningHours)
#include "tst_openinghours.moc"
