#pragma once

#include "DeviceLink.h"

#include <QElapsedTimer>

class CaptureWriter;
class QSerialPort;

// The link over a serial port that the caller has opened; with a capture, every exchange is
// written there as it happens.
class SerialLink : public DeviceLink
{
public:
    explicit SerialLink(QSerialPort* port, CaptureWriter* capture = nullptr);
    long long exchange(const unsigned char* request, int length, unsigned char* answer, int capacity) override;
    qint64 elapsedMs() const override;

private:
    QSerialPort* m_port;
    CaptureWriter* m_capture;
    QElapsedTimer m_clock;
};
