// Feeds arbitrary bytes to the simulated interface as corvane-lock-sim receives them from a
// pseudo-terminal: cut into requests by their length bytes, each answered.

#include "device/LinePace.h"
#include "sim/SimulatedInterface.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const LockAudit lock = SampleLock();
    SimulatedInterface device(lock);
    // The first byte picks the key on the reader, and whether the line runs at the right speed
    // for each frame; the rest is the stream of requests.
    if (size == 0)
        return 0;
    device.setKey(SimulatedInterface::Key(data[0] % 5));
    const bool wrongSpeed = data[0] & 0x80;
    QByteArray pending(reinterpret_cast<const char*>(data + 1), int(size - 1));
    for (;;) {
        const int length = SimulatedInterface::requestLength(pending);
        if (length <= 0 || length > pending.size())
            break;
        const QByteArray request = pending.left(length);
        const int right = SimulatedInterface::baudRateFor(request);
        const int other = right == KeyModeBaudRate ? BusModeBaudRate : KeyModeBaudRate;
        const QByteArray answer = device.answer(request, wrongSpeed ? other : right);
        // A reader answer leads with its own length, as the operations rely on; at the wrong
        // speed nothing is heard at all.
        if (answer.size() > 255 || (wrongSpeed && !answer.isEmpty())
            || (SimulatedInterface::isReaderFrame(request) && !answer.isEmpty() && quint8(answer.at(0)) != answer.size()))
            abort();
        pending.remove(0, length);
    }
    return 0;
}
