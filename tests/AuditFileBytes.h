#pragma once

#include <QByteArray>

// An audit file's bytes with the download time zeroed, so that two downloads of one audit made
// at different times compare equal. The 6 bytes of the time come before the 16 of the digest,
// and in a bus audit (kind 2) before the date/time table's section too. Empty when too short.
inline QByteArray WithoutDownloadTime(QByteArray file)
{
    const int at = file.size() - 6 - 16 - (file.startsWith('\x02') ? 4 + 64 : 0);
    if (file.isEmpty() || at < 3)
        return QByteArray();
    return file.replace(at, 6, QByteArray(6, '\0'));
}
