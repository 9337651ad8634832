#include "model/ConfigPresentation.h"

#include <QtTest>

static ConfigPresentation Present(const Config& c, bool bus = false, const QList<qint64>& times = {}, int format = 0)
{
    QList<EventsTable> lockEvents;
    for (qint64 t : times)
        lockEvents << EventsTable { -1, -1, t, t, 5, 1, 1, QString(), false };
    return PresentConfig(c, bus, lockEvents, DisplaySettings { format, format });
}

// "LockSN=0012345" for the 6 identity and 18 configuration labels in order, then "User 01|Installed|Code only".
static QStringList Texts(const ConfigPresentation& p)
{
    QStringList texts;
    for (const ConfigItem& item : IdentityItems(p) + p.configuration)
        texts << item.labelName.mid(5) + '=' + item.value;
    for (const UserRow& row : p.users)
        texts << row.name + '|' + row.status + '|' + row.openingMode;
    return texts;
}

class TestConfigPresentation : public QObject
{
    Q_OBJECT

private slots:
    void identityAndDownloadTimes()
    {
        Config c;
        c.lockName = "Vault 3", c.serialNumber = "0012345", c.lockVersion = "2.07", c.keypadVersion = "1.10";
        c.downloadTime = QDateTime(QDate(2022, 3, 7), QTime(20, 26, 40));
        QCOMPARE(Texts(Present(c, true, { 700000000, 3600 })).mid(0, 6).join(", "), "LockName=Vault 3, LockSN=0012345, "
                 "LockVersion=2.07, KeypadVersion=1.10, DlDate2=07/03/2022 20.26.40, DlDate=07/03/2022 20.26.40");
        QCOMPARE(IdentityCaptions().join(' '), "Lock name: Serial number: Lock version: Keypad version: "
                                               "PC date/time at audit download: Keypad date/time at audit download:");
        // The keypad time is the lock's clock at the first lock event, even in 2000; a Dallas audit has no PC time.
        const ConfigPresentation dallas = Present(c, false, { 3600, 700000000 }, 1);
        QCOMPARE(dallas.pcDownloadTime + '|' + dallas.keypadDownloadTime, "Not available|01/01/2000 01.00.00 AM");
        const ConfigPresentation bus = Present(c, true, {}, 1);
        QCOMPARE(bus.pcDownloadTime + '|' + bus.keypadDownloadTime, "03/07/2022 08.26.40 PM|");
    }

    void configurationTexts()
    {
        Config c; // at its defaults
        QCOMPARE(Texts(Present(c)).mid(6, 18).join(' '), "ActiveConfiguration=00 TD=00 OW=00 UsersDual=No OvrDual=No "
            "OvrUsers=No FirstOvr=00 CodeExpiration=No CodeDisabling=No ClosingTime=Manual BoltOpenAlarm=No "
            "InputConfiguration=Remote block OutputConfiguration=Silent alarm BuzzerMuted=No DateFormat=dd/mm/yyyy "
            "SilentAlarm=No Erc=No ManagerManagement=No");
        c.timedClosing = c.dateFormatUs = true, c.activeConfiguration = 3, c.timeDelay = 5, c.openWindow = 120;
        c.firstOverrideUser = 10, c.codeExpirationMonths = 1, c.codeDisablingMonths = 12, c.boltOpenAlarmMinutes = 1;
        c.inputConfiguration = 1, c.outputConfiguration = 2;
        QCOMPARE(Texts(Present(c)).mid(6, 18).filter(QRegularExpression("=(?!No$)")).join(' '), // all but the flags
                 "ActiveConfiguration=03 TD=05 OW=120 FirstOvr=10 CodeExpiration=1 month CodeDisabling=12 months "
                 "ClosingTime=0 seconds BoltOpenAlarm=1 minute InputConfiguration=Remote override "
                 "OutputConfiguration=Bolt switch output DateFormat=mm/dd/yyyy");
        c.timedClosing = false, c.closingTimeSeconds = 20, c.boltOpenAlarmMinutes = 30, c.preSetup = true;
        QCOMPARE(Texts(Present(c)).filter(QRegularExpression("Active|Closing|BoltOpen")).join(' '),
                 "ActiveConfiguration=Pre-Setup ClosingTime=Manual BoltOpenAlarm=30 minutes");
        QStringList yes; // each flag reaches its own label and no other
        for (bool Config::*flag : { &Config::usersDualMode, &Config::overrideDualMode, &Config::overrideUsers,
             &Config::buzzerMuted, &Config::silentAlarm, &Config::ercEnabled, &Config::managerManagement }) {
            Config one;
            one.*flag = true;
            yes << Texts(Present(one)).filter("=Yes");
        }
        QCOMPARE(yes.join(' '), "UsersDual=Yes OvrDual=Yes OvrUsers=Yes BuzzerMuted=Yes SilentAlarm=Yes Erc=Yes "
                                "ManagerManagement=Yes");
    }

    void usersTable()
    {
        Config c;
        QCOMPARE(Texts(Present(c)).mid(24), QStringList { "Master||" }); // the master's row is always there
        for (int user : { 62, 61, 60, 81, 59, 12, 1, 0, 63, 79, 82, 98, 99 })
            c.userStatus[user] = 1, c.openingMode[user] = 1;
        c.userStatus[61] = 0, c.userStatus[12] = 2, c.openingMode[12] = 2, c.userStatus[59] = 3, c.openingMode[59] = 3;
        c.openingMode[80] = 1, c.userStatus[1] = 7, c.openingMode[1] = 9; // unknown values give no item
        QCOMPARE(Texts(Present(c)).mid(24).join(", "), "Master||Code only, Master 2|Installed|Code only, "
            "Manager|Installed|Code only, Manager 3|Installed|Code only, User 01||, "
            "User 12|Disabled|Code and Dallas key, User 59|Deleted|Dallas key only");
    }
};

QTEST_GUILESS_MAIN(TestConfigPresentation)
#include "tst_configpresentation.moc"
