// The user's options as plain data. The main window owns them; the options
// window shows and edits them; the renderer, the export and the settings file
// read them. No widgets here, so the command line uses them too.
#pragma once
#include "colors.h"

struct Settings;
struct SettingsRead;

// Fields are named after the controls that edit them.
struct OptionValues {
    // Number boxes.
    double ScrollSize = 100; // scroll step
    double LandStyle = 9;    // terrain thickness
    double XYdiff = 200;     // aspect
    double BmpLeft = 0;      // picture margins, tens of logical units
    double BmpRight = 0;
    double BmpHeight = 400; // picture height in the preview, pixels
    double BackStyle = 0;   // background gradient
    // Switches.
    bool Confirm = true; // confirmations
    bool WSize = true;   // restore the window's placement
    bool Grid = true;
    bool Boundaries = true;
    bool Raillevel = true;
    bool Train = true;
    bool AutoScroll = true;
    bool Apply = false;      // the export preview
    bool FNameT = false;     // the file name in the picture
    bool Subfolders = false; // the folder export walks subfolders
    bool CDebug = false;     // the journal dump
    trv::ColorTableArray ColorTable = trv::kDefaultColorTable;
};

// What the options window keeps of a typed number; it writes the kept value
// back into the box.
double keptScrollSize(double v); // whole, positive, within what the position bars take
double keptLandStyle(double v);  // 0..150
double keptXYdiff(double v);     // at least 1
double keptMargin(double v);     // -500..500, the margin sliders' range
double keptGradient(double v);   // -200..200, the gradient slider's range

// The options a settings file gives, kept as the options window keeps typed
// values; what the file lacks stays as it is in `o`.
void applySettings(OptionValues& o, const Settings& s, const SettingsRead& got);
// The option lines of a settings file (numbers, switches, colours).
void storeSettings(const OptionValues& o, Settings& s);

// The requests the options window sends to the main window through its
// command box.
enum class ProcCommand { Redraw = 1, Refit = 2, JournalDump = 8, BatchExport = 9 };
