// The windows' designed places are in twips (window units), 15 to a pixel.
#pragma once
#include "view_transform.h"

#include <algorithm>

// Twips to pixels, for the designed places. Halves round up and negative places
// round towards zero, as the designed positions were laid out with.
inline int tw(double twips) { return int(twips / trv::kTwipsPerPixel + 0.5); } // NOLINT(bugprone-incorrect-roundings)
// The same for numbers from outside (a settings file): any value gives a sane pixel count.
inline int twipsToPixels(double twips) { return int(std::clamp(twips / trv::kTwipsPerPixel, -1e6, 1e6)); }
inline double pixelsToTwips(int pixels) { return pixels * trv::kTwipsPerPixel; }
