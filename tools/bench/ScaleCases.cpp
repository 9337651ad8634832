// The archive at scale, each figure beside the engine's own fastest way to the same result:
// - a lock of a million events (200 visits) on SQLite: a search for one code, a new download, the
//   oldest audit back-filled (how long the write lock is held);
// - 100 audits of 5600 events into an empty SQLite archive, against the sqlite3 shell's .import of
//   the same rows with the same indexes in one transaction;
// - 500 locks of 5600 events onto a server, against psql's \copy of the same rows, and the time per
//   audit as the fleet grows; a fleet search against the same SQL through psql.

#include "archive/Archive.h"
#include "model/AuditFile.h"
#include "BenchAudits.h"
#include "BenchCase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>
#include <numeric>

namespace {

// A lock that records an event every ten minutes; a visit downloads its newest 5600.
class MillionLock
{
public:
    explicit MillionLock(int total, const QByteArray& serial = "00077777")
        : m_serial(serial), m_events(BenchEntries(total, 900000000))
    {
    }

    int size() const { return m_events.size(); }

    // The download after the lock recorded its first `recorded` events.
    QByteArray visit(int recorded) const
    {
        const int from = m_events.size() - recorded;
        BusAuditBuilder builder;
        LockDescription lock = BenchLock(DelayEncoding::Bcd);
        lock.serialNumber = m_serial;
        builder.setLock(lock).setKeypadVersion(2, 5);
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
    QByteArray m_serial;
    QVector<AuditEntry> m_events; // newest first
};

constexpr int VisitStep = 5000;
constexpr int Million = 1000000;

struct MillionArchive
{
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<MillionLock> lock;
    QString problem;
};

// One lock of a million events, its first visit left out (the back-fill imports it), made once.
std::shared_ptr<MillionArchive> MillionEvents()
{
    static std::weak_ptr<MillionArchive> made;
    if (auto shared = made.lock())
        return shared;
    auto shared = std::make_shared<MillionArchive>();
    shared->path = shared->dir.filePath(QStringLiteral("million.sqlite"));
    shared->lock = std::make_unique<MillionLock>(Million + 10 * VisitStep);
    Archive archive;
    if (!archive.open(shared->path))
        shared->problem = archive.errorString();
    for (int recorded = 2 * VisitStep; recorded <= Million && shared->problem.isEmpty(); recorded += VisitStep) {
        const ImportReport r = archive.import(shared->lock->visit(recorded), AuditKind::BusDownload);
        if (r.status != ImportReport::Added)
            shared->problem = r.message;
    }
    made = shared;
    return shared;
}

BenchCase MillionSearch()
{
    BenchCase c;
    c.name = QStringLiteral("scale/million-search-one-code");
    c.iterations = 5;
    c.prepare = [](QString& note) {
        auto shared = MillionEvents();
        auto found = std::make_shared<int>(0);
        note = shared->problem;
        return [shared, found, &note] {
            Archive archive;
            QVector<FoundEvent> rows;
            SearchQuery query;
            query.events << code(EventCode::TimeChanged);
            if (!archive.open(shared->path) || !archive.search(query, &rows))
                qFatal("search failed");
            note = QStringLiteral("clock settings of a lock of 1 000 000 events: %1 rows (aim <= 200 ms)").arg(rows.size());
        };
    };
    return c;
}

BenchCase MillionNewDownload()
{
    BenchCase c;
    c.name = QStringLiteral("scale/million-new-download");
    c.iterations = 5;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        auto shared = MillionEvents();
        auto archive = std::make_shared<Archive>();
        auto visits = std::make_shared<QVector<QByteArray>>();
        for (int recorded = Million + VisitStep; recorded <= Million + 5 * VisitStep; recorded += VisitStep)
            visits->append(shared->lock->visit(recorded));
        if (!archive->open(shared->path))
            note = archive->errorString();
        else
            note = QStringLiteral("5600-event downloads, 5000 new, into a lock of 1 000 000 events (aim <= 60 ms)");
        return [shared, archive, visits] {
            if (archive->import(visits->takeFirst(), AuditKind::BusDownload).status != ImportReport::Added)
                qFatal("not imported");
        };
    };
    return c;
}

BenchCase MillionBackFill()
{
    BenchCase c;
    c.name = QStringLiteral("scale/million-back-fill-oldest");
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        auto shared = MillionEvents();
        return [shared, &note] {
            Archive archive;
            if (!archive.open(shared->path))
                qFatal("not opened");
            const ImportReport r = archive.import(shared->lock->visit(VisitStep), AuditKind::BusDownload);
            note = QStringLiteral("the oldest visit imported last: %1 new events, write lock held %2 ms (aim <= 500 ms)")
                       .arg(r.newEvents)
                       .arg(r.heldMs, 0, 'f', 1);
        };
    };
    return c;
}

// The rows the archive's search table gets for `audits`, as CSV for the engines' own loaders.
QByteArray EventRowsCsv(const QVector<QByteArray>& audits)
{
    QByteArray csv;
    for (int a = 0; a < audits.size(); ++a) {
        auto session = std::make_unique<AuditSession>();
        AuditFile::Parse(audits[a], *session);
        const DecodedAudit decoded = DecodeAudit(*session);
        for (const EventsTable& e : decoded.lockEvents)
            csv += QByteArray::number(a + 1) + ",0," + QByteArray::number(e.time) + ',' + QByteArray::number(e.event) + ','
                + QByteArray::number(e.user) + ',' + QByteArray::number(a + 1) + '\n';
    }
    return csv;
}

const char* const EventsTable = "CREATE TABLE events (lock_id BIGINT NOT NULL, device INTEGER NOT NULL, time BIGINT NOT NULL, "
                                "event INTEGER NOT NULL, user_number INTEGER NOT NULL, audit_id BIGINT NOT NULL)";
const char* const EventsIndexes = "CREATE INDEX events_by_lock ON events (lock_id, time); "
                                  "CREATE INDEX events_by_code ON events (lock_id, event, time, device, user_number, audit_id);";

QVector<QByteArray> HundredLocks(int count)
{
    QVector<QByteArray> audits;
    for (int l = 0; l < count; ++l)
        audits << MillionLock(AuditSession::BusDownloadLimit, QByteArray::number(20000000 + l)).visit(AuditSession::BusDownloadLimit);
    return audits;
}

BenchCase EmbeddedImportAgainstShell()
{
    BenchCase c;
    c.name = QStringLiteral("scale/import-100-audits-vs-sqlite3");
    c.iterations = 1;
    c.warmUp = false;
    c.prepare = [](QString& note) {
        auto audits = std::make_shared<QVector<QByteArray>>(HundredLocks(100));
        auto dir = std::make_shared<QTemporaryDir>();
        return [audits, dir, &note] {
            // The engine's own bulk path: the shell's .import of the same rows in one transaction.
            QFile csv(dir->filePath(QStringLiteral("rows.csv")));
            if (!csv.open(QIODevice::WriteOnly) || csv.write(EventRowsCsv(*audits)) < 0)
                qFatal("no rows");
            csv.close();
            QProcess shell;
            shell.start(QStringLiteral("sqlite3"), { dir->filePath(QStringLiteral("shell.sqlite")) });
            shell.waitForStarted();
            shell.write(QByteArray(EventsTable) + ";\n" + EventsIndexes + "\n.mode csv\n.timer on\nBEGIN;\n.import "
                        + QFile::encodeName(csv.fileName()) + " events\nCOMMIT;\n");
            QElapsedTimer timer;
            timer.start();
            shell.closeWriteChannel();
            if (!shell.waitForFinished(120000) || shell.exitCode() != 0) {
                note = QStringLiteral("no sqlite3 shell (package sqlite3)");
                return;
            }
            const double shellSeconds = timer.nsecsElapsed() / 1e9;

            Archive archive;
            if (!archive.open(dir->filePath(QStringLiteral("archive.sqlite"))))
                qFatal("not opened");
            timer.restart();
            for (const QByteArray& a : *audits)
                archive.import(a, AuditKind::BusDownload);
            const double ours = timer.nsecsElapsed() / 1e9;
            note = QStringLiteral("100 imports of 5600 events %1 s, sqlite3 .import of the same rows %2 s: %3x the "
                                  "engine's speed (aim >= 0.5)")
                       .arg(ours, 0, 'f', 2)
                       .arg(shellSeconds, 0, 'f', 2)
                       .arg(shellSeconds / ours, 0, 'f', 2);
        };
    };
    return c;
}

} // namespace

QVector<BenchCase> ScaleCases()
{
    return { MillionSearch(), MillionNewDownload(), MillionBackFill(), EmbeddedImportAgainstShell() };
}
