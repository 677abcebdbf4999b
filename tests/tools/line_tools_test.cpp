#include "derived.h"
#include "line_tools.h"
#include "tool_docs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using namespace trv;
using tooltest::makeDoc;

TEST(LengthTable, MatchesEveryPrintedRow)
{
    struct Row {
        int key;
        double length;
        uint32_t word;
    };
    const Row printed[] = {
        {40, 2.000000, 0x40000000},   {56, 2.828427, 0x403504F3},   {80, 4.000000, 0x40800000},
        {89, 4.472136, 0x408F1BBD},   {113, 5.656854, 0x40B504F3},  {120, 6.000000, 0x40C00000},
        {126, 6.324555, 0x40CA62C2},  {144, 7.211103, 0x40E6C15A},  {160, 8.000000, 0x41000000},
        {164, 8.246211, 0x4103F07B},  {169, 8.485281, 0x4107C3B6},  {178, 8.944272, 0x410F1BBD},
        {200, 10.000000, 0x41200000}, {203, 10.198039, 0x41232B2B}, {215, 10.770330, 0x412C5345},
        {226, 11.313708, 0x413504F3}, {233, 11.661904, 0x413A9728}, {240, 12.000000, 0x41400000},
        {243, 12.165525, 0x4142A5FE}, {252, 12.649111, 0x414A62C2}, {256, 12.806248, 0x414CE665},
        {268, 13.416408, 0x4156A99B}, {280, 14.000000, 0x41600000}, {282, 14.142136, 0x41624630},
        {288, 14.422205, 0x4166C15A}, {291, 14.560220, 0x4168F6A9}, {304, 15.231546, 0x4173B46A},
        {312, 15.620499, 0x4179ED91}, {320, 16.000000, 0x41800000}, {322, 16.124515, 0x4180FF02},
        {329, 16.492423, 0x4183F07B}, {339, 16.970563, 0x4187C3B6}, {341, 17.088007, 0x4188B43D},
        {344, 17.204651, 0x4189A320}, {357, 17.888544, 0x418F1BBD},
    };
    const auto& t = LengthTable();
    ASSERT_EQ(std::size(printed), t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        SCOPED_TRACE(printed[i].key);
        EXPECT_EQ(t[i].key, printed[i].key);
        EXPECT_NEAR(t[i].length, printed[i].length, 5e-7);
        EXPECT_EQ(uint32_t(t[i].word), printed[i].word);
    }
    // Exactly the printed keys are found, each with its own word.
    for (int key = -1; key <= 400; ++key) {
        const Row* row = nullptr;
        for (const Row& r : printed) {
            if (r.key == key)
                row = &r;
        }
        const auto w = lengthWordForKey(key);
        ASSERT_EQ(bool(w), row != nullptr) << key;
        if (row) {
            EXPECT_EQ(uint32_t(*w), row->word);
        }
    }
}

TEST(DrawLineTo, ChainsOfAllowedLines)
{
    // A at the origin; B 16 across and 8 up; C 32 across from B; D 33 from B.
    Document d = makeDoc({{2, 0, 0}, {2, 16, 4}, {1, 48, 4}, {1, 49, 4}});
    d.Lin[1][6] = 77; // left over in the free slot by an earlier line
    DrawLineResult r = DrawLineTo(d, 1, 1, false);
    EXPECT_EQ(r.action, "Line: Draw");
    EXPECT_EQ(r.lineStart, 2);
    ASSERT_EQ(d.NLines, 1);
    EXPECT_EQ(d.Lin[1], (LineRecord{0, 0, 0, 1, 1, 0x40B504F3, 0, 0}));
    r = DrawLineTo(d, r.lineStart, 2, true);
    EXPECT_EQ(r.lineStart, 3);
    ASSERT_EQ(d.NLines, 2);
    EXPECT_EQ(d.Lin[2], (LineRecord{0, 0, 1, 2, 2, 0x41000000, 0, 0}));

    // Refused (key 165): no line, but the start moves and the state is rewritten.
    const Document before = d;
    r = DrawLineTo(d, 2, 3, false);
    EXPECT_EQ(d, before);
    EXPECT_EQ(r.lineStart, 4);
    EXPECT_EQ(r.shape, PointerShape::UpArrow);
    EXPECT_TRUE(r.save);
    EXPECT_TRUE(r.action.empty());
    // A line from a point to itself is never made.
    EXPECT_EQ(DrawLineTo(d, 4, 3, false).lineStart, 4);
    EXPECT_EQ(d, before);
    // Without a selected point, or from a start that names no point, the line
    // under way ends.
    for (auto [start, row] : {std::pair{3, -1}, std::pair{9, 0}}) {
        r = DrawLineTo(d, start, row, false);
        EXPECT_EQ(r.lineStart, 0);
        EXPECT_EQ(r.shape, PointerShape::Default);
        EXPECT_FALSE(r.save);
    }
    EXPECT_EQ(d, before);
}

TEST(DrawLineTo, NearestAllowedLengthsOfARefusedOne)
{
    // The refused line of the test above is 16.5 long; both neighbours must be
    // allowed, with no allowed length between them.
    for (double length : {16.5, 0.0, 33.3, 99.95, 150.0}) {
        const NearestLengths n = nearestAllowedLengths(length);
        const int key = int(std::floor(10 * length));
        for (double side : {n.below, n.above}) {
            if (side != 0) {
                EXPECT_TRUE(lengthWordForKey(int(std::lround(10 * side)))) << length;
            }
        }
        const int from = n.below == 0 ? 0 : int(std::lround(10 * n.below)) + 1;
        const int to = n.above == 0 ? 1000 : int(std::lround(10 * n.above));
        for (int k = from; k < to; ++k)
            EXPECT_TRUE(k == key || !lengthWordForKey(k)) << length << " skips " << k;
    }
    const NearestLengths r = nearestAllowedLengths(16.5);
    EXPECT_LT(r.below, 16.5);
    EXPECT_GT(r.above, 16.5);
}

TEST(ToggleRail, NormalAndExpertKinds)
{
    Document d = makeDoc({{2, 0, 0}, {2, 8, 0}}, {{1, 2}, {1, 2}, {1, 2}});
    d.Lin[2][4] = 0;
    d.Lin[3][4] = 3;
    EXPECT_EQ(ToggleRail(d, 0, false, 0).action, "Line > Rail");
    EXPECT_EQ(d.Lin[1][4], 2);
    EXPECT_EQ(ToggleRail(d, 0, false, 0).action, "Rail > Line");
    EXPECT_EQ(ToggleRail(d, 1, false, 0).action, "Rail > Line");
    EXPECT_EQ(ToggleRail(d, 2, false, 0).action, "Rail > Line");
    EXPECT_EQ(d.Lin[1][4] * 100 + d.Lin[2][4] * 10 + d.Lin[3][4], 111);

    EditResult e = ToggleRail(d, 2, true, 3); // expert: the chosen kind, no step name
    EXPECT_EQ(d.Lin[3][4], 3);
    EXPECT_TRUE(e.save);
    EXPECT_TRUE(e.action.empty());
    EXPECT_FALSE(ToggleRail(d, 2, true, -1).save);
    EXPECT_FALSE(ToggleRail(d, -1, false, 0).save);
    EXPECT_EQ(d.Lin[3][4], 3);
}

TEST(DeleteLine, LastLineTakesTheSlot)
{
    Document d = makeDoc({{2, 0, 0}, {2, 8, 0}}, {{1, 2}, {1, 2}, {1, 2}, {1, 2}, {2, 1}});
    EXPECT_EQ(DeleteLine(d, 1).action, "Line: Delete");
    ASSERT_EQ(d.NLines, 4);
    EXPECT_EQ(d.Lin[2][6], 505);
    EXPECT_EQ(d.Lin[2][2], 1);

    Document one = makeDoc({{2, 0, 0}, {2, 8, 0}}, {{1, 2}});
    DeleteLine(one, 0);
    EXPECT_EQ(one.NLines, 0);
    EXPECT_FALSE(DeleteLine(one, 0).save);
}

TEST(LineLabels, PositionsAndLengthScale)
{
    Document d = makeDoc({{2, 40, 6}, {2, 0, -3}}, {{1, 2}});
    d.Lin[1][5] = 0x41800000; // 16.0
    d.Lin[1][6] = 0x40000000; // 2.0
    DerivedTables t;
    deriveTables(d, t);
    auto l = lineLabels(d, t, 0);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->actLine1, " 40 x 12");
    EXPECT_EQ(l->actLine2, " 0 x-3");
    EXPECT_EQ(l->lineLen, " 16");
    EXPECT_EQ(l->lineLen2, " 4");
    EXPECT_FALSE(lineLabels(d, t, 1));
}
