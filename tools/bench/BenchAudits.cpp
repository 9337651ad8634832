#include "BenchAudits.h"

LockDescription BenchLock(DelayEncoding delays)
{
    Config config;
    for (int user = 1; user <= 20; ++user) {
        config.openingMode[user] = 1;
        config.userStatus[user] = user % 7 ? 1 : 3;
    }
    config.openingMode[users::Master] = 1;
    config.userStatus[users::Master] = 1;
    config.timeDelay = 10;
    config.openWindow = 5;
    config.timedClosing = true;
    config.closingTimeSeconds = 4;
    LockDescription lock = LockDescription::FromConfig(config, delays);
    lock.name = "BENCH1";
    lock.serialNumber = "00088888";
    return lock;
}

QVector<AuditEntry> BenchEntries(int count, qint64 newest, Mix mix)
{
    using E = EventCode;
    // The tenth code: a wrong try as locks record them, or an option change, whose names take
    // two lines in the reports' narrow user column.
    const quint8 tenth = mix == Mix::Usual ? code(E::WrongTry) : code(E::OptionChanged);
    const quint8 codes[] = { code(E::BoltOpen), code(E::OpenWindowStarted), code(E::TimeDelayStarted),
                             code(E::ValidCode), code(E::UserInstalled), code(E::ValidCode), code(E::BoltClosed),
                             code(E::Command22), code(E::BoltOpen), tenth, code(E::TimeChanged),
                             code(E::UserDeleted), code(E::ValidCode) };
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i)
        out.append({ newest - 600 * qint64(i), codes[i % int(sizeof(codes))], quint8(1 + i % 20) });
    return out;
}

DecodedAudit BenchHistory(int events, Mix mix)
{
    DecodedAudit audit;
    const QVector<AuditEntry> entries = BenchEntries(events, 900000000, mix);
    for (int i = 0; i < entries.size(); ++i) {
        EventsTable e;
        e.time = e.dstTime = entries[i].time;
        e.event = entries[i].event;
        e.user = entries[i].user;
        e.device = i % 10 == 3 ? KeypadDevice : LockDevice;
        (e.device == KeypadDevice ? audit.keypadEvents : audit.lockEvents).append(e);
    }
    for (int slot = 0; slot < 8; ++slot) {
        EventsTable e;
        e.time = e.dstTime = 890000000 - slot * 86400 * 30;
        e.event = code(EventCode::TimeChanged);
        audit.timeDateTable.prepend(e);
    }
    audit.config.lockName = QStringLiteral("BENCH1");
    audit.config.serialNumber = QStringLiteral("00088888");
    audit.config.userStatus[users::Master] = 1;
    return audit;
}

DallasImageBuilder FullDallasImage()
{
    DallasImageBuilder builder;
    builder.addDateTime(2024, 9, 20, 16, 30).addConfiguration(BenchLock(DelayEncoding::Plain));
    builder.addTimeDateTable(BenchEntries(8, 760000000));
    constexpr int BlockBytes = 3 + 1 + 100 * 6 + 1;
    qint64 newest = 780000000;
    for (int k = 0; builder.streamSize() + BlockBytes <= dallas::StreamCapacity; ++k, newest -= 60000)
        builder.addEvents(k % 2 ? LockDevice : KeypadDevice, BenchEntries(100, newest - (k % 2) * 300));
    builder.addEvents(LockDevice, BenchEntries((dallas::StreamCapacity - builder.streamSize() - 5) / 6, newest));
    return builder;
}

BusAuditBuilder FullBusAudit()
{
    BusAuditBuilder builder;
    builder.setLock(BenchLock(DelayEncoding::Bcd)).setKeypadVersion(2, 5);
    for (const AuditEntry& e : BenchEntries(AuditSession::BusDownloadLimit, 780000000))
        builder.addEvent(e.time, e.event, e.user);
    for (int slot = 0; slot < 8; ++slot)
        builder.setTimeDateEntry(slot, 770000000 - slot * 86400, code(EventCode::TimeChanged), users::Master);
    return builder;
}
