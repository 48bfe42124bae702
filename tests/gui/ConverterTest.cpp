// The converter window and the conversion history, driven from the calculator's
// menus and toolbar: lists, sorting, status line, the arrows, placement and size, the
// history menus and what outlives a run. Store and data live in a temporary folder.

#include "ModalWatchdog.h"
#include "conversion/FormConvert.h"
#include "support/TempDir.h"
#include "window/Calculator.h"
#include "window/Placement.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace quantrel::gui {
namespace {

const QStringList kAreaUnits = {"acres",
                                "acres (US survey)",
                                "ares",
                                "circular inches",
                                "hectares",
                                "roods",
                                "square centimetres",
                                "square feet",
                                "square feet (US survey)",
                                "square inches",
                                "square kilometres",
                                "square metres",
                                "square miles",
                                "square miles (US survey)",
                                "square millimetres",
                                "square yards"};

class ConverterTest : public ::testing::Test {
protected:
    QString file(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    void writeFile(const char* name, const std::string& text) const {
        std::ofstream(m_dir.File(name), std::ios::binary) << text;
    }

    std::unique_ptr<TCalculator> window() {
        auto w = std::make_unique<TCalculator>(
            WindowOptions{file(""), NumberLocale::CommaPoint(), file("quantrel.ini")});
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    static QAction* action(TCalculator& w, const char* name) {
        auto* found = w.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static TFormConvert& open(TCalculator& w, const char* item) {
        action(w, item)->trigger();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w.Converter()));
        return w.Converter();
    }
    static QStringList captions(const QTreeWidget* list) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(0);
        return out;
    }
    static QString selected(const QTreeWidget* list) {
        const auto rows = list->selectedItems();
        return rows.isEmpty() ? QString() : rows.front()->text(0);
    }
    /// Clicks the row of `caption`, as the user picks a unit.
    static void pick(QTreeWidget* list, const char* caption) {
        const auto rows = list->findItems(QString::fromUtf8(caption), Qt::MatchExactly, 0);
        ASSERT_EQ(rows.size(), 1) << caption;
        list->scrollToItem(rows.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(rows.front()).center());
        ASSERT_EQ(selected(list), QString::fromUtf8(caption));
    }
    static void clickHeader(QTreeWidget* list, int column) {
        QHeaderView* header = list->header();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }
    static void keys(TCalculator& w, const char* typed) {
        for (const char* c = typed; *c != '\0'; ++c)
            QTest::keyClick(&w, *c);
    }
    static QString display(TCalculator& w) {
        return w.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
    }
    static QStringList historyCaptions(TCalculator& w, const char* menuName) {
        auto* menu = w.findChild<QMenu*>(QString::fromLatin1(menuName));
        EXPECT_NE(menu, nullptr) << menuName;
        emit menu->aboutToShow();
        QStringList out;
        for (QAction* item : menu->actions())
            if (item->isVisible())
                out << item->text();
        return out;
    }

    test::TempDir m_dir;
    ModalWatchdog m_watchdog;
};

TEST_F(ConverterTest, TheToolbarButtonFirstOpensAreaSortedWithTheFirstRowsChosen) {
    auto w = window();
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("ToolButton4")), Qt::LeftButton);
    TFormConvert& c = w->Converter();
    ASSERT_TRUE(c.isVisible());
    EXPECT_EQ(c.windowTitle(), "Converter");
    EXPECT_EQ(c.ConvTypeComboBox()->currentText(), "Area");
    EXPECT_EQ(c.ConvTypeComboBox()->count(), 14);
    EXPECT_FALSE(c.ConvTypeComboBox()->isEditable());
    EXPECT_EQ(captions(c.FromExtListView()), kAreaUnits);
    EXPECT_EQ(captions(c.ToExtListView()), kAreaUnits);
    EXPECT_EQ(c.FromExtListView()->headerItem()->text(0), "From Unit");
    EXPECT_EQ(c.ToExtListView()->headerItem()->text(0), "To Unit");
    EXPECT_EQ(c.FromExtListView()->headerItem()->text(1), "Convert to:m\u00B2");
    EXPECT_TRUE(c.FromExtListView()->isColumnHidden(2));
    EXPECT_EQ(selected(c.FromExtListView()), "acres");
    EXPECT_EQ(selected(c.ToExtListView()), "acres");
    EXPECT_EQ(c.StatusText(), "Convert acre to acre: * 1");
    EXPECT_EQ(c.BaseUnitText(), "m\u00B2");
    const QLabel* caption = c.findChild<QLabel*>(QStringLiteral("Label1"));
    const QLabel* symbol = c.findChild<QLabel*>(QStringLiteral("BaseUnitLabel"));
    EXPECT_GT(symbol->x(), caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()))
        << "the symbol does not cover the caption";
    EXPECT_EQ(c.frameGeometry().size(), TFormConvert::kDesignSize)
        << "an outer size, also at the first show";
}

TEST_F(ConverterTest, TheStatusLineFollowsThePickedUnits) {
    auto w = window();
    TFormConvert& c = open(*w, "Convert1");
    EXPECT_EQ(c.ConvTypeComboBox()->currentText(), "Length");
    pick(c.FromExtListView(), "miles (international)");
    pick(c.ToExtListView(), "kilometres");
    EXPECT_EQ(c.StatusText(), "Convert miles to km: * 1.609344");
    EXPECT_EQ(c.BaseUnitText(), "m");

    open(*w, "ConvertTemp1");
    pick(c.FromExtListView(), "Degrees Faren");
    pick(c.ToExtListView(), "Degrees Centigrade");
    EXPECT_EQ(c.StatusText(), "Convert DegF to DegC: + -32 * 0.55555556");
    pick(c.FromExtListView(), "Degrees Centigrade");
    pick(c.ToExtListView(), "Degrees Faren");
    EXPECT_EQ(c.StatusText(), "Convert DegC to DegF: * 1.8 + 32");

    // Picking in the box refills both lists at their first rows.
    c.ConvTypeComboBox()->setCurrentIndex(c.ConvTypeComboBox()->findText("Time"));
    EXPECT_EQ(selected(c.FromExtListView()), captions(c.FromExtListView()).front());
    EXPECT_EQ(c.BaseUnitText(), "s");
}

TEST_F(ConverterTest, AHeaderClickTogglesTheDirectionOfBothLists) {
    auto w = window();
    TFormConvert& c = open(*w, "ConvertTime1");
    QStringList time = captions(c.FromExtListView());
    std::reverse(time.begin(), time.end());
    open(*w, "Convert2");
    QStringList reversed = kAreaUnits;
    std::reverse(reversed.begin(), reversed.end());

    clickHeader(c.FromExtListView(), 0);
    EXPECT_EQ(captions(c.FromExtListView()), reversed);
    EXPECT_EQ(captions(c.ToExtListView()), kAreaUnits) << "only the clicked list sorts";
    EXPECT_EQ(selected(c.FromExtListView()), "acres") << "the chosen row stays chosen";
    clickHeader(c.FromExtListView(), 0);
    EXPECT_EQ(captions(c.FromExtListView()), kAreaUnits);

    // Column 1 sorts the formulas as texts, not as numbers (2589998 is the largest).
    clickHeader(c.ToExtListView(), 1);
    const QTreeWidget* to = c.ToExtListView();
    EXPECT_EQ(to->topLevelItem(0)->text(1), " * 4046.873");
    EXPECT_EQ(to->topLevelItem(to->topLevelItemCount() - 1)->text(1), " * 0.0001");

    // The direction is shared: the next category fills both lists in reverse.
    open(*w, "ConvertTime1");
    EXPECT_EQ(captions(c.FromExtListView()), time);
    EXPECT_EQ(captions(c.ToExtListView()), time);
    EXPECT_EQ(selected(c.FromExtListView()), time.front());
}

TEST_F(ConverterTest, TheArrowsConvertAndOnlyTheRightOneRecords) {
    auto w = window();
    TFormConvert& c = open(*w, "Convert1");
    pick(c.FromExtListView(), "miles (international)");
    pick(c.ToExtListView(), "kilometres");
    keys(*w, "10");

    QTest::mouseClick(c.findChild<QToolButton*>(QStringLiteral("Button20")), Qt::LeftButton);
    EXPECT_EQ(display(*w), "6.21371192237334") << "km to miles";
    EXPECT_TRUE(historyCaptions(*w, "History1").isEmpty());

    keys(*w, "=10");
    QTest::mouseClick(c.findChild<QToolButton*>(QStringLiteral("Button16")), Qt::LeftButton);
    EXPECT_EQ(display(*w), "16.09344");
    QTest::mouseClick(c.findChild<QToolButton*>(QStringLiteral("Button16")), Qt::LeftButton);
    EXPECT_EQ(historyCaptions(*w, "History1"), QStringList{"&1: Length miles -> km"});
    EXPECT_EQ(historyCaptions(*w, "convhistPopupMenu"), QStringList{"&1: Length miles -> km"});
    EXPECT_TRUE(c.isVisible()) << "the window stays open";
    EXPECT_EQ(c.StatusText(), "Convert miles to km: * 1.609344");

    // With no unit chosen on one side, the arrows do nothing.
    c.ToExtListView()->clearSelection();
    const QString shown = display(*w);
    QTest::mouseClick(c.findChild<QToolButton*>(QStringLiteral("Button16")), Qt::LeftButton);
    QTest::mouseClick(c.findChild<QToolButton*>(QStringLiteral("Button20")), Qt::LeftButton);
    EXPECT_EQ(display(*w), shown);
    EXPECT_EQ(c.findChild<QToolButton*>(QStringLiteral("Button16"))->focusPolicy(), Qt::NoFocus);
}

TEST_F(ConverterTest, TheKeyboardAppliesAConversionAndClosesTheWindow) {
    auto w = window();
    TFormConvert& c = open(*w, "Convert1");
    pick(c.FromExtListView(), "miles (international)");
    pick(c.ToExtListView(), "kilometres");
    EXPECT_FALSE(c.findChild<QToolButton*>(QStringLiteral("Button16"))->toolTip().isEmpty());
    EXPECT_FALSE(c.findChild<QToolButton*>(QStringLiteral("Button20"))->toolTip().isEmpty());

    keys(*w, "10");
    c.activateWindow();
    c.ToExtListView()->setFocus();
    QTest::keyClick(c.ToExtListView(), Qt::Key_Return);
    EXPECT_EQ(display(*w), "16.09344") << "Enter on a row converts as the right arrow does";
    EXPECT_EQ(historyCaptions(*w, "History1"), QStringList{"&1: Length miles -> km"});

    keys(*w, "=2");
    QTreeWidget* from = c.FromExtListView();
    const QRect row = from->visualItemRect(from->selectedItems().front());
    QTest::mouseDClick(from->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(display(*w), "3.218688") << "a double-click converts too";

    c.activateWindow();
    QTest::keyClick(c.FromExtListView(), Qt::Key_Escape);
    EXPECT_FALSE(c.isVisible()) << "Escape closes the converter";
}

TEST_F(ConverterTest, PlacementSizeAndPositionOutliveTheRun) {
    EXPECT_EQ(PlaceBeside(QPoint(900, 700), TFormConvert::kDesignSize, QSize(1024, 768)),
              QPoint(504, 520));
    EXPECT_EQ(PlaceBeside(QPoint(-200, -100), TFormConvert::kDesignSize, QSize(1024, 768)),
              QPoint(5, 5));
    // 10 pixels short of the edges: the converter stays, a common dialog keeps 20 off.
    EXPECT_EQ(PlaceBeside(QPoint(464, 480), TFormConvert::kDesignSize, QSize(1024, 768)),
              QPoint(514, 530));
    EXPECT_EQ(PlaceBeside(QPoint(464, 480), TFormConvert::kDesignSize, QSize(1024, 768),
                          EdgeRule::WithinTheMargin),
              QPoint(504, 520));
    QSize outer;
    {
        auto w = window();
        w->move(100, 100);
        TFormConvert& c = open(*w, "Convert2");
        EXPECT_EQ(c.pos(), w->frameGeometry().topLeft() + QPoint(50, 50));

        c.resize(100, 100); // as far as a drag of the border goes
        EXPECT_EQ(c.frameGeometry().size(), TFormConvert::kLeastSize);
        c.resize(600, 300);
        const QTreeWidget* left = c.FromExtListView();
        const int half = c.width() / 2;
        EXPECT_EQ(left->geometry(), QRect(2, 32, half - 22, c.height() - 32 - 19 - 2));
        EXPECT_EQ(c.ToExtListView()->x(), half + 22);
        EXPECT_EQ(left->columnWidth(0), left->width() / 2);
        outer = c.frameGeometry().size();
        c.move(210, 120);
        c.close();
        EXPECT_FALSE(c.isVisible());
        open(*w, "Convert2");
        EXPECT_EQ(c.pos(), QPoint(210, 120)) << "a closed window opens where it was";
    }
    const auto w = window();
    TFormConvert& c = open(*w, "ConvertVolume1");
    EXPECT_EQ(c.ConvTypeComboBox()->currentText(), "Volume");
    EXPECT_EQ(c.pos(), QPoint(210, 120));
    EXPECT_EQ(c.frameGeometry().size(), outer);
}

TEST_F(ConverterTest, TheHistoryMenusApplyMoveAndKeepTheirEntries) {
    writeFile("quantrel.ini", "[Conv]\nConv1=Time,zs,zm\nConv2=Length,lmi,lkm\n"
                              "Conv3=Length,nope,gone\nConv4=,,\nConv5=a,b\nConv6=\n");
    {
        auto w = window();
        EXPECT_EQ(
            historyCaptions(*w, "History1"),
            (QStringList{"&1: Time sec -> min", "&2: Length miles -> km", "&3: Length  -> "}));
        keys(*w, "120");
        action(*w, "ConvMenu1")->trigger();
        EXPECT_EQ(display(*w), "2");

        // Entry 3 knows no units: the message, 0, and it moves to the top.
        m_watchdog.Expect();
        keys(*w, "=5");
        action(*w, "ConvPMenu3")->trigger();
        ASSERT_EQ(m_watchdog.Seen().size(), 1U);
        // The engine's line breaks are CRs, which a message box would not break on.
        EXPECT_EQ(m_watchdog.Seen()[0].text, "Error Getting Conv Factor!\nLength\nnope\ngone");
        EXPECT_EQ(display(*w), "0");
        EXPECT_EQ(
            historyCaptions(*w, "convhistPopupMenu"),
            (QStringList{"&1: Length  -> ", "&2: Time sec -> min", "&3: Length miles -> km"}));

        // The converter button opens the category shown last, refilled.
        TFormConvert& c = open(*w, "ConvertSpeed1");
        pick(c.FromExtListView(), captions(c.FromExtListView()).last().toUtf8().constData());
        c.close();
        QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("ToolButton4")),
                          Qt::LeftButton);
        EXPECT_EQ(c.ConvTypeComboBox()->currentText(), "Speed");
        EXPECT_EQ(selected(c.FromExtListView()), captions(c.FromExtListView()).front());
    }
    auto again = window();
    EXPECT_EQ(historyCaptions(*again, "History1"),
              (QStringList{"&1: Length  -> ", "&2: Time sec -> min", "&3: Length miles -> km"}));
    EXPECT_EQ(again->Settings().Conv[3], ",,") << "a free entry is stored as ',,'";
}

TEST_F(ConverterTest, ProblemsOfTheUsersTableAreToldOnceAndItsUnitsListed) {
    writeFile("conv.csv", "1,\"Data rate\",bps,bit/s,,,,\n"
                          "2,\"Data rate\",kbps,\"kilobits per second\",kbit/s,0,1000,0\n"
                          "2,\"Data rate\",mbps,\"megabits per second\",Mbit/s,0,abc,0\n");
    auto w = window();
    m_watchdog.Expect();
    TFormConvert& c = open(*w, "Convert2");
    ASSERT_EQ(m_watchdog.Seen().size(), 1U);
    const QString told = m_watchdog.Seen()[0].text;
    EXPECT_TRUE(told.contains(file("conv.csv"))) << told.toStdString();
    EXPECT_TRUE(told.contains("Line 3: Invalid Conversion Factor")) << told.toStdString();

    c.ConvTypeComboBox()->setCurrentIndex(c.ConvTypeComboBox()->findText("Data rate"));
    EXPECT_EQ(captions(c.FromExtListView()),
              (QStringList{"kilobits per second", "megabits per second"}));
    open(*w, "Convert2");
    EXPECT_EQ(m_watchdog.Seen().size(), 1U) << "told once a run";
}

TEST_F(ConverterTest, ATableWithThousandsOfProblemsTellsTheFirstAndCountsTheRest) {
    std::string table;
    for (int k = 0; k < 5000; ++k)
        table += "2,Length,bad" + std::to_string(k) + ",\"bad\",b,0,abc,0\n";
    writeFile("conv.csv", table);
    auto w = window();
    m_watchdog.Expect();
    open(*w, "Convert2");
    ASSERT_EQ(m_watchdog.Seen().size(), 1U);
    const QString told = m_watchdog.Seen()[0].text;
    EXPECT_TRUE(told.contains("Line 20: ")) << told.toStdString();
    EXPECT_FALSE(told.contains("Line 21: "));
    EXPECT_TRUE(told.endsWith("... and 4980 more")) << told.toStdString();
}

} // namespace
} // namespace quantrel::gui
