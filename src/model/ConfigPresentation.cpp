#include "model/ConfigPresentation.h"

#include <QCoreApplication>

namespace {

QString translate(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString yesNo(bool value)
{
    return value ? QCoreApplication::translate("MainWindow", "Yes") : QCoreApplication::translate("MainWindow", "No");
}

// Only the unit word is translated: the number and the blank stay as they are.
QString withUnit(int n, const char* one, const char* many, bool zeroIsNo)
{
    if (n == 0 && zeroIsNo)
        return yesNo(false);
    if (n == 1)
        return QStringLiteral("1 ") + translate(one);
    return QStringLiteral("%1 %2").arg(n).arg(translate(many));
}

QString months(int n)
{
    return withUnit(n, QT_TRANSLATE_NOOP("MainWindow", "month"), QT_TRANSLATE_NOOP("MainWindow", "months"), true);
}

QString minutes(int n)
{
    return withUnit(n, QT_TRANSLATE_NOOP("MainWindow", "minute"), QT_TRANSLATE_NOOP("MainWindow", "minutes"), true);
}

QString seconds(int n)
{
    return withUnit(n, QT_TRANSLATE_NOOP("MainWindow", "second"), QT_TRANSLATE_NOOP("MainWindow", "seconds"), false);
}

const char* const statusNames[] = {
    nullptr,
    QT_TRANSLATE_NOOP("MainWindow", "Installed"),
    QT_TRANSLATE_NOOP("MainWindow", "Disabled"),
    QT_TRANSLATE_NOOP("MainWindow", "Deleted"),
};

const char* const openingModeNames[] = {
    nullptr,
    QT_TRANSLATE_NOOP("MainWindow", "Code only"),
    QT_TRANSLATE_NOOP("MainWindow", "Code and Dallas key"),
    QT_TRANSLATE_NOOP("MainWindow", "Dallas key only"),
};

template <size_t N>
QString lookup(const char* const (&names)[N], quint8 value)
{
    if (value >= N || !names[value])
        return QString();
    return translate(names[value]);
}

UserRow userRow(const Config& config, const QString& name, int user)
{
    return UserRow{name, lookup(statusNames, config.userStatus[size_t(user)]),
                   lookup(openingModeNames, config.openingMode[size_t(user)]), user, QString()};
}

const char* const identityCaptions[] = {
    QT_TRANSLATE_NOOP("MainWindow", "Lock name:"),
    QT_TRANSLATE_NOOP("MainWindow", "Serial number:"),
    QT_TRANSLATE_NOOP("MainWindow", "Lock version:"),
    QT_TRANSLATE_NOOP("MainWindow", "Keypad version:"),
    QT_TRANSLATE_NOOP("MainWindow", "PC date/time at audit download:"),
    QT_TRANSLATE_NOOP("MainWindow", "Keypad date/time at audit download:"),
};

const char* const userHeaders[] = {
    QT_TRANSLATE_NOOP("MainWindow", "User"),
    QT_TRANSLATE_NOOP("MainWindow", "Status"),
    QT_TRANSLATE_NOOP("MainWindow", "Opening mode"),
};

ConfigItem item(const char* labelName, const char* caption, const QString& value)
{
    return ConfigItem{QString::fromLatin1(labelName), translate(caption), value};
}

} // namespace

ConfigPresentation PresentConfig(const Config& config, bool busAudit, const QList<EventsTable>& lockEvents,
                                 const DisplaySettings& settings)
{
    ConfigPresentation p;
    p.lockName = config.lockName;
    p.serialNumber = config.serialNumber;
    p.lockVersion = config.lockVersion;
    p.keypadVersion = config.keypadVersion;
    p.pcDownloadTime = busAudit ? FormatDateTime(config.downloadTime, settings)
                                : QCoreApplication::translate("MainWindow", "Not available");
    if (!lockEvents.isEmpty())
        p.keypadDownloadTime = FormatDateTime(AuditDateTime(lockEvents.first().time), settings);

    const QString activeConfiguration = config.preSetup ? QCoreApplication::translate("MainWindow", "Pre-Setup")
                                                        : twoDigits(config.activeConfiguration);
    const QString closingTime = config.timedClosing ? seconds(config.closingTimeSeconds)
                                                    : QCoreApplication::translate("MainWindow", "Manual");
    const QString input = config.inputConfiguration != 0
        ? QCoreApplication::translate("MainWindow", "Remote override")
        : QCoreApplication::translate("MainWindow", "Remote block");
    const QString output = config.outputConfiguration != 0
        ? QCoreApplication::translate("MainWindow", "Bolt switch output")
        : QCoreApplication::translate("MainWindow", "Silent alarm");
    // The lock's own date format is shown as the lock names it, in every language.
    const QString dateFormat = config.dateFormatUs ? QStringLiteral("mm/dd/yyyy") : QStringLiteral("dd/mm/yyyy");

    p.configuration = {
        item("labelActiveConfiguration", QT_TRANSLATE_NOOP("MainWindow", "Active configuration:"), activeConfiguration),
        item("labelTD", QT_TRANSLATE_NOOP("MainWindow", "Time delay:"), twoDigits(config.timeDelay)),
        item("labelOW", QT_TRANSLATE_NOOP("MainWindow", "Open window:"), twoDigits(config.openWindow)),
        item("labelUsersDual", QT_TRANSLATE_NOOP("MainWindow", "Standard users in dual mode:"), yesNo(config.usersDualMode)),
        item("labelOvrDual", QT_TRANSLATE_NOOP("MainWindow", "Override users in dual mode:"), yesNo(config.overrideDualMode)),
        item("labelOvrUsers", QT_TRANSLATE_NOOP("MainWindow", "Override users:"), yesNo(config.overrideUsers)),
        item("labelFirstOvr", QT_TRANSLATE_NOOP("MainWindow", "First override user:"), twoDigits(config.firstOverrideUser)),
        item("labelCodeExpiration", QT_TRANSLATE_NOOP("MainWindow", "Code expiration:"), months(config.codeExpirationMonths)),
        item("labelCodeDisabling", QT_TRANSLATE_NOOP("MainWindow", "Code disabling:"), months(config.codeDisablingMonths)),
        item("labelClosingTime", QT_TRANSLATE_NOOP("MainWindow", "Closing time:"), closingTime),
        item("labelBoltOpenAlarm", QT_TRANSLATE_NOOP("MainWindow", "Bolt open alarm:"), minutes(config.boltOpenAlarmMinutes)),
        item("labelInputConfiguration", QT_TRANSLATE_NOOP("MainWindow", "Input configuration:"), input),
        item("labelOutputConfiguration", QT_TRANSLATE_NOOP("MainWindow", "Output configuration:"), output),
        item("labelBuzzerMuted", QT_TRANSLATE_NOOP("MainWindow", "Buzzer muted:"), yesNo(config.buzzerMuted)),
        item("labelDateFormat", QT_TRANSLATE_NOOP("MainWindow", "Date format:"), dateFormat),
        item("labelSilentAlarm", QT_TRANSLATE_NOOP("MainWindow", "Silent alarm:"), yesNo(config.silentAlarm)),
        item("labelErc", QT_TRANSLATE_NOOP("MainWindow", "ERC:"), yesNo(config.ercEnabled)),
        item("labelManagerManagement", QT_TRANSLATE_NOOP("MainWindow", "Manager management:"), yesNo(config.managerManagement)),
    };

    // The master row is always there; the other masters and managers only when known to the lock.
    p.users.append(userRow(config, QCoreApplication::translate("MainWindow", "Master"), users::Master));
    const struct {
        const char* name;
        int user;
    } seniors[] = {
        {QT_TRANSLATE_NOOP("MainWindow", "Master 2"), users::Master2},
        {QT_TRANSLATE_NOOP("MainWindow", "Manager"), users::Manager},
        {QT_TRANSLATE_NOOP("MainWindow", "Manager 2"), users::Manager2},
        {QT_TRANSLATE_NOOP("MainWindow", "Manager 3"), users::Manager3},
    };
    for (const auto& senior : seniors) {
        if (config.userStatus[size_t(senior.user)] != 0)
            p.users.append(userRow(config, translate(senior.name), senior.user));
    }
    const QString userWord = QCoreApplication::translate("MainWindow", "User");
    for (int n = users::FirstUser; n <= users::LastUser; ++n) {
        if (config.userStatus[size_t(n)] != 0)
            p.users.append(userRow(config, QStringLiteral("%1 %2").arg(userWord, twoDigits(n)), n));
    }
    return p;
}

QStringList IdentityCaptions()
{
    QStringList captions;
    for (const char* caption : identityCaptions)
        captions << translate(caption);
    return captions;
}

QVector<ConfigItem> IdentityItems(const ConfigPresentation& p)
{
    const QStringList captions = IdentityCaptions();
    return {
        {QStringLiteral("labelLockName"), captions.at(0), p.lockName},
        {QStringLiteral("labelLockSN"), captions.at(1), p.serialNumber},
        {QStringLiteral("labelLockVersion"), captions.at(2), p.lockVersion},
        {QStringLiteral("labelKeypadVersion"), captions.at(3), p.keypadVersion},
        {QStringLiteral("labelDlDate2"), captions.at(4), p.pcDownloadTime},
        {QStringLiteral("labelDlDate"), captions.at(5), p.keypadDownloadTime},
    };
}

QStringList UserColumnHeaders()
{
    QStringList headers;
    for (const char* header : userHeaders)
        headers << translate(header);
    return headers;
}
