// Feeds arbitrary bytes to the bus audit decoders, split over the session's bus buffers.

#include "model/BusDecoder.h"
#include "BusInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void Require(bool condition)
{
    if (!condition)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto session = std::make_unique<AuditSession>();
    SplitBusInput(data, size, *session);

    const DecodedAudit d = DecodeBusAudit(*session);

    Require(d.keypadEvents.isEmpty());
    Require(d.lockEvents.size() <= AuditSession::BusRecordCapacity && d.lockEvents.size() == session->busRecordCount());
    Require(d.timeDateTable.size() <= bus::TableEntries);
    Require(std::is_sorted(d.timeDateTable.begin(), d.timeDateTable.end(), EventCompare));
    for (const EventsTable& e : d.lockEvents)
        Require(e.device == 1 && e.time >= 0);
    Require(d.config.lockName.size() <= bus::ReportNameSize);
    return 0;
}
