// Benchmark (under Wine): one full repaint of the installer's skinned main
// window, frame and all controls (RedrawWindow with RDW_INVALIDATE |
// RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW), beside the same dialog
// unskinned, in the same run. A second pair adds RDW_ERASE, so that the
// unskinned dialog also erases its background as it does when uncovered.
// The two windows sit apart on the screen; the sides take turns over the
// rounds; each figure is the best round.
#include <windows.h>

#include <cstdio>

#include "bench/bench_form.h"
#include "bench/bench_timing.h"

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
    return 0;
}
