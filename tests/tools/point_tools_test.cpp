#include "point_tools.h"
#include "tool_docs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace trv;
using tooltest::makeDoc;
using tooltest::mark;

namespace {

bool fixedBlockFirst(const Document& d)
{
    int i = 1;
    while (i <= d.NPoints && d.Pnt[i][1] == 2)
        ++i;
    return std::none_of(&d.Pnt[i], &d.Pnt[d.NPoints] + 1, [](const PointRecord& r) { return r[1] == 2; });
}

// Lines as pairs of record marks: what a line connects, whatever the numbering.
std::vector<std::pair<int, int>> linePairs(const Document& d)
{
    std::vector<std::pair<int, int>> v;
    for (int k = 1; k <= d.NLines; ++k)
        v.emplace_back(mark(d, k, 0), mark(d, k, 1));
    std::sort(v.begin(), v.end());
    return v;
}

// Three fixed and three soft points with lines inside and across the blocks.
Document mixedDoc()
{
    return makeDoc({{2, 0, 0}, {2, 8, 0}, {2, 16, 0}, {1, 24, 4}, {1, 32, 4}, {1, 40, 4}},
                   {{1, 4}, {3, 5}, {2, 6}, {4, 5}, {6, 3}, {1, 2}});
}

} // namespace

TEST(PointPosition, SnapAndFreePlacement)
{
    EXPECT_EQ(pointPosition(13.9, 5.2, true).xPrime, 16);
    EXPECT_EQ(pointPosition(13.9, 5.2, true).y, 6);
    EXPECT_EQ(pointPosition(0, -130, true).y, -128); // step 8
    EXPECT_EQ(pointPosition(0, -128, true).y, -128); // bounds are exclusive: still 8
    EXPECT_EQ(pointPosition(0, -700, true).y, -640); // step 128
    EXPECT_EQ(pointPosition(-13, 0, true).xPrime, -32);
    EXPECT_EQ(pointPosition(-10.3, 0, false).xPrime, -19);
    EXPECT_EQ(pointPosition(10.3, -5.5, false).xPrime, 10);
    EXPECT_EQ(pointPosition(10.3, -5.5, false).y, -5);
    EXPECT_EQ(pointYWord(pointPosition(0, -1e12, false).y), 0); // never wraps
}

TEST(NewPoint, SoftRecordAndFixedInOneStep)
{
    Document d = makeDoc({{2, 0, 0}, {2, 8, 0}, {1, 16, 0}, {1, 24, 0}}, {{3, 4}, {1, 3}});
    Document soft = d;
    EXPECT_EQ(NewPoint(soft, 13.9, 5.2, PointOptions{.snap = true}).action, "Point: New Soft");
    const int32_t xw = pointXWord(16), yw = pointYWord(6);
    const PointRecord want = {0,          1,          xw,         yw,         0,          xw,    yw,
                              0,          0,          0,          0,          0,          0,     0,
                              0x3F800000, 0x3F7EB852, 0x3C32674E, 0x3FB33333, 0x3ECCCCCD, 10000, 1,
                              0x3F000000, 0x3F000000, 0x3F000000, 0,          0};
    ASSERT_EQ(soft.NPoints, 5);
    EXPECT_EQ(soft.Pnt[5], want);

    // Fixed: the new point takes the first soft number; that point moves to the
    // end with its lines.
    const auto lines = linePairs(d);
    EditResult r = NewPoint(d, 13.9, 5.2, PointOptions{.snap = true, .newFixed = true});
    EXPECT_EQ(r.action, "Point: New Fixed");
    EXPECT_EQ(r.selPoint, 2);
    EXPECT_EQ(d.Pnt[3][1], 2);
    EXPECT_EQ(d.Pnt[3][2], xw);
    EXPECT_EQ(d.Pnt[3][15], 0);
    EXPECT_EQ(d.Pnt[5][7], 1003);
    EXPECT_EQ(linePairs(d), lines);

    // "Expert" keeps the soft type word inside the fixed block.
    Document e = makeDoc({{2, 0, 0}, {1, 16, 0}});
    NewPoint(e, 40, 10, PointOptions{.newFixed = true, .expert = true});
    EXPECT_EQ(e.Pnt[2][1], 1);
    EXPECT_EQ(e.Pnt[2][2], pointXWord(40));
    EXPECT_EQ(e.Pnt[3][7], 1002);
}

TEST(ToggleFixSoft, EveryPointOfAMixedDocument)
{
    for (int s = 1; s <= 6; ++s) {
        SCOPED_TRACE(s);
        Document d = mixedDoc();
        const auto lines = linePairs(d);
        const bool wasFixed = s <= 3;
        EditResult r = ToggleFixSoft(d, s - 1, false);
        EXPECT_EQ(r.action, wasFixed ? "Point: Fixed Off" : "Point: Fixed");
        EXPECT_TRUE(fixedBlockFirst(d));
        EXPECT_EQ(linePairs(d), lines);
        // The point lands at the boundary: first soft place or last fixed place.
        const int at = wasFixed ? 3 : 4;
        EXPECT_EQ(r.selPoint, at - 1);
        EXPECT_EQ(d.Pnt[at][7], 1000 + s);
        EXPECT_EQ(d.Pnt[at][15], wasFixed ? 0x3F7EB852 : 0);
        EXPECT_EQ(d.Pnt[at][16], wasFixed ? 0x3C32674E : 0);
    }
}

TEST(ToggleFixSoft, AtBothEndsOfTheFixedBlock)
{
    // No soft point: the toggled point trades places with the last point.
    Document d = makeDoc({{2, 0, 0}, {2, 8, 0}, {2, 16, 0}}, {{1, 2}});
    ToggleFixSoft(d, 0, false);
    EXPECT_EQ(d.Pnt[3][7], 1001);
    EXPECT_EQ(d.Pnt[1][7], 1003);
    EXPECT_EQ(mark(d, 1, 0), 1001);

    // No fixed point: point 3 becomes fixed by trading places with point 1.
    Document e = makeDoc({{1, 0, 0}, {1, 8, 0}, {1, 16, 0}}, {{3, 2}});
    EXPECT_EQ(ToggleFixSoft(e, 2, false).selPoint, 0);
    EXPECT_EQ(e.Pnt[1][7], 1003);
    EXPECT_EQ(e.Pnt[3][7], 1001);
    EXPECT_EQ(mark(e, 1, 0), 1003);

    // A type word other than 1 and 2 is soft, as the lists show it.
    Document f = makeDoc({{2, 0, 0}, {0, 8, 0}, {1, 16, 0}});
    EXPECT_EQ(ToggleFixSoft(f, 1, false).action, "Point: Fixed");
    EXPECT_TRUE(fixedBlockFirst(f));
    EXPECT_FALSE(ToggleFixSoft(f, -1, false).save);
}

TEST(MovePoint, PickUpThenPutDownWithAttachedLines)
{
    Document d = makeDoc({{2, 0, 0}, {2, 8, 0}, {1, 16, 0}}, {{1, 2}, {2, 3}});
    const Document start = d;
    MoveResult up = MovePoint(d, PointerShape::Default, 2, 40, 10, PointOptions{.delAttached = true});
    EXPECT_EQ(up.shape, PointerShape::UpArrow);
    EXPECT_FALSE(up.save);
    EXPECT_EQ(d, start);

    MoveResult down = MovePoint(d, PointerShape::UpArrow, 2, 40.2, 10.4, PointOptions{.delAttached = true});
    EXPECT_EQ(down.shape, PointerShape::Default);
    EXPECT_EQ(down.action, "Point Move");
    ASSERT_EQ(d.NLines, 1); // only the second line is attached
    EXPECT_EQ(mark(d, 1, 0), 1001);
    EXPECT_EQ(d.Pnt[3][5], pointXWord(40));
    EXPECT_EQ(d.Pnt[3][6], pointYWord(10));
    EXPECT_EQ(d.Pnt[3][7], 1003); // the other words stay

    Document e = makeDoc({{2, 0, 0}, {2, 8, 0}, {1, 16, 0}}, {{1, 2}});
    MovePoint(e, PointerShape::UpArrow, 2, 0, 0, PointOptions{.delAttached = true});
    EXPECT_EQ(e.NLines, 1);
}

TEST(DeleteAttachedLines, RemovesEveryAttachedLine)
{
    // Attached, attached, unattached.
    Document d = makeDoc({{2, 0, 0}, {2, 8, 0}, {2, 16, 0}}, {{1, 2}, {3, 1}, {2, 3}});
    EXPECT_EQ(DeleteAttachedLines(d, 1), 2);
    ASSERT_EQ(d.NLines, 1);
    EXPECT_EQ(d.Lin[1][6], 503);

    // The line moved into a freed slot is attached itself.
    Document e = makeDoc({{2, 0, 0}, {2, 8, 0}, {2, 16, 0}}, {{1, 2}, {2, 3}, {2, 1}, {3, 3}, {1, 3}});
    EXPECT_EQ(DeleteAttachedLines(e, 1), 3);
    ASSERT_EQ(e.NLines, 2);
    EXPECT_EQ(e.Lin[1][6], 504);
    EXPECT_EQ(e.Lin[2][6], 502);
}

TEST(DropForSave, SoftPointsTakeTheirLinesAndTheCountsFollow)
{
    Document d = mixedDoc();
    DropForSave(d, 4, false, true);
    EXPECT_EQ(d.NPoints, 3);
    ASSERT_EQ(d.NLines, 1);
    EXPECT_EQ(d.Lin[1][6], 506); // the only line between fixed points
    EXPECT_EQ(d.Head[kHeadPoints], 3);
    EXPECT_EQ(d.Head[kHeadLines], 1);
    DropForSave(d, 0, false, false); // nothing soft: only the lines go
    EXPECT_EQ(d.NPoints, 3);
    EXPECT_EQ(d.Head[kHeadLines], 0);
}

TEST(DeletePoint, EveryPointOfAMixedDocument)
{
    for (int s = 1; s <= 6; ++s) {
        SCOPED_TRACE(s);
        Document d = mixedDoc();
        auto lines = linePairs(d);
        std::erase_if(lines, [&](auto p) { return p.first == 1000 + s || p.second == 1000 + s; });
        EditResult r = DeletePoint(d, s - 1);
        EXPECT_EQ(r.action, "Point: Delete");
        EXPECT_EQ(r.selPoint, -1);
        ASSERT_EQ(d.NPoints, 5);
        EXPECT_TRUE(fixedBlockFirst(d));
        EXPECT_EQ(firstSoft(d), s <= 3 ? 3 : 4);
        EXPECT_EQ(linePairs(d), lines);
        for (int i = 1; i <= 5; ++i)
            EXPECT_NE(d.Pnt[i][7], 1000 + s);
    }
}

TEST(DeletePoint, OnlyFixedPointsAndTheLastPoint)
{
    Document d = makeDoc({{2, 0, 0}, {2, 8, 0}, {2, 16, 0}, {2, 24, 0}}, {{3, 4}, {1, 4}});
    DeletePoint(d, 1);
    ASSERT_EQ(d.NPoints, 3);
    EXPECT_EQ(linePairs(d), (std::vector<std::pair<int, int>>{{1001, 1004}, {1003, 1004}}));

    Document one = makeDoc({{2, 0, 0}});
    EXPECT_FALSE(DeletePoint(one, 0).save);
    EXPECT_EQ(one.NPoints, 1);
}
