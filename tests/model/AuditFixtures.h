#pragma once

// Audits of both kinds made with the builders, and the texts the window shows for them.
// Shared by the audit file, window and command-line tests.

#include "AuditBuilder.h"
#include "AuditPipeline.h"
#include "ConfigCheck.h"
#include "EventMerge.h"

#include <QCryptographicHash>
#include <QDateTime>

#include <algorithm>

namespace fixtures {

inline qint64 At(int year, int month, int day, int hour, int minute, int second = 0)
{
    static const QDateTime epoch(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    return epoch.secsTo(QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC));
}

inline LockDescription Lock(DelayEncoding delays, const QByteArray& name = "VAULT1")
{
    Config config = SampleConfig();
    config.timeDelay = 10;
    config.openWindow = 5;
    LockDescription lock = LockDescription::FromConfig(config, delays);
    lock.name = name;
    lock.serialNumber = "20240117";
    lock.lockMajor = 1;
    lock.lockMinor = 7;
    lock.keypadMajor = 2;
    lock.keypadMinor = 5;
    return lock;
}

// Lock events, newest first, an hour apart: openings with their code entries, changes with the
// code entry that made them, a command with its follower and a lock reset (so a simple audit
// drops some), an option, a configuration, a lock installation and a timeless event.
inline QVector<AuditEntry> LockEntries(int count, qint64 newest)
{
    static const quint8 pattern[][2] = {
        { 0x05, 1 }, { 0x09, 1 }, { 0x08, 1 }, { 0x01, 1 },  { 0x11, 12 }, { 0x01, 60 }, { 0x68, 3 },
        { 0x70, 2 }, { 0x26, 80 }, { 0x01, 80 }, { 0xFA, 0 }, { 0x01, 80 }, { 0x03, 100 }, { 0x0C, 5 },
        { 0xF5, 0 }, { 0x13, 7 }, { 0x01, 60 }, { 0x29, 0 },  { 0x02, 81 }, { 0x07, 98 }, { 0x7F, 61 },
    };
    constexpr int patternSize = int(sizeof(pattern) / sizeof(pattern[0]));
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i) {
        const auto& p = pattern[i % patternSize];
        const qint64 time = i % 97 == 50 ? 0 : newest - 3600 * qint64(i);
        out.append({ time, p[0], p[1] });
    }
    return out;
}

// Keypad events between the lock events, newest first.
inline QVector<AuditEntry> KeypadEntries(int count, qint64 newest)
{
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i)
        out.append({ newest - 1800 - 7200 * qint64(i), quint8(0x30 + i % 18), quint8(1 + i % 59) });
    return out;
}

// A Dallas audit image; with 170 lock and 40 keypad events it is a typical key.
inline QByteArray DallasImage(int lockEvents = 170, int keypadEvents = 40, const QByteArray& name = "VAULT1")
{
    const qint64 newest = At(2024, 3, 14, 9, 0);
    const QVector<AuditEntry> table { { At(2023, 11, 2, 8, 15), 0x70, 1 }, { At(2024, 1, 9, 17, 40), 0x70, 2 } };
    return DallasImageBuilder()
        .addDateTime(2024, 3, 14, 9, 30)
        .addConfiguration(Lock(DelayEncoding::Plain, name))
        .addTimeDateTable(table)
        .addEvents(KeypadDevice, KeypadEntries(keypadEvents, newest))
        .addEvents(0x01, LockEntries(lockEvents, newest))
        .image();
}

inline void LoadDallas(AuditSession& session, const QByteArray& image)
{
    session.ResetContent(true);
    session.busAudit = false;
    std::copy(image.begin(), image.end(), session.dallasImage.begin());
}

inline QDateTime BusDownloadTime() { return QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)); }

// A bus audit as a download leaves it, the download stamped with BusDownloadTime().
inline void LoadBus(AuditSession& session, int events = 300, const QByteArray& name = "VAULT1")
{
    BusAuditBuilder builder;
    builder.setLock(Lock(DelayEncoding::Bcd, name))
        .setTimeDateEntry(0, At(2024, 1, 9, 17, 40), 0x70, 2)
        .setTimeDateEntry(3, At(2023, 11, 2, 8, 15), 0x70, 1);
    for (const AuditEntry& e : LockEntries(events, At(2024, 5, 6, 7, 0)))
        builder.addEvent(e.time, e.event, e.user);
    session.ResetContent(true);
    builder.fill(session);
    session.busAudit = true;
    session.config.downloadTime = BusDownloadTime();
}

// The three tables of an audit, as the window shows them and the command line writes them.
struct AuditTexts
{
    bool decoded = false;
    QString keypadDownloadTime;
    TextTable events;
    TextTable configuration;
    TextTable users;
};

// Runs the pipeline on the session's raw buffers.
inline AuditTexts Present(AuditSession& session, int auditType = SimpleAudit, DisplaySettings display = {})
{
    AuditTexts texts;
    session.ResetContent(false);
    if (!DecodeAudit(session).ok)
        return texts;
    const ConfigPresentation p = PresentConfig(session.config, session.busAudit, session.lockEvents, display);
    OrderEvents(session, auditType);
    texts.decoded = true;
    texts.keypadDownloadTime = p.keypadDownloadTime;
    texts.events = EventsTextTable(BuildEventRows(session.mergedEvents, display, session.dstApplied));
    texts.configuration = ConfigurationTextTable(p);
    texts.users = UsersTextTable(p);
    return texts;
}

inline QByteArray Md5(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Md5); }

} // namespace fixtures
