// Joining audits into a lock's history. Each letter is one event (its time and code follow the
// letter, so "pqrab" is a clock set back between r and a); equal letters are events the lock
// recorded alike. Audits are numbered from 1 in the order they are joined.

#include "model/EventMerge.h"
#include "model/History.h"

#include <QRandomGenerator>

#include <QtTest>

namespace {

QVector<HistoryEvent> Events(const QString& letters)
{
    QVector<HistoryEvent> out;
    for (QChar c : letters)
        out.append({ 1000 + 60 * (c.unicode() - 'a'), quint8(c.unicode()), quint8(7), 0 });
    return out;
}

// Runs as letters, "|" at each gap; and the audit each event is credited to, in the same shape.
QString Letters(const DeviceHistory& h)
{
    QStringList runs;
    for (const HistoryRun& run : h.runs) {
        QString s;
        for (const HistoryEvent& e : run.events)
            s += QChar(e.event);
        runs << s;
    }
    return runs.join('|');
}

AuditMark Mark(const QVector<HistoryEvent>& events, qint64 downloaded)
{
    return { downloaded, !events.isEmpty(), events.isEmpty() ? HistoryEvent() : events.last() };
}

QString Credits(const DeviceHistory& h)
{
    QStringList runs;
    for (const HistoryRun& run : h.runs) {
        QString s;
        for (const HistoryEvent& e : run.events)
            s += QString::number(e.audit);
        runs << s;
    }
    return runs.join('|');
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void join_data()
    {
        // Audits as "letters@download day", joined in that order.
        QTest::addColumn<QStringList>("audits");
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("credits");
        QTest::addColumn<QString>("added");
        QTest::newRow("first audit") << QStringList{ "abc@1" } << "abc" << "111" << "3";
        QTest::newRow("the same again") << QStringList{ "abc@1", "abc@2" } << "abc" << "111" << "3,0";
        QTest::newRow("partial, then full") << QStringList{ "cde@1", "abcdefg@2" } << "abcdefg" << "2211122" << "3,4";
        QTest::newRow("full, then partial") << QStringList{ "abcde@1", "defg@2" } << "abcdefg" << "1111122" << "5,2";
        QTest::newRow("held in the middle") << QStringList{ "abcdef@1", "cd@2" } << "abcdef" << "112211" << "6,0";
        // A later download reaches the lock's newest events; one that stops short was taken before,
        // whatever the computer's date said.
        QTest::newRow("a laptop clock set back: the newer audit is the later visit")
            << QStringList{ "abcd@5", "cdefg@2" } << "abcdefg" << "1111222" << "4,3";
        QTest::newRow("a laptop clock set ahead: an audit reaching less far was the earlier visit")
            << QStringList{ "abcdef@1", "abcd@9" } << "abcdef" << "222211" << "6,0";
        QTest::newRow("the same newest event: the download date decides")
            << QStringList{ "abcd@3", "cd@2" } << "abcd" << "1122" << "4,0";
        QTest::newRow("alike events stay as often as recorded")
            << QStringList{ "aaa@1", "aaaa@2" } << "aaaa" << "1112" << "3,1";
        QTest::newRow("seam of alike events") << QStringList{ "abaa@1", "aab@2" } << "abaab" << "11112" << "4,1";
        QTest::newRow("ambiguous seam: longest overlap")
            << QStringList{ "xabab@1", "ababc@2" } << "xababc" << "111112" << "5,1";
        QTest::newRow("nothing shared: a gap") << QStringList{ "abc@1", "xyz@2" } << "abc|xyz" << "111|222" << "3,3";
        QTest::newRow("older after newer fills in before")
            << QStringList{ "cdef@2", "abcd@1" } << "abcdef" << "222211" << "4,2";
        QTest::newRow("older after newer, nothing shared")
            << QStringList{ "xyz@2", "abc@1" } << "abc|xyz" << "222|111" << "3,3";
        QTest::newRow("a gap filled by a bridge")
            << QStringList{ "abc@1", "ghi@3", "cdefg@2" } << "abcdefghi" << "111333322" << "3,3,3";
        QTest::newRow("gaps ordered by download date")
            << QStringList{ "abc@1", "xyz@3", "mn@2" } << "abc|mn|xyz" << "111|33|222" << "3,3,2";
        QTest::newRow("gaps downloaded at the same time: by the lock's clock")
            << QStringList{ "mn@1", "ab@1" } << "ab|mn" << "22|11" << "2,2";
        QTest::newRow("clock set back between visits")
            << QStringList{ "pqrab@1", "abcd@2" } << "pqrabcd" << "1111122" << "5,2";
        QTest::newRow("a run of a laptop clock behind, reached by the newest run's growth")
            << QStringList{ "abcde@10", "hij@1", "defghijk@20" } << "abcdefghijk" << "11111332223" << "5,3,3";
        QTest::newRow("an audit without events") << QStringList{ "abc@1", "@2" } << "abc" << "111" << "3,0";
        QTest::newRow("a later audit holding two runs")
            << QStringList{ "ab@1", "de@2", "abcdef@3" } << "abcdef" << "113223" << "2,2,2";
    }
    void join()
    {
        QFETCH(QStringList, audits);
        QFETCH(QString, history);
        QFETCH(QString, credits);
        QFETCH(QString, added);
        DeviceHistory h;
        AuditMarks marks;
        QStringList addedCounts;
        for (int i = 0; i < audits.size(); ++i) {
            const QStringList parts = audits[i].split('@');
            const qint64 id = i + 1, order = parts[1].toLongLong() * 86400000;
            const QVector<HistoryEvent> events = Events(parts[0]);
            const JoinOutcome out = JoinAudit(h, events, id, order, marks);
            QCOMPARE(out.history.eventCount(), h.eventCount() + out.added);
            // The archive joins a new download to the newest run's last events alone: the same result.
            if (!h.runs.isEmpty()) {
                HistoryRun tail{ h.runs.last().order, h.runs.last().events.mid(std::max(0, h.runs.last().events.size() - events.size())) };
                JoinOutcome atEnd;
                if (JoinAtEnd(tail, events, id, order, marks, &atEnd)) {
                    QCOMPARE(out.run, h.runs.size() - 1);
                    QCOMPARE(Letters({ { tail } }), Letters({ { out.history.runs.last() } }).right(tail.events.size()));
                    QCOMPARE(Credits({ { tail } }), Credits({ { out.history.runs.last() } }).right(tail.events.size()));
                    QCOMPARE(atEnd.added, out.added);
                    QCOMPARE(atEnd.reassigned, out.reassigned);
                }
            }
            h = out.history;
            marks.insert(id, Mark(events, order));
            addedCounts << QString::number(out.added);
        }
        QCOMPARE(Letters(h), history);
        QCOMPARE(Credits(h), credits);
        QCOMPARE(addedCounts.join(','), added);
        QCOMPARE(h.gapCount(), int(history.count('|')));

        DeviceHistory back;
        QString error;
        QVERIFY2(UnpackHistory(PackHistory(h), &back, &error), qPrintable(error));
        QCOMPARE(Letters(back), history);
        QCOMPARE(Credits(back), credits);
    }

    // An older audit imported late takes the credit for what it held first, and says how many.
    void reassignedCount()
    {
        const JoinOutcome first = JoinAudit({}, Events("cdef"), 1, 200, {});
        const JoinOutcome second = JoinAudit(first.history, Events("abcd"), 2, 100, { { 1, Mark(Events("cdef"), 200) } });
        QCOMPARE(second.added, 2);
        QCOMPARE(second.reassigned, 2);
    }

    // A lock whose year byte says 2137 or later keeps its times whole; the first stored form, with
    // 32-bit times, still reads.
    void storedTimes()
    {
        const qint64 year2150 = qint64(150) * 365 * 86400;
        DeviceHistory h = JoinAudit({}, { { year2150, 5, 1, 0 }, { year2150 + 1, 5, 1, 0 } }, 1, 10, {}).history;
        DeviceHistory back;
        QVERIFY(UnpackHistory(PackHistory(h), &back));
        QCOMPARE(back.runs.value(0).events.value(1).time, year2150 + 1);

        QByteArray first("CVH1\x01\x00\x00\x00", 8);
        first += QByteArray("\x0a\0\0\0\0\0\0\0\x01\0\0\0", 12);
        first += QByteArray("\xff\xff\xff\xff\x05\x07\x02\0\0\0", 10);
        QVERIFY(UnpackHistory(first, &back));
        QCOMPARE(back.runs.value(0).events.value(0).time, qint64(0xFFFFFFFF));
        QCOMPARE(int(back.runs.value(0).events.value(0).user), 7);
        QCOMPARE(back.runs.value(0).events.value(0).audit, qint64(2));
    }

    void visitOrder_data()
    {
        QTest::addColumn<QStringList>("audits");
        QTest::addColumn<QString>("visits");
        QTest::newRow("by where they reach") << QStringList{ "abcdef@1", "abc@2", "efgh@3" } << "2,1,3";
        QTest::newRow("the same newest event: by date") << QStringList{ "abcd@4", "cd@2" } << "2,1";
        QTest::newRow("runs apart: by their order") << QStringList{ "xyz@3", "abc@1" } << "2,1";
    }
    void visitOrder()
    {
        QFETCH(QStringList, audits);
        QFETCH(QString, visits);
        DeviceHistory h;
        AuditMarks marks;
        for (int i = 0; i < audits.size(); ++i) {
            const QStringList parts = audits[i].split('@');
            const QVector<HistoryEvent> events = Events(parts[0]);
            h = JoinAudit(h, events, i + 1, parts[1].toLongLong(), marks).history;
            marks.insert(i + 1, Mark(events, parts[1].toLongLong()));
        }
        QStringList order;
        for (qint64 id : VisitOrder(h, marks))
            order << QString::number(id);
        QCOMPARE(order.join(','), visits);
    }

    // The numbers a search gives are those of the full audit's table: the devices merged as
    // MergeEvents merges them, numbered as NumberEvents numbers them (times going back and events
    // without a time included), gaps and all.
    void numberedAsTheFullAudit()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 50; ++round) {
            DeviceHistory devices[2];
            QList<EventsTable> lists[2]; // newest first
            for (int d = 0; d < 2; ++d) {
                const int runs = 1 + random.bounded(3);
                qint64 time = 1000;
                for (int r = 0; r < runs; ++r) {
                    HistoryRun run;
                    for (int k = random.bounded(1, 40); k > 0; --k) {
                        time += random.bounded(-30, 120);
                        const qint64 t = random.bounded(10) == 0 ? 0 : time;
                        run.events.append({ t, quint8(random.bounded(256)), quint8(random.bounded(100)), 1 });
                        EventsTable e;
                        e.time = t;
                        e.event = run.events.last().event;
                        e.user = run.events.last().user;
                        e.device = d == 0 ? LockDevice : KeypadDevice;
                        e.run = d * 1000 + int(run.events.size()); // identifies it below
                        e.visit = r;
                        lists[d].prepend(e);
                    }
                    devices[d].runs.append(run);
                }
            }
            QList<EventsTable> merged = MergeEvents(lists[0], lists[1]);
            NumberEvents(merged);
            QHash<QString, QString> expected;
            for (const EventsTable& e : merged)
                expected.insert(QStringLiteral("%1/%2/%3").arg(e.device).arg(e.visit).arg(e.run), e.rowNumber);
            QHash<QString, QString> got;
            NumberMergedHistory(devices[0], devices[1], [&](int device, qint64 position, qint64 number, const HistoryEvent&) {
                // From the position back to the run and the place in it.
                int r = 0;
                while (position >= devices[device].runs[r].events.size())
                    position -= devices[device].runs[r++].events.size();
                got.insert(QStringLiteral("%1/%2/%3").arg(device == 0 ? LockDevice : KeypadDevice).arg(r).arg(device * 1000 + position + 1),
                           QString::number(number));
            });
            QCOMPARE(got, expected);
        }
    }

    // Pieces as stored, oldest first: "+" before a piece that goes on from the one before, "|"
    // between runs, "#" for a piece cut short. A run's order is its piece's number times ten plus
    // its place there; a run spanning pieces keeps the largest.
    void storedPieces_data()
    {
        QTest::addColumn<QString>("pieces");
        QTest::addColumn<QString>("letters"); // "!" when refused
        QTest::addColumn<QString>("orders");
        QTest::newRow("one run over three pieces") << "abc +de +f" << "abcdef" << "20";
        QTest::newRow("a piece that does not go on") << "abc de" << "abc|de" << "0,10";
        QTest::newRow("runs that part inside pieces") << "ab +c|de +f|g" << "abc|def|g" << "10,20,21";
        QTest::newRow("the first piece goes on from nothing") << "+ab +c" << "abc" << "10";
        QTest::newRow("a piece cut short among them") << "ab # +c" << "!" << "";
    }
    void storedPieces()
    {
        QFETCH(QString, pieces);
        QFETCH(QString, letters);
        QFETCH(QString, orders);
        QVector<StoredPiece> stored;
        for (QString text : pieces.split(' ')) {
            StoredPiece piece;
            piece.continues = text.startsWith('+');
            text.remove('+');
            DeviceHistory h;
            for (const QString& run : text.split('|'))
                h.runs.append({ stored.size() * 10 + h.runs.size(), Events(run) });
            piece.content = PackHistory(h);
            if (text == "#")
                piece.content.chop(3);
            stored.append(piece);
        }
        DeviceHistory back;
        QString error;
        const bool read = UnpackHistory(stored, &back, &error);
        QCOMPARE(read ? Letters(back) : "!", letters);
        QCOMPARE(error.isEmpty(), read);
        QStringList got;
        for (const HistoryRun& run : back.runs)
            got << QString::number(run.order);
        QCOMPARE(got.join(','), orders);
    }

    void damagedStoredHistory_data()
    {
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = PackHistory(JoinAudit({}, Events("abc"), 1, 5, {}).history);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("foreign") << QByteArray("SQLite format 3");
        QTest::newRow("cut in an event") << good.left(good.size() - 3);
        QTest::newRow("bytes after the end") << good + 'x';
        QByteArray manyRuns = good;
        manyRuns[4] = char(0xFF), manyRuns[5] = char(0xFF), manyRuns[6] = char(0xFF), manyRuns[7] = char(0x7F);
        QTest::newRow("more runs than bytes") << manyRuns;
        QByteArray manyEvents = good;
        manyEvents[16] = char(0xFF), manyEvents[19] = char(0xFF);
        QTest::newRow("more events than bytes") << manyEvents;
    }
    void damagedStoredHistory()
    {
        QFETCH(QByteArray, data);
        DeviceHistory h;
        QString error;
        QVERIFY(!UnpackHistory(data, &h, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
