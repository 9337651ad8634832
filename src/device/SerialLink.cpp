#include "SerialLink.h"

#include "CaptureWriter.h"
#include "SerialTransport.h"

SerialLink::SerialLink(QSerialPort* port, CaptureWriter* capture) : m_port(port), m_capture(capture)
{
    m_clock.start();
}

long long SerialLink::exchange(const unsigned char* request, int length, unsigned char* answer, int capacity)
{
    if (!m_capture)
        return SendCommand(m_port, const_cast<unsigned char*>(request), length, answer, capacity);
    m_capture->request(request, length);
    QByteArray received;
    const long long result = SendCommand(m_port, const_cast<unsigned char*>(request), length, answer, capacity, &received);
    m_capture->answer(result, received);
    return result;
}

qint64 SerialLink::elapsedMs() const
{
    return m_clock.elapsed();
}
