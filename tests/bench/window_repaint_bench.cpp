// Benchmark (under Wine): one full repaint of the installer's skinned main
// window, frame and all controls (RedrawWindow with RDW_INVALIDATE |
// RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW), beside the same dialog
// unskinned, in the same run. A second pair adds RDW_ERASE, so that the
// unskinned dialog also erases its background as it does when uncovered.
// A third pair repaints the skinned window at 144 DPI (150 %, told so by
// WM_DPICHANGED as Windows does when the window moves to such a display)
// beside the skinned window at 96 DPI: 2.25 times the pixels.
// The windows sit apart on the screen; the sides take turns over the
// rounds; each figure is the best round.
#include <windows.h>

#include <cstdio>

#include "bench/bench_form.h"
#include "bench/bench_timing.h"
#include "common/win_dpi_win32.h"
#include "common/win_handles.h"

namespace {

constexpr int kRounds = 21;
constexpr int kRepaintsPerRound = 40;
constexpr UINT kFullRepaint = RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

double PerRepaint(HWND window, UINT flags) {
    return Milliseconds([&] {
               for (int i = 0; i < kRepaintsPerRound; ++i) ::RedrawWindow(window, nullptr, nullptr, flags);
               ::GdiFlush();
           }) /
           kRepaintsPerRound;
}

struct Pair {
    double skinned = 1e300, plain = 1e300;
};

void Print(const char* name, const Pair& p) {
    std::printf("%-44s skinned %.3f ms, unskinned %.3f ms, ratio %.2fx\n", name, p.skinned, p.plain,
                p.skinned / p.plain);
}

}  // namespace

int main() {
    bench::PrepareCommonControls();
    bench::ParkMouse();
    // Made before the package is there, the first window keeps the system look.
    bench::BenchForm plain(100, 520);
    if (!bench::LoadInstallerSkin()) return bench::Fail("the skin package is missing from the executable");
    bench::BenchForm skinned(100, 100);
    if (!plain.Ok() || !skinned.Ok()) return bench::Fail("the main window could not be created");
    if (!skinned.Skinned()) return bench::Fail("the main window is not skinned");
    if (plain.Skinned()) return bench::Fail("the plain window is skinned");
    bench::Pump(500);

    Pair full, erased;
    for (int round = 0; round < kRounds; ++round) {
        full.plain = std::min(full.plain, PerRepaint(plain.hwnd(), kFullRepaint));
        full.skinned = std::min(full.skinned, PerRepaint(skinned.hwnd(), kFullRepaint));
        erased.plain = std::min(erased.plain, PerRepaint(plain.hwnd(), kFullRepaint | RDW_ERASE));
        erased.skinned = std::min(erased.skinned, PerRepaint(skinned.hwnd(), kFullRepaint | RDW_ERASE));
        bench::DispatchQueued();
    }
    Print("main window 509x253, one full repaint:", full);
    Print("  the same with RDW_ERASE:", erased);

    // The skinned window at 150 % beside the one at 100 %.
    bench::BenchForm scaled(450, 640);  // 760 x 351 at 150 %: on the screen, clear of the other skinned window
    if (!scaled.Ok() || !scaled.Skinned()) return bench::Fail("the second skinned window could not be made");
    const RECT now = win::WindowRect(scaled.hwnd());
    RECT suggested{now.left, now.top, now.left + (now.right - now.left) * 3 / 2,
                   now.top + (now.bottom - now.top) * 3 / 2};
    ::SendMessageW(scaled.hwnd(), win::kWmDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    bench::Pump(500);
    Pair dpi;  // "skinned" at 144 DPI, "plain" the skinned window at 96 DPI
    for (int round = 0; round < kRounds; ++round) {
        dpi.plain = std::min(dpi.plain, PerRepaint(skinned.hwnd(), kFullRepaint));
        dpi.skinned = std::min(dpi.skinned, PerRepaint(scaled.hwnd(), kFullRepaint));
        bench::DispatchQueued();
    }
    std::printf("%-44s 144 DPI %.3f ms, 96 DPI %.3f ms, ratio %.2fx (pixels 2.25x)\n",
                "skinned main window, one full repaint:", dpi.skinned, dpi.plain, dpi.skinned / dpi.plain);
    return 0;
}
