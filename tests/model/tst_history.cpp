// Joining audits into a lock's history. Each letter is one event (its time and code follow the
// letter, so "pqrab" is a clock set back between r and a); equal letters are events the lock
// recorded alike. Audits are numbered from 1 in the order they are joined.

#include "History.h"

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
        QTest::newRow("held in the middle") << QStringList{ "abcdef@1", "cd@2" } << "abcdef" << "111111" << "6,0";
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
        QTest::newRow("clock set back between visits")
            << QStringList{ "pqrab@1", "abcd@2" } << "pqrabcd" << "1111122" << "5,2";
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
        QHash<qint64, qint64> orders;
        QStringList addedCounts;
        for (int i = 0; i < audits.size(); ++i) {
            const QStringList parts = audits[i].split('@');
            const qint64 id = i + 1, order = parts[1].toLongLong() * 86400000;
            const JoinOutcome out = JoinAudit(h, Events(parts[0]), id, order, orders);
            QCOMPARE(out.history.eventCount(), h.eventCount() + out.added);
            h = out.history;
            orders.insert(id, order);
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
        const JoinOutcome second = JoinAudit(first.history, Events("abcd"), 2, 100, { { 1, 200 } });
        QCOMPARE(second.added, 2);
        QCOMPARE(second.reassigned, 2);
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
