// Check boxes, radio buttons and group boxes apart from Win32: state masks
// by check state, the items a state shows, mark fallbacks, and where marks,
// texts, frames and captions go.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "skin/windows/controls/skin_group_box_layout.h"
#include "skin/windows/controls/skin_toggle_layout.h"

namespace {

constexpr uint32_t kUnchecked = 0, kChecked = kSkinBstChecked, kIndeterminate = kSkinBstIndeterminate;

TEST(ToggleState, MaskFollowsTheCheckStateAndFocusLeavesIt) {
    struct Case {
        bool enabled, hover, pressed, focused;
        uint32_t check;
        int index;
        uint32_t mask;
    } cases[] = {
        {false, true, true, true, kChecked, kSkinIndexDisabled, 16},
        {false, false, false, false, kUnchecked, kSkinIndexDisabled, 8},
        {true, true, false, false, kChecked, kSkinIndexOver, 64},
        {true, true, false, false, kUnchecked, kSkinIndexOver, 256},
        // Pressed shows the plain items of its check state.
        {true, true, true, false, kChecked, kSkinIndexDown, 32},
        {true, true, true, false, kUnchecked, kSkinIndexDown, 128},
        {true, false, false, true, kChecked, kSkinIndexFocus, 32},
        {true, false, false, false, kUnchecked, kSkinIndexNormal, 128},
        // Indeterminate is not checked.
        {true, true, false, false, kIndeterminate, kSkinIndexOver, 256},
        {false, false, false, false, kIndeterminate, kSkinIndexDisabled, 8},
    };
    for (const Case& c : cases) {
        SkinState s = SkinToggleState(c.enabled, c.hover, c.pressed, c.focused, c.check);
        EXPECT_EQ(s.index, c.index);
        EXPECT_EQ(s.mask, c.mask) << c.enabled << c.hover << c.pressed << c.focused << c.check;
    }
}

TEST(ToggleItems, CheckedDisableShowsOnlyOnADisabledCheckedControl) {
    const uint32_t checkedDisable = 16 | 8;  // what the theme's "checkeddisable" gives
    EXPECT_TRUE(SkinToggleItemMatches(checkedDisable, 16));
    EXPECT_FALSE(SkinToggleItemMatches(checkedDisable, 8)) << "shown on a disabled unchecked control";
    EXPECT_FALSE(SkinToggleItemMatches(checkedDisable, 32));
    // "disable" alone is the unchecked disabled state's.
    EXPECT_TRUE(SkinToggleItemMatches(8, 8));
    EXPECT_FALSE(SkinToggleItemMatches(8, 16));
    EXPECT_TRUE(SkinToggleItemMatches(512, 16));
    EXPECT_TRUE(SkinToggleItemMatches(512, 256));
    // A value naming two states shows in both.
    EXPECT_TRUE(SkinToggleItemMatches(64 | 256, 64));
    EXPECT_TRUE(SkinToggleItemMatches(64 | 256, 256));
    EXPECT_FALSE(SkinToggleItemMatches(64 | 256, 32));
    // Push-button states never match a toggle's mask.
    for (uint32_t buttonMask : {1u, 2u, 4u})
        for (uint32_t toggleMask : {8u, 16u, 32u, 64u, 128u, 256u})
            EXPECT_FALSE(SkinToggleItemMatches(buttonMask, toggleMask));
}

TEST(ToggleMarks, StatePicturesFallBackToTheirGroupsNormalOne) {
    bool all[kSkinToggleMarks];
    std::fill(std::begin(all), std::end(all), true);
    EXPECT_EQ(SkinToggleMark(all, kChecked, kSkinIndexOver, true), kSkinToggleChecked + kSkinIndexOver);
    EXPECT_EQ(SkinToggleMark(all, kUnchecked, kSkinIndexDisabled, false), kSkinToggleUnchecked + kSkinIndexDisabled);

    bool normalsOnly[kSkinToggleMarks] = {};
    normalsOnly[kSkinToggleUnchecked] = normalsOnly[kSkinToggleChecked] = true;
    EXPECT_EQ(SkinToggleMark(normalsOnly, kChecked, kSkinIndexDisabled, true), kSkinToggleChecked);
    EXPECT_EQ(SkinToggleMark(normalsOnly, kUnchecked, kSkinIndexDown, false), kSkinToggleUnchecked);
    // Never the other group's picture.
    bool checkedOnly[kSkinToggleMarks] = {};
    checkedOnly[kSkinToggleChecked] = true;
    EXPECT_EQ(SkinToggleMark(checkedOnly, kUnchecked, kSkinIndexNormal, true), -1);
    bool none[kSkinToggleMarks] = {};
    EXPECT_EQ(SkinToggleMark(none, kChecked, kSkinIndexNormal, true), -1);
}

TEST(ToggleMarks, IndeterminateIsOnePictureForEveryStateOfACheckBoxOnly) {
    bool all[kSkinToggleMarks];
    std::fill(std::begin(all), std::end(all), true);
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(SkinToggleMark(all, kIndeterminate, index, true), kSkinToggleIndeterminate);
        // A radio button has no third state: it shows unchecked.
        EXPECT_EQ(SkinToggleMark(all, kIndeterminate, index, false), kSkinToggleUnchecked + index);
    }
    all[kSkinToggleIndeterminate] = false;
    EXPECT_EQ(SkinToggleMark(all, kIndeterminate, kSkinIndexNormal, true), -1) << "no fallback for the third state";
    // Checked wins over indeterminate.
    EXPECT_EQ(SkinToggleMark(all, kChecked | kIndeterminate, kSkinIndexNormal, true), kSkinToggleChecked);
}

TEST(ToggleLayout, MarkAtTheLeftOrFlushRightAndCentredByIntegerDivision) {
    SkinRect client{0, 0, 200, 17};
    SkinToggleLayout normal = SkinToggleLayoutOf(client, 14, 14, false);
    EXPECT_EQ(normal.mark, (SkinRect{0, 1, 14, 15}));
    EXPECT_EQ(normal.text, (SkinRect{17, 0, 200, 17}));
    SkinToggleLayout left = SkinToggleLayoutOf(client, 14, 14, true);
    EXPECT_EQ(left.mark, (SkinRect{186, 1, 200, 15}));
    EXPECT_EQ(left.text, (SkinRect{0, 0, 186, 17}));
    // A mark taller than the control stands above its top.
    EXPECT_EQ(SkinToggleLayoutOf(SkinRect{0, 0, 50, 10}, 13, 13, false).mark, (SkinRect{0, -1, 13, 12}));
}

TEST(GroupBoxLayout, CaptionByAlignmentWithTheFrameLineAtHalfItsHeight) {
    SkinRect client{0, 0, 200, 100};
    SkinGroupBoxLayout left = SkinGroupBoxLayoutOf(0, client, 60, 14, 14, 0, 0);
    EXPECT_EQ(left.frame, (SkinRect{1, 7, 199, 99}));
    EXPECT_EQ(left.text, (SkinRect{8, 0, 68, 14}));
    EXPECT_EQ(left.caption, (SkinRect{6, 0, 70, 14}));
    EXPECT_EQ(SkinGroupBoxLayoutOf(kSkinBsLeft, client, 60, 14, 14, 0, 0).text, left.text);
    EXPECT_EQ(SkinGroupBoxLayoutOf(kSkinBsRight, client, 60, 14, 14, 0, 0).text, (SkinRect{132, 0, 192, 14}));
    SkinGroupBoxLayout centre = SkinGroupBoxLayoutOf(kSkinBsCenter, client, 60, 14, 14, 0, 0);
    EXPECT_EQ(centre.text, (SkinRect{70, 0, 130, 14}));
    // The covered part of the frame line spans the whole caption.
    EXPECT_LE(centre.caption.left, centre.text.left);
    EXPECT_GE(centre.caption.right, centre.text.right);
    EXPECT_LT(centre.caption.top, centre.frame.top);
    EXPECT_GT(centre.caption.bottom, centre.frame.top);
}

TEST(GroupBoxLayout, ImageBeforeTheTextAndEmptyOrOverlongCaptions) {
    SkinRect client{0, 0, 200, 100};
    SkinGroupBoxLayout withIcon = SkinGroupBoxLayoutOf(kSkinBsCenter, client, 60, 14, 14, 16, 16);
    EXPECT_EQ(withIcon.image, (SkinRect{60, 0, 76, 16}));
    EXPECT_EQ(withIcon.text, (SkinRect{79, 0, 139, 16}));
    EXPECT_EQ(withIcon.frame.top, 8);  // half the taller of image and text

    SkinGroupBoxLayout empty = SkinGroupBoxLayoutOf(0, client, 0, 0, 13, 0, 0);
    EXPECT_EQ(empty.frame, (SkinRect{1, 6, 199, 99}));
    EXPECT_TRUE(empty.caption.IsEmpty());
    EXPECT_TRUE(empty.text.IsEmpty());

    SkinGroupBoxLayout overlong = SkinGroupBoxLayoutOf(kSkinBsRight, SkinRect{0, 0, 50, 40}, 500, 14, 14, 0, 0);
    EXPECT_EQ(overlong.text, (SkinRect{8, 0, 42, 14}));
    // A group box too narrow for any caption keeps a sound rectangle.
    SkinGroupBoxLayout tiny = SkinGroupBoxLayoutOf(kSkinBsCenter, SkinRect{0, 0, 10, 10}, 40, 14, 14, 0, 0);
    EXPECT_GE(tiny.text.right, tiny.text.left);
}

}  // namespace
