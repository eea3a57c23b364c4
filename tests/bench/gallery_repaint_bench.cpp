// Benchmark (under Wine): one full repaint of the control gallery skinned
// with its showcase theme beside the same gallery with the system look, in
// the same run: the dialog, its frame and every child painted at once. Then
// one paint of single controls, skinned beside the system's. The two
// galleries stand in the same place and take turns on top, so each paints
// in full; each figure is the best round. The target: the skinned repaint
// at most 2 times the system's. Last, the graphics objects of the skin's
// layer before and after 10 000 whole paints of each bar and field control,
// which must be the same.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "bench/bench_gallery.h"
#include "skin/platform/skin_graphics.h"

namespace {

constexpr int kRounds = 10;
constexpr int kRepaintsPerRound = 10;
constexpr int kPaintsPerRound = 100;
constexpr int kLeakPaints = 10000;
constexpr UINT kFullRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

void OnTop(HWND dialog) {
    ::SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    bench::DispatchQueued();
}

// The whole dialog, frame and children, painted before RedrawWindow returns.
double PerRepaint(HWND dialog) {
    OnTop(dialog);
    return Milliseconds([&] {
               for (int i = 0; i < kRepaintsPerRound; ++i) ::RedrawWindow(dialog, nullptr, nullptr, kFullRepaint);
               ::GdiFlush();
           }) /
           kRepaintsPerRound;
}

double PerPaint(HWND dialog, HWND control) {
    OnTop(dialog);
    return bench::PaintMilliseconds(control, kPaintsPerRound);
}

int Fail(const char* why) {
    std::fprintf(stderr, "bench_gallery_repaint: %s\n", why);
    return 1;
}

struct Member {
    int id;
    const char* name;
};

}  // namespace

int main() {
    const bench::GalleryPair galleries = bench::OpenGalleryPair();
    if (galleries.failure) return Fail(galleries.failure);
    HWND skinned = galleries.skinned, plain = galleries.plain;
    OnTop(plain);
    OnTop(skinned);
    if (!::GetPropW(skinned, L"VELTAR_PROC")) return Fail("the gallery is not skinned");
    if (::GetPropW(plain, L"VELTAR_PROC")) return Fail("the plain gallery is skinned");
    // A focused control would repaint with each round of the other dialog.
    ::SetFocus(nullptr);

    double skin = 1e300, system = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        skin = std::min(skin, PerRepaint(skinned));
        system = std::min(system, PerRepaint(plain));
    }
    GallerySkinCount count = GalleryLastSkinCount(skinned);
    std::printf(
        "gallery (%d of %d controls skinned), one full repaint: skinned %.3f ms, system %.3f ms, "
        "ratio %.2fx (target at most 2x)\n",
        count.skinned, count.total, skin, system, skin / system);

    const Member members[] = {{IDC_GALLERY_SPIN, "spin button"},
                              {IDC_GALLERY_PROGRESS, "progress bar"},
                              {IDC_GALLERY_SLIDER, "slider"},
                              {IDC_GALLERY_TAB, "tab control"}};
    for (const Member& m : members) {
        HWND skinnedControl = ::GetDlgItem(skinned, m.id), plainControl = ::GetDlgItem(plain, m.id);
        if (!::GetPropW(skinnedControl, L"VELTAR_PROC")) return Fail("a control is not skinned");
        double a = 1e300, b = 1e300;
        for (int round = 0; round < kRounds; ++round) {
            a = std::min(a, PerPaint(skinned, skinnedControl));
            b = std::min(b, PerPaint(plain, plainControl));
        }
        std::printf("  %-13s one WM_PAINT: skinned %.4f ms, system %.4f ms, ratio %.2fx\n", m.name, a, b, a / b);
    }

    const Member bars[] = {{IDC_GALLERY_TOOLBAR, "toolbar"},      {IDC_GALLERY_REBAR, "rebar"},
                           {IDC_GALLERY_STATUSBAR, "status bar"}, {IDC_GALLERY_CONTROLBAR, "control bar"},
                           {IDC_GALLERY_IPADDRESS, "IP address"}, {IDC_GALLERY_HOTKEY, "hot key"},
                           {IDC_GALLERY_DATETIME, "date picker"}, {IDC_GALLERY_TIME, "time picker"}};
    int grown = 0;
    OnTop(skinned);
    for (const Member& m : bars) {
        HWND window = ::GetDlgItem(skinned, m.id);
        if (!window) return Fail("a control is missing");
        for (int i = 0; i < 3; ++i) ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        const long before = SkinGraphics().LiveObjects();
        double ms = Milliseconds([&] {
            for (int i = 0; i < kLeakPaints; ++i) ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        });
        bench::DispatchQueued();
        const long after = SkinGraphics().LiveObjects();
        if (after != before) ++grown;
        std::printf("  %-12s %d whole paints (%.3f ms each): graphics objects %ld before, %ld after%s\n", m.name,
                    kLeakPaints, ms / kLeakPaints, before, after, after == before ? "" : "  GREW");
    }
    ::DestroyWindow(skinned);
    ::DestroyWindow(plain);
    return grown ? 1 : 0;
}
