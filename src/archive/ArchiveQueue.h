#pragma once

#include "Archive.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Audits waiting for a team archive that could not be reached: a SQLite file in the user's data
// folder, each audit with the server it is for. An audit leaves the queue only once that server
// has committed it.
class ArchiveQueue
{
public:
    // queue.sqlite in the user's data folder.
    static QString DefaultPath();

    explicit ArchiveQueue(const QString& path = DefaultPath());
    ~ArchiveQueue();
    ArchiveQueue(const ArchiveQueue&) = delete;
    ArchiveQueue& operator=(const ArchiveQueue&) = delete;

    // `server` is the archive's name as shown (never with its password).
    bool add(const QString& server, const QByteArray& audit, AuditKind kind);
    // How many wait for `server`; -1 when the queue cannot be read.
    int count(const QString& server);

    struct SendReport
    {
        int sent = 0;
        int left = 0;
        QStringList lines; // one per audit sent or refused, as `archive import` tells them
        QString error;     // why sending stopped, when it did
    };
    // Sends what waits for the open archive `server`, oldest first, until the server fails.
    SendReport send(Archive& server);

    QString errorString() const { return m_error; }

private:
    bool open();

    QString m_path;
    QString m_connection;
    QString m_error;
};
