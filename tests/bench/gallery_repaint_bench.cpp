// Benchmark (under Wine): one full repaint of the control gallery skinned
// with its showcase theme (RedrawWindow with RDW_INVALIDATE | RDW_ERASE |
// RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW) beside the same gallery
// unskinned, in the same run: the two dialogs take turns on the same place
// of the screen, the other hidden; each figure is the best round. Then the
// graphics objects of the skin's layer before and after 10 000 whole paints
// of each bar and field control, which must be the same.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "bench/bench_timing.h"
#include "examples/gallery/gallery_dialog.h"
#include "examples/gallery/gallery_ids.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/skin_api_win32.h"

namespace {

constexpr int kRounds = 15;
constexpr int kRepaintsPerRound = 10;
constexpr int kPaints = 10000;
constexpr UINT kFullRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

void DispatchQueued() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Pump(DWORD ms) {
    DWORD start = ::GetTickCount();
    do {
        DispatchQueued();
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

int Fail(const char* why) {
    std::printf("gallery repaint benchmark: %s\n", why);
    return 1;
}

// Shows `window` alone at the top left, then repaints it whole, best round.
double PerRepaint(HWND window, HWND other) {
    ::ShowWindow(other, SW_HIDE);
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Pump(50);
    return Milliseconds([&] {
               for (int i = 0; i < kRepaintsPerRound; ++i) ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
               ::GdiFlush();
           }) /
           kRepaintsPerRound;
}

struct Control {
    int id;
    const char* name;
};

}  // namespace

int main() {
    ::SetCursorPos(2, ::GetSystemMetrics(SM_CYSCREEN) - 2);
    if (!GalleryInitControls()) return Fail("the common controls are missing");
    GalleryOptions plainOptions;
    plainOptions.skinned = false;
    HWND plain = GalleryCreate(::GetModuleHandleW(nullptr), plainOptions, false);
    if (LoadSkinResource(L"DATA", IDR_THEME_SHOWCASE, nullptr) != 1) return Fail("the showcase theme is missing");
    HWND skinned = GalleryCreate(::GetModuleHandleW(nullptr), GalleryOptions{}, false);
    if (!plain || !skinned) return Fail("the gallery could not be created");
    if (GalleryLastSkinCount(skinned).skinned == 0) return Fail("the gallery is not skinned");

    double best[2] = {1e300, 1e300};
    for (int round = 0; round < kRounds; ++round) {
        best[0] = std::min(best[0], PerRepaint(plain, skinned));
        best[1] = std::min(best[1], PerRepaint(skinned, plain));
        DispatchQueued();
    }
    std::printf("%-48s skinned %.3f ms, unskinned %.3f ms, ratio %.2fx\n", "gallery, one full repaint:", best[1],
                best[0], best[1] / best[0]);

    const Control controls[] = {{IDC_GALLERY_TOOLBAR, "toolbar"},      {IDC_GALLERY_REBAR, "rebar"},
                                {IDC_GALLERY_STATUSBAR, "status bar"}, {IDC_GALLERY_CONTROLBAR, "control bar"},
                                {IDC_GALLERY_IPADDRESS, "IP address"}, {IDC_GALLERY_HOTKEY, "hot key"},
                                {IDC_GALLERY_DATETIME, "date picker"}, {IDC_GALLERY_TIME, "time picker"}};
    int grown = 0;
    for (const Control& c : controls) {
        HWND window = ::GetDlgItem(skinned, c.id);
        if (!window) return Fail("a control is missing");
        for (int i = 0; i < 3; ++i) ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        const long before = SkinGraphics().LiveObjects();
        double ms = Milliseconds([&] {
            for (int i = 0; i < kPaints; ++i) ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        });
        DispatchQueued();
        const long after = SkinGraphics().LiveObjects();
        if (after != before) ++grown;
        std::printf("%-12s %d whole paints (%.3f ms each): graphics objects %ld before, %ld after%s\n", c.name, kPaints,
                    ms / kPaints, before, after, after == before ? "" : "  GREW");
    }
    ::DestroyWindow(skinned);
    ::DestroyWindow(plain);
    return grown ? 1 : 0;
}
