// CSkinPressable: what the skins of the button family (push buttons, check
// boxes, radio buttons) share: hover and press tracking with the mouse-leave
// notice, the tool tip, the drawing items' share of the mouse, the theme's
// cursor, and the pass-through with redrawing switched off, so the system's
// own drawing of the control never reaches the screen.
#pragma once

#include <windows.h>

#include "skin/windows/manager/skin_base.h"

class CSkinPressable : public CSkinBase {
public:
    explicit CSkinPressable(HWND window);
    ~CSkinPressable() override;

protected:
    // WM_MOUSEMOVE: on entering, the hover flag, a leave notice (with
    // `trackFlags`, TME_LEAVE at least) and a repaint; then the tool tip
    // and the items.
    void TrackMouse(DWORD trackFlags, WPARAM wParam, LPARAM lParam);
    // WM_MOUSELEAVE: hover (and press, with `clearPress`) off, a repaint,
    // and the items told where the cursor now is.
    void EndHover(bool clearPress, bool erase);
    // WM_SETCURSOR: the hot item's cursor, else the theme's; false when
    // neither applies (the control's own then).
    bool SetThemeCursor();
    // WM_LBUTTONDOWN: closes the tool tip; true when an item took the press.
    bool ItemTakesPress(WPARAM wParam, LPARAM lParam);
    // WM_LBUTTONUP: true when an item took the release. The control's own
    // procedure captured the mouse at the press and never sees this
    // release, so the capture is given back here.
    bool ItemTakesRelease(WPARAM wParam, LPARAM lParam);
    // The message passed on with redrawing off, then a repaint.
    LRESULT PassQuietly(UINT message, WPARAM wParam, LPARAM lParam);
    // The press as the control shows it: flag, repaint now.
    void ShowPress();
};
