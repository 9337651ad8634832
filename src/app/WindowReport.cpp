#include "WindowReport.h"

#include "EventsTableView.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>

namespace {

QString cellText(const QTableWidget& table, int row, int column)
{
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

// The caption is the label to the left of the value in the group's grid.
QString captionOf(const QGroupBox& group, QLabel* value)
{
    auto* grid = qobject_cast<QGridLayout*>(group.layout());
    const int index = grid ? grid->indexOf(value) : -1;
    if (index < 0)
        return QString();
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QLayoutItem* item = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
    auto* caption = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return caption ? caption->text() : QString();
}

} // namespace

ReportContent WindowReport(const EventsTableView& events, const QTableWidget& users,
                           const QGroupBox& configuration, const QString& keypadDownloadTime, bool dstApplied)
{
    ReportContent content;
    const int rows = events.table()->rowCount();
    content.events.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        EventRow row;
        row.number = events.cellText(r, EventsTableView::ColNumber);
        row.device = events.cellText(r, EventsTableView::ColDevice);
        row.date = events.cellText(r, EventsTableView::ColDate);
        row.dstDate = events.cellText(r, EventsTableView::ColDstDate);
        row.user = events.cellText(r, EventsTableView::ColUser);
        row.event = events.cellText(r, EventsTableView::ColEvent);
        row.eventId = events.cellText(r, EventsTableView::ColEventId);
        row.dstHighlight = events.dstHighlighted(r);
        content.events.append(row);
    }
    for (int r = 0; r < users.rowCount(); ++r)
        content.users.append(UserRow{ cellText(users, r, 0), cellText(users, r, 1), cellText(users, r, 2) });
    for (const QString& name : ReportConfigurationLabels()) {
        if (auto* value = configuration.findChild<QLabel*>(name))
            content.configuration.append(ConfigItem{ name, captionOf(configuration, value), value->text() });
    }
    content.keypadDownloadTime = keypadDownloadTime;
    content.dstApplied = dstApplied;
    return content;
}
