#include "numeric/TextFile.h"

#include <filesystem>
#include <fstream>

namespace quantrel {

std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // Read one byte more than allowed rather than trusting the size the file system
    // reports, which a growing file or a device would contradict.
    std::string text;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxBytes)
            return std::nullopt;
    }
    if (in.bad())
        return std::nullopt;
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

} // namespace quantrel
