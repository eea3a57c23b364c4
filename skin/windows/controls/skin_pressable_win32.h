// CSkinPressable: what the skins of the button family (push buttons, check
// boxes, radio buttons) share: hover and press tracking with the mouse-leave
// notice, the tool tip, the drawing items' share of the mouse, the theme's
// cursor, and the pass-through with redrawing switched off, so the system's
// own drawing of the control never reaches the screen.
#pragma once

#include <windows.h>

#include <string>

#include "skin/windows/manager/skin_base.h"
#include "skin/windows/manager/skin_messages.h"

class CSkinPressable : public CSkinBase {
public:
    explicit CSkinPressable(HWND window);
    ~CSkinPressable() override;

protected:
    // The description's tool-tip text, font (else the control's own) and
    // cursor.
    void ApplyCommon(const std::wstring& toolTip, const std::wstring& fontId, const std::wstring& cursorId);

    // WM_MOUSEMOVE: on entering, the hover flag, a leave notice (with
    // `trackFlags`, TME_LEAVE at least) and a repaint; then the tool tip
    // and the items.
    void TrackMouse(DWORD trackFlags, const SkinMessage& move);
    // WM_MOUSELEAVE: hover (and press, with `clearPress`) off, a repaint,
    // and the items told where the cursor now is.
    void EndHover(bool clearPress, bool erase);
    // WM_LBUTTONDOWN: closes the tool tip; true when an item took the press.
    bool ItemTakesPress(const SkinMessage& press);
    // WM_LBUTTONUP: true when an item took the release. The control's own
    // procedure captured the mouse at the press and never sees this
    // release, so the capture is given back here.
    bool ItemTakesRelease(const SkinMessage& release);
    // The press as the control shows it: flag, repaint now.
    void ShowPress();

    // Handlers the family's tables share.
    // The message passed on with redrawing off, then a repaint.
    bool OnQuietPass(const SkinMessage& m, LRESULT* result);
    // Nothing is erased: the paint covers the whole control.
    bool OnEraseBackground(const SkinMessage& m, LRESULT* result);
    // The hot item's cursor, else the theme's; else the control's own.
    bool OnSetCursor(const SkinMessage& m, LRESULT* result);
};
