// Feeds arbitrary bytes to the audit file reader, then runs what Open runs on a file it accepts.

#include "AuditFile.h"
#include "AuditPipeline.h"
#include "EventMerge.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void Require(bool condition)
{
    if (!condition)
        abort();
}

bool SameEvents(const QList<EventsTable>& a, const QList<EventsTable>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const EventsTable& x, const EventsTable& y) {
        return x.time == y.time && x.event == y.event && x.user == y.user && x.device == y.device;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(std::min(size, size_t(INT_MAX))));
    auto session = std::make_unique<AuditSession>();
    const AuditFile::ReadResult read = AuditFile::Parse(file, *session);
    if (!read.valid)
        return 0;

    // Everything up to the digest was there, and the label fits its length byte.
    Require(file.size() >= 3 + 16);
    Require(read.label.size() <= AuditFile::MaxLabelCharacters);
    Require(session->busAudit == (read.kind != AuditFile::KindDallas));
    Require(session->busAudit || file.size() >= 3 + AuditSession::DallasImageSize + 16);

    const DecodeResult decoded = DecodeAudit(*session);
    if (!decoded.ok)
        return 0;
    const DisplaySettings display { int(size % 2), int(size / 2 % 2) };
    const ConfigPresentation p = PresentConfig(session->config, session->busAudit, session->lockEvents, display);
    Require(!p.users.isEmpty());
    OrderEvents(*session, size % 3 ? SimpleAudit : FullAudit);
    const QVector<EventRow> rows = BuildEventRows(session->mergedEvents, display, session->dstApplied);
    Require(rows.size() == session->mergedEvents.size());
    Require(session->mergedEvents.size() <= session->lockEvents.size() + session->keypadEvents.size());

    // Saved again and reopened, the audit decodes to the same events.
    auto again = std::make_unique<AuditSession>();
    Require(AuditFile::Parse(AuditFile::Serialize(*session, read.label), *again).valid);
    Require(again->busAudit == session->busAudit);
    Require(DecodeAudit(*again).ok);
    Require(SameEvents(again->lockEvents, session->lockEvents));
    Require(SameEvents(again->keypadEvents, session->keypadEvents));
    return 0;
}
