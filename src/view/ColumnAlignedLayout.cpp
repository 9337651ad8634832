#include "view/ColumnAlignedLayout.h"

#include <QHeaderView>

ColumnAlignedLayout::ColumnAlignedLayout() : QHBoxLayout() {}

ColumnAlignedLayout::ColumnAlignedLayout(QWidget* parent) : QHBoxLayout(parent) {}

void ColumnAlignedLayout::setGeometry(const QRect& r)
{
    QHBoxLayout::setGeometry(r);

    const QWidget* owner = parentWidget();
    if (!headerView || !owner)
        return;
    const int dx = headerView->mapToGlobal(QPoint(0, 0)).x() - owner->mapToGlobal(QPoint(0, 0)).x() + 15;

    // Item i under section i. The table may have fewer columns than the row has items (a single
    // audit has no "Visit" column): an item without its column takes no room.
    for (int i = 0; i < count(); ++i) {
        QLayoutItem* item = itemAt(i);
        QRect g = item->geometry();
        if (i < headerView->count()) {
            g.setLeft(headerView->sectionViewportPosition(i) + dx);
            g.setWidth(headerView->sectionSize(i) - 30);
        } else {
            g.setWidth(0);
        }
        item->setGeometry(g);
    }
}
