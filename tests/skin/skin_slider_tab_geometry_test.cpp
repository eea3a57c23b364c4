// Slider channel, thumb, ticks and faces; tab sides, faces, contents,
// border and scroll arrows.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "skin/windows/controls/skin_slider_geometry.h"
#include "skin/windows/controls/skin_tab_geometry.h"

namespace {

TEST(SkinSliderGeometry, ChannelIsTurnedBackCentredAndKeptInside) {
    SkinRect client{0, 0, 40, 200};
    // A vertical channel reported as if horizontal is turned back.
    EXPECT_EQ(SkinSliderChannel(SkinRect{8, 9, 192, 13}, true), (SkinRect{9, 8, 13, 192}));
    EXPECT_EQ(SkinSliderChannel(SkinRect{9, 8, 13, 192}, true), (SkinRect{9, 8, 13, 192}));
    EXPECT_EQ(SkinSliderChannel(SkinRect{8, 9, 192, 13}, false), (SkinRect{8, 9, 192, 13}));

    SkinRect h{8, 9, 192, 13};
    EXPECT_EQ(SkinSliderChannelRect(h, 6, false, SkinRect{0, 0, 200, 40}), (SkinRect{8, 8, 192, 14}));
    EXPECT_EQ(SkinSliderChannelRect(h, 0, false, SkinRect{0, 0, 200, 40}), h);
    EXPECT_EQ(SkinSliderChannelRect(SkinRect{9, 8, 13, 192}, 8, true, client), (SkinRect{7, 8, 15, 192}));
    // A picture thicker than the control is cut to the client.
    EXPECT_EQ(SkinSliderChannelRect(h, 100, false, SkinRect{0, 0, 200, 40}), (SkinRect{8, 0, 192, 40}));

    // Filled up to the thumb's middle, nothing at the start.
    EXPECT_EQ(SkinSliderActiveRect(SkinRect{8, 8, 192, 14}, SkinRect{94, 2, 105, 23}, false), (SkinRect{8, 8, 99, 14}));
    EXPECT_EQ(SkinSliderActiveRect(SkinRect{8, 8, 192, 14}, SkinRect{8, 2, 19, 23}, false), (SkinRect{8, 8, 13, 14}));
    EXPECT_TRUE(SkinSliderActiveRect(SkinRect{8, 8, 192, 14}, SkinRect{-20, 2, -9, 23}, false).IsEmpty());
    EXPECT_EQ(SkinSliderActiveRect(SkinRect{7, 8, 15, 192}, SkinRect{2, 25, 23, 36}, true), (SkinRect{7, 8, 15, 30}));

    // A selection range fills between its ends, given in either order, and
    // never outside the channel.
    EXPECT_EQ(SkinSliderSelectionRect(SkinRect{8, 8, 192, 14}, 60, 30, false), (SkinRect{30, 8, 60, 14}));
    EXPECT_EQ(SkinSliderSelectionRect(SkinRect{8, 8, 192, 14}, -50, 500, false), (SkinRect{8, 8, 192, 14}));
    EXPECT_EQ(SkinSliderSelectionRect(SkinRect{7, 8, 15, 192}, 40, 90, true), (SkinRect{7, 40, 15, 90}));
    EXPECT_TRUE(SkinSliderSelectionRect(SkinRect{8, 8, 192, 14}, 50, 50, false).IsEmpty());
    EXPECT_TRUE(SkinSliderSelectionRect(SkinRect{8, 8, 192, 14}, 300, 400, false).IsEmpty());
}

TEST(SkinSliderGeometry, ThumbPixelsMatchTheControlsOwnPlacement) {
    // Wine's trackbar: a 200 x 40 slider of 0..10 has its channel at 8..192
    // and an 11-pixel thumb whose left edge stands at 8, 25, 94, 163, 181.
    SkinRect channel{8, 9, 192, 13};
    const int positions[] = {0, 1, 5, 9, 10};
    const int lefts[] = {8, 25, 94, 163, 181};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(SkinSliderPixelOf(channel, 11, 0, 10, positions[i], false), lefts[i] + 5) << positions[i];
    EXPECT_EQ(SkinSliderPixelOf(SkinRect{9, 8, 13, 192}, 11, 0, 10, 5, true), 99);
    // Empty and inverted ranges stay at the start; nothing overflows.
    EXPECT_EQ(SkinSliderPixelOf(channel, 11, 5, 5, 5, false), 13);
    EXPECT_EQ(SkinSliderPixelOf(channel, 11, 0, 2147483647, 2147483647, false), 186);
    EXPECT_EQ(SkinSliderPixelOf(channel, 1000, -2147483647 - 1, 2147483647, 0, false), 508);

    SkinRect thumb{94, 2, 105, 23};
    EXPECT_EQ(SkinSliderThumbRect(thumb, 15, 25, true), (SkinRect{92, 0, 107, 25}));
    EXPECT_EQ(SkinSliderThumbRect(thumb, 15, 25, false), thumb);
    EXPECT_EQ(SkinSliderThumbRect(thumb, 0, 0, true), thumb);
}

TEST(SkinSliderGeometry, TicksStandBesideTheThumbOnTheStylesSides) {
    SkinRect client{0, 0, 200, 40}, thumb{94, 2, 105, 23};
    std::vector<int> at{13, 99};
    std::vector<SkinRect> below = SkinSliderTicks(0, at, thumb, client);
    ASSERT_EQ(below.size(), 2u);
    EXPECT_EQ(below[0], (SkinRect{13, 25, 14, 28}));
    std::vector<SkinRect> above = SkinSliderTicks(kSkinTbsTop, at, SkinRect{94, 10, 105, 30}, client);
    ASSERT_EQ(above.size(), 2u);
    EXPECT_EQ(above[1], (SkinRect{99, 5, 100, 8}));
    EXPECT_EQ(SkinSliderTicks(kSkinTbsBoth, at, SkinRect{94, 10, 105, 30}, client).size(), 4u);
    EXPECT_TRUE(SkinSliderTicks(kSkinTbsNoTicks, at, thumb, client).empty());
    // Vertical: right of the thumb by default, left with TBS_LEFT.
    std::vector<SkinRect> right = SkinSliderTicks(kSkinTbsVert, {30}, SkinRect{2, 25, 23, 36}, SkinRect{0, 0, 40, 200});
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0], (SkinRect{25, 30, 28, 31}));
    std::vector<SkinRect> left =
        SkinSliderTicks(kSkinTbsVert | kSkinTbsTop, {30}, SkinRect{10, 25, 30, 36}, SkinRect{0, 0, 40, 200});
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0], (SkinRect{5, 30, 8, 31}));
    // Ticks outside the client are dropped.
    EXPECT_TRUE(SkinSliderTicks(kSkinTbsTop, at, SkinRect{94, 0, 105, 23}, client).empty());
}

TEST(SkinSliderGeometry, ThumbFacesAndFallbacks) {
    EXPECT_EQ(SkinSliderThumbFace(false, true, true, true), SkinSliderFace::Disabled);
    EXPECT_EQ(SkinSliderThumbFace(true, true, false, true), SkinSliderFace::Down);
    EXPECT_EQ(SkinSliderThumbFace(true, false, true, true), SkinSliderFace::Over);
    EXPECT_EQ(SkinSliderThumbFace(true, false, false, true), SkinSliderFace::Focus);
    EXPECT_EQ(SkinSliderThumbFace(true, false, false, false), SkinSliderFace::Normal);
    std::array<bool, kSkinSliderFaceCount> present{true, false, true, false, false};
    EXPECT_EQ(SkinSliderPictureFor(SkinSliderFace::Down, present), 2);
    EXPECT_EQ(SkinSliderPictureFor(SkinSliderFace::Focus, present), 0);
    present[0] = false;
    EXPECT_EQ(SkinSliderPictureFor(SkinSliderFace::Over, present), -1);
}

TEST(SkinTabGeometry, SidesFacesAndPictures) {
    EXPECT_EQ(SkinTabSideOf(0), SkinTabSide::Top);
    EXPECT_EQ(SkinTabSideOf(kSkinTcsBottom), SkinTabSide::Bottom);
    EXPECT_EQ(SkinTabSideOf(kSkinTcsVertical), SkinTabSide::Left);
    EXPECT_EQ(SkinTabSideOf(kSkinTcsVertical | kSkinTcsBottom), SkinTabSide::Right);
    EXPECT_EQ(SkinTabFaceOf(true, true), SkinTabFace::Checked);
    EXPECT_EQ(SkinTabFaceOf(false, true), SkinTabFace::Over);
    EXPECT_EQ(SkinTabFaceOf(false, false), SkinTabFace::Normal);

    std::array<bool, kSkinTabPictureCount> present{};
    present[SkinTabPictureIndex(SkinTabSide::Bottom, SkinTabFace::Normal)] = true;
    present[SkinTabPictureIndex(SkinTabSide::Bottom, SkinTabFace::Checked)] = true;
    EXPECT_EQ(SkinTabPictureFor(SkinTabSide::Bottom, SkinTabFace::Checked, present), 5);
    EXPECT_EQ(SkinTabPictureFor(SkinTabSide::Bottom, SkinTabFace::Over, present), 3);
    EXPECT_EQ(SkinTabPictureFor(SkinTabSide::Top, SkinTabFace::Checked, present), -1);
}

TEST(SkinTabGeometry, SelectedTabGrowsOverThePageBorderAndStaysInside) {
    SkinRect client{0, 0, 200, 120}, item{2, 2, 103, 23};
    EXPECT_EQ(SkinTabFaceRect(item, SkinTabSide::Top, false, client), item);
    EXPECT_EQ(SkinTabFaceRect(item, SkinTabSide::Top, true, client), (SkinRect{0, 0, 105, 24}));
    EXPECT_EQ(SkinTabFaceRect(SkinRect{2, 97, 103, 118}, SkinTabSide::Bottom, true, client),
              (SkinRect{0, 96, 105, 120}));
    EXPECT_EQ(SkinTabFaceRect(SkinRect{2, 56, 23, 110}, SkinTabSide::Left, true, client), (SkinRect{0, 54, 24, 112}));
    EXPECT_EQ(SkinTabFaceRect(SkinRect{170, 56, 198, 110}, SkinTabSide::Right, true, client),
              (SkinRect{169, 54, 200, 112}));
    // A tab scrolled out of sight draws nothing.
    EXPECT_TRUE(SkinTabFaceRect(SkinRect{-150, 2, -50, 23}, SkinTabSide::Top, false, client).IsEmpty());
}

TEST(SkinTabGeometry, IconAndTextAreCentredTogetherAndTurnedOnVerticalTabs) {
    SkinRect face{0, 0, 100, 20};
    SkinTabContent c = SkinTabContentLayout(face, SkinTabSide::Top, 16, 16, 40, 14);
    EXPECT_EQ(c.icon, (SkinRect{21, 2, 37, 18}));
    EXPECT_EQ(c.text, (SkinRect{40, 3, 80, 17}));
    EXPECT_EQ(c.escapement, 0);
    c = SkinTabContentLayout(face, SkinTabSide::Bottom, 0, 0, 40, 14);
    EXPECT_TRUE(c.icon.IsEmpty());
    EXPECT_EQ(c.text, (SkinRect{30, 3, 70, 17}));

    // Left tabs read upwards: the icon at the bottom, the text above it,
    // started from its lower-left corner.
    SkinRect tall{0, 0, 20, 100};
    c = SkinTabContentLayout(tall, SkinTabSide::Left, 16, 16, 40, 14);
    EXPECT_EQ(c.escapement, 900);
    EXPECT_EQ(c.icon, (SkinRect{2, 63, 18, 79}));
    EXPECT_EQ(c.text, (SkinRect{3, 20, 17, 60}));
    EXPECT_EQ(c.textOrigin, (SkinPair{3, 60}));
    // Right tabs read downwards from the upper-right corner.
    c = SkinTabContentLayout(tall, SkinTabSide::Right, 0, 0, 40, 14);
    EXPECT_EQ(c.escapement, 2700);
    EXPECT_EQ(c.text, (SkinRect{3, 30, 17, 70}));
    EXPECT_EQ(c.textOrigin, (SkinPair{17, 30}));
}

TEST(SkinTabGeometry, BorderSpinAndFocus) {
    SkinRect client{0, 0, 200, 120};
    EXPECT_EQ(SkinTabBorderRect(client, SkinRect{2, 2, 204, 23}, SkinTabSide::Top), (SkinRect{0, 23, 200, 120}));
    EXPECT_EQ(SkinTabBorderRect(client, SkinRect{2, 97, 204, 118}, SkinTabSide::Bottom), (SkinRect{0, 0, 200, 97}));
    EXPECT_EQ(SkinTabBorderRect(client, SkinRect{2, 2, 23, 110}, SkinTabSide::Left), (SkinRect{23, 0, 200, 120}));
    EXPECT_EQ(SkinTabBorderRect(client, SkinRect{}, SkinTabSide::Top), client);
    // Tabs that take all of it leave no border.
    EXPECT_TRUE(SkinTabBorderRect(client, SkinRect{0, 0, 200, 130}, SkinTabSide::Top).IsEmpty());
    EXPECT_TRUE(SkinTabBorderShown(SkinRect{0, 0, 200, 10}));
    EXPECT_FALSE(SkinTabBorderShown(SkinRect{0, 0, 200, 9}));

    EXPECT_EQ(SkinTabSpinRect(client, SkinRect{2, 2, 103, 23}, 34), (SkinRect{166, 2, 200, 23}));
    EXPECT_EQ(SkinTabSpinRect(SkinRect{0, 0, 20, 120}, SkinRect{2, 2, 103, 23}, 34), (SkinRect{0, 2, 20, 23}));
    EXPECT_TRUE(SkinTabSpinRect(client, SkinRect{}, 34).IsEmpty());

    EXPECT_EQ(SkinTabFocusRect(SkinRect{0, 0, 105, 24}), (SkinRect{3, 3, 102, 21}));
    EXPECT_TRUE(SkinTabFocusRect(SkinRect{0, 0, 5, 5}).IsEmpty());
}

}  // namespace
