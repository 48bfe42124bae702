#include "window/QtLocale.h"

#include <optional>
#include <string>

namespace quantrel::gui {

namespace {

/// The pattern of `value` (1 or -1) in the locale's currency text: the amount becomes
/// "n" and the symbol "¤"; nothing when the text shows no amount.
std::optional<std::string> currencyPattern(const QLocale& locale, double value, int digits,
                                           const QString& symbol) {
    QString text = locale.toCurrencyString(value, symbol, digits);
    const QString amount = locale.toString(1.0, 'f', digits);
    const qsizetype at = text.indexOf(amount);
    if (at < 0)
        return std::nullopt;
    text.replace(at, amount.size(), QStringLiteral("n"));
    if (!symbol.isEmpty())
        text.replace(symbol, QStringLiteral("\u00A4"));
    return text.toStdString();
}

} // namespace

NumberLocale NumberLocaleOf(const QLocale& locale) {
    NumberLocale result;
    if (!locale.decimalPoint().isEmpty())
        result.decimalSeparator = locale.decimalPoint().toStdString();
    result.thousandSeparator = locale.groupSeparator().toStdString();
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    if (!symbol.isEmpty())
        result.currencySymbol = symbol.toStdString();

    // The locale's own currency text of 1 tells its number of decimals.
    const QString sample = locale.toCurrencyString(1.0, symbol);
    const qsizetype one = sample.indexOf(QLatin1Char('1'));
    const qsizetype point = one < 0 ? -1 : sample.indexOf(locale.decimalPoint(), one);
    int digits = 0;
    if (point >= 0)
        for (qsizetype i = point + locale.decimalPoint().size();
             i < sample.size() && sample[i].isDigit(); ++i)
            ++digits;
    result.currencyDigits = digits;
    if (const auto positive = currencyPattern(locale, 1.0, digits, symbol))
        result.currencyPositive = *positive;
    if (const auto negative = currencyPattern(locale, -1.0, digits, symbol))
        result.currencyNegative = *negative;
    return result;
}

} // namespace quantrel::gui
