#include "engine/OperCode.h"

#include <array>

namespace quantrel {

namespace {

struct OperInfo {
    std::string_view name;   // name in equation files
    std::string_view symbol; // tape symbol
    int priority;
    bool binary;
    OperClass lineClass;
};

using C = OperClass;

// Indexed by the code's value.
constexpr std::array<OperInfo, kOperCodeCount> kOpers{{
    {"", "", 0, true, C::Operand},  // qeNone
    {"", " ", 0, true, C::Operand}, // qeBlank
    {"qeEquals", "=", 0, false, C::Operand},
    {"qeAdd", "+", 5, true, C::Operand},
    {"qeMinus", "-", 5, true, C::Operand},
    {"qeTimes", "*", 10, true, C::Operand},
    {"qeDivide", "/", 10, true, C::Operand},
    {"qeSqr", "Sqr", 20, false, C::Function},
    {"qeSqrt", "Sqrt", 20, false, C::Function},
    {"qeRecip", "1/", 20, false, C::Function},
    {"qeNpowr", "^", 20, true, C::Operand},
    {"qeNroot", "^ 1/", 20, true, C::Operand},
    {"qeLog", "Log", 20, false, C::Function},
    {"qeIlog", "Exp", 20, false, C::Function},
    {"qeELog", "Loge", 20, false, C::Function},
    {"qeIelog", "Expe", 20, false, C::Function},
    {"qeRevSign", "+/-", 20, false, C::Function},
    {"qeSin", "Sin", 20, false, C::Function},
    {"qeAsin", "ASin", 20, false, C::Function},
    {"qeCos", "Cos", 20, false, C::Function},
    {"qeAcos", "ACos", 20, false, C::Function},
    {"qeTan", "Tan", 20, false, C::Function},
    {"qeAtan", "ATan", 20, false, C::Function},
    {"qePercen", "%", 20, false, C::Function},
    {"qePercenAdd", "+", 20, true, C::Operand},
    {"qePercenMinus", "-", 20, true, C::Operand},
    {"qePercenTimes", "x", 20, true, C::Operand},
    {"qePercenDivide", "/", 20, true, C::Operand},
    {"", "", 0, true, C::Operand}, // qeAngle
    {"qePlusTax", "", 20, false, C::Tax},
    {"qeMinusTax", "", 20, false, C::Tax},
    {"qeTaxInc", "", 20, false, C::Tax},
    {"qeTaxExcl", "", 20, false, C::Tax},
    {"", "", 0, false, C::Operand}, // qeReserved
    {"qeFrac", "Frac", 20, false, C::Function},
    {"qeInt", "Int", 20, false, C::Function},
    {"qeAbs", "Abs", 20, false, C::Function},
    {"qeMod", "Mod", 10, true, C::Operand},
    {"qeSinh", "Sinh", 20, false, C::Function},
    {"qeAsinh", "ASinh", 20, false, C::Function},
    {"qeCosh", "Cosh", 20, false, C::Function},
    {"qeAcosh", "ACosh", 20, false, C::Function},
    {"qeTanh", "Tanh", 20, false, C::Function},
    {"qeAtanh", "ATanh", 20, false, C::Function},
    {"qeConv", "Conv", 20, false, C::Conversion},
}};

const OperInfo& Info(TOperCode code) {
    return kOpers[code < kOperCodeCount ? code : qeNone];
}

} // namespace

bool IsBinaryOper(TOperCode code) {
    return Info(code).binary;
}

int OperPriority(TOperCode code, bool dumbMath, int fallback) {
    if (code == qeNone || code == qeAngle)
        return dumbMath ? 5 : fallback;
    return dumbMath ? 5 : Info(code).priority;
}

std::string_view OperName(TOperCode code) {
    return Info(code).name;
}

TOperCode OperFromName(std::string_view name) {
    if (name.empty())
        return qeNone;
    for (int code = 0; code < kOperCodeCount; ++code) {
        if (kOpers[code].name == name)
            return static_cast<TOperCode>(code);
    }
    return qeNone;
}

std::string_view OperSymbol(TOperCode code) {
    return Info(code).symbol;
}

std::string OperSuffix(TOperCode code, std::string_view taxLit) {
    switch (code) {
    case qePercenAdd:
    case qePercenMinus:
    case qePercenTimes:
    case qePercenDivide:
        return "%";
    case qePlusTax:
    case qeMinusTax:
        return std::string(1, code == qePlusTax ? '+' : '-').append(taxLit);
    case qeTaxInc:
        return std::string(taxLit) + " Incl";
    case qeTaxExcl:
        return std::string(taxLit) + " Excl";
    default:
        return {};
    }
}

OperClass ClassOf(TOperCode code) {
    return Info(code).lineClass;
}

bool IsPercentForm(TOperCode code) {
    return code >= qePercenAdd && code <= qePercenDivide;
}

TOperCode PercentFormOf(TOperCode base) {
    switch (base) {
    case qeAdd:
        return qePercenAdd;
    case qeMinus:
        return qePercenMinus;
    case qeTimes:
        return qePercenTimes;
    case qeDivide:
        return qePercenDivide;
    default:
        return base;
    }
}

TOperCode BaseOperOf(TOperCode percentForm) {
    switch (percentForm) {
    case qePercenAdd:
        return qeAdd;
    case qePercenMinus:
        return qeMinus;
    case qePercenTimes:
        return qeTimes;
    case qePercenDivide:
        return qeDivide;
    default:
        return percentForm;
    }
}

} // namespace quantrel
