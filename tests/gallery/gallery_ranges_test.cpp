// The spin button, progress bar, slider and tab control in the gallery,
// under the solid-colour test theme and the real mouse and keyboard: the
// spin's halves and faces, the bar's fill and percentage, the thumb
// following a drag and the keys, the selected tab following a click.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/dpi_scale.h"
#include "gallery/gallery_fixture.h"
#include "skin/skin_test_dialog.h"
#include "skin/spy_graphics.h"

using namespace gallery_test;

namespace {

// The display's DPI the test runs at (TOVANE_TEST_DPI), 96 without one.
int TestDpi() {
    const char* dpi = std::getenv("TOVANE_TEST_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

class GalleryRanges : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gallery_.Ready());
        gallery_.MoveAway();
    }
    void TearDown() override {
        gallery_.Release();
        gallery_.MoveAway();
    }
    // Every row of column x from `top` to `bottom` (exclusive) shows `name`.
    bool Rows(int id, int x, int top, int bottom, const std::string& name) const {
        for (int y = top; y < bottom; ++y)
            if (gallery_.NameAt(id, x, y) != name) return false;
        return true;
    }
    RECT Thumb() const {
        RECT r{};
        ::SendMessageW(gallery_.Control(IDC_GALLERY_SLIDER), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    std::string ThumbShows() const {
        RECT t = Thumb();
        return gallery_.NameAt(IDC_GALLERY_SLIDER, (t.left + t.right) / 2, (t.top + t.bottom) / 2);
    }
    bool WaitForThumb(const std::string& name, DWORD ms = 2000) const {
        return skin_test::PumpUntil([&] { return ThumbShows() == name; }, ms);
    }
    RECT Tab(int index) const {
        RECT r{};
        ::SendMessageW(gallery_.Control(IDC_GALLERY_TAB), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // What a tab shows near its corner, away from its text.
    std::string TabShows(int index) const {
        RECT r = Tab(index);
        return gallery_.NameAt(IDC_GALLERY_TAB, r.left + 4, r.top + 4);
    }
    static void Key(WORD vk) {
        KeyDown(vk);
        KeyUp(vk);
    }
    static void KeyDown(WORD vk, DWORD flags = 0) {
        INPUT key = {};
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = vk;
        key.ki.dwFlags = flags;
        ::SendInput(1, &key, sizeof(INPUT));
        skin_test::Pump(50);
    }
    static void KeyUp(WORD vk) { KeyDown(vk, KEYEVENTF_KEYUP); }

    GalleryUnderTest gallery_;
};

TEST_F(GalleryRanges, SpinHalvesShowTheirFacesWithAGapBetweenThem) {
    HWND spin = gallery_.Control(IDC_GALLERY_SPIN);
    // 20 pixels high, as the edge case has it: at 96 DPI the upper half on
    // rows 0-8 (its edge at 9), the lower from row 11 to the bottom; the
    // 2-pixel gap grows with the display's scale.
    RECT r = gallery_.ClientRect(IDC_GALLERY_SPIN);
    ::SetWindowPos(spin, nullptr, 0, 0, r.right, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    gallery_.Repaint(IDC_GALLERY_SPIN);
    int gap = dpi::DpiScale(TestDpi()).Scale(2);
    int firstEnd = 10 - gap / 2, secondStart = 10 + (gap - gap / 2);
    int x = r.right / 2;
    EXPECT_TRUE(Rows(IDC_GALLERY_SPIN, x, 0, firstEnd, "gallery.spin.top.normal"));
    EXPECT_TRUE(Rows(IDC_GALLERY_SPIN, x, secondStart, 20, "gallery.spin.bottom.normal"));
    for (int y = firstEnd; y < secondStart; ++y)
        EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SPIN, x, y), "gallery.frame") << y;

    // Pressing the upper half: down there, normal below.
    gallery_.MoveTo(IDC_GALLERY_SPIN, x, 4);
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, 4, "gallery.spin.top.over"));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SPIN, x, 15), "gallery.spin.bottom.normal");
    gallery_.Press();
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, 4, "gallery.spin.top.down"));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SPIN, x, 15), "gallery.spin.bottom.normal");
    gallery_.Release();
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, 4, "gallery.spin.top.over"));
    gallery_.MoveTo(IDC_GALLERY_SPIN, x, 15);
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, 15, "gallery.spin.bottom.over"));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SPIN, x, 4), "gallery.spin.top.normal");
    gallery_.MoveAway();
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, 15, "gallery.spin.bottom.normal", 3000));

    // Disabled: the disabled pictures, whatever the mouse does.
    ::EnableWindow(spin, FALSE);
    gallery_.MoveTo(IDC_GALLERY_SPIN, x, 4);
    gallery_.Press();
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, 4, "gallery.spin.top.disable"));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SPIN, x, 15), "gallery.spin.bottom.disable");
    gallery_.Release();
    ::EnableWindow(spin, TRUE);
}

TEST_F(GalleryRanges, SpinShowsTheArrowKeyHeldInItsBuddy) {
    HWND spin = gallery_.Control(IDC_GALLERY_SPIN);
    RECT r = gallery_.ClientRect(IDC_GALLERY_SPIN);
    int x = r.right / 2, top = 2, bottom = r.bottom - 3;
    ::SetFocus(gallery_.Control(IDC_GALLERY_SPIN_BUDDY));
    LRESULT start = ::SendMessageW(spin, UDM_GETPOS32, 0, 0);
    KeyDown(VK_UP);
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, top, "gallery.spin.top.down"));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SPIN, x, bottom), "gallery.spin.bottom.normal");
    KeyUp(VK_UP);
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, top, "gallery.spin.top.normal"));
    EXPECT_GT(::SendMessageW(spin, UDM_GETPOS32, 0, 0), start);
    KeyDown(VK_DOWN);
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, bottom, "gallery.spin.bottom.down"));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SPIN, x, top), "gallery.spin.top.normal");
    KeyUp(VK_DOWN);
    EXPECT_TRUE(gallery_.WaitForName(IDC_GALLERY_SPIN, x, bottom, "gallery.spin.bottom.normal"));
}

TEST_F(GalleryRanges, ProgressShowsItsShareAndPercentage) {
    HWND bar = gallery_.Control(IDC_GALLERY_PROGRESS);
    RECT r = gallery_.ClientRect(IDC_GALLERY_PROGRESS);
    SpyGraphics spy;
    auto percentage = [&] {
        spy.Clear();
        gallery_.Repaint(IDC_GALLERY_PROGRESS);
        std::vector<std::wstring> texts;
        for (const SpyGraphics::Text& t : spy.Texts())
            if (!(t.format & kSkinDtCalcRect)) texts.push_back(t.text);
        return texts;
    };
    ::SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(bar, PBM_SETPOS, 50, 0);
    EXPECT_EQ(percentage(), std::vector<std::wstring>{L"50%"});
    int y = r.bottom / 2;
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_PROGRESS, r.right / 5, y), "gallery.progress.horiz.active");
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_PROGRESS, r.right * 4 / 5, y), "gallery.progress.horiz.channel");
    // The text in its colour, on the bar.
    bool textSeen = false;
    uint32_t text = ThemeColours::Get().Of("gallery.progress.text");
    for (int x = r.right / 3; x < r.right * 2 / 3 && !textSeen; ++x)
        for (int ty = 0; ty < r.bottom && !textSeen; ++ty)
            textSeen = gallery_.Pixel(IDC_GALLERY_PROGRESS, x, ty) == text;
    EXPECT_TRUE(textSeen);

    ::SendMessageW(bar, PBM_SETRANGE32, 0, 3);
    ::SendMessageW(bar, PBM_SETPOS, 1, 0);
    EXPECT_EQ(percentage(), std::vector<std::wstring>{L"33%"});
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_PROGRESS, r.right / 2, y), "gallery.progress.horiz.channel");
}

TEST_F(GalleryRanges, SliderThumbFollowsADragAndTheKeys) {
    HWND slider = gallery_.Control(IDC_GALLERY_SLIDER);
    gallery_.Repaint(IDC_GALLERY_SLIDER);
    EXPECT_EQ(ThumbShows(), "gallery.slider.thumb.normal");
    RECT t = Thumb();
    POINT m{(t.left + t.right) / 2, (t.top + t.bottom) / 2};
    gallery_.MoveTo(IDC_GALLERY_SLIDER, m.x, m.y);
    EXPECT_TRUE(WaitForThumb("gallery.slider.thumb.over"));
    gallery_.Press();
    EXPECT_TRUE(WaitForThumb("gallery.slider.thumb.down"));
    RECT client = gallery_.ClientRect(IDC_GALLERY_SLIDER);
    for (int x = m.x; x < client.right - 10; x += 8) gallery_.MoveTo(IDC_GALLERY_SLIDER, x, m.y);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return ::SendMessageW(slider, TBM_GETPOS, 0, 0) >= 9; }, 2000));
    EXPECT_TRUE(WaitForThumb("gallery.slider.thumb.down")) << "the thumb is not drawn where the control put it";
    // The groove is filled up to the thumb.
    RECT channel{};
    ::SendMessageW(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_SLIDER, channel.left + 20, (channel.top + channel.bottom) / 2),
              "gallery.slider.horiz.active");
    t = Thumb();
    gallery_.MoveTo(IDC_GALLERY_SLIDER, (t.left + t.right) / 2, m.y);
    gallery_.Release();
    EXPECT_TRUE(WaitForThumb("gallery.slider.thumb.over"));

    // The click gave it the keyboard focus: the keys move the thumb.
    gallery_.MoveAway();
    EXPECT_TRUE(WaitForThumb("gallery.slider.thumb.focus", 3000));
    LRESULT before = ::SendMessageW(slider, TBM_GETPOS, 0, 0);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return ::SendMessageW(slider, TBM_GETPOS, 0, 0) == before - 2; }, 2000));
    EXPECT_TRUE(WaitForThumb("gallery.slider.thumb.focus"));
    ::EnableWindow(slider, FALSE);
    EXPECT_TRUE(WaitForThumb("gallery.slider.thumb.disible"));
    ::EnableWindow(slider, TRUE);
}

TEST_F(GalleryRanges, SelectedTabShowsItsCheckedPictureAndFollowsAClick) {
    HWND tab = gallery_.Control(IDC_GALLERY_TAB);
    ::SendMessageW(tab, TCM_SETCURSEL, 0, 0);
    gallery_.Repaint(IDC_GALLERY_TAB);
    EXPECT_EQ(TabShows(0), "gallery.tab.top.checked");
    EXPECT_EQ(TabShows(1), "gallery.tab.top.normal");
    RECT second = Tab(1);
    gallery_.MoveTo(IDC_GALLERY_TAB, second.left + 4, second.top + 4);
    EXPECT_TRUE(skin_test::PumpUntil([&] { return TabShows(1) == "gallery.tab.top.over"; }, 2000));
    gallery_.Press();
    gallery_.Release();
    EXPECT_TRUE(skin_test::PumpUntil([&] { return TabShows(1) == "gallery.tab.top.checked"; }, 2000));
    EXPECT_EQ(::SendMessageW(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TabShows(0), "gallery.tab.top.normal");
    // The page's border line below the tabs.
    RECT client = gallery_.ClientRect(IDC_GALLERY_TAB);
    EXPECT_EQ(gallery_.NameAt(IDC_GALLERY_TAB, 0, (second.bottom + client.bottom) / 2), "gallery.tab.border");
    ::SendMessageW(tab, TCM_SETCURSEL, 0, 0);
}

}  // namespace
