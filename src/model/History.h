#pragma once

#include <QByteArray>
#include <functional>
#include <QHash>
#include <QString>
#include <QVector>

// A lock's history across visits, one device at a time (the lock, the keypad): the events of
// successive audits joined by content, in the lock's own order.

// One event as the archive keeps it: what the lock recorded, and the audit that first brought it.
struct HistoryEvent
{
    qint64 time = 0; // seconds since 2000-01-01, as decoded; 0 when the lock gave none
    quint8 event = 0;
    quint8 user = 0;
    qint64 audit = 0; // the archive's id of the audit

    bool sameAs(const HistoryEvent& other) const
    {
        return time == other.time && event == other.event && user == other.user;
    }
};

// Events known to follow one another, oldest first. Between two runs events may be missing (the
// lock overwrote them before anyone read them). `order` places a run among the others: the latest
// download date (ms since the epoch) of the audits it holds; only runs that share nothing are
// placed by it, as nothing else tells their order.
struct HistoryRun
{
    qint64 order = 0;
    QVector<HistoryEvent> events;
};

// One device's history: runs oldest first, a gap between each two.
struct DeviceHistory
{
    QVector<HistoryRun> runs;

    int eventCount() const;
    int gapCount() const { return runs.isEmpty() ? 0 : int(runs.size()) - 1; }
    const HistoryEvent* oldest() const;
    const HistoryEvent* newest() const;
    // The newest `count` events of the newest run (fewer when it holds fewer), oldest first.
    QVector<HistoryEvent> newestEvents(int count) const;
    // The event at `position` counted over the runs from the oldest; null outside.
    const HistoryEvent* at(qint64 position) const;
};

// What places an audit among the visits of its lock, for one device: the newest event it holds
// (where it reaches in the lock's own order) and the computer's date of its download.
struct AuditMark
{
    qint64 downloaded = 0; // ms since the epoch, as kept
    bool reaches = false;  // false for an audit without events of the device
    HistoryEvent newest;
};
using AuditMarks = QHash<qint64, AuditMark>;

// The visits in order: the audit that reaches further in the device's history is the later visit;
// download dates break ties, and decide for an audit whose newest event the history does not
// hold. The newest event is found at its last place in the history (alike events recorded in the
// same second are one place for this). Audits of `marks` oldest first.
QVector<qint64> VisitOrder(const DeviceHistory& history, const AuditMarks& marks);

// An event held before that a joined audit takes the credit of: its place in the run, and the
// audit that had it.
struct Recredit
{
    int at = 0;
    qint64 previous = 0;
};

struct JoinOutcome
{
    DeviceHistory history;
    int added = 0;      // events the history did not hold before
    int reassigned = 0; // events held before that are now credited to the new audit
    // Where the audit's events lie once joined: the run, and their stretch in it.
    int run = -1;
    int first = 0;
    int length = 0;
    QVector<Recredit> recredits;
};

// Joins one audit's events of a device (oldest first, as the lock recorded them) into a history:
// - held already as a whole: nothing added;
// - overlapping a run at either end, or holding it: the union, the seam at the longest overlap,
//   and two runs it bridges become one;
// - sharing nothing: a run of its own, placed by its download date `order`.
// An event that two audits hold is credited to the earlier visit (see VisitOrder); `marks` tells
// it of every audit the history names. Events are compared by time, code and user; alike events
// count as often as the lock recorded them.
JoinOutcome JoinAudit(const DeviceHistory& history, const QVector<HistoryEvent>& events, qint64 audit, qint64 order,
                      const AuditMarks& marks);

// The common case of a join: the audit begins among the newest run's last events and reaches to
// its end or past it; the run only grows. `newest` may be that run or only its last events, as
// many as the audit holds or more, and grows in place; the stretch and the credits taken go into
// `out` (places counted in `newest`). False, with nothing changed, when it is not the case.
// JoinAudit tries it first, so a join of the newest events alone gives what the whole history does.
bool JoinAtEnd(HistoryRun& newest, const QVector<HistoryEvent>& events, qint64 audit, qint64 order,
               const AuditMarks& marks, JoinOutcome* out);

// A lock's history numbered as the full audit's events table shows it: the lock's and the keypad's
// events merged newest first (each keypad event before the first older lock event, as MergeEvents
// does), numbered from 1. `number` is called for every event with its device (0 the lock, 1 the
// keypad), its place in that device's history counted from the oldest, its number and itself.
void NumberMergedHistory(const DeviceHistory& lock, const DeviceHistory& keypad,
                         const std::function<void(int device, qint64 position, qint64 number, const HistoryEvent& event)>& number);
// The same walk, inlined, ended as soon as `number` returns false (a search numbers only the
// events it found, most of them often among the newest).
template <typename Number>
void WalkMergedHistory(const DeviceHistory& lock, const DeviceHistory& keypad, Number&& number);

// The stored form of a device's history: "CVH2", the number of runs, and for each run its order
// (8 bytes), its event count (4) and its events (time 8, code 1, user 1, audit 4), little-endian.
// Times are kept whole: a lock's year byte reaches 2255. "CVH1", with 4-byte times, is read too.
QByteArray PackHistory(const DeviceHistory& history);
// False with a reason for anything but a well-formed history; nothing is read past the data.
bool UnpackHistory(const QByteArray& data, DeviceHistory* history, QString* error = nullptr);
// A device's history kept in pieces, oldest first; a piece that `continues` goes on with the run
// the piece before it ended with. Each run is sized once, however many pieces it spans.
struct StoredPiece
{
    QByteArray content;
    bool continues = false;
};
bool UnpackHistory(const QVector<StoredPiece>& pieces, DeviceHistory* history, QString* error = nullptr);
// The newest events of a stored piece, from its first bytes (at least HistoryHeadBytes), its whole
// length and its last bytes (whole events): the piece's one run's last events. False, with nothing
// read, for anything else (several runs, the first form, bytes that do not add up): read it whole.
constexpr int HistoryHeadBytes = 20;
constexpr int StoredEventBytes = 14;
bool UnpackHistoryTail(const QByteArray& head, qint64 length, const QByteArray& tail, HistoryRun* newest);

// Where a download of a lock's newest events may stop: as soon as what it read (newest first)
// ends with the newest events the archive holds for that lock. The run matched is at least 8
// events long (all the archived ones when there are fewer), and longer where needed so that it
// cannot match at two places at once (alike events at its ends); without such a run there is no
// rule and the download reads what it would have read anyway.
class KnownEventsStop
{
public:
    // The archived events, oldest first; their newest run is what is looked for.
    explicit KnownEventsStop(const QVector<HistoryEvent>& archived);

    bool active() const { return !m_pattern.isEmpty(); }
    int runLength() const { return int(m_pattern.size()); }
    // One more event read, older than the ones before; true once the run has been read whole.
    bool reached(const HistoryEvent& read);

private:
    QVector<HistoryEvent> m_pattern; // newest first
    QVector<int> m_pi;
    int m_matched = 0;
};

namespace history_detail {

// Newest first, one cursor per device, positions counted from each device's oldest.
struct MergeCursor
{
    const DeviceHistory& history;
    int run;
    int at = 0;
    qint64 position;
    explicit MergeCursor(const DeviceHistory& h) : history(h), run(int(h.runs.size()) - 1), position(h.eventCount() - 1)
    {
        skipEmpty();
        if (run >= 0)
            at = int(history.runs[run].events.size()) - 1;
    }
    void skipEmpty()
    {
        while (run >= 0 && history.runs[run].events.isEmpty())
            --run;
    }
    bool done() const { return run < 0; }
    const HistoryEvent& event() const { return history.runs[run].events[at]; }
    void next()
    {
        --position;
        if (--at >= 0)
            return;
        --run;
        skipEmpty();
        if (run >= 0)
            at = int(history.runs[run].events.size()) - 1;
    }
};

} // namespace history_detail

template <typename Number>
void WalkMergedHistory(const DeviceHistory& lock, const DeviceHistory& keypad, Number&& number)
{
    history_detail::MergeCursor l(lock), k(keypad);
    qint64 n = 0;
    while (!k.done()) {
        const HistoryEvent& key = k.event();
        if (key.time != 0)
            while (!l.done() && !(l.event().time != 0 && l.event().time < key.time)) {
                if (!number(0, l.position, ++n, l.event()))
                    return;
                l.next();
            }
        if (!number(1, k.position, ++n, key))
            return;
        k.next();
    }
    while (!l.done()) {
        if (!number(0, l.position, ++n, l.event()))
            return;
        l.next();
    }
}
