#pragma once

#include "model/AuditRecords.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <Qt>

class EventTexts;

// The columns an events output can have, in one table: the window's table, the command line's
// text tables (export, show, history, search), the workbook and the PDF report all take their
// columns, headers and cell texts from it. A new column is one entry here and the producer of
// its value.

// One event as the outputs show it, whatever holds it (a single audit's list, a compact history).
struct ShownEvent
{
    qint64 number = 0; // "#"; 0 for an event that was never numbered
    qint64 time = 0;
    qint64 dstTime = 0;
    int event = 0;
    int user = 0;
    quint8 device = 0;
    int visit = 0; // in a lock's history, the visit that first brought it
    bool dstMarked = false;
    // The person who held the user's number on the event's day, from the lock's directory of
    // people; null for none and wherever no directory is at hand (a single audit).
    QString person;
};

ShownEvent ShownEventOf(const EventsTable& event);

// In the order the columns were added; the outputs show them in the table's order (Person after
// User), so the window's places of the first eight stay what they were.
enum class EventColumn { Number, Device, Date, DstDate, User, Event, EventId, Visit, Person };

// The outputs that show a column: a single audit's, a lock's history, a search across locks.
enum EventFace { SingleAuditFace = 1, HistoryFace = 2, SearchFace = 4 };

// What a cell holds beyond its text, for the outputs that keep numbers and dates as such.
enum class CellKind { Text, Number, DateTime };

struct EventColumnTraits
{
    EventColumn id;
    const char* header; // translated in the "MainWindow" context
    int faces;          // EventFace flags
    // The daylight-saving date: without a correction an output may leave it out (the PDF, the
    // command line's show), hide it (the window) or give it no width (the workbook).
    bool dstOnly;
    CellKind kind;
    Qt::Alignment alignment;
    int windowWidth;       // pixels, in the window's table
    double workbookWidth;  // the workbook's character units
    int pdfPercent;        // share of the PDF's width without the correction
    int pdfPercentWithDst; // and with it
    // The cell's text; a number or date column's text is what the window shows too.
    QString (*text)(const ShownEvent& event, const EventTexts& texts);
    // A number column's number, a date column's audit seconds; null for a text column.
    qint64 (*value)(const ShownEvent& event);
};

// Every column, in the order outputs show them (not the enumeration's).
const QVector<EventColumnTraits>& EventColumnTable();
const EventColumnTraits& EventColumnOf(EventColumn column);
// The columns a face shows, in order; without `dstShown` the daylight-saving date is left out.
QVector<EventColumn> EventColumnsOf(EventFace face, bool dstShown = true);
// The translated headers of those columns.
QStringList EventColumnHeaders(const QVector<EventColumn>& columns);
// "#", "Device", "Date", "Date with DST", "User", "Event", "Event ID", translated: a single
// audit's columns.
QStringList EventColumnHeaders();
// Where a column stands among `columns`, or -1.
int EventColumnIndex(const QVector<EventColumn>& columns, EventColumn column);

// The PDF's width attributes ("4%") of `columns`: each column's share with or without the
// correction, scaled to a whole 100% when the columns' shares add up to something else.
QStringList EventColumnPdfWidths(const QVector<EventColumn>& columns, bool dstApplied);

QString EventCellText(EventColumn column, const ShownEvent& event, const EventTexts& texts);
// Whether the "Date with DST" cell is painted solid yellow: with the correction applied, a marked
// event and an event without a daylight-saving date.
bool DstHighlighted(const ShownEvent& event, const EventTexts& texts, bool dstApplied);
