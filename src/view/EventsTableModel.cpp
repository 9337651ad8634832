#include "view/EventsTableModel.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>

EventsTableModel::EventsTableModel(QObject* parent)
    : QAbstractTableModel(parent), m_texts(std::make_unique<EventTexts>(DisplaySettings()))
{
}

EventsTableModel::~EventsTableModel() = default;

void EventsTableModel::setView(const AuditView& view)
{
    beginResetModel();
    m_view = view;
    m_rows.clear();
    if (!view.gapRows.isEmpty()) {
        const int events = view.eventCount();
        m_rows.reserve(events + view.gapRows.size());
        for (int e = 0, gap = 0; e < events; ++e) {
            if (gap < view.gapRows.size() && view.gapRows[gap] == e) {
                m_rows.append(-1);
                ++gap;
            }
            m_rows.append(e);
        }
    }
    m_texts = std::make_unique<EventTexts>(view.display);
    // The columns by place (the enumeration's order); "Person" only where someone is named.
    m_columns = EventColumnsOf(HistoryFace);
    m_columns.removeAll(EventColumn::Person);
    if (view.isHistory() && view.people)
        m_columns.append(EventColumn::Person);
    m_headers = EventColumnHeaders(m_columns);
    endResetModel();
}

int EventsTableModel::eventAt(int row) const
{
    if (m_rows.isEmpty())
        return row >= 0 && row < m_view.eventCount() ? row : -1;
    return m_rows.value(row, -1);
}

bool EventsTableModel::isNew(int row) const
{
    const int e = eventAt(row);
    if (!m_view.isHistory() || e < 0)
        return false;
    return (m_view.shownHistory ? m_view.shownHistory->visitAt(e) : m_view.events.at(e).visit) == m_view.history.visits;
}

int EventsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.isEmpty() ? m_view.eventCount() : m_rows.size();
}

int EventsTableModel::columnCount(const QModelIndex& parent) const
{
    // "Visit" only for a history: a single audit's table is as it always was.
    return parent.isValid() ? 0 : m_view.isHistory() ? int(m_columns.size()) : ColVisit;
}

QString EventsTableModel::text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    const int event = eventAt(row);
    if (event < 0)
        return column == ColEvent ? QCoreApplication::translate("MainWindow", "Events may be missing here") : QString();
    if (column < 0 || column >= m_columns.size())
        return QString();
    // A single audit's table has no "Visit".
    if (!(EventColumnOf(m_columns[column]).faces & (m_view.isHistory() ? HistoryFace : SingleAuditFace)))
        return QString();
    return EventCellText(m_columns[column], m_view.eventAt(event), *m_texts);
}

bool EventsTableModel::dstHighlighted(int row) const
{
    const int event = eventAt(row);
    if (!m_view.dstApplied || event < 0)
        return false;
    return DstHighlighted(m_view.eventAt(event), *m_texts, true);
}

QVariant EventsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() < m_columns.size())
        return int(EventColumnOf(m_columns[index.column()]).alignment);
    if (role == Qt::BackgroundRole && index.column() == ColDstDate && dstHighlighted(index.row()))
        return QColor(Qt::yellow);
    if (!m_view.isHistory())
        return QVariant();
    const bool separator = eventAt(index.row()) < 0;
    if (role == Qt::FontRole && (separator || isNew(index.row()))) {
        QFont font;
        font.setBold(!separator);
        font.setItalic(separator);
        return font;
    }
    if (separator && role == Qt::BackgroundRole)
        return QColor(0xE8, 0xE8, 0xE8);
    if (separator && role == Qt::ForegroundRole)
        return QColor(0x60, 0x60, 0x60);
    return QVariant();
}

QVariant EventsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void EventsFilterProxy::setAccepted(QVector<bool> accepted)
{
    m_accepted = std::move(accepted);
    invalidateFilter();
}

bool EventsFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return m_accepted.isEmpty() || (sourceRow < m_accepted.size() && m_accepted.at(sourceRow));
}
