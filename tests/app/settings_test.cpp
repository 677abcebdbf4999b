#include "first_start_settings.h"
#include "settings.h"

#include <gtest/gtest.h>

namespace {
Settings firstStart()
{
    Settings s;
    s.file = "C:\\Programme\\Trusswick\\neu.brg";
    s.numbers = {100, 9, 200, 0, 0, 400, 0};
    s.checks = {1, 1, 1, 1, 1, 1, 1};
    s.placement = {0, 0, 9000, 12000, 2, 0};
    s.colors = {4737096, 8334380, 10526880, 255, 65535, 65280, 16777215, 5806168, 7303023, 3158064, 5789784, 0};
    return s;
}
} // namespace

TEST(Settings, WritesTheSeventeenLinesOfAFirstStart) { EXPECT_EQ(formatSettings(firstStart()), kFirstStartSettings); }

TEST(Settings, NumberForms)
{
    EXPECT_EQ(settingsNumber(-3), "-3 ");
    EXPECT_EQ(settingsNumber(0.1), " 0.1 ");
    EXPECT_EQ(settingsNumber(1.0 / 3), " 0.333333333333333 ");
    EXPECT_EQ(settingsNumber(1.0 / 3, 7), " 0.3333333 ");
    EXPECT_EQ(settingsNumber(-2.5, 7), "-2.5 ");
    // Small values stay positional, never "1e-05".
    EXPECT_EQ(settingsNumber(0.00001), " 0.00001 ");
}

TEST(Settings, ReadsWhatItWroteAndCommasToo)
{
    Settings s = firstStart();
    s.numbers = {51, 9.5, 1, -3, 12, 300, -200};
    s.file = " path, with commas and blanks ";
    Settings back;
    const SettingsRead r = parseSettings(formatSettings(s), back);
    EXPECT_TRUE(r.file);
    EXPECT_EQ(r.colors, 12);
    EXPECT_EQ(back.file, s.file);
    EXPECT_EQ(back.numbers, s.numbers);
    EXPECT_EQ(back.checks, s.checks);
    EXPECT_EQ(back.placement, s.placement);
    EXPECT_EQ(back.colors, s.colors);

    Settings commas;
    parseSettings("x\n4,5,6,7,8,9,10\n", commas);
    EXPECT_EQ(commas.numbers, (std::array<double, 7>{4, 5, 6, 7, 8, 9, 10}));
}

TEST(Settings, ShortOrGarbledFilesKeepWhatCameBefore)
{
    Settings s;
    s.colors.fill(77);
    SettingsRead r = parseSettings("only a name", s);
    EXPECT_TRUE(r.file);
    EXPECT_EQ(r.numbers, 0);
    EXPECT_EQ(s.colors[0], 77);

    r = parseSettings("f\r\n 1 2 abc 4 5 6 7\r\n 1 1 1 1 1 1 1\r\n", s);
    EXPECT_EQ(r.numbers, 2);
    EXPECT_EQ(r.checks, 0); // reading stops at the garbled item
    EXPECT_EQ(s.numbers[1], 2);

    std::string text = formatSettings(firstStart());
    text.resize(text.find(" 65535"));
    r = parseSettings(text, s);
    EXPECT_EQ(r.colors, 4);
    EXPECT_EQ(s.colors[4], 77);

    // Values beyond a check box or colour word are garbage, not wrapped around.
    r = parseSettings("f\n1 2 3 4 5 6 7\n1 1 1 1 1 1 99999999999\n", s);
    EXPECT_EQ(r.checks, 6);
}
