#include "skin/windows/controls/skin_list_box_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "skin/picture/skin_draw_image.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/items/directui_base.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

static_assert(static_cast<UINT>(kSkinListClickMessage) == static_cast<UINT>(WM_SKIN_LISTCLICK),
              "the public value of the row item click");

struct SkinListBoxTable {
    using L = CSkinListBoxSB;
    static constexpr SkinMessageEntry<L> kOwn[] = {
        {WM_CREATE, &L::OnScrollCreate},
        {WM_SETCURSOR, &L::OnSetCursor},
        // The rows, with drawItem only (the handlers pass everything on
        // otherwise).
        {WM_ERASEBKGND, &L::OnEraseBackground},
        {WM_PAINT, &L::OnPaint},
        {LB_SETCURSEL, &L::OnSetCurSel},
        {LB_GETCURSEL, &L::OnGetCurSel},
        {LB_SETITEMHEIGHT, &L::OnSetItemHeight},
        {LB_INSERTSTRING, &L::OnRowsChanged},
        {LB_ADDSTRING, &L::OnRowsChanged},
        {LB_DELETESTRING, &L::OnRowsChanged},
        {LB_RESETCONTENT, &L::OnRowsChanged},
        {WM_SETFONT, &L::OnSetFont},
        {WM_MOUSEMOVE, &L::OnMouseMove},
        {WM_MOUSELEAVE, &L::OnMouseLeave},
        {WM_LBUTTONDOWN, &L::OnButtonDown},
        {WM_LBUTTONUP, &L::OnButtonUp},
        {WM_LBUTTONDBLCLK, &L::OnDoubleClick},
        {WM_KEYDOWN, &L::OnKey},
        {WM_CHAR, &L::OnKey},
        {WM_VSCROLL, &L::OnScrollOrWheel},
        {WM_HSCROLL, &L::OnScrollOrWheel},
        {WM_MOUSEWHEEL, &L::OnScrollOrWheel},
        {WM_SIZE, &L::OnSize},
        {WM_SETREDRAW, &L::OnSetRedraw},
    };
    static constexpr auto kMessages = SkinJoinTables(SkinScrollerBarEntries<L>::kEntries, kOwn);
    static_assert(SkinTableIsUnique(kMessages), "one handler a message");
};

CSkinListBoxSB::CSkinListBoxSB(HWND window) : CSkinScroller(window) {}

CSkinListBoxSB::~CSkinListBoxSB() = default;

LRESULT CSkinListBoxSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinListBoxTable::kMessages, message);
}

bool CSkinListBoxSB::DrawsRows() const {
    const SkinListBoxDesc* desc = ListDescription();
    // Rows the list box paints for several selections stay its own.
    return desc && desc->drawItem && !(savedStyle_ & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_MULTICOLUMN));
}

std::wstring CSkinListBoxSB::ScrollBarImageId() const {
    const SkinListBoxDesc* desc = ListDescription();
    return desc ? desc->bmpScrollbar : std::wstring();
}

SkinColor CSkinListBoxSB::BorderColor() const {
    const SkinListBoxDesc* desc = ListDescription();
    return desc ? desc->borderColor : CSkinScroller::BorderColor();
}

int CSkinListBoxSB::ItemHeight() const {
    const SkinListBoxDesc* desc = ListDescription();
    return SkinClampItemHeight(scale_.Scale(desc ? desc->itemHeight : 25));
}

void CSkinListBoxSB::ApplyDescription() {
    NotifyLayout();
    const SkinListBoxDesc* desc = ListDescription();
    if (!desc) return;
    font_ = SkinControlFont(window_, desc->font, scale_);
    // At the first attach the list box is reached once it is subclassed.
    if (DrawsRows() && previousProc_) ApplyItemHeight();
}

void CSkinListBoxSB::AdjustColors(const SkinColorShift& shift) {
    CSkinScroller::AdjustColors(shift);
    ItemsAdjustColors(shift);
    const SkinListBoxDesc* desc = ListDescription();
    background_ = desc ? SkinThemePicture(desc->backgroundImage) : nullptr;
    overPicture_ = desc ? SkinThemePicture(desc->itemBackgroundOverImage) : nullptr;
    checkedPicture_ = desc ? SkinThemePicture(desc->itemBackgroundCheckedImage) : nullptr;
}

void CSkinListBoxSB::OnAttached() {
    // The list's new size reaches the program beneath, which may close it.
    DestroyWatch watch(*this);
    InitScrollBars();
    if (!watch.Gone() && DrawsRows()) ApplyItemHeight();
    if (!watch.Gone() && DrawsRows()) FollowListSelection(false);
    if (watch.Gone()) return;
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

void CSkinListBoxSB::OnReskinned() {
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

// ----- rows -----

int CSkinListBoxSB::Count() const {
    // Straight to the list box: every insert asks, and a trip through the
    // skin's own procedure would double what it costs.
    LRESULT count = ::CallWindowProcW(previousProc_, window_, LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

int CSkinListBoxSB::RowAt(POINT p) const {
    LRESULT hit = ::SendMessageW(window_, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    // The low word names the nearest row also below the last one; in an
    // empty list it names none.
    return SkinListValidRow(LOWORD(hit), Count());
}

SkinRect CSkinListBoxSB::RowRect(int row) const {
    RECT r{};
    if (row < 0 || ::SendMessageW(window_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        return SkinRect{};
    return win::ToSkinRect(r);
}

void CSkinListBoxSB::InvalidateRow(int row) {
    SkinRect rect = RowRect(row);
    if (rect.IsEmpty()) return;
    RECT r = win::ToRect(rect);
    ::InvalidateRect(window_, &r, FALSE);
}

void CSkinListBoxSB::ApplyItemHeight() {
    const int height = ItemHeight();
    const int count = Count();
    // One height for a list of fixed rows; every row for variable ones.
    const bool variable = (savedStyle_ & LBS_OWNERDRAWVARIABLE) != 0;
    for (int row = 0; row < (variable ? count : std::min(count, 1)); ++row) records_.SetHeight(row, height);
    DestroyWatch watch(*this);
    if (!variable || count == 0) {
        PassQuietly(SkinMessage{LB_SETITEMHEIGHT, 0, height});
    } else {
        for (int row = 0; row < count && !watch.Gone(); ++row)
            PassQuietly(SkinMessage{LB_SETITEMHEIGHT, static_cast<WPARAM>(row), height});
    }
    if (!watch.Gone()) UpdateVerticalScroll();
}

void CSkinListBoxSB::UpdateVerticalScroll() {
    RECT client{};
    ::GetClientRect(window_, &client);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(Count() - 1, 0);
    info.nPage = static_cast<UINT>(SkinListPage(client.bottom - client.top, ItemHeight()));
    // The list's own top row: a refresh never scrolls it back to the start.
    LRESULT top = ::SendMessageW(window_, LB_GETTOPINDEX, 0, 0);
    info.nPos = top > 0 ? static_cast<int>(top) : 0;
    ::SetScrollInfo(window_, SB_VERT, &info, TRUE);
    DrawScrollBars(nullptr, false);
}

void CSkinListBoxSB::NotifySelChange() {
    HWND parent = ::GetParent(window_);
    if (!parent) return;
    const int id = ::GetDlgCtrlID(window_);
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(window_));
}

LRESULT CSkinListBoxSB::SetListSelection(int row) {
    return PassQuietly(SkinMessage{LB_SETCURSEL, static_cast<WPARAM>(row), 0});
}

LRESULT CSkinListBoxSB::PassQuietly(const SkinMessage& m) {
    if (programRedrawOff_ || passingQuietly_) return SkinCallPrevious(*this, m);
    DestroyWatch watch(*this);
    passingQuietly_ = true;
    LRESULT result = SkinPassWithoutRedraw(*this, m);
    if (!watch.Gone()) passingQuietly_ = false;
    return result;
}

void CSkinListBoxSB::FollowListSelection(bool userAction) {
    // The list box's own answer names a row it has, or LB_ERR.
    DestroyWatch watch(*this);
    LRESULT own = SkinCallPrevious(*this, LB_GETCURSEL, 0, 0);
    if (watch.Gone()) return;
    int row = own < 0 ? -1 : static_cast<int>(own);
    if (row == selection_) return;
    // With redrawing off the list box repaints everything when it is back on.
    if (!programRedrawOff_) InvalidateRow(selection_);
    selection_ = row;
    if (!programRedrawOff_) InvalidateRow(selection_);
    // A list box with LBS_NOTIFY has told its parent already.
    if (userAction && !(skin_unhooked::Style(window_) & LBS_NOTIFY)) NotifySelChange();
}

// ----- painting -----

SkinListRowStyle CSkinListBoxSB::RowStyle() const {
    const SkinListBoxDesc* desc = ListDescription();
    return SkinListRowStyleOf(*desc, checkedPicture_ != nullptr, overPicture_ != nullptr, desc->alpha < 0);
}

std::wstring CSkinListBoxSB::RowText(int row) const {
    // Rows of an owner-drawn list without strings hold the program's data.
    const uint32_t style = savedStyle_;
    if ((style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(style & LBS_HASSTRINGS)) return std::wstring();
    // Asked first and read whole: a long row is never cut or overrun.
    LRESULT length = ::SendMessageW(window_, LB_GETTEXTLEN, row, 0);
    if (length == LB_ERR || length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = ::SendMessageW(window_, LB_GETTEXT, row, reinterpret_cast<LPARAM>(buffer.data()));
    if (got == LB_ERR || got <= 0) return std::wstring();
    return std::wstring(buffer.data(), static_cast<size_t>(std::min<LRESULT>(got, length)));
}

void CSkinListBoxSB::PaintBackground(ISkinCanvas& canvas, HDC dc) {
    const SkinListBoxDesc* desc = ListDescription();
    canvas.FillSolid(clientRect_, SkinRgb(255, 255, 255));
    if (desc->alpha >= 0) {
        PaintParentBackground(window_, dc, clientRect_.left, clientRect_.top, clientRect_.right, clientRect_.bottom,
                              std::min(desc->alpha, 255));
    } else if (background_) {
        background_->StretchAll(canvas, clientRect_.left, clientRect_.top, clientRect_.right, clientRect_.bottom);
    } else {
        canvas.FillSolid(clientRect_, desc->backgroundColor);
    }
}

void CSkinListBoxSB::PaintRow(ISkinCanvas& canvas, int row, const SkinRect& rect, const SkinListRowStyle& style) {
    const SkinListBoxDesc* desc = ListDescription();
    SkinListRowLook look = SkinListRowLookOf(style, row, row == selection_, row == hoverRow_);
    if (look.fill) canvas.FillSolid(rect, *look.fill);
    CSkinDrawImage* picture = look.picture == SkinListRowPicture::Checked ? checkedPicture_
                              : look.picture == SkinListRowPicture::Over  ? overPicture_
                                                                          : nullptr;
    if (picture) picture->Draw9Grid(canvas, rect, desc->drawImageOffset);
    SkinRect textRect = rect;
    textRect.left += scale_.Scale(3);
    textRect.right -= scale_.Scale(3);
    for (auto& item : items_) {
        if (item->Kind() == SkinItemKind::DrawItem) continue;
        if (!item->IsVisible() || !item->MatchesState(look.mask)) continue;
        item->Draw(canvas, this, rect);
        // The text ends before a button in the row.
        if (item->Kind() == SkinItemKind::EventItem && item->Rect().left > textRect.left)
            textRect.right = std::min(textRect.right, item->Rect().left - scale_.Scale(2));
    }
    std::wstring text = RowText(row);
    if (text.empty()) return;
    canvas.DrawText(textRect, text, kSkinDtSingleLine | kSkinDtVCenter | kSkinDtEndEllipsis | kSkinDtNoPrefix,
                    look.text, font_);
}

void CSkinListBoxSB::Paint() {
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return;
    clientRect_ = paint.Client();
    PaintBackground(*canvas, canvas->Dc());
    if (!font_) font_ = SkinControlFont(window_, std::wstring(), scale_);
    const SkinListRowStyle style = RowStyle();
    const int count = Count();
    LRESULT top = ::SendMessageW(window_, LB_GETTOPINDEX, 0, 0);
    for (int row = top > 0 ? static_cast<int>(top) : 0; row < count; ++row) {
        SkinRect rect = RowRect(row);
        if (rect.bottom <= clientRect_.top) continue;
        if (rect.top >= clientRect_.bottom) break;
        PaintRow(*canvas, row, rect, style);
    }
    // The items stay where the mouse can find them: in the hover row.
    if (hoverRow_ >= 0) PlaceItemsIn(RowRect(hoverRow_));
}

uint32_t CSkinListBoxSB::RowMask(int row) const {
    return SkinListRowLookOf(RowStyle(), row, row == selection_, row == hoverRow_).mask;
}

void CSkinListBoxSB::PlaceItemsIn(const SkinRect& rect) {
    for (auto& item : items_) item->Reposition(rect);
}

// ----- messages -----

bool CSkinListBoxSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    *result = 1;
    return true;
}

bool CSkinListBoxSB::OnPaint(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    Paint();
    *result = 0;
    return true;
}

bool CSkinListBoxSB::OnSetCursor(const SkinMessage& m, LRESULT* result) {
    if (LOWORD(m.lParam) != HTCLIENT || !SkinSetControlCursor(*this, nullptr)) return false;
    *result = TRUE;
    return true;
}

bool CSkinListBoxSB::OnSetCurSel(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    // A program's own call: the list box takes it (and answers as it
    // always does), the skin paints it, and nobody is notified.
    DestroyWatch watch(*this);
    *result = SetListSelection(static_cast<int>(m.wParam));
    if (!watch.Gone()) FollowListSelection(false);
    return true;
}

bool CSkinListBoxSB::OnGetCurSel(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    *result = selection_;
    return true;
}

bool CSkinListBoxSB::OnSetItemHeight(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    // The list box refuses heights above 255; the record keeps what the
    // list box keeps.
    const int height = SkinClampItemHeight(static_cast<int>(m.lParam));
    records_.SetHeight(static_cast<int>(m.wParam), height);
    DestroyWatch watch(*this);
    *result = PassQuietly(SkinMessage{m.message, m.wParam, static_cast<LPARAM>(height)});
    if (!watch.Gone()) UpdateVerticalScroll();
    return true;
}

bool CSkinListBoxSB::OnRowsChanged(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    // The list box only invalidates for these: no drawing to hide. An
    // owner-drawn variable list measures the new row meanwhile.
    insertingRow_ = m.message == LB_INSERTSTRING || m.message == LB_ADDSTRING;
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (watch.Gone()) return true;
    insertingRow_ = false;
    switch (m.message) {
        case LB_RESETCONTENT:
            records_.Clear();
            hoverRow_ = -1;
            break;
        case LB_DELETESTRING:
            // The list box refuses a row it does not have.
            if (*result != LB_ERR) records_.Deleted(static_cast<int>(m.wParam));
            if (hoverRow_ >= 0 && hoverRow_ >= Count()) hoverRow_ = -1;
            break;
        default:  // the row the new one went to: a sorted list inserts anywhere
            if (*result >= 0) records_.Inserted(static_cast<int>(*result));
            break;
    }
    FollowListSelection(false);
    if (!watch.Gone() && !programRedrawOff_) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinListBoxSB::OnSetFont(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (watch.Gone()) return true;
    // A new font gives the list box rows of its height: the theme's come back.
    const SkinListBoxDesc* desc = ListDescription();
    font_ = SkinControlFont(window_, desc->font, scale_);
    ApplyItemHeight();
    if (!watch.Gone()) SkinInvalidate(window_);
    return true;
}

bool CSkinListBoxSB::OnMouseMove(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (watch.Gone()) return true;
    if (!win::ToSkinRect(win::ClientRect(window_)).Contains(p.x, p.y)) return true;
    if (!hover_) hover_ = SkinTrackMouse(window_, TME_LEAVE);
    int row = RowAt(p);
    if (row != hoverRow_) {
        InvalidateRow(hoverRow_);
        hoverRow_ = row;
        InvalidateRow(hoverRow_);
    }
    if (hoverRow_ >= 0 && !items_.empty()) {
        PlaceItemsIn(RowRect(hoverRow_));
        DirectUI_Base* before = hotItem_;
        DirectUI_Base* hot = nullptr;
        const uint32_t mask = RowMask(hoverRow_);
        for (auto& item : items_)
            if (item->IsVisible() && item->MatchesState(mask))
                if (DirectUI_Base* hit = item->OnMouseMove(static_cast<unsigned>(m.wParam), p.x, p.y)) hot = hit;
        hotItem_ = hot;
        if (hot != before) InvalidateRow(hoverRow_);
    }
    return true;
}

bool CSkinListBoxSB::OnMouseLeave(const SkinMessage& m, LRESULT*) {
    if (!DrawsRows()) return false;
    if (hotItem_) ItemsMouseLeave();
    InvalidateRow(hoverRow_);
    hoverRow_ = -1;
    hover_ = pressed_ = false;
    pressedRow_ = -1;
    return false;
}

bool CSkinListBoxSB::OnButtonDown(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    *result = 0;
    POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    // The list box never sees the press: the skin gives it the focus, as
    // the system's own click does. The window losing it, or the parent
    // told of the change, may close the dialog.
    DestroyWatch watch(*this);
    if (::GetFocus() != window_) ::SetFocus(window_);
    if (watch.Gone()) return true;
    int row = RowAt(p);
    if (row >= 0 && !items_.empty()) {
        PlaceItemsIn(RowRect(row));
        // Only an item the row shows takes the press.
        const uint32_t mask = RowMask(row);
        for (auto& item : items_) {
            if (!item->IsVisible() || !item->MatchesState(mask)) continue;
            if (!item->OnButtonDown(static_cast<unsigned>(m.wParam), p.x, p.y)) continue;
            pressedRow_ = row;
            InvalidateRow(row);
            return true;
        }
    }
    if (row < 0) return true;  // an empty list: nothing to select
    if (row == selection_) return true;
    SetListSelection(row);
    if (!watch.Gone()) FollowListSelection(false);
    if (!watch.Gone() && selection_ == row) NotifySelChange();
    return true;
}

bool CSkinListBoxSB::OnButtonUp(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows() || pressedRow_ < 0) return false;
    const int row = pressedRow_;
    pressedRow_ = -1;
    POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
    PlaceItemsIn(RowRect(row));
    // The value is the item's place in the skin's list: a number, never a
    // pointer into something the list may have freed by the time it is read.
    for (size_t i = 0; i < items_.size(); ++i) {
        DirectUI_Base& item = *items_[i];
        if (!item.IsVisible() || !item.OnButtonUp(static_cast<unsigned>(m.wParam), p.x, p.y)) continue;
        if (HWND parent = ::GetParent(window_))
            ::PostMessageW(parent, WM_SKIN_LISTCLICK, static_cast<WPARAM>(i), MAKELPARAM(::GetDlgCtrlID(window_), row));
        InvalidateRow(row);
        *result = 0;
        return true;
    }
    InvalidateRow(row);
    return false;
}

bool CSkinListBoxSB::OnDoubleClick(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    *result = 1;  // the first click selected; the second one does nothing more
    return true;
}

bool CSkinListBoxSB::OnKey(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    // The list box moves its selection (arrows, Home, End, pages and
    // type-ahead) and scrolls; the skin paints what it did. The parent,
    // asked about the key or told of the change, may close the dialog.
    DestroyWatch watch(*this);
    *result = PassQuietly(m);
    if (!watch.Gone()) FollowListSelection(true);
    if (!watch.Gone()) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinListBoxSB::OnScrollOrWheel(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return PassThenRedrawBars(m, result);
    DestroyWatch watch(*this);
    *result = PassQuietly(m);
    if (!watch.Gone()) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinListBoxSB::OnSetRedraw(const SkinMessage& m, LRESULT* result) {
    // The skin's own switching while it passes a message is not the program's.
    if (passingQuietly_) return false;
    programRedrawOff_ = m.wParam == FALSE;
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (!watch.Gone() && !programRedrawOff_) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinListBoxSB::OnSize(const SkinMessage& m, LRESULT* result) {
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (watch.Gone()) return true;
    if (DrawsRows()) SkinInvalidate(window_);
    DrawScrollBars(nullptr, false);
    return true;
}
