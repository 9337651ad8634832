#pragma once

#include "model/EventRows.h"

#include <QByteArray>
#include <QFlags>
#include <QString>
#include <QStringList>

#include <array>

// Everything Settings.ini holds, typed, with the default each key has when it is absent. The
// comments name the keys.
struct Settings
{
    enum Language { Italian = 0, English = 1, Spanish = 2 };
    // The file dialogs that remember their folder, one folder each.
    enum FileKind { AuditFiles, PdfReports, Workbooks, FileKindCount };
    static constexpr int MaxRecentFiles = 8;

    // The daylight-saving group's choices, as the indexes of its eight combo boxes.
    struct DstChoice
    {
        int from = 0;      // From
        int fromDay = 0;   // FromDay
        int fromMonth = 0; // FromMonth
        int to = 0;        // To
        int toDay = 0;     // ToDay
        int toMonth = 0;   // ToMonth
        int addSub = 0;    // AddSub
        int hours = 0;     // Hours
    };

    QByteArray windowGeometry;    // mainWindowGeometry
    QByteArray windowState;       // mainWindowState (state version 0)
    int language = English;       // Language: 0 Italian, 1 English, 2 Spanish; any other value reads as English
    DisplaySettings display;      // DateFormat (0 day first, 1 month first), HourFormat (0 24 hours, 1 12 hours)
    int auditType = 1;            // AuditType: 0 full audit, 1 simple audit
    DstChoice dst;
    bool archiveAudits = true;    // ArchiveAudits: every download and key read is kept in the archive
    QStringList recentFiles;      // RecentFiles: audit files opened or saved, newest first
    std::array<QString, FileKindCount> folders; // FolderAudits, FolderPdf, FolderExcel: each dialog's last folder
    // Written by hand only, never by the program: it may hold a password.
    QString archiveUrl;           // ArchiveUrl

    // `path` first, without a copy of it further down, and no more than MaxRecentFiles.
    void addRecentFile(const QString& path);
};

// Settings.ini, opened, read or written, and closed at every use, so nothing is cached and a
// change is seen by the next reader.
namespace SettingsFile {

// Beside the executable when the file exists there or the folder is writable (a copy run from
// its build folder); otherwise, and always for an installed copy, in the user's configuration
// folder, so settings are never silently lost.
QString path();

// Every key at once; a missing key has its default, a stored value that is not a number reads as 0.
Settings read();

// The groups of keys a write stores; every other key keeps what the file holds.
enum Part {
    Window = 0x01,      // geometry, state and the daylight-saving choices, as the window closes
    Language = 0x02,
    Choices = 0x04,     // what the settings dialog sets: date and hour formats, audit type, archiving
    RecentFiles = 0x08,
    Folders = 0x10,
};
Q_DECLARE_FLAGS(Parts, Part)

void write(const Settings& settings, Parts parts);

} // namespace SettingsFile

Q_DECLARE_OPERATORS_FOR_FLAGS(SettingsFile::Parts)
