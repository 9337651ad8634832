// Inputs of the archive's history: a stored history as the database gives it back (which must be
// refused or read back exactly), and audits joined one after another.
// - Arbitrary audits from a small alphabet (alike events and chance seams are common): none may
//   lose or duplicate what one audit held.
// - Audits that are windows of one lock's recorded events, with times over the whole range a
//   lock's year byte allows: the history is exactly what the windows cover, each run a stretch of
//   the lock's events in its order, and each event credited to the earliest visit that held it.

#include "model/History.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

static void Require(bool condition)
{
    if (!condition)
        abort();
}

static bool HeldInOneRun(const DeviceHistory& history, const QVector<HistoryEvent>& audit)
{
    for (const HistoryRun& run : history.runs)
        for (int at = 0; at + audit.size() <= run.events.size(); ++at) {
            int k = 0;
            while (k < audit.size() && run.events[at + k].sameAs(audit[k]))
                ++k;
            if (k == audit.size())
                return true;
        }
    return false;
}

static AuditMark Mark(const QVector<HistoryEvent>& events, qint64 downloaded)
{
    return { downloaded, !events.isEmpty(), events.isEmpty() ? HistoryEvent() : events.last() };
}

static void ArbitraryAudits(const QByteArray& bytes)
{
    // Audits separated by 0xFF: a first byte for the download date, then events.
    DeviceHistory history;
    AuditMarks marks;
    QVector<QVector<HistoryEvent>> audits;
    int held = 0;
    for (const QByteArray& chunk : bytes.split(char(0xFF))) {
        if (chunk.isEmpty())
            continue;
        QVector<HistoryEvent> events;
        for (int i = 1; i < chunk.size(); ++i)
            events.append({ quint8(chunk[i]) & 0x0F, quint8((quint8(chunk[i]) >> 4) & 0x03), 1, 0 });
        const qint64 id = audits.size() + 1, order = quint8(chunk[0]);
        const JoinOutcome out = JoinAudit(history, events, id, order, marks);
        Require(out.added >= 0 && out.reassigned >= 0);
        Require(out.history.eventCount() == history.eventCount() + out.added);
        history = out.history;
        marks.insert(id, Mark(events, order));
        audits.append(events);
        held += events.size();

        // Each audit so far is still there, whole and in its order, and nothing came from nowhere.
        Require(history.eventCount() <= held);
        for (const QVector<HistoryEvent>& audit : audits)
            Require(audit.isEmpty() || HeldInOneRun(history, audit));
        for (const HistoryRun& run : history.runs) {
            Require(!run.events.isEmpty());
            for (const HistoryEvent& e : run.events)
                Require(e.audit >= 1 && e.audit <= id);
        }
    }
    DeviceHistory back;
    Require(UnpackHistory(PackHistory(history), &back) && PackHistory(back) == PackHistory(history));
}

static void WindowsOfOneLock(const QByteArray& bytes)
{
    // The lock's events: strictly increasing times over 0 .. 2255 (year byte), every code and user.
    const int recorded = qBound(1, int(bytes.size()) * 2, 600);
    QVector<HistoryEvent> lock;
    quint64 seed = 0x9E3779B97F4A7C15ull;
    for (char c : bytes)
        seed = (seed ^ quint8(c)) * 0x100000001B3ull;
    const qint64 last = qint64(256) * 365 * 86400; // a little past 2255
    qint64 time = qint64(seed % quint64(last / 2));
    for (int i = 0; i < recorded; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        time += 1 + qint64((seed >> 33) % quint64(std::max<qint64>(1, (last - time) / (recorded - i + 1))));
        lock.append({ time, quint8(seed >> 8), quint8(seed >> 16), 0 });
    }

    // Each audit: three bytes, its first event, its length and its download date.
    struct Window
    {
        int first, count;
        qint64 date;
    };
    QVector<Window> windows;
    DeviceHistory history;
    AuditMarks marks;
    for (int i = 0; i + 2 < bytes.size() && windows.size() < 40; i += 3) {
        const int first = int(quint8(bytes[i]) * recorded / 256);
        const int count = std::min(recorded - first, 1 + int(quint8(bytes[i + 1])) * recorded / 512);
        const qint64 date = quint8(bytes[i + 2]);
        const QVector<HistoryEvent> events = lock.mid(first, count);
        const qint64 id = windows.size() + 1;
        history = JoinAudit(history, events, id, date, marks).history;
        marks.insert(id, Mark(events, date));
        windows.append({ first, count, date });
    }
    if (windows.isEmpty())
        return;

    // Exactly what the windows cover, each run a stretch of the lock's events.
    QVector<bool> covered(recorded, false);
    for (const Window& w : windows)
        std::fill(covered.begin() + w.first, covered.begin() + w.first + w.count, true);
    Require(history.eventCount() == int(std::count(covered.begin(), covered.end(), true)));
    QVector<int> runStarts;
    for (const HistoryRun& run : history.runs) {
        int at = -1;
        for (int k = 0; k < recorded && at < 0; ++k)
            if (lock[k].sameAs(run.events.first()))
                at = k;
        Require(at >= 0 && at + run.events.size() <= recorded);
        for (int k = 0; k < run.events.size(); ++k) {
            Require(run.events[k].sameAs(lock[at + k]));
            // The earliest visit that held it: the window ending first, dates breaking ties.
            qint64 earliest = 0;
            for (int w = 0; w < windows.size(); ++w) {
                const Window& v = windows[w];
                if (at + k < v.first || at + k >= v.first + v.count)
                    continue;
                const Window* e = earliest ? &windows[int(earliest) - 1] : nullptr;
                const int end = v.first + v.count, eEnd = e ? e->first + e->count : 0;
                if (!e || end < eEnd || (end == eEnd && (v.date < e->date || (v.date == e->date && w + 1 < earliest))))
                    earliest = w + 1;
            }
            Require(run.events[k].audit == earliest);
        }
        runStarts.append(at);
    }
    // Runs in the lock's order wherever the download dates agree with it.
    bool datesAgree = true;
    for (const Window& a : windows)
        for (const Window& b : windows)
            datesAgree = datesAgree && !(a.first + a.count < b.first + b.count && a.date > b.date);
    if (datesAgree)
        Require(std::is_sorted(runStarts.begin(), runStarts.end()));

    // The visits in the order their windows end (runs placed by dates that disagree with the lock
    // cannot tell it).
    const QVector<qint64> order = datesAgree ? VisitOrder(history, marks) : QVector<qint64>();
    for (int k = 1; k < order.size(); ++k) {
        const Window& a = windows[int(order[k - 1]) - 1];
        const Window& b = windows[int(order[k]) - 1];
        Require(a.first + a.count < b.first + b.count
                || (a.first + a.count == b.first + b.count && (a.date < b.date || (a.date == b.date && order[k - 1] < order[k]))));
    }
    DeviceHistory back;
    Require(UnpackHistory(PackHistory(history), &back) && PackHistory(back) == PackHistory(history));
}

// The bytes cut into pieces: read together they give what each read alone and joined gives, and
// one bad piece refuses them all.
void StoredPieces(const QByteArray& bytes)
{
    // Each piece from one byte of shape and the events after it: one or two runs, sometimes cut,
    // sometimes bytes as they came.
    QVector<StoredPiece> pieces;
    int at = 0;
    while (pieces.size() < 4 && at + 2 <= bytes.size()) {
        const quint8 shape = quint8(bytes[at++]);
        const int events = std::min(int(bytes.size()) - at, 1 + (shape & 0x0F));
        DeviceHistory h;
        for (int k = 0; k < events; ++k) {
            if (k == 0 || (k == events / 2 && (shape & 0x20)))
                h.runs.append(HistoryRun{ qint64(shape) * 1000 + k, {} });
            const quint8 b = quint8(bytes[at + k]);
            h.runs.last().events.append({ qint64(b) << 20, b, quint8(b ^ shape), at + k });
        }
        QByteArray content = (shape & 0xC0) == 0xC0 ? bytes.mid(at, events) : PackHistory(h);
        if ((shape & 0xC0) == 0x80)
            content.chop(1 + shape % 5);
        pieces.append({ content, (shape & 0x10) != 0 });
        at += events;
    }
    DeviceHistory joined;
    bool readable = true;
    for (const StoredPiece& piece : pieces) {
        DeviceHistory one;
        readable = readable && UnpackHistory(piece.content, &one);
        for (int r = 0; readable && r < one.runs.size(); ++r) {
            if (r == 0 && piece.continues && !joined.runs.isEmpty()) {
                joined.runs.last().events += one.runs[0].events;
                joined.runs.last().order = std::max(joined.runs.last().order, one.runs[0].order);
            } else {
                joined.runs.append(one.runs[r]);
            }
        }
    }
    DeviceHistory together;
    QString why;
    Require(UnpackHistory(pieces, &together, &why) == readable && why.isEmpty() == readable);
    Require(!readable || PackHistory(together) == PackHistory(joined));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    DeviceHistory stored;
    if (UnpackHistory(bytes, &stored)) {
        // Read back alike; the current form is written again byte for byte.
        const QByteArray packed = PackHistory(stored);
        DeviceHistory again;
        Require(UnpackHistory(packed, &again) && PackHistory(again) == packed);
        Require(!bytes.startsWith("CVH2") || packed == bytes);
    }
    // A piece's newest events read from its first and last bytes: never past them, and what the
    // whole piece's one run ends with.
    for (int events : { 1, 3, 64 }) {
        const int tailSize = std::min(int(bytes.size()), events * StoredEventBytes);
        HistoryRun newest;
        if (UnpackHistoryTail(bytes.left(HistoryHeadBytes), bytes.size(), bytes.right(tailSize), &newest)) {
            Require(UnpackHistory(bytes, &stored) && stored.runs.size() == 1);
            const QVector<HistoryEvent>& all = stored.runs[0].events;
            for (int k = 0; k < newest.events.size(); ++k) {
                const HistoryEvent& a = all[all.size() - newest.events.size() + k];
                Require(a.sameAs(newest.events[k]) && a.audit == newest.events[k].audit);
            }
        }
    }
    StoredPieces(bytes);
    if (bytes.isEmpty())
        return 0;
    if (quint8(bytes[0]) & 1)
        WindowsOfOneLock(bytes.mid(1));
    else
        ArbitraryAudits(bytes.mid(1));
    return 0;
}
