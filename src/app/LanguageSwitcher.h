#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>

class QMenu;
class QWidget;

// Removes `translator`, then installs it again with `fileName` when a catalogue of that name is
// found (beside the executable, in an installed copy's folder, among Qt's own); else its texts
// fall back to English.
void switchTranslator(QTranslator& translator, const QString& fileName);

// The language of the user interface: the program's and Qt's catalogues, the menu that chooses
// among Italian, English and Spanish, and the choice kept in Settings.ini.
class LanguageSwitcher : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // "it", "en" or "es"; empty until a language is loaded.
    const QString& current() const { return m_current; }
    // Installs the catalogues of `code`, unless they already are.
    void load(const QString& code);
    // Loads the language of a Settings value (any other than Italian or Spanish is English),
    // keeps the choice and says so, even when the language stays the same.
    void choose(int language);
    // A new menu of the three languages with the chosen one checked.
    QMenu* menu(QWidget* parent);

signals:
    void chosen();

private:
    QString m_current;
    int m_chosen = -1;
    QTranslator m_translator;
    QTranslator m_translatorQt;
};
