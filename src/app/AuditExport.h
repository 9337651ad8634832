#pragma once

#include <memory>

#include "model/AuditView.h"
#include "model/SettingsFile.h"

#include <QDateTime>
#include <QString>

class WindowArchive;
struct LockHistory;

// "Save": the audit's file, as the lock gave it, under the label shown; the outcome told.
void SaveAudit(const AuditSession& session, const AuditView& view);

// "Export to Pdf" and "Export to Excel": the file is asked for (in the folder its kind used last,
// a name proposed from the lock and the day of the download), never the audit file on display;
// the report of the view as shown is written with the wait cursor up, and the outcome told.
void ExportAudit(Settings::FileKind kind, const AuditView& view, const QDateTime& downloaded,
                 const QString& fileOnDisplay);

// The same for a lock's history on display (`shown`): the report opens on
// the lock's findings and ends on the evidence of the visits shown, as `archive history` writes
// it, both read from the archive off the window's thread while the wait cursor stays up. A report
// that cannot carry them is not written, and the user is told why.
void ExportHistory(Settings::FileKind kind, const AuditView& view, WindowArchive& archive,
                   std::shared_ptr<const LockHistory> shown);
