// Value syntax of theme attributes.
#include <gtest/gtest.h>

#include <climits>

#include "skin/theme/skin_attribute_reader.h"
#include "skin/theme/skin_description_base.h"
#include "skin/theme/skin_value_parsers.h"

TEST(ThemeValueParsers, IntegersReadUpToTheFirstNonDigit) {
    EXPECT_EQ(ParseInteger(L"-40"), -40);
    EXPECT_EQ(ParseInteger(L"  +12px"), 12);
    EXPECT_EQ(ParseInteger(L""), 0);
    EXPECT_EQ(ParseInteger(L"abc"), 0);
    EXPECT_EQ(ParseInteger(L"-"), 0);
    // Hostile lengths saturate instead of overflowing.
    EXPECT_EQ(ParseInteger(L"99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseInteger(L"-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(ParsePosition(L"center"), 10000);
    EXPECT_EQ(ParsePosition(L"Center"), 0);
    EXPECT_EQ(ParsePosition(L"-77"), -77);
}

TEST(ThemeValueParsers, RgbKeepsTheLowEightBitsOfEachPart) {
    EXPECT_EQ(ParseRgb(L"RGB(255,255,255)"), 0xFFFFFFu);
    EXPECT_EQ(ParseRgb(L"RGB(1,2,3)"), 0x030201u);
    EXPECT_EQ(ParseRgb(L"RGB(300,0,0)"), 44u);
    // The frame characters are not checked, missing parts are 0.
    EXPECT_EQ(ParseRgb(L"xyz(10,20]"), SkinRgb(10, 20, 0));
    EXPECT_EQ(ParseRgb(L""), 0u);
    EXPECT_EQ(ParseRgb(L"RGB("), 0u);
    EXPECT_EQ(ParseRgb(L"RGB(7)"), 7u);
}

TEST(ThemeValueParsers, ColorValueTakesIdsDefaultsAndRgb) {
    SkinColorLookup lookup = [](const std::wstring& id) -> SkinColor { return id == L"white" ? 0xFFFFFFu : 0xABCDu; };
    EXPECT_EQ(ParseColorValue(L"", 0x123u, lookup), 0x123u);
    EXPECT_EQ(ParseColorValue(L"#white", 0x123u, lookup), 0xFFFFFFu);
    EXPECT_EQ(ParseColorValue(L"#nothing", 0x123u, lookup), 0xABCDu);
    EXPECT_EQ(ParseColorValue(L"RGB(0,0,255)", 0x123u, lookup), 0xFF0000u);
}

TEST(ThemeValueParsers, TupleMissingPartsAreMinusOnePairMissingPartsZero) {
    EXPECT_EQ(ParseTuple(L"(2,2)"), (SkinQuad{2, 2, -1, -1}));
    EXPECT_EQ(ParseTuple(L"(15,15,15,15)"), (SkinQuad{15, 15, 15, 15}));
    EXPECT_EQ(ParseTuple(L"(1,2,3,4,5)"), (SkinQuad{1, 2, 3, 4}));
    EXPECT_EQ(ParseTuple(L"()"), (SkinQuad{-1, -1, -1, -1}));
    EXPECT_EQ(ParseTuple(L"x"), (SkinQuad{-1, -1, -1, -1}));
    EXPECT_EQ(ParsePair(L"(1,1)"), (SkinPair{1, 1}));
    EXPECT_EQ(ParsePair(L"(7)"), (SkinPair{7, 0}));
    EXPECT_EQ(ParsePair(L"(-3,4,9)"), (SkinPair{-3, 4}));
}

TEST(ThemeValueParsers, FlagsCompareExactly) {
    EXPECT_TRUE(ParseTrueFlag(L"true"));
    EXPECT_FALSE(ParseTrueFlag(L"TRUE"));
    EXPECT_FALSE(ParseTrueFlag(L"1"));
    EXPECT_FALSE(ParseFalseFlag(L"false"));
    EXPECT_TRUE(ParseFalseFlag(L"False"));
    EXPECT_TRUE(ParseFalseFlag(L""));
}

TEST(ThemeValueParsers, StateNamesCombineIntoMasks) {
    EXPECT_EQ(ParseStateMask(L"checkeddisable"), 24u);
    EXPECT_EQ(ParseStateMask(L"normal|over"), 3u);
    EXPECT_EQ(ParseStateMask(L"all"), 512u);
    EXPECT_EQ(ParseStateMask(L""), 512u);
    EXPECT_EQ(ParseStateMask(L"down"), 4u);
    EXPECT_EQ(ParseStateMask(L"checked"), 32u);
    EXPECT_EQ(ParseStateMask(L"checkednormal"), 32u);
    EXPECT_EQ(ParseStateMask(L"checkedover"), 64u);
    EXPECT_EQ(ParseStateMask(L"unchecknormal,uncheckover"), 384u);
    EXPECT_EQ(ParseStateMask(L"normal,disable"), 9u);
    EXPECT_EQ(ParseStateMask(L"bogus"), 0u);
}
