#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QNetworkReply;
class QSaveFile;

// Streams the update image from a reply into its file through a QSaveFile: the file appears, or replaces
// an older one, only once the whole image has arrived and been written. A cancelled or failed download
// leaves no file and an existing one untouched.
class UpdateDownload : public QObject
{
    Q_OBJECT
public:
    enum Outcome { Saved, Cancelled, DownloadFailed, SaveFailed };

    UpdateDownload(QNetworkReply* reply, const QString& targetPath, QObject* parent = nullptr);
    ~UpdateDownload() override;

    // Once the reply has finished: writes what is left and commits the file.
    Outcome finish();

private:
    void writeAvailable();
    void giveUp();

    QNetworkReply* m_reply;
    QString m_targetPath;
    std::unique_ptr<QSaveFile> m_file;
    qint64 m_written = 0;
    bool m_saveFailed = false;
};
