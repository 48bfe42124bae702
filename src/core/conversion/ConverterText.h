#pragma once
// What the converter window shows besides its lists: the status line of the chosen
// pair of units, and the order of the unit lists' rows.
//
//   ConvStatusText(units, {"Length", "lmi", "lkm"})   -> "Convert miles to km: * 1.609344"
//   ConvStatusText(units, {"Temperature", "tf", "tc"}) -> "Convert DegF to DegC: + -32 * ..."

#include "conversion/ConvSpec.h"

#include <string>
#include <string_view>

namespace quantrel {

class TConvUnits;

/// "Convert " from symbol " to " to symbol ":", then " + X", " * Y", " + Z" for the
/// factors that are not 0, each a general text of the table's ConvDigits. Every
/// factor is written after " + ", a negative one too ("+ -32"). When the factors
/// cannot be found, the table's message is shown and the text ends after the colon.
std::string ConvStatusText(const TConvUnits& units, const TConvSpec& spec);

/// The rows' order: the letters a to z compared without case, every other character
/// by its code; a text that begins another comes first. Negative, 0 or positive.
int CompareConvTexts(std::string_view a, std::string_view b);

} // namespace quantrel
