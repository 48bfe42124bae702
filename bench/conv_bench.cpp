// Loading the conversion table: it happens twice at every start (the engine's table
// and the converter's), so it must stay well under a millisecond.

#include "conversion/convunits.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using quantrel::TConvUnits;

/// A new component loading the built-in text, as at start-up.
void BM_LoadConvTable_Builtin(benchmark::State& state) {
    for (auto _ : state) {
        TConvUnits conv;
        conv.LoadConvTable("");
        benchmark::DoNotOptimize(conv.BaseConvCount());
    }
}
BENCHMARK(BM_LoadConvTable_Builtin)->Unit(benchmark::kMicrosecond);

/// As at start-up with no user file: the path is looked at and found missing.
void BM_LoadConvTable_MissingConvFile(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "quantrel-bench-no-such-dir" / "conv.csv")
            .string();
    for (auto _ : state) {
        TConvUnits conv;
        conv.LoadConvTable(path);
        benchmark::DoNotOptimize(conv.BaseConvCount());
    }
}
BENCHMARK(BM_LoadConvTable_MissingConvFile)->Unit(benchmark::kMicrosecond);

/// Loading again into the same component, whose records keep their storage.
void BM_LoadConvTable_Reload(benchmark::State& state) {
    TConvUnits conv;
    for (auto _ : state) {
        conv.LoadConvTable("");
        benchmark::DoNotOptimize(conv.BaseConvCount());
    }
}
BENCHMARK(BM_LoadConvTable_Reload)->Unit(benchmark::kMicrosecond);

} // namespace
