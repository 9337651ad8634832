#pragma once

// Audits of both kinds made with the builders, and the texts the window shows for them.

#include "model/AuditView.h"
#include "sim/AuditBuilder.h"

namespace fixtures {

inline qint64 At(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDate(2000, 1, 1).daysTo(QDate(year, month, day)) * 86400 + hour * 3600 + minute * 60 + second;
}

// Every field of the byte maps away from its default; users sharing a byte differ, so swapped nibbles show.
inline Config SampleConfig()
{
    Config c;
    const quint8 users[][3] = { { 1, 3, 1 }, { 2, 1, 2 }, { 3, 2, 3 }, { 58, 2, 1 }, { 59, 1, 3 },
                                { 60, 3, 2 }, { 61, 2, 1 }, { 62, 1, 3 }, { 80, 2, 3 }, { 81, 3, 1 } };
    for (const auto& u : users)
        c.openingMode[u[0]] = u[1], c.userStatus[u[0]] = u[2];
    c.lockName = "VAULT1", c.serialNumber = "20240117", c.lockVersion = "1.07", c.keypadVersion = "2.05";
    c.ercEnabled = c.usersDualMode = c.timedClosing = c.buzzerMuted = c.dateFormatUs = c.managerManagement = true;
    c.firstOverrideUser = 40, c.codeExpirationMonths = 15, c.codeDisablingMonths = 12, c.closingTimeSeconds = 8;
    c.boltOpenAlarmMinutes = 15, c.inputConfiguration = 1, c.outputConfiguration = 2, c.activeConfiguration = 3;
    c.silentAlarm = c.overrideUsers = true, c.timeDelay = 10, c.openWindow = 5;
    return c;
}

inline LockDescription Lock(DelayEncoding delays) { return LockDescription::FromConfig(SampleConfig(), delays); }

// Lock events, newest first, hourly, a few timeless; with changes, a command and a reset a simple audit drops some.
inline QVector<AuditEntry> LockEntries(int count, qint64 newest)
{
    static const quint8 pattern[][2] = { { 0x05, 1 }, { 0x09, 1 }, { 0x08, 1 }, { 0x01, 1 }, { 0x11, 12 }, { 0x01, 60 },
        { 0x68, 3 }, { 0x70, 2 }, { 0x26, 80 }, { 0x01, 80 }, { 0xFA, 0 }, { 0x01, 80 }, { 0x03, 100 }, { 0x0C, 5 },
        { 0xF5, 0 }, { 0x13, 7 }, { 0x01, 60 }, { 0x29, 0 }, { 0x02, 81 }, { 0x07, 98 }, { 0x7F, 61 } };
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i)
        out.append({ i % 97 == 50 ? 0 : newest - 3600 * qint64(i), pattern[i % 21][0], pattern[i % 21][1] });
    return out;
}

// A Dallas audit image; with 170 lock and 40 keypad events (between the lock events) it is a typical key.
inline QByteArray DallasImage(int lockEvents = 170, int keypadEvents = 40)
{
    const qint64 newest = At(2024, 3, 14, 9, 0);
    QVector<AuditEntry> keypad;
    for (int i = 0; i < keypadEvents; ++i)
        keypad.append({ newest - 1800 - 7200 * qint64(i), quint8(0x30 + i % 18), quint8(1 + i % 59) });
    return DallasImageBuilder().addDateTime(2024, 3, 14, 9, 30).addConfiguration(Lock(DelayEncoding::Plain))
        .addTimeDateTable({ { At(2023, 11, 2, 8, 15), 0x70, 1 }, { At(2024, 1, 9, 17, 40), 0x70, 2 } })
        .addEvents(KeypadDevice, keypad).addEvents(0x01, LockEntries(lockEvents, newest)).image();
}

inline void LoadDallas(AuditSession& session, const QByteArray& image)
{
    session.ResetContent(true);
    session.busAudit = false;
    std::copy(image.begin(), image.end(), session.dallasImage.begin());
}

inline void LoadBus(AuditSession& session, int events = 300)
{
    BusAuditBuilder builder;
    builder.setLock(Lock(DelayEncoding::Bcd)).setTimeDateEntry(0, At(2024, 1, 9, 17, 40), 0x70, 2)
        .setTimeDateEntry(3, At(2023, 11, 2, 8, 15), 0x70, 1);
    for (const AuditEntry& e : LockEntries(events, At(2024, 5, 6, 7, 0)))
        builder.addEvent(e.time, e.event, e.user);
    session.ResetContent(true);
    builder.fill(session);
    session.busAudit = true;
    session.downloadTime = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9));
}

struct AuditTexts { QString keypadDownloadTime; TextTable events, configuration, users; };

// Runs the pipeline on the session's raw buffers, a simple audit with the default settings: the three tables as
// the window shows them, all empty when the decoding failed.
inline AuditTexts Present(AuditSession& session)
{
    session.ResetContent(false);
    session.decoded = DecodeAudit(session);
    if (!session.decoded.ok)
        return {};
    const AuditView view = PresentAudit(session.decoded, session.busAudit, {});
    const ConfigPresentation& p = view.configuration;
    return { p.keypadDownloadTime, EventsTextTable(view), ConfigurationTextTable(p), UsersTextTable(p) };
}

} // namespace fixtures
