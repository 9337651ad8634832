// Imports one audit file into an archive under a fault, for the archive's tests:
//     corvane-archive-child kill|full|pause|keep ARCHIVE AUDIT
// kill: the process kills itself inside the import's transaction, just before the commit;
// full: the archive file may not grow, as on a full disk;
// pause: the import stops before its commit until the file AUDIT.go exists (creating AUDIT.paused
// meanwhile), and keeps the audit as a download does, in the queue when the server went away;
// keep: keeps the audit as a download does.

#include "ArchiveCommands.h"
#include "model/AuditFile.h"
#include "model/AuditView.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
QString g_audit;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane Audit"));
    if (argc != 4)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString location = QString::fromLocal8Bit(argv[2]);
    g_audit = QString::fromLocal8Bit(argv[3]);
    QFile audit(g_audit);
    if (!audit.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray bytes = audit.readAll();

    if (mode == QLatin1String("keep") || mode == QLatin1String("pause")) {
        if (mode == QLatin1String("pause"))
            Archive::beforeCommit = [] {
                QFile(g_audit + QStringLiteral(".paused")).open(QIODevice::WriteOnly);
                while (!QFile::exists(g_audit + QStringLiteral(".go")))
                    QThread::msleep(20);
            };
        auto session = std::make_unique<AuditSession>();
        if (!AuditFile::Parse(bytes, *session).valid)
            return 2;
        session->decoded = DecodeAudit(*session);
        QTextStream err(stderr);
        return cli::KeepInArchive(location, *session, AuditKind::BusDownload, g_audit, err);
    }

    Archive archive;
    if (!archive.open(location))
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
