// Conversion of a bridge file (.brg) into the game's compact .bgb layout.
// Plain C++ with its own reader of the bridge layout: the converter shares no
// code with the editor.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bgb {

constexpr int kMaxCount = 8190;        // largest point or line count accepted
constexpr size_t kBrgHeadBytes = 4124; // header words 0..1030 (up to the point count)
constexpr size_t kBrgPointBytes = 92;  // 23 words per point
constexpr size_t kBrgLineBytes = 24;   // 6 words per line
constexpr size_t kBgbHeadBytes = 2096; // everything before the first point
constexpr size_t kBgbRecordBytes = 12; // 3 words per point and per line

// Byte length of a bridge with the given counts (including the line count word).
constexpr size_t brgByteSize(size_t points, size_t lines)
{
    return kBrgHeadBytes + kBrgPointBytes * points + 4 + kBrgLineBytes * lines;
}

// Byte length of the .bgb written for the given counts.
constexpr size_t bgbByteSize(size_t points, size_t lines)
{
    return kBgbHeadBytes + kBgbRecordBytes * points + 4 + kBgbRecordBytes * lines;
}

// No valid bridge is longer than this; anything past it is trailing bytes.
constexpr size_t kMaxBrgBytes = brgByteSize(kMaxCount, kMaxCount);

struct Result {
    std::vector<uint8_t> bytes; // the .bgb, when the bridge was accepted
    std::string error;          // why the bridge was refused; empty on success

    bool ok() const { return error.empty(); }
};

// Converts the bytes of a bridge file. Refuses files too short for their header
// or counts, counts outside 0..kMaxCount and lines whose ends name no point of
// the file. Bytes after the last line record are ignored.
Result convert(std::span<const uint8_t> brg);

} // namespace bgb
