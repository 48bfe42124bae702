#pragma once
// The locale values that number texts need, passed by value to every routine that
// renders or parses a number; nothing reads a process-wide locale behind its back.

#include <string>

namespace quantrel {

/// Separators and currency format of the user's locale. Separators are texts, not
/// characters, because some locales group with a multi-byte character (U+202F).
struct NumberLocale {
    std::string decimalSeparator = ".";
    std::string thousandSeparator = ",";
    std::string currencySymbol = "$";
    /// Currency patterns: "¤" stands for the symbol and "n" for the grouped amount,
    /// e.g. "¤n" gives $1,234.50, "n ¤" gives 1.234,50 €, "(¤n)" gives ($1.00).
    std::string currencyPositive = "¤n";
    std::string currencyNegative = "-¤n";
    /// Decimals of a currency amount.
    int currencyDigits = 2;

    /// Comma thousands, point decimals, "$" before the amount (en_US style).
    static NumberLocale CommaPoint() { return {}; }
    /// Point decimals, no grouping and no currency: the locale of texts that never
    /// reach the user (the decimal routines, the conversion table's numbers).
    static const NumberLocale& Plain() {
        static const NumberLocale plain{".", "", "", "", "", 0};
        return plain;
    }
    /// Point thousands, comma decimals, " €" after the amount (de_DE style).
    static NumberLocale PointComma() { return {",", ".", "€", "n ¤", "-n ¤", 2}; }
};

} // namespace quantrel
