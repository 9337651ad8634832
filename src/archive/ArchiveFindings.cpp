// What the findings keep in the archive, for the whole team: the opening hours (a default, and a
// lock's own), the closed days and the thresholds; and the findings of the locks, judged one lock
// at a time where its history is.

#include "Archive.h"

#include "ArchiveInternal.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

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
    // The rules of every lock, read once.
    QHash<QString, QString> settings;
    FindingRules team;
    QVector<QPair<QString, OpeningHours>> own;
    if (!readSettings(&settings) || !closedDays(&team.closedDays) || !ownHours(&own))
        return false;
    team.hours = DefaultHoursOf(settings);
    team.thresholds = ThresholdsOf(settings);
    team.keys = query.keys;
    QHash<QString, OpeningHours> hoursOf;
    for (const auto& o : own)
        hoursOf.insert(o.first, o.second);

    QStringList serials;
    if (query.locks.isEmpty()) {
        QVector<LockSummary> all;
        if (!locks(&all))
            return false;
        for (const LockSummary& l : all)
            serials << l.serial;
    } else {
        for (const QString& text : query.locks) {
            QString serial;
            if (!findLock(text, &serial))
                return false;
            if (!serials.contains(serial))
                serials << serial;
        }
        serials.sort();
    }

    QVector<LockFindings> found;
    found.reserve(serials.size());
    for (int k = 0; k < serials.size(); ++k) {
        // One history at a time: only its findings outlive it.
        LockHistory history;
        if (!this->history(serials[k], &history))
            return false;
        FindingRules rules = team;
        rules.hours = hoursOf.value(serials[k], team.hours);
        LockFindings lock;
        lock.serial = history.serial;
        lock.name = history.name;
        QString error;
        if (!JudgeLockHistory(history, rules, query.at, query.dst ? &query.dstRule : nullptr, &lock.findings, &error))
            return fail(error);
        lock.findings = FindingsInRange(lock.findings, query.from, query.to);
        found.append(std::move(lock));
        if (progress && !progress(k + 1, serials.size()))
            return fail(QString());
    }
    *out = std::move(found);
    return true;
}
