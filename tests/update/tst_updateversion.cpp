#include "UpdateServer.h"
#include "UpdateVersion.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class UpdateVersionTest : public QObject
{
    Q_OBJECT

private slots:
    void serverVersionAgainstProgram_data()
    {
        QTest::addColumn<QByteArray>("versionFile");
        QTest::addColumn<bool>("newer");
        QTest::newRow("same") << QByteArray("2.0.6.0") << false;
        QTest::newRow("last segment up") << QByteArray("2.0.6.1") << true;
        QTest::newRow("shorter but newer") << QByteArray("2.0.7") << true;
        QTest::newRow("minor up") << QByteArray("2.1") << true;
        QTest::newRow("prefix is older") << QByteArray("2.0.6") << false;
        QTest::newRow("longer wins") << QByteArray("2.0.6.0.0") << true;
        QTest::newRow("numeric, not textual") << QByteArray("2.0.10") << true;
        QTest::newRow("leading zeros") << QByteArray("002.000.007") << true;
        QTest::newRow("line end and comment") << QByteArray("2.0.7.0\r\n# released in May\n") << true;
        QTest::newRow("trailing dot") << QByteArray("2.0.7.") << true;
        QTest::newRow("empty dot ends the run") << QByteArray("2..7") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not a number") << QByteArray("version 3") << false;
        QTest::newRow("older major") << QByteArray("1.99.99.99") << false;
        QTest::newRow("NUL ends the text") << QByteArray("2.0.6\0.1", 8) << false;
        QTest::newRow("beyond 64 bits") << QByteArray("2.18446744073709551616") << true;
        QTest::newRow("beyond 64 bits, older") << QByteArray("1.18446744073709551616") << false;
    }
    void serverVersionAgainstProgram()
    {
        QFETCH(QByteArray, versionFile);
        QFETCH(bool, newer);
        QCOMPARE(UpdateVersion::Program(), QStringLiteral("2.0.6.0"));
        QCOMPARE(UpdateVersion::IsNewer(versionFile), newer);
        // The order is a true order: the other way round never also says newer.
        const UpdateVersion::Segments server = UpdateVersion::Parse(versionFile);
        const UpdateVersion::Segments program = UpdateVersion::Parse("2.0.6.0");
        QCOMPARE(UpdateVersion::Compare(program, server), -UpdateVersion::Compare(server, program));
    }

    void serverFromConfiguration_data()
    {
        QTest::addColumn<QVariant>("environment"); // invalid: not set
        QTest::addColumn<QVariant>("setting");     // invalid: no key
        QTest::addColumn<QString>("buildDefault");
        QTest::addColumn<QString>("expected");
        const QString env = "ftp://u:p@env.example:2121", ini = "ftp://u:p@ini.example", built = "ftp://u:p@built.example";
        QTest::newRow("environment first") << QVariant(env) << QVariant(ini) << built << env;
        QTest::newRow("then Settings.ini") << QVariant() << QVariant(ini) << built << ini;
        QTest::newRow("then the build") << QVariant() << QVariant() << built << built;
        QTest::newRow("none") << QVariant() << QVariant() << QString() << QString();
        QTest::newRow("empty variable switches off") << QVariant("") << QVariant(ini) << built << QString();
        QTest::newRow("empty key switches off") << QVariant() << QVariant("") << built << QString();
        QTest::newRow("not ftp") << QVariant("http://u:p@host/") << QVariant() << built << QString();
        QTest::newRow("no host") << QVariant("ftp:///updates") << QVariant() << built << QString();
        QTest::newRow("not a URL") << QVariant("ftp://u:p@host:port") << QVariant() << built << QString();
    }
    void serverFromConfiguration()
    {
        QFETCH(QVariant, environment);
        QFETCH(QVariant, setting);
        QFETCH(QString, buildDefault);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString ini = dir.filePath("Settings.ini");
        if (setting.isValid())
            QSettings(ini, QSettings::IniFormat).setValue("UpdateUrl", setting);
        if (environment.isValid())
            qputenv("CORVANE_AUDIT_UPDATE_URL", environment.toString().toUtf8());
        else
            qunsetenv("CORVANE_AUDIT_UPDATE_URL");
        QCOMPARE(UpdateServer::BaseUrl(ini, buildDefault), QUrl(expected));
        qunsetenv("CORVANE_AUDIT_UPDATE_URL");
    }

    void filesOnTheServer_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("versionFile");
        QTest::addColumn<QString>("image");
        QTest::newRow("top folder") << "ftp://u:p%23w@h:2121" << "ftp://u:p%23w@h:2121/updateCorvaneAuditMac"
                                    << "ftp://u:p%23w@h:2121/CorvaneAudit.dmg";
        QTest::newRow("a folder") << "ftp://u:p@h/corvane/" << "ftp://u:p@h/corvane/updateCorvaneAuditMac"
                                  << "ftp://u:p@h/corvane/CorvaneAudit.dmg";
    }
    void filesOnTheServer()
    {
        QFETCH(QString, server);
        QFETCH(QString, versionFile);
        QFETCH(QString, image);
        QCOMPARE(UpdateServer::VersionFileUrl(QUrl(server)).toString(), versionFile);
        QCOMPARE(UpdateServer::ImageUrl(QUrl(server)).toString(), image);
        QCOMPARE(UpdateServer::ImageUrl(QUrl(server)).password(), QUrl(server).password());
    }
};

QTEST_GUILESS_MAIN(UpdateVersionTest)
#include "tst_updateversion.moc"
