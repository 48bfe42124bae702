#pragma once
// Texts are UTF-8; every length, cut and position of the program counts characters
// (code points), never bytes: Utf8Length("m²") == 2, Utf8Left("Temperature", 4) == "Temp".

#include <cstddef>
#include <string>
#include <string_view>

namespace quantrel {

inline bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

/// Number of code points in s.
inline std::size_t Utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (char c : s)
        if (!IsUtf8Continuation(c))
            ++n;
    return n;
}

/// The first `count` code points of s.
inline std::string Utf8Left(std::string_view s, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < s.size(); ++i) {
        if (!IsUtf8Continuation(s[i]) && seen++ == count)
            break;
    }
    return std::string(s.substr(0, i));
}

} // namespace quantrel
