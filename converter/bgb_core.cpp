#include "bgb_core.h"

#include <bit>

namespace bgb {

namespace {

uint32_t getWord(std::span<const uint8_t> b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

int32_t getInt(std::span<const uint8_t> b, size_t at) { return static_cast<int32_t>(getWord(b, at)); }

// The game stores x coordinates 1024 units further right than the .bgb does. The
// subtraction is done in single precision on the value the word holds, so that
// rounding matches the game's.
uint32_t shiftX(uint32_t word) { return std::bit_cast<uint32_t>(std::bit_cast<float>(word) - 1024.0f); }

class Writer {
public:
    explicit Writer(size_t size) { out_.reserve(size); }
    void word(uint32_t w)
    {
        out_.push_back(uint8_t(w));
        out_.push_back(uint8_t(w >> 8));
        out_.push_back(uint8_t(w >> 16));
        out_.push_back(uint8_t(w >> 24));
    }
    void integer(int32_t v) { word(static_cast<uint32_t>(v)); }
    std::vector<uint8_t> take() { return std::move(out_); }

private:
    std::vector<uint8_t> out_;
};

std::string bytesText(size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

} // namespace

Result convert(std::span<const uint8_t> brg)
{
    // Byte offsets in the bridge.
    constexpr size_t water = 4, rail = 8, budget = 12, leftEnd = 16, rightEnd = 20;
    constexpr size_t terrain = 24; // column 1; columns 257..768 are carried over
    constexpr size_t pointCount = 4120;

    Result r;
    if (brg.size() < brgByteSize(0, 0)) {
        r.error = "the file is " + bytesText(brg.size()) + " long, shorter than the " + bytesText(brgByteSize(0, 0)) +
            " of an empty bridge";
        return r;
    }
    const int32_t np = getInt(brg, pointCount);
    if (np < 0 || np > kMaxCount) {
        r.error = "the point count " + std::to_string(np) + " is outside 0.." + std::to_string(kMaxCount);
        return r;
    }
    const size_t pointsAt = pointCount + 4;
    const size_t lineCount = pointsAt + kBrgPointBytes * size_t(np);
    if (brg.size() < lineCount + 4) {
        r.error = "the file is " + bytesText(brg.size()) + " long, shorter than the " +
            bytesText(brgByteSize(size_t(np), 0)) + " its " + std::to_string(np) + " points require";
        return r;
    }
    const int32_t nl = getInt(brg, lineCount);
    if (nl < 0 || nl > kMaxCount) {
        r.error = "the line count " + std::to_string(nl) + " is outside 0.." + std::to_string(kMaxCount);
        return r;
    }
    const size_t linesAt = lineCount + 4;
    if (brg.size() < brgByteSize(size_t(np), size_t(nl))) {
        r.error = "the file is " + bytesText(brg.size()) + " long, shorter than the " +
            bytesText(brgByteSize(size_t(np), size_t(nl))) + " its " + std::to_string(np) + " points and " +
            std::to_string(nl) + " lines require";
        return r;
    }
    for (int i = 0; i < nl; ++i) {
        const size_t rec = linesAt + kBrgLineBytes * size_t(i);
        for (size_t end : {rec + 4, rec + 8}) {
            const int32_t p = getInt(brg, end);
            if (p < 0 || p >= np) {
                r.error = "line " + std::to_string(i + 1) + " ends at point number " + std::to_string(p) +
                    ", but the file has " + std::to_string(np) + " points (numbered from 0)";
                return r;
            }
        }
    }

    Writer w(bgbByteSize(size_t(np), size_t(nl)));
    w.word(0x42475242); // "BRGB"
    w.integer(4);
    w.word(getWord(brg, rail));
    w.word(getWord(brg, water));
    w.word(shiftX(getWord(brg, leftEnd)));
    w.word(shiftX(getWord(brg, rightEnd)));
    w.word(getWord(brg, budget));
    w.integer(40000);
    w.integer(0);
    w.integer(0);
    w.integer(1);
    for (size_t c = 257; c <= 768; ++c)
        w.word(getWord(brg, terrain + 4 * (c - 1)));

    w.integer(np);
    for (int i = 0; i < np; ++i) {
        const size_t rec = pointsAt + kBrgPointBytes * size_t(i);
        w.integer(getInt(brg, rec) != 2 ? 1 : 0); // soft unless fixed
        w.word(shiftX(getWord(brg, rec + 4)));
        w.word(getWord(brg, rec + 8));
    }

    w.integer(nl);
    for (int i = 0; i < nl; ++i) {
        const size_t rec = linesAt + kBrgLineBytes * size_t(i);
        w.integer(getInt(brg, rec + 12) == 2 ? 1 : 0); // rail
        w.word(getWord(brg, rec + 4));
        w.word(getWord(brg, rec + 8));
    }
    r.bytes = w.take();
    return r;
}

} // namespace bgb
