// Any bytes as a number typed or stored under either locale. What parses is a finite
// value that strtold agrees with; every number text of it, and of values next to it,
// must render without a fault, and the texts that are read back (general, plain,
// exponent, fixed) must read back to a value that renders the same text again.

#include "FuzzSupport.h"

#include "numeric/NumberText.h"
#include "numeric/Utf8.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace {

using namespace quantrel;
using fuzz::Check;

std::string withoutSeparator(std::string text, const std::string& separator) {
    if (separator.empty())
        return text;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, at))
        text.erase(at, separator.size());
    return text;
}

/// Below the normal range a value carries fewer digits than a text may show, so a
/// text of it need not identify it; only normal values (and zero) promise that.
bool carriesFullPrecision(Extended x) {
    return x == 0 || std::fabs(x) >= LDBL_MIN;
}

/// `text`, rendered from x by `render`, reads back to a value that renders `text`
/// again. A text rounded up past the largest value does not read back at all.
template <class Render>
void checkReadsBack(Extended x, const std::string& text, const NumberLocale& loc, Render render) {
    const std::optional<Extended> back = ParseNumber(text, loc);
    if (!back) {
        Check(std::fabs(x) > LDBL_MAX / 2);
        return;
    }
    if (carriesFullPrecision(x) && carriesFullPrecision(*back))
        Check(render(*back) == text);
}

/// Precision, decimals and exponent digits of one round of renderings.
struct Format {
    int p;
    int d;
    int m;
};

void checkTexts(Extended x, const Format& f, const NumberLocale& loc) {
    const auto general = [&](Extended v) { return GeneralText(v, f.p, f.m, loc); };
    checkReadsBack(x, general(x), loc, general);
    const auto exponent = [&](Extended v) { return ExponentText(v, f.p, f.m, loc); };
    checkReadsBack(x, exponent(x), loc, exponent);
    const auto plain = [&](Extended v) { return PlainText(v, f.p, loc); };
    const std::string plainText = plain(x);
    Check(PlainTextLength(x, f.p, loc) == Utf8Length(plainText));
    checkReadsBack(x, plainText, loc, plain);

    const auto fixed = [&](Extended v) { return FixedText(v, f.p, f.d, loc); };
    const std::string fixedText = fixed(x);
    checkReadsBack(x, fixedText, loc, fixed);
    Check(withoutSeparator(NumberText(x, f.p, f.d, loc), loc.thousandSeparator) == fixedText);
    Check(!CurrencyText(x, f.p, f.d, loc).empty());
    // FixedValue promises the value the plain text reads back as.
    const std::optional<Extended> value = FixedValue(x, f.p, f.d);
    const std::optional<Extended> read =
        ParseNumber(FixedText(x, f.p, f.d, NumberLocale::Plain()), NumberLocale::Plain());
    Check(value.has_value() == read.has_value());
    if (value)
        Check(*value == *read && std::signbit(*value) == std::signbit(*read));
}

/// Under the C locale strtold reads our grammar (with a point) as we do, correctly
/// rounded; the exact path for short numbers must give the same value.
void checkAgainstStrtold(const std::string& text, Extended value) {
    static const bool cLocale = std::strcmp(std::setlocale(LC_NUMERIC, nullptr), "C") == 0;
    if (!cLocale)
        return;
    char* end = nullptr;
    const Extended expected = std::strtold(text.c_str(), &end);
    Check(end == text.c_str() + text.size());
    Check(value == expected && std::signbit(value) == std::signbit(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const NumberLocale commaPoint = NumberLocale::CommaPoint();
    const NumberLocale pointComma = NumberLocale::PointComma();
    const std::optional<Extended> pointValue = ParseNumber(text, commaPoint);
    const std::optional<Extended> commaValue = ParseNumber(text, pointComma);
    // Without either separator in it, the locale cannot matter.
    if (text.find_first_of(".,") == std::string::npos) {
        Check(pointValue.has_value() == commaValue.has_value());
        if (pointValue)
            Check(*pointValue == *commaValue);
    }
    if (pointValue && text.find('\0') == std::string::npos)
        checkAgainstStrtold(text, *pointValue);

    // The formats the program uses most, and one more that the input picks, so that
    // every precision, decimal count and exponent width is met over a run.
    const auto pick = static_cast<int>(std::hash<std::string>{}(text) % (17 * 19 * 5));
    const Format formats[] = {
        {2, 0, 0}, {15, 2, 3}, {18, 18, 0}, {2 + pick % 17, pick / 17 % 19, pick / (17 * 19)}};
    // Each value renders under the locale it was read with.
    const std::pair<const std::optional<Extended>&, const NumberLocale&> reads[] = {
        {pointValue, commaPoint}, {commaValue, pointComma}};
    for (const auto& [value, loc] : reads) {
        if (!value)
            continue;
        const Extended x = *value;
        Check(std::isfinite(x));
        // The values next to it and a third of it have digits that no short text has.
        for (const Extended v : {x, x / 3, std::nextafter(x, LDBL_MAX)}) {
            // The exact expansion of a value far from 1 takes thousands of digits; one
            // format for each keeps the run fast.
            const bool far = v != 0 && (std::fabs(v) > 1e300L || std::fabs(v) < 1e-300L);
            for (const Format& f : far ? std::span(formats).last(1) : std::span(formats))
                checkTexts(v, f, loc);
            const std::string grouped = GroupedGeneralText(v, loc);
            Check(ParseNumber(withoutSeparator(grouped, loc.thousandSeparator), loc).has_value() ||
                  std::fabs(v) > LDBL_MAX / 2);
        }
    }
    return 0;
}
