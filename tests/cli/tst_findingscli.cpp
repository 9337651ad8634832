// The command line's findings, end to end on a SQLite file and again on the test run's PostgreSQL
// server: the archive's findings with their options, the rules set and printed, a role that may
// only read, the findings of one audit file, and a lock's texts on a terminal.

#include "AuditCli.h"
#include "CliRun.h"
#include "LockSimProcess.h"
#include "archive/FindingsFixtures.h"
#include "reports/ReadBack.h"
#include "reports/ReportFixtures.h"

#include <QtTest>

using namespace archivefixtures;
using fixtures::WriteAll;

namespace {

const QString Header = "Serial number,Lock name,Finding,Date,Until,User,Person,Events,Visit";
const QByteArray OddName = "BK\x1b[0m";

// A's week as the findings list it by default, newest first.
QStringList WeekRows(const QString& lock, const QString& visit = "1")
{
    return { lock + ",Opening outside hours,11/01/2025 10.00.00,,User 03,,1," + visit,
             lock + ",Wrong code burst,07/01/2025 10.00.00,07/01/2025 10.20.00,,,5," + visit,
             lock + ",Opening outside hours,06/01/2025 22.00.00,,User 03,,1," + visit,
             lock + ",Duress opening,06/01/2025 09.00.00,,User 04,,1," + visit };
}

QStringList Lines(const QString& csv)
{
    return csv.split("\r\n", Qt::SkipEmptyParts);
}

} // namespace

class TestFindingsCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;
    QString freshLocation()
    {
        ++m_count;
        return backend == Backend::Sqlite ? m_dir.filePath(QStringLiteral("f-%1.sqlite").arg(m_count))
                                          : FreshServerArchive(QStringLiteral("fcli_%1").arg(m_count));
    }
    // An archive holding the weeks of A (30051122 BANK01) and B (30051123, a name with an escape).
    QString fleet()
    {
        const QString location = freshLocation();
        const Run imported({ "archive", "import", "--archive", location, "a.kaud", "b.kaud" });
        return imported.code == 0 ? location : QString();
    }

public:
    Backend backend = Backend::Sqlite;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid() && QDir::setCurrent(m_dir.path()));
        QVERIFY(WriteAll("a.kaud", Week("30051122", "BANK01").download()));
        QVERIFY(WriteAll("b.kaud", Week("30051123", OddName).download()));
    }

    void findings_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("rows");
        const QString a = "30051122,BANK01", b = "30051123," + QString::fromLatin1(OddName);
        QTest::newRow("every lock") << QStringList{ "--at", "2025-01-12" } << WeekRows(a) + WeekRows(b);
        QTest::newRow("one kind of one lock, by name")
            << QStringList{ "--kind", "duress", "--lock", "BANK01", "--at", "2025-01-12" } << QStringList(WeekRows(a).mid(3));
        QTest::newRow("kinds repeated and listed")
            << QStringList{ "--kind", "duress,not-visited", "--kind", "wrong-codes", "--lock", "30051123", "--at",
                            "2025-12-31" }
            << QStringList{ b + ",Not visited,12/01/2025 12.05.00,,,,,1", WeekRows(b)[1], WeekRows(b)[3] };
        QTest::newRow("a period, Not visited whatever it says")
            << QStringList{ "--from", "2025-01-07", "--to", "2025-01-10", "--lock", "30051122", "--at", "2025-12-31" }
            << QStringList{ a + ",Not visited,12/01/2025 12.05.00,,,,,1", WeekRows(a)[1] };
        QTest::newRow("the days of a period are whole")
            << QStringList{ "--from", "2025-01-06", "--to", "2025-01-06", "--lock", "30051122", "--at", "2025-01-12" }
            << QStringList(WeekRows(a).mid(2));
        // Two hours earlier, Monday's 08:00 opening falls outside the hours; the Date stays as recorded.
        QTest::newRow("a DST correction and a 12-hour clock")
            << QStringList{ "--dst", "1,1,1,5,0,10,subtract,2", "--hour-format", "12", "--date-format", "mdy", "--lock",
                            "30051122", "--kind", "outside-hours", "--at", "2025-01-12" }
            << QStringList{ a + ",Opening outside hours,01/11/2025 10.00.00 AM,,User 03,,1,1",
                            a + ",Opening outside hours,01/06/2025 10.00.00 PM,,User 03,,1,1",
                            a + ",Opening outside hours,01/06/2025 08.00.00 AM,,User 03,,1,1" };
        QTest::newRow("nothing found") << QStringList{ "--kind", "reset" } << QStringList();
    }
    void findings()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, rows);
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        const Run r(QStringList{ "archive", "findings", "--archive", location } + args + QStringList{ "-" });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(Lines(r.out), QStringList{ Header } + rows);
        // To a file, the same bytes.
        QCOMPARE(Run(QStringList{ "archive", "findings", "--archive", location } + args + QStringList{ "f.csv" }).code, 0);
        QCOMPARE(QString::fromUtf8(ReadAllFile("f.csv")), r.out);
        // The report: each lock's findings after a row that names it, in the workbook and the PDF.
        QCOMPARE(Run(QStringList{ "archive", "findings", "--archive", location } + args + QStringList{ "f.xlsx" }).code, 0);
        const QJsonObject cells = readback::Workbook("f.xlsx").value("Findings").toObject().value("cells").toObject();
        const QString book = QJsonDocument(cells).toJson();
        QCOMPARE(Run(QStringList{ "archive", "findings", "--archive", location } + args + QStringList{ "f.pdf" }).code, 0);
        const QString pdf = readback::PdfPages("f.pdf").join('\n').simplified();
        QVERIFY2(pdf.contains("Findings: ") && pdf.contains("Serial number Lock name Finding"), qPrintable(pdf.left(300)));
        for (const QString& row : rows) {
            const QString date = row.section(',', 3, 3);
            QVERIFY2(book.contains(date) && pdf.contains(date), qPrintable(row));
        }
        const QString lock = rows.value(0).section(',', 0, 0);
        const auto lockRows = std::count_if(rows.begin(), rows.end(), [&](const QString& r) { return r.startsWith(lock + ','); });
        if (!rows.isEmpty())
            QCOMPARE(book.count(lock + '|'), int(lockRows) + 1);
    }

    // The rules as the team sets them, printed back, and what they change in the findings.
    void rules()
    {
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        const auto run = [&](QStringList args) {
            args.insert(2, "--archive");
            args.insert(3, location);
            return Run(args);
        };
        QCOMPARE(run({ "archive", "hours" }).out, "*,Mon-Fri 07:00-20:00\r\n");
        const Run own = run({ "archive", "hours", "30051123", "mon-fri", "07:00-20:00;", "sat", "8:00-12:00" });
        QVERIFY2(own.code == 0, qPrintable(own.err));
        QCOMPARE(own.out, "30051123,Mon-Fri 07:00-20:00; Sat 08:00-12:00\r\n");
        QCOMPARE(run({ "archive", "hours", "BANK01", "Mon-Sun 00:00-06:00,22:00-24:00" }).out,
                 "30051122,\"Mon-Sun 00:00-06:00, 22:00-24:00\"\r\n");
        QCOMPARE(run({ "archive", "hours", "--default", "Mon-Fri 08:00-18:00" }).out, "*,Mon-Fri 08:00-18:00\r\n");
        QCOMPARE(run({ "archive", "hours" }).out, "*,Mon-Fri 08:00-18:00\r\n"
                                                  "30051122,\"Mon-Sun 00:00-06:00, 22:00-24:00\"\r\n"
                                                  "30051123,Mon-Fri 07:00-20:00; Sat 08:00-12:00\r\n");
        QCOMPARE(run({ "archive", "hours", "30051122", "default" }).out, "30051122,Mon-Fri 08:00-18:00\r\n");
        QCOMPARE(run({ "archive", "hours", "--default" }).out, "*,Mon-Fri 08:00-18:00\r\n");

        QCOMPARE(run({ "archive", "closed", "add", "2025-01-08", "2025-12-25" }).code, 0);
        QCOMPARE(run({ "archive", "closed", "-" }).out, "2025-01-08\n2025-12-25\n");
        const Run missing = run({ "archive", "closed", "remove", "2025-12-25", "2025-12-26" });
        QCOMPARE(missing.code, 1);
        QVERIFY2(missing.err.startsWith("2025-12-26 is not a closed day in the archive"), qPrintable(missing.err));
        QCOMPARE(run({ "archive", "closed", "remove", "2025-12-25" }).code, 0);
        QCOMPARE(run({ "archive", "closed" }).out, "2025-01-08\n");

        QCOMPARE(run({ "archive", "findings-settings" }).out,
                 "wrong-codes,5/10\r\nclock-minutes,60\r\ndoor-minutes,30\r\nvisit-days,180\r\n");
        QCOMPARE(run({ "archive", "findings-settings", "--wrong-codes", "6/10", "--visit-days", "365" }).out,
                 "wrong-codes,6/10\r\nclock-minutes,60\r\ndoor-minutes,30\r\nvisit-days,365\r\n");

        // B: Saturday within its own hours, Wednesday closed; no burst of six.
        const Run found = run({ "archive", "findings", "--lock", "30051123", "--at", "2025-01-12", "-" });
        QCOMPARE(Lines(found.out).mid(1),
                 (QStringList{ "30051123," + QString::fromLatin1(OddName)
                                   + ",Opening outside hours,08/01/2025 10.00.00,,User 03,,1,1",
                               WeekRows("30051123," + QString::fromLatin1(OddName))[2],
                               WeekRows("30051123," + QString::fromLatin1(OddName))[3] }));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("an unknown kind") << QStringList{ "archive", "findings", "--kind", "theft", "-" } << 2
                                         << "Unknown finding \"theft\": the findings are duress, outside-hours,";
        QTest::newRow("a bad day") << QStringList{ "archive", "findings", "--from", "2025-02-30", "-" } << 2
                                   << "Unknown value for --from: 2025-02-30 (use YYYY-MM-DD).";
        QTest::newRow("a bad judgement day") << QStringList{ "archive", "findings", "--at", "tomorrow", "-" } << 2
                                             << "tomorrow is not a date: a date is written YYYY-MM-DD.";
        QTest::newRow("no output") << QStringList{ "archive", "findings" } << 2 << "Wrong number of arguments.";
        QTest::newRow("a table") << QStringList{ "archive", "findings", "--table", "users", "-" } << 2
                                 << "Unknown option: --table";
        QTest::newRow("an unknown lock") << QStringList{ "archive", "findings", "--lock", "99999999", "-" } << 1
                                         << "holds no lock 99999999.";
        QTest::newRow("bad hours") << QStringList{ "archive", "hours", "30051122", "Mon-Fri", "07:00-25:00" } << 2
                                   << "Bad time \"25:00\"";
        QTest::newRow("the default back to itself") << QStringList{ "archive", "hours", "--default", "default" } << 2
                                                    << "The default hours cannot go back to themselves";
        QTest::newRow("hours of a lock not there") << QStringList{ "archive", "hours", "99999999", "closed" } << 1
                                                   << "holds no lock 99999999.";
        QTest::newRow("a closed day that is none") << QStringList{ "archive", "closed", "add", "2025-13-01" } << 2
                                                   << "2025-13-01 is not a date";
        QTest::newRow("closed without a verb") << QStringList{ "archive", "closed", "2025-12-25" } << 2
                                               << "Wrong number of arguments.";
        QTest::newRow("closed without days") << QStringList{ "archive", "closed", "add" } << 2
                                             << "Wrong number of arguments.";
        QTest::newRow("a threshold out of bounds") << QStringList{ "archive", "findings-settings", "--door-minutes", "0" }
                                                   << 2 << "The minutes a door may stay open are 1 to 1440, not 0.";
        QTest::newRow("a threshold of words") << QStringList{ "archive", "findings-settings", "--wrong-codes", "5" } << 2
                                              << "Bad wrong-code threshold \"5\"";
        QTest::newRow("an unknown threshold") << QStringList{ "archive", "findings-settings", "--doors", "5" } << 2
                                              << "Unknown option: --doors";
        QTest::newRow("findings of a history") << QStringList{ "archive", "history", "30051122", "--table", "findings", "-" }
                                               << 2 << "A lock's history has its findings written by";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        args.insert(2, "--archive");
        args.insert(3, location);
        const Run r(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (code == 2 && args[1] != "history")
            QVERIFY2(r.err.contains("Try 'corvane-audit-cli archive " + args[1] + " --help'."), qPrintable(r.err));
        // Nothing refused changed a rule.
        QCOMPARE(Run({ "archive", "hours", "--archive", location }).out, "*,Mon-Fri 07:00-20:00\r\n");
        QCOMPARE(Run({ "archive", "closed", "--archive", location, "-" }).out, "");
    }

    // What only reads makes no archive where there is none.
    void readingMakesNoArchive()
    {
        if (backend == Backend::Server)
            QSKIP("a server's database is there or not whatever the program does");
        for (const QStringList& args : { QStringList{ "findings", "-" }, QStringList{ "hours" }, QStringList{ "closed", "-" },
                                         QStringList{ "findings-settings" } }) {
            const Run r(QStringList{ "archive", args[0], "--archive", "none.sqlite" } + args.mid(1));
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.startsWith("There is no archive at"), qPrintable(r.err));
        }
        QVERIFY(!QFile::exists("none.sqlite"));
        QCOMPARE(Run({ "archive", "closed", "--archive", "made.sqlite", "add", "2025-12-25" }).code, 0);
        QCOMPARE(Run({ "archive", "closed", "--archive", "made.sqlite", "-" }).out, "2025-12-25\n");
    }

    // A supervisor prints the rules and the findings, and is told why a change is refused.
    void aSupervisorMayOnlyRead()
    {
        if (backend == Backend::Sqlite)
            QSKIP("a role is the server's");
        const QString owner = fleet();
        QVERIFY(!owner.isEmpty());
        QVERIFY(OnTestServer(QUrl(owner).path().mid(1),
                             { "DO $$ BEGIN CREATE ROLE reader LOGIN PASSWORD 'reader'; "
                               "EXCEPTION WHEN duplicate_object THEN NULL; END $$",
                               "GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader" }));
        QUrl url(owner);
        url.setUserName("reader");
        url.setPassword("reader");
        const QString reader = url.toString();
        QCOMPARE(Run({ "archive", "hours", "--archive", reader }).out, "*,Mon-Fri 07:00-20:00\r\n");
        QCOMPARE(Lines(Run({ "archive", "findings", "--archive", reader, "--kind", "duress", "-" }).out).size(), 3);
        for (const QStringList& args :
             { QStringList{ "hours", "--default", "closed" }, QStringList{ "hours", "30051122", "closed" },
               QStringList{ "closed", "add", "2025-12-25" }, QStringList{ "findings-settings", "--visit-days", "1" } }) {
            const Run r(QStringList{ "archive", args[0], "--archive", reader } + args.mid(1));
            QCOMPARE(r.code, 1);
            QCOMPARE(r.err, "You may read this archive but not add to it\n");
            QVERIFY(!r.err.contains("reader@"));
        }
    }

    // One audit file, judged without an archive: the default rules, no visit.
    void exportOneAudit()
    {
        if (backend == Backend::Server)
            QSKIP("export reads no archive");
        const Run r({ "export", "a.kaud", "-", "--table", "findings" });
        QCOMPARE(r.code, 0);
        QStringList rows = WeekRows("30051122,BANK01", "");
        QCOMPARE(Lines(r.out), QStringList{ Header } + rows);
        // The archive's rules play no part, even where the default archive has some.
        QCOMPARE(Run({ "archive", "hours", "--default", "closed" }).code, 0);
        const Run corrected({ "export", "a.kaud", "c.csv", "--table", "findings", "--dst", "1,1,1,5,0,10,subtract,2" });
        QCOMPARE(corrected.code, 0);
        QCOMPARE(Lines(QString::fromUtf8(ReadAllFile("c.csv"))).size(), 1 + 5);
        QCOMPARE(Run({ "export", "a.kaud", "-", "--table", "findings" }).out, r.out);
    }

    // The simulated lock, visited twice: between the visits it records a duress opening, a burst of
    // wrong codes and a night opening, and the second visit brings exactly those findings.
    void scenesOfTheSimulator()
    {
        if (backend == Backend::Server)
            QSKIP("the same on either backend");
        LockSimProcess sim({});
        QVERIFY(!sim.path().isEmpty());
        const Run first({ "download", "--port", sim.path(), "--events", "20", "--archive", "sim.sqlite", "v1.kaud" });
        QVERIFY2(first.code == 0, qPrintable(first.err));
        for (const char* scene : { "duress", "wrong-codes", "night" })
            QVERIFY(sim.command(QByteArray("scene ") + scene).startsWith("the lock recorded the scene"));
        QVERIFY(sim.command("scene fire").startsWith("unknown command"));
        const Run second({ "download", "--port", sim.path(), "--new", "--archive", "sim.sqlite", "v2.kaud" });
        QVERIFY2(second.code == 0, qPrintable(second.err));
        const Run found({ "archive", "findings", "--archive", "sim.sqlite", "--kind", "duress,wrong-codes,outside-hours",
                          "--from", "2025-03-04", "-" });
        QCOMPARE(Lines(found.out).mid(1),
                 (QStringList{ "23041207,VAULT1,Opening outside hours,04/03/2025 23.30.30,,User 04,,1,2",
                               "23041207,VAULT1,Wrong code burst,04/03/2025 11.00.00,04/03/2025 11.05.00,,,6,2",
                               "23041207,VAULT1,Duress opening,04/03/2025 10.00.00,,User 02,,1,2" }));
    }

    // On a terminal a lock's control characters are shown, not obeyed; elsewhere they are kept.
    void onATerminal()
    {
        if (backend == Backend::Server)
            QSKIP("the same on either backend");
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        const QStringList args{ "archive", "findings", "--archive", location, "--lock", "30051123", "--kind", "duress", "-" };
        QVERIFY(Run(args).out.contains(QString::fromLatin1(OddName)));
        QProcess pty;
        pty.start("/usr/bin/python3",
                  QStringList{ "-c",
                               "import os, pty, sys\n"
                               "pid, fd = pty.fork()\n"
                               "if pid == 0:\n"
                               "    os.execv(sys.argv[1], sys.argv[1:])\n"
                               "out = b''\n"
                               "while True:\n"
                               "    try:\n"
                               "        data = os.read(fd, 4096)\n"
                               "    except OSError:\n"
                               "        break\n"
                               "    if not data:\n"
                               "        break\n"
                               "    out += data\n"
                               "status = os.waitpid(pid, 0)[1]\n"
                               "sys.stdout.buffer.write(out)\n"
                               "sys.exit(os.waitstatus_to_exitcode(status))\n",
                               CORVANE_BINARY_DIR "/corvane-audit-cli" }
                      + args);
        QVERIFY(pty.waitForFinished(60000));
        QCOMPARE(pty.exitCode(), 0);
        const QByteArray shown = pty.readAllStandardOutput();
        QVERIFY2(shown.contains("30051123,BK\\x1b[0m,Duress opening"), shown.constData());
        QVERIFY(!shown.contains('\x1b'));
    }
};

// Every case on each backend; the server is the one the test run started.
int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // the PDF report needs one
    TestFindingsCli sqlite;
    int failed = QTest::qExec(&sqlite, argc, argv);
    TestFindingsCli server;
    server.backend = Backend::Server;
    if (TestServerUrl().isEmpty()) {
        std::fprintf(stderr, "No PostgreSQL test server: %s is missing.\n", qPrintable(TestServerUrlFile()));
        return failed + 1;
    }
    failed += QTest::qExec(&server, argc, argv);
    return failed;
}
#include "tst_findingscli.moc"
