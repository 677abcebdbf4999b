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
// Editor y value -> y word.
int32_t encodeY(double e);
// Display x before halving (X') -> point x word.
int32_t encodeX(double xUnhalved);
// Editor-unit ends -> end words (inverse of wordToLeftEnd / wordToRightEnd).
int32_t encodeLeftEnd(double e);
int32_t encodeRightEnd(double e);

} // namespace trv
