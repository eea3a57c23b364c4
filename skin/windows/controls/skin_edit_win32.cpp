#include "skin/windows/controls/skin_edit_win32.h"

#include <algorithm>

#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_messages.h"

struct SkinEditTable {
    using E = CSkinEditSB;
    static constexpr SkinMessageEntry<E> kMessages[] = {
        {WM_CREATE, &E::OnScrollCreate},
        {WM_SKIN_REINIT, &E::OnScrollReinit},
        {WM_SIZE, &E::PassThenRedrawBars},
        {WM_KEYDOWN, &E::PassThenRedrawBars},
        {WM_HSCROLL, &E::PassThenRedrawBars},
        {WM_VSCROLL, &E::PassThenRedrawBars},
        {WM_ENABLE, &E::OnEnable},
        {WM_SETFONT, &E::OnSetFont},
        {WM_MOUSEMOVE, &E::OnMouseMove},
        {WM_TIMER, &E::OnTimer},
        {WM_NCCALCSIZE, &E::OnScrollNcCalcSize},
        {WM_NCHITTEST, &E::OnScrollNcHitTest},
        {WM_NCPAINT, &E::OnNcPaint},
        {WM_NCMOUSEMOVE, &E::OnNcMouseMove},
        {WM_NCLBUTTONDOWN, &E::OnScrollNcButtonDown},
        {WM_NCLBUTTONDBLCLK, &E::OnScrollNcButtonDown},
        {WM_NCLBUTTONUP, &E::OnScrollNcButtonUp},
        {WM_NCMOUSELEAVE, &E::OnScrollNcMouseLeave},
        {WM_CAPTURECHANGED, &E::OnScrollCaptureChanged},
    };
};

CSkinEditSB::CSkinEditSB(HWND window) : CSkinScroller(window) {}

CSkinEditSB::~CSkinEditSB() = default;

LRESULT CSkinEditSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinEditTable::kMessages, message);
}

std::wstring CSkinEditSB::ScrollBarImageId() const {
    const SkinEditDesc* desc = EditDescription();
    return desc ? desc->bmpScrollbar : std::wstring();
}

void CSkinEditSB::ApplyDescription() {
    NotifyLayout();
    const SkinEditDesc* desc = EditDescription();
    if (!desc) return;
    // A theme font replaces the edit's own; without one the edit keeps it.
    if (!desc->font.empty()) {
        font_ = SkinControlFont(window_, desc->font, scale_);
        if (font_) ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    ApplyMargins();
}

void CSkinEditSB::AdjustColors(const SkinColorShift& shift) {
    CSkinScroller::AdjustColors(shift);
    const SkinEditDesc* desc = EditDescription();
    frameNormal_ = desc ? SkinThemePicture(desc->bmpFrameNormal) : nullptr;
    frameOver_ = desc ? SkinThemePicture(desc->bmpFrameOver) : nullptr;
    normalBrush_ = SkinGraphics().CreateSolidBrush(BackgroundColor(false));
    disabledBrush_ = SkinGraphics().CreateSolidBrush(BackgroundColor(true));
}

void CSkinEditSB::OnAttached() {
    InitScrollBars();
    RedrawFrame();
}

void CSkinEditSB::OnReskinned() {
    ApplyMargins();
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

SkinColor CSkinEditSB::TextColor() const {
    const SkinEditDesc* desc = EditDescription();
    return desc ? desc->textColor : ::GetSysColor(COLOR_WINDOWTEXT);
}

SkinColor CSkinEditSB::BackgroundColor(bool readOnlyOrDisabled) const {
    const SkinEditDesc* desc = EditDescription();
    if (!desc) return ::GetSysColor(readOnlyOrDisabled ? COLOR_BTNFACE : COLOR_WINDOW);
    return readOnlyOrDisabled ? desc->backgroundDisableColor : desc->backgroundNormalColor;
}

HBRUSH CSkinEditSB::BackgroundBrush(bool readOnlyOrDisabled) const {
    return readOnlyOrDisabled ? disabledBrush_.get() : normalBrush_.get();
}

void CSkinEditSB::ApplyMargins() {
    const SkinEditDesc* desc = EditDescription();
    if (!desc) return;
    // The theme's margins are 96-DPI numbers.
    auto margin = [&](int value) { return std::clamp(Scale().Scale(value), 0, 0x7FFF); };
    ::SendMessageW(window_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELONG(margin(desc->nmarginleft), margin(desc->nmarginright)));
}

void CSkinEditSB::RedrawFrame() { SkinRedrawWhole(window_); }

// ----- messages -----

bool CSkinEditSB::OnEnable(const SkinMessage& m, LRESULT* result) {
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (!watch.Gone()) RedrawFrame();
    return true;
}

bool CSkinEditSB::OnSetFont(const SkinMessage& m, LRESULT* result) {
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (!watch.Gone()) ApplyMargins();  // a new font brings the edit's own margins back
    return true;
}

void CSkinEditSB::StartHover() {
    if (hover_ || !frameOver_) return;
    hover_ = true;
    hoverTimer_ = ::SetTimer(window_, kSkinTimerHoverPoll, 100, nullptr) != 0;
    RedrawFrame();
}

bool CSkinEditSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    StartHover();
    return false;
}

bool CSkinEditSB::OnNcMouseMove(const SkinMessage& m, LRESULT* result) {
    StartHover();
    return OnScrollNcMouseMove(m, result);
}

bool CSkinEditSB::OnTimer(const SkinMessage& m, LRESULT* result) {
    if (m.wParam != kSkinTimerHoverPoll) return false;
    *result = 0;
    if (SkinCursorOverWindow(window_)) return true;
    ::KillTimer(window_, kSkinTimerHoverPoll);
    hoverTimer_ = false;
    hover_ = false;
    if (!ScrollBusy()) ScrollLeave();
    RedrawFrame();
    return true;
}

SkinColor CSkinEditSB::BorderColor() const {
    const SkinEditDesc* desc = EditDescription();
    return desc ? desc->borderColor : CSkinScroller::BorderColor();
}

bool CSkinEditSB::OnNcPaint(const SkinMessage& m, LRESULT* result) {
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    CSkinDrawImage* picture = hover_ && enabled && frameOver_ ? frameOver_ : frameNormal_;
    // Without frame pictures: a flat border in the skin's border colour.
    if (!picture) return OnScrollNcPaint(m, result);
    *result = 0;
    if (!::IsWindowVisible(window_)) return true;
    // Never passed on: the system would draw its own bars.
    win::WindowDc dc = skin_unhooked::WindowDc(window_);
    if (!dc.get()) return true;
    SkinDrawFramePicture(window_, dc.get(), *picture, ClientWithBars(), Scale());
    DrawScrollBars(dc.get(), true);
    return true;
}
