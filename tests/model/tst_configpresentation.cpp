#include "ConfigPresentation.h"

#include <QtTest>

#include <functional>

namespace {

QString valueOf(const ConfigPresentation& p, const QString& label)
{
    for (const ConfigItem& item : p.configuration)
        if (item.labelName == label)
            return item.value;
    return QStringLiteral("<missing %1>").arg(label);
}

ConfigPresentation present(const Config& config)
{
    return PresentConfig(config, false, {}, DisplaySettings{});
}

QList<EventsTable> lockEventsAt(const QList<qint64>& times)
{
    QList<EventsTable> events;
    for (qint64 t : times) {
        EventsTable e;
        e.time = t;
        e.dstTime = t;
        events << e;
    }
    return events;
}

QStringList names(const ConfigPresentation& p)
{
    QStringList out;
    for (const UserRow& row : p.users)
        out << row.name;
    return out;
}

} // namespace

class TestConfigPresentation : public QObject
{
    Q_OBJECT

private slots:
    void identity();
    void downloadTimes_data();
    void downloadTimes();
    void labelOrder();
    void values();
    void yesNoFields();
    void usersOrder();
    void userTexts();
};

void TestConfigPresentation::identity()
{
    Config c;
    c.lockName = QStringLiteral("Vault 3");
    c.serialNumber = QStringLiteral("0012345");
    c.lockVersion = QStringLiteral("2.07");
    c.keypadVersion = QStringLiteral("1.10");
    c.downloadTime = QDateTime(QDate(2022, 3, 7), QTime(20, 26, 40));
    const ConfigPresentation p = PresentConfig(c, true, lockEventsAt({3600}), DisplaySettings{});

    // The export pairs these captions with the values, so the order matters.
    const QVector<ConfigItem> items = IdentityItems(p);
    const QStringList values = {c.lockName, c.serialNumber, c.lockVersion, c.keypadVersion,
                                "07/03/2022 20.26.40", "01/01/2000 01.00.00"};
    QCOMPARE(IdentityCaptions().size(), values.size());
    QCOMPARE(items.size(), values.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i].caption, IdentityCaptions().at(i));
        QCOMPARE(items[i].value, values.at(i));
    }
    QCOMPARE(items[4].caption, QStringLiteral("PC date/time at audit download:"));
}

void TestConfigPresentation::downloadTimes_data()
{
    QTest::addColumn<bool>("busAudit");
    QTest::addColumn<QDateTime>("downloadTime");
    QTest::addColumn<QList<qint64>>("lockTimes");
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<int>("hourFormat");
    QTest::addColumn<QString>("pc");
    QTest::addColumn<QString>("keypad");

    const QDateTime pcClock(QDate(2022, 3, 7), QTime(20, 26, 40));
    QTest::newRow("dallas") << false << pcClock << QList<qint64>{700000000} << 0 << 0 << "Not available"
                            << "07/03/2022 20.26.40";
    QTest::newRow("bus") << true << pcClock << QList<qint64>{700000000} << 1 << 1 << "03/07/2022 08.26.40 PM"
                         << "03/07/2022 08.26.40 PM";
    QTest::newRow("bus without time") << true << QDateTime() << QList<qint64>{} << 0 << 0 << "" << "";
    QTest::newRow("year 2000, 12 h") << false << QDateTime() << QList<qint64>{3600} << 1 << 1 << "Not available"
                                     << "01/01/2000 01.00.00 AM";
    QTest::newRow("year 2000, 24 h") << false << QDateTime() << QList<qint64>{3600} << 0 << 0 << "Not available"
                                     << "01/01/2000 01.00.00";
    QTest::newRow("time 0 is the lock's epoch") << false << QDateTime() << QList<qint64>{0, 700000000} << 0 << 0
                                                << "Not available" << "01/01/2000 00.00.00";
    QTest::newRow("first event, not the newest") << false << QDateTime() << QList<qint64>{3600, 700000000} << 0
                                                 << 0 << "Not available" << "01/01/2000 01.00.00";
    QTest::newRow("no lock events") << false << QDateTime() << QList<qint64>{} << 0 << 0 << "Not available" << "";
}

void TestConfigPresentation::downloadTimes()
{
    QFETCH(bool, busAudit);
    QFETCH(QDateTime, downloadTime);
    QFETCH(QList<qint64>, lockTimes);
    QFETCH(int, dateFormat);
    QFETCH(int, hourFormat);
    QFETCH(QString, pc);
    QFETCH(QString, keypad);

    Config c;
    c.downloadTime = downloadTime;
    const ConfigPresentation p =
        PresentConfig(c, busAudit, lockEventsAt(lockTimes), DisplaySettings{dateFormat, hourFormat});
    QCOMPARE(p.pcDownloadTime, pc);
    QCOMPARE(p.keypadDownloadTime, keypad);
}

void TestConfigPresentation::labelOrder()
{
    const ConfigPresentation p = present(Config());
    QStringList labels;
    QStringList captions;
    for (const ConfigItem& item : p.configuration) {
        labels << item.labelName;
        captions << item.caption;
    }
    QCOMPARE(labels, (QStringList{"labelActiveConfiguration", "labelTD", "labelOW", "labelUsersDual",
                                  "labelOvrDual", "labelOvrUsers", "labelFirstOvr", "labelCodeExpiration",
                                  "labelCodeDisabling", "labelClosingTime", "labelBoltOpenAlarm",
                                  "labelInputConfiguration", "labelOutputConfiguration", "labelBuzzerMuted",
                                  "labelDateFormat", "labelSilentAlarm", "labelErc", "labelManagerManagement"}));
    QCOMPARE(captions.at(1), QStringLiteral("Time delay:"));
    QCOMPARE(captions.at(15), QStringLiteral("Silent alarm:"));
}

void TestConfigPresentation::values()
{
    struct Case
    {
        const char* label;
        std::function<void(Config&)> set;
        const char* expected;
    };
    const Case cases[] = {
        {"labelCodeExpiration", [](Config& c) { c.codeExpirationMonths = 0; }, "No"},
        {"labelCodeExpiration", [](Config& c) { c.codeExpirationMonths = 1; }, "1 month"},
        {"labelCodeExpiration", [](Config& c) { c.codeExpirationMonths = 12; }, "12 months"},
        {"labelBoltOpenAlarm", [](Config& c) { c.boltOpenAlarmMinutes = 0; }, "No"},
        {"labelBoltOpenAlarm", [](Config& c) { c.boltOpenAlarmMinutes = 1; }, "1 minute"},
        {"labelClosingTime", [](Config& c) { c.closingTimeSeconds = 20; }, "Manual"},
        {"labelClosingTime", [](Config& c) { c.timedClosing = true; }, "0 seconds"},
        {"labelClosingTime", [](Config& c) { c.timedClosing = true; c.closingTimeSeconds = 1; }, "1 second"},
        {"labelClosingTime", [](Config& c) { c.timedClosing = true; c.closingTimeSeconds = 20; }, "20 seconds"},
        {"labelFirstOvr", [](Config& c) { c.firstOverrideUser = 10; }, "10"},
        {"labelActiveConfiguration", [](Config& c) { c.activeConfiguration = 3; }, "03"},
        {"labelActiveConfiguration", [](Config& c) { c.activeConfiguration = 3; c.preSetup = true; }, "Pre-Setup"},
        {"labelTD", [](Config& c) { c.timeDelay = 5; }, "05"},
        {"labelInputConfiguration", [](Config& c) { c.inputConfiguration = 1; }, "Remote override"},
        {"labelInputConfiguration", [](Config& c) { c.inputConfiguration = 0; }, "Remote block"},
        {"labelOutputConfiguration", [](Config& c) { c.outputConfiguration = 2; }, "Bolt switch output"},
        {"labelOutputConfiguration", [](Config& c) { c.outputConfiguration = 0; }, "Silent alarm"},
        {"labelDateFormat", [](Config& c) { c.dateFormatUs = true; }, "mm/dd/yyyy"},
        {"labelDateFormat", [](Config& c) { c.dateFormatUs = false; }, "dd/mm/yyyy"},
    };
    for (const Case& tc : cases) {
        Config c;
        tc.set(c);
        const QString value = valueOf(present(c), QString::fromLatin1(tc.label));
        if (value != QLatin1String(tc.expected))
            QFAIL(qPrintable(QStringLiteral("%1: got \"%2\", expected \"%3\"").arg(tc.label, value, tc.expected)));
    }
}

// Each flag must reach its own label and no other.
void TestConfigPresentation::yesNoFields()
{
    const struct
    {
        const char* label;
        bool Config::*field;
    } flags[] = {
        {"labelUsersDual", &Config::usersDualMode},    {"labelOvrDual", &Config::overrideDualMode},
        {"labelOvrUsers", &Config::overrideUsers},     {"labelBuzzerMuted", &Config::buzzerMuted},
        {"labelSilentAlarm", &Config::silentAlarm},    {"labelErc", &Config::ercEnabled},
        {"labelManagerManagement", &Config::managerManagement},
    };
    for (const auto& on : flags) {
        Config c;
        c.*on.field = true;
        const ConfigPresentation p = present(c);
        for (const auto& flag : flags) {
            const QString expected = flag.field == on.field ? QStringLiteral("Yes") : QStringLiteral("No");
            QCOMPARE(valueOf(p, QString::fromLatin1(flag.label)), expected);
        }
    }
}

void TestConfigPresentation::usersOrder()
{
    Config c;
    QCOMPARE(names(present(c)), QStringList{"Master"});

    c.userStatus[80] = 1;
    QCOMPARE(names(present(c)), QStringList{"Master"});

    for (int user : {62, 61, 60, 81, 59, 12, 1, 0, 63, 70, 79, 82, 85, 98, 99})
        c.userStatus[size_t(user)] = 1;
    QCOMPARE(names(present(c)), (QStringList{"Master", "Master 2", "Manager", "Manager 2", "Manager 3",
                                             "User 01", "User 12", "User 59"}));

    c.userStatus[61] = 0;
    c.userStatus[12] = 0;
    QCOMPARE(names(present(c)), (QStringList{"Master", "Master 2", "Manager", "Manager 3", "User 01", "User 59"}));
}

void TestConfigPresentation::userTexts()
{
    Config c;
    c.openingMode[80] = 1; // status and opening mode are read independently
    c.userStatus[1] = 1;
    c.openingMode[1] = 1;
    c.userStatus[2] = 2;
    c.openingMode[2] = 2;
    c.userStatus[3] = 3;
    c.openingMode[3] = 3;
    c.userStatus[4] = 7;
    c.openingMode[4] = 9;
    c.userStatus[5] = 255;
    c.openingMode[5] = 0;

    const QVector<UserRow> rows = present(c).users;
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows[0].status, QString());
    QCOMPARE(rows[0].openingMode, QStringLiteral("Code only"));
    QCOMPARE(rows[1].status, QStringLiteral("Installed"));
    QCOMPARE(rows[1].openingMode, QStringLiteral("Code only"));
    QCOMPARE(rows[2].status, QStringLiteral("Disabled"));
    QCOMPARE(rows[2].openingMode, QStringLiteral("Code and Dallas key"));
    QCOMPARE(rows[3].status, QStringLiteral("Deleted"));
    QCOMPARE(rows[3].openingMode, QStringLiteral("Dallas key only"));
    QCOMPARE(rows[4].name, QStringLiteral("User 04"));
    QCOMPARE(rows[4].status, QString());
    QCOMPARE(rows[4].openingMode, QString());
    QCOMPARE(rows[5].status, QString());
    QCOMPARE(rows[5].openingMode, QString());
}

QTEST_GUILESS_MAIN(TestConfigPresentation)
#include "tst_configpresentation.moc"
