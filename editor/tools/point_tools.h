// Point tools: new, move, fix/soft and delete, with the renumbering of line ends
// that keeps the fixed points ahead of the soft ones.
#pragma once
#include "edit_result.h"

#include <cstdint>

namespace trv {

struct Document;

// Check boxes of the point panel that change what the tools do.
struct PointOptions {
    bool snap = false;        // "Snap to grid"
    bool newFixed = false;    // "Fixed": new points are fixed
    bool delAttached = false; // "Delete attached": moving a point drops its lines
    bool expert = false;      // "Expert": fixing keeps the soft type word
};

// Position of a new or moved point: X' (display x, doubled when negative) and the
// height Y in editor units, both whole numbers.
struct PointPosition {
    int xPrime = 0;
    int y = 0;
};
// Grid step of the height at a given height: finer near the surface.
int snapStep(double ptrLandY);
PointPosition pointPosition(double ptrX, double ptrLandY, bool snap);
// The stored words of a position (limited to the words that hold it).
int32_t pointXWord(int xPrime);
int32_t pointYWord(int y);

// First point whose type word is not 2 (fixed), 0 when every point is fixed.
int firstSoft(const Document& doc);

// Appends a point at the pointer. With options.newFixed the point is fixed at
// once and the whole press is one step, "Point: New Fixed".
EditResult NewPoint(Document& doc, double ptrX, double ptrLandY, const PointOptions& options);

// Makes the point of the selected list row (-1: none) soft when it is fixed and
// fixed otherwise, exchanging it with the point at the fixed/soft boundary.
EditResult ToggleFixSoft(Document& doc, int selectedRow, bool expert);

// A press of the move tool: the first (pointer shape Default) picks the selected
// point up, the second (any other shape) puts it down at the pointer.
struct MoveResult : EditResult {
    PointerShape shape = PointerShape::Default;
};
MoveResult MovePoint(Document& doc, PointerShape shape, int selectedRow, double ptrX, double ptrLandY,
                     const PointOptions& options);

// Deletes the point of the selected row with its lines; refused while fewer than
// two points exist. The fixed block stays contiguous.
EditResult DeletePoint(Document& doc, int selectedRow);

// Removes every line with an end at point p (1-based), moving the last line into
// each freed slot. Returns the number of lines removed.
int DeleteAttachedLines(Document& doc, int p);

// What a save keeps: without `keepSoft` the soft points (from `firstSoftPoint`
// on, 0 when there are none; point 1 always stays) go with the lines that end
// at one, without `keepLines` every line; the header's counts follow.
void DropForSave(Document& doc, int firstSoftPoint, bool keepSoft, bool keepLines);

} // namespace trv
