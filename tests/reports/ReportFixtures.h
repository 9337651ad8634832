#pragma once

#include "ConfigPresentation.h"
#include "ReportContent.h"

#include <QDir>
#include <QFile>

namespace fixtures {

// Three events (the first and the last with a yellow DST date), two users, the lock's 18 settings;
// with `extra` more events numbered on, for reports of several pages.
inline ReportContent Report(bool dstApplied, int extra = 0)
{
    Config config;
    config.timeDelay = 10;
    config.codeExpirationMonths = 6;
    AuditView view;
    view.configuration = PresentConfig(config, true, {}, {});
    view.dstApplied = dstApplied;
    ReportContent content = ReportFromView(view);
    content.events = {
        { "1", "Lock", "07/03/2022 20.26.40", "07/03/2022 21.26.40", "User 01", "Bolt open", "5", true },
        { "2", "Keypad", "06/03/2022 20.26.40", "06/03/2022 20.26.40", "Master", "Valid code", "1", false },
        { "3", "Lock", "", "", "", "Time changed", "226", true },
    };
    for (int i = 0; i < extra; ++i) {
        const QString n = QString::number(4 + i);
        content.events.append({ n, "Lock", "01/02/2022 10.00.00", "01/02/2022 10.00.00", "User 02",
                                "Event text " + n, "9", false });
    }
    content.users = { { "Master", "Installed", "Code only" }, { "User 01", "Disabled", "" } };
    content.keypadDownloadTime = "08/03/2022 09.00.00";
    return content;
}

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace fixtures
