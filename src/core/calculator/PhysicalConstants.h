#pragma once
// The constants of the Tools menu, in menu order. Each value is fixed bit for bit by
// its 80-bit pattern (sign-and-exponent word, 64-bit mantissa), not by its decimal.

#include "numeric/Extended.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace quantrel {

struct PhysicalConstant {
    std::string_view ItemName;    ///< menu item: "Pi2", "SpeedofLight1", ...
    std::string_view Caption;     ///< "Pi", "Speed of Light (m/s)", ...
    std::uint16_t SignExponent;   ///< sign bit and 15-bit biased exponent
    std::uint64_t Mantissa;       ///< 64-bit mantissa with its explicit leading bit
    bool SeparatorBefore = false; ///< a menu line stands above this item

    /// The 80-bit value of the pattern.
    Extended Value() const;
};

/// All 22 constants; the menu index of a constant is its position + 1.
std::span<const PhysicalConstant> PhysicalConstants();

} // namespace quantrel
