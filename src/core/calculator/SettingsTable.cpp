// The table of stored settings and the conversions of their texts.

#include "calculator/SettingsTable.h"

#include "numeric/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace quantrel {

namespace {

constexpr std::string_view kFixedDigits = "Invalid Fixed Digits";
constexpr std::string_view kConvPrecision = "Invalid Conversion Display Precision";
constexpr std::string_view kTaxRate = "Invalid Tax Rate";

// clang-format off
constexpr auto kSettings = std::to_array<SettingDef>({
    {.Section = "Tape", .Name = "NumOpt", .Kind = SettingKind::Integer, .Default = "1"},
    {.Section = "Tape", .Name = "Digits", .Kind = SettingKind::Integer, .Default = "2", .Range = SettingRange{.Low = 0, .High = 14, .TypingHigh = 14, .NotANumber = kFixedDigits, .OutOfRange = kFixedDigits}},
    {.Section = "Tape", .Name = "ConvDigits", .Kind = SettingKind::Integer, .Default = "8", .Range = SettingRange{.Low = 0, .High = 14, .TypingHigh = 10, .NotANumber = kConvPrecision, .OutOfRange = kConvPrecision}},
    {.Section = "Tape", .Name = "FontSize", .Kind = SettingKind::Integer, .Default = "8"},
    {.Section = "Tape", .Name = "FontName", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Tape", .Name = "Hide", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Tape", .Name = "Keep", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Tape", .Name = "Reset", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Tape", .Name = "Keepcount", .Kind = SettingKind::Integer, .Default = "99", .Range = SettingRange{.Low = 1, .High = 999, .TypingHigh = 999, .NotANumber = "Invalid Number of Lines to Keep", .OutOfRange = "Number of lines must be between 1 and 999"}},
    {.Section = "Form", .Name = "OnTop", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Form", .Name = "Toolbar", .Kind = SettingKind::Boolean, .Default = "1"},
    {.Section = "Form", .Name = "Statusbar", .Kind = SettingKind::Boolean, .Default = "1"},
    {.Section = "Form", .Name = "Scientific", .Kind = SettingKind::Boolean, .Default = "1"},
    {.Section = "Form", .Name = "ThousSep", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Form", .Name = "Large", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Form", .Name = "Left", .Kind = SettingKind::Integer, .Default = "100"},
    {.Section = "Form", .Name = "Top", .Kind = SettingKind::Integer, .Default = "100"},
    {.Section = "Totals", .Name = "Bold", .Kind = SettingKind::Boolean, .Default = "1"},
    {.Section = "Totals", .Name = "Under", .Kind = SettingKind::Boolean, .Default = "1"},
    {.Section = "Totals", .Name = "Red", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Annot", .Name = "AnnotColor", .Kind = SettingKind::Colour, .Default = "clBlue"},
    {.Section = "Annot", .Name = "Italics", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Annot", .Name = "Under", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Annot", .Name = "Note1", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note2", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note3", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note4", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note5", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note6", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note7", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note8", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note9", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Annot", .Name = "Note10", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Expand", .Name = "Subtotals", .Kind = SettingKind::Boolean, .Default = "1"},
    {.Section = "Expand", .Name = "ExpandOper", .Kind = SettingKind::Boolean, .Default = "1"},
    {.Section = "Expand", .Name = "SubTotalsSymIndex", .Kind = SettingKind::Integer, .Default = "1", .Range = SettingRange{.Low = 0, .High = 4, .TypingHigh = 4}},
    {.Section = "Expand", .Name = "ExpandOperSymIndex", .Kind = SettingKind::Integer, .Default = "2", .Range = SettingRange{.Low = 0, .High = 4, .TypingHigh = 4}},
    {.Section = "Expand", .Name = "SubTotalsColor", .Kind = SettingKind::Colour, .Default = "clGreen"},
    {.Section = "Expand", .Name = "ExpandOperColor", .Kind = SettingKind::Colour, .Default = "clBlue"},
    {.Section = "Math", .Name = "Dumb", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Dir", .Name = "SaveDest", .Kind = SettingKind::Text, .Default = "", .DefaultIsDataFolder = true},
    {.Section = "Dir", .Name = "SaveTape", .Kind = SettingKind::Text, .Default = ""},
    {.Section = "Mem", .Name = "MemNum", .Kind = SettingKind::Number, .Default = "0"},
    {.Section = "Tax", .Name = "TaxRate", .Kind = SettingKind::Number, .Default = "0.1", .Range = SettingRange{.Low = 0, .High = 999, .Whole = false, .TypingHigh = 999, .Scale = 100, .NotANumber = kTaxRate, .OutOfRange = kTaxRate}},
    {.Section = "Tax", .Name = "TaxLit", .Kind = SettingKind::Text, .Default = "Tax"},
    {.Section = "Conv", .Name = "Conv1", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv2", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv3", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv4", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv5", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv6", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv7", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv8", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv9", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Conv", .Name = "Conv10", .Kind = SettingKind::Conversion, .Default = ""},
    {.Section = "Mouse", .Name = "Down", .Kind = SettingKind::Boolean, .Default = "0"},
    {.Section = "Conv", .Name = "Left", .Kind = SettingKind::Integer, .Default = "0"},
    {.Section = "Conv", .Name = "Top", .Kind = SettingKind::Integer, .Default = "0"},
    {.Section = "Conv", .Name = "Height", .Kind = SettingKind::Integer, .Default = "0"},
    {.Section = "Conv", .Name = "Width", .Kind = SettingKind::Integer, .Default = "0"},
});

struct SettingName {
    std::string_view Section;
    std::string_view Name;
};

constexpr auto kWriteOrder = std::to_array<SettingName>({
    {"Tape", "NumOpt"},
    {"Tape", "Digits"},
    {"Tape", "ConvDigits"},
    {"Tape", "FontSize"},
    {"Tape", "FontName"},
    {"Tape", "Keep"},
    {"Tape", "Reset"},
    {"Tape", "Keepcount"},
    {"Tape", "Hide"},
    {"Form", "OnTop"},
    {"Form", "Toolbar"},
    {"Form", "Statusbar"},
    {"Form", "Scientific"},
    {"Form", "ThousSep"},
    {"Form", "Large"},
    {"Form", "Left"},
    {"Form", "Top"},
    {"Totals", "Bold"},
    {"Totals", "Under"},
    {"Totals", "Red"},
    {"Expand", "Subtotals"},
    {"Expand", "ExpandOper"},
    {"Expand", "SubTotalsSymIndex"},
    {"Expand", "ExpandOperSymIndex"},
    {"Expand", "SubTotalsColor"},
    {"Expand", "ExpandOperColor"},
    {"Math", "Dumb"},
    {"Dir", "SaveDest"},
    {"Dir", "SaveTape"},
    {"Mem", "MemNum"},
    {"Tax", "TaxRate"},
    {"Tax", "TaxLit"},
    {"Annot", "Note1"},
    {"Annot", "Note2"},
    {"Annot", "Note3"},
    {"Annot", "Note4"},
    {"Annot", "Note5"},
    {"Annot", "Note6"},
    {"Annot", "Note7"},
    {"Annot", "Note8"},
    {"Annot", "Note9"},
    {"Annot", "Note10"},
    {"Annot", "AnnotColor"},
    {"Annot", "Italics"},
    {"Annot", "Under"},
    {"Conv", "Conv1"},
    {"Conv", "Conv2"},
    {"Conv", "Conv3"},
    {"Conv", "Conv4"},
    {"Conv", "Conv5"},
    {"Conv", "Conv6"},
    {"Conv", "Conv7"},
    {"Conv", "Conv8"},
    {"Conv", "Conv9"},
    {"Conv", "Conv10"},
    {"Mouse", "Down"},
    {"Conv", "Left"},
    {"Conv", "Top"},
    {"Conv", "Height"},
    {"Conv", "Width"},
});
// clang-format on

} // namespace

std::span<const SettingDef> StoredSettings() {
    return kSettings;
}

std::span<const SettingDef* const> SettingsWriteOrder() {
    static const auto order = [] {
        std::array<const SettingDef*, kWriteOrder.size()> rows{};
        std::transform(kWriteOrder.begin(), kWriteOrder.end(), rows.begin(),
                       [](const SettingName& n) { return FindSetting(n.Section, n.Name); });
        return rows;
    }();
    return order;
}

const SettingDef* FindSetting(std::string_view section, std::string_view name) {
    for (const SettingDef& row : kSettings)
        if (row.Section == section && row.Name == name)
            return &row;
    return nullptr;
}

std::optional<std::int32_t> ParseStoredInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::int32_t ReadInteger(std::optional<std::string_view> stored, std::int32_t fallback) {
    if (!stored)
        return fallback;
    return ParseStoredInteger(*stored).value_or(fallback);
}

bool ReadBoolean(std::optional<std::string_view> stored, bool fallback) {
    if (!stored)
        return fallback;
    const std::optional<std::int32_t> value = ParseStoredInteger(*stored);
    return value ? *value != 0 : fallback;
}

Extended ReadNumber(std::optional<std::string_view> stored, const NumberLocale& loc,
                    Extended fallback) {
    if (!stored)
        return fallback;
    if (const std::optional<Extended> value = ParseNumber(*stored, loc))
        return *value;
    // Written under the other decimal separator (the user changed the locale).
    NumberLocale other = NumberLocale::Plain();
    other.decimalSeparator = loc.decimalSeparator == "," ? "." : ",";
    return ParseNumber(*stored, other).value_or(fallback);
}

std::string IntegerText(std::int32_t value) {
    return std::to_string(value);
}

std::string BooleanText(bool value) {
    return value ? "1" : "0";
}

std::string NumberSettingText(Extended value, const NumberLocale& loc) {
    return GeneralText(value, 15, loc);
}

CheckedSetting CheckSettingText(const SettingRange& range, std::string_view text,
                                const NumberLocale& loc, bool typing) {
    std::optional<Extended> value;
    if (range.Whole) {
        if (const std::optional<std::int32_t> whole = ParseStoredInteger(text))
            value = *whole;
    } else {
        value = ParseNumber(text, loc);
    }
    if (!value)
        return {std::nullopt, range.NotANumber};
    const double high = typing ? range.TypingHigh : range.High;
    if (*value < range.Low || *value > high)
        return {std::nullopt, range.OutOfRange};
    return {value, {}};
}

namespace {

/// Reads the calculator's values by their rows, so that name and default come from
/// the table alone.
class Reader {
public:
    Reader(const SettingsTexts& stored, const NumberLocale& loc) : m_stored(stored), m_loc(loc) {}

    std::int32_t Integer(std::string_view section, std::string_view name) const {
        const SettingDef& row = *FindSetting(section, name);
        return ReadInteger(text(row), *ParseStoredInteger(row.Default));
    }
    bool Boolean(std::string_view section, std::string_view name) const {
        const SettingDef& row = *FindSetting(section, name);
        return ReadBoolean(text(row), row.Default != "0");
    }
    std::string Text(std::string_view section, std::string_view name) const {
        const SettingDef& row = *FindSetting(section, name);
        return std::string(text(row).value_or(row.Default));
    }
    Extended Number(std::string_view section, std::string_view name) const {
        const SettingDef& row = *FindSetting(section, name);
        return ReadNumber(text(row), m_loc, defaultNumber(row));
    }
    /// A number kept in 64 bits: one beyond their range is as bad as a text that is no
    /// number, rather than an infinity that no later write could store.
    double Double(std::string_view section, std::string_view name) const {
        const Extended value = Number(section, name);
        if (std::fabs(value) > std::numeric_limits<double>::max())
            return static_cast<double>(defaultNumber(*FindSetting(section, name)));
        return static_cast<double>(value);
    }

private:
    static Extended defaultNumber(const SettingDef& row) {
        return *ParseNumber(row.Default, NumberLocale::Plain());
    }
    std::optional<std::string_view> text(const SettingDef& row) const {
        const auto found = m_stored.find({std::string(row.Section), std::string(row.Name)});
        if (found == m_stored.end())
            return std::nullopt;
        return found->second;
    }

    const SettingsTexts& m_stored;
    const NumberLocale& m_loc;
};

std::string trimmedBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

CalculatorSettings ReadCalculatorSettings(const SettingsTexts& stored, const NumberLocale& loc) {
    const Reader in(stored, loc);
    CalculatorSettings s;
    s.NumOpt = in.Integer("Tape", "NumOpt");
    s.Digits = in.Integer("Tape", "Digits");
    s.ConvDigits = in.Integer("Tape", "ConvDigits");
    s.Hide = in.Boolean("Tape", "Hide");
    s.ThousSep = in.Boolean("Form", "ThousSep");
    s.Subtotals = in.Boolean("Expand", "Subtotals");
    s.ExpandOper = in.Boolean("Expand", "ExpandOper");
    s.SubTotalsSymIndex = in.Integer("Expand", "SubTotalsSymIndex");
    s.ExpandOperSymIndex = in.Integer("Expand", "ExpandOperSymIndex");
    s.Dumb = in.Boolean("Math", "Dumb");
    s.MemNum = in.Number("Mem", "MemNum");
    // The one 64-bit value of the program.
    s.TaxRate = in.Double("Tax", "TaxRate");
    s.TaxLit = in.Text("Tax", "TaxLit");
    return s;
}

void WriteCalculatorSettings(const CalculatorSettings& s, const NumberLocale& loc,
                             SettingsTexts& texts) {
    const auto put = [&](std::string_view section, std::string_view name, std::string text) {
        texts[{std::string(section), std::string(name)}] = std::move(text);
    };
    put("Tape", "NumOpt", IntegerText(s.NumOpt));
    put("Tape", "Digits", IntegerText(s.Digits));
    put("Tape", "ConvDigits", IntegerText(s.ConvDigits));
    put("Tape", "Hide", BooleanText(s.Hide));
    put("Form", "ThousSep", BooleanText(s.ThousSep));
    put("Expand", "Subtotals", BooleanText(s.Subtotals));
    put("Expand", "ExpandOper", BooleanText(s.ExpandOper));
    put("Expand", "SubTotalsSymIndex", IntegerText(s.SubTotalsSymIndex));
    put("Expand", "ExpandOperSymIndex", IntegerText(s.ExpandOperSymIndex));
    put("Math", "Dumb", BooleanText(s.Dumb));
    put("Mem", "MemNum", NumberSettingText(s.MemNum, loc));
    put("Tax", "TaxRate", NumberSettingText(s.TaxRate, loc));
    put("Tax", "TaxLit", s.TaxLit);
}

ProgramSettings ReadProgramSettings(const SettingsTexts& stored, const NumberLocale& loc) {
    const Reader in(stored, loc);
    ProgramSettings s;
    s.Calc = ReadCalculatorSettings(stored, loc);
    s.FontSize = in.Integer("Tape", "FontSize");
    s.FontName = trimmedBlanks(in.Text("Tape", "FontName"));
    s.Keep = in.Boolean("Tape", "Keep");
    s.Reset = in.Boolean("Tape", "Reset");
    s.Keepcount = in.Integer("Tape", "Keepcount");
    s.OnTop = in.Boolean("Form", "OnTop");
    s.Toolbar = in.Boolean("Form", "Toolbar");
    s.Statusbar = in.Boolean("Form", "Statusbar");
    s.Scientific = in.Boolean("Form", "Scientific");
    s.Large = in.Boolean("Form", "Large");
    s.Left = in.Integer("Form", "Left");
    s.Top = in.Integer("Form", "Top");
    s.TotalsBold = in.Boolean("Totals", "Bold");
    s.TotalsUnder = in.Boolean("Totals", "Under");
    s.TotalsRed = in.Boolean("Totals", "Red");
    s.AnnotColor = in.Text("Annot", "AnnotColor");
    s.AnnotItalics = in.Boolean("Annot", "Italics");
    s.AnnotUnder = in.Boolean("Annot", "Under");
    for (int k = 0; k < ProgramSettings::kNotes; ++k)
        s.Notes[static_cast<std::size_t>(k)] = in.Text("Annot", "Note" + std::to_string(k + 1));
    s.SubTotalsColor = in.Text("Expand", "SubTotalsColor");
    s.ExpandOperColor = in.Text("Expand", "ExpandOperColor");
    s.SaveDest = in.Text("Dir", "SaveDest");
    s.SaveTape = in.Text("Dir", "SaveTape");
    for (int k = 0; k < ProgramSettings::kConversions; ++k)
        s.Conv[static_cast<std::size_t>(k)] = in.Text("Conv", "Conv" + std::to_string(k + 1));
    s.Down = in.Boolean("Mouse", "Down");
    s.ConvLeft = in.Integer("Conv", "Left");
    s.ConvTop = in.Integer("Conv", "Top");
    s.ConvHeight = in.Integer("Conv", "Height");
    s.ConvWidth = in.Integer("Conv", "Width");
    return s;
}

SettingsTexts WriteProgramSettings(const ProgramSettings& s, const NumberLocale& loc) {
    SettingsTexts texts;
    WriteCalculatorSettings(s.Calc, loc, texts);
    const auto put = [&](std::string_view section, std::string name, std::string text) {
        texts[{std::string(section), std::move(name)}] = std::move(text);
    };
    put("Tape", "FontSize", IntegerText(s.FontSize));
    put("Tape", "FontName", s.FontName);
    put("Tape", "Keep", BooleanText(s.Keep));
    put("Tape", "Reset", BooleanText(s.Reset));
    put("Tape", "Keepcount", IntegerText(s.Keepcount));
    put("Form", "OnTop", BooleanText(s.OnTop));
    put("Form", "Toolbar", BooleanText(s.Toolbar));
    put("Form", "Statusbar", BooleanText(s.Statusbar));
    put("Form", "Scientific", BooleanText(s.Scientific));
    put("Form", "Large", BooleanText(s.Large));
    put("Form", "Left", IntegerText(s.Left));
    put("Form", "Top", IntegerText(s.Top));
    put("Totals", "Bold", BooleanText(s.TotalsBold));
    put("Totals", "Under", BooleanText(s.TotalsUnder));
    put("Totals", "Red", BooleanText(s.TotalsRed));
    put("Annot", "AnnotColor", s.AnnotColor);
    put("Annot", "Italics", BooleanText(s.AnnotItalics));
    put("Annot", "Under", BooleanText(s.AnnotUnder));
    for (int k = 0; k < ProgramSettings::kNotes; ++k)
        put("Annot", "Note" + std::to_string(k + 1), s.Notes[static_cast<std::size_t>(k)]);
    put("Expand", "SubTotalsColor", s.SubTotalsColor);
    put("Expand", "ExpandOperColor", s.ExpandOperColor);
    put("Dir", "SaveDest", s.SaveDest);
    put("Dir", "SaveTape", s.SaveTape);
    for (int k = 0; k < ProgramSettings::kConversions; ++k)
        put("Conv", "Conv" + std::to_string(k + 1), s.Conv[static_cast<std::size_t>(k)]);
    put("Mouse", "Down", BooleanText(s.Down));
    put("Conv", "Left", IntegerText(s.ConvLeft));
    put("Conv", "Top", IntegerText(s.ConvTop));
    put("Conv", "Height", IntegerText(s.ConvHeight));
    put("Conv", "Width", IntegerText(s.ConvWidth));
    return texts;
}

} // namespace quantrel
