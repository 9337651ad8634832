#include "History.h"

#include "Bytes.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

using Events = QVector<HistoryEvent>;

// For each prefix of `pattern`, the length of its longest proper prefix that is also its suffix.
QVector<int> prefixFunction(const Events& pattern)
{
    QVector<int> pi(pattern.size(), 0);
    for (int i = 1, q = 0; i < pattern.size(); ++i) {
        while (q > 0 && !pattern[i].sameAs(pattern[q]))
            q = pi[q - 1];
        if (pattern[i].sameAs(pattern[q]))
            ++q;
        pi[i] = q;
    }
    return pi;
}

// Where `pattern` starts in `text`, or -1; the first or the last place when the content repeats.
int occurrence(const Events& text, const Events& pattern, bool last)
{
    if (pattern.isEmpty() || pattern.size() > text.size())
        return -1;
    const QVector<int> pi = prefixFunction(pattern);
    int found = -1;
    for (int i = 0, q = 0; i < text.size(); ++i) {
        while (q > 0 && !text[i].sameAs(pattern[q]))
            q = pi[q - 1];
        if (text[i].sameAs(pattern[q]))
            ++q;
        if (q == pattern.size()) {
            found = i - q + 1;
            if (!last)
                return found;
            q = pi[q - 1];
        }
    }
    return found;
}

// The longest k such that the last k events of `older` are the first k of `newer`.
int overlap(const Events& older, const Events& newer)
{
    if (older.isEmpty() || newer.isEmpty())
        return 0;
    const QVector<int> pi = prefixFunction(newer);
    const int start = std::max(0, int(older.size()) - int(newer.size()));
    int q = 0;
    for (int i = start; i < older.size(); ++i) {
        if (q == newer.size())
            q = pi[q - 1];
        while (q > 0 && !older[i].sameAs(newer[q]))
            q = pi[q - 1];
        if (older[i].sameAs(newer[q]))
            ++q;
    }
    return q;
}

} // namespace

int DeviceHistory::eventCount() const
{
    int count = 0;
    for (const HistoryRun& run : runs)
        count += run.events.size();
    return count;
}

const HistoryEvent* DeviceHistory::oldest() const
{
    for (const HistoryRun& run : runs)
        if (!run.events.isEmpty())
            return &run.events.first();
    return nullptr;
}

const HistoryEvent* DeviceHistory::newest() const
{
    for (auto run = runs.crbegin(); run != runs.crend(); ++run)
        if (!run->events.isEmpty())
            return &run->events.last();
    return nullptr;
}

QVector<HistoryEvent> DeviceHistory::newestEvents(int count) const
{
    if (runs.isEmpty() || count <= 0)
        return {};
    const Events& last = runs.last().events;
    return last.mid(std::max(0, int(last.size()) - count));
}

JoinOutcome JoinAudit(const DeviceHistory& history, const QVector<HistoryEvent>& events, qint64 audit, qint64 order,
                      const QHash<qint64, qint64>& auditOrder)
{
    JoinOutcome out;
    out.history = history;
    if (events.isEmpty())
        return out;

    const auto orderOf = [&](qint64 id) {
        return id == audit ? order : auditOrder.value(id, std::numeric_limits<qint64>::max());
    };
    // Two audits hold one event: it belongs to the earlier visit.
    const auto credit = [&](HistoryEvent& kept, const HistoryEvent& other) {
        const qint64 a = orderOf(kept.audit), b = orderOf(other.audit);
        if (b < a || (b == a && other.audit < kept.audit))
            kept.audit = other.audit;
    };
    const auto countNew = [&](const DeviceHistory& h) {
        int n = 0;
        for (const HistoryRun& run : h.runs)
            n += int(std::count_if(run.events.begin(), run.events.end(),
                                   [audit](const HistoryEvent& e) { return e.audit == audit; }));
        return n;
    };

    HistoryRun merged{ order, events };
    for (HistoryEvent& e : merged.events)
        e.audit = audit;
    QVector<HistoryRun>& runs = out.history.runs;

    // Where alike events repeat, a later audit's events are the later ones.
    for (HistoryRun& run : runs) {
        const int at = occurrence(run.events, merged.events, order >= run.order);
        if (at < 0)
            continue;
        for (int k = 0; k < merged.events.size(); ++k)
            credit(run.events[at + k], merged.events[k]);
        if (at + merged.events.size() == run.events.size())
            run.order = std::max(run.order, order);
        out.reassigned = countNew(out.history);
        return out;
    }

    // Grow the audit's run by every run it holds, continues or is continued by, until none is left.
    QVector<bool> consumed(runs.size(), false);
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < runs.size(); ++i) {
            if (consumed[i])
                continue;
            const Events& held = runs[i].events;
            Events& m = merged.events;
            int at = -1, k = 0;
            if (held.size() <= m.size() && (at = occurrence(m, held, runs[i].order > order)) >= 0) {
                for (int j = 0; j < held.size(); ++j)
                    credit(m[at + j], held[j]);
            } else if ((k = overlap(held, m)) > 0) {
                Events joined = held;
                for (int j = 0; j < k; ++j)
                    credit(joined[held.size() - k + j], m[j]);
                joined += m.mid(k);
                m = std::move(joined);
            } else if ((k = overlap(m, held)) > 0) {
                for (int j = 0; j < k; ++j)
                    credit(m[m.size() - k + j], held[j]);
                m += held.mid(k);
            } else {
                continue;
            }
            merged.order = std::max(merged.order, runs[i].order);
            consumed[i] = true;
            changed = true;
        }
    }

    QVector<HistoryRun> kept;
    kept.reserve(runs.size() + 1);
    for (int i = 0; i < runs.size(); ++i)
        if (!consumed[i])
            kept.append(std::move(runs[i]));
    const auto place = std::find_if(kept.begin(), kept.end(), [&](const HistoryRun& r) { return r.order > merged.order; });
    kept.insert(place, std::move(merged));
    runs = std::move(kept);

    out.added = out.history.eventCount() - history.eventCount();
    out.reassigned = countNew(out.history) - out.added;
    return out;
}

KnownEventsStop::KnownEventsStop(const QVector<HistoryEvent>& archived)
{
    constexpr int MinimumRun = 8;
    QVector<HistoryEvent> newestFirst(archived.rbegin(), archived.rend());
    // The shortest run from the newest on that is long enough and has no border: a run with a
    // border (aaaa...) could also match one or more events too early.
    for (int length = std::min(MinimumRun, int(newestFirst.size())); length <= newestFirst.size() && length > 0;
         ++length) {
        const QVector<HistoryEvent> run = newestFirst.mid(0, length);
        const QVector<int> pi = prefixFunction(run);
        if (pi.last() == 0) {
            m_pattern = run;
            m_pi = pi;
            return;
        }
    }
}

bool KnownEventsStop::reached(const HistoryEvent& read)
{
    if (m_pattern.isEmpty())
        return false;
    if (m_matched == m_pattern.size())
        m_matched = m_pi[m_matched - 1];
    while (m_matched > 0 && !read.sameAs(m_pattern[m_matched]))
        m_matched = m_pi[m_matched - 1];
    if (read.sameAs(m_pattern[m_matched]))
        ++m_matched;
    return m_matched == m_pattern.size();
}

namespace {

constexpr char Magic[4] = { 'C', 'V', 'H', '1' };
constexpr int RunHeaderSize = 12;
constexpr int EventSize = 10;

void appendLe(QByteArray& out, quint64 value, int size)
{
    for (int i = 0; i < size; ++i)
        out.append(char(quint8(value >> (8 * i))));
}

quint64 readLe(const uchar* p, int size)
{
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint64(p[i]) << (8 * i);
    return value;
}

bool fail(QString* error, const char* reason)
{
    if (error)
        *error = QCoreApplication::translate("History", reason);
    return false;
}

} // namespace

QByteArray PackHistory(const DeviceHistory& history)
{
    QByteArray out;
    out.reserve(8 + history.runs.size() * RunHeaderSize + history.eventCount() * EventSize);
    out.append(Magic, sizeof Magic);
    appendLe(out, quint32(history.runs.size()), 4);
    for (const HistoryRun& run : history.runs) {
        appendLe(out, quint64(run.order), 8);
        appendLe(out, quint32(run.events.size()), 4);
        for (const HistoryEvent& e : run.events) {
            // The lock counts two-digit years from 2000: its times fit in 32 bits.
            appendLe(out, quint32(qBound<qint64>(0, e.time, std::numeric_limits<quint32>::max())), 4);
            out.append(char(e.event));
            out.append(char(e.user));
            appendLe(out, quint32(e.audit), 4);
        }
    }
    return out;
}

bool UnpackHistory(const QByteArray& data, DeviceHistory* history, QString* error)
{
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qint64 size = data.size();
    if (size < 8 || memcmp(p, Magic, sizeof Magic) != 0)
        return fail(error, QT_TRANSLATE_NOOP("History", "not a stored history"));
    const quint64 runCount = readLe(p + 4, 4);
    qint64 at = 8;
    if (runCount > quint64(size - at) / RunHeaderSize)
        return fail(error, QT_TRANSLATE_NOOP("History", "the stored history is cut short"));
    DeviceHistory result;
    result.runs.reserve(int(runCount));
    for (quint64 r = 0; r < runCount; ++r) {
        if (size - at < RunHeaderSize)
            return fail(error, QT_TRANSLATE_NOOP("History", "the stored history is cut short"));
        HistoryRun run;
        run.order = qint64(readLe(p + at, 8));
        const quint64 count = readLe(p + at + 8, 4);
        at += RunHeaderSize;
        if (count == 0 || count > quint64(size - at) / EventSize)
            return fail(error, QT_TRANSLATE_NOOP("History", "the stored history is cut short"));
        run.events.resize(int(count));
        for (HistoryEvent& e : run.events) {
            e.time = qint64(readLe(p + at, 4));
            e.event = p[at + 4];
            e.user = p[at + 5];
            e.audit = qint64(readLe(p + at + 6, 4));
            at += EventSize;
        }
        result.runs.append(std::move(run));
    }
    if (at != size)
        return fail(error, QT_TRANSLATE_NOOP("History", "the stored history has bytes after its end"));
    *history = std::move(result);
    return true;
}
