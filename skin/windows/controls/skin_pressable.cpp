#include "skin/windows/controls/skin_pressable.h"

#include <windowsx.h>

#include "skin/windows/controls/skin_control_util.h"

CSkinPressable::CSkinPressable(HWND window) : CSkinBase(window) {}

CSkinPressable::~CSkinPressable() { SkinToolTipClose(toolTip_); }

void CSkinPressable::TrackMouse(DWORD trackFlags, WPARAM wParam, LPARAM lParam) {
    if (!hover_) {
        hover_ = 1;
        SkinTrackMouse(window_, trackFlags);
        SkinInvalidate(window_);
    }
    SkinToolTipOnMouseMove(window_, toolTip_, toolTipText_, pressed_ != 0, wParam, lParam);
    ItemsMouseMove(static_cast<unsigned>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void CSkinPressable::EndHover(bool clearPress, bool erase) {
    if (clearPress) pressed_ = 0;
    hover_ = 0;
    SkinInvalidate(window_, erase);
    POINT p = SkinCursorInClient(window_);
    ItemsMouseMove(0, p.x, p.y);
}

bool CSkinPressable::SetThemeCursor() {
    POINT p = SkinCursorInClient(window_);
    if (ItemsSetCursor(p.x, p.y)) return true;
    if (!cursor_) return false;
    ::SetCursor(cursor_);
    return true;
}

bool CSkinPressable::ItemTakesPress(WPARAM wParam, LPARAM lParam) {
    SkinToolTipClose(toolTip_);
    return ItemsButtonDown(static_cast<unsigned>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

bool CSkinPressable::ItemTakesRelease(WPARAM wParam, LPARAM lParam) {
    if (!ItemsButtonUp(static_cast<unsigned>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return false;
    if (::GetCapture() == window_) ::ReleaseCapture();
    return true;
}

LRESULT CSkinPressable::PassQuietly(UINT message, WPARAM wParam, LPARAM lParam) {
    return SkinPassWithoutRedraw(*this, message, wParam, lParam);
}

void CSkinPressable::ShowPress() {
    pressed_ = 1;
    SkinInvalidate(window_);
    ::UpdateWindow(window_);
}
