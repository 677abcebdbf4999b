#include "pixel_canvas.h"

#include <algorithm>
#include <cmath>
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
    if (left >= width_ || top >= height_ || left + w <= 0 || top + w <= 0)
        return;
    fillRect(int(left), int(top), int(left + w - 1), int(top + w - 1), c);
}

void PixelCanvas::penLine(int x0, int y0, int x1, int y1, int w, QRgb c)
{
    w = std::max(w, 1);
    const double h = w / 2.0;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    // Pixel (col, row) is covered when the pen centre, somewhere on the segment,
    // lies in (col - h, col + h] x (row - h, row + h].
    const int rowFirst = ceilWithin(y0 - h, 0, height_);
    const int rowLast = ceilWithin(y1 + h, 0, height_) - 1;
    if (rowFirst > rowLast || std::min(x0, x1) - h >= width_ || std::max(x0, x1) + h < 0)
        return;
    if (y0 == y1) {
        const int colFirst = ceilWithin(std::min(x0, x1) - h, 0, width_);
        const int colLast = ceilWithin(std::max(x0, x1) + h, 0, width_) - 1;
        for (int r = rowFirst; r <= rowLast && colFirst <= colLast; ++r) {
            auto* line = reinterpret_cast<QRgb*>(bits_ + r * stride_);
            std::fill(line + colFirst, line + colLast + 1, c);
        }
        return;
    }
    // The pen centre's x over the rows it can cover from row r, as a range. The
    // slope is a quotient of small integers, so a bound that should be whole is
    // off by far less than kSlack and is taken as whole.
    constexpr double kSlack = 1e-7;
    const double slope = (double(x1) - x0) / (double(y1) - y0);
    for (int r = rowFirst; r <= rowLast; ++r) {
        const double lo = std::max<double>(y0, r - h), hi = std::min<double>(y1, r + h);
        double xl = x0 + slope * (lo - y0), xr = x0 + slope * (hi - y0);
        if (slope < 0)
            std::swap(xl, xr);
        const int colFirst = ceilWithin(xl - h - kSlack, 0, width_);
        const int colLast = ceilWithin(xr + h - kSlack, 0, width_) - 1;
        if (colFirst <= colLast) {
            auto* line = reinterpret_cast<QRgb*>(bits_ + r * stride_);
            std::fill(line + colFirst, line + colLast + 1, c);
        }
    }
}

} // namespace trv
