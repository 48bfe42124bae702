// Colour texts <-> QColor: two small tables (basic and system colours) and the numeric
// forms "$00BBGGRR" and decimal.

#include "window/ColorText.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace quantrel::gui {

namespace {

struct BasicColor {
    const char* name;
    std::uint32_t bgr; ///< 00BBGGRR
};

constexpr std::array<BasicColor, 16> kBasicColors{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

/// A system colour: its name, its number (0x80000000 | index) and where the palette
/// keeps the nearest equivalent.
struct SystemColor {
    const char* name;
    std::uint32_t index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr std::uint32_t kSystemColorFlag = 0x80000000;

constexpr std::array<SystemColor, 16> kSystemColors{{
    {"clMenu", 4, QPalette::Active, QPalette::Window},
    {"clWindow", 5, QPalette::Active, QPalette::Base},
    {"clMenuText", 7, QPalette::Active, QPalette::WindowText},
    {"clWindowText", 8, QPalette::Active, QPalette::Text},
    {"clHighlight", 13, QPalette::Active, QPalette::Highlight},
    {"clHighlightText", 14, QPalette::Active, QPalette::HighlightedText},
    {"clBtnFace", 15, QPalette::Active, QPalette::Button},
    {"clBtnShadow", 16, QPalette::Active, QPalette::Dark},
    {"clGrayText", 17, QPalette::Disabled, QPalette::Text},
    {"clBtnText", 18, QPalette::Active, QPalette::ButtonText},
    {"clBtnHighlight", 20, QPalette::Active, QPalette::Light},
    {"cl3DDkShadow", 21, QPalette::Active, QPalette::Shadow},
    {"cl3DLight", 22, QPalette::Active, QPalette::Midlight},
    {"clInfoText", 23, QPalette::Active, QPalette::ToolTipText},
    {"clInfoBk", 24, QPalette::Active, QPalette::ToolTipBase},
    {"clHotLight", 26, QPalette::Active, QPalette::Link},
}};

QColor fromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

bool allOf(QStringView digits, bool (*accept)(QChar)) {
    for (QChar c : digits)
        if (!accept(c))
            return false;
    return !digits.isEmpty();
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

/// The 32-bit colour number of "$80000008", "0x80000008" or a decimal such as
/// "-2147483640" (the same number as a signed value); nothing when malformed or
/// out of range.
std::optional<std::uint32_t> colorNumber(QStringView text) {
    const qsizetype hexPrefix = text.startsWith(u'$')                         ? 1
                                : text.startsWith(u"0x", Qt::CaseInsensitive) ? 2
                                                                              : 0;
    if (hexPrefix > 0) {
        const QStringView hex = text.mid(hexPrefix);
        if (hex.size() > 8 || !allOf(hex, isHexDigit))
            return std::nullopt;
        return static_cast<std::uint32_t>(hex.toUInt(nullptr, 16));
    }
    const QStringView digits =
        (text.startsWith(u'-') || text.startsWith(u'+')) ? text.mid(1) : text;
    if (digits.size() > 10 || !allOf(digits, isDecimalDigit))
        return std::nullopt;
    const qint64 value = text.toLongLong();
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace

QColor TextToColor(const QString& text, const QColor& fallback, const QPalette& palette) {
    const QString trimmed = text.trimmed();
    for (const BasicColor& basic : kBasicColors)
        if (trimmed.compare(QLatin1String(basic.name), Qt::CaseInsensitive) == 0)
            return fromBgr(basic.bgr);
    for (const SystemColor& system : kSystemColors)
        if (trimmed.compare(QLatin1String(system.name), Qt::CaseInsensitive) == 0)
            return palette.color(system.group, system.role);

    const std::optional<std::uint32_t> number = colorNumber(trimmed);
    if (!number)
        return fallback;
    if ((*number & 0xFF000000) == 0)
        return fromBgr(*number);
    for (const SystemColor& system : kSystemColors)
        if (*number == (kSystemColorFlag | system.index))
            return palette.color(system.group, system.role);
    return fallback;
}

QString ColorToText(const QColor& color) {
    if (!color.isValid())
        return {};
    const std::uint32_t bgr = static_cast<std::uint32_t>(color.blue()) << 16 |
                              static_cast<std::uint32_t>(color.green()) << 8 |
                              static_cast<std::uint32_t>(color.red());
    for (const BasicColor& basic : kBasicColors)
        if (basic.bgr == bgr)
            return QLatin1String(basic.name);
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace quantrel::gui
