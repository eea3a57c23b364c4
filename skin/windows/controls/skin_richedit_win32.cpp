#include "skin/windows/controls/skin_richedit_win32.h"

#include "common/win_dpi_win32.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_richedit_scroll_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"

struct SkinRichEditTable {
    using R = CSkinRichEditSB;
    static constexpr SkinMessageEntry<R> kMessages[] = {
        {WM_CREATE, &R::OnCreate},       {WM_SKIN_REINIT, &R::OnCreate},    {WM_NCPAINT, &R::OnNcPaint},
        {WM_MOUSEMOVE, &R::OnMouseMove}, {WM_NCMOUSEMOVE, &R::OnMouseMove}, {WM_TIMER, &R::OnTimer},
    };
};

CSkinRichEditSB::CSkinRichEditSB(HWND window) : CSkinBase(window) {}

CSkinRichEditSB::~CSkinRichEditSB() = default;

LRESULT CSkinRichEditSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinRichEditTable::kMessages, message);
}

void CSkinRichEditSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinRichEditDesc* desc = RichEditDescription();
    frameNormal_ = desc ? SkinThemePicture(desc->bmpFrameNormal) : nullptr;
    frameOver_ = desc ? SkinThemePicture(desc->bmpFrameOver) : nullptr;
    std::wstring scroll = desc ? desc->bmpScrollbar : std::wstring();
    if (scroll.empty()) scroll = GetSkinWndManager()->DefaultScrollBarImage();
    scrollBarImage_ = SkinThemePicture(scroll);
    if (scrollBarImage_) SkinRichEditScrollSetPicture(window_, scrollBarImage_);
}

void CSkinRichEditSB::OnAttached() {
    UpdateLayer();
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void CSkinRichEditSB::OnReskinned() {
    UpdateLayer();
    RedrawFrame();
}

void CSkinRichEditSB::UpdateLayer() {
    if (scrollBarImage_ && SkinRichEditScrollOn(window_, scrollBarImage_, Scale())) {
        // The layer's procedure is the top of the chain now: whoever
        // subclasses the window later goes beneath both.
        classProc_ = SkinRichEditScrollProc();
    } else {
        SkinRichEditScrollOff(window_);
        classProc_ = &SkinClassProc<CSkinRichEditSB>;
    }
}

void CSkinRichEditSB::OnScaleChanged() {
    SkinRichEditScrollSetScale(window_, Scale());
    RedrawFrame();
}

void CSkinRichEditSB::RedrawFrame() { SkinRedrawWhole(window_); }

bool CSkinRichEditSB::OnCreate(const SkinMessage& m, LRESULT* result) {
    *result = m.message == WM_CREATE ? SkinCallPrevious(*this, m) : 0;
    UpdateLayer();
    return true;
}

bool CSkinRichEditSB::OnNcPaint(const SkinMessage& m, LRESULT* result) {
    CSkinDrawImage* picture = hover_ && frameOver_ && ::IsWindowEnabled(window_) ? frameOver_ : frameNormal_;
    if (!picture || !::IsWindowVisible(window_)) return false;
    // The control's border is the system's; the skin's picture goes over
    // it, outside the client area and the bars.
    *result = SkinCallPrevious(*this, m);
    SkinRect inner = SkinClientInWindow(window_);
    const auto style = skin_unhooked::Style(window_);
    const auto exStyle = skin_unhooked::ExStyle(window_);
    if (style & WS_VSCROLL) {
        if (exStyle & WS_EX_LEFTSCROLLBAR)
            inner.left -= win::SystemMetricForDpi(SM_CXVSCROLL, Scale().Dpi());
        else
            inner.right += win::SystemMetricForDpi(SM_CXVSCROLL, Scale().Dpi());
    }
    if (style & WS_HSCROLL) inner.bottom += win::SystemMetricForDpi(SM_CYHSCROLL, Scale().Dpi());
    win::WindowDc dc = skin_unhooked::WindowDc(window_);
    if (dc.get()) SkinDrawFramePicture(window_, dc.get(), *picture, inner, Scale());
    return true;
}

bool CSkinRichEditSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    if (!hover_ && frameOver_) {
        hover_ = true;
        ::SetTimer(window_, kSkinTimerHoverPoll, 100, nullptr);
        RedrawFrame();
    }
    return false;
}

bool CSkinRichEditSB::OnTimer(const SkinMessage& m, LRESULT* result) {
    if (m.wParam != kSkinTimerHoverPoll) return false;
    *result = 0;
    if (SkinCursorOverWindow(window_)) return true;
    ::KillTimer(window_, kSkinTimerHoverPoll);
    hover_ = false;
    RedrawFrame();
    return true;
}
