#include "terrain_tools.h"

#include "document.h"
#include "pointer.h"
#include "text_number.h"
#include "words.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trv {

namespace {
constexpr long long kMinHeight = -17152;        // word 0
constexpr long long kMaxHeight = 32767 - 17152; // largest word of whole units

int32_t& columnWord(Document& doc, int c) { return doc.Head[size_t(headOfColumn(c))]; }
double columnHeight(const Document& doc, int c) { return wordToEditorY(doc.Head[size_t(headOfColumn(c))]); }

long long truncClamped(double v)
{
    if (std::isnan(v))
        return 0;
    return (long long)std::clamp(std::trunc(v), double(kMinHeight), double(kMaxHeight));
}
} // namespace

int32_t heightWord(long long h) { return int32_t((std::clamp(h, kMinHeight, kMaxHeight) + 17152) * 65536); }

StrokeStep terrainStrokeMove(Document& doc, double ptrX, double ptrLandY, double ptrY, bool drawFix,
                             std::string_view landFixText)
{
    StrokeStep s;
    s.column = terrainColumnAt(ptrX);
    s.ptrLandY = ptrLandY;
    if (!(std::abs(ptrX) < 8180) || s.column < 1)
        return s;
    if (drawFix) {
        // The fixed level stands in for the pointer's height and its display y.
        s.ptrLandY = parseLeadingNumber(landFixText);
        ptrY = s.ptrLandY;
    }
    s.drawn = true;
    s.x = columnDisplayX(s.column);
    s.pointerY = ptrY;
    s.oldTopY = MapDisplayY(columnHeight(doc, s.column) + 1);
    columnWord(doc, s.column) = heightWord(truncClamped(s.ptrLandY));
    return s;
}

TerrainRelease terrainRelease(bool leftButton, int terrainDrag, bool drawFix, double ptrLandY)
{
    TerrainRelease r;
    if (leftButton && terrainDrag != 0) {
        r.strokeEnded = true;
        r.edit = EditResult::step("Terrain: Draw");
        r.drawFix = drawFix;
        return r;
    }
    r.drawFix = !drawFix;
    if (r.drawFix)
        r.landFixText = formatNumber(std::trunc(ptrLandY));
    return r;
}

std::string landFixTextOnLeave(std::string_view text) { return formatNumber(parseLeadingNumber(text)); }

EditResult SmoothTerrain(Document& doc, double leftEnd, double rightEnd)
{
    if (doc.NPoints == 0)
        return {};
    // Column bounds are whole numbers; the ends may hold fractions. The right
    // end at its maximum would reach column 1025, which is the point count word.
    const double lo = std::max(1.0, std::nearbyint(513 + 2 * leftEnd));
    const double hi = std::min(double(kColumns), std::nearbyint(513 + 4 * rightEnd));
    bool changed = false;
    if (lo + 2 <= hi) { // fewer than three columns have no inner column
        const int first = int(lo), last = int(hi);
        // Every input is a height before smoothing.
        std::vector<double> h(size_t(last - first + 1));
        for (int c = first; c <= last; ++c)
            h[size_t(c - first)] = columnHeight(doc, c);
        for (int c = first + 1; c < last; ++c) {
            const size_t k = size_t(c - first);
            const double v = std::floor((h[k - 1] + 3 * h[k] + h[k + 1]) / 5);
            const int32_t w = heightWord(truncClamped(v));
            changed = changed || columnWord(doc, c) != w;
            columnWord(doc, c) = w;
        }
    }
    // Even a pass that changes nothing is a step, as every press of the button is.
    EditResult res = EditResult::step("Terrain: Smooth");
    res.changed = changed;
    return res;
}

std::optional<ColumnMarker> columnMarker(const Document& doc, int selectedRow)
{
    const int c = selectedRow + 1;
    if (c < 1 || c > kColumns)
        return std::nullopt;
    return ColumnMarker{c, columnDisplayX(c), MapDisplayY(columnHeight(doc, c))};
}

} // namespace trv
