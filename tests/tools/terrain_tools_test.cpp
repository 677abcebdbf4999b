#include "terrain_tools.h"
#include "tool_docs.h"
#include "words.h"

#include <gtest/gtest.h>

using namespace trv;
using tooltest::makeDoc;

namespace {
double height(const Document& d, int c) { return wordToEditorY(d.Head[c + 5]); }

Document withHeights(int first, std::initializer_list<int> hs)
{
    Document d = makeDoc({{2, 0, 0}});
    for (int h : hs)
        d.Head[5 + first++] = heightWord(h);
    return d;
}
} // namespace

TEST(TerrainStroke, WritesOnlyTheColumnUnderEachMove)
{
    Document d = withHeights(519, {50});
    Document before = d;
    StrokeStep a = terrainStrokeMove(d, -100, 30.8, 61, false, "");
    StrokeStep b = terrainStrokeMove(d, 100, -4.9, -5.4, false, "");
    EXPECT_EQ(a.column, 507);
    EXPECT_EQ(b.column, 519);
    EXPECT_EQ(height(d, 507), 30);
    EXPECT_EQ(height(d, 519), -4); // truncated toward zero
    before.Head[5 + 507] = d.Head[5 + 507];
    before.Head[5 + 519] = d.Head[5 + 519];
    EXPECT_EQ(d, before); // the columns in between keep their heights
    // Preview: from the pointer to just above the old top, at the column.
    EXPECT_DOUBLE_EQ(b.x, 96);
    EXPECT_DOUBLE_EQ(b.pointerY, -5.4);
    EXPECT_DOUBLE_EQ(b.oldTopY, MapDisplayY(51));

    // The outer band draws nothing but still names the column for the list.
    StrokeStep edge = terrainStrokeMove(d, 8180, 20, 40, false, "");
    EXPECT_FALSE(edge.drawn);
    EXPECT_EQ(edge.column, 1023);
    EXPECT_EQ(terrainStrokeMove(d, -8179.9, 20, 40, false, "").column, 2);
    EXPECT_EQ(d.Head[5 + 1], before.Head[5 + 1]);
}

TEST(TerrainStroke, FixedLevelOverridesThePointer)
{
    Document d = makeDoc({{2, 0, 0}});
    StrokeStep s = terrainStrokeMove(d, 0, 55, 110, true, "-20.7");
    EXPECT_EQ(d.Head[5 + 513], (-20 + 17152) * 65536);
    EXPECT_DOUBLE_EQ(s.ptrLandY, -20.7);
    EXPECT_DOUBLE_EQ(s.pointerY, -20.7);
    // A level beyond what a word holds is limited, never wrapped.
    terrainStrokeMove(d, 32, 0, 0, true, "99999");
    EXPECT_EQ(height(d, 515), 32767 - 17152);
    terrainStrokeMove(d, 48, 0, 0, true, "-99999");
    EXPECT_EQ(d.Head[5 + 516], 0);
}

TEST(TerrainRelease, EndsTheStrokeOrTogglesFixedLevel)
{
    TerrainRelease end = terrainRelease(true, 513, false, 12.7);
    EXPECT_TRUE(end.strokeEnded);
    EXPECT_EQ(end.edit.action, "Terrain: Draw");
    EXPECT_FALSE(end.drawFix);

    TerrainRelease on = terrainRelease(false, 0, false, -12.8);
    EXPECT_FALSE(on.edit.save);
    EXPECT_TRUE(on.drawFix);
    EXPECT_EQ(on.landFixText, "-12");
    EXPECT_EQ(terrainRelease(true, 0, false, -0.5).landFixText, "0"); // no stroke under way

    TerrainRelease off = terrainRelease(false, 300, true, 5);
    EXPECT_FALSE(off.strokeEnded);
    EXPECT_FALSE(off.drawFix);
    EXPECT_FALSE(off.landFixText);

    EXPECT_EQ(landFixTextOnLeave("12abc"), "12");
    EXPECT_EQ(landFixTextOnLeave("abc"), "0");
    EXPECT_EQ(landFixTextOnLeave("007"), "7");
}

TEST(SmoothTerrain, OnePassOverTheRange)
{
    // Range 511..515: left end -1 (513 - 2), right end 0.5 (513 + 2).
    Document d = withHeights(510, {100, 10, 10, 20, 10, 10, 100});
    EditResult r = SmoothTerrain(d, -1, 0.5);
    EXPECT_EQ(r.action, "Terrain: Smooth");
    const int want[] = {100, 10, 12, 16, 12, 10, 100};
    for (int c = 510; c <= 516; ++c)
        EXPECT_EQ(height(d, c), want[c - 510]) << c;

    Document n = withHeights(512, {-1, -1, 0});
    SmoothTerrain(n, -0.5, 0.25);
    EXPECT_EQ(height(n, 513), -1); // floor of -0.8

    // A range without inner columns still records the press.
    Document e = withHeights(513, {1, 50});
    const Document before = e;
    EXPECT_EQ(SmoothTerrain(e, 0, 0.25).action, "Terrain: Smooth");
    EXPECT_EQ(e, before);
    Document none;
    EXPECT_FALSE(SmoothTerrain(none, -256, 128).save);
}

TEST(SmoothTerrain, WidestRangeStaysInsideTheTerrain)
{
    Document d = makeDoc({{2, 0, 0}});
    for (int c = 1; c <= 1024; ++c)
        d.Head[5 + c] = heightWord(c % 3 == 0 ? 30 : 0);
    const Document before = d;
    SmoothTerrain(d, -300, 128); // 513 + 4 * 128 would be the point count word
    EXPECT_EQ(d.Head[1030], before.Head[1030]);
    EXPECT_EQ(d.Head[5], before.Head[5]);
    EXPECT_EQ(height(d, 1024), 0);
    EXPECT_EQ(height(d, 1023), 18); // (0 + 90 + 0) / 5
    EXPECT_EQ(height(d, 2), 6);
}
