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
    LinkReply exchange(const QByteArray& request, int capacity) override;

    // The link's status for a SendCommand result.
    static LinkStatus statusOf(long long sendCommandResult);
    qint64 elapsedMs() const override;

private:
    QSerialPort* m_port;
    CaptureWriter* m_capture;
    QElapsedTimer m_clock;
};
