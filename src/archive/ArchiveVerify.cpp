// Reading everything the archive keeps again, to find what drifted: every kept audit against its
// SHA-256, the chain link by link, and every lock's history, searchable events, summary and visits
// against what joining its audits again gives. Nothing is written.

#include "archive/Archive.h"

#include "archive/ArchiveChain.h"
#include "archive/ArchiveInternal.h"
#include "model/AuditFile.h"

#include <QCryptographicHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

using namespace archive;

namespace {

// The id an audit being joined has until it is credited, as the import gives it: ties between
// visits are broken by it.
constexpr qint64 NewAudit = -1;
// Lines of one kind told for one lock before the rest are counted.
constexpr int MaxLines = 10;

QString Moment(qint64 wallClockMs)
{
    return FromWallClock(wallClockMs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString EventDescription(const HistoryEvent& e)
{
    const QDateTime at = AuditDateTime(e.time);
    return Text::tr("%1, event %2, user %3")
        .arg(at.isValid() ? at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString::number(e.time))
        .arg(e.event)
        .arg(e.user);
}

// One row of the search table, or what it should be.
struct Row
{
    int device;
    qint64 time;
    int event;
    int user;
    qint64 audit;
    bool operator<(const Row& o) const
    {
        return std::tie(device, time, event, user, audit) < std::tie(o.device, o.time, o.event, o.user, o.audit);
    }
    bool operator==(const Row& o) const
    {
        return std::tie(device, time, event, user, audit) == std::tie(o.device, o.time, o.event, o.user, o.audit);
    }
};

// A device's events newest first, as a history shows them.
QVector<const HistoryEvent*> NewestFirst(const DeviceHistory& history)
{
    QVector<const HistoryEvent*> out;
    out.reserve(history.eventCount());
    for (int r = history.runs.size() - 1; r >= 0; --r)
        for (int k = history.runs[r].events.size() - 1; k >= 0; --k)
            out.append(&history.runs[r].events[k]);
    return out;
}

// The "#" a history shown as a full audit gives the device's event `index` (newest first, from 0).
// Past the device's oldest event: the number the next one would have.
qint64 ShownNumber(const DeviceHistory& lock, const DeviceHistory& keypad, int device, int index)
{
    const qint64 wanted = (device == LockHistoryDevice ? lock : keypad).eventCount() - 1 - index;
    qint64 found = 0, last = 0;
    NumberMergedHistory(lock, keypad, [&](int d, qint64 position, qint64 number, const HistoryEvent&) {
        last = number;
        if (d == device && position == wanted)
            found = number;
    });
    return found > 0 ? found : last + 1;
}

} // namespace

// The work of one verification, over one consistent reading of the archive.
class ArchiveVerifier
{
public:
    ArchiveVerifier(Archive& archive, ArchiveSoundness* out) : m_archive(archive), m_out(out) {}

    bool run();

private:
    struct LockRow
    {
        qint64 id = 0;
        QString serial;
        int visits = 0, events = 0, gaps = 0;
        qint64 firstEvent = 0, lastEvent = 0;
    };
    // What the chain needs of an audit, read once.
    struct AuditFacts
    {
        QString serial;
        QByteArray storedSerial;
        QString sha; // of its bytes as they are now
        qint64 importedAt = 0;
        QString by, host;
        int visit = 0;
        qint64 downloaded = 0;
        bool linked = false;
    };
    // A lock's audits joined again, as the imports joined them.
    struct Replay
    {
        DeviceHistory history[2];
        AuditMarks marks[2];
        QVector<qint64> audits;
        QHash<qint64, int> visitOf; // as the imports numbered them, at the end
        bool complete = true;        // false when an audit could not be joined
    };

    QSqlQuery query()
    {
        QSqlQuery q(QSqlDatabase::database(m_archive.m_connection, false));
        q.setForwardOnly(true);
        return q;
    }
    void fault(const QString& serial, qint64 audit, const QString& what) { m_out->problems.append({ serial, audit, what }); }
    QString auditName(const AuditFacts& a) const
    {
        return Text::tr("the audit of visit %1 (downloaded %2)").arg(a.visit).arg(Moment(a.downloaded));
    }

    bool checkLock(const LockRow& lock);
    void join(Replay& replay, qint64 audit, qint64 order, const QVector<HistoryEvent> (&events)[2]);
    void compareHistory(const LockRow& lock, const Replay& replay, const DeviceHistory (&stored)[2]);
    bool compareSearchTable(const LockRow& lock, const Replay& replay);
    void compareSummary(const LockRow& lock, const Replay& replay);
    void compareVisits(const LockRow& lock, const Replay& replay);
    bool checkStrays();
    bool checkChain();

    Archive& m_archive;
    ArchiveSoundness* m_out;
    QHash<qint64, AuditFacts> m_audits;
};

bool ArchiveVerifier::run()
{
    QSqlQuery q = query();
    QVector<LockRow> locks;
    if (!m_archive.exec(q, QStringLiteral("SELECT id, serial, visits, events, gaps, first_event, last_event FROM locks "
                                          "ORDER BY id")))
        return m_archive.failQuery(q);
    while (q.next())
        locks.append({ q.value(0).toLongLong(), FromStoredText(q.value(1).toByteArray()), q.value(2).toInt(),
                       q.value(3).toInt(), q.value(4).toInt(), q.value(5).toLongLong(), q.value(6).toLongLong() });
    if (q.lastError().isValid())
        return m_archive.failQuery(q);
    m_out->locks = locks.size();
    for (const LockRow& lock : locks)
        if (!checkLock(lock))
            return false;
    if (!checkStrays() || !checkChain())
        return false;
    m_out->audits = m_audits.size();
    // Lock by lock, as the user reads serial numbers; each lock's own lines in the order found.
    std::stable_sort(m_out->problems.begin(), m_out->problems.end(),
                     [](const ArchiveProblem& a, const ArchiveProblem& b) { return a.serial < b.serial; });
    return true;
}

bool ArchiveVerifier::checkLock(const LockRow& lock)
{
    // The audits in the order they were imported: the order the database numbered them in, for
    // the imports of one lock take their turns.
    QSqlQuery q = query();
    if (!m_archive.run(q, QStringLiteral("SELECT id, sha256, downloaded_at, imported_at, imported_by, imported_host, visit, "
                                         "content, newest FROM audits WHERE lock_id = ? ORDER BY id"),
                       { lock.id }))
        return m_archive.failQuery(q);
    Replay replay;
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        const QByteArray content = q.value(7).toByteArray();
        AuditFacts& a = m_audits[id];
        a.serial = lock.serial;
        a.storedSerial = StoredText(lock.serial);
        a.sha = QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
        a.downloaded = q.value(2).toLongLong();
        a.importedAt = q.value(3).toLongLong();
        a.by = q.value(4).toString();
        a.host = q.value(5).toString();
        a.visit = q.value(6).toInt();
        if (a.sha != q.value(1).toString())
            fault(lock.serial, id, Text::tr("%1: its bytes no longer match their SHA-256").arg(auditName(a)));

        auto session = std::make_unique<AuditSession>();
        if (!AuditFile::Parse(content, *session).valid) {
            fault(lock.serial, id, Text::tr("%1: it is no longer a valid audit file").arg(auditName(a)));
            replay.complete = false;
            continue;
        }
        const DecodedAudit decoded = DecodeAudit(*session);
        if (!decoded.ok) {
            fault(lock.serial, id, Text::tr("%1: it no longer decodes").arg(auditName(a)));
            replay.complete = false;
            continue;
        }
        if (ShownLockText(decoded.config.serialNumber) != lock.serial) {
            fault(lock.serial, id, Text::tr("%1: it names another lock, %2")
                                       .arg(auditName(a), ShownLockText(decoded.config.serialNumber)));
            replay.complete = false;
            continue;
        }
        // The download date the import gave it: the audit's own, where it has one.
        const QDateTime own = decoded.config.downloadTime.isValid() ? decoded.config.downloadTime : session->downloadTime;
        if (own.isValid() && WallClock(own) != a.downloaded)
            fault(lock.serial, id, Text::tr("%1: the audit itself was downloaded %2")
                                       .arg(auditName(a), Moment(WallClock(own))));
        const QVector<HistoryEvent> events[2] = { OldestFirst(decoded.lockEvents), OldestFirst(decoded.keypadEvents) };
        // What later imports place it by: where it reaches in each device's events.
        AuditMark kept[2];
        bool same = UnpackMarks(q.value(8).toByteArray(), a.downloaded, &kept[LockHistoryDevice], &kept[KeypadHistoryDevice]);
        for (int d : { LockHistoryDevice, KeypadHistoryDevice }) {
            const bool reaches = !events[d].isEmpty();
            same = same && kept[d].reaches == reaches && (!reaches || kept[d].newest.sameAs(events[d].last()));
        }
        if (!same)
            fault(lock.serial, id, Text::tr("%1: what is kept of its newest events differs from the audit itself").arg(auditName(a)));
        join(replay, id, a.downloaded, events);
    }
    if (q.lastError().isValid())
        return m_archive.failQuery(q);

    DeviceHistory stored[2];
    bool readable = true;
    for (int d : { LockHistoryDevice, KeypadHistoryDevice })
        if (!m_archive.readHistory(lock.id, d, &stored[d])) {
            if (m_archive.m_failure != ArchiveFailure::Other)
                return false;
            fault(lock.serial, 0, (d == LockHistoryDevice ? Text::tr("its lock history cannot be read: %1")
                                                          : Text::tr("its keypad history cannot be read: %1"))
                                      .arg(m_archive.errorString()));
            readable = false;
        }
    if (!replay.complete) {
        fault(lock.serial, 0, Text::tr("its history cannot be checked: not every audit of it can be joined again"));
        return true;
    }
    if (readable)
        compareHistory(lock, replay, stored);
    if (!compareSearchTable(lock, replay))
        return false;
    compareSummary(lock, replay);
    compareVisits(lock, replay);
    return true;
}

void ArchiveVerifier::join(Replay& replay, qint64 audit, qint64 order, const QVector<HistoryEvent> (&events)[2])
{
    // Exactly as the import joined it, with the marks of the audits before it only.
    AuditMark marks[2];
    bool atEnd[2] = { false, false };
    int added[2] = { 0, 0 };
    for (int d : { LockHistoryDevice, KeypadHistoryDevice }) {
        marks[d] = events[d].isEmpty() ? AuditMark{ order, false, {} } : AuditMark{ order, true, events[d].last() };
        if (events[d].isEmpty())
            continue;
        DeviceHistory& history = replay.history[d];
        JoinOutcome outcome;
        if (!history.runs.isEmpty() && JoinAtEnd(history.runs.last(), events[d], NewAudit, order, replay.marks[d], &outcome)) {
            atEnd[d] = true;
        } else {
            outcome = JoinAudit(history, events[d], NewAudit, order, replay.marks[d]);
            history = std::move(outcome.history);
        }
        added[d] = outcome.added;
    }

    // Its place among the visits, before its events are credited to it: ties go to the new audit.
    const bool lockEvents = !events[LockHistoryDevice].isEmpty()
        || std::any_of(replay.marks[LockHistoryDevice].cbegin(), replay.marks[LockHistoryDevice].cend(),
                       [](const AuditMark& m) { return m.reaches; });
    const int primary = lockEvents ? LockHistoryDevice : KeypadHistoryDevice;
    if (!replay.audits.isEmpty() && !(atEnd[primary] && added[primary] > 0)) {
        AuditMarks all = replay.marks[primary];
        all.insert(NewAudit, marks[primary]);
        const QVector<qint64> order = VisitOrder(replay.history[primary], all);
        for (int v = 0; v < order.size(); ++v)
            replay.visitOf[order[v] == NewAudit ? audit : order[v]] = v + 1;
    } else {
        replay.visitOf[audit] = replay.audits.size() + 1;
    }

    for (int d : { LockHistoryDevice, KeypadHistoryDevice }) {
        for (HistoryRun& run : replay.history[d].runs)
            for (HistoryEvent& e : run.events)
                if (e.audit == NewAudit)
                    e.audit = audit;
        replay.marks[d].insert(audit, marks[d]);
    }
    replay.audits.append(audit);
}

void ArchiveVerifier::compareHistory(const LockRow& lock, const Replay& replay, const DeviceHistory (&stored)[2])
{
    // The visit a credit names as the history shows it, and as the audits joined again give it.
    const auto shownVisit = [&](qint64 audit) { return m_audits.value(audit).visit; };
    for (int d : { LockHistoryDevice, KeypadHistoryDevice }) {
        const QVector<const HistoryEvent*> kept = NewestFirst(stored[d]);
        const QVector<const HistoryEvent*> joined = NewestFirst(replay.history[d]);
        int k = 0;
        while (k < kept.size() && k < joined.size() && kept[k]->sameAs(*joined[k]) && kept[k]->audit == joined[k]->audit)
            ++k;
        if (k == kept.size() && k == joined.size()) {
            QVector<int> keptRuns, joinedRuns;
            for (const HistoryRun& r : stored[d].runs)
                keptRuns.append(r.events.size());
            for (const HistoryRun& r : replay.history[d].runs)
                joinedRuns.append(r.events.size());
            if (keptRuns != joinedRuns)
                fault(lock.serial, 0, Text::tr("the gaps of its history differ from its audits (%1 kept, %2 from its audits)")
                                          .arg(stored[d].gapCount())
                                          .arg(replay.history[d].gapCount()));
            continue;
        }
        const qint64 number = ShownNumber(stored[LockHistoryDevice], stored[KeypadHistoryDevice], d, k);
        QString what;
        if (k < kept.size() && k < joined.size() && kept[k]->sameAs(*joined[k]))
            what = Text::tr("event %1 of the history is credited to visit %2, its audits give visit %3")
                       .arg(number)
                       .arg(shownVisit(kept[k]->audit))
                       .arg(replay.visitOf.value(joined[k]->audit));
        else if (k < kept.size() && k < joined.size())
            what = Text::tr("event %1 of the history differs from its audits (the history: %2; its audits: %3)")
                       .arg(number)
                       .arg(EventDescription(*kept[k]), EventDescription(*joined[k]));
        else if (k < kept.size())
            what = Text::tr("event %1 of the history differs from its audits (the history: %2; its audits end before it)")
                       .arg(number)
                       .arg(EventDescription(*kept[k]));
        else
            what = Text::tr("event %1 of the history differs from its audits (the history ends before it; its audits: %2)")
                       .arg(number)
                       .arg(EventDescription(*joined[k]));
        fault(lock.serial, 0, what);
    }
}

bool ArchiveVerifier::compareSearchTable(const LockRow& lock, const Replay& replay)
{
    QSqlQuery q = query();
    if (!m_archive.run(q, QStringLiteral("SELECT device, time, event, user_number, audit_id FROM events WHERE lock_id = ?"),
                       { lock.id }))
        return m_archive.failQuery(q);
    QVector<Row> table;
    while (q.next())
        table.append({ q.value(0).toInt(), q.value(1).toLongLong(), q.value(2).toInt(), q.value(3).toInt(),
                       q.value(4).toLongLong() });
    if (q.lastError().isValid())
        return m_archive.failQuery(q);
    QVector<Row> expected;
    expected.reserve(table.size());
    for (int d : { LockHistoryDevice, KeypadHistoryDevice })
        for (const HistoryRun& run : replay.history[d].runs)
            for (const HistoryEvent& e : run.events)
                expected.append({ d, e.time, e.event, e.user, e.audit });
    std::sort(table.begin(), table.end());
    std::sort(expected.begin(), expected.end());
    if (table == expected)
        return true;

    QVector<Row> missing, extra;
    std::set_difference(expected.cbegin(), expected.cend(), table.cbegin(), table.cend(), std::back_inserter(missing));
    std::set_difference(table.cbegin(), table.cend(), expected.cbegin(), expected.cend(), std::back_inserter(extra));
    // Where a missing event is in the history, numbered as the history shows it.
    const auto numberOf = [&](const Row& row) {
        const QVector<const HistoryEvent*> events = NewestFirst(replay.history[row.device]);
        for (int k = 0; k < events.size(); ++k)
            if (events[k]->time == row.time && events[k]->event == row.event && events[k]->user == row.user
                && events[k]->audit == row.audit)
                return ShownNumber(replay.history[LockHistoryDevice], replay.history[KeypadHistoryDevice], row.device, k);
        return qint64(0);
    };
    const auto describe = [](const Row& row) {
        return EventDescription({ row.time, quint8(row.event), quint8(row.user), row.audit });
    };
    int told = 0, more = 0;
    // Worded only when told: a table emptied by hand must not cost a search per row.
    const auto tell = [&](const std::function<QString()>& what) {
        if (told++ < MaxLines)
            fault(lock.serial, 0, what());
        else
            ++more;
    };
    // A row changed by hand is one missing and one more: one line for both, when they share their
    // moment, or else all but it. Each missing row takes the first free one of its kind.
    QVector<bool> paired(extra.size(), false);
    const auto timeKey = [](const Row& r) { return quint64(r.time) * 2 + quint64(r.device & 1); };
    const auto contentKey = [](const Row& r) {
        return (quint64(r.audit) << 17) ^ (quint64(r.event & 0xFF) << 9) ^ (quint64(r.user & 0xFF) << 1) ^ quint64(r.device & 1);
    };
    struct Candidates
    {
        QVector<int> rows;
        int next = 0;
    };
    QHash<quint64, Candidates> byTime, byContent;
    for (int k = 0; k < extra.size(); ++k) {
        byTime[timeKey(extra[k])].rows.append(k);
        byContent[contentKey(extra[k])].rows.append(k);
    }
    const auto take = [&](QHash<quint64, Candidates>& index, quint64 key, const Row& m, bool sameTime) {
        const auto found = index.find(key);
        if (found == index.end())
            return -1;
        Candidates& c = *found;
        while (c.next < c.rows.size() && paired[c.rows[c.next]])
            ++c.next;
        if (c.next == c.rows.size())
            return -1;
        const Row& e = extra[c.rows[c.next]];
        const bool alike = e.device == m.device
            && (sameTime ? e.time == m.time : e.event == m.event && e.user == m.user && e.audit == m.audit);
        return alike ? c.rows[c.next] : -1;
    };
    for (const Row& m : missing) {
        int with = take(byTime, timeKey(m), m, true);
        if (with < 0)
            with = take(byContent, contentKey(m), m, false);
        if (with >= 0) {
            paired[with] = true;
            tell([&] {
                return Text::tr("event %1 of the history differs in the search table (there: %2)")
                    .arg(numberOf(m))
                    .arg(describe(extra[with]));
            });
        } else {
            tell([&] { return Text::tr("event %1 of the history is missing from the search table").arg(numberOf(m)); });
        }
    }
    for (int k = 0; k < extra.size(); ++k)
        if (!paired[k])
            tell([&] { return Text::tr("the search table holds an event its audits do not have (%1)").arg(describe(extra[k])); });
    if (more > 0)
        fault(lock.serial, 0, Text::tr("and %n more differences between the search table and its audits", nullptr, more));
    return true;
}

void ArchiveVerifier::compareSummary(const LockRow& lock, const Replay& replay)
{
    const DeviceHistory& lockHistory = replay.history[LockHistoryDevice];
    const DeviceHistory& shown = lockHistory.eventCount() > 0 ? lockHistory : replay.history[KeypadHistoryDevice];
    const int events = lockHistory.eventCount() + replay.history[KeypadHistoryDevice].eventCount();
    const int gaps = lockHistory.gapCount() + replay.history[KeypadHistoryDevice].gapCount();
    QStringList differ;
    if (lock.visits != replay.audits.size())
        differ << Text::tr("visits %1, its audits %2").arg(lock.visits).arg(replay.audits.size());
    if (lock.events != events)
        differ << Text::tr("events %1, its audits %2").arg(lock.events).arg(events);
    if (lock.gaps != gaps)
        differ << Text::tr("gaps %1, its audits %2").arg(lock.gaps).arg(gaps);
    if (lock.firstEvent != (shown.oldest() ? shown.oldest()->time : 0)
        || lock.lastEvent != (shown.newest() ? shown.newest()->time : 0))
        differ << Text::tr("its first or last event");
    if (!differ.isEmpty())
        fault(lock.serial, 0, Text::tr("its line in the list of locks differs from its audits: %1").arg(differ.join(QStringLiteral("; "))));
}

void ArchiveVerifier::compareVisits(const LockRow& lock, const Replay& replay)
{
    // Numbered as the imports numbered them, or (for an archive upgraded from the first schema) by
    // where each audit reaches in the history joined whole.
    QHash<qint64, int> whole;
    const int primary = replay.history[LockHistoryDevice].eventCount() > 0 ? LockHistoryDevice : KeypadHistoryDevice;
    const QVector<qint64> order = VisitOrder(replay.history[primary], replay.marks[primary]);
    for (int v = 0; v < order.size(); ++v)
        whole.insert(order[v], v + 1);
    for (qint64 audit : replay.audits) {
        const AuditFacts& a = m_audits[audit];
        const int visit = replay.visitOf.value(audit);
        if (a.visit != visit && a.visit != whole.value(audit)) {
            fault(lock.serial, audit, Text::tr("%1: its place among the audits makes it visit %2").arg(auditName(a)).arg(visit));
            return;
        }
    }
}

bool ArchiveVerifier::checkStrays()
{
    // What belongs to no lock: an audit, events or a history left when their lock row went.
    QSqlQuery q = query();
    if (!m_archive.exec(q, QStringLiteral("SELECT a.id, a.imported_at, a.content FROM audits a WHERE NOT EXISTS "
                                          "(SELECT 1 FROM locks l WHERE l.id = a.lock_id) ORDER BY a.id")))
        return m_archive.failQuery(q);
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        AuditFacts& a = m_audits[id];
        a.importedAt = q.value(1).toLongLong();
        a.sha = QString::fromLatin1(QCryptographicHash::hash(q.value(2).toByteArray(), QCryptographicHash::Sha256).toHex());
        fault(QString(), id, Text::tr("the audit imported %1 belongs to no lock").arg(Moment(a.importedAt)));
    }
    if (q.lastError().isValid())
        return m_archive.failQuery(q);
    for (const char* table : { "events", "histories" }) {
        if (!m_archive.exec(q, QStringLiteral("SELECT COUNT(*) FROM %1 t WHERE NOT EXISTS (SELECT 1 FROM locks l "
                                              "WHERE l.id = t.lock_id)")
                                   .arg(QLatin1String(table))))
            return m_archive.failQuery(q);
        const int count = q.next() ? q.value(0).toInt() : 0;
        if (count > 0)
            fault(QString(), 0, qstrcmp(table, "events") == 0
                                    ? Text::tr("the search table holds %n events of no lock", nullptr, count)
                                    : Text::tr("%n stored histories belong to no lock", nullptr, count));
    }
    return true;
}

bool ArchiveVerifier::checkChain()
{
    QSqlQuery q = query();
    if (!m_archive.exec(q, QStringLiteral("SELECT audit_id, serial, sha256, imported_at, imported_by, imported_host, "
                                          "previous, hash FROM chain ORDER BY id")))
        return m_archive.failQuery(q);
    QString previous = ChainStart();
    while (q.next()) {
        const qint64 audit = q.value(0).toLongLong();
        const QByteArray serial = q.value(1).toByteArray();
        const QString sha = q.value(2).toString();
        const qint64 importedAt = q.value(3).toLongLong();
        const QString by = q.value(4).toString(), host = q.value(5).toString();
        const QString linkPrevious = q.value(6).toString(), hash = q.value(7).toString();

        // The link as it should be: over the link before it, and the audit it names as that is now.
        const auto found = m_audits.find(audit);
        const bool auditSound = found != m_audits.end() && found->sha == sha && found->storedSerial == serial
            && found->importedAt == importedAt && found->by == by && found->host == host;
        const bool follows = linkPrevious == previous;
        const bool whole = ChainLinkHash(previous, sha, serial, importedAt, by, host) == hash;
        if (found != m_audits.end())
            found->linked = true;
        if (!auditSound || !follows || !whole) {
            const QString why = !auditSound ? Text::tr("an audit was removed or changed")
                : !follows                  ? Text::tr("a link before it was removed, or links were put in another order")
                                            : Text::tr("its link was changed");
            fault(found != m_audits.end() ? found->serial : FromStoredText(serial), audit,
                  Text::tr("the chain breaks at the import of %1: %2").arg(Moment(importedAt), why));
        }
        if (!m_out->quotedHead.isEmpty() && hash == m_out->quotedHead)
            m_out->quotedHeadAt = FromWallClock(importedAt);
        previous = hash;
    }
    if (q.lastError().isValid())
        return m_archive.failQuery(q);
    m_out->chainHead = previous;
    if (!m_out->quotedHead.isEmpty() && !m_out->quotedHeadAt.isValid())
        fault(QString(), 0, Text::tr("no link of the chain has the head %1: what it covered was removed or changed, or it "
                                     "is the head of another archive")
                                .arg(m_out->quotedHead));
    QVector<qint64> unlinked;
    for (auto a = m_audits.cbegin(); a != m_audits.cend(); ++a)
        if (!a->linked)
            unlinked.append(a.key());
    std::sort(unlinked.begin(), unlinked.end());
    for (qint64 id : unlinked) {
        const AuditFacts& a = m_audits[id];
        fault(a.serial, id, Text::tr("%1 has no link in the chain").arg(auditName(a)));
    }
    return true;
}

bool Archive::verify(ArchiveSoundness* out)
{
    const QString quoted = out->quotedHead.trimmed().toLower();
    *out = ArchiveSoundness();
    out->quotedHead = quoted;
    if (!m_open)
        return fail(m_error.isEmpty() ? Text::tr("The archive is not open.") : m_error);
    // One reading of the archive as it stood at the start, whatever imports go on meanwhile.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!exec(q, isServer() ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY") : QStringLiteral("BEGIN")))
        return failQuery(q);
    ArchiveVerifier verifier(*this, out);
    const bool done = verifier.run();
    exec(q, QStringLiteral("ROLLBACK"));
    return done;
}

bool Archive::verify(QVector<ArchiveProblem>* problems, int* audits)
{
    ArchiveSoundness soundness;
    if (!verify(&soundness))
        return false;
    *problems = soundness.problems;
    if (audits)
        *audits = soundness.audits;
    return true;
}
