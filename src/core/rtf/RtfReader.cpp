// Reading RTF tolerantly: text, paragraphs, the font and colour tables and the
// character looks the tape uses; every destination it does not know is skipped. A
// damaged file gives what could be read: the scan moves forward on every step, keeps
// a bounded group stack and never reads past the end.

#include "rtf/RtfDocument.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quantrel::rtf {

namespace {

constexpr std::size_t kMaxDepth = 1000;
constexpr long kMaxNumber = 1'000'000'000;

// Windows-1252's characters 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kCp1252 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

enum class Destination { Body, FontTable, ColourTable, Skip };

struct State {
    Destination destination = Destination::Body;
    int font = -1;
    int halfPoints = 24;
    int colour = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int skipCount = 1; // \ucN
};

bool isSkippedDestination(std::string_view word) {
    static constexpr std::string_view skipped[] = {"stylesheet",
                                                   "info",
                                                   "pict",
                                                   "header",
                                                   "headerl",
                                                   "headerr",
                                                   "headerf",
                                                   "footer",
                                                   "footerl",
                                                   "footerr",
                                                   "footerf",
                                                   "footnote",
                                                   "listtable",
                                                   "listoverridetable",
                                                   "rsidtbl",
                                                   "generator",
                                                   "xmlnstbl",
                                                   "themedata",
                                                   "colorschememapping",
                                                   "latentstyles",
                                                   "datastore",
                                                   "fldinst",
                                                   "object",
                                                   "nonshppict",
                                                   "filetbl",
                                                   "revtbl",
                                                   "author",
                                                   "operator",
                                                   "title",
                                                   "subject",
                                                   "keywords",
                                                   "comment",
                                                   "doccomm",
                                                   "template",
                                                   "pgdsctbl",
                                                   "mmathPr",
                                                   "shp",
                                                   "wgrffmtfilter",
                                                   "pn",
                                                   "pntext",
                                                   "listtext",
                                                   "fchars",
                                                   "lchars"};
    return std::find(std::begin(skipped), std::end(skipped), word) != std::end(skipped);
}

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    Document Read() {
        while (m_at < m_text.size()) {
            const char c = m_text[m_at];
            if (c == '{') {
                ++m_at;
                push();
            } else if (c == '}') {
                ++m_at;
                pop();
            } else if (c == '\\') {
                ++m_at;
                controlWord();
            } else if (c == '\r' || c == '\n' || c == '\0') {
                ++m_at;
            } else {
                ++m_at;
                m_groupStart = false;
                character(static_cast<unsigned char>(c));
            }
        }
        endParagraph(false);
        return std::move(m_document);
    }

private:
    void push() {
        if (m_stack.size() < kMaxDepth)
            m_stack.push_back(m_state);
        else
            ++m_overflow;
        m_groupStart = true;
    }
    void pop() {
        if (m_state.destination == Destination::FontTable)
            finishFontName();
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.empty())
            return; // an extra '}'
        m_state = m_stack.back();
        m_stack.pop_back();
        m_groupStart = false;
    }

    void skipGroup() { m_state.destination = Destination::Skip; }

    void controlWord() {
        const bool groupStart = m_groupStart;
        m_groupStart = false;
        if (m_at >= m_text.size())
            return;
        const char c = m_text[m_at];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_at;
            controlSymbol(c, groupStart);
            return;
        }
        const std::size_t start = m_at;
        // A word longer than RTF allows is one unknown word, not text.
        while (m_at < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
        const std::string_view word = m_text.substr(start, m_at - start);
        bool hasNumber = false;
        bool negative = false;
        long number = 0;
        if (m_at < m_text.size() && m_text[m_at] == '-') {
            negative = true;
            ++m_at;
        }
        while (m_at < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_at]))) {
            hasNumber = true;
            number = std::min(kMaxNumber, number * 10 + (m_text[m_at] - '0'));
            ++m_at;
        }
        if (negative)
            number = -number;
        if (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
        apply(word, hasNumber, number);
    }

    void controlSymbol(char c, bool groupStart) {
        switch (c) {
        case '*':
            if (groupStart)
                skipGroup();
            return;
        case '\'': {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_at < m_text.size() &&
                   std::isxdigit(static_cast<unsigned char>(m_text[m_at]))) {
                const char h =
                    static_cast<char>(std::tolower(static_cast<unsigned char>(m_text[m_at])));
                value = value * 16 + (h >= 'a' ? h - 'a' + 10 : h - '0');
                ++m_at;
                ++digits;
            }
            if (digits > 0)
                byte(static_cast<unsigned char>(value));
            return;
        }
        case '~':
            codePoint(0xA0);
            return;
        case '_':
            codePoint(0x2011);
            return;
        case '\r':
        case '\n':
            endParagraph(true);
            return;
        case '-':
            return;
        default:
            if (c == '\\' || c == '{' || c == '}')
                character(static_cast<unsigned char>(c));
            return;
        }
    }

    void apply(std::string_view word, bool hasNumber, long n) {
        if (m_state.destination == Destination::Skip)
            return;
        if (word == "bin") {
            m_at = std::min(m_text.size(), m_at + static_cast<std::size_t>(std::max(0L, n)));
            return;
        }
        if (m_state.destination == Destination::ColourTable) {
            if (word == "red")
                m_colour.red = static_cast<std::uint8_t>(std::clamp(n, 0L, 255L));
            else if (word == "green")
                m_colour.green = static_cast<std::uint8_t>(std::clamp(n, 0L, 255L));
            else if (word == "blue")
                m_colour.blue = static_cast<std::uint8_t>(std::clamp(n, 0L, 255L));
            m_colourSet = true;
            return;
        }
        if (m_state.destination == Destination::FontTable) {
            if (word == "f") {
                finishFontName();
                m_fontNumber = static_cast<int>(n);
            }
            return;
        }
        if (word == "fonttbl") {
            m_state.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            m_state.destination = Destination::ColourTable;
            m_colours.clear();
        } else if (isSkippedDestination(word)) {
            skipGroup();
        } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
            endParagraph(true);
        } else if (word == "pard") {
            m_alignment = Alignment::Left;
        } else if (word == "ql") {
            m_alignment = Alignment::Left;
        } else if (word == "qr") {
            m_alignment = Alignment::Right;
        } else if (word == "qc") {
            m_alignment = Alignment::Center;
        } else if (word == "qj") {
            m_alignment = Alignment::Justify;
        } else if (word == "plain") {
            const int skip = m_state.skipCount;
            const Destination d = m_state.destination;
            m_state = State{};
            m_state.skipCount = skip;
            m_state.destination = d;
        } else if (word == "f") {
            m_state.font = static_cast<int>(n);
        } else if (word == "fs") {
            m_state.halfPoints = hasNumber ? static_cast<int>(std::clamp(n, 1L, 32767L)) : 24;
        } else if (word == "cf") {
            m_state.colour = static_cast<int>(std::max(0L, n));
        } else if (word == "b") {
            m_state.bold = !hasNumber || n != 0;
        } else if (word == "i") {
            m_state.italic = !hasNumber || n != 0;
        } else if (word == "ul") {
            m_state.underline = !hasNumber || n != 0;
        } else if (word == "ulnone") {
            m_state.underline = false;
        } else if (word == "uc") {
            m_state.skipCount = static_cast<int>(std::clamp(n, 0L, 10L));
        } else if (word == "u") {
            long unit = n < 0 ? n + 65536 : n;
            unit = std::clamp(unit, 0L, 65535L);
            unicodeUnit(static_cast<char16_t>(unit));
            skipFallback();
        } else if (word == "deff") {
            m_defaultFont = static_cast<int>(n);
        } else if (word == "ansicpg") {
            m_latin1 = n != 1252;
        } else if (word == "tab") {
            codePoint('\t');
        } else if (word == "emdash") {
            codePoint(0x2014);
        } else if (word == "endash") {
            codePoint(0x2013);
        } else if (word == "lquote") {
            codePoint(0x2018);
        } else if (word == "rquote") {
            codePoint(0x2019);
        } else if (word == "ldblquote") {
            codePoint(0x201C);
        } else if (word == "rdblquote") {
            codePoint(0x201D);
        } else if (word == "bullet") {
            codePoint(0x2022);
        } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
            codePoint(' ');
        }
    }

    /// The characters after \uN that stand in for readers without Unicode.
    void skipFallback() {
        for (int left = m_state.skipCount; left > 0 && m_at < m_text.size(); --left) {
            const char c = m_text[m_at];
            if (c == '{' || c == '}')
                return;
            if (c == '\\') {
                if (m_at + 1 < m_text.size() && m_text[m_at + 1] == '\'') {
                    m_at = std::min(m_text.size(), m_at + 4);
                } else {
                    // A control word counts as one character.
                    ++m_at;
                    while (m_at < m_text.size() &&
                           std::isalpha(static_cast<unsigned char>(m_text[m_at])))
                        ++m_at;
                    while (m_at < m_text.size() &&
                           (m_text[m_at] == '-' ||
                            std::isdigit(static_cast<unsigned char>(m_text[m_at]))))
                        ++m_at;
                    if (m_at < m_text.size() && m_text[m_at] == ' ')
                        ++m_at;
                }
            } else {
                ++m_at;
            }
        }
    }

    void character(unsigned char c) {
        if (m_state.destination == Destination::FontTable) {
            if (c == ';')
                finishFontName();
            else
                m_fontName += static_cast<char>(c);
            return;
        }
        if (m_state.destination == Destination::ColourTable) {
            if (c == ';') {
                m_colours.push_back(m_colourSet ? std::optional<Colour>(m_colour) : std::nullopt);
                m_colour = {};
                m_colourSet = false;
            }
            return;
        }
        if (c >= 0x80)
            byte(c);
        else
            codePoint(c);
    }

    void byte(unsigned char c) {
        if (c >= 0x80 && c < 0xA0 && !m_latin1)
            codePoint(kCp1252[c - 0x80]);
        else
            codePoint(c);
    }

    void unicodeUnit(char16_t unit) {
        if (unit >= 0xD800 && unit < 0xDC00) {
            m_highSurrogate = unit;
            return;
        }
        if (unit >= 0xDC00 && unit < 0xE000) {
            if (m_highSurrogate != 0)
                codePoint(0x10000 + ((static_cast<char32_t>(m_highSurrogate) - 0xD800) << 10) +
                          (unit - 0xDC00));
            else
                codePoint(0xFFFD);
            m_highSurrogate = 0;
            return;
        }
        codePoint(unit);
    }

    void codePoint(char32_t cp) {
        m_highSurrogate = 0;
        if (m_state.destination == Destination::FontTable && cp >= 0x80)
            appendUtf8(m_fontName, cp); // a face name in another script
        if (m_state.destination != Destination::Body)
            return;
        if (cp < 0x20 && cp != '\t')
            return;
        if (m_runs.empty() || !sameLook(m_runs.back()))
            m_runs.push_back(look());
        appendUtf8(m_runs.back().text, cp);
    }

    Run look() const {
        Run run;
        if (const auto f = m_fonts.find(m_state.font < 0 ? m_defaultFont : m_state.font);
            f != m_fonts.end())
            run.font = f->second;
        run.halfPoints = m_state.halfPoints;
        if (m_state.colour > 0 && static_cast<std::size_t>(m_state.colour) < m_colours.size())
            run.colour = m_colours[static_cast<std::size_t>(m_state.colour)];
        run.bold = m_state.bold;
        run.italic = m_state.italic;
        run.underline = m_state.underline;
        return run;
    }
    bool sameLook(const Run& run) const {
        Run other = look();
        other.text = run.text;
        return other == run;
    }

    void endParagraph(bool always) {
        if (m_state.destination != Destination::Body && always)
            return;
        if (!always && m_runs.empty())
            return;
        Paragraph paragraph;
        paragraph.runs = std::move(m_runs);
        paragraph.alignment = m_alignment;
        m_document.paragraphs.push_back(std::move(paragraph));
        m_runs.clear();
    }

    void finishFontName() {
        if (m_fontNumber >= 0 && !m_fontName.empty()) {
            std::string name = m_fontName;
            while (!name.empty() && name.back() == ' ')
                name.pop_back();
            while (!name.empty() && name.front() == ' ')
                name.erase(name.begin());
            m_fonts[m_fontNumber] = name;
        }
        m_fontName.clear();
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    State m_state;
    std::vector<State> m_stack;
    std::size_t m_overflow = 0;
    bool m_groupStart = false;
    bool m_latin1 = false;
    char16_t m_highSurrogate = 0;

    std::map<int, std::string> m_fonts;
    int m_defaultFont = -1;
    int m_fontNumber = -1;
    std::string m_fontName;
    std::vector<std::optional<Colour>> m_colours;
    Colour m_colour;
    bool m_colourSet = false;

    Document m_document;
    std::vector<Run> m_runs;
    Alignment m_alignment = Alignment::Left;
};

} // namespace

bool IsRtf(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\r' || text[i] == '\n' || text[i] == '\t'))
        ++i;
    return text.substr(i).starts_with("{\\rtf");
}

Document ReadRtf(std::string_view text) {
    return Reader(text).Read();
}

} // namespace quantrel::rtf
