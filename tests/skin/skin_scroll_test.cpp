// Skinned scroll bars of frames under Wine, with real mouse input: what the
// application sets is what the bar shows, presses and drags send the
// scroll messages a program expects, and the bar survives what users and
// programs do to it (covering, leaving, destroying the window mid-drag).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <memory>
#include <thread>

#include "skin/scroll_test_support.h"
#include "skin/spy_graphics.h"
#include "skin/windows/controls/skin_scroller_win32.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

using namespace scroll_test;

namespace {

constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

class ScrollFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadScrollTheme());
        MoveAway();
    }
    void MoveAway() { PlayMouse({MoveTo(POINT{5, ::GetSystemMetrics(SM_CYSCREEN) - 5})}); }
    // A skinned dialog 300 x 200 (client) with a vertical bar of range 0 to
    // 100, page 10, at `position`.
    std::unique_ptr<RecordingDialog> Dialog(int position, DWORD exStyle = 0) {
        auto d = std::make_unique<RecordingDialog>(kDialog | WS_VSCROLL, exStyle, 300, 200);
        EXPECT_EQ(SetWindowSkin(d->hwnd(), L"scroll.dialog"), 1);
        Pump(50);
        SetClientSize(d->hwnd(), 300, 200);
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, position, 0};
        EXPECT_EQ(SetScrollInfo(d->hwnd(), SB_VERT, &info, TRUE), position);
        Pump(100);
        return d;
    }
};

}  // namespace

TEST_F(ScrollFrame, ShowsTheBarTheApplicationSet) {
    auto d = Dialog(50);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    ASSERT_EQ(bar.bottom - bar.top, 200);
    SaveWindowPng(w, "scroll_frame");
    // Range 0-100 with page 10 on a 168-pixel track: the share is 15
    // pixels, raised to 20; at position 50 the thumb starts 82 pixels down.
    const int x = bar.left + 8;
    EXPECT_EQ(WindowPixel(w, x, bar.top + 2), CellColor(kFirstArrow, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.bottom - 2), CellColor(kSecondArrow, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + 16 + 81), CellColor(kTrack, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + 16 + 82), CellColor(kThumb, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + 16 + 101), CellColor(kThumb, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + 16 + 102), CellColor(kTrack, 0));
    // What the program reads back is what is drawn.
    SCROLLINFO read{sizeof read, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &read));
    EXPECT_EQ(read.nPos, 50);
    EXPECT_EQ(read.nPage, 10u);
    // A new position moves the thumb at once.
    EXPECT_EQ(SetScrollPos(w, SB_VERT, 0, TRUE), 50);
    Pump(50);
    EXPECT_EQ(WindowPixel(w, x, bar.top + 16), CellColor(kThumb, 0));
    EXPECT_EQ(WindowPixel(w, x, bar.top + 16 + 82), CellColor(kTrack, 0));
}

TEST_F(ScrollFrame, OneClickOnTheTrackIsOnePageDown) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    // Pressed and held for a while: still one message.
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 150)), Down(700), Up()});
    EXPECT_EQ(d->Count(SB_PAGEDOWN), 1);
    EXPECT_EQ(d->events.size(), 1u);
    for (const ScrollEvent& e : d->events) EXPECT_EQ(e.message, static_cast<UINT>(WM_VSCROLL));
    // The arrows send lines.
    d->events.clear();
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.bottom - 4)), Down(), Up()});
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 4)), Down(), Up()});
    ASSERT_EQ(d->events.size(), 2u);
    EXPECT_EQ(d->events[0].code, SB_LINEDOWN);
    EXPECT_EQ(d->events[1].code, SB_LINEUP);
}

TEST_F(ScrollFrame, DraggingTheThumbToTheEndStopsAtTheLastPosition) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    // The dialog scrolls as a program does: to where the thumb is.
    d->onScroll = [&](const ScrollEvent& e) {
        if (e.code == SB_THUMBTRACK) SetScrollPos(w, SB_VERT, e.position, TRUE);
    };
    const RECT bar = BarBeside(w);
    const int x = bar.left + 8;
    std::vector<MouseStep> steps = {MoveTo(ScreenOf(w, x, bar.top + 26)), Down()};
    for (int y = bar.top + 30; y < bar.bottom + 80; y += 9) steps.push_back(MoveTo(ScreenOf(w, x, y)));
    steps.push_back(Up());
    PlayMouse(steps);
    ASSERT_GE(d->events.size(), 3u);
    int last = -1;
    for (size_t i = 0; i + 2 < d->events.size(); ++i) {
        EXPECT_EQ(d->events[i].code, SB_THUMBTRACK) << i;
        EXPECT_GT(d->events[i].position, last);
        last = d->events[i].position;
    }
    // Range 0-100 with page 10: the last position is 91, never beyond.
    EXPECT_EQ(last, 91);
    const ScrollEvent& position = d->events[d->events.size() - 2];
    EXPECT_EQ(position.code, SB_THUMBPOSITION);
    EXPECT_EQ(position.position, 91);
    EXPECT_EQ(d->events.back().code, SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 91);
    EXPECT_EQ(WindowPixel(w, x, bar.bottom - 17), CellColor(kThumb, 0));
}

TEST_F(ScrollFrame, LeftScrollBarPutsTheBarAndCornerOnTheLeft) {
    auto d = std::make_unique<RecordingDialog>(kDialog | WS_VSCROLL | WS_HSCROLL, WS_EX_LEFTSCROLLBAR, 300, 200);
    HWND w = d->hwnd();
    ASSERT_EQ(SetWindowSkin(w, L"scroll.dialog"), 1);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 0, 0};
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    SetScrollInfo(w, SB_HORZ, &info, TRUE);
    Pump(100);
    SaveWindowPng(w, "scroll_frame_left");
    const RECT bar = BarBeside(w, true);
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.top + 2), CellColor(kFirstArrow, 0));
    // The corner below it, from the cell at x 16 to 32.
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.bottom + 8), CellColor(1, 2));
    // The horizontal bar starts right of the corner.
    EXPECT_EQ(WindowPixel(w, bar.right + 2, bar.bottom + 8), CellColor(kFirstArrow, 1));
}

TEST_F(ScrollFrame, ADragFarToTheSideFreezesTheThumbUntilThePointerComesBack) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    const int x = bar.left + 8;
    // Where the pointer was when each scroll message came.
    std::vector<POINT> at;
    d->onScroll = [&](const ScrollEvent&) {
        POINT p{};
        ::GetCursorPos(&p);
        at.push_back(p);
    };
    const LONG farX = ScreenOf(w, bar.right + 100, 0).x;
    // The drag holds the thread in its loop: one script from press to release.
    PlayMouse({MoveTo(ScreenOf(w, x, bar.top + 26)), Down(), MoveTo(ScreenOf(w, x, bar.top + 60)),
               // More than 96 pixels to the side: nothing moves.
               MoveTo(ScreenOf(w, bar.right + 100, bar.top + 60)), MoveTo(ScreenOf(w, bar.right + 100, bar.top + 150)),
               MoveTo(ScreenOf(w, bar.right + 100, bar.top + 120)), Pause(100),
               // Back over the bar the thumb is under the pointer again.
               MoveTo(ScreenOf(w, x, bar.top + 150)), Up()});
    ASSERT_EQ(at.size(), d->events.size());
    int before = -1, after = -1;
    for (size_t i = 0; i < at.size(); ++i) {
        if (d->events[i].code != SB_THUMBTRACK) continue;
        EXPECT_LT(at[i].x, farX) << "the thumb moved with the pointer far off the bar";
        if (at[i].y < ScreenOf(w, 0, bar.top + 100).y)
            before = d->events[i].position;
        else
            after = d->events[i].position;
    }
    EXPECT_GT(before, 0);
    EXPECT_GT(after, before);
    EXPECT_EQ(d->events.back().code, SB_ENDSCROLL);
}

TEST_F(ScrollFrame, HoverEndsWhenTheMouseLeavesFromTheBar) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.bottom - 5)), Pause(100)});
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.bottom - 2), CellColor(kSecondArrow + 1, 0));
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.top + 2), CellColor(kFirstArrow, 0));
    // Straight out of the window from the arrow: no move reaches the window
    // any more, only the leave.
    PlayMouse({MoveTo(ScreenOf(w, bar.right + 200, bar.bottom + 200))});
    bool normal = false;
    for (int i = 0; i < 60 && !normal; ++i) {
        Pump(50);
        normal = WindowPixel(w, bar.left + 8, bar.bottom - 2) == CellColor(kSecondArrow, 0);
    }
    EXPECT_TRUE(normal) << "the arrow stayed hot";
}

TEST_F(ScrollFrame, AnUncoveredBarIsPaintedAgain) {
    auto d = Dialog(50);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    const POINT at = ScreenOf(w, bar.left - 40, bar.top - 20);
    HWND cover = ::CreateWindowExW(WS_EX_TOPMOST, L"Static", L"", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, at.x, at.y, 120,
                                   260, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(cover);
    Pump(100);
    ::DestroyWindow(cover);
    Pump(200);
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.top + 2), CellColor(kFirstArrow, 0));
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.top + 16 + 90), CellColor(kThumb, 0));
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.bottom - 2), CellColor(kSecondArrow, 0));
}

TEST_F(ScrollFrame, DestroyingTheWindowDuringADragIsSafe) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    d->onScroll = [&](const ScrollEvent& e) {
        if (e.code == SB_THUMBTRACK && ::IsWindow(w)) ::DestroyWindow(w);
    };
    const RECT bar = BarBeside(w);
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 26)), Down(), MoveTo(ScreenOf(w, bar.left + 8, bar.top + 90)),
               MoveTo(ScreenOf(w, bar.left + 8, bar.top + 120)), Up()});
    EXPECT_FALSE(::IsWindow(w));
    EXPECT_EQ(d->Count(SB_THUMBTRACK), 1);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ScrollFrame, ADragReleasedOutsideTheWindowEnds) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 26)), Down(), MoveTo(ScreenOf(w, bar.left + 8, bar.top + 80)),
               MoveTo(ScreenOf(w, bar.left + 8, bar.bottom + 150)), Up()});
    ASSERT_GE(d->events.size(), 2u);
    EXPECT_EQ(d->events.back().code, SB_ENDSCROLL);
    EXPECT_EQ(d->events[d->events.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(::GetCapture(), nullptr);
    // The bar takes presses again.
    d->events.clear();
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 4)), Down(), Up()});
    EXPECT_EQ(d->Count(SB_LINEUP), 1);
}

TEST_F(ScrollFrame, LosingTheMouseEndsADrag) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    HWND thief = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    d->onScroll = [&](const ScrollEvent& e) {
        if (e.code == SB_THUMBTRACK && ::GetCapture() == w) ::SetCapture(thief);
    };
    const RECT bar = BarBeside(w);
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 26)), Down(), MoveTo(ScreenOf(w, bar.left + 8, bar.top + 90)),
               Pause(100)});
    // The drag ended without the release.
    ASSERT_GE(d->events.size(), 3u);
    EXPECT_EQ(d->events.back().code, SB_ENDSCROLL);
    const size_t ended = d->events.size();
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 150)), Up()});
    EXPECT_EQ(d->events.size(), ended);
    ::ReleaseCapture();
    ::DestroyWindow(thief);
}

// Writes down the threads that make canvases.
class ThreadSpy : public SpyGraphics {
public:
    std::unique_ptr<ISkinCanvas> CreateDcCanvas(HDC dc) override {
        Note();
        return SpyGraphics::CreateDcCanvas(dc);
    }
    std::unique_ptr<ISkinCanvas> CreateBitmapCanvas(const SkinSurface& target) override {
        Note();
        return SpyGraphics::CreateBitmapCanvas(target);
    }
    bool DrewOn(DWORD thread) {
        std::lock_guard<std::mutex> lock(mutex);
        return std::find(threads.begin(), threads.end(), thread) != threads.end();
    }

private:
    void Note() {
        std::lock_guard<std::mutex> lock(mutex);
        threads.push_back(::GetCurrentThreadId());
    }
    std::mutex mutex;
    std::vector<DWORD> threads;
};

TEST_F(ScrollFrame, ProgramsOnOtherThreadsSetTheBar) {
    auto d = Dialog(0);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    ThreadSpy spy;
    DWORD workerId = 0;
    // From a worker: the copy changes at once, the window's thread paints it.
    std::thread([&] {
        workerId = ::GetCurrentThreadId();
        for (int p = 0; p <= 91; ++p) SetScrollPos(w, SB_VERT, p, TRUE);
    }).join();
    // The skin object belongs to the window's thread: nothing was drawn on
    // the worker's.
    EXPECT_FALSE(spy.DrewOn(workerId));
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 91);
    Pump(200);
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.bottom - 17), CellColor(kThumb, 0));
    // While the window's own thread scrolls it too.
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 100, 10, 0, 0};
        for (int i = 0; !stop; ++i) {
            info.nPos = i % 91;
            SetScrollInfo(w, SB_VERT, &info, TRUE);
        }
    });
    // The worker keeps the bars invalid, so a WM_PAINT is always queued: the
    // window's thread takes one message per step instead of draining.
    for (int i = 0; i < 300; ++i) {
        SetScrollPos(w, SB_VERT, i % 91, TRUE);
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    stop = true;
    worker.join();
    Pump(50);
    SCROLLINFO read{sizeof read, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &read));
    EXPECT_EQ(read.nMax, 100);
    EXPECT_LE(read.nPos, 91);
}

TEST_F(ScrollFrame, DisabledArrowsShowNoThumbAndTakeNoPress) {
    auto d = Dialog(50);
    HWND w = d->hwnd();
    const RECT bar = BarBeside(w);
    EXPECT_TRUE(EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH));
    Pump(50);
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.top + 16 + 90), CellColor(kTrack, 0));
    PlayMouse({MoveTo(ScreenOf(w, bar.left + 8, bar.top + 4)), Down(), Up()});
    EXPECT_TRUE(d->events.empty());
    // ESB_ENABLE_BOTH gives it back.
    EXPECT_TRUE(EnableScrollBar(w, SB_VERT, ESB_ENABLE_BOTH));
    EXPECT_FALSE(EnableScrollBar(w, SB_VERT, ESB_ENABLE_BOTH));
    Pump(50);
    EXPECT_EQ(WindowPixel(w, bar.left + 8, bar.top + 16 + 90), CellColor(kThumb, 0));
}
