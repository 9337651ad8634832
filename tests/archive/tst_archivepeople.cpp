// A lock's directory of people as the archive keeps it, on a real SQLite file and again on the
// test run's PostgreSQL server: changes stored whole or not at all, read back by another
// connection, the unnamed users of the latest visit, users logs, and writers that never cross.
// Directories are written "user:person:from:until", tenures apart by " / ".

#include "ArchiveFixtures.h"
#include "model/UsersLog.h"

#include <QThread>
#include <QtTest>

using namespace archivefixtures;

namespace {

const QString Serial = QStringLiteral("30051122");

QDate Day(const QString& text)
{
    return text.isEmpty() ? QDate() : QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

QString Text(const Tenures& dir)
{
    QStringList out;
    for (const Tenure& t : dir)
        out << QStringLiteral("%1:%2:%3:%4").arg(t.user).arg(t.person, PeopleDayText(t.from), PeopleDayText(t.until));
    return out.join(QStringLiteral(" / "));
}

// What another connection reads of the lock's directory.
QString Stored(const QString& location, const QString& serial = Serial)
{
    Archive archive;
    Tenures dir;
    if (!archive.open(location, Archive::OpenMode::Existing) || !archive.people(serial, &dir))
        return QStringLiteral("error: ") + archive.errorString();
    return Text(dir);
}

// A users log whose slots were installed on the given days (day, month, year - 2000).
QByteArray UsersLogOf(const QVector<std::array<int, 4>>& installed)
{
    QByteArray log(userslog::RecordCount * userslog::RecordSize, '\0');
    for (int slot = 0; slot < userslog::RecordCount; ++slot)
        log[slot * userslog::RecordSize] = char(userslog::NoLog);
    for (const auto& s : installed) {
        char* r = log.data() + s[0] * userslog::RecordSize;
        r[0] = 0x01, r[1] = 60, r[2] = char(s[1]), r[3] = char(s[2]), r[4] = char(s[3]), r[5] = 9;
    }
    return log;
}

QString Days(const QMap<int, QDate>& days)
{
    QStringList out;
    for (auto d = days.cbegin(); d != days.cend(); ++d)
        out << QStringLiteral("%1:%2").arg(d.key()).arg(PeopleDayText(d.value()));
    return out.join(' ');
}


// Events of two locks that hold the same users, each with its own directory: Front's user 03
// changed hands at midnight between 6 and 7 January, Back's has been one person all along. Each
// case is one event of both locks and the person each output names for it there.
struct PersonCase
{
    const char* tag;
    qint64 time;
    quint8 event;
    quint8 user;
    const char* front;
    const char* back;
};
const PersonCase PersonCases[] = {
    { "the first holder", fixtures::At(2025, 1, 6, 9, 0), 0x0C, 3, "Maria Rossi", "Paolo Neri" },
    { "the first holder's last second", fixtures::At(2025, 1, 6, 23, 59, 59), 0x05, 3, "Maria Rossi", "Paolo Neri" },
    { "the next holder's first second", fixtures::At(2025, 1, 7, 0, 0), 0x01, 3, "Luca Bianchi", "Paolo Neri" },
    { "the next holder's duress", fixtures::At(2025, 1, 7, 10, 0), 0x0C, 3, "Luca Bianchi", "Paolo Neri" },
    { "a user with no tenure", fixtures::At(2025, 1, 7, 10, 5), 0x0C, 7, "", "" },
    { "an option, not a user", fixtures::At(2025, 1, 7, 10, 10), 0x68, 3, "", "" },
    { "user 100 installs the lock", fixtures::At(2025, 1, 7, 10, 15), 0x03, 100, "", "" },
    { "a manager named in one lock only", fixtures::At(2025, 1, 7, 10, 20), 0x0C, 60, "Anna Verdi", "" },
};

// A cell of the row whose column `key` reads `value` (and whose lock is `serial`, when the table
// has that column).
QString CellOf(const TextTable& table, const QString& key, const QString& value, const QString& column,
               const QString& serial = QString())
{
    const int k = table.header.indexOf(key), c = table.header.indexOf(column);
    const int lock = table.header.indexOf(QStringLiteral("Serial number"));
    for (const QStringList& row : table.rows)
        if (row.value(k) == value && (lock < 0 || row.value(lock) == serial))
            return row.value(c);
    return QStringLiteral("(no row)");
}

} // namespace

class TestArchivePeople : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;
    QString freshLocation()
    {
        ++m_count;
        return backend == Backend::Sqlite ? m_dir.filePath(QStringLiteral("people-%1.sqlite").arg(m_count))
                                          : FreshServerArchive(QStringLiteral("people_%1").arg(m_count));
    }
    // A fresh archive holding one visit of the lock.
    QString archiveWithLock(LockLife* life = nullptr)
    {
        const QString location = freshLocation();
        LockLife fallback;
        LockLife& l = life ? *life : fallback;
        l.record(50);
        Archive archive;
        if (!archive.open(location) || archive.import(l.download(), AuditKind::BusDownload).status != ImportReport::Added)
            return QString();
        return location;
    }

    // The two locks of PersonCases with their directories, and what each output makes of them.
    struct PersonOutputs
    {
        TextTable front, back, search, findings;
    };
    std::unique_ptr<PersonOutputs> m_outputs;
    bool makePersonOutputs()
    {
        const QString location = freshLocation();
        Archive archive;
        if (!archive.open(location))
            return false;
        for (const char* serial : { "30051122", "30051133" }) {
            LockLife life;
            life.serial = serial;
            life.name = serial == Serial ? "FRONT" : "BACK";
            for (const PersonCase& c : PersonCases)
                life.lockEvents.append({ c.time, c.event, c.user });
            life.now = PersonCases[std::size(PersonCases) - 1].time + 600;
            if (archive.import(life.download(), AuditKind::BusDownload).status != ImportReport::Added)
                return false;
        }
        // Luca's tenure ends Maria's the day before it begins.
        if (!archive.setTenure(Serial, Tenure{ 3, "Maria Rossi", QDate(2024, 1, 1), QDate() })
            || !archive.setTenure(Serial, Tenure{ 3, "Luca Bianchi", QDate(2025, 1, 7), QDate() })
            || !archive.setTenure(Serial, Tenure{ 60, "Anna Verdi", QDate(2024, 1, 1), QDate() })
            || !archive.setTenure("30051133", Tenure{ 3, "Paolo Neri", QDate(2020, 1, 1), QDate() }))
            return false;
        auto outputs = std::make_unique<PersonOutputs>();
        PresentationOptions options;
        options.auditType = FullAudit;
        for (const char* serial : { "30051122", "30051133" }) {
            LockHistory history;
            AuditView view;
            QString error;
            if (!archive.history(serial, &history) || !PresentHistory(history, options, false, &view, &error))
                return false;
            (serial == Serial ? outputs->front : outputs->back) = EventsTextTable(view);
        }
        QVector<FoundEvent> found;
        if (!archive.search(SearchQuery(), &found))
            return false;
        outputs->search = SearchTextTable(found, DisplaySettings());
        FindingsQuery query;
        query.keys = FindingKeys().add(FindingKey::Duress);
        QVector<LockFindings> judged;
        if (!archive.findings(query, &judged))
            return false;
        outputs->findings = FindingsTextTable(judged, DisplaySettings());
        m_outputs = std::move(outputs);
        return true;
    }

public:
    Backend backend = Backend::Sqlite;

private slots:
    // Each step: "set USER|PERSON|FROM|UNTIL", "remove USER|FROM" or "import CSV" (lines apart by
    // "\n"); its outcome "ok" or the refusal. What is stored after each step is read by another
    // connection: a refused step leaves it as it was.
    void changes_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("outcomes");
        QTest::addColumn<QString>("stored");

        const QString maria = "set 3|Maria Rossi|2024-01-01|";
        QTest::newRow("a first tenure") << QStringList{ maria } << QStringList{ "ok" } << "3:Maria Rossi:2024-01-01:";
        QTest::newRow("the number changes hands")
            << QStringList{ maria, "set 3|Luca|2024-09-01|" } << QStringList{ "ok", "ok" }
            << "3:Maria Rossi:2024-01-01:2024-08-31 / 3:Luca:2024-09-01:";
        QTest::newRow("an overlap is refused")
            << QStringList{ "set 3|Maria Rossi|2024-01-01|2024-08-31", "set 3|Luca|2024-06-01|" }
            << QStringList{ "ok", "User 03 is Maria Rossi from 2024-01-01 to 2024-08-31" }
            << "3:Maria Rossi:2024-01-01:2024-08-31";
        QTest::newRow("removed, the hand-over stays")
            << QStringList{ maria, "set 3|Luca|2024-09-01|", "remove 3|2024-09-01" } << QStringList{ "ok", "ok", "ok" }
            << "3:Maria Rossi:2024-01-01:2024-08-31";
        QTest::newRow("an empty name") << QStringList{ maria, "set 4|   |2024-01-01|" }
                                       << QStringList{ "ok", "The name of the person is empty." } << "3:Maria Rossi:2024-01-01:";
        QTest::newRow("an import replaces the directory")
            << QStringList{ maria, "set 60|Anna|2023-01-01|",
                            "import User,Person,From,Until\nUser 05,Ugo,2024-02-01,\nManager,,,\n81,Pia,2022-01-01,2022-12-31" }
            << QStringList{ "ok", "ok", "ok" } << "5:Ugo:2024-02-01: / 81:Pia:2022-01-01:2022-12-31";
        QTest::newRow("a refused import changes nothing")
            << QStringList{ maria, "import User,Person,From,Until\nUser 05,Ugo,2024-02-01,\nUser 06,Eva,2024-02-30," }
            << QStringList{ "ok", "line 3: '2024-02-30' is not a day: write it as YYYY-MM-DD." } << "3:Maria Rossi:2024-01-01:";
        QTest::newRow("an import of nothing empties it")
            << QStringList{ maria, "import User,Person,From,Until\nUser 03,,," } << QStringList{ "ok", "ok" } << "";
    }
    void changes()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, outcomes);
        QFETCH(QString, stored);
        const QString location = archiveWithLock();
        QVERIFY(!location.isEmpty());
        Archive archive;
        QVERIFY(archive.open(location));
        const PeopleVocabulary vocabulary;
        QStringList got;
        QString before = Stored(location);
        for (const QString& step : steps) {
            const QString verb = step.section(' ', 0, 0), arg = step.section(' ', 1);
            const QStringList f = arg.split('|');
            Tenures after;
            bool ok = false;
            if (verb == "set")
                ok = archive.setTenure(Serial, Tenure{ f.at(0).toInt(), f.at(1), Day(f.at(2)), Day(f.at(3)) }, &after);
            else if (verb == "remove")
                ok = archive.removeTenure(Serial, f.at(0).toInt(), Day(f.at(1)), &after);
            else if (verb == "import")
                ok = archive.importPeople(Serial, arg.toUtf8(), vocabulary, &after);
            else
                QFAIL(qPrintable("unknown step " + step));
            got << (ok ? QStringLiteral("ok") : archive.errorString());
            const QString now = Stored(location);
            QCOMPARE(now, ok ? Text(after) : before);
            before = now;
        }
        QCOMPARE(got, outcomes);
        QCOMPARE(before, stored);
    }

    // Commas, quotes, apostrophes, letters beyond ASCII and formula-like names are kept exactly,
    // and a listing of them imports back to the same directory.
    // The person of an event in a lock's history, a search across both locks and the findings:
    // each by its own lock's directory, on the day the event was recorded, Person right after User.
    void personOfEachEvent_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(PersonCases)); ++i)
            QTest::newRow(PersonCases[i].tag) << i;
    }
    void personOfEachEvent()
    {
        QFETCH(int, index);
        if (!m_outputs)
            QVERIFY(makePersonOutputs());
        const PersonOutputs& o = *m_outputs;
        for (const TextTable* table : { &o.front, &o.back, &o.search, &o.findings })
            QCOMPARE(table->header.indexOf("Person"), table->header.indexOf("User") + 1);
        QCOMPARE(o.front.rows.size(), int(std::size(PersonCases)));
        QCOMPARE(o.search.rows.size(), 2 * int(std::size(PersonCases)));

        const PersonCase& c = PersonCases[index];
        const QString date = FormatAuditTime(c.time, DisplaySettings());
        QCOMPARE(CellOf(o.front, "Date", date, "Person"), QString(c.front));
        QCOMPARE(CellOf(o.back, "Date", date, "Person"), QString(c.back));
        QCOMPARE(CellOf(o.search, "Date", date, "Person", "30051122"), QString(c.front));
        QCOMPARE(CellOf(o.search, "Date", date, "Person", "30051133"), QString(c.back));
        // Each duress opening is a finding naming the person of its event.
        const bool duress = c.event == 0x0C;
        QCOMPARE(CellOf(o.findings, "Date", date, "Person", "30051122"), duress ? QString(c.front) : "(no row)");
        QCOMPARE(CellOf(o.findings, "Date", date, "Person", "30051133"), duress ? QString(c.back) : "(no row)");
    }

    void namesAreKeptExactly()
    {
        const QString location = archiveWithLock();
        QVERIFY(!location.isEmpty());
        Archive archive;
        QVERIFY(archive.open(location));
        const QStringList names = { "Rossi, Maria", "Anna \"Nina\" Bianchi", "D'Angelo", QString::fromUtf8("Zoë Ñúñez 李"),
                                    "=SUM(A1:A9)", "'=quoted", "@home", "-1", "a;b" };
        Tenures expected;
        for (int k = 0; k < names.size(); ++k) {
            const Tenure t{ k + 1, names.at(k), QDate(2024, 1, 1 + k), k % 2 ? QDate(2024, 3, 1) : QDate() };
            QVERIFY2(archive.setTenure(Serial, t), qPrintable(archive.errorString()));
            expected.append(t);
        }
        QVERIFY(archive.setTenure(Serial, Tenure{ 80, "  Piero  ", QDate(2020, 2, 29), QDate() }));
        expected.append(Tenure{ 80, "Piero", QDate(2020, 2, 29), QDate() });
        QCOMPARE(Stored(location), Text(expected));

        Tenures stored;
        QVector<int> unnamed;
        QVERIFY(archive.people(Serial, &stored, &unnamed));
        const QByteArray listing = PeopleCsv(PeopleTextTable(stored, unnamed));
        QVERIFY(archive.importPeople(Serial, "\xEF\xBB\xBF" + listing, PeopleVocabulary()));
        QCOMPARE(Stored(location), Text(expected));
        QVERIFY(archive.people(Serial, &stored, &unnamed));
        QCOMPARE(PeopleCsv(PeopleTextTable(stored, unnamed)), listing);
    }

    // Every way to a lock the archive does not hold is refused, and nothing is made of it.
    void unknownLock()
    {
        const QString location = archiveWithLock();
        QVERIFY(!location.isEmpty());
        Archive archive;
        QVERIFY(archive.open(location));
        const QString unknown = "99999999";
        const QString refusal = QStringLiteral("The archive %1 holds no lock 99999999.").arg(archive.displayName());
        Tenures dir;
        QMap<int, QDate> days;
        QVERIFY(!archive.people(unknown, &dir));
        QCOMPARE(archive.errorString(), refusal);
        QVERIFY(!archive.setTenure(unknown, Tenure{ 3, "Ada", QDate(2024, 1, 1), QDate() }));
        QCOMPARE(archive.errorString(), refusal);
        QVERIFY(!archive.removeTenure(unknown, 3, QDate(2024, 1, 1)));
        QCOMPARE(archive.errorString(), refusal);
        QVERIFY(!archive.importPeople(unknown, "User,Person,From,Until\n3,Ada,2024-01-01,\n", PeopleVocabulary()));
        QCOMPARE(archive.errorString(), refusal);
        QVERIFY(!archive.keepUsersLog(unknown, QDateTime::currentDateTime(), UsersLogOf({})));
        QCOMPARE(archive.errorString(), refusal);
        QVERIFY(!archive.installationDays(unknown, &days));
        QCOMPARE(archive.errorString(), refusal);
        QVector<LockSummary> locks;
        QVERIFY(archive.locks(&locks));
        QCOMPARE(locks.size(), 1);
        QCOMPARE(Stored(location, unknown), "error: " + refusal);
    }

    // The installed users nobody is named for on the latest visit's day; a later visit moves the day.
    void unnamedOfTheLatestVisit()
    {
        LockLife life;
        const QString location = archiveWithLock(&life);
        QVERIFY(!location.isEmpty());
        Archive archive;
        QVERIFY(archive.open(location));
        const auto unnamed = [&] {
            Tenures dir;
            QVector<int> users;
            if (!archive.people(Serial, &dir, &users))
                return archive.errorString();
            QStringList out;
            for (int user : users)
                out << QString::number(user);
            return out.join(' ');
        };
        // The sample lock has users 1, 61 and 81 installed, 2, 58 and 60 disabled, 3, 59, 62, 80 in
        // another state; the visit is on 2025-01-06.
        QCOMPARE(unnamed(), "1 2 58 60 61 81");
        QVERIFY(archive.setTenure(Serial, Tenure{ 1, "Ada", QDate(2024, 1, 1), QDate(2025, 1, 20) }));
        QVERIFY(archive.setTenure(Serial, Tenure{ 2, "Bea", QDate(2025, 1, 7), QDate() }));
        QVERIFY(archive.setTenure(Serial, Tenure{ 60, "Ciro", QDate(2024, 1, 1), QDate(2025, 1, 5) }));
        QVERIFY(archive.setTenure(Serial, Tenure{ 81, "Dino", QDate(2025, 1, 6), QDate(2025, 1, 6) }));
        QVERIFY(archive.setTenure(Serial, Tenure{ 3, "Eva", QDate(2020, 1, 1), QDate() }));
        QCOMPARE(unnamed(), "2 58 60 61");

        life.passDays(30);
        life.record(5);
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        QCOMPARE(unnamed(), "1 58 60 61 81");
    }

    // The latest users log (by its download date) gives the installation days.
    void usersLogs()
    {
        const QString location = archiveWithLock();
        QVERIFY(!location.isEmpty());
        Archive archive;
        QVERIFY(archive.open(location));
        QMap<int, QDate> days;
        QVERIFY(archive.installationDays(Serial, &days));
        QVERIFY(days.isEmpty());

        const QByteArray older = UsersLogOf({ { 3, 15, 6, 24 }, { 60, 1, 1, 21 } });
        // Day 0 is no day; 31 April is none either.
        const QByteArray newer = UsersLogOf({ { 3, 2, 9, 24 }, { 4, 0, 5, 24 }, { 5, 31, 4, 24 }, { 81, 29, 2, 24 } });
        const QDateTime first(QDate(2024, 7, 1), QTime(10, 0)), second(QDate(2024, 10, 1), QTime(9, 30));
        QVERIFY2(archive.keepUsersLog(Serial, first, older), qPrintable(archive.errorString()));
        QVERIFY(archive.installationDays(Serial, &days));
        QCOMPARE(Days(days), "3:2024-06-15 60:2021-01-01");
        // A log downloaded later, and the older one kept again afterwards: the later one counts.
        QVERIFY(archive.keepUsersLog(Serial, second, newer + QByteArray(192, '\x55')));
        QVERIFY(archive.keepUsersLog(Serial, first, older));
        QVERIFY(archive.installationDays(Serial, &days));
        QCOMPARE(Days(days), "3:2024-09-02 81:2024-02-29");

        QVERIFY(!archive.keepUsersLog(Serial, second, newer.left(831)));
        QCOMPARE(archive.errorString(), "The users log is cut short: 831 bytes of 832.");
        QVERIFY(archive.installationDays(Serial, &days));
        QCOMPARE(Days(days), "3:2024-09-02 81:2024-02-29");
    }

    // Two technicians change the same lock's directory at once, each on its own connection: every
    // change of both is kept, none lost to the other's.
    void writersNeverCross()
    {
        const QString location = archiveWithLock();
        QVERIFY(!location.isEmpty());
        constexpr int Changes = 15;
        QString failures[2];
        QThread* threads[2];
        for (int w = 0; w < 2; ++w) {
            threads[w] = QThread::create([&location, &failures, w] {
                Archive archive;
                if (!archive.open(location)) {
                    failures[w] = archive.errorString();
                    return;
                }
                // Each a hand-over of its own user, day after day.
                for (int k = 0; k < Changes && failures[w].isEmpty(); ++k)
                    if (!archive.setTenure(Serial, Tenure{ 10 + w, QStringLiteral("P%1").arg(k), QDate(2024, 1, 1 + k), QDate() }))
                        failures[w] = archive.errorString();
            });
            threads[w]->start();
        }
        for (QThread* t : threads) {
            QVERIFY(t->wait(120000));
            delete t;
        }
        QCOMPARE(failures[0], QString());
        QCOMPARE(failures[1], QString());
        Archive archive;
        QVERIFY(archive.open(location));
        Tenures dir;
        QVERIFY(archive.people(Serial, &dir));
        QCOMPARE(dir.size(), 2 * Changes);
        for (int w = 0; w < 2; ++w) {
            const Tenure& last = dir.at(w * Changes + Changes - 1);
            QCOMPARE(last.user, 10 + w);
            QCOMPARE(last.person, QStringLiteral("P%1").arg(Changes - 1));
            QVERIFY(last.isOpen());
        }
    }

    // A supervisor's role reads the directory but changes nothing of it.
    void aReaderMayNotChange()
    {
        if (backend != Backend::Server)
            QSKIP("roles are the server's");
        const QString owner = archiveWithLock();
        QVERIFY(!owner.isEmpty());
        {
            Archive archive;
            QVERIFY(archive.open(owner));
            QVERIFY(archive.setTenure(Serial, Tenure{ 3, "Maria", QDate(2024, 1, 1), QDate() }));
        }
        const QString database = QUrl(owner).path().mid(1);
        QVERIFY(OnTestServer(database, { "DO $$ BEGIN CREATE ROLE reader LOGIN PASSWORD 'reader'; "
                                         "EXCEPTION WHEN duplicate_object THEN NULL; END $$",
                                         "GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader" }));
        QUrl reader(owner);
        reader.setUserName("reader");
        reader.setPassword("reader");
        Archive archive;
        QVERIFY2(archive.open(reader.toString()), qPrintable(archive.errorString()));
        Tenures dir;
        QVector<int> unnamed;
        QVERIFY(archive.people(Serial, &dir, &unnamed));
        QCOMPARE(Text(dir), "3:Maria:2024-01-01:");
        const QString readOnly = "You may read this archive but not add to it";
        QVERIFY(!archive.setTenure(Serial, Tenure{ 3, "Luca", QDate(2024, 9, 1), QDate() }));
        QCOMPARE(archive.errorString(), readOnly);
        QCOMPARE(archive.failure(), ArchiveFailure::ReadOnly);
        QVERIFY(!archive.removeTenure(Serial, 3, QDate(2024, 1, 1)));
        QCOMPARE(archive.errorString(), readOnly);
        QVERIFY(!archive.importPeople(Serial, "User,Person,From,Until\n", PeopleVocabulary()));
        QCOMPARE(archive.errorString(), readOnly);
        QVERIFY(!archive.keepUsersLog(Serial, QDateTime::currentDateTime(), UsersLogOf({})));
        QCOMPARE(archive.errorString(), readOnly);
        QCOMPARE(Stored(owner), "3:Maria:2024-01-01:");
    }
};

// Every case on each backend; the server is the one the test run started.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestArchivePeople sqlite;
    int failed = QTest::qExec(&sqlite, argc, argv);
    TestArchivePeople server;
    server.backend = Backend::Server;
    if (TestServerUrl().isEmpty()) {
        std::fprintf(stderr, "No PostgreSQL test server: %s is missing.\n", qPrintable(TestServerUrlFile()));
        return failed + 1;
    }
    failed += QTest::qExec(&server, argc, argv);
    return failed;
}
#include "tst_archivepeople.moc"
