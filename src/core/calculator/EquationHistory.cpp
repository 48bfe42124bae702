// The five history slots: finished calculations live in history engines 1..5,
// slot 1 the most recent; they are recalled through the scratch engine and kept
// between runs in Equ1.dat .. Equ5.dat (newest first).

#include "calculator/CalculatorLogic.h"

#include "engine/Summary.h"
#include "numeric/Utf8.h"

#include <filesystem>

namespace quantrel {

namespace {

constexpr std::size_t kCaptionMax = 20;
constexpr std::size_t kCaptionCut = 17;

std::string equationFile(const std::string& folder, int n) {
    return (std::filesystem::path(folder) / ("Equ" + std::to_string(n) + ".dat")).string();
}

std::string trimmed(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

void CalculatorLogic::copyInto(const TQuantrelEval& from, TQuantrelEval& to) {
    from.CopyEquation(*m_buffer);
    if (&to == m_main.get()) {
        to.AssignEquation(*m_buffer, from.EquationIdx());
        return;
    }
    try {
        to.AssignEquation(*m_buffer, from.EquationIdx());
    } catch (const SilentAbort&) {
        // An engine without events keeps what it could rebuild; the slots must still
        // be completed, so the refusal ends here.
    }
}

void CalculatorLogic::SaveToHistory() {
    RunCommand([&] {
        if (m_main->IsEmpty())
            return;
        copyInto(*m_main, historyEngine(m_slots.Save()));
    });
}

bool CalculatorLogic::RecallHistory(int slot) {
    if (m_slots.Engine(slot) == 0)
        return false;
    RunCommand([&] {
        // The number typed or fetched belongs to the calculation that leaves.
        ResetEntry();
        TQuantrelEval& recalled = historyEngine(m_slots.Engine(slot));
        if (m_main->IsEmpty()) {
            copyInto(recalled, *m_main);
            return;
        }
        copyInto(recalled, *m_scratch);
        copyInto(*m_main, historyEngine(m_slots.Recall(slot)));
        appendSeparator();
        copyInto(*m_scratch, *m_main);
    });
    return true;
}

std::array<std::optional<std::string>, CalculatorLogic::kHistorySize>
CalculatorLogic::HistoryMenuCaptions() const {
    std::array<std::optional<std::string>, kHistorySize> captions;
    for (int slot = 1; slot <= kHistorySize; ++slot) {
        const int engine = m_slots.Engine(slot);
        if (engine == 0)
            continue;
        std::string caption = "&";
        caption += std::to_string(slot) + ": " + EquationSummary(HistoryEngine(engine));
        caption = trimmed(caption);
        if (Utf8Length(caption) > kCaptionMax)
            caption = Utf8Left(caption, kCaptionCut) + "...";
        captions[static_cast<std::size_t>(slot - 1)] = std::move(caption);
    }
    return captions;
}

void CalculatorLogic::ReadEquationFiles(const std::string& folder) {
    RunCommand([&] {
        m_slots.Clear();
        for (int n = 1; n <= kHistorySize; ++n) {
            TQuantrelEval& engine = historyEngine(n);
            if (engine.LoadFromFile(equationFile(folder, n)))
                m_slots.Append(n);
            else
                engine.Reset(); // a file read part way is not kept
        }
    });
}

bool CalculatorLogic::WriteEquationFiles(const std::string& folder) {
    bool written = true;
    RunCommand([&] {
        SaveToHistory();
        m_main->Reset();
        for (int n = 1; n <= kHistorySize; ++n) {
            const int engine = m_slots.Engine(n);
            const TQuantrelEval& writer = engine != 0 ? HistoryEngine(engine) : *m_main;
            written = writer.SaveToFile(equationFile(folder, n)) && written;
        }
    });
    return written;
}

} // namespace quantrel
