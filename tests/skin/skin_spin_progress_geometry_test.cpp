// Spin button halves and faces; progress share, text, fill and strips.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "skin/windows/controls/skin_progress_geometry.h"
#include "skin/windows/controls/skin_spin_geometry.h"

namespace {

TEST(SkinSpinGeometry, HalvesLeaveATwoPixelGapAroundTheMiddle) {
    // 20 high: the upper half on rows 0-8 (edge 9), the lower from row 11.
    SkinSpinHalves v = SkinSpinSplit(SkinRect{0, 0, 16, 20}, false);
    EXPECT_EQ(v.first, (SkinRect{0, 0, 16, 9}));
    EXPECT_EQ(v.second, (SkinRect{0, 11, 16, 20}));
    // An odd height: the gap sits on the middle row as integer halves put it.
    v = SkinSpinSplit(SkinRect{0, 0, 16, 21}, false);
    EXPECT_EQ(v.first.bottom, 9);
    EXPECT_EQ(v.second.top, 11);
    SkinSpinHalves h = SkinSpinSplit(SkinRect{0, 0, 34, 17}, true);
    EXPECT_EQ(h.first, (SkinRect{0, 0, 16, 17}));
    EXPECT_EQ(h.second, (SkinRect{18, 0, 34, 17}));
    // Too small for a gap: the halves shrink to nothing, never turn inside out.
    for (int height : {0, 1, 2, 3}) {
        SkinSpinHalves tiny = SkinSpinSplit(SkinRect{0, 0, 10, height}, false);
        EXPECT_GE(tiny.first.Height(), 0) << height;
        EXPECT_GE(tiny.second.Height(), 0) << height;
        EXPECT_LE(tiny.first.bottom, tiny.second.top) << height;
    }
    // A display scale widens the gap.
    v = SkinSpinSplit(SkinRect{0, 0, 16, 40}, false, SkinSpinMetrics{4});
    EXPECT_EQ(v.first.bottom, 18);
    EXPECT_EQ(v.second.top, 22);
}

TEST(SkinSpinGeometry, FacesFollowCursorPressAndEnableWithFallbacks) {
    EXPECT_EQ(SkinSpinHalfFace(true, true, true), SkinSpinFace::Down);
    EXPECT_EQ(SkinSpinHalfFace(true, true, false), SkinSpinFace::Over);
    EXPECT_EQ(SkinSpinHalfFace(true, false, true), SkinSpinFace::Normal);  // pressed, but the other half
    EXPECT_EQ(SkinSpinHalfFace(false, true, true), SkinSpinFace::Disabled);

    std::array<bool, kSkinSpinPictureCount> present{};
    present[SkinSpinPictureIndex(SkinSpinPart::Top, SkinSpinFace::Normal)] = true;
    present[SkinSpinPictureIndex(SkinSpinPart::Top, SkinSpinFace::Down)] = true;
    present[SkinSpinPictureIndex(SkinSpinPart::Bottom, SkinSpinFace::Disabled)] = true;
    EXPECT_EQ(SkinSpinPictureFor(SkinSpinPart::Top, SkinSpinFace::Down, present), 10);
    // A missing over or disabled picture: the half's normal one.
    EXPECT_EQ(SkinSpinPictureFor(SkinSpinPart::Top, SkinSpinFace::Over, present), 8);
    EXPECT_EQ(SkinSpinPictureFor(SkinSpinPart::Top, SkinSpinFace::Disabled, present), 8);
    // The disabled picture stands without a normal one; the rest is nothing.
    EXPECT_EQ(SkinSpinPictureFor(SkinSpinPart::Bottom, SkinSpinFace::Disabled, present), 15);
    EXPECT_EQ(SkinSpinPictureFor(SkinSpinPart::Bottom, SkinSpinFace::Normal, present), -1);
    EXPECT_EQ(SkinSpinPictureFor(SkinSpinPart::Left, SkinSpinFace::Over, present), -1);
}

TEST(SkinProgressGeometry, ShareAndTextNeverDivideByAnEmptyRange) {
    EXPECT_EQ(SkinProgressText(SkinProgressRange{0, 100, 50}), L"50%");
    EXPECT_EQ(SkinProgressText(SkinProgressRange{0, 3, 1}), L"33%");
    EXPECT_EQ(SkinProgressText(SkinProgressRange{0, 3, 2}), L"67%");
    EXPECT_EQ(SkinProgressText(SkinProgressRange{-50, 50, 0}), L"50%");
    // The control keeps an inverted or empty range as it is given.
    for (SkinProgressRange r : {SkinProgressRange{5, 5, 5}, SkinProgressRange{10, 2, 2}, SkinProgressRange{10, 2, 7}}) {
        EXPECT_EQ(SkinProgressFraction(r), 0.0);
        EXPECT_EQ(SkinProgressText(r), L"0%");
    }
    // The widest range: no overflow on the way.
    SkinProgressRange wide{-2147483647 - 1, 2147483647, 0};
    EXPECT_EQ(SkinProgressText(wide), L"50%");
    // A position outside the range counts as its nearer end.
    EXPECT_EQ(SkinProgressText(SkinProgressRange{0, 10, 20}), L"100%");
    EXPECT_EQ(SkinProgressText(SkinProgressRange{0, 10, -3}), L"0%");
}

TEST(SkinProgressGeometry, FillIsCutAtTheShareInsideTheActiveOffset) {
    SkinRect client{0, 0, 200, 20};
    EXPECT_EQ(SkinProgressFill(client, 2, 0.5, false), (SkinRect{2, 2, 100, 18}));
    EXPECT_EQ(SkinProgressFill(client, 0, 1.0, false), client);
    EXPECT_EQ(SkinProgressFill(client, 2, 0.0, false), SkinRect{});
    // Vertical bars fill from the bottom.
    EXPECT_EQ(SkinProgressFill(SkinRect{0, 0, 20, 100}, 0, 0.25, true), (SkinRect{0, 75, 20, 100}));
    // An offset larger than the bar leaves nothing, never an inverted rectangle.
    EXPECT_TRUE(SkinProgressFill(client, 500, 1.0, false).IsEmpty());
    EXPECT_TRUE(SkinProgressFill(client, -5, 1.0, false) == client);
    EXPECT_TRUE(SkinProgressFill(SkinRect{}, 0, 1.0, false).IsEmpty());

    EXPECT_TRUE(SkinProgressGridFits(SkinQuad{5, 5, 5, 5}, 11, false));
    EXPECT_FALSE(SkinProgressGridFits(SkinQuad{5, 5, 5, 5}, 10, false));
    EXPECT_TRUE(SkinProgressGridFits(SkinQuad{-1, 50, -1, 50}, 1, false));
    EXPECT_FALSE(SkinProgressGridFits(SkinQuad{0, 2147483647, 0, 2147483647}, 2147483647, true));
}

TEST(SkinProgressGeometry, MarqueeBlockCrossesTheBarOncePerPeriod) {
    SkinRect client{0, 0, 200, 20};
    // 196 pixels inside the offset: a 39-pixel block, in from the left.
    EXPECT_TRUE(SkinProgressMarquee(client, 2, 0, 1000, false).IsEmpty());
    EXPECT_EQ(SkinProgressMarquee(client, 2, 100, 1000, false), (SkinRect{2, 2, 25, 18}));
    EXPECT_EQ(SkinProgressMarquee(client, 2, 500, 1000, false), (SkinRect{80, 2, 119, 18}));
    EXPECT_EQ(SkinProgressMarquee(client, 2, 1500, 1000, false), (SkinRect{80, 2, 119, 18}));
    EXPECT_EQ(SkinProgressMarquee(client, 2, 990, 1000, false), (SkinRect{195, 2, 198, 18}));
    // Vertical bars run upwards.
    EXPECT_EQ(SkinProgressMarquee(SkinRect{0, 0, 20, 100}, 0, 100, 1000, true), (SkinRect{0, 88, 20, 100}));
    EXPECT_TRUE(SkinProgressMarquee(client, 2, 100, 0, false).IsEmpty());
    EXPECT_TRUE(SkinProgressMarquee(SkinRect{}, 0, 100, 1000, false).IsEmpty());
}

TEST(SkinProgressGeometry, TextIsCentredButNeverLeftOfTheBar) {
    EXPECT_EQ(SkinProgressTextRect(SkinRect{0, 0, 200, 20}, 30), (SkinRect{85, 0, 115, 20}));
    EXPECT_EQ(SkinProgressTextRect(SkinRect{0, 0, 20, 20}, 30), (SkinRect{0, 0, 30, 20}));
}

TEST(SkinProgressGeometry, StripsKeepTheirCapsAndCentreThePictureAcrossTheBar) {
    // A 20 x 8 picture along a 100 x 20 bar with 4-pixel caps.
    std::vector<SkinPiece> s =
        SkinProgressStrip(SkinBlit::Keyed, 20, 8, SkinRect{0, 0, 100, 20}, 4, SkinStripMiddle::Stretch, false);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0], (SkinPiece{SkinBlit::Keyed, SkinBox{0, 6, 4, 8}, SkinBox{0, 0, 4, 8}}));
    EXPECT_EQ(s[1], (SkinPiece{SkinBlit::Keyed, SkinBox{4, 6, 92, 8}, SkinBox{4, 0, 12, 8}}));
    EXPECT_EQ(s[2], (SkinPiece{SkinBlit::Keyed, SkinBox{96, 6, 4, 8}, SkinBox{16, 0, 4, 8}}));

    // Tiled: whole tiles, then the part of one that is left.
    s = SkinProgressStrip(SkinBlit::Blend, 20, 8, SkinRect{0, 0, 40, 8}, 4, SkinStripMiddle::Tile, false);
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[1].dst, (SkinBox{4, 0, 12, 8}));
    EXPECT_EQ(s[2].dst, (SkinBox{16, 0, 12, 8}));
    EXPECT_EQ(s[3].dst, (SkinBox{28, 0, 8, 8}));
    EXPECT_EQ(s[3].src, (SkinBox{4, 0, 8, 8}));
    EXPECT_EQ(s[4].dst, (SkinBox{36, 0, 4, 8}));

    // A picture thicker than the bar loses its outer rows evenly; vertical
    // bars run the same cut downwards.
    s = SkinProgressStrip(SkinBlit::Keyed, 8, 20, SkinRect{0, 0, 4, 50}, 3, SkinStripMiddle::Stretch, true);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0], (SkinPiece{SkinBlit::Keyed, SkinBox{0, 0, 4, 3}, SkinBox{2, 0, 4, 3}}));
    EXPECT_EQ(s[2].dst, (SkinBox{0, 47, 4, 3}));

    // Hostile caps and tiny tiles: caps never overlap, tiles are bounded.
    s = SkinProgressStrip(SkinBlit::Keyed, 20, 8, SkinRect{0, 0, 10, 8}, 1000, SkinStripMiddle::Stretch, false);
    for (const SkinPiece& p : s) EXPECT_LE(p.dst.x + p.dst.w, 10);
    s = SkinProgressStrip(SkinBlit::Keyed, 3, 8, SkinRect{0, 0, 5000, 8}, 1, SkinStripMiddle::Tile, false);
    EXPECT_LE(s.size(), static_cast<size_t>(kSkinMaxStripTiles + 2));
    EXPECT_TRUE(
        SkinProgressStrip(SkinBlit::Keyed, 0, 8, SkinRect{0, 0, 50, 8}, 2, SkinStripMiddle::Tile, false).empty());
}

}  // namespace
