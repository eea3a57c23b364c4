// The scroll-bar layer of rich-edit controls. Rich-edit controls keep their
// bars in the non-client area and drive them through the system's
// scroll-bar functions; for them the engine uses a small layer of its own,
// apart from the scroller: it hides the system's bars, reserves 16-pixel
// strips, draws arrows, track and thumb from the skin's scroll-bar picture,
// answers the scroll-bar functions through the hooks, and turns clicks,
// held presses, drags and the wheel into WM_HSCROLL and WM_VSCROLL.
//
// Its record lives in the window property "PROP_Veltar" while it is on.
// The layer subclasses the window with its own procedure on top of the
// skin's.
#pragma once

#include <windows.h>

#include "skin/draw/skin_scale.h"
#include "skin/windows/hooks/skin_hook_host_win32.h"

class CSkinDrawImage;

// Switches the layer on for `window` with `picture` (the skin's, not
// owned) at the window's `scale`; for a window that has the layer already,
// only the picture changes. 1, or 0 with ERROR_INVALID_HANDLE for an invalid
// window or no picture.
int SkinRichEditScrollOn(HWND window, CSkinDrawImage* picture, const SkinScale& scale);

// Takes the layer off and hands the bars back to the system. When another
// procedure was put on top of the layer's meanwhile, the layer's stays in
// the chain and passes everything on (until the window is destroyed).
void SkinRichEditScrollOff(HWND window);

// Changes the picture of a window that has the layer; 0 when it has none.
int SkinRichEditScrollSetPicture(HWND window, CSkinDrawImage* picture);
// The window's display scale changed: the bars take their new size.
void SkinRichEditScrollSetScale(HWND window, const SkinScale& scale);

// The layer's answers to the scroll-bar functions for `window`, or null
// when the layer is not on for it (the hooks ask on any thread).
ISkinRichEditScrollBars* SkinRichEditScrollLayer(HWND window);

// The layer's window procedure (the top of the chain while it is on).
WNDPROC SkinRichEditScrollProc();
