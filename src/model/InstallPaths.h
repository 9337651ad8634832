#pragma once

#include <QString>
#include <QStringList>

// Where the program finds what it ships with. A copy run from its build folder keeps it all
// beside the executable; an installed copy (bin/ with share/corvane-audit/ beside it) keeps its
// translations under share/corvane-audit/translations, and its settings with the user's.
namespace installpaths {

// True for an installed copy.
bool IsInstalled();

// The folders to look for a translation catalogue in, in order: beside the executable, the
// installed copy's folder, then Qt's own catalogues.
QStringList TranslationDirectories();

// The folders to look for the manual's pages in: "manual" beside the executable, then the
// installed copy's.
QStringList ManualDirectories();

} // namespace installpaths
