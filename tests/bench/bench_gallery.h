// The control gallery twice, for the benchmarks that set its skinned look
// beside the system's: the mouse parked, the showcase theme loaded, and the
// dialog made once skinned and once with the system's look, both hidden.
#pragma once

#include <windows.h>

#include "bench/bench_window.h"
#include "examples/gallery/gallery_dialog.h"
#include "examples/gallery/gallery_ids.h"
#include "skin/windows/skin_api_win32.h"

namespace bench {

struct GalleryPair {
    HWND skinned = nullptr;
    HWND plain = nullptr;
    const char* failure = nullptr;  // what went wrong, or null
};

inline GalleryPair OpenGalleryPair() {
    GalleryPair pair;
    ParkMouse();
    if (!LoadSkinResource(L"DATA", IDR_THEME_SHOWCASE, nullptr)) {
        pair.failure = "the showcase theme is missing";
        return pair;
    }
    GalleryOptions skinnedOptions, plainOptions;
    plainOptions.skinned = false;
    pair.skinned = GalleryCreate(::GetModuleHandleW(nullptr), skinnedOptions, false);
    pair.plain = GalleryCreate(::GetModuleHandleW(nullptr), plainOptions, false);
    if (!pair.skinned || !pair.plain) pair.failure = "the gallery could not be made";
    return pair;
}

}  // namespace bench
