// The windows' designed places are in twips (window units), 15 to a pixel;
// placing windows from numbers that come from outside.
#pragma once
#include "view_transform.h"

#include <QRect>

class QWidget;

// Twips to pixels, for the designed places. Halves round up and negative places
// round towards zero, as the designed positions were laid out with.
inline int tw(double twips) { return int(twips / trv::kTwipsPerPixel + 0.5); } // NOLINT(bugprone-incorrect-roundings)
// The same for numbers from outside (a settings file): any value gives a sane pixel count.
int twipsToPixels(double twips);
inline double pixelsToTwips(int pixels) { return pixels * trv::kTwipsPerPixel; }

// `wanted` for a window, made no larger than the available area of its screen,
// its frame counted (a typical title bar while the window system has not told
// it yet).
QSize sizeOnScreen(const QWidget* window, QSize wanted);

// Moves and sizes a window to `wanted` (the frame's position, the client's
// size), kept within the available area of the screen it lands on: never
// larger than that area, never off it.
void placeOnScreen(QWidget* window, QRect wanted);
