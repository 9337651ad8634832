#include "app/LanguageSwitcher.h"

#include "model/InstallPaths.h"
#include "model/SettingsFile.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLocale>
#include <QMenu>

namespace {

struct Language
{
    const char* code;
    const char* name;
    const char* icon;
};
// In the order of the Settings values.
const Language Languages[] = {
    { "it", QT_TRANSLATE_NOOP("MainWindow", "Italian"), ":/Resources/Italy.png" },
    { "en", QT_TRANSLATE_NOOP("MainWindow", "English"), ":/Resources/United Kingdom.png" },
    { "es", QT_TRANSLATE_NOOP("MainWindow", "Spanish"), ":/Resources/Spain.png" },
};

} // namespace

void switchTranslator(QTranslator& translator, const QString& fileName)
{
    QCoreApplication::removeTranslator(&translator);
    // Beside the executable first; an installed copy keeps its catalogues in its share folder.
    for (const QString& dir : installpaths::TranslationDirectories()) {
        if (translator.load(fileName, dir, QString(), QString())) {
            QCoreApplication::installTranslator(&translator);
            return;
        }
    }
}

void LanguageSwitcher::load(const QString& code)
{
    if (m_current == code)
        return;
    m_current = code;
    QLocale::setDefault(QLocale(code));
    switchTranslator(m_translator, QStringLiteral("audit_%1.qm").arg(code));
    switchTranslator(m_translatorQt, QStringLiteral("qt_%1.qm").arg(code));
}

void LanguageSwitcher::choose(int language)
{
    m_chosen = language == Settings::Italian || language == Settings::Spanish ? language : int(Settings::English);
    load(QLatin1String(Languages[m_chosen].code));
    Settings settings;
    settings.language = m_chosen;
    SettingsFile::write(settings, SettingsFile::Language);
    emit chosen();
}

QMenu* LanguageSwitcher::menu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    for (int i = 0; i < 3; ++i) {
        QAction* action = menu->addAction(QIcon(QLatin1String(Languages[i].icon)),
                                          QCoreApplication::translate("MainWindow", Languages[i].name));
        action->setCheckable(true);
        action->setChecked(i == m_chosen);
        connect(action, &QAction::triggered, this, [this, i] { choose(i); });
    }
    return menu;
}
