#pragma once
// Texts of the calculator's display and of pasted numbers:
//   HexText(255)            -> "000000000000000000FF"   HexText(-1) -> "-00000000000000000001"
//   DisplayText(1234.5, on)  -> "1,234.5"                DisplayText(1234.5, off) -> "1234.5"
//   CleanNumberText("$1,234.50") -> "1234.50"            CleanNumberText("1.5E3") -> "1.5E+3"

#include "numeric/Extended.h"
#include "numeric/NumberLocale.h"

#include <optional>
#include <string>
#include <string_view>

namespace quantrel {

/// The whole part of x (truncated towards zero) as exactly 20 upper-case hexadecimal
/// digits, "-" and the digits of the magnitude when negative; nothing when the whole
/// part does not fit a 64-bit signed integer.
std::optional<std::string> HexText(Extended x);

/// A finished number as the display shows it: with thousandSeparators and
/// 1 < |x| < 99999999999999, grouped with as many decimals as GeneralText has;
/// otherwise GeneralText with 15 digits.
std::string DisplayText(Extended x, bool thousandSeparators, const NumberLocale& loc);

/// Clipboard text made ready for ParseNumber: its first 30 characters, without
/// thousand separators and "$", a "+" after each "E" that no sign follows, and no
/// blanks around.
std::string CleanNumberText(std::string_view text, const NumberLocale& loc);

} // namespace quantrel
