#include "AuditView.h"

#include "BusDecoder.h"
#include "DallasDecoder.h"

#include <QCoreApplication>
#include <QHash>

DecodedAudit DecodeAudit(const AuditSession& session)
{
    if (session.busAudit)
        return DecodeBusAudit(session);
    return DecodeDallasImage(session.dallasImage.data(), session.downloadTime);
}

void PresentEvents(AuditView& view, const DecodedAudit& audit, int auditType)
{
    view.events = MergeEvents(audit.lockEvents, audit.keypadEvents);
    FilterEvents(view.events, auditType);
    NumberEvents(view.events);
    MarkHistory(view, audit.history);
}

void MarkHistory(AuditView& view, const HistorySpan& history)
{
    view.history = history;
    view.gapRows.clear();
    if (!view.isHistory())
        return;
    // Newest first: a device's stretch number falls where its events skip a gap.
    QHash<int, int> stretch;
    for (int row = 0; row < view.events.size(); ++row) {
        const EventsTable& e = view.events[row];
        const auto seen = stretch.find(e.device);
        if (seen != stretch.end() && e.run < *seen && (view.gapRows.isEmpty() || view.gapRows.last() != row))
            view.gapRows.append(row);
        stretch[e.device] = e.run;
    }
}

void CorrectDst(AuditView& view, const QList<EventsTable>& timeDateTable, const DstRule& rule)
{
    ApplyDstCorrection(view.events, view.events.size(), timeDateTable, rule);
    view.dstApplied = true;
}

AuditView PresentAudit(const DecodedAudit& audit, bool busAudit, const PresentationOptions& options)
{
    AuditView view;
    view.display = options.display;
    view.configuration = PresentConfig(audit.config, busAudit, audit.lockEvents, options.display);
    PresentEvents(view, audit, options.auditType);
    if (options.dst)
        CorrectDst(view, audit.timeDateTable, options.dstRule);
    return view;
}

TextTable EventsTextTable(const AuditView& view)
{
    TextTable table;
    table.header = EventColumnHeaders();
    const bool history = view.isHistory();
    if (history)
        table.header << QCoreApplication::translate("MainWindow", "Visit");
    table.rows.reserve(view.events.size());
    const EventTexts texts(view.display);
    for (const EventsTable& e : view.events) {
        const EventRow r = texts.row(e, view.dstApplied);
        table.rows.append({ r.number, r.device, r.date, r.dstDate, r.user, r.event, r.eventId });
        if (history)
            table.rows.last() << QString::number(e.visit);
    }
    return table;
}

TextTable UsersTextTable(const ConfigPresentation& presentation)
{
    TextTable table;
    table.header = UserColumnHeaders();
    for (const UserRow& u : presentation.users)
        table.rows.append({ u.name, u.status, u.openingMode });
    return table;
}

TextTable ConfigurationTextTable(const ConfigPresentation& presentation)
{
    TextTable table;
    for (const ConfigItem& item : IdentityItems(presentation))
        table.rows.append({ item.caption, item.value });
    for (const ConfigItem& item : presentation.configuration)
        table.rows.append({ item.caption, item.value });
    return table;
}

static void appendField(QByteArray& out, const QString& field)
{
    QByteArray utf8 = field.toUtf8();
    // A spreadsheet would run a cell that starts like a formula; a lock's name is no formula.
    if (!utf8.isEmpty() && QByteArray("=+-@\t\r").contains(utf8.at(0)))
        utf8.prepend('\'');
    const bool quote = utf8.contains(',') || utf8.contains('"') || utf8.contains('\r') || utf8.contains('\n');
    if (!quote) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

static void appendLine(QByteArray& out, const QStringList& fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        appendField(out, fields.at(i));
    }
    out += "\r\n";
}

QByteArray ToCsv(const TextTable& table)
{
    QByteArray out;
    if (!table.header.isEmpty())
        appendLine(out, table.header);
    for (const QStringList& row : table.rows)
        appendLine(out, row);
    return out;
}
