#pragma once

// A lock that records events as time goes by, and the audits a technician takes of it: bus
// downloads of its newest events and Dallas keys, as the bytes of audit files.

#include "../model/AuditFixtures.h"
#include "archive/Archive.h"
#include "model/AuditFile.h"

#include <QUrl>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <memory>

namespace archivefixtures {

class LockLife
{
public:
    QByteArray serial = "30051122";
    QByteArray name = "BANK01";
    QVector<AuditEntry> lockEvents;   // oldest first
    QVector<AuditEntry> keypadEvents; // oldest first
    qint64 now = fixtures::At(2025, 1, 6, 8, 0);

    // Events ten minutes apart, codes and users cycling so that no two neighbours are alike; every
    // fifth a keypad event too.
    void record(int count)
    {
        for (int i = 0; i < count; ++i) {
            now += 600;
            const int n = lockEvents.size();
            lockEvents.append({ now, quint8(n % 3 ? 0x01 : 0x05), quint8(1 + n % 50) });
            if (n % 5 == 0)
                keypadEvents.append({ now - 30, quint8(0x30 + n % 10), quint8(1 + n % 7) });
        }
    }
    // Events the lock records alike: the same second, code and user.
    void recordAlike(int count)
    {
        now += 600;
        for (int i = 0; i < count; ++i)
            lockEvents.append({ now, 0xF5, 0 });
    }
    void setClockBack(qint64 seconds) { now -= seconds; }
    void passDays(int days) { now += 86400 * qint64(days); }

    // The newest `count` events the lock still holds (at most 5600), newest first.
    static QVector<AuditEntry> Newest(const QVector<AuditEntry>& events, int count)
    {
        QVector<AuditEntry> out;
        for (int i = events.size() - 1; i >= 0 && out.size() < std::min(count, 5600); --i)
            out.append(events[i]);
        return out;
    }

    LockDescription description() const
    {
        Config c = fixtures::SampleConfig();
        c.serialNumber = QString::fromLatin1(serial);
        c.lockName = QString::fromLatin1(name);
        LockDescription lock = LockDescription::FromConfig(c, DelayEncoding::Bcd);
        lock.name = name;
        lock.serialNumber = serial;
        return lock;
    }

    QByteArray download(int count = 5600) const
    {
        const QDateTime at = AuditDateTime(now + 300);
        return downloadDatedAt(QDateTime(at.date(), at.time()), count);
    }

    // A download whose computer gave it the date `at`, whatever the lock's clock says.
    QByteArray downloadDatedAt(const QDateTime& at, int count = 5600) const
    {
        BusAuditBuilder builder;
        builder.setLock(description());
        for (const AuditEntry& e : Newest(lockEvents, count))
            builder.addEvent(e.time, e.event, e.user);
        auto session = std::make_unique<AuditSession>();
        builder.fill(*session);
        session->busAudit = true;
        session->downloadTime = at;
        // An audit file keeps the download date as decoded.
        session->decoded = DecodeAudit(*session);
        return AuditFile::Serialize(*session, QString());
    }

    QByteArray key(int lockCount = 170, int keypadCount = 40) const
    {
        const QDateTime at = AuditDateTime(now + 300);
        const QByteArray image = DallasImageBuilder()
                                     .addDateTime(at.date().year(), at.date().month(), at.date().day(),
                                                  at.time().hour(), at.time().minute())
                                     .addConfiguration(description())
                                     .addEvents(KeypadDevice, Newest(keypadEvents, keypadCount))
                                     .addEvents(LockDevice, Newest(lockEvents, lockCount))
                                     .image();
        auto session = std::make_unique<AuditSession>();
        fixtures::LoadDallas(*session, image);
        session->decoded = DecodeAudit(*session);
        return AuditFile::Serialize(*session, QString());
    }
};

// Whether every run of a device's history is a stretch of what the lock recorded, in its order.
inline bool RunsAreStretchesOf(const DeviceHistory& history, const QVector<AuditEntry>& recorded)
{
    for (const HistoryRun& run : history.runs) {
        bool found = false;
        for (int at = 0; !found && at + run.events.size() <= recorded.size(); ++at) {
            int k = 0;
            while (k < run.events.size() && run.events[k].time == recorded[at + k].time
                   && run.events[k].event == recorded[at + k].event && run.events[k].user == recorded[at + k].user)
                ++k;
            found = k == run.events.size();
        }
        if (!found)
            return false;
    }
    return true;
}

inline QByteArray ReadAllFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

enum class Backend { Sqlite, Server };

// The superuser URL of the PostgreSQL server the test run started (scripts/postgres-server.sh).
inline QString TestServerUrlFile() { return QStringLiteral(CORVANE_BINARY_DIR "/postgres/url"); }
inline QString TestServerUrl()
{
    QFile file(TestServerUrlFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

// Runs statements on the test server as its superuser, in database `database`.
inline bool OnTestServer(const QString& database, const QStringList& statements)
{
    const QUrl url(TestServerUrl());
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("fixture"));
        db.setHostName(url.host());
        db.setPort(url.port());
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(database);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString& statement : statements)
            if (ok && !q.exec(statement)) {
                qWarning("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
                ok = false;
            }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    return ok;
}

// A new, empty database on the test server (any earlier one of the name goes), as the URL of its
// superuser; with `role`, as the URL of that role, which is made its owner.
inline QString FreshServerArchive(const QString& name, const QString& role = QString())
{
    const QString database = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(name);
    if (!OnTestServer(QStringLiteral("postgres"), { QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(database),
                                                   QStringLiteral("CREATE DATABASE %1").arg(database) }))
        return QString();
    QUrl url(TestServerUrl());
    url.setPath(QLatin1Char('/') + database);
    if (!role.isEmpty()) {
        url.setUserName(role);
        url.setPassword(role);
    }
    return url.toString();
}

} // namespace archivefixtures
