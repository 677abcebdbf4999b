// The windows' designed places are tight: their option buttons and check boxes
// take the small indicators and spacing of the desktop they were laid out for,
// whatever style the system gives.
#pragma once
#include "window_font.h"

class QWidget;

// Gives `window` and every control in it the compact indicators; a control
// made later does not get them, so call it once the window is built.
void useCompactStyle(QWidget* window);
