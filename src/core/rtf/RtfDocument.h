#pragma once
// A small rich-text document: paragraphs of runs, each run with its own font face,
// size, colour and style. It is what the tape keeps in tape.dat and saves as .rtf;
// the reader and the writer below turn it into Rich Text and back.
//
//   rtf::Document doc;
//   doc.paragraphs.push_back({{{.text = "= -5", .colour = rtf::Colour{255, 0, 0}, .bold = true}},
//                             rtf::Alignment::Right});
//   const std::string text = rtf::WriteRtf(doc);   // "{\rtf1\ansi ... \par}"
//   const rtf::Document back = rtf::ReadRtf(text); // the same paragraphs and runs

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quantrel::rtf {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

/// Text of one look. `text` is UTF-8 without line breaks (a tab is kept as '\t').
struct Run {
    std::string text;
    std::string font;             // face name; empty means the document's default
    int halfPoints = 24;          // size in half points, as RTF counts it (12 pt)
    std::optional<Colour> colour; // nothing means the automatic (window-text) colour
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const Run&, const Run&) = default;
};

enum class Alignment { Left, Right, Center, Justify };

struct Paragraph {
    std::vector<Run> runs;
    Alignment alignment = Alignment::Left;

    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

struct Document {
    std::vector<Paragraph> paragraphs;

    friend bool operator==(const Document&, const Document&) = default;
};

/// RTF 1.x with a font table and a colour table; every paragraph ends with \par.
/// Characters outside ASCII are written as \uN? (surrogate pairs above U+FFFF).
std::string WriteRtf(const Document& document);

/// True when the text starts (after blanks) with "{\rtf".
bool IsRtf(std::string_view text);

/// Reads what it can of any text, damaged or not: never throws, never reads past the
/// end. \par and \line end a paragraph; text after the last break is a paragraph of
/// its own when it holds anything. Unknown destinations are skipped.
Document ReadRtf(std::string_view text);

/// The text of every paragraph, one per line, runs joined.
std::vector<std::string> PlainLines(const Document& document);

} // namespace quantrel::rtf
