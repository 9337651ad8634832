// The download of what is new since the last visit, against the simulated lock in memory: where
// it stops, that the requests stop there too, and that the archive then joins it without losing
// or doubling an event.

#include "../model/AuditFixtures.h"
#include "device/Protocol.h"
#include "model/BusDecoder.h"
#include "model/History.h"
#include "operations/DeviceOperations.h"
#include "sim/SimulatedLink.h"

#include <QtTest>

#include <memory>

namespace {

struct Quiet : OperationProgress
{
    QStringList statuses;
    bool percentages = false;
    void setPercentageMode(bool) override {}
    void setPercentage(int) override { percentages = true; }
    void setStatus(const QString& text, bool) override { statuses << text; }
    bool stopRequested() const override { return false; }
};

// Events as the lock records them, oldest first: ten minutes apart from `start`, codes and users
// cycling; `alike` of them at the front are the same second, code and user.
QVector<AuditEntry> Recorded(int count, qint64 start, int alike = 0, quint8 salt = 0)
{
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i) {
        if (i < alike)
            out.append({ start, 0xF5, 0 });
        else
            out.append({ start + 600 * i, quint8(i % 3 ? 0x01 : 0x05), quint8(1 + (i + salt) % 40) });
    }
    return out;
}

LockAudit LockHolding(const QVector<AuditEntry>& oldestFirst)
{
    BusAuditBuilder builder;
    builder.setLock(fixtures::Lock(DelayEncoding::Bcd));
    for (int i = oldestFirst.size() - 1; i >= 0 && oldestFirst.size() - i <= AuditSession::BusDownloadLimit; --i)
        builder.addEvent(oldestFirst[i].time, oldestFirst[i].event, oldestFirst[i].user);
    auto session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    LockAudit lock;
    LockAuditFromSession(*session, lock);
    return lock;
}

QVector<HistoryEvent> AsHistory(const QVector<AuditEntry>& entries)
{
    QVector<HistoryEvent> out;
    for (const AuditEntry& e : entries)
        out.append({ e.time, e.event, e.user, 1 });
    return out;
}

} // namespace

class TestNewEvents : public QObject
{
    Q_OBJECT

private slots:
    void stopRule_data()
    {
        // Archived: the events of the last visit; then the lock records `fresh` more. The download
        // reads `read` records; joined to the archive, the history has `gaps` gaps.
        QTest::addColumn<int>("archived");
        QTest::addColumn<int>("archivedAlike"); // alike events at the end of what was archived
        QTest::addColumn<int>("fresh");
        QTest::addColumn<int>("freshAlike"); // alike to those, at the start of the new events
        QTest::addColumn<qint64>("shift");   // the clock, moved between the visits
        QTest::addColumn<int>("limit");      // the events asked for, 0 for all
        QTest::addColumn<bool>("known");     // whether the archive knows the lock
        QTest::addColumn<int>("read");
        QTest::addColumn<bool>("toTheEnd"); // read on to the end of what the lock holds
        QTest::addColumn<int>("gaps");
        QTest::newRow("nothing new") << 1000 << 0 << 0 << 0 << qint64(0) << 0 << true << 8 << false << 0;
        QTest::newRow("one new event") << 1000 << 0 << 1 << 0 << qint64(0) << 0 << true << 9 << false << 0;
        QTest::newRow("300 new events") << 1000 << 0 << 300 << 0 << qint64(0) << 0 << true << 308 << false << 0;
        QTest::newRow("more new than the lock holds") << 1000 << 0 << 6000 << 0 << qint64(0) << 0 << true << 5600 << false << 1;
        QTest::newRow("the archive does not know the lock") << 1000 << 0 << 20 << 0 << qint64(0) << 0 << false << 1020 << true << 0;
        QTest::newRow("alike events on both sides of the visit")
            << 1000 << 10 << 23 << 3 << qint64(0) << 0 << true << 34 << false << 0;
        QTest::newRow("fewer than eight archived") << 5 << 0 << 10 << 0 << qint64(0) << 0 << true << 15 << false << 0;
        QTest::newRow("clock set back a day between visits")
            << 1000 << 0 << 200 << 0 << qint64(-86400 - 600 * 1000) << 0 << true << 208 << false << 0;
        QTest::newRow("fewer asked for than are new") << 1000 << 0 << 300 << 0 << qint64(0) << 100 << true << 100 << false << 1;
        QTest::newRow("an archive of alike events only") << 20 << 20 << 5 << 0 << qint64(0) << 0 << true << 25 << true << 0;
    }
    void stopRule()
    {
        QFETCH(int, archived);
        QFETCH(int, archivedAlike);
        QFETCH(int, fresh);
        QFETCH(int, freshAlike);
        QFETCH(qint64, shift);
        QFETCH(int, limit);
        QFETCH(bool, known);
        QFETCH(int, read);
        QFETCH(bool, toTheEnd);
        QFETCH(int, gaps);

        const qint64 start = fixtures::At(2025, 2, 1, 8, 0);
        // The alike events close the archived ones and open the new ones: one run across the visit.
        QVector<AuditEntry> before = Recorded(archived - archivedAlike, start);
        const qint64 alikeAt = start + 600 * archived;
        for (int i = 0; i < archivedAlike; ++i)
            before.append({ alikeAt, 0xF5, 0 });
        QVector<AuditEntry> all = before;
        for (int i = 0; i < freshAlike; ++i)
            all.append({ alikeAt, 0xF5, 0 });
        all += Recorded(fresh - freshAlike, alikeAt + 600 + shift, 0, 7);
        const QVector<AuditEntry> held = all.mid(std::max(0, int(all.size()) - AuditSession::BusDownloadLimit));

        SimulatedInterface device(LockHolding(all));
        SimulatedLink link(device, false);
        link.recordRequests(true);
        Quiet progress;
        QString askedFor;
        const operations::ArchivedEvents lookup = [&](const QString& serial) {
            askedFor = serial;
            return known ? AsHistory(before) : QVector<HistoryEvent>();
        };
        const OperationResult<BusDump> got = operations::DownloadAudit(link, progress, limit, 10000, lookup);
        QVERIFY(got.succeeded());
        QCOMPARE(askedFor, fixtures::SampleConfig().serialNumber);
        QCOMPARE(got.payload.events.size() / AuditSession::BusRecordSize, read);

        // Each record took one request, and none followed the one that brought the last, unless the
        // download read to the end of what the lock holds, which one more request tells.
        std::array<quint8, 16> next{};
        const QByteArray auditNext(reinterpret_cast<const char*>(next.data()),
                                   int(Protocol::AuditNext(next.data(), unsigned(next.size()))));
        QCOMPARE(int(link.requests().count(auditNext)), read - 1 + (toTheEnd ? 1 : 0));
        if (known && read < int(held.size()) && limit == 0) {
            // Stopped by the rule: told by events and time, never by a percentage.
            QVERIFY(!progress.statuses.isEmpty() && progress.statuses.last().contains("stopping at the last visit"));
            QVERIFY(!progress.percentages);
        }

        // The archive joins it: what the lock holds now, nothing lost, nothing twice.
        QVector<HistoryEvent> downloaded;
        for (int r = read - 1; r >= 0; --r) {
            const EventsTable e = DecodeBusRecord(reinterpret_cast<const quint8*>(got.payload.events.constData())
                                                  + r * AuditSession::BusRecordSize);
            downloaded.append({ e.time, quint8(e.event), quint8(e.user), 2 });
        }
        DeviceHistory history = JoinAudit({}, AsHistory(before), 1, 1, {}).history;
        history = JoinAudit(history, downloaded, 2, 2, { { 1, AuditMark{ 1, !before.isEmpty(), before.isEmpty() ? HistoryEvent() : AsHistory(before).last() } } }).history;
        QCOMPARE(history.gapCount(), gaps);
        const QVector<HistoryEvent> newest = history.runs.last().events;
        const QVector<HistoryEvent> lockHolds = AsHistory(held.mid(int(held.size()) - int(newest.size())));
        QCOMPARE(newest.size(), gaps ? read : int(std::max(held.size(), before.size() + fresh)));
        for (int k = 0; k < newest.size(); ++k)
            QVERIFY2(newest[k].sameAs(lockHolds[k]), qPrintable(QString::number(k)));
    }
};

QTEST_GUILESS_MAIN(TestNewEvents)
#include "tst_newevents.moc"
