#include "archive/ArchiveQueue.h"

#include "model/AuditFile.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <memory>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Archive)
};

QAtomicInt queueCounter;

} // namespace

QString ArchiveQueue::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/queue.sqlite");
}

ArchiveQueue::ArchiveQueue(const QString& path)
    : m_path(path), m_connection(QStringLiteral("corvane-queue-%1").arg(queueCounter.fetchAndAddRelaxed(1)))
{
}

ArchiveQueue::~ArchiveQueue()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

bool ArchiveQueue::failed(const QString& reason)
{
    m_error = Text::tr("The queue of audits to send, %1, cannot be used (%2).").arg(QDir::toNativeSeparators(m_path), reason);
    return false;
}

bool ArchiveQueue::open()
{
    if (QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen())
        return true;
    QDir().mkpath(QFileInfo(m_path).path());
    QSqlDatabase db = QSqlDatabase::contains(m_connection) ? QSqlDatabase::database(m_connection, false)
                                                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open())
        return failed(db.lastError().text());
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS queue (id INTEGER PRIMARY KEY, server TEXT NOT NULL, "
                               "kind TEXT NOT NULL, queued_at INTEGER NOT NULL, content BLOB NOT NULL)")))
        return failed(q.lastError().text());
    // The queue of the first version named no file.
    bool hasFile = false;
    if (!q.exec(QStringLiteral("PRAGMA table_info(queue)")))
        return failed(q.lastError().text());
    while (q.next())
        hasFile = hasFile || q.value(1).toString() == QLatin1String("file");
    if (!hasFile && !q.exec(QStringLiteral("ALTER TABLE queue ADD COLUMN file TEXT NOT NULL DEFAULT ''")))
        return failed(q.lastError().text());
    return true;
}

qint64 ArchiveQueue::add(const QString& meantFor, const QByteArray& audit, AuditKind kind, const QString& file)
{
    if (!open())
        return 0;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT INTO queue (server, kind, queued_at, content, file) VALUES (?, ?, ?, ?, ?)"));
    q.addBindValue(meantFor);
    q.addBindValue(AuditKindName(kind));
    q.addBindValue(QDateTime::currentMSecsSinceEpoch());
    q.addBindValue(audit);
    q.addBindValue(file.isNull() ? QStringLiteral("") : file);
    if (!q.exec())
        return failed(q.lastError().text()), 0;
    return q.lastInsertId().toLongLong();
}

bool ArchiveQueue::remove(qint64 id)
{
    if (!open())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("DELETE FROM queue WHERE id = ?"));
    q.addBindValue(id);
    return q.exec() || failed(q.lastError().text());
}

int ArchiveQueue::count()
{
    if (!open())
        return -1;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM queue")) || !q.next())
        return failed(q.lastError().text()), -1;
    return q.value(0).toInt();
}

bool ArchiveQueue::list(QVector<Waiting>* out)
{
    out->clear();
    if (!open())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, file, server, queued_at, content FROM queue ORDER BY id")))
        return failed(q.lastError().text());
    while (q.next()) {
        Waiting w;
        w.id = q.value(0).toLongLong();
        w.file = q.value(1).toString();
        w.meantFor = q.value(2).toString();
        w.queued = QDateTime::fromMSecsSinceEpoch(q.value(3).toLongLong());
        auto session = std::make_unique<AuditSession>();
        if (AuditFile::Parse(q.value(4).toByteArray(), *session).valid) {
            const DecodedAudit decoded = DecodeAudit(*session);
            w.serial = ShownLockText(decoded.config.serialNumber);
            w.downloaded = decoded.config.downloadTime.isValid() ? decoded.config.downloadTime : session->downloadTime;
        }
        out->append(w);
    }
    return !q.lastError().isValid() || failed(q.lastError().text());
}

ArchiveQueue::SendReport ArchiveQueue::send(Archive& archive)
{
    SendReport report;
    QVector<Waiting> waiting;
    if (!list(&waiting)) {
        report.error = m_error;
        report.failure = ArchiveFailure::Other;
        return report;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    for (int k = 0; k < waiting.size(); ++k) {
        const Waiting& w = waiting[k];
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT kind, content FROM queue WHERE id = ?"));
        q.addBindValue(w.id);
        if (!q.exec() || !q.next()) {
            // Sent meanwhile by another copy of the program.
            if (!q.lastError().isValid())
                continue;
            failed(q.lastError().text());
            report.error = m_error;
            report.left = waiting.size() - k;
            return report;
        }
        const ImportReport imported = archive.import(q.value(1).toByteArray(), AuditKindFromName(q.value(0).toString()));
        if (imported.status == ImportReport::Failed) {
            report.error = imported.message;
            report.failure = imported.failure;
            report.left = waiting.size() - k;
            return report;
        }
        // Committed by the archive (or never to be): it leaves the queue.
        if (!remove(w.id)) {
            report.error = m_error;
            report.failure = ArchiveFailure::Other;
            report.left = waiting.size() - k;
            return report;
        }
        ++report.sent;
        const QString name = w.file.isEmpty() ? imported.serial : w.file;
        QString line = imported.status == ImportReport::Added
            ? Text::tr("%1: %n new events", nullptr, imported.newEvents).arg(imported.serial)
                  + Text::tr(", %n gaps", nullptr, imported.gaps)
            : imported.status == ImportReport::AlreadyThere ? Text::tr("%1: already in the archive").arg(name)
                                                             : Text::tr("%1: %2").arg(name, imported.message);
        if (w.meantFor != archive.displayName())
            line += Text::tr(" (it was meant for %1)").arg(w.meantFor);
        report.lines << line;
    }
    return report;
}
