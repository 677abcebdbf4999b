// The spring test run's step: forces, strain colours, damping, gravity and which
// points move, on small hand-built documents; and its picture.
#include "derived.h"
#include "document.h"
#include "renderer.h"
#include "spring.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

namespace {

constexpr uint32_t rgb(int r, int g) { return uint32_t(r) + 256 * uint32_t(g); }

// A document of points (x, y, kind) and lines (a, b, rest length), with the
// tables a load would derive for it.
struct Scene {
    trv::Document doc;
    trv::DerivedTables t;
    std::vector<std::array<double, 3>> acc;
    int16_t tick = 0;
    trv::SpringPicture picture;

    struct P {
        double x, y;
        int kind;
    };
    struct L {
        int a, b;
        double rest;
    };
    Scene(std::initializer_list<P> points, std::initializer_list<L> lines, int firstSoft)
    {
        t.PntX = {0};
        t.PntY = {0};
        for (const P& p : points) {
            ++doc.NPoints;
            doc.Pnt[size_t(doc.NPoints)][1] = p.kind;
            t.PntX.push_back(p.x);
            t.PntY.push_back(p.y);
        }
        t.LinA = {0};
        t.LinB = {0};
        t.LinLen = {0};
        for (const L& l : lines) {
            ++doc.NLines;
            t.LinA.push_back(l.a);
            t.LinB.push_back(l.b);
            t.LinLen.push_back(l.rest);
        }
        t.FirstSoft = firstSoft;
        acc.assign(size_t(doc.NPoints) + 1, {0, 0, 0});
    }
    // Display length of line i as the step measures it.
    double length(int i) const
    {
        const double dx = (t.PntX[size_t(t.LinA[size_t(i)])] - t.PntX[size_t(t.LinB[size_t(i)])]) / 2;
        const double dy = t.PntY[size_t(t.LinA[size_t(i)])] - t.PntY[size_t(t.LinB[size_t(i)])];
        return std::sqrt(dx * dx + dy * dy);
    }
    void step() { trv::springStep(doc, t, acc, tick, picture); }
};

} // namespace

TEST(SpringStep, LineAtRestIsGreenAndPushesNothing)
{
    Scene s({{0, 0, 2}, {40, 30, 1}}, {{1, 2, 0}}, 2);
    s.t.LinLen[1] = s.length(1);
    s.step();
    ASSERT_EQ(s.picture.lines.size(), 1u);
    EXPECT_EQ(s.picture.lines[0].color, rgb(0, 255));
    EXPECT_EQ(s.acc[2][1], 0);
    EXPECT_EQ(s.acc[2][2], 0);
    EXPECT_EQ(s.t.PntX[2], 40);
    EXPECT_EQ(s.t.PntY[2], 30);
}

TEST(SpringStep, CompressedLinePushesItsEndsApart)
{
    // Vertical line 10 long, rest length 10.3: f = 0.3 / 2.5 = 0.12.
    Scene s({{8, 0, 2}, {8, 10, 1}}, {{2, 1, 10.3}}, 2);
    s.step();
    ASSERT_EQ(s.picture.lines.size(), 1u);
    EXPECT_EQ(s.picture.lines[0].color, rgb(120, 255));
    // A (point 2, above) is pushed up, B (point 1) down; dy / m = 1.
    EXPECT_NEAR(s.acc[2][2], 0.12 * 0.999, 1e-12);
    EXPECT_NEAR(s.acc[2][1], 0, 1e-12);
    EXPECT_NEAR(s.t.PntY[2], 10 + 0.12 * 0.999, 1e-12);
    // The fixed end does not move and keeps no vertical speed.
    EXPECT_EQ(s.t.PntY[1], 0);
    EXPECT_EQ(s.acc[1][2], 0);
    EXPECT_NEAR(s.acc[1][1], 0, 1e-12);
}

TEST(SpringStep, DirectionIsNormalisedByTheSumOfTheDifferences)
{
    // dx = 6 / 2 = 3, dy = 4: length 5, but the push is split 3 : 4 over a sum of 7.
    Scene s({{0, 0, 2}, {6, 4, 1}}, {{2, 1, 5.3}}, 2);
    s.step();
    EXPECT_NEAR(s.acc[2][1], 3.0 / 7 * 0.12 * 0.999, 1e-12);
    EXPECT_NEAR(s.acc[2][2], 4.0 / 7 * 0.12 * 0.999, 1e-12);
    EXPECT_NEAR(s.t.PntX[2], 6 + 3.0 / 7 * 0.12 * 0.999, 1e-12);
}

TEST(SpringStep, StretchedHorizontalLinePullsAlongX)
{
    // dx = (40 - 0) / 2 = 20 display y units; rest length 19: f = -0.4.
    for (double sign : {1.0, -1.0}) {
        Scene s({{40 * sign, 5, 1}, {0, 5, 1}}, {{1, 2, 19}}, 0);
        s.step();
        ASSERT_EQ(s.picture.lines.size(), 1u);
        EXPECT_EQ(s.picture.lines[0].color, rgb(255, 110));
        EXPECT_NEAR(s.acc[1][1], -0.4 * sign * 0.999, 1e-12);
        EXPECT_NEAR(s.acc[2][1], 0.4 * sign * 0.999, 1e-12);
        EXPECT_EQ(s.acc[1][2], 0);
        EXPECT_NEAR(s.t.PntX[1], 40 * sign - 0.4 * sign * 0.999, 1e-12);
    }
}

TEST(SpringStep, StrainColourRunsFromGreenOverYellowToRed)
{
    EXPECT_EQ(trv::strainColor(0), rgb(0, 255));
    EXPECT_EQ(trv::strainColor(0.255), rgb(255, 255));
    EXPECT_EQ(trv::strainColor(-0.4), rgb(255, 110));
    EXPECT_EQ(trv::strainColor(0.51), rgb(255, 0));
    EXPECT_EQ(trv::strainColor(7), rgb(255, 0));
    EXPECT_EQ(trv::strainColor(std::nan("")), rgb(255, 0));
}

TEST(SpringStep, LoneSoftPointFallsEveryTenthStepSlowedByDamping)
{
    Scene s({{0, 0, 2}, {10, 50, 1}}, {}, 2);
    for (int k = 1; k <= 9; ++k)
        s.step();
    EXPECT_EQ(s.tick, 9);
    EXPECT_EQ(s.t.PntY[2], 50);
    s.step(); // the tenth: gravity
    EXPECT_EQ(s.tick, 0);
    EXPECT_NEAR(s.t.PntY[2], 49.8, 1e-12);
    s.step(); // coasting, damped
    EXPECT_EQ(s.tick, 1);
    EXPECT_NEAR(s.t.PntY[2], 49.8 - 0.2 * 0.999, 1e-12);
    EXPECT_EQ(s.t.PntX[2], 10);
    // The fixed point stays through every gravity pulse.
    for (int k = 0; k < 20; ++k)
        s.step();
    EXPECT_EQ(s.t.PntY[1], 0);
    EXPECT_EQ(s.acc[1][2], 0);
}

TEST(SpringStep, OtherKindsPushButStayAndFixedPointsAreOnlyThoseBeforeFirstSoft)
{
    // Point 2 has kind 3: it takes part in the force on point 3 but never moves.
    Scene s({{0, 0, 2}, {0, 10, 3}, {0, 20, 1}}, {{3, 2, 10.3}}, 2);
    s.step();
    ASSERT_EQ(s.picture.fixedPoints.size(), 1u);
    EXPECT_EQ(s.picture.fixedPoints[0].y, 0);
    EXPECT_EQ(s.t.PntY[2], 10);
    EXPECT_EQ(s.acc[2][2], 0);
    EXPECT_NEAR(s.t.PntY[3], 20 + 0.12 * 0.999, 1e-12);

    // No soft point at all (FirstSoft 0): nothing is drawn as a fixed point.
    Scene fixedOnly({{0, 0, 2}, {5, 5, 2}}, {}, 0);
    fixedOnly.step();
    EXPECT_TRUE(fixedOnly.picture.fixedPoints.empty());
}

TEST(SpringStep, ZeroLengthLineGivesNoForce)
{
    Scene s({{4, 4, 1}, {4, 4, 1}}, {{1, 2, 5}}, 0);
    s.step();
    EXPECT_EQ(s.acc[1][1], 0);
    EXPECT_EQ(s.acc[1][2], 0);
    EXPECT_EQ(s.t.PntX[1], 4);
    EXPECT_TRUE(std::isfinite(s.t.PntY[2]));
}

TEST(SpringStep, ForcesComeFromThePositionsAtTheStartOfTheStep)
{
    // A chain 1 - 2 - 3, both lines compressed: the middle point gets both pushes,
    // which cancel, and both lines are drawn where they were before the move.
    Scene s({{0, 0, 1}, {0, 10, 1}, {0, 20, 1}}, {{2, 1, 10.3}, {3, 2, 10.3}}, 0);
    s.step();
    EXPECT_NEAR(s.acc[2][2], 0, 1e-12);
    EXPECT_NEAR(s.acc[1][2], -0.12 * 0.999, 1e-12);
    EXPECT_NEAR(s.acc[3][2], 0.12 * 0.999, 1e-12);
    ASSERT_EQ(s.picture.lines.size(), 2u);
    EXPECT_EQ(s.picture.lines[1].ay, 20);
    EXPECT_EQ(s.picture.lines[1].by, 10);
    EXPECT_EQ(s.picture.lines[0].by, 0);
}

TEST(SpringStep, TablesShorterThanTheCountsAreNotOverrun)
{
    Scene s({{0, 0, 1}, {0, 10, 1}}, {{1, 2, 10}}, 0);
    s.doc.NPoints = 50; // counts of a newer document than the tables
    s.doc.NLines = 40;
    s.acc.resize(2); // and velocities of an even older one
    s.step();
    EXPECT_TRUE(s.picture.lines.empty()); // its end 2 is beyond the velocities
    EXPECT_EQ(s.tick, 1);
    trv::Document empty;
    trv::DerivedTables none;
    std::vector<std::array<double, 3>> noAcc;
    trv::springStep(empty, none, noAcc, s.tick, s.picture);
    EXPECT_TRUE(s.picture.lines.empty());
    EXPECT_TRUE(s.picture.fixedPoints.empty());
}

TEST(SpringPicture, FixedPointsAndStrainColouredLinesOnTheBackground)
{
    trv::SpringPicture pic;
    pic.fixedPoints.push_back({0, 0});
    pic.lines.push_back({-100, 500, 100, 500, rgb(255, 110)});
    trv::ViewState v; // ScaleX = ScaleY = 1, display (0, 0) at the centre
    v.PointSize = 6;
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QColor back(72, 72, 72);
    trv::RenderSpringPicture(image, pic, v, back, 255);
    EXPECT_EQ(image.pixelColor(5, 5), back);
    EXPECT_EQ(image.pixelColor(128, 128), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(130, 130), QColor(255, 0, 0)); // a pen 6 pixels wide
    // Display y 500 lies 500 logical units above the centre.
    const int row = trv::logicalToPixel(4096 - 500, 256);
    EXPECT_EQ(image.pixelColor(128, row), QColor(255, 110, 0));
    EXPECT_EQ(image.pixelColor(128, row + 3), back);
}
