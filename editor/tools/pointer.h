// The pointer over the drawing area: its height in editor units, the read-out
// texts and the hover tests that keep the lists on the object under it.
#pragma once
#include <string>

namespace trv {

struct DerivedTables;

// Display y -> editor y units, the height the point and terrain tools store.
// The input-side counterpart of MapDisplayY: 10 gives 5.5, stored as 5 and shown
// again as 10.
double UnmapDisplayY(double y);

// Text of a read-out label: the value truncated toward zero, with a leading blank
// when it is not negative (10 -> " 10", -3.7 -> "-3").
std::string readoutText(double v);

// Terrain column under the pointer: integer part of x / 16 + 513.5, clamped to
// 0..1023 (column c lies at display x 16 * (c - 513); 0 has no list row).
int terrainColumnAt(double ptrX);

// Number of the first point whose hover box (12 across, 6 high, centred one unit
// below the point) holds the pointer; 0 when none. The lowest number wins.
int pointAt(const DerivedTables& t, double ptrX, double ptrY);

// Number of the first line with one of its sixteen inner samples within 1.6
// across and 1.2 up or down of the pointer; 0 when none. The lowest number wins.
int lineAt(const DerivedTables& t, double ptrX, double ptrY);

enum class StretchColour { Selected, Fixpoint };

// Display distance between two points with the x difference halved (the measure
// of line lengths). A number that names no point counts as the origin, as the
// tables' slot 0 does.
double pointDistance(const DerivedTables& t, int a, int b);

// Colour of the stretch line from point lineStart to the selected point: the
// Fixpoint colour beyond twice the longest allowed line (sqrt 1280), where the
// line would be refused.
StretchColour stretchColour(const DerivedTables& t, int selectedPoint, int lineStart);

} // namespace trv
