// Decoding figures: a Dallas audit image filled to its end, and a full bus audit.

#include "AuditBuilder.h"
#include "BenchCase.h"

#include <memory>

namespace {

QVector<AuditEntry> Entries(int count, qint64 firstTime)
{
    QVector<AuditEntry> out;
    for (int i = 0; i < count; ++i)
        out.append({ firstTime + 90 * i, quint8(0x01 + i % 0x70), quint8(1 + i % 59) });
    return out;
}

LockDescription BenchLock(DelayEncoding delays)
{
    Config config;
    for (int user = 1; user <= 62; ++user) {
        config.openingMode[user] = 1;
        config.userStatus[user] = 1;
    }
    config.timedClosing = true;
    config.closingTimeSeconds = 4;
    LockDescription lock = LockDescription::FromConfig(config, delays);
    lock.name = "BENCH1";
    lock.serialNumber = "00099999";
    return lock;
}

BenchCase FullDallasImage()
{
    BenchCase c;
    c.name = QStringLiteral("decode/dallas-full-image");
    c.iterations = 5000;
    c.prepare = [](QString& note) {
        DallasImageBuilder builder;
        builder.addDateTime(2024, 6, 1, 12, 0).addConfiguration(BenchLock(DelayEncoding::Plain));
        builder.addTimeDateTable(Entries(8, 1000));
        // Alternate keypad and lock blocks of 100 events, then one that takes the rest.
        constexpr int BlockBytes = 3 + 1 + 100 * 6 + 1;
        qint64 time = 700000000;
        for (int k = 0; builder.streamSize() + BlockBytes <= dallas::StreamCapacity; ++k, time += 9000)
            builder.addEvents(k % 2 ? quint8(0x01) : KeypadDevice, Entries(100, time));
        const int rest = (dallas::StreamCapacity - builder.streamSize() - 5) / 6;
        builder.addEvents(0x01, Entries(rest, time));

        auto session = std::make_shared<AuditSession>();
        const QByteArray image = builder.image();
        std::copy(image.begin(), image.end(), session->dallasImage.begin());
        const DecodeResult result = ParseEventsBuffer(*session);
        note = QStringLiteral("%1 stream bytes, %2 events%3")
                   .arg(builder.streamSize())
                   .arg(session->keypadEvents.size() + session->lockEvents.size())
                   .arg(result.ok && result.notices.isEmpty() ? QString() : QStringLiteral(", NOT CLEAN"));
        return [session] { ParseEventsBuffer(*session); };
    };
    return c;
}

BenchCase FullBusAudit()
{
    BenchCase c;
    c.name = QStringLiteral("decode/bus-5600-records");
    c.iterations = 500;
    c.prepare = [](QString& note) {
        BusAuditBuilder builder;
        builder.setLock(BenchLock(DelayEncoding::Bcd)).setKeypadVersion(2, 5);
        for (const AuditEntry& e : Entries(AuditSession::BusDownloadLimit, 700000000))
            builder.addEvent(e.time, e.event, e.user);
        for (int slot = 0; slot < 8; ++slot)
            builder.setTimeDateEntry(slot, 800000000 - slot * 86400, 0x70, quint8(slot));

        auto session = std::make_shared<AuditSession>();
        builder.fill(*session);
        ParseBusEvents(*session);
        note = QStringLiteral("%1 events, events and configuration").arg(session->lockEvents.size());
        return [session] {
            ParseBusEvents(*session);
            ParseBusConfig(*session);
        };
    };
    return c;
}

} // namespace

QVector<BenchCase> DecodeCases()
{
    return { FullDallasImage(), FullBusAudit() };
}
