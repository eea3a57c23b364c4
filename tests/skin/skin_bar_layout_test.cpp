// The bars' and fields' decisions apart from Win32: toolbar faces and
// button parts, separators, status texts, parts and grip, rebar headers and
// border lines, frames, the drop button and the IP address's fields. The
// sizes are those Wine's controls report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "skin/windows/controls/skin_bar_layout.h"
#include "skin/windows/controls/skin_field_layout.h"

namespace {

constexpr uint32_t kEnabled = kSkinTbStateEnabled;

TEST(SkinToolbarLayout, ButtonFacesFollowTheStateDisabledFirst) {
    auto look = [](uint32_t state, bool hot, bool barEnabled = true) {
        return SkinToolButtonState(state, 0, hot, barEnabled);
    };
    EXPECT_EQ(look(kEnabled, false).face, SkinFace::Normal);
    EXPECT_EQ(look(kEnabled, true).face, SkinFace::Over);
    EXPECT_EQ(look(kEnabled, true).icon, SkinToolIcon::Hot);
    EXPECT_EQ(look(kEnabled | kSkinTbStateMarked, false).face, SkinFace::Over);
    // Pressed and checked buttons are down, with their content pushed, hot or not.
    for (uint32_t s : {kSkinTbStatePressed, kSkinTbStateChecked}) {
        SkinToolButtonLook l = look(kEnabled | s, true);
        EXPECT_EQ(l.face, SkinFace::Down);
        EXPECT_TRUE(l.pushed);
        EXPECT_EQ(l.icon, SkinToolIcon::Normal);
    }
    // A disabled button never shows over or down, nor does any button of a disabled bar.
    SkinToolButtonLook off = look(kSkinTbStateChecked | kSkinTbStatePressed, true);
    EXPECT_EQ(off.face, SkinFace::Disabled);
    EXPECT_EQ(off.icon, SkinToolIcon::Disabled);
    EXPECT_FALSE(off.pushed);
    EXPECT_EQ(look(kEnabled | kSkinTbStateChecked, true, false).face, SkinFace::Disabled);
    // The third state greys the icon only.
    SkinToolButtonLook third = look(kEnabled | kSkinTbStateIndeterminate, false);
    EXPECT_EQ(third.face, SkinFace::Normal);
    EXPECT_EQ(third.icon, SkinToolIcon::Disabled);
    // Hidden buttons and separators have no face.
    EXPECT_FALSE(look(kEnabled | kSkinTbStateHidden, true).drawn);
    SkinToolButtonLook sep = SkinToolButtonState(kEnabled, kSkinBtnsSep, true, true);
    EXPECT_TRUE(sep.drawn);
    EXPECT_TRUE(sep.separator);
}

TEST(SkinToolbarLayout, MissingFacePicturesFallBackToTheNormalOne) {
    const bool all[kSkinFaceCount] = {true, true, true, true};
    const bool normalOnly[kSkinFaceCount] = {true, false, false, false};
    const bool none[kSkinFaceCount] = {false, true, false, false};
    EXPECT_EQ(SkinFacePicture(SkinFace::Down, all), 2);
    EXPECT_EQ(SkinFacePicture(SkinFace::Disabled, normalOnly), 0);
    EXPECT_EQ(SkinFacePicture(SkinFace::Over, none), 1);
    EXPECT_EQ(SkinFacePicture(SkinFace::Down, none), -1);
}

TEST(SkinToolbarLayout, DropDownButtonsSplitOnlyWithDrawnArrows) {
    const SkinRect item{116, 0, 181, 22};  // Wine's BTNS_DROPDOWN button, 11 pixels of arrow
    SkinToolButtonParts split = SkinToolButtonSplit(item, kSkinBtnsDropDown, kSkinTbStyleExDrawDdArrows);
    EXPECT_TRUE(split.split);
    EXPECT_EQ(split.face, (SkinRect{116, 0, 170, 22}));
    EXPECT_EQ(split.arrow, (SkinRect{170, 0, 181, 22}));
    // Without TBSTYLE_EX_DRAWDDARROWS the control draws no arrow either.
    SkinToolButtonParts plain = SkinToolButtonSplit(item, kSkinBtnsDropDown, 0);
    EXPECT_FALSE(plain.split);
    EXPECT_TRUE(plain.arrow.IsEmpty());
    EXPECT_EQ(plain.face, item);
    // A whole drop-down button shows its arrow on its one face.
    SkinToolButtonParts whole = SkinToolButtonSplit(item, kSkinBtnsWholeDropDown, 0);
    EXPECT_FALSE(whole.split);
    EXPECT_EQ(whole.face, item);
    EXPECT_EQ(whole.arrow, (SkinRect{170, 0, 181, 22}));
    // A button narrower than the arrow gives it all, never a negative face.
    SkinToolButtonParts narrow =
        SkinToolButtonSplit(SkinRect{0, 0, 6, 22}, kSkinBtnsDropDown, kSkinTbStyleExDrawDdArrows);
    EXPECT_EQ(narrow.face.Width(), 0);
    EXPECT_EQ(narrow.arrow, (SkinRect{0, 0, 6, 22}));
}

TEST(SkinToolbarLayout, IconAndTextBesideOrUnderEachOther) {
    const SkinRect face{0, 0, 54, 22};
    const SkinSize icon{16, 16}, text{24, 13};
    // Icon alone: centred.
    EXPECT_EQ(SkinToolButtonContent(face, icon, SkinSize{}, false, false).icon, (SkinRect{19, 3, 35, 19}));
    // List style: icon at the left, text after it.
    SkinToolContent list = SkinToolButtonContent(face, icon, text, true, false);
    EXPECT_EQ(list.icon, (SkinRect{3, 3, 19, 19}));
    EXPECT_EQ(list.text, (SkinRect{21, 3, 51, 19}));
    // Otherwise the text under the icon.
    SkinToolContent under = SkinToolButtonContent(SkinRect{0, 0, 54, 40}, icon, text, false, false);
    EXPECT_EQ(under.icon, (SkinRect{19, 3, 35, 19}));
    EXPECT_EQ(under.text, (SkinRect{3, 21, 51, 37}));
    // Text alone takes the inside of the face; pushed content moves by one.
    EXPECT_EQ(SkinToolButtonContent(face, SkinSize{}, text, true, false).text, (SkinRect{3, 3, 51, 19}));
    SkinToolContent pushed = SkinToolButtonContent(face, icon, text, true, true);
    EXPECT_EQ(pushed.icon, (SkinRect{4, 4, 20, 20}));
    EXPECT_EQ(pushed.text, (SkinRect{22, 4, 52, 20}));
    // An icon larger than the face is cut to it.
    EXPECT_EQ(SkinToolButtonContent(SkinRect{0, 0, 10, 10}, icon, SkinSize{}, false, false).icon,
              (SkinRect{0, 0, 10, 10}));
}

TEST(SkinToolbarLayout, SeparatorsRunAlongTheLongerSide) {
    // Wine's separator in a horizontal toolbar: 8 x 22.
    EXPECT_EQ(SkinSeparatorRect(SkinRect{54, 0, 62, 22}, SkinSize{2, 10}, 3), (SkinRect{57, 3, 59, 19}));
    // In a vertical bar the separator is a wide band, and so is its line.
    EXPECT_EQ(SkinSeparatorRect(SkinRect{0, 40, 24, 48}, SkinSize{10, 2}, 3), (SkinRect{3, 43, 21, 45}));
    // A picture thicker than the item is cut; an inset larger than the item is dropped.
    EXPECT_EQ(SkinSeparatorRect(SkinRect{0, 0, 4, 22}, SkinSize{9, 9}, 3), (SkinRect{0, 3, 4, 19}));
    EXPECT_EQ(SkinSeparatorRect(SkinRect{0, 0, 4, 5}, SkinSize{2, 9}, 3), (SkinRect{1, 0, 3, 5}));
    EXPECT_TRUE(SkinSeparatorRect(SkinRect{0, 0, 4, 22}, SkinSize{}, 3).IsEmpty());
    EXPECT_TRUE(SkinBarIsVertical(kSkinCcsVert));
    EXPECT_FALSE(SkinBarIsVertical(kSkinTbStyleList));
}

TEST(SkinStatusLayout, TabsAlignTheThreePiecesOfAText) {
    auto split = [](const wchar_t* text) {
        SkinStatusTexts t = SkinSplitStatusText(text);
        return t.left + L"|" + t.centre + L"|" + t.right;
    };
    EXPECT_EQ(split(L"Ready"), L"Ready||");
    EXPECT_EQ(split(L"left\tcentre\tright"), L"left|centre|right");
    EXPECT_EQ(split(L"\tcentre"), L"|centre|");
    EXPECT_EQ(split(L"\t\tright"), L"||right");
    EXPECT_EQ(split(L"a\tb\tc\td"), L"a|b|cd");
    EXPECT_EQ(split(L""), L"||");
}

TEST(SkinStatusLayout, TextLengthAnswerCarriesLengthAndType) {
    SkinStatusTextInfo plain = SkinStatusTextLength(11);
    EXPECT_EQ(plain.length, 11);
    EXPECT_FALSE(plain.OwnerDraw());
    SkinStatusTextInfo drawn = SkinStatusTextLength(static_cast<uintptr_t>(kSkinSbtOwnerDraw) << 16);
    EXPECT_EQ(drawn.length, 0);
    EXPECT_TRUE(drawn.OwnerDraw());
    // Only the low word is a length, whatever the high bits of the answer.
    EXPECT_EQ(SkinStatusTextLength(~uintptr_t{0}).length, 0xFFFF);
}

TEST(SkinStatusLayout, PartsSeparatorsAndGrip) {
    // Wine's parts at {150, 300, -1} in a 600 x 22 bar.
    const SkinRect p0{0, 2, 150, 20}, p1{152, 2, 300, 20}, p2{302, 2, 600, 20};
    EXPECT_EQ(SkinStatusSeparatorRect(p0, p1, SkinSize{2, 8}), (SkinRect{150, 2, 152, 20}));
    EXPECT_EQ(SkinStatusSeparatorRect(p1, p2, SkinSize{1, 8}), (SkinRect{301, 2, 302, 20}));
    EXPECT_TRUE(SkinStatusSeparatorRect(p1, p0, SkinSize{2, 8}).IsEmpty()) << "not a following part";
    EXPECT_TRUE(SkinStatusSeparatorRect(p0, p1, SkinSize{}).IsEmpty());

    SkinStatusPartContent c = SkinStatusPartLayout(p1, SkinSize{16, 16}, 1 << 30);
    EXPECT_EQ(c.icon, (SkinRect{155, 3, 171, 19}));
    EXPECT_EQ(c.text, (SkinRect{173, 2, 297, 20}));
    // The grip cuts the last part's text short.
    const SkinRect client{0, 0, 600, 22};
    EXPECT_TRUE(SkinStatusShowsGrip(kSkinSbarsSizeGrip, false));
    EXPECT_FALSE(SkinStatusShowsGrip(kSkinSbarsSizeGrip, true));
    EXPECT_FALSE(SkinStatusShowsGrip(0, false));
    SkinRect grip = SkinSizeGripRect(client, SkinSize{12, 12});
    EXPECT_EQ(grip, (SkinRect{588, 10, 600, 22}));
    EXPECT_EQ(SkinStatusPartLayout(p2, SkinSize{}, grip.left).text, (SkinRect{305, 2, 588, 20}));
    // Without a picture the grip keeps its usual size; a huge one stays inside.
    EXPECT_EQ(SkinSizeGripRect(client, SkinSize{}), (SkinRect{587, 9, 600, 22}));
    EXPECT_EQ(SkinSizeGripRect(client, SkinSize{5000, 5000}), client);
    EXPECT_TRUE(SkinStatusPartLayout(SkinRect{0, 0, 4, 20}, SkinSize{16, 16}, 1 << 30).text.IsEmpty());

    // The drawn grip: a triangle of six dots hugging the corner, shadows inside.
    std::vector<SkinRect> dots = SkinGripDots(SkinRect{587, 9, 600, 22});
    ASSERT_EQ(dots.size(), 6u);
    EXPECT_EQ(dots.back(), (SkinRect{597, 19, 599, 21}));
    for (const SkinRect& d : dots) {
        EXPECT_LT(d.right, 600);
        EXPECT_LT(d.bottom, 22);
        EXPECT_GE(d.left + d.top, 597 + 13 - 6) << "above the diagonal";
    }
    EXPECT_TRUE(SkinGripDots(SkinRect{0, 0, 2, 2}).empty());
}

TEST(SkinRebarLayout, BandHeaderHoldsGripperTextAndChevron) {
    // Wine's first band of the gallery's rebar: the child starts at 36.
    SkinRebarBandInput in;
    in.band = SkinRect{0, 0, 250, 26};
    in.child = SkinRect{36, 2, 246, 24};
    in.header = 40;
    in.gripper = true;
    in.hasText = true;
    SkinRebarBandParts parts = SkinRebarBandLayout(in);
    EXPECT_EQ(parts.gripper, (SkinRect{2, 2, 5, 24}));
    EXPECT_EQ(parts.text, (SkinRect{9, 0, 32, 26}));
    EXPECT_TRUE(parts.chevron.IsEmpty());
    // Without a child the reported header width ends the header; a band
    // cut short shows its chevron at its end.
    in.child = SkinRect{};
    in.gripper = false;
    in.chevron = true;
    parts = SkinRebarBandLayout(in);
    EXPECT_TRUE(parts.gripper.IsEmpty());
    EXPECT_EQ(parts.text, (SkinRect{4, 0, 36, 26}));
    EXPECT_EQ(parts.chevron, (SkinRect{236, 0, 250, 26}));
    // A header wider than the band stays inside it.
    in.header = 5000;
    in.hasText = false;
    parts = SkinRebarBandLayout(in);
    EXPECT_TRUE(parts.chevron.IsEmpty());

    EXPECT_FALSE(SkinRebarShowsGripper(kSkinRbbsNoGripper | kSkinRbbsGripperAlways, 3));
    EXPECT_TRUE(SkinRebarShowsGripper(kSkinRbbsGripperAlways, 1));
    EXPECT_FALSE(SkinRebarShowsGripper(0, 1));
    EXPECT_TRUE(SkinRebarShowsGripper(0, 2));
}

TEST(SkinRebarLayout, BorderLinesBetweenBandsAndRows) {
    const SkinRect client{0, 0, 600, 54};
    // One row of two bands: one line in the gap, none after the last.
    std::vector<SkinRect> lines = SkinRebarBorderLines({SkinRect{0, 0, 250, 26}, SkinRect{252, 0, 600, 26}}, client);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (SkinRect{250, 0, 252, 26}));
    // Two rows: a line under the first.
    lines = SkinRebarBorderLines({SkinRect{0, 0, 600, 26}, SkinRect{0, 28, 600, 54}}, client);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (SkinRect{0, 26, 600, 28}));
    EXPECT_TRUE(SkinRebarBorderLines({SkinRect{0, 0, 600, 54}}, client).empty());
    EXPECT_EQ(SkinTranspose(SkinRect{1, 2, 3, 4}), (SkinRect{2, 1, 4, 3}));
}

TEST(SkinControlBarLayout, PictureByOrientation) {
    EXPECT_TRUE(SkinControlBarHorizontal(300, 30));
    EXPECT_FALSE(SkinControlBarHorizontal(30, 300));
    EXPECT_FALSE(SkinControlBarHorizontal(40, 40));
}

TEST(SkinFieldLayout, FrameRingAndClientArea) {
    EXPECT_EQ(SkinFieldClient(SkinRect{0, 0, 150, 22}, 2), (SkinRect{2, 2, 148, 20}));
    EXPECT_EQ(SkinFieldClient(SkinRect{10, 10, 160, 32}, 0), (SkinRect{10, 10, 160, 32}));
    SkinRect tiny = SkinFieldClient(SkinRect{0, 0, 3, 1}, 2);
    EXPECT_GE(tiny.Width(), 0);
    EXPECT_GE(tiny.Height(), 0);
    EXPECT_EQ(SkinFieldClient(SkinRect{0, 0, 10, 10}, -4), (SkinRect{0, 0, 10, 10}));

    EXPECT_TRUE(SkinFieldFrameOver(true, true, false));
    EXPECT_TRUE(SkinFieldFrameOver(true, false, true));
    EXPECT_FALSE(SkinFieldFrameOver(false, true, true));
    EXPECT_FALSE(SkinFieldFrameOver(true, false, false));
}

TEST(SkinFieldLayout, DropButtonPlaceAndFace) {
    EXPECT_EQ(SkinDropButtonRect(SkinRect{0, 0, 146, 18}, 17), (SkinRect{129, 0, 146, 18}));
    EXPECT_EQ(SkinDropButtonRect(SkinRect{0, 0, 10, 18}, 17), (SkinRect{0, 0, 10, 18}));
    EXPECT_TRUE(SkinDropButtonRect(SkinRect{0, 0, 146, 18}, 0).IsEmpty());
    EXPECT_EQ(SkinDropButtonFace(false, true, true, true), SkinFace::Disabled);
    EXPECT_EQ(SkinDropButtonFace(true, false, false, true), SkinFace::Down) << "an open calendar keeps it down";
    EXPECT_EQ(SkinDropButtonFace(true, true, true, false), SkinFace::Down);
    EXPECT_EQ(SkinDropButtonFace(true, true, false, false), SkinFace::Over);
    EXPECT_EQ(SkinDropButtonFace(true, false, false, false), SkinFace::Normal);
}

TEST(SkinFieldLayout, IpFieldsShareTheWidthWithDotsBetween) {
    // 146 x 18 inside the frame, fields 14 high.
    SkinIpLayout ip = SkinIpFieldLayout(SkinRect{0, 0, 146, 18}, 14);
    int width = 0;
    for (const SkinRect& f : ip.fields) {
        EXPECT_EQ(f.top, 2);
        EXPECT_EQ(f.bottom, 16);
        width += f.Width();
    }
    EXPECT_EQ(width, 146 - 2 * 1 - 3 * 5);
    EXPECT_EQ(ip.fields[0].left, 1);
    EXPECT_EQ(ip.fields[3].right, 145);
    EXPECT_LE(ip.fields[0].Width() - ip.fields[3].Width(), 1);
    for (int i = 0; i < 3; ++i) {
        // A 2 x 2 dot in the middle of the gap, its bottom on the baseline.
        const SkinRect& dot = ip.dots[i];
        EXPECT_EQ(dot.Width(), 2);
        EXPECT_EQ(dot.Height(), 2);
        EXPECT_EQ(dot.bottom, 13);
        EXPECT_GE(dot.left, ip.fields[i].right);
        EXPECT_LE(dot.right, ip.fields[i + 1].left);
        EXPECT_LE(std::abs((dot.left - ip.fields[i].right) - (ip.fields[i + 1].left - dot.right)), 1);
    }
    // Too narrow for gaps: four fields still, none inverted, no dots; a
    // field height of 0 takes the client's.
    SkinIpLayout narrow = SkinIpFieldLayout(SkinRect{0, 0, 12, 18}, 0);
    for (const SkinRect& f : narrow.fields) {
        EXPECT_GE(f.Width(), 0);
        EXPECT_EQ(f.Height(), 18);
    }
    EXPECT_EQ(narrow.fields[3].right, 12);
    EXPECT_TRUE(narrow.dots[0].IsEmpty());
    // Fields lower than the lift keep their dot inside them.
    SkinIpLayout flat = SkinIpFieldLayout(SkinRect{0, 0, 146, 2}, 2);
    EXPECT_GE(flat.dots[1].top, 0);
    EXPECT_LE(flat.dots[1].bottom, 2);
}

// At 150 % the bars' own sizes grow with the display, the drawn grip and
// the IP address's dots keep their shape, and nothing leaves its box.
TEST(SkinBarMetrics, DrawnPartsAtTheDisplayScale) {
    const SkinScale s150(144);
    const SkinToolbarMetrics tool = SkinToolbarMetricsAt(s150);
    EXPECT_EQ(tool.padding, 5);  // 4.5 rounds away from zero
    EXPECT_EQ(tool.pushOffset, 2);
    SkinToolContent pushed =
        SkinToolButtonContent(SkinRect{0, 0, 36, 33}, SkinSize{24, 24}, SkinSize{}, false, true, tool);
    EXPECT_EQ(pushed.icon, (SkinRect{8, 6, 32, 30})) << "a pressed icon moves by the scaled offset";
    EXPECT_EQ(SkinFieldMetricsAt(s150).frame, 3);

    // The drawn grip: 20 pixels, six 3 x 3 dots 5 apart with shadow room.
    const SkinStatusMetrics status = SkinStatusMetricsAt(s150);
    SkinRect grip = SkinSizeGripRect(SkinRect{0, 0, 900, 33}, SkinSize{}, status);
    EXPECT_EQ(grip, (SkinRect{880, 13, 900, 33}));
    std::vector<SkinRect> dots = SkinGripDots(grip, status);
    ASSERT_EQ(dots.size(), 6u);
    for (const SkinRect& d : dots) {
        EXPECT_EQ(d.Width(), 3);
        EXPECT_EQ(d.Height(), 3);
        EXPECT_LT(d.right, grip.right);
        EXPECT_LT(d.bottom, grip.bottom);
        for (const SkinRect& o : dots)
            if (&o != &d)
                EXPECT_FALSE(d.left <= o.right && o.left <= d.right && d.top <= o.bottom && o.top <= d.bottom)
                    << "a dot touches another's shadow";
    }
    // Odd metrics (a dot wider than its pitch) never make dots overlap.
    SkinStatusMetrics odd = status;
    odd.gripDotStep = 1;
    odd.gripDotSize = 4;
    for (const SkinRect& d : SkinGripDots(SkinRect{0, 0, 40, 40}, odd))
        for (const SkinRect& o : SkinGripDots(SkinRect{0, 0, 40, 40}, odd))
            if (!(d == o)) EXPECT_TRUE(d.right < o.left || o.right < d.left || d.bottom < o.top || o.bottom < d.top);

    // The IP address's fields at 150 %: 219 x 27 inside the frame.
    SkinIpLayout ip = SkinIpFieldLayout(SkinRect{0, 0, 219, 27}, 21, SkinFieldMetricsAt(s150));
    EXPECT_EQ(ip.fields[0].left, 2);
    EXPECT_EQ(ip.fields[3].right, 217);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ip.dots[i].Width(), 3);
        EXPECT_GE(ip.dots[i].left, ip.fields[i].right);
        EXPECT_LE(ip.dots[i].right, ip.fields[i + 1].left);
    }
}

}  // namespace
