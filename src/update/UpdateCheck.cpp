#include "update/UpdateCheck.h"

#include "update/UpdateServer.h"
#include "update/UpdateVersion.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace UpdateCheck {

QNetworkReply* RequestVersion(QNetworkAccessManager& manager, const QUrl& server)
{
    QNetworkReply* reply = manager.get(QNetworkRequest(UpdateServer::VersionFileUrl(server)));
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        // Queued: aborting finishes the reply, whose handlers must not run inside the reply's own signal.
        if (received > MaxVersionFileSize)
            QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
    });
    return reply;
}

bool OffersUpdate(QNetworkReply& reply)
{
    if (reply.error() != QNetworkReply::NoError)
        return false;
    const QByteArray body = reply.read(MaxVersionFileSize + 1);
    return body.size() <= MaxVersionFileSize && UpdateVersion::IsNewer(body);
}

} // namespace UpdateCheck
