// The rich-edit scroll-bar layer's window procedure: the non-client size
// and painting without the system's bars, hover, presses with their repeat,
// the thumb drag, the wheel, and the end of the window.
#include <windowsx.h>

#include "common/win_dpi_win32.h"

#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_richedit_scroll_record_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"

namespace {

using Record = SkinRichScrollRecord;

// A class atom whose windows keep the control's own wheel handling.
constexpr ATOM kOwnWheelParentAtom = 49180;

Record* Find(HWND window) {
    std::lock_guard<std::mutex> lock(SkinRichScrollLock());
    return SkinRichScrollRecordOf(window);
}

LRESULT CallPrevious(Record& r, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(r.previous, r.window, message, wParam, lParam);
}

POINT WindowPoint(HWND window, POINT screen) {
    RECT outer{};
    ::GetWindowRect(window, &outer);
    return POINT{screen.x - outer.left, screen.y - outer.top};
}

POINT CursorInWindow(HWND window) {
    POINT p{};
    ::GetCursorPos(&p);
    return WindowPoint(window, p);
}

// The part code under a point of the window, 0 for none.
int PartCodeAt(const SkinRichLayout& layout, const SkinRichScrollState& state, POINT p) {
    for (int i = 0; i < 2; ++i) {
        const SkinRichPart part = SkinRichPartAt(layout.bar[i], p.x, p.y, SkinRichBarDisableBits(state.disableBits, i));
        if (part != SkinRichPart::None) return SkinRichPartCode(part, i);
    }
    return 0;
}

// The scroll command of a pressed part (SB_LINEUP ... SB_PAGEDOWN).
int CommandOf(SkinRichPart part) {
    switch (part) {
        case SkinRichPart::FirstArrow:
            return SB_LINEUP;
        case SkinRichPart::SecondArrow:
            return SB_LINEDOWN;
        case SkinRichPart::TrackBefore:
            return SB_PAGEUP;
        case SkinRichPart::TrackAfter:
            return SB_PAGEDOWN;
        default:
            return -1;
    }
}

// Sends a scroll message to the window; the record that is left afterwards
// (null when the window went meanwhile).
Record* SendScroll(HWND window, int bar, WPARAM wParam) {
    ::SendMessageW(window, bar == 1 ? WM_VSCROLL : WM_HSCROLL, wParam, 0);
    return Find(window);
}

void Redraw(Record& r, int code) {
    if (code) SkinRichDrawBars(r, 1u << SkinRichCodeBar(code), false);
}

void SetHot(Record& r, int code) {
    if (code == r.hot) return;
    const int old = r.hot;
    r.hot = code;
    Redraw(r, old);
    if (!old || SkinRichCodeBar(old) != SkinRichCodeBar(code)) Redraw(r, code);
}

// ----- presses -----

void Press(Record& r, const SkinRichLayout& layout, int code, POINT p) {
    HWND window = r.window;
    const int bar = SkinRichCodeBar(code);
    const SkinRichPart part = SkinRichCodePart(code);
    r.pressed = r.hot = code;
    r.tracking = true;
    ::SetCapture(window);
    if (part == SkinRichPart::Thumb) {
        const SkinRichBar& b = layout.bar[bar];
        const int along = b.vertical ? p.y - b.rect.top : p.x - b.rect.left;
        r.dragOffset = along - (b.trackStart + b.thumb.offset);
        r.dragPositionSet = false;
        std::lock_guard<std::mutex> lock(SkinRichScrollLock());
        r.state.bar[bar].trackPosition = r.state.bar[bar].position;
    } else {
        r.command = CommandOf(part);
    }
    SkinRichDrawBars(r, 1u << bar, false);
    if (part == SkinRichPart::Thumb) return;
    if (!SendScroll(window, bar, static_cast<WPARAM>(r.command))) return;
    // Held, the press repeats after a first delay.
    ::SetTimer(window, kSkinRichTimerDelay, 400, nullptr);
}

void Release(HWND window) {
    Record* r = Find(window);
    if (!r || !r->pressed) return;
    const int code = r->pressed;
    const bool thumb = SkinRichCodePart(code) == SkinRichPart::Thumb;
    const bool positionSet = r->dragPositionSet;
    const int position = r->dragPosition;
    // Cleared first: losing the capture below comes back here.
    r->pressed = 0;
    r->tracking = false;
    r->dragPositionSet = false;
    r->command = -1;
    ::KillTimer(window, kSkinRichTimerDelay);
    ::KillTimer(window, kSkinRichTimerRepeat);
    if (::GetCapture() == window) ::ReleaseCapture();
    const int bar = SkinRichCodeBar(code);
    if (thumb && positionSet &&
        !(r = SendScroll(window, bar, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(position)))))
        return;
    if (!(r = SendScroll(window, bar, SB_ENDSCROLL))) return;
    SkinRichScrollState state;
    const SkinRichLayout layout = SkinRichLayoutNow(*r, &state);
    r->hot = thumb ? PartCodeAt(layout, state, CursorInWindow(window)) : 0;
    SkinRichDrawBars(*r, 3, false);
}

void Drag(Record& r, POINT p) {
    HWND window = r.window;
    const int bar = SkinRichCodeBar(r.pressed);
    SkinRichScrollState state;
    const SkinRichLayout layout = SkinRichLayoutNow(r, &state);
    const SkinRichBar& b = layout.bar[bar];
    if (!b.HasThumb()) return;
    const int along = b.vertical ? p.y - b.rect.top : p.x - b.rect.left;
    const int travel = b.trackLength - b.thumb.length;
    const int offset = std::max(0, along - r.dragOffset - b.trackStart);
    const SkinScrollBarCopy& copy = state.bar[bar];
    std::optional<int> position =
        SkinScrollDragPosition(std::min(offset, travel), b.trackLength, b.thumb.length,
                               SkinScrollValues{copy.minimum, copy.maximum, copy.page, copy.position});
    if (!position) return;
    const int current = r.dragPositionSet ? r.dragPosition : copy.position;
    if (*position == current) return;
    r.dragPosition = *position;
    r.dragPositionSet = true;
    {
        std::lock_guard<std::mutex> lock(SkinRichScrollLock());
        r.state.bar[bar].trackPosition = *position;
    }
    // Rich-edit controls scroll on SB_THUMBPOSITION; others follow the track.
    const WORD command = r.richEdit ? SB_THUMBPOSITION : SB_THUMBTRACK;
    Record* left = SendScroll(window, bar, MAKEWPARAM(command, static_cast<WORD>(*position)));
    if (left) SkinRichDrawBars(*left, 1u << bar, false);
}

// ----- messages -----

LRESULT OnNcCalcSize(Record& r, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallPrevious(r, WM_NCCALCSIZE, wParam, lParam);
    auto* rect = reinterpret_cast<RECT*>(lParam);
    if (!rect) return result;
    // The system took its own bar sizes out; the layer's bars are thinner.
    const uint32_t style = skin_unhooked::Style(r.window);
    const int t = r.metrics.thickness;
    const UINT dpi = static_cast<UINT>(r.scale.Dpi());
    if (style & WS_HSCROLL) rect->bottom += win::SystemMetricForDpi(SM_CYHSCROLL, dpi) - t;
    if (style & WS_VSCROLL) {
        if (r.leftScrollBar)
            rect->left -= win::SystemMetricForDpi(SM_CXVSCROLL, dpi) - t;
        else
            rect->right += win::SystemMetricForDpi(SM_CXVSCROLL, dpi) - t;
    }
    return result;
}

LRESULT OnNcPaint(Record& r, WPARAM wParam, LPARAM lParam) {
    HWND window = r.window;
    if (!::IsWindowVisible(window)) return CallPrevious(r, WM_NCPAINT, wParam, lParam);
    // The system paints the border without its bars; the layer adds its own.
    const uint32_t style = skin_unhooked::Style(window);
    ++r.suppressStyle;
    skin_unhooked::SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style & ~(WS_HSCROLL | WS_VSCROLL)));
    const LRESULT result = CallPrevious(r, WM_NCPAINT, wParam, lParam);
    Record* left = Find(window);
    if (!left) return result;
    skin_unhooked::SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    --left->suppressStyle;
    SkinRichDrawBars(*left, 3, true);
    return result;
}

LRESULT OnStyleChanged(Record& r, WPARAM wParam, LPARAM lParam) {
    if (r.suppressStyle > 0) return 0;
    const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
    if (change && wParam == static_cast<WPARAM>(GWL_EXSTYLE)) {
        const bool left = (change->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
        if (left != r.leftScrollBar) {
            r.leftScrollBar = left;
            ::SetWindowPos(r.window, nullptr, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else if (change && wParam == static_cast<WPARAM>(GWL_STYLE)) {
        // Bars shown or hidden by the style itself.
        std::lock_guard<std::mutex> lock(SkinRichScrollLock());
        r.state.bar[0].shown = (change->styleNew & WS_HSCROLL) != 0;
        r.state.bar[1].shown = (change->styleNew & WS_VSCROLL) != 0;
    }
    return CallPrevious(r, WM_STYLECHANGED, wParam, lParam);
}

LRESULT OnNcMouseMove(Record& r, WPARAM wParam, LPARAM lParam) {
    if (r.tracking) return CallPrevious(r, WM_NCMOUSEMOVE, wParam, lParam);
    if (!r.trackingLeave) r.trackingLeave = SkinTrackMouse(r.window, TME_NONCLIENT | TME_LEAVE);
    SkinRichScrollState state;
    const SkinRichLayout layout = SkinRichLayoutNow(r, &state);
    const POINT p = WindowPoint(r.window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (layout.sizeBox.Contains(p.x, p.y)) {
        SetHot(r, 0);
        return CallPrevious(r, WM_NCMOUSEMOVE, wParam, lParam);
    }
    for (int i = 0; i < 2; ++i) {
        if (!layout.bar[i].present || !layout.bar[i].rect.Contains(p.x, p.y)) continue;
        if (!layout.bar[i].HasThumb()) {
            SetHot(r, 0);
            return 0;
        }
        SetHot(r, PartCodeAt(layout, state, p));
        return 0;
    }
    SetHot(r, 0);
    return CallPrevious(r, WM_NCMOUSEMOVE, wParam, lParam);
}

LRESULT OnNcButtonDown(Record& r, UINT message, WPARAM wParam, LPARAM lParam) {
    SkinRichScrollState state;
    const SkinRichLayout layout = SkinRichLayoutNow(r, &state);
    const POINT p = WindowPoint(r.window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    for (int i = 0; i < 2; ++i) {
        if (!layout.bar[i].present || !layout.bar[i].rect.Contains(p.x, p.y)) continue;
        // The system must never start tracking its own bar here.
        if (!layout.bar[i].HasThumb()) return 0;
        const int code = PartCodeAt(layout, state, p);
        if (code) Press(r, layout, code, p);
        return 0;
    }
    if (message == WM_NCLBUTTONDBLCLK) return 0;
    return CallPrevious(r, message, wParam, lParam);
}

LRESULT OnMouseMove(Record& r, WPARAM wParam, LPARAM lParam) {
    if (!r.tracking || !r.pressed) return CallPrevious(r, WM_MOUSEMOVE, wParam, lParam);
    if (!(wParam & MK_LBUTTON)) return 0;
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(r.window, &screen);
    const POINT p = WindowPoint(r.window, screen);
    if (SkinRichCodePart(r.pressed) == SkinRichPart::Thumb) {
        Drag(r, p);
        return 0;
    }
    // The pressed part shows pressed only while the cursor is on it.
    SkinRichScrollState state;
    const SkinRichLayout layout = SkinRichLayoutNow(r, &state);
    SetHot(r, PartCodeAt(layout, state, p) == r.pressed ? r.pressed : 0);
    return 0;
}

LRESULT OnTimer(Record& r, WPARAM wParam, LPARAM lParam) {
    HWND window = r.window;
    if (wParam == kSkinRichTimerDelay) {
        ::KillTimer(window, kSkinRichTimerDelay);
        if (r.pressed) ::SetTimer(window, kSkinRichTimerRepeat, 50, nullptr);
        return 0;
    }
    if (wParam != kSkinRichTimerRepeat) return CallPrevious(r, WM_TIMER, wParam, lParam);
    const int bar = SkinRichCodeBar(r.pressed);
    SkinRichScrollState state;
    const SkinRichLayout layout = SkinRichLayoutNow(r, &state);
    const int under = PartCodeAt(layout, state, CursorInWindow(window));
    const SkinRichPart underPart =
        under && SkinRichCodeBar(under) == bar ? SkinRichCodePart(under) : SkinRichPart::None;
    const SkinRichRepeat tick =
        SkinRichRepeatTick(r.pressed ? SkinRichCodePart(r.pressed) : SkinRichPart::None, underPart);
    if (tick.stop) {
        ::KillTimer(window, kSkinRichTimerRepeat);
        return 0;
    }
    if (tick.send) SendScroll(window, bar, static_cast<WPARAM>(r.command));
    return 0;
}

LRESULT OnMouseWheel(Record& r, WPARAM wParam, LPARAM lParam) {
    HWND parent = ::GetParent(r.window);
    const bool ownWheel = parent && ::GetClassLongPtrW(parent, GCW_ATOM) == kOwnWheelParentAtom;
    const short delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if (!GetSkinWndManager()->NewerSystem() || ownWheel || delta == 0)
        return CallPrevious(r, WM_MOUSEWHEEL, wParam, lParam);
    // One line a notch, as the layer's own bars move.
    SendScroll(r.window, 1, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
    return 0;
}

LRESULT Handle(Record& r, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_STYLECHANGING:
            return r.suppressStyle > 0 ? 0 : CallPrevious(r, message, wParam, lParam);
        case WM_STYLECHANGED:
            return OnStyleChanged(r, wParam, lParam);
        case WM_NCCALCSIZE:
            return OnNcCalcSize(r, wParam, lParam);
        case WM_NCHITTEST: {
            const SkinRichLayout layout = SkinRichLayoutNow(r);
            const POINT p = WindowPoint(r.window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            const int code = SkinRichHitTest(layout, p.x, p.y);
            return code ? code : CallPrevious(r, message, wParam, lParam);
        }
        case WM_NCPAINT:
            return OnNcPaint(r, wParam, lParam);
        case WM_NCMOUSEMOVE:
            return OnNcMouseMove(r, wParam, lParam);
        case WM_NCMOUSELEAVE:
            r.trackingLeave = false;
            if (!r.tracking) SetHot(r, 0);
            return CallPrevious(r, message, wParam, lParam);
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            return OnNcButtonDown(r, message, wParam, lParam);
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_NCRBUTTONDBLCLK:
            return 0;
        case WM_MOUSEMOVE:
            return OnMouseMove(r, wParam, lParam);
        case WM_LBUTTONUP:
            if (!r.pressed) return CallPrevious(r, message, wParam, lParam);
            Release(r.window);
            return 0;
        case WM_CAPTURECHANGED: {
            // Losing the mouse ends a press; a held press would repeat forever.
            HWND window = r.window;
            const LRESULT result = CallPrevious(r, message, wParam, lParam);
            if (reinterpret_cast<HWND>(lParam) != window) Release(window);
            return result;
        }
        case WM_TIMER:
            return OnTimer(r, wParam, lParam);
        case WM_MOUSEWHEEL:
            return OnMouseWheel(r, wParam, lParam);
        default:
            return CallPrevious(r, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK SkinRichScrollWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Record* r = Find(window);
    if (!r) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        LRESULT result = 0;
        try {
            result = CallPrevious(*r, message, wParam, lParam);
        } catch (...) {
        }
        SkinRichScrollForget(window);
        return result;
    }
    if (r->passThrough) return CallPrevious(*r, message, wParam, lParam);
    try {
        return Handle(*r, message, wParam, lParam);
    } catch (...) {
        return 0;  // nothing unwinds into the system's message dispatch
    }
}
