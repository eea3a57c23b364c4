#include "skin/windows/controls/skin_pressable_win32.h"

#include <windowsx.h>

#include "skin/windows/controls/skin_control_util_win32.h"

CSkinPressable::CSkinPressable(HWND window) : CSkinBase(window) {}

CSkinPressable::~CSkinPressable() { SkinToolTipClose(toolTip_); }

void CSkinPressable::ApplyCommon(const std::wstring& toolTip, const std::wstring& fontId,
                                 const std::wstring& cursorId) {
    toolTipText_ = toolTip;
    font_ = SkinControlFont(window_, fontId, scale_);
    cursor_ = SkinThemeCursor(cursorId);
}

void CSkinPressable::TrackMouse(DWORD trackFlags, const SkinMessage& move) {
    if (!hover_) {
        hover_ = true;
        SkinTrackMouse(window_, trackFlags);
        SkinInvalidate(window_);
    }
    SkinToolTipOnMouseMove(window_, toolTip_, toolTipText_, pressed_, move);
    ItemsMouseMove(static_cast<unsigned>(move.wParam), GET_X_LPARAM(move.lParam), GET_Y_LPARAM(move.lParam));
}

void CSkinPressable::EndHover(bool clearPress, bool erase) {
    if (clearPress) pressed_ = false;
    hover_ = false;
    SkinInvalidate(window_, erase);
    POINT p = SkinCursorInClient(window_);
    ItemsMouseMove(0, p.x, p.y);
}

bool CSkinPressable::ItemTakesPress(const SkinMessage& press) {
    SkinToolTipClose(toolTip_);
    return ItemsButtonDown(static_cast<unsigned>(press.wParam), GET_X_LPARAM(press.lParam), GET_Y_LPARAM(press.lParam));
}

bool CSkinPressable::ItemTakesRelease(const SkinMessage& release) {
    if (!ItemsButtonUp(static_cast<unsigned>(release.wParam), GET_X_LPARAM(release.lParam),
                       GET_Y_LPARAM(release.lParam)))
        return false;
    if (::GetCapture() == window_) ::ReleaseCapture();
    return true;
}

void CSkinPressable::ShowPress() {
    pressed_ = true;
    SkinInvalidate(window_);
    ::UpdateWindow(window_);
}

bool CSkinPressable::OnQuietPass(const SkinMessage& m, LRESULT* result) {
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}

bool CSkinPressable::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinPressable::OnSetCursor(const SkinMessage&, LRESULT* result) {
    if (!SkinSetControlCursor(*this, cursor_)) return false;
    *result = TRUE;
    return true;
}
