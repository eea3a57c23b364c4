#include "skin/windows/controls/skin_buffered_bar_win32.h"

#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"

CSkinBufferedBar::CSkinBufferedBar(HWND window) : CSkinBase(window) {}

bool CSkinBufferedBar::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinBufferedBar::OnPaint(const SkinMessage&, LRESULT* result) {
    *result = 0;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return true;
    clientRect_ = paint.Client();
    Draw(*canvas, clientRect_);
    return true;
}

bool CSkinBufferedBar::OnNcPaint(const SkinMessage&, LRESULT* result) {
    *result = 0;
    if (::IsWindowVisible(window_))
        SkinPaintRing(window_, scale_, [this](ISkinCanvas& canvas, const SkinRect& whole) { DrawRing(canvas, whole); });
    return true;
}
