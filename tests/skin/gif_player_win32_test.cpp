// The GIF player on real windows under Wine: its timer runs through the
// Win32 window host, repaints reach the window, and the window's end stops
// the animation.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "skin/gif_builder.h"
#include "skin/picture/skin_animation_binding.h"
#include "skin/picture/skin_gif_player.h"

namespace {

int g_paints = 0;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            ++g_paints;
            EndPaint(window, &ps);
            return 0;
        }
        case WM_NCDESTROY:
            // What the window manager does for skinned windows.
            SkinStopAnimations(window);
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow() {
    static ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &TestWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TovaneGifPlayerTest";
        return RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    HWND w = CreateWindowExW(0, L"TovaneGifPlayerTest", L"gif", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 150,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(w);
    return w;
}

// Runs the window's messages for `ms` milliseconds.
void Pump(DWORD ms) {
    DWORD until = GetTickCount() + ms;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::vector<uint8_t> Leave() { return giftest::ReadFile(std::string(TOVANE_TEST_GIF_DIR) + "/leave.gif"); }

TEST(GifPlayerWin32, TimerAdvancesTheFramesAndRepaintsTheTarget) {
    HWND w = MakeWindow();
    ASSERT_TRUE(w);
    std::vector<uint8_t> file = Leave();
    ASSERT_FALSE(file.empty());
    CSkinGifPlayer player;
    ASSERT_TRUE(player.LoadFromMemory(file.data(), file.size()));
    player.SetOwner(w, 20);
    player.SetTarget(w, SkinRect{0, 0, 48, 32});
    Pump(100);
    int paintsBefore = g_paints;
    player.Play(true);
    EXPECT_EQ(GetPropW(w, L"VELTAR_ANIMATE"), &player);
    Pump(600);
    // Four frames, then the rewind: the counter has gone negative.
    EXPECT_LT(player.FrameCounter(), 0);
    EXPECT_GT(g_paints, paintsBefore + 2);

    player.Play(false);
    EXPECT_EQ(GetPropW(w, L"VELTAR_ANIMATE"), nullptr);
    int counter = player.FrameCounter();
    Pump(200);
    EXPECT_EQ(player.FrameCounter(), counter);  // the timer is gone
    DestroyWindow(w);
}

TEST(GifPlayerWin32, DestroyingTheOwnerStopsItsAnimations) {
    HWND w = MakeWindow();
    ASSERT_TRUE(w);
    std::vector<uint8_t> file = Leave();
    CSkinGifPlayer running, waiting;
    for (CSkinGifPlayer* p : {&running, &waiting}) {
        ASSERT_TRUE(p->LoadFromMemory(file.data(), file.size()));
        p->SetOwner(w, 20);
        p->SetTarget(w, SkinRect{0, 0, 48, 32});
        p->Play(true);
    }
    EXPECT_TRUE(running.IsRunning());
    EXPECT_FALSE(waiting.IsRunning());
    EXPECT_TRUE(waiting.IsPlaying());
    Pump(100);
    DestroyWindow(w);
    EXPECT_FALSE(running.IsPlaying());
    EXPECT_FALSE(waiting.IsPlaying());
    EXPECT_EQ(SkinAnimationsBoundTo(w), 0);
    Pump(100);  // nothing may tick on the dead window

    // The shared player runs again on the next window that starts it.
    HWND next = MakeWindow();
    running.SetOwner(next, 20);
    running.SetTarget(next, SkinRect{0, 0, 48, 32});
    running.Play(true);
    EXPECT_TRUE(running.IsRunning());
    Pump(50);
    int paints = g_paints;
    Pump(300);
    EXPECT_GT(g_paints, paints);
    DestroyWindow(next);
}

}  // namespace
