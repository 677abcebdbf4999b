#include "options.h"

#include "settings.h"

#include <algorithm>
#include <cmath>

namespace {
// A quarter of the scroll step is the page step of the position bars, a signed
// 16-bit value: 131068 / 4 is the largest that fits.
constexpr double kMaxScrollSize = 131068;
constexpr double kMaxLandStyle = 150;

double* numberField(OptionValues& o, int k)
{
    double* fields[] = {&o.ScrollSize, &o.LandStyle, &o.XYdiff, &o.BmpLeft, &o.BmpRight, &o.BmpHeight, &o.BackStyle};
    return fields[k];
}
bool* switchField(OptionValues& o, int k)
{
    bool* fields[] = {&o.Confirm, &o.WSize, &o.Grid, &o.Boundaries, &o.Raillevel, &o.Train, &o.AutoScroll};
    return fields[k];
}
} // namespace

// Rounded down before the sign goes: -50.7 gives 51.
double keptScrollSize(double v) { return std::clamp(std::abs(std::floor(v)), 4.0, kMaxScrollSize); }
double keptLandStyle(double v) { return std::clamp(v, 0.0, kMaxLandStyle); }
double keptXYdiff(double v) { return std::max(v, 1.0); }
double keptMargin(double v) { return std::clamp(v, -500.0, 500.0); }
double keptGradient(double v) { return std::clamp(v, -200.0, 200.0); }

void applySettings(OptionValues& o, const Settings& s, const SettingsRead& got)
{
    double (*const kept[])(double) = {keptScrollSize, keptLandStyle, keptXYdiff,  keptMargin,
                                      keptMargin,     nullptr,       keptGradient};
    for (int k = 0; k < got.numbers; ++k)
        *numberField(o, k) = kept[k] ? kept[k](s.numbers[size_t(k)]) : s.numbers[size_t(k)];
    for (int k = 0; k < got.checks; ++k)
        *switchField(o, k) = s.checks[size_t(k)] != 0;
    for (int k = 0; k < got.colors; ++k)
        o.ColorTable[size_t(k) + 1] = uint32_t(s.colors[size_t(k)]);
}

void storeSettings(const OptionValues& o, Settings& s)
{
    OptionValues copy = o;
    for (int k = 0; k < 7; ++k) {
        s.numbers[size_t(k)] = *numberField(copy, k);
        s.checks[size_t(k)] = *switchField(copy, k) ? 1 : 0;
    }
    for (int k = 0; k < 12; ++k)
        s.colors[size_t(k)] = int32_t(o.ColorTable[size_t(k) + 1]);
}
