#include "cli/TapeOptions.h"

#include "numeric/NumberText.h"

#include <charconv>
#include <cmath>
#include <map>

namespace quantrel::cli {

namespace {

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

const char* TapeUsage() {
    return R"(Usage: quantrel-tape [OPTION...] [KEY...]
Runs calculator keys, in order, as the keypad would, and prints the paper tape,
one line per tape line. With no KEY arguments the keys are read from standard
input. Keys are separated by white space; '#' starts a comment.

Keys:
  0-9  A-F  12.5      digits (a number token types its characters one by one)
  .  exp  +/-  bck  ce  c
  +  -  *  /  %  =  (  )
  sqr sqrt recip pow root abs frac int mod
  sin cos tan asin acos atan hyp pi
  log 10^x ln e^x
  +tax -tax tax(i) tax(e)
  deg rad grad hex dec
  min m+ mr mc
  back forward replay history:N
  const:N                  the N-th constant (1 to 22)
  conv:CATEGORY,FROM,TO    convert the current value, e.g. conv:Length,lmi,lkm
  general scientific currency fixed digits+ digits-

Options:
  --as-entered             evaluate strictly as entered
  --tax-rate PERCENT       tax rate, e.g. 17.5 (default 10)
  --tax-name TEXT          tax name (default Tax)
  --format general|scientific|currency|fixed
  --digits N               tape decimals, 0 to 14 (default 2)
  --conv-digits N          significant digits of conversion factors, 0 to 10 (default 8)
  --no-subtotals           no sub-total lines
  --no-expand              no expanded lines for functions, taxes and conversions
  --subtotal-brackets 0..4 none, { }, [ ], ( ), < > (default 1)
  --expand-brackets 0..4   (default 2)
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
        // Reads an option's whole-number value in [low, high].
        const auto whole = [&](std::optional<int>& target, int low, int high) {
            if (!hasValue || !(target = WholeNumber(value, low, high)))
                return false;
            ++i;
            return true;
        };
        if (name == "--as-entered") {
            o.asEntered = true;
        } else if (name == "--tax-rate") {
            const auto rate = hasValue ? ParseNumber(value, NumberLocale::Plain()) : std::nullopt;
            if (!rate || *rate < 0 || *rate > 999)
                return fail("Invalid Tax Rate: --tax-rate needs a percentage from 0 to 999");
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
            if (!whole(o.digits, 0, 14))
                return fail("Invalid Fixed Digits: --digits needs a whole number from 0 to 14");
        } else if (name == "--conv-digits") {
            if (!whole(o.convDigits, 0, 10))
                return fail("Invalid Conversion Display Precision: --conv-digits needs a whole "
                            "number from 0 to 10");
        } else if (name == "--no-subtotals") {
            o.noSubtotals = true;
        } else if (name == "--no-expand") {
            o.noExpand = true;
        } else if (name == "--subtotal-brackets") {
            if (!whole(o.subtotalBrackets, 0, 4))
                return fail("--subtotal-brackets needs a number from 0 to 4");
        } else if (name == "--expand-brackets") {
            if (!whole(o.expandBrackets, 0, 4))
                return fail("--expand-brackets needs a number from 0 to 4");
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
