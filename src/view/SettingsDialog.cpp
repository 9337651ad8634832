#include "SettingsDialog.h"
#include "ui_SettingsDialog.h"

#include "SettingsFile.h"

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent), ui(new Ui::SettingsDialog)
{
    ui->setupUi(this);
    const Settings settings = SettingsFile::read();
    const bool dayFirst = settings.display.dateFormat == 0;
    const bool hours24 = settings.display.hourFormat == 0;
    const bool fullAudit = settings.auditType == 0;
    ui->radioButtonEu->setChecked(dayFirst);
    ui->radioButtonUs->setChecked(!dayFirst);
    ui->radioButton24->setChecked(hours24);
    ui->radioButton12->setChecked(!hours24);
    ui->radioButtonFull->setChecked(fullAudit);
    ui->radioButtonSimple->setChecked(!fullAudit);
    ui->checkBoxArchive->setChecked(settings.archiveAudits);
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::on_btnOk_clicked()
{
    Settings settings;
    settings.display.dateFormat = ui->radioButtonEu->isChecked() ? 0 : 1;
    settings.display.hourFormat = ui->radioButton24->isChecked() ? 0 : 1;
    settings.auditType = ui->radioButtonFull->isChecked() ? 0 : 1;
    settings.archiveAudits = ui->checkBoxArchive->isChecked();
    SettingsFile::write(settings, SettingsFile::Choices);
    accept();
}

void SettingsDialog::on_btnCancel_clicked()
{
    reject();
}
