#include "skin/windows/controls/skin_hotkey_win32.h"

#include "skin/windows/controls/skin_control_util_win32.h"

struct SkinHotKeyTable {
    using H = CSkinHotKeySB;
    static constexpr SkinMessageEntry<H> kMessages[] = {
        {WM_NCPAINT, &H::OnFrameNcPaint},
        {WM_NCCALCSIZE, &H::OnFrameNcCalcSize},
        {WM_SIZE, &H::OnFramePassThenRedraw},
        {WM_MOUSEMOVE, &H::OnFrameMouseMove},
        {WM_NCMOUSEMOVE, &H::OnFrameMouseMove},
        {WM_MOUSEHOVER, &H::OnFrameMouseHover},
        // The mouse over the field's own windows too.
        {WM_SETCURSOR, &H::OnFrameSetCursor},
        {WM_MOUSELEAVE, &H::OnFrameMouseLeave},
        {WM_NCMOUSELEAVE, &H::OnFrameMouseLeave},
        // The frame shows the focus and the disabled state.
        {WM_SETFOCUS, &H::OnFramePassThenRedraw},
        {WM_KILLFOCUS, &H::OnFramePassThenRedraw},
        {WM_ENABLE, &H::OnFramePassThenRedraw},
    };
};

CSkinHotKeySB::CSkinHotKeySB(HWND window) : CSkinFieldFrame(window) {}

LRESULT CSkinHotKeySB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinHotKeyTable::kMessages, message);
}

void CSkinHotKeySB::ApplyDescription() {
    NotifyLayout();
    metrics_ = SkinFieldMetricsAt(scale_);
    const SkinHotKeyDesc* desc = HotKeyDescription();
    if (!desc || desc->font.empty() || !window_) return;
    font_ = SkinControlFont(window_, desc->font, scale_);
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void CSkinHotKeySB::AdjustColors(const SkinColorShift&) {
    const SkinHotKeyDesc* desc = HotKeyDescription();
    if (desc) LoadFrame(desc->bmpFrameNormal, desc->bmpFrameOver, desc->borderColor);
}

void CSkinHotKeySB::OnAttached() { ChangeFrame(); }

void CSkinHotKeySB::OnReskinned() { ChangeFrame(); }
