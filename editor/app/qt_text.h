// Text between the plain layers (std::string) and the controls (QString).
#pragma once
#include "text_number.h"

#include <QString>

#include <string>

inline QString qtext(const std::string& s) { return QString::fromStdString(s); }
// A number in its shortest decimal form.
inline QString numberText(double v) { return qtext(trv::formatNumber(v)); }
