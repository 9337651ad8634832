#pragma once

#include "DeviceLink.h"

#include <QElapsedTimer>

class QSerialPort;

// The link over a serial port that the caller has opened.
class SerialLink : public DeviceLink
{
public:
    explicit SerialLink(QSerialPort* port);
    long long exchange(const unsigned char* request, int length, unsigned char* answer, int capacity) override;
    qint64 elapsedMs() const override;

private:
    QSerialPort* m_port;
    QElapsedTimer m_clock;
};
