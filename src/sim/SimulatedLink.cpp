#include "sim/SimulatedLink.h"

#include "device/LinePace.h"

SimulatedLink::SimulatedLink(SimulatedInterface& device, bool keyMode)
    : m_device(device), m_baud(keyMode ? KeyModeBaudRate : BusModeBaudRate)
{
}

qint64 SimulatedLink::exchangeFloorUs(int requestBytes, int answerBytes, int baud)
{
    return qint64(requestBytes + answerBytes) * 10 * 1000000 / baud + qint64(LinePace.silenceMs) * 1000;
}

LinkReply SimulatedLink::exchange(const QByteArray& request, int capacity)
{
    const QByteArray frame(request.constData(), request.size()); // its own copy: a request may be raw data
    if (m_record)
        m_requests.append(frame);
    const QByteArray reply = m_device.answer(frame, m_baud);
    if (m_device.hungUp())
        return { LinkStatus::PortLost, QByteArray() };
    if (reply.isEmpty()) {
        m_elapsedUs += exchangeFloorUs(frame.size(), 0, m_baud) + qint64(LinePace.firstByteMs - LinePace.silenceMs) * 1000;
        return { LinkStatus::NoAnswer, QByteArray() };
    }
    m_elapsedUs += exchangeFloorUs(frame.size(), reply.size(), m_baud);
    if (reply.size() > capacity)
        return { LinkStatus::AnswerTooLong, reply.left(qMax(capacity, 0) + 1) };
    return { LinkStatus::Answered, reply };
}

std::unique_ptr<DeviceLink> SimulatedLinkFactory::open(const QString&, bool keyMode, CaptureWriter*, QString*) const
{
    return std::make_unique<SimulatedLink>(m_device, keyMode);
}
