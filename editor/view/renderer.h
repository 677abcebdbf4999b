// The scene renderer: draws the whole document, back to front, into the drawing
// area's persistent image. QtGui only, so the shell, the bitmap export and a
// headless tool can all use it.
#pragma once
#include "colors.h"
#include "view_transform.h"

#include <QColor>
#include <QFont>
#include <QImage>

#include <memory>
#include <string>

namespace trv {

struct Document;
struct DerivedTables;

struct RenderInputs {
    RenderInputs(const Document& d, const DerivedTables& t) : doc(d), tables(t) {}

    const Document& doc;
    const DerivedTables& tables; // as derived from doc by the last load
    ViewState view;
    ColorTableArray ColorTable = kDefaultColorTable;
    // Display options.
    bool grid = true;
    bool boundaries = true;
    bool raillevel = true;
    bool train = true;
    double landStyle = 9; // terrain thickness: number of copies under the surface line
    double backStyle = 0; // background gradient, -200..200
    // Export preview (Apply) and the file name in the picture (FNameT).
    bool preview = false;
    bool fileNameT = false;
    // Edit mode: terrain mode (ELand), line mode (ELine) and "Show points".
    bool landMode = false;
    bool lineMode = false;
    bool showPoints = true;
    std::string filePath; // the text of File
    QColor foreground;    // the area's foreground colour; invalid means the Rail colour
    QFont font;           // the area's standard font
    // Logical extent of the image. A layout pass makes it 8192 x 8192; the export
    // preview widens the area while keeping the size of a logical unit (see
    // previewFit), so the width then differs.
    double logicalWidth = kLogicalSize;
    double logicalHeight = kLogicalSize;
};

// Values of one render, in logical units, for the edit tools.
struct RenderResult {
    bool drawn = false; // false when the document has no points: nothing was touched
    double xL = 0;      // left boundary
    double xR = 0;      // right boundary
    double TopY = 0;    // display y +256
    double BottomY = 0; // display y -256; the terrain tools draw down to it
    double WaterTopY = 0;
    double step = 0; // distance between terrain columns
};

// Redraws the whole image from the inputs: background and gradient, water, grid,
// boundaries, rail level, terrain, train, points, lines (line mode only) and the
// file name (preview only). Does nothing while the document has no points. Pixels,
// not antialiasing: pen widths are in pixels whatever the image size. An image
// that is not 32-bit is converted to Format_RGB32 first.
RenderResult RenderView(QImage& image, const RenderInputs& in);

// The layers under the points and lines (background, gradient, water, grid,
// boundaries, rail level, terrain, train) of the last render through it, kept
// with everything they were drawn from: the image size and format, logical
// extent, view, colours, display options, mode, and the document's ends, water
// and rail levels and terrain. A render whose layers would come out the same
// copies them instead of drawing them, so moving a point or a line, hovering or
// dragging costs a copy plus the points and lines. Nothing needs invalidating:
// any change to what the layers show makes them be drawn again.
//
// One cache per image rendered into (the drawing area, the export preview); it
// holds one image of that size. Not shared between threads.
class RenderCache {
public:
    RenderCache();
    ~RenderCache();
    RenderCache(const RenderCache&) = delete;
    RenderCache& operator=(const RenderCache&) = delete;

    // Renders that copied the kept layers instead of drawing them.
    long long reuses() const { return reuses_; }

private:
    friend RenderResult RenderView(QImage& image, const RenderInputs& in, RenderCache& cache);
    struct Layers;
    std::unique_ptr<Layers> layers_;
    long long reuses_ = 0;
};

// RenderView through a cache: the same pixels as without it.
RenderResult RenderView(QImage& image, const RenderInputs& in, RenderCache& cache);

struct SpringPicture;

// The test run's picture: the image cleared to `back`, the fixed points with a
// pen of view.PointSize pixels in `fixColor`, then every line one pixel wide in
// its strain colour. Logical extent as in RenderInputs.
void RenderSpringPicture(QImage& image, const SpringPicture& picture, const ViewState& view, QColor back,
                         uint32_t fixColor, double logicalWidth = kLogicalSize, double logicalHeight = kLogicalSize);

// The name printed in the preview picture: the part of the path after its last
// "/" or "\", without its last extension; the whole part when it has no dot.
std::string previewFileLabel(const std::string& path);

// A land colour darkened by 3 in each component per shade step after the first,
// each component stopping at 0.
uint32_t landShade(uint32_t land, int shade);

} // namespace trv
