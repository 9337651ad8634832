#pragma once

#include <QObject>

class LanguageSwitcher;
class MainWindow;
namespace Ui {
class MainWindow;
}

// The toolbar beyond its form: the menus of Open (with the recent files), Export, Download and
// Language, the keys of its buttons, named in their tooltips, and F1 for the manual.
class Toolbar : public QObject
{
    Q_OBJECT
public:
    Toolbar(MainWindow& window, Ui::MainWindow& ui, LanguageSwitcher& languages);

    // New menus, and the tooltips of the form just retranslated with their keys, in the current
    // language. The old menus go once the click that may have asked for this has been delivered.
    void retranslate();

private:
    MainWindow& m_window;
    Ui::MainWindow& m_ui;
    LanguageSwitcher& m_languages;
};
