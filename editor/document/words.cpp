#include "words.h"

#include <cmath>
#include <limits>

namespace trv {

double wordToEditorY(int32_t w) { return w / 65536.0 - 17152.0; }

namespace {
double unfoldOctaves(double e, const double* thresholds, int n)
{
    if (e > 0)
        e = 2 * e;
    for (int k = 0; k < n; ++k) {
        const double t = thresholds[k];
        if (e < -t)
            e = e - (e + t) / 2;
    }
    return e;
}
} // namespace

double MapDisplayY(double e)
{
    static const double t[] = {128, 192, 224, 240, 248, 252, 254};
    return unfoldOctaves(e, t, 7);
}

double MapDisplayYPoint(double e)
{
    static const double t[] = {128, 192, 224, 240, 248};
    return unfoldOctaves(e, t, 5);
}

double wordToDisplayX(int32_t w)
{
    double x = w / 1024.0 - 1048576.0 - 81920.0;
    if (x < 0)
        x = x / 2;
    return x;
}

double wordToLeftEnd(int32_t w) { return w / 65536.0 - 17672.0; }
double wordToRightEnd(int32_t w) { return w / 65536.0 - 17660.0; }

int32_t roundHalfEven32(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v); // default rounding mode: to nearest, ties to even
    if (r >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

} // namespace trv
