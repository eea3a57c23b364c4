#include "skin/windows/controls/skin_ipaddress_win32.h"

#include "common/win_handles.h"
#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_field_layout.h"

struct SkinIpAddressTable {
    using I = CSkinIPAddressSB;
    static constexpr SkinMessageEntry<I> kMessages[] = {
        {WM_NCCALCSIZE, &I::OnFrameNcCalcSize},
        {WM_NCPAINT, &I::OnFrameNcPaint},
        {WM_NCMOUSEMOVE, &I::OnFrameMouseMove},
        {WM_SIZE, &I::OnSize},
        {WM_MOUSEMOVE, &I::OnFrameMouseMove},
        {WM_MOUSEHOVER, &I::OnFrameMouseHover},
        // The mouse over the field's own windows too.
        {WM_SETCURSOR, &I::OnFrameSetCursor},
        {WM_MOUSELEAVE, &I::OnFrameMouseLeave},
        {WM_NCMOUSELEAVE, &I::OnFrameMouseLeave},
        {WM_CTLCOLOREDIT, &I::OnFieldColor},
        // Disabled fields ask as statics.
        {WM_CTLCOLORSTATIC, &I::OnFieldColor},
        // The control's own paint draws a system edge inside the skin's frame.
        {WM_PAINT, &I::OnPaint},
        {WM_ERASEBKGND, &I::OnEraseBackground},
        // The focus moves between the fields: the frame shows it.
        {WM_COMMAND, &I::OnCommand},
        {WM_ENABLE, &I::OnFramePassThenRedraw},
    };
};

CSkinIPAddressSB::CSkinIPAddressSB(HWND window) : CSkinFieldFrame(window) {}

LRESULT CSkinIPAddressSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinIpAddressTable::kMessages, message);
}

void CSkinIPAddressSB::ApplyDescription() {
    NotifyLayout();
    metrics_ = SkinFieldMetricsAt(scale_);
    const SkinIpAddressDesc* desc = IpDescription();
    font_ = SkinControlFont(window_, desc ? desc->font : std::wstring(), scale_);
}

void CSkinIPAddressSB::AdjustColors(const SkinColorShift&) {
    const SkinIpAddressDesc* desc = IpDescription();
    if (desc) LoadFrame(desc->bmpFrameNormal, desc->bmpFrameOver, desc->borderColor);
}

SkinColor CSkinIPAddressSB::TextColor() const {
    const SkinIpAddressDesc* desc = IpDescription();
    return desc ? desc->textColor : SkinSysColor(COLOR_WINDOWTEXT);
}

bool CSkinIPAddressSB::AddField(HWND edit) {
    for (HWND field : fields_)
        if (field == edit) return true;
    for (HWND& slot : fields_) {
        if (slot && ::IsWindow(slot)) continue;
        slot = edit;
        return true;
    }
    return false;
}

void CSkinIPAddressSB::FindFields() {
    for (HWND child = ::GetWindow(window_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        ::GetClassNameW(child, cls, 16);
        if (std::wstring(cls) == L"Edit") AddField(child);
    }
}

void CSkinIPAddressSB::ApplyFont() {
    for (HWND field : fields_)
        if (field && ::IsWindow(field)) ::SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

bool CSkinIPAddressSB::FrameFocused() const {
    HWND focus = ::GetFocus();
    return focus && (focus == window_ || ::IsChild(window_, focus));
}

SkinIpLayout CSkinIPAddressSB::FieldLayout() const {
    HWND first = fields_[0];
    RECT r = first && ::IsWindow(first) ? win::WindowRect(first) : RECT{};
    return SkinIpFieldLayout(win::ToSkinRect(win::ClientRect(window_)), r.bottom - r.top, metrics_);
}

void CSkinIPAddressSB::LayOutFields() {
    HWND first = fields_[0];
    if (!first || !::IsWindow(first)) return;
    SkinIpLayout layout = FieldLayout();
    for (int i = 0; i < kFieldCount; ++i) {
        HWND field = fields_[static_cast<size_t>(i)];
        const SkinRect& f = layout.fields[static_cast<size_t>(i)];
        if (field && ::IsWindow(field))
            ::SetWindowPos(field, nullptr, f.left, f.top, f.Width(), f.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CSkinIPAddressSB::OnAttached() {
    FindFields();
    ApplyFont();
    ChangeFrame();
    LayOutFields();
}

void CSkinIPAddressSB::OnReskinned() {
    ApplyFont();
    ChangeFrame();
    LayOutFields();
}

bool CSkinIPAddressSB::OnSize(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    LayOutFields();
    RedrawFrame();
    SkinInvalidate(window_);
    return true;
}

bool CSkinIPAddressSB::OnFieldColor(const SkinMessage& m, LRESULT* result) {
    auto dc = reinterpret_cast<HDC>(m.wParam);
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    if (dc) {
        ::SetTextColor(dc, enabled ? TextColor() : SkinSysColor(COLOR_GRAYTEXT));
        ::SetBkColor(dc, SkinFieldBackground(enabled));
    }
    *result = reinterpret_cast<LRESULT>(SkinFieldBrush(enabled));
    return true;
}

bool CSkinIPAddressSB::OnCommand(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    WORD code = HIWORD(m.wParam);
    if (code == EN_SETFOCUS || code == EN_KILLFOCUS) RedrawFrame();
    return true;
}

bool CSkinIPAddressSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinIPAddressSB::OnPaint(const SkinMessage&, LRESULT* result) {
    *result = 0;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return true;
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    canvas->FillSolid(paint.Client(), SkinFieldBackground(enabled));
    // The dots, where the layout that placed the fields puts them.
    SkinColor color = enabled ? TextColor() : SkinSysColor(COLOR_GRAYTEXT);
    for (const SkinRect& dot : FieldLayout().dots) canvas->FillSolid(dot, color);
    return true;
}
