// The decimal correction of the four basic operations: whole operands compute exactly
// in 64-bit integers, moderate ones are rounded as their fixed decimal text shows
// them, the rest is plain 80-bit arithmetic.

#include "numeric/Decimal.h"

#include "numeric/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace quantrel {

namespace {

// x rounded at P significant digits or D decimals, as its fixed text reads back;
// x itself when it is not finite.
Extended Rounded(Extended x, int P, int D) {
    return FixedValue(x, P, D).value_or(x);
}

bool IsWhole(Extended x) {
    return Frac(x) == 0;
}

} // namespace

Extended Frac(Extended x) {
    return x - std::trunc(x);
}

int FractionLength(Extended x) {
    return static_cast<int>(PlainTextLength(Frac(x), 15, NumberLocale::Plain()));
}

Extended DecimalAdd(Extended x, Extended y) {
    const Extended ax = std::fabs(x), ay = std::fabs(y);
    if (IsWhole(x) && IsWhole(y) && ax < 9999999999999.0L && ay < 9999999999999.0L)
        return static_cast<Extended>(static_cast<std::int64_t>(x) + static_cast<std::int64_t>(y));
    if (ax < 999999999999.0L && ay < 999999999999.0L && ax > 0.001L && ay > 0.001L) {
        const int d = std::max(FractionLength(x), FractionLength(y));
        return Rounded(x + y, 18, d);
    }
    return x + y;
}

Extended DecimalSubtract(Extended x, Extended y) {
    const Extended ax = std::fabs(x), ay = std::fabs(y);
    if (IsWhole(x) && IsWhole(y) && ax < 99999999999999.0L && ay < 99999999999999.0L)
        return static_cast<Extended>(static_cast<std::int64_t>(x) - static_cast<std::int64_t>(y));
    if (ax < 9999999999999.0L && ay < 9999999999999.0L && ax > 0.001L && ay > 0.001L) {
        const int d = std::max(FractionLength(x), FractionLength(y));
        return Rounded(x - y, 18, d);
    }
    return x - y;
}

Extended DecimalMultiply(Extended x, Extended y) {
    const Extended ax = std::fabs(x), ay = std::fabs(y);
    constexpr Extended kLimit = 999999999999.0L;
    if (IsWhole(x) && IsWhole(y) && ax < kLimit && ay < kLimit) {
        std::int64_t product = 0;
        if (!__builtin_mul_overflow(static_cast<std::int64_t>(x), static_cast<std::int64_t>(y),
                                    &product))
            return static_cast<Extended>(product);
    }
    if (ax < kLimit && ay < kLimit && ax > 0.001L && ay > 0.001L) {
        const int d = FractionLength(x) + FractionLength(y);
        return Rounded(x * y, 18, d);
    }
    return x * y;
}

Extended DecimalFrac(Extended x) {
    if (std::fabs(x) < 1)
        return x;
    const std::string s = GeneralText(x, 15, NumberLocale::Plain());
    const auto point = s.find('.');
    if (point == std::string::npos)
        return 0;
    // One decimal more than the 15-digit text shows: binary noise goes, and the
    // fraction keeps every digit the display shows of x.
    const int decimals = static_cast<int>(s.size() - (point + 1)) + 2;
    return Frac(Rounded(x, 18, decimals));
}

} // namespace quantrel
