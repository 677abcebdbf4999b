// The largest document the editor holds: 8,190 points (100 fixed) spread over
// the level, 8,190 lines (every third a rail), a wavy terrain.
#pragma once
#include "document.h"
#include "words.h"

#include <cmath>

inline trv::Document largestDocument()
{
    trv::Document d;
    d.Head[0] = 1;
    d.Head[1] = trv::encodeY(-60);
    d.Head[2] = trv::encodeY(40);
    d.Head[3] = 1000000;
    d.Head[4] = trv::encodeLeftEnd(-256);
    d.Head[5] = trv::encodeRightEnd(127);
    for (int c = 1; c <= trv::kColumns; ++c)
        d.Head[c + 5] = trv::encodeY(std::round(60 * std::sin(c / 40.0)));
    d.NPoints = trv::kMaxPoints;
    for (int i = 1; i <= d.NPoints; ++i) {
        const int x = -8000 + (i * 37) % 16000, y = -100 + (i * 13) % 200;
        d.Pnt[i] = {};
        d.Pnt[i][1] = i <= 100 ? 2 : 1;
        d.Pnt[i][2] = trv::encodeX(x < 0 ? 2 * x : x);
        d.Pnt[i][3] = trv::encodeY(y > 0 ? y / 2.0 : y);
    }
    d.NLines = trv::kMaxLines;
    for (int i = 1; i <= d.NLines; ++i)
        d.Lin[i] = {0, 0, i - 1, i % d.NPoints, i % 3 == 0 ? 2 : 1, 0x41000000, 0, 0};
    return d;
}
