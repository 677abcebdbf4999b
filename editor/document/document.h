// The raw document: the words of a level or bridge file, exactly as stored.
#pragma once
#include "file_names.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace trv {

constexpr int kMaxPoints = 8190; // effective limit of a document
constexpr int kMaxLines = 8190;
constexpr int kColumns = 1024;      // terrain columns
constexpr int kRawCapacity = 16384; // raw arrays hold indices 0..16384
constexpr int kPointWords = 23;
constexpr int kLineWords = 6;
// Header words (indices of Head).
constexpr int kHeadWater = 1;     // water level (y word)
constexpr int kHeadRail = 2;      // rail level (y word)
constexpr int kHeadBudget = 3;    // budget in dollars
constexpr int kHeadLeftEnd = 4;   // left end (x word)
constexpr int kHeadRightEnd = 5;  // right end (x word)
constexpr int kHeadPoints = 1030; // point count
constexpr int kHeadLines = 1031;  // line count
// Terrain column c (1..1024) is header word c + 5.
constexpr int headOfColumn(int c) { return c + 5; }

// Words of a point record.
constexpr int kPointKind = 1;
constexpr int kPointX = 2;        // x word; word 5 repeats it
constexpr int kPointY = 3;        // y word; word 6 repeats it
constexpr int32_t kFixedKind = 2; // every other kind is a soft point
constexpr int32_t kSoftKind = 1;  // the kind the tools write for a soft point

// Words of a line record.
constexpr int kLineFirstEnd = 2; // 0-based point numbers
constexpr int kLineSecondEnd = 3;
constexpr int kLineKind = 4;
constexpr int kLineRestLength = 5; // single
constexpr int32_t kRailKind = 2;   // every other kind is a plain line
constexpr int32_t kPlainKind = 1;  // the kind the tools write for a plain line

using PointRecord = std::array<int32_t, 26>; // words 1..23 used
using LineRecord = std::array<int32_t, 8>;   // words 1..6 used

// Storage the system hands out as zeros (calloc), whose elements start as those
// zeros instead of being written: the records of a new document then cost memory
// only where a document has them, which keeps a thumbnail's process small.
// Elements made without a value keep what the storage holds, so a vector of it
// is only ever sized when made, never shrunk and grown again.
template <class T>
struct ZeroedAllocator {
    static_assert(std::is_trivially_default_constructible_v<T>);
    using value_type = T;
    ZeroedAllocator() = default;
    template <class U>
    ZeroedAllocator(const ZeroedAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n)
    {
        if (void* p = std::calloc(n, sizeof(T)))
            return static_cast<T*>(p);
        throw std::bad_alloc();
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    template <class U>
    void construct(U*) noexcept
    {
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    bool operator==(const ZeroedAllocator&) const = default;
};

template <class T>
using ZeroedVector = std::vector<T, ZeroedAllocator<T>>;

struct Document {
    Document();
    std::vector<int32_t> Head;     // 0..16384; 0..1031 are the header words
    ZeroedVector<PointRecord> Pnt; // Pnt[i][j], i = 1..NPoints, j = 1..23
    ZeroedVector<LineRecord> Lin;  // Lin[i][j], i = 1..NLines, j = 1..6
    int NPoints = 0;
    int NLines = 0;

    bool operator==(const Document& o) const;
};

inline bool isFixedPoint(const PointRecord& r) { return r[kPointKind] == kFixedKind; }

// True when point (line) i, counted from 1, is one of the document's.
bool hasPoint(const Document& doc, int i);
bool hasLine(const Document& doc, int i);

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
