#include "skin/windows/controls/skin_rebar_win32.h"

#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "common/win_handles.h"
#include "skin/windows/controls/skin_bar_layout.h"
#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinReBarTable {
    using R = CSkinReBarCtrlSB;
    static constexpr SkinMessageEntry<R> kMessages[] = {
        {WM_PAINT, &R::OnPaint},
        {WM_NCPAINT, &R::OnNcPaint},
        {WM_ERASEBKGND, &R::OnEraseBackground},
    };
};

namespace {

constexpr int kBackgroundCorner = 2;
// The band record up to its header width: the ideal size is there, and
// both versions of the control take it.
constexpr UINT kBandInfoSize = offsetof(REBARBANDINFOW, cxHeader) + sizeof(UINT);

struct Band {
    SkinRect rect;  // in the horizontal bar's terms
    SkinRebarBandInput input;
    std::wstring text;
    COLORREF textColor = CLR_DEFAULT;
};

SkinRect Oriented(const SkinRect& r, bool vertical) { return vertical ? SkinTranspose(r) : r; }

}  // namespace

CSkinReBarCtrlSB::CSkinReBarCtrlSB(HWND window) : CSkinBufferedBar(window) {}

LRESULT CSkinReBarCtrlSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinReBarTable::kMessages, message);
}

void CSkinReBarCtrlSB::ApplyDescription() {
    NotifyLayout();
    font_ = SkinControlFont(window_, std::wstring(), scale_);
}

void CSkinReBarCtrlSB::AdjustColors(const SkinColorShift&) {
    const SkinRebarDesc* desc = RebarDescription();
    if (!desc) return;
    background_[0] = SkinPictureOf(desc->imageBackgroundHoriz);
    background_[1] = SkinPictureOf(desc->imageBackgroundVert);
    drop_[0] = SkinPictureOf(desc->imageDropHoriz);
    drop_[1] = SkinPictureOf(desc->imageDropVert);
}

void CSkinReBarCtrlSB::OnAttached() {
    ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CSkinReBarCtrlSB::OnReskinned() { OnAttached(); }

void CSkinReBarCtrlSB::DrawRing(ISkinCanvas& canvas, const SkinRect& whole) {
    DrawBackground(canvas, whole, SkinBarIsVertical(skin_unhooked::Style(window_)));
}

void CSkinReBarCtrlSB::DrawBackground(ISkinCanvas& canvas, const SkinRect& rect, bool vertical) {
    if (SkinDrawPicture(canvas, background_[vertical ? 1 : 0], rect, kBackgroundCorner)) return;
    const SkinRebarDesc* desc = RebarDescription();
    canvas.FillSolid(rect, desc ? desc->backgroundColor : SkinSysColor(COLOR_BTNFACE));
}

void CSkinReBarCtrlSB::Etch(ISkinCanvas& canvas, const SkinRect& line, bool vertical) {
    // One dark and one light line, along the gap.
    SkinRect dark = line, light = line;
    if (vertical) {
        dark.right = dark.left + 1;
        light.left = dark.right;
        light.right = std::min(line.right, light.left + 1);
    } else {
        dark.bottom = dark.top + 1;
        light.top = dark.bottom;
        light.bottom = std::min(line.bottom, light.top + 1);
    }
    canvas.FillSolid(dark, SkinSysColor(COLOR_BTNSHADOW));
    canvas.FillSolid(light, SkinSysColor(COLOR_BTNHIGHLIGHT));
}

void CSkinReBarCtrlSB::Draw(ISkinCanvas& canvas, const SkinRect& client) {
    const uint32_t style = skin_unhooked::Style(window_);
    const bool vertical = SkinBarIsVertical(style);
    PaintParentBackground(window_, canvas.Dc(), client.left, client.top, client.right, client.bottom, 255);
    DrawBackground(canvas, client, vertical);

    int count = static_cast<int>(::SendMessageW(window_, RB_GETBANDCOUNT, 0, 0));
    std::vector<Band> bands;
    int visible = 0;
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW info{};
        info.cbSize = kBandInfoSize;
        info.fMask = RBBIM_STYLE;
        if (::SendMessageW(window_, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&info)) &&
            !(info.fStyle & RBBS_HIDDEN))
            ++visible;
    }
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        REBARBANDINFOW info{};
        info.cbSize = kBandInfoSize;
        info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_TEXT | RBBIM_COLORS | RBBIM_IDEALSIZE;
        info.lpText = text;
        info.cch = 256;
        if (!::SendMessageW(window_, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&info))) continue;
        if (info.fStyle & RBBS_HIDDEN) continue;
        RECT r{}, borders{};
        if (!::SendMessageW(window_, RB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
        ::SendMessageW(window_, RB_GETBANDBORDERS, i, reinterpret_cast<LPARAM>(&borders));
        Band band;
        band.rect = Oriented(win::ToSkinRect(r), vertical);
        band.input.band = band.rect;
        if (info.hwndChild && ::IsWindowVisible(info.hwndChild)) {
            RECT c = win::WindowRect(info.hwndChild);
            ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&c), 2);
            band.input.child = Oriented(win::ToSkinRect(c), vertical);
            band.input.chevron =
                (info.fStyle & RBBS_USECHEVRON) && static_cast<int>(info.cxIdeal) > band.input.child.Width();
        }
        band.input.header = vertical ? borders.top : borders.left;
        band.input.gripper = SkinRebarShowsGripper(info.fStyle, visible);
        text[255] = L'\0';
        band.text = text;
        band.input.hasText = !band.text.empty();
        band.textColor = info.clrFore;
        bands.push_back(band);
    }

    CSkinDrawImage* drop = drop_[vertical ? 1 : 0];
    for (const Band& band : bands) {
        SkinRebarBandParts parts = SkinRebarBandLayout(band.input, metrics_);
        if (!parts.gripper.IsEmpty()) Etch(canvas, Oriented(parts.gripper, vertical), !vertical);
        if (!parts.text.IsEmpty()) {
            SkinRect rect = Oriented(parts.text, vertical);
            SkinColor color = band.textColor == CLR_DEFAULT ? SkinSysColor(COLOR_BTNTEXT) : band.textColor;
            canvas.DrawText(rect, band.text, kSkinDtSingleLine | kSkinDtVCenter | kSkinDtNoPrefix | kSkinDtEndEllipsis,
                            color, font_);
        }
        if (!parts.chevron.IsEmpty())
            SkinDrawPicture(canvas, drop,
                            SkinCentredIn(Oriented(parts.chevron, vertical), SkinPictureSize(drop, scale_)), 0);
    }
    if (style & RBS_BANDBORDERS) {
        std::vector<SkinRect> rects;
        for (const Band& band : bands) rects.push_back(band.rect);
        for (const SkinRect& line : SkinRebarBorderLines(rects, Oriented(client, vertical), metrics_)) {
            // A line in a row's gap runs across the bar; one under a row along it.
            bool acrossRow = line.Width() <= metrics_.borderWidth && line.Height() > line.Width();
            Etch(canvas, Oriented(line, vertical), acrossRow != vertical);
        }
    }
}
