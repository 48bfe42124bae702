// Any text as a user's conv.csv. The load reports its problems and never faults; the
// table it leaves stays within its limits, and the units it added convert to their
// base unit and to each other, in the converter's texts and on the tape. Each line
// also goes through the line splitter, whose conversion requests must read back whole.

#include "FuzzSupport.h"

#include "conversion/ConverterText.h"
#include "conversion/convunits.h"
#include "engine/EquationFile.h"
#include "engine/QuantrelEval5.h"
#include "engine/SilentAbort.h"
#include "numeric/TextFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quantrel;
using fuzz::Check;

constexpr std::size_t kLinesSplit = 200;
constexpr int kUnitsConverted = 8;

void checkSplitter(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    for (std::size_t i = 0; i < std::min(lines.size(), kLinesSplit); ++i) {
        const std::vector<std::string> fields = SplitConvLine(lines[i]);
        if (fields.size() < 3)
            continue;
        // As conversion history items and equation files keep a request.
        const TConvSpec spec = TConvSpec::Make(fields[0], fields[1], fields[2]);
        const std::string specText = TConvUnits::ConvSpecToText(spec);
        Check(TConvUnits::TextToConvSpec(specText) == spec);
        const OperLine oper = ParseOperLine("qeConv," + specText);
        Check(oper.Oper == qeConv && oper.Conv == spec);
    }
}

/// 100 through the conversion on the engine's tape, with its expanded line.
void convertOnTape(TQuantrelEval& engine, const TConvSpec& spec) {
    try {
        engine.Reset();
        engine.EnterNumber(false, 100);
        engine.EnterOperator(qeConv, spec);
        engine.EnterOperator(qeEquals);
    } catch (const SilentAbort&) {
    }
}

void checkConversions(const TConvUnits& units, TQuantrelEval& engine, const TConvSpec& spec) {
    Extended x = 0, y = 1, z = 0;
    units.GetConvFactors(spec, x, y, z);
    units.FormulaText(x, y, z);
    ConvStatusText(units, spec);
    std::string from, to;
    units.GetConvSymbols(spec, from, to);
    convertOnTape(engine, spec);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    static const TConvUnits builtin = [] {
        TConvUnits table;
        table.LoadConvTable("");
        return table;
    }();
    const int builtinUnits = builtin.BaseConvCount();
    const int builtinSpecs = builtin.SpecConvCount();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkSplitter(text);

    const std::string path = folder.Write("conv.csv", text);
    TConvUnits units;
    units.SetConvDigits(8);
    units.LoadConvTable(path);
    Check(units.Loaded());
    Check(units.ConvTypeCount() <= 99 && units.BaseConvCount() <= 999 &&
          units.SpecConvCount() <= 999);
    Check(static_cast<int>(units.BaseUnits().size()) == units.ConvTypeCount());
    const auto lineCount = static_cast<int>(SplitLines(text).size());
    for (const ConvLoadProblem& problem : units.LoadProblems())
        Check(problem.Line >= 0 && problem.Line <= lineCount && !problem.Message.empty());

    TQuantrelEval engine;
    engine.LoadConvTable(path);
    engine.SetConvDigits(8);
    engine.OnQuantrelTape = [](TQuantrelEval&, const std::string&, std::int32_t, bool) {};

    // The units the file added, each to its base unit, back, and to the unit before it.
    const int last = std::min(units.BaseConvCount(), builtinUnits + kUnitsConverted);
    for (int i = builtinUnits + 1; i <= last; ++i) {
        const TBaseConv& unit = units.BaseConv(i);
        const std::string base = units.GetBaseKey(unit.Category);
        checkConversions(units, engine, TConvSpec::Make(unit.Category, unit.UnitKey, base));
        checkConversions(units, engine, TConvSpec::Make(unit.Category, base, unit.UnitKey));
        const TBaseConv& previous = units.BaseConv(i - 1);
        checkConversions(units, engine,
                         TConvSpec::Make(unit.Category, previous.UnitKey, unit.UnitKey));
        units.FillUnitList(unit.Category);
    }
    for (int i = builtinSpecs + 1;
         i <= std::min(units.SpecConvCount(), builtinSpecs + kUnitsConverted); ++i) {
        const TSpecConv& conv = units.SpecConv(i);
        checkConversions(units, engine, TConvSpec::Make(conv.Category, conv.FromKey, conv.ToKey));
    }
    return 0;
}
