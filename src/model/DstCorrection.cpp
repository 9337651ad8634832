#include "DstCorrection.h"

#include "EventRows.h"

#include <QDate>

#include <optional>

namespace {

const QDate& epoch()
{
    static const QDate date(2000, 1, 1);
    return date;
}

// The period of one year in audit seconds: [start, end), empty when start >= end or when a
// boundary is no date at all.
struct Period
{
    qint64 start = 0;
    qint64 end = 0;
    bool contains(qint64 t) const { return start <= t && t < end; }
};

// Audit seconds go below zero before 2000, so "no such day" cannot be a number of seconds.
std::optional<qint64> midnight(int year, int month, int weekday, int n)
{
    const QDate date(year, month, FindDay(year, month, weekday, n));
    if (!date.isValid())
        return std::nullopt;
    return epoch().daysTo(date) * 86400;
}

Period periodOf(int year, const DstRule& rule)
{
    const std::optional<qint64> start = midnight(year, rule.startMonth, rule.startWeekday, rule.startOccurrence);
    const std::optional<qint64> end = midnight(year, rule.endMonth, rule.endWeekday, rule.endOccurrence);
    if (!start || !end)
        return Period();
    return Period{ *start, *end };
}

// The newest clock setting of the table before `time`; the table is sorted, but a damaged audit
// must not make that matter.
const EventsTable* latestClockSettingBefore(const QList<EventsTable>& table, qint64 time)
{
    const EventsTable* latest = nullptr;
    for (const EventsTable& r : table) {
        if (IsClockSetting(r.event) && r.time != 0 && r.time < time && (!latest || r.time >= latest->time))
            latest = &r;
    }
    return latest;
}

} // namespace

int FindDay(int year, int month, int weekday, int n)
{
    if (n < 1 || n > 5 || weekday < 0 || weekday > 7)
        return -1;
    const QDate first(year, month, 1);
    if (!first.isValid())
        return -1;
    int d = weekday - first.dayOfWeek();
    if (d < 0)
        d += 7;
    const int day = 1 + d + 7 * (n - 1);
    if (day > first.daysInMonth())
        return FindDay(year, month, weekday, n - 1);
    return day;
}

qint64 DstShiftSeconds(int hoursIndex)
{
    return hoursIndex >= 1 && hoursIndex <= 4 ? hoursIndex * 1800 : 0;
}

void ApplyDstCorrection(QList<EventsTable>& merged, int rowCount, const QList<EventsTable>& timeDateTable,
                        const DstRule& rule)
{
    for (EventsTable& e : merged) {
        e.dstTime = e.time;
        e.dstMarked = false;
    }
    const qint64 shift = rule.subtract ? -rule.shiftSeconds : rule.shiftSeconds;
    bool referenceFound = false;
    bool referenceInPeriod = false;

    int periodYear = -1;
    Period period;
    for (int k = qMin(rowCount, merged.size()) - 1; k >= 0; --k) {
        EventsTable& e = merged[k];
        if (e.time == 0) {
            e.dstMarked = true;
            continue;
        }
        const QDateTime dt = AuditDateTime(e.time);
        // The year 2000 is a clock never set; a time beyond any calendar is left alone as well.
        if (!dt.isValid() || dt.date().year() == 2000)
            continue;
        if (dt.date().year() != periodYear) {
            periodYear = dt.date().year();
            period = periodOf(periodYear, rule);
        }
        const bool inPeriod = period.contains(e.time);

        if (!referenceFound) {
            if (const EventsTable* r = latestClockSettingBefore(timeDateTable, e.time)) {
                referenceFound = true;
                // Against the period of its own year: a clock set last summer still runs on
                // summer time in this year's winter.
                const QDateTime setAt = AuditDateTime(r->time);
                referenceInPeriod = setAt.isValid() && periodOf(setAt.date().year(), rule).contains(r->time);
            }
        }
        if (IsClockSetting(e.event)) {
            referenceFound = true;
            referenceInPeriod = inPeriod;
            continue;
        }
        if (!referenceFound) {
            e.dstMarked = true;
            if (inPeriod)
                e.dstTime = e.time + shift;
        } else if (!referenceInPeriod) {
            if (inPeriod)
                e.dstTime = e.time + shift;
        } else if (!inPeriod) {
            // The clock was set while daylight-saving time held: the other events move back.
            e.dstTime = e.time - shift;
        }
    }
}
