#include "skin/windows/controls/skin_static_win32.h"

#include <windowsx.h>

#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinStaticTable {
    using S = CSkinStaticSB;
    static constexpr SkinMessageEntry<S> kMessages[] = {
        {WM_PAINT, &S::OnPaint},           {WM_DRAWITEM, &S::OnDrawItem},          {WM_ENABLE, &S::OnTextOrEnable},
        {WM_SETTEXT, &S::OnTextOrEnable},  {WM_ERASEBKGND, &S::OnEraseBackground}, {WM_SETCURSOR, &S::OnSetCursor},
        {WM_MOUSEMOVE, &S::OnMouseMove},   {WM_LBUTTONDOWN, &S::OnButtonDown},     {WM_LBUTTONUP, &S::OnButtonUp},
        {WM_MOUSELEAVE, &S::OnMouseLeave},
    };
};

CSkinStaticSB::CSkinStaticSB(HWND window) : CSkinBase(window) {}

CSkinStaticSB::~CSkinStaticSB() { SkinToolTipClose(toolTip_); }

LRESULT CSkinStaticSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinStaticTable::kMessages, message);
}

void CSkinStaticSB::ApplyDescription() {
    NotifyLayout();
    const SkinStaticDesc* desc = StaticDescription();
    if (!desc) return;
    toolTipText_ = desc->toolTip;
    font_ = SkinControlFont(window_, desc->font, scale_);
    cursor_ = SkinThemeCursor(desc->cursor);
}

void CSkinStaticSB::AdjustColors(const SkinColorShift& shift) { ItemsAdjustColors(shift); }

void CSkinStaticSB::OnReskinned() { SkinInvalidate(window_); }

bool CSkinStaticSB::ParentDrawnBySkin() const {
    HWND parent = ::GetParent(window_);
    CSkinWndManager* manager = SkinWndManagerIfCreated();
    CSkinBase* parentSkin = parent && manager ? manager->Find(parent) : nullptr;
    return !(parentSkin && parentSkin->IsNoDrawFrame());
}

void CSkinStaticSB::Press() {
    if (!hover_) return;
    pressed_ = true;
    SkinInvalidate(window_);
}

void CSkinStaticSB::Release() {
    if (!hover_) return;
    pressed_ = false;
    SkinInvalidate(window_);
}

void CSkinStaticSB::Paint() {
    SkinState state = SkinControlState(::IsWindowEnabled(window_) != FALSE, hover_, pressed_, ::GetFocus() == window_);
    stateIndex_ = state.index;
    stateMask_ = state.mask;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return;
    clientRect_ = paint.Client();
    paint.ShowParentBackground();
    DrawContent(*canvas);
}

void CSkinStaticSB::DrawContent(ISkinCanvas& canvas) {
    // The image, by the style the control had when it was skinned; it stays
    // the control's (neither taken nor deleted).
    if ((savedStyle_ & 3) == 3) {
        auto icon = reinterpret_cast<HICON>(::SendMessageW(window_, STM_GETICON, 0, 0));
        if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(window_, STM_GETIMAGE, IMAGE_CURSOR, 0));
        if (icon) canvas.DrawIcon(0, 0, icon, 0, 0);
    } else if ((savedStyle_ & 0x0E) == 0x0E) {
        auto bitmap = reinterpret_cast<HBITMAP>(::SendMessageW(window_, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP bm{};
        if (bitmap && ::GetObjectW(bitmap, sizeof bm, &bm)) {
            int y = clientRect_.top + (clientRect_.Height() - bm.bmHeight) / 2;
            SkinPiece piece{SkinBlit::Stretch, SkinBox{0, y, clientRect_.Width(), clientRect_.Height()},
                            SkinBox{0, 0, bm.bmWidth, bm.bmHeight}};
            canvas.DrawPieces(SkinSurface{bitmap, bm.bmWidth, bm.bmHeight}, &piece, 1);
        }
    }
    DrawItems(canvas);

    wchar_t buffer[513] = {};
    int length = ::GetWindowTextW(window_, buffer, 513);
    if (length <= 0) return;
    if (!font_) font_ = reinterpret_cast<HFONT>(::SendMessageW(window_, WM_GETFONT, 0, 0));
    const SkinStaticDesc* desc = StaticDescription();
    SkinRect rect = clientRect_;
    // SS_LEFT, SS_CENTER, SS_RIGHT give the alignment; the text wraps from
    // the top (centring has no effect without a single line).
    canvas.DrawText(rect, std::wstring(buffer, static_cast<size_t>(length)),
                    (savedStyle_ & 3) | kSkinDtWordBreak | kSkinDtVCenter, desc ? desc->textColor : 0, font_);
}

bool CSkinStaticSB::OnPaint(const SkinMessage&, LRESULT* result) {
    Paint();
    *result = 1;
    return true;
}

bool CSkinStaticSB::OnDrawItem(const SkinMessage&, LRESULT* result) {
    ::InvalidateRect(window_, nullptr, FALSE);
    ::UpdateWindow(window_);
    *result = 1;
    return true;
}

bool CSkinStaticSB::OnTextOrEnable(const SkinMessage& m, LRESULT* result) {
    if (!IsInteractive() && !ParentDrawnBySkin()) return false;
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}

bool CSkinStaticSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    // The paint covers the whole control, so erasing would only flash the
    // system's grey before it.
    if (!IsInteractive() && !ParentDrawnBySkin()) return false;
    *result = 1;
    return true;
}

bool CSkinStaticSB::OnSetCursor(const SkinMessage&, LRESULT* result) {
    if (!SkinSetControlCursor(*this, cursor_)) return false;
    *result = TRUE;
    return true;
}

bool CSkinStaticSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    if (IsInteractive() && !hover_) {
        hover_ = true;
        SkinTrackMouse(window_, TME_HOVER | TME_LEAVE);
        SkinInvalidate(window_);
    }
    SkinToolTipOnMouseMove(window_, toolTip_, toolTipText_, pressed_, m);
    return false;
}

bool CSkinStaticSB::OnButtonDown(const SkinMessage&, LRESULT*) {
    if (IsInteractive()) Press();
    return false;
}

bool CSkinStaticSB::OnButtonUp(const SkinMessage&, LRESULT*) {
    if (IsInteractive()) Release();
    return false;
}

bool CSkinStaticSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    if (IsInteractive() && hover_) {
        pressed_ = false;
        hover_ = false;
        SkinInvalidate(window_);
    }
    return false;
}
