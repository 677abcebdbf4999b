#include "derived.h"
#include "document.h"
#include "file_io.h"
#include "pixel_canvas.h"
#include "renderer.h"
#include "temp_dir.h"
#include "words.h"

#include <QGuiApplication>
#include <QPainter>

#include "qt_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <ostream>
#include <random>

using namespace trv;

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const Rgb& c)
    {
        return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
    }
};
Rgb rgbOf(uint32_t packed) { return {packedRed(packed), packedGreen(packed), packedBlue(packed)}; }
Rgb pixelRgb(QRgb c) { return {qRed(c), qGreen(c), qBlue(c)}; }

// Image size and view of one test picture.
struct Frame {
    int width, height, zoom, xOff, yOff;
    double xyDiff = 200;
    ViewState view() const { return UpdateViewScale(width * 15.0, height * 15.0, xyDiff, zoom, xOff, yOff); }
};
constexpr Frame kOpened{1920, 1080, 301, 0, 0};     // a freshly opened document, full screen
constexpr Frame kScrolled{777, 473, 120, 100, -30}; // a small window, zoomed out and scrolled
constexpr Frame kWholeLevel{777, 1600, 1, 0, 0};    // everything within a few pixels

class RenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { trvtest::ensureApplication(false); }

    void SetUp() override
    {
        std::string message;
        ASSERT_EQ(readDocumentFile(trvtest::dataDir() + "/sample.brg", doc, message), ReadStatus::Ok) << message;
        deriveTables(doc, tables);
    }

    // Only the layers every scene has; each test switches on what it checks.
    RenderInputs inputs(const Frame& f)
    {
        RenderInputs in{doc, tables};
        in.view = f.view();
        in.grid = in.boundaries = in.raillevel = in.train = false;
        in.landStyle = 0;
        return in;
    }

    QImage render(const RenderInputs& in, const Frame& f)
    {
        QImage image(f.width, f.height, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        result = RenderView(image, in);
        return image;
    }

    static Rgb at(const QImage& image, double X, double Y)
    {
        const int x = logicalToPixel(X, image.width()), y = logicalToPixel(Y, image.height());
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
            return {-1, -1, -1};
        return pixelRgb(image.pixel(x, y));
    }
    static Rgb atDisplay(const QImage& image, const ViewState& v, double x, double y)
    {
        const ViewPoint p = ToScreen(v, x, y);
        return at(image, p.x, p.y);
    }
    static int countPixels(const QImage& image, Rgb c)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += pixelRgb(image.pixel(x, y)) == c;
        return n;
    }

    Document doc;
    DerivedTables tables;
    RenderResult result;
};

class SceneAtTwoViews : public RenderTest, public ::testing::WithParamInterface<Frame> {};

} // namespace

TEST_P(SceneAtTwoViews, LayersAtComputedPositions)
{
    const Frame f = GetParam();
    RenderInputs in = inputs(f);
    in.train = true;
    const ViewState& v = in.view;
    const QImage image = render(in, f);
    const auto& ct = in.ColorTable;

    ASSERT_TRUE(result.drawn);
    EXPECT_DOUBLE_EQ(result.BottomY, v.OffsetY + 256 * v.ScaleY);
    EXPECT_EQ(at(image, 10, 10), rgbOf(ct[ColorBack]));
    EXPECT_EQ(atDisplay(image, v, 0, -100), rgbOf(ct[ColorWater]));  // below the water level -80
    EXPECT_EQ(atDisplay(image, v, 800, -100), rgbOf(ct[ColorBack])); // beyond the right boundary
    // The terrain surface line runs 30 units below the valley floor at -120.
    const ViewPoint floor = ToScreen(v, 0, -120);
    EXPECT_EQ(at(image, floor.x, floor.y + 30), rgbOf(ct[ColorLand]));
    EXPECT_EQ(atDisplay(image, v, -320, 80), rgbOf(ct[ColorFixpoint])); // point 1
    EXPECT_EQ(atDisplay(image, v, 0, 80), rgbOf(ct[ColorPoint]));       // point 14
    // Both train blocks stand on display y 0, 7 units high.
    EXPECT_EQ(atDisplay(image, v, 32 * -24 + 192, 3.5), rgbOf(ct[ColorTrain]));
    EXPECT_EQ(atDisplay(image, v, 64 * 12 - 112, 3.5), rgbOf(ct[ColorTrain]));
    EXPECT_EQ(atDisplay(image, v, 32 * -24 + 230, 3.5), rgbOf(ct[ColorBack]));
    // Lines belong to line mode only.
    EXPECT_EQ(atDisplay(image, v, -288, 72), rgbOf(ct[ColorBack]));
    EXPECT_EQ(countPixels(image, rgbOf(ct[ColorLine])), 0);
}

TEST_P(SceneAtTwoViews, TerrainOutsideTheBoundariesOnlyInTerrainMode)
{
    // A trench left of the boundary at -768, where the straight line outside
    // terrain mode runs far above it.
    for (int c = 1; c < 465; ++c)
        doc.Head[c + 5] = encodeY(-100);
    deriveTables(doc, tables);
    const Frame f = GetParam();
    RenderInputs in = inputs(f);
    const ViewPoint hill = ToScreen(in.view, -850, -100);
    EXPECT_NE(at(render(in, f), hill.x, hill.y + 30), rgbOf(in.ColorTable[ColorLand]));
    in.landMode = true;
    EXPECT_EQ(at(render(in, f), hill.x, hill.y + 30), rgbOf(in.ColorTable[ColorLand]));
}

INSTANTIATE_TEST_SUITE_P(Views, SceneAtTwoViews, ::testing::Values(kOpened, kScrolled));

TEST_F(RenderTest, LineModeDrawsLinesByKind)
{
    RenderInputs in = inputs(kOpened);
    in.lineMode = true;
    in.showPoints = false;
    const ViewState& v = in.view;
    const auto& ct = in.ColorTable;
    QImage image = render(in, kOpened);
    EXPECT_EQ(atDisplay(image, v, -16, 80), rgbOf(ct[ColorRail]));  // line 10, a rail
    EXPECT_EQ(atDisplay(image, v, -288, 72), rgbOf(ct[ColorLine])); // line 21
    // Point 3 has no line; with "Show points" off no point is drawn at all.
    EXPECT_EQ(atDisplay(image, v, -352, 80), rgbOf(ct[ColorBack]));
    EXPECT_EQ(countPixels(image, rgbOf(ct[ColorFixpoint])), 0);

    // Where lines meet, the one drawn last shows: line 79 ends on point 2 after rail 20.
    EXPECT_EQ(atDisplay(image, v, 320, 80), rgbOf(ct[ColorLine]));
    std::swap(doc.Lin[20][4], doc.Lin[79][4]);
    deriveTables(doc, tables);
    EXPECT_EQ(atDisplay(render(in, kOpened), v, 320, 80), rgbOf(ct[ColorRail]));
    std::swap(doc.Lin[20][4], doc.Lin[79][4]);
    deriveTables(doc, tables);

    in.showPoints = true;
    EXPECT_EQ(atDisplay(render(in, kOpened), v, -352, 80), rgbOf(ct[ColorFixpoint]));

    const std::pair<int, Rgb> kinds[] = {{3, {0, 0, 255}}, {0, {0, 0, 0}}, {5, rgbOf(ct[ColorBack])}};
    for (const auto& [kind, expected] : kinds) {
        doc.Lin[21][4] = kind;
        deriveTables(doc, tables);
        EXPECT_EQ(atDisplay(render(in, kOpened), v, -288, 72), expected) << "kind " << kind;
    }
}

TEST_F(RenderTest, GradientBands)
{
    RenderInputs in = inputs(kOpened);
    const Rgb back = rgbOf(in.ColorTable[ColorBack]); // 72, 72, 72
    // -1: 41 bands 200 units apart, each one darker.
    in.backStyle = -1;
    QImage image = render(in, kOpened);
    EXPECT_EQ(at(image, 10, 4000), (Rgb{51, 51, 51})); // band 21
    EXPECT_EQ(at(image, 10, 8100), (Rgb{31, 31, 31})); // band 41, the last
    EXPECT_EQ(at(image, 10, 8190), back);              // below the last band

    // 200: a band every unit; the components run into 255.
    in.backStyle = 200;
    image = render(in, kOpened);
    EXPECT_EQ(at(image, 10, 4000), (Rgb{255, 255, 255}));
    const Rgb top = at(image, 10, 0);
    EXPECT_GT(top.r, back.r);
    EXPECT_LT(top.r, 255);
    // Values beyond the slider's range draw as its end.
    in.backStyle = 500;
    EXPECT_EQ(render(in, kOpened), image);

    in.backStyle = -200;
    EXPECT_EQ(at(render(in, kOpened), 10, 4000), (Rgb{0, 0, 0}));
}

TEST_F(RenderTest, GridColoursAndExtent)
{
    RenderInputs in = inputs(kOpened);
    in.grid = true;
    const ViewState& v = in.view;
    const auto& ct = in.ColorTable;
    const QImage image = render(in, kOpened);
    EXPECT_EQ(atDisplay(image, v, 4, -128), rgbOf(ct[ColorGrid3]));
    EXPECT_EQ(atDisplay(image, v, 4, -96), rgbOf(ct[ColorGrid2]));
    EXPECT_EQ(atDisplay(image, v, 4, -100), rgbOf(ct[ColorGrid1]));
    EXPECT_EQ(atDisplay(image, v, 256, -2), rgbOf(ct[ColorGrid3]));
    EXPECT_EQ(atDisplay(image, v, 64, -2), rgbOf(ct[ColorGrid2]));
    EXPECT_EQ(atDisplay(image, v, 8, -2), rgbOf(ct[ColorGrid1]));
    EXPECT_EQ(atDisplay(image, v, 4, -2), rgbOf(ct[ColorBack]));
    EXPECT_EQ(atDisplay(image, v, 4, -98), rgbOf(ct[ColorWater]));
    EXPECT_EQ(atDisplay(image, v, 800, -128), rgbOf(ct[ColorBack])); // only between the boundaries
}

// The grid goes out one call per colour; it must look exactly like drawing every
// line in turn, also where many lines share a pixel row or column.
TEST_F(RenderTest, GridMatchesLineByLineDrawing)
{
    // A flat terrain at -255 and no points keep the later layers off the grid.
    for (int c = 1; c <= kColumns; ++c)
        doc.Head[c + 5] = encodeY(-1024);
    doc.NLines = 0;
    deriveTables(doc, tables);
    // Sparse lines partly out of view; rows shared by several lines (XYdiff 20
    // keeps the columns apart); and everything within a pixel or two.
    for (const Frame f : {Frame{1920, 1080, 301, 200, 40}, Frame{777, 473, 1, 0, 0, 20}, kWholeLevel}) {
        RenderInputs in = inputs(f);
        in.lineMode = true;
        in.showPoints = false;
        const ViewState& v = in.view;
        const QImage expected = [&] {
            QImage image = render(in, f);
            QPainter p(&image);
            const int l = logicalToPixel(result.xL, f.width), r = logicalToPixel(result.xR, f.width);
            const auto color = [&](double value, double coarse, double middle) {
                const int k = std::fmod(value, coarse) == 0 ? ColorGrid3
                    : std::fmod(value, middle) == 0         ? ColorGrid2
                                                            : ColorGrid1;
                return colorFromPacked(in.ColorTable[k]);
            };
            for (int y = -256; y <= 256; y += 4) {
                p.setPen(color(y, 128, 32));
                const int row = logicalToPixel(v.OffsetY - v.ScaleY * y, f.height);
                p.drawLine(r, row, l, row);
            }
            const int top = logicalToPixel(result.TopY, f.height), bottom = logicalToPixel(result.BottomY, f.height);
            for (double x = 8 * std::floor(32 * tables.LeftEnd / 8); x <= 64 * tables.RightEnd; x += 8) {
                p.setPen(color(x, 256, 64));
                const int col = logicalToPixel(v.OffsetX + v.ScaleX * x, f.width);
                p.drawLine(col, top, col, bottom);
            }
            return image;
        }();
        in.grid = true;
        const QImage actual = render(in, f);
        // The terrain is drawn after the grid and may cover its lowest rows.
        const int rows = logicalToPixel(result.BottomY, f.height) - 4;
        EXPECT_EQ(actual.copy(0, 0, f.width, rows), expected.copy(0, 0, f.width, rows)) << "zoom " << f.zoom;
    }
}

// The terrain band skips copies outside the image; the picture must be the one
// of drawing every copy of every column.
TEST_F(RenderTest, TerrainMatchesCopyByCopyDrawing)
{
    struct Case {
        Frame frame;
        double landStyle;
        bool landMode;
        double leftEnd, rightEnd;
    };
    const Case cases[] = {
        {{1920, 1080, 301, 300, 0}, 150, false, -24, 12},
        {{1920, 1080, 301, 300, 0}, 150, true, -24, 12},
        {kScrolled, 20, true, -24, 12},
        {kWholeLevel, 40, false, -300, 140}, // boundaries beyond the terrain's ends
        {{1920, 1080, 301, 4096, 0}, 20, false, -300, 140},
        {{1920, 1080, 301, -4080, 0}, 20, false, -300, 140},
        {{777, 473, 600, -150, 0}, 9.5, false, -256, 127.75},
        {{777, 473, 600, -150, -200}, 150, false, -24, 12}, // band from above the top edge
        {{777, 473, 600, -150, -6}, 20, false, -24, 12},    // surface just above the top edge
    };
    for (const Case& c : cases) {
        doc.Head[4] = encodeLeftEnd(c.leftEnd);
        doc.Head[5] = encodeRightEnd(c.rightEnd);
        doc.NLines = 0;
        deriveTables(doc, tables);
        RenderInputs in = inputs(c.frame);
        in.ColorTable[ColorWater] = in.ColorTable[ColorBack];
        in.ColorTable[ColorLand] = packColor(200, 150, 60); // the default's darkest shade is Back
        in.lineMode = true;
        in.showPoints = false;
        in.landStyle = c.landStyle;
        in.landMode = c.landMode;
        const ViewState& v = in.view;

        QImage expected(c.frame.width, c.frame.height, QImage::Format_RGB32);
        expected.fill(colorFromPacked(in.ColorTable[ColorBack]));
        PixelCanvas canvas(expected);
        const auto col = [&](double X) { return logicalToPixel(X, c.frame.width); };
        const auto row = [&](double Y) { return logicalToPixel(Y, c.frame.height); };
        const double step = 16 * v.ScaleX;
        double first = std::floor(513 + 2 * tables.LeftEnd), last = 513 + 4 * tables.RightEnd;
        if (c.landMode) {
            first = std::floor(513 - v.OffsetX / step);
            last = 514 + (8192 - v.OffsetX) / step;
        }
        first = std::max(first, 1.0);
        last = std::min(last, 1024.0);
        const uint32_t land = in.ColorTable[ColorLand];
        const auto segment = [&](double xa, double ya, double xb, double yb, int copies) {
            canvas.penLine(col(xa), row(ya), col(xb), row(yb), 4, colorFromPacked(land).rgb());
            for (int j = 1; j <= copies; ++j)
                canvas.penLine(col(xa), row(ya + 30 * j), col(xb), row(yb + 30 * j), 4,
                               colorFromPacked(landShade(land, std::min(j, 14))).rgb());
        };
        double px = v.OffsetX - 512 * step, py = v.OffsetY + 30;
        for (int i = int(first); i <= last; ++i) {
            const double X = v.OffsetX + (i - 513) * step, Y = v.OffsetY + 30 - v.ScaleY * tables.LandY[i];
            segment(px, py, X, Y, int(c.landStyle));
            px = X;
            py = Y;
        }
        segment(px, py, v.OffsetX + 511 * step, v.OffsetY + 30, first <= last ? int(c.landStyle) : 0);

        EXPECT_EQ(render(in, c.frame), expected) << "zoom " << c.frame.zoom << " land mode " << c.landMode;
    }
}

TEST_F(RenderTest, TerrainBandShadesStopAtTheFourteenth)
{
    RenderInputs in = inputs(kOpened);
    in.landStyle = 20;
    in.ColorTable[ColorLand] = packColor(200, 150, 30);
    const QImage image = render(in, kOpened);
    const ViewPoint floor = ToScreen(in.view, 0, -120);
    const auto copy = [&](int j) { return at(image, floor.x, floor.y + 30 + 30.0 * j); };
    EXPECT_EQ(copy(0), (Rgb{200, 150, 30}));
    EXPECT_EQ(copy(1), (Rgb{200, 150, 30}));
    EXPECT_EQ(copy(2), (Rgb{197, 147, 27}));
    // Blue stops at 0 instead of borrowing from green.
    EXPECT_EQ(copy(11), (Rgb{170, 120, 0}));
    EXPECT_EQ(copy(14), (Rgb{161, 111, 0}));
    EXPECT_EQ(copy(20), (Rgb{161, 111, 0}));
    EXPECT_EQ(copy(21), rgbOf(in.ColorTable[ColorWater]));
}

TEST_F(RenderTest, RailLevelDotsEvery60Units)
{
    RenderInputs in = inputs(kOpened);
    in.raillevel = true;
    const ViewState& v = in.view;
    const Rgb white{255, 255, 255}, back = rgbOf(in.ColorTable[ColorBack]);
    for (const double rail : {10.0, -10.0}) {
        doc.Head[2] = encodeY(rail);
        deriveTables(doc, tables);
        const QImage image = render(in, kOpened);
        const double y = v.OffsetY - v.ScaleY * (rail > 0 ? 2 * rail : rail); // positive levels show doubled
        const double x = result.xL + 60 * 58;
        EXPECT_EQ(at(image, x, y), white) << rail;
        EXPECT_EQ(at(image, x + 30, y), back) << rail;
        EXPECT_EQ(at(image, x, v.OffsetY - v.ScaleY * (rail > 0 ? rail : 2 * rail)), back) << rail;
        EXPECT_EQ(at(image, result.xR + 60, y), back) << rail;
    }
}

TEST_F(RenderTest, FileNameOnlyInThePreview)
{
    EXPECT_EQ(previewFileLabel("/levels/my.level.brg"), "my.level");
    EXPECT_EQ(previewFileLabel("C:\\Levels\\bridge1.brg"), "bridge1");
    EXPECT_EQ(previewFileLabel("a.dir/noextension"), "noextension");
    EXPECT_EQ(previewFileLabel("plain"), "plain");

    RenderInputs in = inputs(kOpened);
    in.filePath = "/levels/my.level.brg";
    in.foreground = QColor(255, 0, 255);
    in.font = QFont("DejaVu Sans", 12);
    const auto textPixels = [&] {
        const QImage image = render(in, kOpened);
        return countPixels(image.copy(logicalToPixel(50, 1920), 0, 300, 40), {255, 0, 255});
    };
    in.fileNameT = true;
    EXPECT_EQ(textPixels(), 0);
    in.preview = true;
    EXPECT_GT(textPixels(), 20);
    in.fileNameT = false;
    EXPECT_EQ(textPixels(), 0);
}

TEST_F(RenderTest, EmptyDocumentLeavesThePictureAlone)
{
    doc.NPoints = 0;
    deriveTables(doc, tables);
    const QImage image = render(inputs(kOpened), kOpened);
    EXPECT_FALSE(result.drawn);
    EXPECT_EQ(countPixels(image, {255, 0, 255}), 1920 * 1080);
}

// Whatever the words and options hold, a render ends soon and stays inside the
// image: far-away ends, points and columns, a huge thickness and zoom.
TEST_F(RenderTest, ExtremeValuesStayBounded)
{
    doc.Head[4] = std::numeric_limits<int32_t>::max();
    doc.Head[5] = std::numeric_limits<int32_t>::min();
    doc.Pnt[1][2] = std::numeric_limits<int32_t>::max();
    doc.Pnt[2][3] = std::numeric_limits<int32_t>::min();
    doc.Head[1028] = std::numeric_limits<int32_t>::max(); // columns 1023 and 1024, in view
    doc.Head[1029] = std::numeric_limits<int32_t>::min();
    deriveTables(doc, tables);
    for (const bool landMode : {false, true}) {
        RenderInputs in = inputs(kScrolled);
        in.view = UpdateViewScale(777 * 15.0, 473 * 15.0, 1e-9, 649, -4080, 255);
        in.grid = in.boundaries = in.raillevel = in.train = true;
        in.lineMode = true;
        in.landMode = landMode;
        in.landStyle = 1e12;
        in.backStyle = std::nan("");
        const QImage image = render(in, kScrolled);
        EXPECT_TRUE(result.drawn);
        EXPECT_EQ(countPixels(image, {255, 0, 255}), 0);
    }
}

// The export preview widens the area while keeping the size of a logical unit.
TEST_F(RenderTest, WiderLogicalAreaKeepsThePixelScale)
{
    RenderInputs in = inputs(kScrolled);
    in.grid = in.train = in.raillevel = in.boundaries = true;
    in.backStyle = -20;
    const QImage narrow = render(in, kScrolled);
    in.logicalWidth = 2 * kLogicalSize;
    const QImage wide = render(in, Frame{2 * kScrolled.width, kScrolled.height, 0, 0, 0});
    EXPECT_EQ(wide.copy(0, 0, kScrolled.width, kScrolled.height), narrow);
}

// The deep copies of the terrain band are filled as runs rather than copy by
// copy; on ground with cliffs and spikes, where later columns reach far into
// earlier ones, the picture must still be that of drawing every copy in turn.
TEST_F(RenderTest, RoughTerrainMatchesCopyByCopyDrawing)
{
    for (int c = 1; c <= kColumns; ++c)
        doc.Head[c + 5] = encodeY(c % 37 < 18 ? 200 - (c % 37) * 3 : -180 + (c * 53) % 97 - (c % 5 == 0) * 150);
    doc.Head[4] = encodeLeftEnd(-200);
    doc.Head[5] = encodeRightEnd(100);
    doc.NLines = 0;
    doc.NPoints = 1; // terrain mode always shows points: one far outside every view
    doc.Pnt[1][2] = encodeX(60000);
    deriveTables(doc, tables);
    const Frame frames[] = {{1920, 1080, 1, 0, 0},
                            {1920, 1080, 31, 0, 0},
                            {1920, 1080, 301, 300, 0},
                            {1920, 1080, 649, -2000, 100},
                            {777, 473, 151, 0, -30}};
    for (const Frame& f : frames)
        for (const bool landMode : {false, true}) {
            RenderInputs in = inputs(f);
            in.ColorTable[ColorWater] = in.ColorTable[ColorBack];
            in.ColorTable[ColorLand] = packColor(200, 150, 60);
            in.lineMode = !landMode;
            in.landMode = landMode;
            in.showPoints = false;
            in.landStyle = 150;
            const ViewState& v = in.view;
            QImage expected(f.width, f.height, QImage::Format_RGB32);
            expected.fill(colorFromPacked(in.ColorTable[ColorBack]));
            PixelCanvas canvas(expected);
            const auto col = [&](double X) { return logicalToPixel(X, f.width); };
            const auto row = [&](double Y) { return logicalToPixel(Y, f.height); };
            const double step = 16 * v.ScaleX;
            double first = std::floor(513 + 2 * tables.LeftEnd), last = 513 + 4 * tables.RightEnd;
            if (landMode) {
                first = std::floor(513 - v.OffsetX / step);
                last = 514 + (8192 - v.OffsetX) / step;
            }
            first = std::max(first, 1.0);
            last = std::min(last, 1024.0);
            const auto segment = [&](double xa, double ya, double xb, double yb, int copies) {
                for (int j = 0; j <= copies; ++j)
                    canvas.penLine(col(xa), row(ya + 30 * j), col(xb), row(yb + 30 * j), 4,
                                   colorFromPacked(landShade(in.ColorTable[ColorLand], std::min(j, 14))).rgb());
            };
            double px = v.OffsetX - 512 * step, py = v.OffsetY + 30;
            for (int i = int(first); i <= last; ++i) {
                const double X = v.OffsetX + (i - 513) * step, Y = v.OffsetY + 30 - v.ScaleY * tables.LandY[i];
                segment(px, py, X, Y, 150);
                px = X;
                py = Y;
            }
            segment(px, py, v.OffsetX + 511 * step, v.OffsetY + 30, 150);
            EXPECT_EQ(render(in, f), expected) << "zoom " << f.zoom << " land mode " << landMode;
        }
}

// A render through a cache must give the picture of a render without one after
// any edit, and must reuse the kept layers exactly when only points, lines or
// what is drawn over them changed.
TEST_F(RenderTest, CachedRendersMatchUncachedOnes)
{
    Frame f = kOpened;
    RenderInputs in = inputs(f);
    in.grid = in.boundaries = in.raillevel = in.train = in.lineMode = true;
    in.landStyle = 150;
    in.backStyle = 200;
    const auto edit = [&](auto change) {
        return [this, change](RenderInputs& in, Frame& f) {
            change(in, f);
            deriveTables(doc, tables);
        };
    };
    struct Step {
        const char* what;
        std::function<void(RenderInputs&, Frame&)> change;
        bool reuses;
    };
    const Step steps[] = {
        {"first render", [](RenderInputs&, Frame&) {}, false},
        {"same again", [](RenderInputs&, Frame&) {}, true},
        {"point moved", edit([&](RenderInputs&, Frame&) { doc.Pnt[14][2] += 400; }), true},
        {"line kind", edit([&](RenderInputs&, Frame&) { doc.Lin[21][4] = 2; }), true},
        {"point colour and size",
         [](RenderInputs& in, Frame&) {
             in.ColorTable[ColorPoint] = 255;
             in.view.PointSize = 4;
         },
         true},
        {"file name in the preview",
         [](RenderInputs& in, Frame&) {
             in.preview = in.fileNameT = true;
             in.filePath = "a.brg";
         },
         true},
        {"zoom",
         [](RenderInputs& in, Frame& f) {
             f.zoom = 151;
             in.view = f.view();
         },
         false},
        {"scroll",
         [](RenderInputs& in, Frame& f) {
             f.yOff = 1;
             in.view = f.view();
         },
         false},
        {"terrain column", edit([&](RenderInputs&, Frame&) { doc.Head[500 + 5] = encodeY(100); }), false},
        {"water level", edit([&](RenderInputs&, Frame&) { doc.Head[1] = encodeY(-40); }), false},
        {"rail level", edit([&](RenderInputs&, Frame&) { doc.Head[2] = encodeY(-20); }), false},
        {"left end", edit([&](RenderInputs&, Frame&) { doc.Head[4] = encodeLeftEnd(-30); }), false},
        {"land colour", [](RenderInputs& in, Frame&) { in.ColorTable[ColorLand] = packColor(200, 150, 60); }, false},
        {"grid off", [](RenderInputs& in, Frame&) { in.grid = false; }, false},
        {"gradient", [](RenderInputs& in, Frame&) { in.backStyle = -37; }, false},
        {"terrain thickness", [](RenderInputs& in, Frame&) { in.landStyle = 20; }, false},
        {"terrain mode",
         [](RenderInputs& in, Frame&) {
             in.landMode = true;
             in.lineMode = false;
         },
         false},
        {"points shown", [](RenderInputs& in, Frame&) { in.showPoints = false; }, true},
        {"image size",
         [](RenderInputs& in, Frame& f) {
             f = kScrolled;
             in.view = f.view();
         },
         false},
        {"wider logical area", [](RenderInputs& in, Frame&) { in.logicalWidth = 1.5 * kLogicalSize; }, false},
        {"train off", [](RenderInputs& in, Frame&) { in.train = false; }, false},
    };
    RenderCache cache;
    QImage kept;
    for (const Step& step : steps) {
        step.change(in, f);
        if (kept.width() != f.width || kept.height() != f.height)
            kept = QImage(f.width, f.height, QImage::Format_RGB32);
        const long long reusesBefore = cache.reuses();
        const RenderResult viaCache = RenderView(kept, in, cache);
        const QImage drawn = render(in, f);
        EXPECT_EQ(kept, drawn) << step.what;
        EXPECT_EQ(viaCache.BottomY, result.BottomY) << step.what;
        EXPECT_EQ(cache.reuses() - reusesBefore, step.reuses ? 1 : 0) << step.what;
    }
    // An image of another format gets layers of its own format.
    QImage argb = kept.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const long long reusesBefore = cache.reuses();
    RenderView(argb, in, cache);
    EXPECT_EQ(cache.reuses(), reusesBefore);
    EXPECT_EQ(argb.convertToFormat(QImage::Format_RGB32), render(in, f));
}

TEST(PixelCanvas, DotsAreAsWideAsThePen)
{
    for (int w = 1; w <= 6; ++w) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::black);
        PixelCanvas canvas(image);
        canvas.dot(10, 10, w, qRgb(255, 255, 255));
        QImage line(20, 20, QImage::Format_RGB32);
        line.fill(Qt::black);
        PixelCanvas(line).penLine(10, 10, 10, 10, w, qRgb(255, 255, 255));
        EXPECT_EQ(line, image) << w;
        int minX = 20, maxX = -1, minY = 20, maxY = -1, count = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                if (image.pixel(x, y) == qRgb(255, 255, 255)) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                    ++count;
                }
        EXPECT_EQ(count, w * w);
        EXPECT_EQ(maxX - minX + 1, w);
        EXPECT_EQ(maxY - minY + 1, w);
        EXPECT_TRUE(minX <= 10 && 10 <= maxX && minY <= 10 && 10 <= maxY);
    }
}

// The scene's one-pixel lines are the canvas's; they must set exactly the pixels
// QPainter sets, for whole and fractional ends, inside, across and beyond the edges.
TEST(PixelCanvas, LinesMatchThePainter)
{
    trvtest::ensureApplication(false);
    std::mt19937 random(7);
    const auto coordinate = [&](int size) -> double {
        switch (random() % 4) {
        case 0: return int(random() % (size + 2)) - 1;                  // whole, inside
        case 1: return int(random() % (size * 5)) - 2 * size;           // whole, mostly outside
        case 2: return (int(random() % (size * 48)) - 4 * size) / 16.0; // sixteenths
        default: return std::uniform_real_distribution<double>(-size, 2.0 * size)(random);
        }
    };
    QImage byPainter(61, 37, QImage::Format_RGB32), byCanvas(61, 37, QImage::Format_RGB32);
    for (int i = 0; i < 40000; ++i) {
        const QLineF l(coordinate(61), coordinate(37), coordinate(61), coordinate(37));
        byPainter.fill(Qt::black);
        byCanvas.fill(Qt::black);
        QPainter p(&byPainter);
        p.setPen(QPen(Qt::white, 1));
        p.drawLines(&l, 1);
        p.end();
        PixelCanvas(byCanvas).line(l.x1(), l.y1(), l.x2(), l.y2(), qRgb(255, 255, 255));
        ASSERT_EQ(byCanvas, byPainter) << l.x1() << ", " << l.y1() << " - " << l.x2() << ", " << l.y2();
    }
}
