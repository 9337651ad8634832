#pragma once

#include <QDialog>

namespace Ui {
class SettingsDialog;
}

// Date format, hour format, audit type and archiving, stored in Settings.ini on "Ok".
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* parent = nullptr);
    ~SettingsDialog() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    Ui::SettingsDialog* ui;
};
