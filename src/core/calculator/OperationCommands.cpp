// Operator keys and the commands around them: the one dispatch OperatorKey, "=",
// parentheses, constants, Hyp, Dec./Hex., angle units and the tape format.

#include "calculator/CalculatorLogic.h"

#include "calculator/EntryText.h"
#include "calculator/PhysicalConstants.h"

namespace quantrel {

namespace {

TOperCode hyperbolicOf(TOperCode code) {
    switch (code) {
    case qeSin:
        return qeSinh;
    case qeCos:
        return qeCosh;
    case qeTan:
        return qeTanh;
    case qeAsin:
        return qeAsinh;
    case qeAcos:
        return qeAcosh;
    case qeAtan:
        return qeAtanh;
    default:
        return code;
    }
}

constexpr std::int32_t kMaxDigits = 18;

} // namespace

bool CalculatorLogic::refusedInHex(TOperCode code) const {
    if (!m_entry.HexMode())
        return false;
    // The functions whose keys hexadecimal mode disables; their shortcuts stay quiet too.
    switch (code) {
    case qeRecip:
    case qeSqrt:
    case qeNroot:
    case qeLog:
    case qeIlog:
    case qeELog:
    case qeIelog:
    case qeSin:
    case qeCos:
    case qeTan:
    case qeAsin:
    case qeAcos:
    case qeAtan:
    case qeSinh:
    case qeCosh:
    case qeTanh:
    case qeAsinh:
    case qeAcosh:
    case qeAtanh:
        return true;
    default:
        return false;
    }
}

void CalculatorLogic::OperatorKey(TOperCode code) {
    RunCommand([&] {
        if (refusedInHex(code))
            return;
        if (m_main->EquationInError()) {
            // The failed calculation is dropped, and with it the entry a revisited
            // number came from: the number shown goes in as a new one.
            m_main->Reset();
            m_entry.EndRevisit();
        }
        if (m_entry.RevisitMode()) {
            m_main->ReplaceNumber(m_entry.EntryValue());
            appendSeparator();
            m_entry.EndRevisit();
            m_main->Replay(m_main->CursorIdx());
        } else if (m_entry.NumberInProgress()) {
            m_main->EnterNumber(false, m_entry.EntryValue());
        } else if (m_main->IsEmpty()) {
            m_main->EnterNumber(false, 0);
        }
        try {
            m_main->EnterOperator(code, m_currentConvSpec);
        } catch (const SilentAbort&) {
            // A full equation refuses the operator; the entry ends as after any operator.
            ResetEntry();
            throw;
        }
        ResetEntry();
    });
}

void CalculatorLogic::TrigKey(TOperCode code) {
    RunCommand([&] { OperatorKey(m_hyp ? hyperbolicOf(code) : code); });
}

void CalculatorLogic::EqualsKey() {
    RunCommand([&] {
        if (m_entry.RevisitMode()) {
            ReplayCalculation();
            return;
        }
        // An empty calculation has nothing to total; entering "=" alone would leave
        // a calculation without numbers behind.
        if (!m_entry.NumberInProgress() && m_main->IsEmpty())
            return;
        if (m_entry.NumberInProgress())
            m_main->EnterNumber(false, m_entry.EntryValue());
        for (std::int32_t open = m_main->ParenDepth(); open > 0; --open)
            CloseParenKey();
        m_main->EnterOperator(qeEquals, m_currentConvSpec);
        ResetEntry();
    });
}

void CalculatorLogic::OpenParenKey() {
    RunCommand([&] {
        if (!m_main->AwaitingNumber()) {
            StartNewCalculation();
            ResetEntry();
            ShowNumber(DisplayText(m_entry.EntryValue()), m_entry.EntryValue());
            m_entry.SetShownValue(m_entry.EntryValue());
        }
        m_entry.ZeroInProgress();
        m_main->OpenParen();
    });
}

void CalculatorLogic::CloseParenKey() {
    RunCommand([&] {
        if (!m_main->HasOpenParen())
            return;
        m_entry.TypeOver();
        m_main->CloseParen();
    });
}

void CalculatorLogic::InsertConstant(Extended value) {
    RunCommand([&] { enterShownNumber(value); });
}

void CalculatorLogic::ConstantKey(int index) {
    const auto constants = PhysicalConstants();
    if (index < 1 || index > static_cast<int>(constants.size()))
        return;
    InsertConstant(constants[static_cast<std::size_t>(index - 1)].Value());
}

void CalculatorLogic::PiKey() {
    if (m_entry.HexMode())
        return;
    InsertConstant(PhysicalConstants().front().Value());
}

void CalculatorLogic::ToggleHyp() {
    SetHyp(!m_hyp);
}

void CalculatorLogic::SetHyp(bool checked) {
    RunCommand([&] {
        m_hyp = checked;
        updateHypCaptions();
    });
}

void CalculatorLogic::SetHexMode(bool hex) {
    RunCommand([&] {
        if (hex == m_entry.HexMode())
            return;
        m_entry.SetHexMode(hex);
        SetNumberBase();
    });
}

void CalculatorLogic::SetNumberBase() {
    updateBaseKeys();
    m_main->SetBaseUnits(m_entry.NumberBase());
    for (auto& engine : m_history)
        engine->SetBaseUnits(m_entry.NumberBase());
    // Only the display's form changes: the number being typed, with its fraction or
    // exponent, and the engines' numbers stay as they are.
    if (!m_entry.HexMode()) {
        showDisplay(entryText());
        return;
    }
    if (const std::optional<std::string> hex = HexText(m_entry.ShownValue())) {
        showDisplay(*hex);
        return;
    }
    m_view.ShowMessage("Number too Large", MessageKind::Error);
    // The number cannot be shown in hexadecimal: the switch does not happen, and the
    // choice shows "Dec." again, as the display does.
    m_entry.SetHexMode(false);
    SetNumberBase();
}

void CalculatorLogic::SetAngleUnits(std::int32_t trigUnits) {
    RunCommand([&] {
        if (trigUnits >= 1 && trigUnits <= 3)
            m_main->SetTrigUnits(trigUnits);
    });
}

void CalculatorLogic::SetTapeFormat(std::int32_t mode) {
    RunCommand([&] {
        if (mode < 1 || mode > 4)
            return;
        m_main->SetTapeFormatMode(mode);
        m_settings.NumOpt = mode;
    });
}

void CalculatorLogic::NextTapeFormat() {
    const std::int32_t mode = m_main->TapeFormatMode();
    SetTapeFormat(mode >= 1 && mode < 4 ? mode + 1 : 1);
}

void CalculatorLogic::IncreaseDigits() {
    RunCommand([&] {
        if (m_main->Digits() < kMaxDigits)
            m_main->SetDigits(m_main->Digits() + 1);
        m_settings.Digits = m_main->Digits();
    });
}

void CalculatorLogic::DecreaseDigits() {
    RunCommand([&] {
        if (m_main->Digits() > 0)
            m_main->SetDigits(m_main->Digits() - 1);
        m_settings.Digits = m_main->Digits();
    });
}

void CalculatorLogic::ApplyConversion(const TConvSpec& spec, bool toHistory) {
    RunCommand([&] {
        m_currentConvSpec = spec;
        if (toHistory)
            m_convHistory.AddConvHistory(spec);
        OperatorKey(qeConv);
    });
}

} // namespace quantrel
