// Tape numbers and tape lines: what each calculation writes, with its TapeAttr.

#include "EngineHarness.h"
#include "support/ExtendedMatch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quantrel::test {
namespace {

struct FormatCase {
    TOperCode code;
    Extended value;
    int mode;
    int digits;
    int base;
    int trigUnits;
    const char* commaPoint; // thousands ",", decimals "."
    const char* pointComma; // thousands ".", decimals ","
};

TEST(TapeNumbers, FormatTapeNumberInBothLocales) {
    const Extended third = 100.0L / 3;
    const FormatCase cases[] = {
        {qeNone, 1, 1, 4, 10, 1, "1", "1"},
        {qeNone, -1, 1, 4, 10, 1, "-1", "-1"},
        {qeNone, 0.5L, 1, 4, 10, 1, "0.5", "0,5"},
        {qeNone, 1.5L, 1, 4, 10, 1, "1.5", "1,5"},
        {qeNone, -1234567.891L, 1, 4, 10, 1, "-1,234,567.891", "-1.234.567,891"},
        {qeNone, 1.23456789012345L, 1, 4, 10, 1, "1.23456789012", "1,23456789012"},
        {qeNone, 12345678.00000001L, 1, 4, 10, 1, "12,345,678", "12.345.678"},
        {qeNone, 99999999999999, 1, 4, 10, 1, "99999999999999", "99999999999999"},
        {qeNone, 123456789012345.6L, 1, 4, 10, 1, "1.2345678901235E14", "1,2345678901235E14"},
        {qeNone, 0.0001L, 1, 4, 10, 1, "0.0001", "0,0001"},
        {qeNone, 0.00001L, 1, 4, 10, 1, "1E-5", "1E-5"},
        {qeNone, 12345, 2, 4, 10, 1, "1.2345E+4", "1,2345E+4"},
        {qeNone, 12345, 2, 0, 10, 1, "1.2E+4", "1,2E+4"},
        {qeNone, 0, 2, 4, 10, 1, "0.0000E+0", "0,0000E+0"},
        {qeNone, 0.000123L, 2, 4, 10, 1, "1.2300E-4", "1,2300E-4"},
        {qeNone, 1234.5L, 3, 4, 10, 1, "$1,234.50", "1.234,50 €"},
        {qeNone, -1234.5L, 3, 4, 10, 1, "-$1,234.50", "-1.234,50 €"},
        {qeNone, 1234.5L, 4, 2, 10, 1, "1,234.50", "1.234,50"},
        {qeNone, 1234.5L, 4, 0, 10, 1, "1,235", "1.235"},
        {qeNone, 255, 1, 4, 16, 1, "xFF", "xFF"},
        {qeNone, -255.9L, 1, 4, 16, 1, "-xFF", "-xFF"},
        {qeNone, 0, 3, 4, 16, 1, "x0", "x0"},
        {qeNone, 9223372036854775808.0L, 1, 4, 16, 1, "Too Large to Show as Hex",
         "Too Large to Show as Hex"},
        {qeSin, 30, 1, 4, 16, 1, "30°", "30°"},
        {qeSin, 30, 1, 4, 10, 2, "30rd", "30rd"},
        {qeAngle, third, 1, 4, 10, 3, "33.3333333333333gr", "33,3333333333333gr"},
        {qeAngle, third, 4, 2, 10, 3, "33.33gr", "33,33gr"},
        {qeTan, 1234.5L, 2, 4, 10, 1, "1234.5°", "1234,5°"},
        {qeNone, 7, 5, 4, 10, 1, "Unknown Tape Format!", "Unknown Tape Format!"},
        {qeNone, 7, 0, 4, 16, 1, "x7", "x7"},
    };
    for (const bool pointComma : {false, true}) {
        TQuantrelEval e;
        e.SetLocale(pointComma ? NumberLocale::PointComma() : NumberLocale::CommaPoint());
        for (const FormatCase& c : cases) {
            e.SetTapeFormatMode(c.mode);
            e.SetDigits(c.digits);
            e.SetBaseUnits(c.base);
            e.SetTrigUnits(c.trigUnits);
            const std::string expected = pointComma ? c.pointComma : c.commaPoint;
            EXPECT_EQ(e.FormatTapeNumber(c.code, c.value), expected)
                << Digits21(c.value) << " mode " << c.mode;
        }
    }
}

struct TapeCase {
    const char* name;
    const char* keys;
    std::vector<TapeLine> lines;
};

void CheckTape(const TapeCase& c, const std::function<void(TQuantrelEval&)>& setup = {}) {
    SCOPED_TRACE(c.name);
    EngineHarness h;
    if (setup)
        setup(h.engine);
    h.Keys(c.keys);
    EXPECT_EQ(h.tape, c.lines);
}

constexpr int op = taOperation, ex = taExpand, sub = taSubTotal, tot = taTotal;

TEST(TapeLines, CalculationsWithNewEngineSettings) {
    const TapeCase cases[] = {
        {"sub-total", "2 + 3 +", {{"  2", op}, {"+ 3", op}, {"{= 5}", sub}}},
        {"nothing until a reduction", "2 + 3 *", {}},
        {"precedence", "2 + 3 * 4 +", {{"  2", op}, {"+ 3", op}, {"* 4", op}, {"{= 14}", sub}}},
        {"total", "2 + 3 * 4 =", {{"  2", op}, {"+ 3", op}, {"* 4", op}, {"= 14", tot}}},
        {"function merged into its operand",
         "2 + 9 sqrt =",
         {{"  2", op}, {"+ Sqrt(9)", op}, {"[Sqrt(9) = 3]", ex}, {"= 5", tot}}},
        {"tax on the first number",
         "100 +tax =",
         {{"  100 +GST", op}, {"[100 +10% GST = 110]", ex}, {"{= 110}", sub}, {"= 110", tot}}},
        {"sine in degrees",
         "30 sin =",
         {{"  Sin(30°)", op}, {"[Sin(30°) = 0.5]", ex}, {"{= 0.5}", sub}, {"= 0.5", tot}}},
        {"percent of a first number",
         "50 % =",
         {{"  %(50)", op}, {"[%(50) = 0.5]", ex}, {"{= 0.5}", sub}, {"= 0.5", tot}}},
        {"combined percent", "200 + 10 % =", {{"  200", op}, {"+ 10%", op}, {"= 220", tot}}},
        {"parentheses reduce as soon as they close",
         "( 2 + 3 ) * 4 =",
         {{"  (2", op}, {"+ 3)", op}, {"{= 5}", sub}, {"* 4", op}, {"= 20", tot}}},
        {"tax included, then excluded on its own line",
         "2 + 110 tax(i) tax(e) =",
         {{"  2", op},
          {"+ 110 GST Incl", op},
          {"[Incl 10% GST = 10]", ex},
          {"10 GST Excl", op},
          {"[10% GST = 1]", ex},
          {"= 3", tot}}},
        {"tax removed",
         "110 -tax =",
         {{"  110 -GST", op}, {"[110 -10% GST = 100]", ex}, {"{= 100}", sub}, {"= 100", tot}}},
        {"arc sine shows an angle",
         "0.5 asin =",
         {{"  ASin(0.5)", op}, {"[ASin(0.5) = 30°]", ex}, {"{= 30}", sub}, {"= 30", tot}}},
        {"negative total is flagged, negative sub-total is not",
         "2 - 5 + 1 =",
         {{"  2", op}, {"- 5", op}, {"{= -3}", sub}, {"+ 1", op}, {"= -2", tot, true}}},
        {"expansion of exactly 26 characters stays on one line",
         "123456.5 int =",
         {{"  Int(123,456.5)", op},
          {"[Int(123,456.5) = 123,456]", ex},
          {"{= 123,456}", sub},
          {"= 123,456", tot}}},
        {"27 characters split before ' = '",
         "12345 sqr =",
         {{"  Sqr(12,345)", op},
          {"[Sqr(12,345)", ex},
          {" = 152,399,025]", ex},
          {"{= 152,399,025}", sub},
          {"= 152,399,025", tot}}},
        {"conversion without a table",
         "90 conv:Time,zs,zm =",
         {{"  Conv 90 -> ", op}, {"[90  * 1 = 90]", ex}, {"{= 90}", sub}, {"= 90", tot}}},
    };
    for (const TapeCase& c : cases)
        CheckTape(c);
}

TEST(TapeLines, SettingsChangeTheLines) {
    CheckTape({"as entered: nothing merges",
               "2 + 9 sqrt =",
               {{"  2", op},
                {"+ 9", op},
                {"Sqrt(11)", op},
                {"[Sqrt(11) = 3.31662479036]", ex},
                {"{= 3.31662479036}", sub},
                {"= 3.31662479036", tot}}},
              [](TQuantrelEval& e) { e.SetDumbMath(true); });
    CheckTape({"no brackets",
               "9 sqrt + 1 +",
               {{"  Sqrt(9)", op}, {"Sqrt(9) = 3", ex}, {"= 3", sub}, {"+ 1", op}, {"= 4", sub}}},
              [](TQuantrelEval& e) {
                  e.SetSubTotalSym(0);
                  e.SetExpandOperSym(0);
              });
    CheckTape(
        {"other brackets",
         "9 sqrt + 1 +",
         {{"  Sqrt(9)", op}, {"<Sqrt(9) = 3>", ex}, {"(= 3)", sub}, {"+ 1", op}, {"(= 4)", sub}}},
        [](TQuantrelEval& e) {
            e.SetSubTotalSym(3);
            e.SetExpandOperSym(4);
        });
    CheckTape({"no sub-totals, no expansions",
               "2 + 9 sqrt + 1 =",
               {{"  2", op}, {"+ Sqrt(9)", op}, {"+ 1", op}, {"= 6", tot}}},
              [](TQuantrelEval& e) {
                  e.SetSubTotal(false);
                  e.SetExpandOper(false);
              });
    CheckTape({"tax name and rate",
               "100 +tax =",
               {{"  100 +VAT", op},
                {"[100 +17.5% VAT = 117.5]", ex},
                {"{= 117.5}", sub},
                {"= 117.5", tot}}},
              [](TQuantrelEval& e) {
                  e.SetTaxLit("VAT");
                  e.SetTaxRate(0.175);
              });
    CheckTape({"fixed decimals round a typed tie away from zero",
               "0.005 + 0.004 =",
               {{"  0.01", op}, {"+ 0.00", op}, {"= 0.01", tot}}},
              [](TQuantrelEval& e) {
                  e.SetTapeFormatMode(4);
                  e.SetDigits(2);
              });
    CheckTape({"hexadecimal", "255 + 1 =", {{"  xFF", op}, {"+ x1", op}, {"= x100", tot}}},
              [](TQuantrelEval& e) { e.SetBaseUnits(16); });
}

TEST(TapeLines, ConversionsShowSymbolsAndFormula) {
    const auto loaded = [](TQuantrelEval& e) {
        e.LoadConvTable("");
        e.SetConvDigits(8);
    };
    const TapeCase cases[] = {
        {"from the base unit",
         "90 conv:Time,zs,zm =",
         {{"  Conv 90 s->min ", op},
          {"[90  * 0.016666667 = 1.5]", ex},
          {"{= 1.5}", sub},
          {"= 1.5", tot}}},
        {"with an offset",
         "100 conv:Temperature,tc,tf =",
         {{"  Conv 100 DegC->DegF ", op},
          {"[100  * 1.8 + 32 = 212]", ex},
          {"{= 212}", sub},
          {"= 212", tot}}},
        {"a line of its own after a function, and a split expansion",
         "2 + 3 sqr conv:Length,lmi,lkm =",
         {{"  2", op},
          {"+ Sqr(3)", op},
          {"[Sqr(3) = 9]", ex},
          {"Conv 9 miles->km  ", op},
          {"[9  * 1.609344", ex},
          {" = 14.484096]", ex},
          {"= 16.484096", tot}}},
    };
    for (const TapeCase& c : cases)
        CheckTape(c, loaded);
}

TEST(TapeLines, UnresolvedConversionGivesZeroAfterItsMessage) {
    EngineHarness h;
    h.engine.LoadConvTable("");
    h.Keys("5 conv:Area,sqacre,zz =");
    EXPECT_EQ(h.Display(), 0);
    ASSERT_FALSE(h.messages.empty());
    for (const std::string& m : h.messages)
        EXPECT_EQ(m, "Error Getting Conv Factor!\rArea\rsqacre\rzz");
    EXPECT_EQ(h.tape.back(), (TapeLine{"= 0", taTotal, false}));
}

TEST(TapeLines, OperationLinesRecordTheirPositions) {
    EngineHarness h;
    h.Keys("2 + 9 sqrt * 3 =");
    // "  2", "+ Sqrt(9)", "[Sqrt(9) = 3]", "* 3", "= 11": each line plus CR LF.
    EXPECT_EQ(h.engine.Entry(1).TapeSelStart, 0);
    EXPECT_EQ(h.engine.Entry(2).TapeSelStart, 5);
    EXPECT_EQ(h.engine.Entry(2).TapeSelLength, 9);
    EXPECT_EQ(h.engine.Entry(4).TapeSelStart, 5 + 11 + 15);
    EXPECT_EQ(h.engine.Entry(4).TapeSelLength, 3);
}

TEST(TapeLines, WithoutAHandlerNothingIsWrittenAndNothingBreaks) {
    TQuantrelEval e;
    e.EnterNumber(false, 5);
    e.EnterOperator(qeDivide);
    e.EnterNumber(false, 0);
    e.EnterOperator(qeEquals);
    EXPECT_TRUE(e.EquationInError());
}

} // namespace
} // namespace quantrel::test
