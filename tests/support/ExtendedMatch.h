#pragma once
// Comparing 80-bit results as 80-bit values: a cast to double would let a
// double-precision result pass for an extended one. Failures print 21 digits.
//   EXPECT_PRED_FORMAT2(ExtendedEq, value, 0.3L);
//   EXPECT_PRED_FORMAT3(ExtendedNear, value, 0.5L, 1e-18L);

#include "numeric/Extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace quantrel {

/// x with 21 significant digits, enough to tell any two 80-bit values apart.
inline std::string Digits21(Extended x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.21Lg", x);
    return text;
}

inline ::testing::AssertionResult ExtendedEq(const char* actualText, const char* expectedText,
                                             Extended actual, Extended expected) {
    if (actual == expected || (std::isnan(actual) && std::isnan(expected)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actualText << " is " << Digits21(actual) << ", expected " << expectedText << " = "
           << Digits21(expected);
}

inline ::testing::AssertionResult ExtendedNear(const char* actualText, const char* expectedText,
                                               const char*, Extended actual, Extended expected,
                                               Extended tolerance) {
    if (std::fabs(actual - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actualText << " is " << Digits21(actual) << ", expected " << expectedText << " = "
           << Digits21(expected) << " within " << Digits21(tolerance) << " (off by "
           << Digits21(actual - expected) << ")";
}

} // namespace quantrel
