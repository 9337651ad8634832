#include "SimulatedLink.h"

#include "SerialTransport.h"

#include <cstring>

SimulatedLink::SimulatedLink(SimulatedInterface& device, bool keyMode)
    : m_device(device), m_baud(keyMode ? KeyModeBaudRate : BusModeBaudRate)
{
}

qint64 SimulatedLink::exchangeFloorUs(int requestBytes, int answerBytes, int baud)
{
    return qint64(requestBytes + answerBytes) * 10 * 1000000 / baud + qint64(AnswerSilenceMs) * 1000;
}

long long SimulatedLink::exchange(const unsigned char* request, int length, unsigned char* answer, int capacity)
{
    const QByteArray frame(reinterpret_cast<const char*>(request), length);
    if (m_record)
        m_requests.append(frame);
    const QByteArray reply = m_device.answer(frame, m_baud);
    if (m_device.hungUp())
        return SendCommandPortLost;
    if (reply.isEmpty()) {
        m_elapsedUs += exchangeFloorUs(length, 0, m_baud) - AnswerSilenceMs * 1000 + FirstAnswerByteTimeoutMs * 1000;
        return SendCommandNoAnswer;
    }
    m_elapsedUs += exchangeFloorUs(length, reply.size(), m_baud);
    if (reply.size() > capacity)
        return SendCommandAnswerTooLong;
    std::memcpy(answer, reply.constData(), size_t(reply.size()));
    return reply.size();
}
