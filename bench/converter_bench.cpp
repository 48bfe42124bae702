// The converter window on Qt's offscreen platform: made with its own unit table (the
// window makes it at start-up) and opened on a category, filled, sorted and shown.

#include "conversion/FormConvert.h"
#include "window/Calculator.h"

#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

using quantrel::gui::TCalculator;
using quantrel::gui::TFormConvert;

struct Session {
    QTemporaryDir data;
    TCalculator window{
        {data.path(), quantrel::NumberLocale::CommaPoint(), data.filePath("quantrel.ini")}};
    Session() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            throw std::runtime_error("the window was never shown");
    }
};

void BM_CreateConverter(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        auto* converter = new TFormConvert(session.window, {});
        delete converter;
    }
}
BENCHMARK(BM_CreateConverter)->Unit(benchmark::kMillisecond);

// Alternates two categories so that every opening refills and sorts both lists.
void BM_OpenConverter(benchmark::State& state) {
    Session session;
    TFormConvert& converter = session.window.Converter();
    int tag = 0;
    for (auto _ : state) {
        converter.Open(tag % 2 == 0 ? 6 : 7); // Length, Mass
        QApplication::processEvents();
        state.PauseTiming();
        converter.close();
        QApplication::processEvents();
        ++tag;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenConverter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
