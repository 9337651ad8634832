#pragma once

#include <QString>
#include <QVector>

#include <functional>

// One figure of corvane-bench. `prepare` builds the inputs outside the timing, may describe
// them in `note`, and returns the body that is timed over `iterations` runs.
struct BenchCase
{
    QString name;
    int iterations = 1000;
    std::function<std::function<void()>(QString& note)> prepare;
    // A first run outside the timing; off for the cases that take seconds at the line's pace.
    bool warmUp = true;
};

// The case lists, one per area; main() runs them in this order.
QVector<BenchCase> DecodeCases();
QVector<BenchCase> WindowCases();
QVector<BenchCase> FileCases();
QVector<BenchCase> ReportCases();
QVector<BenchCase> DeviceCases();
QVector<BenchCase> ArchiveCases();
// The archive at scale, each figure beside the engine's own fastest way to it.
QVector<BenchCase> ScaleCases();
QVector<BenchCase> FindingsCases();
// Against a PostgreSQL server: the one CORVANE_BENCH_POSTGRES names, else a private one started for the run.
QVector<BenchCase> ServerCases();
