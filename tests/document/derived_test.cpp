#include "derived.h"
#include "document.h"
#include "words.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

using namespace trv;

namespace {

Document documentWith(std::vector<int> kinds)
{
    Document d;
    d.Head[1] = encodeY(-40);
    d.Head[2] = encodeY(20);
    d.Head[3] = 5000;
    d.Head[4] = encodeLeftEnd(-24);
    d.Head[5] = encodeRightEnd(12.5);
    for (int c = 1; c <= kColumns; ++c)
        d.Head[c + 5] = encodeY(c == 513 ? 12.5 : -1);
    d.NPoints = int(kinds.size());
    for (int i = 1; i <= d.NPoints; ++i) {
        d.Pnt[i][1] = kinds[i - 1];
        d.Pnt[i][2] = encodeX(i * 8);
        d.Pnt[i][3] = encodeY(i * 2);
    }
    return d;
}

} // namespace

TEST(Derived, ValueTextsAndLabels)
{
    Document d = documentWith({2, 2, 2, 2, 2, 1, 1, 1});
    d.NLines = 2;
    d.Lin[1] = {0, 0, 0, 1, 2, 0x40000000, 0};
    d.Lin[2] = {0, 0, 3, 4, 5, 0, 0};
    DerivedTables t;
    deriveTables(d, t);
    EXPECT_EQ(t.WaterText, "-40");
    EXPECT_DOUBLE_EQ(t.WaterY, -40);
    EXPECT_EQ(t.RailText, "40"); // positive rail levels show doubled
    EXPECT_EQ(t.MoneyText, "5000");
    EXPECT_EQ(t.CostText, "200");
    EXPECT_EQ(t.BudgetLeftText, "4800");
    EXPECT_EQ(t.LeftText, "-24");
    EXPECT_EQ(t.RightText, "25");
    EXPECT_EQ(t.LLines, "2 Lines");
    EXPECT_EQ(t.FirstSoft, 6);
    EXPECT_EQ(t.LabelLPoint, " 5 Fixed  3 Soft");

    d.Head[2] = encodeY(-10);
    deriveTables(d, t);
    EXPECT_EQ(t.RailText, "-10");
}

TEST(Derived, FixedAndSoftCountsAtTheExtremes)
{
    DerivedTables t;
    deriveTables(documentWith({2, 2, 2}), t);
    EXPECT_EQ(t.FirstSoft, 0);
    EXPECT_EQ(t.LabelLPoint, " 3 Fixed  0 Soft");
    deriveTables(documentWith({1, 2}), t);
    EXPECT_EQ(t.FirstSoft, 1);
    EXPECT_EQ(t.LabelLPoint, " 0 Fixed  2 Soft");
    deriveTables(documentWith({}), t);
    EXPECT_EQ(t.LabelLPoint, " 0 Fixed  0 Soft");
    EXPECT_EQ(t.LLines, "0 Lines");
    EXPECT_TRUE(t.PointItem.empty());
}

TEST(Derived, ListRowsAndLineLengths)
{
    Document d = documentWith({2, 1, 1, 1});
    d.NLines = 3;
    d.Lin[1] = {0, 0, 0, 1, 2, 0, 0};
    d.Lin[2] = {0, 0, 1, 2, 1, 0, 0};
    d.Lin[3] = {0, 0, 2, 3, 5, 0, 0};
    DerivedTables t;
    deriveTables(d, t);
    EXPECT_EQ(t.LandItem[0], "-8192     -1");
    EXPECT_EQ(t.LandItem[512], "    0   12.5");
    EXPECT_EQ(t.LandItem[1023], " 8176     -1");
    EXPECT_DOUBLE_EQ(t.LandY[513], 25);
    EXPECT_DOUBLE_EQ(t.LandY[1], -1);
    ASSERT_EQ(t.PointItem.size(), 4u);
    EXPECT_EQ(t.PointItem[0], "   1 F     8    4 ");
    EXPECT_EQ(t.PointItem[3], "   4 S    32   16 ");
    EXPECT_EQ(t.LineItem[0], "R    1    2");
    EXPECT_EQ(t.LineItem[1], "L    2    3");
    EXPECT_EQ(t.LineItem[2], "L    3    4");
    EXPECT_EQ(t.LinA[1], 1);
    EXPECT_EQ(t.LinB[1], 2);
    EXPECT_EQ(t.LinKind[3], 5);
    // Points 8 apart across and 4 up: half the x difference and the full y difference.
    EXPECT_DOUBLE_EQ(t.LinLen[1], std::sqrt(4.0 * 4.0 + 4.0 * 4.0));

    // Negative x values are halved when decoded.
    d.Pnt[1][2] = encodeX(-200);
    deriveTables(d, t);
    EXPECT_EQ(t.PointItem[0], "   1 F  -100    4 ");

    // The lists take the rows over between loads: the next load still gives
    // every row, the changed ones formatted again.
    std::vector<std::string> listPoints, listLines;
    listPoints.swap(t.PointItem);
    listLines.swap(t.LineItem);
    d.Pnt[2][1] = 2;
    d.Lin[3][4] = 2;
    deriveTables(d, t);
    DerivedTables fresh;
    deriveTables(d, fresh);
    EXPECT_EQ(t.PointItem, fresh.PointItem);
    EXPECT_EQ(t.LineItem, fresh.LineItem);
    EXPECT_EQ(t.PointItem[1], "   2 F    16    8 ");
    EXPECT_EQ(t.LineItem[2], "R    3    4");
}
