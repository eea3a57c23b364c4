#include "skin/windows/controls/skin_button_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_graphics.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/items/directui_base.h"
#include "skin/windows/items/directui_text.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

struct SkinButtonTable {
    using B = CSkinButtonSB;
    static constexpr SkinMessageEntry<B> kMessages[] = {
        {WM_PAINT, &B::OnPaint},
        {WM_ERASEBKGND, &B::OnEraseBackground},
        {WM_SETFOCUS, &B::OnQuietPass},
        {WM_ENABLE, &B::OnQuietPass},
        {WM_SETTEXT, &B::OnQuietPass},
        {BM_SETSTATE, &B::OnQuietPass},
        // The dialog manager restyles buttons as the focus moves; the system
        // would paint its grey face over the skin.
        {BM_SETSTYLE, &B::OnQuietPass},
        {WM_UPDATEUISTATE, &B::OnQuietPass},
        {WM_LBUTTONDBLCLK, &B::OnQuietPass},
        {WM_KILLFOCUS, &B::OnKillFocus},
        {WM_SETCURSOR, &B::OnSetCursor},
        {WM_MOUSEMOVE, &B::OnMouseMove},
        {WM_MOUSELEAVE, &B::OnMouseLeave},
        {WM_LBUTTONDOWN, &B::OnButtonDown},
        {WM_LBUTTONUP, &B::OnButtonUp},
        {WM_GETTEXT, &B::OnGetText},
        {WM_GETTEXTLENGTH, &B::OnGetTextLength},
    };
};

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

CSkinButtonSB::CSkinButtonSB(HWND window) : CSkinPressable(window) {}

LRESULT CSkinButtonSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinButtonTable::kMessages, message);
}

void CSkinButtonSB::ApplyDescription() {
    NotifyLayout();
    const SkinButtonDesc* desc = ButtonDescription();
    if (!desc) return;
    ApplyCommon(desc->toolTip, desc->font, desc->cursor);

    spin_.reset();
    if (isSpinPart_) return;  // a spin part has none of its own: no theme makes this loop
    if (const SkinButtonDesc* spinDesc = SkinSpinPartDescription(*GetSkinResourceManager(), *desc)) {
        spin_ = std::make_unique<CSkinButtonSB>(nullptr);
        spin_->isSpinPart_ = true;
        spin_->InitScale(scale_);  // the spin part is drawn at the button's scale
        spin_->SetDescription(spinDesc, desc->spinbtnLabel);
        spin_->ApplyDescription();
    }
}

void CSkinButtonSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    if (spin_) spin_->AdjustColors(shift);
    LoadPictures();
}

void CSkinButtonSB::LoadPictures() {
    const SkinButtonDesc* desc = ButtonDescription();
    if (!desc) return;
    const std::wstring* ids[kSkinButtonStateCount] = {&desc->picNormal, &desc->picOver, &desc->picDown,
                                                      &desc->picDisable, &desc->picFocus};
    for (int i = 0; i < kSkinButtonStateCount; ++i) pictures_[i] = SkinThemePicture(*ids[i]);
    for (int i = 1; i < kSkinButtonStateCount; ++i)
        if (!pictures_[i]) pictures_[i] = pictures_[kSkinIndexNormal];
}

void CSkinButtonSB::OnReskinned() { SkinInvalidate(window_); }

void CSkinButtonSB::ComputeState() {
    bool enabled = ::IsWindowEnabled(window_) != FALSE;
    SkinState state = SkinControlState(enabled, hover_, pressed_, ::GetFocus() == window_);
    if (spin_) {
        // With a spin part the focus state is not used, and the spin part
        // shows its own press.
        if (!enabled) {
            spin_->stateIndex_ = kSkinIndexDisabled;
            spin_->stateMask_ = kSkinStateDisable;
        } else if (hover_) {
            bool spinDown = spin_->pressed_;
            spin_->stateIndex_ = spinDown ? kSkinIndexDown : kSkinIndexOver;
            spin_->stateMask_ = spinDown ? kSkinStateDown : kSkinStateOver;
        } else {
            spin_->stateIndex_ = kSkinIndexNormal;
            spin_->stateMask_ = kSkinStateNormal;
            state = SkinState{kSkinIndexNormal, kSkinStateNormal};
        }
        if (state.index == kSkinIndexFocus) state.index = kSkinIndexNormal;
    }
    stateIndex_ = state.index;
    stateMask_ = state.mask;
}

void CSkinButtonSB::DrawPart(ISkinCanvas& canvas, const SkinRect& rect) {
    clientRect_ = rect;
    CSkinDrawImage* picture = pictures_[std::clamp(stateIndex_, 0, kSkinButtonStateCount - 1)];
    const SkinButtonDesc* desc = ButtonDescription();
    if (picture && desc) picture->Draw9Grid(canvas, rect, desc->border9grid);
    DrawItems(canvas);
}

bool CSkinButtonSB::OnPaint(const SkinMessage&, LRESULT* result) {
    *result = 1;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return true;
    SkinRect client = paint.Client();
    clientRect_ = client;
    paint.ShowParentBackground();
    ComputeState();
    if (spin_) {
        int spinWidth = ButtonDescription() ? scale_.Scale(ButtonDescription()->spinbtnWidth) : 0;
        SkinRect main = client;
        main.right = std::max(main.left, client.right - spinWidth);
        spinRect_ = SkinRect{main.right, client.top, client.right, client.bottom};
        DrawPart(*canvas, main);
        spin_->DrawPart(*canvas, spinRect_);
        clientRect_ = client;
    } else {
        DrawPart(*canvas, client);
    }
    DrawWindowText(*canvas);
    const SkinButtonDesc* desc = ButtonDescription();
    if (stateIndex_ == kSkinIndexFocus && desc && desc->drawFocusRect) canvas->DrawFocusRect(client);
    return true;
}

void CSkinButtonSB::DrawWindowText(ISkinCanvas& canvas) {
    const SkinButtonDesc* desc = ButtonDescription();
    if (!desc) return;
    auto style = skin_unhooked::Style(window_);
    const SkinColor colors[kSkinButtonStateCount] = {desc->textNormalColor, desc->textOverColor, desc->textDownColor,
                                                     desc->textDisableColor, desc->textFocusColor};
    SkinColor color = colors[std::clamp(stateIndex_, 0, kSkinButtonStateCount - 1)];
    const int inset = scale_.Scale(2);
    SkinRect text{clientRect_.left + inset, clientRect_.top + inset, clientRect_.right - inset,
                  clientRect_.bottom - inset};
    if (style & BS_ICON) {
        DrawImage(canvas, text, true, false);
        return;
    }
    if (style & BS_BITMAP) {
        DrawImage(canvas, text, false, false);
        return;
    }
    // The stored caption itself, not what WM_GETTEXT answers for the items.
    wchar_t buffer[1025] = {};
    int length = ::InternalGetWindowText(window_, buffer, 1025);
    if (length <= 0) return;
    std::wstring caption(buffer, static_cast<size_t>(length));
    int measured = 0;
    if (SkinButtonTextIsMultiline(style)) {
        SkinRect measure = text;
        canvas.DrawText(measure, caption, kSkinDtWordBreak | kSkinDtCalcRect, color, font_);
        measured = measure.Height();
    }
    SkinButtonTextPlace place = SkinButtonTextLayout(style, text, measured, stateIndex_ == kSkinIndexDown,
                                                     SkinScalePair(scale_, desc->textOffset));
    canvas.DrawText(place.rect, caption, place.format, color, font_);
}

void CSkinButtonSB::DrawImage(ISkinCanvas& canvas, const SkinRect& rect, bool icon, bool leftAligned) {
    SkinButtonImage image = SkinButtonImageOf(window_, icon);
    if (!image.handle) return;
    int x = leftAligned ? rect.left : (rect.left + rect.right) / 2 - image.width / 2;
    int y = (rect.top + rect.bottom) / 2 - image.height / 2;
    SkinDrawButtonImage(canvas, image, x, y);
}

bool CSkinButtonSB::OnKillFocus(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    SkinInvalidate(window_);
    return true;
}

bool CSkinButtonSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    TrackMouse(TME_LEAVE, m);
    return false;  // then the button's own procedure
}

bool CSkinButtonSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    POINT p = SkinCursorInClient(window_);
    if (spin_ && spin_->pressed_ && spinRect_.Contains(p.x, p.y)) return false;
    if (spin_) spin_->pressed_ = false;
    EndHover(false, true);
    return false;
}

bool CSkinButtonSB::OnButtonDown(const SkinMessage& m, LRESULT* result) {
    if (ItemTakesPress(m)) return false;
    POINT p = PointOf(m.lParam);
    ::SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    *result = SkinCallPrevious(*this, m);
    ::SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    if (!spin_) {
        pressed_ = true;
        SkinInvalidate(window_);
        ::UpdateWindow(window_);
    } else if (spinRect_.Contains(p.x, p.y)) {
        spin_->pressed_ = true;
        SkinInvalidate(window_);
        ::UpdateWindow(window_);
        if (HWND parent = ::GetParent(window_))
            ::PostMessageW(parent, WM_SKIN_IMAGECLICK, reinterpret_cast<WPARAM>(window_), 0);
    } else {
        spin_->pressed_ = false;
    }
    return true;
}

bool CSkinButtonSB::OnButtonUp(const SkinMessage& m, LRESULT* result) {
    if (ItemTakesRelease(m)) {
        *result = 1;
        return true;
    }
    if (spin_) spin_->pressed_ = false;
    pressed_ = false;
    SkinInvalidate(window_);
    return false;  // the click itself comes from the button's own procedure
}

std::wstring CSkinButtonSB::ItemText() const {
    for (const auto& item : items_) {
        if (item->Kind() != SkinItemKind::Text) continue;
        std::wstring text = static_cast<const DirectUI_Text*>(item.get())->DisplayedText();
        if (!text.empty()) return text;
    }
    return std::wstring();
}

bool CSkinButtonSB::OnGetText(const SkinMessage& m, LRESULT* result) {
    std::wstring text = ItemText();
    if (text.empty()) return false;  // the caption, as the button has it
    auto* buffer = reinterpret_cast<wchar_t*>(m.lParam);
    if (!buffer || m.wParam == 0) {
        *result = 0;
        return true;
    }
    size_t n = std::min(text.size(), static_cast<size_t>(m.wParam) - 1);
    std::memcpy(buffer, text.data(), n * sizeof(wchar_t));
    buffer[n] = L'\0';
    *result = static_cast<LRESULT>(n);
    return true;
}

bool CSkinButtonSB::OnGetTextLength(const SkinMessage&, LRESULT* result) {
    std::wstring text = ItemText();
    if (text.empty()) return false;
    *result = static_cast<LRESULT>(text.size());
    return true;
}
