// The engine's construction, properties and shared plumbing (messages, snapshot).
// Entry and editing live in Entry.cpp, reduction in Evaluate.cpp, the value of each
// operator in Arithmetic.cpp and the tape text in TapeFormat.cpp and TapeWriter.cpp.

#include "engine/QuantrelEval5.h"

#include "numeric/NumberText.h"

#include <array>
#include <fstream>
#include <utility>

namespace quantrel {

namespace {

// Bracket pairs selectable for sub-total and expanded lines, by index.
constexpr std::array<std::pair<const char*, const char*>, 5> kBracketPairs{{
    {"", ""},
    {"{", "}"},
    {"[", "]"},
    {"(", ")"},
    {"<", ">"},
}};

bool SetBrackets(std::int32_t index, std::string& open, std::string& close) {
    if (index < 0 || index >= static_cast<std::int32_t>(kBracketPairs.size()))
        return false;
    open = kBracketPairs[index].first;
    close = kBracketPairs[index].second;
    return true;
}

} // namespace

TQuantrelEval::TQuantrelEval() {
    Reset();
}

void TQuantrelEval::SetMessageHandler(MessageHandler handler) {
    m_message = handler;
    FConvUnits.SetMessageHandler(std::move(handler));
}

void TQuantrelEval::SetLocale(const NumberLocale& locale) {
    m_locale = locale;
    FConvUnits.SetLocale(locale);
}

void TQuantrelEval::ShowMessage(const std::string& text) const {
    if (m_message)
        m_message(text);
}

void TQuantrelEval::SetSubTotalSym(std::int32_t value) {
    FSubTotalSym = value;
    if (!SetBrackets(value, FSubTotalOpen, FSubTotalClose))
        ShowMessage("Invalid fSubTotalSymIndex");
}

void TQuantrelEval::SetExpandOperSym(std::int32_t value) {
    FExpandOperSym = value;
    if (!SetBrackets(value, FExpandOpen, FExpandClose))
        ShowMessage("Invalid fExpandOperSymIndex");
}

void TQuantrelEval::LoadConvTable(const std::string& fileName) {
    FConvUnits.LoadConvTable(fileName);
}

void TQuantrelEval::Snapshot(std::string_view label) {
    if (m_snapshotPath.empty())
        return;
    // Appending creates a missing file; a path that cannot be opened at all is
    // skipped so that the calculation is never disturbed by its log.
    std::ofstream out(m_snapshotPath, std::ios::binary | std::ios::app);
    if (!out)
        return;
    const NumberLocale plain{m_locale.decimalSeparator, "", "", "", "", 0};
    const auto fixed = [&](Extended x) { return FixedText(x, 18, 2, plain); };
    out << "------------------------\r\n";
    out << "FEquationIdx............: " << FEquationIdx << "\r\n";
    out << "FMaxCompleteEquationIdx.: " << FMaxCompleteEquationIdx << "\r\n";
    for (std::int32_t n = 1; n <= FEquationIdx; ++n) {
        const TEquationEntry& e = FEntries[n];
        out << label << ' ' << n << " Is Eval: " << (e.IsEval ? "True " : "False")
            << " Result: " << fixed(e.Result) << " Num Ent: " << fixed(e.NumEnt)
            << " Oper: " << OperSymbol(e.Oper) << " Priority: " << e.Priority
            << " Num Oper On: " << fixed(e.NumOperOn)
            << " Is Number Entered: " << (e.IsNumberEntered ? 1 : 0) << "\r\n";
    }
}

} // namespace quantrel
