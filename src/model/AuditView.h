#pragma once

#include "model/AuditRecords.h"
#include "model/BusDecoder.h"
#include "model/ConfigPresentation.h"
#include "model/DallasDecoder.h"
#include "model/DstCorrection.h"
#include "model/EventMerge.h"
#include "model/EventRows.h"
#include "model/ShownHistory.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

// Decodes the session's raw audit by its source flag: a bus audit or a Dallas audit image.
DecodedAudit DecodeAudit(const AuditSession& session);

// How an audit is to be shown: the display settings, the audit type and, when asked for, one
// daylight-saving correction.
struct PresentationOptions
{
    DisplaySettings display;
    int auditType = SimpleAudit;
    bool dst = false;
    DstRule dstRule;
};

// One presentation of a decoded audit: what the window shows, the command line prints and the
// workbook and the PDF report write. Texts follow the language installed when it is made.
struct AuditView
{
    // Merged, filtered by the audit type and numbered, newest first; with the correction applied
    // each event's dstTime and mark are set.
    QList<EventsTable> events;
    // A lock's history held compactly, in place of `events` (which then stay empty).
    std::shared_ptr<ShownHistory> shownHistory;
    DisplaySettings display;
    bool dstApplied = false;
    DstRule dstRule; // the last correction's, once applied
    // The identity, the configuration pairs, the users and the two download times.
    ConfigPresentation configuration;
    // For a lock's history: its visits, and the rows above which events may be missing.
    HistorySpan history;
    QVector<int> gapRows;
    // A history that shows one visit's events alone: that visit; 0 for all of them.
    int onlyVisit = 0;
    // A lock's history whose directory names anyone: who held each user number (NamePeople).
    std::shared_ptr<const PeopleIndex> people;

    bool isHistory() const { return history.visits > 0; }
    // The events shown, whichever way they are held.
    int eventCount() const { return shownHistory ? shownHistory->size() : int(events.size()); }
    // With its person, when the view names people.
    ShownEvent eventAt(int row) const;
    // The columns this view's text tables have: a single audit's, and "Visit" for a history.
    QVector<EventColumn> columns() const { return EventColumnsOf(isHistory() ? HistoryFace : SingleAuditFace); }
};

// The steps of a presentation, in the order they always run.
// Merges lock and keypad events into the view and filters them by the audit type.
void PresentEvents(AuditView& view, const DecodedAudit& audit, int auditType);
// Marks the view as a lock's history (or not, for no visits) and finds the rows above which events
// may be missing; after the events are merged, filtered and numbered. A compact history knows its
// gaps already.
void MarkHistory(AuditView& view, const HistorySpan& history);
// One correction pass over the view's events (all of them), against the lock's clock settings.
void CorrectDst(AuditView& view, const QList<EventsTable>& timeDateTable, const DstRule& rule);
// Marks a view holding a compact history as a lock's history, its gaps taken from it.
void MarkShownHistory(AuditView& view, const HistorySpan& history);

// All the steps at once.
AuditView PresentAudit(const DecodedAudit& audit, bool busAudit, const PresentationOptions& options);

// A table as text, as the window shows it and the exports write it.
struct TextTable
{
    QStringList header;
    QVector<QStringList> rows;
};

// "#", "Device", "Date", "Date with DST", "User", "Event", "Event ID", and "Visit" for a history.
TextTable EventsTextTable(const AuditView& view);
TextTable EventsTextTable(const AuditView& view, const QVector<EventColumn>& columns);
// The cells of one row of the view's events in the view's columns, with texts made by `texts`.
QStringList EventCells(const AuditView& view, int row, const QVector<EventColumn>& columns, const EventTexts& texts);
// "User", "Status", "Opening mode"; an empty field where the window shows no item.
TextTable UsersTextTable(const ConfigPresentation& presentation);
// Caption and value rows, no header: identity, the two download times, then the configuration.
TextTable ConfigurationTextTable(const ConfigPresentation& presentation);

// Comma-separated values: UTF-8, CRLF line ends, quotes only where a field needs them; a field
// that a spreadsheet would take for a formula starts with an apostrophe.
QByteArray ToCsv(const TextTable& table);

// The same, a line at a time: each line is handed to `write` as soon as it is made (in pieces
// of a few hundred kilobytes), so a table of a million rows is never held whole. False as soon
// as `write` fails.
class CsvWriter
{
public:
    explicit CsvWriter(std::function<bool(const QByteArray&)> write);
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    bool line(const QStringList& fields);
    // The same a field at a time: each field, then the line's end.
    void field(const QString& text);
    bool endLine();
    // Hands over what is left; false when any write failed.
    bool finish();

private:
    std::function<bool(const QByteArray&)> m_write;
    QByteArray m_buffer;
    int m_fields = 0;
    bool m_ok = true;
};

// The view's events as CSV through `write`: the header, then one line an event.
bool WriteEventsCsv(const AuditView& view, const std::function<bool(const QByteArray&)>& write);
