#pragma once
// The calculator's window for quantrel-tape: tape lines go to one stream, message
// boxes to another as "message: TEXT", and the display is only remembered.

#include "calculator/CalculatorView.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace quantrel::cli {

class StreamView : public CalculatorView {
public:
    /// With `attrs`, each tape line is prefixed by its TapeAttr digit and a tab.
    StreamView(std::ostream& tape, std::ostream& messages, bool attrs)
        : m_tape(tape), m_messages(messages), m_attrs(attrs) {}

    void ShowDisplay(const std::string& text) override { m_display = text; }
    void AppendTapeLine(const std::string& text, std::int32_t attr, bool isNegative) override;
    std::int32_t TapePosition() override { return m_tapeLength; }
    void ShowMessage(const std::string& text, MessageKind kind) override;

    const std::string& Display() const { return m_display; }

private:
    std::ostream& m_tape;
    std::ostream& m_messages;
    bool m_attrs;
    std::string m_display;
    std::int32_t m_tapeLength = 0;
};

} // namespace quantrel::cli
