// What outlives a run: the settings file's texts, a window that comes back as the
// last one was left, the first show's placement, closing in tray mode, and the rule of
// one copy at a time. Store and data live in a temporary folder.

#include "window/SettingsStore.h"
#include "ModalWatchdog.h"
#include "QtPrinters.h"
#include "support/TempDir.h"
#include "window/Calculator.h"
#include "window/SingleInstance.h"
#include "window/TapeView.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace quantrel::gui {
namespace {

class StoreTest : public ::testing::Test {
protected:
    QString file(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    QString iniPath() const { return file("quantrel.ini"); }

    std::unique_ptr<TCalculator> window(bool trayMode = false, bool trayAvailable = false) {
        WindowOptions options{file(""), NumberLocale::CommaPoint(), iniPath(), trayMode,
                              trayAvailable};
        return std::make_unique<TCalculator>(options);
    }
    void writeIni(const std::string& text) const {
        std::ofstream(m_dir.File("quantrel.ini"), std::ios::binary) << text;
    }
    static void show(TCalculator& w) {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    static void keys(TCalculator& w, const char* typed) {
        for (const char* c = typed; *c != '\0'; ++c)
            QTest::keyClick(&w, *c);
    }
    template <class T = QObject> static T* find(TCalculator& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test::TempDir m_dir;
    ModalWatchdog m_watchdog;
};

TEST_F(StoreTest, TextsSurviveTheFileUnchanged) {
    const SettingsStore store(iniPath());
    SettingsTexts texts;
    const char* notes[] = {"@Variant(x)", "back\\slash", "a \"quote\"", "  leading blanks",  "a, b",
                           "semi;colon",  "equals=sign", "#hash",       "\u00B0 and \u20AC", ""};
    for (int k = 0; k < 10; ++k)
        texts[{"Annot", "Note" + std::to_string(k + 1)}] = notes[k];
    texts[{"Conv", "Conv1"}] = "Length,lmi,lkm";
    ASSERT_TRUE(store.Write(texts));
    EXPECT_EQ(store.Read(), texts);
}

TEST_F(StoreTest, AHandEditedListIsJoinedBackAndJunkFallsBack) {
    writeIni("[Conv]\nConv1=Length,lmi,lkm\n[Annot]\nNote1=a,b,c\n[Tape]\nKeepcount=abc\n"
             "Digits=\x01\xff\n[Totals]\nBold=2\nUnder=yes\n[Tax]\nTaxRate=letters\n");
    const SettingsTexts texts = SettingsStore(iniPath()).Read();
    EXPECT_EQ(texts.at({"Conv", "Conv1"}), "Length,lmi,lkm");
    EXPECT_EQ(texts.at({"Annot", "Note1"}), "a,b,c");
    const ProgramSettings read = ReadProgramSettings(texts, NumberLocale::CommaPoint());
    EXPECT_EQ(read.Keepcount, 99);
    EXPECT_EQ(read.Calc.Digits, 2);
    EXPECT_TRUE(read.TotalsBold);
    EXPECT_TRUE(read.TotalsUnder) << "\"yes\" is no integer: the default";
    EXPECT_EQ(read.Calc.TaxRate, 0.1);
}

TEST_F(StoreTest, ABinaryOrHugeFileGivesTheDefaultsAndIsReplacedAtTheEnd) {
    for (const std::string& junk : {std::string("\x7f\x45\x4c\x46\x00\x01[[[\xff\xfe=\n\x00", 14),
                                    std::string(10 << 20, 'x')}) {
        writeIni(junk);
        std::unique_ptr<TCalculator> w = window();
        EXPECT_EQ(w->Settings().Calc, CalculatorSettings{});
        w.reset();
        QSettings written(iniPath(), QSettings::IniFormat);
        EXPECT_EQ(written.status(), QSettings::NoError);
        EXPECT_EQ(written.value(QStringLiteral("Tape/Keepcount")).toString(), "99");
    }
}

TEST_F(StoreTest, AWindowComesBackAsTheLastOneWasLeft) {
    writeIni("[Tax]\nTaxLit=VAT\nTaxRate=0.175\n");
    {
        std::unique_ptr<TCalculator> w = window();
        show(*w);
        EXPECT_EQ(find<QAbstractButton>(*w, "ButtonPlusTax")->text(), "+VAT");
        keys(*w, "12+30=");
        find<QAction>(*w, "Min1")->trigger();
        keys(*w, "7*6=");
        find<QAction>(*w, "Fixed1")->trigger();
        find<QToolButton>(*w, "ToolButtonDecUp")->click();
        find<QAction>(*w, "ViewToolBar")->trigger();
        find<QAction>(*w, "HideTape1")->trigger();
        w->move(230, 140);
        QTest::qWait(20);
    }
    // Every value of the table is in the file after a run.
    {
        QSettings written(iniPath(), QSettings::IniFormat);
        for (const SettingDef& row : StoredSettings()) {
            const QString key =
                QString::fromStdString(std::string(row.Section) + "/" + std::string(row.Name));
            EXPECT_TRUE(written.contains(key)) << key.toStdString();
        }
        EXPECT_EQ(written.value(QStringLiteral("Mem/MemNum")).toString(), "42");
        EXPECT_EQ(written.value(QStringLiteral("Tax/TaxRate")).toString(), "0.175");
    }
    for (int n = 1; n <= 5; ++n)
        EXPECT_TRUE(QFile::exists(file(("Equ" + std::to_string(n) + ".dat").c_str()))) << n;

    std::unique_ptr<TCalculator> again = window();
    show(*again);
    EXPECT_EQ(again->pos(), QPoint(230, 140));
    EXPECT_EQ(again->Logic().Entry().MemoryValue(), 42);
    EXPECT_EQ(again->Logic().MainEngine().TapeFormatMode(), 4);
    EXPECT_EQ(again->Logic().MainEngine().Digits(), 3);
    EXPECT_EQ(again->Logic().MainEngine().TaxLit(), "VAT");
    EXPECT_FALSE(find<QAction>(*again, "ViewToolBar")->isChecked());
    EXPECT_TRUE(find<QAction>(*again, "HideTape1")->isChecked());
    const auto captions = again->Logic().HistoryMenuCaptions();
    EXPECT_EQ(captions[0], "&1: 7*6=");
    EXPECT_EQ(captions[1], "&2: 12+30=");
    EXPECT_EQ(captions[2], std::nullopt);
}

TEST_F(StoreTest, TheFirstShowKeepsTheWindowOnTheScreen) {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    writeIni("[Form]\nLeft=100000\nTop=100000\n");
    std::unique_ptr<TCalculator> w = window();
    show(*w);
    const QSize size = w->frameGeometry().size();
    EXPECT_EQ(w->pos(),
              QPoint(screen.width() - size.width() - 20, screen.height() - size.height() - 20));
    w.reset();
    writeIni("[Form]\nLeft=-30\nTop=-5\n");
    w = window();
    show(*w);
    // Kept off the screen's left and top edges (the offscreen platform moves a frame by
    // its margins, so the exact pixel differs there).
    EXPECT_LT(w->pos().x(), 0) << "a negative place is kept";
    EXPECT_LT(w->pos().y(), 0);
}

TEST_F(StoreTest, ClosingInTrayModeResetsAndHides) {
    writeIni("[Tape]\nReset=1\n");
    std::unique_ptr<TCalculator> w = window(true, true);
    ASSERT_TRUE(w->TrayMode());
    auto* tray = w->findChild<QSystemTrayIcon*>(QStringLiteral("TrayNotifyIcon1"));
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->toolTip(), "Quantrel");
    show(*w);
    keys(*w, "2+3=");
    EXPECT_FALSE(w->close()) << "the window only hides";
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->Tape().LineCount(), 0);
    EXPECT_TRUE(w->Logic().MainEngine().IsEmpty());
    EXPECT_EQ(w->Logic().HistoryMenuCaptions()[0], "&1: 2+3=");
    w->ShowFromOutside();
    EXPECT_TRUE(w->isVisible());
}

TEST_F(StoreTest, WithoutANotificationAreaTrayModeIsOff) {
    std::unique_ptr<TCalculator> w = window(true, false);
    EXPECT_FALSE(w->TrayMode());
    show(*w);
    keys(*w, "4*4=");
    EXPECT_TRUE(w->close()) << "closing ends the program as outside tray mode";
    EXPECT_TRUE(QFile::exists(file("Equ1.dat"))) << "and stores what it has";
}

TEST_F(StoreTest, AStoredBracketOutOfRangeIsReportedAtStartUp) {
    writeIni("[Expand]\nSubTotalsSymIndex=7\n");
    m_watchdog.Expect();
    std::unique_ptr<TCalculator> w = window();
    ASSERT_EQ(m_watchdog.Seen().size(), 1U);
    EXPECT_EQ(m_watchdog.Seen().front().text, "Invalid fSubTotalSymIndex");
    EXPECT_EQ(m_watchdog.Seen().front().icon, QMessageBox::Critical);
}

TEST_F(StoreTest, AMissingDataFolderFallsBackForTheRun) {
    writeIni("[Dir]\nSaveDest=/no/such/folder\n");
    std::unique_ptr<TCalculator> w = window();
    EXPECT_EQ(w->DataFolder(), file(""));
}

TEST(SingleInstanceTest, ASecondCopyAsksTheFirstToShow) {
    const test::TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    SingleInstance first(folder);
    ASSERT_TRUE(first.BecomeFirst());
    QSignalSpy shown(&first, &SingleInstance::ShowRequested);

    // A connection that sends junk, and one that never says anything, change nothing.
    QLocalSocket junk;
    junk.connectToServer(QDir(folder).filePath(QStringLiteral("quantrel.socket")));
    ASSERT_TRUE(junk.waitForConnected(1000));
    junk.write("format c:\n");
    junk.flush();
    QLocalSocket silent;
    silent.connectToServer(QDir(folder).filePath(QStringLiteral("quantrel.socket")));
    QTest::qWait(50);
    EXPECT_EQ(shown.count(), 0);

    SingleInstance second(folder);
    EXPECT_FALSE(second.BecomeFirst());
    EXPECT_TRUE(second.RequestShow());
    EXPECT_TRUE(shown.wait(2000));
    EXPECT_EQ(shown.count(), 1);
}

TEST(SingleInstanceTest, ALockLeftByACrashDoesNotStopTheNextStart) {
    const test::TempDir dir;
    // The lock of a process that is gone: a process number no process has.
    std::ofstream(dir.File("quantrel.lock")) << "2147483646\nquantrel\n"
                                             << QSysInfo::machineHostName().toStdString() << "\n";
    SingleInstance next(QString::fromStdString(dir.Path().string()));
    EXPECT_TRUE(next.BecomeFirst());
}

} // namespace
} // namespace quantrel::gui
