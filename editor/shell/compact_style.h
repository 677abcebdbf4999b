// The windows' designed places are tight: their option buttons and check boxes
// take the small indicators and spacing of the desktop they were laid out for,
// whatever style the system gives.
#pragma once

class QWidget;

// Gives `window` and every control in it the compact indicators; controls added
// later ask for it themselves.
void useCompactStyle(QWidget* window);
