// The archive's evidence on the command line: a lock's audits given back and checked with the
// system's own sha256sum, heads a report quotes, and verification that never writes.

#include "AuditCli.h"
#include "CliRun.h"
#include "archive/ArchiveFixtures.h"
#include "reports/ReportFixtures.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace archivefixtures;
using namespace fixtures;

namespace {

// Every file of a folder with its bytes' digest: what a command that only reads leaves as it was.
QStringList FolderState(const QString& path)
{
    QStringList state;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        state << name + ' ' + QCryptographicHash::hash(ReadAll(dir.filePath(name)), QCryptographicHash::Sha256).toHex();
    return state;
}

bool Sql(const QString& path, const QString& statement)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "tamper");
        db.setDatabaseName(path);
        ok = db.open() && QSqlQuery(db).exec(statement);
    }
    QSqlDatabase::removeDatabase("tamper");
    return ok;
}

} // namespace

class TestEvidenceCli : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    LockLife life;
    QStringList files;
    QStringList downloaded; // each audit's download date as its file is named

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid() && QDir::setCurrent(dir.path()));
        // Three visits of one lock: a part, the whole a day later, a key.
        life.record(800);
        files << "v1.kaud";
        QVERIFY(WriteAll(files.last(), life.download(300)));
        downloaded << AuditDateTime(life.now + 300).toString("yyyyMMdd-HHmm");
        life.record(50);
        life.passDays(1);
        files << "v2.kaud";
        QVERIFY(WriteAll(files.last(), life.download()));
        downloaded << AuditDateTime(life.now + 300).toString("yyyyMMdd-HHmm");
        life.record(10);
        files << "v3.kaud";
        QVERIFY(WriteAll(files.last(), life.key()));
        downloaded << AuditDateTime(life.now + 300).toString("yyyyMMdd-HHmm");
        QCOMPARE(Run(QStringList{ "archive", "import", "--archive", "a.sqlite" } + files).code, 0);
    }

    // Out as they came in: byte for byte, checked by sha256sum, and the same audits to the archive.
    void auditsRoundTrip()
    {
        const Run saved({ "archive", "audits", "30051122", "--archive", "a.sqlite", "out/lock" });
        QCOMPARE(saved.code, 0);
        QCOMPARE(saved.out, "3 audits of lock 30051122 written to out/lock, with their SHA-256 sums in SHA256SUMS.\n");
        const QStringList names = QDir("out/lock").entryList(QDir::Files, QDir::Name);
        QCOMPARE(names.size(), 4);
        QCOMPARE(names.last(), "SHA256SUMS");
        for (int v = 0; v < 3; ++v) {
            // Named by visit and download date-time; a key's date is read to the minute.
            QVERIFY2(QRegularExpression(QStringLiteral("^%1-%2\\d\\d\\.kaud$").arg(v + 1).arg(downloaded[v])).match(names[v]).hasMatch(),
                     qPrintable(names[v]));
            QCOMPARE(ReadAll("out/lock/" + names[v]), ReadAll(files[v]));
        }

        QProcess check;
        check.setWorkingDirectory("out/lock");
        check.start("sha256sum", { "-c", "SHA256SUMS" });
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(check.readAllStandardOutput()),
                 names[0] + ": OK\n" + names[1] + ": OK\n" + names[2] + ": OK\n");

        QStringList again{ "archive", "import", "--archive", "a.sqlite" };
        for (int v = 0; v < 3; ++v)
            again << "out/lock/" + names[v];
        const Run imported(again);
        QCOMPARE(imported.code, 0);
        QCOMPARE(imported.out.count(": already in the archive\n"), 3);
    }

    // An audit changed in the archive is written as kept; sha256sum names it, and so does the command.
    void auditsOfAChangedAudit()
    {
        QVERIFY(QFile::copy("a.sqlite", "changed.sqlite"));
        QVERIFY(Sql("changed.sqlite", "UPDATE audits SET content = CAST('not the audit' AS BLOB) WHERE id = 2"));
        const Run saved({ "archive", "audits", "30051122", "--archive", "changed.sqlite", "changed" });
        QCOMPARE(saved.code, 1);
        QVERIFY2(saved.err.startsWith("30051122: changed/2-") && saved.err.endsWith(
                     ".kaud no longer matches the SHA-256 recorded at its import.\n"),
                 qPrintable(saved.err));
        QCOMPARE(ReadAll(saved.err.section(' ', 1, 1)), QByteArray("not the audit"));
        QProcess check;
        check.setWorkingDirectory("changed");
        check.start("sha256sum", { "-c", "SHA256SUMS" });
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 1);
        QVERIFY(check.readAllStandardOutput().contains(saved.err.section(' ', 1, 1).mid(8).toUtf8() + ": FAILED"));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("an unknown lock") << QStringList{ "archive", "audits", "99999999", "--archive", "a.sqlite", "x" } << 1
                                         << "The archive a.sqlite holds no lock 99999999.\n";
        QTest::newRow("a file for the folder")
            << QStringList{ "archive", "audits", "30051122", "--archive", "a.sqlite", "v1.kaud" } << 1
            << "Unable to write v1.kaud: it is a file, not a folder\n";
        QTest::newRow("no folder") << QStringList{ "archive", "audits", "30051122", "--archive", "a.sqlite" } << 2
                                   << "Wrong number of arguments.\nTry 'corvane-audit-cli archive audits --help'.\n";
        QTest::newRow("no archive there") << QStringList{ "archive", "verify", "--archive", "none.sqlite" } << 1
                                          << "There is no archive at none.sqlite\n";
        QTest::newRow("a head that is no hash") << QStringList{ "archive", "verify", "--archive", "a.sqlite", "--head", "abc" }
                                                << 2 << "Unknown value for --head: abc (use 64 hex digits).\n"
                                                        "Try 'corvane-audit-cli archive verify --help'.\n";
        QTest::newRow("not an archive") << QStringList{ "archive", "verify", "--archive", "v1.kaud" } << 1
                                        << "The archive v1.kaud cannot be read: it is not an archive of this program, "
                                           "or it is damaged.\n";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QStringList before = FolderState(".");
        const Run r(args);
        QCOMPARE(r.err, message);
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, QString());
        QCOMPARE(FolderState("."), before);
    }

    // A head quoted before more audits came is still reached; one of no link is a fault.
    void quotedHeads()
    {
        const Run first({ "archive", "verify", "--archive", "a.sqlite" });
        QCOMPARE(first.code, 0);
        const QString head = first.out.trimmed().section(' ', -1);
        QCOMPARE(head.size(), 64);
        life.record(40);
        QVERIFY(WriteAll("v4.kaud", life.download()));
        QCOMPARE(Run({ "archive", "import", "--archive", "a.sqlite", "v4.kaud" }).code, 0);

        const Run later({ "archive", "verify", "--archive", "a.sqlite", "--head", head.toUpper() });
        QCOMPARE(later.code, 0);
        const QStringList lines = later.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("The chain reaches " + head + " at the import of "), qPrintable(lines[0]));
        QVERIFY(lines[1].startsWith("Archive sound: 4 audits, 1 lock"));
        QVERIFY(!lines[1].endsWith(head));

        const QString other(64, 'e');
        const Run unknown({ "archive", "verify", "--archive", "a.sqlite", "--head", other });
        QCOMPARE(unknown.code, 1);
        QCOMPARE(unknown.out, "no link of the chain has the head " + other
                     + ": what it covered was removed or changed, or it is the head of another archive\n");
    }

    // Verification names what was changed with the sqlite3 program and leaves the folder as it was,
    // damaged history and all.
    void verifyOnlyReads()
    {
        if (QStandardPaths::findExecutable("sqlite3").isEmpty())
            QSKIP("no sqlite3 program");
        QDir().mkpath("ro");
        QVERIFY(QFile::copy("a.sqlite", "ro/a.sqlite"));
        QCOMPARE(QProcess::execute("sqlite3", { "ro/a.sqlite", "UPDATE events SET event = 200 WHERE rowid = 5; "
                                                               "UPDATE histories SET content = X'43564832FF' "
                                                               "WHERE device = 1" }),
                 0);
        const QStringList before = FolderState("ro");
        const Run r({ "archive", "verify", "--archive", "ro/a.sqlite" });
        QCOMPARE(r.code, 1);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("30051122: its keypad history cannot be read: "), qPrintable(r.out));
        QVERIFY2(QRegularExpression("^30051122: event \\d+ of the history differs in the search table \\(there: .*, event 200, user \\d+\\)$")
                     .match(lines[1])
                     .hasMatch(),
                 qPrintable(r.out));
        QCOMPARE(FolderState("ro"), before);
    }
};

QTEST_GUILESS_MAIN(TestEvidenceCli)
#include "tst_evidencecli.moc"
