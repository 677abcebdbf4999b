#include "derived.h"

#include "document.h"
#include "text_number.h"
#include "words.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace trv {

namespace {

// Row texts are rebuilt for every row on every load, so they are written into a
// stack buffer and assigned to the row's existing string, which keeps its storage.
struct RowText {
    char buf[128];
    char* p = buf;

    void pad(const char* text, size_t n, size_t width)
    {
        for (size_t k = n; k < width; ++k)
            *p++ = ' ';
        std::memcpy(p, text, n);
        p += n;
    }
    // A number in its shortest decimal form, right-aligned; an optional blank in
    // front of non-negative numbers.
    void number(double v, size_t width, bool leadingBlank = false)
    {
        char num[64];
        char* q = num;
        if (leadingBlank && !(v < 0))
            *q++ = ' ';
        q = writeShortest(q, num + sizeof num, v);
        pad(num, size_t(q - num), width);
    }
    void put(char c) { *p++ = c; }
    void into(std::string& s) const { s.assign(buf, size_t(p - buf)); }
};

} // namespace

std::string landItemText(int column, double e)
{
    std::string s;
    landItemInto(s, column, e);
    return s;
}

void landItemInto(std::string& s, int column, double e)
{
    RowText r;
    r.number(columnDisplayX(column), 5, true);
    r.number(e, 7);
    r.into(s);
}

std::string pointItemText(int index, bool fixed, double x, double y)
{
    std::string s;
    pointItemInto(s, index, fixed, x, y);
    return s;
}

void pointItemInto(std::string& s, int index, bool fixed, double x, double y)
{
    RowText r;
    r.number(index, 4);
    r.put(' ');
    r.put(fixed ? 'F' : 'S');
    r.number(x, 6);
    r.number(y, 5);
    r.put(' ');
    r.into(s);
}

std::string lineItemText(int kind, long long a, long long b)
{
    std::string s;
    lineItemInto(s, kind, a, b);
    return s;
}

void lineItemInto(std::string& s, int kind, long long a, long long b)
{
    RowText r;
    r.put(kind == 2 ? 'R' : 'L');
    r.number(double(a), 5, true);
    r.number(double(b), 5, true);
    r.into(s);
}

namespace {

// Room for n rows; rows kept from before keep their words and text.
void prepareRows(DerivedTables::RowCache& rows, int n)
{
    rows.words.resize(size_t(n));
    rows.texts.resize(size_t(n));
}

} // namespace

void deriveTables(const Document& doc, DerivedTables& t)
{
    const auto& H = doc.Head;
    const int np = std::clamp(doc.NPoints, 0, kMaxPoints);
    const int nl = std::clamp(doc.NLines, 0, kMaxLines);

    t.WaterE = wordToEditorY(H[1]);
    t.WaterY = MapDisplayY(t.WaterE);
    t.RailY = wordToEditorY(H[2]);
    t.Budget = H[3];
    t.LeftEnd = wordToLeftEnd(H[4]);
    t.RightEnd = wordToRightEnd(H[5]);
    t.WaterText = formatNumber(t.WaterE);
    t.RailText = formatNumber(t.RailY > 0 ? 2 * t.RailY : t.RailY);
    t.MoneyText = std::to_string(t.Budget);
    t.CostText = std::to_string(100LL * nl);
    t.BudgetLeftText = std::to_string(int64_t(t.Budget) - 100LL * nl);
    t.LeftText = formatNumber(t.LeftEnd);
    t.RightText = formatNumber(2 * t.RightEnd);
    t.LLines = std::to_string(nl) + " Lines";

    t.LandItem.resize(kColumns);
    for (int c = 1; c <= kColumns; ++c) {
        const double e = wordToEditorY(H[c + 5]);
        landItemInto(t.LandItem[c - 1], c, e);
        t.LandY[c] = MapDisplayY(e);
    }

    t.FirstSoft = 0;
    t.PntX.resize(np + 1);
    t.PntY.resize(np + 1);
    t.PointItem.resize(np);
    prepareRows(t.PointRows, np);
    for (int i = 1; i <= np; ++i) {
        const auto& r = doc.Pnt[i];
        const bool fixed = isFixedPoint(r);
        if (!fixed && t.FirstSoft == 0)
            t.FirstSoft = i;
        t.PntX[i] = wordToDisplayX(r[kPointX]);
        t.PntY[i] = MapDisplayYPoint(wordToEditorY(r[kPointY]));
        const std::array<int32_t, 3> words{fixed, r[kPointX], r[kPointY]};
        std::string& kept = t.PointRows.texts[size_t(i - 1)];
        if (t.PointRows.words[size_t(i - 1)] != words || kept.empty()) {
            pointItemInto(kept, i, fixed, t.PntX[i], t.PntY[i]);
            t.PointRows.words[size_t(i - 1)] = words;
        }
        t.PointItem[i - 1].assign(kept);
    }
    const int fixedCount = t.fixedCount(np);
    t.LabelLPoint = formatLeadingBlank(fixedCount) + " Fixed " + formatLeadingBlank(np - fixedCount) + " Soft";

    t.LinA.resize(nl + 1);
    t.LinB.resize(nl + 1);
    t.LinKind.resize(nl + 1);
    t.LinLen.resize(nl + 1);
    t.LineItem.resize(nl);
    prepareRows(t.LineRows, nl);
    for (int i = 1; i <= nl; ++i) {
        const auto& r = doc.Lin[i];
        // A document always holds valid ends (files are checked when read), but
        // keep the tables safe for records the tools are still building.
        t.LinA[i] = int(std::clamp<long long>(r[kLineFirstEnd] + 1LL, 0, np));
        t.LinB[i] = int(std::clamp<long long>(r[kLineSecondEnd] + 1LL, 0, np));
        t.LinKind[i] = r[kLineKind];
        const std::array<int32_t, 3> words{r[kLineKind], r[kLineFirstEnd], r[kLineSecondEnd]};
        std::string& kept = t.LineRows.texts[size_t(i - 1)];
        if (t.LineRows.words[size_t(i - 1)] != words || kept.empty()) {
            lineItemInto(kept, r[kLineKind], r[kLineFirstEnd] + 1LL, r[kLineSecondEnd] + 1LL);
            t.LineRows.words[size_t(i - 1)] = words;
        }
        t.LineItem[i - 1].assign(kept);
    }
    for (int i = 1; i <= nl; ++i) {
        const int a = t.LinA[i], b = t.LinB[i];
        const double dx = (a && b) ? (t.PntX[a] - t.PntX[b]) / 2 : 0;
        const double dy = (a && b) ? t.PntY[a] - t.PntY[b] : 0;
        t.LinLen[i] = std::sqrt(dx * dx + dy * dy);
    }
}

} // namespace trv
