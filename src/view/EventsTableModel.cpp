#include "EventsTableModel.h"

#include <QColor>

EventsTableModel::EventsTableModel(QObject* parent)
    : QAbstractTableModel(parent), m_texts(std::make_unique<EventTexts>(DisplaySettings()))
{
}

EventsTableModel::~EventsTableModel() = default;

void EventsTableModel::setView(const AuditView& view)
{
    beginResetModel();
    m_view = view;
    m_texts = std::make_unique<EventTexts>(view.display);
    m_headers = EventColumnHeaders();
    endResetModel();
}

int EventsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_view.events.size();
}

int EventsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString EventsTableModel::text(int row, int column) const
{
    if (row < 0 || row >= m_view.events.size())
        return QString();
    const EventsTable& e = m_view.events.at(row);
    switch (column) {
    case ColNumber: return e.rowNumber;
    case ColDevice: return m_texts->device(e.device);
    case ColDate: return m_texts->date(e.time);
    case ColDstDate: return m_texts->date(e.dstTime);
    case ColUser: return m_texts->user(e.event, e.user);
    case ColEvent: return m_texts->event(e.event, e.user);
    case ColEventId: return QString::number(e.event);
    default: return QString();
    }
}

bool EventsTableModel::dstHighlighted(int row) const
{
    if (!m_view.dstApplied || row < 0 || row >= m_view.events.size())
        return false;
    const EventsTable& e = m_view.events.at(row);
    return e.dstMarked || m_texts->date(e.dstTime).isEmpty();
}

QVariant EventsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::BackgroundRole && index.column() == ColDstDate && dstHighlighted(index.row()))
        return QColor(Qt::yellow);
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
