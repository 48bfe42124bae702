// The decimal correction of the four basic operations: whole operands compute exactly
// in 64-bit integers, moderate ones are rounded through a decimal text, the rest is
// plain 80-bit arithmetic.

#include "numeric/Decimal.h"

#include "numeric/NumberText.h"
#include "numeric/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace quantrel {

namespace {

// The texts never leave this file, so a fixed point-decimal locale keeps the result
// independent of the user's one.
Extended ParsePlain(const std::string& text, Extended fallback) {
    return ParseNumber(text, NumberLocale::Plain()).value_or(fallback);
}

bool IsWhole(Extended x) {
    return Frac(x) == 0;
}

} // namespace

Extended Frac(Extended x) {
    return x - std::trunc(x);
}

int FractionLength(Extended x) {
    return static_cast<int>(Utf8Length(PlainText(Frac(x), 15, NumberLocale::Plain())));
}

Extended DecimalAdd(Extended x, Extended y) {
    const Extended ax = std::fabs(x), ay = std::fabs(y);
    if (IsWhole(x) && IsWhole(y) && ax < 9999999999999.0L && ay < 9999999999999.0L)
        return static_cast<Extended>(static_cast<std::int64_t>(x) + static_cast<std::int64_t>(y));
    if (ax < 999999999999.0L && ay < 999999999999.0L && ax > 0.001L && ay > 0.001L) {
        const int d = std::max(FractionLength(x), FractionLength(y));
        return ParsePlain(FixedText(x + y, 14, d, NumberLocale::Plain()), x + y);
    }
    return x + y;
}

Extended DecimalSubtract(Extended x, Extended y) {
    const Extended ax = std::fabs(x), ay = std::fabs(y);
    if (IsWhole(x) && IsWhole(y) && ax < 99999999999999.0L && ay < 99999999999999.0L)
        return static_cast<Extended>(static_cast<std::int64_t>(x) - static_cast<std::int64_t>(y));
    if (ax < 9999999999999.0L && ay < 9999999999999.0L && ax > 0.001L && ay > 0.001L) {
        const int d = std::max(FractionLength(x), FractionLength(y));
        return ParsePlain(FixedText(x - y, 18, d, NumberLocale::Plain()), x - y);
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
        return ParsePlain(FixedText(x * y, 18, d, NumberLocale::Plain()), x * y);
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
    // Digits beyond the tenth significant one are rounded away before the fraction.
    const int decimals = static_cast<int>(s.size() - (point + 1)) + 2;
    return Frac(ParsePlain(FixedText(x, 10, decimals, NumberLocale::Plain()), x));
}

} // namespace quantrel
