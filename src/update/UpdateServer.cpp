#include "update/UpdateServer.h"

#include "update/UpdateDefaults.h"

#include <QSettings>
#include <QStandardPaths>

namespace UpdateServer {

namespace {

QUrl onServer(const QUrl& server, const QString& file)
{
    QUrl url = server;
    QString folder = url.path();
    while (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    url.setPath(folder + file);
    return url;
}

} // namespace

QString BuildDefault()
{
    return QString::fromUtf8(CORVANE_DEFAULT_UPDATE_URL);
}

QUrl BaseUrl(const QString& settingsPath, const QString& buildDefault)
{
    QString text = buildDefault;
    const char* const variable = "CORVANE_AUDIT_UPDATE_URL";
    if (qEnvironmentVariableIsSet(variable)) {
        text = qEnvironmentVariable(variable);
    } else {
        QSettings settings(settingsPath, QSettings::IniFormat);
        if (settings.contains(QStringLiteral("UpdateUrl")))
            text = settings.value(QStringLiteral("UpdateUrl")).toString();
    }
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("ftp") || url.host().isEmpty() || url.hasQuery()
        || url.hasFragment())
        return QUrl();
    return url;
}

QUrl VersionFileUrl(const QUrl& server) { return onServer(server, QStringLiteral("/updateCorvaneAuditMac")); }
QUrl ImageUrl(const QUrl& server) { return onServer(server, QStringLiteral("/CorvaneAudit.dmg")); }

QString ImageSavePath()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return downloads.isEmpty() ? QString() : downloads + QStringLiteral("/CorvaneAudit.dmg");
}

} // namespace UpdateServer
