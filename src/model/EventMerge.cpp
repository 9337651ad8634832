#include "EventMerge.h"

namespace {

bool isChangeEvent(int e)
{
    return e == 0x29 || e == 0x10 || e == 0x11 || e == 0x12 || e == 0x13;
}

bool isCodeEntry(int e)
{
    return e == 0x01 || e == 0x02 || e == 0x0C;
}

bool isCommandEvent(int e)
{
    return e == 0x26 || e == 0x28;
}

constexpr int ResetEvent = 0xFA;

} // namespace

void MergeEvents(const QList<EventsTable>& lockEvents, const QList<EventsTable>& keypadEvents,
                 QList<EventsTable>& merged)
{
    merged.clear();
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
}

void FilterEvents(QList<EventsTable>& merged, int auditType)
{
    if (auditType == FullAudit)
        return;

    if (merged.size() >= 3) {
        // The newest event (position 0) is deliberately never examined.
        int a = 1;
        int b = 2;
        while (b < merged.size()) {
            const int ea = merged.at(a).event;
            const int eb = merged.at(b).event;
            if (isChangeEvent(ea) && isCodeEntry(eb)) {
                merged.removeAt(b);
                ++a;
                b = a + 1;
            } else if (isCommandEvent(ea) || (ea == ResetEvent && isCodeEntry(eb))) {
                merged.removeAt(b);
                merged.removeAt(a);
            } else {
                ++a;
                b = a + 1;
            }
        }
    }

    for (int k = 0; k < merged.size(); ++k)
        merged[k].rowNumber = QString::number(k + 1);
}
