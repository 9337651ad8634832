#pragma once

#include <QSqlDatabase>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Bounds every exchange with a server from the program's side. A server behind a link that stops
// forwarding (a VPN dropped, a firewall that drops instead of refusing) never answers, and the
// connection's own keepalives cannot tell while something in between still acknowledges: when a
// statement outlasts its bound, the connection's socket is shut, so the waiting statement fails
// at once and the server is taken as unreachable.
class ServerWatchdog
{
public:
    explicit ServerWatchdog(std::chrono::milliseconds bound);
    ~ServerWatchdog();
    ServerWatchdog(const ServerWatchdog&) = delete;
    ServerWatchdog& operator=(const ServerWatchdog&) = delete;

    // The connection to watch; also quiets the server's notices, which would go to standard error.
    void watch(const QSqlDatabase& db);

    // Armed for the life of one exchange.
    class Armed
    {
    public:
        explicit Armed(ServerWatchdog* dog);
        ~Armed();
        Armed(const Armed&) = delete;
        Armed& operator=(const Armed&) = delete;

    private:
        ServerWatchdog* m_dog;
    };

    // Whether the bound ran out and the connection was cut.
    bool expired() const { return m_expired.load(); }
    std::chrono::milliseconds bound() const { return m_bound; }

private:
    void loop();

    const std::chrono::milliseconds m_bound;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_armed = false;
    std::chrono::steady_clock::time_point m_deadline;
    int m_socket = -1;
    std::atomic_bool m_expired { false };
    std::thread m_thread;
};
