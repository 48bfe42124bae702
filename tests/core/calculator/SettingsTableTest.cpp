// The table of stored settings: defaults that agree with the calculator's, the
// fallbacks of bad texts, round trips of what is written, and the checks of edited
// values with their messages.

#include "calculator/SettingsTable.h"
#include "support/ExtendedMatch.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace quantrel {
namespace {

TEST(SettingsTable, AnEmptyStoreGivesTheFirstRunSettings) {
    EXPECT_EQ(ReadCalculatorSettings({}, NumberLocale::CommaPoint()), CalculatorSettings{});
    EXPECT_EQ(ReadCalculatorSettings({}, NumberLocale::PointComma()), CalculatorSettings{});
}

TEST(SettingsTable, EveryValueIsReadAndWrittenOnce) {
    std::set<std::pair<std::string_view, std::string_view>> read;
    for (const SettingDef& row : StoredSettings())
        EXPECT_TRUE(read.insert({row.Section, row.Name}).second) << row.Section << " " << row.Name;
    std::set<std::pair<std::string_view, std::string_view>> written;
    for (const SettingDef* row : SettingsWriteOrder()) {
        ASSERT_NE(row, nullptr);
        written.insert({row->Section, row->Name});
    }
    EXPECT_EQ(written, read);
    EXPECT_EQ(SettingsWriteOrder().size(), StoredSettings().size());
    EXPECT_EQ(StoredSettings().size(), 60U)
        << "the values of the store, notes and conversions included";
}

TEST(SettingsTable, BadTextsFallBackToTheDefault) {
    const NumberLocale point = NumberLocale::CommaPoint();
    const auto with = [](const char* section, const char* name, const char* text) {
        return SettingsTexts{{{section, name}, text}};
    };
    EXPECT_EQ(ReadInteger("abc", 99), 99);
    EXPECT_EQ(ReadInteger(std::nullopt, 99), 99);
    EXPECT_EQ(ReadInteger(" -12", 99), -12);
    EXPECT_TRUE(ReadBoolean("2", false)) << "any non-zero integer is true";
    EXPECT_TRUE(ReadBoolean("yes", true)) << "not an integer: the default";
    EXPECT_FALSE(ReadBoolean("0", true));

    EXPECT_EQ(ReadCalculatorSettings(with("Tax", "TaxRate", "0.175"), point).TaxRate, 0.175);
    EXPECT_EQ(ReadCalculatorSettings(with("Tax", "TaxRate", "ten"), point).TaxRate, 0.1);
    EXPECT_EQ(
        ReadCalculatorSettings(with("Tax", "TaxRate", "0,175"), NumberLocale::PointComma()).TaxRate,
        0.175);
    EXPECT_EQ(ReadCalculatorSettings(with("Mem", "MemNum", "lots"), point).MemNum, 0);
    // An infinite tax rate would be written as "INF", which reads back as the default.
    EXPECT_EQ(ReadCalculatorSettings(with("Tax", "TaxRate", "1E+400"), point).TaxRate, 0.1)
        << "beyond the range of a double";
    EXPECT_EQ(
        ReadCalculatorSettings(with("Tax", "TaxRate", "-2,5E4000"), NumberLocale::PointComma())
            .TaxRate,
        0.1);
    EXPECT_EQ(ReadCalculatorSettings(with("Mem", "MemNum", "1E+400"), point).MemNum, 1E+400L)
        << "the memory holds 80 bits";
    EXPECT_EQ(ReadCalculatorSettings(with("Tape", "Digits", "2.5"), point).Digits, 2);
    EXPECT_EQ(
        ReadCalculatorSettings(with("Expand", "SubTotalsSymIndex", "7"), point).SubTotalsSymIndex,
        7)
        << "an index out of range is kept for the engine to report";
}

TEST(SettingsTable, WrittenTextsReadBackTheSameSettings) {
    CalculatorSettings changed;
    changed.NumOpt = 4;
    changed.Digits = 0;
    changed.ConvDigits = 10;
    changed.Hide = true;
    changed.ThousSep = true;
    changed.Subtotals = false;
    changed.ExpandOper = false;
    changed.SubTotalsSymIndex = 0;
    changed.ExpandOperSymIndex = 4;
    changed.Dumb = true;
    changed.MemNum = -1234.5678901234L;
    changed.TaxRate = 0.175;
    changed.TaxLit = "VAT";
    for (const NumberLocale& loc : {NumberLocale::CommaPoint(), NumberLocale::PointComma()}) {
        SettingsTexts texts;
        WriteCalculatorSettings(changed, loc, texts);
        EXPECT_EQ(ReadCalculatorSettings(texts, loc), changed) << loc.decimalSeparator;
    }
    SettingsTexts texts;
    WriteCalculatorSettings(CalculatorSettings{}, NumberLocale::PointComma(), texts);
    EXPECT_EQ(texts.at({"Tax", "TaxRate"}), "0,1");
    EXPECT_EQ(texts.at({"Expand", "Subtotals"}), "1");
    for (const auto& [key, text] : texts)
        EXPECT_NE(FindSetting(key.first, key.second), nullptr) << key.first << " " << key.second;
}

TEST(SettingsTable, EveryStoredValueReadsBackAsWritten) {
    EXPECT_EQ(ReadProgramSettings({}, NumberLocale::CommaPoint()), ProgramSettings{})
        << "the first-run values are the table's defaults";
    ProgramSettings changed;
    changed.Calc.TaxLit = "VAT";
    changed.Calc.MemNum = 12.5L;
    changed.FontSize = 12;
    changed.FontName = "DejaVu Sans";
    changed.Keep = true;
    changed.Reset = true;
    changed.Keepcount = 500;
    changed.OnTop = true;
    changed.Toolbar = false;
    changed.Statusbar = false;
    changed.Scientific = false;
    changed.Large = true;
    changed.Left = -40;
    changed.Top = 2000;
    changed.TotalsBold = false;
    changed.TotalsUnder = false;
    changed.TotalsRed = true;
    changed.AnnotColor = "$00112233";
    changed.AnnotItalics = true;
    changed.AnnotUnder = true;
    changed.Notes = {"groceries", "a, b", "", "", "", "", "", "", "", "invoice 117"};
    changed.SubTotalsColor = "clRed";
    changed.ExpandOperColor = "clTeal";
    changed.SaveDest = "/data";
    changed.SaveTape = "/home/me/tapes";
    changed.Conv = {"Length,lmi,lkm", "Temperature,tc,tf", "", "", "", "", "", "", "", ""};
    changed.ConvLeft = 10;
    changed.ConvTop = 20;
    changed.ConvHeight = 300;
    changed.ConvWidth = 400;
    changed.Down = true;
    const SettingsTexts texts = WriteProgramSettings(changed, NumberLocale::PointComma());
    EXPECT_EQ(ReadProgramSettings(texts, NumberLocale::PointComma()), changed);
    EXPECT_EQ(texts.size(), StoredSettings().size()) << "every value is written";
    for (const SettingDef& row : StoredSettings())
        EXPECT_TRUE(texts.contains({std::string(row.Section), std::string(row.Name)}))
            << row.Section << " " << row.Name;

    SettingsTexts padded;
    padded[{"Tape", "FontName"}] = "  Liberation Sans ";
    EXPECT_EQ(ReadProgramSettings(padded, NumberLocale::CommaPoint()).FontName, "Liberation Sans");
}

TEST(SettingsTable, NumbersWrittenUnderTheOtherDecimalSeparatorAreKept) {
    const std::tuple<const char*, NumberLocale, Extended> cases[] = {
        {"0.175", NumberLocale::PointComma(), 0.175L},
        {"0,175", NumberLocale::CommaPoint(), 0.175L},
        {"1234.5", NumberLocale::PointComma(), 1234.5L},
        {"12,5x", NumberLocale::CommaPoint(), 0},
    };
    for (const auto& [text, loc, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_PRED_FORMAT2(ExtendedEq, ReadNumber(text, loc, 0), value);
    }
}

TEST(SettingsTable, EditedValuesAreCheckedWithTheirMessages) {
    const NumberLocale loc = NumberLocale::CommaPoint();
    const auto range = [](const char* section, const char* name) {
        return *FindSetting(section, name)->Range;
    };
    const struct {
        const char* name;
        SettingRange range;
        const char* text;
        bool typing;
        std::optional<Extended> value;
        std::string_view message;
    } cases[] = {
        {"tax 17.5", range("Tax", "TaxRate"), "17.5", false, 17.5L, {}},
        {"tax 0", range("Tax", "TaxRate"), "0", false, 0, {}},
        {"tax 999", range("Tax", "TaxRate"), "999", false, 999, {}},
        {"tax 999.5", range("Tax", "TaxRate"), "999.5", false, {}, "Invalid Tax Rate"},
        {"tax -1", range("Tax", "TaxRate"), "-1", false, {}, "Invalid Tax Rate"},
        {"tax empty", range("Tax", "TaxRate"), "", true, {}, "Invalid Tax Rate"},
        {"digits 14", range("Tape", "Digits"), "14", false, 14, {}},
        {"digits 15", range("Tape", "Digits"), "15", false, {}, "Invalid Fixed Digits"},
        {"digits not whole", range("Tape", "Digits"), "1.5", false, {}, "Invalid Fixed Digits"},
        {"conversion 12 while typing",
         range("Tape", "ConvDigits"),
         "12",
         true,
         {},
         "Invalid Conversion Display Precision"},
        {"conversion 12 on OK", range("Tape", "ConvDigits"), "12", false, 12, {}},
        {"conversion 15 on OK",
         range("Tape", "ConvDigits"),
         "15",
         false,
         {},
         "Invalid Conversion Display Precision"},
        {"lines not a number",
         range("Tape", "Keepcount"),
         "abc",
         false,
         {},
         "Invalid Number of Lines to Keep"},
        {"lines 0",
         range("Tape", "Keepcount"),
         "0",
         false,
         {},
         "Number of lines must be between 1 and 999"},
        {"lines 999", range("Tape", "Keepcount"), "999", false, 999, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CheckedSetting checked = CheckSettingText(c.range, c.text, loc, c.typing);
        EXPECT_EQ(checked.Message, c.message);
        ASSERT_EQ(checked.Value.has_value(), c.value.has_value());
        if (c.value) {
            EXPECT_PRED_FORMAT2(ExtendedEq, *checked.Value, *c.value);
        }
    }
}

TEST(SettingsTable, StoredIntegersHaveOneGrammar) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"12", 12},         {"  12", 12}, {"+5", 5},
        {"-3", -3},         {"12a", {}},  {"", {}},
        {"-", {}},          {"1.0", {}},  {"2147483647", 2147483647},
        {"2147483648", {}}, {"12 ", {}},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseStoredInteger(text), value) << '"' << text << '"';
}

} // namespace
} // namespace quantrel
