#include "model/SettingsFile.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

// Settings.ini as the program finds it beside a copy run from its build folder: the keys of the
// file as they have always been, read whole and written in parts.
class SettingsFileTest : public QObject
{
    Q_OBJECT

    static QString file() { return QCoreApplication::applicationDirPath() + "/Settings.ini"; }
    static QByteArray bytes()
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void put(const QByteArray& text)
    {
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size());
    }

private slots:
    void init() { QFile::remove(file()); }
    void cleanupTestCase() { QFile::remove(file()); }

    void readsTheFilesKeys_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("expected"); // language, date, hour, audit type, DST choices, archiving
        QTest::newRow("no file") << QByteArray() << "1 0 0 1 0,0,0,0,0,0,0,0 1";
        QTest::newRow("all set") << QByteArray("[General]\nLanguage=2\nDateFormat=1\nHourFormat=1\nAuditType=0\n"
                                               "From=4\nTo=4\nFromDay=0\nToDay=0\nFromMonth=2\nToMonth=9\nAddSub=1\n"
                                               "Hours=2\nArchiveAudits=false\n")
                                 << "2 1 1 0 4,0,2,4,0,9,1,2 0";
        QTest::newRow("unknown language") << QByteArray("[General]\nLanguage=7\n") << "1 0 0 1 0,0,0,0,0,0,0,0 1";
        QTest::newRow("not numbers read as 0") << QByteArray("[General]\nLanguage=it\nAuditType=simple\nFrom=x\n")
                                     << "0 0 0 0 0,0,0,0,0,0,0,0 1";
    }

    void readsTheFilesKeys()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, expected);
        if (!ini.isNull())
            put(ini);
        const Settings s = SettingsFile::read();
        const Settings::DstChoice& d = s.dst;
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5,%6,%7,%8,%9,%10,%11,%12 %13")
                     .arg(s.language).arg(s.display.dateFormat).arg(s.display.hourFormat).arg(s.auditType)
                     .arg(d.from).arg(d.fromDay).arg(d.fromMonth).arg(d.to).arg(d.toDay).arg(d.toMonth)
                     .arg(d.addSub).arg(d.hours).arg(int(s.archiveAudits)),
                 expected);
    }

    // A write stores its own keys, under the names the file has always had, and leaves every
    // other key as it was: the archive's address with its password is never written back.
    void writesOnlyItsPart()
    {
        put("[General]\nArchiveUrl=postgresql://tech:s3cret@db/corvane\nUpdateUrl=ftp://u:pw@h\nHourFormat=1\n");
        Settings s = SettingsFile::read();
        QCOMPARE(s.archiveUrl, QStringLiteral("postgresql://tech:s3cret@db/corvane"));
        s.language = Settings::Spanish;
        s.display.dateFormat = 1;
        s.dst.toMonth = 9;
        s.windowGeometry = "geometry";
        SettingsFile::write(s, SettingsFile::Language);
        QSettings ini(file(), QSettings::IniFormat);
        QCOMPARE(ini.allKeys(), (QStringList{ "ArchiveUrl", "HourFormat", "Language", "UpdateUrl" }));
        QCOMPARE(ini.value("Language").toInt(), 2);

        SettingsFile::write(s, SettingsFile::Window | SettingsFile::Choices);
        ini.sync();
        QCOMPARE(ini.value("ToMonth").toInt(), 9);
        QCOMPARE(ini.value("mainWindowGeometry").toByteArray(), QByteArray("geometry"));
        QCOMPARE(ini.value("DateFormat").toInt(), 1);
        QCOMPARE(ini.value("AuditType").toInt(), 1);
        QCOMPARE(bytes().count("s3cret"), 1);
        QCOMPARE(bytes().count("pw@"), 1);
        const Settings again = SettingsFile::read();
        QCOMPARE(again.dst.toMonth, 9);
        QCOMPARE(again.display.hourFormat, 1);
    }

    void recentFilesKeepTheLastEight()
    {
        Settings s;
        for (int i = 1; i <= 10; ++i)
            s.addRecentFile(QStringLiteral("/audits/%1.kaud").arg(i));
        s.addRecentFile("/audits/5.kaud");
        QCOMPARE(s.recentFiles, (QStringList{ "/audits/5.kaud", "/audits/10.kaud", "/audits/9.kaud", "/audits/8.kaud",
                                              "/audits/7.kaud", "/audits/6.kaud", "/audits/4.kaud", "/audits/3.kaud" }));
        s.recentFiles << "/audits/a, b.kaud";
        s.folders[Settings::PdfReports] = "/reports";
        SettingsFile::write(s, SettingsFile::RecentFiles | SettingsFile::Folders);
        const Settings read = SettingsFile::read();
        QCOMPARE(read.recentFiles, s.recentFiles.mid(0, 8));
        QCOMPARE(read.folders[Settings::PdfReports], QStringLiteral("/reports"));
        QVERIFY(read.folders[Settings::AuditFiles].isEmpty());
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
