// Filling pixels of a 32-bit image directly: spans, rectangles, dots and lines of
// a square pen. The scene's wide shapes (gradient bands, terrain band, points,
// boxes) are drawn with these because they are exact to the pixel and cost no
// per-call overhead, which matters for the terrain band's 150 copies per column.
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

private:
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace trv
