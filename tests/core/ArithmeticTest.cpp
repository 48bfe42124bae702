// The value of each operator, the decimal correction and the arithmetic errors.

#include "EngineHarness.h"
#include "support/ExtendedMatch.h"

#include "numeric/Decimal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quantrel::test {
namespace {

constexpr const char* kDivZero = "Cannot Divide by Zero";
constexpr const char* kTooLarge = "Number too Large";
constexpr const char* kInvalid = "Invalid Input";

struct CalcCase {
    const char* name;
    TOperCode oper;
    Extended v;
    Extended w;
    Extended expected;  // ignored when an error is expected
    Extended tolerance; // 0: exactly
    const char* error = nullptr;
    int trigUnits = 1;
};

void CheckCalc(const CalcCase& c) {
    SCOPED_TRACE(c.name);
    EngineHarness h;
    h.engine.SetTrigUnits(c.trigUnits);
    const CalcOutcome out = h.engine.Calc(c.oper, true, c.v, c.w, {});
    if (c.error) {
        EXPECT_TRUE(out.Error);
        EXPECT_EQ(out.Value, 0);
        EXPECT_EQ(h.tape, (std::vector<TapeLine>{{c.error, taError, false}}));
        EXPECT_EQ(h.errors, std::vector<std::string>{c.error});
        return;
    }
    EXPECT_FALSE(out.Error);
    EXPECT_TRUE(h.tape.empty());
    EXPECT_PRED_FORMAT3(ExtendedNear, out.Value, c.expected, c.tolerance);
}

TEST(Arithmetic, DecimalCorrectionOfTheBasicOperations) {
    const CalcCase cases[] = {
        {"0.1 + 0.2", qeAdd, 0.1L, 0.2L, 0.3L, 0},
        {"1.5 x 1.5", qeTimes, 1.5L, 1.5L, 2.25L, 0},
        {"1.1 - 1", qeMinus, 1.1L, 1, 0.1L, 0},
        {"2.00001 + 3 keeps its fifth decimal", qeAdd, 2.00001L, 3, 5.00001L, 0},
        {"2.0001 + 3", qeAdd, 2.0001L, 3, 5.0001L, 0},
        {"1.000001 x 3 keeps its sixth decimal", qeTimes, 1.000001L, 3, 3.000003L, 0},
        {"0.7 x 0.1", qeTimes, 0.7L, 0.1L, 0.07L, 0},
        {"whole sum exact in 64 bits", qeAdd, 123456789012, 1, 123456789013, 0},
        {"whole sum at its limit", qeAdd, 9999999999998, -9999999999998, 0, 0},
        {"whole difference", qeMinus, 99999999999998, 99999999999997, 1, 0},
        {"whole product", qeTimes, 999999999998, 3, 2999999999994, 0},
        {"product beyond 64 bits", qeTimes, 5000000000, 5000000000, 2.5e19L, 0},
        {"negative decimals", qeAdd, -2.5L, 1.25L, -1.25L, 0},
        {"tiny operands use plain arithmetic", qeAdd, 0.0001L, 0.0002L, 0.0001L + 0.0002L, 0},
        {"division is plain", qeDivide, 1, 3, 1.0L / 3, 0},
    };
    for (const CalcCase& c : cases)
        CheckCalc(c);
}

TEST(Arithmetic, FractionLength) {
    const std::pair<Extended, int> cases[] = {
        {2.5L, 3}, {-2.5L, 4}, {3, 1}, {2.00001L, 7}, {0.125L, 5}, {-0.000001L, 9},
    };
    for (const auto& [x, length] : cases)
        EXPECT_EQ(FractionLength(x), length) << Digits21(x);
}

TEST(Arithmetic, PercentAndTax) {
    const CalcCase cases[] = {
        {"200 + 10%", qePercenAdd, 200, 10, 220, 0},
        {"200 - 10%", qePercenMinus, 200, 10, 180, 0},
        {"200 x 10%", qePercenTimes, 200, 10, 20, 1e-15L},
        {"200 / 10%", qePercenDivide, 200, 10, 2000, 1e-12L},
        {"200 / 0%", qePercenDivide, 200, 0, 0, 0, kDivZero},
        {"50 %", qePercen, 50, 0, 0.5L, 0},
        {"100 +tax", qePlusTax, 100, 0, 110, 0},
        {"110 -tax", qeMinusTax, 110, 0, 100, 1e-15L},
        {"110 tax incl", qeTaxInc, 110, 0, 10, 1e-15L},
        {"100 tax excl", qeTaxExcl, 100, 0, 10, 0},
    };
    for (const CalcCase& c : cases)
        CheckCalc(c);

    EngineHarness h;
    h.engine.SetTaxRate(-1);
    EXPECT_TRUE(h.engine.Calc(qeMinusTax, true, 5, 0, {}).Error);
    EXPECT_EQ(h.errors, std::vector<std::string>{kDivZero});
}

TEST(Arithmetic, AnglesInEachUnit) {
    const Extended pi = std::acos(-1.0L);
    const CalcCase cases[] = {
        {"sin 30 degrees", qeSin, 30, 0, 0.5L, 1e-18L},
        {"asin 0.5 in degrees", qeAsin, 0.5L, 0, 30, 1e-15L},
        {"sin 390 degrees is reduced by a whole turn", qeSin, 390, 0, 0.5L, 1e-18L},
        {"atan 1 in grads", qeAtan, 1, 0, 50, 1e-15L, nullptr, 3},
        {"sin pi/2 radians", qeSin, pi / 2, 0, 1, 1e-18L, nullptr, 2},
        {"tan 45 degrees", qeTan, 45, 0, 1, 1e-18L},
        {"acos -1 in degrees", qeAcos, -1, 0, 180, 1e-15L},
        {"sin of 2^63 radians reads 0", qeSin, 9223372036854775808.0L, 0, 0, 0, nullptr, 2},
        {"cos of a huge angle reads 0", qeCos, 1e30L, 0, 0, 0},
        {"asin beyond 1", qeAsin, 1.5L, 0, 0, 0, kInvalid},
        {"acos below -1", qeAcos, -2, 0, 0, 0, kInvalid},
        {"tan pi/2 radians is only large", qeTan, pi / 2, 0, std::tan(pi / 2), 0, nullptr, 2},
    };
    for (const CalcCase& c : cases)
        CheckCalc(c);
}

TEST(Arithmetic, RightAnglesInDegreesAndGradsAreExact) {
    const CalcCase cases[] = {
        {"sin 180", qeSin, 180, 0, 0, 0},
        {"sin 90", qeSin, 90, 0, 1, 0},
        {"sin 270", qeSin, 270, 0, -1, 0},
        {"sin -90", qeSin, -90, 0, -1, 0},
        {"sin 540", qeSin, 540, 0, 0, 0},
        {"cos 90", qeCos, 90, 0, 0, 0},
        {"cos 180", qeCos, 180, 0, -1, 0},
        {"cos -720", qeCos, -720, 0, 1, 0},
        {"tan 180", qeTan, 180, 0, 0, 0},
        {"tan 90", qeTan, 90, 0, 0, 0, kInvalid},
        {"tan -270", qeTan, -270, 0, 0, 0, kInvalid},
        {"tan 450", qeTan, 450, 0, 0, 0, kInvalid},
        {"cos 100 grads", qeCos, 100, 0, 0, 0, nullptr, 3},
        {"sin 200 grads", qeSin, 200, 0, 0, 0, nullptr, 3},
        {"sin 300 grads", qeSin, 300, 0, -1, 0, nullptr, 3},
        {"tan 100 grads", qeTan, 100, 0, 0, 0, kInvalid, 3},
        {"tan 50 grads", qeTan, 50, 0, 1, 1e-18L, nullptr, 3},
    };
    for (const CalcCase& c : cases)
        CheckCalc(c);
}

TEST(Arithmetic, PowersAndRoots) {
    const CalcCase cases[] = {
        {"(-2)^3", qeNpowr, -2, 3, -8, 0},
        {"(-2)^-3", qeNpowr, -2, -3, -0.125L, 0},
        {"2^-2", qeNpowr, 2, -2, 0.25L, 0},
        {"0^0", qeNpowr, 0, 0, 1, 0},
        {"0^5", qeNpowr, 0, 5, 0, 0},
        {"2^0.5", qeNpowr, 2, 0.5L, std::sqrt(2.0L), 1e-18L},
        {"(-8)^(1/3)", qeNpowr, -8, 1.0L / 3, 0, 0, kInvalid},
        {"0^-2", qeNpowr, 0, -2, 0, 0, kDivZero},
        {"0^-0.5", qeNpowr, 0, -0.5L, 0, 0, kDivZero},
        {"10^5000", qeNpowr, 10, 5000, 0, 0, kTooLarge},
        {"2^1e10", qeNpowr, 2, 1e10L, 0, 0, kTooLarge},
        {"27 root 3", qeNroot, 27, 3, 3, 1e-17L},
        {"16 root -2", qeNroot, 16, -2, 0.25L, 1e-18L},
        {"8 root 0", qeNroot, 8, 0, 0, 0, kDivZero},
        {"-8 root 3 is real", qeNroot, -8, 3, -2, 1e-18L},
        {"-32 root 5", qeNroot, -32, 5, -2, 1e-18L},
        {"-8 root -3", qeNroot, -8, -3, -0.5L, 1e-18L},
        {"-16 root 2", qeNroot, -16, 2, 0, 0, kInvalid},
        {"-8 root 1.5", qeNroot, -8, 1.5L, 0, 0, kInvalid},
        {"sqr", qeSqr, -3, 0, 9, 0},
        {"sqr overflow", qeSqr, 1e3000L, 0, 0, 0, kTooLarge},
        {"sqrt", qeSqrt, 2.25L, 0, 1.5L, 0},
        {"sqrt of a negative", qeSqrt, -4, 0, 0, 0, kInvalid},
        {"10^x", qeIlog, 3, 0, 1000, 1e-15L},
        {"e^x", qeIelog, 1, 0, std::exp(1.0L), 1e-18L},
        {"e^20000", qeIelog, 20000, 0, 0, 0, kTooLarge},
        {"log", qeLog, 1000, 0, 3, 1e-18L},
        {"ln", qeELog, std::exp(2.0L), 0, 2, 1e-18L},
        {"ln 0", qeELog, 0, 0, 0, 0, kDivZero},
        {"log 0", qeLog, 0, 0, 0, 0, kDivZero},
        {"log of a negative", qeLog, -1, 0, 0, 0, kInvalid},
    };
    for (const CalcCase& c : cases)
        CheckCalc(c);
}

TEST(Arithmetic, OtherFunctionsAndDivision) {
    const CalcCase cases[] = {
        {"1 / 0", qeDivide, 1, 0, 0, 0, kDivZero},
        {"0 / 0", qeDivide, 0, 0, 0, 0, kInvalid},
        {"1e4000 / 1e-4000", qeDivide, 1e4000L, 1e-4000L, 0, 0, kTooLarge},
        {"1/x of 0", qeRecip, 0, 0, 0, 0, kDivZero},
        {"1/x", qeRecip, 4, 0, 0.25L, 0},
        {"frac 12.345", qeFrac, 12.345L, 0, 0.345L, 1e-15L},
        {"frac -0.25", qeFrac, -0.25L, 0, -0.25L, 0},
        {"frac 7", qeFrac, 7, 0, 0, 0},
        {"frac -3.75", qeFrac, -3.75L, 0, -0.75L, 0},
        {"int", qeInt, -2.7L, 0, -2, 0},
        {"abs", qeAbs, -2.5L, 0, 2.5L, 0},
        {"+/-", qeRevSign, 2.5L, 0, -2.5L, 0},
        {"7.5 mod 2", qeMod, 7.5L, 2, 1.5L, 0},
        {"-7 mod 3", qeMod, -7, 3, -1, 1e-15L},
        {"7 mod 0", qeMod, 7, 0, 0, 0, kDivZero},
        {"sinh 0", qeSinh, 0, 0, 0, 0},
        {"cosh 0", qeCosh, 0, 0, 1, 0},
        {"tanh 0", qeTanh, 0, 0, 0, 0},
        {"sinh 1", qeSinh, 1, 0, std::sinh(1.0L), 1e-18L},
        {"tanh 1", qeTanh, 1, 0, std::tanh(1.0L), 1e-18L},
        {"sinh -20000", qeSinh, -20000, 0, 0, 0, kTooLarge},
        {"cosh 20000", qeCosh, 20000, 0, 0, 0, kTooLarge},
        {"tanh 20000", qeTanh, 20000, 0, 0, 0, kTooLarge},
        {"asinh of a large negative", qeAsinh, -1e20L, 0, -46.744849, 1e-6L},
        {"asinh", qeAsinh, 1, 0, std::asinh(1.0L), 1e-18L},
        {"acosh 1", qeAcosh, 1, 0, 0, 0},
        {"acosh 0.5", qeAcosh, 0.5L, 0, 0, 0, kInvalid},
        {"atanh 0.5", qeAtanh, 0.5L, 0, std::atanh(0.5L), 1e-18L},
        {"atanh 1", qeAtanh, 1, 0, 0, 0, kInvalid},
        {"atanh -1", qeAtanh, -1, 0, 0, 0, kInvalid},
        {"equals keeps the left value", qeEquals, 4, 9, 4, 0},
        {"blank is 0", qeBlank, 4, 9, 0, 0},
        {"conversion without a table passes the value", qeConv, 4.5L, 0, 4.5L, 0},
    };
    for (const CalcCase& c : cases)
        CheckCalc(c);
}

TEST(Arithmetic, UnreportedErrorYieldsZeroQuietly) {
    EngineHarness h;
    const CalcOutcome out = h.engine.Calc(qeSqrt, false, -4, 0, {});
    EXPECT_TRUE(out.Error);
    EXPECT_EQ(out.Value, 0);
    EXPECT_TRUE(h.tape.empty());
    EXPECT_TRUE(h.errors.empty());
}

TEST(Arithmetic, ErrorInAnEquationWritesTheLineThenATotalOfZero) {
    EngineHarness h;
    h.Keys("5 / 0 =");
    EXPECT_EQ(h.tape, (std::vector<TapeLine>{{kDivZero, taError, false},
                                             {"  5", taOperation, false},
                                             {"/ 0", taOperation, false},
                                             {"= 0", taTotal, false}}));
    EXPECT_EQ(h.errors, std::vector<std::string>{kDivZero});
    EXPECT_EQ(h.shown, (std::vector<Extended>{5, 0, 0}));
}

TEST(Arithmetic, ImmediateErrorShowsZeroAndReportsAtEvaluation) {
    EngineHarness h;
    h.Keys("2 + 4 +/- sqrt");
    EXPECT_EQ(h.Display(), 0); // shown at once, without a message
    EXPECT_TRUE(h.errors.empty());
    h.Keys("=");
    EXPECT_EQ(h.errors, std::vector<std::string>{kInvalid});
    EXPECT_TRUE(h.engine.EquationInError());
}

} // namespace
} // namespace quantrel::test
