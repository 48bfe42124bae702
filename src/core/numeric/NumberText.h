#pragma once
// Number texts: every number the program shows or stores as text passes through
// these routines. All round half away from zero from the value's 18-significant-digit
// decimal form (so a typed 1.005 is a tie: FixedText(1.005, 14, 2) -> "1.01"), clamp
// a precision to 2..18 significant digits and use the locale's separators.
//
//   GeneralText(1234.5, 15)        -> "1234.5"      GeneralText(0.00001, 15) -> "1E-5"
//   ExponentText(12345, 5)         -> "1.2345E+4"   FixedText(1234.5, 14, 2) -> "1234.50"
//   NumberText(1234.5, 14, 2)      -> "1,234.50"    CurrencyText(-3, 14, 2)  -> "-$3.00"
//   GroupedGeneralText(-1234567.891) -> "-1,234,567.891"

#include "numeric/Extended.h"
#include "numeric/NumberLocale.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quantrel {

/// Shortest general text with at most P significant digits: fixed notation when the
/// decimal exponent allows (-3 <= E <= P), else "d.dddE-x"; M = minimum exponent digits.
std::string GeneralText(Extended x, int P, int M, const NumberLocale& loc);
inline std::string GeneralText(Extended x, int P, const NumberLocale& loc) {
    return GeneralText(x, P, 0, loc);
}
/// GeneralText with 15 significant digits.
inline std::string GeneralText(Extended x, const NumberLocale& loc) {
    return GeneralText(x, 15, 0, loc);
}

/// The digits GeneralText(x, P) keeps, always in plain notation: PlainText(1E-5, 15)
/// -> "0.00001". Used where the length of a number's text matters.
std::string PlainText(Extended x, int P, const NumberLocale& loc);

/// Scientific text with exactly P significant digits and a signed exponent: "1.2300E-4".
std::string ExponentText(Extended x, int P, int M, const NumberLocale& loc);

/// Fixed text with exactly D decimals (D <= 18), rounded at the P-th significant digit
/// or the D-th decimal, whichever comes first; GeneralText(x, P, D) when x has more
/// than P integer digits.
std::string FixedText(Extended x, int P, int D, const NumberLocale& loc);

/// FixedText with the integer digits grouped by the thousand separator.
std::string NumberText(Extended x, int P, int D, const NumberLocale& loc);

/// NumberText of |x| placed into the locale's positive or negative currency pattern.
std::string CurrencyText(Extended x, int P, int D, const NumberLocale& loc);

/// General mode's rendering for 1 < |x| < 99999999999999: the digits of the 15-digit
/// general text, grouped in threes, at most 11 decimals.
std::string GroupedGeneralText(Extended x, const NumberLocale& loc);

/// The value FixedText(x, P, D) shows, as ParseNumber reads it back, mostly computed
/// without the text; nothing when x is not finite.
/// The decimal correction rounds every sum and product this way.
std::optional<Extended> FixedValue(Extended x, int P, int D);

/// The number of characters of PlainText(x, P, loc), without building the text.
std::size_t PlainTextLength(Extended x, int P, const NumberLocale& loc);

/// Optional blanks and sign, digits with the locale's decimal separator, an optional
/// exponent "E"/"e" with optional sign. Anything else, and values beyond the 80-bit
/// range, give nothing. Locale-independent of the C library.
std::optional<Extended> ParseNumber(std::string_view text, const NumberLocale& loc);

} // namespace quantrel
