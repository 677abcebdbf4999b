#include "renderer.h"

#include "derived.h"
#include "document.h"
#include "pixel_canvas.h"
#include "spring.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace trv {

namespace {

constexpr int kTerrainPen = 4; // 3.5 rounded halves to even
constexpr int kGradientPen = 27;
constexpr int kMaxShade = 14;

QRgb rgbOf(uint32_t packed) { return qRgb(packedRed(packed), packedGreen(packed), packedBlue(packed)); }

// Logical units -> pixel indices of this image.
struct PixelMap {
    int W, H;
    double LW, LH;
    int col(double X) const { return logicalToPixel(X, W, LW); }
    int row(double Y) const { return logicalToPixel(Y, H, LH); }
    double pixelsPerUnitY() const { return H / LH; }
};

// Cuts a line to the box with Liang-Barsky; false when nothing of it is inside.
bool clipToBox(double& x0, double& y0, double& x1, double& y1, double lo_x, double lo_y, double hi_x, double hi_y)
{
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lo_x, hi_x - x0, y0 - lo_y, hi_y - y0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = ax;
    y0 = ay;
    return true;
}

// A one-pixel line between pixel indices. Lines reaching far outside the image
// are cut to a box 16 pixels around it first: the cut decides where fractional
// ends fall, and the pictures keep the pixels they have always had.
void drawLine(PixelCanvas& canvas, const PixelMap& m, int x0, int y0, int x1, int y1, QRgb c)
{
    constexpr double margin = 16;
    const double lox = -margin, loy = -margin, hix = m.W + margin, hiy = m.H + margin;
    double a = x0, b = y0, e = x1, d = y1;
    const bool inside = a >= lox && a <= hix && e >= lox && e <= hix && b >= loy && b <= hiy && d >= loy && d <= hiy;
    if (!inside && !clipToBox(a, b, e, d, lox, loy, hix, hiy))
        return;
    canvas.line(a, b, e, d, c);
}

void beginPainter(QPainter& p, QImage& image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
}

} // namespace

// Everything the layers under the points and lines are drawn from, and nothing
// else: they read only this, so equal backdrops are equal pixels, and a kept
// picture can never be stale.
struct Backdrop {
    int width = 0, height = 0;
    QImage::Format format = QImage::Format_Invalid;
    double logicalWidth = kLogicalSize, logicalHeight = kLogicalSize;
    double scaleX = 0, scaleY = 0, offsetX = 0, offsetY = 0;
    uint32_t back = 0, water = 0, fixpoint = 0, land = 0, trainColor = 0;
    std::array<uint32_t, 3> gridColors{};
    bool grid = false, boundaries = false, raillevel = false, train = false, landMode = false;
    double landStyle = 0, backStyle = 0;
    double leftEnd = 0, rightEnd = 0, waterY = 0, railY = 0;
    decltype(DerivedTables::LandY) landY{};

    bool operator==(const Backdrop&) const = default;
};

struct RenderCache::Layers {
    Backdrop key;
    QImage pixels;
};

RenderCache::RenderCache() = default;
RenderCache::~RenderCache() = default;

namespace {

Backdrop backdropOf(const RenderInputs& in, const PixelMap& m, QImage::Format format)
{
    const auto& ct = in.ColorTable;
    const DerivedTables& t = in.tables;
    Backdrop b;
    b.width = m.W;
    b.height = m.H;
    b.format = format;
    b.logicalWidth = m.LW;
    b.logicalHeight = m.LH;
    b.scaleX = in.view.ScaleX;
    b.scaleY = in.view.ScaleY;
    b.offsetX = in.view.OffsetX;
    b.offsetY = in.view.OffsetY;
    b.back = ct[ColorBack];
    b.water = ct[ColorWater];
    b.fixpoint = ct[ColorFixpoint];
    b.land = ct[ColorLand];
    b.trainColor = ct[ColorTrain];
    b.gridColors = {ct[ColorGrid1], ct[ColorGrid2], ct[ColorGrid3]};
    b.grid = in.grid;
    b.boundaries = in.boundaries;
    b.raillevel = in.raillevel;
    b.train = in.train;
    b.landMode = in.landMode;
    b.landStyle = in.landStyle;
    b.backStyle = in.backStyle;
    b.leftEnd = t.LeftEnd;
    b.rightEnd = t.RightEnd;
    b.waterY = t.WaterY;
    b.railY = t.RailY;
    b.landY = t.LandY;
    return b;
}

// The backdrop's places in logical units, worked out as RenderView's result.
struct Geometry {
    PixelMap m;
    double xL, xR, topY, bottomY, waterTopY, step;
};

Geometry geometryOf(const Backdrop& b)
{
    return {PixelMap{b.width, b.height, b.logicalWidth, b.logicalHeight},
            b.offsetX + b.scaleX * 32 * b.leftEnd,
            b.offsetX + b.scaleX * 64 * b.rightEnd,
            b.offsetY - 256 * b.scaleY,
            b.offsetY + 256 * b.scaleY,
            b.offsetY - b.scaleY * b.waterY,
            16 * b.scaleX};
}

// Fills [first, last] of a row, clipped to 0..width-1.
void fillSpan(QRgb* line, int width, int first, int last, QRgb c)
{
    first = std::max(first, 0);
    last = std::min(last, width - 1);
    if (first <= last)
        std::fill(line + first, line + last + 1, c);
}

// The grid as it falls on pixel rows: horizontal lines in three colours, then
// vertical ones over them. Lines of one direction share their extent, so in a
// pixel row (or column) that several of them fall on only the last one drawn
// shows; keeping that one per row and column draws each pixel once.
struct GridRows {
    std::vector<signed char> rowClass; // per row: 0 none, else the colour class
    QRgb colors[4] = {};
    int xa = 0, xb = 0; // the horizontal lines' ends
    // Columns with a vertical line, in runs of neighbours, and their colours;
    // drawn on rows rowFirst..rowLast.
    struct Run {
        int first, count;
    };
    std::vector<Run> runs;
    std::vector<QRgb> lineColor;
    int rowFirst = 0, rowLast = -1;

    void drawRow(QRgb* line, PixelCanvas& canvas, int r) const
    {
        if (rowClass[r] != 0)
            canvas.fillRow(r, xa, xb, colors[rowClass[r]]);
        if (r < rowFirst || r > rowLast)
            return;
        for (const Run& run : runs) {
            if (run.count == 1)
                line[run.first] = lineColor[run.first];
            else
                std::copy_n(lineColor.data() + run.first, run.count, line + run.first);
        }
    }
};

GridRows gridRowsOf(const Backdrop& b, const Geometry& g)
{
    const PixelMap& m = g.m;
    GridRows grid;
    const auto gridClass = [](double value, double coarse, double middle) {
        return std::fmod(value, coarse) == 0 ? 3 : std::fmod(value, middle) == 0 ? 2 : 1;
    };
    grid.colors[1] = rgbOf(b.gridColors[0]);
    grid.colors[2] = rgbOf(b.gridColors[1]);
    grid.colors[3] = rgbOf(b.gridColors[2]);

    grid.rowClass.assign(std::max(m.H, 0), 0);
    for (int y = -256; y <= 256; y += 4) {
        const int r = m.row(b.offsetY - b.scaleY * y);
        if (r >= 0 && r < m.H)
            grid.rowClass[r] = static_cast<signed char>(gridClass(y, 128, 32));
    }
    grid.xa = m.col(g.xR);
    grid.xb = m.col(g.xL);

    if (!(b.scaleX > 0) || !std::isfinite(b.scaleX))
        return grid;
    // Vertical lines stand on the multiples of 8 from `first` to `last`; their
    // columns never decrease along that order. Each pixel column shows the largest
    // multiple whose column it is, found from the column's right edge, so the work
    // follows the image width even when the lines are far denser than the pixels.
    const double first = 8 * std::floor(32 * b.leftEnd / 8);
    const double last = 64 * b.rightEnd;
    const auto colOf = [&](double x) { return m.col(b.offsetX + b.scaleX * x); };
    // A run of one is a store, a longer one a copy from the row of line colours.
    grid.lineColor.assign(std::max(m.W, 0), 0);
    for (int c = 0; c < m.W && first <= last; ++c) {
        const double edge = ((c + 1) * m.LW / m.W - b.offsetX) / b.scaleX;
        double x = 8 * std::floor(std::min(edge, last) / 8);
        for (int k = 0; k < 64 && x >= first && colOf(x) > c; ++k)
            x -= 8;
        for (int k = 0; k < 64 && x + 8 <= last && colOf(x + 8) <= c; ++k)
            x += 8;
        if (x >= first && x <= last && colOf(x) == c) {
            grid.lineColor[c] = grid.colors[gridClass(x, 256, 64)];
            if (!grid.runs.empty() && grid.runs.back().first + grid.runs.back().count == c)
                ++grid.runs.back().count;
            else
                grid.runs.push_back({c, 1});
        }
    }
    const int ya = m.row(g.topY), yb = m.row(g.bottomY);
    grid.rowFirst = std::max(std::min(ya, yb), 0);
    grid.rowLast = std::min(std::max(ya, yb), m.H - 1);
    return grid;
}

// Background, gradient, water and grid, row by row. The gradient is bands of a
// 27-pixel pen from the top down, each a shade further from the Back colour; a
// row takes the colour of the last band that covers it. A row crossed by vertical
// grid lines and made of the same parts as the one above it is a copy of that
// row: one pass over the row instead of a store per line.
void drawBackground(PixelCanvas& canvas, const Backdrop& b, const Geometry& g)
{
    const PixelMap& m = g.m;
    const QRgb back = rgbOf(b.back);
    std::vector<QRgb> rowColor(m.H, back);
    std::vector<char> banded(m.H, 0);
    if (b.backStyle != 0 && std::isfinite(b.backStyle)) {
        const double s = b.backStyle > 0 ? 1 : -1;
        // Values beyond the slider's range would make the spacing zero or negative.
        const double d = 201 - std::min(std::abs(b.backStyle), 200.0);
        const int half = kGradientPen / 2;
        // Band rows never decrease, so the last band over a row is the last one
        // starting at or above it, if that one still reaches it.
        std::vector<int> bandRow;
        for (long long k = 1;; ++k) {
            const double y = double(k - 1) * d;
            if (y > kLogicalSize)
                break;
            bandRow.push_back(m.row(y));
        }
        std::size_t n = 0;
        for (int r = 0; r < m.H; ++r) {
            while (n < bandRow.size() && bandRow[n] - half <= r)
                ++n;
            if (n == 0 || bandRow[n - 1] + half < r)
                continue;
            const double k = double(std::min<std::size_t>(n, 1000));
            const auto comp = [&](int c) { return std::clamp(int(c + s * k), 0, 255); };
            rowColor[r] = qRgb(comp(packedRed(b.back)), comp(packedGreen(b.back)), comp(packedBlue(b.back)));
            banded[r] = 1;
        }
    }
    const int bandFirst = m.col(0) - kGradientPen / 2, bandLast = m.col(kLogicalSize) + kGradientPen / 2;
    const QRgb water = rgbOf(b.water);
    const int wx0 = std::min(m.col(g.xL), m.col(g.xR)), wx1 = std::max(m.col(g.xL), m.col(g.xR));
    const int wy0 = std::min(m.row(g.waterTopY), m.row(g.bottomY)),
              wy1 = std::max(m.row(g.waterTopY), m.row(g.bottomY));
    GridRows grid;
    if (b.grid)
        grid = gridRowsOf(b, g);
    // What a row is drawn from; equal parts make equal rows.
    struct Parts {
        QRgb color;
        bool banded, water, gridLine, gridColumns;
        bool operator==(const Parts&) const = default;
    };
    Parts previous{};
    for (int r = 0; r < m.H; ++r) {
        QRgb* line = canvas.row(r);
        const Parts parts{rowColor[r], banded[r] != 0, r >= wy0 && r <= wy1, b.grid && grid.rowClass[r] != 0,
                          b.grid && r >= grid.rowFirst && r <= grid.rowLast};
        if (r > 0 && parts == previous && !parts.gridLine && parts.gridColumns && !grid.runs.empty()) {
            std::memcpy(line, canvas.row(r - 1), std::size_t(m.W) * sizeof(QRgb));
            continue;
        }
        previous = parts;
        if (banded[r]) {
            fillSpan(line, m.W, 0, std::min(bandFirst, m.W) - 1, back);
            fillSpan(line, m.W, bandFirst, bandLast, rowColor[r]);
            fillSpan(line, m.W, std::max(bandLast, -1) + 1, m.W - 1, back);
        } else {
            std::fill(line, line + m.W, back);
        }
        if (parts.water)
            fillSpan(line, m.W, wx0, wx1, water);
        if (b.grid)
            grid.drawRow(line, canvas, r);
    }
}

void drawBoundaries(PixelCanvas& canvas, const Backdrop& b, const Geometry& g)
{
    const PixelMap& m = g.m;
    const QRgb c = rgbOf(b.fixpoint);
    const int l = m.col(g.xL), r = m.col(g.xR), top = m.row(g.topY), bottom = m.row(g.bottomY);
    canvas.fillRow(top, l, r, c);
    canvas.fillRow(bottom, l, r, c);
    canvas.fillColumn(r, top, bottom, c);
    canvas.fillColumn(l, top, bottom, c);
}

// The terrain: a surface line and `copies` copies 30 units apart below it, drawn
// column by column with a 4-pixel pen, each copy one shade darker down to the
// 14th; later columns and copies cover earlier ones. Copies above or below the
// image are skipped; they change no pixel.
//
// With 150 copies in 1,024 columns, drawing every copy is most of a render, so
// the copies from the 14th on, which all have the darkest shade, are mostly not
// drawn one by one. While copies stand at most 4 pixel rows apart, those of one
// column cover, in each pixel column, one unbroken run of rows from the top of
// the first to the bottom of the last. Rows of that run below anything a later
// column draws in another shade end up in the darkest shade whatever else is
// drawn there, so they are filled at the end, run by run, row by row. The rest
// is drawn copy by copy, each copy from the rows of its column's pen line,
// worked out once for all copies whose ends are the same number of rows apart.
class TerrainBand {
public:
    TerrainBand(PixelCanvas& canvas, const PixelMap& m, uint32_t land, long long copies)
        : canvas_(canvas), m_(m), copies_(copies)
    {
        shades_[0] = rgbOf(land);
        for (int s = 1; s <= kMaxShade; ++s)
            shades_[s] = rgbOf(landShade(land, s));
        // Copies are 30 units apart; the run is unbroken while they are at most
        // 4 rows apart, which with rounding needs a little less than 4.
        runsUnbroken_ = 30 * m.pixelsPerUnitY() <= 3.99;
    }

    void add(double Xa, double Ya, double Xb, double Yb, bool withCopies)
    {
        if (!std::isfinite(Xa) || !std::isfinite(Ya) || !std::isfinite(Xb) || !std::isfinite(Yb))
            return;
        Segment s;
        s.xa = m_.col(Xa);
        s.xb = m_.col(Xb);
        if (std::max(s.xa, s.xb) + kTerrainPen < 0 || std::min(s.xa, s.xb) - kTerrainPen >= m_.W || m_.H <= 0)
            return;
        s.Ya = Ya;
        s.Yb = Yb;
        const long long copies = withCopies ? copies_ : 0;
        const double sy = m_.pixelsPerUnitY();
        const double margin = (kTerrainPen + 1) / sy;
        const double lo = std::floor((-margin - std::max(Ya, Yb)) / 30);
        const double hi = std::ceil((m_.LH + margin - std::min(Ya, Yb)) / 30);
        s.jFirst = lo > 0 ? (long long)std::min(lo, double(copies) + 1) : 0;
        s.jLast = hi < double(copies) ? (long long)std::max(hi, -1.0) : copies;
        if (s.jFirst > s.jLast)
            return;
        s.colFirst = std::min(s.xa, s.xb) - kTerrainPen / 2;
        s.colLast = std::max(s.xa, s.xb) + kTerrainPen / 2 - 1;
        const long long lastTop = std::min<long long>(s.jLast, kMaxShade - 1);
        if (lastTop >= s.jFirst)
            s.topBottom = std::max(rowA(s, lastTop), rowB(s, lastTop)) + kTerrainPen / 2 - 1;
        segments_.push_back(s);
    }

    void draw()
    {
        const std::size_t n = segments_.size();
        if (n == 0)
            return;
        // For each column, the lowest row a later column reaching into its pixel
        // columns draws in a shade of its own. Columns come left to right, so
        // the later ones reaching in follow it directly; where they do not, or
        // too many do, any later column counts.
        std::vector<int> laterTopBottom(n + 1, INT_MIN);
        for (std::size_t i = n; i-- > 0;)
            laterTopBottom[i] = std::max(laterTopBottom[i + 1], segments_[i].topBottom);
        bool ordered = true;
        for (std::size_t i = 1; i < n; ++i)
            ordered = ordered && segments_[i].colFirst >= segments_[i - 1].colFirst;
        deferTop_.assign(m_.W, 1);
        deferBottom_.assign(m_.W, 0);
        for (std::size_t i = 0; i < n; ++i) {
            const Segment& s = segments_[i];
            int limit = laterTopBottom[i + 1];
            if (ordered) {
                std::size_t k = i + 1;
                int reach = INT_MIN;
                for (; k < n && k <= i + 64 && segments_[k].colFirst <= s.colLast; ++k)
                    reach = std::max(reach, segments_[k].topBottom);
                if (k == n || segments_[k].colFirst > s.colLast)
                    limit = reach;
            }
            drawSegment(s, std::max(limit, -1));
        }
        fillDeferred();
    }

private:
    struct Segment {
        int xa = 0, xb = 0;
        double Ya = 0, Yb = 0;
        long long jFirst = 0, jLast = -1; // the copies in or near the image
        int colFirst = 0, colLast = -1;   // pixel columns the pen reaches, not clipped
        int topBottom = INT_MIN;          // last row of its copies above the 14th
    };

    // The pen line's rows for copies whose end b is `dy` rows below end a,
    // relative to the row of end a.
    struct Shape {
        long long dy = 0;
        int firstRow = 0;
        std::vector<PenRows::Span> spans;
        // Per pixel column from the segment's first column in the image: the
        // first and last row covered, relative as above.
        bool columnsDone = false;
        std::vector<int> colTop, colBottom;
    };

    int rowA(const Segment& s, long long j) const { return m_.row(s.Ya + 30.0 * double(j)); }
    int rowB(const Segment& s, long long j) const { return m_.row(s.Yb + 30.0 * double(j)); }
    QRgb shadeOf(long long j) const { return shades_[std::min<long long>(j, kMaxShade)]; }

    // Null when the line is too long to keep its rows; the copy is then drawn
    // straight, visible rows only.
    Shape* shapeFor(const Segment& s, long long dy)
    {
        for (int k = 0; k < shapeCount_; ++k)
            if (shapes_[k].dy == dy)
                return &shapes_[k];
        if (std::abs(dy) > 4LL * m_.H + 64)
            return nullptr;
        Shape& shape = shapes_[shapeCount_ < kShapeSlots ? shapeCount_++ : kShapeSlots - 1];
        shape.dy = dy;
        shape.columnsDone = false;
        const PenRows rows(s.xa, 0, s.xb, int(dy), kTerrainPen, m_.W);
        shape.firstRow = rows.firstRow();
        shape.spans.resize(rows.lastRow() - rows.firstRow() + 1);
        for (std::size_t k = 0; k < shape.spans.size(); ++k)
            shape.spans[k] = rows.span(shape.firstRow + int(k));
        return &shape;
    }

    // Copy j, rows up to rowMax.
    void drawCopy(const Segment& s, long long j, QRgb c, int rowMax)
    {
        const int ya = rowA(s, j), yb = rowB(s, j);
        const Shape* shape = shapeFor(s, (long long)yb - ya);
        if (!shape) {
            canvas_.penLine(s.xa, ya, s.xb, yb, kTerrainPen, c, 0, rowMax);
            return;
        }
        const int top = ya + shape->firstRow;
        const int first = std::max(top, 0);
        const int last = std::min({top + int(shape->spans.size()) - 1, m_.H - 1, rowMax});
        for (int r = first; r <= last; ++r) {
            const PenRows::Span span = shape->spans[r - top];
            if (span.first <= span.last)
                std::fill(canvas_.row(r) + span.first, canvas_.row(r) + span.last + 1, c);
        }
    }

    // First and last rows per pixel column of the image, from column `from` on;
    // false when some column of the segment is not covered.
    bool columnsOf(Shape& shape, int from, int to)
    {
        if (shape.columnsDone)
            return true;
        const int width = to - from + 1;
        shape.colTop.assign(width, INT_MAX);
        shape.colBottom.assign(width, INT_MIN);
        for (std::size_t k = 0; k < shape.spans.size(); ++k) {
            const PenRows::Span span = shape.spans[k];
            const int row = shape.firstRow + int(k);
            for (int c = std::max(span.first, from); c <= std::min(span.last, to); ++c) {
                shape.colTop[c - from] = std::min(shape.colTop[c - from], row);
                shape.colBottom[c - from] = std::max(shape.colBottom[c - from], row);
            }
        }
        for (int c = 0; c < width; ++c)
            if (shape.colTop[c] > shape.colBottom[c])
                return false;
        shape.columnsDone = true;
        return true;
    }

    void drawSegment(const Segment& s, int limit)
    {
        shapeCount_ = 0;
        const long long lastTop = std::min<long long>(s.jLast, kMaxShade - 1);
        for (long long j = s.jFirst; j <= lastTop; ++j)
            drawCopy(s, j, shadeOf(j), INT_MAX);
        const long long firstDeep = std::max<long long>(s.jFirst, kMaxShade);
        if (firstDeep > s.jLast)
            return;
        const QRgb deep = shades_[kMaxShade];
        if (!deferDeep(s, firstDeep, limit))
            for (long long j = firstDeep; j <= s.jLast; ++j)
                drawCopy(s, j, deep, INT_MAX);
    }

    // The deep copies as described above the class; false when they must be
    // drawn one by one.
    bool deferDeep(const Segment& s, long long firstDeep, int limit)
    {
        constexpr int kExact = 1 << 20; // pen line arithmetic is exact well within this
        const int from = std::max(s.colFirst, 0), to = std::min(s.colLast, m_.W - 1);
        const int ya0 = rowA(s, firstDeep), yb0 = rowB(s, firstDeep);
        const int ya1 = rowA(s, s.jLast), yb1 = rowB(s, s.jLast);
        if (!runsUnbroken_ || limit >= m_.H - 1 || from > to || std::abs(s.xa) > kExact || std::abs(s.xb) > kExact ||
            std::abs(ya0) > kExact || std::abs(yb0) > kExact || std::abs(ya1) > kExact || std::abs(yb1) > kExact)
            return false;
        Shape* firstShape = shapeFor(s, (long long)yb0 - ya0);
        if (!firstShape || !columnsOf(*firstShape, from, to))
            return false;
        Shape* lastShape = shapeFor(s, (long long)yb1 - ya1);
        if (!lastShape || !columnsOf(*lastShape, from, to))
            return false;
        // shapeFor may have reused firstShape's slot.
        if (firstShape->dy != (long long)yb0 - ya0)
            return false;
        // The runs first: drawing the copies below may reuse the shapes' slots.
        for (int c = from; c <= to; ++c) {
            const int top = std::max({ya0 + firstShape->colTop[c - from], limit + 1, 0});
            const int bottom = std::min(ya1 + lastShape->colBottom[c - from], m_.H - 1);
            if (top <= bottom)
                defer(c, top, bottom);
        }
        const QRgb deep = shades_[kMaxShade];
        for (long long j = firstDeep; j <= s.jLast; ++j) {
            const int ya = rowA(s, j), yb = rowB(s, j);
            if (std::min(ya, yb) - kTerrainPen / 2 > limit)
                break;
            drawCopy(s, j, deep, limit);
        }
        return true;
    }

    void defer(int c, int top, int bottom)
    {
        int& t = deferTop_[c];
        int& b = deferBottom_[c];
        if (t > b) {
            t = top;
            b = bottom;
        } else if (top <= b + 1 && bottom >= t - 1) {
            t = std::min(t, top);
            b = std::max(b, bottom);
        } else {
            canvas_.fillColumn(c, t, b, shades_[kMaxShade]);
            t = top;
            b = bottom;
        }
        deferRows_[0] = std::min(deferRows_[0], t);
        deferRows_[1] = std::max(deferRows_[1], b);
        deferCols_[0] = std::min(deferCols_[0], c);
        deferCols_[1] = std::max(deferCols_[1], c);
    }

    // Row by row over the columns with runs; a select rather than a branch per
    // pixel, so the compiler fills several pixels at once.
    void fillDeferred()
    {
        if (deferCols_[0] > deferCols_[1])
            return; // nothing was left for the end
        const QRgb deep = shades_[kMaxShade];
        const int c0 = deferCols_[0], n = deferCols_[1] - c0 + 1;
        const int* __restrict top = deferTop_.data() + c0;
        const int* __restrict bottom = deferBottom_.data() + c0;
        // Rows within every column's run are filled whole.
        int wholeFirst = INT_MIN, wholeLast = INT_MAX;
        for (int c = 0; c < n; ++c) {
            wholeFirst = std::max(wholeFirst, top[c]);
            wholeLast = std::min(wholeLast, bottom[c]);
        }
        for (int r = deferRows_[0]; r <= deferRows_[1]; ++r) {
            QRgb* __restrict line = canvas_.row(r) + c0;
            if (r >= wholeFirst && r <= wholeLast) {
                std::fill(line, line + n, deep);
                continue;
            }
            for (int c = 0; c < n; ++c)
                line[c] = ((top[c] <= r) & (r <= bottom[c])) ? deep : line[c];
        }
    }

    static constexpr int kShapeSlots = 4;

    PixelCanvas& canvas_;
    const PixelMap& m_;
    long long copies_;
    QRgb shades_[kMaxShade + 1];
    bool runsUnbroken_ = false;
    std::vector<Segment> segments_;
    Shape shapes_[kShapeSlots];
    int shapeCount_ = 0;
    std::vector<int> deferTop_, deferBottom_;
    int deferRows_[2] = {INT_MAX, INT_MIN};
    int deferCols_[2] = {INT_MAX, INT_MIN};
};

void drawTerrain(PixelCanvas& canvas, const Backdrop& b, const Geometry& g)
{
    const double step = g.step;
    double first = 1, last = kColumns;
    if (b.landMode) {
        if (step > 0 && std::isfinite(step)) {
            first = std::floor(513 - b.offsetX / step);
            last = 514 + (kLogicalSize - b.offsetX) / step;
        }
    } else {
        first = std::floor(513 + 2 * b.leftEnd);
        last = 513 + 4 * b.rightEnd;
    }
    // Columns outside 1..1024 do not exist.
    first = std::clamp(first, 1.0, double(kColumns) + 1);
    last = std::min(last, double(kColumns));

    const double n = b.landStyle;
    const long long copies = n >= 1 ? (long long)std::min(std::floor(n), 1e15) : 0;
    TerrainBand band(canvas, g.m, b.land, copies);

    double prevX = b.offsetX - 512 * step, prevY = b.offsetY + 30;
    bool anyColumn = false;
    for (int i = int(first); i <= last; ++i) {
        const double X = b.offsetX + (i - 513) * step;
        const double Y = b.offsetY + 30 - b.scaleY * b.landY[i];
        band.add(prevX, prevY, X, Y, true);
        prevX = X;
        prevY = Y;
        anyColumn = true;
    }
    // The copies of the closing segment follow the shade of the last column: none
    // when no column was drawn.
    band.add(prevX, prevY, b.offsetX + 511 * step, b.offsetY + 30, anyColumn);
    band.draw();
}

void drawRailLevel(PixelCanvas& canvas, const Backdrop& b, const Geometry& g)
{
    const PixelMap& m = g.m;
    double r = b.railY;
    if (r > 0)
        r = 2 * r;
    const int row = m.row(b.offsetY - b.scaleY * r);
    if (row < 0 || row >= m.H || !(g.xR >= g.xL))
        return;
    const QRgb white = qRgb(255, 255, 255);
    // Dots every 60 units from the left boundary; only those that can be inside.
    const double kFirst = std::max(0.0, std::floor((0 - g.xL) / 60) - 1);
    const double kLast = std::min(std::floor((g.xR - g.xL) / 60), std::ceil((m.LW - g.xL) / 60) + 1);
    const double count = std::min(kLast - kFirst, 1e6);
    for (long long i = 0; i <= count; ++i) {
        const double x = g.xL + 60 * (kFirst + double(i));
        if (x <= g.xR)
            canvas.dot(m.col(x), row, 1, white);
    }
}

void drawTrain(PixelCanvas& canvas, const Backdrop& b, const Geometry& g)
{
    const PixelMap& m = g.m;
    const QRgb c = rgbOf(b.trainColor);
    const double w = 32 * b.scaleX;
    const double top = b.offsetY - 7 * b.scaleY;
    const double a = b.offsetX + w * (b.leftEnd + 6.5);
    canvas.fillRect(m.col(a - w), m.row(top), m.col(a), m.row(b.offsetY), c);
    const double e = b.offsetX + 2 * w * (b.rightEnd - 2);
    canvas.fillRect(m.col(e + w), m.row(top), m.col(e), m.row(b.offsetY), c);
}

// Everything under the points and lines, from the backdrop alone.
void drawBackdrop(PixelCanvas& canvas, const Backdrop& b)
{
    const Geometry g = geometryOf(b);
    drawBackground(canvas, b, g);
    if (b.boundaries)
        drawBoundaries(canvas, b, g);
    if (b.raillevel)
        drawRailLevel(canvas, b, g);
    drawTerrain(canvas, b, g);
    if (b.train)
        drawTrain(canvas, b, g);
}

void drawPoints(PixelCanvas& canvas, const PixelMap& m, const RenderInputs& in, int nPoints)
{
    const QRgb fixed = rgbOf(in.ColorTable[ColorFixpoint]), soft = rgbOf(in.ColorTable[ColorPoint]);
    for (int i = 1; i <= nPoints; ++i) {
        const ViewPoint P = ToScreen(in.view, in.tables.PntX[i], in.tables.PntY[i]);
        canvas.dot(m.col(P.x), m.row(P.y), in.view.PointSize, isFixedPoint(in.doc.Pnt[i]) ? fixed : soft);
    }
}

// Lines in their index order; where lines meet, the one drawn last shows.
void drawLines(PixelCanvas& canvas, const PixelMap& m, const RenderInputs& in, int nPoints)
{
    const auto& ct = in.ColorTable;
    const DerivedTables& t = in.tables;
    const int nLines = std::min<int>(in.doc.NLines, int(t.LinA.size()) - 1);
    const QRgb line = rgbOf(ct[ColorLine]), rail = rgbOf(ct[ColorRail]);
    for (int i = 1; i <= nLines; ++i) {
        QRgb c;
        switch (t.LinKind[i]) {
        case 0: c = qRgb(0, 0, 0); break;
        case 1: c = line; break;
        case 2: c = rail; break;
        case 3: c = qRgb(0, 0, 255); break;
        default: continue;
        }
        const int a = t.LinA[i], b = t.LinB[i];
        if (a < 1 || a > nPoints || b < 1 || b > nPoints)
            continue; // an end that names no point: nothing to draw
        const ViewPoint A = ToScreen(in.view, t.PntX[a], t.PntY[a]);
        const ViewPoint B = ToScreen(in.view, t.PntX[b], t.PntY[b]);
        drawLine(canvas, m, m.col(A.x), m.row(A.y), m.col(B.x), m.row(B.y), c);
    }
}

void drawFileName(QPainter& p, const PixelMap& m, const RenderInputs& in)
{
    const int x = m.col(50), y = m.row(1);
    p.setPen(QPen(colorFromPacked(in.ColorTable[ColorBack]), 1));
    p.drawPoint(x, y);
    QFont font = in.font;
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(in.foreground.isValid() ? in.foreground : colorFromPacked(in.ColorTable[ColorRail]));
    p.drawText(QRect(x, y, std::max(m.W - x, 1), std::max(m.H - y, 1)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
               QString::fromStdString(previewFileLabel(in.filePath)));
}

} // namespace

uint32_t landShade(uint32_t land, int shade)
{
    const int d = 3 * std::max(shade - 1, 0);
    return packColor(std::max(packedRed(land) - d, 0), std::max(packedGreen(land) - d, 0),
                     std::max(packedBlue(land) - d, 0));
}

std::string previewFileLabel(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name;
}

void RenderSpringPicture(QImage& image, const SpringPicture& picture, const ViewState& view, QColor back,
                         uint32_t fixColor, double logicalWidth, double logicalHeight)
{
    PixelCanvas canvas(image);
    const PixelMap m{canvas.width(), canvas.height(), logicalWidth > 0 ? logicalWidth : kLogicalSize,
                     logicalHeight > 0 ? logicalHeight : kLogicalSize};
    if (m.W <= 0 || m.H <= 0)
        return;
    canvas.fillRect(0, 0, m.W - 1, m.H - 1, back.rgb());
    const QRgb fixed = rgbOf(fixColor);
    for (const SpringPicture::Point& pt : picture.fixedPoints) {
        const ViewPoint P = ToScreen(view, pt.x, pt.y);
        canvas.dot(m.col(P.x), m.row(P.y), view.PointSize, fixed);
    }
    for (const SpringPicture::Line& l : picture.lines) {
        const ViewPoint A = ToScreen(view, l.ax, l.ay), B = ToScreen(view, l.bx, l.by);
        drawLine(canvas, m, m.col(A.x), m.row(A.y), m.col(B.x), m.row(B.y), rgbOf(l.color));
    }
}

namespace {

// The scene with the backdrop step given: drawn, or copied from a cache.
template <class BackdropStep>
RenderResult renderScene(QImage& image, const RenderInputs& in, BackdropStep&& backdropStep)
{
    RenderResult f;
    const DerivedTables& t = in.tables;
    const int nPoints = std::min<int>(in.doc.NPoints, int(t.PntX.size()) - 1);
    if (nPoints <= 0)
        return f;

    const ViewState& v = in.view;
    f.drawn = true;
    f.xL = v.OffsetX + v.ScaleX * 32 * t.LeftEnd;
    f.xR = v.OffsetX + v.ScaleX * 64 * t.RightEnd;
    f.TopY = v.OffsetY - 256 * v.ScaleY;
    f.BottomY = v.OffsetY + 256 * v.ScaleY;
    f.WaterTopY = v.OffsetY - v.ScaleY * t.WaterY;
    f.step = 16 * v.ScaleX;

    PixelCanvas canvas(image);
    const PixelMap m{canvas.width(), canvas.height(), in.logicalWidth > 0 ? in.logicalWidth : kLogicalSize,
                     in.logicalHeight > 0 ? in.logicalHeight : kLogicalSize};
    if (m.W <= 0 || m.H <= 0)
        return f;

    backdropStep(canvas, backdropOf(in, m, image.format()));
    if (!in.lineMode || in.showPoints)
        drawPoints(canvas, m, in, nPoints);
    if (in.lineMode && in.doc.NLines != 0)
        drawLines(canvas, m, in, nPoints);
    if (in.fileNameT && in.preview) {
        QPainter p;
        beginPainter(p, image);
        drawFileName(p, m, in);
    }
    return f;
}

} // namespace

RenderResult RenderView(QImage& image, const RenderInputs& in)
{
    return renderScene(image, in, [](PixelCanvas& canvas, const Backdrop& b) { drawBackdrop(canvas, b); });
}

RenderResult RenderView(QImage& image, const RenderInputs& in, RenderCache& cache)
{
    return renderScene(image, in, [&cache](PixelCanvas& canvas, const Backdrop& b) {
        const std::size_t rowBytes = std::size_t(canvas.width()) * sizeof(QRgb);
        RenderCache::Layers* kept = cache.layers_.get();
        if (kept && kept->key == b) {
            for (int r = 0; r < canvas.height(); ++r)
                std::memcpy(canvas.row(r), kept->pixels.constScanLine(r), rowBytes);
            ++cache.reuses_;
            return;
        }
        drawBackdrop(canvas, b);
        if (!kept) {
            cache.layers_ = std::make_unique<RenderCache::Layers>();
            kept = cache.layers_.get();
        }
        if (kept->pixels.width() != b.width || kept->pixels.height() != b.height || kept->pixels.format() != b.format)
            kept->pixels = QImage(b.width, b.height, b.format);
        for (int r = 0; r < canvas.height(); ++r)
            std::memcpy(kept->pixels.scanLine(r), canvas.row(r), rowBytes);
        kept->key = b;
    });
}

} // namespace trv
