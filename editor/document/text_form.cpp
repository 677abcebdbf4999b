#include "text_form.h"

#include "document.h"
#include "words.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include <locale.h>

namespace trv {

namespace {

// ---------------------------------------------------------------- units

// A value in the editor's units: the word shown as the editor shows it, and the
// word (not yet rounded) a value stands for.
struct Unit {
    double (*value)(int32_t);
    double (*word)(double);
};

double railValue(int32_t w)
{
    const double e = wordToEditorY(w);
    return e > 0 ? 2 * e : e;
}
double rightValue(int32_t w) { return 2 * wordToRightEnd(w); }
double pointYValue(int32_t w) { return MapDisplayYPoint(wordToEditorY(w)); }

// The inverse of MapDisplayYPoint: its steps undone in reverse order.
double unmapPointY(double v)
{
    for (const double t : {248.0, 240.0, 224.0, 192.0, 128.0})
        if (v < -t)
            v = 2 * v + t;
    return v > 0 ? v / 2 : v;
}

const Unit kHeightUnit{wordToEditorY, yWordOf}; // water, terrain: the editor value
const Unit kRailUnit{railValue, [](double v) { return yWordOf(v > 0 ? v / 2 : v); }}; // as the box shows it
const Unit kLeftEndUnit{wordToLeftEnd, leftEndWordOf};
const Unit kRightEndUnit{rightValue, [](double v) { return rightEndWordOf(v / 2); }}; // as the box shows it
const Unit kPointXUnit{wordToDisplayX, [](double x) { return xWordOf(x < 0 ? 2 * x : x); }};
const Unit kPointYUnit{pointYValue, [](double y) { return yWordOf(unmapPointY(y)); }};

// The nearest word, halves to even as the editor's own encoders round, or none
// when the value lies beyond the 32-bit range.
std::optional<int32_t> nearestWord(double w)
{
    if (!std::isfinite(w))
        return std::nullopt;
    const double r = std::nearbyint(w);
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<int32_t>(r);
}

// ---------------------------------------------------------------- writing

void putInt(std::string& s, int64_t v)
{
    char buf[24];
    s.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// The exact decimal form of v, which the units give with at most a few dozen
// binary fraction digits; false (and nothing written) for a value with more.
bool putExact(std::string& s, double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 9007199254740992.0)
        return false;
    char buf[96];
    char* p = buf;
    if (v < 0) {
        *p++ = '-';
        v = -v;
    }
    const double whole = std::floor(v);
    p = std::to_chars(p, buf + 24, int64_t(whole)).ptr;
    double fraction = v - whole;
    if (fraction != 0) {
        *p++ = '.';
        // Each step is exact while the fraction has fewer than 49 binary digits.
        for (int n = 0; fraction != 0; ++n) {
            if (n == 60)
                return false;
            fraction *= 10;
            const double digit = std::floor(fraction);
            *p++ = char('0' + int(digit));
            fraction -= digit;
        }
    }
    s.append(buf, p);
    return true;
}

// A value in its unit when that gives back the very word, the raw word otherwise.
void putUnit(std::string& s, int32_t w, const Unit& unit)
{
    const double v = unit.value(w);
    if (nearestWord(unit.word(v)) == w && putExact(s, v))
        return;
    s += "{\"word\": ";
    putInt(s, w);
    s += '}';
}

// Points and lines share their two named kinds: 1 (soft, line) and 2 (fixed, rail).
static_assert(kSoftKind == 1 && kPlainKind == 1 && kFixedKind == 2 && kRailKind == 2);

void putKind(std::string& s, int32_t w, const char* one, const char* two)
{
    if (w == 1 || w == 2) {
        s += '"';
        s += w == 1 ? one : two;
        s += '"';
    } else {
        putInt(s, w);
    }
}

constexpr int kTerrainPerLine = 8;

} // namespace

std::string documentToText(const Document& doc, bool level)
{
    const int np = std::clamp(doc.NPoints, 0, kRawCapacity);
    const int nl = std::clamp(doc.NLines, 0, kRawCapacity);
    std::string s;
    s.reserve(16384 + size_t(np) * 220 + size_t(nl) * 100);
    s += "{\n  \"format\": \"";
    s += level ? kLevelFormat : kBridgeFormat;
    s += "\",\n";
    if (!level) {
        s += "  \"word0\": ";
        putInt(s, doc.Head[0]);
        s += ",\n";
    }
    s += "  \"water\": ";
    putUnit(s, doc.Head[kHeadWater], kHeightUnit);
    s += ",\n  \"rail\": ";
    putUnit(s, doc.Head[kHeadRail], kRailUnit);
    s += ",\n  \"budget\": ";
    putInt(s, doc.Head[kHeadBudget]);
    s += ",\n  \"leftEnd\": ";
    putUnit(s, doc.Head[kHeadLeftEnd], kLeftEndUnit);
    s += ",\n  \"rightEnd\": ";
    putUnit(s, doc.Head[kHeadRightEnd], kRightEndUnit);
    s += ",\n  \"terrain\": [";
    for (int c = 1; c <= kColumns; ++c) {
        s += (c - 1) % kTerrainPerLine == 0 ? "\n    " : " ";
        putUnit(s, doc.Head[headOfColumn(c)], kHeightUnit);
        if (c < kColumns)
            s += ',';
    }
    s += "\n  ],\n  \"points\": [";
    for (int i = 1; i <= np; ++i) {
        const PointRecord& r = doc.Pnt[i];
        s += "\n    {\"kind\": ";
        putKind(s, r[kPointKind], "soft", "fixed");
        s += ", \"x\": ";
        putUnit(s, r[kPointX], kPointXUnit);
        s += ", \"y\": ";
        putUnit(s, r[kPointY], kPointYUnit);
        s += ", \"words\": [";
        for (int j = 4; j <= kPointWords; ++j) {
            putInt(s, r[j]);
            if (j < kPointWords)
                s += ", ";
        }
        s += i < np ? "]}," : "]}";
    }
    s += np ? "\n  ],\n" : "],\n";
    s += "  \"lines\": [";
    for (int i = 1; i <= nl; ++i) {
        const LineRecord& r = doc.Lin[i];
        s += "\n    {\"ends\": [";
        putInt(s, int64_t(r[kLineFirstEnd]) + 1);
        s += ", ";
        putInt(s, int64_t(r[kLineSecondEnd]) + 1);
        s += "], \"kind\": ";
        putKind(s, r[kLineKind], "line", "rail");
        s += ", \"rest\": ";
        putInt(s, r[kLineRestLength]);
        s += ", \"word1\": ";
        putInt(s, r[1]);
        s += ", \"word6\": ";
        putInt(s, r[6]);
        s += i < nl ? "}," : "}";
    }
    s += nl ? "\n  ]\n}\n" : "]\n}\n";
    return s;
}

// ---------------------------------------------------------------- reading

namespace {

struct Failure {
    int line;
    std::string reason;
};

std::string quoted(std::string_view name)
{
    std::string s;
    s.reserve(name.size() + 2);
    s += '"';
    s += name;
    s += '"';
    return s;
}
std::string exactText(double v)
{
    std::string s;
    putExact(s, v);
    return s;
}

// The text of a JSON number and where it stands.
struct Number {
    std::string_view text;
    bool whole; // no fraction and no exponent
    int line;
};

enum class Type { Object, Array, String, Number, Literal };

// A reader that knows the layout it expects: each value is checked where it
// stands, so a problem names its own line and nothing is kept of a text that
// fails anywhere.
class Reader {
public:
    explicit Reader(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

    [[noreturn]] void fail(std::string reason, int line = 0) { throw Failure{line ? line : line_, std::move(reason)}; }
    [[noreturn]] void syntax(const std::string& what) { fail("invalid JSON: " + what + found()); }

    int line() const { return line_; }
    void skipByteOrderMark()
    {
        if (end_ - p_ >= 3 && std::string_view(p_, 3) == "\xEF\xBB\xBF")
            p_ += 3;
    }
    void expectEnd()
    {
        ws();
        if (p_ != end_)
            syntax("more text after the end of the document");
    }

    // The type of the value that starts here; a syntax error where none does.
    Type type()
    {
        const char c = peek();
        switch (c) {
        case '{': return Type::Object;
        case '[': return Type::Array;
        case '"': return Type::String;
        case '-': return Type::Number;
        case 't':
        case 'f':
        case 'n':
            for (std::string_view word : {"true", "false", "null"})
                if (std::string_view(p_, std::min<size_t>(word.size(), size_t(end_ - p_))) == word)
                    return Type::Literal;
            break;
        default:
            if (c >= '0' && c <= '9')
                return Type::Number;
        }
        syntax("expected a value");
    }

    // Calls member(name, line) with the reader at each member's value.
    template <class F>
    void object(F&& member)
    {
        expect('{', "expected '{'");
        if (peek() == '}') {
            ++p_;
            return;
        }
        for (;;) {
            if (peek() != '"')
                syntax("expected a member name in quotes");
            const int at = line_;
            string(name_);
            if (peek() != ':')
                syntax("expected ':' after the member name " + quoted(name_));
            ++p_;
            member(std::string_view(name_), at);
            const char c = peek();
            ++p_;
            if (c == '}')
                return;
            if (c != ',') {
                --p_;
                syntax("expected ',' or '}' after a member");
            }
        }
    }

    // Calls element(k) with the reader at each element; returns their number.
    template <class F>
    int array(F&& element)
    {
        expect('[', "expected '['");
        if (peek() == ']') {
            ++p_;
            return 0;
        }
        for (int n = 0;;) {
            peek(); // so that the element's line is where it starts
            element(n++);
            const char c = peek();
            ++p_;
            if (c == ']')
                return n;
            if (c != ',') {
                --p_;
                syntax("expected ',' or ']' after an element");
            }
        }
    }

    std::string string()
    {
        std::string out;
        string(out);
        return out;
    }
    void string(std::string& out)
    {
        ++p_; // the opening quote, seen by the caller
        out.clear();
        for (;;) {
            if (p_ == end_)
                syntax("a string is not closed");
            const auto c = static_cast<unsigned char>(*p_);
            if (c == '"') {
                ++p_;
                return;
            }
            if (c < 0x20)
                syntax("a control character inside a string");
            if (c == '\\') {
                escape(out);
            } else if (c < 0x80) {
                out += char(c);
                ++p_;
            } else {
                const int n = utf8Length();
                if (n == 0)
                    syntax("a string that is not UTF-8");
                out.append(p_, size_t(n));
                p_ += n;
            }
        }
    }

    Number number()
    {
        const char* start = p_;
        const int at = line_;
        auto digits = [&] {
            const char* d = p_;
            while (p_ < end_ && *p_ >= '0' && *p_ <= '9')
                ++p_;
            if (p_ == d)
                syntax("a number without digits");
        };
        if (*p_ == '-')
            ++p_;
        if (p_ < end_ && *p_ == '0')
            ++p_;
        else
            digits();
        bool whole = true;
        if (p_ < end_ && *p_ == '.') {
            ++p_;
            digits();
            whole = false;
        }
        if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
            ++p_;
            if (p_ < end_ && (*p_ == '+' || *p_ == '-'))
                ++p_;
            digits();
            whole = false;
        }
        return {std::string_view(start, size_t(p_ - start)), whole, at};
    }

private:
    void ws()
    {
        for (; p_ < end_; ++p_) {
            const char c = *p_;
            if (c == '\n')
                ++line_;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
        }
    }
    char peek()
    {
        ws();
        if (p_ == end_)
            syntax("the text ends before the document does");
        return *p_;
    }
    void expect(char c, const char* what)
    {
        if (peek() != c)
            syntax(what);
        ++p_;
    }
    std::string found() const
    {
        if (p_ >= end_)
            return "";
        const auto c = static_cast<unsigned char>(*p_);
        if (c > 0x20 && c < 0x7F)
            return std::string(" (found '") + char(c) + "')";
        static const char hex[] = "0123456789abcdef";
        return std::string(" (found byte 0x") + hex[c >> 4] + hex[c & 15] + ")";
    }

    // The length of the UTF-8 sequence here, or 0 when it is none.
    int utf8Length() const
    {
        const auto at = [&](int k) { return p_ + k < end_ ? static_cast<unsigned char>(p_[k]) : 0u; };
        const unsigned c = at(0);
        auto tail = [&](int k) { return at(k) >= 0x80 && at(k) <= 0xBF; };
        if (c >= 0xC2 && c <= 0xDF)
            return tail(1) ? 2 : 0;
        if (c >= 0xE0 && c <= 0xEF) {
            const unsigned lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
            return at(1) >= lo && at(1) <= hi && tail(2) ? 3 : 0;
        }
        if (c >= 0xF0 && c <= 0xF4) {
            const unsigned lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
            return at(1) >= lo && at(1) <= hi && tail(2) && tail(3) ? 4 : 0;
        }
        return 0;
    }

    unsigned hex4()
    {
        if (end_ - p_ < 4)
            syntax("a \\u escape needs four hexadecimal digits");
        unsigned v = 0;
        for (int k = 0; k < 4; ++k, ++p_) {
            const char c = *p_;
            const int d = c >= '0' && c <= '9' ? c - '0'
                : c >= 'a' && c <= 'f'         ? c - 'a' + 10
                : c >= 'A' && c <= 'F'         ? c - 'A' + 10
                                               : -1;
            if (d < 0)
                syntax("a \\u escape needs four hexadecimal digits");
            v = v * 16 + unsigned(d);
        }
        return v;
    }

    void escape(std::string& out)
    {
        ++p_;
        if (p_ == end_)
            syntax("a string is not closed");
        const char c = *p_++;
        switch (c) {
        case '"': out += '"'; return;
        case '\\': out += '\\'; return;
        case '/': out += '/'; return;
        case 'b': out += '\b'; return;
        case 'f': out += '\f'; return;
        case 'n': out += '\n'; return;
        case 'r': out += '\r'; return;
        case 't': out += '\t'; return;
        case 'u': break;
        default: --p_; syntax("an unknown escape in a string");
        }
        unsigned cp = hex4();
        if (cp >= 0xDC00 && cp <= 0xDFFF)
            syntax("a lone UTF-16 surrogate in a string");
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u')
                syntax("a lone UTF-16 surrogate in a string");
            p_ += 2;
            const unsigned low = hex4();
            if (low < 0xDC00 || low > 0xDFFF)
                syntax("a lone UTF-16 surrogate in a string");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | cp >> 6);
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | cp >> 12);
            out += char(0x80 | (cp >> 6 & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | cp >> 18);
            out += char(0x80 | (cp >> 12 & 0x3F));
            out += char(0x80 | (cp >> 6 & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }

    const char* p_;
    const char* end_;
    int line_ = 1;
    std::string name_; // the member name being read, its storage kept
};

// The value of a number token; infinite beyond the double range.
double valueOf(const Number& n)
{
    double v = 0;
    const auto r = std::from_chars(n.text.data(), n.text.data() + n.text.size(), v);
    if (r.ec == std::errc())
        return v;
    // Too large or too small for a double: the C library tells which.
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return strtod_l(std::string(n.text).c_str(), nullptr, c);
}

const char kWordRange[] = "-2147483648 to 2147483647";

// What a value is, put into words only when a message needs it.
struct Where {
    const char* record = nullptr; // "point" or "line", with its number
    int index = 0;
    const char* member = nullptr;
    const char* item = nullptr; // an element of an array member, with its number
    int element = 0;

    Where at(const char* i, int k) const
    {
        Where w = *this;
        w.item = i;
        w.element = k;
        return w;
    }
    std::string str() const
    {
        std::string s;
        if (record)
            s = std::string(record) + " " + std::to_string(index) + ": ";
        s += quoted(member);
        if (item)
            s += std::string(" ") + item + " " + std::to_string(element);
        return s;
    }
};

// The document being read, and the checks that need more than one value.
class DocumentReader {
public:
    explicit DocumentReader(std::string_view text) : in_(text) {}

    void read(Document& d)
    {
        in_.skipByteOrderMark();
        if (in_.type() != Type::Object)
            in_.fail("the text must be one JSON object, the document");
        const int top = in_.line();
        static const char* const names[] = {"format",  "word0",    "water",   "rail",   "budget",
                                            "leftEnd", "rightEnd", "terrain", "points", "lines"};
        enum { Format, Word0, Water, Rail, Budget, LeftEnd, RightEnd, Terrain, Points, Lines, Count };
        int seenAt[Count] = {};
        bool level = false;
        in_.object([&](std::string_view name, int at) {
            const int m = memberIndex(names, name, Where{});
            if (seenAt[m])
                in_.fail(quoted(name) + " appears twice", at);
            seenAt[m] = at;
            const Where what{nullptr, 0, names[m]};
            switch (m) {
            case Format: level = format(); break;
            case Word0: d.Head[0] = whole(what); break;
            case Water: d.Head[kHeadWater] = unit(kHeightUnit, what); break;
            case Rail: d.Head[kHeadRail] = unit(kRailUnit, what); break;
            case Budget: d.Head[kHeadBudget] = whole(what); break;
            case LeftEnd: d.Head[kHeadLeftEnd] = unit(kLeftEndUnit, what); break;
            case RightEnd: d.Head[kHeadRightEnd] = unit(kRightEndUnit, what); break;
            case Terrain: terrain(d); break;
            case Points: points(d); break;
            case Lines: lines(d); break;
            }
        });
        in_.expectEnd();
        for (int m = 0; m < Count; ++m)
            if (!seenAt[m] && m != Word0)
                in_.fail("the document lacks " + quoted(names[m]), top);
        if (level && seenAt[Word0])
            in_.fail("a level has no header word 0: \"word0\" belongs to bridges", seenAt[Word0]);
        if (!level && !seenAt[Word0])
            in_.fail("the bridge lacks \"word0\"", top);
        if (level)
            d.Head[0] = 1; // as the reader of a level file sets it
        for (int i = 1; i <= d.NLines; ++i)
            for (int end : {kLineFirstEnd, kLineSecondEnd})
                if (d.Lin[i][end] < 0 || d.Lin[i][end] >= d.NPoints)
                    in_.fail("line " + std::to_string(i) + " ends at point " +
                                 std::to_string(d.Lin[i][end] + int64_t(1)) +
                                 (d.NPoints ? ", but the points are numbered 1 to " + std::to_string(d.NPoints)
                                            : std::string(", but the document has no points")),
                             lineAt_[size_t(i)]);
        level_ = level;
    }
    bool level() const { return level_; }

private:
    template <size_t N>
    int memberIndex(const char* const (&names)[N], std::string_view name, const Where& where)
    {
        for (size_t k = 0; k < N; ++k)
            if (name == names[k])
                return int(k);
        std::string in = " in the document";
        if (where.record)
            in = " in " + std::string(where.record) + " " + std::to_string(where.index);
        if (where.member)
            in = " in " + where.str();
        in_.fail("unknown member " + quoted(name) + in);
    }

    [[noreturn]] void wrongType(const Where& what, const char* expected)
    {
        in_.fail(what.str() + " must be " + expected);
    }

    bool format()
    {
        if (in_.type() != Type::String)
            wrongType(Where{nullptr, 0, "format"}, "a string");
        const int at = in_.line();
        const std::string f = in_.string();
        if (f == kLevelFormat || f == kBridgeFormat)
            return f == kLevelFormat;
        in_.fail("\"format\" is " + quoted(f) + ", not " + quoted(kLevelFormat) + " or " + quoted(kBridgeFormat), at);
    }

    int32_t whole(const Where& what)
    {
        if (in_.type() != Type::Number)
            wrongType(what, "a whole number");
        const Number n = in_.number();
        if (n.whole) {
            int64_t v = 0;
            const auto r = std::from_chars(n.text.data(), n.text.data() + n.text.size(), v);
            if (r.ec == std::errc() && v >= INT32_MIN && v <= INT32_MAX)
                return int32_t(v);
        } else {
            const double v = valueOf(n);
            if (std::isfinite(v) && v != std::floor(v))
                in_.fail(what.str() + " must be a whole number, not " + std::string(n.text), n.line);
            if (v >= -2147483648.0 && v <= 2147483647.0)
                return int32_t(v);
        }
        in_.fail(what.str() + " " + std::string(n.text) + " is outside the range of a word, " + kWordRange, n.line);
    }

    int32_t unit(const Unit& u, const Where& what)
    {
        const Type t = in_.type();
        if (t == Type::Object) {
            std::optional<int32_t> w;
            const int at = in_.line();
            in_.object([&](std::string_view name, int memberAt) {
                static const char* const names[] = {"word"};
                memberIndex(names, name, what);
                if (w)
                    in_.fail(what.str() + ": \"word\" appears twice", memberAt);
                w = whole(what);
            });
            if (!w)
                in_.fail(what.str() + " lacks \"word\"", at);
            return *w;
        }
        if (t != Type::Number)
            wrongType(what, "a number or {\"word\": N}");
        const Number n = in_.number();
        if (const auto w = nearestWord(u.word(valueOf(n))))
            return *w;
        in_.fail(what.str() + " " + std::string(n.text) + " is outside the range of its word, " +
                     exactText(u.value(INT32_MIN)) + " to " + exactText(u.value(INT32_MAX)),
                 n.line);
    }

    int32_t kind(const Where& what, const char* one, const char* two)
    {
        const Type t = in_.type();
        if (t == Type::Number)
            return whole(what);
        if (t != Type::String)
            wrongType(what, "a text or a whole number");
        const int at = in_.line();
        const std::string k = in_.string();
        if (k == one)
            return 1;
        if (k == two)
            return 2;
        in_.fail(what.str() + " is " + quoted(k) + ", not " + quoted(one) + ", " + quoted(two) + " or a whole number",
                 at);
    }

    // An array of exactly `count` whole numbers.
    void words(const Where& what, int32_t* into, int count)
    {
        if (in_.type() != Type::Array)
            wrongType(what, "an array");
        const int at = in_.line();
        const int n = in_.array([&](int k) {
            if (k >= count)
                in_.fail(what.str() + " has more than " + std::to_string(count) + " numbers");
            into[k] = whole(what.at("number", k + 1));
        });
        if (n != count)
            in_.fail(what.str() + " has " + std::to_string(n) + " numbers, not " + std::to_string(count), at);
    }

    void terrain(Document& d)
    {
        const Where what{nullptr, 0, "terrain"};
        if (in_.type() != Type::Array)
            wrongType(what, "an array");
        const int at = in_.line();
        const int n = in_.array([&](int k) {
            if (k >= kColumns)
                in_.fail("\"terrain\" has more than " + std::to_string(kColumns) + " columns");
            d.Head[headOfColumn(k + 1)] = unit(kHeightUnit, what.at("column", k + 1));
        });
        if (n != kColumns)
            in_.fail("\"terrain\" has " + std::to_string(n) + " columns, not " + std::to_string(kColumns), at);
    }

    // Reads one record's members; `member` gets the index of each.
    template <size_t N, class F>
    void record(const char* const (&names)[N], const char* recordName, int index, F&& member)
    {
        const Where where{recordName, index};
        if (in_.type() != Type::Object)
            in_.fail(std::string(recordName) + " " + std::to_string(index) + " must be an object");
        const int at = in_.line();
        unsigned seen = 0;
        in_.object([&](std::string_view name, int memberAt) {
            const int m = memberIndex(names, name, where);
            if (seen & 1u << m)
                in_.fail(std::string(recordName) + " " + std::to_string(index) + ": " + quoted(name) + " appears twice",
                         memberAt);
            seen |= 1u << m;
            member(m, Where{recordName, index, names[m]});
        });
        for (size_t m = 0; m < N; ++m)
            if (!(seen & 1u << m))
                in_.fail(std::string(recordName) + " " + std::to_string(index) + " lacks " + quoted(names[m]), at);
    }

    void points(Document& d)
    {
        if (in_.type() != Type::Array)
            wrongType(Where{nullptr, 0, "points"}, "an array");
        static const char* const names[] = {"kind", "x", "y", "words"};
        d.NPoints = in_.array([&](int k) {
            if (k >= kMaxPoints)
                in_.fail("more than " + std::to_string(kMaxPoints) + " points");
            PointRecord& r = d.Pnt[size_t(k) + 1];
            record(names, "point", k + 1, [&](int m, const Where& what) {
                switch (m) {
                case 0: r[kPointKind] = kind(what, "soft", "fixed"); break;
                case 1: r[kPointX] = unit(kPointXUnit, what); break;
                case 2: r[kPointY] = unit(kPointYUnit, what); break;
                case 3: words(what, &r[4], kPointWords - 3); break;
                }
            });
        });
        d.Head[kHeadPoints] = d.NPoints;
    }

    void lines(Document& d)
    {
        if (in_.type() != Type::Array)
            wrongType(Where{nullptr, 0, "lines"}, "an array");
        static const char* const names[] = {"ends", "kind", "rest", "word1", "word6"};
        lineAt_.assign(1, 0);
        d.NLines = in_.array([&](int k) {
            if (k >= kMaxLines)
                in_.fail("more than " + std::to_string(kMaxLines) + " lines");
            lineAt_.push_back(in_.line());
            LineRecord& r = d.Lin[size_t(k) + 1];
            record(names, "line", k + 1, [&](int m, const Where& what) {
                switch (m) {
                case 0: {
                    int32_t ends[2] = {};
                    words(what, ends, 2);
                    // Point numbers count from 1 in the text, from 0 in the file.
                    for (int e = 0; e < 2; ++e) {
                        if (ends[e] == INT32_MIN)
                            in_.fail(what.str() + " names point " + std::to_string(ends[e]) +
                                     ", which no document has");
                        r[kLineFirstEnd + e] = ends[e] - 1;
                    }
                    break;
                }
                case 1: r[kLineKind] = kind(what, "line", "rail"); break;
                case 2: r[kLineRestLength] = whole(what); break;
                case 3: r[1] = whole(what); break;
                case 4: r[6] = whole(what); break;
                }
            });
        });
        d.Head[kHeadLines] = d.NLines;
    }

    Reader in_;
    std::vector<int> lineAt_{0}; // text line of each line record
    bool level_ = false;
};

} // namespace

TextReading documentFromText(std::string_view text, Document& out)
{
    TextReading result;
    if (text.size() > kMaxTextBytes) {
        result.problem = "the text is larger than 64 MB";
        result.line = 1;
        return result;
    }
    // Read into a document of its own, so that a refused text leaves `out` as it
    // was; kept from call to call, since a fresh one costs the allocation of all
    // its 16,384 records (1.7 MB), which callers that read many texts (the
    // fuzzers, the tests) would pay each time. A successful reading writes every
    // word that is copied out below.
    thread_local Document d;
    DocumentReader reader(text);
    try {
        reader.read(d);
    } catch (const Failure& f) {
        result.problem = f.reason;
        result.line = f.line;
        return result;
    }
    result.level = reader.level();
    std::copy(d.Head.begin(), d.Head.begin() + kHeadLines + 1, out.Head.begin());
    std::copy(d.Pnt.begin() + 1, d.Pnt.begin() + 1 + d.NPoints, out.Pnt.begin() + 1);
    std::copy(d.Lin.begin() + 1, d.Lin.begin() + 1 + d.NLines, out.Lin.begin() + 1);
    out.NPoints = d.NPoints;
    out.NLines = d.NLines;
    return result;
}

} // namespace trv
