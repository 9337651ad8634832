#include "Archive.h"

#include "ArchiveInternal.h"
#include "ArchiveChain.h"
#include "ArchiveLocation.h"
#include "AuditFile.h"
#include "ServerWatchdog.h"
#include "SqlBackend.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <memory>

using namespace archive;

namespace {

QAtomicInt connectionCounter;

// How long the program waits for a server's answer to one statement.
constexpr std::chrono::milliseconds ServerAnswerBound(25000);

} // namespace

void (*Archive::beforeCommit)() = nullptr;
int Archive::busyWaitMs = 60000;

QString AuditKindName(AuditKind kind)
{
    switch (kind) {
    case AuditKind::BusDownload: return QStringLiteral("bus download");
    case AuditKind::DallasKey: return QStringLiteral("Dallas key");
    case AuditKind::File: break;
    }
    return QStringLiteral("file");
}

AuditKind AuditKindFromName(const QString& name)
{
    for (AuditKind kind : { AuditKind::BusDownload, AuditKind::DallasKey })
        if (AuditKindName(kind) == name)
            return kind;
    return AuditKind::File;
}

QByteArray StoredText(const QString& text)
{
    return text.toUtf8();
}

QString FromStoredText(const QByteArray& stored)
{
    // With its length: from a QByteArray alone Qt 5 stops at the first NUL byte.
    return QString::fromUtf8(stored.constData(), stored.size());
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
    return m_backend && m_backend->isServer();
}

bool Archive::fail(const QString& message, ArchiveFailure failure)
{
    m_error = message;
    m_failure = failure;
    return false;
}

bool Archive::failQuery(const QSqlQuery& query)
{
    const QSqlError e = query.lastError();
    if (m_watchdog && m_watchdog->expired()) {
        // The connection is cut: nothing more goes through it.
        m_open = false;
        return fail(Text::tr("The archive %1 cannot be reached: it did not answer within %2 seconds.")
                        .arg(m_displayName)
                        .arg(m_watchdog->bound().count() / 1000),
                    ArchiveFailure::Unreachable);
    }
    QString reason = e.databaseText().trimmed().section(QLatin1Char('\n'), 0, 0);
    if (reason.isEmpty())
        reason = e.text().trimmed().section(QLatin1Char('\n'), 0, 0);
    reason.remove(QRegularExpression(QStringLiteral("^(FATAL|ERROR|WARNING):\\s*")));
    reason.remove(QRegularExpression(QStringLiteral("\\s*\\([0-9A-Z]{5}\\)$")));
    switch (m_backend ? m_backend->classify(e) : SqlBackend::Failure::Other) {
    case SqlBackend::Failure::Busy:
        return fail(Text::tr("The archive %1 is in use by another program; try again in a moment.").arg(m_displayName),
                    ArchiveFailure::Busy);
    case SqlBackend::Failure::ReadOnly:
        return fail(Text::tr("You may read this archive but not add to it"), ArchiveFailure::ReadOnly);
    case SqlBackend::Failure::Unreachable:
        if (reason.isEmpty())
            reason = Text::tr("the connection was lost");
        return fail(Text::tr("The archive %1 cannot be reached: %2").arg(m_displayName, reason),
                    ArchiveFailure::Unreachable);
    case SqlBackend::Failure::Other:
        break;
    }
    return fail(Text::tr("The archive %1 cannot be used: %2").arg(m_displayName, reason));
}

bool Archive::exec(QSqlQuery& query)
{
    ServerWatchdog::Armed armed(m_watchdog.get());
    return query.exec();
}

bool Archive::exec(QSqlQuery& query, const QString& sql)
{
    ServerWatchdog::Armed armed(m_watchdog.get());
    return query.exec(sql);
}

bool Archive::run(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant& v : values)
        query.addBindValue(v);
    return exec(query);
}

bool Archive::open(const QString& location, OpenMode mode)
{
    m_open = false;
    m_failure = ArchiveFailure::None;
    m_notice.clear();
    ArchiveAddress address;
    if (!ParseArchiveAddress(location, &address, &m_error))
        return fail(m_error);
    m_displayName = address.display;
    m_backend = SqlBackend::For(address);

    if (!address.server) {
        const QFileInfo file(address.path);
        if (file.isDir())
            return fail(Text::tr("The archive %1 cannot be read: it is a folder.").arg(m_displayName));
        if (!file.exists() && mode == OpenMode::Existing)
            return fail(Text::tr("There is no archive at %1").arg(m_displayName));
        if (!file.exists() && !QFileInfo(file.path()).isDir())
            return fail(Text::tr("The archive %1 cannot be read: the folder %2 does not exist.")
                            .arg(m_displayName, QDir::toNativeSeparators(file.path())));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(address.server ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                m_connection);
    if (address.server)
        m_watchdog = std::make_unique<ServerWatchdog>(ServerAnswerBound);
    QString error;
    if (!m_backend->connect(db, address, &error)) {
        if (!error.isEmpty())
            return fail(error);
        const QString reason = db.lastError().databaseText().trimmed().section(QLatin1Char('\n'), 0, 0);
        // A wrong password or an unknown database is no reason to wait for the server.
        const bool refused = reason.contains(QLatin1String("authentication")) || reason.contains(QLatin1String("does not exist"))
            || reason.contains(QLatin1String("no password"));
        return fail(Text::tr("The archive %1 cannot be reached: %2").arg(m_displayName, reason.isEmpty()
                                                                                              ? Text::tr("no answer")
                                                                                              : reason),
                    refused ? ArchiveFailure::Other : ArchiveFailure::Unreachable);
    }
    if (m_watchdog)
        m_watchdog->watch(db);
    QSqlQuery q(db);
    for (const QString& setting : m_backend->sessionSettings())
        if (!exec(q, setting))
            return failQuery(q);
    if (!migrate())
        return false;
    // Only once the archive is known to be ours: a foreign file is never written to.
    for (const QString& setting : m_backend->ownSettings())
        if (!exec(q, setting))
            return failQuery(q);
    m_open = true;
    return true;
}

bool Archive::beginWrite()
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    QElapsedTimer waited;
    waited.start();
    for (int attempt = 0;; ++attempt) {
        if (exec(q, m_backend->beginWrite()))
            return true;
        failQuery(q);
        if (m_failure != ArchiveFailure::Busy || waited.elapsed() >= busyWaitMs)
            return false;
        // Back off, a little at random, so that writers waiting together take turns.
        const int step = std::min(1000, 25 << std::min(attempt, 6));
        QThread::msleep(ulong(step / 2 + QRandomGenerator::global()->bounded(step / 2 + 1)));
    }
}

ArchiveTransaction::ArchiveTransaction(Archive& archive) : m_archive(archive) {}

ArchiveTransaction::~ArchiveTransaction()
{
    if (m_active) {
        QSqlQuery q(QSqlDatabase::database(m_archive.m_connection, false));
        m_archive.exec(q, QStringLiteral("ROLLBACK"));
    }
}

bool ArchiveTransaction::begin()
{
    m_active = m_archive.beginWrite();
    return m_active;
}

bool ArchiveTransaction::commit()
{
    QSqlQuery q(QSqlDatabase::database(m_archive.m_connection, false));
    if (m_archive.exec(q, QStringLiteral("COMMIT"))) {
        m_active = false;
        return true;
    }
    return m_archive.failQuery(q);
}

bool Archive::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const bool server = isServer();
    const auto notOurs = [this] {
        return fail(Text::tr("The archive %1 cannot be read: it is not an archive of this program, or it is damaged.")
                        .arg(m_displayName));
    };

    // The version as it stands; -1 for an empty database.
    const auto readVersion = [&](int* version) {
        QSqlQuery q(db);
        if (!exec(q, m_backend->tablesQuery()))
            return server ? failQuery(q) : notOurs();
        QStringList tables;
        while (q.next())
            tables << q.value(0).toString();
        if (tables.isEmpty()) {
            *version = -1;
            return true;
        }
        if (!tables.contains(QStringLiteral("schema_version")))
            return notOurs();
        if (!exec(q, QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next())
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

    // SQLite checks references as it goes; tables are rebuilt below, so not while they are.
    QSqlQuery q(db);
    if (!server && !exec(q, QStringLiteral("PRAGMA foreign_keys = OFF")))
        return failQuery(q);
    // Another program may be creating or upgrading it at this very moment: look again under the lock.
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    if (server && !exec(q, m_backend->serialise(SchemaLockKey)))
        return failQuery(q);
    if (!readVersion(&version))
        return false;
    if (version < 1 && !createSchema())
        return false;
    if (version == 1 && !upgradeFrom1())
        return false;
    if (!transaction.commit())
        return false;
    if (!server && !exec(q, QStringLiteral("PRAGMA foreign_keys = ON")))
        return failQuery(q);
    return true;
}

bool Archive::locks(QVector<LockSummary>* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT serial, name, visits, events, gaps, first_event, last_event, last_visit "
                                "FROM locks WHERE visits > 0")))
        return failQuery(q);
    out->clear();
    while (q.next()) {
        LockSummary s;
        s.serial = FromStoredText(q.value(0).toByteArray());
        s.name = FromStoredText(q.value(1).toByteArray());
        s.visits = q.value(2).toInt();
        s.events = q.value(3).toInt();
        s.gaps = q.value(4).toInt();
        s.firstEvent = q.value(5).toLongLong();
        s.lastEvent = q.value(6).toLongLong();
        s.lastVisit = FromWallClock(q.value(7).toLongLong());
        out->append(s);
    }
    if (q.lastError().isValid())
        return failQuery(q);
    // By serial number as the user reads it, whatever bytes the engine orders by.
    std::sort(out->begin(), out->end(), [](const LockSummary& a, const LockSummary& b) { return a.serial < b.serial; });
    return true;
}

bool Archive::findLock(const QString& text, QString* serial)
{
    QVector<LockSummary> all;
    if (!locks(&all))
        return false;
    for (const LockSummary& l : all)
        if (l.serial == text) {
            *serial = l.serial;
            return true;
        }
    QStringList named;
    for (const LockSummary& l : all)
        if (ShownLockText(l.name) == ShownLockText(text) && !ShownLockText(text).isEmpty())
            named << l.serial;
    if (named.size() == 1) {
        *serial = named.first();
        return true;
    }
    if (named.size() > 1)
        return fail(Text::tr("The archive %1 holds several locks named %2: give a serial number (%3).")
                        .arg(m_displayName, text, named.join(QStringLiteral(", "))));
    return fail(Text::tr("The archive %1 holds no lock %2.").arg(m_displayName, text));
}

bool Archive::history(const QString& serial, LockHistory* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!run(q, QStringLiteral("SELECT id, name, latest_audit FROM locks WHERE serial = ?"), { StoredText(serial) }))
        return failQuery(q);
    if (!q.next())
        return fail(Text::tr("The archive %1 holds no lock %2.").arg(m_displayName, serial));
    LockHistory h;
    const qint64 lock = q.value(0).toLongLong();
    h.serial = serial;
    h.name = FromStoredText(q.value(1).toByteArray());
    const qint64 latest = q.value(2).toLongLong();

    if (!run(q, QStringLiteral("SELECT id, kind, sha256, downloaded_at, imported_at, imported_by, imported_host, "
                               "new_events, visit FROM audits WHERE lock_id = ? ORDER BY visit, id"),
             { lock }))
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
    if (q.lastError().isValid())
        return failQuery(q);
    if (!readHistory(lock, LockHistoryDevice, &h.lock) || !readHistory(lock, KeypadHistoryDevice, &h.keypad))
        return false;
    if (!run(q, QStringLiteral("SELECT content FROM audits WHERE id = ?"), { latest }))
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
    if (!run(q, QStringLiteral("SELECT id FROM locks WHERE serial = ?"), { StoredText(serial) }))
        return failQuery(q);
    if (!q.next())
        return true;
    const qint64 lock = q.value(0).toLongLong();
    HistoryRun tail;
    int chunk = 0;
    bool whole = false;
    if (!readNewest(lock, LockHistoryDevice, count, &tail, &chunk, &whole))
        return false;
    *out = tail.events.mid(std::max(0, int(tail.events.size()) - count));
    return true;
}

bool Archive::search(const SearchQuery& query, QVector<FoundEvent>* out)
{
    QString sql = QStringLiteral(
        "SELECT l.serial, l.name, e.device, e.time, e.event, e.user_number, a.visit FROM events e "
        "JOIN locks l ON l.id = e.lock_id JOIN audits a ON a.id = e.audit_id WHERE 1 = 1");
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
        serials << StoredText(serial);
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
    sql += QStringLiteral(" ORDER BY e.time DESC, l.serial, e.device");

    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!run(q, sql, values))
        return failQuery(q);
    QVector<FoundEvent> found;
    while (q.next()) {
        FoundEvent f;
        f.serial = FromStoredText(q.value(0).toByteArray());
        f.name = FromStoredText(q.value(1).toByteArray());
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
    // Serial numbers as the user reads them, whatever bytes the engine orders by.
    std::stable_sort(found.begin(), found.end(), [](const FoundEvent& a, const FoundEvent& b) {
        if (a.event.time != b.event.time)
            return a.event.time > b.event.time;
        return a.serial < b.serial;
    });
    *out = std::move(found);
    return true;
}
