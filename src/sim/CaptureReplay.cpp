#include "sim/CaptureReplay.h"

#include "device/LinePace.h"

namespace {

// Well inside the program's wait for a first byte, whatever the machine's timing.
constexpr qint64 LatestFirstByteMs = LinePace.firstByteMs - 100;

} // namespace

CaptureReplay::CaptureReplay(capture::Capture capture) : m_capture(std::move(capture)) {}

PtyServer::Reply CaptureReplay::reply(const QByteArray& request, int baud)
{
    if (!m_difference.isEmpty())
        return {};
    const QString differs = QStringLiteral("request %1 differs from the capture: ").arg(m_matched + 1);
    if (m_matched >= captured()) {
        m_difference = differs
            + QStringLiteral("sent %1, captured nothing (it ends after %2 requests)").arg(capture::HexText(request)).arg(captured());
        return {};
    }
    const capture::Exchange& e = m_capture.exchanges.at(m_matched);
    if (request != e.request) {
        m_difference = differs
            + QStringLiteral("sent %1, captured %2").arg(capture::HexText(request), capture::HexText(e.request));
        return {};
    }
    if (baud != e.baud) {
        m_difference = differs
            + QStringLiteral("sent %1 at %2 baud, captured at %3 baud").arg(capture::HexText(request)).arg(baud).arg(e.baud);
        return {};
    }
    ++m_matched;

    PtyServer::Reply reply;
    switch (e.answer) {
    case capture::Answer::Bytes:
    case capture::Answer::TooLong:
        reply.bytes = e.answerBytes;
        break;
    case capture::Answer::Lost:
        reply.hangUp = true;
        break;
    default: // nothing came: silence
        break;
    }
    // The program took the answer as complete after its bytes and the end-of-answer silence, both
    // of which it will see again. An answer (which comes whole) any later than the program's wait
    // for a first byte was not heard as this answer: only a capture edited by hand asks for that.
    const qint64 bytesUs = qint64(reply.bytes.size()) * 10 * 1000000 / e.baud;
    const qint64 startUs = (e.answerMs - e.requestMs - LinePace.silenceMs) * 1000 - bytesUs;
    reply.delayUs = reply.bytes.isEmpty() ? 0 : qBound<qint64>(0, startUs, qMax<qint64>(0, LatestFirstByteMs * 1000 - bytesUs));
    return reply;
}
