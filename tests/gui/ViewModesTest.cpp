// The window's size modes, Always On Top, Help and About, on the offscreen platform.

#include "ModalWatchdog.h"
#include "conversion/FormConvert.h"
#include "support/TempDir.h"
#include "window/Calculator.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace quantrel::gui {
namespace {

class ViewModesTest : public ::testing::Test {
protected:
    QString file(const char* name) const { return QString::fromStdString(m_dir.File(name)); }

    std::unique_ptr<TCalculator> window(const QString& helpFile = {}) {
        WindowOptions options{file(""), NumberLocale::CommaPoint(), file("quantrel.ini")};
        options.helpFile = helpFile.isEmpty() ? file("quantrel.html") : helpFile;
        auto w = std::make_unique<TCalculator>(options);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    static QAction* action(TCalculator& w, const char* name) {
        auto* found = w.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    template <class T = QWidget> static T* find(TCalculator& w, const char* name) {
        auto* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test::TempDir m_dir;
    ModalWatchdog m_watchdog;
};

TEST_F(ViewModesTest, LargeSizeScalesTheControlsAndNormalSizeTakesThemBack) {
    auto w = window();
    QWidget* keypad = find(*w, "BasicKeysPanel");
    QWidget* seven = find(*w, "Button7");
    QWidget* display = find(*w, "Edit1");
    auto* tabs = find<QTabWidget>(*w, "PageControl1");
    const QSize keypadSize = keypad->size();
    const QRect sevenPlace = seven->geometry();
    const int displayFont = display->font().pixelSize();
    const int tabsHeight = tabs->height();
    const int panelWidth = find(*w, "StatusPanel1")->width();
    ASSERT_EQ(w->TapeLeft(), 250);
    EXPECT_FALSE(action(*w, "NormalSize1")->isEnabled());

    action(*w, "LargeSize2")->trigger();
    EXPECT_EQ(w->TapeLeft(), 333);
    EXPECT_FALSE(action(*w, "LargeSize2")->isEnabled());
    EXPECT_TRUE(action(*w, "NormalSize1")->isEnabled());
    const auto large = [](int pixels) { return pixels * 4 / 3; };
    EXPECT_EQ(keypad->size(), QSize(large(keypadSize.width()), large(keypadSize.height())));
    EXPECT_EQ(seven->geometry(), QRect(large(sevenPlace.x()), large(sevenPlace.y()),
                                       large(sevenPlace.width()), large(sevenPlace.height())));
    EXPECT_GT(display->font().pixelSize(), displayFont);
    EXPECT_TRUE(tabs->tabBar()->font().bold());
    EXPECT_EQ(tabs->tabBar()->font().pixelSize(), 11 + qRound(2 * w->logicalDpiY() / 72.0))
        << "the normal tabs' size and two points";
    EXPECT_GT(tabs->height(), tabsHeight);
    EXPECT_EQ(find(*w, "StatusPanel1")->width(), (panelWidth + 2) * 4 / 3 - 2);
    EXPECT_EQ(find<QAbstractButton>(*w, "ButtonSqrt")->iconSize(), QSize(33, 33));
    EXPECT_EQ(find(*w, "TapePanel")->x(), 333);

    // Without the tabs the window is shorter by the large tabs' height.
    const int height = w->centralWidget()->height();
    const int largeTabs = tabs->height();
    action(*w, "Advanced1")->trigger();
    EXPECT_EQ(w->centralWidget()->height(), height - largeTabs);
    action(*w, "Advanced1")->trigger();

    action(*w, "NormalSize1")->trigger();
    EXPECT_EQ(w->TapeLeft(), 249) << "each change truncates";
    EXPECT_EQ(keypad->size(), keypadSize);
    EXPECT_EQ(seven->geometry(), sevenPlace) << "the keys keep no rounding";
    EXPECT_EQ(display->font().pixelSize(), displayFont);
    EXPECT_FALSE(tabs->tabBar()->font().bold());
    EXPECT_EQ(tabs->tabBar()->font().pixelSize(), 11);
    EXPECT_EQ(find<QAbstractButton>(*w, "ButtonSqrt")->iconSize(), QSize(24, 24));
    EXPECT_EQ(tabs->height(), tabsHeight);
    EXPECT_TRUE(action(*w, "LargeSize2")->isEnabled());

    // Ctrl+PgDn, and the size outlives the run.
    QTest::keySequence(w.get(), QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    EXPECT_EQ(w->TapeLeft(), 332);
    w.reset();
    w = window();
    EXPECT_TRUE(w->Settings().Large);
    EXPECT_EQ(w->TapeLeft(), 333);
    keypad = find(*w, "BasicKeysPanel");
    EXPECT_EQ(keypad->size(), QSize(322, 160));
    EXPECT_TRUE(action(*w, "NormalSize1")->isEnabled());
}

TEST_F(ViewModesTest, AlwaysOnTopStepsAsideForMessageBoxesAndTheAboutBox) {
    auto w = window();
    w->move(120, 90);
    const QPoint place = w->pos();
    const QWindow* native = w->windowHandle();
    action(*w, "AlwaysonTop1")->trigger();
    ASSERT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(native->flags().testFlag(Qt::WindowStaysOnTopHint))
        << "the hint reaches the system";
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pos(), place);

    // The converter and the help viewer share the layer, and step aside with it.
    action(*w, "Convert1")->trigger();
    ASSERT_TRUE(w->Converter().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    std::vector<bool> onTopWhileOpen;
    m_watchdog.Inspect([&](QWidget*) {
        onTopWhileOpen.push_back(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ||
                                 w->Converter().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    });
    m_watchdog.Expect(2);
    for (const char c : {'1', '/', '0', '='})
        QTest::keyClick(w.get(), c);
    action(*w, "About1")->trigger();
    ASSERT_EQ(m_watchdog.Seen().size(), 2U);
    EXPECT_EQ(onTopWhileOpen, (std::vector<bool>{false, false}));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "back on top after";
    EXPECT_TRUE(w->Converter().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w->windowHandle(), native) << "the same native window: no flicker";
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pos(), place);

    w.reset();
    w = window();
    EXPECT_TRUE(action(*w, "AlwaysonTop1")->isChecked());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    action(*w, "AlwaysonTop1")->trigger();
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(ViewModesTest, TheAboutBoxShowsNameVersionAndALinkToTheHelp) {
    std::ofstream(m_dir.File("quantrel.html")) << "<h1>Quantrel help</h1>";
    auto w = window();
    w->move(100, 100);
    QString version;
    QString title;
    m_watchdog.Inspect([&](QWidget* box) {
        title = box->windowTitle();
        version = box->findChild<QLabel*>(QStringLiteral("Version"))->text();
        auto* link = box->findChild<QLabel*>(QStringLiteral("HelpLink"));
        ASSERT_NE(link, nullptr);
        emit link->linkActivated(QStringLiteral("help"));
    });
    m_watchdog.Expect();
    action(*w, "About1")->trigger();
    EXPECT_EQ(title, "About QuantRel");
    EXPECT_EQ(version, "V5.1");
    EXPECT_EQ(m_watchdog.Seen()[0].topLeft, w->frameGeometry().topLeft() + QPoint(50, 50));
    ASSERT_NE(w->HelpViewer(), nullptr) << "the link opens the help";
    EXPECT_TRUE(w->HelpViewer()->isVisible());
}

TEST_F(ViewModesTest, HelpShowsTheDocumentOrSaysWhyItCannot) {
    // No document: the first text, with the full path.
    auto w = window(file("missing/quantrel.html"));
    m_watchdog.Expect();
    action(*w, "Help2")->trigger();
    ASSERT_EQ(m_watchdog.Seen().size(), 1U);
    EXPECT_EQ(m_watchdog.Seen()[0].text,
              "Quantrel encountered an error when displaying help\nHelp File\n" +
                  QDir::toNativeSeparators(file("missing/quantrel.html")) + "\nNot Found");
    EXPECT_EQ(w->HelpViewer(), nullptr);

    // A document that cannot be read (a folder of that name): the second text.
    QDir(file("")).mkdir(QStringLiteral("folder.html"));
    w.reset();
    w = window(file("folder.html"));
    m_watchdog.Expect();
    action(*w, "Help2")->trigger();
    ASSERT_EQ(m_watchdog.Seen().size(), 2U);
    const QString text = m_watchdog.Seen()[1].text;
    EXPECT_TRUE(text.startsWith(
        "Quantrel encountered an error when displaying help\nSee the Readme.txt file in\n"));
    EXPECT_TRUE(text.endsWith("\nFor likely causes..."));

    // The document shows from its first topic, and goes with the window.
    std::ofstream(m_dir.File("quantrel.html"))
        << "<h1>First topic</h1>" << std::string(20000, 'x') << "<h2>Last</h2>";
    w.reset();
    w = window();
    action(*w, "Help2")->trigger();
    QTextBrowser* viewer = w->HelpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_GE(viewer->width(), 600) << "room to read";
    EXPECT_TRUE(viewer->toPlainText().startsWith("First topic"));
    EXPECT_EQ(viewer->textCursor().position(), 0);
    QApplication::setActiveWindow(viewer);
    QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape); // as the system sends it
    EXPECT_FALSE(viewer->isVisible()) << "Escape closes the help";
    QApplication::setActiveWindow(w.get());
    QTest::keyClick(w->windowHandle(), Qt::Key_F1);
    EXPECT_TRUE(viewer->isVisible()) << "F1 opens it again";
    w->close();
    EXPECT_FALSE(viewer->isVisible());
}

TEST_F(ViewModesTest, TheCaretTypesXToThePowerOfY) {
    auto w = window();
    for (const char c : {'2', '^', '1', '0', '='})
        QTest::keyClick(w.get(), c);
    EXPECT_EQ(find<QLineEdit>(*w, "Edit1")->text(), "1024");
}

} // namespace
} // namespace quantrel::gui
