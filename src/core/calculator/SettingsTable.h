#pragma once
// Every stored setting, described once: section, name, kind, default and, for the
// values that the options dialog and the command line edit, the accepted range and
// the messages that refuse a value. The settings store, the options dialog and
// quantrel-tape all read this table; the texts move in and out of the store as they
// are, and the conversions below give them their meaning.
//
//   FindSetting("Tape", "Digits")  -> integer, default "2", whole 0..14, "Invalid Fixed Digits"
//   ReadInteger("abc", 99) -> 99     ReadBoolean("2", false) -> true     BooleanText(true) -> "1"

#include "calculator/CalculatorSettings.h"
#include "calculator/ProgramSettings.h"
#include "numeric/Extended.h"
#include "numeric/NumberLocale.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace quantrel {

enum class SettingKind : std::uint8_t {
    Integer,    ///< decimal digits, "-" for a negative value
    Boolean,    ///< "1" or "0"; read as an integer, any non-zero value true
    Text,       ///< the text as it is
    Number,     ///< GeneralText (value, 15) with the locale's decimal separator
    Colour,     ///< a colour name ("clBlue") or "$" and eight hexadecimal digits 00BBGGRR
    Conversion, ///< category, from-key and to-key joined by commas
};

/// The values a user may give an edited setting, and what refuses the others.
struct SettingRange {
    double Low = 0;
    double High = 0;
    bool Whole = true;
    /// The check while typing stops here (the conversion precision warns above 10 but
    /// is accepted up to 14); equal to High elsewhere.
    double TypingHigh = 0;
    /// The field shows the value times this (the tax rate 0.1 shows as 10 %).
    double Scale = 1;
    std::string_view NotANumber{}; ///< message for a text that is no number
    std::string_view OutOfRange{}; ///< message for a number outside Low..High
};

struct SettingDef {
    std::string_view Section{};
    std::string_view Name{};
    SettingKind Kind = SettingKind::Text;
    /// The value of a missing entry, as the store writes it (numbers with a point).
    std::string_view Default{};
    /// Only for the values a user edits directly.
    std::optional<SettingRange> Range{};
    /// "SaveDest": the default is the program's data folder, known only at run time.
    bool DefaultIsDataFolder = false;
};

/// Every stored value in the order it is read at start-up.
std::span<const SettingDef> StoredSettings();

/// The same values in the order they are written at shut-down.
std::span<const SettingDef* const> SettingsWriteOrder();

/// The row of a value; nothing for a name the store does not hold.
const SettingDef* FindSetting(std::string_view section, std::string_view name);

// Reading a stored text; a missing value is nothing.

/// An integer as the store holds it: optional blanks and sign, decimal digits, within
/// 32 bits.
std::optional<std::int32_t> ParseStoredInteger(std::string_view text);
std::int32_t ReadInteger(std::optional<std::string_view> stored, std::int32_t fallback);
bool ReadBoolean(std::optional<std::string_view> stored, bool fallback);
/// A number written with the locale's decimal separator. A value written under the
/// other separator ("0.175" read under a comma locale) is read with that one; the
/// fallback when neither parses.
Extended ReadNumber(std::optional<std::string_view> stored, const NumberLocale& loc,
                    Extended fallback);

// Writing.

std::string IntegerText(std::int32_t value);
std::string BooleanText(bool value);
std::string NumberSettingText(Extended value, const NumberLocale& loc);

/// The value of an edited field, or the message that refuses it: not a number (an
/// empty field is none), not whole where a whole number is asked for, or outside the
/// range (TypingHigh while typing, High when the dialog closes). The value is as
/// typed, before any Scale.
struct CheckedSetting {
    std::optional<Extended> Value;
    std::string_view Message;
};
CheckedSetting CheckSettingText(const SettingRange& range, std::string_view text,
                                const NumberLocale& loc, bool typing = false);

/// Texts by section and name: what a store holds, or what is to be written to it.
using SettingsTexts = std::map<std::pair<std::string, std::string>, std::string>;

/// The calculator's settings from stored texts, each missing or bad one taking its
/// default; an empty store gives CalculatorSettings{}.
CalculatorSettings ReadCalculatorSettings(const SettingsTexts& stored, const NumberLocale& loc);
/// The texts of the calculator's settings, as the store writes them.
void WriteCalculatorSettings(const CalculatorSettings& settings, const NumberLocale& loc,
                             SettingsTexts& texts);

/// Every stored value from stored texts, each missing or bad one taking its default;
/// an empty store gives ProgramSettings{}. "FontName" loses its blanks around.
ProgramSettings ReadProgramSettings(const SettingsTexts& stored, const NumberLocale& loc);
/// The texts of every stored value, as the store writes them (SettingsWriteOrder
/// gives the order).
SettingsTexts WriteProgramSettings(const ProgramSettings& settings, const NumberLocale& loc);

} // namespace quantrel
