#pragma once
// Keys by name, for scripts and the headless program: a name turns into one command
// of the calculator logic, which CalculatorLogic::RunKey performs.
//   "7" -> digit 7      "12.5" -> types 1, 2, ".", 5      "sqrt" -> operator qeSqrt
//   "C" -> hexadecimal digit 12      "c" -> the clear key C
//   "history:2" -> recall slot 2    "const:10" -> Speed of Light    "conv:Length,lmi,lkm"

#include "conversion/ConvSpec.h"
#include "engine/OperCode.h"
#include "numeric/NumberLocale.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quantrel {

enum class KeyAction : std::uint8_t {
    Type,  ///< Text: digits 0-9, A-F and the decimal point, typed one by one
    Digit, ///< Number: 0..15 (10..15 are the hexadecimal keys A..F)
    DecimalPoint,
    Exponent,
    Sign, ///< "+/-"
    Backspace,
    ClearEntry, ///< CE
    Clear,      ///< C
    Operator,   ///< Oper through the one dispatch
    Trig,       ///< Oper is the circular function; Hyp picks the hyperbolic one
    Equals,
    OpenParen,
    CloseParen,
    Hyp, ///< toggles the hyperbolic switch
    Pi,
    AngleUnits, ///< Number: 1 degrees, 2 radians, 3 grads
    NumberBase, ///< Number: 10 or 16
    MemoryIn,
    MemoryAdd,
    MemoryRecall,
    MemoryClear,
    Back,
    Forward,
    Replay,
    History,    ///< Number: slot 1..5
    Constant,   ///< Number: menu index 1..22
    Conversion, ///< Conv, applied as a conversion history item applies it
    TapeFormat, ///< Number: 1 General, 2 Scientific, 3 Currency, 4 Fixed
    DigitsUp,
    DigitsDown,
};

struct KeyCommand {
    KeyAction Action = KeyAction::Equals;
    std::int32_t Number = 0;
    TOperCode Oper = qeNone;
    std::string Text;
    TConvSpec Conv;
};

/// A key with a fixed name, as scripts and the window's key table name it.
struct NamedKey {
    std::string_view Name;
    KeyAction Action = KeyAction::Equals;
    TOperCode Oper = qeNone;
    std::int32_t Number = 0;
    /// The line of quantrel-tape's --help that lists it (0: with the digits).
    int HelpLine = 0;
};

/// Every key with a fixed name, in the order --help lists them. The digits 0-9,
/// number tokens ("12.5") and the keys with an argument (history:N, const:N,
/// conv:CATEGORY,FROM,TO) are parsed besides.
std::span<const NamedKey> NamedKeys();

/// The command of a key name (names are case-sensitive); nothing for an unknown name
/// or an argument out of range ("history:6", "const:0", "conv:Length,lmi").
///
/// Names: 0-9, A-F, a run of those digits with at most one "." ("12.5", "FF"), ".", exp, +/-,
/// bck, ce, c, + - * / % = ( ), sqr sqrt recip pow root abs frac int mod, sin cos tan
/// asin acos atan hyp pi, log 10^x ln e^x, +tax -tax tax(i) tax(e), deg rad grad hex
/// dec, min m+ mr mc, back forward replay history:N const:N conv:CATEGORY,FROM,TO,
/// general scientific currency fixed digits+ digits-.
std::optional<KeyCommand> ParseKeyName(std::string_view name);

/// The command of a character typed on the keyboard that no shortcut took (one UTF-8
/// character): digits, "." and the locale's decimal separator, + - * / %, ":" Frac,
/// ";" Int, "@" Abs, "(", ")" and "="; nothing for any other character.
std::optional<KeyCommand> CharacterKey(std::string_view character, const NumberLocale& locale);

} // namespace quantrel
