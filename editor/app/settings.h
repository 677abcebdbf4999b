// The settings file Trv.ini: 17 text lines, read at start-up and written at
// exit. Plain text in, values out, and back; the window applies them.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct Settings {
    std::string file;                  // line 1
    std::array<double, 7> numbers{};   // line 2: ScrollSize, LandStyle, XYdiff, BmpLeft, BmpRight, BmpHeight, BackStyle
    std::array<int, 7> checks{};       // line 3: Confirm, WSize, Grid, Boundaries, Raillevel, Train, AutoScroll
    std::array<double, 6> placement{}; // line 4: left, top, height, width, window state, options top
    std::array<int32_t, 12> colors{};  // lines 6..17
};

// What a reader got before the text ended or stopped making sense: the values
// up to that point are valid, the rest keep whatever the caller had.
struct SettingsRead {
    bool file = false;
    int numbers = 0, checks = 0, placement = 0, colors = 0;
    // What is wrong with the text, for the user; empty when every value was read.
    std::string problem;
};

// Settings files are a few hundred bytes; anything much larger is no settings file.
constexpr size_t kMaxSettingsBytes = 64 * 1024;

SettingsRead parseSettings(std::string_view text, Settings& into);
std::string formatSettings(const Settings& s);

// One number as the settings file writes it: a blank (or the minus sign) in
// front, a blank behind; fractions with up to `digits` significant digits,
// always in positional form (never with an exponent).
std::string settingsNumber(double v, int digits = 15);

extern const char* const kSettingsColorHeader;
