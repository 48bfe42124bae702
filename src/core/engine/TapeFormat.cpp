// FormatTapeNumber: the one rendering of every number on the tape, chosen by the
// tape format, the number base and, for angles, the angle unit.

#include "engine/QuantrelEval5.h"

#include "numeric/HexDigits.h"
#include "numeric/NumberText.h"

#include <cmath>
#include <cstdint>
#include <exception>

namespace quantrel {

namespace {

bool IsAngleCode(TOperCode code) {
    return code == qeSin || code == qeCos || code == qeTan || code == qeAngle;
}

const char* AngleSuffix(std::int32_t trigUnits) {
    switch (trigUnits) {
    case 1:
        return "°";
    case 2:
        return "rd";
    case 3:
        return "gr";
    default:
        return "";
    }
}

// "xFF", "-xFF": the integer part of |x| in upper-case hexadecimal.
std::string HexTapeText(Extended x) {
    const Extended magnitude = std::trunc(std::fabs(x));
    if (!(magnitude < kTwoTo63))
        return "Too Large to Show as Hex";
    return (x < 0 ? "-x" : "x") + HexDigits(static_cast<std::uint64_t>(magnitude));
}

} // namespace

std::string TQuantrelEval::FormatTapeNumber(TOperCode Oper, Extended X) const {
    try {
        if (IsAngleCode(Oper)) {
            const std::string digits = FTapeFormatMode == 4
                                           ? NumberText(X, FPrecision, FDigits, m_locale)
                                           : GeneralText(X, 15, m_locale);
            return digits + AngleSuffix(FTrigUnits);
        }
        if (FBaseUnits == 16)
            return HexTapeText(X);
        switch (FTapeFormatMode) {
        case 1: {
            const Extended magnitude = std::fabs(X);
            if (magnitude > 1 && magnitude < 99999999999999.0L)
                return GroupedGeneralText(X, m_locale);
            return GeneralText(X, FPrecision, m_locale);
        }
        case 2:
            return ExponentText(X, FDigits + 1, 0, m_locale);
        case 3:
            return CurrencyText(X, FPrecision, m_locale.currencyDigits, m_locale);
        case 4:
            return NumberText(X, FPrecision, FDigits, m_locale);
        default:
            return "Unknown Tape Format!";
        }
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace quantrel
