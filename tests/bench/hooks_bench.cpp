// Cost of the API hooks on a window the engine does not skin:
// GetWindowLongPtrW(GWLP_WNDPROC) and a BeginPaint/EndPaint pair, hooked
// beside the same calls unhooked, in the same run. Other windows are
// attached meanwhile, so the hooks' table of attached windows is in use.
// The two sides take turns; each figure is the best of its rounds.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "bench/bench_timing.h"
#include "skin/windows/hooks/skin_detours_win32.h"

namespace {

class NoHost : public ISkinHookHost {};

LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

HWND MakeWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TovaneHookBench";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

volatile LONG_PTR g_sink;

}  // namespace

int main() {
    HWND window = MakeWindow();
    std::vector<HWND> attached;
    int dummy = 0;
    for (int i = 0; i < 32; ++i) {
        attached.push_back(MakeWindow());
        SkinHookRegisterWindow(attached.back(), &dummy);
    }
    NoHost host;
    constexpr int kLongCalls = 50000, kPaintCalls = 5000, kRounds = 31;
    auto getLong = [&] {
        for (int i = 0; i < kLongCalls; ++i) g_sink = GetWindowLongPtrW(window, GWLP_WNDPROC);
    };
    auto paint = [&] {
        PAINTSTRUCT ps;
        for (int i = 0; i < kPaintCalls; ++i) {
            BeginPaint(window, &ps);
            EndPaint(window, &ps);
        }
    };
    double plainLong = 1e300, hookedLong = 1e300, plainPaint = 1e300, hookedPaint = 1e300;
    int installed = 0;
    for (int round = 0; round < kRounds; ++round) {
        plainLong = std::min(plainLong, BestMilliseconds(1, getLong));
        plainPaint = std::min(plainPaint, BestMilliseconds(1, paint));
        CSkinDetours detours(&host);
        installed = detours.InstalledCount();
        hookedLong = std::min(hookedLong, BestMilliseconds(1, getLong));
        hookedPaint = std::min(hookedPaint, BestMilliseconds(1, paint));
    }
    std::printf("hooks installed: %d\n", installed);
    std::printf("GetWindowLongPtrW(GWLP_WNDPROC), unskinned window: unhooked %.1f ns, hooked %.1f ns, ratio %.3f\n",
                plainLong * 1e6 / kLongCalls, hookedLong * 1e6 / kLongCalls, hookedLong / plainLong);
    std::printf("BeginPaint + EndPaint, unskinned window:          unhooked %.1f ns, hooked %.1f ns, ratio %.3f\n",
                plainPaint * 1e6 / kPaintCalls, hookedPaint * 1e6 / kPaintCalls, hookedPaint / plainPaint);
    for (HWND w : attached) {
        SkinHookUnregisterWindow(w);
        DestroyWindow(w);
    }
    DestroyWindow(window);
    return 0;
}
