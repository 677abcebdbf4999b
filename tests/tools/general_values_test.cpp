#include "general_values.h"
#include "tool_docs.h"
#include "words.h"

#include <gtest/gtest.h>

#include <limits>

using namespace trv;
using tooltest::makeDoc;

TEST(Budget, TypedTextIsLimitedAndRewritten)
{
    Document d = makeDoc({{2, 0, 0}});
    BudgetEntry e = applyTypedBudget(d, "3000000000");
    EXPECT_EQ(e.text, "2147483647");
    EXPECT_EQ(d.Head[3], 2147483647);
    EXPECT_EQ(typedBudget("-5").text, "0");
    EXPECT_EQ(typedBudget("12.5").text, "12.5");
    EXPECT_EQ(typedBudget("12.5").word, 12);
    EXPECT_EQ(typedBudget("13.5").word, 14);
    EXPECT_EQ(typedBudget("12abc").text, "12");
    EXPECT_EQ(typedBudget("").text, "0");
}

TEST(TypedLevels, LimitsAndEncoding)
{
    Document d = makeDoc({{2, 0, 0}});
    EXPECT_EQ(applyTypedLevel(d, LevelValue::Rail, "300"), "Rail Level");
    EXPECT_EQ(d.Head[2], 1132462080); // 256 in the box is 128 editor units
    EXPECT_EQ(typedLevelWord(LevelValue::Rail, "-10"), encodeY(-10));
    EXPECT_EQ(applyTypedLevel(d, LevelValue::RightEnd, "10"), "Right Change");
    EXPECT_DOUBLE_EQ(wordToRightEnd(d.Head[5]), 5);
    EXPECT_EQ(applyTypedLevel(d, LevelValue::LeftEnd, "5"), "Left Change");
    EXPECT_EQ(d.Head[4], encodeLeftEnd(0));
    EXPECT_EQ(applyTypedLevel(d, LevelValue::Water, "-99999"), "Water: Change");
    EXPECT_EQ(d.Head[1], encodeY(-17151));
}

TEST(LevelButtons, StepsNamesAndHalving)
{
    Document d = makeDoc({{2, 0, 0}});
    d.Head[2] = encodeY(0);
    EditResult r = stepLevel(d, LevelValue::Rail, true, true, 0);
    EXPECT_EQ(r.action, "Rail Level +16");
    EXPECT_DOUBLE_EQ(wordToEditorY(d.Head[2]), 8); // the box shows 16
    // "-" halves only above 0, "+" from -1 up, judged by the loaded level.
    d.Head[2] = encodeY(0);
    EXPECT_EQ(stepLevel(d, LevelValue::Rail, false, false, 0).action, "Rail Level -1");
    EXPECT_DOUBLE_EQ(wordToEditorY(d.Head[2]), -1);
    stepLevel(d, LevelValue::Rail, false, false, 10);
    EXPECT_DOUBLE_EQ(wordToEditorY(d.Head[2]), -1.5);
    d.Head[2] = encodeY(-5);
    stepLevel(d, LevelValue::Rail, true, false, -5);
    EXPECT_DOUBLE_EQ(wordToEditorY(d.Head[2]), -4);

    d.Head[1] = encodeY(10);
    EXPECT_EQ(stepLevel(d, LevelValue::Water, false, true, 0).action, "Water -16");
    EXPECT_DOUBLE_EQ(wordToEditorY(d.Head[1]), -6);
    d.Head[4] = encodeLeftEnd(-20);
    EXPECT_EQ(stepLevel(d, LevelValue::LeftEnd, true, true, 0).action, "Left +8");
    EXPECT_DOUBLE_EQ(wordToLeftEnd(d.Head[4]), -12);
    d.Head[5] = encodeRightEnd(10); // half a unit per box unit
    EXPECT_EQ(stepLevel(d, LevelValue::RightEnd, false, true, 0).action, "Right -8");
    EXPECT_DOUBLE_EQ(wordToRightEnd(d.Head[5]), 6);
}

TEST(LevelButtons, LimitsKeepTheWordButStillRecordAStep)
{
    Document d = makeDoc({{2, 0, 0}});
    d.Head[5] = 1165754368; // right end 128, the box shows 256
    EditResult r = stepLevel(d, LevelValue::RightEnd, true, false, 0);
    EXPECT_EQ(d.Head[5], 1165754368);
    EXPECT_EQ(r.action, "Right +1");
    EXPECT_TRUE(r.save);

    d.Head[4] = encodeLeftEnd(-250);
    stepLevel(d, LevelValue::LeftEnd, false, true, 0);
    EXPECT_DOUBLE_EQ(wordToLeftEnd(d.Head[4]), -256);
    d.Head[2] = encodeY(125);
    stepLevel(d, LevelValue::Rail, true, true, 125);
    EXPECT_EQ(d.Head[2], 1132462080);
    d.Head[1] = encodeY(-17150);
    stepLevel(d, LevelValue::Water, false, true, 0);
    EXPECT_EQ(d.Head[1], encodeY(-17151));

    // Words from a file at the ends of the 32-bit range do not wrap.
    d.Head[5] = std::numeric_limits<int32_t>::min();
    stepLevel(d, LevelValue::RightEnd, false, true, 0);
    EXPECT_EQ(d.Head[5], 1157365760);
    d.Head[1] = std::numeric_limits<int32_t>::max();
    stepLevel(d, LevelValue::Water, true, true, 0);
    EXPECT_EQ(d.Head[1], encodeY(256));
}
