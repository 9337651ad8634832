#pragma once

#include "model/AuditView.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QVector>

#include <memory>

// The events of an audit view as a table: texts are made when a cell is shown, so a history of
// a hundred thousand events is on screen as fast as a short audit. A lock's history has one more
// column, "Visit", its latest visit's events in bold, and a separator row at each gap.
static_assert(int(EventColumn::Person) == int(EventColumn::Visit) + 1, "Person is the window's last column");

class EventsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The event columns' places. A single audit has the first seven, a history "Visit" too, and
    // one whose directory names people "Person" last, which the table shows after "User" (it
    // moves the section), so that every other column keeps its place.
    enum Column {
        ColNumber = int(EventColumn::Number),
        ColDevice = int(EventColumn::Device),
        ColDate = int(EventColumn::Date),
        ColDstDate = int(EventColumn::DstDate),
        ColUser = int(EventColumn::User),
        ColEvent = int(EventColumn::Event),
        ColEventId = int(EventColumn::EventId),
        ColVisit = int(EventColumn::Visit),
        ColPerson = int(EventColumn::Person),
        ColumnCount
    };

    explicit EventsTableModel(QObject* parent = nullptr);
    ~EventsTableModel() override;

    void setView(const AuditView& view);
    const AuditView& view() const { return m_view; }
    // The texts the view's cells are made with (its display settings, the current language).
    const EventTexts& texts() const { return *m_texts; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The event a row shows, or -1 for a separator row.
    int eventAt(int row) const;
    // The number of events, and one of them as the outputs show it.
    int eventCount() const { return m_view.eventCount(); }
    ShownEvent shownEvent(int event) const { return m_view.eventAt(event); }
    // Whether a row is one of the latest visit's events of a history.
    bool isNew(int row) const;
    QString text(int row, int column) const;
    // Whether the "Date with DST" cell of a row is painted solid yellow.
    bool dstHighlighted(int row) const;

private:
    AuditView m_view;
    // Rows to events (-1 for a separator) when the view has gaps; empty when row and event match.
    QVector<int> m_rows;
    std::unique_ptr<EventTexts> m_texts;
    QVector<EventColumn> m_columns; // a history's, by place
    QStringList m_headers;
};

// Shows the rows the filter row lets through, in the model's order.
class EventsFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    // One flag per source row; empty lets every row through.
    void setAccepted(QVector<bool> accepted);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QVector<bool> m_accepted;
};
