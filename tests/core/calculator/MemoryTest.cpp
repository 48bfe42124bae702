// The memory keys and the texts that show the memory: the MR hint and status panel 0.

#include "RecordingView.h"

namespace quantrel::test {
namespace {

using Memory = CalculatorFixture;

TEST_F(Memory, MinStoresTheShownResult) {
    EXPECT_EQ(view.hints[CalcControl::ButtonMemRecall], "No Number in Memory");
    Keys("2 + 3 = min");
    EXPECT_EQ(calc.Entry().MemoryValue(), 5);
    EXPECT_EQ(view.hints[CalcControl::ButtonMemRecall], "Memory = 5");
    EXPECT_EQ(view.panels[0], "Mem:5");
}

TEST_F(Memory, ADigitAfterMinStartsANewNumber) {
    Keys("7 min 1 2");
    EXPECT_EQ(view.display, "12");
    EXPECT_EQ(calc.Entry().MemoryValue(), 7);
    Keys("m+");
    EXPECT_EQ(calc.Entry().MemoryValue(), 19);
    Keys("mc");
    EXPECT_EQ(view.hints[CalcControl::ButtonMemRecall], "No Number in Memory");
    EXPECT_EQ(view.panels[0], "");
}

TEST_F(Memory, RecallStartsANewCalculationOrSuppliesAnOperand) {
    Keys("3 min 2 + 3 =");
    const std::size_t mark = view.tape.size();
    Keys("mr");
    EXPECT_EQ(view.TapeTexts(mark), (std::vector<std::string>{"------------"}));
    EXPECT_EQ(calc.HistoryMenuCaptions()[0], "&1: 2+3=");
    Keys("+ mr =");
    EXPECT_EQ(view.display, "6");
    Keys("mr 5");
    EXPECT_EQ(view.display, "5") << "a digit replaces the recalled number";
}

TEST(MemoryTexts, HexadecimalAndLargeMemories) {
    const struct {
        Extended memory;
        const char* hint;
        const char* panel;
        const char* decimalPanel;
    } cases[] = {
        {255, "Memory = Hex 000000000000000000FF", "Mem: Hex 000000000000000000FF", "Mem:255"},
        {-1, "Memory = Hex -00000000000000000001", "Mem: Hex -00000000000000000001", "Mem:-1"},
        {1E30L, "Number too large to show as Hex", "Mem:1E30", "Mem:1E30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hint);
        RecordingView view;
        CalculatorSettings settings;
        settings.MemNum = c.memory;
        CalculatorLogic calc(view, settings);
        calc.SetHexMode(true);
        EXPECT_EQ(view.hints[CalcControl::ButtonMemRecall], c.hint);
        EXPECT_EQ(view.panels[0], c.panel);
        EXPECT_EQ(calc.Entry().MemoryValue(), c.memory);
        calc.SetHexMode(false);
        EXPECT_EQ(view.panels[0], c.decimalPanel);
    }
}

TEST(MemoryOverflow, MPlusBeyondTheRangeKeepsTheMemory) {
    RecordingView view;
    CalculatorSettings settings;
    settings.MemNum = 1E4932L;
    CalculatorLogic calc(view, settings);
    calc.MemoryRecall();
    calc.MemoryAdd();
    EXPECT_EQ(calc.Entry().MemoryValue(), 1E4932L);
    EXPECT_EQ(view.messages, (std::vector<Message>{{"Number too Large", MessageKind::Error}}));
}

} // namespace
} // namespace quantrel::test
