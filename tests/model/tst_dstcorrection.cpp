#include "model/DstCorrection.h"

#include <QtTest>

// Events oldest first, ";" between them: "2021-03-28 00:00", then the code in hex if not 01 ("e2" is
// "Time changed"); "none" has no time. A previous pass left each one marked and 7 s off.
static QList<EventsTable> Events(const QString& oldestFirst)
{
    QList<EventsTable> events;
    for (const QString& text : oldestFirst.split(';', Qt::SkipEmptyParts)) {
        const QStringList parts = text.trimmed().split(' ');
        EventsTable e;
        QDateTime t = QDateTime::fromString(parts.mid(0, 2).join(' '), "yyyy-MM-dd hh:mm");
        t.setTimeSpec(Qt::UTC);
        e.time = parts[0] == "none" ? 0 : t.toSecsSinceEpoch() - 946684800;
        e.dstTime = e.time + 7, e.dstMarked = true;
        e.event = parts.size() > 2 ? parts[2].toInt(nullptr, 16) : 0x01;
        events.prepend(e); // newest first, as the merged list holds them
    }
    return events;
}

// Per event, oldest first: the correction in minutes, "*" when marked.
static QString Result(const QList<EventsTable>& merged)
{
    QStringList result;
    for (const EventsTable& e : merged)
        result.prepend(QString::asprintf("%+lld", (e.dstTime - e.time) / 60).replace("+0", "0") + (e.dstMarked ? "*" : ""));
    return result.join(' ');
}

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
            { 2020, 2, 6, 5, 29 }, { 2021, 2, 6, 5, 27 }, { 2021, 3, 1, 2, 8 }, { 2021, 3, -1, 1, -1 }, { 2021, 13, 0, 1, -1 } };
        for (const auto& c : cases)
            QVERIFY2(FindDay(c.year, c.month, c.weekday, c.n) == c.day, qPrintable(QString::asprintf("%d-%d %d %d", c.year, c.month, c.weekday, c.n)));
    }

    // Each pass starts from the lock's own times: the earlier state never shows.
    void pass()
    {
        const QString inAndOut = "2021-05-01 10:00; 2021-11-05 10:00";
        const struct { const char* what; DstRule rule; const char* table; QString events; int rows; const char* expected; } cases[] = {
            { "no reference: start inclusive, end exclusive", Europe, "",
              "2021-03-27 23:59; 2021-03-28 00:00; 2021-10-30 23:59; 2021-10-31 00:00", -1, "0* +60* +60* 0*" },
            { "no time is marked, the year 2000 left alone", Europe, "", "none; 2000-06-01 10:00; 2021-07-01 12:00", -1, "0* 0 +60*" },
            { "before 2000, judged like any other date", Europe, "", "1999-05-01 10:00; 1999-11-05 10:00", -1, "+60* 0*" },
            { "a clock set in the summer of 1999", Europe, "1999-04-10 09:00 e2", "1999-05-01 10:00; 1999-11-05 10:00", -1, "0 -60" },
            { "clock set in the period: the others move back", Europe, "2021-04-10 09:00 e2", inAndOut, -1, "0 -60" },
            { "clock set outside the period", Europe, "2021-02-01 09:00 e2", inAndOut, -1, "+60 0" },
            { "the most recent earlier setting decides (in)", Europe, "2021-02-01 09:00 e2; 2021-04-10 09:00 e2", inAndOut, -1, "0 -60" },
            { "the most recent earlier setting decides (out)", Europe, "2021-04-10 09:00 e2; 2021-11-01 09:00 e2",
              "2021-11-05 10:00; 2022-05-01 10:00", -1, "0 +60" },
            { "later settings and other codes do not count", Europe, "2021-03-01 09:00 e0; 2021-03-02 09:00 e1; 2021-06-01 09:00 e2",
              "2021-05-01 10:00", -1, "+60*" },
            { "a setting in the list takes over", Europe, "",
              "2021-02-01 10:00; 2021-04-10 09:00 e2; 2021-05-01 10:00; 2021-11-05 10:00", -1, "0* 0 0 -60" },
            { "a summer setting holds over the new year", Europe, "2021-07-01 09:00 e2", "2022-01-01 00:30; 2022-05-01 10:00", -1, "-60 0" },
            { "subtract half an hour", { 5, 0, 3, 5, 0, 10, true, 1800 }, "", inAndOut, -1, "-30* 0*" },
            { "start after end: never in the period", { 5, 0, 10, 5, 0, 3, false, 3600 }, "",
              "2021-01-10 10:00; 2021-05-01 10:00; 2021-12-01 10:00", -1, "0* 0* 0*" },
            { "only the table's rows, the newest", Europe, "", "2021-05-01 10:00; 2021-05-02 10:00; 2021-05-03 10:00", 2, "0 +60* +60*" } };
        for (const auto& c : cases) {
            QList<EventsTable> timeDate = Events(c.table);
            std::reverse(timeDate.begin(), timeDate.end()); // the table is held oldest first
            QList<EventsTable> merged = Events(c.events);
            ApplyDstCorrection(merged, c.rows < 0 ? merged.size() : c.rows, timeDate, c.rule);
            QVERIFY2(Result(merged) == c.expected, qPrintable(QString(c.what) + ": " + Result(merged)));
        }
    }
};

QTEST_GUILESS_MAIN(TestDstCorrection)
#include "tst_dstcorrection.moc"
