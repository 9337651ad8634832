// Feeds arbitrary bytes to the audit file reader, then runs what Open runs on a file it accepts.

#include "model/AuditFile.h"
#include "model/AuditView.h"

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

    session->decoded = DecodeAudit(*session);
    if (!session->decoded.ok)
        return 0;
    PresentationOptions options;
    options.display = DisplaySettings { int(size % 2), int(size / 2 % 2) };
    options.auditType = size % 3 ? SimpleAudit : FullAudit;
    options.dst = size % 5 == 0;
    options.dstRule = DstRule { 5, 0, 3, 5, 0, 10, false, 3600 };
    const AuditView view = PresentAudit(session->decoded, session->busAudit, options);
    Require(!view.configuration.users.isEmpty());
    const DecodedAudit& d = session->decoded;
    Require(view.events.size() <= d.lockEvents.size() + d.keypadEvents.size());
    Require(EventsTextTable(view).rows.size() == view.events.size());

    // Saved again and reopened, the audit decodes to the same events.
    auto again = std::make_unique<AuditSession>();
    Require(AuditFile::Parse(AuditFile::Serialize(*session, read.label), *again).valid);
    Require(again->busAudit == session->busAudit);
    const DecodedAudit reopened = DecodeAudit(*again);
    Require(reopened.ok);
    Require(SameEvents(reopened.lockEvents, d.lockEvents));
    Require(SameEvents(reopened.keypadEvents, d.keypadEvents));
    return 0;
}
