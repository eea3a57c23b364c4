// CSkinBufferedBar: base of the bar skins (tool bar, rebar, status bar)
// that paint their whole client area themselves, off-screen. The system's
// erase is refused (the paint covers every pixel), and the non-client ring
// of a bar that has one (a border, the divider above it) shows the bar's
// background. A derived skin routes WM_PAINT, WM_ERASEBKGND and, for the
// ring, WM_NCPAINT to the handlers below.
#pragma once

#include <windows.h>

#include "common/value_types.h"
#include "skin/draw/skin_canvas.h"
#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_class_proc_win32.h"

class CSkinBufferedBar : public CSkinBase {
public:
    explicit CSkinBufferedBar(HWND window);

protected:
    // The whole client area, on the paint's buffer.
    virtual void Draw(ISkinCanvas& canvas, const SkinRect& client) = 0;
    // The bar's background over `whole` (the window rectangle, in window
    // coordinates), of which the ring shows.
    virtual void DrawRing(ISkinCanvas&, const SkinRect&) {}

    bool OnPaint(const SkinMessage&, LRESULT*);
    bool OnEraseBackground(const SkinMessage&, LRESULT*);
    bool OnNcPaint(const SkinMessage&, LRESULT*);
};
