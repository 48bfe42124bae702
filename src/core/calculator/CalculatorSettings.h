#pragma once
// The stored settings that the calculator logic applies to itself and to the main
// engine. A default-constructed value holds the first-run defaults (an empty store).
// Field names are the names of the stored values.

#include "numeric/Extended.h"

#include <cstdint>
#include <string>

namespace quantrel {

struct CalculatorSettings {
    /// "Tape" "NumOpt": tape format, 1 General, 2 Scientific, 3 Currency, 4 Fixed.
    std::int32_t NumOpt = 1;
    /// "Tape" "Digits": decimals of the Scientific and Fixed tape formats, 0 to 18.
    std::int32_t Digits = 2;
    /// "Tape" "ConvDigits": significant digits of conversion texts on the tape.
    std::int32_t ConvDigits = 8;
    /// "Tape" "Hide": the tape is hidden (the status bar then omits the tape format).
    bool Hide = false;
    /// "Form" "ThousSep": the display groups thousands.
    bool ThousSep = false;
    /// "Expand" "Subtotals": sub-total lines on the tape.
    bool Subtotals = true;
    /// "Expand" "ExpandOper": expanded lines for functions, taxes and conversions.
    bool ExpandOper = true;
    /// "Expand" "SubTotalsSymIndex": brackets of sub-totals, 0 none, 1 "{ }",
    /// 2 "[ ]", 3 "( )", 4 "< >".
    std::int32_t SubTotalsSymIndex = 1;
    /// "Expand" "ExpandOperSymIndex": brackets of expanded lines, as above.
    std::int32_t ExpandOperSymIndex = 2;
    /// "Math" "Dumb": calculate strictly as entered instead of by precedence.
    bool Dumb = false;
    /// "Mem" "MemNum": the memory.
    Extended MemNum = 0;
    /// "Tax" "TaxRate": the tax rate as a fraction, 0.1 meaning 10 %.
    double TaxRate = 0.1;
    /// "Tax" "TaxLit": the tax name on the tax keys and the tape.
    std::string TaxLit = "Tax";

    bool operator==(const CalculatorSettings&) const = default;
};

} // namespace quantrel
