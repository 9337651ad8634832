#include "LockHistory.h"

#include "AuditFile.h"

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

TextTable SearchTextTable(const QVector<FoundEvent>& found, const DisplaySettings& display)
{
    TextTable table;
    table.header << LockColumnHeaders().mid(0, 2) << EventColumnHeaders()
                 << QCoreApplication::translate("MainWindow", "Visit");
    table.rows.reserve(found.size());
    const EventTexts texts(display);
    for (int k = 0; k < found.size(); ++k) {
        EventsTable e = found[k].event;
        e.rowNumber = QString::number(k + 1);
        const EventRow r = texts.row(e, false);
        table.rows.append({ found[k].serial, found[k].name, r.number, r.device, r.date, r.dstDate, r.user, r.event,
                            r.eventId, QString::number(e.visit) });
    }
    return table;
}

int LockHistory::visitOf(qint64 audit) const
{
    for (const Visit& v : visits)
        if (v.audit == audit)
            return v.number;
    return 0;
}

bool HistoryAsAudit(const LockHistory& history, DecodedAudit* out, bool* busAudit, QString* error)
{
    auto session = std::make_unique<AuditSession>();
    if (!AuditFile::Parse(history.latestAudit, *session).valid) {
        *error = Text::tr("The latest audit of lock %1 in the archive is not a valid audit file.").arg(history.serial);
        return false;
    }
    DecodedAudit audit = DecodeAudit(*session);
    if (!audit.ok) {
        *error = Text::tr("The latest audit of lock %1 in the archive no longer decodes.").arg(history.serial);
        return false;
    }
    QHash<qint64, int> visits;
    for (const Visit& v : history.visits)
        visits.insert(v.audit, v.number);
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
    audit.lockEvents = events(history.lock, ::LockDevice);
    audit.keypadEvents = events(history.keypad, ::KeypadDevice);
    audit.notices.clear();
    audit.history.visits = history.visits.size();
    if (!history.visits.isEmpty()) {
        audit.history.firstVisit = history.visits.first().downloaded;
        audit.history.lastVisit = history.visits.last().downloaded;
    }
    *busAudit = session->busAudit;
    *out = std::move(audit);
    return true;
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
