#include "archive/ServerWatchdog.h"

#include <QSqlDriver>
#include <QVariant>

#include <libpq-fe.h>
#include <sys/socket.h>

ServerWatchdog::ServerWatchdog(std::chrono::milliseconds bound) : m_bound(bound), m_thread([this] { loop(); }) {}

ServerWatchdog::~ServerWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void ServerWatchdog::watch(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "PGconn*") != 0)
        return;
    PGconn* connection = *static_cast<PGconn* const*>(handle.data());
    if (!connection)
        return;
    PQsetNoticeProcessor(connection, [](void*, const char*) {}, nullptr);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_socket = PQsocket(connection);
}

ServerWatchdog::Armed::Armed(ServerWatchdog* dog) : m_dog(dog)
{
    if (!m_dog)
        return;
    {
        std::lock_guard<std::mutex> lock(m_dog->m_mutex);
        m_dog->m_armed = true;
        m_dog->m_deadline = std::chrono::steady_clock::now() + m_dog->m_bound;
    }
    m_dog->m_wake.notify_all();
}

ServerWatchdog::Armed::~Armed()
{
    if (!m_dog)
        return;
    std::lock_guard<std::mutex> lock(m_dog->m_mutex);
    m_dog->m_armed = false;
}

void ServerWatchdog::loop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stop) {
        if (!m_armed) {
            m_wake.wait(lock);
            continue;
        }
        if (m_wake.wait_until(lock, m_deadline) == std::cv_status::timeout && m_armed && !m_stop
            && std::chrono::steady_clock::now() >= m_deadline) {
            // The statement waits in a read on this socket: shutting it ends the wait with an error.
            if (m_socket >= 0)
                ::shutdown(m_socket, SHUT_RDWR);
            m_expired.store(true);
            m_armed = false;
        }
    }
}
