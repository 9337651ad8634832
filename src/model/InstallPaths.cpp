#include "model/InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace installpaths {

namespace {

QString SharedDirectory()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../share/corvane-audit"));
}

} // namespace

bool IsInstalled()
{
    return QFileInfo(QCoreApplication::applicationDirPath()).fileName() == QLatin1String("bin")
        && QFileInfo(SharedDirectory()).isDir();
}

QStringList TranslationDirectories()
{
    return { QCoreApplication::applicationDirPath(), SharedDirectory() + QStringLiteral("/translations"),
             QLibraryInfo::location(QLibraryInfo::TranslationsPath) };
}

QStringList ManualDirectories()
{
    return { QCoreApplication::applicationDirPath() + QStringLiteral("/manual"), SharedDirectory() + QStringLiteral("/manual") };
}

} // namespace installpaths
