#pragma once

#include "LockHistory.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// Where the audits of every lock are kept: a SQLite file, or a PostgreSQL server shared by a team.
// One Archive is one connection, to be used on the thread that opened it.

enum class AuditKind { BusDownload, DallasKey, File };
// The kind as stored: "bus download", "Dallas key", "file".
QString AuditKindName(AuditKind kind);

struct ImportReport
{
    enum Status { Added, AlreadyThere, Refused, Failed };
    Status status = Failed;
    QString serial;
    int newEvents = 0;
    int gaps = 0;
    // Why it was refused or failed, for the user.
    QString message;
};

struct ArchiveProblem
{
    QString serial;
    qint64 audit = 0;
    QString what;
};

class Archive
{
public:
    // The schema this program writes; an archive of a later one is refused.
    static constexpr int SchemaVersion = 1;

    Archive();
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Opens, creating or upgrading the schema inside one transaction. `location` is a file path or
    // a postgresql:// URL. False with a message that names the archive (never its password).
    bool open(const QString& location);
    bool isOpen() const { return m_open; }
    // The last failure, for the user.
    QString errorString() const { return m_error; }
    // The location as it may be shown: a URL without its password.
    QString displayName() const { return m_displayName; }
    bool isServer() const;
    // The last failure was a server that could not be reached, or went away: worth trying again.
    bool unreachable() const { return m_unreachable; }

    // Adds one audit given as the bytes of an audit file, in one transaction: the audit, its lock
    // and the lock's joined history.
    ImportReport import(const QByteArray& auditFile, AuditKind kind);

    bool locks(QVector<LockSummary>* out);
    // False with errorString() when the lock is not there or its history cannot be read.
    bool history(const QString& serial, LockHistory* out);
    // The newest archived events of a lock's lock device, oldest first (none when it is unknown).
    bool newestLockEvents(const QString& serial, int count, QVector<HistoryEvent>* out);
    // The matching events of every lock, newest first.
    bool search(const SearchQuery& query, QVector<FoundEvent>* out);
    // Reads every stored audit again: its digest, that it decodes, and every stored history.
    bool verify(QVector<ArchiveProblem>* problems, int* audits = nullptr);

    // Called inside an import's transaction just before it commits; a test kills the process there.
    static void (*beforeCommit)();

private:
    bool fail(const QString& message);
    bool failQuery(const class QSqlQuery& query);
    bool migrate();
    bool begin();
    bool commit();
    void rollback();
    bool readHistory(qint64 lock, int device, DeviceHistory* out);
    // The rows from `from` on, each with its place in the device's history.
    bool insertEvents(class QSqlQuery& query, qint64 lock, int device, const QVector<const HistoryEvent*>& rows, int from);

    QString m_connection;
    QString m_displayName;
    QString m_error;
    bool m_open = false;
    bool m_unreachable = false;
};
