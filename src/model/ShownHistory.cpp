#include "model/ShownHistory.h"

#include "model/EventMerge.h"
#include "model/People.h"

namespace {

// One device's events newest first, as the shown events they become; the events of other visits
// are passed over when only one visit is shown.
class NewestFirst
{
public:
    NewestFirst(const DeviceHistory& device, bool keypad, const QHash<qint64, int>& visitOf, int onlyVisit)
        : m_runs(device.runs), m_keypad(keypad), m_visitOf(visitOf), m_onlyVisit(onlyVisit), m_run(int(m_runs.size()))
    {
        nextRun();
        settle();
    }

    bool atEnd() const { return m_run < 0; }
    qint64 time() const { return m_runs[m_run].events[m_at].time; }

    // The current event, moving on to the next.
    template <class Event> Event take()
    {
        const HistoryEvent& e = m_runs[m_run].events[m_at];
        Event out{ e.time, quint32(visit(e.audit)), e.event, e.user, quint8(m_keypad ? 1 : 0) };
        if (m_runStart)
            out.flags |= 2;
        m_runStart = false;
        --m_at;
        if (m_at < 0)
            nextRun();
        settle();
        return out;
    }

private:
    void nextRun()
    {
        while (--m_run >= 0 && m_runs[m_run].events.isEmpty()) {
        }
        if (m_run >= 0) {
            m_at = int(m_runs[m_run].events.size()) - 1;
            m_runStart = true;
        }
    }

    // Past the events of other visits; a run's start passed over moves to the next event shown.
    void settle()
    {
        while (m_onlyVisit != 0 && m_run >= 0 && visit(m_runs[m_run].events[m_at].audit) != m_onlyVisit) {
            --m_at;
            if (m_at < 0)
                nextRun();
        }
    }

    int visit(qint64 audit)
    {
        // Neighbouring events mostly came with one audit.
        if (audit != m_lastAudit) {
            m_lastAudit = audit;
            m_lastVisit = m_visitOf.value(audit);
        }
        return m_lastVisit;
    }

    const QVector<HistoryRun>& m_runs;
    bool m_keypad;
    const QHash<qint64, int>& m_visitOf;
    int m_onlyVisit;
    int m_run;
    int m_at = -1;
    bool m_runStart = false;
    qint64 m_lastAudit = -1;
    int m_lastVisit = 0;
};

} // namespace

ShownHistory::ShownHistory(const DeviceHistory& lock, const DeviceHistory& keypad, const QHash<qint64, int>& visitOf,
                           int auditType, int onlyVisit)
{
    // Merged as MergeEvents merges a single audit's lists: the lock's order kept, each keypad
    // event before the first older lock event after the previous insertion.
    m_events.reserve(lock.eventCount() + keypad.eventCount());
    NewestFirst l(lock, false, visitOf, onlyVisit), k(keypad, true, visitOf, onlyVisit);
    while (!k.atEnd()) {
        if (k.time() != 0) {
            while (!l.atEnd() && (l.time() == 0 || l.time() >= k.time()))
                m_events.append(l.take<Event>());
        }
        m_events.append(k.take<Event>());
    }
    while (!l.atEnd())
        m_events.append(l.take<Event>());

    // Filtered as FilterEvents filters, in place, deciding on each event in order; a gap lies
    // above a kept event when its device's run changed since the device's last kept event.
    bool seen[2] = { false, false };
    bool runChanged[2] = { false, false };
    int kept = 0;
    const auto decide = [&](int index, bool keep) {
        const Event e = m_events[index];
        const int device = e.flags & Keypad ? 1 : 0;
        runChanged[device] = runChanged[device] || (e.flags & RunStart);
        if (!keep)
            return;
        if (seen[device] && runChanged[device] && (m_gapRows.isEmpty() || m_gapRows.last() != kept))
            m_gapRows.append(kept);
        seen[device] = true;
        runChanged[device] = false;
        m_events[kept++] = e;
    };
    const int n = m_events.size();
    if (auditType == FullAudit || n < 3) {
        for (int i = 0; i < n; ++i)
            decide(i, true);
    } else {
        decide(0, true);
        int current = 1;
        while (current + 1 < n) {
            const int next = current + 1;
            const int ea = m_events[current].event;
            const int eb = m_events[next].event;
            if (IsChangeEvent(ea) && IsCodeEntry(eb)) {
                decide(current, true);
                decide(next, false);
                current = next + 1;
            } else if (IsCommandEvent(ea) || (IsLockReset(ea) && IsCodeEntry(eb))) {
                decide(current, false);
                decide(next, false);
                current = next + 1;
            } else {
                decide(current, true);
                current = next;
            }
        }
        for (int i = current; i < n; ++i)
            decide(i, true);
    }
    m_events.resize(kept);
    m_events.squeeze();
}

ShownEvent ShownHistory::at(int row) const
{
    const Event& e = m_events.at(row);
    ShownEvent s;
    s.number = row + 1;
    s.time = e.time;
    s.dstTime = e.flags & DstAdded ? e.time + m_shift : e.flags & DstRemoved ? e.time - m_shift : e.time;
    s.event = e.event;
    s.user = e.user;
    s.device = e.flags & Keypad ? KeypadDevice : LockDevice;
    s.visit = int(e.visit);
    s.dstMarked = e.flags & DstMarked;
    // By the recorded time, as the lock knew the day; never the corrected one.
    if (m_people)
        s.person = m_people->person(e.event, e.user, e.time);
    return s;
}


class ShownHistoryDst : public DstEvents
{
public:
    explicit ShownHistoryDst(ShownHistory& history) : m_history(history) {}
    int count() const override { return m_history.m_events.size(); }
    qint64 time(int k) const override { return m_history.m_events.at(k).time; }
    int event(int k) const override { return m_history.m_events.at(k).event; }
    void set(int k, qint64 dstTime, bool marked) override
    {
        ShownHistory::Event& e = m_history.m_events[k];
        e.flags &= ~(ShownHistory::DstMarked | ShownHistory::DstAdded | ShownHistory::DstRemoved);
        if (marked)
            e.flags |= ShownHistory::DstMarked;
        if (dstTime != e.time)
            e.flags |= dstTime == e.time + m_history.m_shift ? ShownHistory::DstAdded : ShownHistory::DstRemoved;
    }

private:
    ShownHistory& m_history;
};

void ShownHistory::correctDst(const QList<EventsTable>& timeDateTable, const DstRule& rule)
{
    // The pass moves a time by the shift one way or the other, never by anything else.
    m_shift = rule.subtract ? -rule.shiftSeconds : rule.shiftSeconds;
    ShownHistoryDst events(*this);
    ApplyDstCorrection(events, size(), timeDateTable, rule);
}
