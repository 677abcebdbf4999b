#include "settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>
#include <vector>

const char* const kSettingsColorHeader =
    "Colors: Back Water Point Fixpoint Selected Line Rail Train Land Grid1 Grid2 Grid3";

std::string settingsNumber(double v, int digits)
{
    if (!std::isfinite(v))
        v = 0;
    char buf[400]; // the widest double in positional form has 309 digits
    if (v == std::trunc(v)) {
        std::snprintf(buf, sizeof buf, "%.0f", v == 0 ? 0.0 : v);
    } else {
        // Rounded to `digits` significant digits first, then written out with
        // as many decimals as that needs, trailing zeros dropped.
        std::snprintf(buf, sizeof buf, "%.*e", digits - 1, v);
        const double rounded = std::strtod(buf, nullptr);
        const int decimals = std::clamp(digits - 1 - int(std::floor(std::log10(std::fabs(rounded)))), 0, 340);
        std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
        std::string t = buf;
        if (t.find('.') != std::string::npos) {
            t.erase(t.find_last_not_of('0') + 1);
            if (t.back() == '.')
                t.pop_back();
        }
        if (t == "-0")
            t = "0";
        std::snprintf(buf, sizeof buf, "%s", t.c_str());
    }
    std::string s = buf;
    if (s[0] != '-')
        s.insert(s.begin(), ' ');
    return s + ' ';
}

namespace {

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        out.push_back(line);
        if (nl == std::string_view::npos)
            break;
        text.remove_prefix(nl + 1);
    }
    return out;
}

// Reads up to `n` numbers separated by blanks or commas; stops at the first item
// that is not a number.
template <class T>
int readNumbers(std::string_view line, T* out, int n)
{
    int got = 0;
    size_t i = 0;
    while (got < n) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size())
            break;
        size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != ',')
            ++end;
        const std::string item(line.substr(i, end - i));
        char* stop = nullptr;
        const double v = std::strtod(item.c_str(), &stop);
        if (item.empty() || *stop != '\0' || !std::isfinite(v))
            break;
        if constexpr (std::is_integral_v<T>) {
            if (v < double(std::numeric_limits<T>::min()) || v > double(std::numeric_limits<T>::max()))
                break;
            out[got++] = T(std::nearbyint(v));
        } else {
            out[got++] = T(v);
        }
        i = end < line.size() ? end + 1 : end;
    }
    return got;
}

} // namespace

SettingsRead parseSettings(std::string_view text, Settings& s)
{
    SettingsRead r;
    const auto ls = lines(text);
    if (ls.empty()) {
        r.problem = "the file is empty";
        return r;
    }
    // A name with control characters (a NUL, or line ends other than CR LF) is
    // no path the user typed: the default stays.
    if (std::any_of(ls[0].begin(), ls[0].end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7f; }))
        r.problem = "line 1 holds control characters";
    else {
        s.file = std::string(ls[0]);
        r.file = true;
    }
    auto missing = [&](const char* what, int got, int want) {
        if (r.problem.empty())
            r.problem =
                std::string(what) + " holds " + std::to_string(got) + " of its " + std::to_string(want) + " values";
        return r;
    };
    if (ls.size() < 2 || (r.numbers = readNumbers(ls[1], s.numbers.data(), 7)) < 7)
        return missing("line 2", r.numbers, 7);
    if (ls.size() < 3 || (r.checks = readNumbers(ls[2], s.checks.data(), 7)) < 7)
        return missing("line 3", r.checks, 7);
    if (ls.size() < 4 || (r.placement = readNumbers(ls[3], s.placement.data(), 6)) < 6)
        return missing("line 4", r.placement, 6);
    for (size_t k = 0; k < 12 && 5 + k < ls.size(); ++k) {
        if (readNumbers(ls[5 + k], &s.colors[k], 1) != 1)
            break;
        ++r.colors;
    }
    if (r.colors < 12)
        return missing("the colour table (lines 6 to 17)", r.colors, 12);
    return r;
}

std::string formatSettings(const Settings& s)
{
    std::string out = s.file + "\r\n";
    for (double v : s.numbers)
        out += settingsNumber(v, 15);
    out += "\r\n";
    for (int v : s.checks)
        out += settingsNumber(v);
    out += "\r\n";
    for (double v : s.placement)
        out += settingsNumber(v, 7);
    out += "\r\n";
    out += kSettingsColorHeader;
    out += "\r\n";
    for (int32_t c : s.colors)
        out += settingsNumber(c) + "\r\n";
    return out;
}
