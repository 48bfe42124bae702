// The tape writer. At each full reduction it writes the lines of every complete
// entry not yet printed: an operand merges with a function, tax or conversion that
// binds to it ("+ Sqrt(9)"), expanded lines spell out what such an operator did
// ("[Sqrt(9) = 3]"), the total follows equals, and a sub-total ends an
// intermediate result ("{= 5}").

#include "engine/QuantrelEval5.h"

#include "numeric/NumberText.h"
#include "numeric/Utf8.h"

#include <algorithm>

namespace quantrel {

namespace {

// Expanded lines longer than this are split before their " = ".
constexpr std::size_t kSplitWidth = 26;

std::string OpenParensText(std::int32_t n) {
    return n > 0 ? std::string(n, '(') : std::string();
}

std::string CloseParensText(std::int32_t n) {
    return n < 0 ? std::string(-static_cast<std::size_t>(n), ')') : std::string();
}

} // namespace

void TQuantrelEval::EmitTapeLine(const std::string& text, std::int32_t attr, bool isNegative) {
    if (OnQuantrelTape)
        OnQuantrelTape(*this, text, attr, isNegative);
}

void TQuantrelEval::EmitOperationLine(std::int32_t i, const std::string& text) {
    TEquationEntry& entry = FEntries[i];
    if (OnQuantrelSelStart) {
        std::int32_t selStart = 0;
        OnQuantrelSelStart(*this, selStart);
        entry.TapeSelStart = selStart;
    }
    entry.TapeSelLength = static_cast<std::int32_t>(Utf8Length(text));
    EmitTapeLine(text, taOperation, false);
}

void TQuantrelEval::PrintPendingLines() {
    for (std::int32_t i = FTapeIdx + 1; i <= FMaxCompleteEquationIdx; ++i) {
        const TEquationEntry& entry = FEntries[i];
        if (entry.IsPrinted)
            continue;
        if (entry.Oper == qeEquals) {
            PrintTotalLine(i);
            continue;
        }
        switch (ClassOf(entry.Oper)) {
        case OperClass::Function:
            PrintFunctionLine(i);
            break;
        case OperClass::Tax:
            PrintTaxLine(i);
            break;
        case OperClass::Conversion:
            PrintConversionLine(i);
            break;
        case OperClass::Operand:
            PrintOperandLine(i);
            break;
        }
    }
    if (FEntries[FMaxCompleteEquationIdx].Oper != qeEquals && FSubTotal) {
        // The entry after the last one written still holds qeBlank (or a waiting
        // operator) while an equation is typed; only an angle code would matter.
        const std::int32_t next = std::max(FMaxCompleteEquationIdx, FTapeIdx) + 1;
        PrintSubTotalLine(next <= kMaxEquationEntries ? FEntries[next].Oper : qeBlank);
    }
    FTapeIdx = FMaxCompleteEquationIdx;
}

// Totals and sub-totals only show; an engine without a tape (a history engine being
// loaded) skips composing them.
void TQuantrelEval::PrintTotalLine(std::int32_t i) {
    FEntries[i].IsPrinted = true;
    if (!OnQuantrelTape)
        return;
    const Extended total = FEntries[1].Result;
    EmitTapeLine("= " + FormatTapeNumber(qeEquals, total), taTotal, total < 0);
}

void TQuantrelEval::PrintSubTotalLine(TOperCode code) {
    if (!OnQuantrelTape)
        return;
    EmitTapeLine(FSubTotalOpen + "= " + FormatTapeNumber(code, FEntries[1].Result) + FSubTotalClose,
                 taSubTotal, false);
}

void TQuantrelEval::PrintOperandLine(std::int32_t i) {
    TEquationEntry& entry = FEntries[i];
    entry.IsPrinted = true;
    std::string line = std::string(OperSymbol(entry.Oper)) + " " + OpenParensText(entry.Parens);

    const std::int32_t n = i + 1;
    const bool merged = n <= kMaxEquationEntries && !IsBinaryOper(FEntries[n].Oper) &&
                        i <= FMaxCompleteEquationIdx && FEntries[n].Priority > entry.Priority;
    if (!merged) {
        line += FormatTapeNumber(entry.Oper, entry.NumEnt) + OperSuffix(entry.Oper, FTaxLit) +
                CloseParensText(entry.Parens);
        EmitOperationLine(i, line);
        return;
    }

    TEquationEntry& next = FEntries[n];
    switch (ClassOf(next.Oper)) {
    case OperClass::Function:
        line += OpenParensText(next.Parens) + std::string(OperSymbol(next.Oper)) + "(" +
                FormatTapeNumber(next.Oper, next.NumOperOn) + ")" + OperSuffix(next.Oper, FTaxLit) +
                CloseParensText(next.Parens);
        break;
    case OperClass::Conversion:
        line += OpenParensText(next.Parens) +
                ConversionText(entry.Oper, next.NumOperOn, next.Conv) +
                CloseParensText(next.Parens);
        break;
    default: // a tax, or equals, which shows like one
        line += FormatTapeNumber(next.Oper, entry.NumEnt) + " " + OperSuffix(next.Oper, FTaxLit) +
                CloseParensText(entry.Parens);
        break;
    }
    EmitOperationLine(i, line);
    next.IsPrinted = true;
    if (FExpandOper)
        PrintExpansion(n);
}

void TQuantrelEval::PrintFunctionLine(std::int32_t i) {
    TEquationEntry& entry = FEntries[i];
    entry.IsPrinted = true;
    EmitOperationLine(i, OpenParensText(entry.Parens) + std::string(OperSymbol(entry.Oper)) + "(" +
                             FormatTapeNumber(entry.Oper, entry.NumOperOn) + ")" +
                             OperSuffix(entry.Oper, FTaxLit) + CloseParensText(entry.Parens));
    if (FExpandOper)
        PrintFunctionExpansion(i);
}

void TQuantrelEval::PrintTaxLine(std::int32_t i) {
    TEquationEntry& entry = FEntries[i];
    entry.IsPrinted = true;
    EmitOperationLine(i, OpenParensText(entry.Parens) + std::string(OperSymbol(entry.Oper)) +
                             FormatTapeNumber(entry.Oper, entry.NumOperOn) + " " +
                             OperSuffix(entry.Oper, FTaxLit) + CloseParensText(entry.Parens));
    if (FExpandOper)
        PrintTaxExpansion(i);
}

void TQuantrelEval::PrintConversionLine(std::int32_t i) {
    TEquationEntry& entry = FEntries[i];
    entry.IsPrinted = true;
    EmitOperationLine(i, OpenParensText(entry.Parens) +
                             ConversionText(qeConv, entry.NumOperOn, entry.Conv) + " " +
                             CloseParensText(entry.Parens));
    if (FExpandOper)
        PrintConversionExpansion(i);
}

// "Conv 90 s->min ": the value and the two unit symbols.
std::string TQuantrelEval::ConversionText(TOperCode numberOper, Extended value,
                                          const TConvSpec& conv) const {
    std::string fromSymbol, toSymbol;
    FConvUnits.GetConvSymbols(conv, fromSymbol, toSymbol);
    return "Conv " + FormatTapeNumber(numberOper, value) + " " + fromSymbol + "->" + toSymbol + " ";
}

std::string TQuantrelEval::TaxRateText(TOperCode Oper) const {
    const std::string sign = Oper == qePlusTax ? "+" : Oper == qeMinusTax ? "-" : "";
    return sign + GeneralText(static_cast<Extended>(FTaxRate) * 100, 15, m_locale) + "% " + FTaxLit;
}

void TQuantrelEval::PrintExpansion(std::int32_t i) {
    switch (ClassOf(FEntries[i].Oper)) {
    case OperClass::Function:
        PrintFunctionExpansion(i);
        break;
    case OperClass::Tax:
        PrintTaxExpansion(i);
        break;
    default:
        PrintConversionExpansion(i);
        break;
    }
}

void TQuantrelEval::EmitExpandedLine(const std::string& head, const std::string& value) {
    const std::string tail = " = " + value + FExpandClose;
    if (Utf8Length(head) + Utf8Length(tail) > kSplitWidth) {
        EmitTapeLine(head, taExpand, false);
        EmitTapeLine(tail, taExpand, false);
    } else {
        EmitTapeLine(head + tail, taExpand, false);
    }
}

void TQuantrelEval::PrintFunctionExpansion(std::int32_t i) {
    const TEquationEntry& entry = FEntries[i];
    const TOperCode c = entry.Oper;
    const Extended v = Calc(c, false, entry.NumOperOn, entry.Result, entry.Conv).Value;
    const TOperCode resultCode = (c == qeAsin || c == qeAcos || c == qeAtan) ? qeAngle : qeBlank;
    EmitExpandedLine(FExpandOpen + std::string(OperSymbol(c)) + "(" +
                         FormatTapeNumber(c, entry.NumOperOn) + ")",
                     FormatTapeNumber(resultCode, v));
}

void TQuantrelEval::PrintTaxExpansion(std::int32_t i) {
    const TEquationEntry& entry = FEntries[i];
    const TOperCode c = entry.Oper;
    const Extended v = Calc(c, false, entry.NumOperOn, entry.Result, entry.Conv).Value;
    std::string head = FExpandOpen;
    if (c == qeTaxInc)
        head += "Incl " + TaxRateText(c);
    else if (c == qeTaxExcl)
        head += TaxRateText(c);
    else
        head += FormatTapeNumber(c, entry.NumOperOn) + " " + TaxRateText(c);
    EmitExpandedLine(head, FormatTapeNumber(qeNone, v));
}

void TQuantrelEval::PrintConversionExpansion(std::int32_t i) {
    const TEquationEntry& entry = FEntries[i];
    const Extended v = Calc(entry.Oper, false, entry.NumOperOn, entry.Result, entry.Conv).Value;
    Extended offset = 0, factor = 0, postOffset = 0;
    FConvUnits.GetConvFactors(entry.Conv, offset, factor, postOffset);
    EmitExpandedLine(FExpandOpen + FormatTapeNumber(qeConv, entry.NumOperOn) + " " +
                         quantrel::FormulaText(offset, factor, postOffset, FConvDigits, m_locale),
                     FormatTapeNumber(qeNone, v));
}

} // namespace quantrel
