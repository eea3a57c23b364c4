#include "skin/windows/controls/skin_spin_button_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "common/win_handles.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinSpinButtonTable {
    using S = CSkinSpinButtonSB;
    static constexpr SkinMessageEntry<S> kMessages[] = {
        {WM_PAINT, &S::OnPaint},
        // Not every version of the control repaints when it is enabled or
        // disabled; the skin shows the change either way.
        {WM_ENABLE, &S::OnEnable},
        {WM_MOUSEMOVE, &S::OnMouseMove},
        {WM_LBUTTONDOWN, &S::OnButtonDown},
        {WM_LBUTTONUP, &S::OnButtonUp},
        {WM_MOUSELEAVE, &S::OnMouseLeave},
    };
};

CSkinSpinButtonSB::CSkinSpinButtonSB(HWND window) : CSkinBase(window) {}

LRESULT CSkinSpinButtonSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinSpinButtonTable::kMessages, message);
}

void CSkinSpinButtonSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinSpinButtonDesc* d = SpinDescription();
    if (!d) return;
    const std::wstring* ids[kSkinSpinPictureCount] = {
        &d->bmpLeftNormal,   &d->bmpLeftOver,   &d->bmpLeftDown,   &d->bmpLeftDisble,
        &d->bmpRightNormal,  &d->bmpRightOver,  &d->bmpRightDown,  &d->bmpRightDisable,
        &d->bmpTopNormal,    &d->bmpTopOver,    &d->bmpTopDown,    &d->bmpTopDisble,
        &d->bmpBottomNormal, &d->bmpBottomOver, &d->bmpBottomDown, &d->bmpBottomDisble,
    };
    for (int i = 0; i < kSkinSpinPictureCount; ++i)
        pictures_[static_cast<size_t>(i)] = ids[i]->empty() ? nullptr : GetSkinResourceManager()->GetImage(*ids[i]);
}

void CSkinSpinButtonSB::OnReskinned() { SkinInvalidate(window_); }

bool CSkinSpinButtonSB::Horizontal() const { return (skin_unhooked::Style(window_) & UDS_HORZ) != 0; }

SkinSpinHalves CSkinSpinButtonSB::Halves() const {
    return SkinSpinSplit(win::ToSkinRect(win::ClientRect(window_)), Horizontal(),
                         SkinScaled(SkinSpinMetrics{}, scale_));
}

int CSkinSpinButtonSB::HalfAt(int x, int y) const {
    SkinSpinHalves halves = Halves();
    if (halves.first.Contains(x, y)) return 0;
    if (halves.second.Contains(x, y)) return 1;
    return -1;
}

bool CSkinSpinButtonSB::OnPaint(const SkinMessage& m, LRESULT* result) {
    *result = 1;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return true;
    clientRect_ = paint.Client();
    paint.ShowParentBackground();

    const SkinSpinMetrics metrics = SkinScaled(SkinSpinMetrics{}, scale_);
    bool horizontal = Horizontal();
    SkinSpinHalves halves = SkinSpinSplit(clientRect_, horizontal, metrics);
    std::array<bool, kSkinSpinPictureCount> present{};
    for (size_t i = 0; i < present.size(); ++i) present[i] = pictures_[i] != nullptr;
    bool enabled = ::IsWindowEnabled(window_) != FALSE;
    POINT cursor = SkinCursorInClient(window_);
    const SkinRect* rects[2] = {&halves.first, &halves.second};
    const SkinSpinPart parts[2] = {horizontal ? SkinSpinPart::Left : SkinSpinPart::Top,
                                   horizontal ? SkinSpinPart::Right : SkinSpinPart::Bottom};
    // A picture fills its half as a 9-grid: rounded corners stay round at
    // any size.
    const SkinQuad margins{metrics.pictureMargin, metrics.pictureMargin, metrics.pictureMargin, metrics.pictureMargin};
    int keyHalf = KeyHeldHalf(horizontal);
    for (int i = 0; i < 2; ++i) {
        SkinSpinFace face = enabled && i == keyHalf
                                ? SkinSpinFace::Down
                                : SkinSpinHalfFace(enabled, rects[i]->Contains(cursor.x, cursor.y), pressed_ != 0);
        int picture = SkinSpinPictureFor(parts[i], face, present);
        if (picture >= 0) pictures_[static_cast<size_t>(picture)]->Draw9Grid(*canvas, *rects[i], margins);
    }
    return true;
}

int CSkinSpinButtonSB::KeyHeldHalf(bool horizontal) const {
    // The arrow keys in the buddy spin the control as its arrows do, and
    // the control repaints while one is held and when it is let go.
    if (!(skin_unhooked::Style(window_) & UDS_ARROWKEYS)) return -1;
    auto buddy = reinterpret_cast<HWND>(::SendMessageW(window_, UDM_GETBUDDY, 0, 0));
    if (!buddy || ::GetFocus() != buddy) return -1;
    bool up = (::GetKeyState(VK_UP) & 0x8000) != 0, down = (::GetKeyState(VK_DOWN) & 0x8000) != 0;
    if (up == down) return -1;
    // Up counts up: the upper arrow, or the right one of a horizontal spin.
    int incrementHalf = horizontal ? 1 : 0;
    return up ? incrementHalf : 1 - incrementHalf;
}

bool CSkinSpinButtonSB::OnEnable(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    SkinInvalidate(window_);
    return true;
}

bool CSkinSpinButtonSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    int half = HalfAt(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    if (!hover_) {
        hover_ = 1;
        SkinTrackMouse(window_, TME_HOVER | TME_LEAVE);
        SkinInvalidate(window_);
    } else if (half != hotHalf_) {
        // Moving from one arrow to the other moves the over face with it.
        SkinInvalidate(window_);
    }
    hotHalf_ = half;
    return false;
}

bool CSkinSpinButtonSB::OnButtonDown(const SkinMessage& m, LRESULT*) {
    if (hover_) {
        pressed_ = 1;
        SkinInvalidate(window_);
    }
    return false;
}

bool CSkinSpinButtonSB::OnButtonUp(const SkinMessage& m, LRESULT*) {
    if (hover_) {
        pressed_ = 0;
        SkinInvalidate(window_);
    }
    return false;
}

bool CSkinSpinButtonSB::OnMouseLeave(const SkinMessage& m, LRESULT*) {
    pressed_ = 0;
    hover_ = 0;
    hotHalf_ = -1;
    SkinInvalidate(window_);
    return false;
}
