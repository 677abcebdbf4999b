#include "general_values.h"

#include "document.h"
#include "text_number.h"
#include "words.h"

#include <algorithm>

namespace trv {

namespace {
constexpr int32_t kMaxBudget = 2147483647;

constexpr int32_t unitWord(int e, int offset) { return int32_t((e + offset) * 65536LL); }

// Word limits of the buttons.
constexpr int32_t kWaterMin = unitWord(-17151, 17152);
constexpr int32_t kWaterMax = unitWord(256, 17152);
constexpr int32_t kRailMin = unitWord(-256, 17152); // 1107296256
constexpr int32_t kRailMax = unitWord(128, 17152);  // 1132462080
constexpr int32_t kLeftMin = unitWord(-256, 17672);
constexpr int32_t kLeftMax = unitWord(0, 17672);    // 1158152192
constexpr int32_t kRightMin = unitWord(0, 17660);   // 1157365760
constexpr int32_t kRightMax = unitWord(128, 17660); // 1165754368
} // namespace

BudgetEntry typedBudget(std::string_view text)
{
    double v = parseLeadingNumber(text);
    if (v > kMaxBudget)
        v = kMaxBudget;
    if (v < 0)
        v = 0;
    return {formatNumber(v), roundHalfEven32(v)};
}

BudgetEntry applyTypedBudget(Document& doc, std::string_view text)
{
    BudgetEntry e = typedBudget(text);
    doc.Head[kHeadBudget] = e.word;
    return e;
}

int headIndex(LevelValue v)
{
    switch (v) {
    case LevelValue::Water: return kHeadWater;
    case LevelValue::Rail: return kHeadRail;
    case LevelValue::LeftEnd: return kHeadLeftEnd;
    case LevelValue::RightEnd: return kHeadRightEnd;
    }
    return kHeadWater;
}

int32_t typedLevelWord(LevelValue v, std::string_view text)
{
    double x = parseLeadingNumber(text);
    switch (v) {
    case LevelValue::Water: return encodeY(std::clamp(x, -17151.0, 256.0));
    case LevelValue::Rail: x = std::clamp(x, -256.0, 256.0); return encodeY(x > 0 ? x / 2 : x);
    case LevelValue::LeftEnd: return encodeLeftEnd(std::clamp(x, -256.0, 0.0));
    case LevelValue::RightEnd: return encodeRightEnd(std::clamp(x * 0.5, 0.0, 128.0));
    }
    return 0;
}

std::string applyTypedLevel(Document& doc, LevelValue v, std::string_view text)
{
    doc.Head[headIndex(v)] = typedLevelWord(v, text);
    switch (v) {
    case LevelValue::Water: return "Water: Change";
    case LevelValue::Rail: return "Rail Level";
    case LevelValue::LeftEnd: return "Left Change";
    case LevelValue::RightEnd: return "Right Change";
    }
    return {};
}

int levelStep(LevelValue v, bool bigStep)
{
    if (!bigStep)
        return 1;
    return v == LevelValue::Water || v == LevelValue::Rail ? 16 : 8;
}

std::string levelStepName(LevelValue v, int signedStep)
{
    const char* prefix = "";
    switch (v) {
    case LevelValue::Water: prefix = "Water "; break;
    case LevelValue::Rail: prefix = "Rail Level "; break;
    case LevelValue::LeftEnd: prefix = "Left "; break;
    case LevelValue::RightEnd: prefix = "Right "; break;
    }
    return prefix + std::string(signedStep >= 0 ? "+" : "") + std::to_string(signedStep);
}

EditResult stepLevel(Document& doc, LevelValue v, bool plus, bool bigStep, double loadedRailY)
{
    const int s = plus ? levelStep(v, bigStep) : -levelStep(v, bigStep);
    int32_t& word = doc.Head[headIndex(v)];
    // Half-unit moves where the box shows twice the editor value; 64-bit so that
    // no word read from a file can overflow.
    long long delta = s * 65536LL;
    bool half = v == LevelValue::RightEnd;
    if (v == LevelValue::Rail)
        half = plus ? loadedRailY > -1 : loadedRailY > 0;
    if (half)
        delta /= 2;
    long long w = word + delta;
    switch (v) {
    case LevelValue::Water: w = std::clamp<long long>(w, kWaterMin, kWaterMax); break;
    case LevelValue::Rail: w = plus ? std::min<long long>(w, kRailMax) : std::max<long long>(w, kRailMin); break;
    case LevelValue::LeftEnd: w = plus ? std::min<long long>(w, kLeftMax) : std::max<long long>(w, kLeftMin); break;
    case LevelValue::RightEnd: w = plus ? std::min<long long>(w, kRightMax) : std::max<long long>(w, kRightMin); break;
    }
    EditResult res = EditResult::step(levelStepName(v, s));
    res.changed = word != int32_t(w);
    word = int32_t(w);
    return res;
}

} // namespace trv
