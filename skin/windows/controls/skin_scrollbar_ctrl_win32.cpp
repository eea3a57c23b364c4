#include "skin/windows/controls/skin_scrollbar_ctrl_win32.h"

#include <windowsx.h>

#include "skin/picture/skin_draw_image.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_scroll_info_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

struct SkinScrollBarTable {
    using S = CSkinScrollBarSB;
    static constexpr SkinMessageEntry<S> kMessages[] = {
        {WM_CREATE, &S::OnScrollCreate},
        {WM_SKIN_REINIT, &S::OnScrollReinit},
        {WM_PAINT, &S::OnPaint},
        {WM_ERASEBKGND, &S::OnEraseBackground},
        {WM_NCPAINT, &S::OnNcPaint},
        {WM_ENABLE, &S::OnEnable},
        {WM_MOUSEMOVE, &S::OnMouseMove},
        {WM_LBUTTONDOWN, &S::OnButtonDown},
        {WM_LBUTTONDBLCLK, &S::OnButtonDown},
        {WM_LBUTTONUP, &S::OnButtonUp},
        {WM_MOUSELEAVE, &S::OnMouseLeave},
        {WM_SETFOCUS, &S::OnSetFocus},
        {WM_KILLFOCUS, &S::OnKillFocus},
        {WM_CAPTURECHANGED, &S::OnScrollCaptureChanged},
        {SBM_SETPOS, &S::OnBarMessage},
        {SBM_GETPOS, &S::OnBarMessage},
        {SBM_SETRANGE, &S::OnBarMessage},
        {SBM_SETRANGEREDRAW, &S::OnBarMessage},
        {SBM_GETRANGE, &S::OnBarMessage},
        {SBM_ENABLE_ARROWS, &S::OnBarMessage},
        {SBM_SETSCROLLINFO, &S::OnBarMessage},
        {SBM_GETSCROLLINFO, &S::OnBarMessage},
    };
};

CSkinScrollBarSB::CSkinScrollBarSB(HWND window) : CSkinScroller(window, true) {}

LRESULT CSkinScrollBarSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinScrollBarTable::kMessages, message);
}

std::wstring CSkinScrollBarSB::ScrollBarImageId() const {
    const SkinScrollBarDesc* desc = ScrollBarDescription();
    return desc ? desc->bmpScrollbar : std::wstring();
}

std::wstring CSkinScrollBarSB::SizeBoxImageId() const {
    const SkinScrollBarDesc* desc = ScrollBarDescription();
    return desc ? desc->imageSizebox : std::wstring();
}

void CSkinScrollBarSB::OnReskinned() { SkinInvalidate(window_); }

bool CSkinScrollBarSB::ShowsFocus() const { return ::GetFocus() == window_; }

bool CSkinScrollBarSB::IsSizeBox() const {
    const auto style = skin_unhooked::Style(window_);
    return (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

bool CSkinScrollBarSB::OnPaint(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    if (IsSizeBox()) {
        PaintSizeBox();
        return true;
    }
    if (!reinitSent_ && !BarPresent(0) && !BarPresent(1)) {
        reinitSent_ = true;  // skinned before it was set up: once
        ::SendMessageW(window_, WM_SKIN_REINIT, 0, 0);
    }
    PAINTSTRUCT paint{};
    HDC dc = skin_unhooked::BeginPaint(window_, &paint);
    if (dc) {
        DrawScrollBars(dc, true);
        skin_unhooked::EndPaint(window_, &paint);
    }
    return true;
}

void CSkinScrollBarSB::PaintSizeBox() {
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return;
    const SkinRect& client = paint.Client();
    paint.ShowParentBackground();
    if (sizeBoxImage_) {
        // The grip at the size it shows at on this display, in the corner.
        const SkinSize size = sizeBoxImage_->ScaledSize(Scale());
        sizeBoxImage_->DrawTransparent(*canvas, client.right - size.width, client.bottom - size.height);
    }
}

bool CSkinScrollBarSB::OnEraseBackground(const SkinMessage& m, LRESULT* result) {
    *result = 1;  // the paint covers the whole control
    return true;
}

bool CSkinScrollBarSB::OnNcPaint(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);  // a border, if any
    if (!IsSizeBox()) DrawScrollBars(nullptr, true);
    return true;
}

bool CSkinScrollBarSB::OnEnable(const SkinMessage& m, LRESULT* result) {
    // The system's control would draw its own bar for the new state.
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}

bool CSkinScrollBarSB::OnMouseMove(const SkinMessage& m, LRESULT* result) {
    if (IsSizeBox()) return false;
    ScrollHover(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    *result = 0;
    return true;
}

bool CSkinScrollBarSB::OnButtonDown(const SkinMessage& m, LRESULT* result) {
    if (IsSizeBox()) return false;
    *result = 0;
    // A tab stop takes the focus from a click, as the system's bar does.
    if ((skin_unhooked::Style(window_) & WS_TABSTOP) && ::GetFocus() != window_) {
        DestroyWatch watch(*this);
        ::SetFocus(window_);
        if (watch.Gone()) return true;
    }
    // The system's own tracking never starts: the skin draws the bar.
    ScrollPress(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    return true;
}

bool CSkinScrollBarSB::OnButtonUp(const SkinMessage& m, LRESULT* result) {
    if (IsSizeBox()) return false;
    ScrollRelease(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    *result = 0;
    return true;
}

bool CSkinScrollBarSB::OnMouseLeave(const SkinMessage& m, LRESULT*) {
    ScrollLeave();
    return false;
}

bool CSkinScrollBarSB::OnSetFocus(const SkinMessage& m, LRESULT* result) {
    if (IsSizeBox()) return false;
    // Not passed on: the system would blink a caret over where its own,
    // never-updated bar has the thumb. The skin shows the focus instead.
    *result = 0;
    DrawScrollBars(nullptr, true);
    return true;
}

bool CSkinScrollBarSB::OnKillFocus(const SkinMessage& m, LRESULT* result) {
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (!watch.Gone() && !IsSizeBox()) DrawScrollBars(nullptr, true);
    return true;
}

bool CSkinScrollBarSB::OnBarMessage(const SkinMessage& m, LRESULT* result) {
    // While the skin reads the control's bar itself, the control answers.
    if (SettingUp() || IsSizeBox()) return false;
    const int index = BarPresent(1) ? 1 : 0;
    bool redraw = false;
    WithBars([&](SkinScrollBars& bars) {
        SkinScrollBarCopy& bar = bars.bar[index];
        switch (m.message) {
            case SBM_SETPOS:
                *result = SkinApplyScrollPos(bar, static_cast<int>(m.wParam));
                redraw = m.lParam != 0;
                break;
            case SBM_GETPOS:
                *result = bar.position;
                break;
            case SBM_SETRANGE:
            case SBM_SETRANGEREDRAW: {
                const int old = bar.position;
                SkinApplyScrollRange(bar, static_cast<int>(m.wParam), static_cast<int>(m.lParam), false);
                *result = bar.position != old ? old : 0;
                redraw = m.message == SBM_SETRANGEREDRAW;
                break;
            }
            case SBM_GETRANGE:
                if (m.wParam) *reinterpret_cast<int*>(m.wParam) = bar.minimum;
                if (m.lParam) *reinterpret_cast<int*>(m.lParam) = bar.maximum;
                *result = 0;
                break;
            case SBM_ENABLE_ARROWS: {
                const unsigned arrows = static_cast<unsigned>(m.wParam) & ESB_DISABLE_BOTH;
                *result = bar.arrows != arrows;
                redraw = bar.arrows != arrows;
                bar.arrows = arrows;
                break;
            }
            case SBM_SETSCROLLINFO: {
                const auto* info = reinterpret_cast<const SCROLLINFO*>(m.lParam);
                if (!info) {
                    *result = 0;
                    break;
                }
                *result = SkinApplyScrollInfo(bar, SkinScrollInfoOf(*info), false).position;
                redraw = m.wParam != 0;
                break;
            }
            case SBM_GETSCROLLINFO: {
                auto* info = reinterpret_cast<SCROLLINFO*>(m.lParam);
                *result = FALSE;
                if (!info) break;
                SkinFillScrollInfo(bar, *info);
                *result = TRUE;
                break;
            }
            default:
                break;
        }
    });
    if (redraw) DrawScrollBars(nullptr, false);
    return true;
}
