#include "skin/windows/controls/skin_tree_ctrl_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

#include "skin/picture/skin_draw_image.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_list_rows.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_messages.h"
#include "skin/windows/skin_api_win32.h"

struct SkinTreeCtrlTable {
    using T = CSkinTreeCtrlSB;
    static constexpr SkinMessageEntry<T> kOwn[] = {
        {WM_CREATE, &T::OnScrollCreate},
        {WM_PAINT, &T::OnPaint},
        {WM_ERASEBKGND, &T::OnEraseBackground},
        {WM_MOUSEMOVE, &T::OnMouseMove},
        {WM_MOUSELEAVE, &T::OnMouseLeave},
        {WM_LBUTTONDOWN, &T::OnButtonDown},
        // The tree draws rows straight to the screen for these (selection,
        // expansion, focus, scrolling): the skin paints after it instead.
        {WM_LBUTTONUP, &T::OnQuietPass},
        {WM_LBUTTONDBLCLK, &T::OnQuietPass},
        {WM_RBUTTONDOWN, &T::OnQuietPass},
        {WM_KEYDOWN, &T::OnQuietPass},
        {WM_CHAR, &T::OnQuietPass},
        {WM_SETFOCUS, &T::OnQuietPass},
        {WM_KILLFOCUS, &T::OnQuietPass},
        {WM_TIMER, &T::OnQuietPass},
        {TVM_EXPAND, &T::OnQuietPass},
        {TVM_SELECTITEM, &T::OnQuietPass},
        {TVM_SETITEMW, &T::OnQuietPass},
        {TVM_INSERTITEMW, &T::OnQuietPass},
        {TVM_DELETEITEM, &T::OnQuietPass},
        {TVM_ENSUREVISIBLE, &T::OnQuietPass},
        {WM_VSCROLL, &T::OnQuietPass},
        {WM_HSCROLL, &T::OnQuietPass},
        {WM_MOUSEWHEEL, &T::OnQuietPass},
        {WM_SIZE, &T::OnPassThenRedrawBars},
    };
    static constexpr auto kMessages = SkinJoinTables(SkinScrollerBarEntries<T>::kEntries, kOwn);
    static_assert(SkinTableIsUnique(kMessages), "one handler a message");
};

namespace {
constexpr int kTextMargin = 3;  // between the row's label box and its text, at 96 DPI
}

CSkinTreeCtrlSB::CSkinTreeCtrlSB(HWND window) : CSkinScroller(window) {}

CSkinTreeCtrlSB::~CSkinTreeCtrlSB() = default;

LRESULT CSkinTreeCtrlSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinTreeCtrlTable::kMessages, message);
}

bool CSkinTreeCtrlSB::DrawsRows() const {
    const SkinTreeDesc* desc = TreeDescription();
    return desc && desc->drawItem;
}

std::wstring CSkinTreeCtrlSB::ScrollBarImageId() const {
    const SkinTreeDesc* desc = TreeDescription();
    return desc ? desc->bmpScrollbar : std::wstring();
}

SkinColor CSkinTreeCtrlSB::BorderColor() const {
    const SkinTreeDesc* desc = TreeDescription();
    return desc ? desc->borderColor : CSkinScroller::BorderColor();
}

void CSkinTreeCtrlSB::ApplyDescription() {
    NotifyLayout();
    const SkinTreeDesc* desc = TreeDescription();
    if (!desc) return;
    font_ = SkinControlFont(window_, desc->font, scale_);
    if (previousProc_) ApplyItemHeight();
}

void CSkinTreeCtrlSB::AdjustColors(const SkinColorShift& shift) {
    CSkinScroller::AdjustColors(shift);
    ItemsAdjustColors(shift);
    const SkinTreeDesc* desc = TreeDescription();
    background_ = desc ? SkinThemePicture(desc->bmpBackground) : nullptr;
    rowPicture_[0] = desc ? SkinThemePicture(desc->itemBackgroundNormalImage) : nullptr;
    rowPicture_[1] = desc ? SkinThemePicture(desc->itemBackgroundOverImage) : nullptr;
    rowPicture_[2] = desc ? SkinThemePicture(desc->itemBackgroundCheckedImage) : nullptr;
    expand_ = desc ? SkinThemePicture(desc->expandImage) : nullptr;
    collapse_ = desc ? SkinThemePicture(desc->collapseImage) : nullptr;
}

void CSkinTreeCtrlSB::OnAttached() {
    // The tree's new size reaches the program beneath, which may close it.
    DestroyWatch watch(*this);
    InitScrollBars();
    if (!watch.Gone()) ApplyItemHeight();
    if (watch.Gone()) return;
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

void CSkinTreeCtrlSB::OnReskinned() {
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
}

void CSkinTreeCtrlSB::ApplyItemHeight() {
    const SkinTreeDesc* desc = TreeDescription();
    if (!DrawsRows() || desc->itemHeight <= 0) return;
    // The tree keeps heights up to 32767; the same bounds as the list box's
    // keep a hostile theme from making rows no one can see.
    const int height = SkinClampItemHeight(scale_.Scale(desc->itemHeight));
    SkinPassWithoutRedraw(*this, SkinMessage{TVM_SETITEMHEIGHT, static_cast<WPARAM>(height), 0});
}

// ----- painting -----

std::wstring CSkinTreeCtrlSB::ItemText(HTREEITEM item) const {
    // The tree tells no length: grow the buffer until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        TVITEMW tv{};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = buffer.data();
        tv.cchTextMax = static_cast<int>(buffer.size());
        if (!::SendMessageW(window_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return std::wstring();
        buffer.back() = L'\0';
        const size_t length = std::wcslen(buffer.data());
        if (length + 1 < buffer.size() || buffer.size() >= (1u << 20)) return std::wstring(buffer.data(), length);
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

namespace {

// The tree reads the item from the rectangle it is to fill; copied in, not
// written through a cast, which the compiler may reorder away.
bool TreeItemRect(HWND tree, HTREEITEM item, bool textOnly, RECT* rect) {
    *rect = RECT{};
    std::memcpy(rect, &item, sizeof item);
    return ::SendMessageW(tree, TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(rect)) != FALSE;
}

}  // namespace

void CSkinTreeCtrlSB::PaintRow(ISkinCanvas& canvas, HTREEITEM item) {
    const SkinTreeDesc* desc = TreeDescription();
    RECT line{}, label{};
    if (!TreeItemRect(window_, item, false, &line) || !TreeItemRect(window_, item, true, &label)) return;
    SkinRect row = win::ToSkinRect(line);
    row.left = clientRect_.left;
    row.right = clientRect_.right;

    TVITEMW tv{};
    tv.mask = TVIF_STATE | TVIF_CHILDREN | TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    tv.stateMask = TVIS_SELECTED | TVIS_EXPANDED | TVIS_DROPHILITED;
    ::SendMessageW(window_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    const uint32_t style = skin_unhooked::Style(window_);
    const bool shown = ::GetFocus() == window_ || (style & TVS_SHOWSELALWAYS);
    const bool selected = ((tv.state & TVIS_SELECTED) && shown) || (tv.state & TVIS_DROPHILITED);
    const bool hover = item == hoverItem_;
    const int state = selected ? 2 : hover ? 1 : 0;
    CSkinDrawImage* picture = rowPicture_[state];
    if (picture) picture->Draw9Grid(canvas, row, desc->drawImageOffset);

    // The button sits where the tree keeps it, one indent before the
    // images and the label, so the tree's own clicks find it.
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(window_, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    auto stateImages = reinterpret_cast<HIMAGELIST>(::SendMessageW(window_, TVM_GETIMAGELIST, TVSIL_STATE, 0));
    int imageW = 0, imageH = 0, stateW = 0, stateH = 0;
    if (images) ::ImageList_GetIconSize(images, &imageW, &imageH);
    if (stateImages) ::ImageList_GetIconSize(stateImages, &stateW, &stateH);
    const int indent = static_cast<int>(::SendMessageW(window_, TVM_GETINDENT, 0, 0));
    const int imageLeft = label.left - imageW;
    const int buttonLeft = imageLeft - stateW - indent;
    if ((style & TVS_HASBUTTONS) && tv.cChildren > 0 && indent > 0) {
        CSkinDrawImage* sign = (tv.state & TVIS_EXPANDED) ? collapse_ : expand_;
        if (sign) {
            const SkinSize size = sign->ScaledSize(scale_);
            sign->Draw(canvas, buttonLeft + (indent - size.width) / 2, row.top + (row.Height() - size.height) / 2);
        }
    }
    if (images && imageW > 0) {
        const int index = selected ? tv.iSelectedImage : tv.iImage;
        // The image list stays the program's; the icon drawn from it is ours.
        if (HICON icon = ::ImageList_GetIcon(images, index, ILD_NORMAL)) {
            canvas.DrawIcon(imageLeft, row.top + (row.Height() - imageH) / 2, icon, imageW, imageH);
            ::DestroyIcon(icon);
        }
    }
    std::wstring text = ItemText(item);
    if (text.empty()) return;
    SkinRect textRect{label.left + scale_.Scale(kTextMargin), row.top, row.right, row.bottom};
    const SkinColor color = selected ? desc->itemTextCheckedColor
                            : hover  ? desc->itemTextOverColor
                                     : desc->itemTextNormalColor;
    canvas.DrawText(textRect, text, kSkinDtSingleLine | kSkinDtVCenter | kSkinDtEndEllipsis | kSkinDtNoPrefix, color,
                    font_);
}

void CSkinTreeCtrlSB::Paint() {
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return;
    clientRect_ = paint.Client();
    const SkinTreeDesc* desc = TreeDescription();
    canvas->FillSolid(clientRect_, SkinRgb(255, 255, 255));
    if (desc->alpha >= 0)
        PaintParentBackground(window_, canvas->Dc(), clientRect_.left, clientRect_.top, clientRect_.right,
                              clientRect_.bottom, std::min(desc->alpha, 255));
    else if (background_)
        background_->StretchAll(*canvas, clientRect_.left, clientRect_.top, clientRect_.right, clientRect_.bottom);
    else
        canvas->FillSolid(clientRect_, desc->backgroundColor);
    if (!font_) font_ = SkinControlFont(window_, std::wstring(), scale_);
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(window_, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    // At most the rows the client area holds, however the tree answers.
    const int limit = clientRect_.Height() + 2;
    for (int n = 0; item && n < limit; ++n) {
        RECT line{};
        if (!TreeItemRect(window_, item, false, &line)) break;
        if (line.top >= clientRect_.bottom) break;
        PaintRow(*canvas, item);
        item = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(window_, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)));
    }
}

HTREEITEM CSkinTreeCtrlSB::ItemAt(POINT p, UINT* flags) const {
    TVHITTESTINFO hit{};
    hit.pt = p;
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(window_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags) *flags = hit.flags;
    return item;
}

// ----- messages -----

bool CSkinTreeCtrlSB::OnPaint(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    Paint();
    *result = 0;
    return true;
}

bool CSkinTreeCtrlSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    if (!DrawsRows()) return false;
    *result = 1;
    return true;
}

bool CSkinTreeCtrlSB::OnMouseMove(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    DestroyWatch watch(*this);
    *result = SkinCallPrevious(*this, m);
    if (watch.Gone()) return true;
    if (!hover_) hover_ = SkinTrackMouse(window_, TME_LEAVE);
    UINT flags = 0;
    HTREEITEM item = ItemAt(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}, &flags);
    if (!(flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT))) item = nullptr;
    if (item != hoverItem_) {
        hoverItem_ = item;
        SkinInvalidate(window_);
    }
    return true;
}

bool CSkinTreeCtrlSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    hover_ = false;
    if (hoverItem_) SkinInvalidate(window_);
    hoverItem_ = nullptr;
    return false;
}

bool CSkinTreeCtrlSB::OnButtonDown(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return false;
    UINT flags = 0;
    HTREEITEM item = ItemAt(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}, &flags);
    // bLButtonDownExpand: a press on a row's label opens or closes it too
    // (the button always does).
    const bool toggle = TreeDescription()->bLButtonDownExpand && item && (flags & TVHT_ONITEM);
    DestroyWatch watch(*this);
    *result = SkinPassWithoutRedraw(*this, m);
    if (watch.Gone()) return true;  // destroyed by the press: this object with it
    if (toggle) SkinPassWithoutRedraw(*this, SkinMessage{TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(item)});
    if (!watch.Gone()) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinTreeCtrlSB::OnQuietPass(const SkinMessage& m, LRESULT* result) {
    if (!DrawsRows()) return PassThenRedrawBars(m, result);
    DestroyWatch watch(*this);
    *result = SkinPassWithoutRedraw(*this, m);
    if (!watch.Gone()) DrawScrollBars(nullptr, false);
    return true;
}

bool CSkinTreeCtrlSB::OnPassThenRedrawBars(const SkinMessage& m, LRESULT* result) {
    return PassThenRedrawBars(m, result);
}
