#include "text_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace trv {

double parseLeadingNumber(std::string_view t)
{
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    const size_t start = i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    const size_t digitsStart = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i;
    bool any = i > digitsStart;
    if (i < t.size() && t[i] == '.') {
        size_t j = i + 1;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9')
            ++j;
        any = any || j > i + 1;
        i = j;
    }
    if (!any)
        return 0;
    // strtod needs a terminated copy; the span is short.
    std::string s(t.substr(start, i - start));
    const double v = std::strtod(s.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

char* writeShortest(char* first, char* last, double v)
{
    if (v == 0 || !std::isfinite(v)) {
        *first = '0';
        return first + 1;
    }
    // Whole numbers are the common case in the lists; they need no float formatting.
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return std::to_chars(first, last, static_cast<long long>(v)).ptr;
    char buf[400]; // fixed notation of any double fits
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    const size_t n = std::min<size_t>(size_t(r.ptr - buf), size_t(last - first));
    std::memcpy(first, buf, n);
    return first + n;
}

std::string formatNumber(double v)
{
    char buf[400];
    return std::string(buf, writeShortest(buf, buf + sizeof buf, v));
}

std::string formatLeadingBlank(double v)
{
    std::string s = formatNumber(v);
    if (s[0] != '-')
        s.insert(s.begin(), ' ');
    return s;
}

std::string padLeft(std::string text, size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

} // namespace trv
