// The archive's cases, run on a real SQLite file and again on a real PostgreSQL server: audits of a
// lock taken visit after visit and joined into its history, presented, named and searched.

#include "ArchiveFixtures.h"
#include "archive/ArchiveLocation.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace archivefixtures;

namespace {

QString Describe(const ImportReport& r)
{
    switch (r.status) {
    case ImportReport::Added: return QStringLiteral("added %1 gaps %2").arg(r.newEvents).arg(r.gaps);
    case ImportReport::AlreadyThere: return QStringLiteral("already");
    case ImportReport::Refused: return QStringLiteral("refused");
    case ImportReport::Failed: break;
    }
    return QStringLiteral("failed: ") + r.message;
}

} // namespace

class TestArchive : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;
    QString freshLocation()
    {
        ++m_count;
        return backend == Backend::Sqlite ? m_dir.filePath(QStringLiteral("archive-%1.sqlite").arg(m_count))
                                          : FreshServerArchive(QStringLiteral("cases_%1").arg(m_count));
    }

public:
    Backend backend = Backend::Sqlite;

private slots:
    void imports_data()
    {
        // Steps: record N, alike N (events recorded alike), clockback HOURS, wait DAYS, download N|all, key,
        // again (the last audit once more), stash N (a download kept for later), import-stash,
        // noserial, corrupt.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("reports");
        QTest::addColumn<QString>("summary");
        QTest::newRow("first download") << QStringList{ "record 1000", "download all" }
                                        << QStringList{ "added 1000 gaps 0" } << "events 1000 gaps 0 visits 1";
        QTest::newRow("the same audit again")
            << QStringList{ "record 1000", "download all", "again" } << QStringList{ "added 1000 gaps 0", "already" }
            << "events 1000 gaps 0 visits 1";
        QTest::newRow("partial, then full")
            << QStringList{ "record 1000", "download 500", "record 100", "download all" }
            << QStringList{ "added 500 gaps 0", "added 600 gaps 0" } << "events 1100 gaps 0 visits 2";
        QTest::newRow("full, then partial")
            << QStringList{ "record 1000", "download all", "record 100", "download 300" }
            << QStringList{ "added 1000 gaps 0", "added 100 gaps 0" } << "events 1100 gaps 0 visits 2";
        QTest::newRow("nothing new since the last visit")
            << QStringList{ "record 700", "download all", "download 200" }
            << QStringList{ "added 700 gaps 0", "added 0 gaps 0" } << "events 700 gaps 0 visits 2";
        QTest::newRow("the same events downloaded a day later")
            << QStringList{ "record 700", "download all", "wait 1", "download all" }
            << QStringList{ "added 700 gaps 0", "added 0 gaps 0" } << "events 700 gaps 0 visits 2";
        QTest::newRow("the lock overwrote events between visits")
            << QStringList{ "record 1000", "download all", "record 6000", "download all" }
            << QStringList{ "added 1000 gaps 0", "added 5600 gaps 1" } << "events 6600 gaps 1 visits 2";
        QTest::newRow("an older audit imported after a newer one")
            << QStringList{ "record 1000", "stash 400", "record 200", "download 300", "import-stash" }
            << QStringList{ "added 300 gaps 0", "added 300 gaps 0" } << "events 600 gaps 0 visits 2";
        QTest::newRow("alike events at the seam")
            << QStringList{ "record 300", "alike 4", "download 2", "record 1", "download 7" }
            << QStringList{ "added 2 gaps 0", "added 5 gaps 0" } << "events 7 gaps 0 visits 2";
        QTest::newRow("clock set back between visits")
            << QStringList{ "record 1000", "download 300", "clockback 2000", "record 100", "download 600" }
            << QStringList{ "added 300 gaps 0", "added 300 gaps 0" } << "events 600 gaps 0 visits 2";
        QTest::newRow("a key brings keypad events")
            << QStringList{ "record 1000", "key", "download all" }
            << QStringList{ "added 210 gaps 0", "added 830 gaps 0" } << "events 1040 gaps 0 visits 2";
        QTest::newRow("an audit without a serial number")
            << QStringList{ "record 10", "noserial" } << QStringList{ "refused" } << "none";
        QTest::newRow("a corrupt audit file") << QStringList{ "record 10", "corrupt" } << QStringList{ "refused" }
                                              << "none";
    }
    void imports()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, reports);
        QFETCH(QString, summary);
        const QString location = freshLocation();
        Archive archive;
        QVERIFY2(archive.open(location), qPrintable(archive.errorString()));

        LockLife life;
        QByteArray last, stash;
        QStringList got;
        for (const QString& step : steps) {
            const QString verb = step.section(' ', 0, 0), arg = step.section(' ', 1);
            QByteArray audit;
            AuditKind kind = AuditKind::BusDownload;
            if (verb == "record")
                life.record(arg.toInt());
            else if (verb == "alike")
                life.recordAlike(arg.toInt());
            else if (verb == "wait")
                life.passDays(arg.toInt());
            else if (verb == "clockback")
                life.setClockBack(arg.toLongLong() * 3600);
            else if (verb == "download")
                audit = life.download(arg == "all" ? 5600 : arg.toInt());
            else if (verb == "stash")
                stash = life.download(arg.toInt());
            else if (verb == "import-stash")
                audit = stash;
            else if (verb == "key")
                audit = life.key(), kind = AuditKind::DallasKey;
            else if (verb == "again")
                audit = last;
            else if (verb == "noserial") {
                LockLife anonymous = life;
                anonymous.serial.clear();
                audit = anonymous.download();
            } else if (verb == "corrupt") {
                audit = life.download();
                audit.truncate(audit.size() / 2);
            } else
                QFAIL(qPrintable("unknown step " + step));
            if (audit.isEmpty())
                continue;
            got << Describe(archive.import(audit, kind));
            last = audit;
        }
        QCOMPARE(got, reports);

        QVector<LockSummary> locks;
        QVERIFY(archive.locks(&locks));
        if (summary == "none") {
            QVERIFY(locks.isEmpty());
            return;
        }
        QCOMPARE(locks.size(), 1);
        QCOMPARE(QStringLiteral("events %1 gaps %2 visits %3").arg(locks[0].events).arg(locks[0].gaps).arg(locks[0].visits),
                 summary);

        // Joined in the lock's own order, each stretch exactly as recorded, and the search table agrees.
        LockHistory h;
        QVERIFY2(archive.history(QString::fromLatin1(life.serial), &h), qPrintable(archive.errorString()));
        QVERIFY(RunsAreStretchesOf(h.lock, life.lockEvents));
        QVERIFY(RunsAreStretchesOf(h.keypad, life.keypadEvents));
        QCOMPARE(h.lock.eventCount() + h.keypad.eventCount(), locks[0].events);
        QVector<ArchiveProblem> problems;
        QVERIFY(archive.verify(&problems));
        QVERIFY(problems.isEmpty());
    }

    // The history as the window and the exports present it: visits, the gap, the latest visit's lock.
    void historyAsAnAudit()
    {
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        LockLife life;
        life.record(1000);
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        life.record(6000);
        life.name = "BANK02";
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);

        LockHistory h;
        QVERIFY(archive.history("30051122", &h));
        QCOMPARE(h.name, QStringLiteral("BANK02"));
        QCOMPARE(h.visits.size(), 2);
        DecodedAudit audit;
        bool bus = false;
        QString error;
        QVERIFY2(HistoryAsAudit(h, &audit, &bus, &error), qPrintable(error));
        PresentationOptions options;
        options.auditType = FullAudit;
        const AuditView view = PresentAudit(audit, bus, options);
        QCOMPARE(view.events.size(), 6600);
        QCOMPARE(view.gapRows, QVector<int>{ 5600 });
        QCOMPARE(view.events.first().visit, 2);
        QCOMPARE(view.events.last().visit, 1);
        const TextTable table = EventsTextTable(view);
        QCOMPARE(table.header.last(), QStringLiteral("Visit"));
        QCOMPARE(table.rows[5599].last(), QStringLiteral("2"));
        QCOMPARE(table.rows[5600].last(), QStringLiteral("1"));
    }

    // Whatever a lock sends as its name and serial number is kept and given back as it was decoded,
    // on either engine: padding NUL bytes (which a server's text refuses), control characters,
    // quotes, markup, bytes that are not UTF-8.
    void namesAreStoredExactly_data()
    {
        QTest::addColumn<QByteArray>("serial");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("quotes and markup") << QByteArray("O'1<;\"2") << QByteArray("A;<b>\xE9");
        QTest::newRow("padded with NUL bytes") << QByteArray("AB\0\0\0\0\0\0", 8) << QByteArray("AB\0\0\0\0", 6);
        QTest::newRow("control characters") << QByteArray("7\x1b[2J7") << QByteArray("\x07\x1b]0;x\x07");
        QTest::newRow("not UTF-8") << QByteArray("\xC3\x28\xFF" "12") << QByteArray("\xF0\x28\x8C\x28");
    }
    void namesAreStoredExactly()
    {
        QFETCH(QByteArray, serial);
        QFETCH(QByteArray, name);
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        LockLife life;
        life.serial = serial;
        life.name = name;
        life.record(20);
        const QByteArray audit = life.download();
        auto session = std::make_unique<AuditSession>();
        QVERIFY(AuditFile::Parse(audit, *session).valid);
        const Config config = DecodeAudit(*session).config;
        const ImportReport imported = archive.import(audit, AuditKind::File);
        QVERIFY2(imported.status == ImportReport::Added, qPrintable(imported.message));
        QVector<LockSummary> locks;
        QVERIFY(archive.locks(&locks));
        QCOMPARE(locks.value(0).serial, ShownLockText(config.serialNumber));
        QCOMPARE(locks.value(0).name, config.lockName);
        LockHistory h;
        QVERIFY(archive.history(ShownLockText(config.serialNumber), &h));
        QCOMPARE(h.name, config.lockName);
        QCOMPARE(h.lock.eventCount(), 20);
        // Found by its name as shown, and by its serial number.
        QString found;
        QVERIFY2(archive.findLock(ShownLockText(config.lockName), &found), qPrintable(archive.errorString()));
        QCOMPARE(found, ShownLockText(config.serialNumber));
        QVector<FoundEvent> events;
        QVERIFY(archive.search({ { found }, -1, -1, {}, -1 }, &events) && events.size() == 20);
        QCOMPARE(archive.import(audit, AuditKind::File).status, ImportReport::AlreadyThere);
    }

    // A lock whose year byte says 2150 keeps its times whole, so the next visit joins them rather
    // than adding them again behind a gap.
    void datesPastTheYear2136()
    {
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        LockLife life;
        life.now = fixtures::At(2150, 3, 1, 8, 0);
        life.record(300);
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        life.record(50);
        life.passDays(2);
        const ImportReport second = archive.import(life.download(), AuditKind::BusDownload);
        QCOMPARE(second.newEvents, 50);
        QCOMPARE(second.gaps, 0);
        LockHistory h;
        QVERIFY(archive.history(QString::fromLatin1(life.serial), &h));
        QVERIFY(RunsAreStretchesOf(h.lock, life.lockEvents));
        QCOMPARE(h.lock.newest()->time, life.lockEvents.last().time);
        QVERIFY(h.lock.newest()->time > 0xFFFFFFFFll);
    }

    // A laptop dated years back: its download still reaches further in the lock's own order, so it
    // is the latest visit, its new events are credited to it, and the import says the date is off.
    void aLaptopClockYearsBack()
    {
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        LockLife life;
        life.record(800);
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        life.record(200);
        QByteArray late = life.downloadDatedAt(QDateTime(QDate(2019, 5, 1), QTime(9, 0)));
        const ImportReport report = archive.import(late, AuditKind::BusDownload);
        QCOMPARE(report.newEvents, 200);
        QVERIFY2(report.notes.join(' ').contains("check the computer's clock"), qPrintable(report.notes.join(' ')));
        LockHistory h;
        QVERIFY(archive.history(QString::fromLatin1(life.serial), &h));
        QCOMPARE(h.visits.size(), 2);
        QCOMPARE(h.visits.last().downloaded.date(), QDate(2019, 5, 1));
        int latest = 0;
        for (const HistoryEvent& e : h.lock.runs.last().events)
            latest += e.audit == h.visits.last().audit;
        QCOMPARE(latest, 200);
        QVector<LockSummary> locks;
        QVERIFY(archive.locks(&locks));
        QCOMPARE(locks.value(0).lastVisit.date(), QDate(2019, 5, 1));
    }

    // Searches across two locks against the events the locks recorded, filtered here.
    void search_data()
    {
        QTest::addColumn<QStringList>("conditions");
        QTest::newRow("everything") << QStringList{};
        QTest::newRow("one lock") << QStringList{ "lock=77000001" };
        QTest::newRow("two locks, one code") << QStringList{ "lock=77000001", "lock=30051122", "event=5" };
        QTest::newRow("codes of a user") << QStringList{ "event=1", "event=5", "user=3" };
        QTest::newRow("a day") << QStringList{ "from=2025-01-08", "to=2025-01-08" };
        QTest::newRow("from a day on, one lock") << QStringList{ "from=2025-01-10", "lock=30051122" };
        QTest::newRow("nothing matches") << QStringList{ "lock=99999999" };
    }
    void search()
    {
        QFETCH(QStringList, conditions);
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        LockLife first, second;
        second.serial = "77000001";
        second.name = "ATM-07";
        first.record(800);
        second.record(500);
        QCOMPARE(archive.import(first.download(), AuditKind::BusDownload).status, ImportReport::Added);
        QCOMPARE(archive.import(second.download(), AuditKind::BusDownload).status, ImportReport::Added);

        SearchQuery query;
        for (const QString& c : conditions) {
            const QString key = c.section('=', 0, 0), value = c.section('=', 1);
            const qint64 day = QDate(2000, 1, 1).daysTo(QDate::fromString(value, "yyyy-MM-dd")) * 86400;
            if (key == "lock")
                query.serials << value;
            else if (key == "event")
                query.events << value.toInt();
            else if (key == "user")
                query.user = value.toInt();
            else if (key == "from")
                query.from = day;
            else
                query.to = day + 86400;
        }
        QStringList expected;
        QVector<QPair<qint64, QString>> ordered;
        for (const LockLife* life : { &first, &second })
            for (const AuditEntry& e : life->lockEvents) {
                const QString serial = QString::fromLatin1(life->serial);
                if ((query.serials.isEmpty() || query.serials.contains(serial))
                    && (query.events.isEmpty() || query.events.contains(e.event)) && (query.user < 0 || e.user == query.user)
                    && (query.from < 0 || e.time >= query.from) && (query.to < 0 || e.time < query.to))
                    ordered.append({ e.time, QStringLiteral("%1 %2 %3 %4").arg(serial).arg(e.time).arg(e.event).arg(e.user) });
            }
        std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        for (const auto& o : ordered)
            expected << o.second;

        QVector<FoundEvent> found;
        QVERIFY2(archive.search(query, &found), qPrintable(archive.errorString()));
        QStringList got;
        for (const FoundEvent& f : found) {
            got << QStringLiteral("%1 %2 %3 %4").arg(f.serial).arg(f.event.time).arg(f.event.event).arg(f.event.user);
            QCOMPARE(f.event.visit, 1);
        }
        QCOMPARE(got, expected);
        const TextTable table = SearchTextTable(found, {});
        QCOMPARE(table.header.mid(0, 3), (QStringList{ "Serial number", "Lock name", "#" }));
        QCOMPARE(table.header.last(), "Visit");

        // "#" is the event's number in its lock's history, as the history's own table numbers it.
        for (const LockLife* life : { &first, &second }) {
            const QString serial = QString::fromLatin1(life->serial);
            LockHistory h;
            DecodedAudit audit;
            bool bus = false;
            QString error;
            QVERIFY(archive.history(serial, &h) && HistoryAsAudit(h, &audit, &bus, &error));
            PresentationOptions options;
            options.auditType = FullAudit;
            const TextTable history = EventsTextTable(PresentAudit(audit, bus, options));
            for (int r = 0; r < found.size(); ++r) {
                if (found[r].serial != serial)
                    continue;
                const QStringList& row = history.rows.value(int(found[r].number) - 1);
                QCOMPARE(row.value(0), QString::number(found[r].number));
                QCOMPARE(row.mid(1, 6), table.rows[r].mid(3, 6));
            }
        }
    }

    // "#" in histories longer than what a search reads of their newest events: events found among
    // the newest and deep in the past, one run or two, the keypad's events between the lock's.
    void searchNumbersLongHistories_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<int>("days"); // back from the newest event; 0 for the whole history
        for (const char* shape : { "one run", "two runs", "keypad" }) {
            QTest::newRow(qPrintable(QStringLiteral("%1, last days").arg(shape))) << shape << 2;
            QTest::newRow(qPrintable(QStringLiteral("%1, whole").arg(shape))) << shape << 0;
        }
    }
    void searchNumbersLongHistories()
    {
        QFETCH(QString, shape);
        QFETCH(int, days);
        Archive archive;
        QVERIFY(archive.open(freshLocation()));
        LockLife life;
        life.record(3000);
        QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        if (shape == "two runs") {
            life.record(7000);
            QCOMPARE(archive.import(life.download(), AuditKind::BusDownload).status, ImportReport::Added);
        } else if (shape == "keypad") {
            QCOMPARE(archive.import(life.key(), AuditKind::DallasKey).status, ImportReport::Added);
        }
        SearchQuery query;
        query.events << 0x05 << 0x35;
        if (days)
            query.from = life.now - days * 86400;
        QVector<FoundEvent> found;
        QVERIFY2(archive.search(query, &found), qPrintable(archive.errorString()));
        QVERIFY(found.size() > 10);
        QCOMPARE(std::count_if(found.cbegin(), found.cend(), [](const FoundEvent& f) { return f.event.device == KeypadDevice; })
                     > 0,
                 shape == "keypad");

        LockHistory h;
        DecodedAudit audit;
        bool bus = false;
        QString error;
        QVERIFY(archive.history(QString::fromLatin1(life.serial), &h) && HistoryAsAudit(h, &audit, &bus, &error));
        PresentationOptions options;
        options.auditType = FullAudit;
        const TextTable history = EventsTextTable(PresentAudit(audit, bus, options));
        const TextTable table = SearchTextTable(found, {});
        for (int r = 0; r < found.size(); ++r) {
            const QStringList& row = history.rows.value(int(found[r].number) - 1);
            QCOMPARE(row.value(0), QString::number(found[r].number));
            QCOMPARE(row.mid(1, 6), table.rows[r].mid(3, 6));
        }
    }
};

// Every case on each backend; the server is the one the test run started.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestArchive sqlite;
    int failed = QTest::qExec(&sqlite, argc, argv);
    TestArchive server;
    server.backend = Backend::Server;
    if (TestServerUrl().isEmpty()) {
        std::fprintf(stderr, "No PostgreSQL test server: %s is missing.\n", qPrintable(TestServerUrlFile()));
        return failed + 1;
    }
    failed += QTest::qExec(&server, argc, argv);
    return failed;
}
#include "tst_archive.moc"
