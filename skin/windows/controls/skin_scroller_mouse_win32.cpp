// The scroller and the mouse: hover, press (one scroll message per press),
// the thumb drag in a message loop of its own, release and leave.
#include <windowsx.h>

#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_scroller_win32.h"

namespace {

// A non-client leave for windows, a client leave for the scroll-bar control.
void TrackLeave(HWND window, bool client) { SkinTrackMouse(window, client ? TME_LEAVE : TME_LEAVE | TME_NONCLIENT); }

}  // namespace

bool CSkinScroller::OnScrollNcMouseMove(const SkinMessage& m, LRESULT*) {
    ScrollHover(BarPoint(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}));
    return false;
}

bool CSkinScroller::OnScrollNcButtonDown(const SkinMessage& m, LRESULT* result) {
    if (!ScrollPress(BarPoint(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}))) return false;
    *result = 0;
    return true;
}

bool CSkinScroller::OnScrollNcButtonUp(const SkinMessage& m, LRESULT*) {
    ScrollRelease(BarPoint(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}));
    return false;
}

bool CSkinScroller::OnScrollNcMouseLeave(const SkinMessage& m, LRESULT*) {
    ScrollLeave();
    return false;
}

bool CSkinScroller::OnScrollCaptureChanged(const SkinMessage& m, LRESULT*) {
    // The drag's loop waits in GetMessage; wake it so it sees the loss.
    if (tracking_) ::PostMessageW(window_, WM_NULL, 0, 0);
    return false;
}

void CSkinScroller::SetVisual(int bar, SkinScrollPart part, int state) {
    if (part == SkinScrollPart::None) {
        bar = -1;
        state = 0;
    }
    if (bar == visualBar_ && part == visualPart_ && state == visualState_) return;
    if (visualBar_ >= 0) dirty_[visualBar_] = true;
    if (bar >= 0) dirty_[bar] = true;
    visualBar_ = bar;
    visualPart_ = part;
    visualState_ = state;
    DrawScrollBars(nullptr, false);
}

bool CSkinScroller::ScrollHover(POINT p) {
    if (ScrollBusy()) return false;
    ComputeGeometry();
    for (int i = 0; i < 2; ++i) {
        if (!present_[i] || !geometry_[i].bar.Contains(p.x, p.y)) continue;
        const SkinScrollPart part = SkinScrollPartAt(geometry_[i], p.x, p.y);
        SetVisual(i, part, 1);
        // The hover must end even when the mouse leaves from the bar.
        if (!trackingLeave_) {
            TrackLeave(window_, scrollBarControl_);
            trackingLeave_ = true;
        }
        return true;
    }
    SetVisual(-1, SkinScrollPart::None, 0);
    return false;
}

bool CSkinScroller::ScrollPress(POINT p) {
    ComputeGeometry();
    for (int i = 0; i < 2; ++i) {
        if (!present_[i] || !geometry_[i].bar.Contains(p.x, p.y)) continue;
        const SkinScrollPart part = SkinScrollPartAt(geometry_[i], p.x, p.y);
        if (part == SkinScrollPart::None) return true;  // a disabled bar takes no press
        activeBar_ = i;
        pressedPart_ = part;
        if (part == SkinScrollPart::Thumb) {
            tracking_ = true;
            drag_ = SkinStartScrollDrag(geometry_[i], p.x, p.y);
            WithBars([&](SkinScrollBars& bars) {
                lastPosition_ = bars.bar[i].position;
                bars.bar[i].trackPosition = bars.bar[i].position;
            });
        }
        SetVisual(i, part, 2);
        if (part == SkinScrollPart::Thumb) {
            TrackThumb();
        } else {
            // One message per press: holding the button does not repeat it.
            SendScroll(i, static_cast<WPARAM>(SkinScrollCommand(part)));
        }
        return true;
    }
    return false;
}

bool CSkinScroller::ScrollRelease(POINT p) {
    const bool pending = ScrollBusy();
    FinishPress(p);
    return pending;
}

bool CSkinScroller::FinishPress(POINT p) {
    if (tracking_ && !EndDrag()) return false;  // the window went with the drag's messages
    pressedPart_ = SkinScrollPart::None;
    activeBar_ = -1;
    ComputeGeometry();
    int bar = -1;
    SkinScrollPart part = SkinScrollPart::None;
    for (int i = 0; i < 2 && part == SkinScrollPart::None; ++i) {
        if (!present_[i]) continue;
        part = SkinScrollPartAt(geometry_[i], p.x, p.y);
        if (part != SkinScrollPart::None) bar = i;
    }
    SetVisual(bar, part, 1);
    DrawScrollBars(nullptr, true);
    return true;
}

void CSkinScroller::ScrollLeave() {
    trackingLeave_ = false;
    if (tracking_) return;  // the drag holds the mouse
    pressedPart_ = SkinScrollPart::None;
    activeBar_ = -1;
    SetVisual(-1, SkinScrollPart::None, 0);
}

bool CSkinScroller::SendScroll(int bar, WPARAM wParam) {
    const UINT message = bar == 1 ? WM_VSCROLL : WM_HSCROLL;
    {
        DestroyWatch watch(*this);
        if (scrollBarControl_) {
            if (HWND parent = ::GetParent(window_))
                ::SendMessageW(parent, message, wParam, reinterpret_cast<LPARAM>(window_));
        } else {
            ::SendMessageW(window_, message, wParam, 0);
        }
        // The window may be gone now (the application closed it while
        // scrolling); then this object is too.
        if (watch.Gone()) return false;
    }
    OnScrolled(bar, LOWORD(wParam));
    return true;
}

void CSkinScroller::TrackThumb() {
    // The drag holds the mouse, so a release anywhere ends it.
    const bool took = ::GetCapture() != window_;
    if (took) ::SetCapture(window_);
    DestroyWatch watch(*this);
    bool released = false;
    MSG msg{};
    while (::GetCapture() == window_) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            break;
        }
        if (got == -1) break;
        if (msg.hwnd == window_ && msg.message == WM_MOUSEMOVE) {
            DragTo(BarPoint(msg.pt));
        } else if (msg.hwnd == window_ && msg.message == WM_LBUTTONUP) {
            released = true;
            break;
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (watch.Gone()) return;  // the window and this object are gone
    }
    // A release, or the capture taken elsewhere: either way the drag ends.
    POINT at = msg.pt;
    if (!released) ::GetCursorPos(&at);
    if (!FinishPress(BarPoint(at))) return;
    if (took && ::GetCapture() == window_) ::ReleaseCapture();
}

void CSkinScroller::DragTo(POINT p) {
    const int i = activeBar_;
    if (i < 0 || !tracking_) return;
    const SkinScrollBarGeometry& g = geometry_[i];
    bool send = false;
    int position = 0;
    if (SkinScrollDragMove(drag_, g, p.x, p.y, ScrollMetrics())) {
        WithBars([&](SkinScrollBars& bars) {
            SkinScrollBarCopy& copy = bars.bar[i];
            std::optional<int> at =
                SkinScrollDragPosition(drag_.offset, g.trackLength, g.span.length,
                                       SkinScrollValues{copy.minimum, copy.maximum, copy.page, copy.position});
            if (!at) return;
            copy.trackPosition = *at;
            if (*at == lastPosition_) return;
            lastPosition_ = position = *at;
            copy.position = *at;
            send = true;
        });
    }
    if (send && !SendScroll(i, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(position)))) return;
    DrawScrollBars(nullptr, false);
}

bool CSkinScroller::EndDrag() {
    if (!tracking_) return true;
    const int bar = activeBar_;
    tracking_ = false;
    if (!SendScroll(bar, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(lastPosition_)))) return false;
    return SendScroll(bar, SB_ENDSCROLL);
}
