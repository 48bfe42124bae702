#pragma once
// The main function of the benchmarks that drive the window: a QApplication on the
// offscreen platform (unless QT_QPA_PLATFORM names another), then Google Benchmark.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunQtBenchmarks(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
