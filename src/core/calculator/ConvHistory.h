#pragma once
// The last ten conversions, most recent first, for the conversion history menus:
// a conversion applied from the converter's arrow or from the menu moves to entry 1.

#include "conversion/ConvSpec.h"

#include <array>
#include <optional>
#include <string>

namespace quantrel {

class TConvUnits;

class ConvHistory {
public:
    static constexpr int kSize = 10;

    /// Puts the request at entry 1; an equal entry moves up, otherwise entry 10 drops.
    /// Taken by value: the request may be one of the entries being moved.
    void AddConvHistory(TConvSpec spec);

    /// Entry k (1..10, std::out_of_range otherwise); an empty Category marks a free
    /// entry.
    const TConvSpec& Entry(int k) const { return m_entries.at(static_cast<std::size_t>(k - 1)); }
    /// Sets entry k (1..10), as when the stored history is read.
    void SetEntry(int k, const TConvSpec& spec) {
        m_entries.at(static_cast<std::size_t>(k - 1)) = spec;
    }

    /// Caption of menu item k: "&1: Length miles -> km"; nothing for a free entry.
    std::optional<std::string> MenuCaption(int k, const TConvUnits& units) const;

private:
    std::array<TConvSpec, kSize> m_entries;
};

} // namespace quantrel
