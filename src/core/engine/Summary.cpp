// The one-line summary of a calculation for the history menus.

#include "engine/Summary.h"

#include "engine/QuantrelEval5.h"
#include "numeric/HexDigits.h"
#include "numeric/NumberText.h"

#include <cmath>
#include <cstdint>

namespace quantrel {

namespace {

// "xFF"; a negative number as its 64-bit two's complement; "***" beyond 64 bits.
std::string HexSummaryNumber(Extended x) {
    const Extended whole = std::trunc(x);
    if (!FitsInt64(whole))
        return "***";
    return "x" + HexDigits(static_cast<std::uint64_t>(static_cast<std::int64_t>(whole)));
}

} // namespace

std::string EquationSummary(const TQuantrelEval& engine) {
    std::string text;
    for (std::int32_t i = 1; i <= engine.MaxCompleteEquationIdx(); ++i) {
        const TEquationEntry& e = engine.Entry(i);
        if (e.Oper != qeBlank)
            text += OperSymbol(e.Oper);
        if (e.Parens > 0)
            text.append(static_cast<std::size_t>(e.Parens), '(');
        if (e.IsNumberEntered)
            text += engine.BaseUnits() == 16 ? HexSummaryNumber(e.NumEnt)
                                             : GeneralText(e.NumEnt, 15, engine.Locale());
        if (e.Parens < 0)
            text.append(static_cast<std::size_t>(-e.Parens), ')');
    }
    return text;
}

} // namespace quantrel
