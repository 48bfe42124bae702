// Key to display through the real calculator window on Qt's offscreen platform: a
// click (or a typed digit) goes through the button, the logic, the engine and back to
// the display and the tape, and the window then repaints. The tape holds 10,000 lines
// and the calculation 50 numbers, as a long working session would.

#include "window/Calculator.h"
#include "window/TapeView.h"

#include "QtBenchmarkMain.h"
#include <QAbstractButton>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace {

using quantrel::gui::TCalculator;

constexpr int kTapeLines = 10'000;
constexpr int kNumbers = 50;

/// A shown window whose tape holds `kTapeLines` lines of every style.
class Session {
public:
    Session()
        : m_window({m_data.path(), quantrel::NumberLocale::CommaPoint(),
                    m_data.filePath(QStringLiteral("quantrel.ini"))}) {
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window))
            throw std::runtime_error("the window was never shown");
        refillTape();
    }

    QAbstractButton* key(const char* name) {
        return m_window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    }

    void click(const char* name) { QTest::mouseClick(key(name), Qt::LeftButton); }

    /// Back to `kTapeLines` once the benchmark has grown the tape well beyond them.
    void keepTapeSize() {
        if (m_window.Tape().LineCount() > kTapeLines + 1'000)
            refillTape();
    }

    TCalculator& window() { return m_window; }

private:
    void refillTape() {
        quantrel::gui::TapeView& tape = m_window.Tape();
        tape.ClearTape();
        for (int line = 0; line < kTapeLines; ++line) {
            const int attr = line % 5 == 4 ? 4 : 1;
            tape.AppendLine(QStringLiteral("+ %1").arg(line * 1.25), attr, false);
        }
        QApplication::processEvents();
    }

    QTemporaryDir m_data;
    TCalculator m_window;
};

void renderNow() {
    QApplication::processEvents();
}

// Presses a digit key through `press`, starting a new number with CE (outside the
// timing) before it reaches thirteen digits, the most a number takes.
template <class Press> void DigitKeys(benchmark::State& state, Session& session, Press press) {
    int typed = 0;
    for (auto _ : state) {
        press();
        renderNow();
        if (++typed == 12) {
            state.PauseTiming();
            session.click("Button22");
            renderNow();
            typed = 0;
            state.ResumeTiming();
        }
    }
}

void BM_DigitKeyClick(benchmark::State& state) {
    Session session;
    QAbstractButton* seven = session.key("Button7");
    DigitKeys(state, session, [&] { QTest::mouseClick(seven, Qt::LeftButton); });
}
BENCHMARK(BM_DigitKeyClick)->Unit(benchmark::kMillisecond);

void BM_DigitKeyTyped(benchmark::State& state) {
    Session session;
    DigitKeys(state, session, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_7); });
}
BENCHMARK(BM_DigitKeyTyped)->Unit(benchmark::kMillisecond);

void BM_EqualsOnFiftyNumbers(benchmark::State& state) {
    Session session;
    QAbstractButton* equals = session.key("EqualsBitBtn");
    static constexpr const char* kDigits[] = {"Button1", "Button2", "Button3", "Button4", "Button5",
                                              "Button6", "Button7", "Button8", "Button9"};
    double linesWritten = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.keepTapeSize();
        // 1 + 2 X 3 X ... X 5: the pending addition keeps every line unprinted until
        // "=", the most work one "=" can have.
        session.click("Button15");
        for (int number = 0; number < kNumbers; ++number) {
            session.click(kDigits[number % 9]);
            if (number + 1 < kNumbers)
                session.click(number == 0 ? "Button11" : "Button13");
        }
        renderNow();
        const int before = session.window().Tape().LineCount();
        state.ResumeTiming();

        QTest::mouseClick(equals, Qt::LeftButton);
        renderNow();

        state.PauseTiming();
        linesWritten += session.window().Tape().LineCount() - before;
        state.ResumeTiming();
    }
    // Shows that each "=" evaluated and printed the whole calculation.
    state.counters["tape_lines_per_equals"] =
        benchmark::Counter(linesWritten, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_EqualsOnFiftyNumbers)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
