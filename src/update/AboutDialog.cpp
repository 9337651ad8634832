#include "update/AboutDialog.h"
#include "ui_AboutDialog.h"

#include "model/SettingsFile.h"
#include "update/UpdateCheck.h"
#include "update/UpdateDialog.h"
#include "update/UpdateServer.h"
#include "update/UpdateVersion.h"
#include "view/Messages.h"

#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    if (parent)
        setWindowIcon(parent->windowIcon());
    ui->labelVersion->setText(AboutText());

    if (UpdateServer::BaseUrl(SettingsFile::path()).isEmpty()) {
        ui->pushButtonCheckUpdates->setEnabled(false);
        ui->pushButtonCheckUpdates->setToolTip(tr("No update server is configured"));
    }
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

QString AboutDialog::AboutText()
{
    return QStringLiteral("<h4>%1 %2</h4><p>%3</p><p>%4</p><p>%5</p>")
        .arg(QStringLiteral("Corvane Audit"), UpdateVersion::Program(),
             tr("Reads, shows and exports the audit of electronic safe locks."),
             tr("Copyright \u00a9 the Corvane Audit developers. All rights reserved. This program is provided "
                "as is, without warranty of any kind. It uses Qt under the GNU Lesser General Public License "
                "version 3 (see \"About Qt\")."),
             tr("Please report problems, with the steps that lead to them and the audit file if there is "
                "one, on the Corvane Audit issue tracker."));
}

void AboutDialog::on_pushButtonCheckUpdates_clicked()
{
    const QUrl server = UpdateServer::BaseUrl(SettingsFile::path());
    if (server.isEmpty())
        return;
    // One check at a time: a second click would ask the question twice.
    ui->pushButtonCheckUpdates->setEnabled(false);
    auto* manager = new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &AboutDialog::downloadFinished);
    UpdateCheck::RequestVersion(*manager, server);
}

void AboutDialog::downloadFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    reply->manager()->deleteLater();
    ui->pushButtonCheckUpdates->setEnabled(true);
    if (!UpdateCheck::OffersUpdate(*reply)) {
        Messages::information(tr("No update available"));
        return;
    }
    if (!Messages::question(tr("An update is available. Do you want to download and install it?")))
        return;
    UpdateDialog dialog(this);
    dialog.exec();
}

void AboutDialog::on_pushButtonOk_clicked()
{
    close();
}

void AboutDialog::on_pushButtonAbout_clicked()
{
    QMessageBox::aboutQt(this, QString());
}
