// The five general values of a level: reading a typed box text into the header
// word, and the "+"/"-" buttons of the four levels.
#pragma once
#include "edit_result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace trv {

struct Document;

// The budget box. A typed text becomes the budget in dollars, 0..2147483647;
// `text` is what the box must show afterwards (the value in shortest form: "12abc"
// shows "12", "-5" shows "0", "12.5" stays and is stored as 12). Typing the
// budget never names a journal step.
struct BudgetEntry {
    std::string text;
    int32_t word = 0;
};
BudgetEntry typedBudget(std::string_view text);
// Writes the budget word; returns the entry for the box text.
BudgetEntry applyTypedBudget(Document& doc, std::string_view text);

enum class LevelValue { Water, Rail, LeftEnd, RightEnd };

// Header index of a level's word.
int headIndex(LevelValue v);

// A typed level: the box text read in box units, limited, and encoded (the rail
// and right-end boxes show twice the editor value above 0). The box text itself
// stays as typed.
int32_t typedLevelWord(LevelValue v, std::string_view text);
// Writes the word and returns the name the current journal step takes when it
// has none yet ("Water: Change", "Rail Level", "Left Change", "Right Change").
// The value reaches the journal with the next save.
std::string applyTypedLevel(Document& doc, LevelValue v, std::string_view text);

// Box-unit step of a button: 1 on a left click, else 16 (water, rail) or 8 (ends).
int levelStep(LevelValue v, bool bigStep);
// "Water +16", "Rail Level -1", "Left +8", "Right -8", ...
std::string levelStepName(LevelValue v, int signedStep);

// A "+" (plus) or "-" button: moves the level by its step and limits it. The
// rail moves by half a step in editor units where its box shows twice the value,
// judged from loadedRailY, the rail level as last loaded; the right end always
// does. Always a named step, even when the limit keeps the word.
EditResult stepLevel(Document& doc, LevelValue v, bool plus, bool bigStep, double loadedRailY);

} // namespace trv
