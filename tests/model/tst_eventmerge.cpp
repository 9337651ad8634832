#include "model/EventMerge.h"

#include <QtTest>

using V = QVector<int>;
constexpr int X = 0x05; // "Bolt open", no part in the filter

static QList<EventsTable> Events(const V& times, quint8 device, const V& codes = {})
{
    QList<EventsTable> events;
    for (int i = 0; i < times.size(); ++i)
        events << EventsTable { -1, -1, times[i], times[i], codes.value(i, X), i, device, QStringLiteral("old") };
    return events;
}

static QString Names(const QList<EventsTable>& events) // "L0 K1": list and index, kept in the unread `user`
{
    QString names;
    for (const EventsTable& e : events)
        names += QStringLiteral(" %1%2").arg(e.device == KeypadDevice ? 'K' : 'L').arg(e.user);
    return names.trimmed();
}

class TestEventMerge : public QObject
{
    Q_OBJECT

private slots:
    void merge_data()
    {
        QTest::addColumn<V>("lock");
        QTest::addColumn<V>("keypad");
        QTest::addColumn<QString>("merged");
        QTest::newRow("interleaved") << V { 900, 500, 100 } << V { 700, 300 } << "L0 K0 L1 K1 L2";
        QTest::newRow("equal times: keypad after lock") << V { 500, 500, 100 } << V { 500 } << "L0 L1 K0 L2";
        QTest::newRow("time 0 at the cursor") << V { 900, 500, 100 } << V { 700, 0, 0 } << "L0 K0 K1 K2 L1 L2";
        QTest::newRow("lock time 0 stepped over") << V { 900, 0, 100 } << V { 500 } << "L0 L1 K0 L2";
        QTest::newRow("cursor never moves back") << V { 900, 500, 100 } << V { 300, 700 } << "L0 L1 K0 K1 L2";
        QTest::newRow("no older lock event: appended") << V { 900, 500 } << V { 300, 800, 0 } << "L0 L1 K0 K1 K2";
    }

    void merge()
    {
        QFETCH(V, lock);
        QFETCH(V, keypad);
        const QList<EventsTable> merged = MergeEvents(Events(lock, 1), Events(keypad, KeypadDevice));
        QTEST(Names(merged), "merged");
    }

    void filter_data()
    {
        QTest::addColumn<int>("auditType");
        QTest::addColumn<V>("codes");
        QTest::addColumn<QString>("kept");
        QTest::newRow("position 0 never examined; 1-2 no match") << 1 << V { 0x11, 0x01, 0x11, 0x01 } << "L0 L1 L2";
        QTest::newRow("change compared with one event only") << 1 << V { X, 0x11, 0x01, 0x01 } << "L0 L1 L3";
        QTest::newRow("changes, entries") << 1 << V { X, 0x29, 2, 0x13, 0x0C, 0x10, 1, 0x12, 2 } << "L0 L1 L3 L5 L7";
        QTest::newRow("commands 22 and 89 with their followers") << 1 << V { X, 0x26, X, 0x28, X, X } << "L0 L5";
        QTest::newRow("reset with code entry") << 1 << V { X, 0xFA, 0x0C, X } << "L0 L3";
        QTest::newRow("reset without code entry") << 1 << V { X, 0xFA, X, 0x01 } << "L0 L1 L2 L3";
        QTest::newRow("fewer than 3 events") << 1 << V { X, 0x26 } << "L0 L1";
        QTest::newRow("any type but 0 is simple") << 7 << V { X, 0x26, X, X } << "L0 L3";
        QTest::newRow("full audit") << 0 << V { X, 0x26, X, 0x11, 0x01, 0xFA, 0x01 } << "L0 L1 L2 L3 L4 L5 L6";
    }

    void filter()
    {
        QFETCH(int, auditType);
        QFETCH(V, codes);
        QList<EventsTable> events = Events(V(codes.size()), 1, codes);
        FilterEvents(events, auditType);
        QTEST(Names(events), "kept");
        for (int k = 0; k < events.size(); ++k) // numbered from 1, except in a full audit
            QCOMPARE(events[k].rowNumber, auditType ? QString::number(k + 1) : QStringLiteral("old"));
    }
};

QTEST_GUILESS_MAIN(TestEventMerge)
#include "tst_eventmerge.moc"
