#pragma once
// The command line of quantrel-tape: options first, then keys.
//   quantrel-tape --attrs --tax-rate 17.5 100 +tax =

#include <optional>
#include <string>
#include <vector>

namespace quantrel::cli {

/// Options as given; a missing one keeps the calculator's first-run default.
struct TapeOptions {
    bool asEntered = false;
    std::optional<double> taxRatePercent; ///< 0 to 999
    std::optional<std::string> taxName;
    std::optional<int> format;     ///< 1 general, 2 scientific, 3 currency, 4 fixed
    std::optional<int> digits;     ///< 0 to 14
    std::optional<int> convDigits; ///< 0 to 10
    bool noSubtotals = false;
    bool noExpand = false;
    std::optional<int> subtotalBrackets; ///< 0 to 4
    std::optional<int> expandBrackets;   ///< 0 to 4
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
const char* TapeUsage();

} // namespace quantrel::cli
