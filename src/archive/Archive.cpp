#include "Archive.h"

#include "ArchiveLocation.h"
#include "AuditFile.h"
#include "AuditView.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QDir>
#include <QSysInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QVariant>

#include <memory>

#include <pwd.h>
#include <unistd.h>

namespace {

// The archive's own texts, translated in the "Archive" context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Archive)
};

// The devices as the archive numbers them.
constexpr int LockHistoryDevice = 0;
constexpr int KeypadHistoryDevice = 1;

// Dates of visits are the wall-clock readings they were taken with, kept as if in UTC so that no
// zone ever shifts them.
qint64 WallClock(const QDateTime& t)
{
    return QDateTime(t.date(), t.time(), Qt::UTC).toMSecsSinceEpoch();
}
QDateTime FromWallClock(qint64 ms)
{
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return QDateTime(utc.date(), utc.time());
}

QString SystemUser()
{
    if (const passwd* pw = getpwuid(getuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

// Oldest first, as the history keeps them.
QVector<HistoryEvent> OldestFirst(const QList<EventsTable>& events)
{
    QVector<HistoryEvent> out;
    out.reserve(events.size());
    for (auto e = events.crbegin(); e != events.crend(); ++e)
        out.append({ e->time, quint8(e->event), quint8(e->user), 0 });
    return out;
}

struct Dialect
{
    const char* id;
    const char* blob;
};
constexpr Dialect SqliteDialect{ "INTEGER PRIMARY KEY", "BLOB" };
constexpr Dialect PostgresDialect{ "BIGSERIAL PRIMARY KEY", "BYTEA" };

QStringList SchemaV1(const Dialect& d)
{
    const QString id = QLatin1String(d.id), blob = QLatin1String(d.blob);
    return {
        QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE locks (id %1, serial TEXT NOT NULL UNIQUE, name TEXT NOT NULL, "
                       "lock_version TEXT NOT NULL, keypad_version TEXT NOT NULL, latest_audit BIGINT, "
                       "visits INTEGER NOT NULL DEFAULT 0, events INTEGER NOT NULL DEFAULT 0, "
                       "gaps INTEGER NOT NULL DEFAULT 0, first_event BIGINT NOT NULL DEFAULT 0, "
                       "last_event BIGINT NOT NULL DEFAULT 0, last_visit BIGINT NOT NULL DEFAULT 0)")
            .arg(id),
        QStringLiteral("CREATE TABLE audits (id %1, lock_id BIGINT NOT NULL REFERENCES locks (id), "
                       "sha256 TEXT NOT NULL, identity TEXT NOT NULL, kind TEXT NOT NULL, "
                       "downloaded_at BIGINT NOT NULL, imported_at BIGINT NOT NULL, imported_by TEXT NOT NULL, "
                       "imported_host TEXT NOT NULL, new_events INTEGER NOT NULL DEFAULT 0, content %2 NOT NULL, "
                       "UNIQUE (lock_id, identity))")
            .arg(id, blob),
        QStringLiteral("CREATE TABLE histories (lock_id BIGINT NOT NULL REFERENCES locks (id), "
                       "device INTEGER NOT NULL, content %1 NOT NULL, PRIMARY KEY (lock_id, device))")
            .arg(blob),
        // Every event once more, for searches across locks; the histories are what joins read.
        QStringLiteral("CREATE TABLE events (lock_id BIGINT NOT NULL REFERENCES locks (id), device INTEGER NOT NULL, "
                       "seq INTEGER NOT NULL, time BIGINT NOT NULL, event INTEGER NOT NULL, "
                       "user_number INTEGER NOT NULL, audit_id BIGINT NOT NULL)"),
        // A lock's events by time, and one code across the fleet by time: what searches ask.
        QStringLiteral("CREATE INDEX events_by_lock ON events (lock_id, time)"),
        QStringLiteral("CREATE INDEX events_by_code ON events (event, time)"),
        QStringLiteral("CREATE INDEX audits_by_lock ON audits (lock_id, downloaded_at)"),
        QStringLiteral("INSERT INTO schema_version (version) VALUES (1)"),
    };
}

QAtomicInt connectionCounter;

} // namespace

void (*Archive::beforeCommit)() = nullptr;

QString AuditKindName(AuditKind kind)
{
    switch (kind) {
    case AuditKind::BusDownload: return QStringLiteral("bus download");
    case AuditKind::DallasKey: return QStringLiteral("Dallas key");
    case AuditKind::File: break;
    }
    return QStringLiteral("file");
}

Archive::Archive()
    : m_connection(QStringLiteral("corvane-archive-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

Archive::~Archive()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

bool Archive::isServer() const
{
    return QSqlDatabase::database(m_connection, false).driverName() == QLatin1String("QPSQL");
}

bool Archive::fail(const QString& message)
{
    m_error = message;
    return false;
}

bool Archive::failQuery(const QSqlQuery& query)
{
    const QSqlError e = query.lastError();
    // SQLite waits five seconds for another program's transaction before it says busy.
    if (e.nativeErrorCode() == QLatin1String("5") || e.nativeErrorCode() == QLatin1String("6"))
        return fail(Text::tr("The archive %1 is in use by another program; try again in a moment.").arg(m_displayName));
    const QString state = e.nativeErrorCode();
    // A supervisor's role may read but not write.
    if (state == QLatin1String("42501"))
        return fail(Text::tr("You may read this archive but not add to it"));
    QString reason = e.databaseText().trimmed();
    if (reason.isEmpty())
        reason = e.text().trimmed();
    reason.remove(QRegularExpression(QStringLiteral("\\s*\\([0-9A-Z]{5}\\)$")));
    // A server that went away: no SQLSTATE, a connection exception (08...) or a shutdown (57P..).
    if (isServer() && (state.isEmpty() || state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))) {
        m_unreachable = true;
        return fail(Text::tr("The archive %1 cannot be reached: %2").arg(m_displayName, reason));
    }
    return fail(Text::tr("The archive %1 cannot be used: %2").arg(m_displayName, reason));
}

bool Archive::open(const QString& location)
{
    m_open = false;
    m_unreachable = false;
    ArchiveAddress address;
    if (!ParseArchiveAddress(location, &address, &m_error))
        return false;
    m_displayName = address.display;

    QSqlDatabase db;
    if (address.server) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            return fail(Text::tr("The archive %1 cannot be reached: this computer lacks the PostgreSQL driver of Qt "
                           "(package libqt5sql5-psql).")
                            .arg(m_displayName));
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setDatabaseName(address.database);
        db.setUserName(address.user);
        db.setPassword(address.password);
        db.setConnectOptions(address.connectOptions);
        if (!db.open()) {
            const QString reason = db.lastError().databaseText().trimmed().section(QLatin1Char('\n'), 0, 0);
            // A wrong password or an unknown database is no reason to wait for the server.
            m_unreachable = !reason.contains(QLatin1String("authentication")) && !reason.contains(QLatin1String("does not exist"));
            return fail(Text::tr("The archive %1 cannot be reached: %2").arg(m_displayName, reason));
        }
    } else {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            return fail(Text::tr("The archive %1 cannot be read: this computer lacks the SQLite driver of Qt "
                           "(package libqt5sql5-sqlite).")
                            .arg(m_displayName));
        const QFileInfo file(address.path);
        if (file.isDir())
            return fail(Text::tr("The archive %1 cannot be read: it is a folder.").arg(m_displayName));
        if (!file.exists() && !QFileInfo(file.path()).isDir())
            return fail(Text::tr("The archive %1 cannot be read: the folder %2 does not exist.")
                            .arg(m_displayName, QDir::toNativeSeparators(file.path())));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(address.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, db.lastError().databaseText()));
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    }
    if (!migrate())
        return false;
    m_open = true;
    return true;
}

bool Archive::begin()
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    // SQLite: take the write lock at once, so two writers wait for each other instead of failing.
    return q.exec(isServer() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")) || failQuery(q);
}

bool Archive::commit()
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (q.exec(QStringLiteral("COMMIT")))
        return true;
    failQuery(q);
    rollback();
    return false;
}

void Archive::rollback()
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.exec(QStringLiteral("ROLLBACK"));
}

bool Archive::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const bool server = isServer();
    const QString tablesQuery = server
        ? QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema()")
        : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'");
    const auto notOurs = [this] {
        return fail(Text::tr("The archive %1 cannot be read: it is not an archive of this program, or it is damaged.")
                        .arg(m_displayName));
    };

    // The version as it stands; -1 for an empty database, -2 for one that is not ours.
    const auto readVersion = [&](int* version) {
        QSqlQuery q(db);
        if (!q.exec(tablesQuery)) {
            if (!server)
                return notOurs();
            return failQuery(q);
        }
        QStringList tables;
        while (q.next())
            tables << q.value(0).toString();
        if (tables.isEmpty()) {
            *version = -1;
            return true;
        }
        if (!tables.contains(QStringLiteral("schema_version")))
            return notOurs();
        if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next())
            return notOurs();
        bool ok = false;
        *version = q.value(0).toInt(&ok);
        return ok ? true : notOurs();
    };

    int version = 0;
    if (!readVersion(&version))
        return false;
    if (version == SchemaVersion)
        return true;
    if (version > SchemaVersion)
        return fail(Text::tr("The archive %1 was written by a later version of Corvane Audit; update this program to "
                       "use it.")
                        .arg(m_displayName));

    // Another program may be creating or upgrading it at this very moment: look again under the lock.
    if (!begin())
        return false;
    QSqlQuery q(db);
    if (server && !q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7262016)"))) {
        failQuery(q);
        rollback();
        return false;
    }
    if (!readVersion(&version)) {
        rollback();
        return false;
    }
    if (version < 1) {
        for (const QString& statement : SchemaV1(server ? PostgresDialect : SqliteDialect))
            if (!q.exec(statement)) {
                failQuery(q);
                rollback();
                return false;
            }
    }
    return commit();
}

ImportReport Archive::import(const QByteArray& auditFile, AuditKind kind)
{
    ImportReport report;
    const auto refused = [&](const QString& message) {
        report.status = ImportReport::Refused;
        report.message = message;
        return report;
    };
    const auto failed = [&] {
        rollback();
        report.status = ImportReport::Failed;
        report.message = m_error;
        return report;
    };
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    const auto queryFailed = [&] {
        failQuery(q);
        return failed();
    };

    auto session = std::make_unique<AuditSession>();
    if (!AuditFile::Parse(auditFile, *session).valid)
        return refused(QCoreApplication::translate("MainWindow", "File not valid"));
    const DecodedAudit decoded = DecodeAudit(*session);
    if (!decoded.ok)
        return refused(Text::tr("The audit cannot be decoded, so it is not kept in the archive."));
    report.serial = decoded.config.serialNumber.trimmed();
    if (report.serial.isEmpty())
        return refused(Text::tr("The audit names no lock (it has no serial number), so it is not kept in the archive."));

    QDateTime downloaded = decoded.config.downloadTime.isValid() ? decoded.config.downloadTime : session->downloadTime;
    if (!downloaded.isValid())
        downloaded = QDateTime::currentDateTime();
    const qint64 order = WallClock(downloaded);
    const QString sha = QString::fromLatin1(QCryptographicHash::hash(auditFile, QCryptographicHash::Sha256).toHex());
    // The same audit saved again with another label (the keypad's time as displayed) is still the same
    // audit; the same events downloaded on another day are another visit.
    session->decoded.config.downloadTime = decoded.config.downloadTime;
    const QString identity = QString::fromLatin1(
        QCryptographicHash::hash(AuditFile::Serialize(*session, QString()), QCryptographicHash::Sha256).toHex());

    const bool server = isServer();
    const auto run = [&q](const QString& sql, const QVariantList& values) {
        if (!q.prepare(sql))
            return false;
        for (const QVariant& v : values)
            q.addBindValue(v);
        return q.exec();
    };

    if (!begin())
        return failed();
    if (!run(QStringLiteral("INSERT INTO locks (serial, name, lock_version, keypad_version) VALUES (?, ?, ?, ?) "
                            "ON CONFLICT (serial) DO NOTHING"),
             { report.serial, decoded.config.lockName, decoded.config.lockVersion, decoded.config.keypadVersion }))
        return queryFailed();
    // On a server, imports of one lock queue here; other locks go on.
    if (!run(server ? QStringLiteral("SELECT id FROM locks WHERE serial = ? FOR UPDATE")
                    : QStringLiteral("SELECT id FROM locks WHERE serial = ?"),
             { report.serial })
        || !q.next())
        return queryFailed();
    const qint64 lock = q.value(0).toLongLong();

    if (!run(QStringLiteral("SELECT 1 FROM audits WHERE lock_id = ? AND identity = ?"), { lock, identity }))
        return queryFailed();
    if (q.next()) {
        rollback();
        report.status = ImportReport::AlreadyThere;
        return report;
    }
    if (!run(QStringLiteral("INSERT INTO audits (lock_id, sha256, identity, kind, downloaded_at, imported_at, "
                            "imported_by, imported_host, content) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
             { lock, sha, identity, AuditKindName(kind), order, WallClock(QDateTime::currentDateTime()), SystemUser(),
               QSysInfo::machineHostName(), auditFile })
        || !q.next())
        return queryFailed();
    const qint64 audit = q.value(0).toLongLong();

    QHash<qint64, qint64> orders;
    if (!run(QStringLiteral("SELECT id, downloaded_at FROM audits WHERE lock_id = ?"), { lock }))
        return queryFailed();
    while (q.next())
        orders.insert(q.value(0).toLongLong(), q.value(1).toLongLong());

    int added = 0, gaps = 0, eventCount = 0;
    qint64 first = 0, last = 0;
    for (int device : { LockHistoryDevice, KeypadHistoryDevice }) {
        DeviceHistory stored;
        if (!readHistory(lock, device, &stored))
            return failed();
        const JoinOutcome joined = JoinAudit(stored, OldestFirst(device == LockHistoryDevice ? decoded.lockEvents
                                                                                     : decoded.keypadEvents),
                                             audit, order, orders);
        added += joined.added;
        gaps += joined.history.gapCount();
        eventCount += joined.history.eventCount();
        if (!first && joined.history.oldest())
            first = joined.history.oldest()->time;
        if (!last && joined.history.newest())
            last = joined.history.newest()->time;
        if (joined.added == 0 && joined.reassigned == 0)
            continue;
        if (!run(QStringLiteral("INSERT INTO histories (lock_id, device, content) VALUES (?, ?, ?) "
                                "ON CONFLICT (lock_id, device) DO UPDATE SET content = excluded.content"),
                 { lock, device, PackHistory(joined.history) }))
            return queryFailed();

        // The search table follows: only the new events when they came after all the others, else
        // the device's events again, for each keeps its place in the lock's order.
        QVector<const HistoryEvent*> all;
        all.reserve(joined.history.eventCount());
        for (const HistoryRun& r : joined.history.runs)
            for (const HistoryEvent& e : r.events)
                all.append(&e);
        const int firstNew = all.size() - joined.added;
        bool appended = joined.reassigned == 0;
        for (int k = 0; appended && k < all.size(); ++k)
            appended = (all[k]->audit == audit) == (k >= firstNew);
        if (!appended && !run(QStringLiteral("DELETE FROM events WHERE lock_id = ? AND device = ?"), { lock, device }))
            return queryFailed();
        if (!insertEvents(q, lock, device, all, appended ? firstNew : 0))
            return queryFailed();
    }

    if (!run(QStringLiteral("UPDATE audits SET new_events = ? WHERE id = ?"), { added, audit }))
        return queryFailed();
    // The lock's name and versions are those of its latest visit.
    if (!run(QStringLiteral("SELECT id, downloaded_at FROM audits WHERE lock_id = ? "
                            "ORDER BY downloaded_at DESC, id DESC LIMIT 1"),
             { lock })
        || !q.next())
        return queryFailed();
    const qint64 latest = q.value(0).toLongLong(), lastVisit = q.value(1).toLongLong();
    if (latest == audit
        && !run(QStringLiteral("UPDATE locks SET name = ?, lock_version = ?, keypad_version = ? WHERE id = ?"),
                { decoded.config.lockName, decoded.config.lockVersion, decoded.config.keypadVersion, lock }))
        return queryFailed();
    if (!run(QStringLiteral("UPDATE locks SET latest_audit = ?, visits = ?, events = ?, gaps = ?, first_event = ?, "
                            "last_event = ?, last_visit = ? WHERE id = ?"),
             { latest, orders.size(), eventCount, gaps, first, last, lastVisit, lock }))
        return queryFailed();

    if (beforeCommit)
        beforeCommit();
    if (!commit()) {
        report.status = ImportReport::Failed;
        report.message = m_error;
        return report;
    }
    report.status = ImportReport::Added;
    report.newEvents = added;
    report.gaps = gaps;
    return report;
}

bool Archive::insertEvents(QSqlQuery& q, qint64 lock, int device, const QVector<const HistoryEvent*>& rows, int from)
{
    if (from >= rows.size())
        return true;
    if (isServer()) {
        // One statement for them all: the rows travel as five arrays, which the server unnests.
        QString seqs, times, codes, users, audits;
        for (int k = from; k < rows.size(); ++k) {
            const HistoryEvent& e = *rows[k];
            const QLatin1Char sep(k == from ? '{' : ',');
            seqs += sep + QString::number(k);
            times += sep + QString::number(e.time);
            codes += sep + QString::number(e.event);
            users += sep + QString::number(e.user);
            audits += sep + QString::number(e.audit);
        }
        if (!q.prepare(QStringLiteral("INSERT INTO events (lock_id, device, seq, time, event, user_number, audit_id) "
                                      "SELECT ?, ?, s, t, e, u, a FROM unnest(CAST(? AS INTEGER[]), CAST(? AS BIGINT[]), "
                                      "CAST(? AS INTEGER[]), CAST(? AS INTEGER[]), CAST(? AS BIGINT[])) AS x (s, t, e, u, a)")))
            return false;
        for (const QVariant& v : { QVariant(lock), QVariant(device), QVariant(seqs + '}'), QVariant(times + '}'),
                                   QVariant(codes + '}'), QVariant(users + '}'), QVariant(audits + '}') })
            q.addBindValue(v);
        return q.exec();
    }
    // SQLite looks its parameters up one by one: one prepared row, run for each, is its fastest.
    if (!q.prepare(QStringLiteral("INSERT INTO events (lock_id, device, seq, time, event, user_number, audit_id) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?)")))
        return false;
    for (int k = from; k < rows.size(); ++k) {
        const HistoryEvent& e = *rows[k];
        q.bindValue(0, lock);
        q.bindValue(1, device);
        q.bindValue(2, k);
        q.bindValue(3, e.time);
        q.bindValue(4, int(e.event));
        q.bindValue(5, int(e.user));
        q.bindValue(6, e.audit);
        if (!q.exec())
            return false;
    }
    return true;
}

bool Archive::readHistory(qint64 lock, int device, DeviceHistory* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT content FROM histories WHERE lock_id = ? AND device = ?"));
    q.addBindValue(lock);
    q.addBindValue(device);
    if (!q.exec())
        return failQuery(q);
    *out = DeviceHistory();
    if (!q.next())
        return true;
    QString why;
    if (!UnpackHistory(q.value(0).toByteArray(), out, &why))
        return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, why));
    return true;
}

bool Archive::locks(QVector<LockSummary>* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT serial, name, visits, events, gaps, first_event, last_event, last_visit "
                               "FROM locks WHERE visits > 0 ORDER BY serial")))
        return failQuery(q);
    out->clear();
    while (q.next()) {
        LockSummary s;
        s.serial = q.value(0).toString();
        s.name = q.value(1).toString();
        s.visits = q.value(2).toInt();
        s.events = q.value(3).toInt();
        s.gaps = q.value(4).toInt();
        s.firstEvent = q.value(5).toLongLong();
        s.lastEvent = q.value(6).toLongLong();
        s.lastVisit = FromWallClock(q.value(7).toLongLong());
        out->append(s);
    }
    return true;
}

bool Archive::history(const QString& serial, LockHistory* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT id, name, latest_audit FROM locks WHERE serial = ?"));
    q.addBindValue(serial);
    if (!q.exec())
        return failQuery(q);
    if (!q.next())
        return fail(Text::tr("The archive %1 holds no lock %2.").arg(m_displayName, serial));
    LockHistory h;
    const qint64 lock = q.value(0).toLongLong();
    h.serial = serial;
    h.name = q.value(1).toString();
    const qint64 latest = q.value(2).toLongLong();

    q.prepare(QStringLiteral("SELECT id, kind, sha256, downloaded_at, imported_at, imported_by, imported_host, "
                             "new_events FROM audits WHERE lock_id = ? ORDER BY downloaded_at, id"));
    q.addBindValue(lock);
    if (!q.exec())
        return failQuery(q);
    while (q.next()) {
        Visit v;
        v.audit = q.value(0).toLongLong();
        v.number = h.visits.size() + 1;
        v.kind = q.value(1).toString();
        v.sha256 = q.value(2).toByteArray();
        v.downloaded = FromWallClock(q.value(3).toLongLong());
        v.imported = FromWallClock(q.value(4).toLongLong());
        v.importedBy = q.value(5).toString();
        v.importedHost = q.value(6).toString();
        v.newEvents = q.value(7).toInt();
        h.visits.append(v);
    }
    if (!readHistory(lock, LockHistoryDevice, &h.lock) || !readHistory(lock, KeypadHistoryDevice, &h.keypad))
        return false;
    q.prepare(QStringLiteral("SELECT content FROM audits WHERE id = ?"));
    q.addBindValue(latest);
    if (!q.exec())
        return failQuery(q);
    if (q.next())
        h.latestAudit = q.value(0).toByteArray();
    *out = std::move(h);
    return true;
}

bool Archive::newestLockEvents(const QString& serial, int count, QVector<HistoryEvent>* out)
{
    out->clear();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT id FROM locks WHERE serial = ?"));
    q.addBindValue(serial);
    if (!q.exec())
        return failQuery(q);
    if (!q.next())
        return true;
    DeviceHistory lock;
    if (!readHistory(q.value(0).toLongLong(), LockHistoryDevice, &lock))
        return false;
    *out = lock.newestEvents(count);
    return true;
}

bool Archive::search(const SearchQuery& query, QVector<FoundEvent>* out)
{
    QString sql = QStringLiteral(
        "SELECT l.serial, l.name, e.device, e.time, e.event, e.user_number, v.visit FROM events e "
        "JOIN locks l ON l.id = e.lock_id "
        "JOIN (SELECT id, ROW_NUMBER() OVER (PARTITION BY lock_id ORDER BY downloaded_at, id) AS visit FROM audits) v "
        "ON v.id = e.audit_id WHERE 1 = 1");
    QVariantList values;
    const auto anyOf = [&](const QString& column, const QVariantList& items) {
        if (items.isEmpty())
            return;
        QStringList marks;
        for (const QVariant& item : items) {
            marks << QStringLiteral("?");
            values << item;
        }
        sql += QStringLiteral(" AND %1 IN (%2)").arg(column, marks.join(QLatin1Char(',')));
    };
    QVariantList serials, events;
    for (const QString& serial : query.serials)
        serials << serial;
    for (int event : query.events)
        events << event;
    anyOf(QStringLiteral("l.serial"), serials);
    anyOf(QStringLiteral("e.event"), events);
    if (query.from >= 0)
        sql += QStringLiteral(" AND e.time >= ?"), values << query.from;
    if (query.to >= 0)
        sql += QStringLiteral(" AND e.time < ?"), values << query.to;
    if (query.user >= 0)
        sql += QStringLiteral(" AND e.user_number = ?"), values << query.user;
    sql += QStringLiteral(" ORDER BY e.time DESC, l.serial, e.device, e.seq DESC");

    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return failQuery(q);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return failQuery(q);
    QVector<FoundEvent> found;
    while (q.next()) {
        FoundEvent f;
        f.serial = q.value(0).toString();
        f.name = q.value(1).toString();
        f.event.device = q.value(2).toInt() == KeypadHistoryDevice ? ::KeypadDevice : ::LockDevice;
        f.event.time = f.event.dstTime = q.value(3).toLongLong();
        f.event.event = q.value(4).toInt();
        f.event.user = q.value(5).toInt();
        f.event.visit = q.value(6).toInt();
        found.append(f);
    }
    // A connection lost halfway ends the rows early: never hand back part of the answer.
    if (q.lastError().isValid())
        return failQuery(q);
    *out = std::move(found);
    return true;
}

bool Archive::verify(QVector<ArchiveProblem>* problems, int* audits)
{
    int checked = 0;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT a.id, l.serial, a.sha256, a.content FROM audits a "
                               "JOIN locks l ON l.id = a.lock_id ORDER BY l.serial, a.id")))
        return failQuery(q);
    while (q.next()) {
        ++checked;
        const qint64 audit = q.value(0).toLongLong();
        const QString serial = q.value(1).toString();
        const QByteArray content = q.value(3).toByteArray();
        const QString sha = QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
        if (sha != q.value(2).toString()) {
            problems->append({ serial, audit, Text::tr("its bytes no longer match their SHA-256") });
            continue;
        }
        auto session = std::make_unique<AuditSession>();
        if (!AuditFile::Parse(content, *session).valid) {
            problems->append({ serial, audit, Text::tr("it is no longer a valid audit file") });
            continue;
        }
        const DecodedAudit decoded = DecodeAudit(*session);
        if (!decoded.ok)
            problems->append({ serial, audit, Text::tr("it no longer decodes") });
        else if (decoded.config.serialNumber.trimmed() != serial)
            problems->append({ serial, audit, Text::tr("it names another lock") });
    }

    QSqlQuery h(db);
    h.setForwardOnly(true);
    if (!h.exec(QStringLiteral("SELECT l.serial, h.device, h.content, "
                               "(SELECT COUNT(*) FROM events e WHERE e.lock_id = h.lock_id AND e.device = h.device) "
                               "FROM histories h JOIN locks l ON l.id = h.lock_id ORDER BY l.serial, h.device")))
        return failQuery(h);
    while (h.next()) {
        DeviceHistory history;
        QString why;
        const QString serial = h.value(0).toString();
        const QString device = h.value(1).toInt() == LockHistoryDevice ? Text::tr("lock") : Text::tr("keypad");
        if (!UnpackHistory(h.value(2).toByteArray(), &history, &why))
            problems->append({ serial, 0, Text::tr("the %1 history: %2").arg(device, why) });
        else if (history.eventCount() != h.value(3).toInt())
            problems->append({ serial, 0, Text::tr("the %1 history holds %2 events but the search table %3")
                                              .arg(device).arg(history.eventCount()).arg(h.value(3).toInt()) });
    }
    if (audits)
        *audits = checked;
    return true;
}
