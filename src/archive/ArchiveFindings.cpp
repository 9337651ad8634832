// What the findings keep in the archive, for the whole team: the opening hours (a default, and a
// lock's own), the closed days and the thresholds; and the findings of the locks, judged one lock
// at a time where its history is.

#include "archive/Archive.h"

#include "archive/ArchiveInternal.h"
#include "model/AuditFile.h"
#include "model/BusDecoder.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <memory>

using namespace archive;

namespace {

// The settings' names as kept; the thresholds are kept under their own names ("wrong-codes", ...)
// in the text form SetThreshold reads.
const QString DefaultHoursSetting = QStringLiteral("default-hours");
const Threshold Thresholds[] = { Threshold::WrongCodes, Threshold::ClockMinutes, Threshold::DoorMinutes,
                                 Threshold::VisitDays };
const QString DayForm = QStringLiteral("yyyy-MM-dd");

// Reads stored hours into `out`; false, `out` untouched, for none and for a text that no longer reads.
bool StoredHours(const QVariant& stored, OpeningHours* out)
{
    QString why;
    return !stored.isNull() && OpeningHours::Parse(stored.toString(), out, &why);
}

OpeningHours DefaultHoursOf(const QHash<QString, QString>& settings)
{
    OpeningHours hours = OpeningHours::Default();
    const auto it = settings.constFind(DefaultHoursSetting);
    if (it != settings.constEnd())
        StoredHours(*it, &hours);
    return hours;
}

// Each threshold stored and within its bounds; the default for any other.
FindingThresholds ThresholdsOf(const QHash<QString, QString>& settings)
{
    FindingThresholds t;
    for (Threshold which : Thresholds) {
        const auto it = settings.constFind(ThresholdName(which));
        QString ignored;
        if (it != settings.constEnd())
            SetThreshold(&t, which, *it, &ignored);
    }
    return t;
}

} // namespace

bool JudgeLockHistory(const LockHistory& history, const FindingRules& rules, const QDate& at, const DstRule* dst,
                      QVector<Finding>* out, QString* error)
{
    DecodedAudit audit;
    bool busAudit = false;
    if (!HistoryAsAudit(history, &audit, &busAudit, error))
        return false;
    *out = JudgeHistory(FindingEventsOf(audit, dst), LatestVisitOf(history), at, rules);
    return true;
}

bool Archive::readSettings(QHash<QString, QString>* out)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT name, value FROM settings")))
        return failQuery(q);
    QHash<QString, QString> settings;
    while (q.next())
        settings.insert(q.value(0).toString(), q.value(1).toString());
    if (q.lastError().isValid())
        return failQuery(q);
    *out = std::move(settings);
    return true;
}

bool Archive::writeSettings(const QVector<QPair<QString, QString>>& values)
{
    if (!m_open)
        return notOpen();
    // The statement goes after the rollback: a server frees no statement in a failed transaction.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    for (const auto& v : values)
        if (!run(q, QStringLiteral("INSERT INTO settings (name, value) VALUES (?, ?) "
                                   "ON CONFLICT (name) DO UPDATE SET value = excluded.value"),
                 { v.first, v.second }))
            return failQuery(q);
    return transaction.commit();
}

bool Archive::defaultHours(OpeningHours* out)
{
    QHash<QString, QString> settings;
    if (!readSettings(&settings))
        return false;
    *out = DefaultHoursOf(settings);
    return true;
}

bool Archive::setDefaultHours(const OpeningHours& hours)
{
    return writeSettings({ { DefaultHoursSetting, hours.toText() } });
}

bool Archive::lockHours(const QString& serial, OpeningHours* out, bool* own)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!run(q, QStringLiteral("SELECT hours FROM locks WHERE serial = ?"), { StoredText(serial) }))
        return failQuery(q);
    if (!q.next())
        return q.lastError().isValid() ? failQuery(q)
                                       : fail(Text::tr("The archive %1 holds no lock %2.").arg(m_displayName, serial));
    OpeningHours hours;
    const bool isOwn = StoredHours(q.value(0), &hours);
    if (!isOwn && !defaultHours(&hours))
        return false;
    *out = hours;
    if (own)
        *own = isOwn;
    return true;
}

bool Archive::setLockHours(const QString& serial, const OpeningHours* hours)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    const QVariant text = hours ? QVariant(hours->toText()) : QVariant(QVariant::String);
    if (!run(q, QStringLiteral("UPDATE locks SET hours = ? WHERE serial = ?"), { text, StoredText(serial) }))
        return failQuery(q);
    if (q.numRowsAffected() < 1)
        return fail(Text::tr("The archive %1 holds no lock %2.").arg(m_displayName, serial));
    return transaction.commit();
}

bool Archive::ownHours(QVector<QPair<QString, OpeningHours>>* out)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT serial, hours FROM locks WHERE hours IS NOT NULL")))
        return failQuery(q);
    QVector<QPair<QString, OpeningHours>> own;
    while (q.next()) {
        OpeningHours hours;
        if (StoredHours(q.value(1), &hours))
            own.append({ FromStoredText(q.value(0).toByteArray()), hours });
    }
    if (q.lastError().isValid())
        return failQuery(q);
    std::sort(own.begin(), own.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    *out = std::move(own);
    return true;
}

bool Archive::closedDays(ClosedDays* out)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT day FROM closed_days")))
        return failQuery(q);
    ClosedDays days;
    while (q.next()) {
        const QDate day = QDate::fromString(q.value(0).toString(), DayForm);
        if (day.isValid())
            days.insert(day);
    }
    if (q.lastError().isValid())
        return failQuery(q);
    *out = std::move(days);
    return true;
}

bool Archive::addClosedDays(const QVector<QDate>& days)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    for (const QDate& day : days)
        if (!run(q, QStringLiteral("INSERT INTO closed_days (day) VALUES (?) ON CONFLICT (day) DO NOTHING"),
                 { day.toString(DayForm) }))
            return failQuery(q);
    return transaction.commit();
}

bool Archive::removeClosedDays(const QVector<QDate>& days)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    QVector<QDate> each = days;
    std::sort(each.begin(), each.end());
    each.erase(std::unique(each.begin(), each.end()), each.end());
    for (const QDate& day : each) {
        if (!run(q, QStringLiteral("DELETE FROM closed_days WHERE day = ?"), { day.toString(DayForm) }))
            return failQuery(q);
        if (q.numRowsAffected() < 1)
            return fail(Text::tr("%1 is not a closed day in the archive %2.").arg(day.toString(DayForm), m_displayName));
    }
    return transaction.commit();
}

bool Archive::findingThresholds(FindingThresholds* out)
{
    QHash<QString, QString> settings;
    if (!readSettings(&settings))
        return false;
    *out = ThresholdsOf(settings);
    return true;
}

bool Archive::setFindingThresholds(const FindingThresholds& thresholds)
{
    const QString problem = thresholds.check();
    if (!problem.isEmpty())
        return fail(problem);
    QVector<QPair<QString, QString>> values;
    for (Threshold which : Thresholds)
        values.append({ ThresholdName(which), ThresholdText(thresholds, which) });
    return writeSettings(values);
}

bool Archive::mayChangeRules()
{
    if (!m_open)
        return notOpen();
    // Changes that change nothing, taken back: only the engine knows what this role may write.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    if (!run(q, QStringLiteral("UPDATE settings SET value = value WHERE name = ?"), { QString() })
        || !run(q, QStringLiteral("DELETE FROM closed_days WHERE day = ?"), { QString() }))
        return failQuery(q);
    return true;
}

bool Archive::findingRules(const QString& serial, FindingRules* out)
{
    FindingRules rules;
    QHash<QString, QString> settings;
    if (!lockHours(serial, &rules.hours) || !closedDays(&rules.closedDays) || !readSettings(&settings))
        return false;
    rules.thresholds = ThresholdsOf(settings);
    *out = std::move(rules);
    return true;
}

bool Archive::findings(const FindingsQuery& query, QVector<LockFindings>* out,
                       const std::function<bool(int, int)>& progress)
{
    if (!m_open)
        return notOpen();
    QSet<QString> asked;
    for (const QString& text : query.locks) {
        QString serial;
        if (!findLock(text, &serial))
            return false;
        asked.insert(serial);
    }

    // Every read from one snapshot: an import meanwhile changes nothing of what is judged.
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    struct Snapshot
    {
        Archive* archive;
        QSqlDatabase db;
        bool active = false;
        ~Snapshot()
        {
            QSqlQuery q(db);
            if (active)
                archive->exec(q, QStringLiteral("ROLLBACK"));
        }
    } snapshot{ this, db };
    {
        QSqlQuery q(db);
        if (!exec(q, isServer() ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY") : QStringLiteral("BEGIN")))
            return failQuery(q);
        snapshot.active = true;
    }

    // The rules of every lock, read once.
    QHash<QString, QString> settings;
    FindingRules team;
    if (!readSettings(&settings) || !closedDays(&team.closedDays))
        return false;
    team.hours = DefaultHoursOf(settings);
    team.thresholds = ThresholdsOf(settings);
    team.keys = query.keys;

    struct Lock
    {
        QString serial;
        QString name;
        OpeningHours hours;
        QVector<Visit> visits;
        QList<EventsTable> clockSettings; // of the latest visit's audit, for the DST correction
        Tenures people;
        bool judged = false;
    };
    QHash<qint64, Lock> fleet;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!exec(q, QStringLiteral("SELECT id, serial, name, hours FROM locks WHERE visits > 0")))
        return failQuery(q);
    while (q.next()) {
        Lock lock;
        lock.serial = FromStoredText(q.value(1).toByteArray());
        if (!asked.isEmpty() && !asked.contains(lock.serial))
            continue;
        lock.name = FromStoredText(q.value(2).toByteArray());
        if (!StoredHours(q.value(3), &lock.hours))
            lock.hours = team.hours;
        fleet.insert(q.value(0).toLongLong(), lock);
    }
    if (q.lastError().isValid())
        return failQuery(q);

    // The visits as history() numbers them; never the audits' bytes.
    if (!exec(q, QStringLiteral("SELECT lock_id, id, downloaded_at FROM audits ORDER BY lock_id, visit, id")))
        return failQuery(q);
    while (q.next()) {
        const auto lock = fleet.find(q.value(0).toLongLong());
        if (lock == fleet.end())
            continue;
        Visit v;
        v.audit = q.value(1).toLongLong();
        v.number = lock->visits.size() + 1;
        v.downloaded = FromWallClock(q.value(2).toLongLong());
        lock->visits.append(v);
    }
    if (q.lastError().isValid())
        return failQuery(q);

    // The correction goes by the clock settings the latest visit read; only it needs an audit's bytes.
    if (query.dst) {
        if (!exec(q, QStringLiteral("SELECT l.id, a.content FROM locks l JOIN audits a ON a.id = l.latest_audit "
                                    "WHERE l.visits > 0")))
            return failQuery(q);
        while (q.next()) {
            const auto lock = fleet.find(q.value(0).toLongLong());
            if (lock == fleet.end())
                continue;
            auto session = std::make_unique<AuditSession>();
            if (!AuditFile::Parse(q.value(1).toByteArray(), *session).valid)
                return fail(Text::tr("The latest audit of lock %1 in the archive is not a valid audit file.").arg(lock->serial));
            // Only the clock settings count here: a bus audit's table is read without its events.
            if (session->busAudit) {
                lock->clockSettings = DecodeBusTimeDateTable(*session);
                continue;
            }
            const DecodedAudit decoded = DecodeAudit(*session);
            if (!decoded.ok)
                return fail(Text::tr("The latest audit of lock %1 in the archive no longer decodes.").arg(lock->serial));
            lock->clockSettings = decoded.timeDateTable;
        }
        if (q.lastError().isValid())
            return failQuery(q);
    }

    // The directories that name each finding's person.
    {
        QHash<qint64, Tenures> people;
        if (!readAllTenures(&people))
            return false;
        for (auto it = people.begin(); it != people.end(); ++it) {
            const auto lock = fleet.find(it.key());
            if (lock != fleet.end())
                lock->people = std::move(it.value());
        }
    }

    QVector<LockFindings> found;
    found.reserve(fleet.size());
    // Empty when the judging stopped because it was cancelled.
    QString damaged;
    const auto judge = [&](Lock& lock, QVector<StoredPiece>* pieces) {
        LockHistory history;
        history.serial = lock.serial;
        history.name = lock.name;
        history.visits = std::move(lock.visits);
        QString why;
        if (!UnpackHistory(pieces[LockHistoryDevice], &history.lock, &why)
            || !UnpackHistory(pieces[KeypadHistoryDevice], &history.keypad, &why)) {
            damaged = Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, why);
            return false;
        }
        // The stored bytes go before the judging; the next lock's pieces start from empty.
        pieces[LockHistoryDevice].clear();
        pieces[KeypadHistoryDevice].clear();
        FindingRules rules = team;
        rules.hours = lock.hours;
        const LatestVisit latest = LatestVisitOf(history);
        const QVector<Finding> judged = JudgeHistory(
            FindingEventsOf(std::move(history), lock.clockSettings, query.dst ? &query.dstRule : nullptr), latest,
            query.at, rules);
        found.append({ lock.serial, lock.name, FindingsInRange(judged, query.from, query.to), std::move(lock.people) });
        lock.judged = true;
        return !progress || progress(found.size(), fleet.size());
    };

    // The stored histories in one pass, a lock at a time: only its findings outlive its events.
    QString sql = QStringLiteral("SELECT lock_id, device, continues, content FROM histories");
    QVariantList ids;
    if (!asked.isEmpty()) {
        QStringList marks;
        for (auto it = fleet.cbegin(); it != fleet.cend(); ++it)
            ids << it.key(), marks << QStringLiteral("?");
        sql += QStringLiteral(" WHERE lock_id IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    sql += QStringLiteral(" ORDER BY lock_id, device, chunk");
    if (!run(q, sql, ids))
        return failQuery(q);
    qint64 current = -1;
    QVector<StoredPiece> pieces[2];
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        if (id != current) {
            const auto lock = fleet.find(current);
            if (lock != fleet.end() && !judge(*lock, pieces))
                return fail(damaged);
            current = id;
        }
        const int device = q.value(1).toInt();
        if (!fleet.contains(id) || (device != LockHistoryDevice && device != KeypadHistoryDevice))
            continue;
        pieces[device].append({ q.value(3).toByteArray(), q.value(2).toInt() == 1 });
    }
    if (q.lastError().isValid())
        return failQuery(q);
    const auto last = fleet.find(current);
    if (last != fleet.end() && !judge(*last, pieces))
        return fail(damaged);
    // Locks without a stored event: Not visited may still be theirs.
    for (Lock& lock : fleet) {
        QVector<StoredPiece> none[2];
        if (!lock.judged && !judge(lock, none))
            return fail(damaged);
    }
    std::sort(found.begin(), found.end(), [](const LockFindings& a, const LockFindings& b) { return a.serial < b.serial; });
    *out = std::move(found);
    return true;
}
