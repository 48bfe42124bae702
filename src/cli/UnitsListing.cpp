#include "cli/UnitsListing.h"

#include "numeric/NumberText.h"

#include <algorithm>

namespace quantrel::cli {

bool ListUnits(const TConvUnits& table, const std::string& category, std::ostream& out) {
    const auto& categories = table.BaseUnits();
    if (!category.empty() &&
        std::find(categories.begin(), categories.end(), category) == categories.end())
        return false;
    // Numbers with a point and every digit the table holds, whatever the locale.
    const NumberLocale plain{".", "", "", "", "", 0};
    const auto number = [&](Extended x) { return GeneralText(x, 18, plain); };
    for (int i = 1; i <= table.BaseConvCount(); ++i) {
        const TBaseConv& unit = table.BaseConv(i);
        if (!category.empty() && unit.Category != category)
            continue;
        out << unit.Category << '\t' << unit.UnitKey << '\t' << unit.Description << '\t'
            << unit.Symbol << '\t' << number(unit.Offset) << '\t' << number(unit.Factor) << '\t'
            << number(unit.PostOffset) << '\n';
    }
    return true;
}

} // namespace quantrel::cli
