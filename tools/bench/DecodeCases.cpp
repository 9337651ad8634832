// Decoding figures: a Dallas audit image filled to its end, and a full bus audit.

#include "BenchAudits.h"
#include "BenchCase.h"

#include <memory>

namespace {

BenchCase DallasImageCase()
{
    BenchCase c;
    c.name = QStringLiteral("decode/dallas-full-image");
    c.iterations = 5000;
    c.prepare = [](QString& note) {
        const DallasImageBuilder builder = FullDallasImage();

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

BenchCase BusAuditCase()
{
    BenchCase c;
    c.name = QStringLiteral("decode/bus-5600-records");
    c.iterations = 500;
    c.prepare = [](QString& note) {
        const BusAuditBuilder builder = FullBusAudit();
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
    return { DallasImageCase(), BusAuditCase() };
}
