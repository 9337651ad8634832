#pragma once

#include <QByteArray>
#include <QString>

// Where a file the program writes goes, so that a failure never destroys what was there and a
// success is never claimed for a file that is not whole.
//
// A regular (or missing) target is written as a temporary beside it and renamed over it only when
// complete. A device or a pipe (a terminal, /dev/stdout, a FIFO) is never replaced: the finished
// bytes are written straight into it. A folder, a read-only file or a name the system cannot hold
// is refused before anything is written, with the system's reason.
class OutputFile
{
public:
    explicit OutputFile(const QString& target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Checks the target and makes the temporary. False with errorString() set.
    bool open();
    // The file to fill, for writers that need a name of their own (the PDF printer, the workbook).
    QString writePath() const { return m_temporary; }
    bool write(const QByteArray& bytes);
    // Puts the finished file in the target's place; false (target untouched) when that fails.
    bool commit();

    // The system's reason for the last failure, e.g. "No space left on device".
    QString errorString() const { return m_error; }
    // Takes a writer's own failure as the reason, when the system gave none.
    void setError(const QString& reason);
    // For a writer that fails without a reason: asks the file system why more cannot be written
    // (a full disk, a quota), by trying to.
    void findWriteFailure();

    // Whether the two paths name one file, links followed; false when either does not exist.
    static bool SameFile(const QString& a, const QString& b);

    // Checks that `target` could be written now, leaving nothing behind: for an output that comes
    // only after minutes of talking to a lock.
    static bool CheckWritable(const QString& target, QString* reason);

    // Removes the temporary of an output being written, from a signal handler: an interrupted
    // program leaves no half-written file behind.
    static void RemovePendingOnSignal();

private:
    bool fail(int error);

    QString m_target;
    QByteArray m_final; // the target, links resolved
    bool m_special = false;
    QByteArray m_temporaryName;
    QString m_temporary;
    int m_fd = -1;
    bool m_committed = false;
    QString m_error;
};

// The system's words for an errno value.
QString SystemErrorText(int error);
