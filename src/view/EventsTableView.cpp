#include "EventsTableView.h"

#include "EventFilter.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include <iterator>

namespace {
const int columnWidths[EventsTableView::ColumnCount] = { 40, 110, 150, 150, 150, 470, 80 };
const int eventWidthWithDst = 320;

// Names and tooltips of the filter row, left to right; set again at every rebuild, so they
// follow the language.
struct FilterRowText
{
    const char* objectName;
    const char* accessibleName;
    const char* toolTip;
};
const FilterRowText filterRowTexts[] = {
    { "buttonSetFilter", QT_TRANSLATE_NOOP("MainWindow", "Set filter"),
      QT_TRANSLATE_NOOP("MainWindow", "Show only the rows that match the checked items") },
    { "buttonResetFilter", QT_TRANSLATE_NOOP("MainWindow", "Reset filter"),
      QT_TRANSLATE_NOOP("MainWindow", "Clear the checked items and show every row") },
    { "dateFilter", QT_TRANSLATE_NOOP("MainWindow", "Date filter"),
      QT_TRANSLATE_NOOP("MainWindow", "Dates to show") },
    { "userFilter", QT_TRANSLATE_NOOP("MainWindow", "User filter"),
      QT_TRANSLATE_NOOP("MainWindow", "Users to show") },
    { "eventFilter", QT_TRANSLATE_NOOP("MainWindow", "Event filter"),
      QT_TRANSLATE_NOOP("MainWindow", "Events to show") },
    { "eventIdFilter", QT_TRANSLATE_NOOP("MainWindow", "Event ID filter"),
      QT_TRANSLATE_NOOP("MainWindow", "Event IDs to show") },
};
} // namespace

EventsTableView::EventsTableView(QTableWidget* table, QWidget* filterRow, QObject* parent)
    : QObject(parent), m_table(table), m_filterRow(filterRow)
{
}

EventsTableView::~EventsTableView()
{
    // The check lists are members: take them out of the layout before it and its widget go.
    delete m_alignedLayout;
}

void EventsTableView::setupColumns()
{
    m_table->setColumnCount(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        m_table->setColumnWidth(c, columnWidths[c]);
    m_table->setHorizontalHeaderLabels(EventColumnHeaders());
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnHidden(ColDstDate, true);
}

void EventsTableView::rebuildFilterRow()
{
    delete m_alignedLayout;
    delete m_btnResetFilter;
    delete m_btnSetFilter;

    m_btnSetFilter = new QPushButton(QCoreApplication::translate("MainWindow", "Set"), m_filterRow);
    m_btnResetFilter = new QPushButton(QCoreApplication::translate("MainWindow", "Reset"), m_filterRow);

    auto* buttons = new QHBoxLayout();
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_btnSetFilter);
    buttons->addWidget(m_btnResetFilter);

    m_alignedLayout = new ColumnAlignedLayout();
    m_alignedLayout->setContentsMargins(0, 0, 0, 0);
    m_alignedLayout->addWidget(&m_column0Placeholder);
    m_alignedLayout->addLayout(buttons);
    m_alignedLayout->addWidget(&m_dateFilter);
    m_alignedLayout->addWidget(&m_column3Placeholder);
    m_alignedLayout->addWidget(&m_userFilter);
    m_alignedLayout->addWidget(&m_eventFilter);
    m_alignedLayout->addWidget(&m_eventIdFilter);
    m_filterRow->setLayout(m_alignedLayout);
    m_alignedLayout->setHeaderView(m_table->horizontalHeader());

    const QWidgetList widgets = focusOrder();
    for (int i = 0; i < int(std::size(filterRowTexts)); ++i) {
        const FilterRowText& text = filterRowTexts[i];
        widgets.at(i)->setObjectName(QLatin1String(text.objectName));
        widgets.at(i)->setAccessibleName(QCoreApplication::translate("MainWindow", text.accessibleName));
        widgets.at(i)->setToolTip(QCoreApplication::translate("MainWindow", text.toolTip));
    }

    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
            &EventsTableView::invalidateAlignedLayout, Qt::UniqueConnection);
    connect(m_table->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &EventsTableView::invalidateAlignedLayout, Qt::UniqueConnection);
}

QWidgetList EventsTableView::focusOrder()
{
    return { m_btnSetFilter, m_btnResetFilter, &m_dateFilter, &m_userFilter, &m_eventFilter, &m_eventIdFilter,
             m_table };
}

void EventsTableView::invalidateAlignedLayout()
{
    if (m_alignedLayout)
        m_alignedLayout->invalidate();
}

void EventsTableView::resetColumns()
{
    m_table->setColumnHidden(ColDstDate, true);
    m_table->setColumnWidth(ColEvent, columnWidths[ColEvent]);
}

void EventsTableView::showDstColumn()
{
    m_table->setColumnHidden(ColDstDate, false);
    m_table->setColumnWidth(ColEvent, eventWidthWithDst);
}

void EventsTableView::setRows(const QVector<EventRow>& rows)
{
    const bool sorting = m_table->isSortingEnabled();
    m_table->setSortingEnabled(false);
    m_table->setUpdatesEnabled(false);
    m_table->setRowCount(0);
    m_table->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const EventRow& row = rows.at(r);
        m_table->setItem(r, ColNumber, new QTableWidgetItem(row.number));
        m_table->setItem(r, ColDevice, new QTableWidgetItem(row.device));
        m_table->setItem(r, ColDate, new QTableWidgetItem(row.date));
        auto* dst = new QTableWidgetItem(row.dstDate);
        if (row.dstHighlight)
            dst->setBackground(Qt::yellow);
        m_table->setItem(r, ColDstDate, dst);
        m_table->setItem(r, ColUser, new QTableWidgetItem(row.user));
        m_table->setItem(r, ColEvent, new QTableWidgetItem(row.event));
        m_table->setItem(r, ColEventId, new QTableWidgetItem(row.eventId));
    }
    m_table->setUpdatesEnabled(true);
    m_table->setSortingEnabled(sorting);

    populateFilters();
}

QString EventsTableView::cellText(int row, int column) const
{
    const QTableWidgetItem* item = m_table->item(row, column);
    return item ? item->text() : QString();
}

bool EventsTableView::dstHighlighted(int row) const
{
    const QTableWidgetItem* item = m_table->item(row, ColDstDate);
    return item && item->background() == QBrush(Qt::yellow);
}

void EventsTableView::populateFilters()
{
    DistinctValues dates, users, events, ids;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        dates.add(DateKey(cellText(r, ColDate)));
        users.add(cellText(r, ColUser));
        events.add(cellText(r, ColEvent));
        ids.add(cellText(r, ColEventId));
    }
    m_dateFilter.setUncheckedItems(dates.values());
    m_userFilter.setUncheckedItems(users.values());
    m_eventFilter.setUncheckedItems(events.values());
    m_eventIdFilter.setUncheckedItems(ids.values());
}

void EventsTableView::applyFilter()
{
    FilterValues picks;
    picks.dates = m_dateFilter.checkedTexts();
    picks.users = m_userFilter.checkedTexts();
    picks.events = m_eventFilter.checkedTexts();
    picks.eventIds = m_eventIdFilter.checkedTexts();

    m_table->setUpdatesEnabled(false);
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const bool match = RowMatches(picks, DateKey(cellText(r, ColDate)), cellText(r, ColUser),
                                      cellText(r, ColEvent), cellText(r, ColEventId));
        m_table->setRowHidden(r, !match);
    }
    m_table->setUpdatesEnabled(true);
}

void EventsTableView::resetFilter()
{
    for (QCheckList* list : { &m_dateFilter, &m_userFilter, &m_eventFilter, &m_eventIdFilter })
        list->uncheckAll();
    for (int r = 0; r < m_table->rowCount(); ++r)
        m_table->setRowHidden(r, false);
}
