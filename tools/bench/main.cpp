// Prints the average time of each benchmark case:
//     corvane-bench            all cases
//     corvane-bench dallas     the cases whose name contains "dallas"
//     corvane-bench --list     the names only

#include "BenchCase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    // The window cases need a platform; without a display they run offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window's cases list the locks of an archive: never the user's own.
    QTemporaryDir scratch;
    if (qEnvironmentVariableIsEmpty("CORVANE_AUDIT_ARCHIVE"))
        qputenv("CORVANE_AUDIT_ARCHIVE", QFile::encodeName(scratch.filePath(QStringLiteral("archive.sqlite"))));
    const QStringList args = app.arguments().mid(1);
    const bool listOnly = args.contains(QStringLiteral("--list"));
    const QString filter = args.isEmpty() || listOnly ? QString() : args.first();

    QVector<BenchCase> cases;
    cases += DecodeCases();
    cases += WindowCases();
    cases += FileCases();
    cases += ReportCases();
    cases += ArchiveCases();
    cases += ScaleCases();
    cases += FindingsCases();
    cases += ServerCases();
    cases += DeviceCases();

    for (const BenchCase& c : cases) {
        if (!c.name.contains(filter))
            continue;
        if (listOnly) {
            std::printf("%s\n", qPrintable(c.name));
            continue;
        }
        QString note;
        const std::function<void()> body = c.prepare(note);
        if (c.warmUp)
            body(); // first run outside the timing: caches, allocations
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < c.iterations; ++i)
            body();
        const double micros = double(timer.nsecsElapsed()) / 1000.0 / c.iterations;
        std::printf("%-32s %10.1f us per run  (%d runs)  %s\n", qPrintable(c.name), micros, c.iterations,
                    qPrintable(note));
    }
    return 0;
}
