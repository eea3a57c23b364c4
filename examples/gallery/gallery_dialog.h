// The gallery's dialog: made from template IDD_GALLERY, its controls given
// sample contents, then the dialog and every control skinned by the skin id
// gallery_controls.h gives it. Uses only the engine's public entry points,
// as any program that links the engine would.
#pragma once

#include <windows.h>

struct GalleryOptions {
    // False: the system look throughout (nothing is asked of the engine).
    bool skinned = true;
    // True: only the dialog is skinned, every control keeps the system look
    // on the dialog's picture.
    bool frameOnly = false;
    // Shown in the status bar.
    const wchar_t* themeName = L"showcase";
};

// Loads what the template's controls need (common controls, rich edit)
// once per process. False when a class cannot be had.
bool GalleryInitControls();

// Creates the dialog, hidden, with `owner`; null on failure. The dialog
// ends itself (DestroyWindow) on close; it posts WM_QUIT when destroyed
// if `quitOnClose` is set.
HWND GalleryCreate(HINSTANCE instance, const GalleryOptions& options, bool quitOnClose);

// How many controls of the table the engine skinned, and how many it has.
struct GallerySkinCount {
    int skinned = 0;
    int total = 0;
};
GallerySkinCount GalleryLastSkinCount(HWND dialog);
