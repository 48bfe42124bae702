#pragma once
// Keys as quantrel-tape reads them: words separated by white space, '#' to the end
// of the line a comment.   "2 + 3 = # five"  ->  {"2", "+", "3", "="}

#include <string>
#include <string_view>
#include <vector>

namespace quantrel::cli {

std::vector<std::string> SplitKeys(std::string_view text);

} // namespace quantrel::cli
