// File name endings, as every program of the project tests them.
#pragma once
#include <algorithm>
#include <cctype>
#include <string_view>

namespace trv {

// True when `name` ends in `tail` (ASCII letters in any case).
inline bool endsWithNoCase(std::string_view name, std::string_view tail)
{
    if (name.size() < tail.size())
        return false;
    name.remove_prefix(name.size() - tail.size());
    return std::equal(name.begin(), name.end(), tail.begin(),
                      [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}

} // namespace trv
