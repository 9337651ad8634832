#pragma once

#include <QComboBox>
#include <QStyledItemDelegate>

class QStandardItem;
class QStandardItemModel;

// A drop-down list of check boxes whose read-only line shows the checked items.
class QCheckList : public QComboBox
{
    Q_OBJECT
public:
    enum SummaryState { NoneChecked = 0, SomeChecked = 1, AllChecked = 2, UnknownState = 3 };

    // Keeps the selection highlight off the check box.
    class QCheckListStyledItemDelegate : public QStyledItemDelegate
    {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;
        void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    };

    explicit QCheckList(QWidget* parent = nullptr);
    ~QCheckList() override;

    void setAllCheckedText(const QString& text) { m_allCheckedText = text; updateText(); }
    void setNoneCheckedText(const QString& text) { m_noneCheckedText = text; updateText(); }
    void setUnknownStateText(const QString& text) { m_unknownStateText = text; updateText(); }

    QStandardItem* addCheckItem(const QString& label, const QVariant& data, Qt::CheckState state);
    int globalCheckState() const;
    QStringList checkedTexts() const;
    // The data given to each checked item, in the list's order.
    QVariantList checkedData() const;
    void uncheckAll();
    void updateText();

    // Replaces every item at once (one model reset instead of a signal per item).
    void setUncheckedItems(const QStringList& labels);

    // The open list is as wide as its longest entry with its check box, however narrow the box.
    void showPopup() override;

signals:
    void globalCheckStateChanged(int state);

public slots:
    void on_modelDataChanged();
    void on_itemPressed(const QModelIndex& index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QStandardItemModel* m_model;
    QString m_noneCheckedText;
    QString m_allCheckedText;
    QString m_unknownStateText;
};
