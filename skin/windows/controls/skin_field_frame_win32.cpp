#include "skin/windows/controls/skin_field_frame_win32.h"

#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_field_layout.h"
#include "skin/windows/manager/skin_class_proc_win32.h"
#include "skin/windows/manager/skin_timer_win32.h"

namespace {

// Polls the cursor while the field is hovered: the field's own windows (an
// IP address's fields, a date-time picker's spin) take the mouse from it
// without the field hearing of the leave that follows.
constexpr UINT_PTR kHoverPollTimer = 0x5EB1;
// Corners of the frame picture kept unscaled.
constexpr int kFrameCorner = 4;

}  // namespace

CSkinFieldFrame::CSkinFieldFrame(HWND window) : CSkinBase(window) {}

CSkinFieldFrame::~CSkinFieldFrame() { SkinStopTimer(window_, kHoverPollTimer); }

void CSkinFieldFrame::LoadFrame(const std::wstring& normalId, const std::wstring& overId, SkinColor borderColor) {
    frameNormal_ = SkinPictureOf(normalId);
    frameOver_ = SkinPictureOf(overId);
    borderColor_ = borderColor;
}

bool CSkinFieldFrame::FrameFocused() const { return ::GetFocus() == window_; }

void CSkinFieldFrame::OnTimer(uintptr_t id) {
    if (id != kHoverPollTimer) return;
    if (!SkinCursorWithin(window_)) EndHover();
}

void CSkinFieldFrame::StartHover(bool nonClient) {
    if (!SkinStartPolledHover(window_, hover_, kHoverPollTimer, TME_LEAVE | (nonClient ? TME_NONCLIENT : 0))) return;
    RedrawFrame();
    OnHoverChanged();
}

void CSkinFieldFrame::EndHover() {
    if (!SkinEndPolledHover(window_, hover_, kHoverPollTimer)) return;
    RedrawFrame();
    OnHoverChanged();
}

void CSkinFieldFrame::RedrawFrame() { SkinRedrawWhole(window_); }

void CSkinFieldFrame::ChangeFrame() {
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void CSkinFieldFrame::PaintFrame() {
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    CSkinDrawImage* picture =
        SkinFieldFrameOver(enabled, hover_, FrameFocused()) && frameOver_ ? frameOver_ : frameNormal_;
    const int line = SkinScaledPenWidth(scale_, 1);
    SkinPaintRing(window_, scale_, [&](ISkinCanvas& canvas, const SkinRect& whole) {
        if (SkinDrawPicture(canvas, picture, whole, kFrameCorner)) return;
        canvas.FillSolid(whole, SkinFieldBackground(enabled));
        canvas.FillSolid(SkinRect{whole.left, whole.top, whole.right, whole.top + line}, borderColor_);
        canvas.FillSolid(SkinRect{whole.left, whole.bottom - line, whole.right, whole.bottom}, borderColor_);
        canvas.FillSolid(SkinRect{whole.left, whole.top, whole.left + line, whole.bottom}, borderColor_);
        canvas.FillSolid(SkinRect{whole.right - line, whole.top, whole.right, whole.bottom}, borderColor_);
    });
}

bool CSkinFieldFrame::OnFrameNcCalcSize(const SkinMessage& m, LRESULT* result) {
    // Both forms start with the window rectangle that becomes the client's.
    auto* rect = reinterpret_cast<RECT*>(m.lParam);
    *result = 0;
    if (!rect) return true;
    *rect = win::ToRect(SkinFieldClient(win::ToSkinRect(*rect), metrics_.frame));
    return true;
}

bool CSkinFieldFrame::OnFrameNcPaint(const SkinMessage&, LRESULT* result) {
    *result = 0;
    if (::IsWindowVisible(window_)) PaintFrame();
    return true;
}

bool CSkinFieldFrame::OnFrameMouseMove(const SkinMessage& m, LRESULT*) {
    StartHover(m.message == WM_NCMOUSEMOVE);
    return false;
}

bool CSkinFieldFrame::OnFrameMouseHover(const SkinMessage&, LRESULT*) {
    StartHover(false);
    return false;
}

bool CSkinFieldFrame::OnFrameSetCursor(const SkinMessage& m, LRESULT*) {
    if (HIWORD(m.lParam) == WM_MOUSEMOVE) StartHover(LOWORD(m.lParam) != HTCLIENT);
    return false;
}

bool CSkinFieldFrame::OnFrameMouseLeave(const SkinMessage&, LRESULT*) {
    if (!SkinCursorWithin(window_)) EndHover();
    return false;
}

bool CSkinFieldFrame::OnFramePassThenRedraw(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    RedrawFrame();
    SkinInvalidate(window_);
    return true;
}
