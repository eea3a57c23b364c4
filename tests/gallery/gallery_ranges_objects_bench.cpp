// The graphics objects the drawing layer holds while the gallery's spin
// button, progress bar, slider and tab control are painted 10 000 times
// each, under the showcase theme: a skin that kept one object a paint would
// end 10 000 up (Wine gives a process 16 384). Prints the count before and
// after and the time of one paint, per control; exits 1 when a count grew.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "gallery/gallery_fixture.h"
#include "skin/platform/skin_graphics.h"

using namespace gallery_test;

namespace {

constexpr int kPaints = 10000;

struct Member {
    int id;
    const char* name;
};

void Paint(HWND control) {
    ::InvalidateRect(control, nullptr, FALSE);
    ::UpdateWindow(control);
}

}  // namespace

int main() {
    GalleryUnderTest gallery(GalleryTheme::Showcase);
    if (!gallery.Ready()) {
        std::printf("the gallery did not open\n");
        return 2;
    }
    const Member members[] = {{IDC_GALLERY_SPIN, "spin button"},
                              {IDC_GALLERY_PROGRESS, "progress bar"},
                              {IDC_GALLERY_SLIDER, "slider"},
                              {IDC_GALLERY_TAB, "tab control"}};
    bool grew = false;
    std::printf("graphics objects across %d paints of each member\n", kPaints);
    for (const Member& m : members) {
        HWND control = gallery.Control(m.id);
        // The first paints make what is kept for good (composed pictures,
        // the tab's turned fonts).
        for (int i = 0; i < 50; ++i) Paint(control);
        long before = SkinGraphics().LiveObjects();
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kPaints; ++i) Paint(control);
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        long after = SkinGraphics().LiveObjects();
        grew = grew || after != before;
        std::printf("  %-13s %6ld -> %6ld objects (%+ld), %.3f ms a paint\n", m.name, before, after, after - before,
                    ms / kPaints);
    }
    std::printf(grew ? "a count grew\n" : "flat\n");
    return grew ? 1 : 0;
}
