// Benchmark (under Wine): the skinned scroll bars beside the system's, in
// the same run.
//
// 1. The thumb of a multi-line edit holding 10 000 lines dragged from the
//    top to the bottom with the real mouse: time per WM_MOUSEMOVE handled.
//    A thread plays the moves, each only once the window's thread has taken
//    the one before from its queue, so the time between two is what one
//    move costs (the edit scrolling and repainting, and the bar).
// 2. The non-client repaint of the same edit with both bars (WM_NCPAINT of
//    the whole frame), and of a list box with both bars and a client edge,
//    the list-like windows' border ring and bars.
// The two sides sit apart on the screen and take turns over the rounds;
// each figure is the best round.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "bench/bench_timing.h"
#include "skin/scroll_test_support.h"
#include "skin/skin_test_dialog.h"
#include "skin/windows/skin_api_win32.h"

namespace {

constexpr int kRounds = 7;
constexpr int kMoves = 120;
constexpr int kRepaints = 200;

// Mouse moves the window's thread has taken from its queue.
std::atomic<int> g_movesTaken{0};
HHOOK g_hook = nullptr;

LRESULT CALLBACK CountMoves(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg && msg->message == WM_MOUSEMOVE) ++g_movesTaken;
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

// A top-level frame of w x h at (x, y) with one child control of the given
// class and styles (and a client edge) filling it; gone with the object.
struct FramedControl {
    HWND frame = nullptr;
    HWND control = nullptr;
    FramedControl(int x, int y, int w, int h, const wchar_t* cls, DWORD style) {
        frame = ::CreateWindowExW(0, L"#32770", L"bench", WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, w, h, nullptr,
                                  nullptr, nullptr, nullptr);
        control = ::CreateWindowExW(WS_EX_CLIENTEDGE, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, w - 20, h - 40,
                                    frame, nullptr, nullptr, nullptr);
    }
    ~FramedControl() {
        if (frame) ::DestroyWindow(frame);
    }
    FramedControl(const FramedControl&) = delete;
    FramedControl& operator=(const FramedControl&) = delete;
};

// A multi-line edit of 10 000 lines.
struct EditWindow : FramedControl {
    HWND edit = nullptr;
    EditWindow(int x, int y, bool skinned)
        : FramedControl(x, y, 320, 420, L"Edit", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL),
          edit(control) {
        std::wstring text;
        for (int i = 0; i < 10000; ++i) text += L"line " + std::to_wstring(i) + L" of the text to scroll\r\n";
        ::SetWindowTextW(edit, text.c_str());
        if (skinned) SetWindowSkin(edit, L"scroll.edit");
        scroll_test::Pump(200);
    }
    // The vertical bar's column and its ends on the screen.
    void Bar(int* x, int* top, int* bottom) const {
        RECT client{};
        ::GetClientRect(edit, &client);
        POINT a{client.right, client.top}, b{client.right, client.bottom};
        ::ClientToScreen(edit, &a);
        ::ClientToScreen(edit, &b);
        *x = a.x + 8;
        *top = a.y;
        *bottom = b.y;
    }
};

// A list box of 500 rows, wider than the box.
struct ListWindow : FramedControl {
    HWND list = nullptr;
    ListWindow(int x, int y, bool skinned)
        : FramedControl(x, y, 320, 300, L"ListBox", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT), list(control) {
        for (int i = 0; i < 500; ++i)
            ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"row " + std::to_wstring(i)).c_str()));
        ::SendMessageW(list, LB_SETHORIZONTALEXTENT, 900, 0);
        ::SendMessageW(list, LB_SETTOPINDEX, 200, 0);
        if (skinned) SetWindowSkin(list, L"scroll.list");
        scroll_test::Pump(200);
    }
};

// One drag from the top of the track to past its bottom: milliseconds per
// move, from the first move taken to the release.
double Drag(const EditWindow& w) {
    ::SendMessageW(w.edit, EM_LINESCROLL, 0, -20000);
    scroll_test::Pump(50);
    int x, top, bottom;
    w.Bar(&x, &top, &bottom);
    ::SetCursorPos(x, top + 20);
    skin_test::SendMouse(MOUSEEVENTF_MOVE);
    scroll_test::Pump(30);
    std::atomic<bool> done{false};
    double elapsed = 0;
    std::thread player([&] {
        skin_test::SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(60);
        const int start = g_movesTaken;
        auto began = std::chrono::steady_clock::now();
        for (int i = 1; i <= kMoves; ++i) {
            ::SetCursorPos(x, top + 20 + (bottom - top) * i / kMoves);
            skin_test::SendMouse(MOUSEEVENTF_MOVE);
            const DWORD waited = ::GetTickCount();
            while (g_movesTaken < start + i && ::GetTickCount() - waited < 1000) std::this_thread::yield();
            if (i == 1) began = std::chrono::steady_clock::now();
        }
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - began;
        elapsed = took.count() / (kMoves - 1);
        skin_test::SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(60);
        done = true;
    });
    while (!done) scroll_test::Pump(1);
    player.join();
    scroll_test::Pump(50);
    // A drag that did not take the text to its end measured nothing.
    if (::SendMessageW(w.edit, EM_GETFIRSTVISIBLELINE, 0, 0) < 9000) return -1;
    return elapsed;
}

double NonClientRepaint(HWND window) {
    return Milliseconds([&] {
               for (int i = 0; i < kRepaints; ++i) ::SendMessageW(window, WM_NCPAINT, 1, 0);
               ::GdiFlush();
           }) /
           kRepaints;
}

}  // namespace

int main() {
    if (!scroll_test::LoadScrollTheme()) {
        std::fprintf(stderr, "the scroll theme did not load\n");
        return 1;
    }
    EditWindow plain(40, 40, false), skinned(420, 40, true);
    ListWindow plainList(40, 480, false), skinnedList(420, 480, true);
    g_hook = ::SetWindowsHookExW(WH_GETMESSAGE, &CountMoves, nullptr, ::GetCurrentThreadId());
    if (!plain.edit || !skinned.edit || !plainList.list || !skinnedList.list || !g_hook) {
        std::fprintf(stderr, "the windows or the hook could not be made\n");
        return 1;
    }
    SkinnedBeside drag, repaint, listRepaint;
    for (int round = 0; round < kRounds; ++round) {
        const double p = Drag(plain), s = Drag(skinned);
        if (p < 0 || s < 0) {
            std::fprintf(stderr, "a drag did not reach the end of the text (%s)\n", p < 0 ? "system" : "skinned");
            return 1;
        }
        drag.plain = std::min(drag.plain, p);
        drag.skinned = std::min(drag.skinned, s);
        repaint.plain = std::min(repaint.plain, NonClientRepaint(plain.edit));
        repaint.skinned = std::min(repaint.skinned, NonClientRepaint(skinned.edit));
        listRepaint.plain = std::min(listRepaint.plain, NonClientRepaint(plainList.list));
        listRepaint.skinned = std::min(listRepaint.skinned, NonClientRepaint(skinnedList.list));
    }
    ::UnhookWindowsHookEx(g_hook);
    PrintBeside("edit of 10000 lines, thumb drag, per mouse move:", 52, drag);
    PrintBeside("edit with both bars, one non-client repaint:", 52, repaint);
    PrintBeside("list box with both bars, one non-client repaint:", 52, listRepaint);
    return 0;
}
