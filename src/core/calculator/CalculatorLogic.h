#pragma once
// The calculator window's logic without its widgets. Keys come in as intents
// (DigitKey, OperatorKey, BackKey, ...); the logic keeps the number being typed,
// drives the main engine, keeps five finished calculations in history engines, and
// tells its CalculatorView what to show:
//
//   key -> entry state ----(operator, "=", replay, Back/Forward)----> main engine
//   main engine events (value, tape line, error, tape position, memory) -> view
//   finished calculation -> history engine 1..5 <-> Equ1.dat .. Equ5.dat
//
// Every public command runs through RunCommand, the one place where the engine's
// silent refusal (SilentAbort) ends a command without a message.

#include "calculator/CalculatorSettings.h"
#include "calculator/CalculatorView.h"
#include "calculator/ConvHistory.h"
#include "calculator/EntryState.h"
#include "calculator/EquationSlots.h"
#include "calculator/KeyCommand.h"
#include "engine/QuantrelEval5.h"
#include "engine/SilentAbort.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quantrel {

/// The line the calculator writes on the tape before a new calculation, a replay
/// and a recalled calculation, with TapeAttr 1.
inline constexpr std::string_view kSeparatorLine = "------------";

class CalculatorLogic {
public:
    static constexpr int kHistorySize = EquationSlots::kSize;

    /// Creates the seven engines, wires the main engine's events to the view,
    /// applies the settings (the memory included) and shows the start state: decimal
    /// mode, degrees, "0" on the display. The view must outlive the logic.
    explicit CalculatorLogic(CalculatorView& view, const CalculatorSettings& settings = {},
                             const NumberLocale& locale = {});
    ~CalculatorLogic();
    CalculatorLogic(const CalculatorLogic&) = delete;
    CalculatorLogic& operator=(const CalculatorLogic&) = delete;

    // Set-up.

    /// Applies changed settings (the options dialog's OK): the main engine's tape
    /// format, digits, conversion digits, sub-totals, expansions, brackets, precedence
    /// and tax; the display's thousand separators; the tax captions. The memory is
    /// taken from the settings only at construction.
    void ApplySettings(const CalculatorSettings& settings);
    /// The options dialog closed with OK: the main engine takes the edited values in
    /// the dialog's order (sub-totals, expansions, their brackets, precedence, tax name
    /// and rate, digits, conversion digits); the tax captions, the status bar and the
    /// display's thousand separators follow. The tape format, the memory and "Hide"
    /// stay as they are, and so do the history and scratch engines.
    void ApplyOptions(const CalculatorSettings& settings);
    /// The options dialog was cancelled after OK refused a value: what OK had stored
    /// until then is kept for the store, while the main engine receives it only at the
    /// next OK or the next start.
    void KeepOptions(const CalculatorSettings& settings);
    /// The current values, for storing at shut-down: the tape format and digits as the
    /// main engine has them, the memory as it stands.
    CalculatorSettings Settings() const;
    /// Separators for the display, the tape and the equation files of every engine;
    /// the decimal-point key takes the decimal separator as its caption.
    void SetLocale(const NumberLocale& locale);
    const NumberLocale& Locale() const { return m_locale; }
    /// Loads the main engine's conversion table: the built-in table, then the user's
    /// file at convFilePath when it exists ("" for the built-in table only).
    /// Conversions need it; without it they leave the value unchanged.
    void LoadConvTable(const std::string& convFilePath);
    /// The tape was hidden or shown; the status bar omits the tape format while hidden.
    void SetTapeHidden(bool hidden);
    /// Sends the whole state to the view again (display, keys, hints, panels).
    void RefreshView();

    // Display and number entry.

    /// A digit key, 0 to 15 (10 to 15 only in hexadecimal mode). After a finished
    /// calculation it starts a new one. At most 13 whole and 9 fraction digits.
    void DigitKey(int digit);
    /// The decimal-point key; after a finished calculation it starts a new one with "0.".
    void DecimalPointKey();
    /// The Exp key: further digits, the sign key and backspace work on the exponent.
    void ExponentKey();
    /// The +/- key: changes the sign of the exponent or of the number being typed;
    /// with no number in progress it is the change-sign operator on the last result.
    void SignKey();
    /// Removes the last digit of the number being typed.
    void BackspaceKey();
    /// CE: clears the number being typed; with none, acts as C.
    void ClearEntryKey();
    /// C: moves the calculation to the history, empties the engine and writes the
    /// separator line.
    void ClearKey();
    /// Paste of clipboard text; text that is no number disables Paste1 and does nothing.
    void Paste(std::string_view clipboardText);
    /// Whether Paste1 should be enabled for this clipboard text when the Edit menu
    /// opens: nothing (keep its state) for empty text.
    std::optional<bool> PasteEnabled(std::string_view clipboardText) const;
    /// What Copy puts on the clipboard: the tape's selection, or the display text.
    std::string CopyText(std::string_view tapeSelection) const;

    /// The text on the display now.
    const std::string& DisplayedText() const { return m_displayText; }

    /// The hidden Debug command: the trace goes on for good, the main engine writes
    /// its snapshots, and the view is told "Trace On".
    void DebugOn();
    /// Sends a line to the view's trace log while the trace is on (the window traces
    /// the name of each control it forwards).
    void Trace(const std::string& text);

    // Operation commands.

    /// The one dispatch of every operator key: hands the pending number (or the changed
    /// number of revisit mode, or 0 on an empty calculation) to the engine, then the
    /// code with CurrentConvSpec. In hexadecimal mode the functions whose keys are
    /// disabled there do nothing.
    void OperatorKey(TOperCode code);
    /// A trigonometric key: code is qeSin, qeCos, qeTan, qeAsin, qeAcos or qeAtan;
    /// the hyperbolic form is sent while Hyp is checked.
    void TrigKey(TOperCode code);
    /// The "=" key (also Enter and the character "="): closes every open parenthesis
    /// and totals; in revisit mode it replays the calculation instead.
    void EqualsKey();
    /// "(": opens a parenthesis with the number 0 pending; a number being typed is
    /// dropped; after a finished calculation it starts a new one.
    void OpenParenKey();
    /// ")": closes a parenthesis; does nothing when none is open.
    void CloseParenKey();
    /// The constant of the Constants menu at index 1 to 22 (PhysicalConstants order).
    void ConstantKey(int index);
    /// The pi key (disabled in hexadecimal mode).
    void PiKey();
    /// The H key: toggles the hyperbolic switch.
    void ToggleHyp();
    /// The Hyp check box was set or cleared.
    void SetHyp(bool checked);
    bool Hyp() const { return m_hyp; }
    /// Dec./Hex.: hexadecimal entry and display on or off; the hexadecimal keys and
    /// the keys without meaning in hexadecimal follow, and so does the engines' base.
    void SetHexMode(bool hex);
    /// Angle units of the main engine: 1 degrees, 2 radians, 3 grads.
    void SetAngleUnits(std::int32_t trigUnits);
    /// Tape format of the lines written from now on: 1 General, 2 Scientific,
    /// 3 Currency, 4 Fixed.
    void SetTapeFormat(std::int32_t mode);
    /// The format button: steps the format 1, 2, 3, 4, 1.
    void NextTapeFormat();
    /// The decimal buttons: tape decimals up to 18, down to 0.
    void IncreaseDigits();
    void DecreaseDigits();

    /// Converts the current value as a conversion history item or the converter's
    /// right arrow does: the request becomes CurrentConvSpec, moves to the top of the
    /// conversion history (unless `toHistory` is false, as for the left arrow), and
    /// qeConv goes through OperatorKey.
    void ApplyConversion(const TConvSpec& spec, bool toHistory = true);
    /// The conversion request passed with every operator (only qeConv uses it).
    const TConvSpec& CurrentConvSpec() const { return m_currentConvSpec; }
    void SetCurrentConvSpec(const TConvSpec& spec) { m_currentConvSpec = spec; }
    ConvHistory& ConversionHistory() { return m_convHistory; }
    const ConvHistory& ConversionHistory() const { return m_convHistory; }

    // Memory.

    /// Min: the shown number goes into the memory.
    void MemoryIn();
    /// M+: the shown number is added to the memory.
    void MemoryAdd();
    /// MR: the memory becomes the number in progress; after a finished calculation
    /// it starts a new one.
    void MemoryRecall();
    /// MC: the memory becomes 0.
    void MemoryClear();

    // Number navigation and equation history.

    /// Back / Forward: stores a changed number, fetches the previous / next number of
    /// the calculation for editing (revisit mode) and selects its tape line.
    void BackKey();
    void ForwardKey();
    /// Replay: puts the changed (or pending) number in and evaluates the whole
    /// calculation again below a separator line.
    void ReplayCalculation();
    /// Brings back the calculation of slot 1..5; a current calculation takes slot 1.
    /// False when the slot is empty. The entry state starts afresh.
    bool RecallHistory(int slot);
    /// Captions of the two history menus' items 1..5: "&1: 12+3*(4-1)=", cut to 17
    /// characters and "..." beyond 20; nothing for an empty slot (item hidden).
    std::array<std::optional<std::string>, kHistorySize> HistoryMenuCaptions() const;
    /// Engine number (1..5) in each slot, most recent first; 0 for an empty slot.
    const std::array<int, kHistorySize>& HistorySlots() const { return m_slots.Engines(); }
    /// Start-up: history engine N reads folder/EquN.dat; each one read takes the next
    /// slot. Missing, empty or unreadable files are skipped without a message.
    void ReadEquationFiles(const std::string& folder);
    /// Shut-down: the current calculation goes into the history, the main engine is
    /// emptied, and Equ1.dat .. Equ5.dat are written newest first (an empty file for
    /// an empty slot). False when a file could not be written.
    bool WriteEquationFiles(const std::string& folder);

    // Keys by name.

    /// Runs one key command (see ParseKeyName).
    void RunKey(const KeyCommand& key);
    /// Runs the key of that name; false, doing nothing, for an unknown name.
    bool RunKey(std::string_view name);

    // State.

    const EntryState& Entry() const { return m_entry; }
    /// The main engine, for reading its state; calculations go through the commands
    /// above.
    const TQuantrelEval& MainEngine() const { return *m_main; }
    /// A note of `length` engine characters went into the tape at `position`: the main
    /// engine's stored line positions at or after it follow the inserted text.
    void ShiftTapePositions(std::int32_t position, std::int32_t length) {
        m_main->ShiftTapePositions(position, length);
    }
    /// Where the main engine appends its diagnostic snapshots once the trace is on.
    void SetSnapshotPath(const std::string& path) { m_main->SetSnapshotPath(path); }
    /// History engine 1..5.
    const TQuantrelEval& HistoryEngine(int n) const;

private:
    /// Runs one command. Commands call each other; only the outermost catches the
    /// engine's refusal, then sends the view the state that follows from the engine
    /// and the entry (keys enabled, hints, status bar, revisit colour).
    template <class Body> void RunCommand(Body&& body);

    void wireMainEngine();
    /// Takes the options dialog's values, keeping those the logic itself changes (tape
    /// format, memory, "Hide").
    void takeOptions(const CalculatorSettings& settings);
    void onValue(Extended value);

    // Entry steps, with the names the other commands know them by.

    /// Back to "nothing typed"; ends revisit mode. Memory, base and shown value stay.
    void ResetEntry();
    /// Clears the number being typed to 0, which stays in progress.
    void ClearEntry();
    /// The display and entry after C: "0", the separator line, revisit mode off.
    void AfterClear();
    /// Writes the separator line, moves the calculation to the history and empties
    /// the main engine.
    void StartNewCalculation();
    /// A finished number as the display shows it (thousand separators when set).
    std::string DisplayText(Extended value) const;
    /// Puts a value on the display as the number in progress (constants, pi).
    void InsertConstant(Extended value);
    /// "Invalid Number": an exponent took the number out of range; the entry clears.
    void invalidNumber();
    /// Puts the text on the display, or in hexadecimal mode the value's HexText; false
    /// when that is too large ("Number too Large", the entry reset, "0" shown).
    bool ShowNumber(const std::string& text, Extended value);
    /// The decimal text of the entry as it stands: the number being typed with its
    /// point, fraction or exponent, else the shown value.
    std::string entryText() const;
    void showDisplay(const std::string& text);
    void appendSeparator();
    std::string entryFormatText(Extended value, int fractionDigits) const;
    std::string exponentText(Extended value) const;
    /// Shows a number that a digit will replace (paste, MR, constants); after a
    /// finished calculation it starts a new one.
    void enterShownNumber(Extended value);

    // Operation steps.
    bool refusedInHex(TOperCode code) const;
    void SetNumberBase();

    // Refreshing the view.
    void refreshDerived();
    std::string memoryHintText() const;
    std::string memoryPanelText() const;
    void UpdateStatusBar();
    void UpdateNavigation();
    void UpdateDisplayColour();
    void UpdateMemoryHint();
    void UpdateFormatHint();
    void UpdateDecimalHints();
    void updateBaseKeys();
    void updateTaxCaptions();
    void updateHypCaptions();

    // History steps.
    /// Puts the current calculation into history slot 1 (nothing when it is empty);
    /// the slots shift down and the oldest drops out.
    void SaveToHistory();
    void fetchNumber(bool forward);
    void copyInto(const TQuantrelEval& from, TQuantrelEval& to);
    TQuantrelEval& historyEngine(int n);

    CalculatorView& m_view;
    NumberLocale m_locale;
    CalculatorSettings m_settings;
    EntryState m_entry;
    std::string m_displayText;
    bool m_hyp = false;
    TConvSpec m_currentConvSpec;
    ConvHistory m_convHistory;
    int m_commandDepth = 0;
    /// The messages the running command has shown: the engine may meet the same
    /// fault more than once while it computes and prints (an unknown unit).
    std::vector<std::string> m_commandMessages;

    // Engines are large (two 499-entry buffers each), so they live on the heap.
    std::unique_ptr<TQuantrelEval> m_main;
    std::array<std::unique_ptr<TQuantrelEval>, kHistorySize> m_history;
    std::unique_ptr<TQuantrelEval> m_scratch;
    std::unique_ptr<TEquationBuffer> m_buffer; ///< carries equations between engines
    EquationSlots m_slots;
};

template <class Body> void CalculatorLogic::RunCommand(Body&& body) {
    if (m_commandDepth > 0) {
        body();
        return;
    }
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(++d) {}
        ~Depth() { --depth; }
    };
    {
        const Depth outermost(m_commandDepth);
        m_commandMessages.clear();
        try {
            body();
        } catch (const SilentAbort&) {
            // The engine refused; it has said what it had to say, if anything.
        }
    }
    refreshDerived();
}

} // namespace quantrel
