// The conversion history: entries move to the front when used again.

#include "calculator/ConvHistory.h"

#include "conversion/convunits.h"

#include <algorithm>

namespace quantrel {

void ConvHistory::AddConvHistory(TConvSpec spec) {
    auto last = m_entries.end() - 1;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->Category.empty())
            break;
        if (*it == spec) {
            last = it;
            break;
        }
    }
    std::move_backward(m_entries.begin(), last, last + 1);
    m_entries.front() = std::move(spec);
}

std::optional<std::string> ConvHistory::MenuCaption(int k, const TConvUnits& units) const {
    const TConvSpec& spec = Entry(k);
    if (spec.Category.empty())
        return std::nullopt;
    std::string caption = "&";
    return caption + std::to_string(k) + ": " + spec.Category + " " +
           units.GetUnitSymbol(spec.Category, spec.FromKey) + " -> " +
           units.GetUnitSymbol(spec.Category, spec.ToKey);
}

} // namespace quantrel
