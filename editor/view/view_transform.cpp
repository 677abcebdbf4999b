#include "view_transform.h"

#include "words.h"

#include <algorithm>
#include <cmath>

namespace trv {

namespace {

// Rounds halves to even and keeps the result within a scroll bar's range; a value
// that is not a number leaves the bar where it was.
int roundIntoRange(double v, int lo, int hi, int current)
{
    if (std::isnan(v))
        return current;
    return std::clamp(roundHalfEven32(v), int32_t(lo), int32_t(hi));
}

} // namespace

ViewState UpdateViewScale(double picWidth, double picHeight, double xyDiff, int zoom, int xOff, int yOff)
{
    ViewState v;
    const double aspect = picHeight > 0 ? picWidth / picHeight : 1.0;
    // A zero or negative divisor would flip or break the horizontal scale.
    v.ScaleDivX = std::max<int32_t>(1, roundHalfEven32(aspect * xyDiff));

    const double z = zoom;
    const double q = (z / 10 + 10) * (z / 10 + 10);
    v.ScaleX = q / v.ScaleDivX;
    v.ScaleY = q / 100;
    v.OffsetX = 4096 + 2 * v.ScaleX * xOff;
    v.OffsetY = 4096 + v.ScaleY * yOff;

    const double a = std::floor(z / 60);
    const double b = std::min(6.0, std::floor(picHeight / 1400));
    const double p = std::floor((a + b) / 2);
    v.PointSize = p > 4 ? 6 : p < 2 ? 2 : int16_t(p);
    return v;
}

ViewPoint ToScreen(const ViewState& v, double x, double y)
{
    return {v.OffsetX + v.ScaleX * x, v.OffsetY - v.ScaleY * y};
}

ViewPoint ToDisplay(const ViewState& v, double X, double Y)
{
    return {(X - v.OffsetX) / v.ScaleX, (v.OffsetY - Y) / v.ScaleY};
}

double pixelToLogical(int p, int pixels, double logical) { return (p + 0.5) * logical / pixels; }

ScrollPosition AutoScrollAtEdges(int nPoints, bool autoScroll, bool preview, bool buttonsPressed, double X, double Y,
                                 double scrollSize, int xOff, int yOff, const ViewState& v, double edgeL)
{
    ScrollPosition r{xOff, yOff};
    if (nPoints == 0 || !autoScroll || preview || buttonsPressed)
        return r;
    const double E = edgeL / 1.7;
    const double S = scrollSize;
    if (X < E) {
        const double x = r.XOff + S / v.ScaleX;
        r.XOff = x > kXOffMax ? kXOffMax : roundIntoRange(x, kXOffMin, kXOffMax, r.XOff);
    }
    if (X > kLogicalSize - E) {
        const double x = r.XOff - S / v.ScaleX;
        r.XOff = x < kXOffMin ? kXOffMin : roundIntoRange(x, kXOffMin, kXOffMax, r.XOff);
    }
    if (Y > kLogicalSize - edgeL) {
        const double y = r.YOff - 2.5 * S / v.ScaleY;
        r.YOff = y < kYOffMin ? kYOffMin : roundIntoRange(y, kYOffMin, kYOffMax, r.YOff);
    }
    return r;
}

int scrollUpHoverStep(bool autoScroll, double scrollSize, int yOff, const ViewState& v)
{
    if (!autoScroll)
        return yOff;
    const double y = yOff + 2.5 * scrollSize / v.ScaleY;
    return y > kYOffMax ? kYOffMax : roundIntoRange(y, kYOffMin, kYOffMax, yOff);
}

LayoutGeometry layoutGeometry(const LayoutInput& in)
{
    LayoutGeometry g;
    g.byScrollLeft = in.windowWidth - 1.5 * in.yOffWidth - in.byScrollWidth;
    g.center3Left = g.byScrollLeft;
    if (in.autoScroll) {
        g.picWidth = in.windowWidth - 127;
        g.picHeight = in.windowHeight - in.picTop - 697;
    } else {
        g.placesScrollBars = true;
        g.centerLeft = in.windowWidth - 1.442 * in.yOffWidth;
        g.centerTop = in.windowHeight - in.yOffTop + 22;
        g.xOffTop = g.centerTop;
        g.xOffWidth = g.centerLeft;
        g.yOffLeft = g.centerLeft;
        const double h = g.centerTop - 3.77 * in.centerHeight;
        g.yOffHeight = h <= 1 ? 1 : h;
        g.picWidth = g.xOffWidth - 14;
        g.picHeight = g.yOffHeight - 13;
    }
    // A window narrower or shorter than its controls leaves no drawing area
    // rather than one of negative size.
    g.picWidth = std::max(0.0, g.picWidth);
    g.picHeight = std::max(0.0, g.picHeight);
    return g;
}

PreviewFit previewFit(const ViewState& v, double leftEnd, double rightEnd, double bmpLeft, double bmpRight,
                      double picWidth)
{
    PreviewFit f;
    f.OffsetX = 10 * bmpLeft - 32 * leftEnd * v.ScaleX - 3;
    const double t = picWidth / kLogicalSize;
    const double w = t * (v.ScaleX * (64 * rightEnd - 32 * leftEnd) + 10 * bmpRight + 10 * bmpLeft - 2);
    if (w > 0 && t > 0 && std::isfinite(w)) {
        f.resize = true;
        f.picWidth = w;
        f.logicalWidth = w / t;
    } else {
        f.picWidth = picWidth;
    }
    return f;
}

} // namespace trv
