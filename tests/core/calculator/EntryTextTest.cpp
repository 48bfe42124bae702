// The display's texts and the cleaning of pasted text.

#include "calculator/EntryText.h"
#include "numeric/NumberText.h"
#include "support/ExtendedMatch.h"

#include <gtest/gtest.h>

#include <limits>

namespace quantrel {
namespace {

const NumberLocale kCommaPoint = NumberLocale::CommaPoint();

TEST(EntryText, HexTextIsTwentyDigitsOfTheWholePart) {
    const struct {
        Extended value;
        const char* text;
    } cases[] = {
        {0, "00000000000000000000"},
        {255, "000000000000000000FF"},
        {15.9L, "0000000000000000000F"},
        {-0.5L, "00000000000000000000"},
        {-1, "-00000000000000000001"},
        {9223372036854775807.0L, "00007FFFFFFFFFFFFFFF"},
        {-9223372036854775808.0L, "-00008000000000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Digits21(c.value));
        const std::optional<std::string> text = HexText(c.value);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.text);
    }
}

TEST(EntryText, HexTextRefusesWholePartsBeyondSixtyFourBits) {
    for (const Extended value :
         {9223372036854775808.0L, -9223372036854775809.0L, 1E30L,
          std::numeric_limits<Extended>::infinity(), std::numeric_limits<Extended>::quiet_NaN()})
        EXPECT_FALSE(HexText(value).has_value()) << Digits21(value);
}

TEST(EntryText, DisplayTextGroupsOnlyStrictlyBetweenOneAndFourteenDigits) {
    const struct {
        Extended value;
        bool thousands;
        const char* text;
    } cases[] = {
        {1234.5L, false, "1234.5"},
        {1234.5L, true, "1,234.5"},
        {-1234567.25L, true, "-1,234,567.25"},
        {1, true, "1"},
        {0.5L, true, "0.5"},
        {99999999999999.0L, true, "99999999999999"},
        {99999999999998.0L, true, "99,999,999,999,998"},
        {1E20L, true, "1E20"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DisplayText(c.value, c.thousands, kCommaPoint), c.text);
    }
    EXPECT_EQ(DisplayText(1234.5L, true, NumberLocale::PointComma()), "1.234,5");
}

TEST(EntryText, CleanNumberTextPreparesPastedNumbers) {
    const struct {
        const char* pasted;
        const char* cleaned;
    } cases[] = {
        {"$1,234.50", "1234.50"},
        {"1.5E3", "1.5E+3"},
        {"1.5E-3", "1.5E-3"},
        {"2e3", "2e3"},
        {"  42\r\n", "42"},
        {"E", "E"},
        {"123456789012345678901234567890123", "123456789012345678901234567890"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pasted);
        EXPECT_EQ(CleanNumberText(c.pasted, kCommaPoint), c.cleaned);
    }
    EXPECT_EQ(CleanNumberText("1.234,5", NumberLocale::PointComma()), "1234,5");
}

} // namespace
} // namespace quantrel
