#include "model/EventMerge.h"

QList<EventsTable> MergeEvents(const QList<EventsTable>& lockEvents, const QList<EventsTable>& keypadEvents)
{
    QList<EventsTable> merged;
    merged.reserve(lockEvents.size() + keypadEvents.size());

    // Everything at or after the cursor is a lock event not yet passed, so the insertions
    // can be done as one forward walk over the lock list.
    int next = 0;
    for (const EventsTable& k : keypadEvents) {
        if (k.time != 0) {
            while (next < lockEvents.size()) {
                const EventsTable& l = lockEvents.at(next);
                if (l.time != 0 && l.time < k.time)
                    break;
                merged.append(l);
                ++next;
            }
        }
        merged.append(k);
    }
    while (next < lockEvents.size())
        merged.append(lockEvents.at(next++));
    return merged;
}

void FilterEvents(QList<EventsTable>& merged, int auditType)
{
    if (auditType == FullAudit)
        return;

    const int n = merged.size();
    if (n >= 3) {
        // One walk with a pair under the eye: the current event and the one after it. What a
        // removal leaves is looked at again as the next pair, and the newest event (position 0)
        // is deliberately never examined.
        QList<EventsTable> kept;
        kept.reserve(n);
        kept.append(merged.at(0));
        int current = 1;
        while (current + 1 < n) {
            const int next = current + 1;
            const int ea = merged.at(current).event;
            const int eb = merged.at(next).event;
            if (IsChangeEvent(ea) && IsCodeEntry(eb)) {
                // The code entry goes; the change stays.
                kept.append(merged.at(current));
                current = next + 1;
            } else if (IsCommandEvent(ea) || (IsLockReset(ea) && IsCodeEntry(eb))) {
                // Both go.
                current = next + 1;
            } else {
                kept.append(merged.at(current));
                current = next;
            }
        }
        for (int k = current; k < n; ++k)
            kept.append(merged.at(k));
        merged = kept;
    }
    NumberEvents(merged);
}

void NumberEvents(QList<EventsTable>& events)
{
    for (int k = 0; k < events.size(); ++k)
        events[k].rowNumber = QString::number(k + 1);
}
