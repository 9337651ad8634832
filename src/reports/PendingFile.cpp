#include "PendingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

PendingFile::PendingFile(const QString& target) : m_target(target)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate = info.dir().filePath(
            QStringLiteral(".%1.%2").arg(info.fileName()).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        QFile file(candidate);
        // NewOnly: never take over a file that happens to carry the name; the mode follows the umask.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            m_temporary = candidate;
            return;
        }
        // Only a clash with an existing name is worth another try.
        if (!QFile::exists(candidate))
            return;
    }
}

PendingFile::~PendingFile()
{
    if (!m_committed && isValid())
        QFile::remove(m_temporary);
}

bool PendingFile::commit()
{
    if (!isValid() || m_committed)
        return false;
    if (QFile::exists(m_target))
        QFile::setPermissions(m_temporary, QFile::permissions(m_target));
    // rename() replaces the target atomically; QFile::rename() would refuse an existing one.
    m_committed = std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) == 0;
    return m_committed;
}
