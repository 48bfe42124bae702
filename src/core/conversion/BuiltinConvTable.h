#pragma once
// The built-in conversion table: 275 text lines (14 categories, 259 units, 2 special
// conversions) that every TConvUnits loads before the user's conv.csv.

#include <span>
#include <string_view>

namespace quantrel {

/// The built-in table lines in load order, e.g. R"(2,Area,sqacre,"acres",acre,0,4046.856422,0)".
std::span<const std::string_view> BuiltinConvLines();

} // namespace quantrel
