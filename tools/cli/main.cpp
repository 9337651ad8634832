#include "AuditCli.h"
#include "DeviceCommands.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // The PDF report lays text out with the system's fonts and needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session there is no runtime folder; the one Qt would make itself, made
    // here so that it does not complain about it on every run.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/runtime-" + QByteArray::number(::getuid());
        if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QGuiApplication app(argc, argv);
    // Ctrl-C stops a device operation between two exchanges, so the port is closed properly.
    std::signal(SIGINT, [](int) { cli::RequestStop(); });
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return cli::Run(args, out, err);
}
