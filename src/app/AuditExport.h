#pragma once

#include "AuditView.h"
#include "SettingsFile.h"

#include <QDateTime>
#include <QString>

// "Export to Pdf" and "Export to Excel": the file is asked for (in the folder its kind used last,
// a name proposed from the lock and the day of the download), never the audit file on display;
// the report of the view as shown is written with the wait cursor up, and the outcome told.
void ExportAudit(Settings::FileKind kind, const AuditView& view, const QDateTime& downloaded,
                 const QString& fileOnDisplay);
