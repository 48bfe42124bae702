// quantrel-tape as a process: keys in, tape out, exit status.

#include "support/Locales.h"
#include "support/RunProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quantrel::test {
namespace {

ProcessResult Tape(const std::vector<std::string>& args, const std::string& input = {}) {
    const char* program = std::getenv("QUANTREL_TAPE");
    EXPECT_NE(program, nullptr) << "QUANTREL_TAPE names the program under test";
    return RunProcess(program ? program : "quantrel-tape", args, input);
}

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
};

void ExpectRun(const CliCase& c, int exitCode) {
    SCOPED_TRACE(c.name);
    const ProcessResult r = Tape(c.args, c.input);
    EXPECT_EQ(r.exitCode, exitCode);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
}

TEST(TapeCli, RunsKeysAndPrintsTheTape) {
    const CliCase cases[] = {
        {"precedence", {"2", "+", "3", "*", "4", "="}, "", "  2\n+ 3\n* 4\n= 14\n", ""},
        {"line kinds",
         {"--attrs", "2", "+", "9", "sqrt", "="},
         "",
         "1\t  2\n1\t+ Sqrt(9)\n2\t[Sqrt(9) = 3]\n4\t= 5\n",
         ""},
        {"a new calculation starts below a separator",
         {"2 + 3 = 4 * 5 ="},
         "",
         "  2\n+ 3\n= 5\n------------\n  4\n* 5\n= 20\n",
         ""},
        {"keys from standard input, with comments",
         {},
         "# a script\n2 + 3   # the sum\n* 4 =\n",
         "  2\n+ 3\n* 4\n= 14\n",
         ""},
        {"an arithmetic error is part of the tape",
         {"--attrs", "5 / 0 ="},
         "",
         "5\tCannot Divide by Zero\n1\t  5\n1\t/ 0\n4\t= 0\n",
         "message: Cannot Divide by Zero\n"},
        {"tax options",
         {"--tax-rate", "17.5", "--tax-name", "VAT", "100 +tax ="},
         "",
         "  100 +VAT\n[100 +17.5% VAT = 117.5]\n{= 117.5}\n= 117.5\n",
         ""},
        {"as entered, no sub-totals, no expansions",
         {"--as-entered", "--no-subtotals", "--no-expand", "2 + 3 * 4 ="},
         "",
         "  2\n+ 3\n* 4\n= 20\n",
         ""},
        {"brackets",
         {"--subtotal-brackets", "4", "--expand-brackets", "0", "9 sqrt + 1 ="},
         "",
         "  Sqrt(9)\nSqrt(9) = 3\n<= 3>\n+ 1\n= 4\n",
         ""},
        {"conversion",
         {"100 conv:Temperature,tc,tf ="},
         "",
         "  Conv 100 DegC->DegF \n[100  * 1.8 + 32 = 212]\n{= 212}\n= 212\n",
         ""},
    };
    for (const CliCase& c : cases)
        ExpectRun(c, 0);
}

TEST(TapeCli, WritesNumbersAsTheNamedLocaleDoes) {
    for (const char* name : {"de_DE.UTF-8", "en_US.UTF-8"})
        if (!HasLocale(name))
            GTEST_SKIP() << MissingLocale(name);
    const CliCase cases[] = {
        {"format, digits and locale",
         {"--format", "fixed", "--digits", "3", "--locale", "de_DE.UTF-8", "1234.5 + 1 ="},
         "",
         "  1.234,500\n+ 1,000\n= 1.235,500\n",
         ""},
        {"the display",
         {"--display", "--thousands", "--locale", "en_US.UTF-8", "1234.5 * 2 ="},
         "",
         "  1,234.5\n* 2\n= 2,469\ndisplay: 2,469\n",
         ""},
    };
    for (const CliCase& c : cases)
        ExpectRun(c, 0);
}

TEST(TapeCli, RefusesBadInputBeforeAnyKeyRuns) {
    const CliCase cases[] = {
        {"unknown key", {"2", "+", "x", "="}, "", "", "quantrel-tape: unknown key: x\n"},
        {"key names are case-sensitive", {"2 SQRT"}, "", "", "quantrel-tape: unknown key: SQRT\n"},
        {"unknown key on standard input",
         {},
         "1 + 2\n3 plus 4\n",
         "",
         "quantrel-tape: unknown key: plus\n"},
        {"history slot out of range",
         {"history:6"},
         "",
         "",
         "quantrel-tape: unknown key: history:6\n"},
        {"unknown unit",
         {"1 conv:Length,lmi,parsec"},
         "",
         "",
         "quantrel-tape: unknown conversion: conv:Length,lmi,parsec\n"},
        {"bad option",
         {"--digits", "15", "1"},
         "",
         "",
         "quantrel-tape: Invalid Fixed Digits: --digits needs a whole number from 0 to 14\n"},
        {"unknown option", {"--colour", "1"}, "", "", "quantrel-tape: unknown option: --colour\n"},
        {"missing locale",
         {"--locale", "xx_YY.UTF-8", "1"},
         "",
         "",
         "quantrel-tape: unknown locale: xx_YY.UTF-8\n"},
    };
    for (const CliCase& c : cases)
        ExpectRun(c, 2); // each case's expected standard output is empty
}

TEST(TapeCli, ListsTheConversionTable) {
    const ProcessResult r = Tape({"--units", "Temperature"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Temperature\ttc\tDegrees Centigrade\tDegC\t0\t1\t0\n"
                     "Temperature\ttf\tDegrees Faren\tDegF\t-32\t0.555555555555555556\t0\n"
                     "Temperature\ttk\tDegrees Kelvin\tDegK\t-273.15\t1\t0\n");
    const ProcessResult all = Tape({"--units"});
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 259);
    EXPECT_EQ(Tape({"--units", "Colour"}).exitCode, 2);
}

TEST(TapeCli, Help) {
    const ProcessResult r = Tape({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("Usage: quantrel-tape"), std::string::npos);
}

} // namespace
} // namespace quantrel::test
