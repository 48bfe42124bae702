#include "cli/PosixLocale.h"

#include <climits>
#include <clocale>

namespace quantrel::cli {

namespace {

// Where the sign goes around "¤" (symbol) and "n" (amount), by sign_posn.
std::string Signed(const std::string& pattern, char signPosition, const std::string& sign) {
    switch (signPosition) {
    case 0:
        return "(" + pattern + ")";
    case 2:
        return pattern + sign;
    case 3: { // just before the symbol
        std::string out = pattern;
        out.insert(out.find("¤"), sign);
        return out;
    }
    case 4: { // just after the symbol
        std::string out = pattern;
        out.insert(out.find("¤") + std::string("¤").size(), sign);
        return out;
    }
    default:
        return sign + pattern;
    }
}

std::string Placed(bool symbolFirst, bool spaced) {
    const std::string space = spaced ? " " : "";
    return symbolFirst ? "¤" + space + "n" : "n" + space + "¤";
}

} // namespace

std::optional<NumberLocale> UsePosixLocale(const std::string& name) {
    if (!std::setlocale(LC_ALL, name.c_str()))
        return std::nullopt;
    const std::lconv* lc = std::localeconv();
    NumberLocale locale;
    locale.decimalSeparator = *lc->decimal_point ? lc->decimal_point : ".";
    locale.thousandSeparator = lc->thousands_sep;
    locale.currencySymbol = lc->currency_symbol;
    const bool positiveFirst = lc->p_cs_precedes == 1;
    const bool negativeFirst =
        lc->n_cs_precedes == CHAR_MAX ? positiveFirst : lc->n_cs_precedes == 1;
    locale.currencyPositive = Placed(positiveFirst, lc->p_sep_by_space == 1);
    const std::string sign = *lc->negative_sign ? lc->negative_sign : "-";
    locale.currencyNegative =
        Signed(Placed(negativeFirst, lc->n_sep_by_space == 1), lc->n_sign_posn, sign);
    locale.currencyDigits = lc->frac_digits == CHAR_MAX ? 2 : lc->frac_digits;
    return locale;
}

} // namespace quantrel::cli
