// Benchmark (under Wine): one WM_PAINT of a check box skinned with the
// gallery's showcase theme beside one WM_PAINT of the same check box with
// the system look, in the same run: two gallery dialogs, one skinned and
// one not, side by side. The check boxes (checked, 201 x 18) take turns
// over the rounds; each figure is the best round. The target: the skinned
// paint at most 1.5 times the system's.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "bench/bench_gallery.h"

namespace {

constexpr int kRounds = 21;
constexpr int kPaintsPerRound = 200;

int Fail(const char* why) {
    std::fprintf(stderr, "bench_check_paint: %s\n", why);
    return 1;
}

}  // namespace

int main() {
    const bench::GalleryPair galleries = bench::OpenGalleryPair();
    if (galleries.failure) return Fail(galleries.failure);
    HWND skinned = galleries.skinned, plain = galleries.plain;
    ::SetWindowPos(skinned, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetWindowPos(plain, HWND_TOP, 400, 300, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    bench::DispatchQueued();
    HWND skinnedCheck = ::GetDlgItem(skinned, IDC_GALLERY_CHECK_CHECKED);
    HWND plainCheck = ::GetDlgItem(plain, IDC_GALLERY_CHECK_CHECKED);
    if (!::GetPropW(skinnedCheck, L"VELTAR_PROC")) return Fail("the check box is not skinned");
    if (::GetPropW(plainCheck, L"VELTAR_PROC")) return Fail("the plain check box is skinned");
    // Nothing else may take the focus between them: the focused control
    // would repaint with each round.
    ::SetFocus(nullptr);
    RECT client{};
    ::GetClientRect(skinnedCheck, &client);

    double skin = 1e300, system = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        skin = std::min(skin, bench::PaintMilliseconds(skinnedCheck, kPaintsPerRound));
        system = std::min(system, bench::PaintMilliseconds(plainCheck, kPaintsPerRound));
        bench::DispatchQueued();
    }
    std::printf("check box %ldx%ld, one WM_PAINT: skinned %.4f ms, system %.4f ms, ratio %.2fx (target at most 1.5x)\n",
                client.right, client.bottom, skin, system, skin / system);
    ::DestroyWindow(skinned);
    ::DestroyWindow(plain);
    return 0;
}
