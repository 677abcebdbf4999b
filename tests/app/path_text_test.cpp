#include "path_text.h"
#include "report_text.h"

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

TEST(Reports, AShortListStandsInTheMessageALongOneInTheDetails)
{
    const QStringList two{"Cannot read /a/x.brg", "Cannot write the bitmap /a/y.bmp: denied"};
    const ReportText shortOne = reportText("0 pictures written, 2 files could not be exported.", two);
    EXPECT_EQ(shortOne.text, "0 pictures written, 2 files could not be exported.\n\n" + two.join('\n'));
    EXPECT_TRUE(shortOne.details.isEmpty());

    QStringList many;
    for (int i = 0; i < 11; ++i)
        many << QString("Cannot read /a/%1.brg").arg(i);
    const ReportText longOne = reportText("0 pictures written, 11 files could not be exported.", many);
    EXPECT_EQ(longOne.text, "0 pictures written, 11 files could not be exported.");
    EXPECT_EQ(longOne.details, many.join('\n'));
}
