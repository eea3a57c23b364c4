// The rich-edit layer's answers to the scroll-bar functions, on its record.
#include "skin/windows/hooks/skin_richedit_scroll_math.h"

#include <gtest/gtest.h>

#include "hooks/scroll_info_values.h"

TEST(RichScrollMath, SetScrollInfoStoresClampsAndShows) {
    SkinRichScrollState s;
    SkinRichScrollEffect e;
    // A hidden bar takes nothing without a range.
    EXPECT_EQ(SkinRichSetScrollInfo(s, kSkinSbVert, Info(kSkinSifPos | kSkinSifPage, 0, 0, 10, 5), true, &e), 0);
    EXPECT_EQ(s.bar[1].page, 0u);
    EXPECT_FALSE(e.frameChanged);
    // 200 lines, 20 on the page: the bar appears (a new frame), the
    // position stays on the last page.
    EXPECT_EQ(SkinRichSetScrollInfo(s, kSkinSbVert, Info(kAll, 0, 199, 20, 500), true, &e), 180);
    EXPECT_TRUE(s.bar[1].shown);
    EXPECT_TRUE(e.frameChanged);
    EXPECT_EQ(e.redraw, 0u);  // the new frame repaints it
    // Now visible, a change redraws it when asked.
    e = {};
    EXPECT_EQ(SkinRichSetScrollInfo(s, kSkinSbVert, Info(kSkinSifPos, 0, 0, 0, -7), true, &e), 0);
    EXPECT_EQ(e.redraw, 2u);
    EXPECT_FALSE(e.frameChanged);
    // Everything on one page: the bar goes.
    e = {};
    SkinRichSetScrollInfo(s, kSkinSbVert, Info(kAll, 0, 9, 10, 0), true, &e);
    EXPECT_FALSE(s.bar[1].shown);
    EXPECT_TRUE(e.frameChanged);
    // A page larger than the range, an inverted range.
    SkinRichSetScrollInfo(s, kSkinSbVert, Info(kAll, 0, 9, 50, 0), false, &e);
    EXPECT_EQ(s.bar[1].page, 10u);
    SkinRichSetScrollInfo(s, kSkinSbHorz, Info(kAll, 10, 3, 1, 0), false, &e);
    EXPECT_EQ(s.bar[0].maximum, 10);
    EXPECT_EQ(s.bar[0].position, 10);
    // SB_CTL is not the layer's.
    EXPECT_EQ(SkinRichSetScrollInfo(s, kSkinSbCtl, Info(kAll, 0, 9, 1, 3), true, &e), 0);
}

TEST(RichScrollMath, DisableNoScrollKeepsTheBarWithItsArrowsOff) {
    SkinRichScrollState s;
    SkinRichScrollEffect e;
    SkinRichSetScrollInfo(s, kSkinSbVert, Info(kAll | kSkinSifDisableNoScroll, 0, 9, 10, 0), true, &e);
    EXPECT_TRUE(s.bar[1].shown);
    EXPECT_EQ(s.disableBits, 0xCu);
    // Once there is something to scroll the arrows come back.
    e = {};
    SkinRichSetScrollInfo(s, kSkinSbVert, Info(kAll | kSkinSifDisableNoScroll, 0, 99, 10, 0), true, &e);
    EXPECT_EQ(s.disableBits, 0u);
    EXPECT_EQ(e.redraw, 2u);
}

TEST(RichScrollMath, EnableScrollBarSetsTheFlagsAsTheSystemDoes) {
    SkinRichScrollState s;
    s.bar[0].shown = s.bar[1].shown = true;
    SkinRichScrollEffect e;
    EXPECT_TRUE(SkinRichEnableScrollBar(s, kSkinSbVert, kSkinEsbDisableBoth, &e));
    EXPECT_EQ(s.disableBits, 0xCu);
    EXPECT_EQ(e.redraw, 2u);
    // The same again changes nothing.
    EXPECT_FALSE(SkinRichEnableScrollBar(s, kSkinSbVert, kSkinEsbDisableBoth, &e));
    // ESB_ENABLE_BOTH (0) clears; one flag replaces both, it does not add.
    EXPECT_TRUE(SkinRichEnableScrollBar(s, kSkinSbVert, kSkinEsbDisableLtUp, &e));
    EXPECT_EQ(s.disableBits, 0x4u);
    EXPECT_TRUE(SkinRichEnableScrollBar(s, kSkinSbVert, 0, &e));
    EXPECT_EQ(s.disableBits, 0u);
    // SB_BOTH sets both bars; a hidden bar is not redrawn.
    s.bar[0].shown = false;
    e = {};
    EXPECT_TRUE(SkinRichEnableScrollBar(s, kSkinSbBoth, kSkinEsbDisableRtDn, &e));
    EXPECT_EQ(s.disableBits, 0xAu);
    EXPECT_EQ(e.redraw, 2u);
    EXPECT_FALSE(SkinRichEnableScrollBar(s, kSkinSbCtl, 0, &e));
}

TEST(RichScrollMath, PositionRangeAndVisibility) {
    SkinRichScrollState s;
    SkinRichScrollEffect e;
    SkinRichSetScrollInfo(s, kSkinSbHorz, Info(kAll, 0, 99, 10, 0), false, &e);
    // SetScrollPos returns the old position and keeps the new one in range.
    EXPECT_EQ(SkinRichSetScrollPos(s, kSkinSbHorz, 1000, true, &e), 0);
    EXPECT_EQ(s.bar[0].position, 90);
    EXPECT_EQ(SkinRichSetScrollPos(s, kSkinSbHorz, 3, true, &e), 90);
    // A range of nothing hides the bar; a range shows it again.
    e = {};
    EXPECT_TRUE(SkinRichSetScrollRange(s, kSkinSbHorz, 0, 0, true, &e));
    EXPECT_FALSE(s.bar[0].shown);
    EXPECT_TRUE(e.frameChanged);
    e = {};
    EXPECT_TRUE(SkinRichSetScrollRange(s, kSkinSbHorz, 0, 40, true, &e));
    EXPECT_TRUE(s.bar[0].shown);
    EXPECT_TRUE(e.frameChanged);
    // ShowScrollBar: both bars, a new frame only when something changed.
    e = {};
    EXPECT_TRUE(SkinRichShowScrollBar(s, kSkinSbBoth, true, &e));
    EXPECT_TRUE(s.bar[1].shown);
    EXPECT_TRUE(e.frameChanged);
    e = {};
    EXPECT_TRUE(SkinRichShowScrollBar(s, kSkinSbHorz, true, &e));
    EXPECT_FALSE(e.frameChanged);
}
