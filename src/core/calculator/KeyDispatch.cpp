// Running a key given by name: each name's command goes to the logic's intent.

#include "calculator/CalculatorLogic.h"

namespace quantrel {

bool CalculatorLogic::RunKey(std::string_view name) {
    const std::optional<KeyCommand> key = ParseKeyName(name);
    if (!key)
        return false;
    RunKey(*key);
    return true;
}

void CalculatorLogic::RunKey(const KeyCommand& key) {
    switch (key.Action) {
    case KeyAction::Type:
        for (const char c : key.Text) {
            if (c == '.')
                DecimalPointKey();
            else
                DigitKey(c >= 'A' ? c - 'A' + 10 : c - '0');
        }
        break;
    case KeyAction::Digit:
        DigitKey(key.Number);
        break;
    case KeyAction::DecimalPoint:
        DecimalPointKey();
        break;
    case KeyAction::Exponent:
        ExponentKey();
        break;
    case KeyAction::Sign:
        SignKey();
        break;
    case KeyAction::Backspace:
        BackspaceKey();
        break;
    case KeyAction::ClearEntry:
        ClearEntryKey();
        break;
    case KeyAction::Clear:
        ClearKey();
        break;
    case KeyAction::Operator:
        OperatorKey(key.Oper);
        break;
    case KeyAction::Trig:
        TrigKey(key.Oper);
        break;
    case KeyAction::Equals:
        EqualsKey();
        break;
    case KeyAction::OpenParen:
        OpenParenKey();
        break;
    case KeyAction::CloseParen:
        CloseParenKey();
        break;
    case KeyAction::Hyp:
        ToggleHyp();
        break;
    case KeyAction::Pi:
        PiKey();
        break;
    case KeyAction::AngleUnits:
        SetAngleUnits(key.Number);
        break;
    case KeyAction::NumberBase:
        SetHexMode(key.Number == 16);
        break;
    case KeyAction::MemoryIn:
        MemoryIn();
        break;
    case KeyAction::MemoryAdd:
        MemoryAdd();
        break;
    case KeyAction::MemoryRecall:
        MemoryRecall();
        break;
    case KeyAction::MemoryClear:
        MemoryClear();
        break;
    case KeyAction::Back:
        BackKey();
        break;
    case KeyAction::Forward:
        ForwardKey();
        break;
    case KeyAction::Replay:
        ReplayCalculation();
        break;
    case KeyAction::History:
        RecallHistory(key.Number);
        break;
    case KeyAction::Constant:
        ConstantKey(key.Number);
        break;
    case KeyAction::Conversion:
        ApplyConversion(key.Conv);
        break;
    case KeyAction::TapeFormat:
        SetTapeFormat(key.Number);
        break;
    case KeyAction::DigitsUp:
        IncreaseDigits();
        break;
    case KeyAction::DigitsDown:
        DecreaseDigits();
        break;
    }
}

} // namespace quantrel
