#pragma once

#include "model/CaptureFormat.h"
#include "sim/PtyServer.h"

#include <QString>

// Serves a capture as the lock and interface it was made with answered: each request that
// equals the captured one, at the captured line speed, gets the captured answer at the captured
// pace (timed so that the program has it whole when it had it then). The first request that differs gets silence, as a wrong frame does from a real lock, and
// so does every later one: past a difference the capture no longer tells what the lock would say.
class CaptureReplay
{
public:
    explicit CaptureReplay(capture::Capture capture);

    PtyServer::Reply reply(const QByteArray& request, int baud);

    const capture::Capture& capture() const { return m_capture; }
    int captured() const { return m_capture.exchanges.size(); }
    int matched() const { return m_matched; }
    // "request 17 differs from the capture: sent ..., captured ..."; empty while none has.
    QString difference() const { return m_difference; }
    // Every captured exchange was asked for, and nothing else.
    bool complete() const { return m_difference.isEmpty() && m_matched == captured(); }

private:
    capture::Capture m_capture;
    int m_matched = 0;
    QString m_difference;
};
