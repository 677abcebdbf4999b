#include "text_number.h"
#include "words.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

using namespace trv;

namespace {
int32_t bits(float f) { return std::bit_cast<int32_t>(f); }
} // namespace

TEST(Words, HeightWordsMapOntoDisplayUnitsOverTheOctaves)
{
    struct Case {
        float game;
        double editor, display;
    } cases[] = {
        {128.0f, 0, 0}, {256.0f, 128, 256}, {64.0f, -128, -128}, {32.0f, -256, -192}, {0.5f, -1024, -255},
    };
    for (const auto& c : cases) {
        const double e = wordToEditorY(bits(c.game));
        EXPECT_DOUBLE_EQ(e, c.editor) << c.game;
        EXPECT_DOUBLE_EQ(MapDisplayY(e), c.display) << c.game;
    }
    // Points unfold only five octaves: exact from game height 2 upwards, not below.
    EXPECT_DOUBLE_EQ(MapDisplayYPoint(wordToEditorY(bits(2.0f))), MapDisplayY(wordToEditorY(bits(2.0f))));
    EXPECT_NE(MapDisplayYPoint(wordToEditorY(bits(0.5f))), MapDisplayY(wordToEditorY(bits(0.5f))));
}

TEST(Words, PointXWordsAndTerrainColumns)
{
    EXPECT_DOUBLE_EQ(wordToDisplayX(bits(2048.0f)), 0);
    EXPECT_DOUBLE_EQ(wordToDisplayX(bits(1024.0f)), -4096);
    EXPECT_DOUBLE_EQ(wordToDisplayX(bits(4096.0f)), 8192);
    EXPECT_EQ(columnDisplayX(513), 0);
    EXPECT_EQ(columnDisplayX(1), -8192);
    EXPECT_EQ(columnDisplayX(1024), 8176);
}

TEST(Words, EncodersInvertTheDecodersAndRoundHalvesToEven)
{
    for (double e : {-1024.0, -128.0, -0.5, 0.0, 12.25, 127.75})
        EXPECT_DOUBLE_EQ(wordToEditorY(encodeY(e)), e);
    EXPECT_DOUBLE_EQ(wordToLeftEnd(encodeLeftEnd(-24)), -24);
    EXPECT_DOUBLE_EQ(wordToRightEnd(encodeRightEnd(12.5)), 12.5);
    EXPECT_DOUBLE_EQ(wordToDisplayX(encodeX(-200)), -100);
    EXPECT_EQ(roundHalfEven32(2.5), 2);
    EXPECT_EQ(roundHalfEven32(3.5), 4);
    EXPECT_EQ(roundHalfEven32(-2.5), -2);
    // Out-of-range values are limited, never undefined.
    EXPECT_EQ(roundHalfEven32(1e30), INT32_MAX);
    EXPECT_EQ(roundHalfEven32(-1e30), INT32_MIN);
    EXPECT_EQ(roundHalfEven32(std::nan("")), 0);
}

TEST(TextNumber, LeadingNumberIsReadLeniently)
{
    EXPECT_EQ(parseLeadingNumber("12.5abc"), 12.5);
    EXPECT_EQ(parseLeadingNumber("  -3"), -3);
    EXPECT_EQ(parseLeadingNumber("+.5"), 0.5);
    EXPECT_EQ(parseLeadingNumber("abc"), 0);
    EXPECT_EQ(parseLeadingNumber("-"), 0);
    EXPECT_EQ(parseLeadingNumber(""), 0);
    EXPECT_EQ(parseLeadingNumber("3000000000"), 3000000000.0);
    EXPECT_EQ(parseLeadingNumber("1e5"), 1);
}

TEST(TextNumber, ShortestDecimalFormAndPadding)
{
    EXPECT_EQ(formatNumber(100), "100");
    EXPECT_EQ(formatNumber(-12.5), "-12.5");
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatNumber(1.0 / 65536), "0.0000152587890625");
    EXPECT_EQ(formatLeadingBlank(5), " 5");
    EXPECT_EQ(formatLeadingBlank(-5), "-5");
    EXPECT_EQ(padLeft("ab", 4), "  ab");
    EXPECT_EQ(padLeft("abcdef", 4), "abcdef");
}
