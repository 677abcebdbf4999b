// Small documents for the tool tests, built from display positions.
#pragma once
#include "document.h"
#include "words.h"

#include <utility>
#include <vector>

namespace tooltest {

struct P {
    int kind; // 2 fixed, 1 soft
    int x;    // display x (>= 0 keeps X' = x)
    int y;    // editor y, whole units
};

// Points get distinct x words, so a record can be recognised after it moved.
inline trv::Document makeDoc(const std::vector<P>& points, const std::vector<std::pair<int, int>>& lines = {})
{
    trv::Document d;
    for (int c = 1; c <= trv::kColumns; ++c)
        d.Head[c + 5] = trv::encodeY(0);
    d.NPoints = int(points.size());
    for (int i = 1; i <= d.NPoints; ++i) {
        const P& p = points[size_t(i - 1)];
        d.Pnt[i][1] = p.kind;
        d.Pnt[i][2] = d.Pnt[i][5] = trv::encodeX(p.x);
        d.Pnt[i][3] = d.Pnt[i][6] = trv::encodeY(p.y);
        d.Pnt[i][7] = 1000 + i; // marks the record
    }
    d.NLines = int(lines.size());
    for (int k = 1; k <= d.NLines; ++k) {
        const auto [a, b] = lines[size_t(k - 1)];
        d.Lin[k] = {0, 0, a - 1, b - 1, 1, 0x41000000, 500 + k, 0};
    }
    return d;
}

// The record mark of the point a line end names.
inline int mark(const trv::Document& d, int line, int end) { return d.Pnt[d.Lin[line][2 + end] + 1][7]; }

} // namespace tooltest
