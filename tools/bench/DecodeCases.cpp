// Decoding figures: a Dallas audit image filled to its end, and a full bus audit.

#include "BenchAudits.h"
#include "BenchCase.h"
#include "model/BusDecoder.h"
#include "model/DallasDecoder.h"

#include <memory>

namespace {

BenchCase DallasImageCase()
{
    BenchCase c;
    c.name = QStringLiteral("decode/dallas-full-image");
    c.iterations = 5000;
    c.prepare = [](QString& note) {
        const DallasImageBuilder builder = FullDallasImage();

        const auto image = std::make_shared<QByteArray>(builder.image());
        const DecodedAudit audit = DecodeDallasImage(reinterpret_cast<const quint8*>(image->constData()));
        note = QStringLiteral("%1 stream bytes, %2 events%3")
                   .arg(builder.streamSize())
                   .arg(audit.keypadEvents.size() + audit.lockEvents.size())
                   .arg(audit.ok && audit.notices.isEmpty() ? QString() : QStringLiteral(", NOT CLEAN"));
        return [image] { DecodeDallasImage(reinterpret_cast<const quint8*>(image->constData())); };
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
        note = QStringLiteral("%1 events, events and configuration").arg(DecodeBusAudit(*session).lockEvents.size());
        return [session] { DecodeBusAudit(*session); };
    };
    return c;
}

} // namespace

QVector<BenchCase> DecodeCases()
{
    return { DallasImageCase(), BusAuditCase() };
}
