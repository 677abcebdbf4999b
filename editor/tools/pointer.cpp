#include "pointer.h"

#include "derived.h"
#include "text_number.h"

#include <cmath>

namespace trv {

double UnmapDisplayY(double y)
{
    double t = y - 0.5;
    if (t > 0)
        t = t / 2 + 0.75;
    // Each octave further down is twice as deep in editor units; every step only
    // applies below the previous one.
    if (t < -128) {
        t = 2 * t + 129;
        if (t < -192) {
            t = t + t / 192 + 1;
            if (t < -256) {
                t = 2 * t + 257.5;
                if (t < -384) {
                    t = 2 * t + 386;
                    if (t < -512) {
                        t = 2 * t + 514;
                        if (t < -632)
                            t = 2 * t + 634;
                        if (t < -17151)
                            t = -17151;
                    }
                }
            }
        }
    }
    return t;
}

std::string readoutText(double v) { return formatLeadingBlank(std::trunc(v)); }

int terrainColumnAt(double ptrX)
{
    const double c = std::trunc(ptrX / 16 + 513.5);
    if (!(c > 0)) // also catches NaN
        return 0;
    return c > 1023 ? 1023 : int(c);
}

namespace {
int pointCount(const DerivedTables& t) { return t.PntX.empty() ? 0 : int(t.PntX.size()) - 1; }
int lineCount(const DerivedTables& t) { return t.LinA.empty() ? 0 : int(t.LinA.size()) - 1; }

double px(const DerivedTables& t, int i) { return i >= 1 && i <= pointCount(t) ? t.PntX[i] : 0.0; }
double py(const DerivedTables& t, int i) { return i >= 1 && i <= pointCount(t) ? t.PntY[i] : 0.0; }
} // namespace

int pointAt(const DerivedTables& t, double ptrX, double ptrY)
{
    const int n = pointCount(t);
    for (int i = 1; i <= n; ++i)
        if (std::abs(t.PntX[i] - ptrX) < 6 && std::abs(t.PntY[i] - ptrY - 1) < 3)
            return i;
    return 0;
}

int lineAt(const DerivedTables& t, double ptrX, double ptrY)
{
    const int n = lineCount(t);
    for (int i = 1; i <= n; ++i) {
        const int a = t.LinA[i], b = t.LinB[i];
        const double ax = px(t, a), ay = py(t, a), bx = px(t, b), by = py(t, b);
        // Sixteen samples strictly between the ends, from the B end towards A.
        for (int j = 1; j <= 16; ++j) {
            const double sx = (j * ax + (17 - j) * bx) / 17;
            const double sy = (j * ay + (17 - j) * by) / 17;
            if (std::abs(sx - ptrX) < 1.6 && std::abs(sy - ptrY) < 1.2)
                return i;
        }
    }
    return 0;
}

double pointDistance(const DerivedTables& t, int a, int b)
{
    const double dx = (px(t, a) - px(t, b)) / 2;
    const double dy = py(t, a) - py(t, b);
    return std::sqrt(dx * dx + dy * dy);
}

StretchColour stretchColour(const DerivedTables& t, int selectedPoint, int lineStart)
{
    return pointDistance(t, selectedPoint, lineStart) > std::sqrt(1280.0) ? StretchColour::Fixpoint
                                                                          : StretchColour::Selected;
}

} // namespace trv
