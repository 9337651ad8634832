#include "view/FileDialogs.h"

#include "model/ReportContent.h"
#include "view/Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace FileDialogs {

namespace {

struct Kind
{
    const char* filter;
    const char* extension;
};
const Kind Kinds[Settings::FileKindCount] = {
    { "Corvane Audit Files (*.kaud)", "kaud" },
    { "Pdf Files (*.pdf)", "pdf" },
    { "Excel Files (*.xlsx)", "xlsx" },
};

QString remember(Settings::FileKind kind, const QString& chosen)
{
    if (!chosen.isEmpty()) {
        Settings settings = SettingsFile::read();
        settings.folders[kind] = QFileInfo(chosen).absolutePath();
        SettingsFile::write(settings, SettingsFile::Folders);
    }
    return chosen;
}

} // namespace

QString open(Settings::FileKind kind)
{
    const QString folder = SettingsFile::read().folders[kind];
    return remember(kind, Messages::openFileName(QLatin1String(Kinds[kind].filter), folder));
}

QString save(Settings::FileKind kind, const QString& suggestedName)
{
    const QString folder = SettingsFile::read().folders[kind];
    const QString start = folder.isEmpty() || suggestedName.isEmpty() ? folder + suggestedName
                                                                       : QDir(folder).filePath(suggestedName);
    return remember(kind, Messages::saveFileName(QLatin1String(Kinds[kind].filter), start));
}

QString SuggestedName(const AuditView& view, const QDateTime& downloaded, Settings::FileKind kind)
{
    const QString extension = QLatin1String(Kinds[kind].extension);
    if (view.isHistory())
        return HistoryFileName(view, extension);
    QDateTime day = downloaded;
    if (!day.isValid() && !view.events.isEmpty() && view.events.first().time != 0)
        day = AuditDateTime(view.events.first().time);
    QString name = view.configuration.serialNumber;
    if (day.isValid())
        name += QLatin1Char(' ') + day.toString(QStringLiteral("yyyy-MM-dd"));
    // The serial number is the lock's own text: nothing of it may make another folder or a bad name.
    for (QChar& ch : name)
        if (ch.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(ch))
            ch = QLatin1Char('_');
    name = name.simplified();
    return name.isEmpty() ? QString() : name + QLatin1Char('.') + extension;
}

QStringList RecentFiles()
{
    Settings settings = SettingsFile::read();
    QStringList existing;
    for (const QString& file : settings.recentFiles)
        if (QFileInfo(file).isFile())
            existing << file;
    if (existing != settings.recentFiles) {
        settings.recentFiles = existing;
        SettingsFile::write(settings, SettingsFile::RecentFiles);
    }
    return existing;
}

void AddRecentFile(const QString& path)
{
    Settings settings = SettingsFile::read();
    settings.addRecentFile(QFileInfo(path).absoluteFilePath());
    SettingsFile::write(settings, SettingsFile::RecentFiles);
}

void ListRecentFiles(QMenu& menu, int keep, const std::function<void(const QString&)>& open)
{
    while (menu.actions().size() > keep)
        delete menu.actions().last();
    const QStringList files = RecentFiles();
    if (!files.isEmpty())
        menu.addSeparator();
    menu.setToolTipsVisible(true);
    for (const QString& file : files) {
        const QString shown = QDir::toNativeSeparators(file);
        QAction* action = menu.addAction(menu.fontMetrics().elidedText(shown, Qt::ElideMiddle, 480).replace(
            QLatin1Char('&'), QStringLiteral("&&")));
        action->setToolTip(shown);
        action->setData(file);
        QObject::connect(action, &QAction::triggered, &menu, [open, file] { open(file); });
    }
}

} // namespace FileDialogs
