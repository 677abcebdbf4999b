#include "path_text.h"

#include <gtest/gtest.h>

TEST(FileDialogs, FiltersBecomeQtNameFilters)
{
    EXPECT_EQ(qtFilters("Bridges (*.brg)|*.brg|Levels (*.lvl)|*.lvl|Alle Dateien (*.*)|*.*"),
              (QStringList{"Bridges (*.brg)", "Levels (*.lvl)", "Alle Dateien (*.*)"}));
    EXPECT_EQ(qtFilters("Bridges (*.brg)|*.brg|For bitmap use *.bmp|*.*|"),
              (QStringList{"Bridges (*.brg)", "For bitmap use *.bmp (*.*)"}));
    // A text without a pattern lets the user pick any file.
    EXPECT_EQ(qtFilters("Select folder and first bridge/level"),
              (QStringList{"Select folder and first bridge/level (*)"}));
}

TEST(FileDialogs, PathsSplitAtTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(splitPath("C:\\Levels\\bridge1.brg").folder, "C:\\Levels\\");
    EXPECT_EQ(splitPath("C:\\Levels\\bridge1.brg").name, "bridge1.brg");
    EXPECT_EQ(splitPath("/home/a/b.lvl").folder, "/home/a/");
    EXPECT_EQ(splitPath("/home/a\\x/b.lvl").name, "b.lvl");
    EXPECT_EQ(splitPath("plain.brg").folder, "");
    EXPECT_EQ(splitPath("plain.brg").name, "plain.brg");
}
