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

namespace {

// Qt's own warnings (a port it could not set up, a font it substituted) are for developers; the
// command line says what went wrong in its own words.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg || qEnvironmentVariableIsSet("CORVANE_AUDIT_DEBUG"))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

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
    qInstallMessageHandler(QuietQtMessages);
    QGuiApplication app(argc, argv);
    // The window's names: the same data folder, so the same default archive, and the same settings.
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane Audit"));

    // Without SA_RESTART, so that Ctrl-C also ends a prompt's wait for an answer.
    struct sigaction action = {};
    action.sa_handler = [](int) { cli::Interrupt(); };
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    QStringList args;
    QString error;
    QMap<int, QString> unreadable;
    cli::DecodeArguments(argc, argv, args, &error, &unreadable);
    return cli::Run(args, out, err, unreadable);
}
