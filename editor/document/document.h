// The raw document: the words of a level or bridge file, exactly as stored.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace trv {

constexpr int kMaxPoints = 8190;   // effective limit of a document
constexpr int kMaxLines = 8190;
constexpr int kColumns = 1024;     // terrain columns
constexpr int kRawCapacity = 16384; // raw arrays hold indices 0..16384
constexpr int kPointWords = 23;
constexpr int kLineWords = 6;
constexpr int kHeadPoints = 1030;  // Head index of the point count
constexpr int kHeadLines = 1031;   // Head index of the line count

using PointRecord = std::array<int32_t, 26>; // words 1..23 used
using LineRecord = std::array<int32_t, 8>;   // words 1..6 used

struct Document {
    Document();
    std::vector<int32_t> Head;     // 0..16384; 0..1031 are the header words
    std::vector<PointRecord> Pnt;  // Pnt[i][j], i = 1..NPoints, j = 1..23
    std::vector<LineRecord> Lin;   // Lin[i][j], i = 1..NLines, j = 1..6
    int NPoints = 0;
    int NLines = 0;

    bool operator==(const Document& o) const;
};

// True when the file name's last three characters are "lvl" in any case.
bool isLevelName(const std::string& name);

// Byte length of a file holding the given counts.
size_t documentByteSize(bool level, int points, int lines);

// Why the bytes are no readable level or bridge (counts, length, line ends), or
// an empty string when they are.
std::string documentProblem(std::span<const uint8_t> bytes, bool level);

// Reads a level (no header word 0) or bridge from bytes into `out`. Returns an
// empty string on success, otherwise the reason the bytes were refused; `out` is
// then left unchanged. Bytes beyond the last line record are ignored.
std::string parseDocument(std::span<const uint8_t> bytes, bool level, Document& out);

// Writes the document in the bridge layout (with header word 0) or the level
// layout, taking NPoints and NLines as the counts.
std::vector<uint8_t> serializeDocument(const Document& doc, bool withHeadZero);

// The message shown when a file is refused.
std::string refusalMessage(const std::string& path, const std::string& reason);

} // namespace trv
