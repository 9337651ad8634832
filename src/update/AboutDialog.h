#pragma once

#include <QDialog>

class QNetworkReply;

namespace Ui {
class AboutDialog;
}

// Name, version and notice of the program; an update check on demand; Qt's own About box.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    static QString AboutText();

public slots:
    void on_pushButtonCheckUpdates_clicked();
    void downloadFinished(QNetworkReply* reply);
    void on_pushButtonOk_clicked();
    void on_pushButtonAbout_clicked();

private:
    Ui::AboutDialog* ui;
};
