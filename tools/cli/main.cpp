#include "AuditCli.h"
#include "DeviceCommands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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
