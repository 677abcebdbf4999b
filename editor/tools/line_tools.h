// Line tools: drawing chains of lines of the allowed lengths, rail toggling,
// deleting, and the texts of the selected line's labels.
#pragma once
#include "edit_result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace trv {

struct Document;
struct DerivedTables;

// One allowed line length: L = 2 * sqrt(i^2 + j^2) for whole i >= j >= 0,
// i^2 + j^2 <= 80. The key is floor(20 * L); the word is L as a single.
struct LengthRow {
    int key = 0;
    double length = 0;
    int32_t word = 0;
};
constexpr int kLengthRows = 35;
// The rows in ascending order of length, built once from the lattice rule.
const std::array<LengthRow, kLengthRows>& LengthTable();
// The length word of the row with this key, if any.
std::optional<int32_t> lengthWordForKey(int key);

// Display distance between two points of the document, from their raw words,
// with the x difference halved.
double pointDistance(const Document& doc, int a, int b);

// A press of the draw tool while a line is under way from point lineStart to the
// point of the selected list row. A line of an allowed length is added; any
// other is refused silently. Either way the end becomes the next start. Without
// a selected point (or with a start that names no point) no line is made and
// the line under way ends: lineStart 0, pointer Default.
struct DrawLineResult : EditResult {
    int lineStart = 0;
    PointerShape shape = PointerShape::UpArrow;
    double refusedLength = 0; // a line of this length was asked for but is not allowed
    bool full = false;        // the document holds as many lines as it can
};
// The allowed lengths next to a refused one: the nearest below and above, as
// the draw tool measures them; 0 where there is none.
struct NearestLengths {
    double below = 0, above = 0;
};
NearestLengths nearestAllowedLengths(double length);
DrawLineResult DrawLineTo(Document& doc, int lineStart, int selectedRow, bool drawRail);

// "Rail/Nrm" on the line of the selected row. Normally it swaps between line
// (kind 1) and rail (kind 2); any kind other than 1 becomes a line. In expert
// mode the kind becomes the chosen index of the kind selector (0..3), saved
// without a new step name; an index outside 0..3 does nothing.
EditResult ToggleRail(Document& doc, int selectedRow, bool expert, int comboIndex);

// Deletes the line of the selected row; the last line takes its number.
EditResult DeleteLine(Document& doc, int selectedRow);

// Labels of the line panel for the selected row, and the two end points the
// outline runs between; nothing when no line is selected.
struct LineLabels {
    std::string actLine1, actLine2; // " 40 x 12": display x and y of each end
    std::string lineLen, lineLen2;  // words 5 and 6 on a 4-per-octave scale
    int endA = 0, endB = 0;         // 1-based point numbers
};
std::optional<LineLabels> lineLabels(const Document& doc, const DerivedTables& t, int selectedRow);

} // namespace trv
