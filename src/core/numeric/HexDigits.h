#pragma once
// Whole numbers in hexadecimal, for the display, the tape and the history menus:
//   HexDigits(255) -> "FF"      HexDigits(255, 4) -> "00FF"      FitsInt64(2^63) -> false

#include "numeric/Extended.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace quantrel {

/// 2^63, the first whole number beyond a 64-bit signed integer.
inline constexpr Extended kTwoTo63 = 9223372036854775808.0L;

/// Whether the whole number `whole` is a 64-bit signed integer.
inline bool FitsInt64(Extended whole) {
    return whole >= -kTwoTo63 && whole < kTwoTo63;
}

/// Upper-case hexadecimal digits of n, padded with leading zeros to minDigits.
inline std::string HexDigits(std::uint64_t n, std::size_t minDigits = 1) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[n % 16]);
        n /= 16;
    } while (n != 0);
    if (digits.size() < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    return digits;
}

} // namespace quantrel
