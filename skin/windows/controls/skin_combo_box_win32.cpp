#include "skin/windows/controls/skin_combo_box_win32.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "skin/draw/skin_scale.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/manager/skin_attach_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

struct SkinComboBoxTable {
    using C = CSkinComboBoxSB;
    static constexpr SkinMessageEntry<C> kMessages[] = {
        {WM_PAINT, &C::OnPaint},
        {WM_ERASEBKGND, &C::OnEraseBackground},
        {WM_MOUSEMOVE, &C::OnMouseMove},
        {WM_MOUSELEAVE, &C::OnMouseLeave},
        {WM_CTLCOLORLISTBOX, &C::OnCtlColorListBox},
        {WM_CTLCOLOREDIT, &C::OnCtlColorEdit},
        // The combo box draws its text and button straight to the screen
        // for these; the skin paints after them instead.
        {WM_SETFOCUS, &C::OnQuietPass},
        {WM_KILLFOCUS, &C::OnQuietPass},
        {WM_ENABLE, &C::OnQuietPass},
        {WM_KEYDOWN, &C::OnQuietPass},
        {WM_CHAR, &C::OnQuietPass},
        {WM_COMMAND, &C::OnQuietPass},
        {WM_LBUTTONDOWN, &C::OnQuietPass},
        {WM_LBUTTONUP, &C::OnQuietPass},
        {WM_SETTEXT, &C::OnQuietPass},
        {CB_SETCURSEL, &C::OnQuietPass},
        {CB_SELECTSTRING, &C::OnQuietPass},
        {CB_RESETCONTENT, &C::OnQuietPass},
        {CB_DELETESTRING, &C::OnQuietPass},
        {CB_SHOWDROPDOWN, &C::OnQuietPass},
    };
};

CSkinComboBoxSB::CSkinComboBoxSB(HWND window) : CSkinBase(window) {}

CSkinComboBoxSB::~CSkinComboBoxSB() = default;

LRESULT CSkinComboBoxSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinComboBoxTable::kMessages, message);
}

void CSkinComboBoxSB::ApplyDescription() {
    NotifyLayout();
    const SkinComboBoxDesc* desc = ComboDescription();
    if (!desc) return;
    font_ = SkinControlFont(window_, desc->font, scale_);
    if (previousProc_) ApplyFont();
}

void CSkinComboBoxSB::OnAttached() { ApplyFont(); }

void CSkinComboBoxSB::ApplyFont() {
    const SkinComboBoxDesc* desc = ComboDescription();
    // A theme font reaches the edit and the list through the combo box.
    if (desc && !desc->font.empty() && font_)
        SkinCallPrevious(*this, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void CSkinComboBoxSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinComboBoxDesc* desc = ComboDescription();
    frameNormal_ = desc ? SkinThemePicture(desc->bmpFrameNormal) : nullptr;
    frameOver_ = desc ? SkinThemePicture(desc->bmpFrameOver) : nullptr;
    button_[0] = desc ? SkinThemePicture(desc->bmpButtonNormal) : nullptr;
    button_[1] = desc ? SkinThemePicture(desc->bmpButtonOver) : nullptr;
    button_[2] = desc ? SkinThemePicture(desc->bmpButtonDown) : nullptr;
    button_[3] = desc ? SkinThemePicture(desc->bmpButtonDisable) : nullptr;
}

void CSkinComboBoxSB::OnReskinned() { SkinInvalidate(window_); }

bool CSkinComboBoxSB::Dropped() const { return ::SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }

bool CSkinComboBoxSB::IsDropDownList() const { return (savedStyle_ & 3) == CBS_DROPDOWNLIST; }

int CSkinComboBoxSB::ButtonWidth() const { return SkinScrollBarWidth(scale_) + scale_.Scale(1); }

void CSkinComboBoxSB::PaintText(ISkinCanvas& canvas, const SkinRect& rect) {
    LRESULT selected = ::SendMessageW(window_, CB_GETCURSEL, 0, 0);
    std::wstring text;
    if (selected != CB_ERR) {
        // Asked first and read whole, however long the row.
        LRESULT length = ::SendMessageW(window_, CB_GETLBTEXTLEN, selected, 0);
        if (length > 0) {
            std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
            LRESULT got = ::SendMessageW(window_, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(buffer.data()));
            if (got > 0) text.assign(buffer.data(), static_cast<size_t>(std::min(got, length)));
        }
    }
    const SkinComboBoxDesc* desc = ComboDescription();
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    SkinRect textRect = rect;
    textRect.left += scale_.Scale(4);
    SkinColor color =
        enabled ? (desc ? desc->textColor : ::GetSysColor(COLOR_WINDOWTEXT)) : ::GetSysColor(COLOR_GRAYTEXT);
    if (!text.empty())
        canvas.DrawText(textRect, text, kSkinDtSingleLine | kSkinDtVCenter | kSkinDtEndEllipsis | kSkinDtNoPrefix,
                        color, font_);
    if (::GetFocus() == window_ && !Dropped()) {
        SkinRect focus = rect;
        focus.left += scale_.Scale(2);
        focus.top += scale_.Scale(3);
        focus.bottom -= scale_.Scale(3);
        canvas.DrawFocusRect(focus);
    }
}

void CSkinComboBoxSB::Paint() {
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return;
    clientRect_ = paint.Client();
    PaintParentBackground(window_, canvas->Dc(), clientRect_.left, clientRect_.top, clientRect_.right,
                          clientRect_.bottom, 255);
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    const bool dropped = Dropped();
    const SkinRect box = clientRect_;
    CSkinDrawImage* frame = (hover_ || dropped) && enabled && frameOver_ ? frameOver_ : frameNormal_;
    if (frame)
        frame->Draw9Grid(*canvas, box, SkinQuad{4, 4, 4, 4});
    else
        canvas->FillSolid(box, SkinRgb(255, 255, 255));
    SkinRect button{box.right - ButtonWidth(), box.top, box.right, box.bottom};
    const int state = !enabled ? 3 : dropped ? 2 : hover_ ? 1 : 0;
    CSkinDrawImage* picture = button_[state] ? button_[state] : button_[0];
    if (picture) picture->Draw9Grid(*canvas, button, SkinQuad{3, 3, 3, 3});
    DrawItems(*canvas);
    if (IsDropDownList()) PaintText(*canvas, SkinRect{box.left, box.top, button.left, box.bottom});
}

// ----- messages -----

bool CSkinComboBoxSB::OnPaint(const SkinMessage&, LRESULT* result) {
    Paint();
    *result = 0;
    return true;
}

bool CSkinComboBoxSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinComboBoxSB::OnQuietPass(const SkinMessage& m, LRESULT* result) {
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}

bool CSkinComboBoxSB::OnMouseMove(const SkinMessage&, LRESULT*) {
    if (!hover_) {
        hover_ = SkinTrackMouse(window_, TME_LEAVE);
        SkinInvalidate(window_);
    }
    return false;
}

bool CSkinComboBoxSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    // The mouse may have gone into the combo's own edit: still over it.
    POINT p = SkinCursorInClient(window_);
    RECT client = win::ClientRect(window_);
    if (::PtInRect(&client, p)) {
        hover_ = SkinTrackMouse(window_, TME_LEAVE);
        if (!hover_) SkinInvalidate(window_);
        return false;
    }
    hover_ = false;
    SkinInvalidate(window_);
    return false;
}

bool CSkinComboBoxSB::OnCtlColorListBox(const SkinMessage& m, LRESULT* result) {
    auto list = reinterpret_cast<HWND>(m.lParam);
    if (list && !dropList_ && !SkinObjectOf(list)) {
        wchar_t className[16] = {};
        ::GetClassNameW(list, className, 16);
        if (std::wcscmp(className, L"ComboLBox") == 0 &&
            SkinAttach(SkinWindowKind::ComboLBox, list, SkinId(), nullptr)) {
            dropList_ = list;
            ::SendMessageW(list, WM_NCPAINT, 1, 0);
        }
    }
    *result = SkinCallPrevious(*this, m);
    return true;
}

bool CSkinComboBoxSB::OnCtlColorEdit(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    const SkinComboBoxDesc* desc = ComboDescription();
    if (desc && m.wParam && ::IsWindowEnabled(window_))
        ::SetTextColor(reinterpret_cast<HDC>(m.wParam), desc->textColor);
    return true;
}

// ----- the drop-down list -----

struct SkinComboLBoxTable {
    using L = CSkinComboLBox;
    static constexpr SkinMessageEntry<L> kMessages[] = {
        {WM_SKIN_REINIT, &L::OnScrollReinit},           {WM_NCCALCSIZE, &L::OnScrollNcCalcSize},
        {WM_NCHITTEST, &L::OnScrollNcHitTest},          {WM_NCPAINT, &L::OnScrollNcPaint},
        {WM_NCMOUSEMOVE, &L::OnScrollNcMouseMove},      {WM_NCLBUTTONDOWN, &L::OnScrollNcButtonDown},
        {WM_NCLBUTTONDBLCLK, &L::OnScrollNcButtonDown}, {WM_NCLBUTTONUP, &L::OnScrollNcButtonUp},
        {WM_NCMOUSELEAVE, &L::OnScrollNcMouseLeave},    {WM_CAPTURECHANGED, &L::OnScrollCaptureChanged},
        {WM_VSCROLL, &L::OnPassThenRedrawBars},         {WM_MOUSEWHEEL, &L::OnPassThenRedrawBars},
        {WM_KEYDOWN, &L::OnPassThenRedrawBars},         {WM_MOUSEMOVE, &L::OnPassThenRedrawBars},
        {WM_SHOWWINDOW, &L::OnPassThenRedrawBars},      {WM_WINDOWPOSCHANGED, &L::OnPassThenRedrawBars},
    };
};

CSkinComboLBox::CSkinComboLBox(HWND window) : CSkinScroller(window) {}

CSkinComboLBox::~CSkinComboLBox() = default;

LRESULT CSkinComboLBox::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinComboLBoxTable::kMessages, message);
}

void CSkinComboLBox::OnAttached() { InitScrollBars(); }

std::wstring CSkinComboLBox::ScrollBarImageId() const {
    const SkinComboBoxDesc* desc = ComboDescription();
    return desc ? desc->bmpScrollbar : std::wstring();
}

SkinColor CSkinComboLBox::BorderColor() const {
    const SkinComboBoxDesc* desc = ComboDescription();
    return desc ? desc->borderColor : CSkinScroller::BorderColor();
}

bool CSkinComboLBox::OnPassThenRedrawBars(const SkinMessage& m, LRESULT* result) {
    return PassThenRedrawBars(m, result);
}
