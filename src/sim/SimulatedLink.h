#pragma once

#include "device/DeviceLink.h"
#include "sim/SimulatedInterface.h"

#include <QByteArray>
#include <QVector>

// The link to a simulated interface in memory: answers come at once. Its clock runs by the
// protocol's own pace (the bytes at the line's baud rate, the 40 ms end-of-answer silence, the
// 800 ms of a request left unanswered), so bounded waits end as they would on a real line.
// Like a port, it is opened in key mode (19200 baud) or bus mode (4800 baud), and the
// interface does not answer frames meant for the other mode.
class SimulatedLink : public DeviceLink
{
public:
    SimulatedLink(SimulatedInterface& device, bool keyMode);

    LinkReply exchange(const QByteArray& request, int capacity) override;
    qint64 elapsedMs() const override { return m_elapsedUs / 1000; }

    // Every request sent, in order (kept only when asked for).
    void recordRequests(bool on) { m_record = on; }
    const QVector<QByteArray>& requests() const { return m_requests; }

    // The time one exchange takes on the line: request and answer bytes at the baud rate
    // (10 bits a byte), then the silence that ends the answer.
    static qint64 exchangeFloorUs(int requestBytes, int answerBytes, int baud);

private:
    SimulatedInterface& m_device;
    int m_baud;
    qint64 m_elapsedUs = 0;
    bool m_record = false;
    QVector<QByteArray> m_requests;
};

// Links to one simulated interface in memory, whatever the port's name: the window's tests, the
// command line's `--port simulated` and the benchmark run operations over it. Nothing is said on a
// line, so nothing is captured. The interface must outlive the links.
class SimulatedLinkFactory : public LinkFactory
{
public:
    explicit SimulatedLinkFactory(SimulatedInterface& device) : m_device(device) {}
    std::unique_ptr<DeviceLink> open(const QString& portName, bool keyMode, CaptureWriter* capture,
                                     QString* problem) const override;

private:
    SimulatedInterface& m_device;
};
