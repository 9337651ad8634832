// The findings' figures: one lock's history of 100 000 events judged by the rules alone, from the
// history as the archive hands it over, and with the daylight-saving correction up to the table.

#include "BenchAudits.h"
#include "BenchCase.h"
#include "model/Findings.h"

#include <memory>

namespace {

const LatestVisit latestVisit{ 20, QDateTime(QDate(2028, 7, 10), QTime(12, 0)) };
const QDate judgedAt(2029, 3, 1);

// The bench history read over twenty visits, with four gaps where nobody read it in time.
std::shared_ptr<const DecodedAudit> History()
{
    auto audit = std::make_shared<DecodedAudit>(BenchHistory(100000));
    audit->history.visits = latestVisit.number;
    for (QList<EventsTable>* list : { &audit->lockEvents, &audit->keypadEvents }) {
        const qint64 size = list->size();
        for (int k = 0; k < size; ++k) {
            (*list)[k].run = 4 - int(k * 5 / size);
            (*list)[k].visit = latestVisit.number - int(k * latestVisit.number / size);
        }
    }
    return audit;
}

QString Counted(const QVector<Finding>& found)
{
    return QStringLiteral("100000 events, %1 findings").arg(found.size());
}

BenchCase JudgeOnly()
{
    BenchCase c;
    c.name = QStringLiteral("findings/judge-100000");
    c.iterations = 20;
    c.prepare = [](QString& note) {
        auto events = std::make_shared<const QVector<FindingEvent>>(FindingEventsOf(*History()));
        note = Counted(JudgeHistory(*events, latestVisit, judgedAt, FindingRules())) + QStringLiteral(", the rules alone");
        return [events] { JudgeHistory(*events, latestVisit, judgedAt, FindingRules()); };
    };
    return c;
}

BenchCase OfHistory()
{
    BenchCase c;
    c.name = QStringLiteral("findings/history-100000");
    c.iterations = 20;
    c.prepare = [](QString& note) {
        auto audit = History();
        note = Counted(JudgeHistory(FindingEventsOf(*audit), latestVisit, judgedAt, FindingRules()))
            + QStringLiteral(", merged and judged");
        return [audit] { JudgeHistory(FindingEventsOf(*audit), latestVisit, judgedAt, FindingRules()); };
    };
    return c;
}

BenchCase ToTable()
{
    BenchCase c;
    c.name = QStringLiteral("findings/dst-table-100000");
    c.iterations = 10;
    c.prepare = [](QString& note) {
        auto audit = History();
        const DstRule europe{ 5, 0, 3, 5, 0, 10, false, 3600 };
        const auto table = [audit, europe] {
            const QVector<Finding> found = JudgeHistory(FindingEventsOf(*audit, &europe), latestVisit, judgedAt, FindingRules());
            return FindingsTextTable({ { audit->config.serialNumber, audit->config.lockName, found, {} } }, DisplaySettings());
        };
        note = QStringLiteral("100000 events, %1 rows, merged, corrected, judged, as text").arg(table().rows.size());
        return [table] { table(); };
    };
    return c;
}

} // namespace

QVector<BenchCase> FindingsCases()
{
    return { JudgeOnly(), OfHistory(), ToTable() };
}
