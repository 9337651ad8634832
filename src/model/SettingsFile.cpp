#include "SettingsFile.h"

#include "InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace SettingsFile {

QString path()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString besideExecutable = dir + QStringLiteral("/Settings.ini");
    // An installed copy never writes into the program's folder, even when it could (as root).
    if (QFileInfo::exists(besideExecutable) || (QFileInfo(dir).isWritable() && !installpaths::IsInstalled()))
        return besideExecutable;

    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configDir);
    return configDir + QStringLiteral("/Settings.ini");
}

QVariant value(const QString& key, const QVariant& defaultValue)
{
    QSettings settings(path(), QSettings::IniFormat);
    return settings.value(key, defaultValue);
}

int intValue(const QString& key, int defaultValue)
{
    // A stored value that is not a number reads as 0.
    return value(key, defaultValue).toInt();
}

void setValue(const QString& key, const QVariant& v)
{
    QSettings settings(path(), QSettings::IniFormat);
    settings.setValue(key, v);
}

DisplaySettings displaySettings()
{
    QSettings settings(path(), QSettings::IniFormat);
    DisplaySettings display;
    display.dateFormat = settings.value(QStringLiteral("DateFormat"), 0).toInt();
    display.hourFormat = settings.value(QStringLiteral("HourFormat"), 0).toInt();
    return display;
}

} // namespace SettingsFile
