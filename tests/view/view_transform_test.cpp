#include "view_transform.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace trv;

namespace {

// The designed drawing area at full-screen size, in window units.
constexpr double kPicW = 1920 * 15.0, kPicH = 1080 * 15.0;

} // namespace

TEST(ViewTransform, VerticalScaleFollowsTheZoom)
{
    ViewState v = UpdateViewScale(kPicW, kPicH, 200, 301, 0, 0);
    EXPECT_NEAR(v.ScaleY, 16.0801, 1e-12);
    EXPECT_NEAR(ToScreen(v, 0, 100).y, 4096 - 1608.01, 1e-9);

    v = UpdateViewScale(kPicW, kPicH, 200, 1, 0, 0);
    EXPECT_NEAR(ToScreen(v, 0, -256).y - ToScreen(v, 0, 256).y, 522.2912, 1e-9);
    EXPECT_NEAR(UpdateViewScale(kPicW, kPicH, 200, 649, 0, 0).ScaleY, 56.1001, 1e-12);
}

TEST(ViewTransform, HorizontalDivisorFromAspectAndXYdiff)
{
    const ViewState wide = UpdateViewScale(14000, 7000, 200, 301, 0, 0);
    EXPECT_EQ(wide.ScaleDivX, 400);
    EXPECT_DOUBLE_EQ(wide.ScaleX, wide.ScaleY / 4);

    // Halves round to even.
    EXPECT_EQ(UpdateViewScale(401, 2, 1, 301, 0, 0).ScaleDivX, 200);
    EXPECT_EQ(UpdateViewScale(403, 2, 1, 301, 0, 0).ScaleDivX, 202);

    // A divisor of 0 (XYdiff 0 or empty, or no width) or below becomes 1.
    EXPECT_EQ(UpdateViewScale(kPicW, kPicH, 0, 301, 0, 0).ScaleDivX, 1);
    EXPECT_EQ(UpdateViewScale(0, kPicH, 200, 301, 0, 0).ScaleDivX, 1);
    EXPECT_EQ(UpdateViewScale(kPicW, kPicH, -200, 301, 0, 0).ScaleDivX, 1);

    // An area without height counts as square instead of dividing by zero.
    const ViewState flat = UpdateViewScale(kPicW, 0, 200, 301, 0, 0);
    EXPECT_EQ(flat.ScaleDivX, 200);
    EXPECT_TRUE(std::isfinite(ToDisplay(flat, 100, 100).x));
    EXPECT_EQ(flat.PointSize, 2);
}

TEST(ViewTransform, ScrollBarsCentreTheView)
{
    ViewState v = UpdateViewScale(kPicW, kPicH, 200, 301, 4096, 0);
    EXPECT_DOUBLE_EQ(ToScreen(v, -8192, 0).x, 4096);
    v = UpdateViewScale(kPicW, kPicH, 200, 301, -4080, 0);
    EXPECT_DOUBLE_EQ(ToScreen(v, 8160, 0).x, 4096);
    v = UpdateViewScale(kPicW, kPicH, 200, 77, 0, -120);
    EXPECT_DOUBLE_EQ(ToScreen(v, 0, -120).y, 4096);

    const ViewPoint back = ToDisplay(v, ToScreen(v, -123.5, 45.25).x, ToScreen(v, -123.5, 45.25).y);
    EXPECT_NEAR(back.x, -123.5, 1e-9);
    EXPECT_NEAR(back.y, 45.25, 1e-9);
}

TEST(ViewTransform, PointSizeFromZoomAndHeight)
{
    EXPECT_EQ(UpdateViewScale(kPicW, 7000, 200, 302, 0, 0).PointSize, 6); // p = 5 never occurs
    EXPECT_EQ(UpdateViewScale(kPicW, 2000, 200, 1, 0, 0).PointSize, 2);   // p = 0
    EXPECT_EQ(UpdateViewScale(kPicW, 2800, 200, 240, 0, 0).PointSize, 3); // a 4, b 2
    EXPECT_EQ(UpdateViewScale(kPicW, 4200, 200, 300, 0, 0).PointSize, 4); // a 5, b 3
    // A very tall area counts as 6 x 1400 at most.
    EXPECT_EQ(UpdateViewScale(kPicW, 1e6, 200, 1, 0, 0).PointSize, 3);
}

TEST(ViewTransform, PixelsAndLogicalUnitsRoundTrip)
{
    for (int pixels : {777, 1080, 1920})
        for (int p = 0; p < pixels; ++p)
            ASSERT_EQ(logicalToPixel(pixelToLogical(p, pixels), pixels), p) << pixels << " " << p;
    EXPECT_EQ(logicalToPixel(8191.99, 473), 472);
    EXPECT_EQ(logicalToPixel(-0.01, 473), -1);
    EXPECT_EQ(logicalToPixel(1e300, 473), 1000000000);
    EXPECT_EQ(logicalToPixel(4096, 100, 16384), 25);
}

TEST(AutoScroll, EdgeBandsAndConditions)
{
    ViewState v;
    v.ScaleX = 40;  // S / ScaleX = 2.5 for S = 100
    v.ScaleY = 100; // 2.5 * S / ScaleY = 2.5
    const auto scroll = [&](double X, double Y, int xOff = 0, int yOff = 0) {
        return AutoScrollAtEdges(5, true, false, false, X, Y, 100, xOff, yOff, v);
    };
    EXPECT_EQ(scroll(150, 4000).XOff, 0);
    EXPECT_EQ(scroll(149.9, 4000).XOff, 2);      // 2.5 rounds to even
    EXPECT_EQ(scroll(149.9, 4000, 1).XOff, 4);   // 3.5 rounds to even
    EXPECT_EQ(scroll(0, 4000, 4095).XOff, 4096); // stops at the left end
    EXPECT_EQ(scroll(8042, 4000).XOff, 0);
    EXPECT_EQ(scroll(8042.1, 4000).XOff, -2);
    EXPECT_EQ(scroll(8192, 4000, -4079).XOff, -4080); // stops at the right end
    EXPECT_EQ(scroll(4000, 7937).YOff, 0);
    EXPECT_EQ(scroll(4000, 7937.5).YOff, -2);
    EXPECT_EQ(scroll(4000, 8000, 0, -254).YOff, -255);
    const ScrollPosition corner = scroll(10, 8100, 7, 9);
    EXPECT_EQ(corner.XOff, 10);
    EXPECT_EQ(corner.YOff, 6);
    // No band at the top edge.
    EXPECT_EQ(scroll(4000, 0).YOff, 0);

    const auto unchanged = [&](ScrollPosition p) { return p.XOff == 3 && p.YOff == 4; };
    EXPECT_TRUE(unchanged(AutoScrollAtEdges(0, true, false, false, 0, 8192, 100, 3, 4, v)));
    EXPECT_TRUE(unchanged(AutoScrollAtEdges(5, false, false, false, 0, 8192, 100, 3, 4, v)));
    EXPECT_TRUE(unchanged(AutoScrollAtEdges(5, true, true, false, 0, 8192, 100, 3, 4, v)));
    EXPECT_TRUE(unchanged(AutoScrollAtEdges(5, true, false, true, 0, 8192, 100, 3, 4, v)));

    // A negative step can never push the bars past their other end.
    EXPECT_EQ(AutoScrollAtEdges(5, true, false, false, 0, 4000, -1e9, 0, 0, v).XOff, kXOffMin);
}

TEST(AutoScroll, ScrollUpButtonClimbsToTheTop)
{
    const ViewState v = UpdateViewScale(kPicW, kPicH, 200, 301, 0, 0);
    EXPECT_EQ(scrollUpHoverStep(false, 100, 0, v), 0);
    EXPECT_EQ(scrollUpHoverStep(true, 100, 0, v), 16); // 15.547 per event
    int y = -255, events = 0;
    while (y < 255 && events < 100) {
        const int next = scrollUpHoverStep(true, 100, y, v);
        ASSERT_GT(next, y);
        y = next;
        ++events;
    }
    EXPECT_EQ(y, 255);
    EXPECT_EQ(events, 32);
    EXPECT_EQ(scrollUpHoverStep(true, 100, 255, v), 255);
}

TEST(Layout, GeometryOfBothModes)
{
    LayoutInput in{12000, 9000, 960, 960, 255, 835, 255, true};
    LayoutGeometry g = layoutGeometry(in);
    EXPECT_DOUBLE_EQ(g.byScrollLeft, 12000 - 382.5 - 835);
    EXPECT_DOUBLE_EQ(g.center3Left, g.byScrollLeft);
    EXPECT_DOUBLE_EQ(g.picWidth, 11873);
    EXPECT_DOUBLE_EQ(g.picHeight, 9000 - 960 - 697);
    EXPECT_FALSE(g.placesScrollBars);

    in.autoScroll = false;
    g = layoutGeometry(in);
    EXPECT_TRUE(g.placesScrollBars);
    EXPECT_DOUBLE_EQ(g.centerLeft, 12000 - 1.442 * 255);
    EXPECT_DOUBLE_EQ(g.centerTop, 9000 - 960 + 22);
    EXPECT_DOUBLE_EQ(g.xOffWidth, g.centerLeft);
    EXPECT_DOUBLE_EQ(g.yOffHeight, g.centerTop - 3.77 * 255);
    EXPECT_DOUBLE_EQ(g.picWidth, g.centerLeft - 14);
    EXPECT_DOUBLE_EQ(g.picHeight, g.yOffHeight - 13);

    // A window shorter than its controls: the bar keeps a height of 1 and the
    // drawing area none, in either mode.
    in.windowHeight = 100;
    g = layoutGeometry(in);
    EXPECT_DOUBLE_EQ(g.yOffHeight, 1);
    EXPECT_DOUBLE_EQ(g.picHeight, 0);
    in.autoScroll = true;
    in.windowWidth = 50;
    g = layoutGeometry(in);
    EXPECT_DOUBLE_EQ(g.picHeight, 0);
    EXPECT_DOUBLE_EQ(g.picWidth, 0);
}

TEST(Layout, PreviewFitsTheLevelBetweenItsBoundaries)
{
    const ViewState v = UpdateViewScale(kPicW, kPicH, 200, 301, 0, 0);
    const double left = -24, right = 12;
    PreviewFit f = previewFit(v, left, right, 0, 0, kPicW);
    EXPECT_NEAR(f.OffsetX + 32 * left * v.ScaleX, -3, 1e-9);
    ASSERT_TRUE(f.resize);
    const double span = v.ScaleX * (64 * right - 32 * left);
    EXPECT_NEAR(f.logicalWidth, span - 2, 1e-9);
    EXPECT_NEAR(f.picWidth, kPicW / 8192 * (span - 2), 1e-9);

    f = previewFit(v, left, right, 10, 5, kPicW);
    EXPECT_NEAR(f.OffsetX + 32 * left * v.ScaleX, 97, 1e-9);
    EXPECT_NEAR(f.logicalWidth, span + 150 - 2, 1e-9);

    // Margins that eat the whole level leave the width alone.
    f = previewFit(v, left, right, -500, -500, kPicW);
    EXPECT_FALSE(f.resize);
    EXPECT_DOUBLE_EQ(f.logicalWidth, kLogicalSize);
}
