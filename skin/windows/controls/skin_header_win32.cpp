#include "skin/windows/controls/skin_header_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "skin/picture/skin_draw_image.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/manager/skin_messages.h"

struct SkinHeaderTable {
    using H = CSkinHeaderSB;
    static constexpr SkinMessageEntry<H> kMessages[] = {
        {WM_PAINT, &H::OnPaint},
        {WM_ERASEBKGND, &H::OnEraseBackground},
        {WM_MOUSEMOVE, &H::OnMouseMove},
        {WM_MOUSELEAVE, &H::OnMouseLeave},
        {WM_LBUTTONDOWN, &H::OnButtonDown},
        {WM_LBUTTONUP, &H::OnButtonUp},
        {HDM_LAYOUT, &H::OnLayout},
        // The header draws a moving divider or a dragged head straight to
        // the screen; the skin paints after it instead.
        {WM_ENABLE, &H::OnQuietPass},
        {WM_SETTEXT, &H::OnQuietPass},
    };
};

namespace {
constexpr int kTextMargin = 6;  // between a head's edge and its text, at 96 DPI
}

CSkinHeaderSB::CSkinHeaderSB(HWND window) : CSkinBase(window) {}

CSkinHeaderSB::~CSkinHeaderSB() = default;

LRESULT CSkinHeaderSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinHeaderTable::kMessages, message);
}

void CSkinHeaderSB::ApplyDescription() {
    const SkinHeaderDesc* desc = HeaderDescription();
    if (!desc) return;
    font_ = SkinControlFont(window_, desc->font, scale_);
    if (previousProc_) Relayout();
}

void CSkinHeaderSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinHeaderDesc* desc = HeaderDescription();
    background_[0] = desc ? SkinThemePicture(desc->itemBackgroundNormalImage) : nullptr;
    background_[1] = desc ? SkinThemePicture(desc->itemBackgroundOverImage) : nullptr;
    background_[2] = desc ? SkinThemePicture(desc->itemBackgroundDownImage) : nullptr;
    separator_ = desc ? SkinThemePicture(desc->imageSeparator) : nullptr;
}

void CSkinHeaderSB::OnAttached() { Relayout(); }

void CSkinHeaderSB::OnReskinned() {
    Relayout();
    SkinInvalidate(window_);
}

int CSkinHeaderSB::RowHeight() const {
    const SkinHeaderDesc* desc = HeaderDescription();
    return desc && desc->itemHeight > 0 ? std::min(scale_.Scale(desc->itemHeight), 0x7FFF) : 0;
}

void CSkinHeaderSB::Relayout() {
    if (RowHeight() <= 0) return;
    // A list view places its header (HDM_LAYOUT) when it takes its size.
    HWND owner = ::GetParent(window_);
    RECT client{};
    if (owner && ::GetClientRect(owner, &client))
        ::SendMessageW(owner, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

int CSkinHeaderSB::HeadAt(POINT p) const {
    HDHITTESTINFO hit{};
    hit.pt = p;
    LRESULT index = ::SendMessageW(window_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (index < 0 || !(hit.flags & HHT_ONHEADER)) return -1;
    return static_cast<int>(index);
}

void CSkinHeaderSB::PaintHead(ISkinCanvas& canvas, int index, const SkinRect& rect) {
    const SkinHeaderDesc* desc = HeaderDescription();
    const int state = index == pressedItem_ && index == hotItem_ ? 2 : index == hotItem_ ? 1 : 0;
    CSkinDrawImage* picture = background_[state] ? background_[state] : background_[0];
    if (picture)
        picture->Draw9Grid(canvas, rect, desc->border9grid);
    else
        canvas.FillSolid(rect, ::GetSysColor(COLOR_BTNFACE));
    if (separator_) {
        const SkinSize size = separator_->ScaledSize(scale_);
        const int top = rect.top + (rect.Height() - size.height) / 2;
        separator_->Draw(canvas, rect.right - size.width, top);
    }
    // The text: read into a buffer the header fills at most (never past
    // it), aligned as the head's format says.
    wchar_t text[1024] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    if (!::SendMessageW(window_, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return;
    text[std::size(text) - 1] = L'\0';
    if (!text[0]) return;
    const int align = item.fmt & HDF_JUSTIFYMASK;
    uint32_t format = kSkinDtSingleLine | kSkinDtVCenter | kSkinDtEndEllipsis | kSkinDtNoPrefix;
    if (align == HDF_CENTER) format |= kSkinDtCenter;
    if (align == HDF_RIGHT) format |= kSkinDtRight;
    SkinRect textRect = rect;
    textRect.left += scale_.Scale(kTextMargin);
    textRect.right -= scale_.Scale(kTextMargin);
    if (state == 2) {
        textRect.left += scale_.Scale(1);
        textRect.top += scale_.Scale(1);
    }
    const SkinColor color = state == 2   ? desc->itemTextDownColor
                            : state == 1 ? desc->itemTextOverColor
                                         : desc->itemTextNormalColor;
    canvas.DrawText(textRect, text, format, color, font_);
}

void CSkinHeaderSB::Paint() {
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas) return;
    clientRect_ = paint.Client();
    if (!font_) font_ = SkinControlFont(window_, std::wstring(), scale_);
    // Past the last head: an empty head.
    const SkinHeaderDesc* desc = HeaderDescription();
    if (background_[0])
        background_[0]->Draw9Grid(*canvas, clientRect_, desc->border9grid);
    else
        canvas->FillSolid(clientRect_, ::GetSysColor(COLOR_BTNFACE));
    const int count = static_cast<int>(::SendMessageW(window_, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!::SendMessageW(window_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
        if (r.right <= r.left) continue;
        PaintHead(*canvas, i, win::ToSkinRect(r));
    }
    DrawItems(*canvas);
}

// ----- messages -----

bool CSkinHeaderSB::OnPaint(const SkinMessage&, LRESULT* result) {
    Paint();
    *result = 0;
    return true;
}

bool CSkinHeaderSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinHeaderSB::OnQuietPass(const SkinMessage& m, LRESULT* result) {
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}

bool CSkinHeaderSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    if (!hover_) hover_ = SkinTrackMouse(window_, TME_LEAVE);
    const int head = HeadAt(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    if (head != hotItem_) {
        hotItem_ = head;
        SkinInvalidate(window_);
    }
    return false;
}

bool CSkinHeaderSB::OnMouseLeave(const SkinMessage&, LRESULT*) {
    hover_ = false;
    if (hotItem_ >= 0 || pressedItem_ >= 0) SkinInvalidate(window_);
    hotItem_ = pressedItem_ = -1;
    return false;
}

bool CSkinHeaderSB::OnButtonDown(const SkinMessage& m, LRESULT* result) {
    pressedItem_ = HeadAt(POINT{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    hotItem_ = pressedItem_;
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}

bool CSkinHeaderSB::OnButtonUp(const SkinMessage& m, LRESULT* result) {
    pressedItem_ = -1;
    *result = SkinPassWithoutRedraw(*this, m);
    return true;
}

bool CSkinHeaderSB::OnLayout(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    const int height = RowHeight();
    auto* layout = reinterpret_cast<HDLAYOUT*>(m.lParam);
    // The header's own height for its font gives way to the skin's.
    if (*result && height > 0 && layout && layout->prc && layout->pwpos &&
        !(::GetWindowLongW(window_, GWL_STYLE) & HDS_HIDDEN)) {
        layout->pwpos->cy = height;
        layout->prc->top = layout->pwpos->y + height;
    }
    return true;
}
