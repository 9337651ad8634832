#include "sim/PtyServer.h"

#include <cerrno>
#include <cstring>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A request cut short is dropped after this long, as a device resynchronises on silence.
constexpr int StaleRequestMs = 200;

using Clock = std::chrono::steady_clock;

qint64 ByteTimeUs(int bytes, int baud)
{
    return qint64(bytes) * 10 * 1000000 / baud;
}

int Baud(speed_t speed)
{
    switch (speed) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

} // namespace

PtyServer::PtyServer(SimulatedInterface& device, Pace pace)
    : PtyServer(
        [&device](const QByteArray& request, int baud) {
            Reply reply;
            reply.bytes = device.answer(request, baud);
            reply.hangUp = device.hungUp();
            return reply;
        },
        pace)
{
}

PtyServer::PtyServer(Device device, Pace pace) : m_device(std::move(device)), m_pace(pace) {}

PtyServer::~PtyServer()
{
    hangUp();
}

bool PtyServer::open(QString* error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    char name[128];
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0
        || ::ptsname_r(m_master, name, sizeof name) != 0) {
        *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        hangUp();
        return false;
    }
    m_path = QString::fromLocal8Bit(name);
    // Held open for the server's whole life: without it the terminal hangs up whenever the
    // program closes its port.
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    termios settings {};
    if (m_slave < 0 || ::tcgetattr(m_slave, &settings) != 0) {
        *error = QStringLiteral("cannot open %1: %2").arg(m_path, QString::fromLocal8Bit(strerror(errno)));
        hangUp();
        return false;
    }
    ::cfmakeraw(&settings);
    ::tcsetattr(m_slave, TCSANOW, &settings);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    return true;
}

void PtyServer::hangUp()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

bool PtyServer::serve()
{
    if (m_master < 0)
        return false;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            if (m_pending.isEmpty())
                m_pendingSince.start();
            m_pending.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        hangUp();
        return false;
    }
    for (;;) {
        const int length = SimulatedInterface::requestLength(m_pending);
        if (length == 0 || m_pending.size() < length)
            break;
        const QByteArray request = m_pending.left(length);
        m_pending.remove(0, length);
        m_pendingSince.start();
        if (length > 1)
            answer(request);
        if (m_hungUp) {
            hangUp();
            return false;
        }
    }
    if (!m_pending.isEmpty() && m_pendingSince.elapsed() > StaleRequestMs)
        m_pending.clear();
    return true;
}

int PtyServer::lineBaud() const
{
    termios settings {};
    if (m_master < 0 || ::tcgetattr(m_master, &settings) != 0)
        return 0;
    return Baud(::cfgetospeed(&settings));
}

void PtyServer::answer(const QByteArray& request)
{
    const Clock::time_point arrived = Clock::now();
    const int baud = lineBaud();
    const Reply reply = m_device(request, baud);
    m_hungUp = reply.hangUp;
    if (reply.bytes.isEmpty() || m_hungUp)
        return;
    if (m_pace == Pace::Fast || baud <= 0) {
        write(reply.bytes);
        return;
    }
    // By default the request took its byte time to arrive, and the answer starts after the
    // device's reply delay. It goes out whole once its last byte would have been on the line:
    // the program takes a pause in an answer for its end, and a simulator's process can pause
    // for longer than that between two pieces of one (a busy machine, a command typed to it).
    const qint64 startUs = reply.delayUs >= 0 ? reply.delayUs : ByteTimeUs(request.size(), baud) + ReplyDelayUs;
    std::this_thread::sleep_until(arrived + std::chrono::microseconds(startUs + ByteTimeUs(reply.bytes.size(), baud)));
    write(reply.bytes);
}

void PtyServer::write(const QByteArray& bytes)
{
    for (int from = 0; from < bytes.size();) {
        const ssize_t n = ::write(m_master, bytes.constData() + from, size_t(bytes.size() - from));
        if (n < 0 && errno == EAGAIN) {
            pollfd out { m_master, POLLOUT, 0 };
            ::poll(&out, 1, 50);
            continue;
        }
        if (n <= 0)
            return;
        from += int(n);
    }
}
