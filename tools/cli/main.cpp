#include "AuditCli.h"
#include "DeviceCommands.h"

#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    // The PDF report lays text out with the system's fonts and needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
