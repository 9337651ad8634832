#pragma once

#include <QString>
#include <QtGlobal>

// One request/answer exchange with the USB interface. Device operations talk only through
// this, so the same code runs over a serial port, or against a simulated interface in memory.
class DeviceLink
{
public:
    virtual ~DeviceLink() = default;

    // As SendCommand: the answer length (copied to `answer`), 0 for an empty answer, or one of
    // the negative SendCommand codes.
    virtual long long exchange(const unsigned char* request, int length, unsigned char* answer, int capacity) = 0;

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
