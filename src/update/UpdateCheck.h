#pragma once

#include <QtGlobal>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

// The version-file request: sent through the caller's access manager, whose "finished" brings the reply.
namespace UpdateCheck {

// Larger than any version file: such a reply is given up and counts as naming no version.
constexpr qint64 MaxVersionFileSize = 64 * 1024;

QNetworkReply* RequestVersion(QNetworkAccessManager& manager, const QUrl& server);

// True when the finished reply brought a version file naming a version newer than this program's.
bool OffersUpdate(QNetworkReply& reply);

} // namespace UpdateCheck
