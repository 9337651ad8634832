#pragma once

#include <QDialog>

class QNetworkAccessManager;
class QNetworkReply;
class UpdateDownload;

namespace Ui {
class UpdateDialog;
}

// Downloads the update image into the Downloads folder with a progress bar; closes itself in every outcome.
class UpdateDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UpdateDialog(QWidget* parent = nullptr);
    ~UpdateDialog() override;

    // Closing the window or Escape cancels the download too.
    void reject() override;

public slots:
    void downloadFinished(QNetworkReply* reply);
    void getDownloadData(qint64 received, qint64 total);
    void on_pushButtonCancel_clicked();

private:
    Ui::UpdateDialog* ui;
    QNetworkAccessManager* m_manager;
    QNetworkReply* m_reply = nullptr;
    UpdateDownload* m_download = nullptr;
};
