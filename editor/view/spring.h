// One step of the spring test run: every line pulls or pushes its two ends
// towards its rest length, gravity pulses every tenth step, soft points move.
// Only the display positions change; the document's words never do. Plain C++.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace trv {

struct Document;
struct DerivedTables;

// What one step draws, in display units: the fixed points, then every line at
// the positions from before the step's movement, coloured by its strain.
struct SpringPicture {
    struct Line {
        double ax, ay, bx, by;
        uint32_t color; // red + 256 * green
    };
    struct Point {
        double x, y;
    };
    std::vector<Point> fixedPoints;
    std::vector<Line> lines;
};

// Strain colour of a line force f: green at rest, yellow at |f| = 0.255, red
// from |f| = 0.51 on.
uint32_t strainColor(double f);

// Advances the test run by one step. Reads the kinds (Pnt(i, 1)) and counts of
// `doc`, the line ends and rest lengths of `tables`; moves tables.PntX / PntY of
// the soft points and updates the velocities PntAcc(i, 1..2) (index 0 unused).
// TestTick counts 1, 2, ..., 9, 0, 1, ... Fills `out` (its buffers are reused).
void springStep(const Document& doc, DerivedTables& tables, std::vector<std::array<double, 3>>& PntAcc,
                int16_t& TestTick, SpringPicture& out);

} // namespace trv
