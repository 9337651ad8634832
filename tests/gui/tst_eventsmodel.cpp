// The window's events model shows a history held compactly as it shows the same history
// presented as an audit: rows, separators at the gaps, texts, the latest visit, the yellow dates.

#include "model/AuditFile.h"
#include "model/LockHistory.h"
#include "sim/AuditBuilder.h"
#include "view/EventsTableModel.h"

#include <QFont>
#include <QtTest>

#include <memory>

namespace {

LockHistory History()
{
    LockHistory h;
    h.serial = "55667788";
    for (int v = 1; v <= 3; ++v) {
        Visit visit;
        visit.audit = 10 * v;
        visit.number = v;
        visit.downloaded = QDateTime(QDate(2024, 6, v), QTime(9, 0));
        h.visits << visit;
    }
    HistoryRun older, newer, keypad;
    for (int i = 0; i < 40; ++i)
        older.events << HistoryEvent{ 770000000 + i * 3000, quint8(i % 3 ? 0x05 : 0x26), quint8(i % 4), 10 };
    for (int i = 0; i < 30; ++i)
        newer.events << HistoryEvent{ 771000000 + i * 3000, quint8(i % 5 ? 0x01 : 0x11), 2, i < 10 ? 20 : 30 };
    for (int i = 0; i < 20; ++i)
        keypad.events << HistoryEvent{ 770000500 + i * 7000, quint8(0x30 + i % 8), 1, i < 15 ? 20 : 30 };
    h.lock.runs = { older, newer };
    h.keypad.runs = { keypad };
    BusAuditBuilder builder;
    LockDescription lock = LockDescription::FromConfig(Config(), DelayEncoding::Bcd);
    lock.serialNumber = "55667788";
    builder.setLock(lock).setReport(lock.serialNumber, "MODEL", "1.07");
    builder.addEvent(771100000, 0x01, 1);
    auto session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    session->downloadTime = QDateTime(QDate(2024, 6, 3), QTime(9, 0));
    session->decoded = DecodeAudit(*session);
    h.latestAudit = AuditFile::Serialize(*session, QString());
    return h;
}

QStringList Rows(const EventsTableModel& model)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.data(model.index(r, c)).toString();
        const QFont font = model.data(model.index(r, 0), Qt::FontRole).value<QFont>();
        rows << cells.join('|') + (model.isNew(r) ? " new" : "") + (model.dstHighlighted(r) ? " dst" : "")
                + (font.bold() ? " bold" : "") + (font.italic() ? " italic" : "");
    }
    return rows;
}

} // namespace

class TestEventsModel : public QObject
{
    Q_OBJECT

private slots:
    void compactAsPresented_data()
    {
        QTest::addColumn<int>("auditType");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<bool>("people");
        QTest::newRow("full") << int(FullAudit) << false << false;
        QTest::newRow("simple, corrected") << int(SimpleAudit) << true << false;
        QTest::newRow("full, User 02 handed over") << int(FullAudit) << false << true;
        QTest::newRow("simple, corrected, User 02 handed over") << int(SimpleAudit) << true << true;
    }

    void compactAsPresented()
    {
        QFETCH(int, auditType);
        QFETCH(bool, dst);
        QFETCH(bool, people);
        PresentationOptions options;
        options.auditType = auditType;
        options.dst = dst;
        options.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 };
        LockHistory history = History();
        if (people)
            history.people = { Tenure{ 2, "Maria Rossi", QDate(2024, 1, 1), QDate(2024, 5, 31) },
                               Tenure{ 2, "Luca Bianchi", QDate(2024, 6, 1), QDate() } };
        DecodedAudit audit;
        bool bus = false;
        QString error;
        QVERIFY(HistoryAsAudit(history, &audit, &bus, &error));
        EventsTableModel presented, compact;
        // The window presents the history as an audit and names its people after.
        AuditView asAudit = PresentAudit(audit, bus, options);
        NamePeople(asAudit, history.people);
        presented.setView(asAudit);
        AuditView view;
        QVERIFY(PresentHistory(history, options, false, &view, &error));
        compact.setView(view);
        QCOMPARE(compact.eventCount(), presented.view().events.size());
        QVERIFY(auditType == FullAudit ? compact.eventCount() == 90 : compact.eventCount() < 90);
        QCOMPARE(compact.columnCount(), people ? int(EventsTableModel::ColumnCount) : int(EventsTableModel::ColPerson));
        const QStringList rows = Rows(compact);
        QCOMPARE(rows, Rows(presented));
        // The events of May were Maria's, June's Luca's.
        const QString all = rows.join("\n");
        QCOMPARE(all.contains("|Maria Rossi"), people);
        QCOMPARE(all.contains("|Luca Bianchi"), people);
        QVERIFY2(all.contains(QString("|||||Events may be missing here||") + (people ? "|" : "") + " italic"), qPrintable(all));
        QVERIFY(rows.first().endsWith(" new bold") || rows.first().endsWith(" new dst bold"));
    }
};

QTEST_MAIN(TestEventsModel)
#include "tst_eventsmodel.moc"
