#pragma once
// The command line of quantrel-tape: options first, then keys.
//   quantrel-tape --attrs --tax-rate 17.5 100 +tax =

#include <optional>
#include <string>
#include <vector>

namespace quantrel::cli {

/// Options as given; a missing one keeps the calculator's first-run default. The
/// ranges of the numbers are those of the stored settings they stand for.
struct TapeOptions {
    bool asEntered = false;
    std::optional<double> taxRatePercent;
    std::optional<std::string> taxName;
    std::optional<int> format; ///< 1 general, 2 scientific, 3 currency, 4 fixed
    std::optional<int> digits;
    std::optional<int> convDigits;
    bool noSubtotals = false;
    bool noExpand = false;
    std::optional<int> subtotalBrackets;
    std::optional<int> expandBrackets;
    bool thousands = false;
    std::optional<std::string> localeName;
    bool attrs = false;
    bool display = false;
    bool units = false;
    std::string unitsCategory; ///< empty: every category
    bool help = false;
    std::vector<std::string> keyArgs;
};

/// The options, or the message that names the bad one.
struct ParsedOptions {
    TapeOptions options;
    std::string error;
};

ParsedOptions ParseTapeOptions(const std::vector<std::string>& args);

/// The text of --help.
std::string TapeUsage();

} // namespace quantrel::cli
