#pragma once

// How a fuzz input maps onto the bus buffers of a session: the small blocks first, so that
// short inputs already reach the configuration decoder, then the event records.

#include "model/AuditRecords.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

constexpr size_t BusInputBlocksSize = AuditSession::BusVersionSize + AuditSession::BusReportSize
    + AuditSession::BusConfigSize + AuditSession::BusStatusSize + AuditSession::BusDateTimeTableSize;
constexpr size_t BusInputMaxSize = BusInputBlocksSize + AuditSession::BusEventsSize;

// Missing bytes stay zero, as in a session reset before a download.
inline void SplitBusInput(const uint8_t* data, size_t size, AuditSession& session)
{
    size_t at = 0;
    auto take = [&](auto& buffer) {
        const size_t n = std::min(buffer.size(), size - at);
        std::copy(data + at, data + at + n, buffer.begin());
        at += n;
    };
    take(session.busVersion);
    take(session.busReport);
    take(session.busConfig);
    take(session.busStatus);
    take(session.busDateTimeTable);
    take(session.busEvents);
}

// The inverse, keeping only the first `records` event records.
inline QByteArray JoinBusInput(const AuditSession& session, int records)
{
    QByteArray out;
    auto put = [&out](const auto& buffer, size_t n) {
        out.append(reinterpret_cast<const char*>(buffer.data()), int(std::min(n, buffer.size())));
    };
    put(session.busVersion, session.busVersion.size());
    put(session.busReport, session.busReport.size());
    put(session.busConfig, session.busConfig.size());
    put(session.busStatus, session.busStatus.size());
    put(session.busDateTimeTable, session.busDateTimeTable.size());
    put(session.busEvents, size_t(std::max(records, 0)) * AuditSession::BusRecordSize);
    return out;
}
