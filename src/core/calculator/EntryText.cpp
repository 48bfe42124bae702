// The display's own number texts and the cleaning of pasted text.

#include "calculator/EntryText.h"

#include "numeric/HexDigits.h"
#include "numeric/NumberText.h"
#include "numeric/Utf8.h"

#include <cmath>
#include <cstdint>

namespace quantrel {

namespace {

constexpr std::size_t kHexDigits = 20;
constexpr std::size_t kPasteLength = 30;
constexpr Extended kGroupedBelow = 99999999999999.0L;

// Blanks are spaces and control characters, so that a copied cell's line end goes too.
bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

std::optional<std::string> HexText(Extended x) {
    const Extended whole = std::trunc(x);
    if (!FitsInt64(whole))
        return std::nullopt;
    if (whole < 0) {
        // The magnitude of -2^63 still fits the unsigned form.
        const auto magnitude = static_cast<std::uint64_t>(-(whole + 1)) + 1;
        std::string text = "-";
        return text + HexDigits(magnitude, kHexDigits);
    }
    return HexDigits(static_cast<std::uint64_t>(whole), kHexDigits);
}

std::string DisplayText(Extended x, bool thousandSeparators, const NumberLocale& loc) {
    const std::string general = GeneralText(x, loc);
    const Extended magnitude = std::fabs(x);
    if (!thousandSeparators || !(magnitude > 1 && magnitude < kGroupedBelow))
        return general;
    const std::size_t point = general.find(loc.decimalSeparator);
    const std::size_t decimals =
        point == std::string::npos
            ? 0
            : Utf8Length(std::string_view(general).substr(point + loc.decimalSeparator.size()));
    return NumberText(x, 18, static_cast<int>(decimals), loc);
}

std::string CleanNumberText(std::string_view text, const NumberLocale& loc) {
    const std::string head = Utf8Left(text, kPasteLength);
    const std::string& thousands = loc.thousandSeparator;
    std::string kept;
    for (std::size_t i = 0; i < head.size();) {
        if (!thousands.empty() && std::string_view(head).substr(i).starts_with(thousands)) {
            i += thousands.size();
            continue;
        }
        if (head[i] != '$')
            kept += head[i];
        ++i;
    }
    std::string withSigns;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        withSigns += kept[i];
        if (kept[i] == 'E' && i + 1 < kept.size() && kept[i + 1] != '+' && kept[i + 1] != '-')
            withSigns += '+';
    }
    return trimBlanks(withSigns);
}

} // namespace quantrel
