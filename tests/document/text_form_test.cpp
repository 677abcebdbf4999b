#include "text_form.h"

#include "derived.h"
#include "document.h"
#include "temp_dir.h"

#include "../../bench/largest_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace trv;

namespace {

// Bytes -> text -> bytes, and the text read back gives the same text.
void expectRoundTrip(const std::vector<uint8_t>& bytes, bool level, const std::string& name)
{
    // Kept between calls: a document's 16,384 records are slow to clear under the sanitizers.
    static Document d, back;
    ASSERT_EQ(parseDocument(bytes, level, d), "") << name;
    const std::string text = documentToText(d, level);
    const TextReading r = documentFromText(text, back);
    ASSERT_EQ(r.problem, "") << name << " at line " << r.line << "\n" << text;
    EXPECT_EQ(r.level, level) << name;
    const std::vector<uint8_t> again = serializeDocument(back, !level);
    // A tail beyond the last record is no part of the document.
    ASSERT_LE(again.size(), bytes.size()) << name;
    EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin())) << name;
    EXPECT_EQ(documentToText(back, level), text) << name;
}

// Words as a damaged or hand-made file may hold them: float specials, the
// extremes, kinds the tools never write, and plain noise.
int32_t randomWord(std::mt19937& rng)
{
    static const int32_t special[] = {0,          1,          2,
                                      -1,         INT32_MIN,  INT32_MAX,
                                      0x7FC00000, 0x7F800000, int32_t(0xFF800000),
                                      0x7FFFFFFF, 0x3F000000, 0x43000000,
                                      0x45000000, 0x44800000, int32_t(0xFFC00001),
                                      3,          -2};
    const uint32_t pick = rng() % 4;
    if (pick == 0)
        return special[rng() % std::size(special)];
    return int32_t(rng());
}

std::vector<uint8_t> randomDocumentBytes(std::mt19937& rng, bool level)
{
    static Document d;
    d.Head[0] = randomWord(rng);
    for (int k = 1; k <= 1029; ++k)
        d.Head[k] = randomWord(rng);
    d.NPoints = int(rng() % 12);
    for (int i = 1; i <= d.NPoints; ++i)
        for (int j = 1; j <= kPointWords; ++j)
            d.Pnt[i][j] = randomWord(rng);
    d.NLines = d.NPoints ? int(rng() % 12) : 0;
    for (int i = 1; i <= d.NLines; ++i) {
        for (int j = 1; j <= kLineWords; ++j)
            d.Lin[i][j] = randomWord(rng);
        d.Lin[i][kLineFirstEnd] = int32_t(rng() % uint32_t(d.NPoints));
        d.Lin[i][kLineSecondEnd] = int32_t(rng() % uint32_t(d.NPoints));
    }
    return serializeDocument(d, !level);
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// A small bridge in the editor's round values.
Document smallBridge()
{
    Document d;
    d.Head[0] = 7;
    d.Head[kHeadWater] = encodeY(-20);
    d.Head[kHeadRail] = encodeY(8);
    d.Head[kHeadBudget] = 5000;
    d.Head[kHeadLeftEnd] = encodeLeftEnd(-100);
    d.Head[kHeadRightEnd] = encodeRightEnd(60);
    for (int c = 1; c <= kColumns; ++c)
        d.Head[headOfColumn(c)] = encodeY(-10);
    d.NPoints = d.Head[kHeadPoints] = 3;
    for (int i = 1; i <= 3; ++i) {
        d.Pnt[i][kPointKind] = i == 1 ? kFixedKind : kSoftKind;
        d.Pnt[i][kPointX] = d.Pnt[i][5] = encodeX(100 * i);
        d.Pnt[i][kPointY] = d.Pnt[i][6] = encodeY(5 * i);
    }
    d.NLines = d.Head[kHeadLines] = 2;
    d.Lin[1] = {0, 0, 0, 1, kPlainKind, 0x41000000, 0, 0};
    d.Lin[2] = {0, 0, 1, 2, kRailKind, 0x41000000, 0, 0};
    return d;
}

} // namespace

TEST(TextForm, RoundTripIsExactForSamplesTestDocumentsAndRandomWords)
{
    namespace fs = std::filesystem;
    int files = 0;
    for (const std::string& dir : {trvtest::dataDir(), std::string(TRV_SOURCE_DIR) + "/fuzz/corpus/document"})
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename().string();
            const bool level = isLevelName(name);
            const auto bytes = trvtest::readAll(e.path().string());
            if (name.ends_with(".txt") || !documentProblem(bytes, level).empty())
                continue;
            expectRoundTrip(bytes, level, name);
            ++files;
        }
    EXPECT_GE(files, 7);

    expectRoundTrip(serializeDocument(largestDocument(), true), false, "largest");
    std::mt19937 rng(20);
    for (int k = 0; k < 3000; ++k)
        expectRoundTrip(randomDocumentBytes(rng, k % 2 == 0), k % 2 == 0, "random " + std::to_string(k));
}

TEST(TextForm, ValuesAreTheOnesTheEditorShows)
{
    // A level as a script would write it: every value in the editor's units.
    std::string terrain;
    for (int c = 1; c <= kColumns; ++c)
        terrain += std::string(c > 1 ? ", " : "") + (c == 513 ? "-300.5" : c == 514 ? "{\"word\": 1124073472}" : "7");
    const std::string text =
        "{\"format\": \"trusswick-level/1\", \"water\": -20.25, \"rail\": 100, \"budget\": 12345,\n"
        "\"leftEnd\": -200, \"rightEnd\": 250, \"terrain\": [" +
        terrain +
        "],\n"
        "\"points\": [\n"
        "{\"kind\": \"fixed\", \"x\": -100.5, \"y\": -250, \"words\": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]},\n"
        "{\"kind\": 7, \"x\": 3000, \"y\": 37.5, \"words\": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]}],\n"
        "\"lines\": [{\"ends\": [2, 1], \"kind\": \"rail\", \"rest\": 1090519040, \"word1\": 0, \"word6\": 0}]}";
    Document d;
    const TextReading r = documentFromText(text, d);
    ASSERT_EQ(r.problem, "") << r.line;
    EXPECT_TRUE(r.level);
    EXPECT_EQ(d.Head[0], 1);
    DerivedTables t;
    deriveTables(d, t);
    EXPECT_EQ(t.WaterText, "-20.25");
    EXPECT_EQ(t.RailText, "100");
    EXPECT_EQ(t.LeftText, "-200");
    EXPECT_EQ(t.RightText, "250");
    EXPECT_EQ(d.Head[kHeadBudget], 12345);
    EXPECT_EQ(t.LandItem[0], "-8192      7");
    EXPECT_EQ(t.LandItem[512], "    0 -300.5");
    EXPECT_EQ(d.Head[headOfColumn(514)], 1124073472);
    EXPECT_EQ(t.PointItem[0], pointItemText(1, true, -100.5, -250));
    EXPECT_EQ(t.PointItem[1], pointItemText(2, false, 3000, 37.5));
    EXPECT_EQ(d.Pnt[2][kPointKind], 7);
    EXPECT_EQ(t.LineItem[0], lineItemText(2, 2, 1));

    // The level file made of it reads back as the same document.
    Document reread;
    ASSERT_EQ(parseDocument(serializeDocument(d, false), true, reread), "");
    EXPECT_TRUE(reread == d);

    // Written back, the same values in the same units; a value between two words
    // is taken as the nearest, as the editor rounds a typed value.
    const std::string back = documentToText(d, true);
    for (const char* v :
         {"\"water\": -20.25,", "\"rail\": 100,", "\"leftEnd\": -200,", "\"rightEnd\": 250,",
          "{\"kind\": \"fixed\", \"x\": -100.5, \"y\": -250, ", "{\"kind\": 7, \"x\": 3000, \"y\": 37.5, ", " -300.5, ",
          "{\"ends\": [2, 1], \"kind\": \"rail\", \"rest\": 1090519040, "})
        EXPECT_NE(back.find(v), std::string::npos) << v << "\n" << back;
    Document rounded;
    ASSERT_EQ(documentFromText(replaced(text, "-20.25", "-20.2500000001"), rounded).problem, "");
    EXPECT_EQ(rounded.Head[kHeadWater], d.Head[kHeadWater]);
}

TEST(TextForm, TextThatIsNoDocumentIsRefusedWithItsLine)
{
    const std::string good = documentToText(smallBridge(), false);
    // Lines of the good text: 1 "{", 2 format, 3 word0, 4 water, 5 rail, 6 budget, 7 leftEnd, 8 rightEnd,
    // 9 "terrain": [, 10..137 the columns, 139 "points": [, 140..142 the points, 144 "lines": [, 145..146
    // the lines, 148 "}".
    ASSERT_EQ(good.substr(0, 36), "{\n  \"format\": \"trusswick-bridge/1\",\n");
    std::string manyPoints = "[";
    for (int i = 0; i <= kMaxPoints; ++i)
        manyPoints += "\n{\"kind\": 1, \"x\": 0, \"y\": 0, \"words\": [0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]},";
    manyPoints.back() = ']';
    const std::string firstPoint = "{\"kind\": \"fixed\", \"x\": 100, \"y\": 10, \"words\": [";
    struct Case {
        std::string text;
        int line;
        std::string reason;
    };
    const Case cases[] = {
        {"", 1, "invalid JSON: the text ends before the document does"},
        {replaced(good, "\"water\": -20,", "\"water\": -20"), 5,
         "invalid JSON: expected ',' or '}' after a member (found '\"')"},
        {replaced(good, "\"rail\"", "rail"), 5, "invalid JSON: expected a member name in quotes (found 'r')"},
        {replaced(good, "10, \"words\"", "10,, \"words\""), 140,
         "invalid JSON: expected a member name in quotes (found ',')"},
        {good + "{}", 149, "invalid JSON: more text after the end of the document (found '{')"},
        {replaced(good, "\"trusswick-bridge/1\"", "\"trusswick-\xC3\"\""), 2,
         "invalid JSON: a string that is not UTF-8 (found byte 0xc3)"},
        {replaced(good, "\"budget\"", "\"bud\\qget\""), 6, "invalid JSON: an unknown escape in a string (found 'q')"},
        {replaced(good, "  \"budget\": 5000,\n", ""), 1, "the document lacks \"budget\""},
        {replaced(good, "  \"word0\": 7,\n", ""), 1, "the bridge lacks \"word0\""},
        {replaced(good, "bridge/1", "level/1"), 3, "a level has no header word 0: \"word0\" belongs to bridges"},
        {replaced(good, "bridge/1", "bridge/2"), 2,
         "\"format\" is \"trusswick-bridge/2\", not \"trusswick-level/1\" or \"trusswick-bridge/1\""},
        {replaced(good, "\"budget\": 5000,", "\"budget\": 5000, \"colour\": 3,"), 6,
         "unknown member \"colour\" in the document"},
        {replaced(good, "\"budget\": 5000,", "\"budget\": 5000, \"water\": 3,"), 6, "\"water\" appears twice"},
        {replaced(good, firstPoint, "{\"kind\": \"fixed\", \"z\": 1, \"x\": 100, \"y\": 10, \"words\": ["), 140,
         "unknown member \"z\" in point 1"},
        {replaced(good, firstPoint, "{\"kind\": \"fixed\", \"x\": 100, \"words\": ["), 140, "point 1 lacks \"y\""},
        {replaced(good, "\"budget\": 5000", "\"budget\": \"lots\""), 6, "\"budget\" must be a whole number"},
        {replaced(good, "\"budget\": 5000", "\"budget\": 50.5"), 6, "\"budget\" must be a whole number, not 50.5"},
        {replaced(good, "\"budget\": 5000", "\"budget\": 2147483648"), 6,
         "\"budget\" 2147483648 is outside the range of a word, -2147483648 to 2147483647"},
        {replaced(good, "\"water\": -20", "\"water\": 16000"), 4,
         "\"water\" 16000 is outside the range of its word, -49920 to 15615.9999847412109375"},
        {replaced(good, "\"x\": 100", "\"x\": 1e999"), 140,
         "point 1: \"x\" 1e999 is outside the range of its word, "
         "-1613824 to 966655.9990234375"},
        {replaced(good, "\"x\": 100", "\"x\": null"), 140, "point 1: \"x\" must be a number or {\"word\": N}"},
        {replaced(good, "\"kind\": \"fixed\"", "\"kind\": \"hard\""), 140,
         "point 1: \"kind\" is \"hard\", not \"soft\", \"fixed\" or a whole number"},
        {replaced(good, firstPoint, firstPoint + "0, "), 140, "point 1: \"words\" has more than 20 numbers"},
        {replaced(good, "    -10, -10, -10, -10, -10, -10, -10, -10\n  ]", "    -10\n  ]"), 9,
         "\"terrain\" has 1017 columns, not 1024"},
        {replaced(good, "\"ends\": [2, 3]", "\"ends\": [2, 9]"), 146,
         "line 2 ends at point 9, but the points are numbered 1 to 3"},
        {replaced(good, "\"ends\": [1, 2]", "\"ends\": [0, 2]"), 145,
         "line 1 ends at point 0, but the points are numbered 1 to 3"},
        {replaced(good, "\"points\": [", "\"points\": " + manyPoints + ", \"old\": ["), 139 + kMaxPoints + 1,
         "more than 8190 points"},
        {"[]", 1, "the text must be one JSON object, the document"},
        {std::string(kMaxTextBytes + 1, ' '), 1, "the text is larger than 64 MB"},
    };
    for (const Case& c : cases) {
        Document d = smallBridge();
        const TextReading r = documentFromText(c.text, d);
        EXPECT_EQ(r.problem, c.reason);
        EXPECT_EQ(r.line, c.line) << c.reason;
        EXPECT_TRUE(d == smallBridge()) << c.reason;
    }
    // The same text, readable: a byte-order mark, escapes and line ends of another system.
    std::string other = replaced(good, "\"budget\"", "\"bu\\u0064get\"");
    for (size_t at = other.find('\n'); at != std::string::npos; at = other.find('\n', at + 2))
        other.insert(at, "\r");
    Document d;
    ASSERT_EQ(documentFromText("\xEF\xBB\xBF" + other, d).problem, "");
    EXPECT_TRUE(d == smallBridge());
}
