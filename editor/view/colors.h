// The editor's colour table: twelve packed colours (red + 256 * green + 65536 *
// blue), numbered 1 to 12; entry 0 is unused.
#pragma once
#include <QColor>

#include <array>
#include <cstdint>

namespace trv {

enum ColorIndex {
    ColorBack = 1,
    ColorWater,
    ColorPoint,
    ColorFixpoint,
    ColorSelected,
    ColorLine,
    ColorRail,
    ColorTrain,
    ColorLand,
    ColorGrid1,
    ColorGrid2,
    ColorGrid3,
};

constexpr int kColorCount = 12;

using ColorTableArray = std::array<uint32_t, kColorCount + 1>;

// A colour as the table packs it.
constexpr uint32_t packColor(int red, int green, int blue)
{
    return uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
}

inline constexpr ColorTableArray kDefaultColorTable = {
    0,
    packColor(72, 72, 72),    // Back
    packColor(44, 44, 127),   // Water
    packColor(160, 160, 160), // Point
    packColor(255, 0, 0),     // Fixpoint
    packColor(255, 255, 0),   // Selected
    packColor(0, 255, 0),     // Line
    packColor(255, 255, 255), // Rail
    packColor(88, 152, 88),   // Train
    packColor(111, 111, 111), // Land
    packColor(48, 48, 48),    // Grid1
    packColor(88, 88, 88),    // Grid2
    packColor(0, 0, 0),       // Grid3
};
static_assert(kDefaultColorTable[ColorBack] == 4737096); // as settings files store it

// Names in the colour editor's list.
inline constexpr std::array<const char*, kColorCount + 1> kColorListNames = {
    "", "Back", "Water", "Point", "Fixed", "Select", "Line", "Rail", "Train", "Land", "Grid 1", "Grid 2", "Grid 3",
};

// Names in the settings file's header line.
inline constexpr std::array<const char*, kColorCount + 1> kColorHeaderNames = {
    "", "Back", "Water", "Point", "Fixpoint", "Selected", "Line", "Rail", "Train", "Land", "Grid1", "Grid2", "Grid3",
};

// Components of a packed colour. Only the low 24 bits count, so a stray value from
// a settings file still gives a valid colour.
constexpr int packedRed(uint32_t c) { return int(c & 0xFF); }
constexpr int packedGreen(uint32_t c) { return int((c >> 8) & 0xFF); }
constexpr int packedBlue(uint32_t c) { return int((c >> 16) & 0xFF); }

inline QColor colorFromPacked(uint32_t c) { return QColor(packedRed(c), packedGreen(c), packedBlue(c)); }
inline uint32_t packedFromColor(const QColor& c) { return packColor(c.red(), c.green(), c.blue()); }

} // namespace trv
