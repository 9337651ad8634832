#include "view/DstGroup.h"
#include "ui_DstGroup.h"

DstGroup::DstGroup(QWidget* parent) : QGroupBox(parent), ui(new Ui::DstGroup)
{
    ui->setupUi(this);
}

DstGroup::~DstGroup()
{
    delete ui;
}

DstRule DstGroup::rule() const
{
    DstRule rule;
    rule.startOccurrence = ui->comboBoxFrom->currentIndex() + 1;
    rule.startWeekday = ui->comboBoxFromDay->currentIndex();
    rule.startMonth = ui->comboBoxFromMonth->currentIndex() + 1;
    rule.endOccurrence = ui->comboBoxTo->currentIndex() + 1;
    rule.endWeekday = ui->comboBoxToDay->currentIndex();
    rule.endMonth = ui->comboBoxToMonth->currentIndex() + 1;
    rule.subtract = ui->comboBoxAddSub->currentIndex() == 1;
    rule.shiftSeconds = DstShiftSeconds(ui->comboBoxHours->currentIndex());
    return rule;
}

Settings::DstChoice DstGroup::choice() const
{
    Settings::DstChoice c;
    c.from = ui->comboBoxFrom->currentIndex();
    c.fromDay = ui->comboBoxFromDay->currentIndex();
    c.fromMonth = ui->comboBoxFromMonth->currentIndex();
    c.to = ui->comboBoxTo->currentIndex();
    c.toDay = ui->comboBoxToDay->currentIndex();
    c.toMonth = ui->comboBoxToMonth->currentIndex();
    c.addSub = ui->comboBoxAddSub->currentIndex();
    c.hours = ui->comboBoxHours->currentIndex();
    return c;
}

void DstGroup::setChoice(const Settings::DstChoice& c)
{
    ui->comboBoxFrom->setCurrentIndex(c.from);
    ui->comboBoxFromDay->setCurrentIndex(c.fromDay);
    ui->comboBoxFromMonth->setCurrentIndex(c.fromMonth);
    ui->comboBoxTo->setCurrentIndex(c.to);
    ui->comboBoxToDay->setCurrentIndex(c.toDay);
    ui->comboBoxToMonth->setCurrentIndex(c.toMonth);
    ui->comboBoxAddSub->setCurrentIndex(c.addSub);
    ui->comboBoxHours->setCurrentIndex(c.hours);
}

void DstGroup::retranslate()
{
    // Item texts are set again in place, so each box keeps its choice.
    ui->retranslateUi(this);
}

QWidgetList DstGroup::focusOrder() const
{
    return { ui->comboBoxFrom, ui->comboBoxFromDay, ui->comboBoxFromMonth, ui->comboBoxAddSub, ui->comboBoxTo,
             ui->comboBoxToDay, ui->comboBoxToMonth, ui->comboBoxHours, ui->pushButton };
}
