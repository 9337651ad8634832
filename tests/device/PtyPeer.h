#pragma once

#include <QStringList>

#include <chrono>
#include <future>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

// The far end of a pseudo-terminal, standing in for a USB interface.
struct PtyPeer
{
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QString slavePath; // empty when no terminal could be made

    PtyPeer()
    {
        char name[128];
        termios settings {};
        if (master < 0 || ::grantpt(master) || ::unlockpt(master) || ::ptsname_r(master, name, sizeof name)
            || ::tcgetattr(master, &settings))
            return;
        ::cfmakeraw(&settings); // no echo and no line editing: bytes pass both ways untouched
        ::tcsetattr(master, TCSANOW, &settings);
        slavePath = QString::fromLocal8Bit(name);
    }

    ~PtyPeer()
    {
        if (master >= 0)
            ::close(master);
    }

    PtyPeer(const PtyPeer&) = delete;

    // On a thread of its own, reads the request, then writes piece i delaysMs[i] ms after the step before.
    std::future<QByteArray> answer(int requestLength, const QList<int>& delaysMs, const QList<QByteArray>& pieces) const
    {
        return std::async(std::launch::async, [fd = master, requestLength, delaysMs, pieces] {
            QByteArray request;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
            while (request.size() < requestLength && std::chrono::steady_clock::now() < deadline) {
                pollfd ready { fd, POLLIN, 0 };
                char byte = 0;
                if (::poll(&ready, 1, 20) > 0 && (ready.revents & POLLIN) && ::read(fd, &byte, 1) == 1)
                    request.append(byte);
                else // nothing yet, or hung up until the port is opened
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            for (int i = 0; i < pieces.size(); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(delaysMs.value(i)));
                if (::write(fd, pieces[i].constData(), size_t(pieces[i].size())) != pieces[i].size())
                    break;
            }
            return request;
        });
    }
};
