#include "view/EventsTableView.h"

#include "model/ReportContent.h"
#include "view/EventFilter.h"

#include <QHash>

#include <limits>

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <iterator>

namespace {
const int columnWidths[EventsTableView::ColumnCount] = { 40, 110, 150, 150, 150, 470, 80, 60, 130 };
const int eventWidthWithDst = 320;
// "Person" takes its room from "Event": a history still fits a 1280-pixel window unscrolled.
const int eventWidthWithPerson = 400;
const int eventWidthWithDstAndPerson = 240;
const int historyNumberWidth = 60;
const int historyDateWidth = 170;

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

EventsTableView::EventsTableView(QTableView* table, QWidget* filterRow, QObject* parent)
    : QObject(parent), m_table(table), m_filterRow(filterRow)
{
    m_proxy.setSourceModel(&m_model);
    m_table->setModel(&m_proxy);

    auto* bar = new QHBoxLayout(&m_historyBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(&m_historyTitle, 1);
    bar->addWidget(&m_onlyNew);
    m_historyTitle.setObjectName(QStringLiteral("historyTitle"));
    m_onlyNew.setObjectName(QStringLiteral("onlyNewFilter"));
    m_historyBar.hide();
    connect(&m_onlyNew, &QCheckBox::toggled, this, &EventsTableView::applyFilter);
    m_rowCount.setObjectName(QStringLiteral("labelRowCount"));
    // The filter row follows the table's columns as they are resized or scrolled.
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this, &EventsTableView::invalidateAlignedLayout);
    connect(m_table->horizontalScrollBar(), &QScrollBar::valueChanged, this, &EventsTableView::invalidateAlignedLayout);
}

EventsTableView::~EventsTableView()
{
    // The check lists are members: take them out of the layout before it and its widget go.
    delete m_alignedLayout;
    // The bar, the count and their widgets are members too; the window's layout only holds them.
    m_historyBar.setParent(nullptr);
    m_rowCount.setParent(nullptr);
}

void EventsTableView::setupColumns()
{
    // The headers follow the language the view was last set in; a language change sets it again.
    m_model.setView(m_model.view());
    for (int c = 0; c < ColumnCount; ++c)
        m_table->setColumnWidth(c, columnWidths[c]);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnHidden(ColDstDate, true);
    m_table->setColumnHidden(ColVisit, !m_model.view().isHistory());
    placePersonColumn();
}

void EventsTableView::placePersonColumn()
{
    QHeaderView* header = m_table->horizontalHeader();
    if (ColPerson >= header->count())
        return;
    const int at = header->visualIndex(ColPerson);
    const int to = header->visualIndex(ColUser) + 1;
    if (at != to)
        header->moveSection(at, at < to ? to - 1 : to);
}

void EventsTableView::rebuildFilterRow()
{
    delete m_alignedLayout;
    delete m_btnResetFilter;
    delete m_btnSetFilter;

    m_btnSetFilter = new QPushButton(QCoreApplication::translate("MainWindow", "Set"), m_filterRow);
    m_btnResetFilter = new QPushButton(QCoreApplication::translate("MainWindow", "Reset"), m_filterRow);
    connect(m_btnSetFilter, &QPushButton::clicked, this, &EventsTableView::applyFilter);
    connect(m_btnResetFilter, &QPushButton::clicked, this, &EventsTableView::resetFilter);

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
    m_alignedLayout->addWidget(&m_visitPlaceholder);
    // Under "Person" wherever the header shows it: the layout follows sections, not places.
    m_alignedLayout->addWidget(&m_personPlaceholder);
    m_filterRow->setLayout(m_alignedLayout);
    m_alignedLayout->setHeaderView(m_table->horizontalHeader());

    m_onlyNew.setText(QCoreApplication::translate("MainWindow", "Only new since last visit"));
    if (m_model.view().isHistory())
        m_historyTitle.setText(HistoryTitle(m_model.view()));

    const QWidgetList widgets = focusOrder();
    for (int i = 0; i < int(std::size(filterRowTexts)); ++i) {
        const FilterRowText& text = filterRowTexts[i];
        widgets.at(i)->setObjectName(QLatin1String(text.objectName));
        widgets.at(i)->setAccessibleName(QCoreApplication::translate("MainWindow", text.accessibleName));
        widgets.at(i)->setToolTip(QCoreApplication::translate("MainWindow", text.toolTip));
    }
}

QWidgetList EventsTableView::focusOrder()
{
    return { m_btnSetFilter, m_btnResetFilter, &m_dateFilter, &m_userFilter, &m_eventFilter, &m_eventIdFilter,
             &m_onlyNew, m_table };
}

void EventsTableView::invalidateAlignedLayout()
{
    if (m_alignedLayout)
        m_alignedLayout->invalidate();
}

void EventsTableView::resetColumns()
{
    m_table->setColumnHidden(ColDstDate, true);
    m_table->setColumnWidth(ColEvent, personShown() ? eventWidthWithPerson : columnWidths[ColEvent]);
}

void EventsTableView::showDstColumn()
{
    m_table->setColumnHidden(ColDstDate, false);
    m_table->setColumnWidth(ColEvent, personShown() ? eventWidthWithDstAndPerson : eventWidthWithDst);
}

bool EventsTableView::personShown() const
{
    return ColPerson < m_model.columnCount();
}

void EventsTableView::setView(const AuditView& view)
{
    m_keys = RowKeys();
    {
        const QSignalBlocker quiet(&m_onlyNew);
        m_onlyNew.setChecked(false);
    }
    m_proxy.setAccepted({});
    m_model.setView(view);
    const bool history = view.isHistory();
    m_table->setColumnHidden(ColVisit, !history);
    m_table->setColumnWidth(ColPerson, columnWidths[ColPerson]);
    placePersonColumn();
    // A history numbers its rows into the tens of thousands and shows its newest in bold.
    m_table->setColumnWidth(ColNumber, history ? historyNumberWidth : columnWidths[ColNumber]);
    m_table->setColumnWidth(ColDate, history ? historyDateWidth : columnWidths[ColDate]);
    m_table->setColumnWidth(ColDstDate, history ? historyDateWidth : columnWidths[ColDstDate]);
    // "Event ID" is no longer the last column, which stretched to show its header in every language.
    const int idHeader = m_table->horizontalHeader()->sectionSizeHint(ColEventId);
    m_table->setColumnWidth(ColEventId, history ? qMax(columnWidths[ColEventId], idHeader) : columnWidths[ColEventId]);
    m_historyBar.setVisible(history);
    if (history)
        m_historyTitle.setText(HistoryTitle(view));
    if (view.dstApplied)
        showDstColumn();
    else
        resetColumns();
    populateFilters();
    showRowCount(int(view.events.size()));
}

void EventsTableView::showRowCount(int shownEvents)
{
    const int events = int(m_model.view().events.size());
    m_rowCount.setText(events == 0 ? QString()
                                   : QCoreApplication::translate("MainWindow", "%n events shown of %1", nullptr, shownEvents)
                                         .arg(events));
}

int EventsTableView::shownRowCount() const
{
    return m_proxy.rowCount();
}

bool EventsTableView::rowShown(int row) const
{
    return m_proxy.mapFromSource(m_model.index(row, 0)).isValid();
}

QString EventsTableView::cellText(int row, int column) const
{
    return m_model.text(row, column);
}

bool EventsTableView::dstHighlighted(int row) const
{
    return m_model.dstHighlighted(row);
}

namespace {

// The distinct texts of one column in the order first met, and each row's place among them.
class ColumnValues
{
public:
    int add(const QString& text)
    {
        auto it = m_index.find(text);
        if (it == m_index.end()) {
            it = m_index.insert(text, m_values.size());
            m_values.append(text);
        }
        return it.value();
    }
    const QStringList& values() const { return m_values; }

private:
    QStringList m_values;
    QHash<QString, int> m_index;
};

// Which of the values were picked; no pick lets every value through.
QVector<bool> picked(const QStringList& values, const QStringList& picks)
{
    QVector<bool> accepted(values.size(), picks.isEmpty());
    for (const QString& pick : picks) {
        const int at = values.indexOf(pick);
        if (at >= 0)
            accepted[at] = true;
    }
    return accepted;
}

} // namespace

void EventsTableView::populateFilters()
{
    const QList<EventsTable>& events = m_model.view().events;
    const EventTexts& texts = m_model.texts();
    ColumnValues dates, users, names, ids;
    // Texts are made once for each day and each (event, user) pair, not for each row.
    QHash<qint64, int> dayKeys;
    QHash<quint32, QPair<int, int>> userAndEvent;
    QHash<int, int> idKeys;
    RowKeys keys;
    for (QVector<int>* column : { &keys.date, &keys.user, &keys.event, &keys.eventId })
        column->reserve(events.size());
    for (const EventsTable& e : events) {
        // Audit times count from midnight, so a whole day shares one date key.
        const qint64 day = e.time == 0 ? std::numeric_limits<qint64>::min() : (e.time >= 0 ? e.time / 86400 : (e.time - 86399) / 86400);
        auto d = dayKeys.find(day);
        if (d == dayKeys.end())
            d = dayKeys.insert(day, dates.add(DateKey(texts.date(e.time))));
        keys.date.append(d.value());
        const quint32 pair = quint32(e.event & 0xFFFF) << 16 | quint32(e.user & 0xFFFF);
        auto u = userAndEvent.find(pair);
        if (u == userAndEvent.end())
            u = userAndEvent.insert(pair, { users.add(texts.user(e.event, e.user)), names.add(texts.event(e.event, e.user)) });
        keys.user.append(u.value().first);
        keys.event.append(u.value().second);
        auto i = idKeys.find(e.event);
        if (i == idKeys.end())
            i = idKeys.insert(e.event, ids.add(QString::number(e.event)));
        keys.eventId.append(i.value());
    }
    keys.dates = dates.values();
    keys.users = users.values();
    keys.events = names.values();
    keys.eventIds = ids.values();
    m_keys = keys;
    m_dateFilter.setUncheckedItems(dates.values());
    m_userFilter.setUncheckedItems(users.values());
    m_eventFilter.setUncheckedItems(names.values());
    m_eventIdFilter.setUncheckedItems(ids.values());
}

void EventsTableView::applyFilter()
{
    const QVector<bool> dates = picked(m_keys.dates, m_dateFilter.checkedTexts());
    const QVector<bool> users = picked(m_keys.users, m_userFilter.checkedTexts());
    const QVector<bool> events = picked(m_keys.events, m_eventFilter.checkedTexts());
    const QVector<bool> ids = picked(m_keys.eventIds, m_eventIdFilter.checkedTexts());
    const bool onlyNew = m_onlyNew.isChecked() && m_model.view().isHistory();
    const int rows = m_model.rowCount();
    QVector<bool> accepted(rows);
    int shown = 0;
    for (int r = 0; r < rows; ++r) {
        const int e = m_model.eventAt(r);
        if (e < 0) {
            accepted[r] = !onlyNew; // a separator stays between what it separates
            continue;
        }
        const bool picks = e >= m_keys.date.size()
            || (dates.value(m_keys.date.at(e)) && users.value(m_keys.user.at(e)) && events.value(m_keys.event.at(e))
                && ids.value(m_keys.eventId.at(e)));
        const bool accept = picks && (!onlyNew || m_model.isNew(r));
        accepted[r] = accept;
        shown += accept;
    }
    m_proxy.setAccepted(accepted);
    showRowCount(shown);
}

void EventsTableView::resetFilter()
{
    for (QCheckList* list : { &m_dateFilter, &m_userFilter, &m_eventFilter, &m_eventIdFilter })
        list->uncheckAll();
    {
        const QSignalBlocker quiet(&m_onlyNew);
        m_onlyNew.setChecked(false);
    }
    m_proxy.setAccepted({});
    showRowCount(int(m_model.view().events.size()));
}

bool EventsTableView::selectEvent(int event)
{
    for (int row = 0; row < m_model.rowCount(); ++row) {
        if (m_model.eventAt(row) != event)
            continue;
        const QModelIndex shown = m_proxy.mapFromSource(m_model.index(row, 0));
        if (!shown.isValid())
            return false;
        m_table->selectRow(shown.row());
        m_table->scrollTo(shown, QAbstractItemView::PositionAtCenter);
        return true;
    }
    return false;
}
