// Number texts. Every rendering starts from the exact decimal expansion of the 80-bit
// value (computed here with a small big-number routine, independent of the C library
// and its locale), rounded half away from zero to the 18 significant digits that a
// number carries; each rendering rounds once more from that form, half away from zero.
// Parsing validates the grammar itself and hands strtold a text without a radix
// character.

#include "numeric/NumberText.h"

#include "numeric/Utf8.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <utility>
#include <vector>

namespace quantrel {
namespace {

constexpr int kMinPrecision = 2;
constexpr int kMaxPrecision = 18;
constexpr int kMaxDecimals = 18;
constexpr int kMaxExponentDigits = 4;
// Digits kept from the exact expansion: no rendering keeps more than 18 significant
// digits, plus one that decides the rounding; one more for margin.
constexpr std::size_t kDigitCount = 20;
constexpr std::uint32_t kChunk = 1'000'000'000; // nine decimal digits per big-number step
constexpr int kChunkDigits = 9;

/// A few dozen decimal digits in place: every number text of a keystroke passes
/// through several of these, and none needs the heap.
class Digits {
public:
    static constexpr std::size_t kCapacity = 40;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    char operator[](std::size_t i) const { return m_data[i]; }
    char& operator[](std::size_t i) { return m_data[i]; }
    char back() const { return m_data[m_size - 1]; }
    void pop_back() { --m_size; }
    void clear() { m_size = 0; }
    /// Shortens to n digits (n <= size()).
    void resize(std::size_t n) { m_size = n; }
    /// Appends text, as much as fits (callers stay well within the capacity).
    void append(std::string_view text) {
        const std::size_t n = std::min(text.size(), kCapacity - m_size);
        std::copy_n(text.data(), n, m_data.data() + m_size);
        m_size += n;
    }
    void append(std::size_t n, char c) {
        n = std::min(n, kCapacity - m_size);
        std::fill_n(m_data.data() + m_size, n, c);
        m_size += n;
    }
    std::string_view view(std::size_t from = 0, std::size_t n = kCapacity) const {
        return std::string_view(m_data.data(), m_size).substr(from, n);
    }

private:
    std::array<char, kCapacity> m_data{};
    std::size_t m_size = 0;
};

/// The decimal digits of n, written into `buffer`: "0" for zero.
std::string_view decimalDigits(std::uint64_t n, std::array<char, 20>& buffer) {
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n);
    return std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
}

/// |x| = 0.d1 d2 d3 ... x 10^exponent with d1 != 0. `digits` holds leading digits of the
/// decimal expansion; digits beyond its end are zeros. Zero has no digits.
struct Decimal {
    Digits digits;
    int exponent = 0;
    bool negative = false;

    bool isZero() const { return digits.empty(); }
    char digitAt(int i) const {
        return i >= 0 && i < static_cast<int>(digits.size()) ? digits[i] : '0';
    }
};

/// 32 bits of `value` starting at bit `pos` (pos may be negative: low bits become zeros).
std::uint32_t bitsAt(std::uint64_t value, int pos) {
    if (pos >= 64 || pos <= -32)
        return 0;
    return static_cast<std::uint32_t>(pos >= 0 ? value >> pos : value << -pos);
}

/// Fills little-endian base-2^32 limbs with `mant` shifted left by `shift` bits.
void fillShiftedLimbs(std::uint64_t mant, int shift, std::span<std::uint32_t> limbs) {
    std::fill(limbs.begin(), limbs.end(), 0);
    const int first = shift / 32;
    for (int j = 0; j < 3 && first + j < static_cast<int>(limbs.size()); ++j)
        limbs[static_cast<std::size_t>(first + j)] = bitsAt(mant, 32 * j - shift % 32);
}

std::vector<std::uint32_t> shiftedLimbs(std::uint64_t mant, int shift, std::size_t size) {
    std::vector<std::uint32_t> limbs(size);
    fillShiftedLimbs(mant, shift, limbs);
    return limbs;
}

/// Decimal text of a big integer (consumed); "" for zero.
std::string bigIntegerText(std::vector<std::uint32_t> limbs) {
    std::vector<std::uint32_t> chunks; // least significant first
    while (!limbs.empty() && limbs.back() == 0)
        limbs.pop_back();
    while (!limbs.empty()) {
        std::uint64_t rem = 0;
        for (std::size_t i = limbs.size(); i-- > 0;) {
            const std::uint64_t cur = (rem << 32) | limbs[i];
            limbs[i] = static_cast<std::uint32_t>(cur / kChunk);
            rem = cur % kChunk;
        }
        chunks.push_back(static_cast<std::uint32_t>(rem));
        while (!limbs.empty() && limbs.back() == 0)
            limbs.pop_back();
    }
    std::string text;
    if (chunks.empty())
        return text;
    text = std::to_string(chunks.back());
    for (std::size_t i = chunks.size() - 1; i-- > 0;) {
        const std::string part = std::to_string(chunks[i]);
        text.append(kChunkDigits - part.size(), '0');
        text += part;
    }
    return text;
}

/// d cut to `count` digits, trailing zeros dropped.
Decimal trimmed(Decimal d, std::size_t count) {
    if (d.digits.size() > count)
        d.digits.resize(count);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

/// The first `count` significant digits of |x|'s exact decimal expansion, truncated.
/// x = mant * 2^e exactly, with mant a 64-bit integer; the fraction part is at most
/// 16445 bits (the smallest denormal), so the big numbers stay small.
Decimal exactDecimal(Extended x, std::size_t count) {
    Decimal d;
    d.negative = std::signbit(x);
    if (x == 0 || !std::isfinite(x))
        return d;
    int binExp = 0;
    const Extended fraction = std::frexp(std::fabs(x), &binExp);
    auto mant = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    int e = binExp - 64;
    const int trailingZeros = std::countr_zero(mant);
    mant >>= trailingZeros;
    e += trailingZeros;

    std::array<char, 20> buffer{};
    if (e >= 0) { // a whole number
        if (std::bit_width(mant) + e <= 64) {
            const std::string_view whole = decimalDigits(mant << e, buffer);
            d.digits.append(whole);
            d.exponent = static_cast<int>(whole.size());
        } else {
            const std::string whole =
                bigIntegerText(shiftedLimbs(mant, e, static_cast<std::size_t>(e / 32 + 3)));
            d.digits.append(std::string_view(whole).substr(0, count));
            d.exponent = static_cast<int>(whole.size());
        }
        return trimmed(std::move(d), count);
    }
    const int s = -e; // fraction bits
    if (s < 64 && (mant >> s) != 0)
        d.digits.append(decimalDigits(mant >> s, buffer));
    d.exponent = static_cast<int>(d.digits.size());
    const std::uint64_t frac = s < 64 ? mant & ((std::uint64_t{1} << s) - 1) : mant;

    // Fraction part: move the binary point to a limb boundary, then each multiplication
    // by 10^9 carries the next nine digits out of the top limb.
    const std::size_t size = static_cast<std::size_t>((s + 31) / 32);
    // The fraction of an everyday number takes a few limbs; only tiny ones need more.
    std::array<std::uint32_t, 8> few{};
    std::vector<std::uint32_t> many;
    if (size > few.size())
        many.resize(size);
    const std::span<std::uint32_t> limbs =
        size > few.size() ? std::span<std::uint32_t>(many) : std::span(few.data(), size);
    fillShiftedLimbs(frac, static_cast<int>(size) * 32 - s, limbs);
    std::size_t low = 0; // limbs below `low` are zero and stay zero
    while (d.digits.size() < count) {
        while (low < size && limbs[low] == 0)
            ++low;
        if (low == size)
            break;
        std::uint64_t carry = 0;
        for (std::size_t i = low; i < size; ++i) {
            const std::uint64_t p = std::uint64_t{limbs[i]} * kChunk + carry;
            limbs[i] = static_cast<std::uint32_t>(p);
            carry = p >> 32;
        }
        const std::string_view part = decimalDigits(carry, buffer);
        if (d.digits.empty()) {
            // Still in the leading zeros of a value below 1.
            d.exponent -= carry == 0 ? kChunkDigits : kChunkDigits - static_cast<int>(part.size());
            if (carry != 0)
                d.digits.append(part);
        } else {
            d.digits.append(kChunkDigits - part.size(), '0');
            d.digits.append(part);
        }
    }
    return trimmed(std::move(d), count);
}

/// d rounded half away from zero to `keep` significant digits (keep <= 0 rounds at or
/// above the leading digit's position, giving zero or one unit of that position).
/// Needs d to hold at least keep + 1 digits of the exact value.
Decimal roundToDigits(Decimal d, int keep) {
    if (d.isZero() || keep >= static_cast<int>(d.digits.size()))
        return d;
    if (keep < 0) {
        d.digits.clear();
        return d;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.clear();
            d.digits.append(1, '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

/// The value as every rendering sees it: its exact expansion rounded half away from
/// zero to 18 significant digits. No typed or computed number carries more meaningful
/// digits, so a tie there (1.005, whose binary value is 1.00499999...) is one the
/// user typed, and the renderings round it away from zero.
Decimal decimalForm(Extended x) {
    return roundToDigits(exactDecimal(x, kDigitCount), kMaxPrecision);
}

int clampPrecision(int p) {
    return std::clamp(p, kMinPrecision, kMaxPrecision);
}
int clampDecimals(int dec) {
    return std::clamp(dec, 0, kMaxDecimals);
}
int clampExponentDigits(int m) {
    return m > kMaxExponentDigits || m < 0 ? 0 : m;
}

std::string nonFiniteText(Extended x) {
    if (std::isnan(x))
        return "NAN";
    return x < 0 ? "-INF" : "INF";
}

/// "1234567" -> "1,234,567" with the given separator.
std::string grouped(const std::string& integerDigits, const std::string& separator) {
    std::string out;
    const std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += integerDigits[i];
    }
    return out;
}

/// Plain notation of d with exactly `decimals` fraction digits (no separator when 0).
/// The sign is left to the caller.
std::string plainDigits(const Decimal& d, int decimals, const NumberLocale& loc, bool group) {
    std::string integer;
    if (d.isZero() || d.exponent <= 0) {
        integer = "0";
    } else {
        for (int i = 0; i < d.exponent; ++i)
            integer += d.digitAt(i);
    }
    std::string out = group ? grouped(integer, loc.thousandSeparator) : integer;
    if (decimals > 0) {
        out += loc.decimalSeparator;
        for (int j = 0; j < decimals; ++j)
            out += d.isZero() ? '0' : d.digitAt(d.exponent + j);
    }
    return out;
}

/// Fraction digits left after dropping trailing zeros (d has none in its digits).
int fractionDigits(const Decimal& d) {
    return std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
}

/// A minus sign only for a negative value that did not round to zero: "-0.00" would
/// only be noise on a tape.
bool showsMinus(const Decimal& d) {
    return d.negative && !d.isZero();
}
std::string sign(const Decimal& d) {
    return showsMinus(d) ? "-" : "";
}

std::string exponentDigits(int value, int minDigits) {
    std::string text = std::to_string(std::abs(value));
    if (static_cast<int>(text.size()) < minDigits)
        text.insert(0, static_cast<std::size_t>(minDigits) - text.size(), '0');
    return text;
}

/// x rounded as FixedText rounds it, or nothing when x has more than p integer digits.
std::optional<Decimal> fixedDecimal(Extended x, int p, int decimals) {
    const Decimal form = decimalForm(x);
    if (roundToDigits(form, p).exponent > p)
        return std::nullopt;
    return roundToDigits(form, std::min(p, form.exponent + decimals));
}

} // namespace

std::string GeneralText(Extended x, int P, int M, const NumberLocale& loc) {
    if (!std::isfinite(x))
        return nonFiniteText(x);
    const int p = clampPrecision(P);
    const Decimal d = roundToDigits(decimalForm(x), p);
    if (d.isZero())
        return "0";
    if (d.exponent >= -3 && d.exponent <= p)
        return sign(d) + plainDigits(d, fractionDigits(d), loc, false);
    std::string out = sign(d);
    out += d.digits.view(0, 1);
    if (d.digits.size() > 1) {
        out += loc.decimalSeparator;
        out += d.digits.view(1);
    }
    out += 'E';
    if (d.exponent - 1 < 0)
        out += '-';
    return out + exponentDigits(d.exponent - 1, clampExponentDigits(M));
}

std::string PlainText(Extended x, int P, const NumberLocale& loc) {
    if (!std::isfinite(x))
        return nonFiniteText(x);
    const Decimal d = roundToDigits(decimalForm(x), clampPrecision(P));
    return sign(d) + plainDigits(d, fractionDigits(d), loc, false);
}

std::string ExponentText(Extended x, int P, int M, const NumberLocale& loc) {
    if (!std::isfinite(x))
        return nonFiniteText(x);
    const int p = clampPrecision(P);
    const Decimal d = roundToDigits(decimalForm(x), p);
    std::string out = sign(d) + d.digitAt(0) + loc.decimalSeparator;
    for (int i = 1; i < p; ++i)
        out += d.digitAt(i);
    const int exponent = d.isZero() ? 0 : d.exponent - 1;
    out += exponent < 0 ? "E-" : "E+";
    return out + exponentDigits(exponent, clampExponentDigits(M));
}

namespace {

/// A text of D decimals: the rounded digits laid out by `layout`, or the general text
/// when x is not finite or has more integer digits than P.
template <class Layout>
std::string fixedText(Extended x, int P, int D, const NumberLocale& loc, Layout layout) {
    if (!std::isfinite(x))
        return nonFiniteText(x);
    const int p = clampPrecision(P);
    const int decimals = clampDecimals(D);
    const std::optional<Decimal> d = fixedDecimal(x, p, decimals);
    if (!d)
        return GeneralText(x, p, decimals, loc);
    return layout(*d, decimals);
}

} // namespace

std::string FixedText(Extended x, int P, int D, const NumberLocale& loc) {
    return fixedText(x, P, D, loc, [&](const Decimal& d, int decimals) {
        return sign(d) + plainDigits(d, decimals, loc, false);
    });
}

std::string NumberText(Extended x, int P, int D, const NumberLocale& loc) {
    return fixedText(x, P, D, loc, [&](const Decimal& d, int decimals) {
        return sign(d) + plainDigits(d, decimals, loc, true);
    });
}

std::string CurrencyText(Extended x, int P, int D, const NumberLocale& loc) {
    return fixedText(x, P, D, loc, [&](const Decimal& d, int decimals) {
        const std::string amount = plainDigits(d, decimals, loc, true);
        const std::string& pattern = showsMinus(d) ? loc.currencyNegative : loc.currencyPositive;
        // One pass, so that a symbol containing "n" (such as "kn") is not substituted again.
        constexpr std::string_view symbolMark = "\u00A4";
        std::string out;
        for (std::size_t i = 0; i < pattern.size();) {
            if (pattern.compare(i, symbolMark.size(), symbolMark) == 0) {
                out += loc.currencySymbol;
                i += symbolMark.size();
            } else {
                out += pattern[i] == 'n' ? amount : std::string(1, pattern[i]);
                ++i;
            }
        }
        return out;
    });
}

std::string GroupedGeneralText(Extended x, const NumberLocale& loc) {
    if (!std::isfinite(x))
        return nonFiniteText(x);
    constexpr int generalDigits = 15;
    constexpr int maxDecimals = 11;
    const Decimal form = decimalForm(x);
    const Decimal general = roundToDigits(form, generalDigits);
    if (general.isZero())
        return "0";
    // Outside General mode's grouped range the 15-digit text may be scientific; then it
    // is the answer as it stands.
    if (general.exponent < -3 || general.exponent > generalDigits)
        return GeneralText(x, generalDigits, 0, loc);
    // The decimals of the 15-digit general text, counted from its digits rather than
    // searched for in the text, so that any separators work.
    const int decimals = std::min(maxDecimals, fractionDigits(general));
    const Decimal d = roundToDigits(form, form.exponent + decimals);
    return sign(d) + plainDigits(d, fractionDigits(d), loc, true);
}

namespace {

/// 10^k for 0 <= k <= 27, each exact in 80 bits (5^27 < 2^64).
constexpr int kExactPowers = 27;
Extended exactPowerOfTen(int k) {
    static const auto powers = [] {
        std::array<Extended, kExactPowers + 1> table{};
        Extended p = 1;
        for (Extended& entry : table) {
            entry = p;
            p *= 10;
        }
        return table;
    }();
    return powers[static_cast<std::size_t>(k)];
}

/// n x 10^k correctly rounded when one exact operation gives it: n < 2^64 and 10^|k|
/// are exact, and a single multiplication or division rounds once, as strtold does.
std::optional<Extended> scaledExactly(std::uint64_t n, std::int64_t k, bool negative) {
    if (k < -kExactPowers || k > kExactPowers)
        return std::nullopt;
    const auto mantissa = static_cast<Extended>(n);
    const Extended value = k >= 0 ? mantissa * exactPowerOfTen(static_cast<int>(k))
                                  : mantissa / exactPowerOfTen(static_cast<int>(-k));
    return negative ? -value : value;
}

} // namespace

std::optional<Extended> FixedValue(Extended x, int P, int D) {
    if (!std::isfinite(x))
        return std::nullopt;
    const std::optional<Decimal> d = fixedDecimal(x, clampPrecision(P), clampDecimals(D));
    if (!d) // the general text, rare enough to read back
        return ParseNumber(FixedText(x, P, D, NumberLocale::Plain()), NumberLocale::Plain());
    if (d->isZero())
        return Extended{0}; // FixedText shows no minus sign on a zero
    std::uint64_t n = 0;    // at most 18 digits
    for (std::size_t i = 0; i < d->digits.size(); ++i)
        n = n * 10 + static_cast<std::uint64_t>(d->digits[i] - '0');
    const std::int64_t k = d->exponent - static_cast<std::int64_t>(d->digits.size());
    if (const std::optional<Extended> value = scaledExactly(n, k, d->negative))
        return value;
    return ParseNumber(FixedText(x, P, D, NumberLocale::Plain()), NumberLocale::Plain());
}

std::size_t PlainTextLength(Extended x, int P, const NumberLocale& loc) {
    if (!std::isfinite(x))
        return nonFiniteText(x).size();
    const Decimal d = roundToDigits(decimalForm(x), clampPrecision(P));
    const std::size_t integer =
        d.isZero() || d.exponent <= 0 ? 1 : static_cast<std::size_t>(d.exponent);
    const auto decimals = static_cast<std::size_t>(fractionDigits(d));
    const std::size_t separator = decimals > 0 ? Utf8Length(loc.decimalSeparator) : 0;
    return (showsMinus(d) ? 1 : 0) + integer + separator + decimals;
}

std::optional<Extended> ParseNumber(std::string_view text, const NumberLocale& loc) {
    // The number is rebuilt as digits and a decimal exponent, with no radix character,
    // so that strtold reads it the same under every C locale, correctly rounded.
    std::string c;
    c.reserve(text.size() + 24);
    std::size_t i = 0;
    const auto isDigit = [&](std::size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    const auto isSign = [&](std::size_t at) {
        return at < text.size() && (text[at] == '+' || text[at] == '-');
    };
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (isSign(i) && text[i++] == '-')
        c += '-';
    // Up to 19 significant digits also collect into an integer for the exact path.
    std::uint64_t whole = 0;
    int significant = 0;
    const auto take = [&](char digit) {
        c += digit;
        if (significant > 0 || digit != '0')
            ++significant;
        if (significant <= 19)
            whole = whole * 10 + static_cast<std::uint64_t>(digit - '0');
    };
    std::size_t mantissaDigits = 0;
    for (; isDigit(i); ++i, ++mantissaDigits)
        take(text[i]);
    std::int64_t fractionDigits = 0;
    const std::string& separator = loc.decimalSeparator;
    if (!separator.empty() && text.substr(i).starts_with(separator)) {
        for (i += separator.size(); isDigit(i); ++i, ++fractionDigits)
            take(text[i]);
        mantissaDigits += static_cast<std::size_t>(fractionDigits);
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        const bool negative = isSign(i) && text[i] == '-';
        if (isSign(i))
            ++i;
        std::size_t exponentDigits = 0;
        // Far beyond any 80-bit value already; saturating keeps the sum below in range.
        constexpr std::int64_t kSaturated = 1'000'000'000'000;
        for (; isDigit(i); ++i, ++exponentDigits)
            exponent = std::min(kSaturated, exponent * 10 + (text[i] - '0'));
        if (exponentDigits == 0)
            return std::nullopt;
        if (negative)
            exponent = -exponent;
    }
    if (i != text.size())
        return std::nullopt;
    if (significant <= 19)
        if (const std::optional<Extended> value =
                scaledExactly(whole, exponent - fractionDigits, c.starts_with('-')))
            return value;
    c += 'e';
    c += std::to_string(exponent - fractionDigits);

    char* end = nullptr;
    const Extended value = std::strtold(c.c_str(), &end);
    // Underflow to a denormal or zero is a value; overflow is not.
    if (end != c.c_str() + c.size() || std::isinf(value))
        return std::nullopt;
    return value;
}

} // namespace quantrel
