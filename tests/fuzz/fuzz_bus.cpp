// Feeds arbitrary bytes to the bus audit decoders, split over the session's bus buffers.

#include "BusDecoder.h"
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

    ParseBusEvents(*session);
    ParseBusConfig(*session);

    Require(session->keypadEvents.isEmpty());
    Require(session->lockEvents.size() <= AuditSession::BusRecordCapacity);
    Require(session->timeDateTable.size() <= bus::TableEntries);
    Require(std::is_sorted(session->timeDateTable.begin(), session->timeDateTable.end(), EventCompare));
    for (const EventsTable& e : session->lockEvents)
        Require(e.device == 1 && e.time >= 0);
    Require(session->config.lockName.size() <= bus::ReportNameSize);
    return 0;
}
