#include "archive/SqlBackend.h"

#include "model/History.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Archive)
};

class SqliteBackend : public SqlBackend
{
public:
    bool isServer() const override { return false; }

    bool connect(QSqlDatabase& db, const ArchiveAddress& address, QString* error) override
    {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
            *error = Text::tr("The archive %1 cannot be read: this computer lacks the SQLite driver of Qt "
                              "(package libqt5sql5-sqlite).")
                         .arg(address.display);
            return false;
        }
        db.setDatabaseName(address.path);
        // Short waits here: the archive waits longer itself, backing off, so writers take turns.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
        if (!db.open()) {
            *error = Text::tr("The archive %1 cannot be read: %2").arg(address.display, db.lastError().databaseText());
            return false;
        }
        return true;
    }

    QStringList sessionSettings() const override { return { QStringLiteral("PRAGMA foreign_keys = ON") }; }
    // Readers go on while one writes.
    QStringList ownSettings() const override { return { QStringLiteral("PRAGMA journal_mode = WAL") }; }

    Failure classify(const QSqlError& error) const override
    {
        const QString code = error.nativeErrorCode();
        if (code == QLatin1String("5") || code == QLatin1String("6"))
            return Failure::Busy;
        if (code == QLatin1String("8"))
            return Failure::ReadOnly;
        return Failure::Other;
    }

    QString idColumn() const override { return QStringLiteral("INTEGER PRIMARY KEY"); }
    QString blobType() const override { return QStringLiteral("BLOB"); }
    QString tablesQuery() const override
    {
        return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'");
    }
    QString beginWrite() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString serialise(int) const override { return QString(); }
    QString lockRow() const override { return QString(); }
    QString rowIdentity() const override { return QStringLiteral("rowid"); }

    bool insertEvents(QSqlQuery& q, qint64 lock, int device, const QVector<const HistoryEvent*>& rows) override
    {
        if (rows.isEmpty())
            return true;
        // SQLite looks its parameters up one by one: one prepared row, run for each, is its fastest.
        if (!q.prepare(QStringLiteral("INSERT INTO events (lock_id, device, time, event, user_number, audit_id) "
                                      "VALUES (?, ?, ?, ?, ?, ?)")))
            return false;
        q.bindValue(0, lock);
        q.bindValue(1, device);
        for (const HistoryEvent* e : rows) {
            q.bindValue(2, e->time);
            q.bindValue(3, int(e->event));
            q.bindValue(4, int(e->user));
            q.bindValue(5, e->audit);
            if (!q.exec())
                return false;
        }
        return true;
    }
};

class PostgresBackend : public SqlBackend
{
public:
    bool isServer() const override { return true; }

    bool connect(QSqlDatabase& db, const ArchiveAddress& address, QString* error) override
    {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
            *error = Text::tr("The archive %1 cannot be reached: this computer lacks the PostgreSQL driver of Qt "
                              "(package libqt5sql5-psql).")
                         .arg(address.display);
            return false;
        }
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setDatabaseName(address.database);
        db.setUserName(address.user);
        db.setPassword(address.password);
        // A server that stops answering is noticed by the connection itself: keepalives, and a bound
        // on data the server never acknowledges.
        QStringList options = address.connectOptions.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        options << QStringLiteral("keepalives=1") << QStringLiteral("keepalives_idle=10")
                << QStringLiteral("keepalives_interval=5") << QStringLiteral("keepalives_count=3")
                << QStringLiteral("tcp_user_timeout=20000");
        db.setConnectOptions(options.join(QLatin1Char(';')));
        return db.open();
    }

    QStringList sessionSettings() const override
    {
        // The server gives up on a statement before the program does.
        return { QStringLiteral("SET statement_timeout = 20000"), QStringLiteral("SET lock_timeout = 20000"),
                 QStringLiteral("SET client_min_messages = error") };
    }
    QStringList ownSettings() const override { return {}; }

    Failure classify(const QSqlError& error) const override
    {
        const QString state = error.nativeErrorCode();
        if (state == QLatin1String("42501") || state == QLatin1String("25006"))
            return Failure::ReadOnly;
        // No SQLSTATE, a connection exception (08...), a shutdown (57P..), or a statement or lock
        // the server gave up on (57014, 55P03): the server is not there for us now.
        if (state.isEmpty() || state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P"))
            || state == QLatin1String("57014") || state == QLatin1String("55P03"))
            return Failure::Unreachable;
        return Failure::Other;
    }

    QString idColumn() const override { return QStringLiteral("BIGSERIAL PRIMARY KEY"); }
    QString blobType() const override { return QStringLiteral("BYTEA"); }
    QString tablesQuery() const override
    {
        return QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema()");
    }
    QString beginWrite() const override { return QStringLiteral("BEGIN"); }
    QString serialise(int key) const override { return QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(key); }
    QString lockRow() const override { return QStringLiteral(" FOR UPDATE"); }
    QString rowIdentity() const override { return QStringLiteral("ctid"); }

    bool insertEvents(QSqlQuery& q, qint64 lock, int device, const QVector<const HistoryEvent*>& rows) override
    {
        if (rows.isEmpty())
            return true;
        // One statement for them all: the rows travel as four arrays, which the server unnests.
        QString times, codes, users, audits;
        times.reserve(rows.size() * 11);
        for (int k = 0; k < rows.size(); ++k) {
            const HistoryEvent& e = *rows[k];
            const QLatin1Char sep(k == 0 ? '{' : ',');
            times += sep + QString::number(e.time);
            codes += sep + QString::number(e.event);
            users += sep + QString::number(e.user);
            audits += sep + QString::number(e.audit);
        }
        if (!q.prepare(QStringLiteral("INSERT INTO events (lock_id, device, time, event, user_number, audit_id) "
                                      "SELECT ?, ?, t, e, u, a FROM unnest(CAST(? AS BIGINT[]), CAST(? AS INTEGER[]), "
                                      "CAST(? AS INTEGER[]), CAST(? AS BIGINT[])) AS x (t, e, u, a)")))
            return false;
        for (const QVariant& v : { QVariant(lock), QVariant(device), QVariant(times + '}'), QVariant(codes + '}'),
                                   QVariant(users + '}'), QVariant(audits + '}') })
            q.addBindValue(v);
        return q.exec();
    }
};

} // namespace

std::unique_ptr<SqlBackend> SqlBackend::For(const ArchiveAddress& address)
{
    if (address.server)
        return std::make_unique<PostgresBackend>();
    return std::make_unique<SqliteBackend>();
}
