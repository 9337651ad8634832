#include "SerialLink.h"

#include "SerialTransport.h"

SerialLink::SerialLink(QSerialPort* port) : m_port(port)
{
    m_clock.start();
}

long long SerialLink::exchange(const unsigned char* request, int length, unsigned char* answer, int capacity)
{
    return SendCommand(m_port, const_cast<unsigned char*>(request), length, answer, capacity);
}

qint64 SerialLink::elapsedMs() const
{
    return m_clock.elapsed();
}
