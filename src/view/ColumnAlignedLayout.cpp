#include "ColumnAlignedLayout.h"

#include <QHeaderView>

ColumnAlignedLayout::ColumnAlignedLayout() : QHBoxLayout() {}

ColumnAlignedLayout::ColumnAlignedLayout(QWidget* parent) : QHBoxLayout(parent) {}

void ColumnAlignedLayout::setGeometry(const QRect& r)
{
    QHBoxLayout::setGeometry(r);

    if (!headerView || headerView->count() != count())
        return;

    const QWidget* owner = parentWidget();
    if (!owner)
        return;
    const int dx = headerView->mapToGlobal(QPoint(0, 0)).x() - owner->mapToGlobal(QPoint(0, 0)).x() + 15;

    for (int i = 0; i < headerView->count(); ++i) {
        QLayoutItem* item = itemAt(i);
        QRect g = item->geometry();
        const int left = headerView->sectionViewportPosition(i) + dx;
        g.setLeft(left);
        g.setWidth(headerView->sectionSize(i) - 30);
        item->setGeometry(g);
    }
}
