// Spin button and progress bar skins under Wine beyond what the gallery
// shows, on a theme of solid pictures: a horizontal spin, missing disabled
// pictures; the bar's fill and percentage from what the control reports
// (a range only 32 bits hold, an empty or inverted range), vertical bars
// and the strip style.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "skin/common_controls_theme.h"
#include "skin/platform/skin_graphics.h"
#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"
#include "skin/windows/skin_api_win32.h"

using namespace skin_test;
using common_controls_test::ColorOf;

namespace {

constexpr int kSpinV = 2001, kSpinH = 2002, kBarH = 2003, kBarV = 2004, kBarBusy = 2005;

class SkinSpinProgress : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&init);
        ASSERT_TRUE(common_controls_test::LoadTheme());
        dialog_ =
            std::make_unique<TestDialog>(400, 200,
                                         std::vector<ControlSpec>{
                                             {kSpinV, UPDOWN_CLASSW, 0, L"", RECT{20, 20, 36, 40}},
                                             {kSpinH, UPDOWN_CLASSW, UDS_HORZ, L"", RECT{60, 20, 94, 37}},
                                             {kBarH, PROGRESS_CLASSW, WS_BORDER, L"", RECT{20, 80, 220, 100}},
                                             {kBarBusy, PROGRESS_CLASSW, PBS_MARQUEE, L"", RECT{20, 140, 220, 160}},
                                             {kBarV, PROGRESS_CLASSW, PBS_VERTICAL, L"", RECT{300, 20, 320, 120}},
                                         });
        ASSERT_TRUE(dialog_->hwnd());
        spinV_ = dialog_->Item(kSpinV);
        spinH_ = dialog_->Item(kSpinH);
        barH_ = dialog_->Item(kBarH);
        barV_ = dialog_->Item(kBarV);
        barBusy_ = dialog_->Item(kBarBusy);
        MoveMouseAway();
    }
    void TearDown() override {
        MouseUp();
        MoveMouseAway();
        dialog_.reset();
    }
    // Every row of the column x from `top` to `bottom` (exclusive) shows `rgb`.
    static bool Rows(HWND w, int x, int top, int bottom, uint32_t rgb) {
        for (int y = top; y < bottom; ++y)
            if (!Near(ClientPixel(w, x, y), rgb, 2)) return false;
        return true;
    }
    static bool Shows(HWND w, int x, int y, const wchar_t* picture) {
        return Near(ClientPixel(w, x, y), ColorOf(picture), 2);
    }

    std::unique_ptr<TestDialog> dialog_;
    HWND spinV_ = nullptr, spinH_ = nullptr, barH_ = nullptr, barV_ = nullptr, barBusy_ = nullptr;
};

TEST_F(SkinSpinProgress, DisabledSpinWithoutDisabledPicturesShowsTheNormalOnes) {
    ASSERT_EQ(SetWindowSkin(spinV_, L"t.spin.plain"), 1);
    ::EnableWindow(spinV_, FALSE);
    MoveMouseTo(spinV_, 8, 4);
    Pump(100);
    EXPECT_TRUE(Shows(spinV_, 8, 4, L"spin.top.normal"));
    EXPECT_TRUE(Shows(spinV_, 8, 15, L"spin.bottom.normal"));
    MoveMouseAway();
    ::EnableWindow(spinV_, TRUE);
}

TEST_F(SkinSpinProgress, HorizontalSpinUsesItsLeftAndRightPictures) {
    ASSERT_EQ(SetWindowSkin(spinH_, L"t.spin"), 1);
    Repaint(spinH_);
    EXPECT_TRUE(Shows(spinH_, 4, 8, L"spin.left.normal"));
    EXPECT_TRUE(Shows(spinH_, 30, 8, L"spin.right.normal"));
    MoveMouseTo(spinH_, 30, 8);
    MouseDown();
    EXPECT_TRUE(PumpUntil([&] { return Shows(spinH_, 30, 8, L"spin.right.down"); }, 2000));
    EXPECT_TRUE(Shows(spinH_, 4, 8, L"spin.left.normal"));
    MouseUp();
}

// The percentage drawn on the bar, as the spy saw it.
std::vector<std::wstring> TextsOn(SpyGraphics& spy, HWND bar) {
    spy.Clear();
    ::InvalidateRect(bar, nullptr, FALSE);
    ::UpdateWindow(bar);
    std::vector<std::wstring> texts;
    for (const SpyGraphics::Text& t : spy.Texts())
        if (t.format == (kSkinDtSingleLine | kSkinDtVCenter)) texts.push_back(t.text);
    return texts;
}

TEST_F(SkinSpinProgress, ProgressFillsToThePositionTheControlReports) {
    ASSERT_EQ(SetWindowSkin(barH_, L"t.progress.grid"), 1);
    SpyGraphics spy;
    ::SendMessageW(barH_, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(barH_, PBM_SETPOS, 50, 0);
    EXPECT_EQ(TextsOn(spy, barH_), std::vector<std::wstring>{L"50%"});
    Pump(30);
    EXPECT_TRUE(Shows(barH_, 10, 3, L"progress.h.active"));
    EXPECT_TRUE(Shows(barH_, 95, 3, L"progress.h.active"));
    EXPECT_TRUE(Shows(barH_, 105, 3, L"progress.h.normal"));
    EXPECT_TRUE(Shows(barH_, 190, 3, L"progress.h.normal"));
    // The bar has no frame of its own once skinned: its pictures reach the
    // window's edge.
    RECT window{}, client{};
    ::GetWindowRect(barH_, &window);
    ::GetClientRect(barH_, &client);
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    EXPECT_TRUE(Shows(barH_, 0, 0, L"progress.h.active"));

    ::SendMessageW(barH_, PBM_SETRANGE32, 0, 3);
    ::SendMessageW(barH_, PBM_SETPOS, 1, 0);
    EXPECT_EQ(TextsOn(spy, barH_), std::vector<std::wstring>{L"33%"});
    // A range only 32 bits hold: read through the control, not its memory.
    ::SendMessageW(barH_, PBM_SETRANGE32, 100000, 400000);
    ::SendMessageW(barH_, PBM_SETPOS, 200000, 0);
    EXPECT_EQ(TextsOn(spy, barH_), std::vector<std::wstring>{L"33%"});
    Pump(30);
    EXPECT_TRUE(Shows(barH_, 60, 10, L"progress.h.active"));
    EXPECT_TRUE(Shows(barH_, 72, 10, L"progress.h.normal"));
}

TEST_F(SkinSpinProgress, ProgressWithAnEmptyOrInvertedRangeFillsNothingAndShowsZero) {
    ASSERT_EQ(SetWindowSkin(barH_, L"t.progress.grid"), 1);
    SpyGraphics spy;
    // The control keeps such ranges as given.
    for (std::pair<int, int> range : {std::pair<int, int>{5, 5}, std::pair<int, int>{10, 2}}) {
        ::SendMessageW(barH_, PBM_SETRANGE32, static_cast<WPARAM>(range.first), range.second);
        ::SendMessageW(barH_, PBM_SETPOS, 7, 0);
        EXPECT_EQ(TextsOn(spy, barH_), std::vector<std::wstring>{L"0%"}) << range.first << ".." << range.second;
        Pump(30);
        for (int x = 3; x < 197; x += 8) EXPECT_FALSE(Shows(barH_, x, 3, L"progress.h.active")) << x;
    }
}

TEST_F(SkinSpinProgress, MarqueeBarShowsARunningBlockAndNoPercentage) {
    ASSERT_EQ(SetWindowSkin(barBusy_, L"t.progress.grid"), 1);
    ::SendMessageW(barBusy_, PBM_SETMARQUEE, TRUE, 30);
    SpyGraphics spy;
    EXPECT_TRUE(TextsOn(spy, barBusy_).empty());
    // The block shows up at more than one place while the control's timer runs.
    std::vector<int> seenAt;
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 1500 && seenAt.size() < 2) {
        Pump(40);
        for (int x = 3; x < 197; x += 6) {
            if (!Shows(barBusy_, x, 10, L"progress.h.active")) continue;
            if (seenAt.empty() || std::abs(seenAt.back() - x) > 20) seenAt.push_back(x);
            break;
        }
    }
    EXPECT_GE(seenAt.size(), 2u) << "the block does not run";
    ::SendMessageW(barBusy_, PBM_SETMARQUEE, FALSE, 0);
}

TEST_F(SkinSpinProgress, VerticalProgressFillsFromTheBottom) {
    ASSERT_EQ(SetWindowSkin(barV_, L"t.progress.grid"), 1);
    ::SendMessageW(barV_, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(barV_, PBM_SETPOS, 25, 0);
    Repaint(barV_);
    EXPECT_TRUE(Shows(barV_, 3, 95, L"progress.v.active"));
    EXPECT_TRUE(Shows(barV_, 3, 80, L"progress.v.active"));
    EXPECT_TRUE(Shows(barV_, 3, 70, L"progress.v.normal"));
    EXPECT_TRUE(Shows(barV_, 3, 5, L"progress.v.normal"));
}

TEST_F(SkinSpinProgress, StripStyleKeepsTheFillInsideItsOffset) {
    ASSERT_EQ(SetWindowSkin(barH_, L"t.progress.strip"), 1);
    ::SendMessageW(barH_, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(barH_, PBM_SETPOS, 50, 0);
    Repaint(barH_);
    // The 12-pixel pictures stand centred across the 20-pixel bar; the fill
    // runs from 2 to 2 + 196 / 2 and is tiled like the channel.
    EXPECT_TRUE(Shows(barH_, 1, 10, L"progress.h.normal"));
    EXPECT_TRUE(Shows(barH_, 3, 10, L"progress.h.active"));
    EXPECT_TRUE(Shows(barH_, 60, 10, L"progress.h.active"));
    EXPECT_TRUE(Shows(barH_, 99, 10, L"progress.h.active"));
    EXPECT_TRUE(Shows(barH_, 101, 10, L"progress.h.normal"));
    EXPECT_FALSE(Shows(barH_, 60, 2, L"progress.h.normal"));
    EXPECT_FALSE(Shows(barH_, 60, 2, L"progress.h.active"));
}

}  // namespace
