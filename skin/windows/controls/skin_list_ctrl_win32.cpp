#include "skin/windows/controls/skin_list_ctrl_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "skin/picture/skin_draw_image.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_attach_win32.h"
#include "skin/windows/manager/skin_messages.h"

struct SkinListCtrlTable {
    using L = CSkinListCtrlSB;
    static constexpr SkinMessageEntry<L> kOwn[] = {
        {WM_CREATE, &L::OnScrollCreate},
        {WM_SETCURSOR, &L::OnSetCursor},
        {WM_PAINT, &L::OnPaint},
        {WM_ERASEBKGND, &L::OnEraseBackground},
        {WM_MOUSEMOVE, &L::OnMouseMove},
        {WM_MOUSELEAVE, &L::OnMouseLeave},
        // The list view draws its rows straight to the screen for these
        // (selection, focus, scrolling): the skin paints after it instead.
        {WM_LBUTTONDOWN, &L::OnQuietPass},
        {WM_LBUTTONUP, &L::OnQuietPass},
        {WM_LBUTTONDBLCLK, &L::OnQuietPass},
        {WM_RBUTTONDOWN, &L::OnQuietPass},
        {WM_KEYDOWN, &L::OnQuietPass},
        {WM_CHAR, &L::OnQuietPass},
        {WM_SETFOCUS, &L::OnQuietPass},
        {WM_KILLFOCUS, &L::OnQuietPass},
        {LVM_SETITEMSTATE, &L::OnQuietPass},
        {LVM_SETITEMW, &L::OnQuietPass},
        {LVM_ENSUREVISIBLE, &L::OnQuietPass},
        {WM_VSCROLL, &L::OnQuietPass},
        {WM_HSCROLL, &L::OnQuietPass},
        {WM_MOUSEWHEEL, &L::OnQuietPass},
        {WM_SIZE, &L::OnPassThenRedrawBars},
    };
    static constexpr auto kMessages = SkinJoinTables(SkinScrollerBarEntries<L>::kEntries, kOwn);
    static_assert(SkinTableIsUnique(kMessages), "one handler a message");
};

namespace {
constexpr int kTextMargin = 6;  // between a cell's edge and its text, at 96 DPI
}

CSkinListCtrlSB::CSkinListCtrlSB(HWND window) : CSkinScroller(window) {}

CSkinListCtrlSB::~CSkinListCtrlSB() {
    if (ownsRowHeightList_ && rowHeightList_) ::ImageList_Destroy(rowHeightList_);
}

LRESULT CSkinListCtrlSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinListCtrlTable::kMessages, message);
}

bool CSkinListCtrlSB::DrawsRows() const {
    const SkinListViewDesc* desc = ListDescription();
    return desc && desc->drawItem && (skin_unhooked::Style(window_) & LVS_TYPEMASK) == LVS_REPORT;
}

std::wstring CSkinListCtrlSB::ScrollBarImageId() const {
    const SkinListViewDesc* desc = ListDescription();
    return desc ? desc->bmpScrollbar : std::wstring();
}

SkinColor CSkinListCtrlSB::BorderColor() const {
    const SkinListViewDesc* desc = ListDescription();
    return desc ? desc->borderColor : CSkinScroller::BorderColor();
}

void CSkinListCtrlSB::ApplyDescription() {
    NotifyLayout();
    const SkinListViewDesc* desc = ListDescription();
    if (!desc) return;
    font_ = SkinControlFont(window_, desc->font, scale_);
    if (previousProc_) ApplyRowHeight();
}

void CSkinListCtrlSB::AdjustColors(const SkinColorShift& shift) {
    CSkinScroller::AdjustColors(shift);
    ItemsAdjustColors(shift);
    const SkinListViewDesc* desc = ListDescription();
    overPicture_ = desc ? SkinThemePicture(desc->itemBackgroundOverImage) : nullptr;
    checkedPicture_ = desc ? SkinThemePicture(desc->itemBackgroundCheckedImage) : nullptr;
}

void CSkinListCtrlSB::OnAttached() {
    // The view's new size reaches the program beneath, which may close it.
    DestroyWatch watch(*this);
    InitScrollBars();
    if (!watch.Gone()) SkinHeader();
    if (!watch.Gone()) ApplyRowHeight();
    if (watch.Gone()) return;
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

void CSkinListCtrlSB::OnReskinned() {
    SkinHeader();
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

void CSkinListCtrlSB::SkinHeader() {
    const SkinListViewDesc* desc = ListDescription();
    auto header = reinterpret_cast<HWND>(::SendMessageW(window_, LVM_GETHEADER, 0, 0));
    if (desc && header && !desc->headSkinLabel.empty())
        SkinAttach(SkinWindowKind::Header, header, desc->headSkinLabel, nullptr);
}

void CSkinListCtrlSB::ApplyRowHeight() {
    const SkinListViewDesc* desc = ListDescription();
    if (!DrawsRows() || desc->itemHeight <= 0) return;
    // A report view's rows are as high as its small images: a list of
    // images one pixel wide gives them the theme's height, unless the
    // program has images of its own.
    auto current = reinterpret_cast<HIMAGELIST>(::SendMessageW(window_, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    if (current && current != rowHeightList_) return;
    const int height = SkinClampItemHeight(scale_.Scale(desc->itemHeight));
    int w = 0, h = 0;
    if (current && ::ImageList_GetIconSize(current, &w, &h) && h == height) return;
    HIMAGELIST list = ::ImageList_Create(1, height, ILC_COLOR32, 1, 0);
    if (!list) return;
    // Without LVS_SHAREIMAGELISTS the list view destroys the lists it holds.
    const bool shared = (skin_unhooked::Style(window_) & LVS_SHAREIMAGELISTS) != 0;
    DestroyWatch watch(*this);
    SkinCallPrevious(*this, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(list));
    if (watch.Gone()) {
        if (shared) ::ImageList_Destroy(list);
        return;
    }
    if (ownsRowHeightList_ && rowHeightList_) ::ImageList_Destroy(rowHeightList_);
    rowHeightList_ = list;
    ownsRowHeightList_ = shared;
}

// ----- painting -----

std::wstring CSkinListCtrlSB::ItemText(int row, int column) const {
    // The list view tells no length: grow the buffer until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        LRESULT got = ::SendMessageW(window_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        if (got < 0) return std::wstring();
        if (static_cast<size_t>(got) + 1 < buffer.size() || buffer.size() >= (1u << 20))
            return std::wstring(buffer.data(), std::min(static_cast<size_t>(got), buffer.size() - 1));
        buffer.resize(buffer.size() * 4);
    }
}

void CSkinListCtrlSB::PaintRow(ISkinCanvas& canvas, int row, const SkinListRowStyle& style, int columns) {
    const SkinListViewDesc* desc = ListDescription();
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (!::SendMessageW(window_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) return;
    SkinRect rect = win::ToSkinRect(bounds);
    if (rect.bottom <= clientRect_.top || rect.top >= clientRect_.bottom) return;
    rect.left = std::min(rect.left, clientRect_.left);
    rect.right = std::max(rect.right, clientRect_.right);
    const bool selected = (::SendMessageW(window_, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    SkinListRowLook look = SkinListRowLookOf(style, row, selected, row == hoverRow_);
    if (look.fill) canvas.FillSolid(rect, *look.fill);
    CSkinDrawImage* picture = look.picture == SkinListRowPicture::Checked ? checkedPicture_
                              : look.picture == SkinListRowPicture::Over  ? overPicture_
                                                                          : nullptr;
    if (picture) picture->Draw9Grid(canvas, rect, desc->drawImageOffset);
    auto header = reinterpret_cast<HWND>(::SendMessageW(window_, LVM_GETHEADER, 0, 0));
    for (int column = 0; column < std::max(columns, 1); ++column) {
        RECT cell{};
        cell.top = column;
        cell.left = LVIR_BOUNDS;
        if (!::SendMessageW(window_, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) continue;
        // Column 0's bounds are the whole row: its width is the header's.
        if (column == 0 && columns > 1) {
            RECT head{};
            if (header && ::SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&head)))
                cell.right = cell.left + (head.right - head.left);
        }
        std::wstring text = ItemText(row, column);
        if (text.empty()) continue;
        SkinRect textRect = win::ToSkinRect(cell);
        textRect.left += scale_.Scale(kTextMargin);
        textRect.right -= scale_.Scale(kTextMargin / 2);
        canvas.DrawText(textRect, text, kSkinDtSingleLine | kSkinDtVCenter | kSkinDtEndEllipsis | kSkinDtNoPrefix,
                        look.text, font_);
    }
}

void CSkinListCtrlSB::Paint() {
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return;
    clientRect_ = paint.Client();
    auto header = reinterpret_cast<HWND>(::SendMessageW(window_, LVM_GETHEADER, 0, 0));
    if (header && ::IsWindowVisible(header)) {
        // The header is a child the list view's paint may not cover.
        RECT r = win::WindowRect(header);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        paint.KeepOnScreen(win::ToSkinRect(r));
    }
    const SkinListViewDesc* desc = ListDescription();
    canvas->FillSolid(clientRect_, desc->itemBackgroundColor2);
    if (!font_) font_ = SkinControlFont(window_, std::wstring(), scale_);
    const SkinListRowStyle style = SkinListRowStyleOf(*desc, checkedPicture_ != nullptr, overPicture_ != nullptr, true);
    const int count = static_cast<int>(::SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0));
    const int top = std::max(0, static_cast<int>(::SendMessageW(window_, LVM_GETTOPINDEX, 0, 0)));
    const int page = std::max(0, static_cast<int>(::SendMessageW(window_, LVM_GETCOUNTPERPAGE, 0, 0)));
    const int columns = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    for (int row = top; row < count && row <= top + page + 1; ++row) PaintRow(*canvas, row, style, columns);
}

int CSkinListCtrlSB::RowAt(POINT p) const {
    LVHITTESTINFO hit{};
    hit.pt = p;
    LRESULT row = ::SendMessageW(window_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (row < 0) return -1;
    return static_cast<int>(row);
}

// ----- messages -----

bool CSkinListCtrlSB::OnPaint(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    Paint();
    *result = 0;
    return true;
}

bool CSkinListCtrlSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    *result = 1;
    return true;
}

bool CSkinListCtrlSB::OnSetCursor(const SkinMessage& m, LRESULT* result) {
    if (LOWORD(m.lParam) != HTCLIENT || !SkinSetControlCursor(*this, nullptr)) return false;
    *result = TRUE;
    return true;
}

bool CSkinListCtrlSB::OnMouseMove(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (watch.Gone()) return true;
    if (!hover_) hover_ = SkinTrackMouse(window_, TME_LEAVE);
    const int row = RowAt(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    if (row != hoverRow_) {
        hoverRow_ = row;
        SkinInvalidate(window_);
    }
    return true;
}

bool CSkinListCtrlSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    hover_ = false;
    if (hoverRow_ >= 0) SkinInvalidate(window_);
    hoverRow_ = -1;
    return false;
}

bool CSkinListCtrlSB::OnQuietPass(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return PassThenRedrawBars(m, result);
    DestroyWatch watch(*this);
    *result = SkinPassWithoutRedraw(*this, m);
    if (!watch.Gone()) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinListCtrlSB::OnPassThenRedrawBars(const SkinMessage& m, LRESULT* result) {
    return PassThenRedrawBars(m, result);
}
