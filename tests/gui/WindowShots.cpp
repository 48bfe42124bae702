// Pictures of the calculator window for looking at its layout: run under a real X
// server (or any platform) with an output folder, it saves one PNG per form of the
// window: scientific and basic, with and without the tape, each function tab, revisit
// mode, the menus and the options dialog's tabs.
//
//   DISPLAY=:99 build/bin/quantrel_window_shots /tmp/quantrel-shots

#include "options/FormOptions.h"
#include "support/TempDir.h"
#include "window/Calculator.h"
#include "window/TapeView.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace {

using quantrel::gui::TCalculator;
using quantrel::gui::TFormOptions;

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

void click(TCalculator& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) {
        std::fprintf(stderr, "no button %s\n", name);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

void trigger(TCalculator& window, const char* name) {
    window.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    settle();
}

bool save(QWidget& widget, const QDir& folder, const char* name) {
    settle();
    const QString path = folder.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s (%dx%d)\n", saved ? "saved" : "FAILED", qPrintable(path), widget.width(),
                widget.height());
    return saved;
}

bool saveMenu(TCalculator& window, const QDir& folder, const char* menuName) {
    auto* menu = window.findChild<QMenu*>(QString::fromLatin1(menuName));
    menu->popup(window.mapToGlobal(QPoint(20, 20)));
    const bool saved = save(*menu, folder, (QStringLiteral("menu-") + menuName).toLatin1().data());
    menu->hide();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quantrel_window_shots OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    const quantrel::test::TempDir data;
    TCalculator window({QString::fromStdString(data.Path().string()),
                        quantrel::NumberLocale::CommaPoint(),
                        QString::fromStdString(data.File("quantrel.ini"))});
    window.show();
    settle();

    // The README's picture: a sum, a tax and a square root with their tape lines.
    for (const char* key : {"Button1", "Button2",    "Button17", "Button5",       "Button11",
                            "Button7", "Button17",   "Button2",  "Button5",       "EqualsBitBtn",
                            "Button1", "Button10",   "Button10", "ButtonPlusTax", "EqualsBitBtn",
                            "Button9", "ButtonSqrt", "Button11", "Button1",       "EqualsBitBtn"})
        click(window, key);
    bool ok = save(window, folder, "readme");

    // A finished calculation, a second one in progress, and an error line.
    for (const char* key :
         {"Button1", "Button2", "Button3", "Button17", "Button4", "Button11", "Button5", "Button13",
          "Button6", "EqualsBitBtn", "Button7", "Button14", "Button2"})
        click(window, key);

    ok = save(window, folder, "scientific-tape") && ok;
    trigger(window, "HideTape1");
    ok = save(window, folder, "scientific-notape") && ok;
    trigger(window, "Advanced1");
    ok = save(window, folder, "basic-notape") && ok;
    trigger(window, "HideTape1");
    ok = save(window, folder, "basic-tape") && ok;
    trigger(window, "Advanced1");

    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    tabs->setCurrentIndex(1);
    click(window, "HypCheckBox1");
    ok = save(window, folder, "tab-trig-hyp") && ok;
    click(window, "HypCheckBox1");
    tabs->setCurrentIndex(2);
    click(window, "RadioGroupDecHex_1");
    ok = save(window, folder, "tab-hex-hexmode") && ok;
    click(window, "RadioGroupDecHex_0");
    tabs->setCurrentIndex(3);
    ok = save(window, folder, "tab-log") && ok;
    tabs->setCurrentIndex(4);
    ok = save(window, folder, "tab-tax") && ok;
    tabs->setCurrentIndex(0);

    click(window, "EqualsBitBtn");
    click(window, "PrevToolButton");
    ok = save(window, folder, "revisit") && ok;
    click(window, "RecalcBitBtn");

    // The widest display text: a negative mantissa with a four-digit exponent.
    for (const char* key : {"Button15", "Button8", "ButtonPlusMinus", "ButtonExp", "Button4",
                            "Button3", "Button2", "Button1"})
        click(window, key);
    ok = save(window, folder, "display-longest") && ok;
    click(window, "Button15");

    trigger(window, "ViewToolBar");
    trigger(window, "ViewStatusBar");
    ok = save(window, folder, "no-toolbar-no-statusbar") && ok;
    trigger(window, "ViewToolBar");
    trigger(window, "ViewStatusBar");

    for (const char* menu :
         {"File1", "Edit2", "View1", "Options1", "Tools1", "Constants1", "Help1"})
        ok = saveMenu(window, folder, menu) && ok;

    // The options dialog, one picture per tab.
    TFormOptions& options = window.OptionsForm();
    options.show();
    auto* pages = options.findChild<QTabWidget*>(QStringLiteral("OptionsPageControl"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        const QString name = QStringLiteral("options-") + pages->tabText(page).toLower();
        ok = save(options, folder, name.toLatin1().data()) && ok;
    }
    options.reject();
    return ok ? 0 : 1;
}
