// Back, Forward, editing a fetched number and replaying; the five history slots,
// their menu captions, and the equation files kept between runs.

#include "RecordingView.h"
#include "support/TempDir.h"

#include "engine/Summary.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quantrel::test {
namespace {

using Navigation = CalculatorFixture;
using History = CalculatorFixture;
using Lines = std::vector<std::string>;
using Slots = std::array<int, 5>;

TEST_F(Navigation, BackFetchesNumbersAndAReplayUsesTheChangedOne) {
    Keys("2 + 3 * 4 = back");
    EXPECT_EQ(view.display, "4");
    EXPECT_TRUE(view.revisit);
    EXPECT_EQ(view.LineAt(view.selStart), "* 4");
    EXPECT_EQ(view.selLength, 3);
    Keys("back");
    EXPECT_EQ(view.display, "3");
    EXPECT_EQ(view.LineAt(view.selStart), "+ 3");
    const std::size_t mark = view.tape.size();
    Keys("5 =");
    EXPECT_EQ(view.TapeTexts(mark), (Lines{"------------", "  2", "+ 5", "* 4", "= 22"}));
    EXPECT_EQ(view.display, "22");
    EXPECT_FALSE(view.revisit);
    EXPECT_FALSE(calc.Entry().RevisitMode());
}

TEST_F(Navigation, AnOperatorAfterAnEditDropsTheEntriesAfterIt) {
    Keys("2 + 3 = back 7 -");
    Keys("1 =");
    EXPECT_EQ(view.display, "8");
    EXPECT_EQ(EquationSummary(calc.MainEngine()), "2+7-1=");
}

TEST_F(Navigation, SeveralNumbersCanChangeBeforeOneReplay) {
    Keys("1 + 2 + 3 = back 9 back 8 replay");
    EXPECT_EQ(view.display, "18");
    EXPECT_EQ(EquationSummary(calc.MainEngine()), "1+8+9=");
}

TEST_F(Navigation, AFetchedNumberIsEditedAfreshAfterAnExponent) {
    Keys("2 + 3 = back exp 2 back 5 replay");
    EXPECT_EQ(view.display, "105");
    EXPECT_EQ(EquationSummary(calc.MainEngine()), "5+100=");
}

TEST_F(Navigation, ReplayOnAnEmptyCalculationDoesNothing) {
    Keys("replay");
    EXPECT_TRUE(view.tape.empty());
}

TEST_F(Navigation, TheKeysFollowTheCursor) {
    EXPECT_FALSE(view.enabled[CalcControl::PrevToolButton]);
    EXPECT_FALSE(view.enabled[CalcControl::RecalcToolButton]);
    Keys("5 =");
    EXPECT_TRUE(view.enabled[CalcControl::PrevToolButton]);
    EXPECT_TRUE(view.enabled[CalcControl::RecalcToolButton]);
    Keys("back");
    EXPECT_EQ(view.display, "5");
    EXPECT_FALSE(view.enabled[CalcControl::PrevToolButton]);
    EXPECT_FALSE(view.enabled[CalcControl::PreviousEnteredNumber1]);
    Keys("back");
    EXPECT_EQ(view.display, "5");

    Keys("c 2 + 3 * 4 = back back back");
    EXPECT_EQ(view.display, "2");
    EXPECT_TRUE(view.enabled[CalcControl::NextToolButton]);
    Keys("forward forward");
    EXPECT_EQ(view.display, "4");
    EXPECT_FALSE(view.enabled[CalcControl::NextEnteredNumber1]);
}

TEST_F(Navigation, ReplayPrintsTheCalculationAgainWithTodaysSettings) {
    Keys("1 0 0 +tax =");
    calc.ApplySettings([] {
        CalculatorSettings settings;
        settings.TaxRate = 0.2;
        return settings;
    }());
    Keys("replay");
    EXPECT_EQ(view.display, "120");
    EXPECT_EQ(view.tape[view.tape.size() - 5].text, "------------");
}

TEST_F(Navigation, AnOperatorAfterAnErrorInRevisitTakesTheNumberShown) {
    Keys("9 / 3 + 1 = back back 0 replay");
    EXPECT_TRUE(calc.MainEngine().EquationInError());
    EXPECT_FALSE(calc.Entry().RevisitMode()) << "the refused replay ended revisiting";
    Keys("5 + 1 =");
    EXPECT_EQ(view.display, "6");
}

TEST_F(Navigation, AnOperatorOnAFailedCalculationTakesTheRevisitedNumberAfresh) {
    Keys("1 / 0 = back 7");
    const std::size_t mark = view.tape.size();
    Keys("+ 1 =");
    EXPECT_EQ(view.TapeTexts(mark), (Lines{"  7", "+ 1", "= 8"}));
    EXPECT_EQ(view.display, "8");
}

TEST_F(History, SevenCalculationsKeepTheLastFiveAndReuseEngines) {
    Keys("1 = 2 = 3 = 4 = 5 = 6 = 7 = c");
    EXPECT_EQ(calc.HistorySlots(), (Slots{2, 1, 5, 4, 3}));
    const auto captions = calc.HistoryMenuCaptions();
    const char* expected[] = {"&1: 7=", "&2: 6=", "&3: 5=", "&4: 4=", "&5: 3="};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(captions[i], expected[i]) << i;
}

TEST_F(History, RecallingWithACurrentCalculationSwapsItIn) {
    Keys("3 0 = 2 0 = 1 0 = 4 0 + 1");
    // A = 10 in slot 1, B = 20 in slot 2, C = 30 in slot 3, D = 40 + current.
    const std::size_t mark = view.tape.size();
    EXPECT_TRUE(calc.RecallHistory(2));
    EXPECT_EQ(view.TapeTexts(mark), (Lines{"------------", "  20", "= 20"}));
    EXPECT_EQ(view.display, "20");
    EXPECT_EQ(EquationSummary(calc.MainEngine()), "20=");
    const auto captions = calc.HistoryMenuCaptions();
    EXPECT_EQ(captions[0], "&1: 40");
    EXPECT_EQ(captions[1], "&2: 10=");
    EXPECT_EQ(captions[2], "&3: 30=");
    EXPECT_EQ(captions[3], std::nullopt);
    EXPECT_FALSE(calc.Entry().NumberInProgress()) << "the typed 1 belonged to D";
}

TEST_F(History, RecallingIntoAnEmptyCalculationLeavesTheHistory) {
    Keys("1 0 = 2 0 = c");
    const Slots before = calc.HistorySlots();
    const std::size_t mark = view.tape.size();
    EXPECT_TRUE(calc.RecallHistory(2));
    EXPECT_EQ(view.TapeTexts(mark), (Lines{"  10", "= 10"}));
    EXPECT_EQ(calc.HistorySlots(), before);
    EXPECT_FALSE(calc.RecallHistory(3)) << "an empty slot";
    EXPECT_FALSE(calc.RecallHistory(0));
}

TEST_F(History, ARecallDropsARevisitedNumberOfTheCalculationThatLeft) {
    Keys("1 + 2 = 5 + 6 = back");
    EXPECT_TRUE(calc.Entry().RevisitMode());
    Keys("history:1 + 1 =");
    EXPECT_EQ(view.display, "4");
    EXPECT_EQ(calc.HistoryMenuCaptions()[0], "&1: 5+6=");
}

// History engines calculate by precedence whatever the main engine does, so a
// calculation that was fine as entered can fail when it is copied there.
TEST(HistoryCopy, ACalculationTheHistoryEngineRefusesStillMovesOn) {
    RecordingView view;
    CalculatorSettings settings;
    settings.Dumb = true;
    CalculatorLogic calc(view, settings);
    for (const char* key : {"10", "+", "4", "+/-", "pow", ".5", "+", "1", "=", "7"})
        calc.RunKey(key);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(calc.HistorySlots(), (Slots{1, 0, 0, 0, 0}));
    EXPECT_TRUE(calc.MainEngine().IsEmpty()) << "the new calculation has begun";
    calc.RunKey("=");
    EXPECT_EQ(view.display, "7");
}

TEST_F(History, MenuCaptionsAreCutAfterSeventeenCharacters) {
    const struct {
        const char* keys;
        const char* caption;
    } cases[] = {
        {"111 + 222 + 333 + 444 =", "&1: 111+222+333+444="},
        {"1111 + 222 + 333 + 444 =", "&1: 1111+222+333+..."},
        {"12345 + 67890 + 12345 + 6 =", "&1: 12345+67890+1..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Keys(std::string(c.keys) + " c");
        EXPECT_EQ(calc.HistoryMenuCaptions()[0], c.caption);
    }
}

class EquationFiles : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path& folder = dir.Path();

    /// A run of the calculator: reads the files, presses the keys, writes the files.
    std::array<std::optional<std::string>, 5> Run(const std::string& keys) {
        RecordingView view;
        CalculatorLogic calc(view);
        calc.ReadEquationFiles(folder.string());
        const auto captions = calc.HistoryMenuCaptions();
        std::istringstream in(keys);
        for (std::string key; in >> key;)
            EXPECT_TRUE(calc.RunKey(key)) << key;
        EXPECT_TRUE(calc.WriteEquationFiles(folder.string()));
        return captions;
    }
    std::uintmax_t Size(int n) const {
        return std::filesystem::file_size(folder / ("Equ" + std::to_string(n) + ".dat"));
    }
};

TEST_F(EquationFiles, ShutDownRotatesTheFilesNewestFirst) {
    Run("1 + 1 = 2 + 2 +");
    EXPECT_GT(Size(1), 0u);
    EXPECT_GT(Size(2), 0u);
    EXPECT_EQ(Size(3), 0u) << "an empty slot is written as an empty file";
    EXPECT_EQ(Size(5), 0u);

    const auto second = Run("3 + 3 =");
    EXPECT_EQ(second[0], "&1: 2+2");
    EXPECT_EQ(second[1], "&2: 1+1=");
    EXPECT_EQ(second[2], std::nullopt);

    const auto third = Run("");
    EXPECT_EQ(third[0], "&1: 3+3=");
    EXPECT_EQ(third[1], "&2: 2+2");
    EXPECT_EQ(third[2], "&3: 1+1=");
}

TEST_F(EquationFiles, AMissingOrBrokenFileLeavesNoGap) {
    Run("1 = 2 = 3 = 4 =");
    std::filesystem::remove(folder / "Equ2.dat");
    std::ofstream(folder / "Equ3.dat", std::ios::binary) << "3\r\nqeNoSuchOperator\r\n";

    RecordingView view;
    CalculatorLogic calc(view);
    calc.ReadEquationFiles(folder.string());
    EXPECT_EQ(calc.HistorySlots(), (Slots{1, 4, 0, 0, 0}));
    EXPECT_EQ(calc.HistoryMenuCaptions()[1], "&2: 1=");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(calc.RecallHistory(2));
    EXPECT_EQ(view.display, "1");
}

TEST_F(EquationFiles, ACombinedPercentWaitingForItsNumberIsRecalledAsItIs) {
    std::ofstream(folder / "Equ1.dat", std::ios::binary) << "250\r\nqeAdd\r\n20\r\nqePercenAdd\r\n";
    RecordingView view;
    CalculatorLogic calc(view);
    calc.ReadEquationFiles(folder.string());
    ASSERT_TRUE(calc.RecallHistory(1));
    PressKeys(calc, "10 =");
    EXPECT_EQ(view.display, "272") << "as the engine that read the file finishes it";
}

TEST_F(EquationFiles, AFolderThatCannotBeWrittenIsReported) {
    RecordingView view;
    CalculatorLogic calc(view);
    calc.ReadEquationFiles((folder / "missing").string());
    EXPECT_EQ(calc.HistorySlots(), (Slots{0, 0, 0, 0, 0}));
    calc.RunKey("5");
    calc.RunKey("=");
    EXPECT_FALSE(calc.WriteEquationFiles((folder / "missing").string()));
    EXPECT_TRUE(calc.MainEngine().IsEmpty());
}

} // namespace
} // namespace quantrel::test
