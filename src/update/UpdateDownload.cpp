#include "update/UpdateDownload.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>
#include <QSaveFile>

UpdateDownload::UpdateDownload(QNetworkReply* reply, const QString& targetPath, QObject* parent)
    : QObject(parent), m_reply(reply), m_targetPath(targetPath)
{
    connect(reply, &QNetworkReply::readyRead, this, &UpdateDownload::writeAvailable);
}

UpdateDownload::~UpdateDownload() = default;

void UpdateDownload::writeAvailable()
{
    if (m_saveFailed) {
        m_reply->readAll();
        return;
    }
    // Opened with the first data, so a download that fails before any arrives creates nothing.
    if (!m_file) {
        m_file = std::make_unique<QSaveFile>(m_targetPath);
        if (m_targetPath.isEmpty() || !QDir().mkpath(QFileInfo(m_targetPath).path())
            || !m_file->open(QIODevice::WriteOnly))
            return giveUp();
    }
    const QByteArray chunk = m_reply->readAll();
    if (m_file->write(chunk) != chunk.size())
        return giveUp();
    m_written += chunk.size();
}

void UpdateDownload::giveUp()
{
    m_saveFailed = true;
    m_file.reset(); // uncommitted: its temporary file goes
    // Queued: aborting finishes the reply, whose handlers must not run inside its readyRead.
    QMetaObject::invokeMethod(m_reply, &QNetworkReply::abort, Qt::QueuedConnection);
}

UpdateDownload::Outcome UpdateDownload::finish()
{
    const QNetworkReply::NetworkError error = m_reply->error();
    if (!m_saveFailed && error == QNetworkReply::NoError && m_reply->bytesAvailable() > 0)
        writeAvailable();
    // An empty image, or fewer bytes than the server announced, is no image.
    const QVariant announced = m_reply->header(QNetworkRequest::ContentLengthHeader);
    Outcome outcome = Saved;
    if (m_saveFailed)
        outcome = SaveFailed;
    else if (error == QNetworkReply::OperationCanceledError)
        outcome = Cancelled;
    else if (error != QNetworkReply::NoError || m_written == 0
             || (announced.isValid() && announced.toLongLong() != m_written))
        outcome = DownloadFailed;
    else if (!m_file->commit())
        outcome = SaveFailed;
    m_file.reset();
    return outcome;
}
