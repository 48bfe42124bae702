#include "cli/TapeOptions.h"

#include "calculator/KeyCommand.h"
#include "calculator/SettingsTable.h"
#include "numeric/NumberText.h"

#include <cmath>
#include <map>

namespace quantrel::cli {

namespace {

const SettingDef& Setting(std::string_view section, std::string_view name) {
    return *FindSetting(section, name);
}

std::string Number(double value) {
    return GeneralText(static_cast<Extended>(value), NumberLocale::Plain());
}

/// "0 to 14 (default 2)", from the setting's row.
std::string RangeAndDefault(const SettingDef& row) {
    const SettingRange& range = *row.Range;
    return Number(range.Low) + " to " + Number(range.TypingHigh) + " (default " +
           std::string(row.Default) + ")";
}

/// The option's value when the setting's range takes it; its message otherwise.
std::optional<Extended> Checked(const SettingDef& row, const std::string& text) {
    return CheckSettingText(*row.Range, text, NumberLocale::Plain(), true).Value;
}

std::string KeyLines() {
    std::string text =
        "  0-9  A-F  12.5      digits (a number token types its characters one by one)";
    int line = 0;
    for (const NamedKey& key : NamedKeys()) {
        if (key.HelpLine == 0)
            continue;
        text += key.HelpLine != line ? "\n  " : "  ";
        line = key.HelpLine;
        text += key.Name;
    }
    return text + R"(
  history:N                recall calculation N of the history (1 to 5)
  const:N                  the N-th constant (1 to 22)
  conv:CATEGORY,FROM,TO    convert the current value, e.g. conv:Length,lmi,lkm
)";
}

} // namespace

std::string TapeUsage() {
    const SettingDef& taxRate = Setting("Tax", "TaxRate");
    const Extended taxPercent =
        *ParseNumber(taxRate.Default, NumberLocale::Plain()) * taxRate.Range->Scale;
    return R"(Usage: quantrel-tape [OPTION...] [KEY...]
Runs calculator keys, in order, as the keypad would, and prints the paper tape,
one line per tape line. With no KEY arguments the keys are read from standard
input. Keys are separated by white space; '#' starts a comment.

Keys:
)" + KeyLines() +
           R"(
Options:
  --as-entered             evaluate strictly as entered
  --tax-rate PERCENT       tax rate, )" +
           Number(taxRate.Range->Low) + " to " + Number(taxRate.Range->High) + " (default " +
           GeneralText(taxPercent, NumberLocale::Plain()) + R"()
  --tax-name TEXT          tax name (default )" +
           std::string(Setting("Tax", "TaxLit").Default) + R"()
  --format general|scientific|currency|fixed
  --digits N               tape decimals, )" +
           RangeAndDefault(Setting("Tape", "Digits")) + R"(
  --conv-digits N          significant digits of conversion factors, )" +
           RangeAndDefault(Setting("Tape", "ConvDigits")) + R"(
  --no-subtotals           no sub-total lines
  --no-expand              no expanded lines for functions, taxes and conversions
  --subtotal-brackets N    none, { }, [ ], ( ), < >: )" +
           RangeAndDefault(Setting("Expand", "SubTotalsSymIndex")) + R"(
  --expand-brackets N      )" +
           RangeAndDefault(Setting("Expand", "ExpandOperSymIndex")) + R"(
  --thousands              display with thousand separators
  --locale NAME            POSIX locale for separators and currency (default: the environment's)
  --attrs                  prefix each tape line with its line kind (1-5) and a tab
  --display                after the keys, print "display: " and the display text
  --units [CATEGORY]       list the conversion table instead of running keys
  --help                   this text

Exit status: 0 when every key ran (an arithmetic error is part of the tape);
2 for an unknown key, a bad option or a locale that does not exist.
)";
}

ParsedOptions ParseTapeOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    TapeOptions& o = parsed.options;
    static const std::map<std::string, int> formats{
        {"general", 1}, {"scientific", 2}, {"currency", 3}, {"fixed", 4}};

    std::size_t i = 0;
    const auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string& name = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        // Reads an option's value into `target` when the setting's range takes it; the
        // message names the setting's own message (if any), the option and the range.
        const auto set = [&](std::optional<int>& target, std::string_view section,
                             std::string_view setting) -> std::optional<std::string> {
            const SettingDef& row = Setting(section, setting);
            const std::optional<Extended> checked = hasValue ? Checked(row, value) : std::nullopt;
            if (!checked) {
                const std::string_view message = row.Range->OutOfRange;
                return (message.empty() ? "" : std::string(message) + ": ") + name +
                       " needs a whole number from " + Number(row.Range->Low) + " to " +
                       Number(row.Range->TypingHigh);
            }
            target = static_cast<int>(*checked);
            ++i;
            return std::nullopt;
        };
        if (name == "--as-entered") {
            o.asEntered = true;
        } else if (name == "--tax-rate") {
            const SettingDef& row = Setting("Tax", "TaxRate");
            const std::optional<Extended> rate = hasValue ? Checked(row, value) : std::nullopt;
            if (!rate)
                return fail(std::string(row.Range->OutOfRange) +
                            ": --tax-rate needs a percentage from " + Number(row.Range->Low) +
                            " to " + Number(row.Range->High));
            o.taxRatePercent = static_cast<double>(*rate);
            ++i;
        } else if (name == "--tax-name") {
            if (!hasValue)
                return fail("--tax-name needs a text");
            o.taxName = value;
            ++i;
        } else if (name == "--format") {
            const auto found = formats.find(value);
            if (found == formats.end())
                return fail("--format needs general, scientific, currency or fixed");
            o.format = found->second;
            ++i;
        } else if (name == "--digits") {
            if (const auto error = set(o.digits, "Tape", "Digits"))
                return fail(*error);
        } else if (name == "--conv-digits") {
            if (const auto error = set(o.convDigits, "Tape", "ConvDigits"))
                return fail(*error);
        } else if (name == "--no-subtotals") {
            o.noSubtotals = true;
        } else if (name == "--no-expand") {
            o.noExpand = true;
        } else if (name == "--subtotal-brackets") {
            if (const auto error = set(o.subtotalBrackets, "Expand", "SubTotalsSymIndex"))
                return fail(*error);
        } else if (name == "--expand-brackets") {
            if (const auto error = set(o.expandBrackets, "Expand", "ExpandOperSymIndex"))
                return fail(*error);
        } else if (name == "--thousands") {
            o.thousands = true;
        } else if (name == "--locale") {
            if (!hasValue)
                return fail("--locale needs a locale name");
            o.localeName = value;
            ++i;
        } else if (name == "--attrs") {
            o.attrs = true;
        } else if (name == "--display") {
            o.display = true;
        } else if (name == "--units") {
            o.units = true;
            if (hasValue && value.rfind("--", 0) != 0) {
                o.unitsCategory = value;
                ++i;
            }
        } else if (name == "--help") {
            o.help = true;
        } else {
            return fail("unknown option: " + name);
        }
    }
    o.keyArgs.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    if (o.units && !o.keyArgs.empty())
        return fail("--units lists the conversion table and takes no keys");
    return parsed;
}

} // namespace quantrel::cli
