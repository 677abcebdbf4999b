#include "renderer.h"

#include "derived.h"
#include "document.h"
#include "pixel_canvas.h"
#include "spring.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace trv {

namespace {

constexpr int kTerrainPen = 4;    // 3.5 rounded halves to even
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

// One-pixel lines for QPainter, between pixel indices (Qt draws a line between
// integer coordinates on exactly those pixels, both ends included). Lines reaching
// far outside the image are cut first: the raster engine's fixed-point coordinates
// cannot hold every position a document and zoom can produce.
class LineBatch {
public:
    explicit LineBatch(const PixelMap& m) : m_(m) {}

    void add(int x0, int y0, int x1, int y1)
    {
        constexpr double margin = 16;
        const double lox = -margin, loy = -margin, hix = m_.W + margin, hiy = m_.H + margin;
        double a = x0, b = y0, c = x1, d = y1;
        const bool inside = a >= lox && a <= hix && c >= lox && c <= hix && b >= loy && b <= hiy && d >= loy && d <= hiy;
        if (!inside && !clipToBox(a, b, c, d, lox, loy, hix, hiy))
            return;
        lines_.emplace_back(a, b, c, d);
    }
    bool empty() const { return lines_.empty(); }
    void flush(QPainter& p, QRgb c)
    {
        if (lines_.empty())
            return;
        p.setPen(QPen(QColor(c), 1)); // one pixel: the painter has no transform
        p.drawLines(lines_.data(), int(lines_.size()));
        lines_.clear();
    }

private:
    const PixelMap& m_;
    std::vector<QLineF> lines_;
};

void beginPainter(QPainter& p, QImage& image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
}

// Bands of a 27-pixel pen from the top down, each a shade further from the Back
// colour. Each pixel row takes the colour of the last band that covers it, so the
// rows are worked out first and each is filled once.
void drawGradient(PixelCanvas& canvas, const PixelMap& m, uint32_t back, double backStyle)
{
    if (backStyle == 0 || !std::isfinite(backStyle))
        return;
    const double s = backStyle > 0 ? 1 : -1;
    // Values beyond the slider's range would make the spacing zero or negative.
    const double d = 201 - std::min(std::abs(backStyle), 200.0);
    const int half = kGradientPen / 2;
    std::vector<QRgb> rowColor(std::max(m.H, 0));
    std::vector<char> covered(rowColor.size(), 0);
    for (long long k = 1;; ++k) {
        const double y = double(k - 1) * d;
        if (y > kLogicalSize)
            break;
        const auto comp = [&](int c) { return std::clamp(int(c + s * double(std::min<long long>(k, 1000))), 0, 255); };
        const QRgb c = qRgb(comp(packedRed(back)), comp(packedGreen(back)), comp(packedBlue(back)));
        const int p = m.row(y);
        for (int r = std::max(p - half, 0); r <= std::min(p + half, m.H - 1); ++r) {
            rowColor[r] = c;
            covered[r] = 1;
        }
    }
    const int x0 = m.col(0) - half, x1 = m.col(kLogicalSize) + half;
    for (int r = 0; r < m.H; ++r)
        if (covered[r])
            canvas.fillRow(r, x0, x1, rowColor[r]);
}

// Grid lines in three colours. Lines of one direction share their extent, so in a
// pixel row (or column) that several of them fall on only the last one drawn
// shows; keeping that one per row and column lets each colour go out in one call.
void drawGrid(QPainter& p, const PixelMap& m, const RenderInputs& in, const RenderResult& f)
{
    const ViewState& v = in.view;
    const auto& ct = in.ColorTable;
    const auto gridClass = [](double value, double coarse, double middle) {
        return std::fmod(value, coarse) == 0 ? 3 : std::fmod(value, middle) == 0 ? 2 : 1;
    };
    const QRgb colors[4] = {0, rgbOf(ct[ColorGrid1]), rgbOf(ct[ColorGrid2]), rgbOf(ct[ColorGrid3])};
    LineBatch batch(m);

    std::vector<signed char> rowClass(std::max(m.H, 0), 0);
    for (int y = -256; y <= 256; y += 4) {
        const int r = m.row(v.OffsetY - v.ScaleY * y);
        if (r >= 0 && r < m.H)
            rowClass[r] = static_cast<signed char>(gridClass(y, 128, 32));
    }
    const int xa = m.col(f.xR), xb = m.col(f.xL);
    for (int cls = 1; cls <= 3; ++cls) {
        for (int r = 0; r < m.H; ++r)
            if (rowClass[r] == cls)
                batch.add(xa, r, xb, r);
        batch.flush(p, colors[cls]);
    }

    if (!(v.ScaleX > 0) || !std::isfinite(v.ScaleX))
        return;
    // Vertical lines stand on the multiples of 8 from `first` to `last`; their
    // columns never decrease along that order. Each pixel column shows the largest
    // multiple whose column it is, found from the column's right edge, so the work
    // follows the image width even when the lines are far denser than the pixels.
    const double first = 8 * std::floor(32 * in.tables.LeftEnd / 8);
    const double last = 64 * in.tables.RightEnd;
    const auto colOf = [&](double x) { return m.col(v.OffsetX + v.ScaleX * x); };
    std::vector<signed char> colClass(std::max(m.W, 0), 0);
    for (int c = 0; c < m.W && first <= last; ++c) {
        const double edge = ((c + 1) * m.LW / m.W - v.OffsetX) / v.ScaleX;
        double x = 8 * std::floor(std::min(edge, last) / 8);
        for (int k = 0; k < 64 && x >= first && colOf(x) > c; ++k)
            x -= 8;
        for (int k = 0; k < 64 && x + 8 <= last && colOf(x + 8) <= c; ++k)
            x += 8;
        if (x >= first && x <= last && colOf(x) == c)
            colClass[c] = static_cast<signed char>(gridClass(x, 256, 64));
    }
    const int ya = m.row(f.TopY), yb = m.row(f.BottomY);
    for (int cls = 1; cls <= 3; ++cls) {
        for (int c = 0; c < m.W; ++c)
            if (colClass[c] == cls)
                batch.add(c, ya, c, yb);
        batch.flush(p, colors[cls]);
    }
}

// The terrain: a surface line and `copies` copies 30 units apart below it, drawn
// column by column with a 4-pixel pen, each copy one shade darker down to the
// 14th. Copies above or below the image are skipped; they change no pixel.
class TerrainPainter {
public:
    TerrainPainter(PixelCanvas& canvas, const PixelMap& m, uint32_t land, long long copies)
        : canvas_(canvas), m_(m), copies_(copies)
    {
        shades_[0] = rgbOf(land);
        for (int s = 1; s <= kMaxShade; ++s)
            shades_[s] = rgbOf(landShade(land, s));
    }

    void segment(double Xa, double Ya, double Xb, double Yb, bool withCopies)
    {
        if (!std::isfinite(Xa) || !std::isfinite(Ya) || !std::isfinite(Xb) || !std::isfinite(Yb))
            return;
        const int xa = m_.col(Xa), xb = m_.col(Xb);
        if (std::max(xa, xb) + kTerrainPen < 0 || std::min(xa, xb) - kTerrainPen >= m_.W || m_.H <= 0)
            return;
        const long long copies = withCopies ? copies_ : 0;
        const double sy = m_.pixelsPerUnitY();
        const double margin = (kTerrainPen + 1) / sy;
        const double lo = std::floor((-margin - std::max(Ya, Yb)) / 30);
        const double hi = std::ceil((m_.LH + margin - std::min(Ya, Yb)) / 30);
        const long long jFirst = lo > 0 ? (long long)std::min(lo, double(copies) + 1) : 0;
        const long long jLast = hi < double(copies) ? (long long)std::max(hi, -1.0) : copies;
        for (long long j = jFirst; j <= jLast; ++j) {
            const QRgb c = shades_[std::min<long long>(j == 0 ? 0 : j, kMaxShade)];
            canvas_.penLine(xa, m_.row(Ya + 30.0 * double(j)), xb, m_.row(Yb + 30.0 * double(j)), kTerrainPen, c);
        }
    }

private:
    PixelCanvas& canvas_;
    const PixelMap& m_;
    long long copies_;
    QRgb shades_[kMaxShade + 1];
};

void drawTerrain(PixelCanvas& canvas, const PixelMap& m, const RenderInputs& in, const RenderResult& f)
{
    const ViewState& v = in.view;
    const DerivedTables& t = in.tables;
    const double step = f.step;
    double first = 1, last = kColumns;
    if (in.landMode) {
        if (step > 0 && std::isfinite(step)) {
            first = std::floor(513 - v.OffsetX / step);
            last = 514 + (kLogicalSize - v.OffsetX) / step;
        }
    } else {
        first = std::floor(513 + 2 * t.LeftEnd);
        last = 513 + 4 * t.RightEnd;
    }
    // Columns outside 1..1024 do not exist.
    first = std::clamp(first, 1.0, double(kColumns) + 1);
    last = std::min(last, double(kColumns));

    const double n = in.landStyle;
    const long long copies = n >= 1 ? (long long)std::min(std::floor(n), 1e15) : 0;
    TerrainPainter painter(canvas, m, in.ColorTable[ColorLand], copies);

    double prevX = v.OffsetX - 512 * step, prevY = v.OffsetY + 30;
    bool anyColumn = false;
    for (int i = int(first); i <= last; ++i) {
        const double X = v.OffsetX + (i - 513) * step;
        const double Y = v.OffsetY + 30 - v.ScaleY * t.LandY[i];
        painter.segment(prevX, prevY, X, Y, true);
        prevX = X;
        prevY = Y;
        anyColumn = true;
    }
    // The copies of the closing segment follow the shade of the last column: none
    // when no column was drawn.
    painter.segment(prevX, prevY, v.OffsetX + 511 * step, v.OffsetY + 30, anyColumn);
}

void drawRailLevel(PixelCanvas& canvas, const PixelMap& m, const RenderInputs& in, const RenderResult& f)
{
    const ViewState& v = in.view;
    double r = in.tables.RailY;
    if (r > 0)
        r = 2 * r;
    const int row = m.row(v.OffsetY - v.ScaleY * r);
    if (row < 0 || row >= m.H || !(f.xR >= f.xL))
        return;
    const QRgb white = qRgb(255, 255, 255);
    // Dots every 60 units from the left boundary; only those that can be inside.
    const double kFirst = std::max(0.0, std::floor((0 - f.xL) / 60) - 1);
    const double kLast = std::min(std::floor((f.xR - f.xL) / 60), std::ceil((m.LW - f.xL) / 60) + 1);
    const double count = std::min(kLast - kFirst, 1e6);
    for (long long i = 0; i <= count; ++i) {
        const double x = f.xL + 60 * (kFirst + double(i));
        if (x <= f.xR)
            canvas.dot(m.col(x), row, 1, white);
    }
}

void drawTrain(PixelCanvas& canvas, const PixelMap& m, const RenderInputs& in)
{
    const ViewState& v = in.view;
    const QRgb c = rgbOf(in.ColorTable[ColorTrain]);
    const double w = 32 * v.ScaleX;
    const double top = v.OffsetY - 7 * v.ScaleY;
    const double a = v.OffsetX + w * (in.tables.LeftEnd + 6.5);
    canvas.fillRect(m.col(a - w), m.row(top), m.col(a), m.row(v.OffsetY), c);
    const double b = v.OffsetX + 2 * w * (in.tables.RightEnd - 2);
    canvas.fillRect(m.col(b + w), m.row(top), m.col(b), m.row(v.OffsetY), c);
}

void drawPoints(PixelCanvas& canvas, const PixelMap& m, const RenderInputs& in, int nPoints)
{
    const QRgb fixed = rgbOf(in.ColorTable[ColorFixpoint]), soft = rgbOf(in.ColorTable[ColorPoint]);
    for (int i = 1; i <= nPoints; ++i) {
        const ViewPoint P = ToScreen(in.view, in.tables.PntX[i], in.tables.PntY[i]);
        canvas.dot(m.col(P.x), m.row(P.y), in.view.PointSize, in.doc.Pnt[i][1] == 2 ? fixed : soft);
    }
}

// Lines in their index order. Lines meet at shared points, where the one drawn
// last shows, so only runs of one colour are batched.
void drawLines(QPainter& p, const PixelMap& m, const RenderInputs& in, int nPoints)
{
    const auto& ct = in.ColorTable;
    const DerivedTables& t = in.tables;
    const int nLines = std::min<int>(in.doc.NLines, int(t.LinA.size()) - 1);
    LineBatch batch(m);
    QRgb current = 0;
    for (int i = 1; i <= nLines; ++i) {
        QRgb c;
        switch (t.LinKind[i]) {
        case 0: c = qRgb(0, 0, 0); break;
        case 1: c = rgbOf(ct[ColorLine]); break;
        case 2: c = rgbOf(ct[ColorRail]); break;
        case 3: c = qRgb(0, 0, 255); break;
        default: continue;
        }
        const int a = t.LinA[i], b = t.LinB[i];
        if (a < 1 || a > nPoints || b < 1 || b > nPoints)
            continue;  // an end that names no point: nothing to draw
        if (c != current && !batch.empty())
            batch.flush(p, current);
        current = c;
        const ViewPoint A = ToScreen(in.view, t.PntX[a], t.PntY[a]);
        const ViewPoint B = ToScreen(in.view, t.PntX[b], t.PntY[b]);
        batch.add(m.col(A.x), m.row(A.y), m.col(B.x), m.row(B.y));
    }
    batch.flush(p, current);
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
    if (picture.lines.empty())
        return;
    QPainter p;
    beginPainter(p, image);
    LineBatch batch(m);
    QRgb current = 0;
    for (const SpringPicture::Line& l : picture.lines) {
        const QRgb c = rgbOf(l.color);
        if (c != current && !batch.empty())
            batch.flush(p, current);
        current = c;
        const ViewPoint A = ToScreen(view, l.ax, l.ay), B = ToScreen(view, l.bx, l.by);
        batch.add(m.col(A.x), m.row(A.y), m.col(B.x), m.row(B.y));
    }
    batch.flush(p, current);
}

RenderResult RenderView(QImage& image, const RenderInputs& in)
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
    const auto& ct = in.ColorTable;

    canvas.fillRect(0, 0, m.W - 1, m.H - 1, rgbOf(ct[ColorBack]));
    drawGradient(canvas, m, ct[ColorBack], in.backStyle);
    canvas.fillRect(m.col(f.xL), m.row(f.WaterTopY), m.col(f.xR), m.row(f.BottomY), rgbOf(ct[ColorWater]));

    if (in.grid || in.boundaries) {
        QPainter p;
        beginPainter(p, image);
        if (in.grid)
            drawGrid(p, m, in, f);
        if (in.boundaries) {
            LineBatch batch(m);
            const int l = m.col(f.xL), r = m.col(f.xR), top = m.row(f.TopY), bottom = m.row(f.BottomY);
            batch.add(l, top, r, top);
            batch.add(l, bottom, r, bottom);
            batch.add(r, top, r, bottom);
            batch.add(l, top, l, bottom);
            batch.flush(p, rgbOf(ct[ColorFixpoint]));
        }
    }

    if (in.raillevel)
        drawRailLevel(canvas, m, in, f);
    drawTerrain(canvas, m, in, f);
    if (in.train)
        drawTrain(canvas, m, in);
    if (!in.lineMode || in.showPoints)
        drawPoints(canvas, m, in, nPoints);

    const bool lines = in.lineMode && in.doc.NLines != 0;
    const bool name = in.fileNameT && in.preview;
    if (lines || name) {
        QPainter p;
        beginPainter(p, image);
        if (lines)
            drawLines(p, m, in, nPoints);
        if (name)
            drawFileName(p, m, in);
    }
    return f;
}

} // namespace trv
