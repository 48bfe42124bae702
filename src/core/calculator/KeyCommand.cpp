// The table of key names and the parsing of the names that carry an argument.

#include "calculator/KeyCommand.h"

#include "calculator/PhysicalConstants.h"
#include "conversion/convunits.h"

#include <array>
#include <charconv>

namespace quantrel {

namespace {

struct NamedKey {
    std::string_view Name;
    KeyAction Action;
    TOperCode Oper = qeNone;
    std::int32_t Number = 0;
};

constexpr auto kNamedKeys = std::to_array<NamedKey>({
    {"A", KeyAction::Digit, qeNone, 10},
    {"B", KeyAction::Digit, qeNone, 11},
    {"C", KeyAction::Digit, qeNone, 12},
    {"D", KeyAction::Digit, qeNone, 13},
    {"E", KeyAction::Digit, qeNone, 14},
    {"F", KeyAction::Digit, qeNone, 15},
    {".", KeyAction::DecimalPoint},
    {"exp", KeyAction::Exponent},
    {"+/-", KeyAction::Sign},
    {"bck", KeyAction::Backspace},
    {"ce", KeyAction::ClearEntry},
    {"c", KeyAction::Clear},
    {"+", KeyAction::Operator, qeAdd},
    {"-", KeyAction::Operator, qeMinus},
    {"*", KeyAction::Operator, qeTimes},
    {"/", KeyAction::Operator, qeDivide},
    {"%", KeyAction::Operator, qePercen},
    {"=", KeyAction::Equals},
    {"(", KeyAction::OpenParen},
    {")", KeyAction::CloseParen},
    {"sqr", KeyAction::Operator, qeSqr},
    {"sqrt", KeyAction::Operator, qeSqrt},
    {"recip", KeyAction::Operator, qeRecip},
    {"pow", KeyAction::Operator, qeNpowr},
    {"root", KeyAction::Operator, qeNroot},
    {"abs", KeyAction::Operator, qeAbs},
    {"frac", KeyAction::Operator, qeFrac},
    {"int", KeyAction::Operator, qeInt},
    {"mod", KeyAction::Operator, qeMod},
    {"sin", KeyAction::Trig, qeSin},
    {"cos", KeyAction::Trig, qeCos},
    {"tan", KeyAction::Trig, qeTan},
    {"asin", KeyAction::Trig, qeAsin},
    {"acos", KeyAction::Trig, qeAcos},
    {"atan", KeyAction::Trig, qeAtan},
    {"hyp", KeyAction::Hyp},
    {"pi", KeyAction::Pi},
    {"log", KeyAction::Operator, qeLog},
    {"10^x", KeyAction::Operator, qeIlog},
    {"ln", KeyAction::Operator, qeELog},
    {"e^x", KeyAction::Operator, qeIelog},
    {"+tax", KeyAction::Operator, qePlusTax},
    {"-tax", KeyAction::Operator, qeMinusTax},
    {"tax(i)", KeyAction::Operator, qeTaxInc},
    {"tax(e)", KeyAction::Operator, qeTaxExcl},
    {"deg", KeyAction::AngleUnits, qeNone, 1},
    {"rad", KeyAction::AngleUnits, qeNone, 2},
    {"grad", KeyAction::AngleUnits, qeNone, 3},
    {"dec", KeyAction::NumberBase, qeNone, 10},
    {"hex", KeyAction::NumberBase, qeNone, 16},
    {"min", KeyAction::MemoryIn},
    {"m+", KeyAction::MemoryAdd},
    {"mr", KeyAction::MemoryRecall},
    {"mc", KeyAction::MemoryClear},
    {"back", KeyAction::Back},
    {"forward", KeyAction::Forward},
    {"replay", KeyAction::Replay},
    {"general", KeyAction::TapeFormat, qeNone, 1},
    {"scientific", KeyAction::TapeFormat, qeNone, 2},
    {"currency", KeyAction::TapeFormat, qeNone, 3},
    {"fixed", KeyAction::TapeFormat, qeNone, 4},
    {"digits+", KeyAction::DigitsUp},
    {"digits-", KeyAction::DigitsDown},
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
