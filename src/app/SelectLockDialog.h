#pragma once

#include <QDialog>

namespace Ui {
class SelectLockDialog;
}

// Asks how many events to download (500 proposed, 0 for all).
class SelectLockDialog : public QDialog
{
    Q_OBJECT
public:
    SelectLockDialog(QWidget* parent, int* eventCount);
    ~SelectLockDialog() override;

public slots:
    void on_pushButtonOk_clicked();
    void on_pushButtonCancel_clicked();

private:
    Ui::SelectLockDialog* ui;
    int* m_eventCount;
};
