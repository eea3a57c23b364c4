#include "skin/windows/controls/skin_tab_ctrl_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "common/win_handles.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinTabCtrlTable {
    using T = CSkinTabCtrlSB;
    static constexpr SkinMessageEntry<T> kMessages[] = {
        {WM_SIZE, &T::OnSize},
        {WM_ENABLE, &T::OnEnable},
        {WM_PAINT, &T::OnPaint},
        {WM_ERASEBKGND, &T::OnEraseBackground},
        {WM_MOUSEMOVE, &T::OnMouseMove},
        {WM_MOUSELEAVE, &T::OnMouseLeave},
        {TCM_DELETEITEM, &T::OnItemsChanged},
        {TCM_DELETEALLITEMS, &T::OnItemsChanged},
        {TCM_INSERTITEMW, &T::OnItemsChanged},
        {TCM_INSERTITEMA, &T::OnItemsChanged},
        {TCM_SETITEMSIZE, &T::OnSetItemSize},
        // The selected tab shows the keyboard focus; a new font changes the
        // tabs' sizes and the turned text.
        {WM_SETFOCUS, &T::OnFocus},
        {WM_KILLFOCUS, &T::OnFocus},
        {WM_SETFONT, &T::OnSetFont},
    };
};

namespace {

// Text of a tab as the control gives it, at most this many characters.
constexpr int kMaxTabText = 1024;

CSkinDrawImage* Picture(const std::wstring& id) {
    return id.empty() ? nullptr : GetSkinResourceManager()->GetImage(id);
}

SkinRect Union(const SkinRect& a, const SkinRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return SkinRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
}

}  // namespace

CSkinTabCtrlSB::CSkinTabCtrlSB(HWND window) : CSkinBase(window) {}

CSkinTabCtrlSB::~CSkinTabCtrlSB() = default;

LRESULT CSkinTabCtrlSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinTabCtrlTable::kMessages, message);
}

void CSkinTabCtrlSB::ApplyDescription() {
    NotifyLayout();
    const SkinTabCtrlDesc* desc = TabDescription();
    if (!desc) return;
    font_ = SkinControlFont(window_, desc->font, scale_);
    push_ = desc->pushbuttonSkinLabel.empty()
                ? nullptr
                : GetSkinResourceManager()->GetDescription<SkinButtonDesc>(desc->pushbuttonSkinLabel);
}

void CSkinTabCtrlSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinTabCtrlDesc* d = TabDescription();
    if (!d) return;
    const std::wstring* ids[kSkinTabPictureCount] = {
        &d->itemBackgroundTopNormalImage,    &d->itemBackgroundTopOverImage,    &d->itemBackgroundTopCheckedImage,
        &d->itemBackgroundBottomNormalImage, &d->itemBackgroundBottomOverImage, &d->itemBackgroundBottomCheckedImage,
        &d->itemBackgroundLeftNormalImage,   &d->itemBackgroundLeftOverImage,   &d->itemBackgroundLeftCheckedImage,
        &d->itemBackgroundRightNormalImage,  &d->itemBackgroundRightOverImage,  &d->itemBackgroundRightCheckedImage,
    };
    for (int i = 0; i < kSkinTabPictureCount; ++i) pictures_[static_cast<size_t>(i)] = Picture(*ids[i]);
    pushPictures_ = {};
    if (push_) pushPictures_ = {Picture(push_->picNormal), Picture(push_->picOver), Picture(push_->picDown)};
    borderPen_.reset();  // made again at the next paint, in the description's colour
}

void CSkinTabCtrlSB::OnReskinned() {
    PlaceSpin();
    SkinInvalidate(window_);
}

void CSkinTabCtrlSB::OnAttached() { PlaceSpin(); }

HWND CSkinTabCtrlSB::SpinWindow() const { return ::FindWindowExW(window_, nullptr, UPDOWN_CLASSW, nullptr); }

void CSkinTabCtrlSB::PlaceSpin() {
    HWND spin = SpinWindow();
    const SkinTabCtrlDesc* desc = TabDescription();
    if (!spin || !desc) return;
    CSkinWndManager* manager = SkinWndManagerIfCreated();
    if (!desc->spinbuttonSkinLabel.empty() && manager && !manager->Find(spin))
        SetWindowSkin(spin, desc->spinbuttonSkinLabel.c_str());
    // The arrows stand at the end of the row of tabs, as high as the row.
    RECT item{};
    if (!SkinCallPrevious(*this, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) return;
    RECT client{}, now{};
    ::GetClientRect(window_, &client);
    ::GetWindowRect(spin, &now);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&now), 2);
    SkinRect place = SkinTabSpinRect(win::ToSkinRect(client), win::ToSkinRect(item), now.right - now.left);
    if (!place.IsEmpty() && place != win::ToSkinRect(now))
        ::SetWindowPos(spin, nullptr, place.left, place.top, place.Width(), place.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(spin, nullptr, FALSE);
}

int CSkinTabCtrlSB::TabAt(int x, int y) {
    TCHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    return static_cast<int>(SkinCallPrevious(*this, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

HFONT CSkinTabCtrlSB::TurnedFont(int escapement) {
    if (turnedBase_ != font_) {
        turned_[0].reset();
        turned_[1].reset();
        turnedBase_ = font_;
    }
    SkinFont& font = turned_[escapement == 900 ? 0 : 1];
    if (!font) font = SkinGraphics().CreateTurnedFont(font_, escapement);
    return font.get();
}

bool CSkinTabCtrlSB::OnPaint(const SkinMessage& m, LRESULT* result) {
    *result = 0;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    const SkinTabCtrlDesc* desc = TabDescription();
    if (!canvas || !desc) return true;
    SkinRect client = paint.Client();
    clientRect_ = client;
    paint.ShowParentBackground();

    auto style = skin_unhooked::Style(window_);
    SkinTabSide side = SkinTabSideOf(style);
    auto count = static_cast<int>(SkinCallPrevious(*this, TCM_GETITEMCOUNT, 0, 0));
    auto selected = static_cast<int>(SkinCallPrevious(*this, TCM_GETCURSEL, 0, 0));
    std::vector<Tab> tabs;
    SkinRect band;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!SkinCallPrevious(*this, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
        tabs.push_back(Tab{i, win::ToSkinRect(r), i == selected});
        band = Union(band, win::ToSkinRect(r));
    }
    const SkinTabMetrics metrics = SkinScaled(SkinTabMetrics{}, scale_);
    bool buttons = (style & kSkinTcsButtons) != 0;
    SkinRect border = SkinTabBorderRect(client, band, side);
    if (!buttons && SkinTabBorderShown(border, metrics)) {
        // The pen is made for the window's scale, once for each scale.
        if (!borderPen_ || penScale_ != scale_) {
            // Inside the frame: a wider pen stays within the page's rectangle.
            borderPen_ = SkinGraphics().CreatePen(PS_INSIDEFRAME, SkinScaledPenWidth(scale_, 1), desc->borderColor);
            penScale_ = scale_;
        }
        int round = scale_.Scale(desc->borderRound);
        if (borderPen_) canvas->RoundRect(border, round, round, borderPen_.get(), SkinGraphics().NullBrush());
    }
    // The selected tab last: it reaches over its neighbours.
    std::stable_partition(tabs.begin(), tabs.end(), [](const Tab& t) { return !t.selected; });
    for (const Tab& tab : tabs) DrawTab(*canvas, tab, side, style, client, metrics);

    if (::GetFocus() == window_ && selected >= 0) {
        auto uiState = static_cast<UINT>(::SendMessageW(window_, WM_QUERYUISTATE, 0, 0));
        for (const Tab& tab : tabs)
            if (tab.selected && !(uiState & UISF_HIDEFOCUS))
                canvas->DrawFocusRect(
                    SkinTabFocusRect(SkinTabFaceRect(tab.item, side, !buttons, client, metrics), metrics));
    }
    return true;
}

void CSkinTabCtrlSB::DrawTab(ISkinCanvas& canvas, const Tab& tab, SkinTabSide side, uint32_t style,
                             const SkinRect& client, const SkinTabMetrics& metrics) {
    const SkinTabCtrlDesc& desc = *TabDescription();
    bool buttons = (style & kSkinTcsButtons) != 0;
    bool enabled = ::IsWindowEnabled(window_) != FALSE;
    bool hot = enabled && hover_ && tab.index == hotTab_;
    SkinTabFace face = SkinTabFaceOf(tab.selected, hot);
    SkinRect rect = SkinTabFaceRect(tab.item, side, tab.selected && !buttons, client, metrics);
    if (rect.IsEmpty()) return;

    SkinColor color = tab.selected ? desc.itemTextCheckedColor : desc.itemTextNormalColor;
    if (buttons && push_) {
        // Button-style tabs look like the push button: down while selected.
        CSkinDrawImage* picture = pushPictures_[static_cast<size_t>(face)];
        if (!picture) picture = pushPictures_[0];
        if (picture) picture->Draw9Grid(canvas, rect, push_->border9grid);
        const SkinColor colors[3] = {push_->textNormalColor, push_->textOverColor, push_->textDownColor};
        color = enabled ? colors[static_cast<int>(face)] : push_->textDisableColor;
    } else {
        std::array<bool, kSkinTabPictureCount> present{};
        for (size_t i = 0; i < present.size(); ++i) present[i] = pictures_[i] != nullptr;
        int index = SkinTabPictureFor(side, face, present);
        if (index >= 0) pictures_[static_cast<size_t>(index)]->Draw9Grid(canvas, rect, desc.draw9grid);
        if (!enabled) color = ::GetSysColor(COLOR_GRAYTEXT);
    }

    if (style & TCS_OWNERDRAWFIXED) {
        // The application draws the inside of its tabs, on the skinned face.
        TCITEMW item{};
        item.mask = TCIF_PARAM;
        SkinCallPrevious(*this, TCM_GETITEMW, static_cast<WPARAM>(tab.index), reinterpret_cast<LPARAM>(&item));
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_TAB;
        draw.CtlID = static_cast<UINT>(::GetDlgCtrlID(window_));
        draw.itemID = static_cast<UINT>(tab.index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = (tab.selected ? ODS_SELECTED : 0) | (enabled ? 0 : ODS_DISABLED);
        draw.hwndItem = window_;
        draw.hDC = canvas.Dc();
        draw.rcItem = RECT{rect.left, rect.top, rect.right, rect.bottom};
        draw.itemData = static_cast<ULONG_PTR>(item.lParam);
        if (HWND parent = ::GetParent(window_))
            ::SendMessageW(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    DrawTabContent(canvas, tab, rect, side, color, metrics);
}

void CSkinTabCtrlSB::DrawTabContent(ISkinCanvas& canvas, const Tab& tab, const SkinRect& face, SkinTabSide side,
                                    SkinColor color, const SkinTabMetrics& metrics) {
    wchar_t buffer[kMaxTabText + 1] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = buffer;
    item.cchTextMax = kMaxTabText + 1;
    SkinCallPrevious(*this, TCM_GETITEMW, static_cast<WPARAM>(tab.index), reinterpret_cast<LPARAM>(&item));
    // The control may answer with its own copy of the text.
    const wchar_t* source = item.pszText ? item.pszText : buffer;
    std::wstring text(source, wcsnlen(source, kMaxTabText));

    auto images = reinterpret_cast<HIMAGELIST>(SkinCallPrevious(*this, TCM_GETIMAGELIST, 0, 0));
    int iconW = 0, iconH = 0;
    if (images && item.iImage >= 0 && !::ImageList_GetIconSize(images, &iconW, &iconH)) iconW = iconH = 0;

    SkinRect measure{0, 0, 0, 0};
    if (!text.empty()) canvas.DrawText(measure, text, kSkinDtSingleLine | kSkinDtCalcRect, color, font_);
    SkinTabContent content = SkinTabContentLayout(face, side, iconW, iconH, measure.Width(), measure.Height(), metrics);

    if (iconW > 0) {
        win::ScopedOwnIcon icon(::ImageList_GetIcon(images, item.iImage, ILD_TRANSPARENT));
        if (icon) canvas.DrawIcon(content.icon.left, content.icon.top, icon.get(), iconW, iconH);
    }
    if (text.empty()) return;
    if (content.escapement == 0) {
        // A text wider than its tab ends in an ellipsis.
        int inset = metrics.textInset;
        SkinRect place{std::max(content.text.left, face.left + inset), content.text.top,
                       std::min(content.text.right, face.right - inset), content.text.bottom};
        canvas.DrawText(place, text, kSkinDtSingleLine | kSkinDtVCenter | kSkinDtCenter | kSkinDtEndEllipsis, color,
                        font_);
        return;
    }
    HFONT turned = TurnedFont(content.escapement);
    if (!turned) return;
    SkinRect origin{content.textOrigin.x, content.textOrigin.y, content.textOrigin.x + 1, content.textOrigin.y + 1};
    // A turned line is drawn from its starting point, unclipped.
    canvas.DrawText(origin, text, kSkinDtSingleLine | kSkinDtNoClip, color, turned);
}

bool CSkinTabCtrlSB::OnSize(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    PlaceSpin();
    return true;
}

bool CSkinTabCtrlSB::OnEnable(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    if (::IsWindowVisible(window_)) ::InvalidateRect(window_, nullptr, TRUE);
    return true;
}

bool CSkinTabCtrlSB::OnEraseBackground(const SkinMessage& m, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinTabCtrlSB::OnMouseMove(const SkinMessage& m, LRESULT*) {
    if (!hover_) {
        hover_ = 1;
        SkinTrackMouse(window_, TME_HOVER | TME_LEAVE);
    }
    int tab = TabAt(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    if (tab != hotTab_) {
        hotTab_ = tab;
        SkinInvalidate(window_);
    }
    return false;
}

bool CSkinTabCtrlSB::OnMouseLeave(const SkinMessage& m, LRESULT*) {
    hover_ = 0;
    hotTab_ = -1;
    SkinInvalidate(window_);
    return false;
}

bool CSkinTabCtrlSB::OnFocus(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    SkinInvalidate(window_);
    return true;
}

bool CSkinTabCtrlSB::OnSetFont(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    const SkinTabCtrlDesc* desc = TabDescription();
    if (desc && desc->font.empty()) font_ = SkinControlFont(window_, desc->font, scale_);
    PlaceSpin();
    SkinInvalidate(window_);
    return true;
}

bool CSkinTabCtrlSB::OnItemsChanged(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    // The row may have begun or ceased to need its arrows: they are placed
    // here, not by a size message the control would take for real.
    PlaceSpin();
    return true;
}

bool CSkinTabCtrlSB::OnSetItemSize(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    PlaceSpin();
    return true;
}
