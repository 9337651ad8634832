#pragma once

#include "archive/Archive.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// Audits on their way into an archive: a SQLite file in the user's data folder. An audit is put
// here before the archive is asked to keep it and leaves only once an archive has committed it (or
// refused it for good), so an archive that cannot be reached, is kept busy by others, or a program
// killed halfway leaves the audit here, to be sent later — to the archive in use then, whatever
// address it was first meant for.
class ArchiveQueue
{
public:
    // queue.sqlite in the user's data folder.
    static QString DefaultPath();

    explicit ArchiveQueue(const QString& path = DefaultPath());
    ~ArchiveQueue();
    ArchiveQueue(const ArchiveQueue&) = delete;
    ArchiveQueue& operator=(const ArchiveQueue&) = delete;

    // One waiting audit as it is listed.
    struct Waiting
    {
        qint64 id = 0;
        QString file;     // where it was read from or saved to, when known
        QString serial;   // its lock, as decoded
        QDateTime downloaded;
        QString meantFor; // the archive's name as shown when it was queued (never with a password)
        QDateTime queued;
    };

    // Queues an audit; its id, or 0 (with errorString()) when the queue cannot be written.
    qint64 add(const QString& meantFor, const QByteArray& audit, AuditKind kind, const QString& file = QString());
    // Takes one out: the archive committed it, or it never will.
    bool remove(qint64 id);
    // How many wait; -1 when the queue cannot be read.
    int count();
    // Every waiting audit, oldest first; false with errorString().
    bool list(QVector<Waiting>* out);

    struct SendReport
    {
        int sent = 0;
        int left = 0;
        QStringList lines; // one per audit sent or refused, as `archive import` tells them
        QString error;     // why sending stopped, when it did
        ArchiveFailure failure = ArchiveFailure::None;
    };
    // Sends everything waiting to the open archive, oldest first, until it fails; a line for each
    // says where it was first meant to go when that was elsewhere.
    SendReport send(Archive& archive);

    QString errorString() const { return m_error; }

private:
    bool open();
    bool failed(const QString& reason);

    QString m_path;
    QString m_connection;
    QString m_error;
};
