#include "app/MainWindow.h"
#include "view/Messages.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

const char Usage[] =
    "Usage: corvane-audit [FILE.kaud]\n"
    "       corvane-audit --help\n"
    "Reads, shows and exports the audit of electronic safe locks. Given a path, it opens that\n"
    "audit file at start, as the \"Open...\" button does.\n"
    "Environment: CORVANE_AUDIT_PORTS lists device paths (separated by ':') to offer after the\n"
    "USB interfaces found, such as the pseudo-terminal of corvane-lock-sim.\n";

} // namespace

int main(int argc, char* argv[])
{
    // Before the application object, which needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane Audit"));
    // Qt has taken its own options out; what is left is ours: one audit file at most.
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1Char('-')))) {
        std::fprintf(stderr, "corvane-audit: unexpected arguments: %s\n\n%s", qPrintable(args.join(QLatin1Char(' '))), Usage);
        return 2;
    }
    MainWindow window;
    window.show();
    // A file handed over by the file manager (or typed after the command). A name that is not text
    // in the system's encoding would be read as another name: it is refused instead.
    if (!args.isEmpty() && QFile::encodeName(args.first()) != QByteArray(argv[1])) {
        QTimer::singleShot(0, &window, [] {
            Messages::critical(QCoreApplication::translate(
                "MainWindow", "The file name is not valid text in this system's encoding: the file cannot be opened."));
        });
    } else if (!args.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, path = args.first()] { window.OpenAuditFile(path); });
    }
    return app.exec();
}
