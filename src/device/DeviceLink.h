#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

class CaptureWriter;

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
    // Answered: the answer's bytes, never more than the capacity asked for. AnswerTooLong: the
    // first bytes that came, one beyond the capacity, which is all a capture needs to tell it.
    // Otherwise none.
    QByteArray answer;

    // An answer with at least one byte: callers take an empty one for none.
    bool answered() const { return status == LinkStatus::Answered && !answer.isEmpty(); }
    bool lost() const { return status == LinkStatus::PortLost; }
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

// Opens the links device operations run over: serial ports, or a simulated interface in memory
// behind the port names (the tests, the benchmark, the command line's `--port simulated`). Whoever
// runs operations is given one, instead of the ports being reached from everywhere.
class LinkFactory
{
public:
    virtual ~LinkFactory() = default;

    // The link to `portName` in key mode (19200 baud, data-terminal-ready on) or bus mode (4800
    // baud), open until it goes; null when it cannot be opened, with why in `problem` (the port
    // and the reason, for whoever has room for it). With a capture, a link on a line writes its
    // settings and every exchange there.
    virtual std::unique_ptr<DeviceLink> open(const QString& portName, bool keyMode, CaptureWriter* capture,
                                             QString* problem) const = 0;
};
