#pragma once

#include "model/AuditRecords.h"
#include "model/DstCorrection.h"
#include "model/EventColumns.h"
#include "model/History.h"

#include <QHash>
#include <QList>
#include <QVector>

#include <memory>

class PeopleIndex;

// A lock's history as it is shown, held compactly (16 bytes an event): the lock's and the
// keypad's events merged newest first as a single audit's are, filtered by the audit type,
// numbered by their place, with the rows above which events may be missing and, when asked for,
// one daylight-saving correction. Texts are made per row when an output asks for them.
class ShownHistory
{
public:
    ShownHistory() = default;

    // `visitOf` gives the visit of each audit the history names; with `onlyVisit` other than 0
    // only that visit's events are shown.
    ShownHistory(const DeviceHistory& lock, const DeviceHistory& keypad, const QHash<qint64, int>& visitOf,
                 int auditType, int onlyVisit = 0);

    int size() const { return m_events.size(); }
    ShownEvent at(int row) const;
    int visitAt(int row) const { return int(m_events.at(row).visit); }
    // Rows (ascending) above which events may be missing: a device's events skip a gap there.
    const QVector<int>& gapRows() const { return m_gapRows; }

    // The lock's directory of people, naming the person of each event `at` hands out; none leaves
    // every event without one.
    void setPeople(std::shared_ptr<const PeopleIndex> people) { m_people = std::move(people); }

    // One correction pass over every event, as a single audit's; a new pass replaces the last.
    void correctDst(const QList<EventsTable>& timeDateTable, const DstRule& rule);

private:
    enum Flag : quint8 {
        Keypad = 1,
        RunStart = 2, // the newest event of its device's run: below it, the device's events skip a gap
        DstMarked = 4,
        DstAdded = 8,   // the daylight-saving date is the time plus the shift
        DstRemoved = 16 // the time minus the shift
    };
    struct Event
    {
        qint64 time;
        quint32 visit;
        quint8 event;
        quint8 user;
        quint8 flags;
    };
    friend class ShownHistoryDst;

    QVector<Event> m_events;
    QVector<int> m_gapRows;
    qint64 m_shift = 0;
    std::shared_ptr<const PeopleIndex> m_people;
};
