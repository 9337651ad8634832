#pragma once

// What the archive's own files share: its texts, the devices as it numbers them, how dates and
// histories are kept, and the transaction guard.

#include "archive/Archive.h"
#include "model/History.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

class Archive;

namespace archive {

// The archive's own texts, translated in the "Archive" context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Archive)
};

// The devices as the archive numbers them.
constexpr int LockHistoryDevice = 0;
constexpr int KeypadHistoryDevice = 1;

// A device's history is kept in pieces of at most this many events, so a new download rewrites the
// newest piece only.
constexpr int ChunkEvents = 65536;

// Advisory lock keys of the server.
constexpr int SchemaLockKey = 7262016;
constexpr int ChainLockKey = 7262017;

// Dates of visits are the wall-clock readings they were taken with, kept as if in UTC so that no
// zone ever shifts them.
inline qint64 WallClock(const QDateTime& t)
{
    return QDateTime(t.date(), t.time(), Qt::UTC).toMSecsSinceEpoch();
}
inline QDateTime FromWallClock(qint64 ms)
{
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return QDateTime(utc.date(), utc.time());
}

// An audit's marks as kept: for the lock and the keypad, whether it holds events of the device and
// its newest one.
QByteArray PackMarks(const AuditMark& lock, const AuditMark& keypad);
bool UnpackMarks(const QByteArray& data, qint64 downloaded, AuditMark* lock, AuditMark* keypad);

// Oldest first, as the history keeps them.
QVector<HistoryEvent> OldestFirst(const QList<EventsTable>& events);

} // namespace archive

// Rolls back on every way out but commit().
class ArchiveTransaction
{
public:
    explicit ArchiveTransaction(Archive& archive);
    ~ArchiveTransaction();
    ArchiveTransaction(const ArchiveTransaction&) = delete;
    ArchiveTransaction& operator=(const ArchiveTransaction&) = delete;

    bool begin();
    bool commit();

private:
    Archive& m_archive;
    bool m_active = false;
};

// A lock's newest stored events by device; `cut`: older events of the device were left unread.
struct Archive::HistoryTails
{
    DeviceHistory device[2];
    bool cut[2] = { false, false };
};
