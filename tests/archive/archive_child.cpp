// Imports one audit file into an archive under a fault, for the archive's tests:
//     corvane-archive-child kill|full ARCHIVE AUDIT
// kill: the process kills itself inside the import's transaction, just before the commit;
// full: the archive file may not grow, as on a full disk.

#include "Archive.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    QFile audit(QString::fromLocal8Bit(argv[3]));
    if (!audit.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray bytes = audit.readAll();
    Archive archive;
    if (!archive.open(QString::fromLocal8Bit(argv[2])))
        return 2;
    if (mode == QLatin1String("kill")) {
        Archive::beforeCommit = [] { raise(SIGKILL); };
    } else {
        struct stat st {};
        if (stat(argv[2], &st) != 0)
            return 2;
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{ rlim_t(st.st_size), rlim_t(st.st_size) };
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    const ImportReport report = archive.import(bytes, AuditKind::BusDownload);
    std::fprintf(stderr, "%s\n", qPrintable(report.message));
    return report.status == ImportReport::Added ? 0 : 1;
}
