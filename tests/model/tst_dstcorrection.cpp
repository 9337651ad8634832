#include "DstCorrection.h"

#include <QtTest>

// Events oldest first as "2021-03-28 00:00", optionally followed by the event code in hex ("e2"
// is "Time changed"); "none" has no time.
static EventsTable Event(const QString& text)
{
    const QStringList parts = text.split(' ');
    EventsTable e;
    if (parts.first() != "none") {
        QDateTime t = QDateTime::fromString(parts.mid(0, 2).join(' '), "yyyy-MM-dd hh:mm");
        t.setTimeSpec(Qt::UTC);
        e.time = t.toSecsSinceEpoch() - 946684800;
    }
    e.dstTime = e.time + 7; // a previous pass left this
    e.dstMarked = true;
    e.event = parts.size() > 2 ? parts[2].toInt(nullptr, 16) : 0x01;
    return e;
}

static QList<EventsTable> Events(const QStringList& oldestFirst) // newest first, as the merged list holds them
{
    QList<EventsTable> events;
    for (const QString& text : oldestFirst)
        events.prepend(Event(text));
    return events;
}

// Per event, oldest first: the correction in minutes, "*" when marked.
static QStringList Result(const QList<EventsTable>& merged)
{
    QStringList result;
    for (const EventsTable& e : merged) {
        const qint64 minutes = (e.dstTime - e.time) / 60;
        result.prepend((minutes > 0 ? "+" : "") + QString::number(minutes) + (e.dstMarked ? "*" : ""));
    }
    return result;
}

Q_DECLARE_METATYPE(DstRule)

const DstRule Europe { 5, 0, 3, 5, 0, 10, false, 3600 }; // last Sunday of March to last Sunday of October, +1 h

class TestDstCorrection : public QObject
{
    Q_OBJECT

private slots:
    void findDay()
    {
        const struct { int year, month, weekday, n, day; } cases[] = {
            { 2021, 3, 0, 5, 28 }, { 2021, 10, 0, 5, 31 }, { 2021, 2, 1, 5, 22 }, { 2021, 3, 0, 0, -1 },
            { 2021, 3, 0, 6, -1 }, { 2021, 3, 7, 5, 28 }, { 2021, 8, 0, 1, 1 }, { 2021, 8, 0, 5, 29 },
            { 2020, 2, 6, 5, 29 }, { 2021, 2, 6, 5, 27 }, { 2021, 3, 1, 2, 8 }, { 2021, 3, -1, 1, -1 },
            { 2021, 13, 0, 1, -1 } };
        for (const auto& c : cases)
            QVERIFY2(FindDay(c.year, c.month, c.weekday, c.n) == c.day,
                     qPrintable(QString("%1-%2 weekday %3 n %4").arg(c.year).arg(c.month).arg(c.weekday).arg(c.n)));
    }

    void pass_data()
    {
        QTest::addColumn<DstRule>("rule");
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("expected");
        const QStringList inAndOut { "2021-05-01 10:00", "2021-11-05 10:00" };
        QTest::newRow("no reference: start inclusive, end exclusive, all marked") << Europe << QStringList()
            << QStringList { "2021-03-27 23:59", "2021-03-28 00:00", "2021-10-30 23:59", "2021-10-31 00:00" } << -1
            << QStringList { "0*", "+60*", "+60*", "0*" };
        QTest::newRow("no time is marked, the year 2000 left alone") << Europe << QStringList()
            << QStringList { "none", "2000-06-01 10:00", "2021-07-01 12:00" } << -1 << QStringList { "0*", "0", "+60*" };
        QTest::newRow("clock set in the period: the others move back") << Europe << QStringList { "2021-04-10 09:00 e2" }
            << inAndOut << -1 << QStringList { "0", "-60" };
        QTest::newRow("clock set outside the period") << Europe << QStringList { "2021-02-01 09:00 e2" } << inAndOut << -1
            << QStringList { "+60", "0" };
        QTest::newRow("the most recent earlier setting decides (in)") << Europe
            << QStringList { "2021-02-01 09:00 e2", "2021-04-10 09:00 e2" } << inAndOut << -1 << QStringList { "0", "-60" };
        QTest::newRow("the most recent earlier setting decides (out)") << Europe
            << QStringList { "2021-04-10 09:00 e2", "2021-11-01 09:00 e2" }
            << QStringList { "2021-11-05 10:00", "2022-05-01 10:00" } << -1 << QStringList { "0", "+60" };
        QTest::newRow("later settings and other codes do not count") << Europe
            << QStringList { "2021-03-01 09:00 e0", "2021-03-02 09:00 e1", "2021-06-01 09:00 e2" }
            << QStringList { "2021-05-01 10:00" } << -1 << QStringList { "+60*" };
        QTest::newRow("a setting in the list takes over") << Europe << QStringList()
            << QStringList { "2021-02-01 10:00", "2021-04-10 09:00 e2", "2021-05-01 10:00", "2021-11-05 10:00" } << -1
            << QStringList { "0*", "0", "0", "-60" };
        QTest::newRow("a summer setting holds over the new year") << Europe << QStringList { "2021-07-01 09:00 e2" }
            << QStringList { "2021-12-31 23:30", "2022-01-01 00:30", "2022-05-01 10:00" } << -1
            << QStringList { "-60", "-60", "0" };
        QTest::newRow("subtract half an hour") << DstRule { 5, 0, 3, 5, 0, 10, true, 1800 } << QStringList() << inAndOut
            << -1 << QStringList { "-30*", "0*" };
        QTest::newRow("start after end: never in the period") << DstRule { 5, 0, 10, 5, 0, 3, false, 3600 }
            << QStringList() << QStringList { "2021-01-10 10:00", "2021-05-01 10:00", "2021-12-01 10:00" } << -1
            << QStringList { "0*", "0*", "0*" };
        QTest::newRow("only the table's rows, the newest") << Europe << QStringList()
            << QStringList { "2021-05-01 10:00", "2021-05-02 10:00", "2021-05-03 10:00" } << 2
            << QStringList { "0", "+60*", "+60*" };
    }

    // Every pass starts from the lock's own times, so the earlier state (dstTime + 7 s, marked) never shows.
    void pass()
    {
        QFETCH(DstRule, rule);
        QFETCH(QStringList, table);
        QFETCH(QStringList, events);
        QFETCH(int, rows);
        QFETCH(QStringList, expected);
        QList<EventsTable> timeDate;
        for (const QString& t : table)
            timeDate << Event(t);
        QList<EventsTable> merged = Events(events);
        ApplyDstCorrection(merged, rows < 0 ? merged.size() : rows, timeDate, rule);
        QCOMPARE(Result(merged), expected);
    }

    void repeatedPassDependsOnlyOnItsRule()
    {
        const QStringList events { "2021-02-01 10:00", "2021-05-01 10:00", "2021-11-05 10:00" };
        const DstRule other { 1, 0, 4, 1, 0, 11, true, 7200 };
        QList<EventsTable> once = Events(events), twice = Events(events), switched = Events(events);
        ApplyDstCorrection(once, 3, {}, Europe);
        ApplyDstCorrection(twice, 3, {}, Europe);
        ApplyDstCorrection(twice, 3, {}, Europe);
        ApplyDstCorrection(switched, 3, {}, other);
        QCOMPARE(Result(twice), Result(once));
        ApplyDstCorrection(switched, 3, {}, Europe);
        QCOMPARE(Result(switched), Result(once));
        QCOMPARE(Result(once), (QStringList { "0*", "+60*", "0*" }));
    }
};

QTEST_GUILESS_MAIN(TestDstCorrection)
#include "tst_dstcorrection.moc"
