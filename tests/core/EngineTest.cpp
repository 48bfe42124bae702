// Entry, evaluation, navigation and replay of the engine, driven by key lines.

#include "EngineHarness.h"
#include "support/ExtendedMatch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quantrel::test {
namespace {

TEST(EngineProperties, NewEngineDefaults) {
    TQuantrelEval e;
    EXPECT_TRUE(e.IsEmpty());
    EXPECT_EQ(e.EquationIdx(), 1);
    EXPECT_EQ(e.Precision(), 14);
    EXPECT_EQ(e.ConvDigits(), 0);
    EXPECT_EQ(e.TaxRate(), 0.1);
    EXPECT_EQ(e.TaxLit(), "GST");
    EXPECT_EQ(e.TrigUnits(), 1);
    EXPECT_EQ(e.Digits(), 4);
    EXPECT_EQ(e.TapeFormatMode(), 1);
    EXPECT_EQ(e.BaseUnits(), 10);
    EXPECT_EQ(e.SubTotalSym(), 0);
    EXPECT_EQ(e.ExpandOperSym(), 0);
    EXPECT_TRUE(e.SubTotal());
    EXPECT_TRUE(e.ExpandOper());
    EXPECT_FALSE(e.DumbMath());
    EXPECT_FALSE(e.DumbPercen());
    EXPECT_FALSE(e.EquationInError());
    EXPECT_TRUE(e.AwaitingNumber());
}

TEST(EngineProperties, BracketIndexOutOfRangeIsReportedAndKept) {
    EngineHarness h;
    h.engine.SetSubTotalSym(3);
    h.engine.SetSubTotalSym(7);
    EXPECT_EQ(h.engine.SubTotalSym(), 7);
    h.engine.SetExpandOperSym(-1);
    EXPECT_EQ(h.engine.ExpandOperSym(), -1);
    EXPECT_EQ(h.messages, (std::vector<std::string>{"Invalid fSubTotalSymIndex",
                                                    "Invalid fExpandOperSymIndex"}));
    h.Keys("2 + 3 +");
    EXPECT_EQ(h.tape.back().text, "(= 5)"); // the pair of index 3 survived the bad index
}

struct EvalCase {
    const char* keys;
    long double display;
    bool dumbMath = false;
};

TEST(EngineEvaluation, PrecedenceAndAsEntered) {
    const EvalCase cases[] = {
        {"2 * 3 + 4 * 5 =", 26},
        {"2 + 3 * 4 =", 14},
        {"2 + 3 * 4 =", 20, true},
        {"10 - 4 - 3 =", 3},
        {"2 ^ 3 ^ 2 =", 64},
        {"2 + 3 * 4 * 5 =", 62},
        {"2 + 9 sqrt =", 5},
        {"2 + 9 sqrt =", std::sqrt(11.0L), true},
        {"( 2 + 3 ) * 4 =", 20},
        {"( 2 + 3 ) * 4 =", 20, true},
        {"7 =", 7},
        {"2 + 3 = + 4 =", 9},
        {"2 + =", 2},
        {"2 + sqrt =", std::sqrt(2.0L)},
        {"200 + 10 % =", 220},
        {"200 - 10 % =", 180},
        {"200 * 10 % =", 20},
        {"200 / 10 % =", 2000},
        {"2 * ( 3 + ( 4 - 1 ) * 2 ) =", 18},
        {"1 - 2 * 3 ^ 2 =", -17},
        {"8 / 2 / 2 =", 2},
        {"8 / 2 / 2 =", 2, true},
        {"3 + 4 sqr * 2 =", 35},
        {"2 - 3 +/- =", 5},
        {"20 mod 6 + 1 =", 3},
        {"2 + 3 *", 3},
        {"2 + 3 +", 5},
        {"2 + 9 sqrt", 3},
    };
    for (const EvalCase& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + (c.dumbMath ? " (as entered)" : ""));
        EngineHarness h;
        h.engine.SetDumbMath(c.dumbMath);
        ASSERT_TRUE(h.Keys(c.keys));
        EXPECT_PRED_FORMAT3(ExtendedNear, h.Display(), c.display, 1e-12L);
    }
}

TEST(EngineEntry, PendingOperatorIsReplaced) {
    EngineHarness h;
    h.Keys("2 + -");
    EXPECT_EQ(h.engine.EquationIdx(), 2);
    EXPECT_EQ(h.engine.Entry(2).Oper, qeMinus);
    EXPECT_TRUE(h.engine.AwaitingNumber());

    h.Keys("sqrt");
    EXPECT_EQ(h.engine.Entry(2).Oper, qeSqrt);
    EXPECT_FALSE(h.engine.AwaitingNumber());
    EXPECT_EQ(h.Display(), std::sqrt(2.0L)); // shown at once
}

TEST(EngineEntry, CombinedPercent) {
    EngineHarness h;
    h.Keys("200 + 10 %");
    EXPECT_EQ(h.engine.EquationIdx(), 2);
    EXPECT_EQ(h.engine.Entry(2).Oper, qePercenAdd);
    EXPECT_EQ(h.Display(), 10);
    h.Keys("=");
    EXPECT_EQ(h.Display(), 220);

    EngineHarness plain;
    plain.engine.SetDumbPercen(true);
    plain.Keys("200 + 10 %");
    EXPECT_EQ(plain.engine.Entry(3).Oper, qePercen);
    EXPECT_PRED_FORMAT3(ExtendedNear, plain.Display(), 0.1L, 1e-15L);
    plain.Keys("=");
    EXPECT_PRED_FORMAT3(ExtendedNear, plain.Display(), 200.1L, 1e-12L);
}

TEST(EngineEntry, EqualsReportsTheValueTwice) {
    EngineHarness h;
    h.Keys("2 + 3 =");
    EXPECT_EQ(h.shown, (std::vector<Extended>{2, 5, 5}));
    EXPECT_FALSE(h.engine.AwaitingNumber());
}

TEST(EngineEntry, ParenthesesRaisePriorityAndAreCountedOnTheLastEntry) {
    EngineHarness h;
    EXPECT_FALSE(h.engine.CloseParen());
    h.Keys("( 2 + ( 3");
    EXPECT_EQ(h.engine.ParenDepth(), 2);
    EXPECT_TRUE(h.engine.HasOpenParen());
    EXPECT_EQ(h.engine.Entry(1).Parens, 1);
    EXPECT_EQ(h.engine.Entry(2).Parens, 1);
    EXPECT_EQ(h.engine.Entry(2).Priority, 105);
    h.Keys(") )");
    EXPECT_EQ(h.engine.Entry(2).Parens, -1);
    EXPECT_FALSE(h.engine.HasOpenParen());
}

TEST(EngineEntry, MemoryNumberIsAskedFor) {
    EngineHarness h;
    h.memory = 5;
    h.Keys("mem + 2 =");
    EXPECT_EQ(h.Display(), 7);
    EXPECT_TRUE(h.engine.Entry(1).IsGetMem);
    h.memory = 10; // a replay asks again and takes the memory's present value
    EXPECT_EQ(h.engine.Replay(0), 12);
}

TEST(EngineEntry, EquationLimit) {
    EngineHarness h;
    h.Keys("1");
    for (int i = 2; i <= kMaxEquationEntries; ++i)
        ASSERT_TRUE(h.Keys("+ 1"));
    EXPECT_EQ(h.engine.EquationIdx(), 499);
    EXPECT_TRUE(h.messages.empty());

    EXPECT_FALSE(h.Keys("+"));
    EXPECT_EQ(h.messages, std::vector<std::string>{"Equation Limit Reached!"});
    EXPECT_EQ(h.engine.EquationIdx(), 499);
    EXPECT_EQ(h.engine.MaxCompleteEquationIdx(), 499);

    // A combined percent needs no new entry, so it still works at the limit.
    EXPECT_TRUE(h.Keys("%"));
    EXPECT_EQ(h.engine.Entry(499).Oper, qePercenAdd);
}

TEST(EngineEntry, ErrorStateRefusesUntilReset) {
    EngineHarness h;
    ASSERT_TRUE(h.Keys("5 / 0 ="));
    EXPECT_TRUE(h.engine.EquationInError());
    EXPECT_EQ(h.Display(), 0);
    const int idx = h.engine.EquationIdx();
    EXPECT_THROW(h.engine.EnterNumber(false, 1), SilentAbort);
    EXPECT_THROW(h.engine.EnterOperator(qeAdd), SilentAbort);
    EXPECT_EQ(h.engine.EquationIdx(), idx);

    h.engine.Reset();
    EXPECT_FALSE(h.engine.EquationInError());
    EXPECT_TRUE(h.Keys("1 + 1 ="));
    EXPECT_EQ(h.Display(), 2);
}

TEST(EngineNavigation, StepsBackAndForthOverNumbers) {
    EngineHarness h;
    h.Keys("2 + 3 * 4 =");
    const auto cursorNumber = [&] { return h.engine.CurrentNumber(); };
    ASSERT_TRUE(h.engine.MovePrev());
    EXPECT_EQ(cursorNumber(), 4); // after a result, the first step shows the last number
    ASSERT_TRUE(h.engine.MovePrev());
    EXPECT_EQ(cursorNumber(), 3);
    ASSERT_TRUE(h.engine.MovePrev());
    EXPECT_EQ(cursorNumber(), 2);
    EXPECT_EQ(h.engine.CursorIdx(), 1);
    EXPECT_FALSE(h.engine.CanMovePrev());
    EXPECT_FALSE(h.engine.MovePrev());
    EXPECT_EQ(h.engine.CursorIdx(), 1);

    ASSERT_TRUE(h.engine.MoveNext());
    EXPECT_EQ(cursorNumber(), 3);
    ASSERT_TRUE(h.engine.MoveNext());
    EXPECT_EQ(cursorNumber(), 4);
    EXPECT_FALSE(h.engine.CanMoveNext()); // the equals entry has no number
    EXPECT_EQ(h.shown.back(), 4);         // CurrentNumber reports to the display
}

TEST(EngineNavigation, AfterBinaryOperatorTheShownNumberIsSkipped) {
    EngineHarness h;
    h.Keys("2 + 3 *");
    EXPECT_EQ(h.engine.CursorIdx(), 2);
    ASSERT_TRUE(h.engine.MovePrev());
    EXPECT_EQ(h.engine.CursorIdx(), 1);
}

TEST(EngineNavigation, CursorSelectsItsTapeLine) {
    EngineHarness h;
    h.Keys("12 + 345 =");
    // Lines: "  12" (0..3), "+ 345" starting at 4+2.
    h.engine.MovePrev();
    EXPECT_EQ(h.engine.CursorSelStart(), 6);
    EXPECT_EQ(h.engine.CursorSelLength(), 5);
    h.engine.MovePrev();
    EXPECT_EQ(h.engine.CursorSelStart(), 0);
    EXPECT_EQ(h.engine.CursorSelLength(), 4);

    h.engine.ShiftTapePositions(6, 5);
    EXPECT_EQ(h.engine.Entry(2).TapeSelStart, 11);
    EXPECT_EQ(h.engine.Entry(1).TapeSelStart, 0);
    h.engine.ShiftTapePositions(5, -2);
    EXPECT_EQ(h.engine.Entry(2).TapeSelStart, 9);
}

TEST(EngineReplay, ReplayRebuildsTheSameEquation) {
    EngineHarness h;
    h.Keys("200 * 10 % =");
    TEquationBuffer before;
    h.engine.CopyEquation(before);
    const std::size_t linesBefore = h.tape.size();

    EXPECT_EQ(h.engine.Replay(0), 20);
    EXPECT_EQ(h.engine.EquationIdx(), 3);
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(h.engine.Entry(i).Oper, before[i].Oper);
        EXPECT_EQ(h.engine.Entry(i).NumEnt, before[i].NumEnt);
    }
    // The whole calculation is written again.
    ASSERT_EQ(h.tape.size(), 2 * linesBefore);
    EXPECT_TRUE(
        std::equal(h.tape.begin(), h.tape.begin() + linesBefore, h.tape.begin() + linesBefore));
}

TEST(EngineReplay, EditedNumberReplaysUpToTheCursor) {
    EngineHarness h;
    h.Keys("2 + 3 * 4 =");
    h.engine.MovePrev();
    h.engine.MovePrev(); // on 3
    h.engine.ReplaceNumber(5);
    EXPECT_EQ(h.engine.Replay(h.engine.CursorIdx()), 5);
    EXPECT_EQ(h.engine.EquationIdx(), 2);
    EXPECT_TRUE(h.Keys("* 4 ="));
    EXPECT_EQ(h.Display(), 22);

    h.engine.MovePrev();
    h.engine.MovePrev();
    h.engine.ReplaceNumber(6);
    EXPECT_EQ(h.engine.Replay(0), 26); // everything, with the new number
}

TEST(EngineReplay, ParenthesesSurviveReplay) {
    EngineHarness h;
    h.Keys("( 2 + 3 ) * 4 =");
    EXPECT_EQ(h.engine.Replay(0), 20);
    EXPECT_EQ(h.engine.Entry(1).Parens, 1);
    EXPECT_EQ(h.engine.Entry(2).Parens, -1);
}

TEST(EngineReplay, ReplayStopsAtAnError) {
    EngineHarness h;
    h.Keys("4 / 2 + 6 =");
    h.engine.MovePrev();
    h.engine.MovePrev(); // on 2
    h.engine.ReplaceNumber(0);
    EXPECT_THROW(h.engine.Replay(0), SilentAbort);
    EXPECT_TRUE(h.engine.EquationInError());
    EXPECT_EQ(h.engine.EquationIdx(), 3); // rebuilt up to the + that met the error
    EXPECT_EQ(h.errors, std::vector<std::string>{"Cannot Divide by Zero"});
}

TEST(EngineReplay, EnginesExchangeEquationsWithoutSharingState) {
    EngineHarness main;
    TQuantrelEval history; // no handlers, as the history engines have
    main.Keys("( 1 + 2 ) * 3 + 10 % =");
    TEquationBuffer copy;
    main.engine.CopyEquation(copy);
    history.AssignEquation(copy, main.engine.EquationIdx());
    EXPECT_EQ(history.EquationIdx(), main.engine.EquationIdx());
    EXPECT_EQ(history.Entry(1).Result, main.engine.Entry(1).Result);

    main.engine.Reset();
    main.engine.SetDumbMath(true);
    EXPECT_FALSE(history.IsEmpty());
    EXPECT_FALSE(history.DumbMath());

    // An engine can be rebuilt from its own copy, and an empty one stays empty.
    history.CopyEquation(copy);
    history.AssignEquation(copy, history.EquationIdx());
    EXPECT_PRED_FORMAT3(ExtendedNear, history.Entry(1).Result, 9.9L, 1e-12L);
    TQuantrelEval empty;
    empty.CopyEquation(copy);
    history.AssignEquation(copy, empty.EquationIdx());
    EXPECT_TRUE(history.IsEmpty());
}

} // namespace
} // namespace quantrel::test
