// The entry state's transitions and the arithmetic of typing a number.

#include "calculator/EntryState.h"

#include "numeric/HexDigits.h"
#include "numeric/NumberText.h"
#include "numeric/Utf8.h"

#include <cmath>
#include <string_view>

namespace quantrel {

namespace {

// Thirteen whole digits: a number above this takes no further whole digit.
constexpr Extended kMaxBeforeDigit = 999999999999.0L;
constexpr int kMaxFractionDigits = 9;
constexpr std::size_t kMaxFractionTextLength = 14;
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

std::string EntryExponentText(Extended value, const NumberLocale& loc) {
    return ExponentText(value, kEntryPrecision, kExponentDigits, loc);
}

bool EntryState::HasFractionOrExponent() const {
    return m_exponentEntry || (m_decimalState >= 1 && !m_startNewNumber);
}

void EntryState::endExponent() {
    m_exponentEntry = false;
    m_exponentSign = 1;
    m_exponentValue = 0;
}

void EntryState::Reset() {
    m_revisitMode = false;
    m_entryValue = 0;
    m_decimalState = 0;
    m_numberInProgress = false;
    endExponent();
    m_startNewNumber = true;
}

void EntryState::Clear() {
    m_entryValue = 0;
    m_shownValue = 0;
    m_startNewNumber = true;
    endExponent();
}

void EntryState::ZeroInProgress() {
    Reset();
    m_numberInProgress = true;
}

void EntryState::ShowNumber(Extended value) {
    m_entryValue = value;
    m_shownValue = value;
    m_numberInProgress = true;
    m_startNewNumber = true;
}

void EntryState::Fetch(Extended value) {
    m_numberInProgress = true;
    m_startNewNumber = true;
    // The fetched number is edited afresh, not as the exponent of the last one.
    endExponent();
    m_entryValue = value;
    m_revisitMode = true;
}

void EntryState::EndRevisit() {
    m_revisitMode = false;
}

void EntryState::EndNumber() {
    m_startNewNumber = true;
    m_exponentEntry = false;
}

void EntryState::TypeOver() {
    m_startNewNumber = true;
}

void EntryState::SetHexMode(bool hex) {
    m_hexMode = hex;
    m_numberBase = hex ? 16 : 10;
}

void EntryState::TypeDigit(int digit, const NumberLocale& loc) {
    if (m_startNewNumber) {
        m_entryValue = 0;
        m_decimalState = 0;
        m_startNewNumber = false;
    }
    const Extended a = m_entryValue;
    if (m_decimalState >= 1) {
        if (m_decimalState <= kMaxFractionDigits &&
            Utf8Length(GeneralText(a, loc)) <= kMaxFractionTextLength) {
            const Extended sum = std::fabs(a) + digit / std::pow(10.0L, m_decimalState);
            m_entryValue = a < 0 ? -sum : sum;
            m_fractionDigits = m_decimalState;
            ++m_decimalState;
        }
    } else if (std::fabs(a) <= kMaxBeforeDigit) {
        const auto whole = static_cast<std::int64_t>(std::trunc(std::fabs(a)));
        const auto result = static_cast<Extended>(whole * m_numberBase + digit);
        m_entryValue = a < 0 ? -result : result;
        m_fractionDigits = 0;
    }
    m_numberInProgress = true;
    m_shownValue = m_entryValue;
}

std::optional<Extended> EntryState::withExponent(Extended a, const NumberLocale& loc) const {
    const std::string text = EntryExponentText(a, loc);
    const std::string mantissa = text.substr(0, text.find('E'));
    const Extended exponent = m_exponentSign * m_exponentValue;
    return ParseNumber(mantissa + "E" + GeneralText(exponent, loc), loc);
}

bool EntryState::TypeExponentDigit(int digit, const NumberLocale& loc) {
    Extended a = m_entryValue;
    if (m_startNewNumber) {
        a = 1;
        m_decimalState = 0;
        m_startNewNumber = false;
    }
    m_exponentValue = m_exponentValue * m_numberBase + digit;
    const std::optional<Extended> value = withExponent(a, loc);
    if (!value)
        return false;
    m_entryValue = *value;
    m_numberInProgress = true;
    m_shownValue = m_entryValue;
    return true;
}

void EntryState::TypePoint() {
    m_decimalState = 1;
    m_numberInProgress = true;
}

void EntryState::BeginExponent() {
    m_exponentEntry = true;
    m_exponentSign = 1;
    m_exponentValue = 0;
}

bool EntryState::ToggleExponentSign(const NumberLocale& loc) {
    m_exponentSign = -m_exponentSign;
    const std::optional<Extended> value = withExponent(m_entryValue, loc);
    if (!value)
        return false;
    m_entryValue = *value;
    m_shownValue = m_entryValue;
    return true;
}

void EntryState::Negate() {
    m_entryValue = -m_entryValue;
    m_shownValue = m_entryValue;
}

void EntryState::RemoveHexDigit() {
    const Extended whole = std::trunc(m_entryValue);
    m_entryValue =
        FitsInt64(whole) ? static_cast<Extended>(static_cast<std::int64_t>(whole) / 16) : 0;
    m_shownValue = m_entryValue;
}

void EntryState::RemoveLastCharacter(const std::string& displayText, const NumberLocale& loc) {
    std::string text = withoutLastCharacter(displayText);
    if (text.empty()) {
        m_entryValue = 0;
    } else {
        if (m_exponentEntry) {
            if (text.back() == '+' || text.back() == '-')
                text += '0';
            m_exponentValue = exponentOf(text);
        }
        // A text left without digits ("-") reads as 0.
        m_entryValue = ParseNumber(withoutText(text, loc.thousandSeparator), loc).value_or(0);
    }
    m_shownValue = m_entryValue;
    if (m_decimalState >= 1) {
        --m_decimalState;
        if (m_fractionDigits > 0)
            --m_fractionDigits;
    }
}

} // namespace quantrel
