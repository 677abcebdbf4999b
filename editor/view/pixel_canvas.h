// Filling pixels of a 32-bit image directly: spans, rectangles, dots, lines of a
// square pen and one-pixel lines. The whole scene is drawn with these because
// they are exact to the pixel and cost no per-call overhead, which matters for
// the terrain band's 150 copies per column and the document's 8,190 lines.
#pragma once
#include <QImage>

namespace trv {

class PixelCanvas {
public:
    // The image is converted to Format_RGB32 unless it already has a 32-bit
    // opaque-compatible format.
    explicit PixelCanvas(QImage& image);

    int width() const { return width_; }
    int height() const { return height_; }

    // Pixels x0..x1 of row y (inclusive, either order), clipped to the image.
    void fillRow(int y, int x0, int x1, QRgb c);
    // Rectangle with both corner pixels included, corners in either order.
    void fillRect(int x0, int y0, int x1, int y1, QRgb c);
    // A dot of a pen w pixels wide centred on pixel (x, y): w x w pixels, from
    // x - w / 2 (integer division) on. Widths below 1 count as 1.
    void dot(int x, int y, int w, QRgb c);
    // A line between the centres of two pixels drawn with a square pen w pixels
    // wide: every pixel the pen covers while its centre slides along the segment.
    // Its ends therefore stick out by half the pen, like square caps, and a line
    // whose ends coincide is the dot above.
    void penLine(int x0, int y0, int x1, int y1, int w, QRgb c);
    // The same, limited to rows rowMin..rowMax.
    void penLine(int x0, int y0, int x1, int y1, int w, QRgb c, int rowMin, int rowMax);
    // Pixels of column x, rows y0..y1 (inclusive, either order), clipped.
    void fillColumn(int x, int y0, int y1, QRgb c);
    // The pixels of row y (0 <= y < height) for callers filling whole runs.
    QRgb* row(int y) { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }
    // A one-pixel line between two points given as pixel indices: exactly the
    // pixels QPainter's raster engine sets for an aliased pen one pixel wide with
    // square caps on an untransformed image, so pictures stay the same whichever
    // draws them. Between whole numbers that is both end pixels and one pixel
    // per step along the longer axis. Endpoints may be fractional and outside
    // the image; they must be finite.
    void line(double x0, double y0, double x1, double y1, QRgb c);

private:
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// The rows of a penLine one at a time. A line moved by whole rows covers the same
// columns in the moved rows, so a caller drawing many such copies works the
// rows out once.
class PenRows {
public:
    struct Span {
        int first, last; // clipped to the image's columns; first > last when empty
    };
    PenRows(int x0, int y0, int x1, int y1, int w, int imageWidth);
    // The rows the pen covers, not clipped to the image.
    int firstRow() const { return first_; }
    int lastRow() const { return last_; }
    // True when no column of the image is covered.
    bool outside() const { return outside_; }
    Span span(int r) const;

private:
    int width_;
    double h_ = 0;
    int x0_ = 0, y0_ = 0, y1_ = 0;
    int first_ = 0, last_ = -1;
    bool outside_ = false;
    double slope_ = 0;
    Span flat_{0, -1};
};

} // namespace trv
