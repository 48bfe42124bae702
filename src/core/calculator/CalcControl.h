#pragma once
// The controls of the calculator window whose state the calculator logic decides:
// which are enabled, what they read, what their hint says, whether they are checked.
// Each enumerator is named as the window's control, so the window can find the
// widget by its objectName (ControlName).

#include <cstdint>
#include <string_view>

namespace quantrel {

enum class CalcControl : std::uint8_t {
    // Hexadecimal digit keys, enabled only in hexadecimal mode.
    ButtonA,
    ButtonB,
    ButtonC,
    ButtonD,
    ButtonE,
    ButtonF,
    // Keys disabled in hexadecimal mode.
    Button17, ///< the decimal-point key; its caption is the locale's decimal separator
    ButtonRecip,
    ButtonSqrt,
    ButtonTan,
    ButtonCos,
    ButtonSin,
    ButtonAtan,
    ButtonAcos,
    ButtonAsin,
    ButtonPi,
    ButtonLog,
    ButtonInvLog,
    ButtonLn,
    ButtonInvLn,
    ButtonYroot,
    ButtonExp,
    // Captions that follow the tax name.
    ButtonPlusTax,
    ButtonMinusTax,
    ButtonTaxInc,
    ButtonTaxExcl,
    // Hyperbolic switch (checked state).
    HypCheckBox1,
    // The number base's choice, "Dec." and "Hex." (checked state).
    RadioGroupDecHex_0,
    RadioGroupDecHex_1,
    // Navigation and the ")" key.
    PrevToolButton,
    NextToolButton,
    PreviousEnteredNumber1,
    NextEnteredNumber1,
    RecalcToolButton,
    ButtonRParen,
    // Memory recall key (hint).
    ButtonMemRecall,
    // Tape format: the toolbar button (hint), the decimal buttons (enabled, hint) and
    // the radio items of the "Tape" menu (checked).
    ToolButtonFormat,
    ToolButtonDecUp,
    ToolButtonDecDown,
    General1,
    Exponent1,
    Currency1,
    Fixed1,
    // Paste of the main menu.
    Paste1,
    // The first tab of the keypad ("Math"; "DEBUG" once the trace is on).
    MathTab,
};

inline constexpr int kCalcControlCount = static_cast<int>(CalcControl::MathTab) + 1;

/// The control's object name: ControlName(CalcControl::ButtonRParen) -> "ButtonRParen".
std::string_view ControlName(CalcControl control);

} // namespace quantrel
