// The tape view RichEdit1 and the colour texts: how appended lines look, positions in
// the engine's units (CR LF counts 2, "°" and "😀" count 1), selection, copy, clear.

#include "window/TapeView.h"

#include "QtPrinters.h"
#include "engine/QuantrelEval5.h"
#include "window/ColorText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <vector>

namespace quantrel::gui {
namespace {

const QColor kWindowText(1, 2, 3);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kMaroon(128, 0, 0);

/// A tape whose window-text colour is told apart from black.
class TapeViewTest : public ::testing::Test {
protected:
    TapeViewTest() {
        QPalette palette = m_tape.palette();
        palette.setColor(QPalette::Text, kWindowText);
        m_tape.setPalette(palette);
    }

    /// The format of line `index`; each appended line is a single run.
    QTextCharFormat lineFormat(int index) const {
        const QTextBlock block = m_tape.document()->findBlockByNumber(index);
        EXPECT_EQ(block.textFormats().size(), 1) << "line " << index;
        return block.begin().fragment().charFormat();
    }

    TapeView m_tape;
};

struct StyleCase {
    const char* name;
    int attr;
    bool isNegative;
    bool totalsBold;
    bool totalsUnder;
    bool totalsRed;
    QColor color;
    bool bold;
    bool underline;
};

TEST_F(TapeViewTest, LineColourAndStyleFollowTapeAttr) {
    const StyleCase cases[] = {
        {"operation", taOperation, false, true, true, false, kWindowText, false, false},
        {"expanded operator", taExpand, false, true, true, false, kBlue, false, false},
        {"negative sub-total never red", taSubTotal, true, true, true, true, kGreen, false, false},
        {"total, first-run style", taTotal, false, true, true, false, kWindowText, true, true},
        {"negative total, Red off", taTotal, true, true, true, false, kWindowText, true, true},
        {"negative total, Red on", taTotal, true, true, true, true, kRed, true, true},
        {"positive total, Red on", taTotal, false, true, true, true, kWindowText, true, true},
        {"negative total, Red only", taTotal, true, false, false, true, kRed, false, false},
        {"total, Bold only", taTotal, false, true, false, false, kWindowText, true, false},
        {"total, Under only", taTotal, false, false, true, false, kWindowText, false, true},
        {"error line ignores totals", taError, true, true, true, true, kRed, false, false},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        TapeStyle style;
        style.totalsBold = c.totalsBold;
        style.totalsUnder = c.totalsUnder;
        style.totalsRed = c.totalsRed;
        m_tape.ClearTape();
        m_tape.SetStyle(style);
        m_tape.AppendLine("-5", c.attr, c.isNegative);
        const QTextCharFormat format = lineFormat(0);
        EXPECT_EQ(format.foreground().color(), c.color);
        EXPECT_EQ(format.fontWeight() == QFont::Bold, c.bold);
        EXPECT_EQ(format.fontUnderline(), c.underline);
        EXPECT_FALSE(format.fontItalic());
    }
}

TEST_F(TapeViewTest, StyleChangeAppliesFromTheNextLineAndUnknownAttrKeepsTheLast) {
    m_tape.AppendLine("= 14", taTotal, false);
    TapeStyle style;
    style.totalsBold = false;
    style.expandOperColor = kMaroon;
    m_tape.SetStyle(style);
    m_tape.AppendLine("[Sqrt(9) = 3]", taExpand, false);
    m_tape.AppendLine("= 3", taTotal, false);
    m_tape.AppendLine("Error", taError, false);
    m_tape.AppendLine("odd", 9, false);

    EXPECT_EQ(lineFormat(0).fontWeight(), QFont::Bold);
    EXPECT_EQ(lineFormat(1).foreground().color(), kMaroon);
    EXPECT_EQ(lineFormat(2).fontWeight(), QFont::Normal);
    EXPECT_TRUE(lineFormat(2).fontUnderline());
    EXPECT_EQ(lineFormat(4).foreground().color(), kRed);
}

TEST_F(TapeViewTest, LinesAreRightAlignedParagraphsAndTheTapeEndsWithABreak) {
    m_tape.AppendLine("  2", taOperation, false);
    m_tape.AppendLine("two\r\nrows", taOperation, false);
    m_tape.AppendLine("= 14", taTotal, false);

    EXPECT_EQ(m_tape.LineCount(), 3);
    EXPECT_EQ(m_tape.PlainText(), "  2\r\ntwo  rows\r\n= 14\r\n");
    for (QTextBlock block = m_tape.document()->begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignRight) << block.blockNumber();
    const QTextCursor caret = m_tape.textCursor();
    EXPECT_FALSE(caret.hasSelection());
    EXPECT_EQ(caret.position(), m_tape.document()->characterCount() - 1);
}

TEST_F(TapeViewTest, NextLineStartCountsCharactersAndTwoPerBreak) {
    struct Case {
        const char* name;
        std::vector<QString> lines;
        int expected;
    };
    const Case cases[] = {
        {"empty tape", {}, 0},
        {"one line", {"  2"}, 5},
        {"a calculation", {"  2", "+ 3", "* 4", "= 14"}, 21},
        {"degree sign counts 1", {"90°"}, 5},
        {"beyond U+FFFF counts 1", {"m²", "😀x"}, 8},
        {"empty line", {""}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_tape.ClearTape();
        for (const QString& line : c.lines)
            m_tape.AppendLine(line, taOperation, false);
        EXPECT_EQ(m_tape.NextLineStart(), c.expected);
        EXPECT_EQ(m_tape.PlainText().toUcs4().size(), c.expected);
    }
}

TEST_F(TapeViewTest, NextLineStartFollowsEditsMadeOutsideAppendLine) {
    m_tape.AppendLine("  2", taOperation, false);
    m_tape.AppendLine("= 2", taTotal, false);
    QTextCursor cursor(m_tape.document());
    cursor.insertText("note°");
    cursor.insertBlock();
    EXPECT_EQ(m_tape.NextLineStart(), 17);
    m_tape.SelectTapeRange(7, 3);
    EXPECT_EQ(m_tape.SelectedTapeText(), "  2");

    m_tape.setPlainText("ab\ncd");
    EXPECT_EQ(m_tape.NextLineStart(), 6);
    m_tape.AppendLine("x", taOperation, false);
    EXPECT_EQ(m_tape.PlainText(), "ab\r\ncd\r\nx\r\n");
    EXPECT_EQ(m_tape.NextLineStart(), 11);

    m_tape.clear();
    EXPECT_EQ(m_tape.NextLineStart(), 0);
}

TEST_F(TapeViewTest, SelectTapeRangeSelectsWhatTheEngineRecorded) {
    const std::vector<QString> lines = {"------------", "  90°", "+ 2 m²", "= 😀 5", "* 3"};
    std::vector<int> starts;
    for (const QString& line : lines) {
        starts.push_back(m_tape.NextLineStart());
        m_tape.AppendLine(line, taOperation, false);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].toStdString());
        m_tape.SelectTapeRange(starts[i], static_cast<int>(lines[i].toUcs4().size()));
        EXPECT_EQ(m_tape.SelectedTapeText(), lines[i]);
        EXPECT_EQ(m_tape.ToEnginePos(m_tape.textCursor().selectionStart()), starts[i]);
        EXPECT_EQ(m_tape.ToEnginePos(m_tape.textCursor().selectionEnd()),
                  starts[i] + lines[i].toUcs4().size());
    }

    struct Case {
        int start;
        int length;
        QString expected;
    };
    const Case cases[] = {
        {14, 13, "  90°\n+ 2 m²"}, // two lines with the break between them
        {31, 1, "😀"},
        {33, 3, "5\n"}, // the whole CR LF
        {33, 2, "5"},   // half a break selects none of it
        {-5, 3, "---"},
        {41, 5, ""},   // at the end
        {1000, 4, ""}, // a position from before a Clear tape
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << "+" << c.length);
        m_tape.SelectTapeRange(c.start, c.length);
        EXPECT_EQ(m_tape.SelectedTapeText(), c.expected);
    }
}

TEST_F(TapeViewTest, AppendingScrollsToTheEndAndASelectedLineIsScrolledIntoView) {
    m_tape.resize(200, 120);
    m_tape.show();
    for (int i = 0; i < 300; ++i)
        m_tape.AppendLine(QString::number(i), taOperation, false);
    const QScrollBar* bar = m_tape.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const QRect visible = m_tape.viewport()->rect();
    EXPECT_TRUE(visible.contains(m_tape.cursorRect()));
    EXPECT_GT(bar->value(), 0);

    m_tape.SelectTapeRange(0, 1);
    EXPECT_TRUE(visible.contains(m_tape.cursorRect()));
}

TEST_F(TapeViewTest, LinesAppendedTogetherCountScrollAndSelectAsOneByOne) {
    m_tape.resize(200, 120);
    m_tape.show();
    m_tape.BeginAppend();
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(m_tape.NextLineStart(), i == 0 ? 0 : m_tape.PlainText().toUcs4().size());
        m_tape.AppendLine(QString::number(i), i % 10 == 9 ? taTotal : taOperation, false);
    }
    m_tape.EndAppend();
    EXPECT_EQ(m_tape.NextLineStart(), m_tape.PlainText().toUcs4().size());
    EXPECT_EQ(lineFormat(299).fontWeight(), QFont::Bold);
    const QRect visible = m_tape.viewport()->rect();
    EXPECT_GT(m_tape.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(visible.contains(m_tape.cursorRect())) << "the end is in view";

    // A revisited number's line, selected while its command appends.
    m_tape.BeginAppend();
    m_tape.AppendLine("------------", taOperation, false);
    m_tape.SelectTapeRange(0, 1);
    m_tape.EndAppend();
    EXPECT_EQ(m_tape.SelectedTapeText(), "0");
    EXPECT_TRUE(visible.contains(m_tape.cursorRect())) << "the selection is in view";
}

TEST_F(TapeViewTest, AnEditBetweenBeginAndEndAppendStillCounts) {
    m_tape.AppendLine("  2", taOperation, false);
    m_tape.BeginAppend();
    m_tape.AppendLine("+ 3", taOperation, false);
    QTextCursor(m_tape.document()).insertText(QStringLiteral("°°"));
    m_tape.AppendLine("= 5", taTotal, false);
    m_tape.EndAppend();
    EXPECT_EQ(m_tape.PlainText(), "°°  2\r\n+ 3\r\n= 5\r\n");
    EXPECT_EQ(m_tape.NextLineStart(), 17);
    m_tape.SelectTapeRange(7, 3);
    EXPECT_EQ(m_tape.SelectedTapeText(), "+ 3");
}

TEST_F(TapeViewTest, CopyPutsTheSelectionOnTheClipboard) {
    m_tape.AppendLine("  2", taOperation, false);
    m_tape.AppendLine("+ 3", taOperation, false);
    m_tape.AppendLine("= 5", taTotal, false);
    QClipboard* clipboard = QGuiApplication::clipboard();

    m_tape.SelectTapeRange(5, 3);
    EXPECT_TRUE(m_tape.CopySelection());
    EXPECT_EQ(clipboard->text(), "+ 3");

    m_tape.SelectTapeRange(0, 8);
    EXPECT_TRUE(m_tape.CopySelection());
    EXPECT_EQ(clipboard->text(), "  2\n+ 3");

    m_tape.SelectAllTape();
    EXPECT_TRUE(m_tape.CopySelection());
    EXPECT_EQ(clipboard->text(), "  2\n+ 3\n= 5\n");

    m_tape.AppendLine("------------", taOperation, false);
    EXPECT_FALSE(m_tape.HasSelection());
    EXPECT_FALSE(m_tape.CopySelection());
    EXPECT_EQ(clipboard->text(), "  2\n+ 3\n= 5\n");
}

TEST_F(TapeViewTest, ClearEmptiesTheTapeAndAppendingStartsAfresh) {
    m_tape.AppendLine("😀", taOperation, false);
    m_tape.AppendLine("= 5", taTotal, false);
    m_tape.SelectTapeRange(0, 3);
    m_tape.ClearTape();
    EXPECT_EQ(m_tape.LineCount(), 0);
    EXPECT_EQ(m_tape.PlainText(), "");
    EXPECT_EQ(m_tape.NextLineStart(), 0);
    EXPECT_FALSE(m_tape.HasSelection());

    m_tape.AppendLine("  7", taOperation, false);
    EXPECT_EQ(m_tape.NextLineStart(), 5);
    EXPECT_EQ(m_tape.document()->firstBlock().blockFormat().alignment(), Qt::AlignRight);
    m_tape.SelectTapeRange(0, 3);
    EXPECT_EQ(m_tape.SelectedTapeText(), "  7");
}

TEST(ColorText, BasicNamesRoundTrip) {
    struct Case {
        const char* name;
        QColor color;
    };
    const Case cases[] = {
        {"clBlack", QColor(0, 0, 0)},        {"clMaroon", QColor(128, 0, 0)},
        {"clGreen", QColor(0, 128, 0)},      {"clOlive", QColor(128, 128, 0)},
        {"clNavy", QColor(0, 0, 128)},       {"clPurple", QColor(128, 0, 128)},
        {"clTeal", QColor(0, 128, 128)},     {"clGray", QColor(128, 128, 128)},
        {"clSilver", QColor(192, 192, 192)}, {"clRed", QColor(255, 0, 0)},
        {"clLime", QColor(0, 255, 0)},       {"clYellow", QColor(255, 255, 0)},
        {"clBlue", QColor(0, 0, 255)},       {"clFuchsia", QColor(255, 0, 255)},
        {"clAqua", QColor(0, 255, 255)},     {"clWhite", QColor(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextToColor(c.name, kWindowText), c.color);
        EXPECT_EQ(ColorToText(c.color), c.name);
    }
    EXPECT_EQ(TextToColor("  CLBLUE ", kWindowText), kBlue);
}

TEST(ColorText, NumbersAndSystemColoursRead) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Text, QColor(10, 0, 0));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(20, 0, 0));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(30, 0, 0));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(40, 0, 0));
    struct Case {
        const char* text;
        QColor expected;
    };
    const Case cases[] = {
        {"$00030201", QColor(1, 2, 3)},
        {"$000000FF", kRed},
        {"$ff", kRed},
        {"0x00FF0000", kBlue},
        {"255", kRed},
        {"16711680", kBlue},
        {"+32768", kGreen},
        {" $00C0DCC0 ", QColor(192, 220, 192)},
        {"clWindowText", QColor(10, 0, 0)},
        {"clWindow", QColor(20, 0, 0)},
        {"clBtnFace", QColor(30, 0, 0)},
        {"clHighlight", QColor(40, 0, 0)},
        {"$80000008", QColor(10, 0, 0)},   // clWindowText by number
        {"-2147483643", QColor(20, 0, 0)}, // clWindow as a signed decimal
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToColor(c.text, kWindowText, palette), c.expected);
    }
}

TEST(ColorText, UnreadableTextGivesTheDefault) {
    const char* const cases[] = {
        "",           "   ", "blue",       "clBlue2",     "$",           "$GG",
        "$123456789", "0x",  "$01000000",  "$80000063",   "12abc",       "1.5",
        "-",          "--1", "4294967296", "-2147483649", "99999999999",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TextToColor(text, kMaroon), kMaroon);
    }
    EXPECT_EQ(ColorToText(QColor()), "");
}

TEST(ColorText, EveryWrittenTextReadsBack) {
    const int levels[] = {0, 1, 127, 128, 192, 254, 255};
    for (int r : levels)
        for (int g : levels)
            for (int b : levels) {
                const QColor color(r, g, b);
                const QString text = ColorToText(color);
                EXPECT_EQ(TextToColor(text, QColor(), QPalette()), color) << text.toStdString();
            }
    EXPECT_EQ(ColorToText(QColor(0xAB, 0xCD, 0xEF)), "$00EFCDAB");
}

} // namespace
} // namespace quantrel::gui
