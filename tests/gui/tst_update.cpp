#include "update/AboutDialog.h"
#include "GuiTestSupport.h"
#include "update/UpdateDialog.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace guitest;

namespace {

const QString password = "Vault-7#pw", image = "CorvaneAudit.dmg", version = "updateCorvaneAuditMac";
const QString question = "An update is available. Do you want to download and install it?";
const QString copied = "Update file has been cpoied to Downloads folder";

// Writes `data` to `path`, or leaves no file there when `data` is null.
void putFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    file.remove();
    if (!data.isNull() && (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()))
        qFatal("cannot write %s", qPrintable(path));
}

// pyftpdlib on 127.0.0.1 and a free port, serving a folder of its own to one user, stopped when it goes.
struct FtpServer
{
    QTemporaryDir folder;
    QProcess process;
    int port = 0;
    explicit FtpServer(const QStringList& options = {})
    {
        process.start("/usr/bin/python3", QStringList { CORVANE_SOURCE_DIR "/tests/update/ftp_server.py",
                                                        folder.path(), "technician", password } + options);
        if (process.waitForReadyRead(10000))
            port = process.readLine().trimmed().toInt();
    }
    ~FtpServer() { process.terminate(); process.waitForFinished(); }
    QByteArray url(const QString& pass = password) const
    {
        return "ftp://technician:" + QUrl::toPercentEncoding(pass) + "@127.0.0.1:" + QByteArray::number(port);
    }
};

UpdateDialog* updateDialog() { return qobject_cast<UpdateDialog*>(QApplication::activeModalWidget()); }

// The image on the server and in Downloads before (null: none; empty: Downloads is a file), whether
// Cancel is pressed (on the slow server, once data has arrived), the message, the image after.
struct Download { QByteArray onServer, before; bool cancel; QString message; QByteArray after; };

} // namespace

Q_DECLARE_METATYPE(Download)

class UpdateTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<FtpServer> server, slowServer;
    QTemporaryDir home; // its Downloads folder receives the image
    QStringList asked;
    bool answer = false;

private slots:
    void initTestCase()
    {
        Messages::setQuestionInterceptor([this](const QString& text) { asked << text; return answer; });
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        server = std::make_unique<FtpServer>();
        slowServer = std::make_unique<FtpServer>(QStringList { "--rate", "131072", "--no-size" });
        QVERIFY(server->port > 0 && slowServer->port > 0);
    }
    void init()
    {
        removeSettings();
        qunsetenv("CORVANE_AUDIT_UPDATE_URL");
        asked.clear();
        answer = false;
        QFile::remove(home.filePath("Downloads"));
        QVERIFY(QDir(home.filePath("Downloads")).removeRecursively());
    }
    void noServerSendsNothing()
    {
        MainWindow w;
        QVERIFY(w.findChild<QNetworkAccessManager*>()->findChildren<QNetworkReply*>().isEmpty());
        QVERIFY(child<QToolButton>(w, "buttonAbout")->isEnabled());
        AboutDialog about(&w);
        QCOMPARE(about.windowIcon().cacheKey(), w.windowIcon().cacheKey());
        QVERIFY(about.isModal() && !(about.windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(child<QLabel>(about, "labelVersion")->text().startsWith("<h4>Corvane Audit 2.0.6.0</h4>"));
        auto* check = child<QPushButton>(about, "pushButtonCheckUpdates");
        QVERIFY(!check->isEnabled() && !check->toolTip().isEmpty());
    }

    void checks_data()
    {
        QTest::addColumn<QByteArray>("versionFile"); // null: none on the server
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<bool>("asks");
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost); // nothing listens there once it closes
        const QByteArray right = server->url();
        const QByteArray down = "ftp://technician@127.0.0.1:" + QByteArray::number(closed.serverPort());
        QTest::newRow("newer") << QByteArray("2.0.7\n") << right << true;
        QTest::newRow("same") << QByteArray("2.0.6.0\n") << right << false;
        QTest::newRow("server down") << QByteArray("2.0.7") << down << false;
        QTest::newRow("wrong password") << QByteArray("2.0.7") << server->url("wrong") << false;
        QTest::newRow("no version file") << QByteArray() << right << false;
        QTest::newRow("oversized version file") << QByteArray(70 * 1024, '9') << right << false;
    }
    // At start-up a failure says nothing; from the About dialog it is "No update available".
    void checks()
    {
        QFETCH(QByteArray, versionFile);
        QFETCH(QByteArray, url);
        QFETCH(bool, asks);
        putFile(server->folder.filePath(version), versionFile);
        qputenv("CORVANE_AUDIT_UPDATE_URL", url);
        CapturedMessages messages;
        MainWindow w;
        QSignalSpy startupReply(w.findChild<QNetworkAccessManager*>(), &QNetworkAccessManager::finished);
        QTRY_COMPARE_WITH_TIMEOUT(startupReply.count(), 1, 20000);
        QCOMPARE(asked + messages.texts(), asks ? QStringList { question } : QStringList());

        asked.clear();
        AboutDialog about(&w);
        child<QPushButton>(about, "pushButtonCheckUpdates")->click();
        QTRY_COMPARE_WITH_TIMEOUT(asked.size() + messages.list.size(), 1, 20000);
        QCOMPARE(asked + messages.texts(), QStringList { asks ? question : "No update available" });
    }

    void downloads_data()
    {
        QTest::addColumn<Download>("c");
        QByteArray img, old("older image");
        for (int i = 0; i < 700 * 1024; ++i)
            img += char(i % 251); // out of step with any chunk size
        QTest::newRow("fresh") << Download { img, {}, false, copied, img };
        QTest::newRow("replaces an older image") << Download { img, old, false, copied, img };
        QTest::newRow("missing, older kept") << Download { {}, old, false, "Unable to download update", old };
        QTest::newRow("Downloads not a folder") << Download { img, "", false, "Unable to install update", {} };
        QTest::newRow("cancelled, older kept") << Download { img.repeated(6), old, true, {}, old };
    }
    void downloads()
    {
        QFETCH(Download, c);
        const QString downloads = home.filePath("Downloads"), target = downloads + "/" + image;
        if (c.before.isEmpty())
            putFile(downloads, c.before);
        else if (QDir().mkpath(downloads))
            putFile(target, c.before);
        FtpServer& from = c.cancel ? *slowServer : *server;
        putFile(from.folder.filePath(version), "2.0.7\n");
        putFile(from.folder.filePath(image), c.onServer);
        qputenv("CORVANE_AUDIT_UPDATE_URL", from.url());

        // The bar as the message comes, or as Cancel is pressed (the slow server announces no size).
        int progress = -1;
        QStringList shown;
        Messages::setInterceptor([&](QMessageBox::Icon, const QString& text) {
            shown << text;
            progress = child<QProgressBar>(*updateDialog(), "progressBar")->value();
        });
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&]() {
            UpdateDialog* dialog = updateDialog();
            if (!c.cancel || !dialog || !poll.isActive())
                return;
            poll.stop();
            // After the dialog's own handler: the first data is already on its way to disk.
            QObject::connect(dialog->findChild<QNetworkReply*>(), &QNetworkReply::readyRead, dialog, [&, dialog]() {
                if (progress < 0) {
                    progress = child<QProgressBar>(*dialog, "progressBar")->value();
                    QTimer::singleShot(0, child<QPushButton>(*dialog, "pushButtonCancel"), &QPushButton::click);
                }
            });
        });
        poll.start(0);
        answer = true;
        MainWindow w;
        // The dialog runs inside the answer: once asked, it has closed.
        QTRY_VERIFY_WITH_TIMEOUT(!asked.isEmpty(), 30000);
        QVERIFY(!updateDialog());
        Messages::setInterceptor(nullptr);
        QCOMPARE(shown, c.message.isEmpty() ? QStringList() : QStringList { c.message });
        if (c.message == copied || c.cancel)
            QCOMPARE(progress, c.cancel ? 0 : 100);
        QFile file(target);
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), c.after);
        // No temporary file is left behind.
        QCOMPARE(QDir(downloads).entryList(QDir::Files | QDir::Hidden).size(), int(!c.after.isNull()));
    }
};

QTEST_MAIN(UpdateTest)
#include "tst_update.moc"
