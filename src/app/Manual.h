#pragma once

#include <QString>

class QWidget;

// The program's manual: an HTML page installed with it, opened in the desktop's browser.
namespace manual {

// The page in `language` ("it", "en", "es"), else the English one; empty when none is installed.
QString Page(const QString& language);

// Opens the page; says so when there is none or the desktop cannot show it.
void Open(const QString& language, QWidget* window);

} // namespace manual
