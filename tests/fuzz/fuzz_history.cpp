// Two inputs of the archive's history: a stored history as the database gives it back (which must
// be refused or read back exactly), and arbitrary audits joined one after another, which must never
// lose or duplicate what one audit held.

#include "History.h"

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(qMin(size, size_t(INT_MAX))));
    DeviceHistory stored;
    if (UnpackHistory(bytes, &stored))
        Require(PackHistory(stored) == bytes);

    // Audits separated by 0xFF: a first byte for the download date, then events from a small
    // alphabet, so that alike events and chance seams are common.
    DeviceHistory history;
    QHash<qint64, qint64> orders;
    QVector<QVector<HistoryEvent>> audits;
    int held = 0;
    for (const QByteArray& chunk : bytes.split(char(0xFF))) {
        if (chunk.isEmpty())
            continue;
        QVector<HistoryEvent> events;
        for (int i = 1; i < chunk.size(); ++i)
            events.append({ quint8(chunk[i]) & 0x0F, quint8((quint8(chunk[i]) >> 4) & 0x03), 1, 0 });
        const qint64 id = audits.size() + 1, order = quint8(chunk[0]);
        const JoinOutcome out = JoinAudit(history, events, id, order, orders);
        Require(out.added >= 0 && out.reassigned >= 0);
        Require(out.history.eventCount() == history.eventCount() + out.added);
        history = out.history;
        orders.insert(id, order);
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
    return 0;
}
