#include "app/Manual.h"

#include "model/InstallPaths.h"
#include "view/Messages.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace manual {

QString Page(const QString& language)
{
    const QString names[] = { QStringLiteral("corvane-audit_%1.html").arg(language), QStringLiteral("corvane-audit.html") };
    for (const QString& name : names)
        for (const QString& dir : installpaths::ManualDirectories())
            if (QFileInfo(QDir(dir).filePath(name)).isFile())
                return QDir(dir).filePath(name);
    return QString();
}

void Open(const QString& language, QWidget* window)
{
    const QString page = Page(language);
    if (page.isEmpty())
        Messages::critical(QCoreApplication::translate("MainWindow", "The manual is not installed."), window);
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        Messages::critical(QCoreApplication::translate("MainWindow", "The manual could not be opened: %1")
                               .arg(QDir::toNativeSeparators(page)),
                           window);
}

} // namespace manual
