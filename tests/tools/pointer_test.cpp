#include "derived.h"
#include "pointer.h"
#include "tool_docs.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace trv;
using tooltest::makeDoc;

TEST(Pointer, UnmapDisplayY)
{
    EXPECT_DOUBLE_EQ(UnmapDisplayY(0.5), 0);
    EXPECT_DOUBLE_EQ(UnmapDisplayY(10), 5.5);
    EXPECT_NEAR(UnmapDisplayY(-200), -287.3333, 1e-3); // -200.5, -272, -272.4, -287.3
    EXPECT_EQ(readoutText(UnmapDisplayY(-200)), "-287");
    EXPECT_DOUBLE_EQ(UnmapDisplayY(-1e9), -17151);
    // Stored truncated, every whole height above the third octave comes back.
    for (int e = -255; e <= 128; ++e)
        ASSERT_EQ(std::trunc(UnmapDisplayY(MapDisplayY(e))), e) << e;
}

TEST(Pointer, ReadoutAndTerrainColumn)
{
    EXPECT_EQ(readoutText(12.9), " 12");
    EXPECT_EQ(readoutText(-3.7), "-3");
    EXPECT_EQ(readoutText(-0.4), " 0");
    EXPECT_EQ(terrainColumnAt(7.9), 513);
    EXPECT_EQ(terrainColumnAt(-8.1), 512);
    EXPECT_EQ(terrainColumnAt(-8192), 1);
    EXPECT_EQ(terrainColumnAt(8176), 1023); // column 1024 is clamped away
    EXPECT_EQ(terrainColumnAt(-1e9), 0);
}

TEST(Pointer, PointHoverBoxAndLowestNumberWins)
{
    Document d = makeDoc({{2, 100, 0}, {2, 40, 10}, {1, 42, 10}}); // 2 and 3 overlap
    DerivedTables t;
    deriveTables(d, t);
    EXPECT_EQ(pointAt(t, 40, 20), 2);
    EXPECT_EQ(pointAt(t, 40, 20 - 3.9), 2); // the box is centred one unit below
    EXPECT_EQ(pointAt(t, 40, 20 + 2.1), 0);
    EXPECT_EQ(pointAt(t, 47.5, 20), 3);
    EXPECT_EQ(pointAt(t, 48, 20), 0);
}

TEST(Pointer, LineHoverUsesInnerSamplesAndLowestNumberWins)
{
    // Line 1 across (0,0)-(68,0): samples every 4 units; line 2 up through x 34;
    // line 3 repeats line 1.
    Document d = makeDoc({{2, 0, 0}, {2, 68, 0}, {2, 34, -17}, {2, 34, 17}}, {{1, 2}, {3, 4}, {1, 2}});
    DerivedTables t;
    deriveTables(d, t);
    EXPECT_EQ(lineAt(t, 13.5, 1.1), 1); // within 1.6 across and 1.2 up of x 12
    EXPECT_EQ(lineAt(t, 12, 1.3), 0);
    EXPECT_EQ(lineAt(t, 14, 0), 0);     // between two samples
    EXPECT_EQ(lineAt(t, 0, 0), 0);      // the ends are not sampled
    EXPECT_EQ(lineAt(t, 34.5, 0.5), 1); // both lines pass here
    EXPECT_EQ(lineAt(t, 34, 25), 2);
}

TEST(Pointer, StretchLineTurnsToFixpointBeyondTwiceTheLongestLine)
{
    Document d = makeDoc({{2, 0, 0}, {2, 70, 0}, {2, 72, 0}, {2, 0, 18}});
    DerivedTables t;
    deriveTables(d, t);
    EXPECT_EQ(stretchColour(t, 2, 1), StretchColour::Selected); // 35 (x counts half)
    EXPECT_EQ(stretchColour(t, 3, 1), StretchColour::Fixpoint); // 36
    EXPECT_EQ(stretchColour(t, 4, 1), StretchColour::Fixpoint); // 36 up
}
