#include "device/SerialLink.h"

#include "device/CaptureWriter.h"
#include "device/SerialTransport.h"

#include <QSerialPort>

SerialLink::SerialLink(const LinkPace& pace, CaptureWriter* capture) : m_pace(pace), m_capture(capture)
{
    m_clock.start();
}

SerialLink::~SerialLink()
{
    if (m_port)
        ClosePort(m_port.get());
}

bool SerialLink::open(const QString& portName, bool keyMode, QString* problem)
{
    m_port = std::make_unique<QSerialPort>();
    if (!OpenPort(m_port.get(), portName, keyMode)) {
        *problem = QStringLiteral("%1: %2").arg(portName, PortOpenProblem(portName, *m_port));
        m_port.reset();
        return false;
    }
    // Data-terminal-ready as the program sets it: a pseudo-terminal has no such line.
    if (m_capture)
        m_capture->lineSettings(int(m_port->baudRate()), keyMode);
    return true;
}

LinkReply SerialLink::exchange(const QByteArray& request, int capacity)
{
    if (!m_port)
        return { LinkStatus::PortLost, QByteArray() };
    if (m_capture)
        m_capture->request(request);
    const LinkReply reply = Exchange(*m_port, request, capacity, m_pace);
    if (m_capture)
        m_capture->answer(reply);
    return reply;
}

qint64 SerialLink::elapsedMs() const
{
    return m_clock.elapsed();
}

std::unique_ptr<DeviceLink> SerialLinkFactory::open(const QString& portName, bool keyMode, CaptureWriter* capture,
                                                    QString* problem) const
{
    auto link = std::make_unique<SerialLink>(m_pace, capture);
    if (!link->open(portName, keyMode, problem))
        return nullptr;
    return link;
}
