// Skinned scroll bars on a display of another DPI (run once per DPI, in a
// Wine prefix of that DPI): the bars, arrows and thumbs take the window's
// scale, and presses and drags still land where the pointer is.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "app/installer_layout96.h"
#include "common/dpi_scale.h"
#include "skin/scroll_test_support.h"
#include "skin/windows/skin_api_win32.h"

using namespace scroll_test;

namespace {

constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
const dpi::DpiScale kScale(layout96::TestDpi());

int S(int value96) { return kScale.Scale(value96); }

std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    return text;
}

class ScrollAtDpi : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadScrollTheme());
        PlayMouse({MoveTo(POINT{5, ::GetSystemMetrics(SM_CYSCREEN) - 5})});
    }
};

}  // namespace

TEST_F(ScrollAtDpi, AFramesBarTakesTheWindowsScale) {
    RecordingDialog d(kDialog | WS_VSCROLL, 0, 300, 200);
    HWND w = d.hwnd();
    ASSERT_EQ(SetWindowSkin(w, L"scroll.dialog"), 1);
    Pump(50);
    SetClientSize(w, S(300), S(200));
    Pump(50);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 0, 0};
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    Pump(100);
    SaveWindowPng(w, "scroll_frame_dpi" + std::to_string(kScale.Dpi()));
    const RECT bar = BarBeside(w, false, S(16));
    const int x = bar.right - 2;
    // Arrows as long as the bar is wide; the thumb at least S(20) long.
    EXPECT_EQ(WindowPixel(w, x, bar.top + S(16) - 1), CellColor(kFirstArrow, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + S(16)), CellColor(kThumb, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + S(16) + S(20) - 1), CellColor(kThumb, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + S(16) + S(20)), CellColor(kTrack, 0));
    EXPECT_EQ(WindowPixel(w, bar.left, bar.bottom - 1), CellColor(kSecondArrow, 0));

    // A click low on the track: one page down; a drag to the end: the last
    // position.
    PlayMouse({MoveTo(ScreenOf(w, bar.left + S(8), bar.bottom - S(40))), Down(), Up()});
    ASSERT_EQ(d.events.size(), 1u);
    EXPECT_EQ(d.events[0].code, SB_PAGEDOWN);
    d.events.clear();
    d.onScroll = [&](const ScrollEvent& e) {
        if (e.code == SB_THUMBTRACK) SetScrollPos(w, SB_VERT, e.position, TRUE);
    };
    std::vector<MouseStep> steps = {MoveTo(ScreenOf(w, bar.left + S(8), bar.top + S(26))), Down()};
    for (int y = bar.top + S(30); y < bar.bottom + S(60); y += S(9)) steps.push_back(MoveTo(ScreenOf(w, x, y)));
    steps.push_back(Up());
    PlayMouse(steps);
    ASSERT_GE(d.events.size(), 3u);
    EXPECT_EQ(d.events[d.events.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(d.events[d.events.size() - 2].position, 91);
}

TEST_F(ScrollAtDpi, EditAndRichEditBarsTakeTheWindowsScale) {
    ASSERT_TRUE(::LoadLibraryW(L"riched20.dll"));
    RecordingDialog d(kDialog, 0, S(400), S(300));
    ASSERT_EQ(SetWindowSkin(d.hwnd(), L"scroll.dialog"), 1);
    HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", Lines(50).c_str(),
                                  WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, S(10), S(10), S(160), S(200),
                                  d.hwnd(), nullptr, nullptr, nullptr);
    HWND rich = ::CreateWindowExW(0, L"RichEdit20W", Lines(200).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | WS_VSCROLL, S(200), S(10), S(160),
                                  S(200), d.hwnd(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit && rich);
    ASSERT_EQ(SetWindowSkin(edit, L"scroll.edit"), 1);
    ASSERT_EQ(SetWindowSkin(rich, L"scroll.rich"), 1);
    Pump(150);
    SaveWindowPng(d.hwnd(), "scroll_edits_dpi" + std::to_string(kScale.Dpi()));
    for (HWND w : {edit, rich}) {
        const RECT bar = BarBeside(w, false, S(16));
        EXPECT_EQ(WindowPixel(w, bar.right - 1, bar.top + S(16) - 1), CellColor(kFirstArrow, 0));
        EXPECT_EQ(WindowPixel(w, bar.left, bar.top + S(16)), CellColor(kThumb, 0));
        EXPECT_NE(WindowPixel(w, bar.right, bar.top + S(8)), CellColor(kFirstArrow, 0));
    }
    // The edit's arrow, pressed where it is drawn, scrolls a line.
    const RECT bar = BarBeside(edit, false, S(16));
    PlayMouse({MoveTo(ScreenOf(edit, bar.left + S(8), bar.bottom - S(8))), Down(), Up()});
    EXPECT_EQ(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
}

TEST_F(ScrollAtDpi, SizeBoxPictureFitsTheCornerAtTheScale) {
    RecordingDialog d(kDialog, 0, S(200), S(150));
    ASSERT_EQ(SetWindowSkin(d.hwnd(), L"scroll.dialog"), 1);
    HWND box = ::CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEBOX, S(100), S(60), S(40),
                                 S(40), d.hwnd(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(box);
    ASSERT_EQ(SetWindowSkin(box, L"scroll.bar"), 1);
    ::InvalidateRect(box, nullptr, TRUE);
    Pump(100);
    // The 12-pixel grip shows at its scaled size, flush with the corner.
    RECT client{};
    ::GetClientRect(box, &client);
    POINT corner{client.right, client.bottom};
    ::MapWindowPoints(box, d.hwnd(), &corner, 1);
    POINT origin{0, 0};
    ::ClientToScreen(d.hwnd(), &origin);
    RECT outer{};
    ::GetWindowRect(d.hwnd(), &outer);
    const int x = corner.x + origin.x - outer.left, y = corner.y + origin.y - outer.top;
    EXPECT_EQ(WindowPixel(d.hwnd(), x - S(12), y - S(12)), SizeBoxColor());
    EXPECT_EQ(WindowPixel(d.hwnd(), x - 1, y - 1), SizeBoxColor());
    EXPECT_NE(WindowPixel(d.hwnd(), x - S(12) - 1, y - 1), SizeBoxColor());
}
