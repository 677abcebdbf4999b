#include "spring.h"

#include "derived.h"
#include "document.h"

#include <algorithm>
#include <cmath>

namespace trv {

uint32_t strainColor(double f)
{
    double s = 1000 * std::abs(f), over = 0;
    if (!(s <= 255)) { // NaN from a run that has blown up counts as fully strained
        over = std::isnan(s) ? 255 : std::min(s - 255, 255.0);
        s = 255;
    }
    return uint32_t(std::floor(s)) + 256 * uint32_t(std::floor(255 - over));
}

void springStep(const Document& doc, DerivedTables& t, std::vector<std::array<double, 3>>& PntAcc, int16_t& TestTick,
                SpringPicture& out)
{
    out.fixedPoints.clear();
    out.lines.clear();
    TestTick = int16_t(TestTick + 1);
    if (TestTick == 10)
        TestTick = 0;
    // The tables and accumulators belong to the last load; never index past them.
    const int nPoints = std::min(
        {doc.NPoints, int(t.PntX.size()) - 1, int(t.PntY.size()) - 1, int(PntAcc.size()) - 1, int(doc.Pnt.size()) - 1});
    if (nPoints <= 0)
        return;
    auto& X = t.PntX;
    auto& Y = t.PntY;

    for (int i = 1; i <= std::min(t.FirstSoft - 1, nPoints); ++i)
        out.fixedPoints.push_back({X[size_t(i)], Y[size_t(i)]});

    const int nLines = std::min({doc.NLines, int(t.LinA.size()) - 1, int(t.LinB.size()) - 1, int(t.LinLen.size()) - 1});
    out.lines.reserve(size_t(std::max(nLines, 0)));
    for (int i = 1; i <= nLines; ++i) {
        const int a = t.LinA[size_t(i)], b = t.LinB[size_t(i)];
        if (a < 1 || a > nPoints || b < 1 || b > nPoints)
            continue;
        const double dx = X[size_t(a)] / 2 - X[size_t(b)] / 2;
        const double dy = Y[size_t(a)] - Y[size_t(b)];
        double m = std::abs(dx) + std::abs(dy);
        if (m == 0)
            m = 1e-99;
        const double length = std::sqrt(dx * dx + dy * dy);
        const double f = (t.LinLen[size_t(i)] - length) / 2.5; // positive when compressed
        // The direction is normalised by the sum of the absolute differences.
        const double fx = dx / m * f, fy = dy / m * f;
        PntAcc[size_t(a)][1] += fx;
        PntAcc[size_t(a)][2] += fy;
        PntAcc[size_t(b)][1] -= fx;
        PntAcc[size_t(b)][2] -= fy;
        out.lines.push_back({X[size_t(a)], Y[size_t(a)], X[size_t(b)], Y[size_t(b)], strainColor(f)});
    }

    for (int i = 1; i <= nPoints; ++i) {
        auto& acc = PntAcc[size_t(i)];
        acc[2] *= 0.999;
        acc[1] *= 0.999;
        if (TestTick == 0)
            acc[2] -= 0.2;
        if (doc.Pnt[size_t(i)][kPointKind] == kSoftKind) {
            X[size_t(i)] += acc[1];
            Y[size_t(i)] += acc[2];
        } else {
            acc[2] = 0;
        }
    }
}

} // namespace trv
