#pragma once

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPointer>


// A row of widgets kept under the columns of a table header: item i follows section i,
// 15 px inside it on each side, through resizes and horizontal scrolling; a hidden section or
// one the header does not have leaves its item no room.
class ColumnAlignedLayout : public QHBoxLayout
{
    Q_OBJECT
public:
    ColumnAlignedLayout();
    explicit ColumnAlignedLayout(QWidget* parent);

    void setHeaderView(QHeaderView* header) { headerView = header; }
    QHeaderView* trackedHeaderView() const { return headerView; }

    void setGeometry(const QRect& r) override;

private:
    QPointer<QHeaderView> headerView;
};
