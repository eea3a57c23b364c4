// Scroll bars in the control gallery under its test theme, with the real
// mouse: the scroll-bar controls, the multi-line edit, the rich edit's own
// bars and the dialog's own bar, each read from the screen by the test
// theme's cell colours.
#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gallery/gallery_fixture.h"
#include "skin/scroll_test_support.h"

using namespace gallery_test;
using scroll_test::BarBeside;
using scroll_test::Down;
using scroll_test::MoveTo;
using scroll_test::Pause;
using scroll_test::PlayMouse;
using scroll_test::ScreenOf;
using scroll_test::ScrollEvent;
using scroll_test::Up;
using scroll_test::WindowPixel;

namespace {

const std::string kSheet = "gallery.scrollbar.sheet.";

// What the test theme's table calls the screen colour at a point of the
// window (window coordinates).
std::string NameAt(HWND window, int x, int y) { return ThemeColours::Get().NameOf(WindowPixel(window, x, y)); }

// Scroll messages a window gets, recorded by a procedure put under the skin
// (as a program that subclasses a skinned window does).
struct Recorder {
    std::vector<ScrollEvent> events;
    std::vector<POINT> cursor;  // where the pointer was at each
    WNDPROC previous = nullptr;
    int Count(int code) const {
        int n = 0;
        for (const ScrollEvent& e : events) n += e.code == code;
        return n;
    }
};
Recorder g_dialog, g_rich;

template <Recorder* R>
LRESULT CALLBACK Record(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_HSCROLL || m == WM_VSCROLL) {
        R->events.push_back(ScrollEvent{m, LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)});
        POINT p{};
        ::GetCursorPos(&p);
        R->cursor.push_back(p);
    }
    return ::CallWindowProcW(R->previous, w, m, wp, lp);
}

template <Recorder* R>
void Listen(HWND window) {
    R->events.clear();
    R->cursor.clear();
    R->previous =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record<R>)));
}

void Resize(HWND window, int width, int height) {
    ::SetWindowPos(window, HWND_TOP, 0, 0, width, height, SWP_NOMOVE | SWP_NOACTIVATE);
    scroll_test::Pump(100);
}

// Moves a control to a client point of its dialog, on top of its siblings.
void Place(HWND window, int x, int y, int width, int height) {
    ::SetWindowPos(window, HWND_TOP, x, y, width, height, SWP_NOACTIVATE);
    scroll_test::Pump(100);
}

// Sizes a window so that its client area is `height` tall.
void ClientHeight(HWND window, int width, int height) {
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    Resize(window, width, height + (outer.bottom - outer.top) - client.bottom);
}

std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    return text;
}

class GalleryScroll : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gallery_.Ready());
        gallery_.MoveAway();
    }
    GalleryUnderTest gallery_;
};

}  // namespace

TEST_F(GalleryScroll, ScrollBarControlThumbSizesAndPlaces) {
    HWND bar = gallery_.Control(IDC_GALLERY_SCROLL_HORZ);
    ASSERT_TRUE(bar);
    // A control 132 x 16: a 100-pixel track between its arrows.
    Resize(bar, 132, 16);
    EXPECT_EQ(NameAt(bar, 4, 8), kSheet + "h.first.normal");
    EXPECT_EQ(NameAt(bar, 127, 8), kSheet + "h.second.normal");
    // One item of 1000 to a page: a 20-pixel thumb, never past offset 80.
    for (int position : {0, 500, 999}) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 999, 1, position, 0};
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
        scroll_test::Pump(30);
        const int offset = position == 0 ? 0 : position == 999 ? 80 : MulDiv(position, 80, 999);
        EXPECT_EQ(NameAt(bar, 16 + offset, 8), kSheet + "h.thumb.normal") << position;
        EXPECT_EQ(NameAt(bar, 16 + offset + 19, 8), kSheet + "h.thumb.normal") << position;
        if (offset < 80) EXPECT_EQ(NameAt(bar, 16 + offset + 20, 8), kSheet + "h.track") << position;
    }
    // Range 0 to 999 without a page: the thumb where MulDiv(position, 80, 999) puts it.
    SetScrollRange(bar, SB_CTL, 0, 999, FALSE);
    SCROLLINFO page0{sizeof page0, SIF_PAGE, 0, 0, 0, 0, 0};
    SetScrollInfo(bar, SB_CTL, &page0, FALSE);
    SetScrollPos(bar, SB_CTL, 250, TRUE);
    scroll_test::Pump(30);
    EXPECT_EQ(NameAt(bar, 16 + MulDiv(250, 80, 999), 8), kSheet + "h.thumb.normal");
    EXPECT_EQ(NameAt(bar, 16 + MulDiv(250, 80, 999) - 1, 8), kSheet + "h.track");
}

TEST_F(GalleryScroll, ScrollBarControlClicksDragsAndHover) {
    HWND bar = gallery_.Control(IDC_GALLERY_SCROLL_VERT);
    ASSERT_TRUE(bar);
    Place(bar, 10, 100, 16, 200);
    Listen<&g_dialog>(gallery_.Dialog());
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 99, 10, 0, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    scroll_test::Pump(30);
    // One click below the thumb, held: one page down, from the control.
    PlayMouse({MoveTo(ScreenOf(bar, 8, 150)), Down(600), Up()});
    ASSERT_EQ(g_dialog.events.size(), 1u);
    EXPECT_EQ(g_dialog.events[0].code, SB_PAGEDOWN);
    EXPECT_EQ(g_dialog.events[0].control, bar);
    // Hover shows on the part under the mouse only.
    PlayMouse({MoveTo(ScreenOf(bar, 8, 4)), Pause(100)});
    EXPECT_EQ(NameAt(bar, 8, 2), kSheet + "v.first.hover");
    EXPECT_EQ(NameAt(bar, 8, 198), kSheet + "v.second.normal");

    // Dragged to the bottom, with a trip more than 96 pixels to the side on
    // the way: the thumb stays while the pointer is away, and ends at the
    // last position (90).
    g_dialog.events.clear();
    g_dialog.cursor.clear();
    const LONG farX = ScreenOf(bar, 16 + 97, 0).x;
    PlayMouse({MoveTo(ScreenOf(bar, 8, 26)), Down(), MoveTo(ScreenOf(bar, 8, 70)), MoveTo(ScreenOf(bar, 16 + 120, 70)),
               MoveTo(ScreenOf(bar, 16 + 120, 160)), Pause(80), MoveTo(ScreenOf(bar, 8, 160)),
               MoveTo(ScreenOf(bar, 8, 260)), Up()});
    ASSERT_GE(g_dialog.events.size(), 3u);
    int last = -1;
    for (size_t i = 0; i + 2 < g_dialog.events.size(); ++i) {
        ASSERT_EQ(g_dialog.events[i].code, SB_THUMBTRACK);
        EXPECT_GT(g_dialog.events[i].position, last);
        EXPECT_LT(g_dialog.cursor[i].x, farX) << "the thumb moved with the pointer far off the bar";
        last = g_dialog.events[i].position;
    }
    EXPECT_EQ(last, 90);
    EXPECT_EQ(g_dialog.events[g_dialog.events.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(g_dialog.events[g_dialog.events.size() - 2].position, 90);
    EXPECT_EQ(g_dialog.events.back().code, SB_ENDSCROLL);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(GalleryScroll, MultiLineEditScrollsByThumbAndKeyboard) {
    HWND edit = gallery_.Control(IDC_GALLERY_EDIT_MULTI);
    ASSERT_TRUE(edit);
    Resize(edit, 220, 180);
    ::SetWindowTextW(edit, Lines(50).c_str());
    scroll_test::Pump(100);
    const RECT bar = BarBeside(edit);
    const int x = bar.left + 8;
    EXPECT_EQ(NameAt(edit, x, bar.top + 2), kSheet + "v.first.normal");
    EXPECT_EQ(NameAt(edit, x, bar.top + 18), kSheet + "v.thumb.normal");
    EXPECT_EQ(NameAt(edit, 0, 60), "gallery.edit.frame.normal");
    PlayMouse({MoveTo(ScreenOf(edit, x, bar.top + 20)), Down(), MoveTo(ScreenOf(edit, x, bar.top + 90)),
               MoveTo(ScreenOf(edit, x, bar.bottom + 40)), Up()});
    EXPECT_GT(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 30);
    EXPECT_EQ(NameAt(edit, x, bar.bottom - 18), kSheet + "v.thumb.normal");
    // The keyboard takes it back to the top; the bar follows.
    ::SetFocus(edit);
    for (int i = 0; i < 8; ++i) ::SendMessageW(edit, WM_KEYDOWN, VK_PRIOR, 0);
    scroll_test::Pump(50);
    EXPECT_EQ(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(NameAt(edit, x, bar.top + 18), kSheet + "v.thumb.normal");
    EXPECT_EQ(NameAt(edit, x, bar.bottom - 18), kSheet + "v.track");
    // Under the mouse the frame changes picture.
    PlayMouse({MoveTo(ScreenOf(edit, 40, 40)), Pause(150)});
    EXPECT_EQ(NameAt(edit, 0, 60), "gallery.edit.frame.over");
}

TEST_F(GalleryScroll, LeftScrollBarPutsBarAndCornerOnTheLeft) {
    HWND edit = gallery_.Control(IDC_GALLERY_EDIT_MULTI);
    ASSERT_TRUE(edit);
    ::SetWindowLongPtrW(edit, GWL_STYLE, ::GetWindowLongPtrW(edit, GWL_STYLE) | WS_HSCROLL);
    ::SetWindowLongPtrW(edit, GWL_EXSTYLE, ::GetWindowLongPtrW(edit, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    ::SetWindowPos(edit, nullptr, 0, 0, 220, 180, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ::SetWindowTextW(edit, Lines(50).c_str());
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 400, 100, 0, 0};
    SetScrollInfo(edit, SB_HORZ, &info, TRUE);
    scroll_test::Pump(100);
    const RECT bar = BarBeside(edit, true);
    EXPECT_EQ(NameAt(edit, bar.left + 8, bar.top + 2), kSheet + "v.first.normal");
    EXPECT_EQ(NameAt(edit, bar.left + 8, bar.bottom + 8), kSheet + "corner.left");
    EXPECT_EQ(NameAt(edit, bar.right + 4, bar.bottom + 8), kSheet + "h.first.normal");
}

TEST_F(GalleryScroll, RichEditBarsFromTheLayersRecord) {
    HWND rich = gallery_.Control(IDC_GALLERY_RICHEDIT);
    ASSERT_TRUE(rich);
    ClientHeight(rich, 220, 200);
    ::SetWindowTextW(rich, Lines(200).c_str());
    Listen<&g_rich>(rich);
    scroll_test::Pump(100);
    SCROLLINFO read{sizeof read, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(rich, SB_VERT, &read));
    EXPECT_GT(read.nMax, 0);
    EXPECT_GT(read.nPage, 0u);
    const RECT bar = BarBeside(rich);
    ASSERT_EQ(bar.bottom - bar.top, 200);
    const int x = bar.left + 8;
    // Range 0-99 with page 10 on the 200-pixel bar: a 168-pixel track and a
    // MulDiv(10, 168, 100) = 17-pixel thumb.
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 99, 10, 0, 0};
    SetScrollInfo(rich, SB_VERT, &info, TRUE);
    scroll_test::Pump(30);
    EXPECT_EQ(NameAt(rich, x, bar.top + 16), kSheet + "v.thumb.normal");
    EXPECT_EQ(NameAt(rich, x, bar.top + 16 + 16), kSheet + "v.thumb.normal");
    EXPECT_EQ(NameAt(rich, x, bar.top + 16 + 17), kSheet + "v.track");

    // The wheel: one line a notch.
    ::SendMessageW(rich, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    ASSERT_EQ(g_rich.events.size(), 1u);
    EXPECT_EQ(g_rich.events[0].code, SB_LINEDOWN);

    // Held on the down arrow: one at once, then every 50 ms after 400 ms,
    // until the release.
    g_rich.events.clear();
    PlayMouse({MoveTo(ScreenOf(rich, x, bar.bottom - 4)), Down(300)});
    EXPECT_EQ(g_rich.Count(SB_LINEDOWN), 1);
    PlayMouse({Pause(500), Up()});
    const int released = g_rich.Count(SB_LINEDOWN);
    EXPECT_GE(released, 5);
    PlayMouse({Pause(300)});
    EXPECT_EQ(g_rich.Count(SB_LINEDOWN), released);

    // Both arrows off: drawn disabled, deaf to the mouse.
    EXPECT_TRUE(EnableScrollBar(rich, SB_VERT, ESB_DISABLE_BOTH));
    scroll_test::Pump(30);
    EXPECT_EQ(NameAt(rich, x, bar.top + 2), kSheet + "v.first.disabled");
    EXPECT_EQ(NameAt(rich, x, bar.bottom - 2), kSheet + "v.second.disabled");
    g_rich.events.clear();
    PlayMouse({MoveTo(ScreenOf(rich, x, bar.bottom - 4)), Down(), Up()});
    EXPECT_TRUE(g_rich.events.empty());
    EXPECT_TRUE(EnableScrollBar(rich, SB_VERT, ESB_ENABLE_BOTH));
}

TEST_F(GalleryScroll, RichEditRepeatStopsWhenTheMouseIsLost) {
    HWND rich = gallery_.Control(IDC_GALLERY_RICHEDIT);
    Resize(rich, 220, 200);
    ::SetWindowTextW(rich, Lines(200).c_str());
    Listen<&g_rich>(rich);
    scroll_test::Pump(100);
    const RECT bar = BarBeside(rich);
    PlayMouse({MoveTo(ScreenOf(rich, bar.left + 8, bar.bottom - 4)), Down(600)});
    ASSERT_GE(g_rich.Count(SB_LINEDOWN), 2);
    HWND thief = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::SetCapture(thief);
    scroll_test::Pump(50);
    const int stopped = g_rich.Count(SB_LINEDOWN);
    PlayMouse({Pause(400)});
    EXPECT_EQ(g_rich.Count(SB_LINEDOWN), stopped);
    ::ReleaseCapture();
    PlayMouse({Up()});
    ::DestroyWindow(thief);
}

TEST_F(GalleryScroll, TheDialogShowsTheBarTheApplicationSet) {
    HWND dialog = gallery_.Dialog();
    ::SetWindowLongPtrW(dialog, GWL_STYLE, ::GetWindowLongPtrW(dialog, GWL_STYLE) | WS_VSCROLL);
    ::SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 50, 0};
    EXPECT_EQ(SetScrollInfo(dialog, SB_VERT, &info, TRUE), 50);
    scroll_test::Pump(100);
    const RECT bar = BarBeside(dialog);
    const int length = bar.bottom - bar.top - 32;
    const int thumb = std::max(20, MulDiv(9, length, 100));
    const int offset = thumb == 20 ? std::min(length - 20, MulDiv(50, length - 20 + MulDiv(9, length, 100), 100))
                                   : MulDiv(50, length, 100);
    EXPECT_EQ(NameAt(dialog, bar.left + 8, bar.top + 2), kSheet + "v.first.normal");
    EXPECT_EQ(NameAt(dialog, bar.left + 8, bar.top + 16 + offset + thumb / 2), kSheet + "v.thumb.normal");
    EXPECT_EQ(NameAt(dialog, bar.left + 8, bar.top + 16 + offset - 2), kSheet + "v.track");
    SCROLLINFO read{sizeof read, SIF_POS, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(dialog, SB_VERT, &read));
    EXPECT_EQ(read.nPos, 50);
}
