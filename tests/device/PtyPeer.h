#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

// The far end of a pseudo-terminal, standing in for a USB interface: on its own thread it
// reads one request, then writes scripted answer pieces, each after its own delay.
class PtyPeer
{
public:
    PtyPeer()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0)
            return;
        termios settings{};
        char name[128];
        if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 || ::tcgetattr(m_master, &settings) != 0
            || ::ptsname_r(m_master, name, sizeof name) != 0) {
            closeMaster();
            return;
        }
        // No echo and no line editing, so bytes pass both ways untouched.
        ::cfmakeraw(&settings);
        ::tcsetattr(m_master, TCSANOW, &settings);
        m_slavePath = QString::fromLocal8Bit(name);
    }

    ~PtyPeer()
    {
        finish();
        closeMaster();
    }

    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Reads until requestLength bytes came (or a second passed), then answers: piece i is
    // written delaysMs[i] milliseconds after the previous step.
    void start(int requestLength, const QList<int>& delaysMs, const QList<QByteArray>& pieces)
    {
        finish();
        m_request.clear();
        m_thread = std::thread([this, requestLength, delaysMs, pieces] { run(requestLength, delaysMs, pieces); });
    }

    // Waits for the script to end; returns the request bytes the peer read.
    QByteArray finish()
    {
        if (m_thread.joinable())
            m_thread.join();
        return m_request;
    }

    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    void run(int requestLength, const QList<int>& delaysMs, const QList<QByteArray>& pieces)
    {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::seconds(1);
        while (m_request.size() < requestLength && Clock::now() < deadline) {
            pollfd pfd{m_master, POLLIN, 0};
            const int ready = ::poll(&pfd, 1, 20);
            if (ready <= 0 || !(pfd.revents & POLLIN)) {
                // Hang-up while nobody has the terminal open yet: wait for the port.
                if (ready > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            char chunk[256];
            const size_t wanted = qMin(sizeof chunk, size_t(requestLength - m_request.size()));
            const ssize_t got = ::read(m_master, chunk, wanted);
            if (got > 0)
                m_request.append(chunk, int(got));
        }
        for (int i = 0; i < pieces.size(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delaysMs.value(i)));
            writeAll(pieces.at(i));
        }
    }

    void writeAll(const QByteArray& bytes)
    {
        int done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return;
            done += int(n);
        }
    }

    int m_master = -1;
    QString m_slavePath;
    QByteArray m_request;
    std::thread m_thread;
};
