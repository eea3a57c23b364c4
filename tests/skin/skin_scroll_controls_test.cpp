// Skinned scroll bars of controls under Wine, with real mouse input: the
// "ScrollBar" control, the multi-line edit, the rich edit's own layer and
// the MDI client.
#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include <memory>
#include <string>

#include "skin/scroll_test_support.h"
#include "skin/windows/controls/skin_richedit_scroll_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

using namespace scroll_test;

namespace {

constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

POINT ClientScreen(HWND w, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(w, &p);
    return p;
}

uint32_t ClientPixel(HWND w, int x, int y) {
    POINT p = ClientScreen(w, x, y);
    RECT window{};
    ::GetWindowRect(w, &window);
    return WindowPixel(w, p.x - window.left, p.y - window.top);
}

// A client pixel once it shows `expected` (see WindowPixelOnceItIs).
uint32_t ClientPixelOnceItIs(HWND w, int x, int y, uint32_t expected) {
    POINT p = ClientScreen(w, x, y);
    RECT window{};
    ::GetWindowRect(w, &window);
    return scroll_test::WindowPixelOnceItIs(w, p.x - window.left, p.y - window.top, expected);
}

std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    return text;
}

class ScrollControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadScrollTheme());
        PlayMouse({MoveTo(POINT{5, ::GetSystemMetrics(SM_CYSCREEN) - 5})});
        dialog_ = std::make_unique<RecordingDialog>(kDialog, 0, 360, 260);
        ASSERT_TRUE(dialog_->hwnd());
        ASSERT_EQ(SetWindowSkin(dialog_->hwnd(), L"scroll.dialog"), 1);
        Pump(50);
    }
    HWND Child(const wchar_t* cls, DWORD style, int x, int y, int w, int h, const wchar_t* text = L"",
               DWORD exStyle = 0) {
        return ::CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog_->hwnd(),
                                 nullptr, nullptr, nullptr);
    }
    std::unique_ptr<RecordingDialog> dialog_;
};

}  // namespace

// ----- the "ScrollBar" control -----

TEST_F(ScrollControls, ScrollBarControlThumbClicksAndDrag) {
    HWND bar = Child(L"ScrollBar", SBS_HORZ, 20, 20, 132, 16);
    ASSERT_EQ(SetWindowSkin(bar, L"scroll.bar"), 1);
    SetScrollRange(bar, SB_CTL, 0, 999, TRUE);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 500, TRUE), 0);
    Pump(50);
    SaveWindowPng(dialog_->hwnd(), "scroll_bar_control");
    // A 100-pixel track and a 20-pixel thumb at MulDiv(500, 80, 999) = 40.
    EXPECT_EQ(ClientPixel(bar, 5, 8), CellColor(kFirstArrow, 1));
    EXPECT_EQ(ClientPixel(bar, 16 + 39, 8), CellColor(kTrack, 1));
    EXPECT_EQ(ClientPixel(bar, 16 + 40, 8), CellColor(kThumb, 1));
    EXPECT_EQ(ClientPixel(bar, 16 + 59, 8), CellColor(kThumb, 1));
    EXPECT_EQ(ClientPixel(bar, 16 + 60, 8), CellColor(kTrack, 1));
    EXPECT_EQ(ClientPixel(bar, 130, 8), CellColor(kSecondArrow, 1));
    // The control's own messages read and set the same bar.
    EXPECT_EQ(::SendMessageW(bar, SBM_GETPOS, 0, 0), 500);
    ::SendMessageW(bar, SBM_SETPOS, 0, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    Pump(30);
    EXPECT_EQ(ClientPixel(bar, 20, 8), CellColor(kThumb, 1));

    // One click right of the thumb: one page to the parent, with the control.
    PlayMouse({MoveTo(ClientScreen(bar, 100, 8)), Down(500), Up()});
    ASSERT_EQ(dialog_->events.size(), 1u);
    EXPECT_EQ(dialog_->events[0].message, static_cast<UINT>(WM_HSCROLL));
    EXPECT_EQ(dialog_->events[0].code, SB_PAGEDOWN);
    EXPECT_EQ(dialog_->events[0].control, bar);

    // Dragged to the end: never past the maximum without a page.
    dialog_->events.clear();
    PlayMouse({MoveTo(ClientScreen(bar, 25, 8)), Down(), MoveTo(ClientScreen(bar, 70, 9)),
               MoveTo(ClientScreen(bar, 120, 9)), MoveTo(ClientScreen(bar, 180, 9)), Up()});
    ASSERT_GE(dialog_->events.size(), 3u);
    EXPECT_EQ(dialog_->events[dialog_->events.size() - 3].position, 999);
    EXPECT_EQ(dialog_->events[dialog_->events.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(dialog_->events[dialog_->events.size() - 2].position, 999);
    EXPECT_EQ(dialog_->events.back().code, SB_ENDSCROLL);

    // A disabled control shows no thumb and takes no click.
    ::EnableWindow(bar, FALSE);
    EXPECT_EQ(ClientPixelOnceItIs(bar, 100, 8, CellColor(kTrack, 1)), CellColor(kTrack, 1));
    dialog_->events.clear();
    PlayMouse({MoveTo(ClientScreen(bar, 5, 8)), Down(), Up()});
    EXPECT_TRUE(dialog_->events.empty());
}

TEST_F(ScrollControls, AFocusedScrollBarControlKeepsItsLook) {
    // Focus and keys reach a scroll bar that is a tab stop: its keys still
    // scroll, its thumb shows hot while it has the focus, and the system's
    // blinking focus thumb (placed by the system's own, stale idea of the
    // bar) never shows over the skin's.
    HWND bar = Child(L"ScrollBar", SBS_HORZ | WS_TABSTOP, 20, 20, 132, 16);
    ASSERT_EQ(SetWindowSkin(bar, L"scroll.bar"), 1);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 999, 1, 500, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    ::SetFocus(bar);
    ASSERT_EQ(::GetFocus(), bar);
    for (int i = 0; i < 14; ++i) {
        Pump(100);
        ASSERT_EQ(ClientPixel(bar, 16 + 10, 8), CellColor(kTrack, 1)) << i;
        ASSERT_EQ(ClientPixel(bar, 16 + 50, 8), CellColor(kThumb + 1, 1)) << i;
    }
    ::SendMessageW(bar, WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_EQ(dialog_->events.size(), 1u);
    EXPECT_EQ(dialog_->events[0].code, SB_LINEDOWN);
    HWND other = Child(L"Edit", WS_TABSTOP, 20, 60, 100, 20);
    ::SetFocus(other);
    Pump(50);
    EXPECT_EQ(ClientPixel(bar, 16 + 10, 8), CellColor(kTrack, 1));
    EXPECT_EQ(ClientPixel(bar, 16 + 50, 8), CellColor(kThumb, 1));
    // A click takes the focus back, as the system's bar does.
    PlayMouse({MoveTo(ClientScreen(bar, 5, 8)), Down(), Up()});
    EXPECT_EQ(::GetFocus(), bar);
}

TEST_F(ScrollControls, SizeBoxShowsItsPicture) {
    HWND box = Child(L"ScrollBar", SBS_SIZEBOX, 200, 150, 30, 30);
    ASSERT_EQ(SetWindowSkin(box, L"scroll.bar"), 1);
    ::InvalidateRect(box, nullptr, TRUE);
    Pump(100);
    RECT client{};
    ::GetClientRect(box, &client);
    EXPECT_EQ(ClientPixel(box, client.right - 2, client.bottom - 2), SizeBoxColor());
    EXPECT_EQ(ClientPixel(box, 1, 1), BackColor());  // the parent's skinned background
}

// ----- the edit -----

TEST_F(ScrollControls, MultiLineEditScrollsByThumbAndKeyboard) {
    HWND edit = Child(L"Edit", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 20, 20, 200, 180, Lines(50).c_str(),
                      WS_EX_CLIENTEDGE);
    ASSERT_EQ(SetWindowSkin(edit, L"scroll.edit"), 1);
    Pump(100);
    SaveWindowPng(dialog_->hwnd(), "scroll_edit");
    const RECT bar = BarBeside(edit);
    const int x = bar.left + 8;
    EXPECT_EQ(WindowPixel(edit, x, bar.top + 2), CellColor(kFirstArrow, 0));
    EXPECT_EQ(WindowPixel(edit, x, bar.top + 18), CellColor(kThumb, 0));
    // Its frame is the skin's picture; the text sits on the skin's colour.
    EXPECT_EQ(WindowPixel(edit, 0, 40), FrameNormalColor());
    EXPECT_EQ(ClientPixel(edit, 150, 5), EditBackColor());

    // The thumb dragged to the bottom shows the last lines.
    PlayMouse({MoveTo(ScreenOf(edit, x, bar.top + 20)), Down(), MoveTo(ScreenOf(edit, x, bar.top + 80)),
               MoveTo(ScreenOf(edit, x, bar.bottom + 30)), Up()});
    const LRESULT first = ::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 30);
    EXPECT_EQ(WindowPixel(edit, x, bar.bottom - 17), CellColor(kThumb, 0));
    // The keyboard moves the text, and the bar follows.
    ::SetFocus(edit);
    ::SendMessageW(edit, WM_KEYDOWN, VK_PRIOR, 0);
    for (int i = 0; i < 10; ++i) ::SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
    ::SendMessageW(edit, EM_SCROLL, SB_PAGEUP, 0);
    ::SendMessageW(edit, EM_LINESCROLL, 0, -100);
    Pump(50);
    EXPECT_EQ(::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 0);
    EXPECT_EQ(WindowPixel(edit, x, bar.top + 18), CellColor(kThumb, 0));
    ::DestroyWindow(edit);
}

TEST_F(ScrollControls, EditFrameFollowsTheMouse) {
    HWND edit = Child(L"Edit", 0, 20, 20, 200, 24, L"text", WS_EX_CLIENTEDGE);
    ASSERT_EQ(SetWindowSkin(edit, L"scroll.edit"), 1);
    Pump(50);
    EXPECT_EQ(WindowPixel(edit, 0, 10), FrameNormalColor());
    PlayMouse({MoveTo(ClientScreen(edit, 50, 8)), Pause(150)});
    EXPECT_EQ(WindowPixelOnceItIs(edit, 0, 10, FrameOverColor()), FrameOverColor());
    PlayMouse({MoveTo(POINT{5, ::GetSystemMetrics(SM_CYSCREEN) - 5}), Pause(300)});
    EXPECT_EQ(WindowPixelOnceItIs(edit, 0, 10, FrameNormalColor()), FrameNormalColor());
    // Without frame pictures: a one-pixel line of the border colour.
    HWND plain = Child(L"Edit", 0, 20, 60, 200, 24, L"text", WS_EX_CLIENTEDGE);
    ASSERT_EQ(SetWindowSkin(plain, L"scroll.edit.plain"), 1);
    Pump(50);
    EXPECT_EQ(WindowPixel(plain, 0, 10), 0x0000FFu);
    EXPECT_EQ(WindowPixel(plain, 1, 10), 0xFFFFFFu);
}

namespace {

WNDPROC g_editBeneath = nullptr;

// A program's edit procedure that closes the dialog on Enter.
LRESULT CALLBACK ClosesOnEnter(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_KEYDOWN && wp == VK_RETURN) {
        ::DestroyWindow(::GetParent(w));
        return 0;
    }
    return ::CallWindowProcW(g_editBeneath, w, m, wp, lp);
}

}  // namespace

TEST_F(ScrollControls, ProgramsMayCloseTheWindowFromItsMessages) {
    // Beneath the skin, the program closes the dialog from the edit's key:
    // the skin's handler must not touch the edit's skin afterwards.
    HWND edit = Child(L"Edit", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 20, 20, 200, 100, Lines(20).c_str());
    ASSERT_EQ(SetWindowSkin(edit, L"scroll.edit"), 1);
    g_editBeneath =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosesOnEnter)));
    Pump(30);
    HWND dialog = dialog_->hwnd();
    ::SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(::IsWindow(edit));
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(::IsWindow(edit));
    EXPECT_FALSE(::IsWindow(dialog));

    // A dialog with a bar that closes itself on a scroll message.
    RecordingDialog other(kDialog | WS_VSCROLL, 0, 200, 150);
    HWND closing = other.hwnd();
    ASSERT_EQ(SetWindowSkin(closing, L"scroll.dialog"), 1);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 0, 0};
    SetScrollInfo(closing, SB_VERT, &info, TRUE);
    other.onScroll = [&](const ScrollEvent&) { ::DestroyWindow(closing); };
    ::SendMessageW(closing, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(::IsWindow(closing));
    EXPECT_EQ(other.Count(SB_LINEDOWN), 1);
}

TEST_F(ScrollControls, ATransparentEditShowsTheDialogBehindItsText) {
    HWND clear = Child(L"Edit", 0, 20, 20, 200, 24, L"", WS_EX_CLIENTEDGE);
    HWND opaque = Child(L"Edit", 0, 20, 60, 200, 24, L"", WS_EX_CLIENTEDGE);
    ASSERT_EQ(SetWindowSkin(clear, L"scroll.edit.clear"), 1);
    ASSERT_EQ(SetWindowSkin(opaque, L"scroll.edit"), 1);
    ::InvalidateRect(dialog_->hwnd(), nullptr, TRUE);
    Pump(100);
    EXPECT_EQ(ClientPixel(clear, 100, 10), BackColor());
    EXPECT_EQ(ClientPixel(opaque, 100, 10), EditBackColor());
    // Typed and erased, the text leaves the picture as it was.
    ::SetWindowTextW(clear, L"some text");
    ::SetWindowTextW(clear, L"");
    Pump(100);
    EXPECT_EQ(ClientPixel(clear, 10, 10), BackColor());
}

// ----- the rich edit's layer -----

namespace {

// A procedure a program puts under the skin after skinning: it sees what
// the layer sends the control.
std::vector<ScrollEvent>* g_richEvents = nullptr;
WNDPROC g_richUnder = nullptr;
LRESULT CALLBACK RichSpy(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (g_richEvents && (m == WM_VSCROLL || m == WM_HSCROLL))
        g_richEvents->push_back(ScrollEvent{m, LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)});
    return ::CallWindowProcW(g_richUnder, w, m, wp, lp);
}

class RichEditBars : public ScrollControls {
protected:
    void SetUp() override {
        ScrollControls::SetUp();
        ASSERT_TRUE(::LoadLibraryW(L"riched20.dll"));
        rich_ = Child(L"RichEdit20W", ES_MULTILINE | WS_VSCROLL | WS_BORDER, 20, 20, 220, 200, Lines(200).c_str());
        ASSERT_TRUE(rich_);
        ASSERT_EQ(SetWindowSkin(rich_, L"scroll.rich"), 1);
        g_richEvents = &events_;
        g_richUnder =
            reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(rich_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RichSpy)));
        Pump(100);
        bar_ = BarBeside(rich_);
    }
    void TearDown() override {
        if (::IsWindow(rich_)) ::DestroyWindow(rich_);
        g_richEvents = nullptr;
    }
    int Count(int code) const {
        int n = 0;
        for (const ScrollEvent& e : events_) n += e.code == code;
        return n;
    }
    HWND rich_ = nullptr;
    RECT bar_{};
    std::vector<ScrollEvent> events_;
};

}  // namespace

TEST_F(RichEditBars, AnswersFromItsRecordAndDrawsIt) {
    SaveWindowPng(dialog_->hwnd(), "scroll_richedit");
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(rich_, SB_VERT, &info));
    EXPECT_GT(info.nMax, 0);
    EXPECT_GT(info.nPage, 0u);
    EXPECT_EQ(info.nPos, 0);
    const int x = bar_.left + 8;
    EXPECT_EQ(bar_.right - bar_.left, 16);
    EXPECT_EQ(WindowPixel(rich_, x, bar_.top + 2), CellColor(kFirstArrow, 0));
    EXPECT_EQ(WindowPixel(rich_, x, bar_.top + 17), CellColor(kThumb, 0));
    // Scrolled by the program, the control tells the layer, not the system.
    SCROLLINFO system{sizeof system, SIF_ALL, 0, 0, 0, 0, 0};
    skin_unhooked::GetScrollInfo(rich_, SB_VERT, &system);
    ::SendMessageW(rich_, WM_VSCROLL, SB_PAGEDOWN, 0);
    ::SendMessageW(rich_, WM_VSCROLL, SB_PAGEDOWN, 0);
    Pump(50);
    ASSERT_TRUE(GetScrollInfo(rich_, SB_VERT, &info));
    EXPECT_GT(info.nPos, 0);
    SCROLLINFO after{sizeof after, SIF_ALL, 0, 0, 0, 0, 0};
    skin_unhooked::GetScrollInfo(rich_, SB_VERT, &after);
    EXPECT_EQ(after.nPos, system.nPos);
    EXPECT_EQ(WindowPixel(rich_, x, bar_.top + 17), CellColor(kTrack, 0));
}

TEST_F(RichEditBars, TheWheelIsOneLineANotch) {
    ::SendMessageW(rich_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    ASSERT_EQ(events_.size(), 1u);
    EXPECT_EQ(events_[0].message, static_cast<UINT>(WM_VSCROLL));
    EXPECT_EQ(events_[0].code, SB_LINEDOWN);
    ::SendMessageW(rich_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    ASSERT_EQ(events_.size(), 2u);
    EXPECT_EQ(events_[1].code, SB_LINEUP);
}

TEST_F(RichEditBars, AHeldArrowRepeatsUntilReleased) {
    const POINT arrow = ScreenOf(rich_, bar_.left + 8, bar_.bottom - 4);
    PlayMouse({MoveTo(arrow), Down(300)});
    // One at the press; the repeat waits 400 ms.
    EXPECT_EQ(Count(SB_LINEDOWN), 1);
    PlayMouse({Pause(500)});
    const int held = Count(SB_LINEDOWN);
    // About every 50 ms after 400 ms: it repeats, never faster (a busy
    // machine delays timer ticks, so only a repeat is asked for).
    EXPECT_GE(held, 2);
    EXPECT_LE(held, 14);
    PlayMouse({Up()});
    const int released = Count(SB_LINEDOWN);
    EXPECT_EQ(Count(SB_ENDSCROLL), 1);
    PlayMouse({Pause(300)});
    EXPECT_EQ(Count(SB_LINEDOWN), released);
}

TEST_F(RichEditBars, LosingTheMouseStopsTheRepeat) {
    const POINT arrow = ScreenOf(rich_, bar_.left + 8, bar_.bottom - 4);
    PlayMouse({MoveTo(arrow), Down(600)});
    ASSERT_GE(Count(SB_LINEDOWN), 2);
    HWND thief = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::SetCapture(thief);
    Pump(50);
    const int stopped = Count(SB_LINEDOWN);
    PlayMouse({Pause(400)});
    EXPECT_EQ(Count(SB_LINEDOWN), stopped) << "the press went on paging after the capture was lost";
    ::ReleaseCapture();
    PlayMouse({Up()});
    ::DestroyWindow(thief);
}

TEST_F(RichEditBars, DisabledArrowsDrawDisabledAndIgnoreTheMouse) {
    EXPECT_TRUE(EnableScrollBar(rich_, SB_VERT, ESB_DISABLE_BOTH));
    Pump(50);
    const int x = bar_.left + 8;
    EXPECT_EQ(WindowPixel(rich_, x, bar_.top + 2), CellColor(kFirstArrow + 3, 0));
    EXPECT_EQ(WindowPixel(rich_, x, bar_.bottom - 2), CellColor(kSecondArrow + 3, 0));
    PlayMouse({MoveTo(ScreenOf(rich_, x, bar_.bottom - 4)), Down(), Up()});
    EXPECT_TRUE(events_.empty());
    // ESB_ENABLE_BOTH clears the flags.
    EXPECT_TRUE(EnableScrollBar(rich_, SB_VERT, ESB_ENABLE_BOTH));
    Pump(50);
    EXPECT_EQ(WindowPixel(rich_, x, bar_.top + 2), CellColor(kFirstArrow, 0));
    PlayMouse({MoveTo(ScreenOf(rich_, x, bar_.bottom - 4)), Down(), Up()});
    EXPECT_EQ(Count(SB_LINEDOWN), 1);
}

namespace {

int g_aboveSeen = 0;
WNDPROC g_aboveUnder = nullptr;
LRESULT CALLBACK AboveLayer(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_USER + 9) ++g_aboveSeen;
    return ::CallWindowProcW(g_aboveUnder, w, m, wp, lp);
}

}  // namespace

TEST_F(RichEditBars, SwitchedOffBeneathAnotherProcedureItPassesThrough) {
    // A procedure put on top past the hooks (as a library that subclasses
    // through its own means would).
    g_aboveUnder = reinterpret_cast<WNDPROC>(
        skin_unhooked::SetWindowLongPtrW(rich_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboveLayer)));
    SkinRichEditScrollOff(rich_);
    g_aboveSeen = 0;
    ::SendMessageW(rich_, WM_USER + 9, 0, 0);
    EXPECT_EQ(g_aboveSeen, 1) << "the layer cut the procedure above it out of the chain";
    EXPECT_EQ(skin_unhooked::GetWindowLongPtrW(rich_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AboveLayer));
    // The control goes on working and goes away cleanly.
    ::SendMessageW(rich_, WM_VSCROLL, SB_PAGEDOWN, 0);
    Pump(50);
    ::DestroyWindow(rich_);
    Pump(20);
}

// ----- the MDI client -----

LRESULT CALLBACK MdiChildProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return ::DefMDIChildProcW(w, m, wp, lp); }

TEST(ScrollMdiClient, HasLiveSkinnedBars) {
    ASSERT_TRUE(LoadScrollTheme());
    WNDCLASSW cls{};
    cls.lpfnWndProc = &MdiChildProc;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.lpszClassName = L"ScrollTestMdiChild";
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&cls);
    RecordingDialog frame(kDialog, 0, 400, 300);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 50000;
    HWND client = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDIClient", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 10, 10, 300, 220,
                                    frame.hwnd(), nullptr, nullptr, &ccs);
    ASSERT_TRUE(client);
    ASSERT_EQ(SetWindowSkin(client, L"scroll.mdi"), 1);
    // A child far below the client's bottom gives it something to scroll.
    MDICREATESTRUCTW mcs{};
    mcs.szClass = L"ScrollTestMdiChild";
    mcs.szTitle = L"child";
    mcs.x = 20;
    mcs.y = 600;
    mcs.cx = 120;
    mcs.cy = 80;
    HWND child = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    (void)child;
    ::SendMessageW(client, WM_MDIICONARRANGE, 0, 0);
    Pump(200);
    SaveWindowPng(frame.hwnd(), "scroll_mdi");
    int low = 0, high = 0;
    GetScrollRange(client, SB_VERT, &low, &high);
    ASSERT_GT(high, low) << "the MDI client has nothing to scroll";
    const RECT bar = BarBeside(client);
    EXPECT_EQ(WindowPixel(client, bar.left + 8, bar.top + 2), CellColor(kFirstArrow, 0));
    const int before = GetScrollPos(client, SB_VERT);
    PlayMouse({MoveTo(ScreenOf(client, bar.left + 8, bar.bottom - 4)), Down(), Up()});
    EXPECT_GT(GetScrollPos(client, SB_VERT), before) << "the arrow did not scroll the MDI client";
}
