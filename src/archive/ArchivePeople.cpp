// A lock's directory of people and the users logs kept with it.

#include "archive/Archive.h"

#include "archive/ArchiveInternal.h"
#include "archive/SqlBackend.h"
#include "model/AuditFile.h"
#include "model/UsersLog.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <functional>
#include <memory>

using namespace archive;

namespace {

constexpr int UsersLogBytes = userslog::RecordCount * userslog::RecordSize;

QVariant DayValue(const QDate& day)
{
    return day.isValid() ? QVariant(PeopleDayText(day)) : QVariant(QVariant::String);
}

} // namespace

bool Archive::notOpen()
{
    // What made it close (a server gone) is still the reason.
    return fail(m_error.isEmpty() ? Text::tr("The archive is not open.") : m_error,
                m_failure == ArchiveFailure::None ? ArchiveFailure::Other : m_failure);
}

bool Archive::readTenures(qint64 lock, Tenures* out)
{
    QHash<qint64, Tenures> read;
    if (!readTenuresOf(&lock, &read))
        return false;
    *out = read.take(lock);
    return true;
}

bool Archive::readAllTenures(QHash<qint64, Tenures>* out)
{
    return readTenuresOf(nullptr, out);
}

bool Archive::readTenuresOf(const qint64* lock, QHash<qint64, Tenures>* out)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT lock_id, user_number, person, from_day, until_day FROM people%1 "
                                       "ORDER BY lock_id, user_number, from_day")
                            .arg(lock ? QStringLiteral(" WHERE lock_id = ?") : QString());
    if (!run(q, sql, lock ? QVariantList{ *lock } : QVariantList()))
        return failQuery(q);
    QHash<qint64, Tenures> read;
    while (q.next()) {
        Tenure t;
        t.user = q.value(1).toInt();
        t.person = q.value(2).toString();
        QString why;
        // A day written by anything but this program is not guessed at.
        if (!ParsePeopleDay(q.value(3).toString(), &t.from, &why)
            || (!q.value(4).isNull() && !ParsePeopleDay(q.value(4).toString(), &t.until, &why)))
            return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, why));
        read[q.value(0).toLongLong()].append(t);
    }
    if (q.lastError().isValid())
        return failQuery(q);
    *out = std::move(read);
    return true;
}

bool Archive::people(const QString& serial, Tenures* tenures, QVector<int>* unnamed)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!run(q, QStringLiteral("SELECT l.id, a.content, a.downloaded_at FROM locks l "
                               "LEFT JOIN audits a ON a.id = l.latest_audit WHERE l.serial = ?"),
             { StoredText(serial) }))
        return failQuery(q);
    if (!q.next())
        return fail(Text::tr("The archive %1 holds no lock %2.").arg(m_displayName, serial));
    const qint64 lock = q.value(0).toLongLong();
    const QByteArray latest = unnamed ? q.value(1).toByteArray() : QByteArray();
    const QDate day = FromWallClock(q.value(2).toLongLong()).date();
    Tenures read;
    if (!readTenures(lock, &read))
        return false;
    if (unnamed) {
        unnamed->clear();
        if (!latest.isEmpty()) {
            auto session = std::make_unique<AuditSession>();
            const bool valid = AuditFile::Parse(latest, *session).valid;
            const DecodedAudit decoded = valid ? DecodeAudit(*session) : DecodedAudit();
            if (!valid || !decoded.ok)
                return fail(Text::tr("The latest audit of lock %1 in the archive no longer decodes.").arg(serial));
            *unnamed = UnnamedUsers(read, decoded.config, day);
        }
    }
    *tenures = std::move(read);
    return true;
}

bool Archive::changePeople(const QString& serial, const std::function<PeopleChange(const Tenures&)>& change, Tenures* after)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    // On a server, changes of one lock (and its imports) queue here; a role that may only read
    // is refused here too.
    qint64 lock = 0;
    if (!heldLock(q, serial, true, &lock))
        return false;
    Tenures current;
    if (!readTenures(lock, &current))
        return false;
    const PeopleChange outcome = change(current);
    if (!outcome.ok())
        return fail(outcome.error);

    if (!run(q, QStringLiteral("DELETE FROM people WHERE lock_id = ?"), { lock }))
        return failQuery(q);
    if (!q.prepare(QStringLiteral("INSERT INTO people (lock_id, user_number, person, from_day, until_day) "
                                  "VALUES (?, ?, ?, ?, ?)")))
        return failQuery(q);
    for (const Tenure& t : outcome.tenures) {
        q.bindValue(0, lock);
        q.bindValue(1, t.user);
        q.bindValue(2, t.person);
        q.bindValue(3, DayValue(t.from));
        q.bindValue(4, DayValue(t.until));
        if (!exec(q))
            return failQuery(q);
    }
    if (!transaction.commit())
        return false;
    if (after)
        *after = outcome.tenures;
    return true;
}

bool Archive::setTenure(const QString& serial, const Tenure& tenure, Tenures* after)
{
    return changePeople(serial, [&tenure](const Tenures& current) { return SetTenure(current, tenure); }, after);
}

bool Archive::removeTenure(const QString& serial, int user, const QDate& from, Tenures* after)
{
    return changePeople(serial, [user, &from](const Tenures& current) { return RemoveTenure(current, user, from); }, after);
}

bool Archive::importPeople(const QString& serial, const QByteArray& csv, const PeopleVocabulary& vocabulary, Tenures* after)
{
    // The listing does not depend on what is stored: read before anything is held.
    const PeopleChange imported = ImportPeople(csv, vocabulary);
    if (!imported.ok())
        return fail(imported.error);
    return changePeople(serial, [&imported](const Tenures&) { return imported; }, after);
}

bool Archive::keepUsersLog(const QString& serial, const QDateTime& downloadedAt, const QByteArray& records)
{
    if (!m_open)
        return notOpen();
    if (records.size() < UsersLogBytes)
        return fail(Text::tr("The users log is cut short: %n bytes of 832.", nullptr, records.size()));
    const QByteArray content = records.left(UsersLogBytes);
    const qint64 at = WallClock(downloadedAt.isValid() ? downloadedAt : QDateTime::currentDateTime());
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    ArchiveTransaction transaction(*this);
    if (!transaction.begin())
        return false;
    qint64 lock = 0;
    if (!heldLock(q, serial, true, &lock))
        return false;
    // The same log kept twice is kept once.
    if (!run(q, QStringLiteral("SELECT 1 FROM users_logs WHERE lock_id = ? AND downloaded_at = ? AND content = ?"),
             { lock, at, content }))
        return failQuery(q);
    if (!q.next()
        && !run(q, QStringLiteral("INSERT INTO users_logs (lock_id, downloaded_at, content) VALUES (?, ?, ?)"),
                { lock, at, content }))
        return failQuery(q);
    return transaction.commit();
}

bool Archive::installationDays(const QString& serial, QMap<int, QDate>* out)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    qint64 lock = 0;
    if (!heldLock(q, serial, false, &lock))
        return false;
    if (!run(q, QStringLiteral("SELECT content FROM users_logs WHERE lock_id = ? ORDER BY downloaded_at DESC, id DESC "
                               "LIMIT 1"),
             { lock }))
        return failQuery(q);
    out->clear();
    if (q.next())
        *out = UsersLogInstallationDays(q.value(0).toByteArray());
    else if (q.lastError().isValid())
        return failQuery(q);
    return true;
}

bool Archive::installationDayHistory(const QString& serial, QMap<int, QVector<QDate>>* out)
{
    if (!m_open)
        return notOpen();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    qint64 lock = 0;
    if (!heldLock(q, serial, false, &lock))
        return false;
    if (!run(q, QStringLiteral("SELECT content FROM users_logs WHERE lock_id = ? ORDER BY downloaded_at DESC, id DESC"),
             { lock }))
        return failQuery(q);
    QMap<int, QVector<QDate>> days;
    while (q.next()) {
        const QMap<int, QDate> logged = UsersLogInstallationDays(q.value(0).toByteArray());
        for (auto it = logged.cbegin(); it != logged.cend(); ++it)
            if (!days[it.key()].contains(it.value()))
                days[it.key()].append(it.value());
    }
    if (q.lastError().isValid())
        return failQuery(q);
    for (QVector<QDate>& slot : days)
        std::sort(slot.begin(), slot.end(), std::greater<QDate>());
    *out = std::move(days);
    return true;
}
