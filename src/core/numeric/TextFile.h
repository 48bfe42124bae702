#pragma once
// Reading the program's own text files (equation files, the conversion file): the
// whole file at once, with a cap on its size, then split into lines.
//   SplitLines("a\r\nb\nc\rd\n") -> {"a", "b", "c", "d"}

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quantrel {

/// The whole content of the regular file at path; nothing when it does not exist, is
/// not a regular file, cannot be read, or holds more than maxBytes bytes.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes);

/// Lines split at CR LF, a lone CR or a lone LF; a final line break adds no line.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace quantrel
