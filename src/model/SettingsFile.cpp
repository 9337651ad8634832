#include "model/SettingsFile.h"

#include "model/InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Keys in the order the window has always written them.
const char* const DstKeys[] = { "From", "To", "FromDay", "ToDay", "FromMonth", "ToMonth", "AddSub", "Hours" };
const char* const FolderKeys[Settings::FileKindCount] = { "FolderAudits", "FolderPdf", "FolderExcel" };

std::array<int*, 8> dstFields(Settings::DstChoice& d)
{
    return { &d.from, &d.to, &d.fromDay, &d.toDay, &d.fromMonth, &d.toMonth, &d.addSub, &d.hours };
}

QString key(const char* name)
{
    return QString::fromLatin1(name);
}

} // namespace

void Settings::addRecentFile(const QString& path)
{
    recentFiles.removeAll(path);
    recentFiles.prepend(path);
    while (recentFiles.size() > MaxRecentFiles)
        recentFiles.removeLast();
}

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

Settings read()
{
    const QSettings file(path(), QSettings::IniFormat);
    Settings s;
    const auto number = [&file](const char* name, int fallback) { return file.value(key(name), fallback).toInt(); };
    s.windowGeometry = file.value(key("mainWindowGeometry")).toByteArray();
    s.windowState = file.value(key("mainWindowState")).toByteArray();
    s.language = number("Language", s.language);
    if (s.language != Settings::Italian && s.language != Settings::Spanish)
        s.language = Settings::English;
    s.display.dateFormat = number("DateFormat", s.display.dateFormat);
    s.display.hourFormat = number("HourFormat", s.display.hourFormat);
    s.auditType = number("AuditType", s.auditType);
    const std::array<int*, 8> dst = dstFields(s.dst);
    for (int i = 0; i < 8; ++i)
        *dst[i] = number(DstKeys[i], 0);
    s.archiveAudits = file.value(key("ArchiveAudits"), s.archiveAudits).toBool();
    s.recentFiles = file.value(key("RecentFiles")).toStringList().mid(0, Settings::MaxRecentFiles);
    for (int k = 0; k < Settings::FileKindCount; ++k)
        s.folders[k] = file.value(key(FolderKeys[k])).toString();
    s.archiveUrl = file.value(key("ArchiveUrl")).toString();
    return s;
}

void write(const Settings& s, Parts parts)
{
    QSettings file(path(), QSettings::IniFormat);
    if (parts & Window) {
        file.setValue(key("mainWindowGeometry"), s.windowGeometry);
        file.setValue(key("mainWindowState"), s.windowState);
        Settings::DstChoice dst = s.dst;
        const std::array<int*, 8> fields = dstFields(dst);
        for (int i = 0; i < 8; ++i)
            file.setValue(key(DstKeys[i]), *fields[i]);
    }
    if (parts & Language)
        file.setValue(key("Language"), s.language);
    if (parts & Choices) {
        file.setValue(key("DateFormat"), s.display.dateFormat);
        file.setValue(key("HourFormat"), s.display.hourFormat);
        file.setValue(key("AuditType"), s.auditType);
        file.setValue(key("ArchiveAudits"), s.archiveAudits);
    }
    if (parts & RecentFiles)
        file.setValue(key("RecentFiles"), s.recentFiles);
    if (parts & Folders)
        for (int k = 0; k < Settings::FileKindCount; ++k)
            if (!s.folders[k].isEmpty())
                file.setValue(key(FolderKeys[k]), s.folders[k]);
    file.sync();
}

} // namespace SettingsFile
