#pragma once
// The number being typed, kept by the calculator logic until an operator, "=", a
// replay or Back/Forward hands it to the engine; also the shown value and the memory.
//
// The state moves between three situations through the operations below:
//   nothing typed             (Reset)                  a digit continues or starts anew
//   typing                    (TypeDigit, TypePoint)   digits extend the number
//   shown, not yet typed over (Clear, ShowNumber, Fetch, EndNumber)
//                                                      a digit replaces the number
// The readings carry the names of the fields they report.

#include "numeric/Extended.h"
#include "numeric/NumberLocale.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quantrel {

class EntryState {
public:
    /// The number typed, pasted, recalled or inserted: what the engine will receive.
    Extended EntryValue() const { return m_entryValue; }
    /// The value last shown as a number (the memory keys and format hints use it).
    Extended ShownValue() const { return m_shownValue; }
    /// The memory register; 0 counts as empty.
    Extended MemoryValue() const { return m_memoryValue; }
    /// Digits typed after Exp, as a whole number.
    Extended ExponentValue() const { return m_exponentValue; }
    /// 0: no point typed; k >= 1: the point is typed and k-1 fraction digits follow.
    std::int32_t DecimalState() const { return m_decimalState; }
    /// Fraction digits shown while the number is typed.
    std::int32_t FractionDigits() const { return m_fractionDigits; }
    /// A number stands on the display that the engine has not received yet.
    bool NumberInProgress() const { return m_numberInProgress; }
    /// The next digit starts a new number instead of extending the one shown.
    bool StartNewNumber() const { return m_startNewNumber; }
    /// The number shown was fetched with Back or Forward.
    bool RevisitMode() const { return m_revisitMode; }
    /// +1 or -1.
    std::int32_t ExponentSign() const { return m_exponentSign; }
    /// 10, or 16 in hexadecimal mode.
    std::int32_t NumberBase() const { return m_numberBase; }
    bool HexMode() const { return m_hexMode; }
    /// Digits, the sign key and backspace work on the exponent.
    bool ExponentEntry() const { return m_exponentEntry; }
    /// The trace log is on.
    bool DebugTrace() const { return m_debugTrace; }

    /// The number being typed has a fraction or an exponent under way, which the
    /// hexadecimal keys cannot extend.
    bool HasFractionOrExponent() const;

    // Transitions.

    /// Nothing typed (ResetEntry): revisit mode off, entry 0, no point, no exponent.
    /// The fraction digits, the shown value, the memory and the base stay.
    void Reset();
    /// CE while typing (ClearEntry): 0, still in progress, typed over by the next
    /// digit; the exponent ends.
    void Clear();
    /// "(": nothing typed, then 0 in progress.
    void ZeroInProgress();
    /// A value put on the display as the number in progress, to be typed over (paste,
    /// MR, constants).
    void ShowNumber(Extended value);
    /// Back/Forward: the fetched number, edited afresh; revisit mode on.
    void Fetch(Extended value);
    /// The changed number went back into the calculation: revisit mode off.
    void EndRevisit();
    /// Min, M+, MC: the next digit starts a new number; the exponent ends.
    void EndNumber();
    /// ")": the next digit starts a new number.
    void TypeOver();
    /// A value the engine or the memory keys put on the display.
    void SetShownValue(Extended value) { m_shownValue = value; }
    void SetMemoryValue(Extended value) { m_memoryValue = value; }
    /// Hexadecimal entry on or off, with the base of the digits.
    void SetHexMode(bool hex);
    /// The trace log goes on for good.
    void TraceOn() { m_debugTrace = true; }

    // Typing.

    /// A digit of the number (AppendDigit): at most 13 whole digits in base 10 and
    /// nine fraction digits; the number is then in progress and shown. `loc` measures
    /// the general text of the number, which caps the fraction.
    void TypeDigit(int digit, const NumberLocale& loc);
    /// A digit of the exponent (AppendExponentDigit); false, changing nothing else,
    /// when the exponent takes the number beyond the 80-bit range.
    bool TypeExponentDigit(int digit, const NumberLocale& loc);
    /// The decimal point: the fraction starts.
    void TypePoint();
    /// The Exp key: digits now go to the exponent, which starts at +0.
    void BeginExponent();
    /// +/- in exponent entry; false when the number would leave the 80-bit range.
    bool ToggleExponentSign(const NumberLocale& loc);
    /// +/- on the number in progress.
    void Negate();
    /// Backspace in hexadecimal: the last hexadecimal digit goes.
    void RemoveHexDigit();
    /// Backspace in decimal: the display text without its last character is read
    /// back as the number (and, in exponent entry, its exponent digits).
    void RemoveLastCharacter(const std::string& displayText, const NumberLocale& loc);

private:
    /// The number with the mantissa of `a` and the exponent typed so far.
    std::optional<Extended> withExponent(Extended a, const NumberLocale& loc) const;
    void endExponent();

    Extended m_entryValue = 0;
    Extended m_shownValue = 0;
    Extended m_memoryValue = 0;
    Extended m_exponentValue = 0;
    std::int32_t m_decimalState = 0;
    std::int32_t m_fractionDigits = 0;
    bool m_numberInProgress = false;
    bool m_startNewNumber = true;
    bool m_revisitMode = false;
    std::int32_t m_exponentSign = 1;
    std::int32_t m_numberBase = 10;
    bool m_hexMode = false;
    bool m_exponentEntry = false;
    bool m_debugTrace = false;
};

/// Significant digits of the number being typed on the display.
inline constexpr int kEntryPrecision = 14;

/// The entry's exponent form: ExponentText with 14 digits and a four-digit exponent.
std::string EntryExponentText(Extended value, const NumberLocale& loc);

} // namespace quantrel
