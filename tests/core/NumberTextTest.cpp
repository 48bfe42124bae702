// Number texts: rounding half away from zero from the exact digits, the notation
// boundaries of each primitive, both separator conventions, and the parser's grammar.

#include "numeric/NumberText.h"
#include "numeric/Utf8.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace quantrel {
namespace {

using Limits = std::numeric_limits<Extended>;

/// One value, two integer arguments (P and M or D), the expected text.
struct Row {
    const char* name;
    Extended x;
    int p;
    int m;
    const char* expected;
};

const Extended kBelowEighth = std::nextafter(Extended{0.125}, Extended{0});

TEST(GeneralText, NotationRoundingAndClamps) {
    const NumberLocale loc = NumberLocale::CommaPoint();
    const Row rows[] = {
        {"zero", 0, 15, 0, "0"},
        {"negative zero has no sign", -Extended{0}, 15, 0, "0"},
        {"whole", -1, 14, 0, "-1"},
        {"fraction", 0.5L, 14, 0, "0.5"},
        {"binary noise below the 18th digit", 0.1L, 18, 0, "0.1"},
        {"E = -3 is still plain", 0.0001L, 15, 0, "0.0001"},
        {"plain with leading zeros", -0.000123456L, 15, 0, "-0.000123456"},
        {"E = -4 is scientific", 0.00001L, 15, 0, "1E-5"},
        {"E = P is still plain", 99999999999999.0L, 14, 0, "99999999999999"},
        {"E > P is scientific", 123456789012345.6L, 14, 0, "1.2345678901235E14"},
        {"rounding carries into a new digit", 999999999999999.9L, 14, 0, "1E15"},
        {"exact tie rounds away from zero", 2.25L, 2, 0, "2.3"},
        {"negative tie rounds away from zero", -2.25L, 2, 0, "-2.3"},
        {"exact tie below one", 0.125L, 2, 0, "0.13"},
        {"a tie in the 18-digit form rounds away from zero", kBelowEighth, 2, 0, "0.13"},
        {"P below 2 counts as 2", 12345, 0, 0, "1.2E4"},
        {"P above 18 counts as 18", 2.0L / 3, 40, 0, "0.666666666666666667"},
        {"exponent filled to M digits", 0.00001L, 15, 3, "1E-005"},
        {"M of 4", 1.5e20L, 15, 4, "1.5E0020"},
        {"M above 4 counts as 0", 0.00001L, 15, 5, "1E-5"},
        {"largest value", Limits::max(), 15, 0, "1.18973149535723E4932"},
        {"largest negative, 18 digits", -Limits::max(), 18, 0, "-1.18973149535723177E4932"},
        {"smallest normal", Limits::min(), 15, 0, "3.36210314311209E-4932"},
        {"smallest denormal", Limits::denorm_min(), 15, 0, "3.64519953188247E-4951"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(GeneralText(r.x, r.p, r.m, loc), r.expected);
    }
}

TEST(PlainText, GeneralDigitsWithoutExponent) {
    const NumberLocale loc = NumberLocale::CommaPoint();
    const Row rows[] = {
        {"small", 0.00001L, 15, 0, "0.00001"},
        {"negative fraction", -0.5L, 15, 0, "-0.5"},
        {"large", 1.5e20L, 15, 0, "150000000000000000000"},
        {"rounded before written plain", 123456789012345.6L, 14, 0, "123456789012350"},
        {"tiny", 1e-20L, 15, 0, "0.00000000000000000001"},
        {"tie", -2.25L, 2, 0, "-2.3"},
        {"zero", -Extended{0}, 15, 0, "0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(PlainText(r.x, r.p, loc), r.expected);
    }
}

TEST(ExponentText, FixedDigitCountAndSignedExponent) {
    const NumberLocale loc = NumberLocale::CommaPoint();
    const Row rows[] = {
        {"positive exponent", 12345, 5, 0, "1.2345E+4"},
        {"P below 2 counts as 2", 12345, 1, 0, "1.2E+4"},
        {"zero", 0, 5, 0, "0.0000E+0"},
        {"negative zero", -Extended{0}, 3, 2, "0.00E+00"},
        {"trailing zeros kept", 0.000123L, 5, 0, "1.2300E-4"},
        {"carry raises the exponent", -9.99996L, 5, 0, "-1.0000E+1"},
        {"exponent filled to M digits", 12345, 5, 3, "1.2345E+004"},
        {"largest value", Limits::max(), 5, 0, "1.1897E+4932"},
        {"smallest denormal", Limits::denorm_min(), 5, 0, "3.6452E-4951"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(ExponentText(r.x, r.p, r.m, loc), r.expected);
    }
}

TEST(FixedText, DecimalsPrecisionAndGrouping) {
    struct FixedRow {
        const char* name;
        Extended x;
        int p;
        int d;
        const char* fixed;  // FixedText
        const char* number; // NumberText: the same digits, grouped
    };
    const NumberLocale loc = NumberLocale::CommaPoint();
    const FixedRow rows[] = {
        {"decimals padded", 1234.5L, 14, 2, "1234.50", "1,234.50"},
        {"no decimals, tie away from zero", 1234.5L, 14, 0, "1235", "1,235"},
        {"negative", -1234567.891L, 14, 2, "-1234567.89", "-1,234,567.89"},
        {"carry adds a group", 999.5L, 14, 0, "1000", "1,000"},
        {"exact tie", -0.125L, 14, 2, "-0.13", "-0.13"},
        {"a tie in the 18-digit form", kBelowEighth, 14, 2, "0.13", "0.13"},
        {"typed tie 1.005", 1.005L, 14, 2, "1.01", "1.01"},
        {"typed tie 0.015", 0.015L, 14, 2, "0.02", "0.02"},
        {"typed tie 2.675", 2.675L, 14, 2, "2.68", "2.68"},
        {"typed negative tie", -1234.565L, 14, 2, "-1234.57", "-1,234.57"},
        {"just below a typed tie", 1.00499999999999L, 14, 2, "1.00", "1.00"},
        {"rounds up from below the first digit", 0.0099L, 14, 2, "0.01", "0.01"},
        {"rounds to zero without a sign", -0.004L, 14, 2, "0.00", "0.00"},
        {"zero", -Extended{0}, 14, 3, "0.000", "0.000"},
        {"P digits come before D decimals", 123.456789L, 4, 6, "123.500000", "123.500000"},
        {"18 digits then zeros", 1000 + 2.0L / 3, 18, 18, "1000.666666666666670000",
         "1,000.666666666666670000"},
        {"18 integer digits", 123456789012345678.0L, 18, 0, "123456789012345678",
         "123,456,789,012,345,678"},
        {"more integer digits than P: general, D as exponent digits", 123456, 4, 2, "1.235E05",
         "1.235E05"},
        {"D above 4 gives no exponent padding", 123456, 4, 5, "1.235E5", "1.235E5"},
        {"P of 1 counts as 2 and rounding adds a digit", 99.5L, 1, 1, "1E2", "1E2"},
        {"D above 18 counts as 18", 0.5L, 18, 30, "0.500000000000000000", "0.500000000000000000"},
        {"negative D counts as 0", 2.5L, 14, -3, "3", "3"},
    };
    for (const FixedRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(FixedText(r.x, r.p, r.d, loc), r.fixed);
        EXPECT_EQ(NumberText(r.x, r.p, r.d, loc), r.number);
    }
}

TEST(CurrencyText, PatternsOfSeveralLocales) {
    NumberLocale accounting = NumberLocale::CommaPoint();
    accounting.currencyNegative = "(\u00A4n)";
    NumberLocale kuna = NumberLocale::PointComma();
    kuna.currencySymbol = "kn";
    NumberLocale narrowSpace = NumberLocale::PointComma();
    narrowSpace.thousandSeparator = "\u202F";
    narrowSpace.currencyPositive = "n\u00A0\u00A4";
    NumberLocale yen = NumberLocale::CommaPoint();
    yen.currencySymbol = "\u00A5";
    yen.currencyDigits = 0;
    struct CurrencyRow {
        const char* name;
        NumberLocale loc;
        Extended x;
        const char* expected;
    };
    const CurrencyRow rows[] = {
        {"symbol before", NumberLocale::CommaPoint(), 1234.5L, "$1,234.50"},
        {"minus before", NumberLocale::CommaPoint(), -3, "-$3.00"},
        {"a negative that rounds to zero is positive", NumberLocale::CommaPoint(), -0.001L,
         "$0.00"},
        {"more integer digits than P: general text", NumberLocale::CommaPoint(), -1e20L, "-1E20"},
        {"parentheses", accounting, -1, "($1.00)"},
        {"symbol after", NumberLocale::PointComma(), 1234567.5L, "1.234.567,50 \u20AC"},
        {"minus with symbol after", NumberLocale::PointComma(), -3, "-3,00 \u20AC"},
        {"symbol containing n", kuna, -1234.5L, "-1.234,50 kn"},
        {"multi-byte separators", narrowSpace, 1234.5L, "1\u202F234,50\u00A0\u20AC"},
        {"no currency decimals", yen, 1234.5L, "\u00A51,235"},
    };
    for (const CurrencyRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(CurrencyText(r.x, 14, r.loc.currencyDigits, r.loc), r.expected);
    }
}

TEST(GroupedGeneralText, GroupsTheFifteenDigitTextWithAtMostElevenDecimals) {
    struct GroupedRow {
        const char* name;
        Extended x;
        const char* commaPoint;
        const char* pointComma;
    };
    const GroupedRow rows[] = {
        {"no grouping needed", 1.5L, "1.5", "1,5"},
        {"grouped", -1234567.891L, "-1,234,567.891", "-1.234.567,891"},
        {"11 decimals at most", 1.23456789012345L, "1.23456789012", "1,23456789012"},
        {"cut at 11 decimals rounds up", 1 + std::ldexp(Extended{1}, -37), "1.00000000001",
         "1,00000000001"},
        {"exact tie at the 11th decimal", -(1 + std::ldexp(Extended{1}, -12)), "-1.00024414063",
         "-1,00024414063"},
        {"15-digit text has no fraction", 12345678.00000001L, "12,345,678", "12.345.678"},
        {"15-digit rounding carries", 999.9999999999999999L, "1,000", "1.000"},
        {"largest of the range", 99999999999998.0L, "99,999,999,999,998", "99.999.999.999.998"},
    };
    for (const GroupedRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(GroupedGeneralText(r.x, NumberLocale::CommaPoint()), r.commaPoint);
        EXPECT_EQ(GroupedGeneralText(r.x, NumberLocale::PointComma()), r.pointComma);
    }
}

TEST(NumberTexts, PointCommaLocale) {
    const NumberLocale loc = NumberLocale::PointComma();
    EXPECT_EQ(GeneralText(-1234.5L, 15, loc), "-1234,5");
    EXPECT_EQ(GeneralText(123456789012345.6L, 14, loc), "1,2345678901235E14");
    EXPECT_EQ(PlainText(0.00001L, 15, loc), "0,00001");
    EXPECT_EQ(ExponentText(0.000123L, 5, 0, loc), "1,2300E-4");
    EXPECT_EQ(FixedText(1234.5L, 14, 2, loc), "1234,50");
    EXPECT_EQ(NumberText(-1234567.891L, 14, 2, loc), "-1.234.567,89");
}

TEST(NumberTexts, NonFiniteValuesGiveAMarker) {
    const NumberLocale loc = NumberLocale::CommaPoint();
    const Extended nan = Limits::quiet_NaN();
    const Extended inf = Limits::infinity();
    const std::pair<Extended, const char*> cases[] = {{nan, "NAN"}, {inf, "INF"}, {-inf, "-INF"}};
    for (const auto& [x, marker] : cases) {
        SCOPED_TRACE(marker);
        EXPECT_EQ(GeneralText(x, 15, loc), marker);
        EXPECT_EQ(PlainText(x, 15, loc), marker);
        EXPECT_EQ(ExponentText(x, 5, 0, loc), marker);
        EXPECT_EQ(FixedText(x, 14, 2, loc), marker);
        EXPECT_EQ(NumberText(x, 14, 2, loc), marker);
        EXPECT_EQ(CurrencyText(x, 14, 2, loc), marker);
        EXPECT_EQ(GroupedGeneralText(x, loc), marker);
    }
}

/// ExponentText(x, 18) built independently: glibc's printf writes the exact expansion
/// when asked for enough digits, which is then rounded half away from zero by hand.
std::string referenceExponentText(Extended x) {
    int binExp = 0;
    std::frexp(x, &binExp);
    const int precision = 90 + std::abs(binExp); // more than the expansion's digits
    std::vector<char> buffer(static_cast<std::size_t>(precision) + 32);
    std::snprintf(buffer.data(), buffer.size(), "%.*Le", precision, std::fabs(x));
    const std::string printed(buffer.data());
    const std::size_t e = printed.find('e');
    std::string digits = printed.substr(0, 1) + printed.substr(2, 17);
    int exponent = std::atoi(printed.c_str() + e + 1);
    if (printed[19] >= '5') {
        int i = 17;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            digits = "1" + digits.substr(0, 17);
            ++exponent;
        }
    }
    return std::string(x < 0 ? "-" : "") + digits[0] + "." + digits.substr(1) + "E" +
           (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
}

TEST(ExponentText, MatchesExactDigitsAcrossTheWholeRange) {
    const NumberLocale loc = NumberLocale::CommaPoint();
    std::mt19937_64 random(20240607);
    std::vector<Extended> values;
    const auto randomValue = [&](int minExponent, int maxExponent) {
        const Extended mantissa = static_cast<Extended>(random() | (std::uint64_t{1} << 63));
        const auto span = static_cast<std::uint64_t>(maxExponent - minExponent + 1);
        const int exponent = minExponent + static_cast<int>(random() % span);
        return (random() % 2 ? 1 : -1) * std::ldexp(mantissa, exponent);
    };
    for (int i = 0; i < 400; ++i) // denormals to the largest values
        values.push_back(randomValue(-16510, 16319));
    for (int i = 0; i < 2000; ++i) // about 1E-20 to 1E40
        values.push_back(randomValue(-130, 69));
    // 19-digit integers ending in 5: exact ties at the 18th digit.
    for (int i = 0; i < 200; ++i) {
        const std::uint64_t n = 1'000'000'000'000'000'000u + random() % 8'000'000'000'000'000'000u;
        values.push_back(static_cast<Extended>(n - n % 10 + 5));
    }
    for (const Extended x : values) {
        if (x == 0 || !std::isfinite(x))
            continue;
        const std::string expected = referenceExponentText(x);
        ASSERT_EQ(ExponentText(x, 18, 0, loc), expected) << "for the value " << expected;
    }
}

TEST(FixedValue, IsTheValueOfTheFixedTextAndPlainTextLengthItsLength) {
    // Both skip the text the decimal correction used to build; they must agree with it.
    std::mt19937_64 random(7);
    const NumberLocale loc = NumberLocale::Plain();
    NumberLocale arabic = NumberLocale::CommaPoint();
    arabic.decimalSeparator = "\u066B";
    std::vector<Extended> values = {
        0, -0.0L, 0.5L, -0.005L, 1.005L, 999999999999.995L, 1E25L, -1E-30L, 123456789012345678.0L};
    for (int i = 0; i < 3000; ++i) {
        const Extended mantissa = static_cast<Extended>(random() >> (random() % 60));
        const int exponent = static_cast<int>(random() % 140) - 100;
        values.push_back((random() % 2 ? 1 : -1) * std::ldexp(mantissa, exponent));
    }
    for (const Extended x : values) {
        for (const auto& [p, d] : {std::pair{14, 2}, {18, 0}, {18, 7}, {10, 12}, {18, 18}}) {
            const std::optional<Extended> expected = ParseNumber(FixedText(x, p, d, loc), loc);
            const std::optional<Extended> value = FixedValue(x, p, d);
            ASSERT_TRUE(value.has_value() && expected.has_value());
            ASSERT_EQ(*value, *expected) << FixedText(x, p, d, loc);
            ASSERT_EQ(std::signbit(*value), std::signbit(*expected)) << FixedText(x, p, d, loc);
        }
        ASSERT_EQ(PlainTextLength(x, 15, loc), PlainText(x, 15, loc).size());
        ASSERT_EQ(PlainTextLength(x, 4, arabic), Utf8Length(PlainText(x, 4, arabic)));
    }
    for (const Extended x : {Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN()}) {
        EXPECT_FALSE(FixedValue(x, 14, 2).has_value());
        EXPECT_EQ(PlainTextLength(x, 15, loc), PlainText(x, 15, loc).size());
    }
}

TEST(ParseNumber, AcceptsTheGrammar) {
    struct ParseRow {
        const char* text;
        NumberLocale loc;
        Extended expected;
    };
    NumberLocale arabic = NumberLocale::CommaPoint();
    arabic.decimalSeparator = "\u066B";
    const NumberLocale cp = NumberLocale::CommaPoint();
    const NumberLocale pc = NumberLocale::PointComma();
    const ParseRow rows[] = {
        {"42", cp, 42},
        {"  -1.5", cp, -1.5L},
        {"+2", cp, 2},
        {".5", cp, 0.5L},
        {"5.", cp, 5},
        {"1e3", cp, 1000},
        {"1E+3", cp, 1000},
        {"-2.5e-3", cp, -2.5e-3L},
        {"000123.4500", cp, 123.45L},
        {"0.1", cp, 0.1L},
        {"123456789012345678901234567890", cp, 123456789012345678901234567890.0L},
        {"1.18973149535723176502e4932", cp, Limits::max()},
        {"3.6451995318824746025e-4951", cp, Limits::denorm_min()},
        {"1e-5000", cp, 0},
        {"1,5", pc, 1.5L},
        {"-0,001E2", pc, -0.1L},
        {"1\u066B25", arabic, 1.25L},
    };
    for (const ParseRow& r : rows) {
        SCOPED_TRACE(r.text);
        const std::optional<Extended> value = ParseNumber(r.text, r.loc);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, r.expected);
    }
    const std::optional<Extended> negativeZero = ParseNumber("-0", cp);
    ASSERT_TRUE(negativeZero.has_value());
    EXPECT_TRUE(*negativeZero == 0 && std::signbit(*negativeZero));
}

TEST(ParseNumber, ShortNumbersReadAsStrtoldReadsThem) {
    // Up to 19 digits and a small exponent take an exact path of their own; it must
    // give strtold's correctly rounded value, bit for bit.
    std::mt19937_64 random(20261210);
    const NumberLocale cp = NumberLocale::CommaPoint();
    for (int i = 0; i < 20000; ++i) {
        const int length = 1 + static_cast<int>(random() % 20);
        std::string digits;
        for (int j = 0; j < length; ++j)
            digits += static_cast<char>('0' + random() % 10);
        const std::size_t point = random() % (digits.size() + 1);
        std::string text =
            (random() % 2 ? "-" : "") + digits.substr(0, point) + "." + digits.substr(point);
        if (random() % 2)
            text += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
        const std::optional<Extended> value = ParseNumber(text, cp);
        ASSERT_TRUE(value.has_value()) << text;
        const Extended expected = std::strtold(text.c_str(), nullptr);
        ASSERT_EQ(*value, expected) << text;
        ASSERT_EQ(std::signbit(*value), std::signbit(expected)) << text;
    }
}

TEST(ParseNumber, RejectsAnythingElse) {
    const NumberLocale cp = NumberLocale::CommaPoint();
    const NumberLocale pc = NumberLocale::PointComma();
    for (const char* text :
         {"",      " ",     "-",    "+.",   ".",   "e5",     "1e",      "1e+",   "1,5",
          "1,000", "1 000", "1.5 ", "1.5x", "--1", "+-1",    "- 1",     "1..5",  "1.5.2",
          "\t1",   "1e5.5", "0x10", "inf",  "nan", "1e5000", "-1e5000", "\u0661"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseNumber(text, cp).has_value());
    }
    for (const char* text : {"1.5", "1.000,5"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseNumber(text, pc).has_value());
    }
}

TEST(NumberTexts, IgnoreTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* commaLocale = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            commaLocale = name;
            break;
        }
    }
    if (commaLocale == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const NumberLocale loc = NumberLocale::CommaPoint();
    const std::string general = GeneralText(1234.5L, 15, loc);
    const std::optional<Extended> parsed = ParseNumber("1234.5", loc);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(general, "1234.5");
    EXPECT_EQ(parsed, std::optional<Extended>(1234.5L));
}

} // namespace
} // namespace quantrel
