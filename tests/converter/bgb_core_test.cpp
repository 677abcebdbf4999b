#include "bgb_core.h"
#include "bgb_samples.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace bgbtest;

namespace {

bgb::Result convertWords(const std::vector<uint32_t>& words)
{
    const std::vector<uint8_t> bytes = bytesOf(words);
    return bgb::convert(bytes);
}

// Index of a word in a bridge made by brgWords.
constexpr size_t kPointCountWord = 1030;
size_t lineCountWord(size_t points) { return kPointCountWord + 1 + 23 * points; }

// The conversion touches no files, but every test still runs in a folder of its own.
class BgbConvert : public ::testing::Test {
protected:
    trvtest::TempDir dir_;
};

} // namespace

TEST_F(BgbConvert, EmptyBridgeGives2100ByteFile)
{
    const bgb::Result r = convertWords(brgWords({}, {}));
    ASSERT_TRUE(r.ok()) << r.error;
    std::vector<uint32_t> expected = bgbHead();
    append(expected, {0, 0});
    EXPECT_EQ(r.bytes.size(), 2100u);
    EXPECT_EQ(r.bytes, bytesOf(expected));
}

TEST_F(BgbConvert, PointsAndLinesOfEveryKind)
{
    const bgb::Result r = convertWords(sampleBrg());
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.bytes.size(), 2100u + 12 * 4 + 12 * 4);
    EXPECT_EQ(r.bytes, bytesOf(sampleBgb()));
}

TEST_F(BgbConvert, EndsAreShiftedInSinglePrecision)
{
    // Left end 2048.0 becomes 1024.0; a right end of 1.0 becomes -1023.0, and a
    // value too large to change by 1024 stays as it is.
    bgb::Result r = convertWords(brgWords({}, {}, kF2048, kF1));
    ASSERT_TRUE(r.ok()) << r.error;
    std::vector<uint32_t> expected = bgbHead(kF1024, kFm1023);
    append(expected, {0, 0});
    EXPECT_EQ(r.bytes, bytesOf(expected));

    r = convertWords(brgWords({}, {}, kF2p35, kF0));
    ASSERT_TRUE(r.ok()) << r.error;
    expected = bgbHead(kF2p35, 0xC4800000 /* -1024.0 */);
    append(expected, {0, 0});
    EXPECT_EQ(r.bytes, bytesOf(expected));
}

TEST_F(BgbConvert, TrailingBytesAreIgnored)
{
    std::vector<uint8_t> bytes = bytesOf(sampleBrg());
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7});
    const bgb::Result r = bgb::convert(bytes);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.bytes, bytesOf(sampleBgb()));
}

TEST_F(BgbConvert, LargestCountsAreAccepted)
{
    std::vector<Point> points(8190, Point{1, kF2048, 5});
    points.back() = {2, kF1, 9};
    std::vector<Line> lines(8190, Line{0, 8189, 0});
    lines.back() = {8189, 8188, 2};
    const bgb::Result r = convertWords(brgWords(points, lines));
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.bytes.size(), 2100u + 12 * 8190 * 2);
    const std::vector<uint8_t> lastPoint = bytesOf({0, kFm1023, 9});
    const std::vector<uint8_t> lastLine = bytesOf({1, 8189, 8188});
    const size_t lastPointAt = 2096 + 12 * 8189;
    EXPECT_TRUE(std::equal(lastPoint.begin(), lastPoint.end(), r.bytes.begin() + lastPointAt));
    EXPECT_TRUE(std::equal(lastLine.begin(), lastLine.end(), r.bytes.end() - 12));
}

TEST_F(BgbConvert, RefusesImpossibleCounts)
{
    for (uint32_t count : {0xFFFFFFFFu, 8191u, 100000u, 0x80000000u}) {
        std::vector<uint32_t> w = brgWords({}, {});
        w[kPointCountWord] = count;
        bgb::Result r = convertWords(w);
        EXPECT_FALSE(r.ok()) << "point count " << count;
        EXPECT_NE(r.error.find("point count " + std::to_string(int32_t(count))), std::string::npos) << r.error;
        EXPECT_TRUE(r.bytes.empty());

        w = brgWords({{2, kF1, kF1}}, {});
        w[lineCountWord(1)] = count;
        r = convertWords(w);
        EXPECT_FALSE(r.ok()) << "line count " << count;
        EXPECT_NE(r.error.find("line count " + std::to_string(int32_t(count))), std::string::npos) << r.error;
    }
}

TEST_F(BgbConvert, RefusesFilesShorterThanTheirCounts)
{
    const std::vector<uint8_t> whole = bytesOf(sampleBrg());
    // Cut inside the header, right before the line count, and inside the last line.
    for (size_t size : {size_t(0), size_t(3), size_t(4123), size_t(4127), size_t(4124 + 92 * 4),
                        size_t(4124 + 92 * 4 + 3), whole.size() - 1}) {
        const bgb::Result r = bgb::convert(std::span(whole.data(), size));
        EXPECT_FALSE(r.ok()) << size << " bytes";
        EXPECT_NE(r.error.find("shorter"), std::string::npos) << r.error;
        EXPECT_NE(r.error.find(std::to_string(size) + " byte"), std::string::npos) << r.error;
    }
    EXPECT_TRUE(bgb::convert(whole).ok());
}

TEST_F(BgbConvert, RefusesLineEndsThatNameNoPoint)
{
    struct Case {
        std::vector<Line> lines;
        size_t points;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{{0, 1, 0}, {1, 2, 0}}, 2, "line 2 ends at point number 2"}, // one past the last point
        {{{0, 1, 0}, {0xFFFFFFFFu, 0, 0}}, 2, "line 2 ends at point number -1"},
        {{{0, 0, 0}}, 0, "line 1 ends at point number 0"}, // no points at all
        {{{1, 100000, 1}}, 3, "line 1 ends at point number 100000"},
    };
    for (const Case& c : cases) {
        const bgb::Result r = convertWords(brgWords(std::vector<Point>(c.points, Point{2, kF1, kF1}), c.lines));
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << r.error;
    }
}
