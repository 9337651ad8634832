#include "AboutDialog.h"
#include "GuiTestSupport.h"
#include "UpdateDialog.h"
#include "update/FtpServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QToolButton>
#include <QtTest>

using namespace guitest;

namespace {

const QString imageName = QStringLiteral("CorvaneAudit.dmg");
const QString versionName = QStringLiteral("updateCorvaneAuditMac");
const QString question = QStringLiteral("An update is available. Do you want to download and install it?");

QStringList loggedMessages;

QByteArray image(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((quint32(i) * 2654435761u) >> 24);
    return bytes;
}

// Each run gets a home of its own, whose Downloads folder receives the image.
struct TemporaryHome
{
    QTemporaryDir home;
    TemporaryHome()
    {
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
    }
    QString downloads() const { return home.filePath("Downloads"); }
    QStringList downloadedFiles() const { return QDir(downloads()).entryList(QDir::Files | QDir::Hidden); }
    QByteArray image() const
    {
        QFile file(downloads() + "/" + imageName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// Answers the start-up question and remembers it was asked.
struct Answers
{
    QStringList asked;
    explicit Answers(bool yes)
    {
        Messages::setQuestionInterceptor([this, yes](const QString& text) {
            asked << text;
            return yes;
        });
    }
    ~Answers() { Messages::setQuestionInterceptor(nullptr); }
};

UpdateDialog* openUpdateDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<UpdateDialog*>(w); d && d->isVisible())
            return d;
    return nullptr;
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort(); // closed again on return: nothing listens there
}

} // namespace

class UpdateTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<FtpServer> server;

private slots:
    void initTestCase()
    {
        static const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                loggedMessages << text;
                previous(type, context, text);
            });
        server = std::make_unique<FtpServer>();
        QVERIFY(server->isRunning());
    }
    void init()
    {
        removeSettings();
        qunsetenv("CORVANE_AUDIT_UPDATE_URL");
    }
    void cleanupTestCase()
    {
        server.reset();
        qInstallMessageHandler(nullptr);
        for (const QString& m : loggedMessages)
            QVERIFY2(!m.contains(FtpServer::Password) && !m.contains(QUrl::toPercentEncoding(FtpServer::Password)), qPrintable(m));
    }

    void noServerSendsNothing()
    {
        MainWindow w;
        auto* manager = w.findChild<QNetworkAccessManager*>();
        QVERIFY(manager);
        QVERIFY(manager->findChildren<QNetworkReply*>().isEmpty());
        QVERIFY(child<QToolButton>(w, "buttonAbout")->isEnabled());

        AboutDialog about(&w);
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(about.windowIcon().cacheKey(), w.windowIcon().cacheKey());
        QVERIFY(!(about.windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(child<QLabel>(about, "labelVersion")->text().startsWith("<h4>Corvane Audit 2.0.6.0</h4>"));
        auto* check = child<QPushButton>(about, "pushButtonCheckUpdates");
        QVERIFY(!check->isEnabled());
        QVERIFY(!check->toolTip().isEmpty());
    }

    void checks_data()
    {
        QTest::addColumn<QByteArray>("versionFile"); // null: none on the server
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("serverUp");
        QTest::addColumn<bool>("asks");
        const QString right = FtpServer::Password;
        QTest::newRow("newer") << QByteArray("2.0.7\n") << right << true << true;
        QTest::newRow("same") << QByteArray("2.0.6.0\n") << right << true << false;
        QTest::newRow("server down") << QByteArray("2.0.7\n") << right << false << false;
        QTest::newRow("wrong password") << QByteArray("2.0.7\n") << "wrong" << true << false;
        QTest::newRow("no version file") << QByteArray() << right << true << false;
        QTest::newRow("oversized version file") << QByteArray(70 * 1024, '9') << right << true << false;
    }
    // At start-up a failure says nothing; from the About dialog it is "No update available".
    void checks()
    {
        QFETCH(QByteArray, versionFile);
        QFETCH(QString, password);
        QFETCH(bool, serverUp);
        QFETCH(bool, asks);
        server->put(versionName, versionFile);
        QByteArray url = server->url(password);
        if (!serverUp)
            url.replace(":" + QByteArray::number(QUrl(url).port()), ":" + QByteArray::number(freePort()));
        qputenv("CORVANE_AUDIT_UPDATE_URL", url);

        CapturedMessages messages;
        Answers answers(false);
        MainWindow w;
        QSignalSpy startupReply(w.findChild<QNetworkAccessManager*>(), &QNetworkAccessManager::finished);
        QTRY_COMPARE_WITH_TIMEOUT(startupReply.count(), 1, 20000);
        QCOMPARE(answers.asked, asks ? QStringList { question } : QStringList());
        QCOMPARE(messages.texts(), QStringList());

        answers.asked.clear();
        AboutDialog about(&w);
        child<QPushButton>(about, "pushButtonCheckUpdates")->click();
        QTRY_COMPARE_WITH_TIMEOUT(answers.asked.size() + messages.list.size(), 1, 20000);
        if (asks)
            QCOMPARE(answers.asked, QStringList { question });
        else
            QCOMPARE(messages.texts(), QStringList { "No update available" });
        QVERIFY(child<QPushButton>(about, "pushButtonCheckUpdates")->isEnabled());
    }

    void downloads_data()
    {
        QTest::addColumn<QByteArray>("onServer");  // null: no image there
        QTest::addColumn<QByteArray>("before");    // null: no file in Downloads
        QTest::addColumn<bool>("downloadsIsAFile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("after");     // null: no file in Downloads
        const QByteArray img = image(700 * 1024), old("older image");
        const QString copied = "Update file has been cpoied to Downloads folder";
        QTest::newRow("fresh") << img << QByteArray() << false << copied << img;
        QTest::newRow("replaces an older image") << img << old << false << copied << img;
        QTest::newRow("image missing, older kept") << QByteArray() << old << false << "Unable to download update"
                                                   << old;
        QTest::newRow("Downloads not a folder") << img << QByteArray() << true << "Unable to install update"
                                                << QByteArray();
    }
    void downloads()
    {
        QFETCH(QByteArray, onServer);
        QFETCH(QByteArray, before);
        QFETCH(bool, downloadsIsAFile);
        QFETCH(QString, message);
        QFETCH(QByteArray, after);
        TemporaryHome home;
        if (downloadsIsAFile)
            QVERIFY(QFile(home.downloads()).open(QIODevice::WriteOnly));
        if (!before.isNull()) {
            QVERIFY(QDir().mkpath(home.downloads()));
            QFile file(home.downloads() + "/" + imageName);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        }
        server->put(versionName, "2.0.7\n");
        server->put(imageName, onServer);
        qputenv("CORVANE_AUDIT_UPDATE_URL", server->url());

        Answers answers(true);
        int progressAtTheEnd = -1;
        QStringList shown;
        Messages::setInterceptor([&](QMessageBox::Icon, const QString& text) {
            shown << text;
            if (UpdateDialog* dialog = openUpdateDialog())
                progressAtTheEnd = child<QProgressBar>(*dialog, "progressBar")->value();
        });
        MainWindow w;
        QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, 30000);
        Messages::setInterceptor(nullptr);
        QCOMPARE(shown.first(), message);
        if (message.startsWith("Update file"))
            QCOMPARE(progressAtTheEnd, 100);
        QVERIFY(!openUpdateDialog());
        QCOMPARE(home.image(), after);
        // No temporary file is left behind.
        if (!downloadsIsAFile)
            QCOMPARE(home.downloadedFiles(), after.isNull() ? QStringList() : QStringList { imageName });
    }

    void cancelLeavesOlderImage()
    {
        TemporaryHome home;
        QVERIFY(QDir().mkpath(home.downloads()));
        QFile older(home.downloads() + "/" + imageName);
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older image") == 11);
        older.close();
        FtpServer slow(128 * 1024, false);
        QVERIFY(slow.isRunning());
        slow.put(versionName, "2.1\n");
        slow.put(imageName, image(4 * 1024 * 1024));
        qputenv("CORVANE_AUDIT_UPDATE_URL", slow.url());

        // Cancels once data has arrived; without an announced size the bar has not moved.
        int progressAtCancel = -1;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&]() {
            UpdateDialog* dialog = openUpdateDialog();
            auto* reply = dialog ? dialog->findChild<QNetworkReply*>() : nullptr;
            if (!reply)
                return;
            poll.stop();
            // Connected after the dialog's own handler: the first data is already on its way to disk.
            QObject::connect(reply, &QNetworkReply::readyRead, dialog, [&, dialog]() {
                if (progressAtCancel >= 0)
                    return;
                progressAtCancel = child<QProgressBar>(*dialog, "progressBar")->value();
                QTimer::singleShot(0, dialog, [dialog]() {
                    QTest::mouseClick(child<QPushButton>(*dialog, "pushButtonCancel"), Qt::LeftButton);
                });
            });
        });
        poll.start(0);

        CapturedMessages messages;
        Answers answers(true);
        MainWindow w;
        QTRY_VERIFY_WITH_TIMEOUT(progressAtCancel >= 0 && !openUpdateDialog(), 30000);
        QCOMPARE(progressAtCancel, 0);
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(home.downloadedFiles(), QStringList { imageName });
        QCOMPARE(home.image(), QByteArray("older image"));
    }
};

QTEST_MAIN(UpdateTest)
#include "tst_update.moc"
