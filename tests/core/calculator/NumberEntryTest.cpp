// Typing a number: its limits, the exponent, backspace, CE and C, paste, and when a
// key starts a new calculation.

#include "RecordingView.h"
#include "support/ExtendedMatch.h"

#include <cstring>

namespace quantrel::test {
namespace {

using NumberEntry = CalculatorFixture;

struct TypingCase {
    const char* keys;
    const char* display;
    Extended value;
};

TEST_F(NumberEntry, TypingShowsAndKeepsTheNumber) {
    const TypingCase cases[] = {
        {"1 2 3", "123", 123},
        {"1 2 3 .", "123.", 123},
        {"1 2 3 . 4", "123.4", 123.4L},
        {"1 2 3 . 4 0", "123.40", 123.4L},
        // A fourteenth whole digit is ignored, also once the number is negative.
        {"9 9 9 9 9 9 9 9 9 9 9 9 9 9", "9999999999999", 9999999999999.0L},
        {"9 9 9 9 9 9 9 9 9 9 9 9 9 +/- 9", "-9999999999999", -9999999999999.0L},
        // A tenth fraction digit is ignored.
        {". 1 2 3 4 5 6 7 8 9 1", "0.123456789", 0.123456789L},
        {"1 . 5 ce", "0", 0},
        {"1 . 5 ce .", "0.", 0},
        {"1 . 5 ce . 5", "0.5", 0.5L},
        {"exp", "1.0000000000000E+0000", 1},
        {"exp 5", "1.0000000000000E+0005", 1E5L},
        {"exp 5 +/-", "1.0000000000000E-0005", 1E-5L},
        {"exp 5 .", "1.0000000000000E+0005", 1E5L},
        {"2 . 5 exp 3", "2.5000000000000E+0003", 2500},
        {"7 +/-", "-7", -7},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(c.keys);
        RecordingView fresh;
        CalculatorLogic logic(fresh);
        PressKeys(logic, c.keys);
        EXPECT_EQ(fresh.display, c.display);
        EXPECT_PRED_FORMAT3(ExtendedNear, logic.Entry().EntryValue(), c.value,
                            1E-12L * std::fabs(c.value));
        EXPECT_TRUE(logic.Entry().NumberInProgress());
        EXPECT_TRUE(logic.MainEngine().IsEmpty()) << "typing reached the engine";
    }
}

TEST_F(NumberEntry, AnExponentBeyondTheRangeIsRefusedAndClearsTheEntry) {
    Keys("exp 9 9 9");
    EXPECT_TRUE(view.messages.empty());
    Keys("9");
    EXPECT_EQ(view.messages, (std::vector<Message>{{"Invalid Number", MessageKind::Error}}));
    EXPECT_EQ(view.display, "0");
    EXPECT_EQ(calc.Entry().EntryValue(), 0);
    EXPECT_TRUE(calc.Entry().NumberInProgress());
    EXPECT_FALSE(calc.Entry().ExponentEntry());
    Keys("4 +");
    EXPECT_EQ(calc.MainEngine().Entry(1).NumEnt, 4);
}

TEST_F(NumberEntry, BackspaceRemovesDigitsAndThePoint) {
    Keys("1 2 . 5");
    const struct {
        const char* display;
        Extended value;
        int decimalState;
    } steps[] = {{"12.", 12, 1}, {"12", 12, 0}, {"1", 1, 0}, {"0", 0, 0}, {"0", 0, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.display);
        Keys("bck");
        EXPECT_EQ(view.display, step.display);
        EXPECT_EQ(calc.Entry().EntryValue(), step.value);
        EXPECT_EQ(calc.Entry().ShownValue(), step.value);
        EXPECT_EQ(calc.Entry().DecimalState(), step.decimalState);
    }
}

TEST_F(NumberEntry, BackspaceWorksOnTheExponentAndOnHexadecimalNumbers) {
    Keys("2 exp 1 2 bck");
    EXPECT_EQ(view.display, "2.0000000000000E+0001");
    EXPECT_EQ(calc.Entry().EntryValue(), 20);
    Keys("3");
    EXPECT_EQ(calc.Entry().EntryValue(), 2E13L) << "the exponent is 13 now";

    Keys("c hex F");
    EXPECT_EQ(view.display, "0000000000000000000F");
    Keys("bck");
    EXPECT_EQ(view.display, "00000000000000000000");
    EXPECT_EQ(calc.Entry().ShownValue(), 0);

    Keys("c dec 5 +/- bck");
    EXPECT_EQ(view.display, "0") << "a lone minus sign reads as 0";
}

TEST_F(NumberEntry, BackspaceLeavesANumberNotTypedAlone) {
    Keys("2 + 3 = bck");
    EXPECT_EQ(view.display, "5");
    EXPECT_EQ(calc.Entry().ShownValue(), 5);
}

TEST_F(NumberEntry, ClearEntryClearsOnlyTheNumberBeingTyped) {
    Keys("2 + 4 5 ce");
    EXPECT_EQ(view.display, "0");
    EXPECT_FALSE(calc.MainEngine().IsEmpty());
    Keys("+ 1 =");
    EXPECT_EQ(view.TapeTexts(), (std::vector<std::string>{"  2", "+ 0", "{= 2}", "+ 1", "= 3"}));
}

TEST_F(NumberEntry, ClearEntryWithNothingTypedActsAsClear) {
    for (const char* clear : {"ce", "c"}) {
        SCOPED_TRACE(clear);
        RecordingView fresh;
        CalculatorLogic logic(fresh);
        for (const char* key : {"2", "+", "3", "=", clear})
            logic.RunKey(key);
        EXPECT_EQ(fresh.display, "0");
        EXPECT_EQ(fresh.tape.back(), (TapeLine{"------------", 1, false}));
        EXPECT_TRUE(logic.MainEngine().IsEmpty());
        EXPECT_EQ(logic.HistoryMenuCaptions()[0], "&1: 2+3=");
    }
}

TEST_F(NumberEntry, ClearKeepsAnUnfinishedCalculationWithoutItsPendingNumber) {
    Keys("2 + 3 c");
    EXPECT_EQ(calc.HistoryMenuCaptions()[0], "&1: 2") << "the menu lists complete entries";
    EXPECT_EQ(calc.HistoryEngine(calc.HistorySlots()[0]).EquationIdx(), 2) << "2 and +";
    EXPECT_FALSE(calc.Entry().NumberInProgress());
    EXPECT_EQ(view.display, "0");
}

TEST_F(NumberEntry, PastedTextIsCleanedThenParsed) {
    const struct {
        const char* clipboard;
        Extended value;
    } cases[] = {{"$1,234.50", 1234.5L}, {"1.5E3", 1500}, {" -42\r\n", -42}, {"2e-3", 0.002L}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard);
        calc.Paste(c.clipboard);
        EXPECT_EQ(calc.Entry().EntryValue(), c.value);
        EXPECT_EQ(calc.Entry().ShownValue(), c.value);
        EXPECT_TRUE(calc.Entry().StartNewNumber()) << "a digit replaces the pasted number";
        EXPECT_EQ(calc.PasteEnabled(c.clipboard), true);
    }
    Keys("7");
    EXPECT_EQ(view.display, "7");
}

TEST_F(NumberEntry, PastingNoNumberDisablesPasteAndChangesNothing) {
    Keys("1 2");
    calc.Paste("twelve");
    EXPECT_EQ(view.enabled[CalcControl::Paste1], false);
    EXPECT_EQ(view.display, "12");
    EXPECT_EQ(calc.Entry().EntryValue(), 12);
    EXPECT_EQ(calc.PasteEnabled("twelve"), false);
    EXPECT_EQ(calc.PasteEnabled(""), std::nullopt) << "empty text keeps the item's state";
}

TEST_F(NumberEntry, CopyTakesTheTapeSelectionOrTheDisplay) {
    Keys("4 2");
    EXPECT_EQ(calc.CopyText(""), "42");
    EXPECT_EQ(calc.CopyText("+ 3"), "+ 3");
}

TEST_F(NumberEntry, AKeyAfterAFinishedCalculationStartsANewOne) {
    const struct {
        const char* keys;
        bool newCalculation;
    } cases[] = {
        {"2 = 3", true},  {"2 + 3", false},  {"4 sqrt 3", true}, {"2 = .", true},
        {"2 = mr", true}, {"2 + mr", false}, {"2 = pi", true},   {"2 = (", true},
        {"2 + (", false}, {"2 = exp", true}, {"7 min 1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        RecordingView fresh;
        CalculatorLogic logic(fresh);
        std::istringstream keys(c.keys);
        for (std::string key; keys >> key;)
            logic.RunKey(key);
        const bool separated = !fresh.tape.empty() && fresh.tape.back().text == "------------";
        EXPECT_EQ(separated, c.newCalculation);
        EXPECT_EQ(logic.HistorySlots()[0] != 0, c.newCalculation);
    }
}

TEST(NumberEntryThousands, TheDisplayGroupsTypedAndPastedNumbers) {
    RecordingView view;
    CalculatorSettings settings;
    settings.ThousSep = true;
    CalculatorLogic calc(view, settings);
    for (const char* key : {"1", "2", "3", "4", ".", "5"})
        calc.RunKey(key);
    EXPECT_EQ(view.display, "1,234.5");
    calc.RunKey("bck");
    EXPECT_EQ(view.display, "1,234.");
    EXPECT_EQ(calc.Entry().EntryValue(), 1234);
    calc.RunKey("c");
    calc.RunKey("1");
    EXPECT_EQ(view.display, "1");
    calc.Paste("$1,234.50");
    EXPECT_EQ(calc.Entry().EntryValue(), 1234.5L);
    EXPECT_EQ(view.display, "1,234.5");
}

TEST(NumberEntryLocale, TheDecimalCommaIsTypedShownAndPasted) {
    RecordingView view;
    CalculatorLogic calc(view, {}, NumberLocale::PointComma());
    EXPECT_EQ(view.captions[CalcControl::Button17], ",");
    for (const char* key : {"1", "2", ".", "5"})
        calc.RunKey(key);
    EXPECT_EQ(view.display, "12,5");
    calc.Paste("1.234,5");
    EXPECT_EQ(calc.Entry().EntryValue(), 1234.5L);
}

TEST_F(NumberEntry, HexadecimalEntryShowsTwentyDigits) {
    Keys("hex F F");
    EXPECT_EQ(view.display, "000000000000000000FF");
    EXPECT_EQ(calc.Entry().EntryValue(), 255);
    Keys("dec");
    EXPECT_EQ(view.display, "255");
    EXPECT_EQ(calc.Entry().EntryValue(), 255) << "switching base keeps the number";
    Keys("A");
    EXPECT_EQ(calc.Entry().EntryValue(), 255) << "A to F type nothing in decimal mode";
}

TEST_F(NumberEntry, HexadecimalAndBackLeavesTheNumberBeingTypedAsItWas) {
    const struct {
        const char* keys;
        const char* display;
        std::vector<Message> messages;
    } cases[] = {
        {"5 + 1 exp 3 0 hex dec * 2 =", "2E30", {{"Number too Large", MessageKind::Error}}},
        {"1 . 5 hex dec 2 =", "1.52", {}},
        {"1 2 . hex dec 5 =", "12.5", {}},
        {"2 exp 3 hex dec 4 =", "2E34", {}},
        {"1 . 5 hex A B bck dec =", "1.5", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        RecordingView fresh;
        CalculatorLogic logic(fresh);
        PressKeys(logic, c.keys);
        EXPECT_EQ(fresh.display, c.display);
        EXPECT_EQ(fresh.messages, c.messages);
    }
}

TEST_F(NumberEntry, HexadecimalShowsTheNumberBeingTypedWithoutItsFraction) {
    Keys("1 2 . 5 hex");
    EXPECT_EQ(view.display, "0000000000000000000C");
    EXPECT_EQ(calc.Entry().EntryValue(), 12.5L);
    Keys("dec");
    EXPECT_EQ(view.display, "12.5");
    Keys("c 1 exp 3 0 hex");
    EXPECT_EQ(view.display, "1.0000000000000E+0030") << "the decimal text stays";
    EXPECT_EQ(calc.Entry().EntryValue(), 1e30L);
    EXPECT_TRUE(calc.Entry().NumberInProgress());
}

TEST_F(NumberEntry, AValueTooLargeForHexadecimalIsReportedAndTheEntryReset) {
    Keys("hex const:13");
    EXPECT_EQ(view.messages, (std::vector<Message>{{"Number too Large", MessageKind::Error}}));
    EXPECT_EQ(view.display, "0");
    EXPECT_EQ(calc.Entry().EntryValue(), 0);
    Keys("+ 1 =");
    EXPECT_EQ(view.display, "00000000000000000001");
}

TEST_F(NumberEntry, ASwitchToHexadecimalThatFailsStaysDecimal) {
    Keys("1 exp 3 0 = hex");
    EXPECT_EQ(view.messages, (std::vector<Message>{{"Number too Large", MessageKind::Error}}));
    EXPECT_FALSE(calc.Entry().HexMode());
    EXPECT_TRUE(view.checked[CalcControl::RadioGroupDecHex_0]) << "Dec. shows selected";
    EXPECT_FALSE(view.checked[CalcControl::RadioGroupDecHex_1]);
    EXPECT_FALSE(view.enabled[CalcControl::ButtonA]);
    EXPECT_EQ(view.display, "1E30");
    Keys("+ 1 =");
    EXPECT_EQ(view.messages.size(), 1U) << "the next operator shows no box";
    EXPECT_EQ(view.display, "1E30");
}

} // namespace
} // namespace quantrel::test
