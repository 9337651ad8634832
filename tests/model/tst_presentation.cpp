// The one presentation of an audit, across its choices: what the window, the command line and the
// reports all show comes from here, so every combination must keep the same events and texts.

#include "AuditFixtures.h"

#include <QtTest>

using namespace fixtures;

namespace {

DstRule SummerRule()
{
    DstRule rule;
    rule.startOccurrence = 1, rule.startMonth = 3, rule.endOccurrence = 5, rule.endMonth = 10;
    rule.shiftSeconds = DstShiftSeconds(2);
    return rule;
}

int CountWhere(const QList<EventsTable>& events, bool (*predicate)(int))
{
    return int(std::count_if(events.begin(), events.end(), [&](const EventsTable& e) { return predicate(e.event); }));
}

} // namespace

class TestPresentation : public QObject
{
    Q_OBJECT

private slots:
    void choices_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<int>("auditType");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<int>("dateFormat");
        QTest::addColumn<int>("hourFormat");
        QTest::newRow("bus, full") << true << FullAudit << false << 0 << 0;
        QTest::newRow("bus, simple") << true << SimpleAudit << false << 0 << 0;
        QTest::newRow("bus, simple, DST, US dates") << true << SimpleAudit << true << 1 << 1;
        QTest::newRow("bus, full, DST") << true << FullAudit << true << 0 << 1;
        QTest::newRow("key, full, DST") << false << FullAudit << true << 1 << 0;
        QTest::newRow("key, simple") << false << SimpleAudit << false << 1 << 1;
    }
    void choices()
    {
        QFETCH(bool, bus);
        QFETCH(int, auditType);
        QFETCH(bool, dst);
        QFETCH(int, dateFormat);
        QFETCH(int, hourFormat);
        AuditSession session;
        if (bus)
            LoadBus(session, 400);
        else
            LoadDallas(session, DallasImage());
        const DecodedAudit audit = DecodeAudit(session);
        QVERIFY(audit.ok);

        PresentationOptions options;
        options.display = { dateFormat, hourFormat };
        options.auditType = auditType;
        options.dst = dst;
        options.dstRule = SummerRule();
        const AuditView view = PresentAudit(audit, bus, options);
        const QList<EventsTable>& events = view.events;

        // A full audit shows every event the lock and the keypad gave; a simple one leaves out
        // at least the commands.
        const int decoded = audit.lockEvents.size() + audit.keypadEvents.size();
        if (auditType == FullAudit) {
            QCOMPARE(events.size(), decoded);
            QVERIFY(CountWhere(events, IsCommandEvent) > 0);
            QVERIFY(CountWhere(events, IsLockReset) > 0);
        } else {
            QVERIFY(events.size() < decoded);
            QCOMPARE(CountWhere(events, IsCommandEvent), 0);
        }

        // Numbered from 1 in order, newest first among the events that have a time.
        qint64 previous = std::numeric_limits<qint64>::max();
        for (int k = 0; k < events.size(); ++k) {
            QCOMPARE(events[k].rowNumber, QString::number(k + 1));
            if (events[k].time != 0) {
                QVERIFY2(events[k].time <= previous, qPrintable(events[k].rowNumber));
                previous = events[k].time;
            }
        }

        // The table's texts are the events': dates in the chosen format, the DST column a copy of
        // them until the correction, and then corrected for every event, not only the first page's.
        const TextTable table = EventsTextTable(view);
        QCOMPARE(table.header.size(), 7);
        QCOMPARE(table.rows.size(), events.size());
        QCOMPARE(view.dstApplied, dst);
        int shifted = 0, lastShifted = -1;
        for (int k = 0; k < events.size(); ++k) {
            const QStringList& row = table.rows[k];
            QCOMPARE(row[0], events[k].rowNumber);
            QCOMPARE(row[2], FormatAuditTime(events[k].time, options.display));
            if (!row[2].isEmpty())
                QCOMPARE(QDateTime::fromString(row[2], DatePattern(options.display)).toSecsSinceEpoch(),
                         AuditDateTime(events[k].time).toSecsSinceEpoch());
            if (!dst) {
                QCOMPARE(row[3], row[2]);
                QVERIFY(!events[k].dstMarked);
                continue;
            }
            QCOMPARE(row[3], FormatAuditTime(events[k].dstTime, options.display));
            if (events[k].time != 0 && events[k].dstTime != events[k].time)
                ++shifted, lastShifted = k;
        }
        // Every event of the built audits falls in the summer period after a winter setting.
        if (dst) {
            QVERIFY2(shifted > events.size() * 9 / 10, qPrintable(QString::number(shifted)));
            QCOMPARE(lastShifted, events.size() - 1);
        }

        // The configuration and the users do not depend on the events' choices.
        const AuditView plain = PresentAudit(audit, bus, { options.display, FullAudit, false, {} });
        QCOMPARE(ConfigurationTextTable(view.configuration).rows, ConfigurationTextTable(plain.configuration).rows);
        QCOMPARE(UsersTextTable(view.configuration).rows, UsersTextTable(plain.configuration).rows);
    }
};

QTEST_GUILESS_MAIN(TestPresentation)
#include "tst_presentation.moc"
