#pragma once
// A CalculatorView that records what the calculator logic tells it, and a fixture
// that drives the logic with key names ("2 + 3 =") as a user would press them.

#include "calculator/CalculatorLogic.h"
#include "numeric/Utf8.h"
#include "support/TapeLine.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace quantrel::test {

struct Message {
    std::string text;
    MessageKind kind = MessageKind::Error;
    bool operator==(const Message&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << '"' << m.text << "\" (" << static_cast<int>(m.kind) << ')';
}

class RecordingView : public CalculatorView {
public:
    std::string display;
    std::vector<TapeLine> tape;
    std::int32_t tapeLength = 0; ///< characters, each line break counting 2
    std::vector<Message> messages;
    bool revisit = false;
    std::int32_t selStart = -1;
    std::int32_t selLength = -1;
    std::map<CalcControl, bool> enabled;
    std::map<CalcControl, std::string> captions;
    std::map<CalcControl, std::string> hints;
    std::map<CalcControl, bool> checked;
    std::string panels[4];
    std::vector<std::string> trace;

    void ShowDisplay(const std::string& text) override { display = text; }
    void AppendTapeLine(const std::string& text, std::int32_t attr, bool isNegative) override {
        tape.push_back({text, attr, isNegative});
        tapeLength += static_cast<std::int32_t>(Utf8Length(text)) + 2;
    }
    std::int32_t TapePosition() override { return tapeLength; }
    void ShowMessage(const std::string& text, MessageKind kind) override {
        messages.push_back({text, kind});
    }
    void ShowRevisitMode(bool on) override { revisit = on; }
    void SelectTape(std::int32_t start, std::int32_t length) override {
        selStart = start;
        selLength = length;
    }
    void SetEnabled(CalcControl control, bool on) override { enabled[control] = on; }
    void SetCaption(CalcControl control, const std::string& text) override {
        captions[control] = text;
    }
    void SetHint(CalcControl control, const std::string& text) override { hints[control] = text; }
    void SetChecked(CalcControl control, bool on) override { checked[control] = on; }
    void SetStatusPanel(int panel, const std::string& text) override { panels[panel] = text; }
    void Trace(const std::string& text) override { trace.push_back(text); }

    /// The tape's lines as texts from line `first` on, for compact comparisons.
    std::vector<std::string> TapeTexts(std::size_t first = 0) const {
        std::vector<std::string> texts;
        for (std::size_t i = first; i < tape.size(); ++i)
            texts.push_back(tape[i].text);
        return texts;
    }
    /// The tape line that starts at a position (TapePosition units).
    std::string LineAt(std::int32_t start) const {
        std::int32_t position = 0;
        for (const TapeLine& line : tape) {
            if (position == start)
                return line.text;
            position += static_cast<std::int32_t>(Utf8Length(line.text)) + 2;
        }
        return {};
    }
};

/// Presses keys given by name, separated by blanks; every name must be known.
inline void PressKeys(CalculatorLogic& logic, const std::string& keys) {
    std::istringstream in(keys);
    std::string key;
    while (in >> key)
        ASSERT_TRUE(logic.RunKey(key)) << "unknown key " << key;
}

/// A fresh calculator with first-run settings and a comma/point locale.
class CalculatorFixture : public ::testing::Test {
protected:
    RecordingView view;
    CalculatorLogic calc{view};

    void Keys(const std::string& keys) { PressKeys(calc, keys); }
};

} // namespace quantrel::test
