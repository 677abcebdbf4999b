// Bridge files and their expected .bgb images, written out word by word so that
// the expectations do not come from the code under test.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace bgbtest {

// Little-endian bytes of a word list.
inline std::vector<uint8_t> bytesOf(const std::vector<uint32_t>& words)
{
    std::vector<uint8_t> out;
    out.reserve(words.size() * 4);
    for (uint32_t w : words)
        for (int s = 0; s < 32; s += 8)
            out.push_back(uint8_t(w >> s));
    return out;
}

inline void append(std::vector<uint32_t>& to, std::initializer_list<uint32_t> words) { to.insert(to.end(), words); }

struct Point {
    uint32_t kind, x, y;
};

struct Line {
    uint32_t a, b, kind;
};

// Terrain column c (1..1024) holds a value that names its column, so a test can
// see which columns were carried over.
inline uint32_t terrainWord(int c) { return 0x46000000u + uint32_t(c); }

// Single-precision bit patterns used below.
constexpr uint32_t kF2048 = 0x45000000;  // 2048.0
constexpr uint32_t kF1024 = 0x44800000;  // 1024.0
constexpr uint32_t kF4096 = 0x45800000;  // 4096.0
constexpr uint32_t kF3072 = 0x45400000;  // 3072.0
constexpr uint32_t kF0 = 0x00000000;     // 0.0
constexpr uint32_t kF1 = 0x3F800000;     // 1.0
constexpr uint32_t kFm1023 = 0xC47FC000; // -1023.0
constexpr uint32_t kFm1 = 0xBF800000;    // -1.0
constexpr uint32_t kFm1025 = 0xC4802000; // -1025.0
constexpr uint32_t kF2p35 = 0x51000000;  // 2^35: minus 1024 rounds back to 2^35

constexpr uint32_t kWater = 0x45A60000;
constexpr uint32_t kRail = 0x45A70000;
constexpr uint32_t kBudget = 123456;

// A bridge in the .brg layout. Words that the .bgb drops (header word 0, point
// words 4..23, line words 1, 5 and 6) get values of their own, so a mix-up shows.
inline std::vector<uint32_t> brgWords(const std::vector<Point>& points, const std::vector<Line>& lines,
                                      uint32_t leftEnd = kF2048, uint32_t rightEnd = kF4096)
{
    std::vector<uint32_t> w;
    append(w, {0xDEAD0000u, kWater, kRail, kBudget, leftEnd, rightEnd});
    for (int c = 1; c <= 1024; ++c)
        w.push_back(terrainWord(c));
    w.push_back(uint32_t(points.size()));
    uint32_t filler = 0xAB000000;
    for (const Point& p : points) {
        append(w, {p.kind, p.x, p.y});
        for (int k = 4; k <= 23; ++k)
            w.push_back(filler++);
    }
    w.push_back(uint32_t(lines.size()));
    for (const Line& l : lines)
        append(w, {0xCD000001u, l.a, l.b, l.kind, 0x44000000u, 0xCD000006u});
    return w;
}

// Expected .bgb header for a bridge made by brgWords, up to the terrain included.
inline std::vector<uint32_t> bgbHead(uint32_t leftEndShifted = kF1024, uint32_t rightEndShifted = kF3072)
{
    std::vector<uint32_t> w;
    append(w, {0x42475242u /* "BRGB" */, 4, kRail, kWater, leftEndShifted, rightEndShifted, kBudget, 40000, 0, 0, 1});
    for (int c = 257; c <= 768; ++c)
        w.push_back(terrainWord(c));
    return w;
}

// A small bridge with fixed and soft points and lines of every kind.
inline std::vector<uint32_t> sampleBrg()
{
    return brgWords({{2, kF2048, 0x46100000}, {1, kF1, 0x46200000}, {0, kFm1, 0x46300000}, {2, kF2p35, 7}},
                    {{0, 1, 0}, {1, 2, 1}, {2, 3, 2}, {3, 0, 3}});
}

inline std::vector<uint32_t> sampleBgb()
{
    std::vector<uint32_t> w = bgbHead();
    append(w, {4, 0, kF1024, 0x46100000, 1, kFm1023, 0x46200000, 1, kFm1025, 0x46300000, 0, kF2p35, 7});
    append(w, {4, 0, 0, 1, 0, 1, 2, 1, 2, 3, 0, 3, 0});
    return w;
}

} // namespace bgbtest
