#pragma once

#include "model/AuditRecords.h"
#include "model/AuditView.h"
#include "model/DstCorrection.h"
#include "model/EventRows.h"
#include "model/LockHistory.h"
#include "model/OpeningHours.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// What deserves a look in a lock's history: duress openings, openings outside hours, bursts of
// wrong codes, clock settings, doors opened or held open, restarts, resets, missing events and a
// lock nobody visited for long. Each is judged over the lock's own order of events, never across a
// gap.

// In the order the findings are listed and ties are broken.
enum class FindingKey : quint8 {
    Duress,
    OutsideHours,
    WrongCodes,
    ClockSet,
    ClockThenOpen,
    DoorForced,
    DoorHeld,
    Delays,
    Restart,
    Reset,
    Missing,
    NotVisited,
};
constexpr int FindingKeyCount = 12;

// "duress", "outside-hours", ...: as the command line names them; never translated.
QString FindingKeyName(FindingKey key);
bool FindingKeyFromName(const QString& name, FindingKey* key);
// "Duress opening", ...: translated in the "Findings" context.
QString FindingText(FindingKey key);

// Which findings are wanted.
class FindingKeys
{
public:
    constexpr FindingKeys() = default;
    static constexpr FindingKeys All() { return FindingKeys((1u << FindingKeyCount) - 1); }
    bool has(FindingKey key) const { return m_bits & bit(key); }
    FindingKeys& add(FindingKey key) { m_bits |= bit(key); return *this; }
    FindingKeys& remove(FindingKey key) { m_bits &= ~bit(key); return *this; }
    bool isEmpty() const { return m_bits == 0; }
    bool operator==(const FindingKeys& o) const { return m_bits == o.m_bits; }
    // Names separated by commas, "duress,door-held"; false with a message naming an unknown one.
    static bool Parse(const QString& text, FindingKeys* keys, QString* error);

private:
    constexpr explicit FindingKeys(quint32 bits) : m_bits(bits) {}
    static quint32 bit(FindingKey key) { return 1u << int(key); }
    quint32 m_bits = 0;
};

// The thresholds of the findings that have one.
struct FindingThresholds
{
    // The bounds of each: wide enough for any site, narrow enough that a typo shows.
    static constexpr int MinWrongCodes = 2;
    static constexpr int MaxWrongCodes = 1000;
    static constexpr int MinMinutes = 1;
    static constexpr int MaxMinutes = 24 * 60;
    static constexpr int MinVisitDays = 1;
    static constexpr int MaxVisitDays = 3650;

    int wrongCodes = 5;        // a burst is this many wrong tries or more,
    int wrongCodeMinutes = 10; // each at most this long after the one before
    int clockMinutes = 60;     // an opening this long after a clock setting
    int doorMinutes = 30;      // a door held open longer than this
    int visitDays = 180;       // no visit for longer than this

    bool operator==(const FindingThresholds& o) const
    {
        return wrongCodes == o.wrongCodes && wrongCodeMinutes == o.wrongCodeMinutes && clockMinutes == o.clockMinutes
            && doorMinutes == o.doorMinutes && visitDays == o.visitDays;
    }
    bool operator!=(const FindingThresholds& o) const { return !(*this == o); }
    // A message naming the first value out of its bounds; empty when all are within them (a
    // stored value is checked so before it is used).
    QString check() const;
};

// One threshold as the command line and the archive's settings name and write it.
enum class Threshold { WrongCodes, ClockMinutes, DoorMinutes, VisitDays };
// "wrong-codes", "clock-minutes", "door-minutes", "visit-days".
QString ThresholdName(Threshold which);
// "5/10" (count/minutes) for the wrong codes, a whole number for the others.
QString ThresholdText(const FindingThresholds& thresholds, Threshold which);
// Sets one threshold from its text; false with a message naming the bounds, `thresholds` untouched.
bool SetThreshold(FindingThresholds* thresholds, Threshold which, const QString& text, QString* error);

// What a judgement of a lock depends on besides its events.
struct FindingRules
{
    OpeningHours hours = OpeningHours::Default();
    ClosedDays closedDays;
    FindingThresholds thresholds;
    FindingKeys keys = FindingKeys::All();
};

// One event of a lock's history as findings are judged on it, oldest first: the lock's and the
// keypad's events merged as the full audit shows them.
struct FindingEvent
{
    qint64 time = 0;    // audit seconds as recorded, 0 for none
    qint32 dstShift = 0; // the daylight-saving correction's (a few hours at most); 0 without one
    quint8 event = 0;
    quint8 user = 0;
    quint8 device = 0;
    bool gapBefore = false; // events may be missing between the previous event and this one
    qint32 visit = 0;       // the visit that brought it; 0 for a single audit
    int position = 0;       // its "#" in the full audit, newest first, from 1

    // 24 bytes: a million events are judged at once.
    qint64 dstTime() const { return time + dstShift; }
};

// The events of a decoded audit or history (HistoryAsAudit) to judge, oldest first: merged as
// the full audit shows them, a gap where the events table shows "Events may be missing here" (for a
// history only), and with `dst` the correction applied against the audit's clock settings.
QVector<FindingEvent> FindingEventsOf(const DecodedAudit& audit, const DstRule* dst = nullptr);
// The same for a lock's history as the archive keeps it, without presenting it as an audit: the
// events as compactly as a history is shown; `timeDateTable` the latest visit's clock settings.
QVector<FindingEvent> FindingEventsOf(const LockHistory& history, const QList<EventsTable>& timeDateTable,
                                      const DstRule* dst = nullptr);
// The same, letting the history's events go once merged: a million events are not held twice.
QVector<FindingEvent> FindingEventsOf(LockHistory&& history, const QList<EventsTable>& timeDateTable,
                                      const DstRule* dst = nullptr);

struct Finding
{
    FindingKey key = FindingKey::Duress;
    // Positions ("#") of its first and last event; `last` is 0 where there is no Until. Events
    // missing: the last event before the gap and the first after it. Not visited: both 0.
    int first = 0;
    int last = 0;
    int events = 0; // events it covers; 0 for Events missing and Not visited
    int visit = 0;  // the visit that brought its first event, the latest for Not visited; 0: none
    quint8 event = 0; // the first event's code and user, which name the user
    quint8 user = 0;
    qint64 date = 0;  // audit seconds of the first event (of the last before the gap)
    qint64 until = 0; // of the last event, when `last` is set
    QDateTime visited; // Not visited: the latest visit's download time

    bool hasUser() const { return key != FindingKey::Missing && key != FindingKey::NotVisited; }
};

// A lock's latest visit, for Not visited; none when `number` is 0.
struct LatestVisit
{
    int number = 0;
    QDateTime downloaded;
};
LatestVisit LatestVisitOf(const LockHistory& history);

// The findings of a lock's history, in the order they are listed: Not visited first, then newest
// first by the position of the first event (Events missing at its gap), ties in the keys' order.
// `at` is the day judged for Not visited.
QVector<Finding> JudgeHistory(const QVector<FindingEvent>& events, const LatestVisit& latest, const QDate& at,
                              const FindingRules& rules);
// The findings of one audit: no gaps, no visits, neither Events missing nor Not visited.
QVector<Finding> JudgeAudit(const QVector<FindingEvent>& events, const FindingRules& rules);

// The findings whose Date falls in [from, to), audit seconds as SearchDay gives them, -1 for no
// bound. Not visited stays: it is judged at its own day, not over a period.
QVector<Finding> FindingsInRange(const QVector<Finding>& findings, qint64 from, qint64 to);

struct LockFindings
{
    QString serial;
    QString name;
    QVector<Finding> findings; // as judged
    Tenures people;            // the lock's directory, naming each finding's person
};

// "Serial number", "Lock name", "Finding", "Date", "Until", "User", "Person", "Events", "Visit".
QStringList FindingColumnHeaders();
// One row per finding, locks in serial number order; dates in the display's pattern, users as
// the events table names them, the person as the lock's directory names the user of the
// finding's first event on that event's recorded day.
TextTable FindingsTextTable(const QVector<LockFindings>& locks, const DisplaySettings& display);
