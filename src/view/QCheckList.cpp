#include "view/QCheckList.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStandardItemModel>

void QCheckList::QCheckListStyledItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                                    const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    opt.showDecorationSelected = false;
    QStyledItemDelegate::paint(painter, opt, index);
}

QCheckList::QCheckList(QWidget* parent) : QComboBox(parent), m_model(new QStandardItemModel())
{
    setModel(m_model);
    setEditable(true);
    lineEdit()->setReadOnly(true);
    lineEdit()->installEventFilter(this);
    setItemDelegate(new QCheckListStyledItemDelegate(this));

    connect(lineEdit(), &QLineEdit::selectionChanged, lineEdit(), &QLineEdit::deselect);
    connect(view(), &QAbstractItemView::pressed, this, &QCheckList::on_itemPressed);
    connect(m_model, &QStandardItemModel::dataChanged, this, &QCheckList::on_modelDataChanged);
    // Return in the open list makes its current item the combo box's one, which writes that
    // item's text over the summary.
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &QCheckList::updateText);
}

QCheckList::~QCheckList()
{
    // The combo box still refers to the model until its own destructor runs.
    setModel(new QStandardItemModel(this));
    delete m_model;
}

QStandardItem* QCheckList::addCheckItem(const QString& label, const QVariant& data, Qt::CheckState state)
{
    auto* item = new QStandardItem(label);
    item->setCheckState(state);
    item->setData(data, Qt::UserRole + 1);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    m_model->appendRow(item);
    updateText();
    return item;
}

void QCheckList::setUncheckedItems(const QStringList& labels)
{
    QList<QStandardItem*> items;
    items.reserve(labels.size());
    for (const QString& label : labels) {
        auto* item = new QStandardItem(label);
        item->setCheckState(Qt::Unchecked);
        item->setData(false, Qt::UserRole + 1);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        items << item;
    }
    m_model->clear();
    if (!items.isEmpty())
        m_model->appendColumn(items);
    updateText();
}

int QCheckList::globalCheckState() const
{
    const int n = m_model->rowCount();
    if (n == 0)
        return UnknownState;
    int checked = 0;
    int unchecked = 0;
    for (int i = 0; i < n; ++i) {
        const int state = m_model->item(i)->data(Qt::CheckStateRole).toInt();
        if (state == Qt::Checked)
            ++checked;
        else if (state == Qt::Unchecked)
            ++unchecked;
        else
            return UnknownState;
    }
    if (checked == n)
        return AllChecked;
    if (unchecked == n)
        return NoneChecked;
    return SomeChecked;
}

QStringList QCheckList::checkedTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        const QStandardItem* item = m_model->item(i);
        if (item->data(Qt::CheckStateRole).toInt() == Qt::Checked)
            texts << item->text();
    }
    return texts;
}

QVariantList QCheckList::checkedData() const
{
    QVariantList data;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        const QStandardItem* item = m_model->item(i);
        if (item->data(Qt::CheckStateRole).toInt() == Qt::Checked)
            data << item->data(Qt::UserRole + 1);
    }
    return data;
}

void QCheckList::uncheckAll()
{
    for (int i = 0; i < m_model->rowCount(); ++i)
        m_model->item(i)->setCheckState(Qt::Unchecked);
}

void QCheckList::updateText()
{
    QString text;
    switch (globalCheckState()) {
    case NoneChecked: text = m_noneCheckedText; break;
    case AllChecked: text = m_allCheckedText; break;
    case SomeChecked: text = checkedTexts().join(QStringLiteral(", ")); break;
    default: text = m_unknownStateText; break;
    }
    lineEdit()->setText(text);
}

void QCheckList::on_modelDataChanged()
{
    updateText();
    emit globalCheckStateChanged(globalCheckState());
}

void QCheckList::on_itemPressed(const QModelIndex& index)
{
    QStandardItem* item = m_model->itemFromIndex(index);
    if (!item)
        return;
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void QCheckList::showPopup()
{
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    const int wanted = view()->sizeHintForColumn(0) + popup->width() - view()->viewport()->width();
    if (wanted <= popup->width())
        return;
    QRect g = popup->geometry();
    g.setWidth(wanted);
    if (const QScreen* screen = popup->screen()) {
        const QRect room = screen->availableGeometry();
        if (g.right() > room.right())
            g.moveRight(room.right());
        if (g.left() < room.left())
            g.moveLeft(room.left());
    }
    popup->setGeometry(g);
}

bool QCheckList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) {
        // Open the list as a press on the arrow does: a bare showPopup() would let the
        // release of this same click close it again at once.
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QPoint arrow =
            style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
        QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                          static_cast<QMouseEvent*>(event)->modifiers());
        QComboBox::mousePressEvent(&press);
        if (!view()->isVisible())
            showPopup();
        return true;
    }
    return false;
}

void QCheckList::keyPressEvent(QKeyEvent* event)
{
    // Stepping from item to item would show one item's text instead of the summary: the
    // closed list opens instead, and the other stepping keys do nothing.
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Space:
        showPopup();
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

void QCheckList::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}
