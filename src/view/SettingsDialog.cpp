#include "SettingsDialog.h"
#include "ui_SettingsDialog.h"

#include "SettingsFile.h"

#include <QSettings>

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent), ui(new Ui::SettingsDialog)
{
    ui->setupUi(this);
    settingsFilePath = SettingsFile::path();

    QSettings settings(settingsFilePath, QSettings::IniFormat);
    const bool dayFirst = settings.value(QStringLiteral("DateFormat"), 0).toInt() == 0;
    const bool hours24 = settings.value(QStringLiteral("HourFormat"), 0).toInt() == 0;
    const bool fullAudit = settings.value(QStringLiteral("AuditType"), 1).toInt() == 0;
    ui->radioButtonEu->setChecked(dayFirst);
    ui->radioButtonUs->setChecked(!dayFirst);
    ui->radioButton24->setChecked(hours24);
    ui->radioButton12->setChecked(!hours24);
    ui->radioButtonFull->setChecked(fullAudit);
    ui->radioButtonSimple->setChecked(!fullAudit);
    ui->checkBoxArchive->setChecked(settings.value(QStringLiteral("ArchiveAudits"), true).toBool());
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::on_btnOk_clicked()
{
    QSettings settings(settingsFilePath, QSettings::IniFormat);
    settings.setValue(QStringLiteral("DateFormat"), ui->radioButtonEu->isChecked() ? 0 : 1);
    settings.setValue(QStringLiteral("HourFormat"), ui->radioButton24->isChecked() ? 0 : 1);
    settings.setValue(QStringLiteral("AuditType"), ui->radioButtonFull->isChecked() ? 0 : 1);
    settings.setValue(QStringLiteral("ArchiveAudits"), ui->checkBoxArchive->isChecked());
    settings.sync();
    accept();
}

void SettingsDialog::on_btnCancel_clicked()
{
    reject();
}
