// How the archive keeps what it holds: the schema and its upgrades, and a device's history in
// pieces.

#include "archive/Archive.h"

#include "archive/ArchiveChain.h"
#include "archive/ArchiveInternal.h"
#include "archive/SqlBackend.h"
#include "model/AuditFile.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <memory>

using namespace archive;

namespace archive {

QByteArray PackMarks(const AuditMark& lock, const AuditMark& keypad)
{
    QByteArray out;
    for (const AuditMark* m : { &lock, &keypad }) {
        out.append(char(m->reaches ? 1 : 0));
        for (int i = 0; i < 8; ++i)
            out.append(char(quint8(quint64(m->newest.time) >> (8 * i))));
        out.append(char(m->newest.event));
        out.append(char(m->newest.user));
    }
    return out;
}

bool UnpackMarks(const QByteArray& data, qint64 downloaded, AuditMark* lock, AuditMark* keypad)
{
    *lock = AuditMark{ downloaded, false, {} };
    *keypad = *lock;
    if (data.size() != 22)
        return false;
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    for (AuditMark* m : { lock, keypad }) {
        m->reaches = p[0] == 1;
        quint64 time = 0;
        for (int i = 0; i < 8; ++i)
            time |= quint64(p[1 + i]) << (8 * i);
        m->newest = { qint64(time), p[9], p[10], 0 };
        p += 11;
    }
    return true;
}

QVector<HistoryEvent> OldestFirst(const QList<EventsTable>& events)
{
    QVector<HistoryEvent> out;
    out.reserve(events.size());
    for (auto e = events.crbegin(); e != events.crend(); ++e)
        out.append({ e->time, quint8(e->event), quint8(e->user), 0 });
    return out;
}

} // namespace archive

namespace {

struct Table
{
    const char* name;
    const char* columns; // %1 the key column, %2 the binary type
};

// The schema as this program makes it. A lock's texts and serial number are kept as bytes, so that
// whatever a lock sends (padding NUL bytes, control characters) survives on either engine.
const Table Tables[] = {
    { "schema_version", "version INTEGER NOT NULL" },
    { "locks", "id %1, serial %2 NOT NULL UNIQUE, name %2 NOT NULL, lock_version %2 NOT NULL, "
               "keypad_version %2 NOT NULL, latest_audit BIGINT, visits INTEGER NOT NULL DEFAULT 0, "
               "events INTEGER NOT NULL DEFAULT 0, gaps INTEGER NOT NULL DEFAULT 0, first_event BIGINT NOT NULL DEFAULT 0, "
               "last_event BIGINT NOT NULL DEFAULT 0, last_visit BIGINT NOT NULL DEFAULT 0, "
               "revision BIGINT NOT NULL DEFAULT 0, hours TEXT" },
    { "audits", "id %1, lock_id BIGINT NOT NULL REFERENCES locks (id), sha256 TEXT NOT NULL, identity TEXT NOT NULL, "
                "kind TEXT NOT NULL, downloaded_at BIGINT NOT NULL, imported_at BIGINT NOT NULL, "
                "imported_by TEXT NOT NULL, imported_host TEXT NOT NULL, new_events INTEGER NOT NULL DEFAULT 0, "
                "visit INTEGER NOT NULL DEFAULT 0, newest %2, content %2 NOT NULL, UNIQUE (lock_id, identity)" },
    // A device's history in pieces; a piece's first run may go on from the piece before.
    { "histories", "lock_id BIGINT NOT NULL REFERENCES locks (id), device INTEGER NOT NULL, chunk INTEGER NOT NULL, "
                   "continues INTEGER NOT NULL DEFAULT 0, content %2 NOT NULL, PRIMARY KEY (lock_id, device, chunk)" },
    // Every event once more, for searches across locks; the histories are what joins read. The
    // lock is checked once per import, not once per row.
    { "events", "lock_id BIGINT NOT NULL, device INTEGER NOT NULL, time BIGINT NOT NULL, event INTEGER NOT NULL, "
                "user_number INTEGER NOT NULL, audit_id BIGINT NOT NULL" },
    // One link per audit added, each covering the one before.
    { "chain", "id %1, audit_id BIGINT NOT NULL UNIQUE, serial %2 NOT NULL, sha256 TEXT NOT NULL, "
               "imported_at BIGINT NOT NULL, imported_by TEXT NOT NULL, imported_host TEXT NOT NULL, "
               "previous TEXT NOT NULL, hash TEXT NOT NULL" },
    // Who held each user slot of a lock, and when (days as YYYY-MM-DD; no until while it lasts).
    { "people", "lock_id BIGINT NOT NULL REFERENCES locks (id), user_number INTEGER NOT NULL, person TEXT NOT NULL, "
                "from_day TEXT NOT NULL, until_day TEXT" },
    { "users_logs", "id %1, lock_id BIGINT NOT NULL REFERENCES locks (id), downloaded_at BIGINT NOT NULL, "
                    "content %2 NOT NULL" },
    // The team's settings: opening hours for every lock, the findings' thresholds.
    { "settings", "name TEXT PRIMARY KEY, value TEXT NOT NULL" },
    { "closed_days", "day TEXT PRIMARY KEY" },
};

// Each lock's events by time, and one code of a lock by time: what searches ask. Kept per lock,
// so an import changes only its own lock's part of each index. A code's index holds the whole
// event: a search for a code reads the index alone, not one table row per event found.
const char* const Indexes[] = {
    "CREATE INDEX events_by_lock ON events (lock_id, time)",
    "CREATE INDEX events_by_code ON events (lock_id, event, time, device, user_number, audit_id)",
    "CREATE INDEX audits_by_lock ON audits (lock_id, visit)",
    "CREATE INDEX people_by_lock ON people (lock_id, user_number, from_day)",
};

// A device's history split into pieces of at most ChunkEvents events.
QVector<DeviceHistory> Split(const DeviceHistory& history, bool* firstContinues, QVector<bool>* continues)
{
    QVector<DeviceHistory> pieces;
    continues->clear();
    DeviceHistory piece;
    int inPiece = 0;
    bool pieceContinues = *firstContinues;
    for (const HistoryRun& run : history.runs) {
        int at = 0;
        bool runContinues = false;
        while (at < run.events.size()) {
            if (inPiece == ChunkEvents) {
                pieces.append(std::move(piece));
                continues->append(pieceContinues);
                piece = DeviceHistory();
                inPiece = 0;
                pieceContinues = runContinues;
            }
            const int take = std::min(ChunkEvents - inPiece, int(run.events.size()) - at);
            piece.runs.append({ run.order, run.events.mid(at, take) });
            inPiece += take;
            at += take;
            runContinues = true;
        }
    }
    if (!piece.runs.isEmpty()) {
        pieces.append(std::move(piece));
        continues->append(pieceContinues);
    }
    return pieces;
}

} // namespace

bool Archive::createSchema()
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    for (const Table& t : Tables) {
        QString columns = QString::fromLatin1(t.columns);
        columns.replace(QLatin1String("%1"), m_backend->idColumn()).replace(QLatin1String("%2"), m_backend->blobType());
        const QString sql = QStringLiteral("CREATE TABLE %1 (%2)").arg(QLatin1String(t.name), columns);
        if (!exec(q, sql))
            return failQuery(q);
    }
    for (const char* index : Indexes)
        if (!exec(q, QLatin1String(index)))
            return failQuery(q);
    // Histories stored as they are, not compressed: a search reads the newest events of many
    // without inflating each whole.
    if (isServer() && !exec(q, QStringLiteral("ALTER TABLE histories ALTER COLUMN content SET STORAGE EXTERNAL")))
        return failQuery(q);
    if (!run(q, QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), { SchemaVersion }))
        return failQuery(q);
    return true;
}

bool Archive::upgradeFrom1()
{
    // The first schema kept texts as text (which a server refuses with a NUL byte in it), each
    // history whole with 32-bit times, events numbered in their device's order and checked against
    // their lock row by row, and no chain. Its data moves into the tables of this one.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    const bool server = isServer();
    const auto sql = [&](const QString& statement) { return exec(q, statement) || failQuery(q); };
    for (const char* name : { "locks", "audits", "histories", "events" })
        if (!sql(QStringLiteral("ALTER TABLE %1 RENAME TO old_%1").arg(QLatin1String(name))))
            return false;
    for (const char* index : { "events_by_lock", "events_by_code", "audits_by_lock" })
        if (!sql(QStringLiteral("DROP INDEX %1").arg(QLatin1String(index))))
            return false;
    if (!sql(QStringLiteral("DELETE FROM schema_version")) || !sql(QStringLiteral("DROP TABLE schema_version")))
        return false;
    if (!createSchema())
        return false;
    const QString bytes = server ? QStringLiteral("convert_to(%1, 'UTF8')") : QStringLiteral("CAST(%1 AS BLOB)");
    if (!sql(QStringLiteral("INSERT INTO locks (id, serial, name, lock_version, keypad_version, latest_audit, visits, "
                            "events, gaps, first_event, last_event, last_visit) SELECT id, %1, %2, %3, %4, latest_audit, "
                            "visits, events, gaps, first_event, last_event, last_visit FROM old_locks")
                 .arg(bytes.arg(QStringLiteral("serial")), bytes.arg(QStringLiteral("name")),
                      bytes.arg(QStringLiteral("lock_version")), bytes.arg(QStringLiteral("keypad_version"))))
        || !sql(QStringLiteral("INSERT INTO audits (id, lock_id, sha256, identity, kind, downloaded_at, imported_at, "
                               "imported_by, imported_host, new_events, content) SELECT id, lock_id, sha256, identity, "
                               "kind, downloaded_at, imported_at, imported_by, imported_host, new_events, content "
                               "FROM old_audits"))
        || !sql(QStringLiteral("INSERT INTO events (lock_id, device, time, event, user_number, audit_id) "
                               "SELECT lock_id, device, time, event, user_number, audit_id FROM old_events")))
        return false;
    if (server)
        for (const char* table : { "locks", "audits" })
            if (!sql(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), "
                                    "COALESCE((SELECT MAX(id) FROM %1), 0) + 1, false)")
                         .arg(QLatin1String(table))))
                return false;

    // Histories with whole times, in pieces.
    QSqlQuery read(QSqlDatabase::database(m_connection, false));
    if (!exec(read, QStringLiteral("SELECT lock_id, device, content FROM old_histories ORDER BY lock_id, device")))
        return failQuery(read);
    while (read.next()) {
        DeviceHistory history;
        QString why;
        if (!UnpackHistory(read.value(2).toByteArray(), &history, &why))
            return fail(Text::tr("The archive %1 cannot be upgraded: a stored history is damaged (%2).").arg(m_displayName, why));
        if (!writeHistory(read.value(0).toLongLong(), read.value(1).toInt(), history, 0, nullptr))
            return false;
    }

    // Each audit's marks and place among its lock's visits, and the chain over the audits in the
    // order they were imported.
    struct Kept
    {
        qint64 id, lock, downloaded, importedAt;
        QString sha, by, host;
        QByteArray serial;
    };
    QVector<Kept> kept;
    if (!exec(read, QStringLiteral("SELECT a.id, a.lock_id, a.downloaded_at, a.imported_at, a.sha256, a.imported_by, "
                                   "a.imported_host, l.serial, a.content FROM audits a JOIN locks l ON l.id = a.lock_id "
                                   "ORDER BY a.id")))
        return failQuery(read);
    QHash<qint64, AuditMarks> marks; // by lock: marks of the lock device, then of the keypad
    QHash<qint64, AuditMarks> keypadMarks;
    while (read.next()) {
        const Kept k{ read.value(0).toLongLong(), read.value(1).toLongLong(), read.value(2).toLongLong(),
                      read.value(3).toLongLong(), read.value(4).toString(), read.value(5).toString(),
                      read.value(6).toString(), read.value(7).toByteArray() };
        auto session = std::make_unique<AuditSession>();
        AuditMark lockMark{ k.downloaded, false, {} }, keypadMark = lockMark;
        if (AuditFile::Parse(read.value(8).toByteArray(), *session).valid) {
            const DecodedAudit decoded = DecodeAudit(*session);
            const QVector<HistoryEvent> lockEvents = OldestFirst(decoded.lockEvents);
            const QVector<HistoryEvent> keypadEvents = OldestFirst(decoded.keypadEvents);
            if (!lockEvents.isEmpty())
                lockMark = { k.downloaded, true, lockEvents.last() };
            if (!keypadEvents.isEmpty())
                keypadMark = { k.downloaded, true, keypadEvents.last() };
        }
        marks[k.lock].insert(k.id, lockMark);
        keypadMarks[k.lock].insert(k.id, keypadMark);
        if (!run(q, QStringLiteral("UPDATE audits SET newest = ? WHERE id = ?"), { PackMarks(lockMark, keypadMark), k.id }))
            return failQuery(q);
        kept.append(k);
    }
    for (auto lock = marks.cbegin(); lock != marks.cend(); ++lock) {
        DeviceHistory lockHistory, keypadHistory;
        if (!readHistory(lock.key(), LockHistoryDevice, &lockHistory)
            || !readHistory(lock.key(), KeypadHistoryDevice, &keypadHistory))
            return false;
        const QVector<qint64> order = lockHistory.eventCount() > 0 ? VisitOrder(lockHistory, lock.value())
                                                                   : VisitOrder(keypadHistory, keypadMarks.value(lock.key()));
        for (int v = 0; v < order.size(); ++v)
            if (!run(q, QStringLiteral("UPDATE audits SET visit = ? WHERE id = ?"), { v + 1, order[v] }))
                return failQuery(q);
        if (!order.isEmpty()
            && !run(q, QStringLiteral("UPDATE locks SET latest_audit = ?, last_visit = (SELECT downloaded_at FROM audits "
                                      "WHERE id = ?) WHERE id = ?"),
                    { order.last(), order.last(), lock.key() }))
            return failQuery(q);
    }
    QString previous = ChainStart();
    for (const Kept& k : kept) {
        const QString hash = ChainLinkHash(previous, k.sha, k.serial, k.importedAt, k.by, k.host);
        if (!run(q, QStringLiteral("INSERT INTO chain (audit_id, serial, sha256, imported_at, imported_by, imported_host, "
                                   "previous, hash) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 { k.id, k.serial, k.sha, k.importedAt, k.by, k.host, previous, hash }))
            return failQuery(q);
        previous = hash;
    }
    for (const char* name : { "events", "histories", "audits", "locks" })
        if (!sql(QStringLiteral("DROP TABLE old_%1").arg(QLatin1String(name))))
            return false;
    m_notice = Text::tr("The archive %1 was upgraded for this version: its %n audits are chained now, so that any "
                        "later change shows.", nullptr, kept.size())
                   .arg(m_displayName);
    return true;
}

bool Archive::readHistory(qint64 lock, int device, DeviceHistory* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!run(q, QStringLiteral("SELECT continues, content FROM histories WHERE lock_id = ? AND device = ? ORDER BY chunk"),
             { lock, device }))
        return failQuery(q);
    QVector<StoredPiece> pieces;
    while (q.next())
        pieces.append({ q.value(1).toByteArray(), q.value(0).toInt() == 1 });
    if (q.lastError().isValid())
        return failQuery(q);
    QString why;
    if (!UnpackHistory(pieces, out, &why))
        return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, why));
    return true;
}

bool Archive::readHistoryTails(const QVector<qint64>& locks, int events, QHash<qint64, HistoryTails>* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    const qint64 tailBytes = qint64(events) * StoredEventBytes;
    // The engine's IN lists stay short.
    constexpr int Batch = 500;
    for (int from = 0; from < locks.size(); from += Batch) {
        const int n = std::min(Batch, int(locks.size()) - from);
        QVariantList values = { HistoryHeadBytes + tailBytes, tailBytes - 1 };
        QStringList marks;
        for (int k = 0; k < n; ++k) {
            marks << QStringLiteral("?");
            values << locks[from + k];
        }
        if (!run(q, QStringLiteral("SELECT h.lock_id, h.device, h.chunk, length(h.content), substr(h.content, 1, %1), "
                                   "CASE WHEN length(h.content) > ? THEN substr(h.content, length(h.content) - ?) "
                                   "ELSE h.content END FROM histories h WHERE h.lock_id IN (%2) AND h.chunk = "
                                   "(SELECT MAX(m.chunk) FROM histories m WHERE m.lock_id = h.lock_id AND m.device = h.device)")
                            .arg(HistoryHeadBytes)
                            .arg(marks.join(QLatin1Char(','))),
                 values))
            return failQuery(q);
        while (q.next()) {
            const int device = q.value(1).toInt();
            if (device != LockHistoryDevice && device != KeypadHistoryDevice)
                continue;
            HistoryTails& tails = (*out)[q.value(0).toLongLong()];
            const qint64 length = q.value(3).toLongLong();
            const QByteArray tail = q.value(5).toByteArray();
            DeviceHistory& history = tails.device[device];
            HistoryRun newest;
            if (tail.size() == length) {
                QString why;
                if (!UnpackHistory(tail, &history, &why))
                    return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, why));
                tails.cut[device] = q.value(2).toInt() > 0;
            } else if (UnpackHistoryTail(q.value(4).toByteArray(), length, tail, &newest)) {
                history.runs = { std::move(newest) };
                tails.cut[device] = true;
            } else {
                // Several runs in the piece: its tail alone does not say where they part.
                history = DeviceHistory();
                tails.cut[device] = true;
            }
        }
        if (q.lastError().isValid())
            return failQuery(q);
    }
    return true;
}

bool Archive::readNewest(qint64 lock, int device, int count, HistoryRun* tail, int* chunk, bool* whole)
{
    // The pieces from the newest back, until the newest run holds `count` events or begins.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    *tail = HistoryRun();
    *chunk = 0;
    *whole = true;
    if (!run(q, QStringLiteral("SELECT MAX(chunk) FROM histories WHERE lock_id = ? AND device = ?"), { lock, device }))
        return failQuery(q);
    if (!q.next() || q.value(0).isNull())
        return true;
    for (int c = q.value(0).toInt(); c >= 0; --c) {
        if (!run(q, QStringLiteral("SELECT continues, content FROM histories WHERE lock_id = ? AND device = ? AND chunk = ?"),
                 { lock, device, c }))
            return failQuery(q);
        if (!q.next())
            return fail(Text::tr("The archive %1 cannot be read: a piece of a stored history is missing.").arg(m_displayName));
        DeviceHistory piece;
        QString why;
        if (!UnpackHistory(q.value(1).toByteArray(), &piece, &why))
            return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, why));
        const bool continues = q.value(0).toInt() == 1;
        if (piece.runs.isEmpty())
            return fail(Text::tr("The archive %1 cannot be read: a piece of a stored history is empty.").arg(m_displayName));
        HistoryRun& last = piece.runs.last();
        tail->events = last.events + tail->events;
        tail->order = std::max(tail->order, last.order);
        *chunk = c;
        // The newest run begins in this piece: the pieces read hold it whole.
        if (piece.runs.size() > 1 || !continues)
            return true;
        if (tail->events.size() >= count) {
            *whole = false;
            return true;
        }
    }
    return true;
}

bool Archive::writeHistory(qint64 lock, int device, const DeviceHistory& history, int fromChunk, const HistoryRun* tail)
{
    // From `fromChunk` on: the whole history, or (with `tail`) the newest run's part that began there.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    QSqlQuery old(QSqlDatabase::database(m_connection, false));
    bool firstContinues = false;
    DeviceHistory part = history;
    if (tail) {
        if (!run(old, QStringLiteral("SELECT continues, content FROM histories WHERE lock_id = ? AND device = ? AND chunk = ?"),
                 { lock, device, fromChunk }))
            return failQuery(old);
        DeviceHistory before;
        if (old.next()) {
            QString why;
            if (!UnpackHistory(old.value(1).toByteArray(), &before, &why))
                return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, why));
            firstContinues = old.value(0).toInt() == 1;
            before.runs.removeLast();
        }
        before.runs.append(*tail);
        part = std::move(before);
    }
    if (!run(q, QStringLiteral("DELETE FROM histories WHERE lock_id = ? AND device = ? AND chunk >= ?"), { lock, device, fromChunk }))
        return failQuery(q);
    QVector<bool> continues;
    const QVector<DeviceHistory> pieces = Split(part, &firstContinues, &continues);
    for (int k = 0; k < pieces.size(); ++k)
        if (!run(q, QStringLiteral("INSERT INTO histories (lock_id, device, chunk, continues, content) VALUES (?, ?, ?, ?, ?)"),
                 { lock, device, fromChunk + k, continues[k] ? 1 : 0, PackHistory(pieces[k]) }))
            return failQuery(q);
    return true;
}
