// Engine hot paths: one keystroke, replaying a full equation, and a tape number.

#include "engine/QuantrelEval5.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using quantrel::Extended;
using quantrel::TQuantrelEval;

// A tape handler that keeps the lines, as the window's tape does.
struct TapeSink {
    std::vector<std::string> lines;
    void Attach(TQuantrelEval& engine) {
        engine.OnQuantrelTape = [this](TQuantrelEval&, const std::string& text, std::int32_t,
                                       bool) { lines.push_back(text); };
        engine.OnQuantrelVal = [](TQuantrelEval&, Extended value) {
            benchmark::DoNotOptimize(value);
        };
    }
};

// EnterNumber + EnterOperator(+): each + reduces the previous one and writes the
// operand line and a sub-total. The equation restarts every 200 keys.
void BM_Keystroke(benchmark::State& state) {
    TQuantrelEval engine;
    TapeSink sink;
    sink.Attach(engine);
    int keys = 0;
    engine.EnterNumber(false, 1234.5L);
    for (auto _ : state) {
        engine.EnterOperator(quantrel::qeAdd);
        engine.EnterNumber(false, 12.25L);
        if (++keys == 200) {
            keys = 0;
            engine.Reset();
            sink.lines.clear();
            engine.EnterNumber(false, 1234.5L);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Keystroke);

// A full replay of a 499-entry equation of mixed operators, with all its tape lines.
void BM_Replay499(benchmark::State& state) {
    TQuantrelEval engine;
    TapeSink sink;
    sink.Attach(engine);
    const quantrel::TOperCode binary[] = {quantrel::qeAdd, quantrel::qeTimes, quantrel::qeMinus,
                                          quantrel::qeDivide};
    engine.EnterNumber(false, 1.5L);
    for (int i = 0; engine.EquationIdx() < quantrel::kMaxEquationEntries - 1; ++i) {
        if (i % 5 == 4) {
            engine.EnterOperator(quantrel::qeSqr);
            continue;
        }
        engine.EnterOperator(binary[i % 4]);
        engine.EnterNumber(false, 1.25L + i % 7);
    }
    engine.EnterOperator(quantrel::qeEquals);
    for (auto _ : state) {
        sink.lines.clear();
        benchmark::DoNotOptimize(engine.Replay(0));
    }
    state.counters["lines"] = static_cast<double>(sink.lines.size());
}
BENCHMARK(BM_Replay499)->Unit(benchmark::kMicrosecond);

void BM_FormatTapeNumber(benchmark::State& state) {
    TQuantrelEval engine;
    engine.SetTapeFormatMode(static_cast<std::int32_t>(state.range(0)));
    engine.SetDigits(2);
    const Extended values[] = {-1234567.891L, 0.5L, 12.25L, 1.0L / 3, 123456789012345.6L};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.FormatTapeNumber(quantrel::qeAdd, values[i]));
        i = (i + 1) % std::size(values);
    }
}
BENCHMARK(BM_FormatTapeNumber)->ArgName("mode")->DenseRange(1, 4);

} // namespace
