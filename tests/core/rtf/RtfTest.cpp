// The Rich Text codec: what the tape writes comes back the same, files from word
// processors read with their looks, and damaged input gives what can be read.

#include "rtf/RtfDocument.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace quantrel::rtf {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(QUANTREL_RTF_FIXTURES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Run Text(std::string text, std::string font = "DejaVu Sans") {
    Run run;
    run.text = std::move(text);
    run.font = std::move(font);
    return run;
}

// Every kind of tape line: operands, a bracketed sub-total, totals (the negative one
// red), an expansion, a note, a separator and a blank line.
Document TapeLike() {
    const Colour blue{0, 0, 255}, red{255, 0, 0}, green{0, 128, 0}, purple{128, 0, 128};
    Run operand = Text("1,234.50 +");
    Run subTotal = Text("{= 1,236.50}");
    subTotal.colour = blue;
    Run total = Text("= 1,236.50 *");
    total.bold = true;
    Run negative = Text("= -5 *");
    negative.bold = true;
    negative.colour = red;
    Run expansion = Text("sqrt(2) = 1.41421356237", "DejaVu Sans Mono");
    expansion.colour = green;
    expansion.halfPoints = 20;
    Run note = Text("invoice 117 \\ {x} 90\xC2\xB0 x\xC2\xB2 \xCF\x80 12\xE2\x82\xAC");
    note.colour = purple;
    note.italic = true;
    note.underline = true;
    Run script = Text("\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\ttab", "Noto Sans CJK JP");

    Document doc;
    const auto right = Alignment::Right;
    doc.paragraphs = {
        {{note}, Alignment::Left},
        {{operand}, right},
        {{Text("2 ="), subTotal}, right},
        {{total}, right},
        {{expansion}, right},
        {{negative}, right},
        {{script}, Alignment::Center},
        {{Text("----------------")}, right},
        {{}, right},
    };
    return doc;
}

TEST(Rtf, ATapeComesBackAsItWasWritten) {
    const Document doc = TapeLike();
    const std::string rtf = WriteRtf(doc);

    EXPECT_EQ(ReadRtf(rtf), doc);
    EXPECT_TRUE(IsRtf(rtf));
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "the file must be plain ASCII";
    EXPECT_NE(rtf.find("\\u8364?"), std::string::npos);            // euro sign
    EXPECT_NE(rtf.find("\\u-10179?\\u-8704?"), std::string::npos); // U+1F600 as a pair
    EXPECT_NE(rtf.find("117 \\\\ \\{x\\}"), std::string::npos);
    EXPECT_NE(rtf.find("\\colortbl;\\red128\\green0\\blue128;"), std::string::npos);
}

TEST(Rtf, ReadsWhatLibreOfficeWrites) {
    const Document doc = ReadRtf(Fixture("libreoffice.rtf"));
    EXPECT_EQ(PlainLines(doc), (Lines{"Groceries 12.50 \xE2\x82\xAC", "= -5",
                                      "invoice 117 90\xC2\xB0 x\xC2\xB2 \xCF\x80 "
                                      "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"}));
    ASSERT_EQ(doc.paragraphs.size(), 3U);

    const Paragraph& total = doc.paragraphs[1];
    EXPECT_EQ(total.alignment, Alignment::Right);
    ASSERT_EQ(total.runs.size(), 1U);
    EXPECT_EQ(total.runs[0].font, "DejaVu Sans Mono");
    EXPECT_EQ(total.runs[0].halfPoints, 20);
    EXPECT_EQ(total.runs[0].colour, (Colour{255, 0, 0}));
    EXPECT_TRUE(total.runs[0].bold);

    const rtf::Run& note = doc.paragraphs[2].runs.at(0);
    EXPECT_EQ(note.text, "invoice 117");
    EXPECT_EQ(note.font, "DejaVu Sans");
    EXPECT_TRUE(note.italic && note.underline);
    EXPECT_FALSE(note.bold);
    EXPECT_FALSE(doc.paragraphs[2].runs.at(1).underline);
    EXPECT_FALSE(doc.paragraphs[0].runs.at(0).colour);
}

TEST(Rtf, ReadsWhatPandocWrites) {
    const Document doc = ReadRtf(Fixture("pandoc.rtf"));
    EXPECT_EQ(PlainLines(doc),
              (Lines{"Groceries 12.50 \xE2\x82\xAC", "= -5 and invoice 117",
                     "90\xC2\xB0 x\xC2\xB2 \xCF\x80 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80",
                     "Tab\\\\{brace}"}));
    const Paragraph& styled = doc.paragraphs.at(1);
    ASSERT_EQ(styled.runs.size(), 3U);
    EXPECT_TRUE(styled.runs[0].bold);
    EXPECT_FALSE(styled.runs[1].bold || styled.runs[1].italic);
    EXPECT_TRUE(styled.runs[2].italic);
    EXPECT_EQ(styled.runs[0].font, "Helvetica");
    EXPECT_EQ(doc.paragraphs.at(3).runs.at(0).font, "Courier");
}

TEST(Rtf, ReadsCodePagesEscapesAndSkipsWhatItDoesNotKnow) {
    struct Case {
        const char* rtf;
        Lines lines;
    };
    const Case cases[] = {
        {R"({\rtf1\ansi caf\'e9 \'80\'96 \'9f})",
         {"caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93 \xC5\xB8"}},
        {R"({\rtf1\ansi\ansicpg1252 a\line b\par c})", {"a", "b", "c"}},
        {R"({\rtf1 a\tab b\~c\emdash d\{\}\\})",
         {"a\tb\xC2\xA0"
          "c\xE2\x80\x94"
          "d{}\\"}},
        {R"({\rtf1\uc2 \u960 xyz\uc0 \u960 q})", {"\xCF\x80z\xCF\x80q"}},
        {R"({\rtf1 \u960\'3fa \u-3913?})",
         {"\xCF\x80"
          "a \xEF\x82\xB7"}},
        {R"({\rtf1 a{\*\unknown hidden{deeper}}b{\stylesheet{\s0 Normal;}}c)"
         R"({\info{\title T}{\author A}}d{\pict 0123abcd}e{\header H}f{\footnote N}g})",
         {"abcdefg"}},
        {"{\\rtf1 line one\r\nstill one\\par\r\n\\par last}", {"line onestill one", "", "last"}},
        {R"({\rtf1 {\b bold {\i both} bold} plain})", {"bold both bold plain"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainLines(ReadRtf(c.rtf)), c.lines) << c.rtf;

    const Document nested = ReadRtf(R"({\rtf1 {\b bold {\i both} bold}\ul under\ulnone  no})");
    const auto& runs = nested.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 5U);
    EXPECT_TRUE(runs[1].bold && runs[1].italic);
    EXPECT_TRUE(runs[2].bold && !runs[2].italic);
    EXPECT_TRUE(runs[3].underline && !runs[3].bold);
    EXPECT_FALSE(runs[4].underline);
}

TEST(Rtf, DamagedInputGivesWhatCanBeRead) {
    struct Case {
        std::string rtf;
        Lines lines;
    };
    const std::string deep = std::string(100'000, '{') + "deep" + std::string(100'000, '}');
    const Case cases[] = {
        {"{\\rtf1 no end\\par half", {"no end", "half"}},
        {"{\\rtf1 abc}}}} def}", {"abc def"}},
        {"}}}{\\rtf1 x}", {"x"}},
        {"{\\rtf1 ab\\'4", {"ab"}},
        {"{\\rtf1 ab\\'", {"ab"}},
        {"{\\rtf1 ab\\u960", {"ab\xCF\x80"}},
        {"{\\rtf1 ab\\u-", {"ab"}},
        {"{\\rtf1 ab\\", {"ab"}},
        {"{\\rtf1 \\fs99999999999999999999 big \\cf99999999999 red \\f-99999999999 x}",
         {"big red x"}},
        {"{\\rtf1 \\uc99999999 \\u960 abc}", {"\xCF\x80"}},
        {"{\\rtf1 a\\bin99999999999 junk}", {"a"}},
        {"{\\rtf1 a\\bin3 \x01\x02\x03"
         "b}",
         {"ab"}},
        {"{\\rtf1 a\0b\0\\par\0c}"s, {"ab", "c"}},
        {"{\\rtf1 " + deep + "}", {"deep"}},
        {"{\\rtf1 " + std::string(100'000, '{') + "open", {"open"}},
        {"{\\rtf1 \\" + std::string(100'000, 'a') + " x}", {"x"}},
        {"plain words, not RTF", {"plain words, not RTF"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainLines(ReadRtf(c.rtf)), c.lines) << c.rtf.substr(0, 60);

    const Document big = ReadRtf("{\\rtf1 \\fs99999999999 x}");
    EXPECT_EQ(big.paragraphs.at(0).runs.at(0).halfPoints, 32767);

    // Binary junk, with and without an RTF start: whatever it reads, it ends.
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string junk = round % 2 ? "{\\rtf1 " : "";
        for (int i = 0; i < 20'000; ++i)
            junk += static_cast<char>(random() % 256);
        const Document doc = ReadRtf(junk);
        for (const std::string& line : PlainLines(doc))
            EXPECT_EQ(line.find('\0'), std::string::npos);
    }
}

TEST(Rtf, IsRtfLooksOnlyAtTheStart) {
    EXPECT_TRUE(IsRtf("{\\rtf1\\ansi}"));
    EXPECT_TRUE(IsRtf(" \r\n\t{\\rtf"));
    EXPECT_FALSE(IsRtf("{\\rt"));
    EXPECT_FALSE(IsRtf("x{\\rtf1}"));
    EXPECT_FALSE(IsRtf(""));
}

} // namespace
} // namespace quantrel::rtf
