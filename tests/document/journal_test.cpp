#include "journal.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace trv;

TEST(Journal, UndoListAfterStepsAndOneUndo)
{
    Journal j;
    j.UndoName[0] = "A";
    j.UndoName[1] = "B";
    j.UndoName[2] = "C";
    j.UndoPos = 2;
    auto list = undoListItems(j);
    ASSERT_EQ(list.items.size(), 4u);
    EXPECT_EQ(list.items[0], "   1  A");
    EXPECT_EQ(list.items[1], "   2  B");
    EXPECT_EQ(list.items[2], "          Cancel");
    EXPECT_EQ(list.items[3], "Redo: C");
    EXPECT_EQ(list.cancelIndex, 2);
    EXPECT_EQ(list.revealIndex, 3);
}

TEST(Journal, UndoListAtStateZeroPutsCancelFirst)
{
    Journal j;
    j.UndoName[0] = "A";
    auto list = undoListItems(j);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0], "          Cancel");
    EXPECT_EQ(list.items[1], "Redo: A");
    EXPECT_EQ(list.cancelIndex, 0);

    j.UndoName[0].clear();
    list = undoListItems(j);
    EXPECT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.revealIndex, 0);
}

TEST(Journal, StateNamesAndLimits)
{
    Journal j;
    EXPECT_TRUE(j.changed());
    j.restart();
    EXPECT_FALSE(j.changed());
    EXPECT_FALSE(j.stepNamed());
    j.UndoName[0] = "Point Move";
    EXPECT_TRUE(j.stepNamed());
    EXPECT_FALSE(j.full());
    j.UndoPos = kMaxJournalState;
    j.UndoName[kMaxJournalState] = "Line: Draw";
    EXPECT_TRUE(j.full());
    EXPECT_EQ(undoListItems(j).items.back(), "Redo: Line: Draw");
    EXPECT_EQ(journalFileName("/tmp/x", 12), "/tmp/x/TRV12.TMP");
}

TEST(Journal, DumpShowsHexDecimalAndFraction)
{
    const int32_t w[] = {0x43000000, -1, 65536 * 3 + 32768};
    std::vector<uint8_t> bytes(sizeof w + 2); // a partial word at the end is not shown
    std::memcpy(bytes.data(), w, sizeof w);
    const auto rows = journalDumpItems(bytes);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "43000000 1124073472 17152");
    EXPECT_EQ(rows[1], "FFFFFFFF         -1 -0.0000152587890625");
    EXPECT_EQ(rows[2], "00038000     229376 3.5");
}
