// The windows' font, apart from the widgets' style, so that a picture drawn
// without a window prints its text alike.
#pragma once

class QFont;

// The windows' font, which the drawing area prints the file name with too.
QFont windowFont();
