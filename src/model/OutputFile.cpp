#include "model/OutputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary being written, for RemovePendingOnSignal: plain memory, as a handler may read it.
char g_pending[PATH_MAX];
volatile std::sig_atomic_t g_hasPending = 0;

void setPending(const QByteArray& path)
{
    g_hasPending = 0;
    if (path.size() >= int(sizeof g_pending))
        return;
    std::memcpy(g_pending, path.constData(), size_t(path.size()) + 1);
    g_hasPending = 1;
}

QByteArray folderOf(const QByteArray& path)
{
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// A read-only file stays read-only for the superuser too: it is what the file's owner asked for.
bool writable(const QByteArray& path, const struct stat& st)
{
    if (::geteuid() == 0)
        return (st.st_mode & 0222) != 0;
    return ::access(path.constData(), W_OK) == 0;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

QString SystemErrorText(int error)
{
    return qt_error_string(error);
}

OutputFile::OutputFile(const QString& target) : m_target(target) {}

OutputFile::~OutputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporaryName.isEmpty() && !m_committed) {
        g_hasPending = 0;
        ::unlink(m_temporaryName.constData());
    }
}

bool OutputFile::fail(int error)
{
    m_error = SystemErrorText(error);
    return false;
}

void OutputFile::setError(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
}

void OutputFile::findWriteFailure()
{
    if (m_fd < 0 || !m_error.isEmpty())
        return;
    const off_t end = ::lseek(m_fd, 0, SEEK_END);
    const QByteArray probe(65536, '\0');
    if (end >= 0 && !writeAll(m_fd, probe.constData(), probe.size()))
        m_error = SystemErrorText(errno);
    else
        m_error = QCoreApplication::translate("OutputFile", "the file could not be completed");
    if (end >= 0 && ::ftruncate(m_fd, end) != 0)
        return;
}

bool OutputFile::open()
{
    if (m_target.isEmpty())
        return fail(ENOENT);
    // Follow links to what they name, so a link is never replaced by a file; a link into /proc
    // (/dev/stdout) names whatever the shell connected, which is written through, never replaced.
    QByteArray path = QFile::encodeName(m_target);
    bool throughProc = path.startsWith("/proc/") || path.startsWith("/dev/fd/");
    for (int hop = 0; hop < 40 && !throughProc; ++hop) {
        struct stat ls;
        if (::lstat(path.constData(), &ls) != 0 || !S_ISLNK(ls.st_mode))
            break;
        char link[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), link, sizeof link - 1);
        if (n < 0)
            return fail(errno);
        const QByteArray next(link, int(n));
        path = next.startsWith('/') ? next : folderOf(path) + '/' + next;
        throughProc = path.startsWith("/proc/");
    }
    m_final = throughProc ? QFile::encodeName(m_target) : path;

    QByteArray folder = folderOf(m_final);
    struct stat st;
    if (::stat(m_final.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode) || throughProc) {
            if (::geteuid() != 0 && ::access(m_final.constData(), W_OK) != 0)
                return fail(errno);
            m_special = true;
            folder = QFile::encodeName(QDir::tempPath());
        } else if (!S_ISREG(st.st_mode)) {
            m_error = QCoreApplication::translate("OutputFile", "not a file that can be written");
            return false;
        } else if (!writable(m_final, st)) {
            return fail(EACCES);
        }
    } else if (errno != ENOENT) {
        return fail(errno);
    } else {
        const long nameMax = ::pathconf(folder.constData(), _PC_NAME_MAX);
        if (nameMax < 0)
            return fail(errno);
        if (m_final.size() - folder.size() - 1 > nameMax)
            return fail(ENAMETOOLONG);
    }

    // A short name of its own: any name the folder can hold leaves room for it.
    QByteArray name = folder + "/.corvane-XXXXXX";
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0)
        return fail(errno);
    m_temporaryName = name;
    m_temporary = QFile::decodeName(name);
    setPending(name);
    return true;
}

bool OutputFile::write(const QByteArray& bytes)
{
    if (m_fd < 0)
        return fail(EBADF);
    return writeAll(m_fd, bytes.constData(), bytes.size()) || fail(errno);
}

bool OutputFile::commit()
{
    if (m_fd < 0 || m_committed)
        return fail(EBADF);
    if (m_special) {
        const int target = ::open(m_final.constData(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
        if (target < 0)
            return fail(errno);
        bool ok = ::lseek(m_fd, 0, SEEK_SET) == 0;
        char buffer[65536];
        while (ok) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            ok = writeAll(target, buffer, n);
        }
        const int error = errno;
        if (::close(target) != 0 && ok)
            return fail(errno);
        return ok || fail(error);
    }

    struct stat st;
    if (::stat(m_final.constData(), &st) == 0) {
        // The new file keeps the old one's permissions, and its owner when the superuser writes it.
        ::fchmod(m_fd, st.st_mode & 07777);
        if (::geteuid() == 0 && ::fchown(m_fd, st.st_uid, st.st_gid) != 0)
            return fail(errno);
    } else {
        ::fchmod(m_fd, newFileMode());
    }
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(m_temporaryName.constData(), m_final.constData()) != 0)
        return fail(errno);
    m_committed = true;
    g_hasPending = 0;
    return true;
}

bool OutputFile::SameFile(const QString& a, const QString& b)
{
    struct stat sa, sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
        && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool OutputFile::CheckWritable(const QString& target, QString* reason)
{
    OutputFile file(target);
    if (file.open())
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

void OutputFile::RemovePendingOnSignal()
{
    if (g_hasPending)
        ::unlink(g_pending);
}
