// Writing the tape's document as RTF 1.x: a font table, a colour table, and each
// paragraph's runs with their look. The output is plain ASCII; every other character
// goes out as \uN? (UTF-16 units, so a character above U+FFFF is a surrogate pair).

#include "rtf/RtfDocument.h"

#include <algorithm>
#include <cstdint>

namespace quantrel::rtf {

namespace {

/// The next code point of UTF-8 `text` at `i`; a malformed sequence gives U+FFFD.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    const int extra = (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {
        ++i;
        return U'\uFFFD';
    }
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + static_cast<std::size_t>(k)) & 0xC0) != 0x80) {
            i += static_cast<std::size_t>(k);
            return U'\uFFFD';
        }
        cp = (cp << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return U'\uFFFD';
    return cp;
}

void writeUnit(std::string& out, std::uint32_t unit) {
    out += "\\u";
    out +=
        std::to_string(unit >= 0x8000 ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit));
    out += '?';
}

void writeText(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = nextCodePoint(text, i);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp == '\r' || cp == '\n') {
            out += ' ';
        } else if (cp >= 0x20 && cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x20) {
            continue; // control characters have no place in a line
        } else if (cp > 0xFFFF) {
            const char32_t v = cp - 0x10000;
            writeUnit(out, 0xD800 + static_cast<std::uint32_t>(v >> 10));
            writeUnit(out, 0xDC00 + static_cast<std::uint32_t>(v & 0x3FF));
        } else {
            writeUnit(out, static_cast<std::uint32_t>(cp));
        }
    }
}

template <class T> std::size_t indexOf(std::vector<T>& table, const T& value) {
    const auto at = std::find(table.begin(), table.end(), value);
    if (at != table.end())
        return static_cast<std::size_t>(at - table.begin());
    table.push_back(value);
    return table.size() - 1;
}

} // namespace

std::string WriteRtf(const Document& document) {
    std::vector<std::string> fonts;
    std::vector<Colour> colours;
    for (const Paragraph& paragraph : document.paragraphs)
        for (const Run& run : paragraph.runs) {
            if (!run.font.empty())
                indexOf(fonts, run.font);
            if (run.colour)
                indexOf(colours, *run.colour);
        }
    if (fonts.empty())
        fonts.emplace_back("Sans");

    std::string body;
    body.reserve(document.paragraphs.size() * 64);
    for (const Paragraph& paragraph : document.paragraphs) {
        body += "\\pard";
        switch (paragraph.alignment) {
        case Alignment::Left:
            body += "\\ql";
            break;
        case Alignment::Right:
            body += "\\qr";
            break;
        case Alignment::Center:
            body += "\\qc";
            break;
        case Alignment::Justify:
            body += "\\qj";
            break;
        }
        for (const Run& run : paragraph.runs) {
            body += "\\plain\\f";
            body += std::to_string(run.font.empty() ? 0 : indexOf(fonts, run.font));
            body += "\\fs";
            body += std::to_string(std::clamp(run.halfPoints, 1, 32767));
            body += "\\cf";
            body += std::to_string(run.colour ? indexOf(colours, *run.colour) + 1 : 0);
            if (run.bold)
                body += "\\b";
            if (run.italic)
                body += "\\i";
            if (run.underline)
                body += "\\ul";
            body += ' ';
            writeText(body, run.text);
        }
        body += "\\par\r\n";
    }

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        out += "{\\f" + std::to_string(f) + "\\fnil ";
        writeText(out, fonts[f]);
        out += ";}";
    }
    out += "}{\\colortbl;";
    for (const Colour& c : colours)
        out += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) + "\\blue" +
               std::to_string(c.blue) + ";";
    out += "}\r\n";
    out += body;
    out += "}";
    return out;
}

std::vector<std::string> PlainLines(const Document& document) {
    std::vector<std::string> lines;
    for (const Paragraph& paragraph : document.paragraphs) {
        std::string line;
        for (const Run& run : paragraph.runs)
            line += run.text;
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace quantrel::rtf
