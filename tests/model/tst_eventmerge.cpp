#include "EventMerge.h"

#include <QtTest>

namespace {

// Events are tagged through `user` (their index in their own list) so that results can
// be written as "L0 K0 L1": merging and filtering never look at `user`.
QList<EventsTable> makeEvents(const QList<qint64>& times, quint8 device)
{
    QList<EventsTable> events;
    for (int i = 0; i < times.size(); ++i) {
        EventsTable e;
        e.time = times.at(i);
        e.dstTime = e.time;
        e.device = device;
        e.user = i;
        e.event = 0x05;
        events.append(e);
    }
    return events;
}

QString tags(const QList<EventsTable>& events)
{
    QStringList out;
    for (const EventsTable& e : events)
        out << QStringLiteral("%1%2").arg(e.device == KeypadDevice ? 'K' : 'L').arg(e.user);
    return out.join(' ');
}

QList<EventsTable> withCodes(const QList<int>& codes)
{
    QList<EventsTable> events;
    for (int i = 0; i < codes.size(); ++i) {
        EventsTable e;
        e.time = 1000 - i;
        e.event = codes.at(i);
        e.user = i;
        e.rowNumber = QStringLiteral("old");
        events.append(e);
    }
    return events;
}

QList<int> remainingIndexes(const QList<EventsTable>& events)
{
    QList<int> out;
    for (const EventsTable& e : events)
        out << e.user;
    return out;
}

constexpr int X = 0x05; // "Bolt open": no role in the filter
constexpr int UserInstalled = 0x11;
constexpr int ValidCode = 0x01;

} // namespace

class TestEventMerge : public QObject
{
    Q_OBJECT

private slots:
    void merge_data();
    void merge();
    void mergeClearsOutput();

    void filterSimple_data();
    void filterSimple();
    void filterFullLeavesListAlone();
};

void TestEventMerge::merge_data()
{
    QTest::addColumn<QList<qint64>>("lock");
    QTest::addColumn<QList<qint64>>("keypad");
    QTest::addColumn<QString>("expected");

    QTest::newRow("interleaved") << QList<qint64>{900, 500, 100} << QList<qint64>{700, 300}
                                 << "L0 K0 L1 K1 L2";
    QTest::newRow("equal times: keypad after the lock events") << QList<qint64>{500, 500, 100}
                                                               << QList<qint64>{500} << "L0 L1 K0 L2";
    QTest::newRow("time 0 first becomes first") << QList<qint64>{900, 500} << QList<qint64>{0, 700}
                                                << "K0 L0 K1 L1";
    QTest::newRow("time 0 placed at the cursor") << QList<qint64>{900, 500, 100}
                                                 << QList<qint64>{700, 0, 0} << "L0 K0 K1 K2 L1 L2";
    QTest::newRow("lock time 0 is stepped over") << QList<qint64>{900, 0, 100} << QList<qint64>{500}
                                                 << "L0 L1 K0 L2";
    QTest::newRow("cursor never moves back") << QList<qint64>{900, 500, 100} << QList<qint64>{300, 700}
                                             << "L0 L1 K0 K1 L2";
    QTest::newRow("no older lock event: appended") << QList<qint64>{900, 500} << QList<qint64>{300, 800}
                                                   << "L0 L1 K0 K1";
    QTest::newRow("after an append, time 0 goes to the end") << QList<qint64>{900} << QList<qint64>{100, 0}
                                                            << "L0 K0 K1";
    QTest::newRow("no lock events") << QList<qint64>{} << QList<qint64>{700, 0, 300} << "K0 K1 K2";
    QTest::newRow("no keypad events") << QList<qint64>{100, 900, 0} << QList<qint64>{} << "L0 L1 L2";
    QTest::newRow("never sorts") << QList<qint64>{100, 900, 500} << QList<qint64>{600} << "K0 L0 L1 L2";
}

void TestEventMerge::merge()
{
    QFETCH(QList<qint64>, lock);
    QFETCH(QList<qint64>, keypad);
    QFETCH(QString, expected);

    const QList<EventsTable> lockEvents = makeEvents(lock, 1);
    const QList<EventsTable> keypadEvents = makeEvents(keypad, KeypadDevice);
    QList<EventsTable> merged;
    MergeEvents(lockEvents, keypadEvents, merged);

    QCOMPARE(tags(merged), expected);
    QCOMPARE(merged.size(), lock.size() + keypad.size());
    for (const EventsTable& e : merged)
        QCOMPARE(e.time, (e.device == KeypadDevice ? keypad : lock).at(e.user));
}

void TestEventMerge::mergeClearsOutput()
{
    QList<EventsTable> merged = makeEvents({1, 2, 3}, 1);
    MergeEvents(makeEvents({50}, 1), makeEvents({60}, KeypadDevice), merged);
    QCOMPARE(tags(merged), QStringLiteral("K0 L0"));
}

void TestEventMerge::filterSimple_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<int>("auditType");
    QTest::addColumn<QList<int>>("kept");

    QTest::newRow("position 0 never examined; 1-2 no match")
        << QList<int>{UserInstalled, ValidCode, UserInstalled, ValidCode} << 1 << QList<int>{0, 1, 2};
    QTest::newRow("change event compared with one event only")
        << QList<int>{X, UserInstalled, ValidCode, ValidCode} << 1 << QList<int>{0, 1, 3};
    QTest::newRow("every change event with every code entry")
        << QList<int>{X, 0x29, 0x02, 0x13, 0x0C, 0x10, 0x01, 0x12, 0x02} << 1 << QList<int>{0, 1, 3, 5, 7};
    QTest::newRow("code entry before a change is kept") << QList<int>{X, ValidCode, UserInstalled, X} << 1
                                                        << QList<int>{0, 1, 2, 3};
    QTest::newRow("command 22 removes itself and its follower") << QList<int>{X, 0x26, X, X} << 1
                                                                << QList<int>{0, 3};
    QTest::newRow("command 89 swallows a second command") << QList<int>{X, 0x28, 0x28, X, X} << 1
                                                          << QList<int>{0, 3, 4};
    QTest::newRow("commands back to back") << QList<int>{X, 0x26, X, 0x28, X, X} << 1 << QList<int>{0, 5};
    QTest::newRow("command last is kept") << QList<int>{X, X, 0x26} << 1 << QList<int>{0, 1, 2};
    QTest::newRow("command at position 0 is kept") << QList<int>{0x26, X, X} << 1 << QList<int>{0, 1, 2};
    QTest::newRow("reset with code entry") << QList<int>{X, 0xFA, 0x0C, X} << 1 << QList<int>{0, 3};
    QTest::newRow("reset without code entry") << QList<int>{X, 0xFA, X, ValidCode} << 1
                                              << QList<int>{0, 1, 2, 3};
    QTest::newRow("two events: nothing removed") << QList<int>{X, 0x26} << 1 << QList<int>{0, 1};
    QTest::newRow("empty") << QList<int>{} << 1 << QList<int>{};
    QTest::newRow("any non-zero type is simple") << QList<int>{X, 0x26, X, X} << 7 << QList<int>{0, 3};
}

void TestEventMerge::filterSimple()
{
    QFETCH(QList<int>, codes);
    QFETCH(int, auditType);
    QFETCH(QList<int>, kept);

    QList<EventsTable> events = withCodes(codes);
    FilterEvents(events, auditType);
    QCOMPARE(remainingIndexes(events), kept);
    for (int k = 0; k < events.size(); ++k)
        QCOMPARE(events.at(k).rowNumber, QString::number(k + 1));
}

void TestEventMerge::filterFullLeavesListAlone()
{
    QList<EventsTable> events = withCodes({X, 0x26, X, UserInstalled, ValidCode, 0xFA, ValidCode});
    FilterEvents(events, FullAudit);
    QCOMPARE(remainingIndexes(events), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    for (const EventsTable& e : events)
        QCOMPARE(e.rowNumber, QStringLiteral("old"));
}

QTEST_GUILESS_MAIN(TestEventMerge)
#include "tst_eventmerge.moc"
