#pragma once

#include "sim/SimulatedInterface.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <chrono>
#include <functional>

// Serves a simulated interface (or a capture being replayed) on a pseudo-terminal, which the
// program opens as it would the serial port of a real USB interface. Requests are cut from the
// byte stream by their length bytes; each reaches the device with the speed the program set on
// the terminal, which the serving side reads back from the terminal's settings, and is answered
// at once (fast) or at the device's pace (real: for the simulated interface, the request's and
// the answer's bytes at that speed and a short reply delay, the answer written whole when its
// last byte would have been on the line). One end of the terminal stays open
// inside the server, so the program may close and reopen its port at will.
class PtyServer
{
public:
    enum class Pace { Real, Fast };
    static constexpr int ReplyDelayUs = 1000;

    // What a device makes of one request.
    struct Reply
    {
        QByteArray bytes; // empty: no answer
        // When the answer starts on the line after the request arrived; it comes whole once its
        // bytes would have been on the line. -1: after the request's own time on the line and
        // ReplyDelayUs.
        qint64 delayUs = -1;
        bool hangUp = false; // the far end closes instead of answering
    };
    using Device = std::function<Reply(const QByteArray& request, int baud)>;

    PtyServer(SimulatedInterface& device, Pace pace);
    PtyServer(Device device, Pace pace);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    bool open(QString* error);
    QString devicePath() const { return m_path; }
    // For poll(): readable when a request may have arrived.
    int fd() const { return m_master; }

    // Reads what has arrived and answers every complete request. False once the device hung up
    // (the terminal is then closed) or the terminal failed.
    bool serve();
    // Closes the terminal, as a USB interface does when it is unplugged.
    void hangUp();

    // The speed the program set on the terminal, in baud; 0 when it is none the server knows.
    int lineBaud() const;

private:
    void answer(const QByteArray& request);
    void write(const QByteArray& bytes);

    Device m_device;
    Pace m_pace;
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QByteArray m_pending;
    QElapsedTimer m_pendingSince;
    bool m_hungUp = false;
};
