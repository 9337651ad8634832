#include "model/Findings.h"

#include "model/EventMerge.h"
#include "model/ShownHistory.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <set>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Findings)
};

struct KeyInfo
{
    const char* name;
    const char* text;
};

const KeyInfo keyInfo[FindingKeyCount] = {
    { "duress", QT_TRANSLATE_NOOP("Findings", "Duress opening") },
    { "outside-hours", QT_TRANSLATE_NOOP("Findings", "Opening outside hours") },
    { "wrong-codes", QT_TRANSLATE_NOOP("Findings", "Wrong code burst") },
    { "clock-set", QT_TRANSLATE_NOOP("Findings", "Clock set") },
    { "clock-then-open", QT_TRANSLATE_NOOP("Findings", "Opening after clock set") },
    { "door-forced", QT_TRANSLATE_NOOP("Findings", "Door opened without opening") },
    { "door-held", QT_TRANSLATE_NOOP("Findings", "Door held open") },
    { "delays", QT_TRANSLATE_NOOP("Findings", "Delays changed") },
    { "restart", QT_TRANSLATE_NOOP("Findings", "Lock restarted") },
    { "reset", QT_TRANSLATE_NOOP("Findings", "Lock reset") },
    { "missing", QT_TRANSLATE_NOOP("Findings", "Events missing") },
    { "not-visited", QT_TRANSLATE_NOOP("Findings", "Not visited") },
};

bool isOpening(int e)
{
    return Is(e, EventCode::BoltOpen) || Is(e, EventCode::BoltOpenLowBattery) || Is(e, EventCode::BoltOpenRemote);
}

bool isClockSet(int e)
{
    return Is(e, EventCode::TimeAndDateChanged) || Is(e, EventCode::DateChanged) || Is(e, EventCode::TimeChanged);
}

bool isRestart(int e)
{
    return Is(e, EventCode::PowerReEnabled) || Is(e, EventCode::PowerReEnabledOther) || Is(e, EventCode::CpuRestart)
        || Is(e, EventCode::CpuRestartOther);
}

bool isReset(int e)
{
    return Is(e, EventCode::LockReset) || Is(e, EventCode::FactoryReset);
}

// `later` 0 to `limit` seconds after `earlier`; a missing time is never near anything.
bool within(qint64 earlier, qint64 later, qint64 limit)
{
    return earlier != 0 && later != 0 && later - earlier >= 0 && later - earlier <= limit;
}

// One pass over the events, oldest first. What a rule remembers lives for one stretch between
// gaps only, so nothing is ever judged across a gap.
class Judge
{
public:
    Judge(const QVector<FindingEvent>& events, const FindingRules& rules, bool history)
        : m_events(events), m_rules(rules), m_keys(rules.keys), m_history(history)
    {
    }

    QVector<Finding> run()
    {
        const FindingThresholds& t = m_rules.thresholds;
        const qint64 burstGap = qint64(t.wrongCodeMinutes) * 60;
        const qint64 clockWindow = qint64(t.clockMinutes) * 60;
        const qint64 doorLimit = qint64(t.doorMinutes) * 60;
        for (int i = 0; i < m_events.size(); ++i) {
            const FindingEvent& e = m_events[i];
            if (m_history && i > 0 && e.gapBefore) {
                endStretch();
                if (m_keys.has(FindingKey::Missing))
                    missing(i - 1, i);
            }
            const int code = e.event;
            if (isOpening(code)) {
                m_openedSinceDoor = true;
                if (m_keys.has(FindingKey::OutsideHours) && m_rules.hours.isOutside(e.dstTime(), m_rules.closedDays))
                    add(FindingKey::OutsideHours, i);
                if (m_keys.has(FindingKey::ClockThenOpen) && e.time != 0) {
                    const auto it = m_clockTimes.lower_bound(e.time - clockWindow);
                    if (it != m_clockTimes.end() && *it <= e.time)
                        add(FindingKey::ClockThenOpen, i);
                }
            } else if (Is(code, EventCode::SilentAlarmCode)) {
                if (m_keys.has(FindingKey::Duress))
                    add(FindingKey::Duress, i);
            } else if (Is(code, EventCode::WrongTry)) {
                if (m_burstSize > 0 && within(m_events[m_burstLast].time, e.time, burstGap)) {
                    m_burstLast = i;
                    ++m_burstSize;
                } else {
                    endBurst();
                    m_burstFirst = m_burstLast = i;
                    m_burstSize = 1;
                }
            } else if (isClockSet(code)) {
                if (m_keys.has(FindingKey::ClockSet))
                    add(FindingKey::ClockSet, i);
                if (e.time != 0)
                    m_clockTimes.insert(e.time);
            } else if (Is(code, EventCode::DoorOpened)) {
                if (m_keys.has(FindingKey::DoorForced) && m_door == Door::Closed && !m_openedSinceDoor)
                    add(FindingKey::DoorForced, i);
                door(Door::Opened, i);
            } else if (Is(code, EventCode::DoorClosed)) {
                if (m_keys.has(FindingKey::DoorHeld) && m_door == Door::Opened
                    && within(m_events[m_doorEvent].time, e.time, std::numeric_limits<qint64>::max())
                    && e.time - m_events[m_doorEvent].time > doorLimit) {
                    Finding& f = add(FindingKey::DoorHeld, m_doorEvent);
                    until(f, i);
                    f.events = 2;
                }
                door(Door::Closed, i);
            } else if (Is(code, EventCode::DelaysChanged)) {
                if (m_keys.has(FindingKey::Delays))
                    add(FindingKey::Delays, i);
            } else if (isRestart(code)) {
                if (m_keys.has(FindingKey::Restart))
                    add(FindingKey::Restart, i);
            } else if (isReset(code)) {
                if (m_keys.has(FindingKey::Reset))
                    add(FindingKey::Reset, i);
            }
        }
        endStretch();
        return std::move(m_found);
    }

private:
    enum class Door { Unknown, Opened, Closed };

    Finding& add(FindingKey key, int index)
    {
        const FindingEvent& e = m_events[index];
        Finding f;
        f.key = key;
        f.first = e.position;
        f.date = e.time;
        f.event = e.event;
        f.user = e.user;
        f.events = 1;
        f.visit = m_history ? e.visit : 0;
        m_found.append(f);
        return m_found.last();
    }

    void until(Finding& f, int index)
    {
        f.last = m_events[index].position;
        f.until = m_events[index].time;
    }

    void missing(int before, int after)
    {
        Finding& f = add(FindingKey::Missing, before);
        until(f, after);
        f.events = 0;
        f.visit = 0;
    }

    void door(Door state, int index)
    {
        m_door = state;
        m_doorEvent = index;
        m_openedSinceDoor = false;
    }

    void endBurst()
    {
        if (m_burstSize >= m_rules.thresholds.wrongCodes && m_keys.has(FindingKey::WrongCodes)) {
            Finding& f = add(FindingKey::WrongCodes, m_burstFirst);
            until(f, m_burstLast);
            f.events = m_burstSize;
        }
        m_burstSize = 0;
    }

    void endStretch()
    {
        endBurst();
        m_clockTimes.clear();
        m_door = Door::Unknown;
        m_openedSinceDoor = false;
    }

    const QVector<FindingEvent>& m_events;
    const FindingRules& m_rules;
    const FindingKeys m_keys;
    const bool m_history;
    QVector<Finding> m_found;

    int m_burstFirst = 0;
    int m_burstLast = 0;
    int m_burstSize = 0;
    // The clock settings of the stretch by recorded time: a clock set back makes them unordered.
    std::set<qint64> m_clockTimes;
    Door m_door = Door::Unknown;
    int m_doorEvent = 0;
    bool m_openedSinceDoor = false;
};

// Newest first by the first event's position; Events missing between the events of its gap;
// Not visited before everything.
qint64 listOrder(const Finding& f)
{
    if (f.key == FindingKey::NotVisited)
        return -1;
    return 2 * qint64(f.first) - (f.key == FindingKey::Missing ? 1 : 0);
}

void sortFindings(QVector<Finding>& found)
{
    std::stable_sort(found.begin(), found.end(), [](const Finding& a, const Finding& b) {
        const qint64 oa = listOrder(a);
        const qint64 ob = listOrder(b);
        return oa != ob ? oa < ob : a.key < b.key;
    });
}

} // namespace

QString FindingKeyName(FindingKey key)
{
    return QLatin1String(keyInfo[int(key)].name);
}

bool FindingKeyFromName(const QString& name, FindingKey* key)
{
    for (int k = 0; k < FindingKeyCount; ++k) {
        if (name == QLatin1String(keyInfo[k].name)) {
            *key = FindingKey(k);
            return true;
        }
    }
    return false;
}

QString FindingText(FindingKey key)
{
    return QCoreApplication::translate("Findings", keyInfo[int(key)].text);
}

bool FindingKeys::Parse(const QString& text, FindingKeys* keys, QString* error)
{
    FindingKeys parsed;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        FindingKey key;
        if (!FindingKeyFromName(name, &key)) {
            QStringList names;
            for (int k = 0; k < FindingKeyCount; ++k)
                names << FindingKeyName(FindingKey(k));
            *error = Text::tr("Unknown finding \"%1\": the findings are %2.").arg(name, names.join(QStringLiteral(", ")));
            return false;
        }
        parsed.add(key);
    }
    if (parsed.isEmpty()) {
        *error = Text::tr("No finding is named.");
        return false;
    }
    *keys = parsed;
    return true;
}

QString FindingThresholds::check() const
{
    const auto outside = [](int v, int min, int max) { return v < min || v > max; };
    if (outside(wrongCodes, MinWrongCodes, MaxWrongCodes))
        return Text::tr("A burst of wrong codes is %1 to %2 wrong tries, not %3.").arg(MinWrongCodes).arg(MaxWrongCodes).arg(wrongCodes);
    if (outside(wrongCodeMinutes, MinMinutes, MaxMinutes))
        return Text::tr("The minutes between wrong codes are %1 to %2, not %3.").arg(MinMinutes).arg(MaxMinutes).arg(wrongCodeMinutes);
    if (outside(clockMinutes, MinMinutes, MaxMinutes))
        return Text::tr("The minutes after a clock setting are %1 to %2, not %3.").arg(MinMinutes).arg(MaxMinutes).arg(clockMinutes);
    if (outside(doorMinutes, MinMinutes, MaxMinutes))
        return Text::tr("The minutes a door may stay open are %1 to %2, not %3.").arg(MinMinutes).arg(MaxMinutes).arg(doorMinutes);
    if (outside(visitDays, MinVisitDays, MaxVisitDays))
        return Text::tr("The days without a visit are %1 to %2, not %3.").arg(MinVisitDays).arg(MaxVisitDays).arg(visitDays);
    return QString();
}

QString ThresholdName(Threshold which)
{
    switch (which) {
    case Threshold::WrongCodes: return QStringLiteral("wrong-codes");
    case Threshold::ClockMinutes: return QStringLiteral("clock-minutes");
    case Threshold::DoorMinutes: return QStringLiteral("door-minutes");
    case Threshold::VisitDays: return QStringLiteral("visit-days");
    }
    return QString();
}

QString ThresholdText(const FindingThresholds& t, Threshold which)
{
    switch (which) {
    case Threshold::WrongCodes: return QStringLiteral("%1/%2").arg(t.wrongCodes).arg(t.wrongCodeMinutes);
    case Threshold::ClockMinutes: return QString::number(t.clockMinutes);
    case Threshold::DoorMinutes: return QString::number(t.doorMinutes);
    case Threshold::VisitDays: return QString::number(t.visitDays);
    }
    return QString();
}

bool SetThreshold(FindingThresholds* thresholds, Threshold which, const QString& text, QString* error)
{
    static const QRegularExpression pairForm(QStringLiteral("^\\s*(\\d{1,9})\\s*/\\s*(\\d{1,9})\\s*$"));
    static const QRegularExpression numberForm(QStringLiteral("^\\s*(\\d{1,9})\\s*$"));
    FindingThresholds t = *thresholds;
    if (which == Threshold::WrongCodes) {
        const QRegularExpressionMatch m = pairForm.match(text);
        if (!m.hasMatch()) {
            *error = Text::tr("Bad wrong-code threshold \"%1\": it is a count and minutes, as in 5/10.").arg(text);
            return false;
        }
        t.wrongCodes = m.captured(1).toInt();
        t.wrongCodeMinutes = m.captured(2).toInt();
    } else {
        const QRegularExpressionMatch m = numberForm.match(text);
        if (!m.hasMatch()) {
            *error = Text::tr("\"%1\" is not a whole number.").arg(text);
            return false;
        }
        const int value = m.captured(1).toInt();
        (which == Threshold::ClockMinutes ? t.clockMinutes : which == Threshold::DoorMinutes ? t.doorMinutes : t.visitDays) = value;
    }
    const QString problem = t.check();
    if (!problem.isEmpty()) {
        *error = problem;
        return false;
    }
    *thresholds = t;
    return true;
}

namespace {

// Rows shown newest first (`at` gives row r as a ShownEvent), handed over oldest first.
template <typename At>
QVector<FindingEvent> FindingEventsOfRows(int n, At at, const QVector<int>& gapRows, bool corrected)
{
    QVector<FindingEvent> out(n);
    for (int row = 0; row < n; ++row) {
        const ShownEvent e = at(row);
        FindingEvent& f = out[n - 1 - row];
        f.time = e.time;
        f.dstShift = corrected ? qint32(qBound<qint64>(std::numeric_limits<qint32>::min(), e.dstTime - e.time, std::numeric_limits<qint32>::max())) : 0;
        f.event = quint8(e.event);
        f.user = quint8(e.user);
        f.device = e.device;
        f.visit = e.visit;
        f.position = row + 1;
    }
    // A gap row has the gap above it: between it and the newer event, which comes next oldest first.
    for (int row : gapRows)
        if (row >= 1 && row < n)
            out[n - row].gapBefore = true;
    return out;
}

} // namespace

QVector<FindingEvent> FindingEventsOf(const DecodedAudit& audit, const DstRule* dst)
{
    AuditView view;
    view.events = MergeEvents(audit.lockEvents, audit.keypadEvents);
    if (dst)
        ApplyDstCorrection(view.events, view.events.size(), audit.timeDateTable, *dst);
    MarkHistory(view, audit.history);
    return FindingEventsOfRows(
        view.events.size(), [&](int row) { return ShownEventOf(view.events[row]); }, view.gapRows, dst != nullptr);
}

namespace {

QVector<FindingEvent> FindingEventsOfShown(ShownHistory& shown, const QList<EventsTable>& timeDateTable, const DstRule* dst)
{
    if (dst)
        shown.correctDst(timeDateTable, *dst);
    return FindingEventsOfRows(
        shown.size(), [&](int row) { return shown.at(row); }, shown.gapRows(), dst != nullptr);
}

ShownHistory ShownForFindings(const LockHistory& history)
{
    QHash<qint64, int> visits;
    for (const Visit& v : history.visits)
        visits.insert(v.audit, v.number);
    return ShownHistory(history.lock, history.keypad, visits, FullAudit);
}

} // namespace

QVector<FindingEvent> FindingEventsOf(const LockHistory& history, const QList<EventsTable>& timeDateTable,
                                      const DstRule* dst)
{
    ShownHistory shown = ShownForFindings(history);
    return FindingEventsOfShown(shown, timeDateTable, dst);
}

QVector<FindingEvent> FindingEventsOf(LockHistory&& history, const QList<EventsTable>& timeDateTable, const DstRule* dst)
{
    ShownHistory shown = ShownForFindings(history);
    history.lock = history.keypad = DeviceHistory();
    return FindingEventsOfShown(shown, timeDateTable, dst);
}

LatestVisit LatestVisitOf(const LockHistory& history)
{
    LatestVisit latest;
    for (const Visit& v : history.visits) {
        if (v.number > latest.number) {
            latest.number = v.number;
            latest.downloaded = v.downloaded;
        }
    }
    return latest;
}

QVector<Finding> JudgeHistory(const QVector<FindingEvent>& events, const LatestVisit& latest, const QDate& at,
                              const FindingRules& rules)
{
    QVector<Finding> found = Judge(events, rules, true).run();
    if (rules.keys.has(FindingKey::NotVisited) && latest.number > 0 && latest.downloaded.isValid() && at.isValid()
        && latest.downloaded.date().daysTo(at) > rules.thresholds.visitDays) {
        Finding f;
        f.key = FindingKey::NotVisited;
        f.visit = latest.number;
        f.visited = latest.downloaded;
        found.append(f);
    }
    sortFindings(found);
    return found;
}

QVector<Finding> JudgeAudit(const QVector<FindingEvent>& events, const FindingRules& rules)
{
    QVector<Finding> found = Judge(events, rules, false).run();
    sortFindings(found);
    return found;
}

QVector<Finding> FindingsInRange(const QVector<Finding>& findings, qint64 from, qint64 to)
{
    if (from < 0 && to < 0)
        return findings;
    QVector<Finding> kept;
    for (const Finding& f : findings) {
        // A finding without a date has no day to lie in any range.
        const bool inRange = f.date != 0 && (from < 0 || f.date >= from) && (to < 0 || f.date < to);
        if (f.key == FindingKey::NotVisited || inRange)
            kept.append(f);
    }
    return kept;
}

QStringList FindingColumnHeaders()
{
    const QStringList lock = LockColumnHeaders();
    return { lock.value(0),
             lock.value(1),
             QCoreApplication::translate("Findings", "Finding"),
             QCoreApplication::translate("MainWindow", "Date"),
             QCoreApplication::translate("Findings", "Until"),
             QCoreApplication::translate("MainWindow", "User"),
             QCoreApplication::translate("Findings", "Person"),
             QCoreApplication::translate("Archive", "Events"),
             QCoreApplication::translate("MainWindow", "Visit") };
}

TextTable FindingsTextTable(const QVector<LockFindings>& locks, const DisplaySettings& display)
{
    TextTable table;
    table.header = FindingColumnHeaders();
    QVector<const LockFindings*> ordered;
    int rows = 0;
    for (const LockFindings& l : locks) {
        ordered.append(&l);
        rows += l.findings.size();
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const LockFindings* a, const LockFindings* b) { return a->serial < b->serial; });
    table.rows.reserve(rows);

    QStringList names;
    for (int k = 0; k < FindingKeyCount; ++k)
        names << FindingText(FindingKey(k));
    const EventTexts texts(display);
    for (const LockFindings* l : ordered) {
        const PeopleIndex people(l->people);
        for (const Finding& f : l->findings) {
            const QString date = f.key == FindingKey::NotVisited ? FormatDateTime(f.visited, display) : texts.date(f.date);
            table.rows.append({ l->serial, l->name, names[int(f.key)], date,
                                f.last != 0 ? texts.date(f.until) : QString(),
                                f.hasUser() ? texts.user(f.event, f.user) : QString(),
                                f.hasUser() ? people.person(f.event, f.user, f.date) : QString(),
                                f.events > 0 ? QString::number(f.events) : QString(),
                                f.visit > 0 ? QString::number(f.visit) : QString() });
        }
    }
    return table;
}
