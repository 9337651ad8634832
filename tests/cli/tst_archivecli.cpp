// The command line's archive, end to end: files imported, the locks listed, a history written in
// every format, the archive verified, and downloads that keep what they obtain.

#include "archive/ArchiveQueue.h"
#include "AuditCli.h"
#include "CliRun.h"
#include "archive/ArchiveFixtures.h"
#include "reports/ReadBack.h"
#include "reports/ReportFixtures.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace archivefixtures;
using namespace fixtures;

class TestArchiveCli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    LockLife life;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid() && QDir::setCurrent(dir.path()));
        // English too has a catalogue: its plural forms.
        const QString catalogue = QCoreApplication::applicationDirPath() + "/audit_en.qm";
        QFile::remove(catalogue);
        QVERIFY(QFile::copy(CORVANE_BINARY_DIR "/audit_en.qm", catalogue));
        // Three visits: part of the lock's memory, all of it a day later, and again after it
        // overwrote what nobody read. And files that cannot be kept.
        life.record(1000);
        QVERIFY(WriteAll("1-partial.kaud", life.download(400)));
        life.record(100);
        life.passDays(1);
        QVERIFY(WriteAll("2-full.kaud", life.download()));
        life.record(6000);
        life.passDays(30);
        QVERIFY(WriteAll("3-overwritten.kaud", life.download()));
        LockLife anonymous = life;
        anonymous.serial.clear();
        QVERIFY(WriteAll("no-serial.kaud", anonymous.download()));
        QVERIFY(WriteAll("cut.kaud", life.download().left(5000)));
    }

    void importListAndVerify()
    {
        const Run imported({ "archive", "import", "--archive", "a.sqlite", "1-partial.kaud", "2-full.kaud",
                             "no-serial.kaud", "3-overwritten.kaud", "cut.kaud", "2-full.kaud" });
        QCOMPARE(imported.code, 1);
        QCOMPARE(imported.out, QStringLiteral("30051122: 400 new events, 0 gaps\n"
                                              "30051122: 700 new events, 0 gaps\n"
                                              "30051122: 5600 new events, 1 gap\n"
                                              "2-full.kaud: already in the archive\n"));
        QVERIFY2(imported.err.startsWith("no-serial.kaud: The audit names no lock"), qPrintable(imported.err));
        QVERIFY(imported.err.contains("cut.kaud: File not valid\n"));

        const Run locks({ "archive", "locks", "--archive", "a.sqlite", "--date-format", "mdy", "-" });
        QCOMPARE(locks.code, 0);
        const QStringList lines = locks.out.split("\r\n");
        QCOMPARE(lines.value(0), "Serial number,Lock name,Visits,Events,Gaps,First event,Last event,Last visit");
        const QStringList row = lines.value(1).split(',');
        QCOMPARE(row.mid(0, 5), (QStringList{ "30051122", "BANK01", "3", "6700", "1" }));
        QCOMPARE(row.value(5), FormatAuditTime(life.lockEvents[0].time, { 1, 0 }));
        QCOMPARE(row.value(6), FormatAuditTime(life.lockEvents.last().time, { 1, 0 }));

        const Run verified({ "archive", "verify", "--archive", "a.sqlite" });
        QCOMPARE(verified.code, 0);
        QVERIFY2(QRegularExpression("^Archive sound: 3 audits, 1 locks?, chain head [0-9a-f]{64}\n$").match(verified.out).hasMatch(),
                 qPrintable(verified.out));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "tamper");
            db.setDatabaseName("a.sqlite");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("UPDATE audits SET content = CAST('x' AS BLOB) WHERE id = 2"));
            db.close();
        }
        QSqlDatabase::removeDatabase("tamper");
        const Run damaged({ "archive", "verify", "--archive", "a.sqlite" });
        QCOMPARE(damaged.code, 1);
        QVERIFY2(damaged.out.startsWith("30051122: the audit of visit 2 (downloaded "), qPrintable(damaged.out));
        QVERIFY2(damaged.out.section('\n', 0, 0).endsWith("): its bytes no longer match their SHA-256"), qPrintable(damaged.out));
    }

    // A history as export writes one audit, with the visits; --new keeps the latest visit's events.
    void history()
    {
        QVERIFY(Run({ "archive", "import", "--archive", "h.sqlite", "1-partial.kaud", "2-full.kaud",
                      "3-overwritten.kaud" }).code == 0);
        const Run all({ "archive", "history", "30051122", "--archive", "h.sqlite", "-" });
        QCOMPARE(all.code, 0);
        const QStringList rows = all.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 1 + 6700);
        QCOMPARE(rows.first(), "#,Device,Date,Date with DST,User,Person,Event,Event ID,Visit");
        QVERIFY(rows[1].startsWith("1,") && rows[1].endsWith(",3"));
        // Each event with the visit that first brought it: the partial download brought the middle.
        QVERIFY(rows[5600].endsWith(",3") && rows[5601].endsWith(",2") && rows[5701].endsWith(",1"));
        QVERIFY(rows[6100].endsWith(",1") && rows[6101].endsWith(",2") && rows[6700].endsWith(",2"));

        const Run latest({ "archive", "history", "30051122", "--archive", "h.sqlite", "--new", "-" });
        QCOMPARE(latest.out.count("\r\n"), 1 + 5600);

        // The export of the window: the same texts and numbering, an empty Person (the lock has no
        // directory) and the visit.
        const Run single({ "export", "3-overwritten.kaud", "-", "--audit", "full" });
        const QStringList singleRows = single.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(singleRows.first(), "#,Device,Date,Date with DST,User,Event,Event ID");
        for (int r : { 1, 2, 2800, 5600 }) {
            QStringList cells = singleRows[r].split(',');
            cells.insert(5, QString());
            QCOMPARE(rows[r], cells.join(',') + ",3");
        }

        QCOMPARE(Run({ "archive", "history", "30051122", "--archive", "h.sqlite", "h.xlsx" }).code, 0);
        const QJsonObject book = readback::Workbook("h.xlsx");
        const QString title = book["Audit"].toObject()["cells"].toObject()["B1"].toString().section('|', 0, 0);
        QVERIFY2(title.startsWith("Lock 30051122 BANK01: 3 visits,"), qPrintable(title));
        QCOMPARE(Run({ "archive", "history", "30051122", "--archive", "h.sqlite", "h.pdf" }).code, 0);
        // The lock's findings come first, the title above the events after them.
        const QString pages = readback::PdfPages("h.pdf").join(' ').simplified();
        QVERIFY2(pages.startsWith("Corvane Audit Findings Finding Date"), qPrintable(pages.left(300)));
        QVERIFY2(pages.contains(title), qPrintable(pages.left(300)));
    }

    // The lock's directory names each event's person in every output of its history and in a
    // search: user 50 changed hands on 1 February, in the middle of the third visit's events.
    void historyAndSearchNamePeople()
    {
        QVERIFY(Run({ "archive", "import", "--archive", "p.sqlite", "2-full.kaud", "3-overwritten.kaud" }).code == 0);
        const QStringList people = { "archive", "people", "30051122", "--archive", "p.sqlite", "--set" };
        QCOMPARE(Run(people + QStringList{ "50", "Maria Rossi", "--from", "2025-01-01" }).code, 0);
        QCOMPARE(Run(people + QStringList{ "50", "Luca Bianchi", "--from", "2025-02-01" }).code, 0);

        const auto check = [](const QString& csv, int* maria, int* luca) {
            const QStringList lines = csv.split("\r\n", Qt::SkipEmptyParts);
            const QStringList header = lines.value(0).split(',');
            const int date = header.indexOf("Date"), user = header.indexOf("User"), person = header.indexOf("Person");
            QCOMPARE(person, user + 1);
            for (int r = 1; r < lines.size(); ++r) {
                const QStringList cells = lines[r].split(',');
                const QDate day = QDate::fromString(cells.value(date).left(10), "dd/MM/yyyy");
                const QString expected = cells.value(user) != "User 50" ? QString()
                                       : day < QDate(2025, 2, 1)         ? "Maria Rossi"
                                                                          : "Luca Bianchi";
                QVERIFY2(day.isValid(), qPrintable(lines[r]));
                QCOMPARE(cells.value(person), expected);
                *(expected == "Maria Rossi" ? maria : luca) += !expected.isEmpty();
            }
        };
        int maria = 0, luca = 0;
        const Run history({ "archive", "history", "30051122", "--archive", "p.sqlite", "-" });
        QCOMPARE(history.code, 0);
        check(history.out, &maria, &luca);
        QVERIFY(maria > 10 && luca > 10);
        maria = luca = 0;
        const Run search({ "archive", "search", "--archive", "p.sqlite", "--user", "50", "-" });
        QCOMPARE(search.code, 0);
        check(search.out, &maria, &luca);
        QVERIFY(maria > 10 && luca > 10);

        // The workbook and the PDF: the header, and the newest event, user 50's after the hand-over.
        QCOMPARE(Run({ "archive", "history", "30051122", "--archive", "p.sqlite", "p.xlsx" }).code, 0);
        const QJsonObject cells = readback::Workbook("p.xlsx")["Audit"].toObject()["cells"].toObject();
        QCOMPARE(cells["F2"].toString().section('|', 0, 0), "User");
        QCOMPARE(cells["G2"].toString().section('|', 0, 0), "Person");
        QCOMPARE(cells["F3"].toString().section('|', 0, 0), "User 50");
        QCOMPARE(cells["G3"].toString().section('|', 0, 0), "Luca Bianchi");
        int named = 0;
        for (auto c = cells.begin(); c != cells.end(); ++c)
            named += c.key().startsWith('G') && c.value().toString().startsWith("Maria Rossi|");
        QVERIFY(named > 10);
        QCOMPARE(Run({ "archive", "history", "30051122", "--archive", "p.sqlite", "p.pdf" }).code, 0);
        // The events' first page, after the lock's findings.
        QString page;
        for (const QString& p : readback::PdfPages("p.pdf"))
            if (page.isEmpty() && p.simplified().contains("User Person Event Event ID"))
                page = p.simplified();
        QVERIFY2(page.contains("User 50 Luca Bianchi Valid code"), qPrintable(page.left(600)));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no archive command") << QStringList{ "archive" } << 2 << "No archive command given.";
        QTest::newRow("unknown command") << QStringList{ "archive", "drop" } << 2 << "Unknown archive command: drop";
        QTest::newRow("history without output") << QStringList{ "archive", "history", "30051122" } << 2
                                                << "Wrong number of arguments.";
        QTest::newRow("locks take no DST") << QStringList{ "archive", "locks", "--dst", "5,0,3,5,0,10,add,1", "-" }
                                           << 2 << "Unknown option: --dst";
        QTest::newRow("locks as a workbook") << QStringList{ "archive", "locks", "l.xlsx" } << 2
                                             << "Unsupported output: l.xlsx";
        QTest::newRow("an unknown lock") << QStringList{ "archive", "history", "99999999", "--archive", "x.sqlite", "-" }
                                         << 1 << "holds no lock 99999999";
        QTest::newRow("output onto the archive")
            << QStringList{ "archive", "history", "30051122", "--archive", "x.sqlite", "--format", "csv", "x.sqlite" }
            << 1 << "x.sqlite is the archive itself";
        QTest::newRow("a damaged archive") << QStringList{ "archive", "locks", "--archive", "cut.kaud", "-" } << 1
                                           << "cannot be read";
        QTest::newRow("a mistyped archive, only read") << QStringList{ "archive", "locks", "--archive", "typo.sqlite", "-" }
                                                       << 1 << "There is no archive at typo.sqlite";
        QTest::newRow("a mistyped archive, searched")
            << QStringList{ "archive", "search", "--archive", "typo.sqlite", "--event", "5", "-" } << 1
            << "There is no archive at typo.sqlite";
        QTest::newRow("a first day after the last")
            << QStringList{ "archive", "search", "--from", "2025-02-01", "--to", "2025-01-01", "-" } << 2
            << "--from is after --to";
        QTest::newRow("a code as an exponent") << QStringList{ "archive", "search", "--event", "1e1", "-" } << 2
                                               << "Unknown value for --event: 1e1";
        QTest::newRow("a code beyond a byte") << QStringList{ "archive", "search", "--event", "0x100", "-" } << 2
                                              << "Unknown value for --event: 0x100";
        QTest::newRow("what is new, without the archive")
            << QStringList{ "download", "--port", "simulated", "--new", "--no-archive", "d.kaud" } << 2
            << "--new stops at what the archive holds: not with --no-archive.";
        QTest::newRow("both archive options")
            << QStringList{ "download", "--port", "simulated", "--archive", "x", "--no-archive", "d.kaud" } << 2
            << "--archive and --no-archive exclude each other.";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        WriteAll("x.sqlite", {});
        const QByteArray before = ReadAll("cut.kaud");
        const Run r(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(ReadAll("cut.kaud"), before);
        QVERIFY(!QFile::exists("typo.sqlite"));
    }

    // Numbers as people type them, locks by serial number or name; one that is not there is refused.
    void searchEdges_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("found");
        QTest::newRow("leading zeros are decimal") << QStringList{ "--event", "010" } << 0 << "0";
        QTest::newRow("nine with a zero") << QStringList{ "--event", "05" } << 0 << "many";
        QTest::newRow("hexadecimal") << QStringList{ "--event", "0x05", "--user", "0x03" } << 0 << "some";
        QTest::newRow("a lock by its name") << QStringList{ "--lock", "BANK01", "--event", "5" } << 0 << "many";
        QTest::newRow("a lock by its serial number") << QStringList{ "--lock", "30051122", "--event", "5" } << 0 << "many";
        QTest::newRow("a lock it does not hold") << QStringList{ "--lock", "VAULT9" } << 1 << "holds no lock VAULT9";
    }
    void searchEdges()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, found);
        if (!QFile::exists("e.sqlite"))
            QCOMPARE(Run({ "archive", "import", "--archive", "e.sqlite", "2-full.kaud" }).code, 0);
        const Run r(QStringList{ "archive", "search", "--archive", "e.sqlite" } + args + QStringList{ "-" });
        QCOMPARE(r.code, code);
        if (code != 0) {
            QVERIFY2(r.err.contains(found), qPrintable(r.err));
            return;
        }
        const int rows = r.out.count("\r\n") - 1;
        QVERIFY2(found == "0" ? rows == 0 : found == "some" ? rows > 0 && rows < 100 : rows > 100, qPrintable(r.out.left(200)));
        const QStringList lines = r.out.split("\r\n", Qt::SkipEmptyParts);
        if (args.contains("--event") && rows > 0)
            QCOMPARE(lines.value(1).section(',', 9, 9), "5");
    }

    // What a file name or a lock's text holds is printed as text, never obeyed by the terminal;
    // a name the system cannot read is refused alone, the others imported.
    void namesAsPrinted()
    {
        LockLife odd = life;
        odd.serial = "8\x1b[2J8";
        odd.name = "N\nAME";
        QVERIFY(WriteAll("line\nbreak.kaud", odd.download(30)));
        const Run r({ "archive", "import", "--archive", "n.sqlite", "line\nbreak.kaud", "odd-name", "1-partial.kaud" },
                    { { 5, "caf\\xe9.kaud" } });
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QStringLiteral("8\\x1b[2J8: 30 new events, 0 gaps\n30051122: 400 new events, 0 gaps\n"));
        QCOMPARE(r.err, QStringLiteral("caf\\xe9.kaud is not valid text in this system's encoding: it cannot be used.\n"));

        // Two locks that give one serial number: both kept, and the mix-up told.
        LockLife twin = life;
        twin.name = "ATM-02";
        twin.record(10);
        QVERIFY(WriteAll("twin.kaud", twin.download(400)));
        const Run t({ "archive", "import", "--archive", "n.sqlite", "twin.kaud" });
        QCOMPARE(t.code, 0);
        QVERIFY2(t.out.endsWith("; lock name changed from BANK01 to ATM-02\n"), qPrintable(t.out));
    }

    // Audits that waited for an archive whose address has changed since: listed, and sent to the
    // archive in use now, saying where they were meant to go.
    void waitingAuditsGoToTheArchiveInUse()
    {
        ArchiveQueue queue;
        QVector<ArchiveQueue::Waiting> before; // left by an earlier run of the test
        QVERIFY(queue.list(&before));
        for (const ArchiveQueue::Waiting& w : before)
            QVERIFY(queue.remove(w.id));
        QVERIFY(queue.add("postgresql://tech@old-server:5433/corvane", ReadAll("1-partial.kaud"), AuditKind::BusDownload,
                          QDir::current().absoluteFilePath("1-partial.kaud")));
        QVERIFY(queue.add("q.sqlite", ReadAll("2-full.kaud"), AuditKind::File));
        const Run listed({ "archive", "queue" });
        QCOMPARE(listed.code, 0);
        const QStringList lines = listed.out.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], "File,Lock,Downloaded,Meant for");
        QVERIFY2(lines[1].endsWith("1-partial.kaud,30051122," + lines[1].section(',', 2, 2) + ",postgresql://tech@old-server:5433/corvane"),
                 qPrintable(lines[1]));
        QVERIFY(lines[2].startsWith(",30051122,") && lines[2].endsWith(",q.sqlite"));

        const Run sent({ "archive", "sync", "--archive", "q.sqlite" });
        QCOMPARE(sent.code, 0);
        QCOMPARE(sent.out, QStringLiteral("30051122: 400 new events, 0 gaps (it was meant for "
                                          "postgresql://tech@old-server:5433/corvane)\n"
                                          "30051122: 700 new events, 0 gaps\n2 audits sent; 0 still waiting.\n"));
        QCOMPARE(queue.count(), 0);
    }

    // What a download obtains is kept too; saved and imported again, it is the same audit.
    void downloadsAreKept()
    {
        const Run first({ "download", "--port", "simulated", "--events", "300", "--archive", "d.sqlite", "d1.kaud" });
        QCOMPARE(first.code, 0);
        QVERIFY2(first.err.contains(QRegularExpression("\\n\\d+: 300 new events, 0 gaps\\n$")), qPrintable(first.err));
        QCOMPARE(Run({ "archive", "import", "--archive", "d.sqlite", "d1.kaud" }).out, "d1.kaud: already in the archive\n");
        const Run skipped({ "download", "--port", "simulated", "--events", "500", "--no-archive", "d2.kaud" });
        QCOMPARE(skipped.code, 0);
        QVERIFY(!skipped.err.contains("new events"));
        const Run listed({ "archive", "locks", "--archive", "d.sqlite", "-" });
        QCOMPARE(listed.out.count("\r\n"), 2);
        QCOMPARE(listed.out.split("\r\n").value(1).section(',', 2, 3), "1,300");

        // Nothing recorded since: --new reads the run that shows where the last visit ended.
        const Run again({ "download", "--port", "simulated", "--new", "--archive", "d.sqlite", "d3.kaud" });
        QCOMPARE(again.code, 0);
        QVERIFY2(again.err.contains("\n8 events, stopping at the last visit (") && again.err.endsWith(": 0 new events, 0 gaps\n")
                     && !again.err.contains("%"),
                 qPrintable(again.err));
    }
};

QTEST_MAIN(TestArchiveCli)
#include "tst_archivecli.moc"
