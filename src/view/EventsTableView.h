#pragma once

#include "ColumnAlignedLayout.h"
#include "EventRows.h"
#include "QCheckList.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QVector>

class QTableWidget;

// The events table of the "Events" tab with the filter row above it: column set-up, the
// rows, the four check lists and their "Set"/"Reset" buttons, and the "Date with DST" column.
// It works on the form's table and filter-row container; the window keeps the audit.
class EventsTableView : public QObject
{
    Q_OBJECT
public:
    enum Column { ColNumber, ColDevice, ColDate, ColDstDate, ColUser, ColEvent, ColEventId, ColumnCount };

    EventsTableView(QTableWidget* table, QWidget* filterRow, QObject* parent = nullptr);
    ~EventsTableView() override;

    QTableWidget* table() const { return m_table; }

    // Column count, widths and translated headers; "Date with DST" hidden.
    void setupColumns();
    // A new filter row in the current language: new "Set"/"Reset" buttons and layout, the same check lists.
    void rebuildFilterRow();
    // Hides "Date with DST" and gives "Event" its normal width.
    void resetColumns();
    // Shows "Date with DST" and narrows "Event" beside it.
    void showDstColumn();

    // One table row per event row, in order, then the filter lists refilled.
    void setRows(const QVector<EventRow>& rows);
    void populateFilters();
    // Hides the rows that do not match the picks; shows the others.
    void applyFilter();
    // Clears every pick and shows every row.
    void resetFilter();
    void invalidateAlignedLayout();
    // The filter row, left to right, then the table: the order in which Tab reaches them.
    QWidgetList focusOrder();

    QPushButton* setButton() const { return m_btnSetFilter; }
    QPushButton* resetButton() const { return m_btnResetFilter; }
    QCheckList& dateFilter() { return m_dateFilter; }
    QCheckList& userFilter() { return m_userFilter; }
    QCheckList& eventFilter() { return m_eventFilter; }
    QCheckList& eventIdFilter() { return m_eventIdFilter; }
    ColumnAlignedLayout* filterRowLayout() const { return m_alignedLayout; }

    // The text of a cell, empty where the row has no item.
    QString cellText(int row, int column) const;
    // Whether the "Date with DST" cell of a row is painted solid yellow.
    bool dstHighlighted(int row) const;

private:
    QTableWidget* m_table;
    QWidget* m_filterRow;
    QCheckList m_dateFilter;
    QCheckList m_userFilter;
    QCheckList m_eventFilter;
    QCheckList m_eventIdFilter;
    QWidget m_column0Placeholder;
    QLabel m_column3Placeholder;
    QPointer<QPushButton> m_btnSetFilter;
    QPointer<QPushButton> m_btnResetFilter;
    QPointer<ColumnAlignedLayout> m_alignedLayout;
};
