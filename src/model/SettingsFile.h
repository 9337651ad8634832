#pragma once

#include "EventRows.h"

#include <QString>
#include <QVariant>

// Settings.ini: opened, read or written, and closed at every use, so nothing is cached.
namespace SettingsFile {

// Beside the executable when the file exists there or the folder is writable (a copy run from
// its build folder); otherwise, and always for an installed copy, in the user's configuration
// folder, so settings are never silently lost.
QString path();

QVariant value(const QString& key, const QVariant& defaultValue = QVariant());
int intValue(const QString& key, int defaultValue);
void setValue(const QString& key, const QVariant& value);

// DateFormat and HourFormat.
DisplaySettings displaySettings();

} // namespace SettingsFile
