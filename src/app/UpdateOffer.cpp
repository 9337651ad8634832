#include "app/UpdateOffer.h"

#include "model/SettingsFile.h"
#include "update/UpdateCheck.h"
#include "update/UpdateDialog.h"
#include "update/UpdateServer.h"
#include "view/Messages.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>

UpdateOffer::UpdateOffer(QWidget* window)
    : QObject(window), m_window(window), m_network(new QNetworkAccessManager(this))
{
}

void UpdateOffer::check()
{
    // Without a configured server nothing is sent at all.
    const QUrl server = UpdateServer::BaseUrl(SettingsFile::path());
    if (!server.isEmpty())
        UpdateCheck::RequestVersion(*m_network, server);
}

void UpdateOffer::answer(QNetworkReply* reply)
{
    reply->deleteLater();
    if (UpdateCheck::OffersUpdate(*reply)
        && Messages::question(QCoreApplication::translate(
            "MainWindow", "An update is available. Do you want to download and install it?")))
        download();
}

void UpdateOffer::download()
{
    UpdateDialog dialog(m_window);
    dialog.exec();
}
