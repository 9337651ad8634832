#include "model/AuditView.h"

#include "model/BusDecoder.h"
#include "model/DallasDecoder.h"
#include "model/People.h"

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
    if (view.shownHistory) {
        MarkShownHistory(view, history);
        return;
    }
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
    if (view.shownHistory) {
        // A report made of the view before keeps the events it was made of.
        if (view.shownHistory.use_count() > 1)
            view.shownHistory = std::make_shared<ShownHistory>(*view.shownHistory);
        view.shownHistory->correctDst(timeDateTable, rule);
    } else {
        ApplyDstCorrection(view.events, view.events.size(), timeDateTable, rule);
    }
    view.dstApplied = true;
    view.dstRule = rule;
}

void MarkShownHistory(AuditView& view, const HistorySpan& history)
{
    view.history = history;
    view.gapRows = view.shownHistory && view.isHistory() ? view.shownHistory->gapRows() : QVector<int>();
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

ShownEvent AuditView::eventAt(int row) const
{
    if (shownHistory)
        return shownHistory->at(row);
    ShownEvent e = ShownEventOf(events.at(row));
    if (people)
        e.person = people->person(e.event, e.user, e.time);
    return e;
}

QStringList EventCells(const AuditView& view, int row, const QVector<EventColumn>& columns, const EventTexts& texts)
{
    const ShownEvent e = view.eventAt(row);
    QStringList cells;
    cells.reserve(columns.size());
    for (EventColumn c : columns)
        cells << EventCellText(c, e, texts);
    return cells;
}

TextTable EventsTextTable(const AuditView& view)
{
    return EventsTextTable(view, view.columns());
}

TextTable EventsTextTable(const AuditView& view, const QVector<EventColumn>& columns)
{
    TextTable table;
    table.header = EventColumnHeaders(columns);
    const int count = view.eventCount();
    table.rows.reserve(count);
    const EventTexts texts(view.display);
    for (int row = 0; row < count; ++row)
        table.rows.append(EventCells(view, row, columns, texts));
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
    // Most fields are short ASCII that needs no quotes: copied as they are, given up at the first
    // character that asks for more.
    const QChar* chars = field.constData();
    const int size = field.size();
    if (size == 0)
        return;
    switch (chars[0].unicode()) {
    case '=': case '+': case '-': case '@': case '\t': case '\r':
        break;
    default: {
        const int at = out.size();
        out.resize(at + size);
        char* to = out.data() + at;
        int i = 0;
        for (; i < size; ++i) {
            const ushort u = chars[i].unicode();
            if (u >= 0x80 || u == ',' || u == '"' || u == '\r' || u == '\n')
                break;
            to[i] = char(u);
        }
        if (i == size)
            return;
        out.resize(at);
    }
    }
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

CsvWriter::CsvWriter(std::function<bool(const QByteArray&)> write) : m_write(std::move(write))
{
    m_buffer.reserve(256 * 1024 + 4096);
}

CsvWriter::~CsvWriter() = default;

bool CsvWriter::line(const QStringList& fields)
{
    for (const QString& f : fields)
        field(f);
    return endLine();
}

void CsvWriter::field(const QString& text)
{
    if (m_fields++ > 0)
        m_buffer += ',';
    appendField(m_buffer, text);
}

bool CsvWriter::endLine()
{
    m_buffer += "\r\n";
    m_fields = 0;
    constexpr int Piece = 256 * 1024;
    if (m_buffer.size() >= Piece) {
        m_ok = m_ok && m_write(m_buffer);
        m_buffer.resize(0);
    }
    return m_ok;
}

bool CsvWriter::finish()
{
    if (!m_buffer.isEmpty())
        m_ok = m_ok && m_write(m_buffer);
    m_buffer.clear();
    return m_ok;
}

bool WriteEventsCsv(const AuditView& view, const std::function<bool(const QByteArray&)>& write)
{
    CsvWriter csv(write);
    const QVector<EventColumn> columns = view.columns();
    csv.line(EventColumnHeaders(columns));
    const EventTexts texts(view.display);
    // Each column's text found once, not once a cell: a history has millions of cells.
    QVector<decltype(EventColumnTraits::text)> cells;
    for (EventColumn c : columns)
        cells.append(EventColumnOf(c).text);
    const int count = view.eventCount();
    for (int row = 0; row < count; ++row) {
        const ShownEvent e = view.eventAt(row);
        for (const auto text : cells)
            csv.field(text(e, texts));
        if (!csv.endLine())
            return false;
    }
    return csv.finish();
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
