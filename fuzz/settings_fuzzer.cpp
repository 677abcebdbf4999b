// Feeds arbitrary text to the settings reader. Whatever it reads completely must
// be written and read back to the same values.
#include "settings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
bool near(double a, double b) { return a == b || std::fabs(a - b) <= 1e-13 * std::max(std::fabs(a), std::fabs(b)); }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Settings s;
    const SettingsRead r = parseSettings(std::string_view(reinterpret_cast<const char*>(data), size), s);
    if (r.numbers > 7 || r.checks > 7 || r.placement > 6 || r.colors > 12)
        std::abort();
    if (r.colors != 12 || s.file.find('\n') != std::string::npos || s.file.find('\r') != std::string::npos)
        return 0;
    Settings back;
    const SettingsRead again = parseSettings(formatSettings(s), back);
    if (again.colors != 12 || back.file != s.file || back.checks != s.checks || back.colors != s.colors)
        std::abort();
    for (size_t k = 0; k < 7; ++k)
        if (!near(back.numbers[k], s.numbers[k]))
            std::abort();
    for (size_t k = 0; k < 6; ++k)
        if (!near(back.placement[k], s.placement[k]) &&
            std::fabs(back.placement[k] - s.placement[k]) > 1e-6 * std::fabs(s.placement[k]))
            std::abort();
    return 0;
}
