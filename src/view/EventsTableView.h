#pragma once

#include "model/AuditView.h"
#include "view/ColumnAlignedLayout.h"
#include "view/EventsTableModel.h"
#include "view/QCheckList.h"

#include <QCheckBox>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QVector>

class QTableView;

// The events table of the "Events" tab with the filter row above it: column set-up, the
// rows, the four check lists and their "Set"/"Reset" buttons, and the "Date with DST" column.
// It shows an audit view on the form's table through a filter; the window keeps the audit.
class EventsTableView : public QObject
{
    Q_OBJECT
public:
    enum Column {
        ColNumber = EventsTableModel::ColNumber,
        ColDevice = EventsTableModel::ColDevice,
        ColDate = EventsTableModel::ColDate,
        ColDstDate = EventsTableModel::ColDstDate,
        ColUser = EventsTableModel::ColUser,
        ColEvent = EventsTableModel::ColEvent,
        ColEventId = EventsTableModel::ColEventId,
        ColVisit = EventsTableModel::ColVisit,
        ColPerson = EventsTableModel::ColPerson,
        ColumnCount = EventsTableModel::ColumnCount
    };

    EventsTableView(QTableView* table, QWidget* filterRow, QObject* parent = nullptr);
    ~EventsTableView() override;

    QTableView* table() const { return m_table; }
    EventsTableModel& model() { return m_model; }
    const EventsTableModel& model() const { return m_model; }
    // The rows the filter lets through, as the table shows them.
    int shownRowCount() const;
    bool rowShown(int row) const;

    // Column count, widths and translated headers; "Date with DST" hidden.
    void setupColumns();
    // A new filter row in the current language: new "Set"/"Reset" buttons and layout, the same check lists.
    void rebuildFilterRow();
    // Hides "Date with DST" and gives "Event" its normal width (narrower beside "Person").
    void resetColumns();
    // Shows "Date with DST" and narrows "Event" beside it.
    void showDstColumn();

    // One table row per event of the view, in order, every row shown, the filter lists refilled;
    // "Date with DST" shown with the correction; for a history, the "Visit" column, a separator
    // row at each gap and the history bar, and "Person" after "User" when its directory names
    // anyone.
    void setView(const AuditView& view);
    // Above the table while a history is shown: the lock and its visits, and "Only new since last
    // visit". The window places it.
    QWidget* historyBar() { return &m_historyBar; }
    QCheckBox& onlyNewFilter() { return m_onlyNew; }
    // Under the table: "N events shown of M", or nothing without events. The window places it.
    QLabel* rowCountLabel() { return &m_rowCount; }
    // The four lists refilled with the distinct values of the rows, in the order first met.
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

    // Selects the row of the view's event `event` and scrolls to it; false when no row shows it.
    bool selectEvent(int event);

    // The text of a cell (of the model's rows, shown or not).
    QString cellText(int row, int column) const;
    // Whether the "Date with DST" cell of a row is painted solid yellow.
    bool dstHighlighted(int row) const;

private:
    // "Person", the model's last column, shown right after "User".
    void placePersonColumn();
    bool personShown() const;
    // Per row, the position of its value in each list, so a filter change is a walk over numbers.
    void showRowCount(int shownEvents);

    struct RowKeys
    {
        QVector<int> date, user, event, eventId;
        QStringList dates, users, events, eventIds;
    };

    QTableView* m_table;
    EventsTableModel m_model;
    EventsFilterProxy m_proxy;
    RowKeys m_keys;
    QWidget* m_filterRow;
    QCheckList m_dateFilter;
    QCheckList m_userFilter;
    QCheckList m_eventFilter;
    QCheckList m_eventIdFilter;
    QWidget m_column0Placeholder;
    QLabel m_column3Placeholder;
    QWidget m_visitPlaceholder;
    QWidget m_personPlaceholder;
    QLabel m_rowCount;
    QWidget m_historyBar;
    QLabel m_historyTitle;
    QCheckBox m_onlyNew;
    QPointer<QPushButton> m_btnSetFilter;
    QPointer<QPushButton> m_btnResetFilter;
    QPointer<ColumnAlignedLayout> m_alignedLayout;
};
