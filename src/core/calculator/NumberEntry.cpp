// Typing a number: digits, the decimal point, the exponent, the sign, backspace,
// CE and C, paste and copy. The number stays in the entry state until an operator,
// "=", a replay or Back/Forward hands it to the engine.

#include "calculator/CalculatorLogic.h"

#include "calculator/EntryText.h"
#include "numeric/NumberText.h"

namespace quantrel {

std::string CalculatorLogic::DisplayText(Extended value) const {
    return quantrel::DisplayText(value, m_settings.ThousSep, m_locale);
}

std::string CalculatorLogic::entryFormatText(Extended value, int fractionDigits) const {
    return m_settings.ThousSep ? NumberText(value, kEntryPrecision, fractionDigits, m_locale)
                               : FixedText(value, kEntryPrecision, fractionDigits, m_locale);
}

std::string CalculatorLogic::exponentText(Extended value) const {
    return EntryExponentText(value, m_locale);
}

std::string CalculatorLogic::entryText() const {
    const EntryState& e = m_entry;
    if (e.ExponentEntry())
        return exponentText(e.EntryValue());
    if (e.NumberInProgress() && !e.StartNewNumber()) {
        if (e.DecimalState() == 1) // the point is typed, no fraction digit yet
            return DisplayText(e.EntryValue()) + m_locale.decimalSeparator;
        return entryFormatText(e.EntryValue(), e.FractionDigits());
    }
    return DisplayText(e.ShownValue());
}

void CalculatorLogic::showDisplay(const std::string& text) {
    m_displayText = text;
    m_view.ShowDisplay(text);
}

bool CalculatorLogic::ShowNumber(const std::string& text, Extended value) {
    if (!m_entry.HexMode()) {
        showDisplay(text);
        return true;
    }
    if (const std::optional<std::string> hex = HexText(value)) {
        showDisplay(*hex);
        return true;
    }
    m_view.ShowMessage("Number too Large", MessageKind::Error);
    ResetEntry();
    showDisplay("0");
    return false;
}

void CalculatorLogic::appendSeparator() {
    m_view.AppendTapeLine(std::string(kSeparatorLine), taOperation, false);
}

void CalculatorLogic::DigitKey(int digit) {
    RunCommand([&] {
        if (digit < 0 || digit > 15 || (!m_entry.HexMode() && digit > 9))
            return;
        // A fraction or exponent typed in decimal waits for the return to decimal.
        if (m_entry.HexMode() && m_entry.HasFractionOrExponent())
            return;
        if (!m_entry.NumberInProgress() && !m_main->AwaitingNumber()) {
            StartNewCalculation();
            ResetEntry();
        }
        if (!m_entry.ExponentEntry()) {
            m_entry.TypeDigit(digit, m_locale);
            ShowNumber(entryText(), m_entry.EntryValue());
        } else if (m_entry.TypeExponentDigit(digit, m_locale)) {
            ShowNumber(entryText(), m_entry.EntryValue());
        } else {
            invalidNumber();
        }
    });
}

void CalculatorLogic::invalidNumber() {
    // The exponent has left the 80-bit range.
    m_view.ShowMessage("Invalid Number", MessageKind::Error);
    ClearEntry();
}

void CalculatorLogic::ExponentKey() {
    RunCommand([&] {
        if (m_entry.ExponentEntry() || m_entry.HexMode())
            return;
        if (m_entry.StartNewNumber())
            DigitKey(1);
        ShowNumber(exponentText(m_entry.EntryValue()), m_entry.EntryValue());
        m_entry.BeginExponent();
    });
}

void CalculatorLogic::DecimalPointKey() {
    RunCommand([&] {
        if (m_entry.HexMode() || m_entry.ExponentEntry() ||
            (m_entry.DecimalState() >= 1 && !m_entry.StartNewNumber()))
            return;
        if (m_entry.StartNewNumber())
            DigitKey(0);
        m_entry.TypePoint();
        showDisplay(entryText());
    });
}

void CalculatorLogic::SignKey() {
    RunCommand([&] {
        if (m_entry.ExponentEntry()) {
            if (!m_entry.ToggleExponentSign(m_locale)) {
                invalidNumber();
                return;
            }
            ShowNumber(exponentText(m_entry.EntryValue()), m_entry.EntryValue());
        } else if (m_entry.NumberInProgress()) {
            m_entry.Negate();
            ShowNumber(DisplayText(m_entry.EntryValue()), m_entry.EntryValue());
        } else {
            OperatorKey(qeRevSign);
        }
    });
}

void CalculatorLogic::BackspaceKey() {
    RunCommand([&] {
        if (m_entry.StartNewNumber() || !m_entry.NumberInProgress())
            return;
        if (m_entry.HexMode()) {
            if (m_entry.HasFractionOrExponent())
                return;
            m_entry.RemoveHexDigit();
        } else {
            m_entry.RemoveLastCharacter(m_displayText, m_locale);
        }
        ShowNumber(entryText(), m_entry.EntryValue());
    });
}

void CalculatorLogic::ClearEntryKey() {
    RunCommand([&] {
        if (m_entry.NumberInProgress())
            ClearEntry();
        else
            ClearKey();
    });
}

void CalculatorLogic::ClearKey() {
    RunCommand([&] {
        SaveToHistory();
        m_main->Reset();
        AfterClear();
    });
}

void CalculatorLogic::ResetEntry() {
    RunCommand([&] { m_entry.Reset(); });
}

void CalculatorLogic::ClearEntry() {
    RunCommand([&] {
        m_entry.Clear();
        ShowNumber(entryFormatText(0, 0), 0);
    });
}

void CalculatorLogic::AfterClear() {
    RunCommand([&] {
        ResetEntry();
        ShowNumber(GeneralText(0, m_locale), 0);
        appendSeparator();
        m_entry.SetShownValue(m_entry.EntryValue());
    });
}

void CalculatorLogic::StartNewCalculation() {
    RunCommand([&] {
        appendSeparator();
        SaveToHistory();
        m_main->Reset();
    });
}

void CalculatorLogic::enterShownNumber(Extended value) {
    if (!m_entry.NumberInProgress() && !m_main->AwaitingNumber())
        StartNewCalculation();
    const bool shown =
        ShowNumber(m_entry.ExponentEntry() ? exponentText(value) : DisplayText(value), value);
    // A number too large for hexadecimal has reset the entry to 0, which is then shown.
    m_entry.ShowNumber(shown ? value : 0);
}

void CalculatorLogic::Paste(std::string_view clipboardText) {
    RunCommand([&] {
        if (clipboardText.empty())
            return;
        const std::optional<Extended> number =
            ParseNumber(CleanNumberText(clipboardText, m_locale), m_locale);
        if (!number) {
            m_view.SetEnabled(CalcControl::Paste1, false);
            return;
        }
        enterShownNumber(*number);
    });
}

std::optional<bool> CalculatorLogic::PasteEnabled(std::string_view clipboardText) const {
    if (clipboardText.empty())
        return std::nullopt;
    return ParseNumber(CleanNumberText(clipboardText, m_locale), m_locale).has_value();
}

std::string CalculatorLogic::CopyText(std::string_view tapeSelection) const {
    return tapeSelection.empty() ? m_displayText : std::string(tapeSelection);
}

} // namespace quantrel
