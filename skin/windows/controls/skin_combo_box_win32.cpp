#include "skin/windows/controls/skin_combo_box_win32.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "common/win_handles.h"
#include "skin/draw/skin_scale.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_field_layout.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_attach_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/manager/skin_timer_win32.h"
#include "skin/windows/skin_api_win32.h"

namespace {

// Corners of the frame and button pictures kept unscaled.
constexpr int kFrameCorner = 4;
constexpr int kButtonCorner = 3;

}  // namespace

struct SkinComboBoxTable {
    using C = CSkinComboBoxSB;
    static constexpr SkinMessageEntry<C> kMessages[] = {
        {WM_PAINT, &C::OnPaint},
        {WM_ERASEBKGND, &C::OnEraseBackground},
        {WM_NCPAINT, &C::OnNcPaint},
        {WM_MOUSEMOVE, &C::OnMouseMove},
        {WM_MOUSEHOVER, &C::OnMouseHover},
        {WM_SETCURSOR, &C::OnSetCursor},
        {WM_MOUSELEAVE, &C::OnMouseLeave},
        {WM_SKIN_DROPSHOW, &C::OnDropShow},
        {WM_STYLECHANGED, &C::OnStyleChanged},
        {WM_WINDOWPOSCHANGING, &C::OnWindowPosChanging},
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

CSkinComboBoxSB::~CSkinComboBoxSB() { SkinStopTimer(window_, kSkinTimerHoverPoll); }

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

// The kind the combo box was made as: the control keeps it (an edit or
// none) whatever its style says later.
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
    // The frame is laid over the whole window: a border the program gave
    // the combo (painted with the non-client area) and the client area
    // show one frame.
    const SkinRect inner = SkinClientInWindow(window_);
    const RECT outer = win::WindowRect(window_);
    const SkinRect box{-inner.left, -inner.top, outer.right - outer.left - inner.left,
                       outer.bottom - outer.top - inner.top};
    CSkinDrawImage* frame = FramePicture(dropped);
    if (frame)
        frame->Draw9Grid(*canvas, box, SkinQuad{kFrameCorner, kFrameCorner, kFrameCorner, kFrameCorner});
    else
        canvas->FillSolid(clientRect_, SkinRgb(255, 255, 255));
    const SkinRect button = SkinDropButtonRect(clientRect_, ButtonWidth());
    const bool present[kSkinFaceCount] = {button_[0] != nullptr, button_[1] != nullptr, button_[2] != nullptr,
                                          button_[3] != nullptr};
    const int face = SkinFacePicture(SkinDropButtonFace(enabled, hover_, false, dropped), present);
    if (face >= 0)
        button_[face]->Draw9Grid(*canvas, button, SkinQuad{kButtonCorner, kButtonCorner, kButtonCorner, kButtonCorner});
    DrawItems(*canvas);
    if (IsDropDownList())
        PaintText(*canvas, SkinRect{clientRect_.left, clientRect_.top, button.left, clientRect_.bottom});
}

CSkinDrawImage* CSkinComboBoxSB::FramePicture(bool dropped) const {
    const bool enabled = ::IsWindowEnabled(window_) != FALSE;
    return SkinFieldFrameOver(enabled, hover_ || dropped, false) && frameOver_ ? frameOver_ : frameNormal_;
}

void CSkinComboBoxSB::RedrawAll() { SkinRedrawWhole(window_); }

void CSkinComboBoxSB::StartHover() {
    if (SkinStartPolledHover(window_, hover_, kSkinTimerHoverPoll, TME_LEAVE)) RedrawAll();
}

void CSkinComboBoxSB::EndHover() {
    if (SkinEndPolledHover(window_, hover_, kSkinTimerHoverPoll)) RedrawAll();
}

void CSkinComboBoxSB::OnTimer(uintptr_t id) {
    if (id == kSkinTimerHoverPoll && !SkinCursorWithin(window_)) EndHover();
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

bool CSkinComboBoxSB::OnNcPaint(const SkinMessage&, LRESULT* result) {
    // A combo box has no border of its own; one a program gives it shows
    // the frame picture, which the client area continues.
    const SkinRect inner = SkinClientInWindow(window_);
    const RECT outer = win::WindowRect(window_);
    const bool ring = inner.left > 0 || inner.top > 0 || inner.right < outer.right - outer.left ||
                      inner.bottom < outer.bottom - outer.top;
    CSkinDrawImage* frame = FramePicture(Dropped());
    if (!ring || !frame) return false;
    *result = 0;
    if (!::IsWindowVisible(window_)) return true;
    win::WindowDc dc = skin_unhooked::WindowDc(window_);
    if (dc.get()) SkinDrawFramePicture(window_, dc.get(), *frame, inner, scale_);
    return true;
}

bool CSkinComboBoxSB::OnMouseMove(const SkinMessage&, LRESULT*) {
    StartHover();
    return false;
}

bool CSkinComboBoxSB::OnMouseHover(const SkinMessage&, LRESULT*) {
    // Asked for by the control or the program: the hover holds, in case
    // its start was missed.
    StartHover();
    return false;
}

bool CSkinComboBoxSB::OnSetCursor(const SkinMessage& m, LRESULT*) {
    // The edit of an editable combo hands the message to the combo first:
    // the mouse is over the combo even though it moves over the edit.
    if (HIWORD(m.lParam) == WM_MOUSEMOVE) StartHover();
    return false;
}

bool CSkinComboBoxSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    // The mouse may have gone into the combo's own edit: still over it
    // (the poll ends the hover when it leaves from there).
    if (!SkinCursorWithin(window_)) EndHover();
    return false;
}

bool CSkinComboBoxSB::OnDropShow(const SkinMessage&, LRESULT* result) {
    // Posted, so the list may have changed again since: the face is taken
    // from the combo's state at paint time, never from the message.
    RedrawAll();
    *result = 0;
    return true;
}

bool CSkinComboBoxSB::OnStyleChanged(const SkinMessage& m, LRESULT* result) {
    // A program may disable the combo or change its border through its
    // style alone, with no other message following.
    *result = SkinCallPrevious(*this, m);
    auto* change = reinterpret_cast<const STYLESTRUCT*>(m.lParam);
    if (change && m.wParam == static_cast<WPARAM>(GWL_STYLE) && (change->styleNew & WS_DISABLED)) EndHover();
    RedrawAll();
    return true;
}

bool CSkinComboBoxSB::OnWindowPosChanging(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    auto* pos = reinterpret_cast<WINDOWPOS*>(m.lParam);
    if (!pos || (pos->flags & SWP_NOREDRAW)) return true;
    // The frame stretches with the size and the parent's background shows
    // through its corners: the old pixels are worth nothing after a move
    // or a size change, so the whole combo is painted anew.
    const RECT now = win::WindowRect(window_);
    POINT origin{now.left, now.top};
    if (HWND parent = ::GetAncestor(window_, GA_PARENT)) ::ScreenToClient(parent, &origin);
    const bool moves = !(pos->flags & SWP_NOMOVE) && (pos->x != origin.x || pos->y != origin.y);
    const bool sizes =
        !(pos->flags & SWP_NOSIZE) && (pos->cx != now.right - now.left || pos->cy != now.bottom - now.top);
    if (moves || sizes) pos->flags |= SWP_NOCOPYBITS;
    return true;
}

bool CSkinComboBoxSB::OnCtlColorListBox(const SkinMessage& m, LRESULT* result) {
    auto list = reinterpret_cast<HWND>(m.lParam);
    if (list && !dropList_ && !SkinObjectOf(list)) {
        wchar_t className[16] = {};
        ::GetClassNameW(list, className, 16);
        if (std::wcscmp(className, L"ComboLBox") == 0 &&
            SkinAttach(SkinWindowKind::ComboLBox, list, SkinId(), nullptr)) {
            dropList_ = list;
            CSkinBase* skin = SkinObjectOf(list);
            if (skin && skin->AttachedKind() == SkinWindowKind::ComboLBox)
                static_cast<CSkinComboLBox*>(skin)->SetCombo(window_);
            ::SendMessageW(list, WM_NCPAINT, 1, 0);
            // The list asks for its colours as it first shows: the button
            // goes down now.
            RedrawAll();
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
    static constexpr SkinMessageEntry<L> kOwn[] = {
        {WM_VSCROLL, &L::OnPassThenRedrawBars}, {WM_MOUSEWHEEL, &L::OnPassThenRedrawBars},
        {WM_KEYDOWN, &L::OnPassThenRedrawBars}, {WM_MOUSEMOVE, &L::OnPassThenRedrawBars},
        {WM_SHOWWINDOW, &L::OnShowWindow},      {WM_WINDOWPOSCHANGED, &L::OnWindowPosChanged},
    };
    static constexpr auto kMessages = SkinJoinTables(SkinScrollerBarEntries<L>::kEntries, kOwn);
    static_assert(SkinTableIsUnique(kMessages), "one handler a message");
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

void CSkinComboLBox::TellCombo(WPARAM shown, LPARAM status) const {
    if (combo_) ::PostMessageW(combo_, WM_SKIN_DROPSHOW, shown, status);
}

bool CSkinComboLBox::OnShowWindow(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    DrawScrollBars(nullptr, false);
    TellCombo(m.wParam, m.lParam);
    return true;
}

bool CSkinComboLBox::OnWindowPosChanged(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    DrawScrollBars(nullptr, false);
    // A combo may show or hide its list by SetWindowPos, which sends no
    // WM_SHOWWINDOW.
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lParam);
    if (pos && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
        TellCombo((pos->flags & SWP_SHOWWINDOW) ? TRUE : FALSE, 0);
    return true;
}
