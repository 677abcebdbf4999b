// Mapping between display units (x right, y up, one x unit half as long as one y
// unit) and the drawing area's logical units (8192 x 8192, origin top left, y
// down), the zoom and scroll arithmetic, and the geometry of the view controls.
// Plain C++: the shell owns the widgets and feeds their values in.
#pragma once
#include <cmath>
#include <cstdint>

namespace trv {

constexpr double kLogicalSize = 8192; // logical width and height of the drawing area after a layout pass
constexpr double kTwipsPerPixel = 15;

// Scroll bar ranges (first end, far end).
constexpr int kZoomMin = 1, kZoomMax = 649;
constexpr int kOpeningZoom = 301; // the zoom of a newly opened document
constexpr int kXOffMax = 4096, kXOffMin = -4080;
constexpr int kYOffMax = 255, kYOffMin = -255;

// Left position of the button whose place sets the autoscroll edge bands.
constexpr double kDefaultEdgeL = 255;

struct ViewState {
    int32_t ScaleDivX = 1; // divisor of the horizontal scale
    double ScaleX = 1;     // logical units per display x unit
    double ScaleY = 1;     // logical units per display y unit
    double OffsetX = 4096; // logical position of display (0, 0)
    double OffsetY = 4096;
    int16_t PointSize = 2; // pen width of points in pixels: 2, 3, 4 or 6
};

struct ViewPoint {
    double x = 0;
    double y = 0;
};

// The view for a drawing area of picWidth x picHeight window units (twips), the
// aspect factor XYdiff, and the values of the Zoom, XOff and YOff scroll bars.
// ScaleDivX is never below 1. An area without height (a very short window in
// autoscroll layout) is treated as square, so the scales stay finite.
ViewState UpdateViewScale(double picWidth, double picHeight, double xyDiff, int zoom, int xOff, int yOff);

// Display units -> logical units.
ViewPoint ToScreen(const ViewState& v, double x, double y);
// Logical units -> display units.
ViewPoint ToDisplay(const ViewState& v, double X, double Y);

// Conversions between a pixel index of an image and the logical units of an area
// whose extent is `logical` units over `pixels` pixels. The pixel of a logical
// coordinate is the one containing it; a pixel's logical coordinate is its centre,
// so that logicalToPixel(pixelToLogical(p)) == p whatever the rounding.
inline int logicalToPixel(double v, int pixels, double logical = kLogicalSize)
{
    const double p = std::floor(v * pixels / logical);
    // Far-away coordinates only need to stay far away, not overflow; NaN gives 0.
    return p >= -1e9 ? (p <= 1e9 ? int(p) : int(1e9)) : (p < -1e9 ? int(-1e9) : 0);
}
double pixelToLogical(int p, int pixels, double logical = kLogicalSize);

struct ScrollPosition {
    int XOff = 0;
    int YOff = 0;
};

// Autoscroll while the pointer moves near the left, right or bottom edge of the
// drawing area. X and Y are in logical units; edgeL is the left of the edge
// button (the horizontal band is edgeL / 1.7 wide, the bottom band edgeL high);
// scrollSize is the number in ScrollSize. Returns the new scroll bar values,
// rounded halves to even and kept within the scroll bar ranges; unchanged when
// the document is empty, autoscroll is off, the preview is on or a button is down.
ScrollPosition AutoScrollAtEdges(int nPoints, bool autoScroll, bool preview, bool buttonsPressed, double X, double Y,
                                 double scrollSize, int xOff, int yOff, const ViewState& v,
                                 double edgeL = kDefaultEdgeL);

// The YOff value after one pointer-move event over a "Scroll Up" button: one step
// of 2.5 * scrollSize display units up, stopping at the top end. Unchanged while
// autoscroll is off.
int scrollUpHoverStep(bool autoScroll, double scrollSize, int yOff, const ViewState& v);

// Geometry of the layout pass, in window units.
struct LayoutInput {
    double windowWidth = 0;
    double windowHeight = 0;
    double picTop = 0;        // top of the drawing area
    double yOffTop = 0;       // top of the vertical scroll bar
    double yOffWidth = 0;     // width of the vertical scroll bar
    double byScrollWidth = 0; // width of the right "Scroll Up" button
    double centerHeight = 0;  // height of the "C" button
    bool autoScroll = true;
};

struct LayoutGeometry {
    double byScrollLeft = 0; // right "Scroll Up" button
    double center3Left = 0;  // right "Center" button
    double picWidth = 0;     // never negative
    double picHeight = 0;    // never negative
    // Only set when the scroll bars are shown (autoscroll off); in autoscroll
    // layout they are hidden and keep their places.
    bool placesScrollBars = false;
    double centerLeft = 0, centerTop = 0;
    double xOffTop = 0, xOffWidth = 0;
    double yOffLeft = 0, yOffHeight = 0; // yOffHeight is at least 1
};

LayoutGeometry layoutGeometry(const LayoutInput& in);

// Export preview fitting, run at the end of a layout pass while the preview is
// on: the drawing area is made as wide as the level from boundary to boundary
// plus the margins (bmpLeft, bmpRight in tens of logical units).
struct PreviewFit {
    double OffsetX = 0;  // replaces the view's OffsetX
    bool resize = false; // false when the computed width is not positive
    double picWidth = 0; // new width of the drawing area in window units
    // Logical width of the resized area: resizing keeps the size of a logical
    // unit, so this is what the renderer must be told until the next layout pass.
    double logicalWidth = kLogicalSize;
};

PreviewFit previewFit(const ViewState& v, double leftEnd, double rightEnd, double bmpLeft, double bmpRight,
                      double picWidth);

} // namespace trv
