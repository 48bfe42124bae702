// Key names as scripts give them.

#include "calculator/KeyCommand.h"
#include "calculator/CalcControl.h"

#include <gtest/gtest.h>

namespace quantrel {
namespace {

TEST(KeyNames, KnownNamesGiveTheirCommand) {
    const struct {
        const char* name;
        KeyAction action;
        std::int32_t number;
        TOperCode oper;
    } cases[] = {
        {"7", KeyAction::Digit, 7, qeNone},
        {"C", KeyAction::Digit, 12, qeNone},
        {"c", KeyAction::Clear, 0, qeNone},
        {"12.5", KeyAction::Type, 0, qeNone},
        {"FF", KeyAction::Type, 0, qeNone},
        {".", KeyAction::DecimalPoint, 0, qeNone},
        {"+/-", KeyAction::Sign, 0, qeNone},
        {"pow", KeyAction::Operator, 0, qeNpowr},
        {"10^x", KeyAction::Operator, 0, qeIlog},
        {"tax(e)", KeyAction::Operator, 0, qeTaxExcl},
        {"acos", KeyAction::Trig, 0, qeAcos},
        {"grad", KeyAction::AngleUnits, 3, qeNone},
        {"hex", KeyAction::NumberBase, 16, qeNone},
        {"history:5", KeyAction::History, 5, qeNone},
        {"const:22", KeyAction::Constant, 22, qeNone},
        {"fixed", KeyAction::TapeFormat, 4, qeNone},
        {"digits-", KeyAction::DigitsDown, 0, qeNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<KeyCommand> key = ParseKeyName(c.name);
        ASSERT_TRUE(key.has_value());
        EXPECT_EQ(key->Action, c.action);
        EXPECT_EQ(key->Number, c.number);
        EXPECT_EQ(key->Oper, c.oper);
    }
    const std::optional<KeyCommand> conv = ParseKeyName("conv:Length,lmi,lkm");
    ASSERT_TRUE(conv.has_value());
    EXPECT_EQ(conv->Conv, TConvSpec::Make("Length", "lmi", "lkm"));
}

TEST(KeyNames, UnknownNamesAndArgumentsOutOfRangeAreRefused) {
    for (const char* name : {"", "SIN", "Exp", "x", "1.2.3", "G", "history:0", "history:6",
                             "history:", "history:+1", "history:1x", "const:0", "const:23",
                             "const:abc", "conv:Length,lmi", "conv:", "conv:,,", "digits"})
        EXPECT_FALSE(ParseKeyName(name).has_value()) << '"' << name << '"';
}

TEST(KeyNames, TypedCharactersFollowTheLocale) {
    const NumberLocale comma = NumberLocale::PointComma();
    EXPECT_EQ(CharacterKey(",", comma)->Action, KeyAction::DecimalPoint);
    EXPECT_EQ(CharacterKey(".", comma)->Action, KeyAction::DecimalPoint);
    EXPECT_FALSE(CharacterKey(",", NumberLocale::CommaPoint()).has_value());
    EXPECT_EQ(CharacterKey("7", comma)->Number, 7);
    EXPECT_EQ(CharacterKey(";", comma)->Oper, qeInt);
    EXPECT_EQ(CharacterKey("@", comma)->Oper, qeAbs);
    EXPECT_EQ(CharacterKey("^", comma)->Oper, qeNpowr);
    EXPECT_EQ(CharacterKey("=", comma)->Action, KeyAction::Equals);
    EXPECT_FALSE(CharacterKey("x", comma).has_value());
}

TEST(Controls, NamesFollowTheEnumerators) {
    const std::pair<CalcControl, const char*> cases[] = {
        {CalcControl::ButtonA, "ButtonA"},
        {CalcControl::Button17, "Button17"},
        {CalcControl::ButtonExp, "ButtonExp"},
        {CalcControl::HypCheckBox1, "HypCheckBox1"},
        {CalcControl::ButtonRParen, "ButtonRParen"},
        {CalcControl::ToolButtonDecDown, "ToolButtonDecDown"},
        {CalcControl::Fixed1, "Fixed1"},
        {CalcControl::MathTab, "MathTab"},
    };
    for (const auto& [control, name] : cases)
        EXPECT_EQ(ControlName(control), name);
}

} // namespace
} // namespace quantrel
