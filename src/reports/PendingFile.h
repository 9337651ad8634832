#pragma once

#include <QString>

// A report written in place of a file only once it is whole: the writer fills a temporary file
// beside the target (same folder, so the final rename cannot cross file systems), and commit()
// puts it in the target's place in one step. Until then the target stays as it was; the
// temporary goes away with this object unless committed.
class PendingFile
{
public:
    explicit PendingFile(const QString& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // False when no temporary could be made beside the target (missing folder, name too long).
    bool isValid() const { return !m_temporary.isEmpty(); }
    QString path() const { return m_temporary; }

    // Replaces the target with the temporary; keeps an existing target's permissions.
    bool commit();

private:
    QString m_target;
    QString m_temporary;
    bool m_committed = false;
};
