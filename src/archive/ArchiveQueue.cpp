#include "ArchiveQueue.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Archive)
};

QAtomicInt queueCounter;

AuditKind KindFromName(const QString& name)
{
    for (AuditKind kind : { AuditKind::BusDownload, AuditKind::DallasKey })
        if (AuditKindName(kind) == name)
            return kind;
    return AuditKind::File;
}

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

bool ArchiveQueue::open()
{
    if (QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen())
        return true;
    QDir().mkpath(QFileInfo(m_path).path());
    QSqlDatabase db = QSqlDatabase::contains(m_connection) ? QSqlDatabase::database(m_connection, false)
                                                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    QSqlQuery q(db);
    if (!db.open()
        || !q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS queue (id INTEGER PRIMARY KEY, server TEXT NOT NULL, "
                                  "kind TEXT NOT NULL, queued_at INTEGER NOT NULL, content BLOB NOT NULL)"))) {
        m_error = Text::tr("The queue of audits to send, %1, cannot be used: %2")
                      .arg(QDir::toNativeSeparators(m_path), (db.isOpen() ? q.lastError() : db.lastError()).text());
        return false;
    }
    return true;
}

bool ArchiveQueue::add(const QString& server, const QByteArray& audit, AuditKind kind)
{
    if (!open())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT INTO queue (server, kind, queued_at, content) VALUES (?, ?, ?, ?)"));
    q.addBindValue(server);
    q.addBindValue(AuditKindName(kind));
    q.addBindValue(QDateTime::currentMSecsSinceEpoch());
    q.addBindValue(audit);
    if (q.exec())
        return true;
    m_error = Text::tr("The queue of audits to send, %1, cannot be used: %2")
                  .arg(QDir::toNativeSeparators(m_path), q.lastError().text());
    return false;
}

int ArchiveQueue::count(const QString& server)
{
    if (!open())
        return -1;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM queue WHERE server = ?"));
    q.addBindValue(server);
    return q.exec() && q.next() ? q.value(0).toInt() : -1;
}

ArchiveQueue::SendReport ArchiveQueue::send(Archive& archive)
{
    SendReport report;
    if (!open()) {
        report.error = m_error;
        return report;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery ids(db);
    ids.prepare(QStringLiteral("SELECT id FROM queue WHERE server = ? ORDER BY id"));
    ids.addBindValue(archive.displayName());
    if (!ids.exec()) {
        report.error = ids.lastError().text();
        return report;
    }
    QVector<qint64> waiting;
    while (ids.next())
        waiting << ids.value(0).toLongLong();

    for (int k = 0; k < waiting.size(); ++k) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT kind, content FROM queue WHERE id = ?"));
        q.addBindValue(waiting[k]);
        if (!q.exec() || !q.next())
            continue;
        const ImportReport imported = archive.import(q.value(1).toByteArray(), KindFromName(q.value(0).toString()));
        if (imported.status == ImportReport::Failed) {
            report.error = imported.message;
            report.left = waiting.size() - k;
            return report;
        }
        // Committed by the server (or never to be): it leaves the queue.
        QSqlQuery remove(db);
        remove.prepare(QStringLiteral("DELETE FROM queue WHERE id = ?"));
        remove.addBindValue(waiting[k]);
        remove.exec();
        ++report.sent;
        report.lines << (imported.status == ImportReport::Added
                             ? Text::tr("%1: %2 new events, %3 gaps").arg(imported.serial).arg(imported.newEvents).arg(imported.gaps)
                             : imported.status == ImportReport::AlreadyThere
                             ? Text::tr("%1: already in the archive").arg(imported.serial)
                             : Text::tr("%1: %2").arg(imported.serial, imported.message));
    }
    return report;
}
