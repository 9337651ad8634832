#include "model/LockHistory.h"

#include "model/AuditFile.h"

#include <QCoreApplication>

#include <memory>

namespace {

// The archive's own texts, translated in the "Archive" context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Archive)
};

} // namespace

QStringList LockColumnHeaders()
{
    return { Text::tr("Serial number"), Text::tr("Lock name"), Text::tr("Visits"), Text::tr("Events"), Text::tr("Gaps"), Text::tr("First event"),
             Text::tr("Last event"), Text::tr("Last visit") };
}

TextTable LocksTextTable(const QVector<LockSummary>& locks, const DisplaySettings& display)
{
    TextTable table;
    table.header = LockColumnHeaders();
    const QString pattern = DatePattern(display);
    for (const LockSummary& l : locks)
        table.rows.append({ l.serial, l.name, QString::number(l.visits), QString::number(l.events),
                            QString::number(l.gaps), FormatAuditTime(l.firstEvent, display),
                            FormatAuditTime(l.lastEvent, display), l.lastVisit.toString(pattern) });
    return table;
}

bool SearchDay(const QString& text, bool end, qint64* seconds)
{
    const QDate day = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid() || day.year() < 2000)
        return false;
    *seconds = QDate(2000, 1, 1).daysTo(end ? day.addDays(1) : day) * 86400;
    return true;
}

QVector<EventColumn> SearchColumns()
{
    return EventColumnsOf(SearchFace);
}

int SearchColumnOf(EventColumn column)
{
    const int at = EventColumnIndex(SearchColumns(), column);
    return at < 0 ? -1 : 2 + at;
}

namespace {

QStringList SearchHeader()
{
    return LockColumnHeaders().mid(0, 2) << EventColumnHeaders(SearchColumns());
}

QStringList SearchRow(const QVector<FoundEvent>& found, int k, const QVector<EventColumn>& columns,
                      const EventTexts& texts)
{
    // "#" is the event's number in its lock's history, as the history shows it.
    ShownEvent e = ShownEventOf(found[k].event);
    e.number = found[k].number;
    e.person = found[k].person;
    QStringList row{ found[k].serial, found[k].name };
    for (EventColumn c : columns)
        row << EventCellText(c, e, texts);
    return row;
}

} // namespace

TextTable SearchTextTable(const QVector<FoundEvent>& found, const DisplaySettings& display)
{
    TextTable table;
    table.header = SearchHeader();
    table.rows.reserve(found.size());
    const QVector<EventColumn> columns = SearchColumns();
    const EventTexts texts(display);
    for (int k = 0; k < found.size(); ++k)
        table.rows.append(SearchRow(found, k, columns, texts));
    return table;
}

bool WriteSearchCsv(const QVector<FoundEvent>& found, const DisplaySettings& display,
                    const std::function<bool(const QByteArray&)>& write)
{
    CsvWriter csv(write);
    csv.line(SearchHeader());
    const QVector<EventColumn> columns = SearchColumns();
    const EventTexts texts(display);
    for (int k = 0; k < found.size(); ++k)
        if (!csv.line(SearchRow(found, k, columns, texts)))
            return false;
    return csv.finish();
}

int LockHistory::visitOf(qint64 audit) const
{
    for (const Visit& v : visits)
        if (v.audit == audit)
            return v.number;
    return 0;
}

bool DecodeLatest(const LockHistory& history, DecodedAudit* audit, bool* busAudit, QString* error)
{
    auto session = std::make_unique<AuditSession>();
    if (!AuditFile::Parse(history.latestAudit, *session).valid) {
        *error = Text::tr("The latest audit of lock %1 in the archive is not a valid audit file.").arg(history.serial);
        return false;
    }
    *audit = DecodeAudit(*session);
    if (!audit->ok) {
        *error = Text::tr("The latest audit of lock %1 in the archive no longer decodes.").arg(history.serial);
        return false;
    }
    audit->notices.clear();
    audit->history.visits = history.visits.size();
    if (!history.visits.isEmpty()) {
        audit->history.firstVisit = history.visits.first().downloaded;
        audit->history.lastVisit = history.visits.last().downloaded;
    }
    *busAudit = session->busAudit;
    return true;
}

namespace {

QHash<qint64, int> VisitsByAudit(const LockHistory& history)
{
    QHash<qint64, int> visits;
    for (const Visit& v : history.visits)
        visits.insert(v.audit, v.number);
    return visits;
}

} // namespace

bool PresentHistory(const LockHistory& history, const PresentationOptions& options, bool latestVisitOnly,
                    AuditView* view, QString* error)
{
    DecodedAudit audit;
    bool busAudit = false;
    if (!DecodeLatest(history, &audit, &busAudit, error))
        return false;
    const int onlyVisit = latestVisitOnly ? history.visits.size() : 0;
    const QHash<qint64, int> visits = VisitsByAudit(history);
    auto shown = std::make_shared<ShownHistory>(history.lock, history.keypad, visits, options.auditType, onlyVisit);
    // The keypad's clock at download is the lock's at its newest event of the visits shown.
    QList<EventsTable> newestLock;
    for (int r = history.lock.runs.size() - 1; r >= 0 && newestLock.isEmpty(); --r) {
        const QVector<HistoryEvent>& run = history.lock.runs[r].events;
        for (auto e = run.crbegin(); e != run.crend() && newestLock.isEmpty(); ++e) {
            if (onlyVisit == 0 || visits.value(e->audit) == onlyVisit) {
                EventsTable t;
                t.time = e->time;
                newestLock << t;
            }
        }
    }
    AuditView v;
    v.display = options.display;
    v.configuration = PresentConfig(audit.config, busAudit, newestLock, options.display);
    v.shownHistory = std::move(shown);
    v.onlyVisit = onlyVisit;
    MarkShownHistory(v, audit.history);
    NamePeople(v, history.people);
    if (options.dst)
        CorrectDst(v, audit.timeDateTable, options.dstRule);
    *view = std::move(v);
    return true;
}

void NamePeople(AuditView& view, const Tenures& directory)
{
    std::shared_ptr<const PeopleIndex> index;
    if (!directory.isEmpty() && view.isHistory())
        index = std::make_shared<const PeopleIndex>(directory);
    if (view.shownHistory)
        view.shownHistory->setPeople(index);
    view.people = index;
    view.configuration.persons = bool(index);
    const QDate day = view.history.lastVisit.date();
    for (UserRow& u : view.configuration.users) {
        const Tenure* t = index ? index->covering(u.user, day) : nullptr;
        u.person = t ? t->person : QString();
    }
}

bool HistoryAsAudit(const LockHistory& history, DecodedAudit* out, bool* busAudit, QString* error)
{
    DecodedAudit audit;
    if (!DecodeLatest(history, &audit, busAudit, error))
        return false;
    PutHistoryEvents(history, &audit);
    *out = std::move(audit);
    return true;
}

void PutHistoryEvents(const LockHistory& history, DecodedAudit* out)
{
    const QHash<qint64, int> visits = VisitsByAudit(history);
    const auto events = [&](const DeviceHistory& device, quint8 deviceByte) {
        QList<EventsTable> list;
        list.reserve(device.eventCount());
        for (int r = device.runs.size() - 1; r >= 0; --r) {
            const QVector<HistoryEvent>& run = device.runs[r].events;
            for (auto e = run.crbegin(); e != run.crend(); ++e) {
                EventsTable t;
                t.time = t.dstTime = e->time;
                t.event = e->event;
                t.user = e->user;
                t.device = deviceByte;
                t.visit = visits.value(e->audit);
                t.run = r;
                list.append(t);
            }
        }
        return list;
    };
    out->lockEvents = events(history.lock, ::LockDevice);
    out->keypadEvents = events(history.keypad, ::KeypadDevice);
    out->history.visits = history.visits.size();
    if (!history.visits.isEmpty()) {
        out->history.firstVisit = history.visits.first().downloaded;
        out->history.lastVisit = history.visits.last().downloaded;
    }
}

QString ShownLockText(const QString& text)
{
    const auto padding = [](QChar c) { return c.isSpace() || c.unicode() == 0; };
    int first = 0, last = text.size();
    while (first < last && padding(text.at(first)))
        ++first;
    while (last > first && padding(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}
