#include "update/UpdateDialog.h"
#include "ui_UpdateDialog.h"

#include "model/SettingsFile.h"
#include "update/UpdateDownload.h"
#include "update/UpdateServer.h"
#include "view/Messages.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

UpdateDialog::UpdateDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::UpdateDialog), m_manager(new QNetworkAccessManager(this))
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    if (parent)
        setWindowIcon(parent->windowIcon());

    connect(m_manager, &QNetworkAccessManager::finished, this, &UpdateDialog::downloadFinished);
    const QUrl server = UpdateServer::BaseUrl(SettingsFile::path());
    m_reply = m_manager->get(QNetworkRequest(UpdateServer::ImageUrl(server)));
    connect(m_reply, &QNetworkReply::downloadProgress, this, &UpdateDialog::getDownloadData);
    m_download = new UpdateDownload(m_reply, UpdateServer::ImageSavePath(), this);
}

UpdateDialog::~UpdateDialog()
{
    delete ui;
}

void UpdateDialog::getDownloadData(qint64 received, qint64 total)
{
    // Without an announced size the bar stays where it is.
    if (total > 0)
        ui->progressBar->setValue(int(qBound<qint64>(0, received * 100 / total, 100)));
}

void UpdateDialog::on_pushButtonCancel_clicked()
{
    m_reply->abort();
}

void UpdateDialog::reject()
{
    // The reply's end closes the dialog, so a download never goes on unseen.
    if (!m_reply->isFinished())
        m_reply->abort();
    else
        QDialog::reject();
}

void UpdateDialog::downloadFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    switch (m_download->finish()) {
    case UpdateDownload::Saved:
        Messages::information(tr("Update file has been cpoied to Downloads folder"));
        return done(Accepted);
    case UpdateDownload::Cancelled:
        break;
    case UpdateDownload::DownloadFailed:
        Messages::critical(tr("Unable to download update"));
        break;
    case UpdateDownload::SaveFailed:
        Messages::critical(tr("Unable to install update"));
        break;
    }
    done(Rejected);
}
