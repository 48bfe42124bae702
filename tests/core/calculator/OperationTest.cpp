// The operator dispatch and the commands around it: whole calculations keyed in,
// parentheses, Hyp, hexadecimal mode, constants, tape format and status bar.

#include "RecordingView.h"
#include "support/ExtendedMatch.h"

#include "calculator/PhysicalConstants.h"
#include "numeric/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

namespace quantrel::test {
namespace {

using Operations = CalculatorFixture;
using Lines = std::vector<std::string>;

struct Session {
    const char* keys;
    Lines tape;
    const char* display;
    std::vector<Message> messages;
};

TEST_F(Operations, KeyedCalculationsGiveTheirTape) {
    const Session sessions[] = {
        {"2 + 3 * 4 =", {"  2", "+ 3", "* 4", "= 14"}, "14", {}},
        {"+ 5 =", {"  0", "+ 5", "= 5"}, "5", {}},
        {"2 + 3 = + 1 =", {"  2", "+ 3", "= 5", "+ 1", "= 6"}, "6", {}},
        {"( 2 + 3 * 4 =", {"  (2", "+ 3", "* 4)", "= 14"}, "14", {}},
        {"5 ( 2 + 1 ) * 3 =", {"  (2", "+ 1)", "{= 3}", "* 3", "= 9"}, "9", {}},
        {"2 + 3 ) =", {"  2", "+ 3", "= 5"}, "5", {}},
        {"=", {}, "0", {}},
        {"9 = +/-", {"  9", "= 9", "+/-(9)", "[+/-(9) = -9]", "{= -9}"}, "-9", {}},
        {"1 / 0 = 5 =",
         {"Cannot Divide by Zero", "  1", "/ 0", "= 0", "------------", "  5", "= 5"},
         "5",
         {{"Cannot Divide by Zero", MessageKind::Error}}},
        // After an error "=" is refused silently; the next operator drops the failed
        // calculation and carries on with the number shown.
        {"1 / 0 + 5 = + 2 =",
         {"Cannot Divide by Zero", "  5", "+ 2", "= 7"},
         "7",
         {{"Cannot Divide by Zero", MessageKind::Error}}},
        {"1 0 0 + 1 0 % =", {"  100", "+ 10%", "= 110"}, "110", {}},
        {"1 0 0 +tax =", {"  100 +Tax", "[100 +10% Tax = 110]", "{= 110}", "= 110"}, "110", {}},
    };
    for (const Session& s : sessions) {
        SCOPED_TRACE(s.keys);
        RecordingView fresh;
        CalculatorLogic logic(fresh);
        PressKeys(logic, s.keys);
        EXPECT_EQ(fresh.TapeTexts(), s.tape);
        EXPECT_EQ(fresh.display, s.display);
        EXPECT_EQ(fresh.messages, s.messages);
    }
}

// Sums, differences and products of repeating fractions keep the digits the display
// shows, so the next operation does not show the loss. Exact values from fractions.
TEST_F(Operations, ChainsWithRepeatingFractionsKeepTheirDigits) {
    struct Chain {
        const char* keys;
        const char* exact; // 21 significant digits
    };
    const Chain chains[] = {
        {"( 1 / 3 + 1 ) * 3 =", "4"},
        {"1 / 7 + 2 = * 7 =", "15"},
        {"10 / 3 + 5 = * 3 =", "25"},
        {"1 / 3 + 100 = * 3 =", "301"},
        {"1000 * ( 1 + 0.05 / 12 ) pow 12 =", "1051.16189788173318980"},
        {"1 / 3 + 1 / 3 + 1 / 3 =", "1"},
        {"1 / 6 + 1 / 3 = * 6 =", "3"},
        {"5 / 9 + 0.25 = * 36 =", "29"},
        {"100 / 7 + 100 / 7 = * 7 =", "200"},
        {"0.1 + 1 / 3 = * 30 =", "13"},
        {"2 / 3 - 1 = * 3 =", "-1"},
        {"22 / 7 - 3 = * 7 =", "1"},
        {"1 / 3 + 1 = frac * 3 =", "1"},
        {"1 / 3 + 1 = sqr * 9 =", "16"},
        {"1 / 3 = +tax * 3 =", "1.1"},
        {"200 / 3 + 10 % =", "73.3333333333333333333"},
        {"1 / 3 + 2 / 3 * 3 =", "2.33333333333333333333"},
        {"1 / 7 + 1 = * 3 =", "3.42857142857142857143"},
        {"12345.678 / 9 + 0.001 = * 9 =", "12345.687"},
        {"1 / 81 + 1 = * 81 =", "82"},
        {"999 / 7 + 0.5 = * 14 =", "2005"},
    };
    const NumberLocale& plain = NumberLocale::Plain();
    for (const Chain& chain : chains) {
        SCOPED_TRACE(chain.keys);
        RecordingView fresh;
        CalculatorLogic logic(fresh);
        PressKeys(logic, chain.keys);
        const Extended exact = *ParseNumber(chain.exact, plain);
        EXPECT_EQ(GeneralText(logic.Entry().ShownValue(), 14, plain), GeneralText(exact, 14, plain))
            << Digits21(logic.Entry().ShownValue());
        EXPECT_EQ(fresh.display, GeneralText(exact, 15, plain));
    }
}

TEST_F(Operations, TotalsAreMarkedAndNegativeTotalsFlagged) {
    Keys("2 - 5 =");
    EXPECT_EQ(view.tape.back(), (TapeLine{"= -3", taTotal, true}));
}

TEST_F(Operations, EqualsOnAnEmptyCalculationLeavesItEmpty) {
    Keys("=");
    EXPECT_TRUE(calc.MainEngine().IsEmpty());
    Keys("5 =");
    EXPECT_EQ(calc.HistorySlots()[0], 0) << "no blank calculation went to the history";
}

TEST_F(Operations, OpenParenthesesShowInTheStatusBarUntilEquals) {
    Keys("(");
    EXPECT_EQ(view.panels[3], "(=1");
    EXPECT_TRUE(view.enabled[CalcControl::ButtonRParen]);
    Keys("2 + (");
    EXPECT_EQ(view.panels[3], "(=2");
    Keys("3 )");
    EXPECT_EQ(view.panels[3], "(=1");
    Keys("* 4 =");
    EXPECT_EQ(view.panels[3], "");
    EXPECT_FALSE(view.enabled[CalcControl::ButtonRParen]);
    EXPECT_EQ(view.display, "14");
}

TEST_F(Operations, OpenParenthesisDropsTheNumberBeingTyped) {
    Keys("2 + 5 (");
    EXPECT_TRUE(calc.Entry().NumberInProgress());
    EXPECT_EQ(calc.Entry().EntryValue(), 0);
    Keys("=");
    EXPECT_EQ(view.TapeTexts(), (Lines{"  2", "+ 0", "= 2"}));
}

TEST_F(Operations, CloseParenthesisWithNoneOpenDoesNothing) {
    Keys("2 ) 3");
    EXPECT_EQ(view.display, "23");
}

TEST_F(Operations, HypSwitchesTheTrigonometricKeys) {
    EXPECT_EQ(view.captions[CalcControl::ButtonSin], "Sin");
    Keys("hyp");
    EXPECT_TRUE(view.checked[CalcControl::HypCheckBox1]);
    const std::pair<CalcControl, const char*> captions[] = {
        {CalcControl::ButtonSin, "Sinh"},   {CalcControl::ButtonCos, "Cosh"},
        {CalcControl::ButtonTan, "Tanh"},   {CalcControl::ButtonAsin, "aSinh"},
        {CalcControl::ButtonAcos, "aCosh"}, {CalcControl::ButtonAtan, "aTanh"}};
    for (const auto& [control, caption] : captions)
        EXPECT_EQ(view.captions[control], caption);
    Keys("1 sin");
    EXPECT_EQ(calc.MainEngine().Entry(2).Oper, qeSinh);
    Keys("hyp");
    EXPECT_FALSE(calc.Hyp());
    EXPECT_EQ(view.captions[CalcControl::ButtonAtan], "aTan");
    Keys("c 1 sin");
    EXPECT_EQ(calc.MainEngine().Entry(2).Oper, qeSin);
}

TEST_F(Operations, HexadecimalModeSwitchesKeysAndEngines) {
    EXPECT_FALSE(view.enabled[CalcControl::ButtonA]);
    EXPECT_TRUE(view.enabled[CalcControl::ButtonExp]);
    Keys("2 = hex");
    for (const CalcControl key : {CalcControl::ButtonA, CalcControl::ButtonF})
        EXPECT_TRUE(view.enabled[key]);
    for (const CalcControl key :
         {CalcControl::Button17, CalcControl::ButtonSqrt, CalcControl::ButtonPi,
          CalcControl::ButtonExp, CalcControl::ButtonYroot, CalcControl::ButtonInvLn})
        EXPECT_FALSE(view.enabled[key]);
    EXPECT_EQ(calc.MainEngine().BaseUnits(), 16);
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(calc.HistoryEngine(n).BaseUnits(), 16);
    EXPECT_EQ(calc.HistoryMenuCaptions()[0], std::nullopt);
    Keys("dec");
    EXPECT_EQ(calc.MainEngine().BaseUnits(), 10);
    EXPECT_TRUE(view.enabled[CalcControl::ButtonExp]);
}

TEST_F(Operations, KeysDisabledInHexadecimalDoNothingFromTheKeyboard) {
    Keys("hex 4");
    for (const char* key : {"sqrt", "recip", "sin", "log", "e^x", "root", "exp", ".", "pi"}) {
        SCOPED_TRACE(key);
        Keys(key);
        EXPECT_TRUE(calc.MainEngine().IsEmpty());
        EXPECT_EQ(calc.Entry().EntryValue(), 4);
    }
    Keys("sqr");
    EXPECT_EQ(view.display, "00000000000000000010");
}

TEST(Constants, EachIsItsBitPatternAndCloseToItsDecimal) {
    const char* decimals[] = {"3.1415926535897932383",
                              "2.718281828459045235",
                              "9.10938188E-31",
                              "1.67262158E-27",
                              "3.3435831E-27",
                              "1.66053873E-27",
                              "1.2566370614E-6",
                              "8.854187817E-12",
                              "6.62606876E-34",
                              "299792458",
                              "6.673E-11",
                              "9.80665",
                              "6.02214199E+23",
                              "1.3806503E-23",
                              "2.2413996E-2",
                              "2.8977686E-3",
                              "5.6704E-8",
                              "1.16639E-5",
                              "0.23117",
                              "80.419",
                              "91.1882",
                              "0.1185"};
    const auto constants = PhysicalConstants();
    ASSERT_EQ(constants.size(), std::size(decimals));
    int separators = 0;
    for (std::size_t i = 0; i < constants.size(); ++i) {
        const PhysicalConstant& c = constants[i];
        SCOPED_TRACE(c.Caption);
        const Extended value = c.Value();
        std::uint64_t mantissa = 0;
        std::uint16_t signExponent = 0;
        std::memcpy(&mantissa, &value, sizeof mantissa);
        std::memcpy(&signExponent, reinterpret_cast<const char*>(&value) + 8, sizeof signExponent);
        EXPECT_EQ(mantissa, c.Mantissa);
        EXPECT_EQ(signExponent, c.SignExponent);
        const Extended decimal = std::strtold(decimals[i], nullptr);
        EXPECT_LE(std::fabs(value - decimal), 1E-18L * std::fabs(decimal));
        separators += c.SeparatorBefore ? 1 : 0;
    }
    EXPECT_EQ(separators, 6);
}

TEST_F(Operations, ConstantsBecomeTheNumberInProgress) {
    Keys("2 + pi");
    EXPECT_EQ(calc.Entry().EntryValue(), PhysicalConstants()[0].Value());
    EXPECT_EQ(view.display, "3.14159265358979");
    Keys("7");
    EXPECT_EQ(view.display, "7") << "a digit replaces the constant";
    Keys("const:10 =");
    EXPECT_EQ(view.display, "299792460");
}

TEST_F(Operations, TapeFormatCommandsSetTheEngineHintsAndStatusBar) {
    EXPECT_EQ(view.panels[1], "Arithmetic");
    EXPECT_EQ(view.panels[2], "General");
    EXPECT_EQ(view.hints[CalcControl::ToolButtonFormat], "Tape Format:General");
    EXPECT_FALSE(view.enabled[CalcControl::ToolButtonDecUp]);
    const struct {
        const char* keys;
        std::int32_t mode;
        std::int32_t digits;
        const char* panel;
        const char* hint;
        CalcControl item;
    } steps[] = {
        {"scientific", 2, 2, "Scient. (2)", "Tape Format:Scientific", CalcControl::Exponent1},
        {"digits+", 2, 3, "Scient. (3)", "Tape Format:Scientific", CalcControl::Exponent1},
        {"currency", 3, 3, "Currency", "Tape Format:Currency", CalcControl::Currency1},
        {"fixed digits-", 4, 2, "Fixed (2)", "Tape Format:Fixed", CalcControl::Fixed1},
        {"general", 1, 2, "General", "Tape Format:General", CalcControl::General1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys);
        Keys(step.keys);
        EXPECT_EQ(calc.MainEngine().TapeFormatMode(), step.mode);
        EXPECT_EQ(calc.MainEngine().Digits(), step.digits);
        EXPECT_EQ(view.panels[2], step.panel);
        EXPECT_EQ(view.hints[CalcControl::ToolButtonFormat], step.hint);
        EXPECT_TRUE(view.checked[step.item]);
        EXPECT_EQ(view.enabled[CalcControl::ToolButtonDecUp], step.mode == 2 || step.mode == 4);
    }
    EXPECT_EQ(calc.Settings().NumOpt, 1);
    for (int i = 0; i < 25; ++i)
        calc.IncreaseDigits();
    EXPECT_EQ(calc.MainEngine().Digits(), 18);
    for (int i = 0; i < 25; ++i)
        calc.DecreaseDigits();
    EXPECT_EQ(calc.MainEngine().Digits(), 0);
    EXPECT_EQ(calc.Settings().Digits, 0);
    for (const std::int32_t next : {2, 3, 4, 1}) {
        calc.NextTapeFormat();
        EXPECT_EQ(calc.MainEngine().TapeFormatMode(), next);
    }
    calc.SetTapeHidden(true);
    EXPECT_EQ(view.panels[2], "");
    Keys("(");
    EXPECT_EQ(view.panels[3], "(=1") << "open parentheses show with the tape hidden too";
}

TEST_F(Operations, DecimalHintsPreviewTheShownValue) {
    Keys("1 2 3 4 . 5 6 7 8 fixed");
    EXPECT_EQ(view.hints[CalcControl::ToolButtonDecUp], "Fixed: 1,235.00");
    EXPECT_EQ(view.hints[CalcControl::ToolButtonDecDown], "Fixed: 1,235.00");
    Keys("scientific");
    EXPECT_EQ(view.hints[CalcControl::ToolButtonDecUp], "Scientific: 1.23E+3");
    Keys("general");
    EXPECT_EQ(view.hints[CalcControl::ToolButtonDecUp], "");
}

TEST_F(Operations, AngleUnitsSetOnlyTheMainEngine) {
    const std::pair<const char*, std::int32_t> units[] = {{"rad", 2}, {"grad", 3}, {"deg", 1}};
    for (const auto& [key, trigUnits] : units) {
        Keys(key);
        EXPECT_EQ(calc.MainEngine().TrigUnits(), trigUnits);
        EXPECT_EQ(calc.HistoryEngine(1).TrigUnits(), 1);
    }
    Keys("rad 1 8 0 sin");
    EXPECT_PRED_FORMAT3(ExtendedNear, calc.Entry().ShownValue(), std::sin(180.0L), 1E-18L);
}

TEST_F(Operations, FirstRunSettingsReachTheMainEngine) {
    const TQuantrelEval& engine = calc.MainEngine();
    EXPECT_EQ(engine.TapeFormatMode(), 1);
    EXPECT_EQ(engine.Digits(), 2);
    EXPECT_EQ(engine.ConvDigits(), 8);
    EXPECT_TRUE(engine.SubTotal());
    EXPECT_TRUE(engine.ExpandOper());
    EXPECT_EQ(engine.SubTotalSym(), 1);
    EXPECT_EQ(engine.ExpandOperSym(), 2);
    EXPECT_FALSE(engine.DumbMath());
    EXPECT_EQ(engine.TaxLit(), "Tax");
    EXPECT_EQ(engine.TaxRate(), 0.1);
    EXPECT_EQ(engine.TrigUnits(), 1);
    EXPECT_EQ(engine.BaseUnits(), 10);
    EXPECT_EQ(view.captions[CalcControl::ButtonPlusTax], "+Tax");
    EXPECT_EQ(view.captions[CalcControl::ButtonMinusTax], "-Tax");
    EXPECT_EQ(view.captions[CalcControl::ButtonTaxInc], "Tax(i)");
    EXPECT_EQ(view.captions[CalcControl::ButtonTaxExcl], "Tax(e)");
    EXPECT_EQ(view.captions[CalcControl::Button17], ".");
    EXPECT_EQ(view.display, "0");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(calc.Settings(), CalculatorSettings{});
}

TEST_F(Operations, ChangedSettingsApplyToTheEngineAndKeys) {
    CalculatorSettings settings;
    settings.Dumb = true;
    settings.TaxLit = "VAT";
    settings.TaxRate = 0.2;
    settings.Subtotals = false;
    settings.ExpandOperSymIndex = 7;
    calc.ApplySettings(settings);
    EXPECT_EQ(view.panels[1], "As Entered");
    EXPECT_EQ(view.captions[CalcControl::ButtonPlusTax], "+VAT");
    EXPECT_EQ(view.messages,
              (std::vector<Message>{{"Invalid fExpandOperSymIndex", MessageKind::Error}}));
    Keys("2 + 3 * 4 =");
    EXPECT_EQ(view.display, "20");
    EXPECT_EQ(calc.Settings().TaxLit, "VAT");
}

TEST_F(Operations, OptionsApplyToTheMainEngineButKeepTheFormatAndMemory) {
    Keys("7 min");
    calc.SetTapeFormat(4);
    CalculatorSettings options = calc.Settings();
    // Stale values of the calculator's own state must not win.
    options.NumOpt = 1;
    options.MemNum = 0;
    options.Dumb = true;
    options.TaxLit = "VAT";
    options.Digits = 5;
    options.ConvDigits = 12;
    options.ThousSep = true;
    calc.ApplyOptions(options);
    EXPECT_EQ(calc.MainEngine().TapeFormatMode(), 4);
    EXPECT_EQ(calc.Settings().MemNum, 7);
    EXPECT_EQ(calc.MainEngine().Digits(), 5);
    EXPECT_EQ(calc.MainEngine().ConvDigits(), 12);
    EXPECT_EQ(view.captions[CalcControl::ButtonTaxExcl], "VAT(e)");
    EXPECT_EQ(view.panels[1], "As Entered");
    EXPECT_EQ(view.panels[2], "Fixed (5)");
    Keys("1 2 3 4 +");
    EXPECT_EQ(view.display, "1,234");
    EXPECT_FALSE(calc.HistoryEngine(1).DumbMath()) << "history engines keep their own";
}

TEST_F(Operations, KeptOptionsAreStoredButNotGivenToTheEngine) {
    CalculatorSettings options = calc.Settings();
    options.Dumb = true;
    options.TaxLit = "VAT";
    calc.KeepOptions(options);
    EXPECT_EQ(calc.Settings().TaxLit, "VAT");
    EXPECT_TRUE(calc.Settings().Dumb);
    EXPECT_EQ(calc.MainEngine().TaxLit(), "Tax");
    EXPECT_FALSE(calc.MainEngine().DumbMath());
    EXPECT_EQ(view.captions[CalcControl::ButtonPlusTax], "+Tax");
}

TEST_F(Operations, AConversionAppliesAsAHistoryItemDoes) {
    calc.LoadConvTable("");
    Keys("1 conv:Length,lmi,lkm");
    EXPECT_EQ(view.display, "1.609344");
    EXPECT_EQ(calc.CurrentConvSpec(), TConvSpec::Make("Length", "lmi", "lkm"));
    Keys("conv:Time,zs,zm conv:Length,lmi,lkm");
    const ConvHistory& history = calc.ConversionHistory();
    EXPECT_EQ(history.Entry(1), TConvSpec::Make("Length", "lmi", "lkm"));
    EXPECT_EQ(history.Entry(2), TConvSpec::Make("Time", "zs", "zm"));
    EXPECT_TRUE(history.Entry(3).Category.empty());
    EXPECT_EQ(history.MenuCaption(1, calc.MainEngine().ConvUnits()), "&1: Length miles -> km");
    EXPECT_EQ(history.MenuCaption(2, calc.MainEngine().ConvUnits()), "&2: Time sec -> min");
}

TEST_F(Operations, AnUnknownUnitIsToldOnceACommandAndConvertsToZero) {
    calc.LoadConvTable("");
    Keys("5 conv:Length,nope,gone");
    EXPECT_EQ(view.display, "0");
    EXPECT_EQ(view.messages,
              (std::vector<Message>{
                  {"Error Getting Conv Factor!\rLength\rnope\rgone", MessageKind::Error}}));
    Keys("=");
    EXPECT_EQ(view.messages.size(), 1U) << "the total uses the converted 0 and asks no more";
}

TEST(ConversionHistory, KeepsTenMostRecentFirst) {
    const auto key = [](int i) {
        std::string text = "k";
        return text += std::to_string(i);
    };
    ConvHistory history;
    for (int i = 1; i <= 11; ++i)
        history.AddConvHistory(TConvSpec::Make("Length", key(i), "lkm"));
    EXPECT_EQ(history.Entry(1).FromKey, "k11");
    EXPECT_EQ(history.Entry(10).FromKey, "k2") << "the eleventh drops the oldest";
    history.AddConvHistory(TConvSpec::Make("Length", "k8", "lkm"));
    const char* order[] = {"k8", "k11", "k10", "k9", "k7", "k6", "k5", "k4", "k3", "k2"};
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(history.Entry(k).FromKey, order[k - 1]) << k;

    // A history item hands over its own entry, which the move overwrites.
    history.AddConvHistory(history.Entry(3));
    const char* applied[] = {"k10", "k8", "k11", "k9", "k7"};
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(history.Entry(k).FromKey, applied[k - 1]) << k;
}

TEST_F(Operations, AFullEquationRefusesTheOperatorAndResetsTheEntry) {
    for (int i = 0; i < 499; ++i)
        Keys("1 +");
    EXPECT_EQ(view.messages,
              (std::vector<Message>{{"Equation Limit Reached!", MessageKind::Error}}));
    EXPECT_FALSE(calc.Entry().NumberInProgress());
    Keys("=");
    EXPECT_EQ(calc.MainEngine().EquationIdx(), 499);
}

TEST_F(Operations, TheTraceFollowsTheDebugCommand) {
    Keys("2 +");
    EXPECT_TRUE(view.trace.empty());
    calc.DebugOn();
    EXPECT_EQ(view.messages.back(), (Message{"Trace On", MessageKind::Information}));
    EXPECT_EQ(view.captions[CalcControl::MathTab], "DEBUG");
    EXPECT_TRUE(calc.MainEngine().IsDebug());
    Keys("3 =");
    EXPECT_EQ(view.trace.back(), "MainEngine Disp 5");
}

// Every key in any order: no crash, no exception, and the logic keeps answering.
TEST(Robustness, RandomKeySequencesNeverFail) {
    // Every named key, and the digits and keys with arguments at their edges.
    std::vector<std::string> keys{"0",
                                  "1",
                                  "5",
                                  "9",
                                  "12.5",
                                  "history:1",
                                  "history:3",
                                  "history:5",
                                  "const:13",
                                  "const:1",
                                  "conv:Length,lmi,lkm",
                                  "conv:Temperature,C,F",
                                  "conv:Nowhere,x,y"};
    for (const NamedKey& key : NamedKeys())
        keys.emplace_back(key.Name);
    std::mt19937 random(20240601);
    for (int run = 0; run < 200; ++run) {
        RecordingView view;
        CalculatorLogic calc(view);
        calc.LoadConvTable("");
        std::string typed;
        for (int i = 0; i < 60; ++i) {
            const std::string& key = keys[random() % keys.size()];
            typed += key + " ";
            ASSERT_NO_THROW(calc.RunKey(key)) << typed;
        }
        ASSERT_NO_THROW(calc.RunKey("=")) << typed;
        EXPECT_FALSE(view.display.empty()) << typed;
    }
}

} // namespace
} // namespace quantrel::test
