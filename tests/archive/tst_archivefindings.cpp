// What the findings keep in the archive and how it judges its locks, on a real SQLite file and again
// on a real PostgreSQL server: hours, closed days and thresholds shared by every connection, stored
// values that no longer read, a role that may only read, and the findings of a small fleet.

#include "FindingsFixtures.h"

#include <QtTest>

using namespace archivefixtures;
using fixtures::At;

namespace {

OpeningHours Hours(const QString& text)
{
    OpeningHours hours;
    QString error;
    if (!OpeningHours::Parse(text, &hours, &error))
        qFatal("%s", qPrintable(error));
    return hours;
}

// "key yyyy-MM-dd HH:mm[/events]" for each finding as listed; Not visited without a date.
QString Listed(const QVector<Finding>& found)
{
    QStringList out;
    for (const Finding& f : found) {
        QString s = FindingKeyName(f.key);
        if (f.key != FindingKey::NotVisited)
            s += AuditDateTime(f.date).toString(QStringLiteral(" yyyy-MM-dd HH:mm"));
        if (f.events > 1)
            s += QStringLiteral("/%1").arg(f.events);
        out << s;
    }
    return out.join(QStringLiteral("; "));
}

// The lock's download as LockLife gives it, with a clock setting in its date/time table.
QByteArray WithClockSet(const LockLife& life, qint64 at)
{
    auto session = std::make_unique<AuditSession>();
    AuditFile::Parse(life.download(), *session);
    BusAuditBuilder builder;
    builder.setLock(life.description()).setTimeDateEntry(0, at, quint8(code(EventCode::TimeChanged)), 1);
    for (const AuditEntry& e : LockLife::Newest(life.lockEvents, 5600))
        builder.addEvent(e.time, e.event, e.user);
    const QDateTime downloaded = session->downloadTime;
    session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    session->downloadTime = downloaded;
    session->decoded = DecodeAudit(*session);
    return AuditFile::Serialize(*session, QString());
}

} // namespace

class TestArchiveFindings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;
    QString freshLocation()
    {
        ++m_count;
        return backend == Backend::Sqlite ? m_dir.filePath(QStringLiteral("findings-%1.sqlite").arg(m_count))
                                          : FreshServerArchive(QStringLiteral("findings_%1").arg(m_count));
    }
    // Statements run on the archive behind the program's back.
    bool tamper(const QString& location, const QStringList& statements)
    {
        if (backend == Backend::Server)
            return OnTestServer(QUrl(location).path().mid(1), statements);
        bool ok = true;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tamper"));
            db.setDatabaseName(location);
            ok = db.open();
            QSqlQuery q(db);
            for (const QString& statement : statements)
                ok = ok && q.exec(statement);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("tamper"));
        return ok;
    }
    // An archive holding the week of locks A (30051122) and B (30051123).
    QString fleet()
    {
        const QString location = freshLocation();
        Archive archive;
        if (!archive.open(location))
            return QString();
        for (const LockLife& life : { Week("30051123", "BANK02"), Week("30051122", "BANK01") })
            if (archive.import(life.download(), AuditKind::BusDownload).status != ImportReport::Added)
                return QString();
        return location;
    }

public:
    Backend backend = Backend::Sqlite;

private slots:
    // What one connection sets, another reads; a new archive holds the defaults.
    void settingsAreShared()
    {
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        Archive first, second;
        QVERIFY(first.open(location) && second.open(location));

        OpeningHours hours;
        FindingThresholds thresholds;
        ClosedDays closed;
        QVERIFY(second.defaultHours(&hours) && second.findingThresholds(&thresholds) && second.closedDays(&closed));
        QVERIFY(hours == OpeningHours::Default());
        QVERIFY(thresholds == FindingThresholds());
        QVERIFY(closed.isEmpty());

        // The owner may change them, and asking changes nothing.
        QVERIFY2(first.mayChangeRules(), qPrintable(first.errorString()));
        QVERIFY(second.closedDays(&closed) && closed.isEmpty());
        FindingThresholds changed;
        changed.wrongCodes = 3;
        changed.wrongCodeMinutes = 2;
        changed.visitDays = 90;
        QVERIFY2(first.setDefaultHours(Hours("Mon-Sat 06:00-22:00")), qPrintable(first.errorString()));
        QVERIFY(first.setFindingThresholds(changed));
        QVERIFY(first.addClosedDays({ QDate(2025, 12, 25), QDate(2025, 1, 1), QDate(2025, 12, 25) }));
        QVERIFY(first.setLockHours("30051123", nullptr));

        QVERIFY(second.defaultHours(&hours) && second.findingThresholds(&thresholds) && second.closedDays(&closed));
        QCOMPARE(hours.toText(), "Mon-Sat 06:00-22:00");
        QVERIFY(thresholds == changed);
        QCOMPARE(closed, (ClosedDays{ QDate(2025, 12, 25), QDate(2025, 1, 1) }));

        // A lock's own hours, until it goes back to the default.
        bool own = true;
        QVERIFY(second.lockHours("30051122", &hours, &own));
        QVERIFY(!own && hours.toText() == "Mon-Sat 06:00-22:00");
        const OpeningHours night = Hours("mon-sun 22:00-24:00, 00:00-06:00");
        QVERIFY(first.setLockHours("30051122", &night));
        QVERIFY(second.lockHours("30051122", &hours, &own));
        QVERIFY(own && hours == night);
        FindingRules rules;
        QVERIFY(second.findingRules("30051122", &rules));
        QVERIFY(rules.hours == night && rules.thresholds == changed && rules.closedDays == closed);
        QVector<QPair<QString, OpeningHours>> listed;
        QVERIFY(second.ownHours(&listed));
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed[0].first, "30051122");
        QCOMPARE(listed[0].second.toText(), "Mon-Sun 00:00-06:00, 22:00-24:00");
        QVERIFY(first.setLockHours("30051122", nullptr));
        QVERIFY(second.lockHours("30051122", &hours, &own) && !own);
        QVERIFY(second.ownHours(&listed) && listed.isEmpty());

        // A lock that is not there, and out-of-bound thresholds, change nothing.
        QVERIFY(!first.setLockHours("99999999", &night));
        QCOMPARE(first.errorString(), QStringLiteral("The archive %1 holds no lock 99999999.").arg(first.displayName()));
        QVERIFY(!first.lockHours("99999999", &hours));
        FindingThresholds bad = changed;
        bad.doorMinutes = 0;
        QVERIFY(!first.setFindingThresholds(bad));
        QVERIFY(first.errorString().startsWith("The minutes a door may stay open are 1 to 1440"));
        QVERIFY(second.findingThresholds(&thresholds) && thresholds == changed);
    }

    void closedDaysRemoved()
    {
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        QVERIFY(archive.addClosedDays({ QDate(2025, 4, 21), QDate(2025, 5, 1), QDate(2025, 8, 15) }));
        // One of them is no closed day: none goes.
        QVERIFY(!archive.removeClosedDays({ QDate(2025, 5, 1), QDate(2025, 5, 2) }));
        QCOMPARE(archive.errorString(), QStringLiteral("2025-05-02 is not a closed day in the archive %1.").arg(archive.displayName()));
        ClosedDays closed;
        QVERIFY(archive.closedDays(&closed) && closed.size() == 3);
        QVERIFY(archive.removeClosedDays({ QDate(2025, 5, 1), QDate(2025, 4, 21), QDate(2025, 5, 1) }));
        QVERIFY(archive.closedDays(&closed));
        QCOMPARE(closed, ClosedDays{ QDate(2025, 8, 15) });
    }

    // Whatever another program left in the settings: each value that does not read is its default.
    void storedValuesThatDoNotRead_data()
    {
        QTest::addColumn<QStringList>("rows"); // name=value
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("thresholds"); // wrong-codes clock door visit
        QTest::newRow("all sound") << QStringList{ "default-hours=Mon 09:00-10:00", "wrong-codes=3/4", "clock-minutes=5",
                                                   "door-minutes=6", "visit-days=7" }
                                   << "Mon 09:00-10:00" << "3/4 5 6 7";
        QTest::newRow("words") << QStringList{ "default-hours=whenever", "wrong-codes=many", "clock-minutes=soon",
                                               "door-minutes=", "visit-days=7 days" }
                               << "Mon-Fri 07:00-20:00" << "5/10 60 30 180";
        QTest::newRow("out of bounds")
            << QStringList{ "default-hours=Mon 25:00-26:00", "wrong-codes=1/10", "clock-minutes=0",
                            "door-minutes=99999999999999", "visit-days=-3" }
            << "Mon-Fri 07:00-20:00" << "5/10 60 30 180";
        QTest::newRow("one bad among good ones and unknown names")
            << QStringList{ "wrong-codes=7/10/3", "clock-minutes=15", "colour=blue", "door-minutes=2000",
                            "visit-days=365" }
            << "Mon-Fri 07:00-20:00" << "5/10 15 30 365";
    }
    void storedValuesThatDoNotRead()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, hours);
        QFETCH(QString, thresholds);
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        QStringList statements;
        for (const QString& row : rows)
            statements << QStringLiteral("INSERT INTO settings (name, value) VALUES ('%1', '%2')")
                              .arg(row.section('=', 0, 0), row.section('=', 1));
        statements << "INSERT INTO closed_days (day) VALUES ('2025-13-45')"
                   << "INSERT INTO closed_days (day) VALUES ('2025-01-08')"
                   << "UPDATE locks SET hours = 'Mon-Fri 07:00-20:00; Xyz 01:00-02:00' WHERE serial = "
                      + QString(backend == Backend::Server ? "convert_to('30051122', 'UTF8')" : "CAST('30051122' AS BLOB)");
        QVERIFY(tamper(location, statements));

        Archive archive;
        QVERIFY(archive.open(location));
        OpeningHours stored;
        FindingThresholds t;
        ClosedDays closed;
        QVERIFY(archive.defaultHours(&stored) && archive.findingThresholds(&t) && archive.closedDays(&closed));
        QCOMPARE(stored.toText(), hours);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(ThresholdText(t, Threshold::WrongCodes), ThresholdText(t, Threshold::ClockMinutes),
                          ThresholdText(t, Threshold::DoorMinutes), ThresholdText(t, Threshold::VisitDays)),
                 thresholds);
        QCOMPARE(closed, ClosedDays{ QDate(2025, 1, 8) });
        bool own = true;
        QVERIFY(archive.lockHours("30051122", &stored, &own));
        QVERIFY(!own);
        QCOMPARE(stored.toText(), hours);
        QVector<QPair<QString, OpeningHours>> listed;
        QVERIFY(archive.ownHours(&listed) && listed.isEmpty());
        FindingsQuery query;
        query.at = QDate(2025, 1, 12);
        QVector<LockFindings> found;
        QVERIFY2(archive.findings(query, &found), qPrintable(archive.errorString()));
        QCOMPARE(found.size(), 2);
    }

    // The fleet judged by the archive's rules: each lock with its own hours, the closed days, the
    // thresholds; the locks asked, the kinds wanted, the period and the day of the judgement.
    void fleetFindings_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QStringList>("locks");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QString>("period"); // "FROM TO" as SearchDay reads them, "-" for none
        QTest::addColumn<QDate>("at");
        QTest::addColumn<QStringList>("expected"); // per lock: "SERIAL NAME: findings"

        const QString a = "30051122 BANK01: ", b = "30051123 BANK02: ";
        const QString all = "outside-hours 2025-01-11 10:00; wrong-codes 2025-01-07 10:00/5; "
                            "outside-hours 2025-01-06 22:00; duress 2025-01-06 09:00";
        const QDate sunday(2025, 1, 12);
        QTest::newRow("default rules") << QStringList() << QStringList() << "" << "-" << sunday
                                       << QStringList{ a + all, b + all };
        QTest::newRow("a lock's own hours and a closed day")
            << QStringList{ "hours 30051123 Mon-Sat 07:00-20:00", "closed 2025-01-08" } << QStringList() << "" << "-" << sunday
            << QStringList{ a + "outside-hours 2025-01-11 10:00; outside-hours 2025-01-08 10:00; wrong-codes 2025-01-07 "
                                "10:00/5; outside-hours 2025-01-06 22:00; duress 2025-01-06 09:00",
                            b + "outside-hours 2025-01-08 10:00; wrong-codes 2025-01-07 10:00/5; outside-hours 2025-01-06 "
                                "22:00; duress 2025-01-06 09:00" };
        QTest::newRow("the default hours changed")
            << QStringList{ "default Mon-Sun 00:00-24:00" } << QStringList() << "" << "-" << sunday
            << QStringList{ a + "wrong-codes 2025-01-07 10:00/5; duress 2025-01-06 09:00",
                            b + "wrong-codes 2025-01-07 10:00/5; duress 2025-01-06 09:00" };
        QTest::newRow("a burst takes more wrong codes")
            << QStringList{ "wrong-codes 6/10" } << QStringList{ "30051122" } << "wrong-codes,duress" << "-" << sunday
            << QStringList{ a + "duress 2025-01-06 09:00" };
        QTest::newRow("locks by name, asked twice, in serial number order")
            << QStringList() << QStringList{ "BANK02", "30051122", "30051123" } << "duress" << "-" << sunday
            << QStringList{ a + "duress 2025-01-06 09:00", b + "duress 2025-01-06 09:00" };
        QTest::newRow("a period") << QStringList() << QStringList{ "30051122" } << "" << "2025-01-07 2025-01-08" << sunday
                                  << QStringList{ a + "wrong-codes 2025-01-07 10:00/5" };
        QTest::newRow("not visited, whatever the period")
            << QStringList{ "visit-days 30" } << QStringList{ "30051122" } << "not-visited,duress"
            << "2025-02-01 2025-03-01" << QDate(2025, 2, 12) << QStringList{ a + "not-visited" };
        QTest::newRow("visited within the days")
            << QStringList{ "visit-days 31" } << QStringList{ "30051122" } << "not-visited" << "-" << QDate(2025, 2, 12)
            << QStringList{ a.trimmed() };
    }
    void fleetFindings()
    {
        QFETCH(QStringList, setup);
        QFETCH(QStringList, locks);
        QFETCH(QString, kinds);
        QFETCH(QString, period);
        QFETCH(QDate, at);
        QFETCH(QStringList, expected);
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        Archive archive;
        QVERIFY(archive.open(location));
        FindingThresholds thresholds;
        for (const QString& step : setup) {
            const QStringList w = step.split(' ');
            QString error;
            if (w[0] == "hours") {
                const OpeningHours h = Hours(w.mid(2).join(' '));
                QVERIFY(archive.setLockHours(w[1], &h));
            } else if (w[0] == "default") {
                QVERIFY(archive.setDefaultHours(Hours(w.mid(1).join(' '))));
            } else if (w[0] == "closed") {
                QVERIFY(archive.addClosedDays({ QDate::fromString(w[1], "yyyy-MM-dd") }));
            } else {
                const Threshold which = w[0] == "wrong-codes" ? Threshold::WrongCodes : Threshold::VisitDays;
                QVERIFY2(SetThreshold(&thresholds, which, w[1], &error), qPrintable(error));
                QVERIFY(archive.setFindingThresholds(thresholds));
            }
        }
        FindingsQuery query;
        query.locks = locks;
        query.at = at;
        if (!kinds.isEmpty()) {
            QString error;
            QVERIFY2(FindingKeys::Parse(kinds, &query.keys, &error), qPrintable(error));
        }
        if (period != "-") {
            QVERIFY(SearchDay(period.section(' ', 0, 0), false, &query.from));
            QVERIFY(SearchDay(period.section(' ', 1, 1), true, &query.to));
        }
        QVector<LockFindings> found;
        QVERIFY2(archive.findings(query, &found), qPrintable(archive.errorString()));
        QStringList got;
        for (const LockFindings& l : found)
            got << (QStringLiteral("%1 %2: %3").arg(l.serial, l.name, Listed(l.findings))).trimmed();
        QCOMPARE(got, expected);
    }

    // Events missing between two visits, and a DST correction that moves a night opening into the
    // hours; the history as the window would judge it agrees.
    void acrossVisits()
    {
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        LockLife life = Week("30051122", "BANK01");
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        life.record(6000);
        life.lockEvents.append({ At(2025, 4, 1, 19, 30), quint8(code(EventCode::BoltOpen)), 3 });
        life.now = At(2025, 4, 2, 9, 0);
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);

        FindingsQuery query;
        query.at = QDate(2025, 4, 2);
        query.keys = FindingKeys().add(FindingKey::Missing).add(FindingKey::Duress);
        QVector<LockFindings> found;
        QVERIFY(archive.findings(query, &found));
        QCOMPARE(found.size(), 1);
        const QVector<Finding>& f = found[0].findings;
        QCOMPARE(f.size(), 2);
        QCOMPARE(f[0].key, FindingKey::Missing);
        QCOMPARE(f[0].date, At(2025, 1, 11, 10, 0));
        QCOMPARE(f[1].key, FindingKey::Duress);
        QCOMPARE(f[1].visit, 1);

        // 19:30 is in the hours; an hour added in summer takes it out of them.
        query.keys = FindingKeys().add(FindingKey::OutsideHours);
        query.from = At(2025, 4, 1, 0, 0);
        QVERIFY(archive.findings(query, &found));
        QVERIFY(found[0].findings.isEmpty());
        query.dst = true;
        query.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 };
        QVERIFY(archive.findings(query, &found));
        QCOMPARE(Listed(found[0].findings), "outside-hours 2025-04-01 19:30");
        // A visit a day later whose audit shows the clock set in summer: the clock already ran on
        // summer time, and the correction goes by the latest visit's clock settings.
        life.now += 86400;
        QCOMPARE(archive.import(WithClockSet(life, At(2025, 3, 31, 9, 0)), AuditKind::BusDownload).status,
                 ImportReport::Added);
        QVERIFY(archive.findings(query, &found));
        QVERIFY(found[0].findings.isEmpty());

        // The fleet's pass over the stored histories agrees with the history the window reads whole.
        LockHistory history;
        QVERIFY(archive.history("30051122", &history));
        FindingRules rules;
        QVERIFY(archive.findingRules("30051122", &rules));
        QVector<Finding> judged;
        QString error;
        const DstRule* const corrections[] = { nullptr, &query.dstRule };
        for (const DstRule* dst : corrections) {
            QVERIFY(JudgeLockHistory(history, rules, query.at, dst, &judged, &error));
            FindingsQuery all;
            all.at = query.at;
            all.dst = dst != nullptr;
            all.dstRule = query.dstRule;
            QVERIFY(archive.findings(all, &found));
            QCOMPARE(Listed(found[0].findings), Listed(judged));
            QVERIFY(judged.size() > 1000);
        }
        query = FindingsQuery();
        query.at = QDate(2025, 4, 2);

        // Stopped after the first lock.
        int calls = 0;
        QVERIFY(!archive.findings(query, &found, [&calls](int done, int total) { return ++calls, done < total - 1; }));
        QCOMPARE(calls, 1);
    }

    // Only the daylight-saving correction needs the latest visit's audit: when it no longer reads,
    // the correction stops, and says which lock.
    void damagedLatestAudit()
    {
        const QString location = fleet();
        QVERIFY(!location.isEmpty());
        const QString blob = backend == Backend::Server ? "'\\x00'::bytea" : "x'00'";
        QVERIFY(tamper(location, { "UPDATE audits SET content = " + blob + " WHERE id = (SELECT MAX(id) FROM audits)" }));
        Archive archive;
        QVERIFY(archive.open(location));
        FindingsQuery query;
        query.keys = FindingKeys().add(FindingKey::Duress);
        QVector<LockFindings> found;
        QVERIFY(archive.findings(query, &found));
        QCOMPARE(found.size(), 2);
        QCOMPARE(found[0].findings.size(), 1);
        query.dst = true;
        query.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 };
        QVERIFY(!archive.findings(query, &found));
        QCOMPARE(archive.errorString(), "The latest audit of lock 30051122 in the archive is not a valid audit file.");
    }

    // A supervisor's role reads the settings and the findings, and changes nothing.
    void aSupervisorMayOnlyRead()
    {
        if (backend == Backend::Sqlite)
            QSKIP("a role is the server's; on a SQLite file whoever may read it may write it");
        const QString owner = fleet();
        QVERIFY(!owner.isEmpty());
        {
            Archive archive;
            QVERIFY(archive.open(owner) && archive.addClosedDays({ QDate(2025, 1, 8) }));
        }
        QVERIFY(OnTestServer(QUrl(owner).path().mid(1),
                             { "DO $$ BEGIN CREATE ROLE reader LOGIN PASSWORD 'reader'; "
                               "EXCEPTION WHEN duplicate_object THEN NULL; END $$",
                               "GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader" }));
        QUrl reader(owner);
        reader.setUserName("reader");
        reader.setPassword("reader");
        Archive archive;
        QVERIFY2(archive.open(reader.toString()), qPrintable(archive.errorString()));
        OpeningHours hours;
        ClosedDays closed;
        FindingThresholds thresholds;
        QVector<LockFindings> found;
        QVERIFY(archive.defaultHours(&hours) && archive.closedDays(&closed) && archive.findingThresholds(&thresholds));
        QVERIFY(archive.findings({}, &found) && found.size() == 2);

        const OpeningHours always = Hours("Mon-Sun 00:00-24:00");
        const QString readOnly = "You may read this archive but not add to it";
        QVERIFY(!archive.mayChangeRules());
        QCOMPARE(archive.errorString(), readOnly);
        QCOMPARE(archive.failure(), ArchiveFailure::ReadOnly);
        // The probe's transaction is gone: the connection reads on.
        QVERIFY(archive.closedDays(&closed) && archive.findings({}, &found));
        QVERIFY(!archive.setDefaultHours(always));
        QCOMPARE(archive.errorString(), readOnly);
        QCOMPARE(archive.failure(), ArchiveFailure::ReadOnly);
        QVERIFY(!archive.setLockHours("30051122", &always));
        QCOMPARE(archive.errorString(), readOnly);
        QVERIFY(!archive.addClosedDays({ QDate(2025, 1, 9) }));
        QCOMPARE(archive.errorString(), readOnly);
        QVERIFY(!archive.removeClosedDays({ QDate(2025, 1, 8) }));
        QCOMPARE(archive.errorString(), readOnly);
        QVERIFY(!archive.setFindingThresholds(FindingThresholds()));
        QCOMPARE(archive.errorString(), readOnly);

        QVERIFY(archive.defaultHours(&hours) && hours == OpeningHours::Default());
        QVERIFY(archive.closedDays(&closed) && closed == ClosedDays{ QDate(2025, 1, 8) });
        bool own = true;
        QVERIFY(archive.lockHours("30051122", &hours, &own) && !own);
    }
};

// Every case on each backend; the server is the one the test run started.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestArchiveFindings sqlite;
    int failed = QTest::qExec(&sqlite, argc, argv);
    TestArchiveFindings server;
    server.backend = Backend::Server;
    if (TestServerUrl().isEmpty()) {
        std::fprintf(stderr, "No PostgreSQL test server: %s is missing.\n", qPrintable(TestServerUrlFile()));
        return failed + 1;
    }
    failed += QTest::qExec(&server, argc, argv);
    return failed;
}
#include "tst_archivefindings.moc"
