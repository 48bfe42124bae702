// The key table. Positions are rows and columns of the key's area; the "=" key and
// the replay key share one cell, only one of them being visible at a time.

#include "window/KeyTable.h"

#include <array>

namespace quantrel::gui {

namespace {

constexpr QKeyCombination ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}

constexpr QKeyCombination ctrlAlt(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier | Qt::AltModifier, key);
}

// clang-format off
constexpr auto kKeys = std::to_array<KeyDef>({
    // Main keypad.
    {.Control = "Button7", .Caption = "7", .Key = "7", .Item = "N71", .ItemCaption = "7", .Shortcut = Qt::Key_7, .Area = KeyArea::Basic, .Row = 0, .Column = 0},
    {.Control = "Button8", .Caption = "8", .Key = "8", .Item = "N81", .ItemCaption = "8", .Shortcut = Qt::Key_8, .Area = KeyArea::Basic, .Row = 0, .Column = 1},
    {.Control = "Button9", .Caption = "9", .Key = "9", .Item = "N91", .ItemCaption = "9", .Shortcut = Qt::Key_9, .Area = KeyArea::Basic, .Row = 0, .Column = 2},
    {.Control = "Button14", .Caption = "/", .Name = "Divide", .Key = "/", .Item = "N7", .ItemCaption = "/", .Shortcut = Qt::Key_Slash, .Area = KeyArea::Basic, .Row = 0, .Column = 3},
    {.Control = "Button18", .Caption = "Min", .Name = "Memory in", .Hint = "Move Number into Memory", .Key = "min", .Item = "Min1", .ItemCaption = "Min", .Shortcut = ctrl(Qt::Key_M), .Area = KeyArea::Basic, .Row = 0, .Column = 4},
    {.Control = "Button15", .Caption = "C", .Name = "Clear", .Hint = "Clear", .Key = "c", .Item = "Clear1", .ItemCaption = "Clear", .Shortcut = Qt::Key_Escape, .Area = KeyArea::Basic, .Row = 0, .Column = 5},

    {.Control = "Button4", .Caption = "4", .Key = "4", .Item = "N41", .ItemCaption = "4", .Shortcut = Qt::Key_4, .Area = KeyArea::Basic, .Row = 1, .Column = 0},
    {.Control = "Button5", .Caption = "5", .Key = "5", .Item = "N51", .ItemCaption = "5", .Shortcut = Qt::Key_5, .Area = KeyArea::Basic, .Row = 1, .Column = 1},
    {.Control = "Button6", .Caption = "6", .Key = "6", .Item = "N61", .ItemCaption = "6", .Shortcut = Qt::Key_6, .Area = KeyArea::Basic, .Row = 1, .Column = 2},
    {.Control = "Button13", .Caption = "X", .Name = "Multiply", .Key = "*", .Area = KeyArea::Basic, .Row = 1, .Column = 3},
    {.Control = "Button19", .Caption = "M+", .Name = "Memory add", .Hint = "Add number to Memory", .Key = "m+", .Item = "M1", .ItemCaption = "M+", .Shortcut = ctrl(Qt::Key_P), .Area = KeyArea::Basic, .Row = 1, .Column = 4},
    {.Control = "Button22", .Caption = "CE", .Name = "Clear entry", .Hint = "Clear Displayed Number", .Key = "ce", .Item = "CE1", .ItemCaption = "Del", .Shortcut = Qt::Key_Delete, .Area = KeyArea::Basic, .Row = 1, .Column = 5},

    {.Control = "Button1", .Caption = "1", .Key = "1", .Item = "N11", .ItemCaption = "1", .Shortcut = Qt::Key_1, .Area = KeyArea::Basic, .Row = 2, .Column = 0},
    {.Control = "Button2", .Caption = "2", .Key = "2", .Item = "N21", .ItemCaption = "2", .Shortcut = Qt::Key_2, .Area = KeyArea::Basic, .Row = 2, .Column = 1},
    {.Control = "Button3", .Caption = "3", .Key = "3", .Item = "N31", .ItemCaption = "3", .Shortcut = Qt::Key_3, .Area = KeyArea::Basic, .Row = 2, .Column = 2},
    {.Control = "Button12", .Caption = "-", .Name = "Minus", .Key = "-", .Item = "N6", .ItemCaption = "-", .Shortcut = Qt::Key_Minus, .Area = KeyArea::Basic, .Row = 2, .Column = 3},
    {.Control = "ButtonMemRecall", .Caption = "MR", .Name = "Memory recall", .Key = "mr", .Item = "MR1", .ItemCaption = "MR", .Shortcut = ctrl(Qt::Key_R), .Area = KeyArea::Basic, .Row = 2, .Column = 4},
    {.Control = "BackButton", .Caption = "Bck", .Name = "Backspace", .Key = "bck", .Item = "Back", .ItemCaption = "Back", .Shortcut = Qt::Key_Backspace, .Area = KeyArea::Basic, .Row = 2, .Column = 5},

    {.Control = "Button10", .Caption = "0", .Key = "0", .Item = "N01", .ItemCaption = "0", .Shortcut = Qt::Key_0, .Area = KeyArea::Basic, .Row = 3, .Column = 0},
    {.Control = "ButtonPlusMinus", .Caption = "+/-", .Name = "Change sign", .Key = "+/-", .Item = "N9", .ItemCaption = "+/-", .Shortcut = Qt::Key_F9, .Area = KeyArea::Basic, .Row = 3, .Column = 1},
    {.Control = "Button17", .Caption = ".", .Name = "Decimal point", .Key = ".", .Item = "N8", .ItemCaption = ".", .Shortcut = Qt::Key_Period, .Area = KeyArea::Basic, .Row = 3, .Column = 2},
    {.Control = "Button11", .Caption = "+", .Name = "Plus", .Key = "+", .Area = KeyArea::Basic, .Row = 3, .Column = 3},
    {.Control = "Button21", .Caption = "MC", .Name = "Memory clear", .Hint = "Clear Memory", .Key = "mc", .Item = "MC1", .ItemCaption = "MC", .Shortcut = ctrl(Qt::Key_L), .Area = KeyArea::Basic, .Row = 3, .Column = 4},
    {.Control = "EqualsBitBtn", .Name = "Equals", .Key = "=", .Area = KeyArea::Basic, .Row = 3, .Column = 5, .Picture = KeyPicture::Equals},
    {.Control = "RecalcBitBtn", .Name = "Replay calculation", .Key = "=", .Area = KeyArea::Basic, .Row = 3, .Column = 5, .Picture = KeyPicture::Replay},

    // "Math".
    {.Control = "ButtonPercen", .Caption = "%", .Name = "Percent", .Key = "%", .Area = KeyArea::Math, .Row = 0, .Column = 0},
    {.Control = "ButtonSqr", .Caption = "x^2", .Name = "Square", .Key = "sqr", .Item = "x21", .ItemCaption = "x^2", .Shortcut = Qt::Key_Q, .Area = KeyArea::Math, .Row = 0, .Column = 1},
    {.Control = "ButtonpowerY", .Caption = "x^y", .Name = "Power", .Key = "pow", .Item = "xpowerY1", .ItemCaption = "x^y", .Shortcut = Qt::Key_Y, .Area = KeyArea::Math, .Row = 0, .Column = 2},
    {.Control = "ButtonAbs", .Caption = "Abs", .Name = "Absolute value", .Key = "abs", .Area = KeyArea::Math, .Row = 0, .Column = 3},
    {.Control = "ButtonLParen", .Caption = "(", .Name = "Open parenthesis", .Key = "(", .Area = KeyArea::Math, .Row = 0, .Column = 4},
    {.Control = "ButtonRParen", .Caption = ")", .Name = "Close parenthesis", .Key = ")", .Area = KeyArea::Math, .Row = 0, .Column = 5},
    {.Control = "ButtonExp", .Caption = "Exp", .Name = "Exponent", .Key = "exp", .Item = "Exp1", .ItemCaption = "Exp", .Shortcut = Qt::Key_X, .Area = KeyArea::Math, .Row = 0, .Column = 6},
    {.Control = "ButtonRecip", .Caption = "1/x", .Name = "Reciprocal", .Key = "recip", .Item = "N1x1", .ItemCaption = "1/x", .Shortcut = Qt::Key_R, .Area = KeyArea::Math, .Row = 1, .Column = 0},
    {.Control = "ButtonSqrt", .Name = "Square root", .Key = "sqrt", .Item = "sqroot1", .ItemCaption = "Sqrt", .Shortcut = ctrl(Qt::Key_Q), .Area = KeyArea::Math, .Row = 1, .Column = 1, .Picture = KeyPicture::SquareRoot},
    {.Control = "ButtonYroot", .Name = "Y-th root", .Key = "root", .Item = "nthroot1", .ItemCaption = "y-th root", .Shortcut = ctrl(Qt::Key_Y), .Area = KeyArea::Math, .Row = 1, .Column = 2, .Picture = KeyPicture::YthRoot},
    {.Control = "ButtonMod", .Caption = "Mod", .Name = "Modulo", .Key = "mod", .Item = "Mod1", .ItemCaption = "Mod", .Shortcut = Qt::Key_M, .Area = KeyArea::Math, .Row = 1, .Column = 3},
    {.Control = "ButtonFrac", .Caption = "Frac", .Name = "Fractional part", .Key = "frac", .Area = KeyArea::Math, .Row = 1, .Column = 4},
    {.Control = "ButtonInt", .Caption = "Int", .Name = "Integer part", .Key = "int", .Area = KeyArea::Math, .Row = 1, .Column = 5},

    // "Trig"; the "Hyp" check box and the angle units are no keys of this table.
    {.Control = "ButtonSin", .Caption = "Sin", .Key = "sin", .Item = "sin1", .ItemCaption = "Sin", .Shortcut = Qt::Key_S, .Area = KeyArea::Trig, .Row = 0, .Column = 0},
    {.Control = "ButtonCos", .Caption = "Cos", .Key = "cos", .Item = "cos1", .ItemCaption = "Cos", .Shortcut = Qt::Key_O, .Area = KeyArea::Trig, .Row = 0, .Column = 1},
    {.Control = "ButtonTan", .Caption = "Tan", .Key = "tan", .Item = "tan1", .ItemCaption = "Tan", .Shortcut = Qt::Key_T, .Area = KeyArea::Trig, .Row = 0, .Column = 2},
    {.Control = "ButtonAsin", .Caption = "aSin", .Key = "asin", .Item = "asin1", .ItemCaption = "aSin", .Shortcut = ctrl(Qt::Key_S), .Area = KeyArea::Trig, .Row = 1, .Column = 0},
    {.Control = "ButtonAcos", .Caption = "aCos", .Key = "acos", .Item = "acos1", .ItemCaption = "aCos", .Shortcut = ctrl(Qt::Key_O), .Area = KeyArea::Trig, .Row = 1, .Column = 1},
    {.Control = "ButtonAtan", .Caption = "aTan", .Key = "atan", .Item = "atan1", .ItemCaption = "aTan", .Shortcut = ctrl(Qt::Key_T), .Area = KeyArea::Trig, .Row = 1, .Column = 2},
    {.Control = "ButtonPi", .Caption = "\u03C0", .Name = "Pi", .Key = "pi", .Item = "pi1", .ItemCaption = "Pi", .Shortcut = Qt::Key_P, .Area = KeyArea::Trig, .Row = 1, .Column = 3},

    // "Hex".
    {.Control = "ButtonA", .Caption = "A", .Key = "A", .Item = "A1", .ItemCaption = "A", .Shortcut = Qt::Key_A, .Area = KeyArea::Hex, .Row = 0, .Column = 0},
    {.Control = "ButtonB", .Caption = "B", .Key = "B", .Item = "B1", .ItemCaption = "B", .Shortcut = Qt::Key_B, .Area = KeyArea::Hex, .Row = 0, .Column = 1},
    {.Control = "ButtonC", .Caption = "C", .Name = "Hex C", .Key = "C", .Item = "C1", .ItemCaption = "C", .Shortcut = Qt::Key_C, .Area = KeyArea::Hex, .Row = 0, .Column = 2},
    {.Control = "ButtonD", .Caption = "D", .Key = "D", .Item = "D1", .ItemCaption = "D", .Shortcut = Qt::Key_D, .Area = KeyArea::Hex, .Row = 1, .Column = 0},
    {.Control = "ButtonE", .Caption = "E", .Key = "E", .Item = "E1", .ItemCaption = "E", .Shortcut = Qt::Key_E, .Area = KeyArea::Hex, .Row = 1, .Column = 1},
    {.Control = "ButtonF", .Caption = "F", .Key = "F", .Item = "F1", .ItemCaption = "F", .Shortcut = Qt::Key_F, .Area = KeyArea::Hex, .Row = 1, .Column = 2},

    // "Log".
    {.Control = "ButtonLog", .Caption = "Log", .Name = "Common logarithm", .Key = "log", .Item = "log", .ItemCaption = "Log", .Shortcut = Qt::Key_G, .Area = KeyArea::Log, .Row = 0, .Column = 0},
    {.Control = "ButtonLn", .Caption = "Ln", .Name = "Natural logarithm", .Key = "ln", .Item = "ln1", .ItemCaption = "Ln", .Shortcut = Qt::Key_N, .Area = KeyArea::Log, .Row = 0, .Column = 1},
    {.Control = "ButtonInvLog", .Caption = "10^X", .Name = "Ten to the power", .Key = "10^x", .Item = "invlog1", .ItemCaption = "10^X", .Shortcut = ctrl(Qt::Key_G), .Area = KeyArea::Log, .Row = 1, .Column = 0},
    {.Control = "ButtonInvLn", .Caption = "e^X", .Name = "e to the power", .Key = "e^x", .Item = "Invln1", .ItemCaption = "e^X", .Shortcut = ctrl(Qt::Key_N), .Area = KeyArea::Log, .Row = 1, .Column = 1},

    // "Tax": captions follow the tax name.
    {.Control = "ButtonPlusTax", .Caption = "+Tax", .Name = "Add tax", .Key = "+tax", .Item = "ax1", .ItemCaption = "+Tax", .Shortcut = ctrlAlt(Qt::Key_A), .Area = KeyArea::Tax, .Row = 0, .Column = 0},
    {.Control = "ButtonMinusTax", .Caption = "-Tax", .Name = "Remove tax", .Key = "-tax", .Item = "ax2", .ItemCaption = "-Tax", .Shortcut = ctrlAlt(Qt::Key_Z), .Area = KeyArea::Tax, .Row = 1, .Column = 0},
    {.Control = "ButtonTaxInc", .Caption = "Tax(i)", .Name = "Tax included", .Key = "tax(i)", .Item = "axI1", .ItemCaption = "Tax(i)", .Shortcut = ctrlAlt(Qt::Key_S), .Area = KeyArea::Tax, .Row = 0, .Column = 1},
    {.Control = "ButtonTaxExcl", .Caption = "Tax(e)", .Name = "Tax excluded", .Key = "tax(e)", .Item = "axE1", .ItemCaption = "Tax(e)", .Shortcut = ctrlAlt(Qt::Key_X), .Area = KeyArea::Tax, .Row = 1, .Column = 1},

    // Keyboard only.
    {.Key = "hyp", .Item = "Hyp1", .ItemCaption = "Hyp", .Shortcut = Qt::Key_H},
    {.Key = "replay", .Item = "N10", .ItemCaption = "recalc", .Shortcut = ctrl(Qt::Key_Equal)},
});
// clang-format on

} // namespace

std::span<const KeyDef> CalculatorKeys() {
    return kKeys;
}

} // namespace quantrel::gui
