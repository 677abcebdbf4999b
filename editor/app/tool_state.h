// The edit mode and the tools as plain data: the option buttons and check boxes
// of the tool panels show it, the pointer handling and the tools read it.
#pragma once
#include "pointer.h"

#include <string>

enum class EditMode { Line, Point, Terrain, General };
enum class PointTool { FixSoft, Move, New, Delete };
enum class LineTool { RailToggle, Draw, Delete };

// Fields of the panels are named after their controls.
struct ToolState {
    EditMode mode = EditMode::Point;
    PointTool pointTool = PointTool::FixSoft;
    LineTool lineTool = LineTool::RailToggle;
    bool NewFixed = false;      // new points are fixed
    bool DelAtLine = false;     // moving a point deletes its lines
    bool Snap = false;          // new and moved points snap to the grid
    bool LDrawRail = false;     // new lines are rails
    bool LineMDrawPoint = true; // line mode shows the points
    bool FixLooksSoft = false;  // "Expert": fixed points keep the soft look, any line kind
    int lineKind = 0;           // the line kind the expert rail toggle assigns
    bool DrawFix = false;       // terrain is drawn at a fixed level
    std::string LandFix;        // that level, as typed

    // Under way.
    int LineStart = 0;   // first point of a line being drawn, 0 when none
    int TerrainDrag = 0; // the terrain stroke's last column, 0 when none
    trv::PointerShape pointer = trv::PointerShape::Default;
    double PtrX = 0, PtrLandY = 0; // the pointer in display units, the height in editor units
};
