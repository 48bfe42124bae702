#pragma once
// The number type of every calculation: the 80-bit extended real, with its
// 64-bit mantissa, as x86-64 GCC and Clang give it for long double.

#include <limits>

namespace quantrel {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Quantrel computes in 80-bit extended reals (64-bit mantissa)");

} // namespace quantrel
