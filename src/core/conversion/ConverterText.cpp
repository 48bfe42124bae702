#include "conversion/ConverterText.h"

#include "conversion/convunits.h"
#include "numeric/NumberText.h"

#include <algorithm>

namespace quantrel {

std::string ConvStatusText(const TConvUnits& units, const TConvSpec& spec) {
    Extended X = 0, Y = 0, Z = 0;
    units.GetConvFactors(spec, X, Y, Z);
    std::string text = "Convert " + units.GetUnitSymbol(spec.Category, spec.FromKey) + " to " +
                       units.GetUnitSymbol(spec.Category, spec.ToKey) + ":";
    const auto part = [&](const char* joint, Extended factor) {
        if (factor != 0)
            text += joint + GeneralText(factor, units.ConvDigits(), units.Locale());
    };
    part(" + ", X);
    part(" * ", Y);
    part(" + ", Z);
    return text;
}

int CompareConvTexts(std::string_view a, std::string_view b) {
    const auto fold = [](char c) -> unsigned char {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (fold(a[i]) != fold(b[i]))
            return fold(a[i]) < fold(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace quantrel
