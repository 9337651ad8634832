#include "model/History.h"

#include "model/Bytes.h"

#include <QCoreApplication>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

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

const HistoryEvent* DeviceHistory::at(qint64 position) const
{
    if (position < 0)
        return nullptr;
    for (const HistoryRun& run : runs) {
        if (position < run.events.size())
            return &run.events[int(position)];
        position -= run.events.size();
    }
    return nullptr;
}

namespace {

// A digest of an event, for looking events up by content.
quint64 Digest(const HistoryEvent& e)
{
    return quint64(e.time) * 0x9E3779B97F4A7C15ull ^ quint64(e.event) << 8 ^ e.user;
}

// Where each audit reaches in a device's history: the last place of its newest event, -1 where
// the history does not hold it. One pass over the history.
QHash<qint64, qint64> Reaches(const DeviceHistory& history, const AuditMarks& marks, const QVector<qint64>& audits)
{
    QHash<qint64, qint64> reach;
    QMultiHash<quint64, qint64> wanted;
    for (qint64 audit : audits) {
        reach.insert(audit, -1);
        const auto mark = marks.constFind(audit);
        if (mark != marks.cend() && mark->reaches)
            wanted.insert(Digest(mark->newest), audit);
    }
    if (wanted.isEmpty())
        return reach;
    qint64 position = 0;
    for (const HistoryRun& run : history.runs)
        for (const HistoryEvent& e : run.events) {
            const quint64 digest = Digest(e);
            for (auto it = wanted.constFind(digest); it != wanted.cend() && it.key() == digest; ++it)
                if (marks.value(it.value()).newest.sameAs(e))
                    reach[it.value()] = position;
            ++position;
        }
    return reach;
}

// Whether visit `a` came before visit `b`, as VisitOrder says.
bool EarlierVisit(qint64 a, qint64 b, const QHash<qint64, qint64>& reach, const AuditMarks& marks)
{
    const qint64 ra = reach.value(a, -1), rb = reach.value(b, -1);
    if (ra >= 0 && rb >= 0 && ra != rb)
        return ra < rb;
    const qint64 da = marks.value(a).downloaded, db = marks.value(b).downloaded;
    return da != db ? da < db : a < b;
}

// The audits other than `audit` credited within the stretch.
QVector<qint64> OthersIn(const Events& run, int first, int length, qint64 audit)
{
    QVector<qint64> others;
    for (int k = first; k < first + length; ++k)
        if (run[k].audit != audit && !others.contains(run[k].audit))
            others.append(run[k].audit);
    return others;
}

// Hands the events of the stretch credited to an audit after `audit` over to it.
void TakeCredits(Events& run, int first, int length, qint64 audit, const std::function<bool(qint64)>& later,
              JoinOutcome& out)
{
    for (int k = first; k < first + length; ++k)
        if (run[k].audit != audit && later(run[k].audit)) {
            out.recredits.append({ k, run[k].audit });
            run[k].audit = audit;
        }
    out.reassigned = out.recredits.size();
}

} // namespace

QVector<qint64> VisitOrder(const DeviceHistory& history, const AuditMarks& marks)
{
    QVector<qint64> audits = marks.keys().toVector();
    const QHash<qint64, qint64> reach = Reaches(history, marks, audits);
    std::sort(audits.begin(), audits.end(),
              [&](qint64 a, qint64 b) { return EarlierVisit(a, b, reach, marks); });
    return audits;
}

bool JoinAtEnd(HistoryRun& newest, const QVector<HistoryEvent>& events, qint64 audit, qint64 order,
               const AuditMarks& marks, JoinOutcome* out)
{
    Events& run = newest.events;
    if (events.isEmpty() || run.isEmpty())
        return false;
    const int k = overlap(run, events);
    if (k == 0)
        return false;
    // Another run that the new events reach into would be left beside the grown one. Such a run
    // ends with some audit's newest event, among the new events or after them: later in time while
    // the lock's clock runs forward (an audit downloaded on a laptop whose clock was behind). When
    // any audit's newest is that late, the whole history is joined instead.
    if (k < events.size()) {
        const qint64 from = events[k].time;
        for (const AuditMark& m : marks)
            if (m.reaches && m.newest.time >= from)
                return false;
    }
    const int first = run.size() - k;
    for (int j = k; j < events.size(); ++j) {
        run.append(events[j]);
        run.last().audit = audit;
    }
    newest.order = std::max(newest.order, order);
    out->first = first;
    out->length = events.size();
    out->added = events.size() - k;
    // The audit reaches the newest event: the later visit, but for one that reaches it too.
    const AuditMark mine{ order, true, events.last() };
    TakeCredits(run, first, k, audit, [&](qint64 other) {
        const AuditMark m = marks.value(other);
        if (!m.reaches || !m.newest.sameAs(mine.newest))
            return false;
        return mine.downloaded != m.downloaded ? mine.downloaded < m.downloaded : audit < other;
    }, *out);
    return true;
}

JoinOutcome JoinAudit(const DeviceHistory& history, const QVector<HistoryEvent>& events, qint64 audit, qint64 order,
                      const AuditMarks& marks)
{
    JoinOutcome out;
    out.history = history;
    if (events.isEmpty())
        return out;
    QVector<HistoryRun>& runs = out.history.runs;
    if (!runs.isEmpty() && JoinAtEnd(runs.last(), events, audit, order, marks, &out)) {
        out.run = runs.size() - 1;
        return out;
    }

    HistoryRun merged{ order, events };
    for (HistoryEvent& e : merged.events)
        e.audit = audit;
    // What the new audit holds once joined: the run and its stretch there. What was credited
    // before stays so for now; the credits are settled once the new audit's place is known.
    int holder = -1;
    int first = 0;
    const int length = merged.events.size();

    // Where alike events repeat, a later audit's events are the later ones.
    for (int r = 0; r < runs.size() && holder < 0; ++r) {
        HistoryRun& run = runs[r];
        const int at = occurrence(run.events, merged.events, order >= run.order);
        if (at < 0)
            continue;
        if (at + merged.events.size() == run.events.size())
            run.order = std::max(run.order, order);
        holder = r;
        first = at;
    }

    if (holder < 0) {
        // Grow the audit's run by every run it holds, continues or is continued by, until none is
        // left; `offset` follows where the audit's own events begin in it.
        int offset = 0;
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
                        m[at + j].audit = held[j].audit;
                } else if ((k = overlap(held, m)) > 0) {
                    Events joined = held;
                    joined += m.mid(k);
                    offset += held.size() - k;
                    m = std::move(joined);
                } else if ((k = overlap(m, held)) > 0) {
                    for (int j = 0; j < k; ++j)
                        m[m.size() - k + j].audit = held[j].audit;
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
        // Runs go by download date; of runs downloaded at the same time, the lock's clock tells
        // which came first.
        const auto place = std::find_if(kept.begin(), kept.end(), [&](const HistoryRun& r) {
            return r.order > merged.order
                || (r.order == merged.order && r.events.first().time > merged.events.first().time);
        });
        holder = int(place - kept.begin());
        first = offset;
        kept.insert(place, std::move(merged));
        runs = std::move(kept);
    }
    out.run = holder;
    out.first = first;
    out.length = length;

    // An event two audits hold goes to the earlier visit.
    Events& run = runs[holder].events;
    const QVector<qint64> others = OthersIn(run, first, length, audit);
    if (!others.isEmpty()) {
        AuditMarks all = marks;
        all.insert(audit, AuditMark{ order, true, events.last() });
        QHash<qint64, qint64> reach = Reaches(out.history, all, others);
        qint64 before = 0;
        for (int r = 0; r < holder; ++r)
            before += runs[r].events.size();
        reach.insert(audit, before + first + length - 1);
        TakeCredits(run, first, length, audit, [&](qint64 other) { return EarlierVisit(audit, other, reach, all); }, out);
    }
    out.added = out.history.eventCount() - history.eventCount();
    return out;
}

void NumberMergedHistory(const DeviceHistory& lock, const DeviceHistory& keypad,
                         const std::function<void(int device, qint64 position, qint64 number, const HistoryEvent& event)>& number)
{
    WalkMergedHistory(lock, keypad, [&](int device, qint64 position, qint64 n, const HistoryEvent& e) {
        number(device, position, n, e);
        return true;
    });
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

constexpr char Magic1[4] = { 'C', 'V', 'H', '1' };
constexpr char Magic[4] = { 'C', 'V', 'H', '2' };
constexpr int RunHeaderSize = 12;

uchar* putLe(uchar* out, quint64 value, int size)
{
    for (int i = 0; i < size; ++i)
        *out++ = uchar(value >> (8 * i));
    return out;
}

quint64 readLe(const uchar* p, int size)
{
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint64(p[i]) << (8 * i);
    return value;
}

// One stored event: its time (`timeSize` bytes), code, user and audit (4 bytes); the next after it.
const uchar* readEvent(const uchar* p, int timeSize, HistoryEvent& e)
{
    e.time = timeSize == 8 ? qFromLittleEndian<qint64>(p) : qint64(qFromLittleEndian<quint32>(p));
    e.event = p[timeSize];
    e.user = p[timeSize + 1];
    e.audit = qint64(qFromLittleEndian<quint32>(p + timeSize + 2));
    return p + timeSize + 6;
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
    // Written in place: a million events are packed while the archive is held.
    QByteArray out(8 + history.runs.size() * RunHeaderSize + history.eventCount() * StoredEventBytes, Qt::Uninitialized);
    auto* p = reinterpret_cast<uchar*>(out.data());
    memcpy(p, Magic, sizeof Magic);
    p = putLe(p + sizeof Magic, quint32(history.runs.size()), 4);
    for (const HistoryRun& run : history.runs) {
        p = putLe(p, quint64(run.order), 8);
        p = putLe(p, quint32(run.events.size()), 4);
        for (const HistoryEvent& e : run.events) {
            p = putLe(p, quint64(e.time), 8);
            *p++ = e.event;
            *p++ = e.user;
            p = putLe(p, quint32(e.audit), 4);
        }
    }
    return out;
}

bool UnpackHistoryTail(const QByteArray& head, qint64 length, const QByteArray& tail, HistoryRun* newest)
{
    const auto* h = reinterpret_cast<const uchar*>(head.constData());
    if (head.size() < HistoryHeadBytes || memcmp(h, Magic, sizeof Magic) != 0 || readLe(h + 4, 4) != 1)
        return false;
    const qint64 count = qint64(readLe(h + 16, 4));
    if (count == 0 || length != HistoryHeadBytes + count * StoredEventBytes || tail.size() % StoredEventBytes != 0
        || tail.size() / StoredEventBytes > count)
        return false;
    HistoryRun run;
    run.order = qint64(readLe(h + 8, 8));
    run.events.resize(tail.size() / StoredEventBytes);
    const auto* p = reinterpret_cast<const uchar*>(tail.constData());
    for (HistoryEvent& e : run.events)
        p = readEvent(p, 8, e);
    *newest = std::move(run);
    return true;
}

namespace {

// A stored run whose events are still packed.
struct PackedRun
{
    qint64 order;
    int count;
    const uchar* events;
    int timeSize;
    bool joinsPrevious; // the first run of a piece that goes on from the piece before
};

// A piece's layout checked and its runs listed, nothing past its bytes read.
bool ScanPiece(const QByteArray& data, bool continues, std::vector<PackedRun>& runs, QString* error)
{
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qint64 size = data.size();
    if (size < 8 || (memcmp(p, Magic, sizeof Magic) != 0 && memcmp(p, Magic1, sizeof Magic1) != 0))
        return fail(error, QT_TRANSLATE_NOOP("History", "not a stored history"));
    // The first form kept times in 32 bits.
    const int timeSize = p[3] == '1' ? 4 : 8;
    const int EventSize = timeSize + 6;
    const quint64 runCount = readLe(p + 4, 4);
    qint64 at = 8;
    if (runCount > quint64(size - at) / RunHeaderSize)
        return fail(error, QT_TRANSLATE_NOOP("History", "the stored history is cut short"));
    for (quint64 r = 0; r < runCount; ++r) {
        if (size - at < RunHeaderSize)
            return fail(error, QT_TRANSLATE_NOOP("History", "the stored history is cut short"));
        const qint64 order = qint64(readLe(p + at, 8));
        const quint64 count = readLe(p + at + 8, 4);
        at += RunHeaderSize;
        if (count == 0 || count > quint64(size - at) / EventSize)
            return fail(error, QT_TRANSLATE_NOOP("History", "the stored history is cut short"));
        runs.push_back({ order, int(count), p + at, timeSize, r == 0 && continues });
        at += qint64(count) * EventSize;
    }
    if (at != size)
        return fail(error, QT_TRANSLATE_NOOP("History", "the stored history has bytes after its end"));
    return true;
}

// The runs read into a history, each sized once however many pieces it spans.
bool UnpackRuns(const std::vector<PackedRun>& packed, DeviceHistory* history, QString* error)
{
    constexpr qint64 MostEvents = std::numeric_limits<int>::max() / qint64(sizeof(HistoryEvent));
    DeviceHistory result;
    std::vector<qint64> sizes;
    for (const PackedRun& r : packed) {
        if (r.joinsPrevious && !sizes.empty())
            sizes.back() += r.count;
        else
            sizes.push_back(r.count);
        if (sizes.back() > MostEvents)
            return fail(error, QT_TRANSLATE_NOOP("History", "the stored history is too long to be read"));
    }
    result.runs.resize(int(sizes.size()));
    int run = -1;
    HistoryEvent* out = nullptr;
    for (const PackedRun& r : packed) {
        if (run < 0 || !r.joinsPrevious) {
            HistoryRun& next = result.runs[++run];
            next.order = r.order;
            next.events.resize(int(sizes[size_t(run)]));
            out = next.events.data();
        } else {
            result.runs[run].order = std::max(result.runs[run].order, r.order);
        }
        // Each form's loop with its own event size: a million events are read per history.
        const uchar* p = r.events;
        if (r.timeSize == 8)
            for (int k = 0; k < r.count; ++k)
                p = readEvent(p, 8, *out++);
        else
            for (int k = 0; k < r.count; ++k)
                p = readEvent(p, 4, *out++);
    }
    *history = std::move(result);
    return true;
}

} // namespace

bool UnpackHistory(const QByteArray& data, DeviceHistory* history, QString* error)
{
    std::vector<PackedRun> runs;
    return ScanPiece(data, false, runs, error) && UnpackRuns(runs, history, error);
}

bool UnpackHistory(const QVector<StoredPiece>& pieces, DeviceHistory* history, QString* error)
{
    std::vector<PackedRun> runs;
    for (const StoredPiece& piece : pieces)
        if (!ScanPiece(piece.content, piece.continues, runs, error))
            return false;
    return UnpackRuns(runs, history, error);
}
