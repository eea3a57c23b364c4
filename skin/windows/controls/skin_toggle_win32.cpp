#include "skin/windows/controls/skin_toggle_win32.h"

#include <algorithm>

#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/items/directui_base.h"
#include "skin/windows/skin_api_win32.h"

struct SkinToggleTable {
    using T = CSkinToggleSB;
    static constexpr SkinMessageEntry<T> kMessages[] = {
        {WM_PAINT, &T::OnPaint},
        {WM_ERASEBKGND, &T::OnEraseBackground},
        {WM_SETFOCUS, &T::OnQuietPass},
        {WM_KILLFOCUS, &T::OnQuietPass},
        {WM_ENABLE, &T::OnQuietPass},
        {WM_SETTEXT, &T::OnQuietPass},
        {BM_SETCHECK, &T::OnQuietPass},
        {BM_SETSTATE, &T::OnQuietPass},
        {WM_UPDATEUISTATE, &T::OnQuietPass},
        {WM_SETCURSOR, &T::OnSetCursor},
        {WM_MOUSEMOVE, &T::OnMouseMove},
        {WM_LBUTTONDOWN, &T::OnButtonDown},
        // A quick second click arrives as a double click: it is a press too.
        {WM_LBUTTONDBLCLK, &T::OnButtonDown},
        {WM_LBUTTONUP, &T::OnButtonUp},
        {WM_MOUSELEAVE, &T::OnMouseLeave},
    };
};

namespace {

CSkinDrawImage* Picture(const std::wstring& id) {
    return id.empty() ? nullptr : GetSkinResourceManager()->GetImage(id);
}

}  // namespace

CSkinToggleSB::CSkinToggleSB(HWND window, bool checkBox, LRESULT paintResult)
    : CSkinPressable(window), checkBox_(checkBox), paintResult_(paintResult) {}

LRESULT CSkinToggleSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinToggleTable::kMessages, message);
}

void CSkinToggleSB::ApplyDescription() {
    NotifyLayout();
    const SkinRadioButtonDesc* desc = ToggleDescription();
    if (desc) ApplyCommon(desc->toolTip, desc->font, desc->cursor);
}

void CSkinToggleSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    LoadMarks();
}

void CSkinToggleSB::LoadMarks() {
    const SkinRadioButtonDesc* desc = ToggleDescription();
    if (!desc) return;
    // By state index: normal, over, down, disabled, focus.
    const std::wstring* ids[kSkinToggleMarks] = {&desc->picUncheckNormal,
                                                 &desc->picUncheckOver,
                                                 &desc->picUncheckDown,
                                                 &desc->picUncheckDisible,
                                                 &desc->picUncheckFocus,
                                                 &desc->picCheckedNormal,
                                                 &desc->picCheckedOver,
                                                 &desc->picCheckedDown,
                                                 &desc->picCheckedDisible,
                                                 &desc->picCheckedFocus,
                                                 nullptr};
    for (int i = 0; i < kSkinToggleIndeterminate; ++i) marks_[i] = Picture(*ids[i]);
    marks_[kSkinToggleIndeterminate] =
        checkBox_ ? Picture(static_cast<const SkinCheckButtonDesc*>(desc)->picIndeterminate) : nullptr;
}

void CSkinToggleSB::OnReskinned() { SkinInvalidate(window_); }

uint32_t CSkinToggleSB::ReadCheckState() {
    auto state = static_cast<uint32_t>(::SendMessageW(window_, BM_GETSTATE, 0, 0));
    return state & (kSkinBstChecked | kSkinBstIndeterminate);
}

bool CSkinToggleSB::OnPaint(const SkinMessage&, LRESULT* result) {
    *result = paintResult_;
    checkState_ = ReadCheckState();
    SkinState state =
        SkinToggleState(::IsWindowEnabled(window_) != FALSE, hover_, pressed_, ::GetFocus() == window_, checkState_);
    stateIndex_ = state.index;
    stateMask_ = state.mask;
    SkinBufferedPaint paint(*this);
    if (ISkinCanvas* canvas = paint.Canvas()) {
        clientRect_ = paint.Client();
        Draw(*canvas);
    }
    return true;
}

void CSkinToggleSB::Draw(ISkinCanvas& canvas) {
    const SkinRect& client = clientRect_;
    PaintParentBackground(window_, canvas.Dc(), client.left, client.top, client.right, client.bottom, 255);
    const SkinRadioButtonDesc* desc = ToggleDescription();
    // Without the unchecked normal picture there is no mark size: neither
    // mark nor text is drawn.
    CSkinDrawImage* sizer = marks_[kSkinToggleUnchecked + kSkinIndexNormal];
    if (desc && sizer) {
        bool leftText = (savedStyle_ & BS_LEFTTEXT) != 0;
        const SkinSize markSize = sizer->ScaledSize(scale_);  // marks are drawn at the window's scale
        SkinToggleLayout layout = SkinToggleLayoutOf(client, markSize.width, markSize.height, leftText, scale_);
        bool present[kSkinToggleMarks];
        for (int i = 0; i < kSkinToggleMarks; ++i) present[i] = marks_[i] != nullptr;
        int mark = SkinToggleMark(present, checkState_, stateIndex_, checkBox_);
        if (mark >= 0) marks_[mark]->Draw(canvas, layout.mark.left, layout.mark.top);

        wchar_t buffer[513] = {};
        int length = ::InternalGetWindowText(window_, buffer, 513);
        if (length > 0) {
            const SkinColor colors[] = {desc->textNormalColor, desc->textOverColor, desc->textDownColor,
                                        desc->textDisibleColor, desc->textFocusColor};
            SkinColor color = colors[std::clamp(stateIndex_, 0, 4)];
            canvas.DrawText(layout.text, std::wstring(buffer, static_cast<size_t>(length)),
                            kSkinDtSingleLine | kSkinDtVCenter, color, font_);
        }
    }
    DrawMatchingItems(canvas);
    if (desc && desc->drawFocusRect && ::GetFocus() == window_) canvas.DrawFocusRect(client);
}

void CSkinToggleSB::DrawMatchingItems(ISkinCanvas& canvas) {
    for (auto& item : items_)
        if (item->IsVisible() && SkinToggleItemMatches(item->StateMask(), stateMask_))
            item->Draw(canvas, this, clientRect_);
}

bool CSkinToggleSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    TrackMouse(TME_HOVER | TME_LEAVE, m);
    return false;
}

bool CSkinToggleSB::OnButtonDown(const SkinMessage& m, LRESULT*) {
    if (!ItemTakesPress(m)) ShowPress();
    return false;  // the control's own procedure takes every press
}

bool CSkinToggleSB::OnButtonUp(const SkinMessage& m, LRESULT* result) {
    if (ItemTakesRelease(m)) {
        *result = 0;
        return true;
    }
    pressed_ = false;
    SkinInvalidate(window_);
    return false;
}

bool CSkinToggleSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    EndHover(true, false);
    return false;
}
