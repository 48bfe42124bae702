#pragma once
// Decimal correction of the four basic operations. Results of decimal inputs lose
// their binary noise: whole operands compute exactly in 64-bit integers, moderate
// ones are rounded through a decimal text to as many decimals as the operands'
// fractions have, everything else is plain 80-bit arithmetic.
//   DecimalAdd(0.1, 0.2) == 0.3L      DecimalMultiply(1.5, 1.5) == 2.25L
//   DecimalSubtract(1.1, 1) == 0.1L   DecimalFrac(12.345) ~ 0.345

#include "numeric/Extended.h"

namespace quantrel {

Extended DecimalAdd(Extended x, Extended y);
Extended DecimalSubtract(Extended x, Extended y);
Extended DecimalMultiply(Extended x, Extended y);
Extended DecimalFrac(Extended x);

/// The number of characters of frac(x) written plainly with 15 significant digits:
/// 3 for 2.5 ("0.5"), 4 for -2.5, 1 for a whole number, 7 for 2.00001 ("0.00001").
int FractionLength(Extended x);

/// The fractional part, x - trunc(x), with the sign of x.
Extended Frac(Extended x);

} // namespace quantrel
