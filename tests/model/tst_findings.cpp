// The findings of a lock's history. Events are written oldest first, ";" between them:
// "[yyyy-MM-dd] HH:mm[:ss] WHAT [uUSER] [vVISIT] [dst+MINUTES]", "none" for no time, "|" for a gap
// before the next event; the day carries over from the event before (at first Monday 2024-01-08,
// a day in the default hours). Findings are written as listed: "key first[-last][/events]", events
// numbered from 1 oldest first.

#include "model/Findings.h"

#include <QtTest>

#include <map>

namespace {

const QMap<QString, EventCode> codeNames = {
    { "open", EventCode::BoltOpen },          { "openlb", EventCode::BoltOpenLowBattery },
    { "remote", EventCode::BoltOpenRemote },  { "duress", EventCode::SilentAlarmCode },
    { "wrong", EventCode::WrongTry },         { "timedate", EventCode::TimeAndDateChanged },
    { "date", EventCode::DateChanged },       { "clock", EventCode::TimeChanged },
    { "door+", EventCode::DoorOpened },       { "door-", EventCode::DoorClosed },
    { "delays", EventCode::DelaysChanged },   { "power", EventCode::PowerReEnabled },
    { "powerother", EventCode::PowerReEnabledOther }, { "cpu", EventCode::CpuRestart },
    { "cpuother", EventCode::CpuRestartOther }, { "reset", EventCode::LockReset },
    { "factory", EventCode::FactoryReset },   { "code", EventCode::ValidCode },
};

qint64 Seconds(const QDate& day, const QTime& time)
{
    return QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC).secsTo(QDateTime(day, time, Qt::UTC));
}

void Number(QVector<FindingEvent>& events)
{
    for (int i = 0; i < events.size(); ++i)
        events[i].position = events.size() - i;
}

QVector<FindingEvent> Events(const QString& oldestFirst)
{
    QVector<FindingEvent> out;
    QDate day(2024, 1, 8);
    bool gap = false;
    for (const QString& token : oldestFirst.split(';', Qt::SkipEmptyParts)) {
        if (token.trimmed() == "|") {
            gap = true;
            continue;
        }
        const QStringList parts = token.split(' ', Qt::SkipEmptyParts);
        int k = 0;
        if (parts[k].count('-') == 2)
            day = QDate::fromString(parts[k++], "yyyy-MM-dd");
        FindingEvent e;
        const QString time = parts[k++];
        if (time != "none")
            e.time = Seconds(day, QTime::fromString(time, time.size() > 5 ? "HH:mm:ss" : "HH:mm"));
        e.event = quint8(codeNames.value(parts[k++]));
        e.user = 3;
        e.visit = 1;
        for (; k < parts.size(); ++k) {
            if (parts[k].startsWith("dst+"))
                e.dstShift = 60 * parts[k].mid(4).toInt();
            else if (parts[k].startsWith('u'))
                e.user = quint8(parts[k].mid(1).toInt());
            else if (parts[k].startsWith('v'))
                e.visit = parts[k].mid(1).toInt();
        }
        e.gapBefore = gap;
        gap = false;
        out.append(e);
    }
    Number(out);
    return out;
}

QString Listed(const QVector<Finding>& found, int count)
{
    QStringList out;
    for (const Finding& f : found) {
        QString s = FindingKeyName(f.key);
        if (f.first)
            s += ' ' + QString::number(count - f.first + 1);
        if (f.last)
            s += '-' + QString::number(count - f.last + 1);
        if (f.events > 1)
            s += '/' + QString::number(f.events);
        out << s;
    }
    return out.join(", ");
}

// Everything a finding says, for comparing whole lists.
QString Full(const QVector<Finding>& found)
{
    QStringList out;
    for (const Finding& f : found)
        out << QString::asprintf("%d %d-%d %lld-%lld e%d u%d n%d v%d", int(f.key), f.first, f.last, f.date, f.until,
                                 f.event, f.user, f.events, f.visit);
    return out.join('\n');
}

QString Judged(const QString& events, const FindingRules& rules = FindingRules())
{
    const QVector<FindingEvent> e = Events(events);
    return Listed(JudgeHistory(e, LatestVisit(), QDate(), rules), e.size());
}

} // namespace

class TestFindings : public QObject
{
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("findings");
        QTest::newRow("duress") << "10:00 duress; 10:01 code" << "duress 1";
        QTest::newRow("hours: start and end instants")
            << "06:59:59 open; 07:00 open; 19:59:59 openlb; 20:00 remote" << "outside-hours 4, outside-hours 1";
        QTest::newRow("hours: no time") << "none open" << "";

        QTest::newRow("wrong: exactly 5") << "10:00 wrong; 10:01 wrong; 10:02 wrong; 10:03 wrong; 10:04 wrong"
                                          << "wrong-codes 1-5/5";
        QTest::newRow("wrong: 4") << "10:00 wrong; 10:01 wrong; 10:02 wrong; 10:03 wrong" << "";
        QTest::newRow("wrong: 10 minutes apart") << "10:00 wrong; 10:10 wrong; 10:20 wrong; 10:30 wrong; 10:40 wrong"
                                                 << "wrong-codes 1-5/5";
        QTest::newRow("wrong: 10 minutes and 1 s")
            << "10:00 wrong; 10:10:01 wrong; 10:11 wrong; 10:12 wrong; 10:13 wrong; 10:14 wrong" << "wrong-codes 2-6/5";
        QTest::newRow("wrong: other events between")
            << "10:00 wrong; 10:01 code; 10:02 wrong; 10:03 open; 10:04 wrong; 10:05 wrong; 10:06 wrong" << "wrong-codes 1-7/5";
        QTest::newRow("wrong: a gap inside") << "10:00 wrong; 10:01 wrong; 10:02 wrong; |; 10:03 wrong; 10:04 wrong; 10:05 wrong"
                                             << "missing 3-4";
        QTest::newRow("wrong: times going back")
            << "10:00 wrong; 10:01 wrong; 10:02 wrong; 09:00 wrong; 09:01 wrong; 09:02 wrong" << "";
        QTest::newRow("wrong: two bursts") << "10:00 wrong; 10:01 wrong; 10:02 wrong; 10:03 wrong; 10:04 wrong; 10:30 wrong; "
                                              "10:31 wrong; 10:32 wrong; 10:33 wrong; 10:34 wrong; 10:35 wrong"
                                           << "wrong-codes 6-11/6, wrong-codes 1-5/5";

        QTest::newRow("clock set") << "10:00 timedate; 10:01 date; 10:02 clock" << "clock-set 3, clock-set 2, clock-set 1";
        QTest::newRow("open 60 minutes after") << "10:00 clock; 11:00 open" << "clock-then-open 2, clock-set 1";
        QTest::newRow("open 60 minutes and 1 s after") << "10:00 clock; 11:00:01 open" << "clock-set 1";
        QTest::newRow("open at the same second") << "10:00 clock; 10:00 open" << "clock-then-open 2, clock-set 1";
        QTest::newRow("open before the setting") << "10:00 open; 10:00 clock" << "clock-set 2";
        QTest::newRow("clock set back between setting and opening")
            << "10:00 clock; 08:00 clock; 10:30 open" << "clock-then-open 3, clock-set 2, clock-set 1";
        QTest::newRow("opening recorded before the setting's time") << "10:00 clock; 09:50 open" << "clock-set 1";
        QTest::newRow("clock setting before a gap") << "10:00 clock; |; 10:30 open" << "missing 1-2, clock-set 1";
        QTest::newRow("ties in the keys' order") << "19:30 clock; 20:10 open" << "outside-hours 2, clock-then-open 2, clock-set 1";

        QTest::newRow("door forced") << "10:00 door-; 10:05 door+" << "door-forced 2";
        QTest::newRow("door: an opening between") << "10:00 door-; 10:01 open; 10:02 door+" << "";
        QTest::newRow("door: an opening before the close") << "10:00 open; 10:01 door-; 10:02 door+" << "door-forced 3";
        QTest::newRow("door: first in its run") << "10:00 door+" << "";
        QTest::newRow("door: first after a gap") << "10:00 door-; |; 10:05 door+" << "missing 1-2";
        QTest::newRow("door: after another opened") << "10:00 door+; 10:01 door+" << "";
        QTest::newRow("held: 30 minutes") << "10:00 door+; 10:30 door-" << "";
        QTest::newRow("held: 30 minutes and 1 s") << "10:00 door+; 10:30:01 door-" << "door-held 1-2/2";
        QTest::newRow("held: next door event opened again")
            << "10:00 door+; 10:05 door+; 11:00 door-" << "door-held 2-3/2";
        QTest::newRow("held: a gap between") << "10:00 door+; |; 11:00 door-" << "missing 1-2";
        QTest::newRow("forced and held") << "10:00 door-; 10:01 door+; 11:00 door-" << "door-forced 2, door-held 2-3/2";

        QTest::newRow("delays, restarts, resets")
            << "10:00 delays; 10:01 power; 10:02 powerother; 10:03 cpu; 10:04 cpuother; 10:05 reset; 10:06 factory"
            << "reset 7, reset 6, restart 5, restart 4, restart 3, restart 2, delays 1";
        QTest::newRow("missing at its gap") << "10:00 duress; |; 10:05 duress; |; 10:06 code"
                                            << "missing 2-3, duress 2, missing 1-2, duress 1";
        QTest::newRow("no gap before the first event") << "|; 10:00 duress" << "duress 1";
    }

    void rules()
    {
        QFETCH(QString, events);
        QFETCH(QString, findings);
        QCOMPARE(Judged(events), findings);
    }

    void settings_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("closed");
        QTest::addColumn<QString>("thresholds"); // wrong codes, clock, door
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("findings");
        const QString opens = "07:30 open; 08:30 open; 09:00 open";
        QTest::newRow("default hours") << "" << "" << "" << "" << opens << "";
        QTest::newRow("the lock's own hours") << "Mon 08:00-09:00" << "" << "" << "" << opens << "outside-hours 3, outside-hours 1";
        QTest::newRow("a closed day") << "" << "2024-01-08" << "" << "" << "10:00 open; 2024-01-09 10:00 open" << "outside-hours 1";
        QTest::newRow("corrected into hours") << "" << "" << "" << "" << "06:30 open dst+60" << "";
        QTest::newRow("corrected out of hours") << "" << "" << "" << "" << "19:30 open dst+60" << "outside-hours 1";
        QTest::newRow("3 wrong codes in 5 minutes") << "" << "" << "3/5 60 30" << "" << "10:00 wrong; 10:05 wrong; 10:10 wrong"
                                                    << "wrong-codes 1-3/3";
        QTest::newRow("5 minutes and 1 s") << "" << "" << "3/5 60 30" << "" << "10:00 wrong; 10:05:01 wrong; 10:06 wrong" << "";
        QTest::newRow("10 minutes after a clock setting")
            << "" << "" << "5/10 10 30" << "" << "10:00 clock; 10:10 open; 11:00 clock; 11:10:01 open"
            << "clock-set 3, clock-then-open 2, clock-set 1";
        QTest::newRow("door open 5 minutes") << "" << "" << "5/10 60 5" << "" << "10:00 door+; 10:05:01 door-; 10:05:30 open; 10:06 door+; 10:11 door-"
                                             << "door-held 1-2/2";
        QTest::newRow("wanted keys only") << "" << "" << "" << "duress,door-held"
                                          << "10:00 duress; 10:01 clock; 10:02 door+; 11:00 door-; |; 12:00 reset"
                                          << "door-held 3-4/2, duress 1";
    }

    void settings()
    {
        QFETCH(QString, hours);
        QFETCH(QString, closed);
        QFETCH(QString, thresholds);
        QFETCH(QString, keys);
        QFETCH(QString, events);
        QFETCH(QString, findings);
        FindingRules rules;
        QString error;
        if (!hours.isEmpty())
            QVERIFY2(OpeningHours::Parse(hours, &rules.hours, &error), qPrintable(error));
        for (const QString& d : closed.split(',', Qt::SkipEmptyParts))
            rules.closedDays.insert(QDate::fromString(d, "yyyy-MM-dd"));
        if (!thresholds.isEmpty()) {
            const QStringList t = thresholds.split(' ');
            QVERIFY(SetThreshold(&rules.thresholds, Threshold::WrongCodes, t[0], &error));
            QVERIFY(SetThreshold(&rules.thresholds, Threshold::ClockMinutes, t[1], &error));
            QVERIFY(SetThreshold(&rules.thresholds, Threshold::DoorMinutes, t[2], &error));
        }
        if (!keys.isEmpty())
            QVERIFY2(FindingKeys::Parse(keys, &rules.keys, &error), qPrintable(error));
        QCOMPARE(Judged(events, rules), findings);
    }

    void notVisited_data()
    {
        QTest::addColumn<int>("visit");
        QTest::addColumn<QDateTime>("downloaded");
        QTest::addColumn<QDate>("at");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("findings");
        const QDateTime visited(QDate(2024, 1, 1), QTime(12, 0));
        QTest::newRow("180 days") << 3 << visited << QDate(2024, 6, 29) << "" << "duress 1";
        QTest::newRow("181 days, listed first") << 3 << visited << QDate(2024, 6, 30) << "" << "not-visited, duress 1";
        QTest::newRow("never visited") << 0 << QDateTime() << QDate(2030, 1, 1) << "" << "duress 1";
        QTest::newRow("not wanted") << 3 << visited << QDate(2030, 1, 1) << "duress" << "duress 1";
    }

    void notVisited()
    {
        QFETCH(int, visit);
        QFETCH(QDateTime, downloaded);
        QFETCH(QDate, at);
        QFETCH(QString, keys);
        QFETCH(QString, findings);
        FindingRules rules;
        QString error;
        if (!keys.isEmpty())
            QVERIFY(FindingKeys::Parse(keys, &rules.keys, &error));
        const QVector<Finding> found = JudgeHistory(Events("2024-01-08 10:00 duress"), { visit, downloaded }, at, rules);
        QCOMPARE(Listed(found, 1), findings);
        if (found.first().key == FindingKey::NotVisited) {
            QCOMPARE(found.first().visit, visit);
            QCOMPARE(found.first().visited, downloaded);
        }
    }

    // One audit: the flags of gaps mean nothing, and no visit is named.
    void singleAudit()
    {
        const QVector<FindingEvent> events = Events("10:00 door- v2; |; 10:05 door+ v2; 10:06 duress v2");
        const QVector<Finding> found = JudgeAudit(events, FindingRules());
        QCOMPARE(Listed(found, events.size()), QString("duress 3, door-forced 2"));
        for (const Finding& f : found)
            QCOMPARE(f.visit, 0);
        QCOMPARE(JudgeHistory(events, LatestVisit(), QDate(), FindingRules()).first().visit, 2);
    }

    // Findings of a whole history are the findings of each of its stretches judged alone, in the
    // same order.
    void unionOfRuns()
    {
        const QList<EventCode> codes = { EventCode::BoltOpen, EventCode::BoltOpenRemote, EventCode::SilentAlarmCode,
                                         EventCode::WrongTry, EventCode::WrongTry, EventCode::WrongTry,
                                         EventCode::WrongTry, EventCode::TimeChanged, EventCode::DateChanged,
                                         EventCode::DoorOpened, EventCode::DoorClosed, EventCode::DoorOpened,
                                         EventCode::DoorClosed, EventCode::DelaysChanged, EventCode::CpuRestart,
                                         EventCode::LockReset, EventCode::ValidCode };
        QRandomGenerator rng(20240108);
        FindingRules rules;
        rules.thresholds.wrongCodes = 3;
        rules.keys = FindingKeys::All().remove(FindingKey::Missing);
        std::map<FindingKey, int> seen;
        for (int history = 0; history < 300; ++history) {
            QVector<FindingEvent> events(int(rng.bounded(1, 200)));
            qint64 t = Seconds(QDate(2024, 1, 8), QTime(6, 0));
            for (FindingEvent& e : events) {
                t += rng.bounded(-600, 1500); // now and then a clock set back
                e.time = rng.bounded(50) == 0 ? 0 : t;
                e.event = quint8(codes[int(rng.bounded(codes.size()))]);
                e.user = quint8(rng.bounded(100));
                e.visit = 1 + int(rng.bounded(3));
                e.gapBefore = rng.bounded(25) == 0;
            }
            Number(events);
            const QVector<Finding> whole = JudgeHistory(events, LatestVisit(), QDate(), rules);

            // Stretches newest first, as their findings are listed.
            QVector<Finding> stretches;
            int end = events.size();
            for (int start = events.size() - 1; start >= 0; --start) {
                if (start > 0 && !events[start].gapBefore)
                    continue;
                QVector<FindingEvent> alone = events.mid(start, end - start);
                alone.first().gapBefore = false;
                stretches += JudgeHistory(alone, LatestVisit(), QDate(), rules);
                end = start;
            }
            QCOMPARE(Full(whole), Full(stretches));

            for (const Finding& f : whole)
                ++seen[f.key];
        }
        // Every rule had its say.
        for (int k = 0; k < FindingKeyCount; ++k)
            if (FindingKey(k) != FindingKey::Missing && FindingKey(k) != FindingKey::NotVisited)
                QVERIFY2(seen[FindingKey(k)] > 0, qPrintable(FindingKeyName(FindingKey(k))));
    }

    // Lock and keypad merged as the full audit shows them, gaps where the events table shows them.
    void eventsOfAudit()
    {
        DecodedAudit audit;
        const auto add = [](QList<EventsTable>& list, qint64 time, int event, int run, quint8 device) {
            EventsTable e;
            e.time = e.dstTime = time;
            e.event = event;
            e.run = run;
            e.device = device;
            e.visit = run + 1;
            list.append(e);
        };
        const qint64 summer = Seconds(QDate(2024, 7, 1), QTime(10, 0));
        add(audit.lockEvents, summer + 300, 0x05, 1, LockDevice);
        add(audit.lockEvents, summer + 200, 0x01, 1, LockDevice);
        add(audit.lockEvents, summer + 100, 0xF5, 0, LockDevice);
        add(audit.keypadEvents, summer + 250, 0x30, 0, KeypadDevice);
        add(audit.keypadEvents, summer + 150, 0x31, 0, KeypadDevice);
        const auto shown = [&](const QVector<FindingEvent>& events) {
            QStringList out;
            for (const FindingEvent& e : events)
                out << QString("%1%2#%3 %4 %5").arg(e.gapBefore ? "| " : "").arg(e.time - summer).arg(e.position).arg(e.event, 2, 16, QChar('0')).arg(e.dstShift);
            return out.join(", ");
        };
        QCOMPARE(shown(FindingEventsOf(audit)), QString("100#5 f5 0, 150#4 31 0, 200#3 01 0, 250#2 30 0, 300#1 05 0"));
        audit.history.visits = 2;
        QCOMPARE(shown(FindingEventsOf(audit)), QString("100#5 f5 0, | 150#4 31 0, 200#3 01 0, 250#2 30 0, 300#1 05 0"));
        const DstRule europe{ 5, 0, 3, 5, 0, 10, false, 3600 };
        QCOMPARE(shown(FindingEventsOf(audit, &europe)),
                 QString("100#5 f5 3600, | 150#4 31 3600, 200#3 01 3600, 250#2 30 3600, 300#1 05 3600"));
    }

    void table()
    {
        const QVector<FindingEvent> front = Events("2024-01-08 10:00 wrong v1; 10:01 wrong; 10:02 wrong; 10:03 wrong; 10:04 wrong; |; "
                                                   "11:00 open u60 v2; 2024-01-09 21:00 open u60 v2; 21:05 door- v2; 21:10 door+ u0 v2");
        const QVector<FindingEvent> back = Events("2024-02-01 10:00 duress u61 v4; 10:10 door+ v4; 11:00:30 door- v4");
        // Front's user 03 changed hands on the burst's day; Back has no directory, so its user 03
        // names nobody even though Front's does.
        const Tenures frontPeople = { { 3, "Maria Rossi", QDate(2023, 1, 1), QDate(2024, 1, 7) },
                                      { 3, "Luca Bianchi", QDate(2024, 1, 8), QDate() },
                                      { 60, "Anna Verdi", QDate(2024, 1, 9), QDate() } };
        QVector<LockFindings> locks;
        locks.append({ "00000002", "Back", JudgeHistory(back, LatestVisit(), QDate(2024, 3, 1), FindingRules()), {} });
        locks.append({ "00000001", "Front",
                       JudgeHistory(front, { 2, QDateTime(QDate(2024, 1, 9), QTime(21, 30)) }, QDate(2025, 1, 1), FindingRules()),
                       frontPeople });
        DisplaySettings display;
        display.dateFormat = 1;
        const TextTable table = FindingsTextTable(locks, display);
        QCOMPARE(table.header.join(','), QString("Serial number,Lock name,Finding,Date,Until,User,Person,Events,Visit"));
        QStringList rows;
        for (const QStringList& row : table.rows)
            rows << row.join(',');
        QCOMPARE(rows, QStringList({
            "00000001,Front,Not visited,01/09/2024 21.30.00,,,,,2",
            "00000001,Front,Door opened without opening,01/09/2024 21.10.00,,,,1,2",
            "00000001,Front,Opening outside hours,01/09/2024 21.00.00,,Manager,Anna Verdi,1,2",
            "00000001,Front,Events missing,01/08/2024 10.04.00,01/08/2024 11.00.00,,,,",
            "00000001,Front,Wrong code burst,01/08/2024 10.00.00,01/08/2024 10.04.00,User 03,Luca Bianchi,5,1",
            "00000002,Back,Door held open,02/01/2024 10.10.00,02/01/2024 11.00.30,User 03,,2,4",
            "00000002,Back,Duress opening,02/01/2024 10.00.00,,Manager 02,,1,4",
        }));

        QTranslator italian;
        QVERIFY(italian.load("audit_it", CORVANE_BINARY_DIR));
        QCoreApplication::installTranslator(&italian);
        const QStringList header = FindingColumnHeaders();
        const QString burst = FindingText(FindingKey::WrongCodes);
        QCoreApplication::removeTranslator(&italian);
        QCOMPARE(header.join(','), QString("Numero di serie,Nome serratura,Rilievo,Data,Fino a,Utente,Persona,Eventi,Visita"));
        QCOMPARE(burst, QString("Serie di codici errati"));
    }

    void range()
    {
        const QVector<FindingEvent> events = Events("2024-01-07 23:59:59 duress; 2024-01-08 00:00 duress; 2024-01-09 23:59:59 duress; "
                                                    "2024-01-10 00:00 duress; none duress");
        const QVector<Finding> found = JudgeHistory(events, { 1, QDateTime(QDate(2020, 1, 1), QTime(0, 0)) },
                                                    QDate(2025, 1, 1), FindingRules());
        const qint64 from = Seconds(QDate(2024, 1, 8), QTime(0, 0));
        const qint64 to = Seconds(QDate(2024, 1, 10), QTime(0, 0));
        QCOMPARE(Listed(FindingsInRange(found, from, to), events.size()), QString("not-visited, duress 3, duress 2"));
        QCOMPARE(Listed(FindingsInRange(found, -1, to), events.size()), QString("not-visited, duress 3, duress 2, duress 1"));
        QCOMPARE(FindingsInRange(found, -1, -1).size(), found.size());
    }

    void thresholds_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result"); // the threshold's text when set, else the message
        const int wrong = int(Threshold::WrongCodes);
        QTest::newRow("wrong codes without minutes") << wrong << "5" << "Bad wrong-code threshold \"5\": it is a count and minutes, as in 5/10.";
        QTest::newRow("a burst of one") << wrong << "1/10" << "A burst of wrong codes is 2 to 1000 wrong tries, not 1.";
        QTest::newRow("clock minutes") << int(Threshold::ClockMinutes) << "1440" << "1440";
        QTest::newRow("clock minutes over a day") << int(Threshold::ClockMinutes) << "1441" << "The minutes after a clock setting are 1 to 1440, not 1441.";
        QTest::newRow("negative") << int(Threshold::DoorMinutes) << "-5" << "\"-5\" is not a whole number.";
        QTest::newRow("visit days") << int(Threshold::VisitDays) << "3650" << "3650";
        QTest::newRow("visit days, too many") << int(Threshold::VisitDays) << "3651" << "The days without a visit are 1 to 3650, not 3651.";
    }

    void thresholds()
    {
        QFETCH(int, which);
        QFETCH(QString, text);
        QFETCH(QString, result);
        FindingThresholds t;
        QString error;
        if (SetThreshold(&t, Threshold(which), text, &error)) {
            QCOMPARE(ThresholdText(t, Threshold(which)), result);
        } else {
            QCOMPARE(error, result);
            QVERIFY(t == FindingThresholds());
        }
    }

    void keys()
    {
        FindingKeys keys;
        QString error;
        QVERIFY(FindingKeys::Parse(" duress, door-held ,", &keys, &error));
        QVERIFY(keys == FindingKeys().add(FindingKey::Duress).add(FindingKey::DoorHeld));
        QVERIFY(!FindingKeys::Parse("duress,dures", &keys, &error));
        QVERIFY2(error.startsWith("Unknown finding \"dures\": the findings are duress, outside-hours,"), qPrintable(error));
        QVERIFY(!FindingKeys::Parse(" , ", &keys, &error));
        QCOMPARE(error, QString("No finding is named."));
    }
};

QTEST_GUILESS_MAIN(TestFindings)
#include "tst_findings.moc"
