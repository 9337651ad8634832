// The archive as evidence, on a real SQLite file and again on the test run's PostgreSQL server:
// tamperings done with plain SQL on a copy of an archive made by importing, each named by
// `archive verify` (the program itself); imports killed or run at the same moment that keep one
// unbroken chain; an archive of the first schema upgraded once.

#include "archive/ArchiveChain.h"
#include "ArchiveFixtures.h"
#include "archive/ArchiveLocation.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace archivefixtures;

namespace {

const QString Cli = QStringLiteral(CORVANE_BINARY_DIR "/corvane-audit-cli");
const QString Child = QStringLiteral(CORVANE_BINARY_DIR "/tests/corvane-archive-child");

struct Outcome
{
    int code = -1;
    QString out, err;
};

Outcome RunCli(const QStringList& args)
{
    QProcess p;
    p.start(Cli, args);
    Outcome o;
    if (!p.waitForFinished(120000))
        return o;
    o.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.out = QString::fromUtf8(p.readAllStandardOutput());
    o.err = QString::fromUtf8(p.readAllStandardError());
    return o;
}

// An event as verify describes it.
QString Described(qint64 time, int event, int user)
{
    return QStringLiteral("%1, event %2, user %3")
        .arg(AuditDateTime(time).toString("yyyy-MM-dd HH:mm:ss"))
        .arg(event)
        .arg(user);
}

QString Moment(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString("yyyy-MM-dd HH:mm:ss");
}

// A connection of the test's own to an archive, as anyone with the database's tools has one.
class Direct
{
public:
    explicit Direct(const QString& location)
    {
        ArchiveAddress a;
        QString error;
        ParseArchiveAddress(location, &a, &error);
        QSqlDatabase db = QSqlDatabase::addDatabase(a.server ? "QPSQL" : "QSQLITE", "direct");
        if (a.server) {
            db.setHostName(a.host);
            db.setPort(a.port);
            db.setUserName(a.user);
            db.setPassword(a.password);
            db.setDatabaseName(a.database);
        } else {
            db.setDatabaseName(a.path);
        }
        m_ok = db.open();
    }
    ~Direct() { QSqlDatabase::removeDatabase("direct"); }
    bool ok() const { return m_ok; }

    bool run(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(QSqlDatabase::database("direct"));
        q.prepare(sql);
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec()) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
            return false;
        }
        return true;
    }
    QVariant value(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(QSqlDatabase::database("direct"));
        q.prepare(sql);
        for (const QVariant& v : values)
            q.addBindValue(v);
        return q.exec() && q.next() ? q.value(0) : QVariant();
    }

private:
    bool m_ok = false;
};

// The "#" the history of `serial` shows a lock event at `time` with, presented as a full audit.
QString ShownNumber(Archive& archive, const QString& serial, qint64 time)
{
    LockHistory h;
    DecodedAudit audit;
    bool bus = false;
    QString error;
    if (!archive.history(serial, &h) || !HistoryAsAudit(h, &audit, &bus, &error))
        return QStringLiteral("?");
    PresentationOptions options;
    options.auditType = FullAudit;
    for (const EventsTable& e : PresentAudit(audit, bus, options).events)
        if (e.device == LockDevice && e.time == time)
            return e.rowNumber;
    return QStringLiteral("?");
}

} // namespace

class TestArchiveEvidence : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;
    QString m_base;
    LockLife m_bank, m_atm, m_far;
    QString m_head;
    // What the expected texts name, read from the archive before it is tampered with.
    QHash<QString, QString> m_names;

    QString fresh(const QString& name)
    {
        ++m_count;
        return backend == Backend::Sqlite ? m_dir.filePath(QStringLiteral("%1-%2.sqlite").arg(name).arg(m_count))
                                          : FreshServerArchive(QStringLiteral("%1_%2").arg(name).arg(m_count));
    }
    // A copy of the base archive, as a file or a database of the server made from it.
    QString copyOfBase()
    {
        ++m_count;
        if (backend == Backend::Sqlite) {
            const QString path = m_dir.filePath(QStringLiteral("copy-%1.sqlite").arg(m_count));
            return QFile::copy(m_base, path) ? path : QString();
        }
        const QString database = QStringLiteral("t%1_copy_%2").arg(QCoreApplication::applicationPid()).arg(m_count);
        if (!OnTestServer("postgres", { QStringLiteral("CREATE DATABASE %1 TEMPLATE %2")
                                            .arg(database, QUrl(m_base).path().mid(1)) }))
            return QString();
        QUrl url(m_base);
        url.setPath('/' + database);
        return url.toString();
    }
    QString expand(QString text) const
    {
        for (auto it = m_names.cbegin(); it != m_names.cend(); ++it)
            text.replace('{' + it.key() + '}', it.value());
        return text;
    }
    static QString write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? path : QString();
    }

public:
    Backend backend = Backend::Sqlite;

private slots:
    void initTestCase()
    {
        // Three locks: a bank's with visits of every kind (a part, the whole a day later, nothing new,
        // a key with keypad events, a download), a cash machine's, and one whose clock reads 2137.
        m_base = fresh("base");
        m_atm.serial = "77000001";
        m_atm.name = "ATM-07";
        m_far.serial = "21370001";
        m_far.name = "FAR";
        m_far.now = fixtures::At(2137, 3, 1, 8, 0);
        Archive archive;
        QVERIFY2(archive.open(m_base), qPrintable(archive.errorString()));
        const auto add = [&](const QByteArray& audit) { return archive.import(audit, AuditKind::File).status; };
        m_bank.record(1000);
        QCOMPARE(add(m_bank.download(400)), ImportReport::Added); // audit 1
        m_atm.record(300);
        QCOMPARE(add(m_atm.download()), ImportReport::Added); // 2
        m_bank.record(100);
        m_bank.passDays(1);
        QCOMPARE(add(m_bank.download()), ImportReport::Added); // 3
        m_bank.passDays(2);
        QCOMPARE(add(m_bank.download(200)), ImportReport::Added); // 4: nothing new
        m_far.record(40);
        QCOMPARE(add(m_far.download()), ImportReport::Added); // 5
        m_bank.record(20);
        QCOMPARE(add(m_bank.key()), ImportReport::Added); // 6
        m_atm.record(50);
        QCOMPARE(add(m_atm.download()), ImportReport::Added); // 7
        m_bank.record(50);
        QCOMPARE(add(m_bank.download()), ImportReport::Added); // 8

        ArchiveSoundness sound;
        QVERIFY(archive.verify(&sound));
        QVERIFY(sound.sound());
        m_head = sound.chainHead;
        m_names.insert("head", m_head);
        Direct db(m_base);
        QVERIFY(db.ok());
        m_names.insert("downloaded 7 a day early",
                       Moment(db.value("SELECT downloaded_at FROM audits WHERE id = 7").toLongLong() - 86400000));
        for (int id = 1; id <= 8; ++id) {
            m_names.insert(QStringLiteral("imported %1").arg(id),
                           Moment(db.value("SELECT imported_at FROM audits WHERE id = ?", { id }).toLongLong()));
            m_names.insert(QStringLiteral("downloaded %1").arg(id),
                           Moment(db.value("SELECT downloaded_at FROM audits WHERE id = ?", { id }).toLongLong()));
        }
        const auto name = [&](const QString& key, const LockLife& life, int index) {
            const AuditEntry& e = life.lockEvents[index];
            m_names.insert(key + " time", QString::number(e.time));
            m_names.insert(key + " #", ShownNumber(archive, QString::fromLatin1(life.serial), e.time));
            m_names.insert(key, Described(e.time, e.event, e.user));
            m_names.insert(key + " as 99", Described(e.time, 99, e.user));
        };
        name("bank 700", m_bank, 700);
        name("bank 1100", m_bank, 1100);
        name("bank newest", m_bank, m_bank.lockEvents.size() - 1);
        name("far newest", m_far, m_far.lockEvents.size() - 1);
        m_names.insert("forged", Described(m_atm.lockEvents[10].time + 60, 5, 9));
        m_names.insert("forged time", QString::number(m_atm.lockEvents[10].time + 60));
        m_names.insert("clamped", Described(0xFFFFFFFFll, m_far.lockEvents.last().event, m_far.lockEvents.last().user));
    }

    // Each tampering as plain statements; a statement beginning with '!' is one of the test's own
    // that needs bytes made here: "!flip AUDIT OFFSET", "!history LOCK INDEX code|credit|clamp"
    // (INDEX newest first). `lines` is verify's whole output (with `more` set: the lines it must
    // hold), each {name} filled from the archive before the tampering.
    void tampering_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("more");
        QTest::newRow("untouched") << QStringList{} << QStringList{ "Archive sound: 8 audits, 3 locks, chain head {head}" }
                                   << false;
        QTest::newRow("an event's code changed")
            << QStringList{ "UPDATE events SET event = 99 WHERE lock_id = 1 AND device = 0 AND time = {bank 700 time}" }
            << QStringList{ "30051122: event {bank 700 #} of the history differs in the search table (there: {bank 700 as 99})" }
            << false;
        QTest::newRow("an event row deleted and one inserted")
            << QStringList{ "DELETE FROM events WHERE lock_id = 1 AND device = 0 AND time = {bank 1100 time}",
                            "INSERT INTO events (lock_id, device, time, event, user_number, audit_id) "
                            "VALUES (2, 0, {forged time}, 5, 9, 2)" }
            << QStringList{ "30051122: event {bank 1100 #} of the history is missing from the search table",
                            "77000001: the search table holds an event its audits do not have ({forged})" }
            << false;
        QTest::newRow("an audit's bytes changed")
            << QStringList{ "!flip 3 -20" }
            << QStringList{ "30051122: the audit of visit 2 (downloaded {downloaded 3}): its bytes no longer match their SHA-256",
                            "30051122: the chain breaks at the import of {imported 3}: an audit was removed or changed" }
            << false;
        QTest::newRow("an audit replaced, its SHA-256 with it")
            << QStringList{ "!flip 3 -20", "!sha 3" }
            << QStringList{ "30051122: the chain breaks at the import of {imported 3}: an audit was removed or changed" }
            << false;
        QTest::newRow("an audit row deleted")
            << QStringList{ "DELETE FROM audits WHERE id = 4" }
            << QStringList{ "30051122: its line in the list of locks differs from its audits: visits 5, its audits 4",
                            "30051122: the audit of visit 4 (downloaded {downloaded 6}): its place among the audits "
                            "makes it visit 3",
                            "30051122: the chain breaks at the import of {imported 4}: an audit was removed or changed" }
            << false;
        QTest::newRow("a download date changed")
            << QStringList{ "UPDATE audits SET downloaded_at = downloaded_at - 86400000 WHERE id = 7" }
            << QStringList{ "77000001: the audit of visit 2 (downloaded {downloaded 7 a day early}): the audit itself was "
                            "downloaded {downloaded 7}" }
            << false;
        QTest::newRow("where an audit reaches, cleared")
            << QStringList{ "UPDATE audits SET newest = NULL WHERE id = 2" }
            << QStringList{ "77000001: the audit of visit 1 (downloaded {downloaded 2}): what is kept of its newest events "
                            "differs from the audit itself" }
            << false;
        QTest::newRow("a history rewritten")
            << QStringList{ "!history 1 0 code" }
            << QStringList{ "30051122: event {bank newest #} of the history differs from its audits (the history: {bank newest as 99}; "
                            "its audits: {bank newest})" }
            << false;
        QTest::newRow("a credit moved")
            << QStringList{ "!history 1 0 credit" }
            << QStringList{ "30051122: event {bank newest #} of the history is credited to visit 1, its audits give visit 5" }
            << false;
        QTest::newRow("two links swapped")
            << QStringList{ "UPDATE chain SET id = id + 1000 WHERE id IN (2, 3)", "UPDATE chain SET id = 3 WHERE id = 1002",
                            "UPDATE chain SET id = 2 WHERE id = 1003" }
            << QStringList{ "30051122: the chain breaks at the import of {imported 3}: a link before it was removed, or "
                            "links were put in another order",
                            "30051122: the chain breaks at the import of {imported 4}: a link before it was removed, or "
                            "links were put in another order",
                            "77000001: the chain breaks at the import of {imported 2}: a link before it was removed, or "
                            "links were put in another order" }
            << false;
        QTest::newRow("the last link deleted")
            << QStringList{ "DELETE FROM chain WHERE id = 8" }
            << QStringList{ "30051122: the audit of visit 5 (downloaded {downloaded 8}) has no link in the chain" } << false;
        // What the first schema left of a lock whose year is 2137 or later: every time clamped.
        QTest::newRow("times clamped by the first schema")
            << QStringList{ "!history 3 0 clamp", "UPDATE events SET time = 4294967295 WHERE lock_id = 3" }
            << QStringList{ "21370001: event 1 of the history differs from its audits (the history: {clamped}; its "
                            "audits: {far newest})",
                            "21370001: and 30 more differences between the search table and its audits" }
            << true;
    }
    void tampering()
    {
        QFETCH(QStringList, statements);
        QFETCH(QStringList, lines);
        QFETCH(bool, more);
        const QString copy = copyOfBase();
        QVERIFY(!copy.isEmpty());
        {
            Direct db(copy);
            QVERIFY(db.ok());
            for (const QString& statement : statements) {
                const QStringList w = statement.split(' ');
                if (w[0] == "!flip") {
                    QByteArray content = db.value("SELECT content FROM audits WHERE id = ?", { w[1].toInt() }).toByteArray();
                    const int at = int((content.size() + w[2].toInt()) % content.size());
                    content[at] = char(content.at(at) ^ 0x01);
                    QVERIFY(db.run("UPDATE audits SET content = ? WHERE id = ?", { content, w[1].toInt() }));
                } else if (w[0] == "!sha") {
                    const QByteArray content = db.value("SELECT content FROM audits WHERE id = ?", { w[1].toInt() }).toByteArray();
                    QVERIFY(db.run("UPDATE audits SET sha256 = ? WHERE id = ?",
                                   { QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex()), w[1].toInt() }));
                } else if (w[0] == "!history") {
                    const QVariantList key{ w[1].toInt(), w[2].toInt() };
                    DeviceHistory h;
                    QVERIFY(UnpackHistory(db.value("SELECT content FROM histories WHERE lock_id = ? AND device = ? "
                                                   "AND chunk = 0",
                                                   key)
                                              .toByteArray(),
                                          &h));
                    HistoryEvent& newest = h.runs.last().events.last();
                    if (w[3] == "code")
                        newest.event = 99;
                    else if (w[3] == "credit")
                        newest.audit = 1;
                    else
                        for (HistoryRun& run : h.runs)
                            for (HistoryEvent& e : run.events)
                                e.time = 0xFFFFFFFFll;
                    QVERIFY(db.run("UPDATE histories SET content = ? WHERE lock_id = ? AND device = ? AND chunk = 0",
                                   QVariantList{ PackHistory(h) } + key));
                } else {
                    QVERIFY(db.run(expand(statement)));
                }
            }
        }
        const Outcome verified = RunCli({ "archive", "verify", "--archive", copy });
        QCOMPARE(verified.code, statements.isEmpty() ? 0 : 1);
        QCOMPARE(verified.err, QString());
        const QStringList got = verified.out.split('\n', Qt::SkipEmptyParts);
        QStringList expected;
        for (const QString& line : lines)
            expected << expand(line);
        if (!more) {
            QCOMPARE(got, expected);
            return;
        }
        for (const QString& line : expected)
            QVERIFY2(got.contains(line), qPrintable(line + "\nnot in\n" + verified.out));
    }

    // Killed inside its transaction, just before the commit: neither the audit nor its link is left.
    void killedImport()
    {
        const QString location = fresh("killed");
        LockLife life;
        life.record(300);
        {
            Archive archive;
            QVERIFY(archive.open(location));
            QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        }
        life.record(200);
        const QString audit = write(m_dir.filePath(QStringLiteral("killed-%1.kaud").arg(m_count)), life.download());
        QProcess child;
        child.start(Child, { "kill", location, audit });
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        Direct db(location);
        QCOMPARE(db.value("SELECT COUNT(*) FROM audits").toInt(), 1);
        QCOMPARE(db.value("SELECT COUNT(*) FROM chain").toInt(), 1);
        Outcome verified = RunCli({ "archive", "verify", "--archive", location });
        QVERIFY2(verified.code == 0 && verified.out.startsWith("Archive sound: 1 audit, 1 lock"), qPrintable(verified.out));
        // The next import goes on from the link that is there.
        QCOMPARE(RunCli({ "archive", "import", "--archive", location, audit }).code, 0);
        verified = RunCli({ "archive", "verify", "--archive", location });
        QVERIFY2(verified.code == 0 && verified.out.startsWith("Archive sound: 2 audits, 1 lock"), qPrintable(verified.out));
    }

    // Imports at the same moment append one link at a time: no two follow the same link.
    void concurrentImports()
    {
        if (backend == Backend::Sqlite)
            QSKIP("the server's case: SQLite writers take turns on the file itself");
        // Eight programs starting at once on a loaded machine may take longer than usual to connect.
        const QString location = fresh("concurrent") + "?connect_timeout=60";
        {
            Archive archive;
            QVERIFY(archive.open(location));
        }
        // Three rounds of eight locks at once: a part, the whole a day later, a key.
        QVector<LockLife> lives(8);
        for (int round = 0; round < 3; ++round) {
            QList<QProcess*> running;
            for (int l = 0; l < lives.size(); ++l) {
                LockLife& life = lives[l];
                life.serial = QByteArray::number(50000000 + l);
                life.record(100 + 20 * l);
                if (round == 1)
                    life.passDays(1);
                const QByteArray audit = round == 0 ? life.download(80) : round == 1 ? life.download() : life.key();
                auto* p = new QProcess(this);
                p->start(Cli, { "archive", "import", "--archive", location,
                                write(m_dir.filePath(QStringLiteral("c%1-%2.kaud").arg(l).arg(round)), audit) });
                running << p;
            }
            for (QProcess* p : running) {
                QVERIFY(p->waitForFinished(60000));
                QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
            }
        }
        Direct db(location);
        QCOMPARE(db.value("SELECT COUNT(*) FROM chain").toInt(), 24);
        QCOMPARE(db.value("SELECT COUNT(DISTINCT previous) FROM chain").toInt(), 24);
        const Outcome verified = RunCli({ "archive", "verify", "--archive", location });
        QCOMPARE(verified.code, 0);
        QVERIFY2(verified.out.startsWith("Archive sound: 24 audits, 8 locks, chain head "), qPrintable(verified.out));
    }

    // One import holds the chain's end until it commits: another, of another lock, waits for it
    // rather than follow the same link.
    void anImportWaitsForTheChain()
    {
        if (backend == Backend::Sqlite)
            QSKIP("the server's case: SQLite writers take turns on the file itself");
        const QString location = fresh("waits");
        LockLife first, second;
        second.serial = "60000002";
        first.record(60);
        second.record(70);
        const QString held = write(m_dir.filePath("held.kaud"), first.download());
        const QString waiting = write(m_dir.filePath("waiting.kaud"), second.download());
        {
            Archive archive;
            QVERIFY(archive.open(location));
        }
        QProcess holder;
        holder.start(Child, { "pause", location, held });
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(held + ".paused"), 60000);
        QProcess other;
        other.start(Cli, { "archive", "import", "--archive", location, waiting });
        // Either it waits for the chain's lock, or (wrongly) it finishes on its own meanwhile.
        const auto waitsForTheChain = [&location] {
            return Direct(location).value("SELECT COUNT(*) FROM pg_locks WHERE locktype = 'advisory' AND NOT granted").toInt() > 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(waitsForTheChain() || other.state() == QProcess::NotRunning, 60000);
        write(held + ".go", {});
        QVERIFY(holder.waitForFinished(60000));
        QVERIFY(other.state() == QProcess::NotRunning || other.waitForFinished(60000));
        QCOMPARE(holder.exitCode(), 0);
        QCOMPARE(other.exitCode(), 0);
        const Outcome verified = RunCli({ "archive", "verify", "--archive", location });
        QVERIFY2(verified.code == 0 && verified.out.startsWith("Archive sound: 2 audits, 2 locks"), qPrintable(verified.out));
    }

    // An archive of the first schema (three locks) gets its chain once, in the order of its imports.
    void upgradeFromTheFirstSchema()
    {
        const QString fixture = QStringLiteral(CORVANE_SOURCE_DIR "/tests/archive/fixtures/archive-v1.sqlite");
        QString location;
        if (backend == Backend::Sqlite) {
            location = m_dir.filePath("v1.sqlite");
            QVERIFY(QFile::copy(fixture, location));
            QFile::setPermissions(location, QFile::ReadOwner | QFile::WriteOwner);
        } else {
            location = fresh("v1");
            QVERIFY(LoadFirstSchema(fixture, location));
        }
        // Verification reads only: it sends the user to upgrade first.
        const Outcome refused = RunCli({ "archive", "verify", "--archive", location });
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.contains("earlier version"), qPrintable(refused.err));

        // The chain as it must come out: over the audits in the order they were imported.
        QString expected = ChainStart();
        {
            Direct db(location);
            QSqlQuery q(QSqlDatabase::database("direct"));
            QVERIFY(q.exec("SELECT a.sha256, l.serial, a.imported_at, a.imported_by, a.imported_host FROM audits a "
                           "JOIN locks l ON l.id = a.lock_id ORDER BY a.id"));
            while (q.next())
                expected = ChainLinkHash(expected, q.value(0).toString(), q.value(1).toString().toUtf8(),
                                         q.value(2).toLongLong(), q.value(3).toString(), q.value(4).toString());
        }
        {
            Archive archive;
            QVERIFY2(archive.open(location), qPrintable(archive.errorString()));
            QVERIFY2(archive.notice().contains("upgraded") && archive.notice().contains("3 audits"),
                     qPrintable(archive.notice()));
        }
        {
            Archive again;
            QVERIFY(again.open(location));
            QCOMPARE(again.notice(), QString());
        }
        const Outcome verified = RunCli({ "archive", "verify", "--archive", location });
        QCOMPARE(verified.out, "Archive sound: 3 audits, 3 locks, chain head " + expected + "\n");
        QCOMPARE(verified.code, 0);
    }

    // A supervisor's role, which may only read, verifies the team's archive.
    void aReaderVerifies()
    {
        if (backend == Backend::Sqlite)
            QSKIP("roles are the server's");
        const QString copy = copyOfBase();
        const QString database = QUrl(copy).path().mid(1);
        QVERIFY(OnTestServer(database, { "DO $$ BEGIN CREATE ROLE auditor LOGIN PASSWORD 'auditor'; "
                                         "EXCEPTION WHEN duplicate_object THEN NULL; END $$",
                                         "GRANT SELECT ON ALL TABLES IN SCHEMA public TO auditor" }));
        QUrl reader(copy);
        reader.setUserName("auditor");
        reader.setPassword("auditor");
        const Outcome verified = RunCli({ "archive", "verify", "--archive", reader.toString() });
        QCOMPARE(verified.err, QString());
        QCOMPARE(verified.out, "Archive sound: 8 audits, 3 locks, chain head " + m_head + "\n");
    }

private:
    // The rows of the first schema's SQLite fixture in a database of the server, made with the
    // first schema's own statements (its types as the server's).
    static bool LoadFirstSchema(const QString& fixture, const QString& url)
    {
        QStringList statements;
        QVector<QPair<QString, QVector<QVariantList>>> rows;
        {
            QSqlDatabase source = QSqlDatabase::addDatabase("QSQLITE", "fixture-v1");
            source.setDatabaseName(fixture);
            source.setConnectOptions("QSQLITE_OPEN_READONLY");
            if (!source.open())
                return false;
            QSqlQuery q(source);
            q.exec("SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY type DESC, rowid");
            while (q.next())
                statements << q.value(0)
                                  .toString()
                                  .replace("INTEGER PRIMARY KEY", "BIGSERIAL PRIMARY KEY")
                                  .replace("BLOB", "BYTEA");
            for (const char* table : { "schema_version", "locks", "audits", "histories", "events" }) {
                QSqlQuery r(source);
                r.exec(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
                QVector<QVariantList> values;
                while (r.next()) {
                    QVariantList row;
                    for (int c = 0; c < r.record().count(); ++c)
                        row << r.value(c);
                    values << row;
                }
                rows.append({ QLatin1String(table), values });
            }
        }
        QSqlDatabase::removeDatabase("fixture-v1");
        if (!OnTestServer(QUrl(url).path().mid(1), statements))
            return false;
        Direct db(url);
        for (const auto& table : rows)
            for (const QVariantList& row : table.second) {
                QStringList marks;
                for (int c = 0; c < row.size(); ++c)
                    marks << "?";
                if (!db.run(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table.first, marks.join(',')), row))
                    return false;
            }
        return db.run("SELECT setval(pg_get_serial_sequence('locks', 'id'), 4, false)")
            && db.run("SELECT setval(pg_get_serial_sequence('audits', 'id'), 4, false)");
    }
};

// Every case on each backend; the server is the one the test run started.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestArchiveEvidence sqlite;
    int failed = QTest::qExec(&sqlite, argc, argv);
    if (TestServerUrl().isEmpty()) {
        std::fprintf(stderr, "No PostgreSQL test server: %s is missing.\n", qPrintable(TestServerUrlFile()));
        return failed + 1;
    }
    TestArchiveEvidence server;
    server.backend = Backend::Server;
    failed += QTest::qExec(&server, argc, argv);
    return failed;
}
#include "tst_archiveevidence.moc"
