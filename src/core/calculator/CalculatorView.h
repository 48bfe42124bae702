#pragma once
// What the calculator logic asks its window to show. The Qt window and the headless
// quantrel-tape program each implement this; the logic calls it synchronously from
// its constructor and its commands (the main engine's events included).
//
//   key -> CalculatorLogic -> TQuantrelEval -> events -> CalculatorLogic -> CalculatorView
//
// The first four functions are what any front end needs; the rest describe the
// state of the window's controls and default to doing nothing.

#include "calculator/CalcControl.h"

#include <cstdint>
#include <string>

namespace quantrel {

/// The kind of a message box; every box has one OK button.
enum class MessageKind : std::uint8_t {
    Error,       ///< an error box ("Invalid Number", arithmetic errors)
    Information, ///< an information box ("Trace On")
};

class CalculatorView {
public:
    virtual ~CalculatorView() = default;

    /// Replaces the whole display text.
    virtual void ShowDisplay(const std::string& text) = 0;

    /// Appends one line to the tape, styled after its attribute (1 operation,
    /// 2 expanded, 3 sub-total, 4 total, 5 error); isNegative marks a negative total.
    /// The logic's own separator line "------------" arrives here with attribute 1.
    virtual void AppendTapeLine(const std::string& text, std::int32_t attr, bool isNegative) = 0;

    /// Where the next appended tape line will begin, in characters counted as the
    /// engine counts them: the tape's text length with each line break as 2 (CR LF).
    virtual std::int32_t TapePosition() = 0;

    /// A modal message box with the text.
    virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;

    /// Revisit mode on or off: the display text turns aqua (on) or lime (off), and
    /// the replay key RecalcBitBtn stands in place of the "=" key EqualsBitBtn (on).
    /// The key that Enter presses, and that takes the focus after a command, is
    /// RecalcBitBtn while on, EqualsBitBtn otherwise.
    virtual void ShowRevisitMode(bool /*on*/) {}

    /// Selects `length` characters of the tape from `start` (units of TapePosition)
    /// and keeps the selection visible without focus.
    virtual void SelectTape(std::int32_t /*start*/, std::int32_t /*length*/) {}

    virtual void SetEnabled(CalcControl /*control*/, bool /*enabled*/) {}
    virtual void SetCaption(CalcControl /*control*/, const std::string& /*caption*/) {}
    virtual void SetHint(CalcControl /*control*/, const std::string& /*hint*/) {}
    virtual void SetChecked(CalcControl /*control*/, bool /*checked*/) {}

    /// Status bar panel 0 (memory), 1 (precedence), 2 (tape format) or 3 (open
    /// parentheses).
    virtual void SetStatusPanel(int /*panel*/, const std::string& /*text*/) {}

    /// One line for the trace log, only sent while the trace is on; the window
    /// prefixes the date and time and appends it to "Debug.txt".
    virtual void Trace(const std::string& /*text*/) {}
};

} // namespace quantrel
