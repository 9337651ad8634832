#include "archive/Archive.h"

#include "archive/ArchiveChain.h"
#include "archive/ArchiveInternal.h"
#include "archive/ArchiveLocation.h"
#include "archive/ServerWatchdog.h"
#include "archive/SqlBackend.h"
#include "model/AuditFile.h"

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
#include <tuple>
#include <unordered_map>

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
    if (!readHistory(lock, LockHistoryDevice, &h.lock) || !readHistory(lock, KeypadHistoryDevice, &h.keypad)
        || !readTenures(lock, &h.people))
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
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);

    // The locks asked, with their texts made once, not once per event.
    QString lockFilter;
    QVariantList lockValues;
    if (!query.serials.isEmpty()) {
        QStringList marks;
        for (const QString& serial : query.serials) {
            marks << QStringLiteral("?");
            lockValues << StoredText(serial);
        }
        lockFilter = QStringLiteral(" WHERE serial IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    struct Lock
    {
        QString serial, name;
    };
    QHash<qint64, Lock> locks;
    if (!run(q, QStringLiteral("SELECT id, serial, name FROM locks") + lockFilter, lockValues))
        return failQuery(q);
    while (q.next())
        locks.insert(q.value(0).toLongLong(), { FromStoredText(q.value(1).toByteArray()), FromStoredText(q.value(2).toByteArray()) });
    if (q.lastError().isValid())
        return failQuery(q);
    // Each audit's lock and visit: an event found names only its audit.
    struct Audit
    {
        qint64 lock;
        int visit;
    };
    QHash<qint64, Audit> audits;
    if (!exec(q, QStringLiteral("SELECT id, lock_id, visit FROM audits")))
        return failQuery(q);
    while (q.next())
        audits.insert(q.value(0).toLongLong(), { q.value(1).toLongLong(), q.value(2).toInt() });
    if (q.lastError().isValid())
        return failQuery(q);

    // Lock by lock through the per-lock indexes: a code, a time or nothing.
    // Two numbers a row rather than six: what the driver hands over one value at a time is what
    // a search of many rows spends its time on. Times fit in 40 bits (the year byte ends in 2255).
    QString sql = QStringLiteral("SELECT audit_id * 2 + device, time * 65536 + event * 256 + user_number "
                                 "FROM events WHERE lock_id IN (SELECT id FROM locks%1)")
                      .arg(lockFilter);
    QVariantList values = lockValues;
    if (!query.events.isEmpty()) {
        QStringList marks;
        for (int event : query.events) {
            marks << QStringLiteral("?");
            values << event;
        }
        sql += QStringLiteral(" AND event IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    if (query.from >= 0)
        sql += QStringLiteral(" AND time >= ?"), values << query.from;
    if (query.to >= 0)
        sql += QStringLiteral(" AND time < ?"), values << query.to;
    if (query.user >= 0)
        sql += QStringLiteral(" AND user_number = ?"), values << query.user;
    if (!run(q, sql, values))
        return failQuery(q);
    QVector<FoundEvent> found;
    QVector<qint64> lockOf;
    qint64 lastAudit = -1;
    Audit audit = { -1, 0 };
    const Lock unknown;
    const Lock* lock = &unknown;
    while (q.next()) {
        const qint64 auditAndDevice = q.value(0).toLongLong();
        const qint64 what = q.value(1).toLongLong();
        if (auditAndDevice / 2 != lastAudit) {
            lastAudit = auditAndDevice / 2;
            audit = audits.value(lastAudit, { -1, 0 });
            const auto known = locks.constFind(audit.lock);
            lock = known != locks.cend() ? &*known : &unknown;
        }
        FoundEvent f;
        f.serial = lock->serial;
        f.name = lock->name;
        f.event.device = auditAndDevice % 2 == KeypadHistoryDevice ? ::KeypadDevice : ::LockDevice;
        // Arithmetic shift: the time keeps its sign.
        f.event.time = f.event.dstTime = what >> 16;
        f.event.event = int((what >> 8) & 0xFF);
        f.event.user = int(what & 0xFF);
        f.event.visit = audit.visit;
        found.append(std::move(f));
        lockOf.append(audit.lock);
    }
    // A connection lost halfway ends the rows early: never hand back part of the answer.
    if (q.lastError().isValid())
        return failQuery(q);

    // Newest first; serial numbers as the user reads them, whatever bytes the engine orders by.
    // Each lock's serial compared once, not once per comparison of its events.
    QVector<qint64> bySerial = locks.keys().toVector();
    std::sort(bySerial.begin(), bySerial.end(),
              [&](qint64 a, qint64 b) { return locks.constFind(a)->serial < locks.constFind(b)->serial; });
    QHash<qint64, int> rank;
    for (int k = 0; k < bySerial.size(); ++k)
        rank.insert(bySerial[k], k);
    struct Place
    {
        qint64 time;
        int rank, device, row;
    };
    std::vector<Place> order;
    order.reserve(size_t(found.size()));
    for (int k = 0; k < found.size(); ++k)
        order.push_back({ found[k].event.time, rank.value(lockOf[k]), found[k].event.device, k });
    std::sort(order.begin(), order.end(), [](const Place& x, const Place& y) {
        if (x.time != y.time)
            return x.time > y.time;
        return std::tie(x.rank, x.device, x.row) < std::tie(y.rank, y.device, y.row);
    });
    QVector<FoundEvent> sorted;
    QVector<qint64> sortedLocks;
    sorted.reserve(found.size());
    sortedLocks.reserve(found.size());
    for (const Place& p : order) {
        sorted.append(std::move(found[p.row]));
        sortedLocks.append(lockOf[p.row]);
    }
    if (!numberFound(sorted, sortedLocks) || !namePersons(sorted, sortedLocks))
        return false;
    *out = std::move(sorted);
    return true;
}

bool Archive::namePersons(QVector<FoundEvent>& found, const QVector<qint64>& locks)
{
    if (found.isEmpty())
        return true;
    QHash<qint64, Tenures> tenures;
    if (!readAllTenures(&tenures))
        return false;
    // Each row by its own lock's directory.
    QHash<qint64, PeopleIndex> indexes;
    for (auto it = tenures.cbegin(); it != tenures.cend(); ++it)
        indexes.insert(it.key(), PeopleIndex(it.value()));
    const PeopleIndex nobody;
    for (int k = 0; k < found.size(); ++k) {
        const auto index = indexes.constFind(locks[k]);
        const EventsTable& e = found[k].event;
        found[k].person = (index != indexes.cend() ? *index : nobody).person(e.event, e.user, e.time);
    }
    return true;
}

namespace {

// Numbers a lock's events found by a walk of its history newest first, each matched to the first
// of its alike events still unnumbered.
class LockNumbering
{
public:
    LockNumbering(QVector<FoundEvent>& found, const QVector<int>& rows) : m_found(found)
    {
        m_keyed.reserve(rows.size());
        for (int k : rows) {
            const EventsTable& e = found[k].event;
            m_codes[quint8(e.event)] = true;
            m_keyed.push_back({ key(e.device == ::KeypadDevice ? KeypadHistoryDevice : LockHistoryDevice, e.time, e.event, e.user), k });
        }
        // Alike events in the order they were found, newest first, as the walk meets them.
        std::sort(m_keyed.begin(), m_keyed.end(),
                  [](const Keyed& a, const Keyed& b) { return a.key != b.key ? a.key < b.key : a.row < b.row; });
    }

    // A device whose older events were not read (`cut`) ends the walk at its oldest event read:
    // past it the walk no longer follows the lock's order. True when every event got its number.
    bool number(const DeviceHistory* histories, const bool* cut)
    {
        qint64 read = 0;
        for (int device : { LockHistoryDevice, KeypadHistoryDevice }) {
            if (cut[device] && histories[device].eventCount() == 0)
                return false;
            read += histories[device].eventCount();
        }
        // More events found than were read: the walk cannot number them all.
        if ((cut[0] || cut[1]) && read < qint64(m_keyed.size()))
            return false;
        for (const Keyed& k : m_keyed)
            m_found[k.row].number = 0;
        std::vector<int> taken(m_keyed.size());
        size_t left = m_keyed.size();
        WalkMergedHistory(histories[LockHistoryDevice], histories[KeypadHistoryDevice],
                          [&](int device, qint64 position, qint64 number, const HistoryEvent& e) {
                              if (m_codes[e.event])
                                  take(key(device, e.time, e.event, e.user), e, number, taken, left);
                              // The rest of the history, older than every event found, numbers none of them.
                              return left > 0 && !(position == 0 && cut[device]);
                          });
        return left == 0;
    }

private:
    // The first event found alike `e` still unnumbered takes `number`.
    void take(quint64 k, const HistoryEvent& e, qint64 number, std::vector<int>& taken, size_t& left)
    {
        const auto group = std::lower_bound(m_keyed.begin(), m_keyed.end(), k, [](const Keyed& a, quint64 b) { return a.key < b; });
        if (group == m_keyed.end() || group->key != k)
            return;
        const size_t first = size_t(group - m_keyed.begin());
        // A time that shares the key's bits with another is told apart by the event itself.
        for (int& next = taken[first]; first + next < m_keyed.size() && m_keyed[first + next].key == k;) {
            FoundEvent& f = m_found[m_keyed[first + next++].row];
            if (f.event.time == e.time && f.event.event == e.event && f.event.user == e.user) {
                f.number = number;
                --left;
                return;
            }
        }
    }
    // By content: time, code, user and device in one number.
    static quint64 key(int device, qint64 time, int event, int user)
    {
        return quint64(time) << 17 ^ quint64(device) << 16 ^ quint64(event) << 8 ^ quint64(user);
    }
    struct Keyed
    {
        quint64 key;
        int row;
    };
    QVector<FoundEvent>& m_found;
    std::vector<Keyed> m_keyed;
    bool m_codes[256] = {};
};

} // namespace

bool Archive::numberFound(QVector<FoundEvent>& found, const QVector<qint64>& locks)
{
    // Each event's number in its lock's history. A search finds mostly recent events: the newest
    // events of every lock first, in one statement, further back for the locks whose events found
    // lie deeper, and a lock's whole history last.
    QHash<qint64, QVector<int>> byLock;
    for (int k = 0; k < found.size(); ++k)
        byLock[locks[k]].append(k);
    std::unordered_map<qint64, LockNumbering> numberings;
    QVector<qint64> pending;
    for (auto lock = byLock.cbegin(); lock != byLock.cend(); ++lock) {
        numberings.emplace(lock.key(), LockNumbering(found, lock.value()));
        pending.append(lock.key());
    }
    for (int tailEvents : { 512, 8192 }) {
        // A lock with more events found than both its devices' tails hold is read further back at once.
        QVector<qint64> asked, deeper;
        for (qint64 lock : pending)
            (byLock[lock].size() > 2 * tailEvents ? deeper : asked).append(lock);
        QHash<qint64, HistoryTails> tails;
        if (!asked.isEmpty() && !readHistoryTails(asked, tailEvents, &tails))
            return false;
        for (qint64 lock : asked) {
            const HistoryTails& tail = tails[lock];
            if (!numberings.at(lock).number(tail.device, tail.cut))
                deeper.append(lock);
        }
        pending = std::move(deeper);
    }
    for (qint64 lock : pending) {
        DeviceHistory whole[2];
        const bool cut[2] = { false, false };
        if (!readHistory(lock, LockHistoryDevice, &whole[LockHistoryDevice])
            || !readHistory(lock, KeypadHistoryDevice, &whole[KeypadHistoryDevice]))
            return false;
        numberings.at(lock).number(whole, cut);
    }
    return true;
}
