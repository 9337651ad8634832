#pragma once

#include "archive/ArchiveLocation.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QSqlError;
class QSqlQuery;
struct HistoryEvent;

// What one database engine does its own way; everything else the archive says is plain SQL that
// both take. One implementation per engine: the embedded SQLite file and a PostgreSQL server.
class SqlBackend
{
public:
    // How a failed statement is to be taken.
    enum class Failure {
        Busy,        // another program holds the archive: worth waiting, then queueing
        Unreachable, // the server cannot be reached or went away: queue, send later
        ReadOnly,    // this role may read but not write
        Other,
    };

    virtual ~SqlBackend() = default;
    static std::unique_ptr<SqlBackend> For(const ArchiveAddress& address);

    virtual bool isServer() const = 0;
    // The driver set up and opened; false with the reason in `error`.
    virtual bool connect(QSqlDatabase& db, const ArchiveAddress& address, QString* error) = 0;
    // Run on a fresh connection before anything else.
    virtual QStringList sessionSettings() const = 0;
    // Run once the archive is known to be this program's (they may write to it).
    virtual QStringList ownSettings() const = 0;
    virtual Failure classify(const QSqlError& error) const = 0;

    // Schema texts.
    virtual QString idColumn() const = 0;   // an integer key the database numbers itself
    virtual QString blobType() const = 0;
    // The tables of the current schema.
    virtual QString tablesQuery() const = 0;

    // A write transaction: SQLite takes the file's write lock at once, so a writer waits before it
    // has read anything rather than failing at its first write.
    virtual QString beginWrite() const = 0;
    // Held until the transaction ends: schema changes, and the chain's next link, one at a time.
    // Empty where the write transaction is the lock already.
    virtual QString serialise(int key) const = 0;
    // Appended to a SELECT of a lock's row: imports of one lock queue there.
    virtual QString lockRow() const = 0;
    // A row's own identity, to change one of several alike rows.
    virtual QString rowIdentity() const = 0;

    // Inserts a device's events; one statement or many, as the engine takes them fastest.
    virtual bool insertEvents(QSqlQuery& query, qint64 lock, int device, const QVector<const HistoryEvent*>& rows) = 0;
};
