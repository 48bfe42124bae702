// quantrel-tape as a whole process, start to exit, running a 1,000-key script.

#include "support/RunProcess.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The program beside this benchmark (every program lands in build/bin), or $QUANTREL_TAPE.
std::string TapeProgram() {
    if (const char* path = std::getenv("QUANTREL_TAPE"))
        return path;
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "quantrel-tape")
        .string();
}

// 1,000 keys: calculations of numbers, operators, functions and totals.
std::string Script() {
    const char* pattern[] = {"12.5", "+", "3", "*", "4", "sqrt", "-", "7", "/", "2", "="};
    std::string script;
    for (int i = 0; i < 1000; ++i) {
        script += pattern[i % std::size(pattern)];
        script += i % 20 == 19 ? '\n' : ' ';
    }
    return script;
}

void BM_TapeProcess1000Keys(benchmark::State& state) {
    const std::string program = TapeProgram();
    const std::string script = Script();
    for (auto _ : state) {
        const quantrel::test::ProcessResult r = quantrel::test::RunProcess(program, {}, script);
        if (r.exitCode != 0) {
            state.SkipWithError("quantrel-tape failed");
            break;
        }
        benchmark::DoNotOptimize(r.out.size());
    }
}
BENCHMARK(BM_TapeProcess1000Keys)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
