// Calc: the value of one operator, with the angle units, the power rules, percent
// and tax, and the three classes of arithmetic error. Errors are detected by
// checking operands and results; no floating-point traps are involved.

#include "engine/QuantrelEval5.h"

#include "numeric/Decimal.h"
#include "numeric/HexDigits.h"
#include "numeric/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace quantrel {

namespace {

enum class ArithError { DivideByZero, Overflow, Invalid };

struct ArithFailure {
    ArithError kind;
};

const char* Message(ArithError kind) {
    switch (kind) {
    case ArithError::DivideByZero:
        return "Cannot Divide by Zero";
    case ArithError::Overflow:
        return "Number too Large";
    case ArithError::Invalid:
        break;
    }
    return "Invalid Input";
}

[[noreturn]] void Fail(ArithError kind) {
    throw ArithFailure{kind};
}

Extended Checked(Extended x) {
    if (std::isnan(x))
        Fail(ArithError::Invalid);
    if (std::isinf(x))
        Fail(ArithError::Overflow);
    return x;
}

Extended Divide(Extended v, Extended w) {
    if (w == 0)
        Fail(v == 0 ? ArithError::Invalid : ArithError::DivideByZero);
    return Checked(v / w);
}

bool IsWhole(Extended x) {
    return Frac(x) == 0;
}

Extended Power(Extended base, Extended exponent) {
    if (exponent == 0)
        return 1;
    if (base == 0 && exponent > 0)
        return 0;
    constexpr Extended kMaxWhole = 2147483647;
    if (IsWhole(exponent) && std::fabs(exponent) <= kMaxWhole) {
        auto n = static_cast<std::uint32_t>(std::fabs(exponent));
        Extended result = 1;
        Extended square = base;
        while (n != 0) {
            if (n & 1U)
                result *= square;
            n >>= 1U;
            if (n != 0)
                square = Checked(square * square);
        }
        Checked(result);
        return exponent < 0 ? Divide(1, result) : result;
    }
    if (base < 0)
        Fail(ArithError::Invalid);
    if (base == 0)
        Fail(ArithError::DivideByZero); // the logarithm of zero
    return Checked(std::exp(exponent * std::log(base)));
}

Extended Logarithm(Extended v, Extended (*log)(Extended)) {
    if (v == 0)
        Fail(ArithError::DivideByZero);
    if (v < 0)
        Fail(ArithError::Invalid);
    return log(v);
}

// e^v and e^-v for the hyperbolic functions; beyond the 80-bit range is an overflow.
std::pair<Extended, Extended> ExpPair(Extended v) {
    return {Checked(std::exp(v)), Checked(std::exp(-v))};
}

} // namespace

Extended TQuantrelEval::ToRadians(Extended x) const {
    constexpr Extended kPi = 3.141592653589793238462643383279502884L;
    switch (FTrigUnits) {
    case 1:
        return x * (kPi / 180);
    case 3:
        return x * (kPi / 200);
    default:
        return x;
    }
}

Extended TQuantrelEval::ReducedAngle(Extended x) const {
    // fmod is exact, so whole turns of 360 degrees or 400 grads go without rounding.
    switch (FTrigUnits) {
    case 1:
        return std::fmod(x, 360);
    case 3:
        return std::fmod(x, 400);
    default:
        return x;
    }
}

Extended TQuantrelEval::FromRadians(Extended x) const {
    constexpr Extended kPi = 3.141592653589793238462643383279502884L;
    switch (FTrigUnits) {
    case 1:
        return x * (180 / kPi);
    case 3:
        return x * (200 / kPi);
    default:
        return x;
    }
}

Extended TQuantrelEval::DebugSubtract(Extended x, Extended y) {
    const Extended result = DecimalSubtract(x, y);
    if (FIsDebug)
        Snapshot("DoSub" + GeneralText(result, 15, m_locale));
    return result;
}

CalcOutcome TQuantrelEval::Calc(TOperCode Oper, bool Report, Extended V, Extended W,
                                const TConvSpec& Conv) {
    const Extended r = static_cast<Extended>(FTaxRate);
    // x87 sine and cosine give up at 2^63 radians; such angles read as 0.
    constexpr Extended kTrigLimit = kTwoTo63;
    const auto trig = [&](Extended (*f)(Extended)) {
        return std::fabs(ToRadians(V)) >= kTrigLimit ? 0 : f(ToRadians(ReducedAngle(V)));
    };
    // Sine, cosine and tangent at a whole number of right angles (degrees and grads
    // only; pi is not exact in radians): 0, 1 or -1 exactly, tangent undefined at odd ones.
    const auto rightAngle = [&]() -> std::optional<int> {
        if (FTrigUnits != 1 && FTrigUnits != 3)
            return std::nullopt;
        const Extended quarters = ReducedAngle(V) / (FTrigUnits == 1 ? 90 : 100);
        if (!IsWhole(quarters))
            return std::nullopt;
        return (static_cast<int>(quarters) % 4 + 4) % 4;
    };
    constexpr int kSineOfQuarter[] = {0, 1, 0, -1};
    constexpr int kCosineOfQuarter[] = {1, 0, -1, 0};
    const auto inverseTrig = [&](Extended (*f)(Extended)) {
        if (V < -1 || V > 1)
            Fail(ArithError::Invalid);
        return FromRadians(f(V));
    };
    try {
        Extended value = 0;
        switch (Oper) {
        case qeBlank:
            value = 0;
            break;
        case qeAdd:
            value = DecimalAdd(V, W);
            break;
        case qeMinus:
            value = DebugSubtract(V, W);
            break;
        case qeTimes:
            value = DecimalMultiply(V, W);
            break;
        case qeDivide:
            value = Divide(V, W);
            break;
        case qeSqr:
            value = V * V;
            break;
        case qeSqrt:
            if (V < 0)
                Fail(ArithError::Invalid);
            value = std::sqrt(V);
            break;
        case qeRecip:
            value = Divide(1, V);
            break;
        case qeNpowr:
            value = Power(V, W);
            break;
        case qeNroot:
            if (W == 0)
                Fail(ArithError::DivideByZero);
            // A whole, odd root of a negative number is real: the cube root of -8 is -2.
            if (V < 0 && IsWhole(W) && std::fmod(W, 2) != 0)
                value = -Power(-V, Checked(1 / W));
            else
                value = Power(V, Checked(1 / W));
            break;
        case qeLog:
            value = Logarithm(V, [](Extended x) { return std::log10(x); });
            break;
        case qeIlog:
            value = std::exp(V * std::log(10.0L));
            break;
        case qeELog:
            value = Logarithm(V, [](Extended x) { return std::log(x); });
            break;
        case qeIelog:
            value = std::exp(V);
            break;
        case qeRevSign:
            value = V * -1;
            break;
        case qeSin:
            if (const std::optional<int> quarter = rightAngle())
                value = kSineOfQuarter[*quarter];
            else
                value = trig([](Extended x) { return std::sin(x); });
            break;
        case qeCos:
            if (const std::optional<int> quarter = rightAngle())
                value = kCosineOfQuarter[*quarter];
            else
                value = trig([](Extended x) { return std::cos(x); });
            break;
        case qeTan:
            if (const std::optional<int> quarter = rightAngle()) {
                if (*quarter % 2 != 0)
                    Fail(ArithError::Invalid);
                value = 0;
            } else {
                value = std::tan(ToRadians(ReducedAngle(V)));
            }
            break;
        case qeAsin:
            value = inverseTrig([](Extended x) { return std::asin(x); });
            break;
        case qeAcos:
            value = inverseTrig([](Extended x) { return std::acos(x); });
            break;
        case qeAtan:
            value = FromRadians(std::atan(V));
            break;
        case qePercen:
            value = V / 100;
            break;
        case qePercenAdd:
            value = V + (W / 100) * V;
            break;
        case qePercenMinus:
            value = V - (W / 100) * V;
            break;
        case qePercenTimes:
            value = (W / 100) * V;
            break;
        case qePercenDivide:
            if (W == 0)
                Fail(ArithError::DivideByZero);
            value = Divide(V, W / 100);
            break;
        case qePlusTax:
            value = DecimalMultiply(V, 1 + r);
            break;
        case qeMinusTax:
            if (1 + r == 0)
                Fail(ArithError::DivideByZero);
            value = V / (1 + r);
            break;
        case qeTaxInc:
            if (1 + r == 0)
                Fail(ArithError::DivideByZero);
            value = V - V / (1 + r);
            break;
        case qeTaxExcl:
            value = DecimalMultiply(V, r);
            break;
        case qeFrac:
            value = DecimalFrac(V);
            break;
        case qeInt:
            value = std::trunc(V);
            break;
        case qeAbs:
            value = std::fabs(V);
            break;
        case qeMod:
            if (W == 0)
                Fail(ArithError::DivideByZero);
            value = Frac(Checked(V / W)) * W;
            break;
        case qeSinh: {
            if (V == 0)
                break;
            const auto [up, down] = ExpPair(V);
            value = (up - down) / 2;
            break;
        }
        case qeCosh: {
            if (V == 0) {
                value = 1;
                break;
            }
            const auto [up, down] = ExpPair(V);
            value = (up + down) / 2;
            break;
        }
        case qeTanh: {
            if (V == 0)
                break;
            const auto [up, down] = ExpPair(V);
            value = ((up - down) / 2) / ((up + down) / 2);
            break;
        }
        case qeAsinh:
            // The library's asinh keeps its accuracy where ln(V + sqrt(V*V + 1))
            // cancels to ln(0) for large negative V.
            value = std::asinh(V);
            break;
        case qeAcosh:
            if (V < 1)
                Fail(ArithError::Invalid);
            value = std::acosh(V);
            break;
        case qeAtanh:
            if (!(V > -1 && V < 1))
                Fail(ArithError::Invalid);
            value = std::atanh(V);
            break;
        case qeConv: {
            Extended offset = 0, factor = 0, postOffset = 0;
            FConvUnits.GetConvFactors(Conv, offset, factor, postOffset);
            value = DecimalMultiply(Checked(V + offset), factor) + postOffset;
            break;
        }
        case qeEquals:
        case qeReserved:
        case qeNone:
        case qeAngle:
            value = V;
            break;
        }
        return {Checked(value), false};
    } catch (const ArithFailure& failure) {
        const std::string message = Message(failure.kind);
        if (Report) {
            EmitTapeLine(message, taError, false);
            if (OnQuantrelError)
                OnQuantrelError(*this, message);
        }
        return {0, true};
    }
}

} // namespace quantrel
