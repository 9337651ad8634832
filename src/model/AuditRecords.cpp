#include "model/AuditRecords.h"

#include "model/Bytes.h"

bool EventCompare(const EventsTable& a, const EventsTable& b)
{
    return a.time < b.time;
}

AuditSession::AuditSession()
{
    ZeroAll();
}

int AuditSession::busRecordCount() const
{
    // The download zeroes the buffer first; a buffer full to its capacity has no all-zero record.
    for (int i = 0; i < BusRecordCapacity; ++i)
        if (bytes::allZero(busEvents.data() + i * BusRecordSize, BusRecordSize))
            return i;
    return BusRecordCapacity;
}

void AuditSession::setBusDump(const BusDump& dump)
{
    busVersion = dump.version;
    busReport = dump.report;
    busStatus = dump.status;
    busConfig = dump.configuration;
    busDateTimeTable = dump.dateTimeTable;
    busEvents.fill(0);
    const int bytes = qMin(int(dump.events.size()), BusEventsSize);
    std::copy(dump.events.begin(), dump.events.begin() + bytes, busEvents.begin());
}

void AuditSession::ResetContent(bool clearRaw)
{
    decoded = DecodedAudit();
    dallasPageCount = 0;
    if (clearRaw) {
        dallasImage.fill(0);
        busEvents.fill(0);
        busDateTimeTable.fill(0);
        busConfig.fill(0);
        downloadTime = QDateTime();
    }
    dstApplied = false;
}

void AuditSession::ZeroAll()
{
    dallasImage.fill(0);
    busEvents.fill(0);
    busDateTimeTable.fill(0);
    busVersion.fill(0);
    busReport.fill(0);
    busConfig.fill(0);
    busStatus.fill(0);
}
