#include "app/SelectLockDialog.h"
#include "ui_SelectLockDialog.h"

#include <QRegularExpressionValidator>

SelectLockDialog::SelectLockDialog(QWidget* parent, int* eventCount)
    : QDialog(parent), ui(new Ui::SelectLockDialog), m_eventCount(eventCount)
{
    ui->setupUi(this);
    ui->lineEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{4}")), this));
}

SelectLockDialog::~SelectLockDialog()
{
    delete ui;
}

void SelectLockDialog::on_pushButtonOk_clicked()
{
    *m_eventCount = ui->lineEdit->text().toInt(); // 0 when empty
    accept();
    close();
}

void SelectLockDialog::on_pushButtonCancel_clicked()
{
    reject();
    close();
}
