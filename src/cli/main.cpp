// quantrel-tape: runs calculator keys from the command line or standard input, as
// the keypad would, and prints the paper tape. Every key is checked before the
// first one runs, so a typo never leaves half a tape behind.

#include "calculator/CalculatorLogic.h"
#include "cli/KeyScript.h"
#include "cli/PosixLocale.h"
#include "cli/StreamView.h"
#include "cli/TapeOptions.h"
#include "cli/UnitsListing.h"

#include <iostream>
#include <iterator>
#include <sstream>

namespace {

using namespace quantrel;
using namespace quantrel::cli;

constexpr int kBadUsage = 2;

int Fail(const std::string& message) {
    std::cerr << "quantrel-tape: " << message << '\n';
    return kBadUsage;
}

CalculatorSettings SettingsOf(const TapeOptions& o) {
    CalculatorSettings s;
    s.Dumb = o.asEntered;
    if (o.taxRatePercent)
        s.TaxRate = *o.taxRatePercent / 100;
    if (o.taxName)
        s.TaxLit = *o.taxName;
    s.NumOpt = o.format.value_or(s.NumOpt);
    s.Digits = o.digits.value_or(s.Digits);
    s.ConvDigits = o.convDigits.value_or(s.ConvDigits);
    s.Subtotals = !o.noSubtotals;
    s.ExpandOper = !o.noExpand;
    s.SubTotalsSymIndex = o.subtotalBrackets.value_or(s.SubTotalsSymIndex);
    s.ExpandOperSymIndex = o.expandBrackets.value_or(s.ExpandOperSymIndex);
    s.ThousSep = o.thousands;
    return s;
}

// A conversion key must name a category and two of its units.
bool KnownConversion(const TConvUnits& table, const TConvSpec& spec) {
    Extended o = 0, f = 0, p = 0;
    return table.FindBaseConv(spec.Category, spec.FromKey, o, f, p) &&
           table.FindBaseConv(spec.Category, spec.ToKey, o, f, p);
}

int Run(const std::vector<std::string>& args) {
    const ParsedOptions parsed = ParseTapeOptions(args);
    if (!parsed.error.empty())
        return Fail(parsed.error);
    const TapeOptions& options = parsed.options;
    if (options.help) {
        std::cout << TapeUsage();
        return 0;
    }

    std::optional<NumberLocale> locale = UsePosixLocale(options.localeName.value_or(""));
    if (!locale && options.localeName)
        return Fail("unknown locale: " + *options.localeName);
    if (!locale)
        locale = UsePosixLocale("C"); // an environment naming a missing locale

    TConvUnits table;
    table.LoadConvTable("");
    if (options.units) {
        if (!ListUnits(table, options.unitsCategory, std::cout))
            return Fail("unknown category: " + options.unitsCategory);
        return 0;
    }

    std::string script;
    if (options.keyArgs.empty()) {
        script.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        for (const std::string& arg : options.keyArgs)
            script += arg + '\n';
    }
    std::vector<KeyCommand> keys;
    for (const std::string& name : SplitKeys(script)) {
        const std::optional<KeyCommand> key = ParseKeyName(name);
        if (!key)
            return Fail("unknown key: " + name);
        if (key->Action == KeyAction::Conversion && !KnownConversion(table, key->Conv))
            return Fail("unknown conversion: " + name);
        keys.push_back(*key);
    }

    // Tape lines are buffered and written once: a long script stays fast.
    std::ostringstream tape;
    StreamView view(tape, std::cerr, options.attrs);
    CalculatorLogic calculator(view, SettingsOf(options), *locale);
    calculator.LoadConvTable("");
    for (const KeyCommand& key : keys)
        calculator.RunKey(key);
    std::cout << tape.str();
    if (options.display)
        std::cout << "display: " << view.Display() << '\n';
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
