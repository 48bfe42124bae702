#include "cli/KeyScript.h"

namespace quantrel::cli {

std::vector<std::string> SplitKeys(std::string_view text) {
    std::vector<std::string> keys;
    std::string key;
    bool comment = false;
    for (const char c : text) {
        if (c == '\n' || c == '\r')
            comment = false;
        const bool blank =
            c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
        if (!comment && c == '#')
            comment = true;
        if (comment || blank) {
            if (!key.empty())
                keys.push_back(std::move(key));
            key.clear();
            continue;
        }
        key += c;
    }
    if (!key.empty())
        keys.push_back(std::move(key));
    return keys;
}

} // namespace quantrel::cli
