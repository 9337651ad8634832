#pragma once

#include "device/DeviceLink.h"
#include "device/LinePace.h"

#include <QElapsedTimer>

#include <memory>

class CaptureWriter;
class QSerialPort;

// The link over a serial port: opened in key or bus mode, exchanging at its pace, closed when it
// goes. With a capture, the line settings and every exchange are written there as they happen.
class SerialLink : public DeviceLink
{
public:
    explicit SerialLink(const LinkPace& pace = LinePace, CaptureWriter* capture = nullptr);
    ~SerialLink() override;

    // False, with the port and why in `problem`, when the port does not open.
    bool open(const QString& portName, bool keyMode, QString* problem);

    LinkReply exchange(const QByteArray& request, int capacity) override;
    qint64 elapsedMs() const override;

private:
    LinkPace m_pace;
    CaptureWriter* m_capture;
    std::unique_ptr<QSerialPort> m_port;
    QElapsedTimer m_clock;
};

// Serial ports, at the line's pace unless told another (the tests' own, where the pace is not what
// they test).
class SerialLinkFactory : public LinkFactory
{
public:
    explicit SerialLinkFactory(const LinkPace& pace = LinePace) : m_pace(pace) {}
    std::unique_ptr<DeviceLink> open(const QString& portName, bool keyMode, CaptureWriter* capture,
                                     QString* problem) const override;

private:
    LinkPace m_pace;
};
