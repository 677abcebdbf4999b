#include "line_tools.h"

#include "derived.h"
#include "document.h"
#include "text_number.h"
#include "words.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace trv {

const std::array<LengthRow, kLengthRows>& LengthTable()
{
    static const std::array<LengthRow, kLengthRows> table = [] {
        // Distinct values of i^2 + j^2 give distinct lengths; (8,6)/(10,0) and
        // the like share a row.
        std::array<bool, 81> seen{};
        for (int i = 0; i <= 8; ++i)
            for (int j = 0; j <= i; ++j)
                if (const int q = i * i + j * j; q > 0 && q <= 80)
                    seen[q] = true;
        std::array<LengthRow, kLengthRows> rows{};
        size_t n = 0;
        for (int q = 1; q <= 80; ++q) {
            if (!seen[q])
                continue;
            const double len = 2 * std::sqrt(double(q));
            rows.at(n++) = {int(std::floor(20 * len)), len, std::bit_cast<int32_t>(float(len))};
        }
        return rows;
    }();
    return table;
}

std::optional<int32_t> lengthWordForKey(int key)
{
    const auto& t = LengthTable();
    const auto it = std::lower_bound(t.begin(), t.end(), key, [](const LengthRow& r, int k) { return r.key < k; });
    if (it != t.end() && it->key == key)
        return it->word;
    return std::nullopt;
}

namespace {
double displayX(const Document& doc, int i) { return wordToDisplayX(doc.Pnt[i][kPointX]); }
double displayY(const Document& doc, int i) { return MapDisplayYPoint(wordToEditorY(doc.Pnt[i][kPointY])); }
} // namespace

double pointDistance(const Document& doc, int a, int b)
{
    const double dx = (displayX(doc, a) - displayX(doc, b)) / 2;
    const double dy = displayY(doc, a) - displayY(doc, b);
    return std::sqrt(dx * dx + dy * dy);
}

DrawLineResult DrawLineTo(Document& doc, int lineStart, int selectedRow, bool drawRail)
{
    DrawLineResult res;
    const int e = selectedRow + 1;
    if (!hasPoint(doc, e) || !hasPoint(doc, lineStart)) {
        res.lineStart = 0;
        res.shape = PointerShape::Default;
        return res;
    }
    res.lineStart = e; // lines are drawn as chains; a refused line also moves the start
    res.shape = PointerShape::UpArrow;
    res.save = true; // a refused line still rewrites the current state, without a name

    const double d = pointDistance(doc, e, lineStart);
    const double key = std::floor(10 * d);
    std::optional<int32_t> word;
    // A line needs two different points; distance 0 has no row anyway.
    if (e != lineStart && key < 1000)
        word = lengthWordForKey(int(key));
    if (!word) {
        if (e != lineStart)
            res.refusedLength = d;
        return res;
    }
    if (doc.NLines < 0 || doc.NLines >= kMaxLines) {
        res.full = true;
        return res;
    }

    const int n = ++doc.NLines;
    LineRecord& r = doc.Lin[n];
    r.fill(0); // word 6 of a new line is 0 rather than what a deleted line left
    r[kLineFirstEnd] = lineStart - 1;
    r[kLineSecondEnd] = e - 1;
    r[kLineKind] = drawRail ? kRailKind : kPlainKind;
    r[kLineRestLength] = *word;
    res.changed = true;
    res.action = "Line: Draw";
    return res;
}

NearestLengths nearestAllowedLengths(double length)
{
    // The draw tool's test: floor(10 * length) must be the key of a row.
    const auto& t = LengthTable();
    const int key = int(std::clamp(std::floor(10 * length), 0.0, 1000.0));
    const auto it = std::lower_bound(t.begin(), t.end(), key, [](const LengthRow& r, int k) { return r.key < k; });
    NearestLengths n;
    if (it != t.begin())
        n.below = std::prev(it)->key / 10.0;
    if (const auto above = it != t.end() && it->key == key ? std::next(it) : it; above != t.end())
        n.above = above->key / 10.0;
    return n;
}

EditResult ToggleRail(Document& doc, int selectedRow, bool expert, int comboIndex)
{
    const int s = selectedRow + 1;
    if (!hasLine(doc, s))
        return {};
    int32_t& kind = doc.Lin[s][kLineKind];
    if (expert) {
        if (comboIndex < 0 || comboIndex > 3)
            return {};
        EditResult res;
        res.changed = kind != comboIndex;
        res.save = true;
        kind = comboIndex;
        return res;
    }
    if (kind != kPlainKind) {
        kind = kPlainKind;
        return EditResult::step("Rail > Line");
    }
    kind = kRailKind;
    return EditResult::step("Line > Rail");
}

EditResult DeleteLine(Document& doc, int selectedRow)
{
    const int s = selectedRow + 1;
    if (!hasLine(doc, s))
        return {};
    if (s != doc.NLines)
        doc.Lin[s] = doc.Lin[doc.NLines];
    --doc.NLines;
    return EditResult::step("Line: Delete");
}

std::optional<LineLabels> lineLabels(const Document& doc, const DerivedTables& t, int selectedRow)
{
    const int s = selectedRow + 1;
    if (s < 1 || s >= int(t.LinA.size()) || s > doc.NLines)
        return std::nullopt;
    const int np = int(t.PntX.size()) - 1;
    auto position = [&](int p) {
        const double x = p >= 1 && p <= np ? t.PntX[p] : 0.0;
        const double y = p >= 1 && p <= np ? t.PntY[p] : 0.0;
        return formatLeadingBlank(x) + " x" + formatLeadingBlank(y);
    };
    // A length word read as 4 * its binary exponent plus a linear fraction.
    auto scale = [](int32_t w) { return formatLeadingBlank(w / 65536.0 / 32 - 536 + 28); };
    LineLabels l;
    l.endA = t.LinA[s];
    l.endB = t.LinB[s];
    l.actLine1 = position(l.endA);
    l.actLine2 = position(l.endB);
    l.lineLen = scale(doc.Lin[s][kLineRestLength]);
    l.lineLen2 = scale(doc.Lin[s][6]);
    return l;
}

} // namespace trv
