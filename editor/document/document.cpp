#include "document.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>

namespace trv {

namespace {
int32_t getWord(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

// Copies n consecutive words; on a little-endian machine the bytes are the words.
void getWords(const uint8_t* p, int32_t* w, size_t n)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(w, p, n * 4);
    } else {
        for (size_t k = 0; k < n; ++k)
            w[k] = getWord(p + 4 * k);
    }
}

void putWord(uint8_t* p, int32_t w)
{
    const auto u = static_cast<uint32_t>(w);
    p[0] = uint8_t(u);
    p[1] = uint8_t(u >> 8);
    p[2] = uint8_t(u >> 16);
    p[3] = uint8_t(u >> 24);
}
void putWords(uint8_t* p, const int32_t* w, size_t n)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, w, n * 4);
    } else {
        for (size_t k = 0; k < n; ++k)
            putWord(p + 4 * k, w[k]);
    }
}
} // namespace

Document::Document() : Head(kRawCapacity + 1, 0), Pnt(kRawCapacity + 1), Lin(kRawCapacity + 1) {}

bool Document::operator==(const Document& o) const
{
    if (NPoints != o.NPoints || NLines != o.NLines)
        return false;
    if (!std::equal(Head.begin(), Head.begin() + kHeadPoints, o.Head.begin()))
        return false;
    for (int i = 1; i <= NPoints; ++i)
        if (!std::equal(Pnt[i].begin() + 1, Pnt[i].begin() + 1 + kPointWords, o.Pnt[i].begin() + 1))
            return false;
    for (int i = 1; i <= NLines; ++i)
        if (!std::equal(Lin[i].begin() + 1, Lin[i].begin() + 1 + kLineWords, o.Lin[i].begin() + 1))
            return false;
    return true;
}

bool hasPoint(const Document& doc, int i) { return i >= 1 && i <= doc.NPoints; }
bool hasLine(const Document& doc, int i) { return i >= 1 && i <= doc.NLines; }

bool isLevelName(const std::string& name) { return endsWithNoCase(name, "lvl"); }

size_t documentByteSize(bool level, int points, int lines)
{
    return (level ? 4124u : 4128u) + 92u * size_t(points) + 24u * size_t(lines);
}

std::string documentProblem(std::span<const uint8_t> bytes, bool level)
{
    const size_t head0 = level ? 0 : 4;
    // Header words 1..1030 must be present to learn the point count.
    const size_t pointCountAt = head0 + 1029 * 4;
    if (bytes.size() < pointCountAt + 4)
        return "the file is " + std::to_string(bytes.size()) + " bytes long, shorter than the " +
            std::to_string(pointCountAt + 8) + " bytes of an empty " + (level ? "level" : "bridge");
    const int32_t np = getWord(bytes.data() + pointCountAt);
    if (np < 0 || np > kMaxPoints)
        return "the point count " + std::to_string(np) + " is outside 0.." + std::to_string(kMaxPoints);
    const size_t lineCountAt = pointCountAt + 4 + size_t(np) * kPointWords * 4;
    if (bytes.size() < lineCountAt + 4)
        return "the file is " + std::to_string(bytes.size()) + " bytes long, shorter than its " + std::to_string(np) +
            " points require";
    const int32_t nl = getWord(bytes.data() + lineCountAt);
    if (nl < 0 || nl > kMaxLines)
        return "the line count " + std::to_string(nl) + " is outside 0.." + std::to_string(kMaxLines);
    const size_t linesAt = lineCountAt + 4;
    if (bytes.size() < linesAt + size_t(nl) * kLineWords * 4)
        return "the file is " + std::to_string(bytes.size()) + " bytes long, shorter than its " + std::to_string(np) +
            " points and " + std::to_string(nl) + " lines require";
    for (int i = 0; i < nl; ++i) {
        const uint8_t* rec = bytes.data() + linesAt + size_t(i) * kLineWords * 4;
        for (int end = 0; end < 2; ++end) {
            const int32_t p = getWord(rec + 4 + 4 * end);
            if (p < 0 || p >= np)
                return "line " + std::to_string(i + 1) + " ends at point number " + std::to_string(p) +
                    ", but the file has " + std::to_string(np) + " points (numbered from 0)";
        }
    }

    return {};
}

std::string parseDocument(std::span<const uint8_t> bytes, bool level, Document& out)
{
    if (std::string problem = documentProblem(bytes, level); !problem.empty())
        return problem;
    const size_t head0 = level ? 0 : 4;
    const int32_t np = getWord(bytes.data() + head0 + 1029 * 4);
    const int32_t nl = getWord(bytes.data() + head0 + 1030 * 4 + size_t(np) * kPointWords * 4);

    // Everything checked: now replace the document.
    out.Head[0] = level ? 1 : getWord(bytes.data());
    const uint8_t* p = bytes.data() + head0;
    getWords(p, &out.Head[1], 1030);
    p += 1030 * 4;
    out.NPoints = np;
    for (int i = 1; i <= np; ++i, p += kPointWords * 4)
        getWords(p, &out.Pnt[i][1], kPointWords);
    out.Head[kHeadLines] = nl;
    out.NLines = nl;
    p += 4;
    for (int i = 1; i <= nl; ++i, p += kLineWords * 4)
        getWords(p, &out.Lin[i][1], kLineWords);
    return {};
}

std::vector<uint8_t> serializeDocument(const Document& doc, bool withHeadZero)
{
    const int np = std::clamp(doc.NPoints, 0, kRawCapacity);
    const int nl = std::clamp(doc.NLines, 0, kRawCapacity);
    std::vector<uint8_t> out(documentByteSize(!withHeadZero, np, nl));
    uint8_t* p = out.data();
    if (withHeadZero) {
        putWord(p, doc.Head[0]);
        p += 4;
    }
    putWords(p, &doc.Head[1], 1029);
    p += 1029 * 4;
    putWord(p, np);
    p += 4;
    for (int i = 1; i <= np; ++i, p += kPointWords * 4)
        putWords(p, &doc.Pnt[i][1], kPointWords);
    putWord(p, nl);
    p += 4;
    for (int i = 1; i <= nl; ++i, p += kLineWords * 4)
        putWords(p, &doc.Lin[i][1], kLineWords);
    return out;
}

std::string refusalMessage(const std::string& path, const std::string& reason)
{
    return "Cannot open " + path + ":\n" + reason + ".";
}

} // namespace trv
