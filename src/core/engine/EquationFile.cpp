// SaveToFile and LoadFromFile: an equation as a text file of keys, read back through
// the same entry operations as typing, so it is evaluated anew.

#include "engine/EquationFile.h"

#include "conversion/convunits.h"
#include "engine/QuantrelEval5.h"
#include "engine/SilentAbort.h"
#include "numeric/NumberText.h"
#include "numeric/TextFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace quantrel {

OperLine ParseOperLine(std::string_view line) {
    const std::vector<std::string> fields = SplitConvLine(line);
    if (fields.size() == 4)
        return {OperFromName(fields[0]), TConvSpec::Make(fields[1], fields[2], fields[3])};
    return {OperFromName(line), {}};
}

namespace {

void AppendParens(std::string& out, std::int32_t parens) {
    for (std::int32_t n = parens; n > 0; --n)
        out += "(\r\n";
    for (std::int32_t n = parens; n < 0; ++n)
        out += ")\r\n";
}

std::optional<std::vector<std::string>> ReadLines(const std::string& fileName) {
    // A whole equation takes a few dozen kilobytes; anything far larger is not one
    // of ours and is refused rather than read into memory.
    constexpr std::size_t kMaxFileSize = 1 << 20;
    const std::optional<std::string> text = ReadTextFile(fileName, kMaxFileSize);
    if (!text)
        return std::nullopt;
    std::vector<std::string> lines;
    for (const std::string_view line : SplitLines(*text))
        lines.emplace_back(line);
    return lines;
}

} // namespace

bool TQuantrelEval::SaveToFile(const std::string& fileName) const {
    std::string text;
    if (FMaxCompleteEquationIdx > 0) {
        const auto numberLine = [&](const TEquationEntry& e) {
            return GeneralText(e.NumEnt, 15, m_locale) + "\r\n";
        };
        AppendParens(text, FEntries[1].Parens);
        text += numberLine(FEntries[1]);
        for (std::int32_t i = 2; i <= FEquationIdx; ++i) {
            const TEquationEntry& e = FEntries[i];
            // A combined percent is written as typed: operator, number, "%". One that
            // still waits for its number (only a file can leave one) keeps its own name,
            // or it would read back as a plain percent in place of the operator.
            const bool typedPercent = IsPercentForm(e.Oper) && e.IsNumberEntered;
            if (e.Oper == qeConv)
                text += std::string(OperName(qeConv)) + "," + TConvUnits::ConvSpecToText(e.Conv);
            else
                text += OperName(typedPercent ? BaseOperOf(e.Oper) : e.Oper);
            text += "\r\n";
            AppendParens(text, e.Parens);
            if (e.IsNumberEntered)
                text += e.IsGetMem ? "GETMEM\r\n" : numberLine(e);
            if (typedPercent)
                text += std::string(OperName(qePercen)) + "\r\n";
        }
    }

    // Written beside the target and renamed over it, so that a failure part way
    // never leaves a truncated file in place of a good one.
    const std::string temporary = fileName + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, fileName, error);
    if (error) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool TQuantrelEval::LoadFromFile(const std::string& fileName) {
    const auto lines = ReadLines(fileName);
    if (!lines)
        return false;
    Reset();
    if (lines->empty())
        return false;

    // Parentheses, memory numbers and numbers; false for anything else.
    const auto enterOther = [&](const std::string& line) {
        if (line == "(")
            OpenParen();
        else if (line == ")")
            CloseParen();
        else if (line == "GETMEM")
            EnterNumber(true, 0);
        else if (const auto number = ParseNumber(line, m_locale))
            EnterNumber(false, *number);
        else
            return false;
        return true;
    };
    try {
        if (!enterOther(lines->front()))
            return false;
        for (std::size_t i = 1; i < lines->size(); ++i) {
            const std::string& line = (*lines)[i];
            if (const OperLine oper = ParseOperLine(line); oper.Oper != qeNone)
                EnterOperator(oper.Oper, oper.Conv);
            else if (!enterOther(line))
                return false;
        }
    } catch (const SilentAbort&) {
        return false;
    }
    return true;
}

} // namespace quantrel
