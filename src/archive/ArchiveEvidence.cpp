// The archive opened only to be read, its chain head, and a lock's audits given back as files.

#include "archive/ArchiveEvidence.h"

#include "archive/ArchiveChain.h"
#include "archive/ArchiveInternal.h"
#include "archive/ArchiveLocation.h"
#include "archive/ServerWatchdog.h"
#include "archive/SqlBackend.h"
#include "model/OutputFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

using namespace archive;

namespace {

// The bound every connection to a server has on one statement's answer.
constexpr std::chrono::milliseconds ServerAnswerBound(25000);

} // namespace

bool Archive::openReadOnly(const QString& location)
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
        if (!file.exists())
            return fail(Text::tr("There is no archive at %1").arg(m_displayName));
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            return fail(Text::tr("The archive %1 cannot be read: this computer lacks the SQLite driver of Qt "
                                 "(package libqt5sql5-sqlite).")
                            .arg(m_displayName));
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(address.server ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                m_connection);
    QSqlQuery q(db);
    if (address.server) {
        m_watchdog = std::make_unique<ServerWatchdog>(ServerAnswerBound);
        QString error;
        if (!m_backend->connect(db, address, &error)) {
            const QString reason = db.lastError().databaseText().trimmed().section(QLatin1Char('\n'), 0, 0);
            return fail(!error.isEmpty() ? error
                                         : Text::tr("The archive %1 cannot be reached: %2")
                                               .arg(m_displayName, reason.isEmpty() ? Text::tr("no answer") : reason),
                        ArchiveFailure::Unreachable);
        }
        m_watchdog->watch(db);
        QStringList settings = m_backend->sessionSettings();
        settings << QStringLiteral("SET default_transaction_read_only = on");
        for (const QString& setting : settings)
            if (!exec(q, setting))
                return failQuery(q);
    } else {
        // Statements are kept from writing by query_only. While another program has the archive
        // open (its journal lies beside it) the engine opens it read-only too, so that nothing of
        // theirs is checkpointed or rolled back into it by us; otherwise an ordinary handle, whose
        // close removes the journal files its reading made and leaves the folder as it was.
        const bool inUse = QFileInfo::exists(address.path + QStringLiteral("-wal"))
            || QFileInfo::exists(address.path + QStringLiteral("-journal"));
        db.setDatabaseName(address.path);
        db.setConnectOptions(inUse ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000")
                                   : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            return fail(Text::tr("The archive %1 cannot be read: %2").arg(m_displayName, db.lastError().databaseText()));
        if (!exec(q, QStringLiteral("PRAGMA query_only = ON")))
            return failQuery(q);
    }

    const auto notOurs = [this] {
        return fail(Text::tr("The archive %1 cannot be read: it is not an archive of this program, or it is damaged.")
                        .arg(m_displayName));
    };
    if (!exec(q, m_backend->tablesQuery()))
        return address.server ? failQuery(q) : notOurs();
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    if (tables.isEmpty())
        return fail(Text::tr("There is no archive at %1").arg(m_displayName));
    if (!tables.contains(QStringLiteral("schema_version")) || !exec(q, QStringLiteral("SELECT MAX(version) FROM schema_version"))
        || !q.next())
        return notOurs();
    bool ok = false;
    const int version = q.value(0).toInt(&ok);
    if (!ok)
        return notOurs();
    if (version > SchemaVersion)
        return fail(Text::tr("The archive %1 was written by a later version of Corvane Audit; update this program to "
                             "use it.")
                        .arg(m_displayName));
    if (version < SchemaVersion)
        return fail(Text::tr("The archive %1 was made by an earlier version of Corvane Audit and is read here only once "
                             "upgraded: open it once with this version (for instance with archive locks), which "
                             "upgrades it.")
                        .arg(m_displayName));
    m_open = true;
    return true;
}

bool Archive::chainHead(QString* head)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!exec(q, QStringLiteral("SELECT hash FROM chain ORDER BY id DESC LIMIT 1")))
        return failQuery(q);
    *head = q.next() ? q.value(0).toString() : ChainStart();
    return true;
}

bool Archive::heldLock(QSqlQuery& q, const QString& serial, bool forUpdate, qint64* lock)
{
    if (!run(q, QStringLiteral("SELECT id FROM locks WHERE serial = ?") + (forUpdate ? m_backend->lockRow() : QString()),
             { StoredText(serial) }))
        return failQuery(q);
    if (!q.next())
        return fail(Text::tr("The archive %1 holds no lock %2.").arg(m_displayName, serial));
    *lock = q.value(0).toLongLong();
    return true;
}

bool Archive::keptAudits(const QString& serial, QVector<KeptAudit>* out, bool content)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    qint64 lock = 0;
    if (!heldLock(q, serial, false, &lock))
        return false;
    if (!run(q, QStringLiteral("SELECT id, visit, kind, downloaded_at, imported_at, imported_by, imported_host, sha256, %1 "
                               "FROM audits WHERE lock_id = ? ORDER BY visit, id")
                    .arg(content ? QStringLiteral("content") : QStringLiteral("NULL")),
             { lock }))
        return failQuery(q);
    QVector<KeptAudit> audits;
    while (q.next()) {
        KeptAudit a;
        a.id = q.value(0).toLongLong();
        a.visit = q.value(1).toInt();
        a.kind = q.value(2).toString();
        a.downloaded = FromWallClock(q.value(3).toLongLong());
        a.imported = FromWallClock(q.value(4).toLongLong());
        a.importedBy = q.value(5).toString();
        a.importedHost = q.value(6).toString();
        a.sha256 = q.value(7).toString();
        if (content)
            a.content = q.value(8).toByteArray();
        audits.append(a);
    }
    if (q.lastError().isValid())
        return failQuery(q);
    *out = std::move(audits);
    return true;
}

QStringList KeptAuditFileNames(const QVector<KeptAudit>& audits)
{
    QStringList names;
    for (const KeptAudit& a : audits) {
        const QString base = QStringLiteral("%1-%2").arg(a.visit).arg(a.downloaded.toString(QStringLiteral("yyyyMMdd-HHmmss")));
        const QString name = base + QStringLiteral(".kaud");
        names << (names.contains(name) ? QStringLiteral("%1-%2.kaud").arg(base).arg(a.id) : name);
    }
    return names;
}

QByteArray Sha256Sums(const QVector<KeptAudit>& audits)
{
    const QStringList names = KeptAuditFileNames(audits);
    QByteArray sums;
    for (int k = 0; k < audits.size(); ++k)
        sums += audits[k].sha256.toLatin1() + "  " + QFile::encodeName(names[k]) + '\n';
    return sums;
}

bool SaveKeptAudits(const QVector<KeptAudit>& audits, const QString& folder, QString* failed, QString* reason)
{
    *failed = folder;
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        *reason = Text::tr("it is a file, not a folder");
        return false;
    }
    if (!QDir().mkpath(folder)) {
        *reason = Text::tr("the folder cannot be made");
        return false;
    }
    const QDir dir(folder);
    const auto save = [&](const QString& name, const QByteArray& bytes) {
        *failed = dir.filePath(name);
        OutputFile file(*failed);
        if (file.open() && file.write(bytes) && file.commit())
            return true;
        *reason = file.errorString();
        return false;
    };
    const QStringList names = KeptAuditFileNames(audits);
    for (int k = 0; k < audits.size(); ++k)
        if (!save(names[k], audits[k].content))
            return false;
    return save(QStringLiteral("SHA256SUMS"), Sha256Sums(audits));
}
