#include "AuditRecords.h"

bool EventCompare(const EventsTable& a, const EventsTable& b)
{
    return a.time < b.time;
}

AuditSession::AuditSession()
{
    ZeroAll();
}

void AuditSession::ResetContent(bool clearRaw)
{
    keypadEvents.clear();
    lockEvents.clear();
    mergedEvents.clear();
    timeDateTable.clear();
    dallasPageCount = 0;
    if (clearRaw) {
        dallasImage.fill(0);
        busEvents.fill(0);
        busDateTimeTable.fill(0);
        busConfig.fill(0);
        config = Config();
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
