#pragma once

#include "model/AuditRecords.h"

#include <QList>

// The site's daylight-saving period, as the "Daylight saving time" group describes it: from the
// n-th weekday of a month to the n-th weekday of another month, and the shift to apply.
struct DstRule
{
    int startOccurrence = 1; // 1..5, 5 = the last one in the month
    int startWeekday = 0;    // 0 = Sunday .. 6 = Saturday
    int startMonth = 1;      // 1..12
    int endOccurrence = 1;
    int endWeekday = 0;
    int endMonth = 1;
    bool subtract = false;
    qint64 shiftSeconds = 0;
};

// Day of the month (1..31) of the n-th weekday (0 or 7 = Sunday, 1 = Monday .. 6 = Saturday);
// n = 5 falls back to the fourth when the month has no fifth. -1 for n outside 1..5 or
// a weekday outside 0..7.
int FindDay(int year, int month, int weekday, int n);

// The shift chosen in the hours box: 0, 0.5, 1, 1.5, 2 hours by index; 0 for any other index.
qint64 DstShiftSeconds(int hoursIndex);

// One correction pass over the first `rowCount` events of the merged list (newest first), run
// from the oldest to the newest. Every dstTime is first set back to its time and every mark
// cleared, so a pass never builds on an earlier one. `timeDateTable` holds the lock's
// clock-setting records; the most recent one before an event tells whether the clock already
// ran on daylight-saving time, as does each "Time changed" event met on the way. Events with no
// such reference are marked; so are events without a time.
void ApplyDstCorrection(QList<EventsTable>& merged, int rowCount, const QList<EventsTable>& timeDateTable,
                        const DstRule& rule);

// The same pass over events held in another form: `count` of them newest first, read and written
// through this face.
class DstEvents
{
public:
    virtual ~DstEvents() = default;
    virtual int count() const = 0;
    virtual qint64 time(int k) const = 0;
    virtual int event(int k) const = 0;
    virtual void set(int k, qint64 dstTime, bool marked) = 0;
};
void ApplyDstCorrection(DstEvents& events, int rowCount, const QList<EventsTable>& timeDateTable, const DstRule& rule);
