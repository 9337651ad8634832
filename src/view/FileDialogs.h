#pragma once

#include "model/AuditView.h"
#include "model/SettingsFile.h"

#include <QDateTime>
#include <QStringList>

#include <functional>

class QMenu;

// The window's file dialogs: each kind of file starts in the folder used last for it, a save
// proposes a name, and the audit files opened or saved are remembered.
namespace FileDialogs {

// The dialog of `kind` in the folder used last for it; the folder chosen is remembered. Empty on cancel.
QString open(Settings::FileKind kind);
QString save(Settings::FileKind kind, const QString& suggestedName);

// "00123456 2024-05-06.kaud": the lock's serial number and the day of the download (else of the
// newest event); for a history, the lock and its visits. Empty when the audit tells neither.
QString SuggestedName(const AuditView& view, const QDateTime& downloaded, Settings::FileKind kind);

// The recent audit files that still exist, newest first; those gone are forgotten.
QStringList RecentFiles();
void AddRecentFile(const QString& path);

// Ends `menu`, after its first `keep` entries, with the recent files, each opened by `open`.
void ListRecentFiles(QMenu& menu, int keep, const std::function<void(const QString&)>& open);

} // namespace FileDialogs
