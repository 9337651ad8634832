#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// How one exchange ended.
enum class LinkStatus {
    Answered,      // the answer's bytes, which may be none
    NoAnswer,      // silence after the request
    ShortWrite,    // the request did not go out whole
    AnswerTooLong, // more than the capacity came back
    PortLost,      // the port failed for good (unplugged, closed by the far end): no use trying again
};

struct LinkReply
{
    LinkStatus status = LinkStatus::NoAnswer;
    QByteArray answer; // only when answered, never longer than the capacity asked for
};

// One request/answer exchange with the USB interface. Device operations talk only through
// this, so the same code runs over a serial port, or against a simulated interface in memory.
class DeviceLink
{
public:
    virtual ~DeviceLink() = default;

    virtual LinkReply exchange(const QByteArray& request, int capacity) = 0;

    // Milliseconds on the link's own clock, for bounded waits: a simulated link keeps time by
    // the exchanges it has made, so a bounded wait ends without waiting for real.
    virtual qint64 elapsedMs() const = 0;
};

// What an operation reports while it runs, and how it learns that the user wants it to stop.
class OperationProgress
{
public:
    virtual ~OperationProgress() = default;
    // true: a percentage bar; false: a busy indicator.
    virtual void setPercentageMode(bool percentage) = 0;
    virtual void setPercentage(int percent) = 0;
    virtual void setStatus(const QString& text, bool isError) = 0;
    virtual bool stopRequested() const = 0;
};
