// The table of key names and the parsing of the names that carry an argument.

#include "calculator/KeyCommand.h"

#include "calculator/PhysicalConstants.h"
#include "conversion/convunits.h"

#include <array>
#include <charconv>

namespace quantrel {

namespace {

constexpr auto kNamedKeys = std::to_array<NamedKey>({
    {"A", KeyAction::Digit, qeNone, 10, 0},
    {"B", KeyAction::Digit, qeNone, 11, 0},
    {"C", KeyAction::Digit, qeNone, 12, 0},
    {"D", KeyAction::Digit, qeNone, 13, 0},
    {"E", KeyAction::Digit, qeNone, 14, 0},
    {"F", KeyAction::Digit, qeNone, 15, 0},
    {".", KeyAction::DecimalPoint, qeNone, 0, 1},
    {"exp", KeyAction::Exponent, qeNone, 0, 1},
    {"+/-", KeyAction::Sign, qeNone, 0, 1},
    {"bck", KeyAction::Backspace, qeNone, 0, 1},
    {"ce", KeyAction::ClearEntry, qeNone, 0, 1},
    {"c", KeyAction::Clear, qeNone, 0, 1},
    {"+", KeyAction::Operator, qeAdd, 0, 2},
    {"-", KeyAction::Operator, qeMinus, 0, 2},
    {"*", KeyAction::Operator, qeTimes, 0, 2},
    {"/", KeyAction::Operator, qeDivide, 0, 2},
    {"%", KeyAction::Operator, qePercen, 0, 2},
    {"=", KeyAction::Equals, qeNone, 0, 2},
    {"(", KeyAction::OpenParen, qeNone, 0, 2},
    {")", KeyAction::CloseParen, qeNone, 0, 2},
    {"sqr", KeyAction::Operator, qeSqr, 0, 3},
    {"sqrt", KeyAction::Operator, qeSqrt, 0, 3},
    {"recip", KeyAction::Operator, qeRecip, 0, 3},
    {"pow", KeyAction::Operator, qeNpowr, 0, 3},
    {"root", KeyAction::Operator, qeNroot, 0, 3},
    {"abs", KeyAction::Operator, qeAbs, 0, 3},
    {"frac", KeyAction::Operator, qeFrac, 0, 3},
    {"int", KeyAction::Operator, qeInt, 0, 3},
    {"mod", KeyAction::Operator, qeMod, 0, 3},
    {"sin", KeyAction::Trig, qeSin, 0, 4},
    {"cos", KeyAction::Trig, qeCos, 0, 4},
    {"tan", KeyAction::Trig, qeTan, 0, 4},
    {"asin", KeyAction::Trig, qeAsin, 0, 4},
    {"acos", KeyAction::Trig, qeAcos, 0, 4},
    {"atan", KeyAction::Trig, qeAtan, 0, 4},
    {"hyp", KeyAction::Hyp, qeNone, 0, 4},
    {"pi", KeyAction::Pi, qeNone, 0, 4},
    {"log", KeyAction::Operator, qeLog, 0, 5},
    {"10^x", KeyAction::Operator, qeIlog, 0, 5},
    {"ln", KeyAction::Operator, qeELog, 0, 5},
    {"e^x", KeyAction::Operator, qeIelog, 0, 5},
    {"+tax", KeyAction::Operator, qePlusTax, 0, 6},
    {"-tax", KeyAction::Operator, qeMinusTax, 0, 6},
    {"tax(i)", KeyAction::Operator, qeTaxInc, 0, 6},
    {"tax(e)", KeyAction::Operator, qeTaxExcl, 0, 6},
    {"deg", KeyAction::AngleUnits, qeNone, 1, 7},
    {"rad", KeyAction::AngleUnits, qeNone, 2, 7},
    {"grad", KeyAction::AngleUnits, qeNone, 3, 7},
    {"hex", KeyAction::NumberBase, qeNone, 16, 7},
    {"dec", KeyAction::NumberBase, qeNone, 10, 7},
    {"min", KeyAction::MemoryIn, qeNone, 0, 8},
    {"m+", KeyAction::MemoryAdd, qeNone, 0, 8},
    {"mr", KeyAction::MemoryRecall, qeNone, 0, 8},
    {"mc", KeyAction::MemoryClear, qeNone, 0, 8},
    {"back", KeyAction::Back, qeNone, 0, 9},
    {"forward", KeyAction::Forward, qeNone, 0, 9},
    {"replay", KeyAction::Replay, qeNone, 0, 9},
    {"general", KeyAction::TapeFormat, qeNone, 1, 10},
    {"scientific", KeyAction::TapeFormat, qeNone, 2, 10},
    {"currency", KeyAction::TapeFormat, qeNone, 3, 10},
    {"fixed", KeyAction::TapeFormat, qeNone, 4, 10},
    {"digits+", KeyAction::DigitsUp, qeNone, 0, 10},
    {"digits-", KeyAction::DigitsDown, qeNone, 0, 10},
});

// Digits 0-9 and A-F with at most one point: "12.5", "FF", ".5".
bool isNumberToken(std::string_view name) {
    int digits = 0;
    int points = 0;
    for (const char c : name) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

/// The whole number after `prefix` when it lies in first..last.
std::optional<std::int32_t> argument(std::string_view name, std::string_view prefix,
                                     std::int32_t first, std::int32_t last) {
    if (!name.starts_with(prefix))
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        digits.front() == '+' || value < first || value > last)
        return std::nullopt;
    return value;
}

} // namespace

std::span<const NamedKey> NamedKeys() {
    return kNamedKeys;
}

std::optional<KeyCommand> ParseKeyName(std::string_view name) {
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9')
        return KeyCommand{KeyAction::Digit, name[0] - '0', qeNone, {}, {}};
    for (const NamedKey& key : kNamedKeys) {
        if (key.Name == name)
            return KeyCommand{key.Action, key.Number, key.Oper, {}, {}};
    }
    if (isNumberToken(name))
        return KeyCommand{KeyAction::Type, 0, qeNone, std::string(name), {}};
    if (const auto slot = argument(name, "history:", 1, 5))
        return KeyCommand{KeyAction::History, *slot, qeNone, {}, {}};
    const auto constantCount = static_cast<std::int32_t>(PhysicalConstants().size());
    if (const auto index = argument(name, "const:", 1, constantCount))
        return KeyCommand{KeyAction::Constant, *index, qeNone, {}, {}};
    constexpr std::string_view convPrefix = "conv:";
    if (name.starts_with(convPrefix)) {
        TConvSpec spec = TConvUnits::TextToConvSpec(name.substr(convPrefix.size()));
        if (spec.Category.empty())
            return std::nullopt;
        return KeyCommand{KeyAction::Conversion, 0, qeConv, {}, std::move(spec)};
    }
    return std::nullopt;
}

std::optional<KeyCommand> CharacterKey(std::string_view character, const NumberLocale& locale) {
    if (character == "." || character == locale.decimalSeparator)
        return KeyCommand{KeyAction::DecimalPoint, 0, qeNone, {}, {}};
    if (character.size() != 1)
        return std::nullopt;
    const char c = character[0];
    if (c >= '0' && c <= '9')
        return KeyCommand{KeyAction::Digit, c - '0', qeNone, {}, {}};
    const auto oper = [](TOperCode code) {
        return KeyCommand{KeyAction::Operator, 0, code, {}, {}};
    };
    switch (c) {
    case '+':
        return oper(qeAdd);
    case '-':
        return oper(qeMinus);
    case '*':
        return oper(qeTimes);
    case '/':
        return oper(qeDivide);
    case '%':
        return oper(qePercen);
    case '^': // x^y: the one operator users reach for that has no key of its own
        return oper(qeNpowr);
    case ':':
        return oper(qeFrac);
    case ';':
        return oper(qeInt);
    case '@':
        return oper(qeAbs);
    case '(':
        return KeyCommand{KeyAction::OpenParen, 0, qeNone, {}, {}};
    case ')':
        return KeyCommand{KeyAction::CloseParen, 0, qeNone, {}, {}};
    case '=':
        return KeyCommand{KeyAction::Equals, 0, qeNone, {}, {}};
    default:
        return std::nullopt;
    }
}

} // namespace quantrel
