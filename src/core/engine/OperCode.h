#pragma once
// The operator codes of an equation, with their priorities, kinds, file names and
// tape symbols. The numeric values are part of the design: the position in the list
// is the code's value.

#include <cstdint>
#include <string>
#include <string_view>

namespace quantrel {

enum TOperCode : std::uint8_t {
    qeNone = 0,
    qeBlank,
    qeEquals,
    qeAdd,
    qeMinus,
    qeTimes,
    qeDivide,
    qeSqr,
    qeSqrt,
    qeRecip,
    qeNpowr,
    qeNroot,
    qeLog,
    qeIlog,
    qeELog,
    qeIelog,
    qeRevSign,
    qeSin,
    qeAsin,
    qeCos,
    qeAcos,
    qeTan,
    qeAtan,
    qePercen,
    qePercenAdd,
    qePercenMinus,
    qePercenTimes,
    qePercenDivide,
    qeAngle,
    qePlusTax,
    qeMinusTax,
    qeTaxInc,
    qeTaxExcl,
    qeReserved, // value 33: no operation produces it
    qeFrac,
    qeInt,
    qeAbs,
    qeMod,
    qeSinh,
    qeAsinh,
    qeCosh,
    qeAcosh,
    qeTanh,
    qeAtanh,
    qeConv,
};

inline constexpr int kOperCodeCount = qeConv + 1;

/// True for codes that wait for a right operand (and for qeNone, qeBlank, qeAngle).
bool IsBinaryOper(TOperCode code);

/// Precedence of a code: 0, 5, 10 or 20; 5 for every code when dumbMath is on.
/// qeNone and qeAngle have none and return `fallback`.
int OperPriority(TOperCode code, bool dumbMath, int fallback = 0);

/// Name in equation files ("qeAdd"); empty for qeNone, qeBlank, qeAngle, qeReserved.
std::string_view OperName(TOperCode code);

/// The code whose file name equals `name` exactly (case counts); qeNone if none.
TOperCode OperFromName(std::string_view name);

/// Tape symbol: " " for qeBlank, "+" for qeAdd, "Sqrt" for qeSqrt, empty for taxes.
std::string_view OperSymbol(TOperCode code);

/// Text written after the number: "%" for the combined percents, "+GST" for
/// qePlusTax with taxLit "GST", "GST Incl" for qeTaxInc; empty for most codes.
std::string OperSuffix(TOperCode code, std::string_view taxLit);

/// Kind of tape line a code gets.
enum class OperClass { Operand = 1, Function = 2, Tax = 3, Conversion = 4 };
OperClass ClassOf(TOperCode code);

/// The combined percent form of +, -, * and / (qePercenAdd...), and back.
bool IsPercentForm(TOperCode code);
TOperCode PercentFormOf(TOperCode base);
TOperCode BaseOperOf(TOperCode percentForm);

} // namespace quantrel
