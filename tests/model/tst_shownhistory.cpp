// A lock's history held compactly shows what the history shows when it is made into an audit and
// presented as one: the same rows, texts, gaps and daylight-saving dates, whatever the audit type,
// the visits shown and the correction.

#include "model/AuditFile.h"
#include "model/Findings.h"
#include "model/LockHistory.h"
#include "model/ReportContent.h"
#include "sim/AuditBuilder.h"

#include <QRandomGenerator>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// Codes that the simple audit drops in pairs, clock settings, and plain ones.
const quint8 Codes[] = { 0x01, 0x11, 0x01, 0x26, 0x05, 0xFA, 0x01, 0x29, 0x28, 0x09, 0xE2, 0x13, 0x0C, 0xF9 };

DeviceHistory Device(QRandomGenerator& random, int runs, int events, qint64 newest, const QVector<qint64>& audits)
{
    DeviceHistory device;
    qint64 time = newest - qint64(runs) * events * 7200;
    for (int r = 0; r < runs; ++r) {
        HistoryRun run;
        run.order = r;
        for (int i = 0; i < events; ++i) {
            // Some events without a time, some at the time of the one before, the clock now and
            // then set back.
            const int roll = int(random.bounded(20));
            time += roll == 0 ? -3600 : roll == 1 ? 0 : qint64(random.bounded(7200));
            HistoryEvent e;
            e.time = roll == 2 ? 0 : time;
            e.event = Codes[random.bounded(int(sizeof Codes))];
            e.user = quint8(random.bounded(100));
            e.audit = audits[qMin(int(audits.size()) - 1, (r * events + i) * int(audits.size()) / (runs * events))];
            run.events.append(e);
        }
        device.runs.append(run);
        time += 86400 * 3;
    }
    return device;
}

QByteArray LatestAudit()
{
    BusAuditBuilder builder;
    LockDescription lock = LockDescription::FromConfig(Config(), DelayEncoding::Bcd);
    lock.serialNumber = "11223344";
    builder.setLock(lock).setReport(lock.serialNumber, "SHOWN", "1.07");
    builder.addEvent(800000000, 0x01, 1);
    // Clock settings in both periods: the pass has references to start from.
    builder.setTimeDateEntry(0, 700000000, 0xE2, 0).setTimeDateEntry(1, 716000000, 0xE2, 0);
    auto session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    session->downloadTime = QDateTime(QDate(2025, 5, 1), QTime(10, 0));
    session->decoded = DecodeAudit(*session);
    return AuditFile::Serialize(*session, QString());
}

QStringList Shown(const AuditView& view)
{
    QStringList lines;
    const TextTable table = EventsTextTable(view);
    const EventTexts texts(view.display);
    lines << table.header.join('|');
    for (int r = 0; r < table.rows.size(); ++r)
        lines << table.rows[r].join('|') + (DstHighlighted(view.eventAt(r), texts, view.dstApplied) ? "*" : "");
    QStringList gaps;
    for (int row : view.gapRows)
        gaps << QString::number(row);
    lines << "gaps " + gaps.join(',') << view.configuration.keypadDownloadTime;
    return lines;
}

} // namespace

class TestShownHistory : public QObject
{
    Q_OBJECT

private slots:
    void sameAsPresentedAudit_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("lockRuns");
        QTest::addColumn<int>("keypadRuns");
        QTest::addColumn<int>("auditType");
        QTest::addColumn<bool>("latestOnly");
        QTest::addColumn<bool>("dst");
        QTest::newRow("lock alone, one run") << 1u << 1 << 0 << int(FullAudit) << false << false;
        QTest::newRow("lock and keypad, gaps in both") << 2u << 4 << 3 << int(FullAudit) << false << false;
        QTest::newRow("simple audit, gaps across dropped events") << 3u << 5 << 2 << int(SimpleAudit) << false << false;
        QTest::newRow("simple audit, corrected") << 4u << 3 << 3 << int(SimpleAudit) << false << true;
        QTest::newRow("full audit, corrected backwards") << 5u << 2 << 2 << int(FullAudit) << false << true;
        QTest::newRow("latest visit alone") << 6u << 4 << 2 << int(FullAudit) << true << false;
        QTest::newRow("latest visit alone, simple, corrected") << 7u << 4 << 3 << int(SimpleAudit) << true << true;
        QTest::newRow("keypad alone") << 8u << 0 << 3 << int(SimpleAudit) << false << false;
        QTest::newRow("nothing") << 9u << 0 << 0 << int(FullAudit) << false << true;
    }

    void sameAsPresentedAudit()
    {
        QFETCH(quint32, seed);
        QFETCH(int, lockRuns);
        QFETCH(int, keypadRuns);
        QFETCH(int, auditType);
        QFETCH(bool, latestOnly);
        QFETCH(bool, dst);
        QRandomGenerator random(seed);
        LockHistory history;
        history.serial = "11223344";
        const QVector<qint64> audits{ 41, 17, 29, 8 };
        for (int v = 0; v < audits.size(); ++v) {
            Visit visit;
            visit.audit = audits[v];
            visit.number = v + 1;
            visit.downloaded = QDateTime(QDate(2024, 1 + v, 1), QTime(9, 0));
            history.visits << visit;
        }
        history.lock = Device(random, lockRuns, 60, 760000000, audits);
        history.keypad = Device(random, keypadRuns, 25, 760000000, audits);
        history.latestAudit = LatestAudit();

        PresentationOptions options;
        options.auditType = auditType;
        options.dst = dst;
        options.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, seed % 2 == 1, 3600 };
        options.display.dateFormat = int(seed % 2);

        DecodedAudit audit;
        bool bus = false;
        QString error;
        QVERIFY(HistoryAsAudit(history, &audit, &bus, &error));
        if (latestOnly) {
            const auto older = [](const EventsTable& e) { return e.visit != 4; };
            audit.lockEvents.erase(std::remove_if(audit.lockEvents.begin(), audit.lockEvents.end(), older),
                                   audit.lockEvents.end());
            audit.keypadEvents.erase(std::remove_if(audit.keypadEvents.begin(), audit.keypadEvents.end(), older),
                                     audit.keypadEvents.end());
        }
        const AuditView expected = PresentAudit(audit, bus, options);
        AuditView shown;
        QVERIFY(PresentHistory(history, options, latestOnly, &shown, &error));
        QVERIFY(shown.shownHistory && shown.events.isEmpty());
        QCOMPARE(shown.eventCount(), expected.events.size());
        QCOMPARE(Shown(shown), Shown(expected));
        if (latestOnly)
            QVERIFY(HistoryTitle(shown).startsWith("Lock 11223344 SHOWN: Visit 4 of 4, "));
        else
            QCOMPARE(HistoryTitle(shown), HistoryTitle(expected));
        if (lockRuns > 1 && auditType == FullAudit && !latestOnly)
            QVERIFY(!shown.gapRows.isEmpty());

        // The CSV written a row at a time is the table's CSV.
        QByteArray streamed;
        int pieces = 0;
        QVERIFY(WriteEventsCsv(shown, [&](const QByteArray& piece) {
            streamed += piece;
            ++pieces;
            return true;
        }));
        QCOMPARE(streamed, ToCsv(EventsTextTable(expected)));
        QCOMPARE(pieces, 1);

        // The findings judge the compact history as they judge it presented as an audit.
        if (!latestOnly) {
            const QVector<FindingEvent> whole = FindingEventsOf(audit, dst ? &options.dstRule : nullptr);
            // Kept, and let go of as it is merged.
            for (const QVector<FindingEvent>& compact :
                 { FindingEventsOf(history, audit.timeDateTable, dst ? &options.dstRule : nullptr),
                   FindingEventsOf(LockHistory(history), audit.timeDateTable, dst ? &options.dstRule : nullptr) }) {
                QCOMPARE(compact.size(), whole.size());
                for (int k = 0; k < whole.size(); ++k) {
                    const FindingEvent &a = compact[k], &b = whole[k];
                    QVERIFY2(a.time == b.time && a.dstShift == b.dstShift && a.event == b.event && a.user == b.user
                                 && a.device == b.device && a.visit == b.visit && a.position == b.position
                                 && a.gapBefore == b.gapBefore,
                             qPrintable(QString::number(k)));
                }
            }
        }
    }

    // A correction made again replaces the last one, and a report made before keeps its dates.
    void correctionAgain()
    {
        QRandomGenerator random(11);
        const QVector<qint64> audits{ 1 };
        AuditView view;
        view.shownHistory = std::make_shared<ShownHistory>(Device(random, 2, 200, 780000000, audits), DeviceHistory(),
                                                           QHash<qint64, int>{ { 1, 1 } }, FullAudit);
        const QList<EventsTable> clock;
        CorrectDst(view, clock, DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 });
        const AuditView before = view;
        const QStringList once = Shown(view);
        CorrectDst(view, clock, DstRule{ 5, 0, 3, 5, 0, 10, true, 7200 });
        QVERIFY(Shown(view) != once);
        QCOMPARE(Shown(before), once);
        CorrectDst(view, clock, DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 });
        QCOMPARE(Shown(view), once);
    }

    // The person of an event goes by the day the lock recorded it, never the corrected date, and
    // only where the user byte names a person at all.
    void personByRecordedDay_data()
    {
        QTest::addColumn<qint64>("time");
        QTest::addColumn<int>("event");
        QTest::addColumn<int>("user");
        QTest::addColumn<QString>("person");
        QTest::addColumn<qint64>("dstTime"); // as the correction shows it
        const auto at = [](int y, int m, int d, int h, int min) {
            return QDate(2000, 1, 1).daysTo(QDate(y, m, d)) * 86400 + h * 3600 + min * 60;
        };
        QTest::newRow("the last evening, corrected past midnight") << at(2024, 7, 14, 23, 30) << 0x01 << 3 << "Maria Rossi" << at(2024, 7, 15, 0, 30);
        QTest::newRow("the next holder's first morning") << at(2024, 7, 15, 0, 10) << 0x01 << 3 << "Luca Bianchi" << at(2024, 7, 15, 1, 10);
        QTest::newRow("a master") << at(2024, 7, 15, 9, 0) << 0x05 << 80 << "Anna Verdi" << at(2024, 7, 15, 10, 0);
        QTest::newRow("a user nobody holds") << at(2024, 7, 15, 9, 0) << 0x05 << 4 << "" << at(2024, 7, 15, 10, 0);
        QTest::newRow("a configuration, not a user") << at(2024, 7, 15, 9, 0) << 0x70 << 3 << "" << at(2024, 7, 15, 10, 0);
        QTest::newRow("user 100") << at(2024, 7, 15, 9, 0) << 0x03 << 100 << "" << at(2024, 7, 15, 10, 0);
        QTest::newRow("a clock never set") << at(2000, 3, 1, 9, 0) << 0x01 << 80 << "" << at(2000, 3, 1, 9, 0);
        QTest::newRow("no time") << qint64(0) << 0x01 << 3 << "" << qint64(0);
    }
    void personByRecordedDay()
    {
        QFETCH(qint64, time);
        QFETCH(int, event);
        QFETCH(int, user);
        QFETCH(QString, person);
        QFETCH(qint64, dstTime);
        DeviceHistory lock;
        lock.runs.append(HistoryRun());
        lock.runs[0].events.append(HistoryEvent{ time, quint8(event), quint8(user), 1 });
        const Tenures people = { { 3, "Maria Rossi", QDate(2024, 1, 1), QDate(2024, 7, 14) },
                                 { 3, "Luca Bianchi", QDate(2024, 7, 15), QDate() },
                                 { 80, "Anna Verdi", QDate(1990, 1, 1), QDate() } };
        AuditView view;
        view.history.visits = 1;
        view.shownHistory = std::make_shared<ShownHistory>(lock, DeviceHistory(), QHash<qint64, int>{ { 1, 1 } }, FullAudit);
        view.shownHistory->setPeople(std::make_shared<const PeopleIndex>(people));
        CorrectDst(view, QList<EventsTable>(), DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 });
        const TextTable table = EventsTextTable(view);
        QCOMPARE(table.header.mid(4, 3), QStringList({ "User", "Person", "Event" }));
        QCOMPARE(table.rows.size(), 1);
        QCOMPARE(table.rows[0].value(3), FormatAuditTime(dstTime, DisplaySettings()));
        QCOMPARE(table.rows[0].value(5), person);
        // Without the directory, nobody.
        view.shownHistory->setPeople(nullptr);
        QCOMPARE(EventsTextTable(view).rows[0].value(5), QString());
    }

    // The title names the visits shown and counts the gaps, in proper plurals.
    void titles_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("visits");
        QTest::addColumn<int>("onlyVisit");
        QTest::addColumn<int>("gaps");
        QTest::addColumn<QString>("title");
        QTest::newRow("no gap") << "en" << 3 << 0 << 0 << "Lock 11223344 SHOWN: 3 visits, 01/01/2024 to 01/03/2024";
        QTest::newRow("one gap") << "en" << 3 << 0 << 1 << "Lock 11223344 SHOWN: 3 visits, 01/01/2024 to 01/03/2024, 1 gap";
        QTest::newRow("gaps") << "en" << 1 << 0 << 3 << "Lock 11223344 SHOWN: one visit, 01/03/2024, 3 gaps";
        QTest::newRow("latest visit") << "en" << 3 << 3 << 0 << "Lock 11223344 SHOWN: Visit 3 of 3, 01/03/2024";
        QTest::newRow("Italian") << "it" << 3 << 0 << 1 << "Serratura 11223344 SHOWN: 3 visite, dal 01/01/2024 al 01/03/2024, 1 lacuna";
        QTest::newRow("Italian gaps") << "it" << 3 << 3 << 2 << "Serratura 11223344 SHOWN: visita 3 di 3, 01/03/2024, 2 lacune";
        QTest::newRow("Spanish") << "es" << 3 << 0 << 2 << "Cerradura 11223344 SHOWN: 3 visitas, del 01/01/2024 al 01/03/2024, 2 huecos";
    }

    void titles()
    {
        QFETCH(QString, language);
        QFETCH(int, visits);
        QFETCH(int, onlyVisit);
        QFETCH(int, gaps);
        QFETCH(QString, title);
        QTranslator translator;
        QVERIFY(translator.load("audit_" + language + ".qm", CORVANE_BINARY_DIR));
        QCoreApplication::installTranslator(&translator);
        AuditView view;
        view.configuration.serialNumber = "11223344 ";
        view.configuration.lockName = "SHOWN";
        view.history.visits = visits;
        view.history.firstVisit = QDateTime(QDate(2024, 1, 1), QTime(9, 0));
        view.history.lastVisit = QDateTime(QDate(2024, 3, 1), QTime(9, 0));
        view.onlyVisit = onlyVisit;
        for (int g = 0; g < gaps; ++g)
            view.gapRows << 10 * (g + 1);
        const QString made = HistoryTitle(view);
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(made, title);
    }

    void csvFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("plain") << "Bolt open" << QByteArray("Bolt open");
        QTest::newRow("empty") << "" << QByteArray("");
        QTest::newRow("comma last") << "a," << QByteArray("\"a,\"");
        QTest::newRow("quote") << "V\"1" << QByteArray("\"V\"\"1\"");
        QTest::newRow("line feed") << "a\nb" << QByteArray("\"a\nb\"");
        QTest::newRow("carriage return inside") << "a\rb" << QByteArray("\"a\rb\"");
        QTest::newRow("formula") << "=1+2" << QByteArray("'=1+2");
        QTest::newRow("formula with a comma") << "-1,2" << QByteArray("\"'-1,2\"");
        QTest::newRow("tab first") << "\tx" << QByteArray("'\tx");
        QTest::newRow("accented") << "Contraseña" << QByteArray("Contrase\xc3\xb1" "a");
        QTest::newRow("accented, quoted") << "è,é" << QByteArray("\"\xc3\xa8,\xc3\xa9\"");
        QTest::newRow("first character beyond ASCII") << "\u013D=" << QByteArray("\xc4\xbd=");
    }

    // Each field as a spreadsheet reads it back, a row's fields apart by commas.
    void csvFields()
    {
        QFETCH(QString, field);
        QFETCH(QByteArray, written);
        QByteArray out;
        CsvWriter csv([&out](const QByteArray& piece) {
            out += piece;
            return true;
        });
        csv.line({ field, field });
        QVERIFY(csv.finish());
        QCOMPARE(out, written + ',' + written + "\r\n");
        QCOMPARE(out, ToCsv(TextTable{ {}, { { field, field } } }));
    }

    // Lines go out in pieces of a bounded size, whole lines each; a failed write stops the rest.
    void csvInPieces()
    {
        QVector<int> sizes;
        QByteArray all;
        CsvWriter csv([&](const QByteArray& piece) {
            sizes << piece.size();
            all += piece;
            return sizes.size() < 3;
        });
        const QStringList line{ QString(1000, 'x'), "=1", "a,b" };
        int written = 0;
        while (csv.line(line))
            ++written;
        QVERIFY(!csv.finish());
        QCOMPARE(sizes.size(), 3);
        for (int size : sizes)
            QVERIFY(size >= 256 * 1024 && size < 256 * 1024 + 1100);
        QVERIFY(all.endsWith(",'=1,\"a,b\"\r\n"));
        QCOMPARE(all.count('\n'), written + 1);
    }
};

QTEST_GUILESS_MAIN(TestShownHistory)
#include "tst_shownhistory.moc"
