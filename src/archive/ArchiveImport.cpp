// Adding an audit: worked out from what the archive holds, then written in one short transaction.

#include "archive/Archive.h"

#include "archive/ArchiveChain.h"
#include "archive/ArchiveInternal.h"
#include "archive/ServerWatchdog.h"
#include "archive/SqlBackend.h"
#include "model/AuditFile.h"

#include <QCryptographicHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QVariant>

#include <memory>

#include <pwd.h>
#include <unistd.h>

using namespace archive;

namespace {

// The new audit's id until the database gives it one.
constexpr qint64 NewAudit = -1;
// Imports of the same lock by others in between: each time the work is done again.
constexpr int MaxRetries = 20;

QString SystemUser()
{
    if (const passwd* pw = getpwuid(getuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString Day(qint64 ms)
{
    return FromWallClock(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

// What the audit brings, worked out once.
struct Archive::Prepared
{
    QByteArray serial;
    QString serialText;
    Config config;
    QString sha;
    QString identity;
    qint64 order = 0; // its download date as kept
    QVector<HistoryEvent> events[2];
    AuditMark marks[2];
};

// What the archive holds of the lock, as read before writing.
struct Archive::LockState
{
    bool exists = false;
    qint64 id = 0;
    qint64 revision = 0;
    QString name;
    qint64 latestAudit = 0;
    int visits = 0;
    int events = 0;
    int gaps = 0;
    qint64 firstEvent = 0;
    qint64 lastEvent = 0;
    AuditMarks marks[2];
    QHash<qint64, int> visitOf;
};

ImportReport Archive::import(const QByteArray& auditFile, AuditKind kind)
{
    ImportReport report;
    const auto refused = [&](const QString& message) {
        report.status = ImportReport::Refused;
        report.message = message;
        return report;
    };
    auto session = std::make_unique<AuditSession>();
    if (!AuditFile::Parse(auditFile, *session).valid)
        return refused(QCoreApplication::translate("MainWindow", "File not valid"));
    const DecodedAudit decoded = DecodeAudit(*session);
    if (!decoded.ok)
        return refused(Text::tr("The audit cannot be decoded, so it is not kept in the archive."));
    Prepared p;
    p.config = decoded.config;
    p.serialText = ShownLockText(decoded.config.serialNumber);
    p.serial = StoredText(p.serialText);
    report.serial = p.serialText;
    if (p.serialText.isEmpty())
        return refused(Text::tr("The audit names no lock (it has no serial number), so it is not kept in the archive."));

    QDateTime downloaded = decoded.config.downloadTime.isValid() ? decoded.config.downloadTime : session->downloadTime;
    if (!downloaded.isValid())
        downloaded = QDateTime::currentDateTime();
    p.order = WallClock(downloaded);
    p.sha = QString::fromLatin1(QCryptographicHash::hash(auditFile, QCryptographicHash::Sha256).toHex());
    // The same audit saved again with another label (the keypad's time as displayed) is still the same
    // audit; the same events downloaded on another day are another visit.
    session->decoded.config.downloadTime = decoded.config.downloadTime;
    p.identity = QString::fromLatin1(
        QCryptographicHash::hash(AuditFile::Serialize(*session, QString()), QCryptographicHash::Sha256).toHex());
    p.events[LockHistoryDevice] = OldestFirst(decoded.lockEvents);
    p.events[KeypadHistoryDevice] = OldestFirst(decoded.keypadEvents);
    for (int d : { LockHistoryDevice, KeypadHistoryDevice })
        p.marks[d] = p.events[d].isEmpty() ? AuditMark{ p.order, false, {} } : AuditMark{ p.order, true, p.events[d].last() };

    if (!m_open) {
        report.message = m_error.isEmpty() ? Text::tr("The archive is not open.") : m_error;
        report.failure = m_failure == ArchiveFailure::None ? ArchiveFailure::Other : m_failure;
        return report;
    }
    for (int attempt = 0;; ++attempt) {
        bool retry = false;
        report = importOnce(auditFile, kind, p, &retry);
        if (!retry)
            return report;
        if (attempt >= MaxRetries) {
            report.status = ImportReport::Failed;
            report.failure = ArchiveFailure::Busy;
            report.message = Text::tr("The archive %1 is in use by another program; try again in a moment.").arg(m_displayName);
            return report;
        }
    }
}

bool Archive::readLockState(const QByteArray& serial, LockState* state)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!run(q, QStringLiteral("SELECT id, revision, name, latest_audit, visits, events, gaps, first_event, last_event "
                               "FROM locks WHERE serial = ?"),
             { serial }))
        return failQuery(q);
    if (!q.next())
        return true;
    state->exists = true;
    state->id = q.value(0).toLongLong();
    state->revision = q.value(1).toLongLong();
    state->name = FromStoredText(q.value(2).toByteArray());
    state->latestAudit = q.value(3).toLongLong();
    state->visits = q.value(4).toInt();
    state->events = q.value(5).toInt();
    state->gaps = q.value(6).toInt();
    state->firstEvent = q.value(7).toLongLong();
    state->lastEvent = q.value(8).toLongLong();
    if (!run(q, QStringLiteral("SELECT id, downloaded_at, newest, visit FROM audits WHERE lock_id = ?"), { state->id }))
        return failQuery(q);
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        AuditMark lock, keypad;
        UnpackMarks(q.value(2).toByteArray(), q.value(1).toLongLong(), &lock, &keypad);
        state->marks[LockHistoryDevice].insert(id, lock);
        state->marks[KeypadHistoryDevice].insert(id, keypad);
        state->visitOf.insert(id, q.value(3).toInt());
    }
    if (q.lastError().isValid())
        return failQuery(q);
    return true;
}

ImportReport Archive::importOnce(const QByteArray& auditFile, AuditKind kind, const Prepared& p, bool* retry)
{
    ImportReport report;
    report.serial = p.serialText;
    const auto failed = [&] {
        report.status = ImportReport::Failed;
        report.message = m_error;
        report.failure = m_failure;
        return report;
    };
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);

    // What the archive holds now, read without holding anyone up.
    LockState state;
    if (!readLockState(p.serial, &state))
        return failed();
    if (state.exists) {
        if (!run(q, QStringLiteral("SELECT 1 FROM audits WHERE lock_id = ? AND identity = ?"), { state.id, p.identity }))
            return failQuery(q), failed();
        if (q.next()) {
            report.status = ImportReport::AlreadyThere;
            return report;
        }
    }

    // The join, per device: a download that goes on from the newest events needs only those.
    struct Joined
    {
        bool atEnd = false;
        HistoryRun tail; // at the end: the newest run from `chunk` on, grown
        int chunk = 0;
        DeviceHistory history; // otherwise: the whole history after the join
        JoinOutcome outcome;
        int gapsBefore = 0;
    } joined[2];
    for (int d : { LockHistoryDevice, KeypadHistoryDevice }) {
        Joined& j = joined[d];
        if (p.events[d].isEmpty())
            continue;
        if (state.exists) {
            bool whole = false;
            if (!readNewest(state.id, d, p.events[d].size(), &j.tail, &j.chunk, &whole))
                return failed();
            if (!j.tail.events.isEmpty()
                && JoinAtEnd(j.tail, p.events[d], NewAudit, p.order, state.marks[d], &j.outcome)) {
                j.atEnd = true;
                continue;
            }
        }
        DeviceHistory stored;
        if (state.exists && !readHistory(state.id, d, &stored))
            return failed();
        j.gapsBefore = stored.gapCount();
        j.outcome = JoinAudit(stored, p.events[d], NewAudit, p.order, state.marks[d]);
        j.history = j.outcome.history;
    }

    // Its place among the visits: after all others when it reaches past what they held; else by
    // where each reaches in the lock's own order.
    const bool lockEvents = !p.events[LockHistoryDevice].isEmpty()
        || std::any_of(state.marks[LockHistoryDevice].cbegin(), state.marks[LockHistoryDevice].cend(),
                       [](const AuditMark& m) { return m.reaches; });
    const int primary = p.events[LockHistoryDevice].isEmpty() && !lockEvents ? KeypadHistoryDevice : LockHistoryDevice;
    const Joined& main = joined[primary];
    QVector<qint64> visitOrder; // empty: it comes last and the others keep their numbers
    if (!(main.atEnd && main.outcome.added > 0) && state.exists) {
        DeviceHistory full = main.history;
        if (main.atEnd || p.events[primary].isEmpty()) {
            if (!readHistory(state.id, primary, &full))
                return failed();
            if (main.atEnd)
                full = JoinAudit(full, p.events[primary], NewAudit, p.order, state.marks[primary]).history;
        }
        AuditMarks marks = state.marks[primary];
        marks.insert(NewAudit, p.marks[primary]);
        visitOrder = VisitOrder(full, marks);
    }
    const bool latest = visitOrder.isEmpty() || visitOrder.last() == NewAudit;
    const int visit = visitOrder.isEmpty() ? state.visits + 1 : int(visitOrder.indexOf(NewAudit)) + 1;

    // Nothing written yet: now the archive is held, briefly.
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return failed();
    QElapsedTimer held;
    held.start();
    if (!state.exists
        && !run(q, QStringLiteral("INSERT INTO locks (serial, name, lock_version, keypad_version) VALUES (?, ?, ?, ?) "
                                  "ON CONFLICT (serial) DO NOTHING"),
                { p.serial, StoredText(p.config.lockName), StoredText(p.config.lockVersion),
                  StoredText(p.config.keypadVersion) }))
        return failQuery(q), failed();
    // On a server, imports of one lock queue here; other locks go on.
    if (!run(q, QStringLiteral("SELECT id, revision FROM locks WHERE serial = ?") + m_backend->lockRow(), { p.serial })
        || !q.next())
        return failQuery(q), failed();
    const qint64 lock = q.value(0).toLongLong();
    if ((state.exists && lock != state.id) || q.value(1).toLongLong() != state.revision) {
        // Another import of this lock came first: work it out again from what it left.
        *retry = true;
        return report;
    }

    const QString importedBy = SystemUser(), host = QSysInfo::machineHostName();
    const qint64 importedAt = WallClock(QDateTime::currentDateTime());
    int added = 0;
    for (const Joined& j : joined)
        added += j.outcome.added;
    if (!run(q, QStringLiteral("INSERT INTO audits (lock_id, sha256, identity, kind, downloaded_at, imported_at, "
                               "imported_by, imported_host, new_events, visit, newest, content) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
             { lock, p.sha, p.identity, AuditKindName(kind), p.order, importedAt, importedBy, host, added, visit,
               PackMarks(p.marks[LockHistoryDevice], p.marks[KeypadHistoryDevice]), auditFile })
        || !q.next())
        return failQuery(q), failed();
    const qint64 audit = q.value(0).toLongLong();
    if (!visitOrder.isEmpty())
        for (int v = 0; v < visitOrder.size(); ++v)
            if (visitOrder[v] != NewAudit && state.visitOf.value(visitOrder[v]) != v + 1
                && !run(q, QStringLiteral("UPDATE audits SET visit = ? WHERE id = ?"), { v + 1, visitOrder[v] }))
                return failQuery(q), failed();

    int gaps = state.gaps;
    qint64 first = state.firstEvent, last = state.lastEvent;
    for (int d : { LockHistoryDevice, KeypadHistoryDevice }) {
        Joined& j = joined[d];
        if (p.events[d].isEmpty())
            continue;
        QVector<HistoryEvent>& stretch = j.atEnd ? j.tail.events : j.history.runs[j.outcome.run].events;
        for (HistoryEvent& e : stretch)
            if (e.audit == NewAudit)
                e.audit = audit;
        if (!(j.atEnd ? writeHistory(lock, d, {}, j.chunk, &j.tail) : writeHistory(lock, d, j.history, 0, nullptr)))
            return failed();

        // The search table: the events new to the archive, and those whose credit moved.
        QSet<int> moved;
        for (const Recredit& r : j.outcome.recredits)
            moved.insert(r.at);
        QVector<const HistoryEvent*> rows;
        for (int k = j.outcome.first; k < j.outcome.first + j.outcome.length; ++k)
            if (stretch[k].audit == audit && !moved.contains(k))
                rows.append(&stretch[k]);
        bool inserted;
        {
            ServerWatchdog::Armed armed(m_watchdog.get());
            inserted = m_backend->insertEvents(q, lock, d, rows);
        }
        if (!inserted)
            return failQuery(q), failed();
        QHash<QString, int> recredited;
        QHash<QString, Recredit> sample;
        for (const Recredit& r : j.outcome.recredits) {
            const HistoryEvent& e = stretch[r.at];
            const QString key = QStringLiteral("%1/%2/%3/%4").arg(e.time).arg(e.event).arg(e.user).arg(r.previous);
            ++recredited[key];
            sample.insert(key, r);
        }
        const QString id = m_backend->rowIdentity();
        for (auto it = recredited.cbegin(); it != recredited.cend(); ++it) {
            const Recredit& r = sample.value(it.key());
            const HistoryEvent& e = stretch[r.at];
            if (!run(q, QStringLiteral("UPDATE events SET audit_id = ? WHERE %1 IN (SELECT %1 FROM events WHERE lock_id = ? "
                                             "AND device = ? AND time = ? AND event = ? AND user_number = ? AND audit_id = ? "
                                             "LIMIT ?)")
                                  .arg(id),
                           { audit, lock, d, e.time, int(e.event), int(e.user), r.previous, it.value() }))
                return failQuery(q), failed();
        }

        if (!j.atEnd)
            gaps += j.history.gapCount() - j.gapsBefore;
        const bool shown = d == LockHistoryDevice || !lockEvents;
        if (shown) {
            if (!j.atEnd || !state.exists || state.events == 0)
                first = j.atEnd ? j.tail.events.first().time : (j.history.oldest() ? j.history.oldest()->time : 0);
            last = j.atEnd ? j.tail.events.last().time : (j.history.newest() ? j.history.newest()->time : 0);
        }
    }

    // The lock's name and versions are those of its latest visit.
    if (latest) {
        const QString stored = ShownLockText(state.name), now = ShownLockText(p.config.lockName);
        if (state.exists && stored != now)
            report.notes << Text::tr("lock name changed from %1 to %2").arg(stored, now);
        if (!run(q, QStringLiteral("UPDATE locks SET name = ?, lock_version = ?, keypad_version = ?, latest_audit = ?, "
                                   "last_visit = ? WHERE id = ?"),
                 { StoredText(p.config.lockName), StoredText(p.config.lockVersion), StoredText(p.config.keypadVersion),
                   audit, p.order, lock }))
            return failQuery(q), failed();
    }
    // A computer's clock that disagrees with the lock's own order is told, not followed.
    qint64 newestDate = 0;
    for (const AuditMark& m : state.marks[primary])
        newestDate = std::max(newestDate, m.downloaded);
    if (state.exists && latest && p.order < newestDate)
        report.notes << Text::tr("this computer dated the download %1, before the visit of %2, but the lock's events "
                                 "show it is the latest visit: check the computer's clock")
                            .arg(Day(p.order), Day(newestDate));
    else if (state.exists && !latest && p.order > newestDate)
        report.notes << Text::tr("this computer dated the download %1, after every other visit, but the lock's events "
                                 "show it is visit %2 of %3: check the computer's clock")
                            .arg(Day(p.order))
                            .arg(visit)
                            .arg(state.visits + 1);
    if (!run(q, QStringLiteral("UPDATE locks SET visits = ?, events = ?, gaps = ?, first_event = ?, last_event = ?, "
                               "revision = ? WHERE id = ?"),
             { state.visits + 1, state.events + added, gaps, first, last, state.revision + 1, lock }))
        return failQuery(q), failed();

    // The chain's next link, one import at a time.
    if (!m_backend->serialise(ChainLockKey).isEmpty() && !exec(q, m_backend->serialise(ChainLockKey)))
        return failQuery(q), failed();
    if (!exec(q, QStringLiteral("SELECT hash FROM chain ORDER BY id DESC LIMIT 1")))
        return failQuery(q), failed();
    const QString previous = q.next() ? q.value(0).toString() : ChainStart();
    if (!run(q, QStringLiteral("INSERT INTO chain (audit_id, serial, sha256, imported_at, imported_by, imported_host, "
                               "previous, hash) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
             { audit, p.serial, p.sha, importedAt, importedBy, host, previous,
               ChainLinkHash(previous, p.sha, p.serial, importedAt, importedBy, host) }))
        return failQuery(q), failed();

    if (beforeCommit)
        beforeCommit();
    if (!transaction.commit())
        return failed();
    report.heldMs = held.nsecsElapsed() / 1e6;
    report.status = ImportReport::Added;
    report.newEvents = added;
    report.gaps = gaps;
    return report;
}
