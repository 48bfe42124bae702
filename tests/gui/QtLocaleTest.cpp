// The window's number format taken from Qt's locales: separators, currency symbol,
// patterns and decimals, which the display, the tape and Paste all depend on.

#include "window/QtLocale.h"

#include <gtest/gtest.h>

namespace quantrel::gui {
namespace {

struct LocaleCase {
    const char* name;
    NumberLocale expected;
};

TEST(NumberLocaleOf, TakesSeparatorsAndTheCurrencyFormat) {
    const LocaleCase cases[] = {
        {"en_US", {".", ",", "$", "\u00A4n", "(\u00A4n)", 2}},
        {"de_DE", {",", ".", "\u20AC", "n\u00A0\u00A4", "-n\u00A0\u00A4", 2}},
        {"fr_FR", {",", "\u202F", "\u20AC", "n\u00A0\u00A4", "(n\u00A0\u00A4)", 2}},
        {"ja_JP", {".", ",", "\uFFE5", "\u00A4n", "(\u00A4n)", 0}},
    };
    for (const LocaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const NumberLocale got = NumberLocaleOf(QLocale(QString::fromLatin1(c.name)));
        EXPECT_EQ(got.decimalSeparator, c.expected.decimalSeparator);
        EXPECT_EQ(got.thousandSeparator, c.expected.thousandSeparator);
        EXPECT_EQ(got.currencySymbol, c.expected.currencySymbol);
        EXPECT_EQ(got.currencyPositive, c.expected.currencyPositive);
        EXPECT_EQ(got.currencyNegative, c.expected.currencyNegative);
        EXPECT_EQ(got.currencyDigits, c.expected.currencyDigits);
    }
}

} // namespace
} // namespace quantrel::gui
