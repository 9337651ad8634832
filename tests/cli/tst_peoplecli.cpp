// The command line's directory of people, as a user meets it: a lock's listing written, filled in
// in a spreadsheet and imported back, tenures set and removed, and what is refused, with nothing
// changed.

#include "AuditCli.h"
#include "CliRun.h"
#include "archive/ArchiveFixtures.h"
#include "reports/ReportFixtures.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace archivefixtures;
using namespace fixtures;

namespace {

// The command with the archive of the case.
Run People(const QStringList& args, const QString& archive = QStringLiteral("p.sqlite"))
{
    return Run(QStringList{ "archive", "people", "--archive", archive } + args);
}

QString Listing(const QString& archive = QStringLiteral("p.sqlite"))
{
    const Run r = People({ "30051122", "-" }, archive);
    return r.code == 0 ? r.out : QStringLiteral("exit %1: %2").arg(r.code).arg(r.err);
}

} // namespace

class TestPeopleCli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid() && QDir::setCurrent(dir.path()));
        // The catalogues go beside the program, where the command line looks.
        for (const char* language : { "en", "it", "es" }) {
            const QString name = QStringLiteral("/audit_%1.qm").arg(language);
            QFile::remove(QCoreApplication::applicationDirPath() + name);
            QVERIFY(QFile::copy(CORVANE_BINARY_DIR + name, QCoreApplication::applicationDirPath() + name));
        }
        QVERIFY(WriteAll("locks.csv", "Serial number,Lock name,Visits\r\n30051122,BANK01,1\r\n"));
        // The sample lock installed users 1, 61 and 81 and disabled 2, 58 and 60; its visit is on
        // 2025-01-06.
        LockLife life;
        life.record(40);
        QVERIFY(WriteAll("visit.kaud", life.download()));
    }
    void init()
    {
        QFile::remove("p.sqlite");
        QCOMPARE(Run({ "archive", "import", "--archive", "p.sqlite", "visit.kaud" }).code, 0);
    }

    // List, fill in as a user would in an Italian spreadsheet (semicolons), import, list again.
    void listFillImport()
    {
        QCOMPARE(People({ "30051122", "--set", "61", "Anna", "--from", "2020-01-01", "--until", "2024-12-31" }).code, 0);
        const Run listed = People({ "30051122", "--language", "it", "listing.csv" });
        QCOMPARE(listed.code, 0);
        QCOMPARE(listed.out, QString());
        const QByteArray csv = ReadAll("listing.csv");
        QCOMPARE(QString::fromUtf8(csv), QString("Utente,Persona,Dal,Al\r\n"
                                                 "Utente 01,,,\r\n"
                                                 "Utente 02,,,\r\n"
                                                 "Utente 58,,,\r\n"
                                                 "Manager,,,\r\n"
                                                 "Manager 02,Anna,2020-01-01,2024-12-31\r\n"
                                                 "Manager 02,,,\r\n"
                                                 "Master 02,,,\r\n"));
        QByteArray filled = csv;
        filled.replace(',', ';');
        filled.replace("Utente 01;;;", "Utente 01;\"Rossi; Maria\";2024-01-01;");
        filled.replace("Manager 02;;;", "Manager 02;=Luca;2025-01-01;");
        filled.replace("Master 02;;;", "Master 02;D'Angelo \"Dino\";2024-06-01;2024-12-31");
        QVERIFY(WriteAll("filled.csv", filled));
        const Run imported = People({ "30051122", "--import", "filled.csv" });
        QCOMPARE(imported.err, QString());
        QCOMPARE(imported.out, "4 tenures kept for lock 30051122.\n");
        QCOMPARE(imported.code, 0);
        QCOMPARE(Listing(), QString("User,Person,From,Until\r\n"
                                    "User 01,Rossi; Maria,2024-01-01,\r\n"
                                    "User 02,,,\r\n"
                                    "User 58,,,\r\n"
                                    "Manager,,,\r\n"
                                    "Manager 02,Anna,2020-01-01,2024-12-31\r\n"
                                    "Manager 02,'=Luca,2025-01-01,\r\n"
                                    "Master 02,\"D'Angelo \"\"Dino\"\"\",2024-06-01,2024-12-31\r\n"
                                    "Master 02,,,\r\n"));
        // What was listed imports back to itself.
        const QString before = Listing();
        QVERIFY(WriteAll("again.csv", before.toUtf8()));
        QCOMPARE(People({ "30051122", "--import", "again.csv" }).code, 0);
        QCOMPARE(Listing(), before);
    }

    // A hand-over and a removal, each told as the user's tenures after it.
    void setAndRemove()
    {
        const Run first = People({ "30051122", "--set", "3", "  Maria Rossi ", "--from", "2024-01-01" });
        QCOMPARE(first.code, 0);
        QCOMPARE(first.out, "User 03 is Maria Rossi since 2024-01-01\n");
        const Run handOver = People({ "30051122", "--set", "03", "Luca", "--from", "2024-09-01" });
        QCOMPARE(handOver.code, 0);
        QCOMPARE(handOver.out, "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31\nUser 03 is Luca since 2024-09-01\n");
        const Run removed = People({ "30051122", "--remove", "3", "--from", "2024-01-01" });
        QCOMPARE(removed.code, 0);
        QCOMPARE(removed.out, "User 03 is Luca since 2024-09-01\n");
        const Run last = People({ "30051122", "--remove", "3", "--from", "2024-09-01" });
        QCOMPARE(last.code, 0);
        QCOMPARE(last.out, "User 03 has no tenures.\n");
        const Run spanish = People({ "30051122", "--set", "80", "Piero", "--from", "2024-09-01", "--language", "es" });
        QCOMPARE(spanish.out, QString::fromUtf8("Maestro es Piero desde el 2024-09-01\n"));
        QVERIFY(WriteAll("one.csv", "User,Person,From,Until\n3,Ada,2024-01-01,\n"));
        QCOMPARE(People({ "30051122", "--import", "one.csv" }).out, "1 tenure kept for lock 30051122.\n");
    }

    // Each refusal says why, with the exit status of its kind, and changes nothing.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QStringList set = { "30051122", "--set", "3" };
        QTest::newRow("an empty name") << set + QStringList{ " ", "--from", "2024-01-01" } << 1
                                       << "The name of the person is empty.";
        QTest::newRow("81 characters") << set + QStringList{ QString(81, 'n'), "--from", "2024-01-01" } << 1
                                       << "The name of the person is longer than 80 characters.";
        QTest::newRow("until before from")
            << set + QStringList{ "Ada", "--from", "2024-01-02", "--until", "2024-01-01" } << 1
            << "The last day, 2024-01-01, is before the first, 2024-01-02.";
        QTest::newRow("an impossible day") << set + QStringList{ "Ada", "--from", "2023-02-29" } << 1
                                           << "'2023-02-29' is not a day: write it as YYYY-MM-DD.";
        QTest::newRow("a user by name") << QStringList{ "30051122", "--set", "Manager", "Ada", "--from", "2024-01-01" } << 1
                                        << "'Manager' is not a user number.";
        QTest::newRow("an unknown lock") << QStringList{ "99999999", "--set", "3", "Ada", "--from", "2024-01-01" } << 1
                                         << "The archive p.sqlite holds no lock 99999999.";
        QTest::newRow("an overlap") << QStringList{ "30051122", "--set", "61", "Ada", "--from", "2019-05-01" } << 1
                                    << "Manager 02 is Anna since 2020-01-01";
        QTest::newRow("removing what is not there") << QStringList{ "30051122", "--remove", "61", "--from", "2020-01-02" }
                                                    << 1 << "Manager 02 has no tenure from 2020-01-02.";
        QTest::newRow("a refused file") << QStringList{ "30051122", "--import", "bad.csv" } << 1
                                        << "line 3: '2024-13-01' is not a day: write it as YYYY-MM-DD.";
        QTest::newRow("a file of another kind") << QStringList{ "30051122", "--import", "locks.csv" } << 1
                                                << "line 1: the first line must be the header User,Person,From,Until.";
        QTest::newRow("an audit file") << QStringList{ "30051122", "--import", "visit.kaud" } << 1
                                       << "line 1: the text is not UTF-8.";
        QTest::newRow("no such file") << QStringList{ "30051122", "--import", "none.csv" } << 1 << "Unable to read none.csv";
        QTest::newRow("a listing that is no CSV") << QStringList{ "30051122", "p.xlsx" } << 2 << "Unsupported output: p.xlsx";
        QTest::newRow("without --from") << QStringList{ "30051122", "--set", "3", "Ada" } << 2 << "--set needs --from DAY.";
        QTest::newRow("without a name") << QStringList{ "30051122", "--set", "3" } << 2 << "Option --set needs a value.";
        QTest::newRow("two changes") << QStringList{ "30051122", "--remove", "3", "--import", "bad.csv" } << 2
                                     << "--remove and --import exclude each other.";
        QTest::newRow("until on a removal") << QStringList{ "30051122", "--remove", "3", "--from", "2024-01-01", "--until",
                                                            "2024-02-01" }
                                            << 2 << "--until goes only with --set.";
        QTest::newRow("from on a listing") << QStringList{ "30051122", "--from", "2024-01-01", "-" } << 2
                                           << "--from goes only with --set and --remove.";
        QTest::newRow("a listing without output") << QStringList{ "30051122" } << 2 << "Wrong number of arguments.";
        QTest::newRow("an unknown language") << QStringList{ "30051122", "--language", "fr", "-" } << 2
                                             << "Unknown value for --language: fr (use en|it|es).";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(People({ "30051122", "--set", "61", "Anna", "--from", "2020-01-01" }).code, 0);
        QVERIFY(WriteAll("bad.csv", "User,Person,From,Until\r\nUser 05,Ugo,2024-02-01,\r\nUser 06,Eva,2024-13-01,\r\n"));
        const QString before = Listing();
        const Run r = People(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QCOMPARE(Listing(), before);
    }

    // The lock by its exact name too; a name in another encoding than the system's is not used.
    void lockByNameAndUnreadableArguments()
    {
        QCOMPARE(People({ "30051122", "--set", "3", "Ada", "--from", "2024-01-01" }).code, 0);
        const Run byName = People({ "BANK01", "-" });
        QCOMPARE(byName.code, 0);
        QCOMPARE(byName.out, Listing());
        const Run unreadable({ "archive", "people", "--archive", "p.sqlite", "BANK01", "--set", "3", "Mar?a", "--from",
                               "2024-02-01" },
                             { { 7, "Mar\\xeda" } });
        QCOMPARE(unreadable.code, 1);
        QCOMPARE(unreadable.err, "Mar\\xeda is not valid text in this system's encoding: it cannot be used.\n");
        QVERIFY(Listing().contains("User 03,Ada,2024-01-01,\r\n"));
    }

    // A missing archive is not made by asking it for people.
    void aMissingArchive()
    {
        const Run r = People({ "30051122", "-" }, "missing.sqlite");
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("There is no archive at missing.sqlite"), qPrintable(r.err));
        QVERIFY(!QFile::exists("missing.sqlite"));
    }

    // A name written into the archive by another program, with what a terminal would obey: shown
    // escaped on the terminal, kept exactly in the CSV.
    void controlCharactersAreShownEscaped()
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
            db.setDatabaseName("p.sqlite");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("INSERT INTO people (lock_id, user_number, person, from_day, until_day) "
                           "SELECT id, 3, 'Eve' || char(27) || '[2J' || char(8238), '2024-01-01', NULL FROM locks"));
            db.close();
        }
        QSqlDatabase::removeDatabase("other");
        const Run r = People({ "30051122", "--set", "3", "Luca", "--from", "2024-09-01" });
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, "User 03 is Eve\\x1b[2J\\u202e from 2024-01-01 to 2024-08-31\nUser 03 is Luca since 2024-09-01\n");
        QVERIFY(Listing().contains(QString("User 03,Eve\x1b[2J") + QChar(0x202E) + ",2024-01-01,2024-08-31\r\n"));
    }

    void help()
    {
        const Run help = Run({ "archive", "people", "--help" });
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.startsWith("Usage: corvane-audit-cli archive people SERIAL"));
        QVERIFY(help.out.contains("--archive PATH   the archive"));
        const Run all = Run({ "--help" });
        QVERIFY(all.out.contains("archive people SERIAL [--archive PATH] --import FILE.csv\n"));
    }
};

QTEST_GUILESS_MAIN(TestPeopleCli)
#include "tst_peoplecli.moc"
