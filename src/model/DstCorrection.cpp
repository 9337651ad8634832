#include "model/DstCorrection.h"

#include "model/EventRows.h"

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

namespace {

class ListEvents : public DstEvents
{
public:
    explicit ListEvents(QList<EventsTable>& list) : m_list(list) {}
    int count() const override { return m_list.size(); }
    qint64 time(int k) const override { return m_list.at(k).time; }
    int event(int k) const override { return m_list.at(k).event; }
    void set(int k, qint64 dstTime, bool marked) override
    {
        EventsTable& e = m_list[k];
        e.dstTime = dstTime;
        e.dstMarked = marked;
    }

private:
    QList<EventsTable>& m_list;
};

} // namespace

void ApplyDstCorrection(QList<EventsTable>& merged, int rowCount, const QList<EventsTable>& timeDateTable,
                        const DstRule& rule)
{
    ListEvents events(merged);
    ApplyDstCorrection(events, rowCount, timeDateTable, rule);
}

void ApplyDstCorrection(DstEvents& events, int rowCount, const QList<EventsTable>& timeDateTable, const DstRule& rule)
{
    const int count = events.count();
    for (int k = 0; k < count; ++k)
        events.set(k, events.time(k), false);
    const qint64 shift = rule.subtract ? -rule.shiftSeconds : rule.shiftSeconds;
    bool referenceFound = false;
    bool referenceInPeriod = false;

    int periodYear = -1;
    Period period;
    // The calendar year of the events last met, in audit seconds: most events fall in it.
    qint64 yearStart = 0, yearEnd = 0;
    for (int k = qMin(rowCount, count) - 1; k >= 0; --k) {
        const qint64 time = events.time(k);
        const int event = events.event(k);
        if (time == 0) {
            events.set(k, time, true);
            continue;
        }
        if (time < yearStart || time >= yearEnd) {
            const QDateTime dt = AuditDateTime(time);
            // The year 2000 is a clock never set; a time beyond any calendar is left alone as well.
            if (!dt.isValid() || dt.date().year() == 2000)
                continue;
            periodYear = dt.date().year();
            period = periodOf(periodYear, rule);
            yearStart = epoch().daysTo(QDate(periodYear, 1, 1)) * 86400;
            yearEnd = epoch().daysTo(QDate(periodYear + 1, 1, 1)) * 86400;
        }
        const bool inPeriod = period.contains(time);

        if (!referenceFound) {
            if (const EventsTable* r = latestClockSettingBefore(timeDateTable, time)) {
                referenceFound = true;
                // Against the period of its own year: a clock set last summer still runs on
                // summer time in this year's winter.
                const QDateTime setAt = AuditDateTime(r->time);
                referenceInPeriod = setAt.isValid() && periodOf(setAt.date().year(), rule).contains(r->time);
            }
        }
        if (IsClockSetting(event)) {
            referenceFound = true;
            referenceInPeriod = inPeriod;
            continue;
        }
        if (!referenceFound) {
            events.set(k, inPeriod ? time + shift : time, true);
        } else if (!referenceInPeriod) {
            if (inPeriod)
                events.set(k, time + shift, false);
        } else if (!inPeriod) {
            // The clock was set while daylight-saving time held: the other events move back.
            events.set(k, time - shift, false);
        }
    }
}
