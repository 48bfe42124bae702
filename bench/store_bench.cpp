// Start-up and the end with a full state: a settings file with every value and five
// equation files of 499 entries each, on Qt's offscreen platform.
//   BM_LoadSettingsAndHistory  the store read and turned into settings, the five files
//                              read into the history engines
//   BM_StoreRoutine            what File > Exit stores: settings and the five files
//   BM_ConstructAndShow        the window created with that state and shown

#include "calculator/CalculatorLogic.h"
#include "calculator/SettingsTable.h"
#include "window/Calculator.h"
#include "window/SettingsStore.h"

#include "QtBenchmarkMain.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

using namespace quantrel;

/// Writes Equ1.dat .. Equ5.dat of 499 entries each and a settings file of every value.
class FullState {
public:
    FullState() {
        if (!m_folder.isValid())
            throw std::runtime_error("no temporary folder");
        TQuantrelEval engine;
        engine.EnterNumber(false, 1);
        const TOperCode opers[] = {qeAdd, qeTimes, qeMinus, qeDivide};
        for (int i = 0; engine.EquationIdx() < 498; ++i) {
            engine.EnterOperator(opers[i % 4]);
            engine.EnterNumber(false, 1 + i % 9);
        }
        for (int n = 1; n <= 5; ++n)
            if (!engine.SaveToFile(file(("Equ" + std::to_string(n) + ".dat").c_str())))
                throw std::runtime_error("cannot write an equation file");
        ProgramSettings settings;
        settings.SaveDest = m_folder.path().toStdString();
        settings.Notes.fill("a note of some length, as users write them");
        settings.Conv.fill("Length,lmi,lkm");
        if (!gui::SettingsStore(ini()).Write(
                WriteProgramSettings(settings, NumberLocale::CommaPoint())))
            throw std::runtime_error("cannot write the settings");
    }

    std::string file(const char* name) const {
        return QDir(m_folder.path()).filePath(QString::fromLatin1(name)).toStdString();
    }
    QString folder() const { return m_folder.path(); }
    QString ini() const { return QDir(m_folder.path()).filePath(QStringLiteral("quantrel.ini")); }
    gui::WindowOptions options() const {
        return {folder(), NumberLocale::CommaPoint(), ini(), false, false};
    }

private:
    QTemporaryDir m_folder;
};

struct SilentView : CalculatorView {
    void ShowDisplay(const std::string&) override {}
    void AppendTapeLine(const std::string&, std::int32_t, bool) override {}
    std::int32_t TapePosition() override { return 0; }
    void ShowMessage(const std::string&, MessageKind) override {}
};

void BM_LoadSettingsAndHistory(benchmark::State& state) {
    const FullState full;
    SilentView view;
    for (auto _ : state) {
        const ProgramSettings settings =
            ReadProgramSettings(gui::SettingsStore(full.ini()).Read(), NumberLocale::CommaPoint());
        CalculatorLogic logic(view, settings.Calc);
        logic.ReadEquationFiles(full.folder().toStdString());
        benchmark::DoNotOptimize(logic.HistorySlots());
    }
}
BENCHMARK(BM_LoadSettingsAndHistory)->Unit(benchmark::kMillisecond);

void BM_StoreRoutine(benchmark::State& state) {
    const FullState full;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<gui::TCalculator>(full.options());
        state.ResumeTiming();
        window->StoreAll();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StoreRoutine)->Unit(benchmark::kMillisecond);

void BM_ConstructAndShow(benchmark::State& state) {
    const FullState full;
    for (auto _ : state) {
        auto window = std::make_unique<gui::TCalculator>(full.options());
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            throw std::runtime_error("the window was never shown");
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConstructAndShow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
