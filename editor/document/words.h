// Conversions between the raw 32-bit words of a level and the editor's units.
// The words hold the game's single-precision values, but the editor never decodes
// them as floats: it works on their integer value with fixed formulas.
#pragma once
#include <cstdint>

namespace trv {

// y word -> editor units (w / 65536 - 17152).
double wordToEditorY(int32_t w);
// Editor units -> display units for terrain and water (seven octave steps).
double MapDisplayY(double e);
// Editor units -> display units for points (five octave steps).
double MapDisplayYPoint(double e);
// Point x word -> display x.
double wordToDisplayX(int32_t w);
// Display x of terrain column c (1..1024).
inline double columnDisplayX(int c) { return (c - 513) * 16.0; }
// Left and right end words -> editor units.
double wordToLeftEnd(int32_t w);
double wordToRightEnd(int32_t w);

// Rounds to the nearest integer, halves to even, limited to the 32-bit range
// so that no input can overflow.
int32_t roundHalfEven32(double v);
// The word a value stands for, before rounding: the encoders below round it,
// the text form also tells a value beyond the 32-bit range.
inline double yWordOf(double e) { return (e + 17152.0) * 65536.0; }
inline double xWordOf(double xUnhalved) { return (xUnhalved + 1048576.0 + 81920.0) * 1024.0; }
inline double leftEndWordOf(double e) { return (e + 17672.0) * 65536.0; }
inline double rightEndWordOf(double e) { return (e + 17660.0) * 65536.0; }
// Editor y value -> y word.
inline int32_t encodeY(double e) { return roundHalfEven32(yWordOf(e)); }
// Display x before halving (X') -> point x word.
inline int32_t encodeX(double xUnhalved) { return roundHalfEven32(xWordOf(xUnhalved)); }
// Editor-unit ends -> end words (inverse of wordToLeftEnd / wordToRightEnd).
inline int32_t encodeLeftEnd(double e) { return roundHalfEven32(leftEndWordOf(e)); }
inline int32_t encodeRightEnd(double e) { return roundHalfEven32(rightEndWordOf(e)); }

} // namespace trv
