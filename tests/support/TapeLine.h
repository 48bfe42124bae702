#pragma once
// A tape line as a test records it from an engine or a calculator view.

#include <ostream>
#include <string>

namespace quantrel::test {

struct TapeLine {
    std::string text;
    int attr = 0;
    bool negative = false;
    bool operator==(const TapeLine&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TapeLine& line) {
    return out << '"' << line.text << "\" (" << line.attr << (line.negative ? ", negative" : "")
               << ')';
}

} // namespace quantrel::test
