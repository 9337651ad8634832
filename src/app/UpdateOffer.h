#pragma once

#include <QObject>

class QNetworkAccessManager;
class QNetworkReply;
class QWidget;

// The window's update check: one request for the version file (none without a server), and,
// when it names a newer version, the offer to download the image.
class UpdateOffer : public QObject
{
    Q_OBJECT
public:
    explicit UpdateOffer(QWidget* window);

    // Its "finished" brings the answer, for answer().
    QNetworkAccessManager& network() { return *m_network; }
    void check();
    void answer(QNetworkReply* reply);
    // The image download, in its dialog.
    void download();

private:
    QWidget* m_window;
    QNetworkAccessManager* m_network;
};
