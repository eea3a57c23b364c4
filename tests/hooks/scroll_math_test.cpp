// The scroll-bar arithmetic behind the scroller's SetScrollInfo,
// SetScrollPos and SetScrollRange answers.
#include "skin/windows/hooks/skin_scroll_math.h"

#include <gtest/gtest.h>

#include "hooks/scroll_info_values.h"

#include <climits>

TEST(ScrollMath, PageIsAtMostTheRangeSize) {
    SkinScrollBarCopy bar;
    SkinApplyScrollInfo(bar, Info(kAll, 0, 9, 50, 0), true);
    EXPECT_EQ(bar.page, 10u);
    // A new, smaller range brings an old page back inside it.
    SkinApplyScrollInfo(bar, Info(kSkinSifRange, 0, 4, 0, 0), true);
    EXPECT_EQ(bar.page, 5u);
    // An inverted range has no size at all.
    SkinApplyScrollInfo(bar, Info(kAll, 10, 0, 3, 0), true);
    EXPECT_EQ(bar.page, 0u);
}

TEST(ScrollMath, PositionStaysWithinRangeAndPage) {
    SkinScrollBarCopy bar;
    // 100 items, 10 visible: the last page starts at 90.
    EXPECT_EQ(SkinApplyScrollInfo(bar, Info(kAll, 0, 99, 10, 95), true).position, 90);
    EXPECT_EQ(SkinApplyScrollInfo(bar, Info(kSkinSifPos, 0, 0, 0, -5), true).position, 0);
    EXPECT_EQ(SkinApplyScrollPos(bar, 1000), 0);  // returns the old position
    EXPECT_EQ(bar.position, 90);
    // With page 0 (the SetScrollPos users' case) the maximum is reachable
    // but never passed.
    SkinApplyScrollInfo(bar, Info(kAll, 0, 100, 0, 0), true);
    SkinApplyScrollPos(bar, 150);
    EXPECT_EQ(bar.position, 100);
    // A range that no longer holds the position moves it in.
    SkinApplyScrollRange(bar, 0, 40, true);
    EXPECT_EQ(bar.position, 40);
    SkinApplyScrollRange(bar, 50, 60, true);
    EXPECT_EQ(bar.position, 50);
}

TEST(ScrollMath, WideRangesAndHugePagesDoNotOverflow) {
    SkinScrollBarCopy bar;
    // maximum - minimum + 1 is 2^32 here.
    SkinApplyScrollInfo(bar, Info(kAll, INT_MIN, INT_MAX, UINT_MAX, INT_MAX), true);
    EXPECT_EQ(bar.page, UINT_MAX);
    // The last page starts at INT_MAX - (UINT_MAX - 1).
    EXPECT_EQ(bar.position, -2147483647);
    // A page above INT_MAX on a small range is the range's size, not negative.
    SkinApplyScrollInfo(bar, Info(kAll, 0, 99, 0x80000000u, 50), true);
    EXPECT_EQ(bar.page, 100u);
    EXPECT_EQ(bar.position, 0);
    SkinApplyScrollInfo(bar, Info(kAll, INT_MIN, INT_MAX, 0, INT_MIN), true);
    EXPECT_EQ(SkinApplyScrollPos(bar, INT_MAX), INT_MIN);
    EXPECT_EQ(bar.position, INT_MAX);
}

TEST(ScrollMath, EmptyRangeResetsPosition) {
    SkinScrollBarCopy bar;
    bar.trackPosition = 7;
    EXPECT_EQ(SkinApplyScrollInfo(bar, Info(kAll, 5, 5, 0, 5), true).position, 0);
    EXPECT_EQ(bar.trackPosition, 0);
}

TEST(ScrollMath, VisibilityChangesOnlyWhenItDiffers) {
    SkinScrollBarCopy bar;
    EXPECT_EQ(SkinApplyScrollInfo(bar, Info(kAll, 0, 99, 10, 0), true).visibility, SkinBarVisibility::Show);
    EXPECT_TRUE(bar.shown);
    EXPECT_EQ(SkinApplyScrollInfo(bar, Info(kSkinSifPos, 0, 0, 0, 3), true).visibility, SkinBarVisibility::Keep);
    // Everything fits on one page: the bar goes.
    EXPECT_EQ(SkinApplyScrollInfo(bar, Info(kAll, 0, 9, 10, 0), true).visibility, SkinBarVisibility::Hide);
    EXPECT_FALSE(bar.shown);
    EXPECT_EQ(SkinApplyScrollInfo(bar, Info(kAll, 0, 0, 0, 0), true).visibility, SkinBarVisibility::Keep);
    // SIF_DISABLENOSCROLL keeps the bar and marks it disabled instead.
    const auto r = SkinApplyScrollInfo(bar, Info(kAll | kSkinSifDisableNoScroll, 0, 9, 10, 0), true);
    EXPECT_EQ(r.visibility, SkinBarVisibility::Show);
    EXPECT_TRUE(bar.disabled);
    SkinApplyScrollInfo(bar, Info(kAll | kSkinSifDisableNoScroll, 0, 99, 10, 0), true);
    EXPECT_FALSE(bar.disabled);
    // The bar of a scroll-bar control never changes its visibility here.
    SkinScrollBarCopy ctl;
    EXPECT_EQ(SkinApplyScrollInfo(ctl, Info(kAll, 0, 99, 10, 0), false).visibility, SkinBarVisibility::Keep);
    EXPECT_FALSE(ctl.shown);
}

TEST(ScrollMath, RangeShowsAndHidesOwnBars) {
    SkinScrollBarCopy bar;
    EXPECT_EQ(SkinApplyScrollRange(bar, 0, 10, true), SkinBarVisibility::Show);
    EXPECT_EQ(SkinApplyScrollRange(bar, 0, 20, true), SkinBarVisibility::Keep);
    EXPECT_EQ(SkinApplyScrollRange(bar, 3, 3, true), SkinBarVisibility::Hide);
    EXPECT_EQ(SkinApplyScrollRange(bar, 3, 3, true), SkinBarVisibility::Keep);
    EXPECT_EQ(SkinApplyScrollRange(bar, 0, 10, false), SkinBarVisibility::Keep);
    EXPECT_EQ(bar.maximum, 10);
}

TEST(ScrollMath, WhichBarACallAddresses) {
    SkinScrollBars bars;
    EXPECT_EQ(SkinScrollBarIndex(kSkinSbHorz, bars), 0);
    EXPECT_EQ(SkinScrollBarIndex(kSkinSbVert, bars), 1);
    EXPECT_EQ(SkinScrollBarIndex(kSkinSbCtl, bars), -1);
    bars.bar[0].shown = true;
    EXPECT_EQ(SkinScrollBarIndex(kSkinSbCtl, bars), 0);
    bars.bar[1].shown = true;
    EXPECT_EQ(SkinScrollBarIndex(kSkinSbCtl, bars), 1);
    EXPECT_EQ(SkinScrollBarIndex(kSkinSbBoth, bars), -1);
    EXPECT_EQ(SkinScrollBarIndex(-1, bars), -1);
}
