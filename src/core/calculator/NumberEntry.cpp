// Typing a number: digits, the decimal point, the exponent, the sign, backspace,
// CE and C, paste and copy. The number stays in the entry state until an operator,
// "=", a replay or Back/Forward hands it to the engine.

#include "calculator/CalculatorLogic.h"

#include "calculator/EntryText.h"
#include "numeric/HexDigits.h"
#include "numeric/NumberText.h"
#include "numeric/Utf8.h"

#include <cmath>
#include <cstdint>

namespace quantrel {

namespace {

// Thirteen whole digits: a number above this takes no further whole digit.
constexpr Extended kMaxBeforeDigit = 999999999999.0L;
constexpr int kMaxFractionDigits = 9;
constexpr std::size_t kMaxFractionTextLength = 14;
constexpr int kEntryPrecision = 14;
constexpr int kExponentDigits = 4;
// "1.2E+0034" -> 34, "1.2E-003" -> 3: up to four digits after the exponent's sign.
Extended exponentOf(std::string_view text) {
    const std::size_t e = text.find('E');
    if (e == std::string_view::npos)
        return 0;
    std::size_t start = e + 1;
    if (start < text.size() && (text[start] == '+' || text[start] == '-'))
        ++start;
    const std::string_view digits = text.substr(start, kExponentDigits);
    Extended value = 0;
    if (digits.empty())
        return 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string withoutLastCharacter(std::string text) {
    while (!text.empty() && IsUtf8Continuation(text.back()))
        text.pop_back();
    if (!text.empty())
        text.pop_back();
    return text;
}

std::string withoutText(std::string text, const std::string& remove) {
    if (remove.empty())
        return text;
    for (std::size_t at = text.find(remove); at != std::string::npos; at = text.find(remove, at))
        text.erase(at, remove.size());
    return text;
}

} // namespace

std::string CalculatorLogic::DisplayText(Extended value) const {
    return quantrel::DisplayText(value, m_settings.ThousSep, m_locale);
}

std::string CalculatorLogic::entryFormatText(Extended value, int fractionDigits) const {
    return m_settings.ThousSep ? NumberText(value, kEntryPrecision, fractionDigits, m_locale)
                               : FixedText(value, kEntryPrecision, fractionDigits, m_locale);
}

std::string CalculatorLogic::exponentText(Extended value) const {
    return ExponentText(value, kEntryPrecision, kExponentDigits, m_locale);
}

bool CalculatorLogic::hasFractionOrExponent() const {
    return m_entry.ExponentEntry || (m_entry.DecimalState >= 1 && !m_entry.StartNewNumber);
}

std::string CalculatorLogic::entryText() const {
    const EntryState& e = m_entry;
    if (e.ExponentEntry)
        return exponentText(e.EntryValue);
    if (e.NumberInProgress && !e.StartNewNumber) {
        if (e.DecimalState == 1) // the point is typed, no fraction digit yet
            return DisplayText(e.EntryValue) + m_locale.decimalSeparator;
        return entryFormatText(e.EntryValue, e.FractionDigits);
    }
    return DisplayText(e.ShownValue);
}

void CalculatorLogic::showDisplay(const std::string& text) {
    m_displayText = text;
    m_view.ShowDisplay(text);
}

void CalculatorLogic::ShowNumber(const std::string& text, Extended value) {
    if (!m_entry.HexMode) {
        showDisplay(text);
        return;
    }
    if (const std::optional<std::string> hex = HexText(value)) {
        showDisplay(*hex);
        return;
    }
    m_view.ShowMessage("Number too Large", MessageKind::Error);
    ResetEntry();
    showDisplay("0");
}

void CalculatorLogic::appendSeparator() {
    m_view.AppendTapeLine(std::string(kSeparatorLine), taOperation, false);
}

void CalculatorLogic::DigitKey(int digit) {
    RunCommand([&] {
        if (digit < 0 || digit > 15 || (!m_entry.HexMode && digit > 9))
            return;
        // A fraction or exponent typed in decimal waits for the return to decimal.
        if (m_entry.HexMode && hasFractionOrExponent())
            return;
        if (!m_entry.NumberInProgress && !m_main->AwaitingNumber()) {
            StartNewCalculation();
            ResetEntry();
        }
        if (m_entry.ExponentEntry) {
            m_entry.EntryValue = AppendExponentDigit(m_entry.EntryValue, digit);
            // An exponent out of range has cleared the entry and shown "0".
            if (m_entry.ExponentEntry)
                ShowNumber(exponentText(m_entry.EntryValue), m_entry.EntryValue);
        } else {
            m_entry.EntryValue = AppendDigit(m_entry.EntryValue, digit);
            ShowNumber(entryFormatText(m_entry.EntryValue, m_entry.FractionDigits),
                       m_entry.EntryValue);
        }
        m_entry.NumberInProgress = true;
        m_entry.ShownValue = m_entry.EntryValue;
    });
}

Extended CalculatorLogic::AppendDigit(Extended a, int d) {
    if (m_entry.StartNewNumber) {
        a = 0;
        m_entry.DecimalState = 0;
        m_entry.StartNewNumber = false;
    }
    if (m_entry.DecimalState >= 1) {
        if (m_entry.DecimalState > kMaxFractionDigits ||
            Utf8Length(GeneralText(a, m_locale)) > kMaxFractionTextLength)
            return a;
        Extended result = std::fabs(a) + d / std::pow(10.0L, m_entry.DecimalState);
        if (a < 0)
            result = -result;
        m_entry.FractionDigits = m_entry.DecimalState;
        ++m_entry.DecimalState;
        return result;
    }
    if (!(std::fabs(a) <= kMaxBeforeDigit))
        return a;
    const auto whole = static_cast<std::int64_t>(std::trunc(std::fabs(a)));
    Extended result = static_cast<Extended>(whole * m_entry.NumberBase + d);
    if (a < 0)
        result = -result;
    m_entry.FractionDigits = 0;
    return result;
}

std::optional<Extended> CalculatorLogic::withExponent(Extended a) const {
    const std::string text = exponentText(a);
    const std::string mantissa = text.substr(0, text.find('E'));
    const Extended exponent = m_entry.ExponentSign * m_entry.ExponentValue;
    return ParseNumber(mantissa + "E" + GeneralText(exponent, m_locale), m_locale);
}

Extended CalculatorLogic::AppendExponentDigit(Extended a, int d) {
    if (m_entry.StartNewNumber) {
        a = 1;
        m_entry.DecimalState = 0;
        m_entry.StartNewNumber = false;
    }
    m_entry.ExponentValue = m_entry.ExponentValue * m_entry.NumberBase + d;
    if (const std::optional<Extended> value = withExponent(a))
        return *value;
    m_view.ShowMessage("Invalid Number", MessageKind::Error);
    ClearEntry();
    return 0;
}

void CalculatorLogic::ExponentKey() {
    RunCommand([&] {
        if (m_entry.ExponentEntry || m_entry.HexMode)
            return;
        if (m_entry.StartNewNumber)
            DigitKey(1);
        ShowNumber(exponentText(m_entry.EntryValue), m_entry.EntryValue);
        m_entry.ExponentEntry = true;
        m_entry.ExponentSign = 1;
        m_entry.ExponentValue = 0;
    });
}

void CalculatorLogic::DecimalPointKey() {
    RunCommand([&] {
        if (m_entry.HexMode || m_entry.ExponentEntry ||
            (m_entry.DecimalState >= 1 && !m_entry.StartNewNumber))
            return;
        if (m_entry.StartNewNumber)
            DigitKey(0);
        m_entry.DecimalState = 1;
        m_entry.NumberInProgress = true;
        showDisplay(DisplayText(m_entry.EntryValue) + m_locale.decimalSeparator);
    });
}

void CalculatorLogic::SignKey() {
    RunCommand([&] {
        if (m_entry.ExponentEntry) {
            m_entry.ExponentSign = -m_entry.ExponentSign;
            const std::optional<Extended> value = withExponent(m_entry.EntryValue);
            if (!value) {
                m_view.ShowMessage("Invalid Number", MessageKind::Error);
                ClearEntry();
                return;
            }
            m_entry.EntryValue = *value;
            ShowNumber(exponentText(m_entry.EntryValue), m_entry.EntryValue);
            m_entry.ShownValue = m_entry.EntryValue;
        } else if (m_entry.NumberInProgress) {
            m_entry.EntryValue = -m_entry.EntryValue;
            ShowNumber(DisplayText(m_entry.EntryValue), m_entry.EntryValue);
            m_entry.ShownValue = m_entry.EntryValue;
        } else {
            OperatorKey(qeRevSign);
        }
    });
}

void CalculatorLogic::BackspaceKey() {
    RunCommand([&] {
        if (m_entry.StartNewNumber || !m_entry.NumberInProgress)
            return;
        if (m_entry.HexMode && hasFractionOrExponent())
            return;
        if (m_entry.HexMode) {
            const Extended whole = std::trunc(m_entry.EntryValue);
            m_entry.EntryValue =
                FitsInt64(whole) ? static_cast<Extended>(static_cast<std::int64_t>(whole) / 16) : 0;
            m_entry.ShownValue = m_entry.EntryValue;
        } else {
            std::string text = withoutLastCharacter(m_displayText);
            if (text.empty()) {
                m_entry.EntryValue = 0;
            } else {
                if (m_entry.ExponentEntry) {
                    if (text.back() == '+' || text.back() == '-')
                        text += '0';
                    m_entry.ExponentValue = exponentOf(text);
                }
                // A text left without digits ("-") reads as 0.
                m_entry.EntryValue =
                    ParseNumber(withoutText(text, m_locale.thousandSeparator), m_locale)
                        .value_or(0);
            }
            m_entry.ShownValue = m_entry.EntryValue;
        }
        if (m_entry.DecimalState >= 1) {
            --m_entry.DecimalState;
            if (m_entry.FractionDigits > 0)
                --m_entry.FractionDigits;
        }
        ShowNumber(entryText(), m_entry.EntryValue);
    });
}

void CalculatorLogic::ClearEntryKey() {
    RunCommand([&] {
        if (m_entry.NumberInProgress)
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
    RunCommand([&] {
        m_entry.RevisitMode = false;
        m_entry.EntryValue = 0;
        m_entry.DecimalState = 0;
        m_entry.NumberInProgress = false;
        m_entry.ExponentEntry = false;
        m_entry.ExponentSign = 1;
        m_entry.ExponentValue = 0;
        m_entry.StartNewNumber = true;
    });
}

void CalculatorLogic::ClearEntry() {
    RunCommand([&] {
        m_entry.EntryValue = 0;
        m_entry.ShownValue = 0;
        m_entry.StartNewNumber = true;
        m_entry.ExponentEntry = false;
        m_entry.ExponentValue = 0;
        m_entry.ExponentSign = 1;
        ShowNumber(entryFormatText(0, 0), 0);
    });
}

void CalculatorLogic::AfterClear() {
    RunCommand([&] {
        ResetEntry();
        ShowNumber(GeneralText(0, m_locale), 0);
        appendSeparator();
        m_entry.ShownValue = m_entry.EntryValue;
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
    if (!m_entry.NumberInProgress && !m_main->AwaitingNumber())
        StartNewCalculation();
    m_entry.EntryValue = value;
    ShowNumber(m_entry.ExponentEntry ? exponentText(value) : DisplayText(value), value);
    m_entry.NumberInProgress = true;
    m_entry.ShownValue = m_entry.EntryValue;
    m_entry.StartNewNumber = true;
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
