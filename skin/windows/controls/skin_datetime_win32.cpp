#include "skin/windows/controls/skin_datetime_win32.h"

#include <windowsx.h>
#include <commctrl.h>

#include <string>

#include "common/win_dpi_win32.h"
#include "common/win_handles.h"
#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_field_layout.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinDateTimeTable {
    using D = CSkinDateTimeSB;
    static constexpr SkinMessageEntry<D> kMessages[] = {
        {WM_NCPAINT, &D::OnFrameNcPaint},
        {WM_PAINT, &D::OnPaint},
        {WM_CREATE, &D::OnCreate},
        {WM_SETFOCUS, &D::OnFramePassThenRedraw},
        {WM_KILLFOCUS, &D::OnFramePassThenRedraw},
        {WM_ENABLE, &D::OnFramePassThenRedraw},
        {WM_MOUSEMOVE, &D::OnMouseMove},
        {WM_MOUSEHOVER, &D::OnFrameMouseHover},
        // The mouse over the field's own windows too.
        {WM_SETCURSOR, &D::OnFrameSetCursor},
        {WM_MOUSELEAVE, &D::OnMouseLeave},
        {WM_LBUTTONDOWN, &D::OnButtonDown},
        {WM_LBUTTONUP, &D::OnButtonUp},
        // The paint covers the whole client area.
        {WM_ERASEBKGND, &D::OnEraseBackground},
        // The calendar closes: the button comes up.
        {WM_NOTIFY, &D::OnNotify},
    };
};

namespace {

// Corners of the button pictures kept unscaled.
constexpr int kButtonCorner = 3;

}  // namespace

CSkinDateTimeSB::CSkinDateTimeSB(HWND window) : CSkinFieldFrame(window) {}

LRESULT CSkinDateTimeSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinDateTimeTable::kMessages, message);
}

void CSkinDateTimeSB::ApplyDescription() {
    NotifyLayout();
    metrics_ = SkinFieldMetricsAt(scale_);
}

void CSkinDateTimeSB::AdjustColors(const SkinColorShift&) {
    const SkinDateTimeDesc* desc = DateTimeDescription();
    if (!desc) return;
    LoadFrame(desc->bmpFrameNormal, desc->bmpFrameOver, desc->borderColor);
    const std::wstring* ids[kSkinFaceCount] = {&desc->bmpButtonNormal, &desc->bmpButtonOver, &desc->bmpButtonDown,
                                               &desc->bmpButtonDisable};
    for (int i = 0; i < kSkinFaceCount; ++i) buttons_[i] = SkinPictureOf(*ids[i]);
}

void CSkinDateTimeSB::OnAttached() {
    SkinSpinPart();
    ChangeFrame();
}

void CSkinDateTimeSB::OnReskinned() {
    SkinSpinPart();
    ChangeFrame();
}

void CSkinDateTimeSB::SkinSpinPart() {
    if (!(skin_unhooked::Style(window_) & DTS_UPDOWN)) return;
    const SkinDateTimeDesc* desc = DateTimeDescription();
    // The description names the spin skin by number, as compound controls
    // name the skins of their parts.
    if (!desc || desc->spinbuttonSkinLabel == 0) return;
    std::wstring id = std::to_wstring(desc->spinbuttonSkinLabel);
    for (HWND child = ::GetWindow(window_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        ::GetClassNameW(child, cls, 32);
        if (std::wstring(cls) == UPDOWN_CLASSW) SetWindowSkin(child, id.c_str());
    }
}

SkinRect CSkinDateTimeSB::ButtonRect() const {
    if (skin_unhooked::Style(window_) & DTS_UPDOWN) return SkinRect{};
    // The control's own button, as wide as a scroll bar of its display.
    return SkinDropButtonRect(win::ToSkinRect(win::ClientRect(window_)),
                              win::SystemMetricForDpi(SM_CXVSCROLL, scale_.Dpi()));
}

bool CSkinDateTimeSB::Dropped() const {
    auto calendar = reinterpret_cast<HWND>(::SendMessageW(window_, DTM_GETMONTHCAL, 0, 0));
    return calendar && ::IsWindowVisible(calendar);
}

void CSkinDateTimeSB::InvalidateButton() {
    SkinRect button = ButtonRect();
    if (button.IsEmpty() || !::IsWindowVisible(window_)) return;
    RECT r = win::ToRect(button);
    ::InvalidateRect(window_, &r, FALSE);
}

void CSkinDateTimeSB::OnHoverChanged() {
    if (!hover_) buttonHot_ = false;
    InvalidateButton();
}

bool CSkinDateTimeSB::OnPaint(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return true;
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    canvas->FillSolid(paint.Client(), SkinFieldBackground(enabled));
    // The control draws its fields (and its own button) into the buffer.
    SkinCallPrevious(*this, SkinMessage{WM_PAINT, reinterpret_cast<WPARAM>(canvas->Dc()), 0});
    SkinRect button = ButtonRect();
    if (!button.IsEmpty()) {
        bool present[kSkinFaceCount];
        for (int i = 0; i < kSkinFaceCount; ++i) present[i] = buttons_[i] != nullptr;
        int picture = SkinFacePicture(SkinDropButtonFace(enabled, buttonHot_, pressed_, Dropped()), present);
        if (picture >= 0) {
            // The control's own button goes first: the picture may leave parts clear.
            canvas->FillSolid(button, SkinFieldBackground(enabled));
            SkinDrawPicture(*canvas, buttons_[picture], button, kButtonCorner);
        }
    }
    (void)m;
    return true;
}

bool CSkinDateTimeSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinDateTimeSB::OnCreate(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    if (*result != -1) ChangeFrame();
    return true;
}

bool CSkinDateTimeSB::OnMouseMove(const SkinMessage& m, LRESULT* result) {
    OnFrameMouseMove(m, result);
    bool hot = ButtonRect().Contains(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    if (hot != buttonHot_) {
        buttonHot_ = hot;
        InvalidateButton();
    }
    return false;
}

bool CSkinDateTimeSB::OnMouseLeave(const SkinMessage& m, LRESULT* result) {
    if (buttonHot_) {
        buttonHot_ = false;
        InvalidateButton();
    }
    return OnFrameMouseLeave(m, result);
}

bool CSkinDateTimeSB::OnButtonDown(const SkinMessage& m, LRESULT* result) {
    if (::IsWindowEnabled(window_) && ButtonRect().Contains(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam))) {
        pressed_ = true;
        InvalidateButton();
    }
    // The control opens its calendar.
    *result = SkinCallPrevious(*this, m);
    return true;
}

bool CSkinDateTimeSB::OnButtonUp(const SkinMessage& m, LRESULT* result) {
    if (pressed_) {
        pressed_ = false;
        InvalidateButton();
    }
    *result = SkinCallPrevious(*this, m);
    return true;
}

bool CSkinDateTimeSB::OnNotify(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    InvalidateButton();
    return true;
}
