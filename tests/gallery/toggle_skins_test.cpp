// Check boxes, radio buttons and group boxes in the gallery under the test
// theme, judged from screen pixels and driven by the real mouse: marks by
// check and mouse state, the items each state shows, text on the left,
// clicks, radio groups, the group box's caption and the controls inside it,
// and what painting costs in graphics objects.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "gallery/gallery_fixture.h"
#include "skin/platform/skin_graphics.h"
#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

using namespace gallery_test;

namespace {

constexpr int kMark = 14;  // the test theme's marks are 14 x 14
const char* const kProbes[] = {"normal",      "disable",       "checkeddisable", "checkednormal",
                               "checkedover", "unchecknormal", "uncheckover",    "all"};
constexpr int kProbeSize = 5;

class ToggleSkins : public ::testing::Test {
protected:
    void SetUp() override {
        gallery_ = std::make_unique<GalleryUnderTest>();
        ASSERT_TRUE(gallery_->Ready());
        gallery_->MoveAway();
    }
    void TearDown() override {
        if (HasFailure() && gallery_) gallery_->SaveFailureScreenshot();
        gallery_->MoveAway();
        gallery_.reset();
    }
    // The mark's centre, by the control's style (text on the left puts it
    // at the right edge).
    POINT MarkCentre(int id) const {
        RECT r = gallery_->ClientRect(id);
        bool leftText = (::GetWindowLongPtrW(gallery_->Control(id), GWL_STYLE) & BS_LEFTTEXT) != 0;
        int x = leftText ? r.right - kMark / 2 : kMark / 2;
        return POINT{x, r.bottom / 2};
    }
    std::string Mark(int id) const {
        POINT p = MarkCentre(id);
        return gallery_->NameAt(id, p.x, p.y);
    }
    bool WaitForMark(int id, const std::string& name, DWORD ms = 2000) const {
        POINT p = MarkCentre(id);
        return gallery_->WaitForName(id, p.x, p.y, name, ms);
    }
    // The state probes a control shows, by state name.
    std::vector<std::string> Probes(int id, const std::string& prefix) const {
        RECT r = gallery_->ClientRect(id);
        std::vector<std::string> shown;
        for (int i = 0; i < 8; ++i) {
            int x = r.right - (i + 1) * (kProbeSize + 1) + kProbeSize / 2;
            if (gallery_->NameAt(id, x, 1 + kProbeSize / 2) == prefix + ".probe." + kProbes[i])
                shown.push_back(kProbes[i]);
        }
        return shown;
    }
    // A point on the control's text, away from mark and probes.
    void Hover(int id) const { gallery_->MoveTo(id, 40, gallery_->ClientRect(id).bottom / 2); }

    std::unique_ptr<GalleryUnderTest> gallery_;
};

using Names = std::vector<std::string>;

TEST_F(ToggleSkins, MarksShowTheCheckStateOfEachControl) {
    EXPECT_EQ(Mark(IDC_GALLERY_CHECK_UNCHECKED), "gallery.check.uncheck.normal");
    EXPECT_EQ(Mark(IDC_GALLERY_CHECK_CHECKED), "gallery.check.checked.normal");
    EXPECT_EQ(Mark(IDC_GALLERY_CHECK_INDETERMINATE), "gallery.check.indeterminate");
    EXPECT_EQ(Mark(IDC_GALLERY_CHECK_DISABLED), "gallery.check.uncheck.disible");
    EXPECT_EQ(Mark(IDC_GALLERY_CHECK_DISABLED_CHECKED), "gallery.check.checked.disible");
    EXPECT_EQ(Mark(IDC_GALLERY_CHECK_LEFTTEXT), "gallery.check.uncheck.normal");
    EXPECT_EQ(Mark(IDC_GALLERY_RADIO_FIRST), "gallery.radio.checked.normal");
    EXPECT_EQ(Mark(IDC_GALLERY_RADIO_SECOND), "gallery.radio.uncheck.normal");
    EXPECT_EQ(Mark(IDC_GALLERY_RADIO_DISABLED), "gallery.radio.uncheck.disible");
}

TEST_F(ToggleSkins, DisabledControlsShowOnlyTheItemsOfTheirCheckState) {
    EXPECT_EQ(Probes(IDC_GALLERY_CHECK_DISABLED_CHECKED, "gallery.check"), (Names{"checkeddisable", "all"}));
    // "checkeddisable" carries the bit of "disable" too; it still belongs to
    // the checked state only.
    EXPECT_EQ(Probes(IDC_GALLERY_CHECK_DISABLED, "gallery.check"), (Names{"disable", "all"}));
    EXPECT_EQ(Probes(IDC_GALLERY_RADIO_DISABLED, "gallery.radio"), (Names{"disable", "all"}));
    EXPECT_EQ(Probes(IDC_GALLERY_CHECK_CHECKED, "gallery.check"), (Names{"checkednormal", "all"}));
    EXPECT_EQ(Probes(IDC_GALLERY_CHECK_UNCHECKED, "gallery.check"), (Names{"unchecknormal", "all"}));
    // Indeterminate is not checked.
    EXPECT_EQ(Probes(IDC_GALLERY_CHECK_INDETERMINATE, "gallery.check"), (Names{"unchecknormal", "all"}));
}

TEST_F(ToggleSkins, CheckedOverShowsOnlyWhileTheMouseIsOverACheckedControlWithTheButtonUp) {
    const int id = IDC_GALLERY_CHECK_CHECKED;
    Hover(id);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return Probes(id, "gallery.check") == Names{"checkedover", "all"}; }, 2000));
    EXPECT_EQ(Mark(id), "gallery.check.checked.over");
    gallery_->Press();
    EXPECT_TRUE(skin_test::PumpUntil([&] { return Mark(id) == "gallery.check.checked.down"; }, 2000));
    EXPECT_EQ(Probes(id, "gallery.check"), (Names{"checkednormal", "all"}));
    gallery_->Release();
    // The click unchecked it: the mouse is over an unchecked control now.
    EXPECT_TRUE(WaitForMark(id, "gallery.check.uncheck.over"));
    EXPECT_EQ(Probes(id, "gallery.check"), (Names{"uncheckover", "all"}));
    gallery_->MoveAway();
    EXPECT_TRUE(WaitForMark(id, "gallery.check.uncheck.focus", 3000)) << "the hover stuck";
    EXPECT_EQ(Probes(id, "gallery.check"), (Names{"unchecknormal", "all"}));
}

TEST_F(ToggleSkins, AClickTogglesTheMarkWithNoSystemDrawingInBetween) {
    const int id = IDC_GALLERY_CHECK_UNCHECKED;
    HWND check = gallery_->Control(id);
    // What the mark shows after every message the control handles during
    // the click: never anything but one of the theme's marks.
    static HWND watched;
    static std::vector<std::string>* seen;
    static POINT centre;
    watched = check;
    centre = MarkCentre(id);
    ::ClientToScreen(check, &centre);
    std::vector<std::string> names;
    seen = &names;
    HHOOK hook = ::SetWindowsHookExW(
        WH_CALLWNDPROCRET,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            auto* msg = reinterpret_cast<CWPRETSTRUCT*>(lParam);
            if (code == HC_ACTION && msg->hwnd == watched) {
                const ThemeColour* c = ThemeColours::Get().ByColour(skin_test::ScreenPixel(centre.x, centre.y));
                seen->push_back(c ? c->name : "?");
            }
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    gallery_->Click(id, 40, gallery_->ClientRect(id).bottom / 2);
    skin_test::Pump(100);
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(WaitForMark(id, "gallery.check.checked.over"));
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names)
        EXPECT_EQ(name.compare(0, 14, "gallery.check."), 0) << "the mark showed " << name;
}

TEST_F(ToggleSkins, IndeterminateShowsOnePictureInEveryMouseState) {
    const int id = IDC_GALLERY_CHECK_INDETERMINATE;
    Hover(id);
    skin_test::Pump(200);
    EXPECT_EQ(Mark(id), "gallery.check.indeterminate") << "over";
    gallery_->Press();
    skin_test::Pump(200);
    EXPECT_EQ(Mark(id), "gallery.check.indeterminate") << "down";
    gallery_->Release();
    // An auto 3-state box goes from indeterminate to unchecked.
    EXPECT_TRUE(WaitForMark(id, "gallery.check.uncheck.over"));
    ::SendMessageW(gallery_->Control(id), BM_SETCHECK, BST_INDETERMINATE, 0);
    gallery_->MoveAway();
    skin_test::Pump(300);
    EXPECT_EQ(Mark(id), "gallery.check.indeterminate") << "focus";
}

TEST_F(ToggleSkins, TextOnTheLeftPutsTheMarkFlushRight) {
    SpyGraphics spy;
    const int id = IDC_GALLERY_RADIO_LEFTTEXT;
    RECT r = gallery_->ClientRect(id);
    gallery_->Repaint(id);
    EXPECT_EQ(gallery_->NameAt(id, r.right - 1, r.bottom / 2), "gallery.radio.uncheck.normal");
    EXPECT_EQ(gallery_->NameAt(id, r.right - kMark, r.bottom / 2), "gallery.radio.uncheck.normal");
    EXPECT_NE(gallery_->NameAt(id, r.right - kMark - 1, r.bottom / 2), "gallery.radio.uncheck.normal");
    EXPECT_EQ(gallery_->NameAt(id, kMark / 2, r.bottom / 2).find("gallery.radio.uncheck"), std::string::npos);
    bool drawn = false;
    for (const SpyGraphics::Text& t : spy.Texts()) {
        if (t.text != L"Text on the left") continue;
        drawn = true;
        EXPECT_EQ(t.rect.left, 0);
        EXPECT_EQ(t.rect.right, r.right - kMark);
        EXPECT_EQ(t.format, kSkinDtSingleLine | kSkinDtVCenter);
        // SkinColor is 0x00BBGGRR; the table 0x00RRGGBB (the swap is its own inverse).
        EXPECT_EQ(t.color, skin_test::Rgb(ThemeColours::Get().Of("gallery.radio.text.normal")));
    }
    EXPECT_TRUE(drawn);
}

TEST_F(ToggleSkins, AnAutoRadioGroupMovesItsCheck) {
    gallery_->Click(IDC_GALLERY_RADIO_SECOND, 40, gallery_->ClientRect(IDC_GALLERY_RADIO_SECOND).bottom / 2);
    EXPECT_TRUE(WaitForMark(IDC_GALLERY_RADIO_SECOND, "gallery.radio.checked.over"));
    EXPECT_TRUE(WaitForMark(IDC_GALLERY_RADIO_FIRST, "gallery.radio.uncheck.normal"));
    EXPECT_EQ(Probes(IDC_GALLERY_RADIO_SECOND, "gallery.radio"), (Names{"checkedover", "all"}));
    EXPECT_EQ(Probes(IDC_GALLERY_RADIO_FIRST, "gallery.radio"), (Names{"unchecknormal", "all"}));
    gallery_->Click(IDC_GALLERY_RADIO_FIRST, 40, gallery_->ClientRect(IDC_GALLERY_RADIO_FIRST).bottom / 2);
    EXPECT_TRUE(WaitForMark(IDC_GALLERY_RADIO_FIRST, "gallery.radio.checked.over"));
    EXPECT_TRUE(WaitForMark(IDC_GALLERY_RADIO_SECOND, "gallery.radio.uncheck.normal"));
}

TEST_F(ToggleSkins, AClickOnAnItemLeavesTheMouseFreeAndTheCheckAlone) {
    const int id = IDC_GALLERY_CHECK_UNCHECKED;
    HWND check = gallery_->Control(id);
    RECT r = gallery_->ClientRect(id);
    // The test theme's clickable item lies left of the state probes.
    int x = r.right - (8 * (kProbeSize + 1) + 4 + 16) + 8;
    ASSERT_EQ(gallery_->NameAt(id, x, r.bottom / 2), "gallery.check.probe.event");
    gallery_->MoveTo(id, x, r.bottom / 2);
    gallery_->Press();
    EXPECT_EQ(::GetCapture(), check);  // the control's own procedure took the press
    gallery_->Release();
    EXPECT_EQ(::GetCapture(), nullptr) << "the control kept the mouse after the click";
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the item's click checked the box";
    // The next click elsewhere on the control is an ordinary one.
    gallery_->Click(id, 40, r.bottom / 2);
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ToggleSkins, CentredGroupCaptionInterruptsTheFrameLine) {
    SpyGraphics spy;
    const int id = IDC_GALLERY_RADIO_GROUP;
    gallery_->Repaint(id);
    RECT r = gallery_->ClientRect(id);
    SkinRect caption;
    for (const SpyGraphics::Text& t : spy.Texts())
        if (t.text == L"Radio buttons" && !(t.format & kSkinDtCalcRect)) caption = t.rect;
    ASSERT_FALSE(caption.IsEmpty());
    EXPECT_LE(std::abs((caption.left + caption.right) - static_cast<int>(r.right)), 1) << "not centred";
    EXPECT_EQ(caption.top, 0);

    // The frame's top line: the border colour left and right of the caption,
    // never under it.
    const std::string border = "gallery.group.border";
    int line = -1;
    for (int y = 0; y < r.bottom && line < 0; ++y)
        if (gallery_->NameAt(id, 20, y) == border) line = y;
    ASSERT_GT(line, 0);
    EXPECT_EQ(line, caption.Height() / 2);
    EXPECT_EQ(gallery_->NameAt(id, r.right - 20, line), border);
    for (int x = caption.left - 1; x <= caption.right; ++x)
        EXPECT_NE(gallery_->NameAt(id, x, line), border) << "the line crosses the caption at x " << x;
}

TEST_F(ToggleSkins, AGroupBoxIconStandsBeforeItsCaption) {
    SpyGraphics spy;
    // A window of its own: a group box never paints where a sibling lies.
    HWND host = ::CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 40, 40, 240, 120, gallery_->Dialog(),
                                  nullptr, nullptr, nullptr);
    ASSERT_EQ(SetWindowSkin(host, L"gallery.dialog"), 1);
    HWND group = ::CreateWindowExW(0, L"Button", L"With icon", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_ICON | BS_RIGHT,
                                   10, 10, 160, 60, host, nullptr, nullptr, nullptr);
    HICON icon = static_cast<HICON>(::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED));
    ::SendMessageW(group, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    ASSERT_EQ(SetWindowSkin(group, L"gallery.group"), 1);
    spy.Clear();
    ::RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    skin_test::Pump(50);
    SkinRect caption;
    for (const SpyGraphics::Text& t : spy.Texts())
        if (t.text == L"With icon" && !(t.format & kSkinDtCalcRect)) caption = t.rect;
    ASSERT_FALSE(caption.IsEmpty());
    // Right-aligned, 8 pixels from the edge, after the 16-pixel icon and a
    // 3-pixel gap.
    EXPECT_EQ(caption.right, 160 - 8);
    uint32_t behind = ThemeColours::Get().Of("gallery.frame");
    int iconPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = caption.left - 3 - 16; x < caption.left - 3; ++x)
            if (skin_test::ClientPixel(group, x, y) != behind) ++iconPixels;
    EXPECT_GT(iconPixels, 16 * 16 / 4) << "no icon before the caption";
    EXPECT_EQ(skin_test::ClientPixel(group, caption.left - 3 - 16 - 2, 8), behind);
    ::DestroyWindow(host);
}

TEST_F(ToggleSkins, ControlsInsideAGroupBoxStayVisibleWhenItRepaints) {
    const int group = IDC_GALLERY_CHECK_GROUP;
    gallery_->Repaint(IDC_GALLERY_CHECK_UNCHECKED);
    ASSERT_EQ(Mark(IDC_GALLERY_CHECK_UNCHECKED), "gallery.check.uncheck.normal");
    for (int i = 0; i < 3; ++i) {
        ::RedrawWindow(gallery_->Control(group), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        skin_test::Pump(30);
        EXPECT_EQ(Mark(IDC_GALLERY_CHECK_UNCHECKED), "gallery.check.uncheck.normal");
        EXPECT_EQ(Mark(IDC_GALLERY_CHECK_CHECKED), "gallery.check.checked.normal");
    }
    // Between the controls the dialog's own background shows.
    RECT inside = gallery_->ClientRect(group);
    RECT check{};
    ::GetWindowRect(gallery_->Control(IDC_GALLERY_CHECK_UNCHECKED), &check);
    POINT below{check.left, check.bottom + 1};
    ::ScreenToClient(gallery_->Control(group), &below);
    ASSERT_LT(below.y, inside.bottom);
    EXPECT_EQ(gallery_->NameAt(group, below.x + 20, below.y), "gallery.frame");
}

TEST_F(ToggleSkins, TenThousandPaintsLeaveNoGraphicsObjectBehind) {
    // A small group box of its own: what a paint costs grows with the size,
    // what it leaves behind does not.
    POINT free = gallery_->EmptyDialogPoint();
    HWND group = ::CreateWindowExW(0, L"Button", L"Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, free.x - 3, free.y - 3,
                                   60, 24, gallery_->Dialog(), nullptr, nullptr, nullptr);
    ASSERT_EQ(SetWindowSkin(group, L"gallery.group"), 1);
    for (HWND w : {gallery_->Control(IDC_GALLERY_CHECK_CHECKED), gallery_->Control(IDC_GALLERY_RADIO_FIRST), group}) {
        // Pictures keep what they compose from their second paint on.
        for (int i = 0; i < 2; ++i) {
            ::InvalidateRect(w, nullptr, FALSE);
            ::UpdateWindow(w);
        }
        long before = SkinGraphics().LiveObjects();
        for (int i = 0; i < 10000; ++i) {
            ::InvalidateRect(w, nullptr, FALSE);
            ::UpdateWindow(w);
        }
        EXPECT_EQ(SkinGraphics().LiveObjects(), before) << ::GetDlgCtrlID(w);
    }
    ::DestroyWindow(group);
}

}  // namespace
