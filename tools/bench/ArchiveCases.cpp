// The archive's figures, on a SQLite file: one download joined into a lock with 50 000 archived
// events, and a history of 100 000 events written as CSV and shown in the window, with the size
// the archive takes for it; then a lock of a million events (200 visits) written to CSV and to a
// workbook by the command line, and opened in the window, each in a process of its own so that
// its peak memory is its own.

#include "archive/Archive.h"
#include "model/AuditFile.h"
#include "BenchAudits.h"
#include "BenchCase.h"
#include "app/MainWindow.h"
#include "view/EventsTableView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>
#include <numeric>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A lock that records events ten minutes apart; each visit downloads its newest 5600.
class BenchLife
{
public:
    explicit BenchLife(int total) : m_events(BenchEntries(total, 900000000)) {}

    // The download after the lock recorded its first `recorded` events.
    QByteArray visit(int recorded) const
    {
        const int from = m_events.size() - recorded;
        BusAuditBuilder builder;
        builder.setLock(BenchLock(DelayEncoding::Bcd)).setKeypadVersion(2, 5);
        for (int i = from; i < m_events.size() && i < from + AuditSession::BusDownloadLimit; ++i)
            builder.addEvent(m_events[i].time, m_events[i].event, m_events[i].user);
        auto session = std::make_unique<AuditSession>();
        builder.fill(*session);
        session->busAudit = true;
        const QDateTime at = AuditDateTime(m_events[from].time + 300);
        session->downloadTime = QDateTime(at.date(), at.time());
        session->decoded = DecodeAudit(*session);
        return AuditFile::Serialize(*session, QString());
    }

private:
    QVector<AuditEntry> m_events; // newest first
};

// Visits every 5000 events until the lock has recorded `events`.
bool Fill(Archive& archive, const BenchLife& life, int events)
{
    for (int recorded = 5000; recorded <= events; recorded += 5000)
        if (archive.import(life.visit(recorded), AuditKind::BusDownload).status != ImportReport::Added)
            return false;
    return true;
}

struct SharedArchive
{
    QTemporaryDir dir;
    QString path;
};

// One archive of a lock with 100 000 events for the history cases, made once.
std::shared_ptr<SharedArchive> HundredThousand(QString& note)
{
    static std::weak_ptr<SharedArchive> made;
    if (auto shared = made.lock())
        return shared;
    auto shared = std::make_shared<SharedArchive>();
    shared->path = shared->dir.filePath(QStringLiteral("archive.sqlite"));
    Archive archive;
    if (!archive.open(shared->path) || !Fill(archive, BenchLife(100000), 100000))
        note = QStringLiteral("could not build the archive: ") + archive.errorString();
    made = shared;
    return shared;
}

BenchCase ImportIntoFiftyThousand()
{
    BenchCase c;
    c.name = QStringLiteral("archive/import-5600-into-50k");
    c.iterations = 5;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        auto dir = std::make_shared<QTemporaryDir>();
        auto archive = std::make_shared<Archive>();
        auto life = std::make_shared<BenchLife>(80000);
        if (!archive->open(dir->filePath(QStringLiteral("a.sqlite"))) || !Fill(*archive, *life, 50000))
            note = QStringLiteral("could not build the archive: ") + archive->errorString();
        else
            note = QStringLiteral("5600-event downloads, 5000 of them new, into 50 000 to 75 000 archived events");
        auto visits = std::make_shared<QVector<QByteArray>>();
        for (int recorded = 55000; recorded <= 80000; recorded += 5000)
            visits->append(life->visit(recorded));
        return [dir, archive, visits] {
            if (archive->import(visits->takeFirst(), AuditKind::BusDownload).status != ImportReport::Added)
                qFatal("not imported");
        };
    };
    return c;
}

BenchCase HistoryToCsv()
{
    BenchCase c;
    c.name = QStringLiteral("archive/history-100k-csv");
    c.iterations = 5;
    c.prepare = [](QString& note) {
        auto shared = HundredThousand(note);
        const qint64 bytes = QFileInfo(shared->path).size();
        if (note.isEmpty())
            note = QStringLiteral("read, joined, presented and written; the archive of 100 000 events takes %1 MB")
                       .arg(double(bytes) / 1e6, 0, 'f', 1);
        return [shared] {
            Archive archive;
            LockHistory history;
            AuditView view;
            QString error;
            PresentationOptions options;
            options.auditType = FullAudit;
            if (!archive.open(shared->path) || !archive.history(QStringLiteral("00088888"), &history)
                || !PresentHistory(history, options, false, &view, &error))
                qFatal("history not read");
            QByteArray csv;
            WriteEventsCsv(view, [&csv](const QByteArray& piece) {
                csv += piece;
                return true;
            });
            if (csv.size() < 100000)
                qFatal("history too short");
        };
    };
    return c;
}

BenchCase HistoryInTheWindow()
{
    BenchCase c;
    c.name = QStringLiteral("archive/history-100k-window");
    c.iterations = 5;
    c.prepare = [](QString& note) {
        auto shared = HundredThousand(note);
        qputenv("CORVANE_AUDIT_ARCHIVE", QFile::encodeName(shared->path));
        auto window = std::make_shared<MainWindow>();
        window->show();
        note = QStringLiteral("Open history to a painted table, 100 000 events");
        return [shared, window] {
            window->openLockHistory(QStringLiteral("00088888"));
            while (window->archiveWorkPending() > 0)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            window->eventsView().table()->viewport()->repaint();
        };
    };
    return c;
}

// One archive of a lock with a million events for the million cases, made once per run; or the
// one CORVANE_BENCH_MILLION names (made there when it is not there yet, for the next runs), as the
// window's child process is given it.
std::shared_ptr<SharedArchive> Million(QString& note)
{
    // Kept for the whole run: it takes a minute to make.
    static std::shared_ptr<SharedArchive> made;
    if (made)
        return made;
    auto shared = std::make_shared<SharedArchive>();
    shared->path = qEnvironmentVariable("CORVANE_BENCH_MILLION");
    if (shared->path.isEmpty())
        shared->path = shared->dir.filePath(QStringLiteral("million.sqlite"));
    if (!QFileInfo::exists(shared->path)) {
        Archive archive;
        QElapsedTimer timer;
        timer.start();
        if (!archive.open(shared->path) || !Fill(archive, BenchLife(1000000), 1000000))
            note = QStringLiteral("could not build the archive: ") + archive.errorString();
        else
            std::printf("(the archive of a million events took %.0f s to build)\n", timer.nsecsElapsed() / 1e9);
    }
    made = shared;
    return shared;
}

struct ChildRun
{
    bool ok = false;
    double seconds = 0;
    long peakKilobytes = 0;
    QByteArray output;
};

// Runs a program to its end; its peak resident memory is the system's account of it alone.
ChildRun RunChild(const QString& program, const QStringList& args, const QByteArray& environment = QByteArray())
{
    ChildRun run;
    QByteArrayList owned{ QFile::encodeName(program) };
    for (const QString& a : args)
        owned << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& a : owned)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return run;
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        if (!environment.isEmpty())
            ::putenv(const_cast<char*>(environment.constData()));
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, int(n));
    ::close(pipeFds[0]);
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.peakKilobytes = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

QString PeakOf(long kilobytes)
{
    return QString::number(kilobytes / 1024) + QStringLiteral(" MB");
}

// The command line writing the million events' history to OUTPUT.
BenchCase MillionByCommandLine(const QString& name, const QString& extension, const QString& goal)
{
    BenchCase c;
    c.name = name;
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [extension, goal](QString& note) {
        auto shared = Million(note);
        auto result = std::make_shared<QString>();
        return [shared, extension, goal, &note, result] {
            const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/corvane-audit-cli");
            const QString output = shared->dir.filePath(QStringLiteral("history.") + extension);
            const ChildRun run = RunChild(cli, { QStringLiteral("archive"), QStringLiteral("history"),
                                                 QStringLiteral("00088888"), QStringLiteral("--archive"), shared->path,
                                                 output },
                                          "QT_QPA_PLATFORM=offscreen");
            note = run.ok ? QStringLiteral("corvane-audit-cli archive history: %1 s, peak memory %2, %3 MB written (%4)")
                                .arg(run.seconds, 0, 'f', 2)
                                .arg(PeakOf(run.peakKilobytes))
                                .arg(QFileInfo(output).size() / 1e6, 0, 'f', 0)
                                .arg(goal)
                          : QStringLiteral("the command line failed");
        };
    };
    return c;
}

// The window opening the million events' history, in a process of its own: this same program
// running the child case below.
BenchCase MillionInTheWindow()
{
    BenchCase c;
    c.name = QStringLiteral("archive/history-1m-window");
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        auto shared = Million(note);
        return [shared, &note] {
            const QByteArray environment = "CORVANE_BENCH_MILLION=" + QFile::encodeName(shared->path);
            const ChildRun run = RunChild(QCoreApplication::applicationFilePath(),
                                          { QStringLiteral("archive/history-1m-in-a-window") }, environment);
            const QRegularExpressionMatch timed
                = QRegularExpression(QStringLiteral("history-1m-in-a-window +([0-9.]+) us per run"))
                      .match(QString::fromUtf8(run.output));
            note = run.ok && timed.hasMatch()
                ? QStringLiteral("open history to a painted table: %1 s; peak memory %2 (goal <= 1 s, <= 150 MB)")
                      .arg(timed.captured(1).toDouble() / 1e6, 0, 'f', 2)
                      .arg(PeakOf(run.peakKilobytes))
                          : QStringLiteral("the window's process failed: ") + QString::fromUtf8(run.output.right(300));
        };
    };
    return c;
}

// The child of the case above; alone it has nothing to open.
BenchCase MillionInAWindow()
{
    BenchCase c;
    c.name = QStringLiteral("archive/history-1m-in-a-window");
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [](QString& note) -> std::function<void()> {
        if (qEnvironmentVariableIsEmpty("CORVANE_BENCH_MILLION")) {
            note = QStringLiteral("run by archive/history-1m-window");
            return [] {};
        }
        qputenv("CORVANE_AUDIT_ARCHIVE", qgetenv("CORVANE_BENCH_MILLION"));
        auto window = std::make_shared<MainWindow>();
        window->resize(1100, 700);
        window->show();
        note = QStringLiteral("a million events");
        return [window] {
            window->openLockHistory(QStringLiteral("00088888"));
            while (window->archiveWorkPending() > 0)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            window->eventsView().table()->viewport()->repaint();
        };
    };
    return c;
}

// Everything verify reads and joins again: 20 audits, their chain, a history and search table of
// 100 000 events.
BenchCase VerifyHundredThousand()
{
    BenchCase c;
    c.name = QStringLiteral("archive/verify-100k");
    c.iterations = 5;
    c.prepare = [](QString& note) {
        auto shared = HundredThousand(note);
        if (note.isEmpty())
            note = QStringLiteral("opened to read only, every check, 20 audits of 5600 events joined again");
        return [shared] {
            Archive archive;
            ArchiveSoundness soundness;
            if (!archive.openReadOnly(shared->path) || !archive.verify(&soundness) || !soundness.sound()
                || soundness.audits != 20)
                qFatal("not verified: %s", qPrintable(archive.errorString()));
        };
    };
    return c;
}

} // namespace

QVector<BenchCase> ArchiveCases()
{
    return { ImportIntoFiftyThousand(),
             HistoryToCsv(),
             HistoryInTheWindow(),
             MillionByCommandLine(QStringLiteral("archive/history-1m-csv"), QStringLiteral("csv"),
                                  QStringLiteral("goal <= 1.5 s, <= 100 MB")),
             MillionByCommandLine(QStringLiteral("archive/history-1m-xlsx"), QStringLiteral("xlsx"),
                                  QStringLiteral("goal <= 10 s, <= 150 MB")),
             MillionInTheWindow(),
             MillionInAWindow(),
             VerifyHundredThousand() };
}

// ---- The team archive, on a private PostgreSQL server started for the run (or the one
// CORVANE_BENCH_POSTGRES names as a superuser URL).

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <QUrl>

namespace {

class BenchServer
{
public:
    BenchServer()
    {
        m_url = qEnvironmentVariable("CORVANE_BENCH_POSTGRES");
        if (!m_url.isEmpty())
            return;
        QProcess start;
        start.start(QStringLiteral("bash"), { QStringLiteral(CORVANE_SOURCE_DIR "/scripts/postgres-server.sh"),
                                              QStringLiteral("start"), m_state.path() });
        start.waitForFinished(120000);
        QFile url(m_state.filePath(QStringLiteral("url")));
        if (start.exitCode() == 0 && url.open(QIODevice::ReadOnly))
            m_url = QString::fromUtf8(url.readAll()).trimmed();
    }
    ~BenchServer()
    {
        if (qEnvironmentVariableIsEmpty("CORVANE_BENCH_POSTGRES"))
            QProcess::execute(QStringLiteral("bash"), { QStringLiteral(CORVANE_SOURCE_DIR "/scripts/postgres-server.sh"),
                                                        QStringLiteral("stop"), m_state.path() });
    }

    // A new empty database, as a URL; empty when there is no server.
    QString database(const QString& name) const
    {
        if (m_url.isEmpty())
            return QString();
        const QUrl admin(m_url);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench-admin"));
            db.setHostName(admin.host());
            db.setPort(admin.port());
            db.setUserName(admin.userName());
            db.setPassword(admin.password());
            db.setDatabaseName(QStringLiteral("postgres"));
            if (db.open()) {
                QSqlQuery q(db);
                q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
                q.exec(QStringLiteral("CREATE DATABASE %1").arg(name));
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-admin"));
        QUrl url(admin);
        url.setPath(QLatin1Char('/') + name);
        return url.toString();
    }

private:
    QTemporaryDir m_state;
    QString m_url;
};

std::shared_ptr<BenchServer> Server()
{
    static std::shared_ptr<BenchServer> server = std::make_shared<BenchServer>();
    return server;
}

// A lock of the fleet: an event every 90 minutes for a year, a silent-alarm opening now and then,
// each lock's clock a little off the others.
QByteArray FleetDownload(int lock)
{
    QVector<AuditEntry> events = BenchEntries(AuditSession::BusDownloadLimit, 900000000 - lock * 137);
    for (int i = 0; i < events.size(); ++i) {
        events[i].time = 900000000 - lock * 137 - 5400 * qint64(i);
        if (i % 400 == 7)
            events[i].event = code(EventCode::SilentAlarmCode);
    }
    BusAuditBuilder builder;
    LockDescription description = BenchLock(DelayEncoding::Bcd);
    description.serialNumber = QByteArray::number(10000000 + lock);
    builder.setLock(description).setKeypadVersion(2, 5);
    for (const AuditEntry& e : events)
        builder.addEvent(e.time, e.event, e.user);
    auto session = std::make_unique<AuditSession>();
    builder.fill(*session);
    session->busAudit = true;
    const QDateTime at = AuditDateTime(900000000 + 600);
    session->downloadTime = QDateTime(at.date(), at.time());
    session->decoded = DecodeAudit(*session);
    return AuditFile::Serialize(*session, QString());
}

constexpr int FleetSize = 500;

struct Fleet
{
    QString url;
    double importSeconds = 0;
    QVector<double> perAudit; // ms, in import order
    double copySeconds = -1;  // psql's \copy of the same rows into the same schema
};

// The engine's own bulk path for the fleet's rows: psql's \copy into a table and indexes like the
// archive's, in a database of its own.
double CopySeconds(const QString& url, const QVector<QByteArray>& downloads)
{
    QTemporaryDir dir;
    QFile csv(dir.filePath(QStringLiteral("rows.csv")));
    if (!csv.open(QIODevice::WriteOnly))
        return -1;
    for (int a = 0; a < downloads.size(); ++a) {
        auto session = std::make_unique<AuditSession>();
        AuditFile::Parse(downloads[a], *session);
        QByteArray rows;
        for (const EventsTable& e : DecodeAudit(*session).lockEvents)
            rows += QByteArray::number(a + 1) + ",0," + QByteArray::number(e.time) + ',' + QByteArray::number(e.event) + ','
                + QByteArray::number(e.user) + ',' + QByteArray::number(a + 1) + '\n';
        csv.write(rows);
    }
    csv.close();
    const QUrl u(url);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGPASSWORD"), u.password());
    const QStringList connection = { QStringLiteral("-h"), u.host(), QStringLiteral("-p"), QString::number(u.port()),
                                     QStringLiteral("-U"), u.userName(), QStringLiteral("-d"), u.path().mid(1),
                                     QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1") };
    QProcess schema;
    schema.setProcessEnvironment(env);
    schema.start(QStringLiteral("psql"), connection + QStringList{ QStringLiteral("-c"),
        QStringLiteral("CREATE TABLE events (lock_id BIGINT NOT NULL, device INTEGER NOT NULL, time BIGINT NOT NULL, "
                       "event INTEGER NOT NULL, user_number INTEGER NOT NULL, audit_id BIGINT NOT NULL); "
                       "CREATE INDEX events_by_lock ON events (lock_id, time); "
                       "CREATE INDEX events_by_code ON events (lock_id, event, time, device, user_number, audit_id);") });
    if (!schema.waitForFinished(60000) || schema.exitCode() != 0)
        return -1;
    QProcess copy;
    copy.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    copy.start(QStringLiteral("psql"), connection + QStringList{ QStringLiteral("-c"),
        QStringLiteral("\\copy events FROM '%1' CSV").arg(csv.fileName()) });
    if (!copy.waitForFinished(600000) || copy.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}

std::shared_ptr<Fleet> ImportedFleet()
{
    static std::shared_ptr<Fleet> fleet;
    if (fleet)
        return fleet;
    fleet = std::make_shared<Fleet>();
    fleet->url = Server()->database(QStringLiteral("fleet"));
    Archive archive;
    if (fleet->url.isEmpty() || !archive.open(fleet->url))
        return fleet;
    QVector<QByteArray> downloads;
    for (int lock = 0; lock < FleetSize; ++lock)
        downloads << FleetDownload(lock);
    QElapsedTimer timer, each;
    timer.start();
    for (const QByteArray& d : downloads) {
        each.start();
        archive.import(d, AuditKind::BusDownload);
        fleet->perAudit << each.nsecsElapsed() / 1e6;
    }
    fleet->importSeconds = timer.nsecsElapsed() / 1e9;
    fleet->copySeconds = CopySeconds(Server()->database(QStringLiteral("fleet_copy")), downloads);
    return fleet;
}

BenchCase FleetImport()
{
    BenchCase c;
    c.name = QStringLiteral("server/fleet-import-2.8M");
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        return [&note] {
            const auto fleet = ImportedFleet();
            if (fleet->url.isEmpty()) {
                note = QStringLiteral("no PostgreSQL server");
                return;
            }
            const auto mean = [&](int from) {
                return std::accumulate(fleet->perAudit.begin() + from, fleet->perAudit.begin() + from + 50, 0.0) / 50;
            };
            const double first = mean(0), last = mean(FleetSize - 50);
            note = QStringLiteral("500 locks of 5600 events from one client: %1 events/s, %2 s; psql \\copy of the same "
                                  "rows %3 s: %4x its speed (aim >= 0.5); per audit %5 ms first 50, %6 ms last 50 "
                                  "(%7x, aim <= 1.3)")
                       .arg(qRound(FleetSize * 5600.0 / fleet->importSeconds))
                       .arg(fleet->importSeconds, 0, 'f', 1)
                       .arg(fleet->copySeconds, 0, 'f', 1)
                       .arg(fleet->copySeconds / fleet->importSeconds, 0, 'f', 2)
                       .arg(first, 0, 'f', 1)
                       .arg(last, 0, 'f', 1)
                       .arg(last / first, 0, 'f', 2);
        };
    };
    return c;
}

BenchCase FleetSearch()
{
    BenchCase c;
    c.name = QStringLiteral("server/search-one-code-one-month");
    c.iterations = 10;
    c.prepare = [](QString& note) {
        const auto fleet = ImportedFleet();
        auto found = std::make_shared<int>(0);
        note = QStringLiteral("silent-alarm openings of 500 locks in 30 days (aim <= 200 ms)");
        return [fleet, found, &note] {
            Archive archive;
            SearchQuery query;
            query.events << code(EventCode::SilentAlarmCode);
            query.to = 900000000;
            query.from = query.to - 30 * 86400;
            QVector<FoundEvent> rows;
            if (!archive.open(fleet->url) || !archive.search(query, &rows))
                return;
            *found = rows.size();
            note = QStringLiteral("silent-alarm openings of 500 locks in 30 days, %1 rows (aim <= 200 ms; <= 1.5x "
                                  "server/search-sql-through-psql)")
                       .arg(*found);
        };
    };
    return c;
}

BenchCase FleetHistory()
{
    BenchCase c;
    c.name = QStringLiteral("server/history-one-lock");
    c.iterations = 10;
    c.prepare = [](QString& note) {
        const auto fleet = ImportedFleet();
        note = QStringLiteral("5600 events from the server to a presented history (aim <= 150 ms)");
        return [fleet] {
            Archive archive;
            LockHistory history;
            AuditView view;
            QString error;
            if (archive.open(fleet->url) && archive.history(QStringLiteral("10000250"), &history))
                PresentHistory(history, {}, false, &view, &error);
        };
    };
    return c;
}

// The fleet's findings, judged where the data is: the stored histories in one pass, a lock at a
// time; and one lock's alone.
BenchCase FleetFindings(bool dst)
{
    BenchCase c;
    c.name = dst ? QStringLiteral("server/findings-500-locks-dst") : QStringLiteral("server/findings-500-locks");
    c.iterations = 3;
    c.prepare = [dst](QString& note) {
        const auto fleet = ImportedFleet();
        return [fleet, dst, &note] {
            Archive archive;
            FindingsQuery query;
            query.at = QDate(2028, 7, 10);
            query.dst = dst;
            query.dstRule = DstRule{ 5, 0, 3, 5, 0, 10, false, 3600 };
            QVector<LockFindings> found;
            if (!archive.open(fleet->url) || !archive.findings(query, &found)) {
                note = archive.errorString();
                return;
            }
            int rows = 0;
            for (const LockFindings& l : found)
                rows += l.findings.size();
            note = QStringLiteral("%1 locks of 5600 events%2, %3 findings (aim <= 2 s)")
                       .arg(found.size())
                       .arg(dst ? QStringLiteral(", corrected") : QString())
                       .arg(rows);
        };
    };
    return c;
}

BenchCase LockFindingsOnServer()
{
    BenchCase c;
    c.name = QStringLiteral("server/findings-one-lock");
    c.iterations = 10;
    c.prepare = [](QString& note) {
        const auto fleet = ImportedFleet();
        note = QStringLiteral("--lock 10000250 of the 500");
        return [fleet] {
            Archive archive;
            FindingsQuery query;
            query.locks << QStringLiteral("10000250");
            QVector<LockFindings> found;
            if (archive.open(fleet->url))
                archive.findings(query, &found);
        };
    };
    return c;
}

// The story of a lock as two archives must agree on it, whatever order its audits came in.
QString Story(const QString& url, const QString& serial)
{
    Archive archive;
    LockHistory h;
    if (!archive.open(url) || !archive.history(serial, &h))
        return QString();
    QString story;
    for (const HistoryRun& run : h.lock.runs) {
        story += QLatin1Char('|');
        for (const HistoryEvent& e : run.events)
            story += QStringLiteral("%1:%2:%3,").arg(h.visitOf(e.audit)).arg(e.time).arg(e.event);
    }
    return story;
}

BenchCase ClientsAtOnce()
{
    BenchCase c;
    c.name = QStringLiteral("server/16-clients-4-locks");
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        // Four visits to each of four locks: overlapping downloads, and one after an overwrite.
        auto audits = std::make_shared<QVector<QByteArray>>();
        QStringList serials;
        for (int lock = 0; lock < 4; ++lock) {
            serials << QString::number(10000000 + lock);
            const QByteArray full = FleetDownload(lock);
            auto session = std::make_unique<AuditSession>();
            AuditFile::Parse(full, *session);
            for (int visit = 0; visit < 4; ++visit) {
                // The visit's download: the newest events up to a moment, fewer for earlier visits.
                auto part = std::make_unique<AuditSession>(*session);
                const int dropped = (3 - visit) * 1200;
                const int kept = AuditSession::BusDownloadLimit - dropped - (visit == 0 ? 2000 : 0);
                std::copy(session->busEvents.begin() + dropped * AuditSession::BusRecordSize,
                          session->busEvents.begin() + (dropped + kept) * AuditSession::BusRecordSize, part->busEvents.begin());
                std::fill(part->busEvents.begin() + kept * AuditSession::BusRecordSize, part->busEvents.end(), 0);
                part->downloadTime = session->downloadTime.addDays(visit - 3);
                part->decoded = DecodeAudit(*part);
                audits->append(AuditFile::Serialize(*part, QString()));
            }
        }
        const QString sequential = Server()->database(QStringLiteral("clients_one_by_one"));
        const QString together = Server()->database(QStringLiteral("clients_together"));
        {
            Archive archive;
            if (archive.open(sequential))
                for (const QByteArray& a : *audits)
                    archive.import(a, AuditKind::BusDownload);
            Archive schema; // made once, before the clients race
            schema.open(together);
        }
        return [audits, serials, sequential, together, &note] {
            QVector<QThread*> clients;
            for (int k = audits->size() - 1; k >= 0; --k) {
                const QByteArray audit = audits->at(k);
                clients << QThread::create([together, audit] {
                    Archive archive;
                    if (archive.open(together))
                        archive.import(audit, AuditKind::BusDownload);
                });
                clients.last()->start();
            }
            for (QThread* t : clients) {
                t->wait();
                delete t;
            }
            int same = 0;
            for (const QString& serial : serials)
                same += !Story(sequential, serial).isEmpty() && Story(sequential, serial) == Story(together, serial);
            note = QStringLiteral("16 imports at once; %1 of 4 histories equal to the one-by-one result").arg(same);
        };
    };
    return c;
}

} // namespace

// The search's own SQL through psql, for the ratio of the fleet search.
BenchCase FleetSearchThroughPsql()
{
    BenchCase c;
    c.name = QStringLiteral("server/search-sql-through-psql");
    c.iterations = 10;
    c.prepare = [](QString& note) {
        const auto fleet = ImportedFleet();
        note = QStringLiteral("the same search as server/search-one-code-one-month, rows to /dev/null");
        return [fleet] {
            const QUrl u(fleet->url);
            QProcess psql;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("PGPASSWORD"), u.password());
            psql.setProcessEnvironment(env);
            psql.setStandardOutputFile(QProcess::nullDevice());
            psql.start(QStringLiteral("psql"),
                       { QStringLiteral("-h"), u.host(), QStringLiteral("-p"), QString::number(u.port()), QStringLiteral("-U"),
                         u.userName(), QStringLiteral("-d"), u.path().mid(1), QStringLiteral("-c"),
                         QStringLiteral("SELECT l.serial, l.name, e.device, e.time, e.event, e.user_number, a.visit FROM events e "
                                        "JOIN locks l ON l.id = e.lock_id JOIN audits a ON a.id = e.audit_id "
                                        "WHERE e.event IN (%1) AND e.time >= %2 AND e.time < %3 ORDER BY e.time DESC, l.serial, e.device")
                             .arg(code(EventCode::SilentAlarmCode))
                             .arg(900000000 - 30 * 86400)
                             .arg(900000000) });
            psql.waitForFinished(60000);
        };
    };
    return c;
}

QVector<BenchCase> ServerCases()
{
    return { FleetImport(),         FleetSearch(),          FleetSearchThroughPsql(), FleetHistory(),
             FleetFindings(false),  FleetFindings(true),    LockFindingsOnServer(),   ClientsAtOnce() };
}
