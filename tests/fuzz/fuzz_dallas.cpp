// Feeds arbitrary bytes to the Dallas image decoder as the key's 8192 bytes.

#include "model/DallasDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition)
        abort();
}

bool Sorted(const QList<EventsTable>& list)
{
    return std::is_sorted(list.begin(), list.end(), EventCompare);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray image(dallas::ImageSize, '\0');
    std::copy(data, data + std::min(size, size_t(dallas::ImageSize)), image.begin());
    const QByteArray before = image;
    const DecodedAudit result = DecodeDallasImage(reinterpret_cast<const quint8*>(image.constData()));
    const DecodedAudit* session = &result;
    // The decoder only reads its input.
    Require(image == before);

    for (DecodeNotice notice : result.notices)
        Require(!DecodeNoticeText(notice).isEmpty());
    // A data error is always last, and only after a failure; the value is then empty.
    Require(result.ok != result.notices.contains(DecodeNotice::DataError));
    if (!result.ok) {
        Require(result.notices.last() == DecodeNotice::DataError);
        Require(session->lockEvents.isEmpty() && session->keypadEvents.isEmpty());
        Require(session->timeDateTable.isEmpty());
    }
    Require(result.notices.count(DecodeNotice::CrcError) <= dallas::BlockCount);
    Require(session->timeDateTable.size() <= dallas::TimeDateEntries);
    Require(Sorted(session->timeDateTable));
    // Every record takes 6 stream bytes.
    Require(session->lockEvents.size() + session->keypadEvents.size() <= dallas::StreamCapacity / dallas::EventRecordSize);
    for (const EventsTable& e : session->keypadEvents)
        Require(e.device == KeypadDevice);
    return 0;
}
