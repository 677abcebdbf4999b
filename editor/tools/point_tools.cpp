#include "point_tools.h"

#include "document.h"
#include "words.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace trv {

namespace {

constexpr int32_t kWord15Soft = 0x3F7EB852; // 0.995
constexpr int32_t kWord16Soft = 0x3C32674E; // about 0.0108889

// Whole-number limits whose words stay non-negative 32-bit values.
constexpr int kMinXPrime = -1048576 - 81920;
constexpr int kMaxXPrime = 2147483647 / 1024 - 1048576 - 81920;
constexpr int kMinY = -17152;
constexpr int kMaxY = 32767 - 17152;

int floorClamped(double v, int lo, int hi)
{
    if (std::isnan(v))
        return 0;
    const double f = std::floor(v);
    if (f < lo)
        return lo;
    if (f > hi)
        return hi;
    return int(f);
}

// Line ends are stored as point number - 1.
int endPoint(const Document& doc, int line, int end) { return doc.Lin[line][kLineFirstEnd + end] + 1; }
void setEndPoint(Document& doc, int line, int end, int p) { doc.Lin[line][kLineFirstEnd + end] = p - 1; }

// Every line end takes the new number `to` gives its point.
template <class NewNumber>
void renumberEnds(Document& doc, NewNumber to)
{
    for (int k = 1; k <= doc.NLines; ++k)
        for (int end = 0; end < 2; ++end)
            setEndPoint(doc, k, end, to(endPoint(doc, k, end)));
}

// Points p and q change places: every line end follows its point.
void exchangePoints(Document& doc, int p, int q)
{
    if (p == q)
        return;
    renumberEnds(doc, [&](int e) { return e == p ? q : e == q ? p : e; });
    std::swap(doc.Pnt[p], doc.Pnt[q]);
}

enum class Toggled { Soft, Fixed };

// The fix/soft exchange on point s; returns which way it went and sets *selRow to
// the row of the point at its new place.
Toggled toggleAt(Document& doc, int s, bool expert, int* selRow)
{
    int b = firstSoft(doc);
    if (b == 0)
        b = doc.NPoints + 1;
    auto& rec = doc.Pnt[s];
    // The same test as the list's F/S letter and the fixed count: only type 2 is
    // fixed, whatever other value a file holds.
    if (isFixedPoint(rec)) {
        rec[kPointKind] = kSoftKind;
        rec[15] = kWord15Soft;
        rec[16] = kWord16Soft;
        if (b < 2)
            b = 2;
        exchangePoints(doc, s, b - 1); // to the last fixed place
        *selRow = b - 2;
        return Toggled::Soft;
    }
    // "Expert" keeps the soft type word while the point joins the fixed block.
    rec[kPointKind] = expert ? kSoftKind : kFixedKind;
    rec[15] = 0;
    rec[16] = 0;
    exchangePoints(doc, s, b); // to the first soft place
    *selRow = b - 1;
    return Toggled::Fixed;
}

} // namespace

int snapStep(double ptrLandY)
{
    if (ptrLandY > 0)
        return 2;
    if (ptrLandY > -128)
        return 4;
    if (ptrLandY > -256)
        return 8;
    if (ptrLandY > -384)
        return 16;
    if (ptrLandY > -512)
        return 32;
    if (ptrLandY > -650)
        return 64;
    return 128;
}

PointPosition pointPosition(double ptrX, double ptrLandY, bool snap)
{
    PointPosition p;
    if (snap) {
        const double step = snapStep(ptrLandY);
        p.y = floorClamped(std::floor((ptrLandY + step / 2) / step) * step, kMinY, kMaxY);
    } else {
        p.y = floorClamped(ptrLandY + 0.5, kMinY, kMaxY);
    }
    // X' is twice the display x left of 0: the x mapping halves negative values.
    double x;
    if (ptrX < 0)
        x = snap ? std::floor((ptrX + 4) / 8) * 16 : 2 * (ptrX + 1);
    else
        x = snap ? std::floor((ptrX + 4) / 8) * 8 : ptrX + 0.5;
    p.xPrime = floorClamped(x, kMinXPrime, kMaxXPrime);
    return p;
}

int32_t pointXWord(int xPrime) { return encodeX(std::clamp(xPrime, kMinXPrime, kMaxXPrime)); }
int32_t pointYWord(int y) { return encodeY(std::clamp(y, kMinY, kMaxY)); }

int firstSoft(const Document& doc)
{
    for (int i = 1; i <= doc.NPoints; ++i)
        if (!isFixedPoint(doc.Pnt[i]))
            return i;
    return 0;
}

EditResult NewPoint(Document& doc, double ptrX, double ptrLandY, const PointOptions& options)
{
    if (doc.NPoints < 0 || doc.NPoints >= kMaxPoints)
        return {};
    const int n = ++doc.NPoints;
    const PointPosition pos = pointPosition(ptrX, ptrLandY, options.snap);
    const int32_t xw = pointXWord(pos.xPrime);
    const int32_t yw = pointYWord(pos.y);
    PointRecord& r = doc.Pnt[n];
    r.fill(0);
    r[kPointKind] = kSoftKind;
    r[kPointX] = r[5] = xw;
    r[kPointY] = r[6] = yw;
    r[14] = 0x3F800000; // 1.0
    r[15] = kWord15Soft;
    r[16] = kWord16Soft;
    r[17] = 0x3FB33333; // 1.4
    r[18] = 0x3ECCCCCD; // 0.4
    r[19] = 10000;
    r[20] = 1;
    r[21] = r[22] = r[23] = 0x3F000000; // 0.5
    if (!options.newFixed)
        return EditResult::step("Point: New Soft");

    // Adding and fixing are one press, so they are one journal step.
    int row = -1;
    toggleAt(doc, n, options.expert, &row);
    EditResult res = EditResult::step("Point: New Fixed");
    res.selPoint = row;
    return res;
}

EditResult ToggleFixSoft(Document& doc, int selectedRow, bool expert)
{
    const int s = selectedRow + 1;
    if (!hasPoint(doc, s))
        return {};
    int row = -1;
    const Toggled t = toggleAt(doc, s, expert, &row);
    EditResult res = EditResult::step(t == Toggled::Soft ? "Point: Fixed Off" : "Point: Fixed");
    res.selPoint = row;
    return res;
}

MoveResult MovePoint(Document& doc, PointerShape shape, int selectedRow, double ptrX, double ptrLandY,
                     const PointOptions& options)
{
    MoveResult res;
    res.shape = shape;
    const int s = selectedRow + 1;
    if (!hasPoint(doc, s))
        return res;
    if (shape == PointerShape::Default) {
        res.shape = PointerShape::UpArrow; // picked up; the hover test now leaves the selection alone
        return res;
    }
    if (options.delAttached)
        DeleteAttachedLines(doc, s);
    const PointPosition pos = pointPosition(ptrX, ptrLandY, options.snap);
    PointRecord& r = doc.Pnt[s];
    r[kPointX] = r[5] = pointXWord(pos.xPrime);
    r[kPointY] = r[6] = pointYWord(pos.y);
    static_cast<EditResult&>(res) = EditResult::step("Point Move");
    res.shape = PointerShape::Default;
    return res;
}

int DeleteAttachedLines(Document& doc, int p)
{
    auto attached = [&](int k) { return endPoint(doc, k, 0) == p || endPoint(doc, k, 1) == p; };
    int removed = 0;
    int k = 1;
    while (k <= doc.NLines) {
        if (!attached(k)) {
            ++k;
            continue;
        }
        // The last line fills the slot; it may be attached too, so slot k is
        // examined again before moving on.
        if (k != doc.NLines)
            doc.Lin[k] = doc.Lin[doc.NLines];
        --doc.NLines;
        ++removed;
    }
    return removed;
}

EditResult DeletePoint(Document& doc, int selectedRow)
{
    const int s = selectedRow + 1;
    if (!hasPoint(doc, s) || doc.NPoints < 2)
        return {};
    DeleteAttachedLines(doc, s);
    const int last = doc.NPoints;
    if (!isFixedPoint(doc.Pnt[s])) {
        // The last point takes the freed number.
        renumberEnds(doc, [&](int e) { return e == last ? s : e; });
        if (s != last)
            doc.Pnt[s] = doc.Pnt[last];
    } else {
        // The last fixed point fills the hole and the last point takes its place,
        // so the fixed block shrinks by one and stays in front.
        int b = firstSoft(doc);
        if (b == 0)
            b = s == last ? last + 1 : last;
        const int lastFixed = b - 1;
        renumberEnds(doc, [&](int e) { return e == lastFixed ? s : e == last ? lastFixed : e; });
        doc.Pnt[s] = doc.Pnt[lastFixed];
        doc.Pnt[lastFixed] = doc.Pnt[last];
    }
    --doc.NPoints;
    EditResult res = EditResult::step("Point: Delete");
    res.selPoint = -1;
    return res;
}

void DropForSave(Document& doc, int firstSoftPoint, bool keepSoft, bool keepLines)
{
    if (!keepSoft && firstSoftPoint != 0) {
        doc.NPoints = std::max(1, firstSoftPoint - 1);
        // Lines that end at a dropped point go with it, so the file holds no
        // line to a missing point.
        int kept = 0;
        for (int i = 1; i <= doc.NLines; ++i)
            if (doc.Lin[i][kLineFirstEnd] < doc.NPoints && doc.Lin[i][kLineSecondEnd] < doc.NPoints)
                doc.Lin[++kept] = doc.Lin[i];
        doc.NLines = kept;
    }
    if (!keepLines)
        doc.NLines = 0;
    doc.Head[kHeadPoints] = doc.NPoints;
    doc.Head[kHeadLines] = doc.NLines;
}

} // namespace trv
