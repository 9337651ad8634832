#include "AuditRecords.h"

#include "Bytes.h"

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
