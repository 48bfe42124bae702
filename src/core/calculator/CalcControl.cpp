// Object names of the controls the calculator logic reports on, in enumerator order.

#include "calculator/CalcControl.h"

#include <array>

namespace quantrel {

namespace {

constexpr std::array<std::string_view, kCalcControlCount> kNames{
    "ButtonA",
    "ButtonB",
    "ButtonC",
    "ButtonD",
    "ButtonE",
    "ButtonF",
    "Button17",
    "ButtonRecip",
    "ButtonSqrt",
    "ButtonTan",
    "ButtonCos",
    "ButtonSin",
    "ButtonAtan",
    "ButtonAcos",
    "ButtonAsin",
    "ButtonPi",
    "ButtonLog",
    "ButtonInvLog",
    "ButtonLn",
    "ButtonInvLn",
    "ButtonYroot",
    "ButtonExp",
    "ButtonPlusTax",
    "ButtonMinusTax",
    "ButtonTaxInc",
    "ButtonTaxExcl",
    "HypCheckBox1",
    "RadioGroupDecHex_0",
    "RadioGroupDecHex_1",
    "PrevToolButton",
    "NextToolButton",
    "PreviousEnteredNumber1",
    "NextEnteredNumber1",
    "RecalcToolButton",
    "ButtonRParen",
    "ButtonMemRecall",
    "ToolButtonFormat",
    "ToolButtonDecUp",
    "ToolButtonDecDown",
    "General1",
    "Exponent1",
    "Currency1",
    "Fixed1",
    "Paste1",
    "MathTab",
};

constexpr bool everyControlNamed() {
    for (std::string_view name : kNames)
        if (name.empty())
            return false;
    return true;
}
static_assert(everyControlNamed(), "a CalcControl has no name");

} // namespace

std::string_view ControlName(CalcControl control) {
    return kNames[static_cast<std::size_t>(control)];
}

} // namespace quantrel
