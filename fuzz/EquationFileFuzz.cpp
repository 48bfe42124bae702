// Any bytes as an equation file. An engine loading it must end without a fault;
// whatever equation the load leaves must save, the saved file must load whole and
// save to the same bytes. The calculator reads the same bytes as Equ1.dat at
// start-up, recalls the calculation, runs a few keys on it and writes its files.

#include "FuzzSupport.h"

#include "calculator/CalculatorLogic.h"
#include "engine/QuantrelEval5.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

using namespace quantrel;
using fuzz::Check;

class QuietView : public CalculatorView {
public:
    std::string display;
    std::int32_t tapeLength = 0;

    void ShowDisplay(const std::string& text) override { display = text; }
    void AppendTapeLine(const std::string& text, std::int32_t, bool) override {
        tapeLength += static_cast<std::int32_t>(text.size()) + 2;
    }
    std::int32_t TapePosition() override { return tapeLength; }
    void ShowMessage(const std::string&, MessageKind) override {}
};

void wire(TQuantrelEval& engine, const NumberLocale& loc) {
    // The built-in table, read once: copying it is much cheaper than reading it.
    static const TConvUnits table = [] {
        TConvUnits units;
        units.LoadConvTable("");
        return units;
    }();
    engine.ConvUnits() = table;
    engine.SetLocale(loc);
    engine.OnQuantrelGetMem = [](TQuantrelEval&, Extended& memory) { memory = 2.5L; };
}

void checkEngine(const fuzz::ScratchFolder& folder, const std::string& input,
                 const NumberLocale& loc) {
    TQuantrelEval first;
    wire(first, loc);
    first.LoadFromFile(input);
    const std::string saved = folder.File("saved.dat");
    Check(first.SaveToFile(saved));
    const std::string text = folder.Read("saved.dat");
    if (text.empty()) {
        Check(first.IsEmpty());
        return;
    }
    TQuantrelEval second;
    wire(second, loc);
    Check(second.LoadFromFile(saved));
    Check(second.SaveToFile(folder.File("again.dat")));
    Check(folder.Read("again.dat") == text);
}

void checkCalculator(const fuzz::ScratchFolder& folder, std::string_view bytes,
                     const NumberLocale& loc) {
    // Only this input's calculation: the files the last one wrote go.
    for (int n = 2; n <= CalculatorLogic::kHistorySize; ++n)
        std::filesystem::remove(folder.File("Equ" + std::to_string(n) + ".dat"));
    folder.Write("Equ1.dat", bytes);
    QuietView view;
    CalculatorLogic calculator(view, {}, loc);
    calculator.LoadConvTable("");
    calculator.ReadEquationFiles(folder.Path().string());
    for (const std::string_view key : {"history:1", "back", "back", "forward", "7", "replay", "=",
                                       "history:1", "mr", "+", "history:1"}) {
        calculator.RunKey(key);
        Check(!view.display.empty());
    }
    Check(calculator.WriteEquationFiles(folder.Path().string()));
    calculator.ReadEquationFiles(folder.Path().string());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string input = folder.Write("input.dat", bytes);
    for (const NumberLocale& loc : {NumberLocale::CommaPoint(), NumberLocale::PointComma()})
        checkEngine(folder, input, loc);
    checkCalculator(folder, bytes, NumberLocale::CommaPoint());
    return 0;
}
