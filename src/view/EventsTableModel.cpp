#include "EventsTableModel.h"

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
        m_rows.reserve(view.events.size() + view.gapRows.size());
        for (int e = 0, gap = 0; e < view.events.size(); ++e) {
            if (gap < view.gapRows.size() && view.gapRows[gap] == e) {
                m_rows.append(-1);
                ++gap;
            }
            m_rows.append(e);
        }
    }
    m_texts = std::make_unique<EventTexts>(view.display);
    m_headers = EventColumnHeaders() << QCoreApplication::translate("MainWindow", "Visit");
    endResetModel();
}

int EventsTableModel::eventAt(int row) const
{
    if (m_rows.isEmpty())
        return row >= 0 && row < m_view.events.size() ? row : -1;
    return m_rows.value(row, -1);
}

bool EventsTableModel::isNew(int row) const
{
    const int e = eventAt(row);
    return m_view.isHistory() && e >= 0 && m_view.events.at(e).visit == m_view.history.visits;
}

int EventsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.isEmpty() ? m_view.events.size() : m_rows.size();
}

int EventsTableModel::columnCount(const QModelIndex& parent) const
{
    // "Visit" only for a history: a single audit's table is as it always was.
    return parent.isValid() ? 0 : m_view.isHistory() ? ColumnCount : ColVisit;
}

QString EventsTableModel::text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    const int event = eventAt(row);
    if (event < 0)
        return column == ColEvent ? QCoreApplication::translate("MainWindow", "Events may be missing here") : QString();
    const EventsTable& e = m_view.events.at(event);
    switch (column) {
    case ColNumber: return e.rowNumber;
    case ColDevice: return m_texts->device(e.device);
    case ColDate: return m_texts->date(e.time);
    case ColDstDate: return m_texts->date(e.dstTime);
    case ColUser: return m_texts->user(e.event, e.user);
    case ColEvent: return m_texts->event(e.event, e.user);
    case ColEventId: return QString::number(e.event);
    case ColVisit: return m_view.isHistory() ? QString::number(e.visit) : QString();
    default: return QString();
    }
}

bool EventsTableModel::dstHighlighted(int row) const
{
    const int event = eventAt(row);
    if (!m_view.dstApplied || event < 0)
        return false;
    const EventsTable& e = m_view.events.at(event);
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
