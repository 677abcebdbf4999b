#include "pixel_canvas.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace trv {

namespace {

// ceil(v) as an int within [lo, hi]; coordinates far outside the image only need
// to stay outside it.
int ceilWithin(double v, int lo, int hi)
{
    const double c = std::ceil(v);
    if (!(c > lo))
        return lo;
    if (!(c < hi))
        return hi;
    return int(c);
}

// Moves end (a, b) of the line to a = bound along the line towards (oa, ob).
void cutEnd(double& a, double& b, double oa, double ob, double bound)
{
    b += (ob - b) / (oa - a) * (bound - a);
    a = bound;
}

// Cuts the line from (a0, b0) to (a1, b1) to lo <= a <= hi, first end first;
// false when it lies wholly outside.
bool clipAxis(double& a0, double& b0, double& a1, double& b1, double lo, double hi)
{
    if (a0 < lo) {
        if (a1 <= lo)
            return false;
        cutEnd(a0, b0, a1, b1, lo);
    } else if (a0 > hi) {
        if (a1 >= hi)
            return false;
        cutEnd(a0, b0, a1, b1, hi);
    }
    if (a1 < lo)
        cutEnd(a1, b1, a0, b0, lo);
    else if (a1 > hi)
        cutEnd(a1, b1, a0, b0, hi);
    return true;
}

// 26.6 fixed point, truncated toward zero as the raster engine does.
int64_t toFixed6(double v) { return int64_t(int(v * 64.)); }

} // namespace

PixelCanvas::PixelCanvas(QImage& image)
{
    const auto f = image.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_RGB32);
    width_ = image.width();
    height_ = image.height();
    stride_ = image.bytesPerLine();
    bits_ = image.bits();
}

void PixelCanvas::fillRow(int y, int x0, int x1, QRgb c)
{
    if (y < 0 || y >= height_)
        return;
    if (x0 > x1)
        std::swap(x0, x1);
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_ - 1);
    if (x0 > x1)
        return;
    auto* line = reinterpret_cast<QRgb*>(bits_ + y * stride_);
    std::fill(line + x0, line + x1 + 1, c);
}

void PixelCanvas::fillColumn(int x, int y0, int y1, QRgb c)
{
    if (x < 0 || x >= width_)
        return;
    if (y0 > y1)
        std::swap(y0, y1);
    y0 = std::max(y0, 0);
    y1 = std::min(y1, height_ - 1);
    if (y0 > y1)
        return;
    uchar* p = bits_ + y0 * stride_ + x * qsizetype(sizeof(QRgb));
    for (int y = y0; y <= y1; ++y, p += stride_)
        *reinterpret_cast<QRgb*>(p) = c;
}

void PixelCanvas::fillRect(int x0, int y0, int x1, int y1, QRgb c)
{
    if (y0 > y1)
        std::swap(y0, y1);
    y0 = std::max(y0, 0);
    y1 = std::min(y1, height_ - 1);
    for (int y = y0; y <= y1; ++y)
        fillRow(y, x0, x1, c);
}

void PixelCanvas::dot(int x, int y, int w, QRgb c)
{
    w = std::max(w, 1);
    const long long left = (long long)x - w / 2, top = (long long)y - w / 2;
    if (left >= 0 && top >= 0 && left + w <= width_ && top + w <= height_) {
        // Wholly inside, as nearly every point is.
        uchar* p = bits_ + top * stride_ + left * qsizetype(sizeof(QRgb));
        for (int r = 0; r < w; ++r, p += stride_) {
            auto* line = reinterpret_cast<QRgb*>(p);
            for (int k = 0; k < w; ++k)
                line[k] = c;
        }
        return;
    }
    if (left >= width_ || top >= height_ || left + w <= 0 || top + w <= 0)
        return;
    fillRect(int(left), int(top), int(left + w - 1), int(top + w - 1), c);
}

void PixelCanvas::penLine(int x0, int y0, int x1, int y1, int w, QRgb c)
{
    penLine(x0, y0, x1, y1, w, c, 0, height_ - 1);
}

void PixelCanvas::penLine(int x0, int y0, int x1, int y1, int w, QRgb c, int rowMin, int rowMax)
{
    const PenRows rows(x0, y0, x1, y1, w, width_);
    const int rowFirst = std::max({rows.firstRow(), rowMin, 0});
    const int rowLast = std::min({rows.lastRow(), rowMax, height_ - 1});
    if (rowFirst > rowLast || rows.outside())
        return;
    for (int r = rowFirst; r <= rowLast; ++r) {
        const PenRows::Span s = rows.span(r);
        if (s.first <= s.last) {
            auto* line = reinterpret_cast<QRgb*>(bits_ + r * stride_);
            std::fill(line + s.first, line + s.last + 1, c);
        }
    }
}

PenRows::PenRows(int x0, int y0, int x1, int y1, int w, int imageWidth) : width_(imageWidth)
{
    w = std::max(w, 1);
    h_ = w / 2.0;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    x0_ = x0;
    y0_ = y0;
    y1_ = y1;
    // Pixel (col, row) is covered when the pen centre, somewhere on the segment,
    // lies in (col - h, col + h] x (row - h, row + h].
    constexpr int kFar = 1 << 30;
    first_ = ceilWithin(y0 - h_, -kFar, kFar);
    last_ = ceilWithin(y1 + h_, -kFar, kFar) - 1;
    outside_ = std::min(x0, x1) - h_ >= width_ || std::max(x0, x1) + h_ < 0;
    if (y0 == y1) {
        flat_.first = ceilWithin(std::min(x0, x1) - h_, 0, width_);
        flat_.last = ceilWithin(std::max(x0, x1) + h_, 0, width_) - 1;
    } else {
        slope_ = (double(x1) - x0) / (double(y1) - y0);
    }
}

PenRows::Span PenRows::span(int r) const
{
    if (y0_ == y1_)
        return flat_;
    // The pen centre's x over the rows it can cover from row r, as a range. The
    // slope is a quotient of small integers, so a bound that should be whole is
    // off by far less than kSlack and is taken as whole.
    constexpr double kSlack = 1e-7;
    const double lo = std::max<double>(y0_, r - h_), hi = std::min<double>(y1_, r + h_);
    double xl = x0_ + slope_ * (lo - y0_), xr = x0_ + slope_ * (hi - y0_);
    if (slope_ < 0)
        std::swap(xl, xr);
    return {ceilWithin(xl - h_ - kSlack, 0, width_), ceilWithin(xr + h_ - kSlack, 0, width_) - 1};
}

void PixelCanvas::line(double x0, double y0, double x1, double y1, QRgb c)
{
    const auto plot = [&](int64_t x, int64_t y) {
        if (x >= 0 && x < width_ && y >= 0 && y < height_)
            reinterpret_cast<QRgb*>(bits_ + y * stride_)[x] = c;
    };
    // Ends closer than the painter's fuzzy point comparison make a single pixel.
    if (std::abs(x1 - x0) <= 1e-12 && std::abs(y1 - y0) <= 1e-12) {
        plot(qRound(x0), qRound(y0));
        return;
    }
    // Cut to one pixel beyond each edge, in floating point and in the same order
    // as the raster engine, so fractional ends round the same way.
    const double xmin = -1, xmax = width_ + 1.0, ymin = -1, ymax = height_ + 1.0;
    if (!clipAxis(x0, y0, x1, y1, xmin, xmax) || !clipAxis(y0, x0, y1, x1, ymin, ymax))
        return;

    // Fixed-point stepping along the longer axis: 26.6 ends, a 16.16 position on
    // the other axis, half a pixel added at both ends for the square caps, and
    // one pixel per whole step from the first pixel centre inside.
    int64_t a0 = toFixed6(x0), b0 = toFixed6(y0), a1 = toFixed6(x1), b1 = toFixed6(y1);
    const bool steep = std::abs(a1 - a0) < std::abs(b1 - b0);
    if (steep) {
        std::swap(a0, b0);
        std::swap(a1, b1);
    }
    if (a0 == a1)
        return;
    if (a0 > a1) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const int64_t inc = (b1 - b0) * 65536 / (a1 - a0);
    int64_t pos = b0 * 1024 - (inc >> 1);
    a0 -= 32;
    a1 += 32;
    int64_t step = (a0 + 32) >> 6;
    const int64_t stop = (a1 + 32) >> 6;
    if (step == stop)
        return;
    pos += ((step * 64 + (inc > 0 ? 32 : 0) - a0) * inc) >> 6;
    // The other axis moves one way, so its first and last pixels bound it: a
    // line wholly inside, as most are, is drawn without a check per pixel.
    const int64_t across0 = pos >> 16, across1 = (pos + (stop - 1 - step) * inc) >> 16;
    const int64_t alongSize = steep ? height_ : width_, acrossSize = steep ? width_ : height_;
    if (step >= 0 && stop <= alongSize && std::min(across0, across1) >= 0 && std::max(across0, across1) < acrossSize) {
        if (steep) {
            for (uchar* p = bits_ + step * stride_; step < stop; ++step, pos += inc, p += stride_)
                reinterpret_cast<QRgb*>(p)[pos >> 16] = c;
        } else {
            for (auto* first = reinterpret_cast<QRgb*>(bits_); step < stop; ++step, pos += inc)
                reinterpret_cast<QRgb*>(reinterpret_cast<uchar*>(first) + (pos >> 16) * stride_)[step] = c;
        }
        return;
    }
    for (; step < stop; ++step, pos += inc) {
        if (steep)
            plot(pos >> 16, step);
        else
            plot(step, pos >> 16);
    }
}

} // namespace trv
