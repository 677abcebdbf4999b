// Terrain tools: freehand and fixed-level strokes, the fixed-level toggle and
// smoothing. Heights written here are whole editor units.
#pragma once
#include "edit_result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trv {

struct Document;

// Word of a whole height in editor units, limited to the words that hold one.
int32_t heightWord(long long h);

// One pointer move while a stroke is under way. The column under the pointer
// is written (only that one: there is no interpolation between moves) when
// |ptrX| < 8180; further out the move only selects the column's list row.
struct StrokeStep {
    int column = 0;      // column under the pointer, 0..1023
    bool drawn = false;  // the column's word was written; TerrainDrag := column
    double ptrLandY = 0; // the height used (the fixed level when "Fixed lvl" is on)
    // Preview while the stroke lasts, in display units at display x `x`: erase
    // from pointerY to oldTopY (just above the old top) in the Back colour, then
    // draw from the bottom of the view up to pointerY in the Selected colour.
    double x = 0;
    double pointerY = 0;
    double oldTopY = 0;
};
StrokeStep terrainStrokeMove(Document& doc, double ptrX, double ptrLandY, double ptrY, bool drawFix,
                             std::string_view landFixText);

// A button release in terrain mode: the left release of a stroke ends it and
// records it; any other release toggles "Fixed lvl", and switching it on puts
// the height under the pointer into the fixed-level box.
struct TerrainRelease {
    bool strokeEnded = false;
    EditResult edit;                        // the step of an ended stroke
    bool drawFix = false;                   // new check state of "Fixed lvl"
    std::optional<std::string> landFixText; // new text of the fixed-level box
};
TerrainRelease terrainRelease(bool leftButton, int terrainDrag, bool drawFix, double ptrLandY);

// The fixed-level box rewrites its text as its numeric value on leaving it
// ("12abc" -> "12", "abc" -> "0", "007" -> "7").
std::string landFixTextOnLeave(std::string_view text);

// One 1-3-1 smoothing pass (rounded down) over the columns from
// 513 + 2 * leftEnd to 513 + 4 * rightEnd, both ends kept; the range is rounded
// to whole columns and never leaves columns 1..1024. leftEnd and rightEnd are
// the loaded values in editor units. Nothing happens for a document without
// points.
EditResult SmoothTerrain(Document& doc, double leftEnd, double rightEnd);

// Marker of the selected terrain row: a vertical line at display x `x` from the
// bottom of the view up to 20 screen units below the column's top at `topY`.
struct ColumnMarker {
    int column = 0;
    double x = 0;
    double topY = 0;
};
std::optional<ColumnMarker> columnMarker(const Document& doc, int selectedRow);

} // namespace trv
