// The calculator window driven as a user drives it: mouse clicks on its keys,
// shortcuts and typed characters through the real event path, with every message box
// caught by a watchdog. Data lives in a temporary folder; the locale is pinned.

#include "ModalWatchdog.h"
#include "QtPrinters.h"
#include "calculator/CalculatorLogic.h"
#include "support/TempDir.h"
#include "window/Calculator.h"
#include "window/KeyButton.h"
#include "window/KeyTable.h"
#include "window/TapeView.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace quantrel::gui {
namespace {

const QColor kRed(255, 0, 0);
const QColor kLime(0, 255, 0);
const QColor kAqua(0, 255, 255);

class CalculatorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QGuiApplication::clipboard()->clear();
        m_window = std::make_unique<TCalculator>(
            WindowOptions{dataFile(""), NumberLocale::CommaPoint(), dataFile("quantrel.ini")});
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    void TearDown() override {
        m_window.reset();
        EXPECT_EQ(m_watchdog.Pending(), 0) << "an expected message box never opened";
    }

    template <class T = QWidget> T* find(const QString& name) const {
        T* found = m_window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction* action(const QString& name) const { return find<QAction>(name); }

    void click(const QString& name) {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }
    void clicks(std::initializer_list<const char*> names) {
        for (const char* name : names)
            click(QString::fromLatin1(name));
    }

    /// Where the keyboard's keys go: the focused control, as for a user.
    QWidget* focused() const {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget : m_window.get();
    }
    void press(QKeyCombination key) {
        QTest::keyClick(focused(), key.key(), key.keyboardModifiers());
    }
    /// Types characters one by one; digits go through their shortcuts, the rest
    /// through the window's key-press handling.
    void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(focused(), c.toLatin1());
    }

    QString display() const { return find<QLineEdit>(QStringLiteral("Edit1"))->text(); }
    QColor displayColor() const {
        return find<QLineEdit>(QStringLiteral("Edit1"))->palette().color(QPalette::Text);
    }
    QString panel(int index) const {
        return find<QLabel>(QStringLiteral("StatusPanel") + QString::number(index))->text();
    }
    QStringList tapeLines() const {
        QStringList lines = m_window->Tape().PlainText().split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    QTextCharFormat tapeFormat(int line) const {
        const QTextBlock block = m_window->Tape().document()->findBlockByNumber(line);
        return block.begin().fragment().charFormat();
    }
    /// Opens a menu as the user does, so its about-to-show handler runs, then closes it.
    void openMenu(const QString& name) {
        auto* menu = find<QMenu>(name);
        menu->popup(m_window->mapToGlobal(QPoint(10, 10)));
        menu->hide();
    }

    /// A file of the window's data folder ("" for the folder itself).
    QString dataFile(const char* name) const { return QString::fromStdString(m_data.File(name)); }

    test::TempDir m_data;
    ModalWatchdog m_watchdog;
    std::unique_ptr<TCalculator> m_window;
};

// Keys 2 + 3 X 4 = as clicks and as keyboard input give the same display and tape.

enum class Input { Clicks, Keyboard };

void PrintTo(Input input, std::ostream* out) {
    *out << (input == Input::Clicks ? "clicks" : "keyboard");
}

class TypingTest : public CalculatorWindowTest, public ::testing::WithParamInterface<Input> {};

TEST_P(TypingTest, TwoPlusThreeTimesFourShowsFourteenWithItsTape) {
    if (GetParam() == Input::Clicks) {
        clicks({"Button2", "Button11", "Button3", "Button13", "Button4", "EqualsBitBtn"});
    } else {
        type(QStringLiteral("2+3*4"));
        press(Qt::Key_Return);
    }
    EXPECT_EQ(display(), "14");
    EXPECT_EQ(tapeLines(), QStringList({"  2", "+ 3", "* 4", "= 14"}));
    const QColor windowText = m_window->Tape().palette().color(QPalette::Text);
    for (int line = 0; line < 3; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(tapeFormat(line).foreground().color(), windowText);
        EXPECT_NE(tapeFormat(line).fontWeight(), QFont::Bold);
        EXPECT_FALSE(tapeFormat(line).fontUnderline());
    }
    EXPECT_EQ(tapeFormat(3).fontWeight(), QFont::Bold) << "totals are bold";
    EXPECT_TRUE(tapeFormat(3).fontUnderline()) << "and underlined";
    EXPECT_EQ(QApplication::focusWidget(), find(QStringLiteral("EqualsBitBtn")))
        << "the focus returns to the \"=\" key, so Enter means \"=\"";
}

INSTANTIATE_TEST_SUITE_P(Input, TypingTest, ::testing::Values(Input::Clicks, Input::Keyboard),
                         [](const auto& info) {
                             return info.param == Input::Clicks ? "Clicks" : "Keyboard";
                         });

TEST_F(CalculatorWindowTest, HiddenShortcutsReachAFunctionOfEachTab) {
    struct Case {
        const char* tab;
        const char* typed;
        QKeyCombination key;
        const char* shown;
    };
    const Case cases[] = {
        {"Math x^2", "9", Qt::Key_Q, "81"},
        {"Math square root", "16", QKeyCombination(Qt::ControlModifier, Qt::Key_Q), "4"},
        {"Math 1/x", "4", Qt::Key_R, "0.25"},
        {"Trig sin", "90", Qt::Key_S, "1"},
        {"Trig asin", "1", QKeyCombination(Qt::ControlModifier, Qt::Key_S), "90"},
        {"Trig pi", "", Qt::Key_P, "3.14159265358979"},
        {"Log", "100", Qt::Key_G, "2"},
        {"Log 10^x", "3", QKeyCombination(Qt::ControlModifier, Qt::Key_G), "1000"},
        {"Tax", "100", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_A), "110"},
        {"Hex digit ignored in decimal mode", "5", Qt::Key_F, "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        press(Qt::Key_Escape);
        type(QString::fromLatin1(c.typed));
        press(c.key);
        EXPECT_EQ(display(), c.shown);
    }
}

/// The calculator logic without a window, as quantrel-tape runs it: the display and
/// the tape.
class HeadlessView : public CalculatorView {
public:
    std::string display;
    std::vector<std::string> tape;
    void ShowDisplay(const std::string& text) override { display = text; }
    void AppendTapeLine(const std::string& text, std::int32_t, bool) override {
        tape.push_back(text);
    }
    std::int32_t TapePosition() override { return 0; }
    void ShowMessage(const std::string&, MessageKind) override {}
};

TEST_F(CalculatorWindowTest, EveryKeyRunsTheCommandOfItsName) {
    // Both sides go through the keys together, so memory and modes stay alike.
    HeadlessView view;
    CalculatorLogic logic(view, {}, NumberLocale::CommaPoint());
    for (const KeyDef& key : CalculatorKeys()) {
        const std::string name(key.Key);
        SCOPED_TRACE(name);
        ASSERT_TRUE(ParseKeyName(key.Key).has_value()) << "every key has a script name";
        if (!key.HasButton())
            continue;
        // The same state on both sides: a calculation with a pending number.
        for (const char* prior : {"c", "1", "6", "+", "9"})
            ASSERT_TRUE(logic.RunKey(prior));
        press(Qt::Key_Escape);
        type(QStringLiteral("16+9"));
        const QStringList before = tapeLines();
        const std::size_t headlessBefore = view.tape.size();

        find<QAbstractButton>(QString::fromLatin1(key.Control.data(), key.Control.size()))->click();
        ASSERT_TRUE(logic.RunKey(name));
        EXPECT_EQ(display().toStdString(), view.display);
        const QStringList after = tapeLines();
        std::vector<std::string> added;
        for (qsizetype i = before.size(); i < after.size(); ++i)
            added.push_back(after[i].toStdString());
        const std::vector<std::string> headlessAdded(
            view.tape.begin() + static_cast<std::ptrdiff_t>(headlessBefore), view.tape.end());
        EXPECT_EQ(added, headlessAdded);
    }
}

TEST_F(CalculatorWindowTest, HypFollowsItsKeyAndItsCheckBox) {
    auto* hyp = find<QCheckBox>(QStringLiteral("HypCheckBox1"));
    press(Qt::Key_H);
    EXPECT_TRUE(hyp->isChecked());
    EXPECT_EQ(find<QAbstractButton>(QStringLiteral("ButtonSin"))->text(), "Sinh");
    EXPECT_EQ(find<QAbstractButton>(QStringLiteral("ButtonAtan"))->text(), "aTanh");
    type(QStringLiteral("1"));
    press(Qt::Key_S);
    EXPECT_EQ(display(), "1.1752011936438") << "S sends the hyperbolic sine";

    press(Qt::Key_H);
    EXPECT_FALSE(hyp->isChecked());
    EXPECT_EQ(find<QAbstractButton>(QStringLiteral("ButtonSin"))->text(), "Sin");

    find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    click(QStringLiteral("HypCheckBox1"));
    EXPECT_TRUE(hyp->isChecked());
    EXPECT_EQ(find<QAbstractButton>(QStringLiteral("ButtonCos"))->text(), "Cosh");
    press(Qt::Key_H);
    EXPECT_FALSE(hyp->isChecked()) << "the key and the box share one switch";
}

TEST_F(CalculatorWindowTest, HexModeSwapsWhichKeysWork) {
    const QStringList hexKeys{"ButtonA", "ButtonB", "ButtonC", "ButtonD", "ButtonE", "ButtonF"};
    const QStringList decimalKeys{"Button17",   "ButtonRecip", "ButtonSqrt",  "ButtonTan",
                                  "ButtonCos",  "ButtonSin",   "ButtonAtan",  "ButtonAcos",
                                  "ButtonAsin", "ButtonPi",    "ButtonLog",   "ButtonInvLog",
                                  "ButtonLn",   "ButtonInvLn", "ButtonYroot", "ButtonExp"};
    const auto expectEnabled = [&](const QStringList& names, bool enabled) {
        for (const QString& name : names)
            EXPECT_EQ(find(name)->isEnabled(), enabled) << name.toStdString();
    };
    expectEnabled(hexKeys, false);
    expectEnabled(decimalKeys, true);

    find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
    click(QStringLiteral("RadioGroupDecHex_1"));
    expectEnabled(hexKeys, true);
    expectEnabled(decimalKeys, false);
    type(QStringLiteral("F"));
    click(QStringLiteral("ButtonF"));
    EXPECT_EQ(display(), "000000000000000000FF");
    // Shift+A as a keyboard sends it: the capital letter is the digit as well.
    QTest::keyClick(focused(), Qt::Key_A, Qt::ShiftModifier);
    QTest::keyClick(focused(), Qt::Key_B);
    EXPECT_EQ(display(), "0000000000000000FFAB");
    QTest::keyClick(focused(), Qt::Key_Backspace);
    QTest::keyClick(focused(), Qt::Key_Backspace);

    click(QStringLiteral("RadioGroupDecHex_0"));
    expectEnabled(hexKeys, false);
    expectEnabled(decimalKeys, true);
    EXPECT_EQ(display(), "255");

    // A number too large for hexadecimal: the box, and the choice stays on "Dec.".
    type(QStringLiteral("*99999999999*99999999="));
    m_watchdog.Expect();
    click(QStringLiteral("RadioGroupDecHex_1"));
    ASSERT_EQ(m_watchdog.Seen().size(), 1U);
    EXPECT_EQ(m_watchdog.Seen().back().text, "Number too Large");
    EXPECT_TRUE(find<QAbstractButton>(QStringLiteral("RadioGroupDecHex_0"))->isChecked());
    EXPECT_FALSE(find<QAbstractButton>(QStringLiteral("RadioGroupDecHex_1"))->isChecked());
    expectEnabled(hexKeys, false);
    type(QStringLiteral("*99999999="));
    EXPECT_EQ(m_watchdog.Seen().size(), 1U) << "the next operator shows no box";
}

TEST_F(CalculatorWindowTest, MemoryShowsInTheRecallHintAndTheStatusBar) {
    auto* recall = find(QStringLiteral("ButtonMemRecall"));
    EXPECT_EQ(recall->toolTip(), "No Number in Memory");
    clicks({"Button2", "Button11", "Button3", "EqualsBitBtn", "Button18"});
    EXPECT_EQ(recall->toolTip(), "Memory = 5");
    EXPECT_EQ(panel(0), "Mem:5");

    type(QStringLiteral("7"));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_P)); // M+
    EXPECT_EQ(panel(0), "Mem:12");
    press(Qt::Key_Escape);
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_R)); // MR
    EXPECT_EQ(display(), "12");
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_L)); // MC
    EXPECT_EQ(recall->toolTip(), "No Number in Memory");
    EXPECT_EQ(panel(0), "");
}

TEST_F(CalculatorWindowTest, BackForwardEditAndReplay) {
    type(QStringLiteral("2+3*4="));
    ASSERT_EQ(display(), "14");
    auto* equalsKey = find(QStringLiteral("EqualsBitBtn"));
    auto* replayKey = find(QStringLiteral("RecalcBitBtn"));

    press(QKeyCombination(Qt::AltModifier, Qt::Key_Left));
    EXPECT_EQ(display(), "4");
    EXPECT_EQ(displayColor(), kAqua);
    EXPECT_TRUE(replayKey->isVisible());
    EXPECT_FALSE(equalsKey->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), replayKey) << "Enter now replays";
    EXPECT_EQ(m_window->Tape().SelectedTapeText(), "* 4");

    click(QStringLiteral("PrevToolButton"));
    EXPECT_EQ(display(), "3");
    EXPECT_EQ(m_window->Tape().SelectedTapeText(), "+ 3");
    EXPECT_TRUE(find(QStringLiteral("NextToolButton"))->isEnabled());

    type(QStringLiteral("5"));
    press(Qt::Key_Return);
    EXPECT_EQ(display(), "22");
    EXPECT_EQ(displayColor(), kLime);
    EXPECT_TRUE(equalsKey->isVisible());
    EXPECT_FALSE(replayKey->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), equalsKey);
    EXPECT_EQ(tapeLines().mid(4), QStringList({"------------", "  2", "+ 5", "* 4", "= 22"}));
}

TEST_F(CalculatorWindowTest, HistoryMenusCaptionTheLastCalculations) {
    type(QStringLiteral("2+3="));
    type(QStringLiteral("7*6="));
    type(QStringLiteral("1")); // starts a third calculation: 7*6 goes to slot 1

    openMenu(QStringLiteral("PrevCalculations1"));
    EXPECT_EQ(action(QStringLiteral("Equ1SubItem"))->text(), "&1: 7*6=");
    EXPECT_EQ(action(QStringLiteral("Equ2SubItem"))->text(), "&2: 2+3=");
    EXPECT_TRUE(action(QStringLiteral("Equ2SubItem"))->isVisible());
    EXPECT_FALSE(action(QStringLiteral("Equ3SubItem"))->isVisible()) << "an empty slot is hidden";

    openMenu(QStringLiteral("EquPopupMenu"));
    EXPECT_EQ(action(QStringLiteral("Equ2MenuItem"))->text(), "&2: 2+3=");

    action(QStringLiteral("Equ2SubItem"))->trigger();
    EXPECT_EQ(display(), "5");
    EXPECT_EQ(tapeLines().mid(tapeLines().size() - 4),
              QStringList({"------------", "  2", "+ 3", "= 5"}));
}

TEST_F(CalculatorWindowTest, ParenthesesEnableCloseAndShowTheirDepth) {
    auto* close = find(QStringLiteral("ButtonRParen"));
    EXPECT_FALSE(close->isEnabled());
    click(QStringLiteral("ButtonLParen"));
    EXPECT_TRUE(close->isEnabled());
    EXPECT_EQ(panel(3), "(=1");
    type(QStringLiteral("2+3"));
    click(QStringLiteral("ButtonRParen"));
    EXPECT_FALSE(close->isEnabled());
    EXPECT_EQ(panel(3), "");
    type(QStringLiteral("*4="));
    EXPECT_EQ(display(), "20");

    type(QStringLiteral("((1+2"));
    EXPECT_EQ(panel(3), "(=2");
    type(QStringLiteral("="));
    EXPECT_EQ(display(), "3") << "\"=\" closes what is open";
    EXPECT_EQ(panel(3), "");
}

TEST_F(CalculatorWindowTest, PasteTakesACleanedNumberAndRefusesText) {
    QGuiApplication::clipboard()->setText(QStringLiteral("$1,234.50"));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_V));
    EXPECT_EQ(display(), "1234.5");
    type(QStringLiteral("+1="));
    EXPECT_EQ(display(), "1235.5");

    QAction* paste = action(QStringLiteral("Paste1"));
    QGuiApplication::clipboard()->setText(QStringLiteral("no number"));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_V));
    EXPECT_EQ(display(), "1235.5");
    EXPECT_FALSE(paste->isEnabled());

    QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    EXPECT_TRUE(paste->isEnabled()) << "a number copied later can be pasted at once";
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_V));
    EXPECT_EQ(display(), "42");

    paste->setEnabled(false);
    openMenu(QStringLiteral("Edit2"));
    EXPECT_TRUE(paste->isEnabled()) << "the Edit menu checks the clipboard again";
}

TEST_F(CalculatorWindowTest, CopyTakesTheTapeSelectionElseTheDisplay) {
    type(QStringLiteral("2+3*4="));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_C));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "14");

    press(QKeyCombination(Qt::AltModifier, Qt::Key_Left));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_C));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "* 4");

    press(QKeyCombination(Qt::ControlModifier, Qt::Key_A));
    EXPECT_EQ(QApplication::focusWidget(), &m_window->Tape()) << "Select All focuses the tape";
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_C));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "  2\n+ 3\n* 4\n= 14\n");
}

/// Pixels of the tape in the selection colour, as the screen shows them now (not a
/// fresh paint, which would hide a stale highlight).
int highlightedPixels(TCalculator& window) {
    QApplication::processEvents();
    const QWidget* viewport = window.Tape().viewport();
    const QImage shown = QGuiApplication::primaryScreen()
                             ->grabWindow(window.winId())
                             .toImage()
                             .copy(QRect(viewport->mapTo(&window, QPoint(0, 0)), viewport->size()));
    const QRgb highlight = window.Tape().palette().color(QPalette::Highlight).rgb();
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            count += shown.pixel(x, y) == highlight ? 1 : 0;
    return count;
}

TEST_F(CalculatorWindowTest, ANewLineOnTheTapeEndsItsSelection) {
    type(QStringLiteral("2+3="));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_A));
    EXPECT_GT(highlightedPixels(*m_window), 0);
    type(QStringLiteral("5+6="));
    EXPECT_FALSE(m_window->Tape().textCursor().hasSelection());
    EXPECT_EQ(highlightedPixels(*m_window), 0) << "nothing may still look selected";
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_C));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "11");
}

TEST_F(CalculatorWindowTest, ArithmeticErrorIsARedLineAndAMessageBox) {
    m_watchdog.Expect();
    type(QStringLiteral("1/0="));
    ASSERT_EQ(m_watchdog.Seen().size(), 1U);
    const ModalWatchdog::Dialog& box = m_watchdog.Seen().front();
    EXPECT_EQ(box.text, "Cannot Divide by Zero");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.topLeft, m_window->frameGeometry().topLeft() + QPoint(50, 50));

    ASSERT_EQ(tapeLines().first(), "Cannot Divide by Zero");
    EXPECT_EQ(tapeFormat(0).foreground().color(), kRed);
    EXPECT_NE(tapeFormat(0).fontWeight(), QFont::Bold);

    type(QStringLiteral("2+2="));
    EXPECT_EQ(display(), "4") << "the failed calculation is dropped";
}

TEST_F(CalculatorWindowTest, FastClickActsOnThePressOnly) {
    auto* seven = find<QAbstractButton>(QStringLiteral("Button7"));
    QTest::mousePress(seven, Qt::LeftButton);
    EXPECT_EQ(display(), "0") << "off by default: keys act on release";
    QTest::mouseRelease(seven, Qt::LeftButton);
    EXPECT_EQ(display(), "7");

    m_window->SetFastClick(true);
    auto* eight = find<QAbstractButton>(QStringLiteral("Button8"));
    QTest::mousePress(eight, Qt::LeftButton);
    EXPECT_EQ(display(), "78");
    QTest::mouseRelease(eight, Qt::LeftButton);
    EXPECT_EQ(display(), "78") << "the release does not act again";
    QTest::mousePress(eight, Qt::RightButton);
    EXPECT_EQ(display(), "788") << "any mouse button";
    QTest::mouseRelease(eight, Qt::RightButton);
    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, QPoint(2, 2),
                                  eight->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(eight, &menuRequest);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr)
        << "the right press was the key, not a request for the popup menu";
    QTest::mousePress(find(QStringLiteral("EqualsBitBtn")), Qt::LeftButton);
    EXPECT_EQ(tapeLines().last(), "= 788");
    EXPECT_EQ(QApplication::focusWidget(), find(QStringLiteral("EqualsBitBtn")));
}

TEST_F(CalculatorWindowTest, KeysReachTheCalculatorWhateverHasTheFocus) {
    QTest::keyClick(focused(), Qt::Key_5, Qt::KeypadModifier);
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_A)); // the tape takes the focus
    ASSERT_EQ(QApplication::focusWidget(), &m_window->Tape());
    QTest::keyClick(focused(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(focused(), Qt::Key_2, Qt::KeypadModifier);
    QTest::keyClick(focused(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(display(), "7");
    type(QStringLiteral("9@:"));
    EXPECT_EQ(display(), "0") << "Abs then Frac of 9";
}

TEST_F(CalculatorWindowTest, ViewItemsArrangeTheWindow) {
    auto* tabs = find(QStringLiteral("PageControl1"));
    auto* tapePanel = find(QStringLiteral("TapePanel"));
    auto* central = m_window->centralWidget();
    const int height = central->height();
    const int tapeHeight = tapePanel->height();
    ASSERT_TRUE(tabs->isVisible());

    action(QStringLiteral("Advanced1"))->trigger();
    EXPECT_FALSE(tabs->isVisible());
    EXPECT_EQ(central->height(), height - tabs->height());
    EXPECT_EQ(tapePanel->height(), tapeHeight - tabs->height());

    auto* showTape = find<QToolButton>(QStringLiteral("ShowToolButton"));
    EXPECT_EQ(panel(2), "General");
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_H));
    EXPECT_FALSE(tapePanel->isVisible());
    EXPECT_EQ(central->width(), m_window->TapeLeft());
    EXPECT_EQ(showTape->toolTip(), "Show Tape");
    EXPECT_EQ(panel(2), "") << "no tape, no tape format";
    EXPECT_TRUE(action(QStringLiteral("HideTape1"))->isChecked());

    QTest::mouseClick(showTape, Qt::LeftButton);
    EXPECT_TRUE(tapePanel->isVisible());
    EXPECT_GT(central->width(), m_window->TapeLeft());
    EXPECT_EQ(showTape->toolTip(), "Hide Tape");
    EXPECT_FALSE(action(QStringLiteral("HideTape1"))->isChecked());

    action(QStringLiteral("ViewToolBar"))->trigger();
    action(QStringLiteral("ViewStatusBar"))->trigger();
    EXPECT_FALSE(find(QStringLiteral("ToolBar1"))->isVisible());
    EXPECT_FALSE(find(QStringLiteral("StatusBar1"))->isVisible());
    EXPECT_EQ(m_window->size(), m_window->minimumSize()) << "the window stays fixed-size";
    EXPECT_EQ(m_window->size(), m_window->maximumSize());
}

TEST_F(CalculatorWindowTest, ClearTapeEmptiesTheTapeOnly) {
    type(QStringLiteral("2+3="));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_Delete));
    EXPECT_TRUE(tapeLines().isEmpty());
    EXPECT_EQ(m_window->Tape().NextLineStart(), 0);
    EXPECT_EQ(display(), "5");
    type(QStringLiteral("+1="));
    EXPECT_EQ(tapeLines(), QStringList({"+ 1", "= 6"})) << "the calculation goes on";
}

TEST_F(CalculatorWindowTest, TapeFormatItemsAndButtons) {
    auto* format = find<QToolButton>(QStringLiteral("ToolButtonFormat"));
    auto* up = find<QToolButton>(QStringLiteral("ToolButtonDecUp"));
    EXPECT_TRUE(action(QStringLiteral("General1"))->isChecked());
    EXPECT_FALSE(up->isEnabled());

    action(QStringLiteral("Fixed1"))->trigger();
    EXPECT_TRUE(action(QStringLiteral("Fixed1"))->isChecked());
    EXPECT_EQ(format->toolTip(), "Tape Format:Fixed");
    EXPECT_EQ(panel(2), "Fixed (2)");
    ASSERT_TRUE(up->isEnabled());
    type(QStringLiteral("1234.5678"));
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(panel(2), "Fixed (3)");
    EXPECT_EQ(up->toolTip(), "Fixed: 1,235.000");

    QTest::mouseClick(format, Qt::LeftButton); // steps 4 -> 1
    EXPECT_TRUE(action(QStringLiteral("General1"))->isChecked());
    EXPECT_EQ(format->toolTip(), "Tape Format:General");
}

TEST_F(CalculatorWindowTest, DebugCommandTracesIntoTheDataFolder) {
    m_watchdog.Expect();
    press(QKeyCombination(Qt::ShiftModifier | Qt::ControlModifier, Qt::Key_F12));
    ASSERT_EQ(m_watchdog.Seen().size(), 1U);
    EXPECT_EQ(m_watchdog.Seen().front().text, "Trace On");
    EXPECT_EQ(m_watchdog.Seen().front().icon, QMessageBox::Information);
    auto* tabs = find<QTabWidget>(QStringLiteral("PageControl1"));
    EXPECT_EQ(tabs->tabText(0), "DEBUG");

    click(QStringLiteral("Button7"));
    type(QStringLiteral("+1="));
    QFile trace(dataFile("Debug.txt"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QString log = QString::fromUtf8(trace.readAll());
    EXPECT_TRUE(log.contains(QStringLiteral(" Button7:7\n"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral(" Calculator:+\n"))) << log.toStdString();
    EXPECT_TRUE(QFile::exists(dataFile("snaplog.txt")))
        << "the engine's snapshot goes to the data folder";
}

// The window as built: names, shortcuts, captions.

TEST_F(CalculatorWindowTest, EveryControlTheLogicNamesExists) {
    for (int i = 0; i < kCalcControlCount; ++i) {
        const std::string_view name = ControlName(static_cast<CalcControl>(i));
        EXPECT_NE(m_window->findChild<QObject*>(QString::fromLatin1(name.data(), name.size())),
                  nullptr)
            << name;
    }
}

TEST_F(CalculatorWindowTest, ShortcutsAreUniqueAndAlwaysActive) {
    std::set<QString> seen;
    for (const QAction* item : m_window->findChildren<QAction*>()) {
        for (const QKeySequence& shortcut : item->shortcuts()) {
            const QString text = shortcut.toString();
            EXPECT_TRUE(seen.insert(text).second)
                << "two items share " << text.toStdString() << ", so neither fires";
        }
    }
    // Every key shortcut is an item of the hidden menu that also lives on the window.
    const QList<QAction*> keys = find<QMenu>(QStringLiteral("Keys1"))->actions();
    for (const KeyDef& key : CalculatorKeys()) {
        if (!key.HasItem())
            continue;
        auto* item = action(QString::fromLatin1(key.Item.data(), key.Item.size()));
        ASSERT_NE(item, nullptr);
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_TRUE(keys.contains(item));
        EXPECT_TRUE(item->isEnabled());
        EXPECT_EQ(item->shortcut(), QKeySequence(key.Shortcut));
        EXPECT_TRUE(m_window->actions().contains(item)) << "active without its menu";
    }
}

/// Whether the key shows whole: its caption and picture fit inside it, and nothing
/// (a parent's edge, a neighbour) clips it.
void expectWhole(const KeyButton& button) {
    SCOPED_TRACE(button.objectName().toStdString());
    EXPECT_EQ(button.visibleRegion(), QRegion(button.rect()));
    const int room = button.width() - 4;
    const int textWidth = button.fontMetrics().horizontalAdvance(button.text());
    EXPECT_LE(textWidth + (button.icon().isNull() ? 0 : button.iconSize().width()), room);
    EXPECT_LE(button.fontMetrics().height(), button.height() - 4);
}

TEST_F(CalculatorWindowTest, EveryKeyShowsItsWholeCaptionInBothFormsAndSizes) {
    auto* tabs = find<QTabWidget>(QStringLiteral("PageControl1"));
    const auto keysOf = [&](KeyArea area) {
        std::vector<const KeyButton*> keys;
        for (const KeyDef& key : CalculatorKeys()) {
            auto* button =
                key.Area == area
                    ? find<KeyButton>(QString::fromLatin1(key.Control.data(), key.Control.size()))
                    : nullptr;
            if (button && !button->isHidden())
                keys.push_back(button);
        }
        return keys;
    };
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "large size" : "normal size");
        if (large) {
            action(QStringLiteral("LargeSize2"))->trigger();
            action(QStringLiteral("Advanced1"))->trigger(); // the scientific form again
        }
        const std::array<KeyArea, 5> pages{KeyArea::Math, KeyArea::Trig, KeyArea::Hex, KeyArea::Log,
                                           KeyArea::Tax};
        for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
            tabs->setCurrentIndex(page);
            for (const KeyButton* key : keysOf(pages[static_cast<std::size_t>(page)]))
                expectWhole(*key);
        }
        const std::pair<const char*, int> choices[] = {
            {"HypCheckBox1", 1}, {"RadioGroupDegRadGrad_2", 1}, {"RadioGroupDecHex_1", 2}};
        for (const auto& [choice, page] : choices) {
            tabs->setCurrentIndex(page);
            auto* box = find<QAbstractButton>(QString::fromLatin1(choice));
            EXPECT_EQ(box->visibleRegion(), QRegion(box->rect())) << choice;
            EXPECT_LE(box->sizeHint().width(), box->width()) << choice;
        }
        // The framed groups around the radio buttons show whole, frame included.
        for (const auto& [group, page] :
             {std::pair{"RadioGroupDegRadGrad", 1}, {"RadioGroupDecHex", 2}}) {
            tabs->setCurrentIndex(page);
            auto* frame = find<QFrame>(QString::fromLatin1(group));
            EXPECT_EQ(frame->visibleRegion(), QRegion(frame->rect())) << group;
            EXPECT_LE(frame->sizeHint().height(), frame->height()) << group;
            const QRect room = frame->parentWidget()->rect().adjusted(0, 0, -2, -2);
            EXPECT_TRUE(room.contains(frame->geometry()))
                << group << " keeps clear of the page's edges, where the tab frame is drawn";
        }

        for (const bool scientific : {true, false}) {
            SCOPED_TRACE(scientific ? "scientific" : "basic");
            if (!scientific)
                action(QStringLiteral("Advanced1"))->trigger();
            for (const KeyButton* key : keysOf(KeyArea::Basic))
                expectWhole(*key);
            EXPECT_EQ(tabs->isVisible(), scientific);
        }
    }
}

} // namespace
} // namespace quantrel::gui
