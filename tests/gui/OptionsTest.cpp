// The options dialog, opened from Tools > Options... as a user opens it: what it shows
// from the store, the live checks and OK's checks (every message box answered by the
// watchdog), what OK stores when a later check refuses, and what the main engine, the
// keys and the tape do after OK. Store and data live in a temporary folder.

#include "ModalWatchdog.h"
#include "calculator/CalculatorLogic.h"
#include "options/FormOptions.h"
#include "support/TempDir.h"
#include "window/Calculator.h"
#include "window/Placement.h"
#include "window/SettingsStore.h"
#include "window/TapeView.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quantrel::gui {
namespace {

const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

template <class T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QLineEdit* edit(QWidget& form, const char* name) {
    return child<QLineEdit>(form, name);
}
/// Replaces the field's text as a user does, key by key, then leaves the field.
void typeInto(QWidget& form, const char* name, const char* text) {
    QLineEdit* field = edit(form, name);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromLatin1(text));
    emit field->editingFinished();
}
QCheckBox* check(QWidget& form, const char* name) {
    return child<QCheckBox>(form, name);
}
QComboBox* combo(QWidget& form, const char* name) {
    return child<QComboBox>(form, name);
}
QColor textColor(QWidget& form, const char* name) {
    return edit(form, name)->palette().color(QPalette::Active, QPalette::Text);
}

class OptionsTest : public ::testing::Test {
protected:
    void TearDown() override {
        m_window.reset();
        EXPECT_EQ(m_watchdog.Pending(), 0) << "an expected dialog never opened";
    }

    /// The window on a store that holds `ini` (an INI text; empty for a first run).
    void start(const std::string& ini = {}, int startupMessages = 0) {
        if (!ini.empty())
            m_data.Write("quantrel.ini", ini);
        m_watchdog.Expect(startupMessages);
        m_window = std::make_unique<TCalculator>(
            WindowOptions{dataFile(""), NumberLocale::CommaPoint(), dataFile("quantrel.ini")});
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    /// Tools > Options...: `answer` fills in the dialog and closes it.
    void options(const std::function<void(TFormOptions&)>& answer) {
        m_watchdog.Answer(QStringLiteral("FormOptions"), [answer](QDialog& dialog) {
            answer(static_cast<TFormOptions&>(dialog));
        });
        child<QAction>(*m_window, "MoreOptions1")->trigger();
    }

    /// The message boxes `body` raises, which the watchdog answers.
    QStringList messages(int expected, const std::function<void()>& body) {
        const std::size_t before = m_watchdog.Seen().size();
        m_watchdog.Expect(expected);
        body();
        QStringList texts;
        for (std::size_t k = before; k < m_watchdog.Seen().size(); ++k) {
            EXPECT_EQ(m_watchdog.Seen()[k].icon, QMessageBox::Critical);
            texts << m_watchdog.Seen()[k].text;
        }
        return texts;
    }

    void click(const char* name) {
        QTest::mouseClick(child<QAbstractButton>(*m_window, name), Qt::LeftButton);
    }
    void clicks(std::initializer_list<const char*> names) {
        for (const char* name : names)
            click(name);
    }
    QString display() { return edit(*m_window, "Edit1")->text(); }
    QStringList tapeLines() const {
        QStringList lines = m_window->Tape().PlainText().split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    QColor tapeColor(int line) const {
        const QTextBlock block = m_window->Tape().document()->findBlockByNumber(line);
        return block.begin().fragment().charFormat().foreground().color();
    }
    QString caption(const char* name) { return child<QAbstractButton>(*m_window, name)->text(); }

    QString dataFile(const char* name) const { return QString::fromStdString(m_data.File(name)); }

    test::TempDir m_data;
    ModalWatchdog m_watchdog;
    std::unique_ptr<TCalculator> m_window;
};

// Showing.

TEST_F(OptionsTest, EveryFieldShowsItsStoredSettingOnTheFirstTab) {
    start("[Math]\nDumb=1\n[Form]\nThousSep=1\n[Tape]\nReset=1\nKeep=1\nKeepcount=250\n"
          "Digits=4\nConvDigits=10\n[Mouse]\nDown=1\n"
          "[Expand]\nSubtotals=0\nSubTotalsSymIndex=3\nSubTotalsColor=clRed\n"
          "ExpandOperSymIndex=0\n"
          "[Totals]\nBold=0\nUnder=1\nRed=1\n[Tax]\nTaxLit=VAT\nTaxRate=0.175\n"
          "[Annot]\nItalics=1\nUnder=0\nAnnotColor=$00030201\n");
    options([&](TFormOptions& form) {
        EXPECT_EQ(form.windowTitle(), "Options");
        auto* pages = child<QTabWidget>(form, "OptionsPageControl");
        ASSERT_EQ(pages->count(), 5);
        EXPECT_EQ(QStringList({pages->tabText(0), pages->tabText(1), pages->tabText(2),
                               pages->tabText(3), pages->tabText(4)}),
                  QStringList({"General", "Expand", "Totals", "Tax", "Annotation"}));
        EXPECT_EQ(pages->currentIndex(), 0);
        EXPECT_EQ(form.focusWidget(), child<QRadioButton>(form, "RadioGroupCalcMode_1"));
        EXPECT_TRUE(child<QPushButton>(form, "OKButton")->isDefault());

        EXPECT_TRUE(child<QRadioButton>(form, "RadioGroupCalcMode_1")->isChecked());
        EXPECT_TRUE(check(form, "ThousSepCheckBox")->isChecked());
        EXPECT_TRUE(check(form, "ResetOnMinCheckBox")->isChecked());
        EXPECT_TRUE(check(form, "KeepTapeCheckBox")->isChecked());
        EXPECT_EQ(edit(form, "KeepTapeCountEdit")->text(), "250");
        EXPECT_TRUE(edit(form, "KeepTapeCountEdit")->isEnabled());
        EXPECT_TRUE(check(form, "MouseDownCheckBox")->isChecked());

        EXPECT_FALSE(check(form, "SubTotalCheckBox")->isChecked());
        EXPECT_EQ(combo(form, "SubTotalComboBox")->currentText(), "( )");
        EXPECT_EQ(textColor(form, "SubTotalEdit"), kRed);
        EXPECT_EQ(edit(form, "SubTotalEdit")->text(), "99.99");
        EXPECT_TRUE(check(form, "ExpandCheckBox")->isChecked());
        EXPECT_EQ(combo(form, "ExpandComboBox")->currentText(), "none");
        EXPECT_EQ(textColor(form, "ExpandEdit"), kBlue) << "the default colour";
        EXPECT_EQ(edit(form, "DigitsEdit")->text(), "4");
        EXPECT_EQ(edit(form, "ConvEdit")->text(), "10");

        EXPECT_FALSE(check(form, "TotalBoldCheckBox")->isChecked());
        EXPECT_TRUE(check(form, "TotalUnderCheckBox")->isChecked());
        EXPECT_TRUE(check(form, "TotalRedNegCheckBox")->isChecked());
        EXPECT_EQ(edit(form, "TaxLitEdit")->text(), "VAT");
        EXPECT_EQ(edit(form, "TaxRateEdit")->text(), "17.5");
        EXPECT_TRUE(check(form, "AnnotItalicCheckBox")->isChecked());
        EXPECT_FALSE(check(form, "AnnotUnderCheckBox")->isChecked());
        EXPECT_EQ(textColor(form, "AnnotEdit"), QColor(1, 2, 3));
        EXPECT_EQ(edit(form, "AnnotEdit")->text(), "Notes");

        const QSize screen = m_window->screen()->geometry().size();
        EXPECT_EQ(form.pos(), PlaceBeside(m_window->frameGeometry().topLeft(),
                                          form.frameGeometry().size(), screen));
        form.reject();
    });
}

TEST_F(OptionsTest, TheFirstRunShowsTheDefaultsWithoutAMessage) {
    start();
    options([&](TFormOptions& form) {
        EXPECT_TRUE(child<QRadioButton>(form, "RadioGroupCalcMode_0")->isChecked());
        EXPECT_EQ(edit(form, "KeepTapeCountEdit")->text(), "99");
        EXPECT_FALSE(edit(form, "KeepTapeCountEdit")->isEnabled()) << "Keep is off";
        EXPECT_EQ(combo(form, "SubTotalComboBox")->currentText(), "{ }");
        EXPECT_EQ(combo(form, "ExpandComboBox")->currentText(), "[ ]");
        EXPECT_EQ(textColor(form, "SubTotalEdit"), kGreen);
        EXPECT_EQ(edit(form, "TaxRateEdit")->text(), "10");
        EXPECT_EQ(edit(form, "TaxLitEdit")->text(), "Tax");
        EXPECT_EQ(edit(form, "DigitsEdit")->text(), "2");
        EXPECT_EQ(edit(form, "ConvEdit")->text(), "8");
        EXPECT_EQ(edit(form, "KeepTapeCountEdit")->maxLength(), 3);
        EXPECT_EQ(edit(form, "DigitsEdit")->maxLength(), 2);
        EXPECT_EQ(edit(form, "ConvEdit")->maxLength(), 2);
        EXPECT_EQ(edit(form, "TaxLitEdit")->maxLength(), 3);
        form.reject();
    });
    EXPECT_TRUE(m_watchdog.Seen().empty());
}

TEST_F(OptionsTest, TheCheckBoxesEnableTheirFields) {
    start();
    options([&](TFormOptions& form) {
        const auto enabled = [&](std::initializer_list<const char*> names) {
            std::vector<bool> states;
            for (const char* name : names)
                states.push_back(child<QWidget>(form, name)->isEnabled());
            return states;
        };
        const std::vector<bool> on = {true, true, true}, off = {false, false, false};
        form.findChild<QTabWidget*>()->setCurrentIndex(1);
        QTest::mouseClick(check(form, "SubTotalCheckBox"), Qt::LeftButton);
        EXPECT_EQ(enabled({"SubTotalComboBox", "SubTotalEdit", "SubTotalButton"}), off);
        EXPECT_EQ(enabled({"ExpandComboBox", "ExpandEdit", "ExpandButton"}), on);
        QTest::mouseClick(check(form, "ExpandCheckBox"), Qt::LeftButton);
        EXPECT_EQ(enabled({"ExpandComboBox", "ExpandEdit", "ExpandButton"}), off);
        QTest::mouseClick(check(form, "SubTotalCheckBox"), Qt::LeftButton);
        EXPECT_EQ(enabled({"SubTotalComboBox", "SubTotalEdit", "SubTotalButton"}), on);

        form.findChild<QTabWidget*>()->setCurrentIndex(0);
        QTest::mouseClick(check(form, "KeepTapeCheckBox"), Qt::LeftButton);
        EXPECT_TRUE(edit(form, "KeepTapeCountEdit")->isEnabled());
        form.reject();
    });
}

TEST_F(OptionsTest, FieldsReloadAtEveryShowingSoCancelledEditsDoNotReappear) {
    start();
    options([&](TFormOptions& form) {
        edit(form, "TaxLitEdit")->setText(QStringLiteral("GST"));
        QTest::mouseClick(check(form, "KeepTapeCheckBox"), Qt::LeftButton);
        combo(form, "SubTotalComboBox")->setCurrentIndex(4);
        QTest::mouseClick(child<QPushButton>(form, "CancelButton"), Qt::LeftButton);
    });
    options([&](TFormOptions& form) {
        EXPECT_EQ(edit(form, "TaxLitEdit")->text(), "Tax");
        EXPECT_FALSE(check(form, "KeepTapeCheckBox")->isChecked());
        EXPECT_FALSE(edit(form, "KeepTapeCountEdit")->isEnabled());
        EXPECT_EQ(combo(form, "SubTotalComboBox")->currentIndex(), 1);
        form.reject();
    });
    EXPECT_EQ(m_window->Settings().Calc.TaxLit, "Tax");
    EXPECT_FALSE(m_window->Settings().Keep);
}

// The number fields: live checks while typing, OK's checks, and what OK stores.

struct FieldCase {
    const char* name;
    const char* field;
    const char* text;
    /// Messages of the live check and of OK; empty when none.
    const char* liveMessage;
    const char* okMessage;
    /// The stored value after an accepted OK.
    double stored;
};

void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.name;
}

double storedValue(const ProgramSettings& s, const char* field) {
    const std::string name = field;
    if (name == "TaxRateEdit")
        return s.Calc.TaxRate;
    if (name == "DigitsEdit")
        return s.Calc.Digits;
    if (name == "ConvEdit")
        return s.Calc.ConvDigits;
    return s.Keepcount;
}

class FieldTest : public OptionsTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldTest, TheLiveCheckAndOkTakeOrRefuseTheText) {
    const FieldCase& c = GetParam();
    start("[Tape]\nKeep=1\n");
    const ProgramSettings before = m_window->Settings();
    options([&](TFormOptions& form) {
        const int live = *c.liveMessage ? 1 : 0;
        EXPECT_EQ(messages(live, [&] { typeInto(form, c.field, c.text); }),
                  live ? QStringList{QString::fromLatin1(c.liveMessage)} : QStringList{});
        const int ok = *c.okMessage ? 1 : 0;
        EXPECT_EQ(messages(ok, [&] { form.OKButtonClick(); }),
                  ok ? QStringList{QString::fromLatin1(c.okMessage)} : QStringList{});
        EXPECT_EQ(form.isVisible(), ok == 1) << "a refused value keeps the dialog open";
        EXPECT_EQ(edit(form, c.field)->text(), QString::fromLatin1(c.text)) << "as typed";
        if (form.isVisible())
            form.reject();
    });
    const double expected = *c.okMessage ? storedValue(before, c.field) : c.stored;
    EXPECT_DOUBLE_EQ(storedValue(m_window->Settings(), c.field), expected);
}

TEST_F(OptionsTest, TypingIntoACheckedFieldKeepsEveryKeyAndTellsOnceWhenLeft) {
    start();
    options([&](TFormOptions& form) {
        QLineEdit* rate = edit(form, "TaxRateEdit");
        rate->selectAll();
        EXPECT_EQ(messages(0,
                           [&] {
                               QTest::keyClick(rate, Qt::Key_Backspace);
                               QTest::keyClicks(rate, QStringLiteral("ab"));
                           }),
                  QStringList{})
            << "no box in the middle of typing";
        EXPECT_EQ(rate->text(), "ab") << "every typed key lands in the field";
        EXPECT_EQ(messages(1, [&] { emit rate->editingFinished(); }),
                  QStringList{"Invalid Tax Rate"});
        EXPECT_EQ(messages(0, [&] { emit rate->editingFinished(); }), QStringList{})
            << "once per edit";
        EXPECT_EQ(messages(1, [&] { form.OKButtonClick(); }), QStringList{"Invalid Tax Rate"})
            << "OK still refuses it";
        form.reject();
    });
}

constexpr const char* kTax = "Invalid Tax Rate";
constexpr const char* kFixed = "Invalid Fixed Digits";
constexpr const char* kConv = "Invalid Conversion Display Precision";
constexpr const char* kLines = "Invalid Number of Lines to Keep";
constexpr const char* kLinesRange = "Number of lines must be between 1 and 999";

INSTANTIATE_TEST_SUITE_P(
    Options, FieldTest,
    ::testing::Values(FieldCase{"TaxRate17_5", "TaxRateEdit", "17.5", "", "", 0.175},
                      FieldCase{"TaxRate0", "TaxRateEdit", "0", "", "", 0},
                      FieldCase{"TaxRate999", "TaxRateEdit", "999", "", "", 9.99},
                      FieldCase{"TaxRate999_5", "TaxRateEdit", "999.5", kTax, kTax, 0},
                      FieldCase{"TaxRateMinus1", "TaxRateEdit", "-1", kTax, kTax, 0},
                      FieldCase{"TaxRateEmpty", "TaxRateEdit", "", kTax, kTax, 0},
                      FieldCase{"TaxRateLetters", "TaxRateEdit", "ten", kTax, kTax, 0},
                      FieldCase{"Digits14", "DigitsEdit", "14", "", "", 14},
                      FieldCase{"Digits15", "DigitsEdit", "15", kFixed, kFixed, 0},
                      FieldCase{"DigitsNotWhole", "DigitsEdit", "1.", kFixed, kFixed, 0},
                      FieldCase{"DigitsEmpty", "DigitsEdit", "", kFixed, kFixed, 0},
                      FieldCase{"Conv10", "ConvEdit", "10", "", "", 10},
                      FieldCase{"Conv12WarnsButIsTaken", "ConvEdit", "12", kConv, "", 12},
                      FieldCase{"Conv14WarnsButIsTaken", "ConvEdit", "14", kConv, "", 14},
                      FieldCase{"Conv15", "ConvEdit", "15", kConv, kConv, 0},
                      FieldCase{"Lines999", "KeepTapeCountEdit", "999", "", "", 999},
                      FieldCase{"Lines1", "KeepTapeCountEdit", "1", "", "", 1},
                      FieldCase{"Lines0", "KeepTapeCountEdit", "0", kLinesRange, kLinesRange, 0},
                      FieldCase{"LinesMinus", "KeepTapeCountEdit", "-5", kLinesRange, kLinesRange,
                                0},
                      FieldCase{"LinesLetters", "KeepTapeCountEdit", "ab", kLines, kLines, 0},
                      FieldCase{"LinesEmpty", "KeepTapeCountEdit", "", kLines, kLines, 0}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST_F(OptionsTest, WithoutKeepingTheLineCountGoesBackTo99WhateverTheFieldSays) {
    start("[Tape]\nKeepcount=250\n");
    for (const char* typed : {"500", "xy"}) {
        SCOPED_TRACE(typed);
        options([&](TFormOptions& form) {
            QTest::mouseClick(check(form, "KeepTapeCheckBox"), Qt::LeftButton);
            messages(QString::fromLatin1(typed) == "xy" ? 1 : 0,
                     [&] { typeInto(form, "KeepTapeCountEdit", typed); });
            QTest::mouseClick(check(form, "KeepTapeCheckBox"), Qt::LeftButton);
            EXPECT_FALSE(edit(form, "KeepTapeCountEdit")->isEnabled());
            form.OKButtonClick();
            EXPECT_FALSE(form.isVisible());
        });
        EXPECT_FALSE(m_window->Settings().Keep);
        EXPECT_EQ(m_window->Settings().Keepcount, 99);
    }
}

TEST_F(OptionsTest, StoredNumbersAreCheckedAtEveryShowingAsOkChecksThem) {
    struct Stored {
        const char* ini;
        const char* field;
        const char* shown;
        const char* message; ///< empty when none
    };
    const Stored rows[] = {
        {"[Tape]\nKeep=1\nKeepcount=1000\n", "KeepTapeCountEdit", "1000", kLinesRange},
        {"[Tape]\nDigits=18\n", "DigitsEdit", "18", kFixed}, // the decimal buttons go to 18
        {"[Tape]\nConvDigits=12\n", "ConvEdit", "12", ""},   // OK takes it
    };
    for (const Stored& row : rows) {
        SCOPED_TRACE(row.ini);
        m_window.reset();
        start(row.ini);
        for (int showing = 1; showing <= 2; ++showing) {
            SCOPED_TRACE(showing);
            const QStringList told = messages(*row.message ? 1 : 0, [&] {
                options([&](TFormOptions& form) {
                    EXPECT_EQ(edit(form, row.field)->text(), row.shown) << "shown whole";
                    form.reject();
                });
            });
            EXPECT_EQ(told, *row.message ? QStringList{row.message} : QStringList{});
        }
    }
}

// What OK stores when a later check refuses, and what Cancel then keeps.

TEST_F(OptionsTest, ARefusedCheckKeepsTheEarlierStepsAfterCancel) {
    start();
    options([&](TFormOptions& form) {
        child<QRadioButton>(form, "RadioGroupCalcMode_1")->setChecked(true);
        combo(form, "SubTotalComboBox")->setCurrentIndex(3);
        edit(form, "TaxLitEdit")->setText(QStringLiteral("VAT"));
        edit(form, "TaxRateEdit")->setText(QStringLiteral("17.5"));
        check(form, "ThousSepCheckBox")->setChecked(true);
        messages(1, [&] { typeInto(form, "DigitsEdit", "15"); });
        EXPECT_EQ(messages(1, [&] { form.OKButtonClick(); }), QStringList{kFixed});
        ASSERT_TRUE(form.isVisible());
        QTest::mouseClick(child<QPushButton>(form, "CancelButton"), Qt::LeftButton);
    });
    const CalculatorSettings& kept = m_window->Settings().Calc;
    EXPECT_TRUE(kept.Dumb);
    EXPECT_EQ(kept.SubTotalsSymIndex, 3);
    EXPECT_EQ(kept.TaxLit, "VAT");
    EXPECT_DOUBLE_EQ(kept.TaxRate, 0.175);
    EXPECT_EQ(kept.Digits, 2) << "the refused step stores nothing";
    EXPECT_FALSE(kept.ThousSep) << "nor do the steps after it";

    // The main engine receives them only at the next OK or start.
    const TQuantrelEval& engine = m_window->Logic().MainEngine();
    EXPECT_FALSE(engine.DumbMath());
    EXPECT_EQ(engine.TaxLit(), "Tax");
    EXPECT_EQ(caption("ButtonPlusTax"), "+Tax");

    options([&](TFormOptions& form) {
        EXPECT_EQ(edit(form, "TaxLitEdit")->text(), "VAT") << "the stored values reload";
        EXPECT_EQ(edit(form, "TaxRateEdit")->text(), "17.5");
        form.reject();
    });
    m_window.reset();
    const SettingsTexts stored = SettingsStore(dataFile("quantrel.ini")).Read();
    EXPECT_EQ(stored.at({"Tax", "TaxLit"}), "VAT");
    EXPECT_EQ(stored.at({"Tax", "TaxRate"}), "0.175");
    EXPECT_EQ(stored.at({"Math", "Dumb"}), "1");
    EXPECT_EQ(stored.at({"Expand", "SubTotalsSymIndex"}), "3");
}

// Applying after OK.

TEST_F(OptionsTest, OkChangesTheNextCalculationButNotTheHistory) {
    start();
    clicks({"Button2", "Button11", "Button3", "Button13", "Button4", "EqualsBitBtn"});
    EXPECT_EQ(display(), "14");
    options([&](TFormOptions& form) {
        child<QRadioButton>(form, "RadioGroupCalcMode_1")->setChecked(true);
        edit(form, "TaxLitEdit")->setText(QStringLiteral("VAT"));
        edit(form, "TaxRateEdit")->setText(QStringLiteral("17.5"));
        check(form, "ThousSepCheckBox")->setChecked(true);
        edit(form, "DigitsEdit")->setText(QStringLiteral("3"));
        form.OKButtonClick();
    });
    EXPECT_EQ(caption("ButtonPlusTax"), "+VAT");
    EXPECT_EQ(caption("ButtonMinusTax"), "-VAT");
    EXPECT_EQ(caption("ButtonTaxInc"), "VAT(i)");
    EXPECT_EQ(caption("ButtonTaxExcl"), "VAT(e)");
    EXPECT_EQ(child<QLabel>(*m_window, "StatusPanel1")->text(), "As Entered");

    // As entered: 2 + 3 = 5, then * 4.
    clicks({"Button2", "Button11", "Button3", "Button13", "Button4", "EqualsBitBtn"});
    EXPECT_EQ(display(), "20");
    child<QTabWidget>(*m_window, "PageControl1")->setCurrentIndex(4);
    clicks({"Button15", "Button1", "Button10", "Button10", "Button10", "ButtonPlusTax",
            "EqualsBitBtn"});
    EXPECT_EQ(display(), "1,175") << "thousand separators on the display";
    const QStringList lines = tapeLines();
    EXPECT_TRUE(lines.contains("1,000 +VAT")) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("[1,000 +17.5% VAT = 1,175]")) << lines.join('|').toStdString();

    const TQuantrelEval& engine = m_window->Logic().MainEngine();
    EXPECT_EQ(engine.Digits(), 3);
    EXPECT_EQ(engine.TapeFormatMode(), 1) << "the tape format is not the dialog's";
    const auto fresh = std::make_unique<TQuantrelEval>();
    for (int n = 1; n <= CalculatorLogic::kHistorySize; ++n) {
        SCOPED_TRACE(n);
        const TQuantrelEval& history = m_window->Logic().HistoryEngine(n);
        EXPECT_EQ(history.DumbMath(), fresh->DumbMath());
        EXPECT_EQ(history.TaxLit(), fresh->TaxLit());
        EXPECT_EQ(history.TaxRate(), fresh->TaxRate());
        EXPECT_EQ(history.Digits(), fresh->Digits());
    }

    child<QAction>(*m_window, "Fixed1")->trigger();
    clicks({"Button15", "Button2", "Button14", "Button3", "EqualsBitBtn"});
    EXPECT_EQ(tapeLines().last(), "= 0.667") << "three decimals in the fixed format";
}

TEST_F(OptionsTest, NoBracketsGiveSubTotalLinesWithoutBrackets) {
    start();
    options([&](TFormOptions& form) {
        combo(form, "SubTotalComboBox")->setCurrentIndex(0);
        form.OKButtonClick();
    });
    EXPECT_EQ(m_window->Settings().Calc.SubTotalsSymIndex, 0);
    clicks({"Button2", "Button11", "Button3", "Button11"});
    EXPECT_EQ(tapeLines(), QStringList({"  2", "+ 3", "= 5"}));
}

TEST_F(OptionsTest, AStoredBracketIndexOutsideTheListShowsNoItemAndOkLetsTheEngineSaySo) {
    start("[Expand]\nSubTotalsSymIndex=7\nExpandOperSymIndex=7\n", 2);
    m_watchdog.Expect(2);
    options([&](TFormOptions& form) {
        EXPECT_EQ(combo(form, "SubTotalComboBox")->currentIndex(), -1);
        EXPECT_EQ(combo(form, "ExpandComboBox")->currentIndex(), -1);
        EXPECT_EQ(combo(form, "SubTotalComboBox")->currentText(), "");
        form.OKButtonClick();
    });
    // OK's messages came after the dialog closed, in the order the engine is given them.
    const std::vector<ModalWatchdog::Dialog>& seen = m_watchdog.Seen();
    ASSERT_EQ(seen.size(), 4U);
    EXPECT_EQ(seen[2].text, "Invalid fExpandOperSymIndex");
    EXPECT_EQ(seen[3].text, "Invalid fSubTotalSymIndex");
    EXPECT_EQ(m_window->Settings().Calc.SubTotalsSymIndex, -1);
    EXPECT_EQ(m_window->Settings().Calc.ExpandOperSymIndex, -1);
    clicks({"Button2", "Button11", "Button3", "Button11"});
    EXPECT_EQ(display(), "5") << "the calculator goes on";
}

TEST_F(OptionsTest, TheDecimalButtonsDigitsShowAndTheTapeFormatStays) {
    start();
    child<QAction>(*m_window, "Fixed1")->trigger();
    QTest::mouseClick(child<QAbstractButton>(*m_window, "ToolButtonDecUp"), Qt::LeftButton);
    options([&](TFormOptions& form) {
        EXPECT_EQ(edit(form, "DigitsEdit")->text(), "3");
        form.OKButtonClick();
    });
    EXPECT_EQ(m_window->Logic().MainEngine().TapeFormatMode(), 4);
    EXPECT_EQ(m_window->Logic().MainEngine().Digits(), 3);
}

// Colours.

TEST_F(OptionsTest, AColourButtonOffersTheSamplesColourAndOkPaintsTheTape) {
    start();
    m_watchdog.Answer(QStringLiteral("ColorDialog1"), [](QDialog& dialog) {
        auto& colors = static_cast<QColorDialog&>(dialog);
        EXPECT_EQ(colors.currentColor(), kGreen) << "preselected";
        colors.setCurrentColor(kRed);
        colors.accept();
    });
    m_watchdog.Answer(QStringLiteral("ColorDialog1"), [](QDialog& dialog) {
        auto& colors = static_cast<QColorDialog&>(dialog);
        EXPECT_EQ(colors.currentColor(), kBlue);
        colors.setCurrentColor(kGreen);
        colors.reject();
    });
    options([&](TFormOptions& form) {
        form.findChild<QTabWidget*>()->setCurrentIndex(1);
        QTest::mouseClick(child<QPushButton>(form, "SubTotalButton"), Qt::LeftButton);
        EXPECT_EQ(textColor(form, "SubTotalEdit"), kRed);
        form.findChild<QTabWidget*>()->setCurrentIndex(4);
        QTest::mouseClick(child<QPushButton>(form, "AnnotButton"), Qt::LeftButton);
        EXPECT_EQ(textColor(form, "AnnotEdit"), kBlue) << "a cancelled choice changes nothing";
        form.OKButtonClick();
    });
    EXPECT_EQ(m_window->Settings().SubTotalsColor, "clRed");
    EXPECT_EQ(m_window->Settings().AnnotColor, "clBlue");
    clicks({"Button2", "Button11", "Button3", "Button11"});
    ASSERT_EQ(tapeLines().size(), 3);
    EXPECT_EQ(tapeColor(2), kRed) << "the sub-total line";
}

} // namespace
} // namespace quantrel::gui
