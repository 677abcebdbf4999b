// Numbers as the controls show and read them.
#pragma once
#include <string>
#include <string_view>

namespace trv {

// The leading number of a text (blanks, optional sign, digits, optional point and
// fraction); 0 when the text starts with none.
double parseLeadingNumber(std::string_view text);
// Shortest decimal form that reads back to the same value, point as separator,
// never in exponent form.
std::string formatNumber(double v);
// The same form written to [first, last); returns the end. The buffer must hold
// 64 characters, which any value needs at most after the loader's conversions;
// longer results are cut.
char* writeShortest(char* first, char* last, double v);
// As formatNumber, with one blank in front of non-negative numbers.
std::string formatLeadingBlank(double v);
// Right-aligns text to the given width with blanks (longer text stays whole).
std::string padLeft(std::string text, size_t width);

} // namespace trv
