#pragma once

#include "model/AuditView.h"
#include "model/Findings.h"
#include "model/LockHistory.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// What the workbook and the PDF report print: a titled value of sections, each a table with its
// columns and rows. A section makes its rows when a writer asks for them, one at a time, so a
// history of a million events is never held as texts. The workbook writes a sheet per section,
// the PDF a section per section, in order.

// How a cell is marked beyond its text.
enum CellMark : quint8 {
    NoMark = 0,
    Highlighted = 1, // solid yellow: a daylight-saving date the correction could not be sure of
    Strong = 2,      // bold: the latest visit's events of a history
};

struct ReportColumn
{
    QString header;
    CellKind kind = CellKind::Text; // a number or a date, for the sections that keep them as such
    double sheetWidth = 0;          // the workbook's character units; 0 gives the column no width
    QString pdfWidth;               // the PDF's width attribute ("4%"); empty leaves the column out
};

struct ReportCell
{
    QString text;
    // A number column's number, a date column's audit seconds; only where the text is not empty.
    qint64 value = 0;
    quint8 marks = NoMark;
};

// One row as a section hands it over.
struct ReportRow
{
    QVector<ReportCell> cells;
    // A row between two rows rather than one of them ("Events may be missing here"): its text
    // stands in `separator`, the cells are empty.
    QString separator;
};

struct ReportSection
{
    enum Layout {
        Table, // a header row, then the rows
        Pairs, // caption and value a row, no header (the configuration)
    };
    QString name; // the sheet's name and the PDF's heading, translated
    Layout layout = Table;
    QVector<ReportColumn> columns;
    int rowCount = 0;
    std::function<void(int row, ReportRow& out)> row;
    // A Pairs section's key of each row, by which the PDF places it.
    QStringList keys;
    // The column that holds a separator row's text.
    int separatorColumn = 0;
    // Numbers as number cells and dates as date cells in the workbook.
    bool typedCells = false;
    // A header row that stays in sight, with an autofilter.
    bool frozenHeader = false;
    // Rules between columns after the first; the users' table has none.
    bool columnRules = true;
    // The one section whose rows may run into the millions: the PDF lays them out a page at a time,
    // the workbook writes them as they come.
    bool longRows = false;
    // Lines below the table, each a paragraph (the PDF) or a cell of its own (the workbook).
    QStringList notes;

    ReportRow rowAt(int r) const
    {
        ReportRow out;
        row(r, out);
        return out;
    }
};

struct ReportContent
{
    // Above the first section: a history names its lock, its visits and its gaps. Empty for a
    // single audit.
    QString title;
    QVector<ReportSection> sections;
    QString keypadDownloadTime; // "Keypad date/time at audit download:" as shown
    bool dstApplied = false;
    bool history = false;
    DisplaySettings display; // how the dates of date cells are shown
    // When the report was printed, for the PDF's footer; empty for a single audit's report.
    QString printed;

    // The section of that name (translated), or null.
    const ReportSection* section(const QString& name) const;
    ReportSection* section(const QString& name);
};

// The value labels of the "Configuration" group, in the workbook's order.
QStringList ReportConfigurationLabels();

// The report of a view: its events ("Audit"), users ("Users") and configuration ("Configuration").
// A history's events carry "Visit", a separator row at each gap and its latest visit in bold; its
// workbook keeps numbers and dates as such, its header in sight.
ReportContent ReportFromView(const AuditView& view);

// A section of fixed texts, for reports made of other values; `highlighted` marks cells yellow.
ReportSection TextSection(const QString& name, const QVector<ReportColumn>& columns, const QVector<QStringList>& rows,
                          const QVector<QVector<bool>>& highlighted = {});

// "Findings": a lock's findings as `archive findings --lock` lists them, less the lock's own columns.
ReportSection FindingsSection(const LockFindings& lock, const DisplaySettings& display);

// Where a history's audits came from, as the archive recorded each at its import, and the archive's
// chain head when the report was made: read after the history, it covers every visit shown.
struct HistoryEvidence
{
    QString serial;
    QVector<Visit> visits;
    QString chainHead;
};
// "Evidence": a row per visit (its SHA-256 whole), below it the chain head and how to check it all.
ReportSection EvidenceSection(const HistoryEvidence& evidence, const DisplaySettings& display);

// "Lock SERIAL NAME: N visits, FIRST to LAST", with the dates in the view's format.
QString HistoryTitle(const AuditView& view);
// A file name to suggest for a history's export: "SERIAL NAME FIRST to LAST.EXTENSION", dates as
// yyyy-MM-dd, without characters a file name may not hold.
QString HistoryFileName(const AuditView& view, const QString& extension);

// When a report is printed: SOURCE_DATE_EPOCH (seconds since 1970, UTC) when it is set, so that a
// build's reports come out the same; else now.
QDateTime ReportPrintedAt();
