// Feeds arbitrary bytes to the .brg to .bgb conversion and checks the shape of
// what it writes against the counts of the input.
#include "bgb_core.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

namespace {

int32_t wordAt(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const bgb::Result r = bgb::convert(std::span<const uint8_t>(data, size));
    if (!r.ok()) {
        if (!r.bytes.empty())
            std::abort();
        return 0;
    }
    // Accepted: the input held both counts within range and all its records.
    const int32_t np = wordAt(data + 4120);
    const int32_t nl = wordAt(data + 4124 + 92 * size_t(np));
    if (np < 0 || np > bgb::kMaxCount || nl < 0 || nl > bgb::kMaxCount ||
        size < bgb::brgByteSize(size_t(np), size_t(nl)))
        std::abort();
    const std::vector<uint8_t>& out = r.bytes;
    if (out.size() != bgb::bgbByteSize(size_t(np), size_t(nl)) || std::memcmp(out.data(), "BRGB", 4) != 0 ||
        wordAt(out.data() + 2092) != np || wordAt(out.data() + 2096 + 12 * size_t(np)) != nl)
        std::abort();
    for (int32_t i = 0; i < np; ++i) {
        const int32_t soft = wordAt(out.data() + 2096 + 12 * size_t(i));
        if (soft != 0 && soft != 1)
            std::abort();
    }
    for (int32_t i = 0; i < nl; ++i) {
        const uint8_t* rec = out.data() + 2100 + 12 * size_t(np) + 12 * size_t(i);
        const int32_t rail = wordAt(rec), a = wordAt(rec + 4), b = wordAt(rec + 8);
        if ((rail != 0 && rail != 1) || a < 0 || a >= np || b < 0 || b >= np)
            std::abort();
    }
    return 0;
}
