#pragma once
// TCalculator, the main window. It renders what the calculator logic reports and
// forwards every click, shortcut and typed character to it:
//
//   key, menu item, shortcut, character -> TCalculator handler -> CalculatorLogic
//   CalculatorLogic -> CalculatorView (this window) -> display, tape, keys, hints, panels
//
// The window computes nothing; its handlers are one-liners into the logic followed by
// FocusEqualsKey. Its code is split by concern: Calculator.cpp (construction, the view
// adapter, messages, trace, keyboard), CalculatorLayout.cpp (controls and
// ArrangeWindow), CalculatorMenus.cpp (menus, toolbar, hidden keys and their handlers),
// CalculatorStore.cpp (the settings and files read at start-up and stored at the end,
// the first show, closing, the notification area).

#include "calculator/CalculatorLogic.h"
#include "calculator/CalculatorView.h"
#include "calculator/ProgramSettings.h"
#include "window/KeyTable.h"
#include "window/SettingsStore.h"

#include <QMainWindow>
#include <QPageLayout>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QFont;
class QLineEdit;
class QPrinter;
class QMenu;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QToolButton;

namespace quantrel::gui {

class KeyButton;
class TapeView;
class TFormConvert;
class TFormOptions;
class TNoteForm;

/// How the window starts. Settings are not read yet: the window always starts with
/// the first-run values.
struct WindowOptions {
    /// Default of the data folder (equation files, conv.csv, "Debug.txt"), which a
    /// stored "SaveDest" replaces; empty for DefaultDataFolder().
    QString dataFolder{};
    /// Separators and currency format; empty for the system locale's.
    std::optional<NumberLocale> locale{};
    /// The settings file; empty for the user's own store.
    QString settingsFile{};
    /// Started with the parameter T: the window starts hidden, with an icon in the
    /// notification area, and closing it only hides it. Ignored where the desktop has
    /// no notification area, since the window could not be reached again.
    bool trayMode = false;
    /// Whether the desktop has a notification area; empty to ask it (tests decide).
    std::optional<bool> trayAvailable{};
    /// The help document; empty for quantrel.html beside the program, or the
    /// installed one.
    QString helpFile{};
};

/// quantrel.html beside the program, or in the installed share folder when only that
/// one is there.
QString DefaultHelpFile();

class TCalculator : public QMainWindow, public CalculatorView {
    Q_OBJECT

public:
    explicit TCalculator(const WindowOptions& options = {}, QWidget* parent = nullptr);
    ~TCalculator() override;

    CalculatorLogic& Logic() { return *m_logic; }
    /// Every value of the settings store as the window holds it now.
    const ProgramSettings& Settings() const { return m_settings; }
    /// Runs in the notification area (TrayMode).
    bool TrayMode() const { return m_trayMode; }

    /// The store routine of the program's end: the settings, then the current
    /// calculation into the history and the five equation files. Every step runs even
    /// when an earlier one failed (each failure is one line on standard error). Runs
    /// once; the window's destruction runs it too.
    void StoreAll();
    /// A second start, the tray icon's double-click or "&Open Quantrel": the window
    /// shows, restored, in front.
    void ShowFromOutside();
    TapeView& Tape() { return *m_tape; }
    const QString& DataFolder() const { return m_dataFolder; }

    // The tape as a document (CalculatorTape.cpp).
    /// Writes the tape to `path`: Rich Text for ".rtf" in any case, a PDF as it prints
    /// for ".pdf", else plain text with CR LF. The file is replaced whole or not at
    /// all; false with the reason in `error` when it cannot be written.
    bool SaveTapeTo(const QString& path, QString* error = nullptr);
    /// Prints the whole tape with its fonts, colours and styles on `printer`.
    void PrintTapeOn(QPrinter& printer);
    /// Annotate's steps after the dialog: `note` goes in as a line of its own at the
    /// start of the caret's line, and the engine's stored positions follow.
    void WriteNote(const QString& note);
    /// The tape's font from the font dialog, its size clamped to 5..20 points; the
    /// window's width follows.
    void ApplyTapeFont(const QFont& font);
    TNoteForm& NoteForm() { return *m_noteForm; }
    TFormOptions& OptionsForm() { return *m_optionsForm; }

    // Conversions (CalculatorMenus.cpp).
    TFormConvert& Converter() { return *m_converter; }
    /// A conversion from the converter's arrows: `spec` converts the current value,
    /// and enters the conversion history when `toHistory` is set.
    void ApplyConversion(const char* source, const TConvSpec& spec, bool toHistory);
    /// "&Always On Top" is ticked.
    bool AlwaysOnTop() const;

    /// Keys act when a mouse button goes down ("Down" of "Mouse"; default off).
    void SetFastClick(bool on);
    bool FastClick() const { return m_fastClick; }

    /// A modal box with one OK button whose top-left corner stands 50 pixels right of
    /// and below the window's; every message of the window, the logic and the engine
    /// comes here. Returns the button pressed.
    int ShowMessageBox(const QString& text, MessageKind kind);

    /// Gives the focus to the "=" key, or to the replay key in revisit mode, so that
    /// Enter presses it.
    void FocusEqualsKey();

    /// Shows or hides the toolbar, status bar, function tabs and tape after their menu
    /// check marks, places the areas and sizes the window.
    void ArrangeWindow();

    /// Left edge of the tape in pixels; the window's width when the tape is hidden.
    int TapeLeft() const { return m_tapeLeft; }

    // Help and About (CalculatorHelp.cpp).
    /// The help document "&Help" shows.
    const QString& HelpFile() const { return m_helpFile; }
    /// The help viewer once "&Help" has opened it, else null.
    QTextBrowser* HelpViewer() const { return m_helpViewer; }

    // CalculatorView.
    void ShowDisplay(const std::string& text) override;
    void AppendTapeLine(const std::string& text, std::int32_t attr, bool isNegative) override;
    std::int32_t TapePosition() override;
    void ShowMessage(const std::string& text, MessageKind kind) override;
    void ShowRevisitMode(bool on) override;
    void SelectTape(std::int32_t start, std::int32_t length) override;
    void SetEnabled(CalcControl control, bool enabled) override;
    void SetCaption(CalcControl control, const std::string& caption) override;
    void SetHint(CalcControl control, const std::string& hint) override;
    void SetChecked(CalcControl control, bool checked) override;
    void SetStatusPanel(int panel, const std::string& text) override;
    void Trace(const std::string& text) override;

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Controls and layout (CalculatorLayout.cpp).
    void buildCentral();
    void buildDisplay();
    void buildKeys();
    QWidget* buildTabPage(KeyArea area);
    void buildTrigChoices(QWidget* page);
    void buildHexChoices(QWidget* page);
    void buildTape();
    void buildStatusBar();
    KeyButton* makeKey(const KeyDef& key, QWidget* parent);
    void fitDisplayFont();
    /// `pixels` of the normal size in the size the controls have now.
    int scaled(int pixels) const;
    /// Sizes, places and fonts of the keypad, tabs, display and status bar for the
    /// size the controls have now (LargeApplied).
    void applySize();

    // Start-up and the end (CalculatorStore.cpp).
    void LoadSettings(const WindowOptions& options, const NumberLocale& locale);
    void SaveSettings();
    /// The tape's line styles and colours from the settings.
    void applyTapeStyle();
    void placeOnFirstShow();
    void buildTray();
    /// The check mark of HideTape1 and the picture and hint of ShowToolButton.
    void showTapeState();

    // The tape's file, dialogs and commands (CalculatorTape.cpp).
    QString tapeFile() const;
    void loadKeptTape();
    void keepTape();
    /// The kept tape's separator on the first show.
    void separateKeptTape();
    /// A common dialog's place: the window's corner + 50 pixels, 20 inside the screen;
    /// sized to its contents first unless `fitContents` is false.
    void placeDialog(QWidget* dialog, bool fitContents = true) const;
    /// The default printer with this run's page layout, or nothing after telling the
    /// user `noneText` when there is no default printer.
    std::unique_ptr<QPrinter> defaultPrinter(const QString& noneText);
    void SaveTapeAs1Click();
    void PrintTape1Click();
    void PageSetup1Click();
    void Annotate1Click(const char* source);
    void TapeFont1Click();

    // Menus, toolbar and hidden keys (CalculatorMenus.cpp).
    void buildMenus();
    void buildToolBar();
    void buildHiddenKeys();
    void buildPopupMenu();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {}, bool enabled = true);
    void resolveControls();

    /// Runs one command of a control or menu item: the trace line first, the body,
    /// and the focus back on the "=" key. An unexpected failure shows `failureText`
    /// (or the failure's own text) in an error box instead of ending the program.
    void command(const std::string& traceText, const std::function<void()>& body,
                 const QString& failureText = {});

    // Handlers. Keys of the table share one; the rest are named after their control.
    void KeyClick(const KeyDef& key, std::string_view source, const QString& failureText = {});
    bool FormKeyPress(const QString& text);
    void HypCheckBox1Click(bool checked);
    void RadioGroupDecHexClick(int index);
    void RadioGroupDegRadGradClick(int index);
    void PrevToolButtonClick(const char* source);
    void NextToolButtonClick(const char* source);
    void RecalcToolButtonClick();
    void ToolButtonPrevEquClick();
    void Equ5MenuItemClick(const char* source, int tag);
    void fillHistoryMenu(const char* source,
                         const std::array<QAction*, CalculatorLogic::kHistorySize>& items);
    /// Adds the five hidden items "Equ<N><itemSuffix>" to a history menu, filled as it opens.
    void buildHistoryMenu(QMenu* menu, const char* menuName, const char* itemSuffix,
                          std::array<QAction*, CalculatorLogic::kHistorySize>& items);
    void Exponent1Click(const char* source, int mode);
    void ToolButtonFormatClick();
    void ToolButtonDecUpClick();
    void ToolButtonDecDownClick();
    void ConstantClick(const char* item, int index);
    /// A category command (`tag` 1..14) or the converter button (tag 0).
    void Convert2Click(const char* source, int tag);
    void UpdateConvHistoryMenus();
    /// Adds the ten hidden items "<itemPrefix>1".."<itemPrefix>10", filled as it opens.
    void buildConvHistoryMenu(QMenu* menu, const char* itemPrefix,
                              std::array<QAction*, ConvHistory::kSize>& items);
    void ConvMenu1Click(const char* source, int k);
    void Copy1Click(const char* source);
    void Paste1Click(const char* source);
    void SelectAll1Click(const char* source);
    void Edit2Click();
    void PopupMenu1Popup();
    void Debug1Click();
    void ClearTape1Click(const char* source);
    void HideTape1Click(const char* source);
    void ViewToolBarClick();
    void ViewStatusBarClick();
    void Advanced1Click();
    void NormalSize1Click();
    void LargeSize2Click();
    void AlwaysonTop1Click();
    /// The windows that share the calculator's layer: itself, the converter and the
    /// help viewer (null until made).
    std::vector<QWidget*> topLayerWindows() const;
    /// Puts them all into the top layer, or takes them out.
    void setTopLayer(bool on);
    void Help2Click();
    void About1Click();
    void MoreOptions1Click(); // CalculatorOptions.cpp
    void Exit2Click();

    std::unique_ptr<CalculatorLogic> m_logic;
    ProgramSettings m_settings;
    SettingsStore m_store;
    QString m_dataFolder;
    QString m_helpFile;
    QTextBrowser* m_helpViewer = nullptr; ///< made when "&Help" first shows it
    bool m_trayMode = false;
    bool m_firstShow = true;
    bool m_placePending = false; ///< the first show's place waits for the frame's size
    bool m_stored = false;
    bool m_fastClick = false;
    bool m_tapeBatch = false; ///< a command has the tape's appending open
    int m_tapeLeft = 250;
    bool m_largeApplied = false; ///< the size the controls have; "Large" is the one wanted

    QWidget* m_central = nullptr;
    QLineEdit* m_display = nullptr;          ///< Edit1
    QWidget* m_keypad = nullptr;             ///< BasicKeysPanel
    QTabWidget* m_tabs = nullptr;            ///< PageControl1
    QFrame* m_tapePanel = nullptr;           ///< TapePanel
    TapeView* m_tape = nullptr;              ///< RichEdit1
    QToolBar* m_toolBar = nullptr;           ///< ToolBar1
    QWidget* m_statusBar = nullptr;          ///< StatusBar1
    std::array<QLabel*, 4> m_panels{};       ///< its four panels
    KeyButton* m_equalsKey = nullptr;        ///< EqualsBitBtn
    KeyButton* m_replayKey = nullptr;        ///< RecalcBitBtn
    QToolButton* m_showTape = nullptr;       ///< ShowToolButton
    QToolButton* m_formatKey = nullptr;      ///< ToolButtonFormat
    std::vector<KeyButton*> m_keys;          ///< every key of the keypad and the tabs
    std::vector<const KeyDef*> m_keyDefs;    ///< the table's entry of each of them
    TNoteForm* m_noteForm = nullptr;         ///< the annotation dialog, made at start-up
    TFormOptions* m_optionsForm = nullptr;   ///< the options dialog, made at start-up
    TFormConvert* m_converter = nullptr;     ///< the converter, made after the dialogs
    std::optional<QPageLayout> m_pageLayout; ///< Page Setup's choice for this run

    QAction* m_viewToolBar = nullptr;
    QAction* m_viewStatusBar = nullptr;
    QAction* m_advanced = nullptr;
    QAction* m_onTop = nullptr;
    QAction* m_normalSize = nullptr; ///< NormalSize1
    QAction* m_largeSize = nullptr;  ///< LargeSize2
    QAction* m_hideTape = nullptr;
    QAction* m_copy1 = nullptr;
    QAction* m_paste1 = nullptr;
    QAction* m_copy2 = nullptr;
    QAction* m_paste2 = nullptr;
    QMenu* m_popupMenu = nullptr; ///< PopupMenu1, of the window and the tape
    std::array<QAction*, CalculatorLogic::kHistorySize>
        m_historySubItems{}; ///< Equ1SubItem .. Equ5SubItem
    std::array<QAction*, CalculatorLogic::kHistorySize>
        m_historyPopupItems{};                                   ///< Equ1MenuItem .. Equ5MenuItem
    std::array<QAction*, ConvHistory::kSize> m_convMenuItems{};  ///< ConvMenu1 .. ConvMenu10
    std::array<QAction*, ConvHistory::kSize> m_convPopupItems{}; ///< ConvPMenu1 .. ConvPMenu10

    /// The widget or action of each control the logic speaks of, by CalcControl.
    std::array<QObject*, kCalcControlCount> m_controls{};
};

} // namespace quantrel::gui
