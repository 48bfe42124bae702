// Any bytes as a quantrel-tape script: split into key names as the program splits
// them and run through the calculator logic, up to kMaxKeys keys. Names that are no
// key are skipped rather than refusing the script, so that every input runs; a word
// "paste:TEXT" pastes TEXT as the clipboard would. No key may fault, and after each
// one the display shows something and the logic agrees with it.
//
// A first line "# ..." (a comment to quantrel-tape) may choose settings by words:
//   # as-entered thousands comma no-subtotals no-expand fixed
// "comma" picks the point-thousands, comma-decimal locale.

#include "FuzzSupport.h"

#include "calculator/CalculatorLogic.h"
#include "cli/KeyScript.h"
#include "numeric/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quantrel;
using fuzz::Check;

constexpr std::size_t kMaxKeys = 2000;

class CollectingView : public CalculatorView {
public:
    std::string display;
    std::int32_t tapeLength = 0;
    std::size_t tapeLines = 0;
    std::size_t messages = 0;

    void ShowDisplay(const std::string& text) override { display = text; }
    void AppendTapeLine(const std::string& text, std::int32_t attr, bool) override {
        Check(attr >= 1 && attr <= 5);
        tapeLength += static_cast<std::int32_t>(Utf8Length(text)) + 2;
        ++tapeLines;
    }
    std::int32_t TapePosition() override { return tapeLength; }
    void ShowMessage(const std::string& text, MessageKind) override {
        Check(!text.empty());
        ++messages;
    }
    void SelectTape(std::int32_t start, std::int32_t length) override {
        Check(start >= 0 && length >= 0);
    }
    void SetStatusPanel(int panel, const std::string&) override { Check(panel >= 0 && panel <= 3); }
};

struct ScriptSettings {
    CalculatorSettings settings;
    NumberLocale locale = NumberLocale::CommaPoint();
};

ScriptSettings settingsOf(std::string_view script) {
    ScriptSettings s;
    if (!script.starts_with('#'))
        return s;
    const std::string_view line = script.substr(0, script.find_first_of("\r\n"));
    for (const std::string& word : cli::SplitKeys(line.substr(1))) {
        if (word == "as-entered")
            s.settings.Dumb = true;
        else if (word == "thousands")
            s.settings.ThousSep = true;
        else if (word == "comma")
            s.locale = NumberLocale::PointComma();
        else if (word == "no-subtotals")
            s.settings.Subtotals = false;
        else if (word == "no-expand")
            s.settings.ExpandOper = false;
        else if (word == "fixed")
            s.settings.NumOpt = 4;
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    const ScriptSettings s = settingsOf(script);
    CollectingView view;
    CalculatorLogic calculator(view, s.settings, s.locale);
    calculator.LoadConvTable("");
    Check(!view.display.empty());

    std::size_t keys = 0;
    for (const std::string& name : cli::SplitKeys(script)) {
        if (keys++ == kMaxKeys)
            break;
        constexpr std::string_view pastePrefix = "paste:";
        if (name.starts_with(pastePrefix)) {
            const std::string_view text = std::string_view(name).substr(pastePrefix.size());
            calculator.PasteEnabled(text);
            calculator.Paste(text);
        } else if (!calculator.RunKey(name)) {
            continue;
        }
        Check(!view.display.empty());
        Check(view.display == calculator.DisplayedText());
    }
    calculator.Settings();
    calculator.HistoryMenuCaptions();
    Check(calculator.CopyText("") == calculator.DisplayedText());
    return 0;
}
