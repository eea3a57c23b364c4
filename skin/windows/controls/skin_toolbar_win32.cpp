#include "skin/windows/controls/skin_toolbar_win32.h"

#include <windowsx.h>

#include <string>
#include <vector>

#include "common/win_handles.h"
#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinToolBarTable {
    using T = CSkinToolBarCtrlSB;
    static constexpr SkinMessageEntry<T> kMessages[] = {
        {WM_PAINT, &T::OnPaint},
        {WM_ERASEBKGND, &T::OnEraseBackground},
        {WM_NCPAINT, &T::OnNcPaint},
        {WM_MOUSEMOVE, &T::OnMouseMove},
        {WM_MOUSELEAVE, &T::OnMouseLeave},
        // The bar's timers end its own hot tracking; the skin's follows.
        {WM_TIMER, &T::OnTimer},
        {WM_ENABLE, &T::OnPassThenRepaint},
        {WM_SIZE, &T::OnPassThenRepaint},
    };
};

namespace {

constexpr int kFaceCorner = 4;
constexpr int kBackgroundCorner = 2;

int Index(bool vertical) { return vertical ? 1 : 0; }

}  // namespace

CSkinToolBarCtrlSB::CSkinToolBarCtrlSB(HWND window) : CSkinBufferedBar(window) {}

LRESULT CSkinToolBarCtrlSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinToolBarTable::kMessages, message);
}

void CSkinToolBarCtrlSB::ApplyDescription() {
    NotifyLayout();
    metrics_ = SkinToolbarMetricsAt(scale_);
    font_ = SkinControlFont(window_, std::wstring(), scale_);
}

void CSkinToolBarCtrlSB::AdjustColors(const SkinColorShift&) {
    const SkinToolBarDesc* desc = ToolBarDescription();
    if (!desc) return;
    const std::wstring* faces[kSkinFaceCount] = {&desc->bmpButtonNormal, &desc->bmpButtonOver, &desc->bmpButtonDown,
                                                 &desc->bmpButtonDisable};
    for (int i = 0; i < kSkinFaceCount; ++i) faces_[i] = SkinPictureOf(*faces[i]);
    background_[0] = SkinPictureOf(desc->imageBackgroundHoriz);
    background_[1] = SkinPictureOf(desc->imageBackgroundVert);
    separator_[0] = SkinPictureOf(desc->imageSeparatorHoriz);
    separator_[1] = SkinPictureOf(desc->imageSeparatorVert);
    drop_[0] = SkinPictureOf(desc->imageDropHoriz);
    drop_[1] = SkinPictureOf(desc->imageDropVert);
}

void CSkinToolBarCtrlSB::OnAttached() { ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); }

void CSkinToolBarCtrlSB::OnReskinned() { OnAttached(); }

int CSkinToolBarCtrlSB::HotButton() const {
    if (hot_ >= 0) return hot_;
    // A hot item the bar set itself (keyboard, the application).
    return static_cast<int>(::SendMessageW(window_, TB_GETHOTITEM, 0, 0));
}

// ----- painting -----

void CSkinToolBarCtrlSB::DrawBackground(ISkinCanvas& canvas, const SkinRect& rect) {
    const bool vertical = SkinBarIsVertical(skin_unhooked::Style(window_));
    if (SkinDrawPicture(canvas, background_[Index(vertical)], rect, kBackgroundCorner)) return;
    // The format's absent colour is black: without a picture or a colour
    // the bar shows what lies behind it.
    const SkinToolBarDesc* desc = ToolBarDescription();
    if (desc && desc->backgroundColor != 0) canvas.FillSolid(rect, desc->backgroundColor);
}

CSkinToolBarCtrlSB::PaintPass CSkinToolBarCtrlSB::BeginPass() const {
    PaintPass pass;
    pass.style = skin_unhooked::Style(window_);
    pass.extended = static_cast<uint32_t>(::SendMessageW(window_, TB_GETEXTENDEDSTYLE, 0, 0));
    pass.orientation = Index(SkinBarIsVertical(pass.style));
    pass.barEnabled = ::IsWindowEnabled(window_) != FALSE;
    pass.hot = HotButton();
    pass.lists[0] = reinterpret_cast<HIMAGELIST>(::SendMessageW(window_, TB_GETIMAGELIST, 0, 0));
    pass.lists[1] = reinterpret_cast<HIMAGELIST>(::SendMessageW(window_, TB_GETHOTIMAGELIST, 0, 0));
    pass.lists[2] = reinterpret_cast<HIMAGELIST>(::SendMessageW(window_, TB_GETDISABLEDIMAGELIST, 0, 0));
    int cx = 0, cy = 0;
    if (pass.lists[0] && ::ImageList_GetIconSize(pass.lists[0], &cx, &cy)) pass.icon = SkinSize{cx, cy};
    return pass;
}

void CSkinToolBarCtrlSB::Draw(ISkinCanvas& canvas, const SkinRect& client) {
    PaintParentBackground(window_, canvas.Dc(), client.left, client.top, client.right, client.bottom, 255);
    DrawBackground(canvas, client);
    const PaintPass pass = BeginPass();
    int count = static_cast<int>(::SendMessageW(window_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT r{};
        if (!::SendMessageW(window_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
        if (!::SendMessageW(window_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
        SkinRect item = win::ToSkinRect(r);
        if (item.IsEmpty() || item.left >= client.right || item.top >= client.bottom) continue;
        DrawButton(canvas, pass, i, button, item);
    }
}

void CSkinToolBarCtrlSB::DrawButton(ISkinCanvas& canvas, const PaintPass& pass, int index, const TBBUTTON& button,
                                    const SkinRect& item) {
    SkinToolButtonLook look = SkinToolButtonState(button.fsState, button.fsStyle, index == pass.hot, pass.barEnabled);
    if (!look.drawn) return;
    if (look.separator) {
        CSkinDrawImage* line = separator_[pass.orientation];
        SkinDrawPicture(canvas, line, SkinSeparatorRect(item, SkinPictureSize(line, scale_), metrics_.separatorInset),
                        0);
        return;
    }
    SkinToolbarMetrics metrics = metrics_;
    if (button.fsStyle & BTNS_DROPDOWN) {
        // The split part as wide as the bar makes it (its width follows the
        // display on some systems, not on others).
        RECT drop{};
        if (::SendMessageW(window_, TB_GETITEMDROPDOWNRECT, index, reinterpret_cast<LPARAM>(&drop)) &&
            drop.right > drop.left && drop.right - drop.left < item.Width())
            metrics.dropArrowWidth = drop.right - drop.left;
    }
    SkinToolButtonParts parts = SkinToolButtonSplit(item, button.fsStyle, pass.extended, metrics);
    bool present[kSkinFaceCount];
    for (int i = 0; i < kSkinFaceCount; ++i) present[i] = faces_[i] != nullptr;
    int face = SkinFacePicture(look.face, present);
    if (face >= 0) {
        SkinDrawPicture(canvas, faces_[face], parts.face, kFaceCorner);
        if (parts.split) SkinDrawPicture(canvas, faces_[face], parts.arrow, kFaceCorner);
    }
    if (!parts.arrow.IsEmpty()) {
        CSkinDrawImage* arrow = drop_[pass.orientation];
        SkinDrawPicture(canvas, arrow, SkinCentredIn(parts.arrow, SkinPictureSize(arrow, scale_)), 0);
    }

    std::wstring text = ButtonText(button);
    const bool list = (pass.style & kSkinTbStyleList) != 0;
    if (list && (pass.extended & TBSTYLE_EX_MIXEDBUTTONS) && !(button.fsStyle & BTNS_SHOWTEXT)) text.clear();
    SkinSize textSize;
    if (!text.empty()) {
        SkinRect measure{0, 0, 0, 0};
        canvas.DrawText(measure, text, kSkinDtCalcRect | kSkinDtSingleLine | kSkinDtNoPrefix, 0, font_);
        textSize = SkinSize{measure.Width(), measure.Height()};
    }
    // I_IMAGENONE and I_IMAGECALLBACK are below 0: no icon.
    const SkinSize icon = button.iBitmap >= 0 ? pass.icon : SkinSize{};
    SkinToolContent content = SkinToolButtonContent(parts.face, icon, textSize, list, look.pushed, metrics_);
    if (!content.icon.IsEmpty()) DrawIcon(canvas, pass, button, look.icon, content.icon);
    if (!text.empty() && !content.text.IsEmpty()) {
        SkinColor color = SkinSysColor(look.face == SkinFace::Disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        uint32_t format = kSkinDtSingleLine | kSkinDtNoPrefix | kSkinDtEndEllipsis |
                          (list ? kSkinDtLeft | kSkinDtVCenter : kSkinDtCenter | kSkinDtTop);
        SkinRect rect = content.text;
        canvas.DrawText(rect, text, format, color, font_);
    }
}

void CSkinToolBarCtrlSB::DrawIcon(ISkinCanvas& canvas, const PaintPass& pass, const TBBUTTON& button, SkinToolIcon kind,
                                  const SkinRect& place) {
    HIMAGELIST list = pass.lists[0];
    bool faded = false;
    if (kind == SkinToolIcon::Hot && pass.lists[1]) {
        list = pass.lists[1];
    } else if (kind == SkinToolIcon::Disabled) {
        // Without greyed pictures of its own the bar's normal ones, faded.
        list = pass.lists[2] ? pass.lists[2] : list;
        faded = !pass.lists[2];
    }
    if (!list || button.iBitmap < 0 || button.iBitmap >= ::ImageList_GetImageCount(list)) return;
    canvas.DrawImageList(list, button.iBitmap, place.left, place.top, faded);
}

std::wstring CSkinToolBarCtrlSB::ButtonText(const TBBUTTON& button) const {
    // The length first; the bar copies the whole text into what it is given.
    auto length = static_cast<int>(::SendMessageW(window_, TB_GETBUTTONTEXTW, button.idCommand, 0));
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(window_, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

// ----- the mouse -----

void CSkinToolBarCtrlSB::InvalidateButton(int index) {
    if (index < 0 || !::IsWindowVisible(window_)) return;
    RECT r{};
    if (::SendMessageW(window_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)))
        ::InvalidateRect(window_, &r, FALSE);
}

void CSkinToolBarCtrlSB::SetHot(int index) {
    if (index == hot_) return;
    InvalidateButton(hot_);
    hot_ = index;
    InvalidateButton(hot_);
}

void CSkinToolBarCtrlSB::TrackHot() {
    if (!SkinCursorWithin(window_)) {
        SetHot(-1);
        return;
    }
    POINT p = SkinCursorInClient(window_);
    int index = static_cast<int>(::SendMessageW(window_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)));
    SetHot(index >= 0 ? index : -1);
}

bool CSkinToolBarCtrlSB::OnMouseMove(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    if (!hover_) {
        hover_ = true;
        SkinTrackMouse(window_, TME_LEAVE);
    }
    TrackHot();
    return true;
}

bool CSkinToolBarCtrlSB::OnMouseLeave(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    hover_ = false;
    SetHot(-1);
    return true;
}

bool CSkinToolBarCtrlSB::OnTimer(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    if (hot_ >= 0) TrackHot();
    return true;
}

bool CSkinToolBarCtrlSB::OnPassThenRepaint(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    SkinInvalidate(window_);
    return true;
}
