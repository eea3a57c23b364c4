#include "skin/windows/controls/skin_progress_win32.h"

#include <commctrl.h>

#include "skin/picture/skin_draw_image.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/controls/skin_picture_draw.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinProgressTable {
    using P = CSkinProgressSB;
    static constexpr SkinMessageEntry<P> kMessages[] = {
        {WM_PAINT, &P::OnPaint},
        {WM_ERASEBKGND, &P::OnEraseBackground},
        {WM_NCCALCSIZE, &P::OnNcCalcSize},
        {PBM_SETPOS, &P::OnPassAndRepaint},
        // A control may repaint only the strip between the old and the new
        // end of its own bar after a step; the skin's fill and percentage
        // lie elsewhere.
        {PBM_DELTAPOS, &P::OnPassAndRepaint},
        {PBM_STEPIT, &P::OnPassAndRepaint},
    };
};

namespace {

// One pass of the marquee block across the bar.
constexpr uint32_t kMarqueePeriodMs = 2000;

CSkinDrawImage* Picture(const std::wstring& id) {
    return id.empty() ? nullptr : GetSkinResourceManager()->GetImage(id);
}

}  // namespace

CSkinProgressSB::CSkinProgressSB(HWND window) : CSkinBase(window) {}

LRESULT CSkinProgressSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinProgressTable::kMessages, message);
}

void CSkinProgressSB::ApplyDescription() {
    NotifyLayout();
    if (const SkinProgressDesc* desc = ProgressDescription()) font_ = SkinControlFont(window_, desc->font, scale_);
}

void CSkinProgressSB::AdjustColors(const SkinColorShift& shift) {
    ItemsAdjustColors(shift);
    const SkinProgressDesc* desc = ProgressDescription();
    if (!desc) return;
    channelNormal_[0] = Picture(desc->channelHorizNormal);
    channelActive_[0] = Picture(desc->channelHorizActive);
    channelNormal_[1] = Picture(desc->channelVertNormal);
    channelActive_[1] = Picture(desc->channelVertActive);
}

void CSkinProgressSB::OnReskinned() { SkinInvalidate(window_); }

void CSkinProgressSB::OnAttached() {
    // The bar has no frame of its own any more: the system recomputes the
    // client area (now the whole window) at once, not at the next resize.
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SkinProgressRange CSkinProgressSB::Range() {
    PBRANGE range{};
    SkinCallPrevious(*this, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    auto position = static_cast<int>(SkinCallPrevious(*this, PBM_GETPOS, 0, 0));
    return SkinProgressRange{range.iLow, range.iHigh, position};
}

bool CSkinProgressSB::OnPaint(const SkinMessage& m, LRESULT* result) {
    *result = 1;
    SkinBufferedPaint paint(*this);
    ISkinCanvas* canvas = paint.Canvas();
    if (!canvas || !ProgressDescription()) return true;
    SkinRect client = paint.Client();
    clientRect_ = client;
    paint.ShowParentBackground();
    uint32_t style = skin_unhooked::Style(window_);
    bool vertical = (style & PBS_VERTICAL) != 0;
    int offset = scale_.Scale(ProgressDescription()->activeOffset);
    if (style & PBS_MARQUEE) {
        // Busy without a measure: a block runs along the bar (the control
        // asks for a paint at every step of its timer) and no percentage.
        DrawBar(*canvas, client, vertical,
                SkinProgressMarquee(client, offset, ::GetTickCount(), kMarqueePeriodMs, vertical));
        return true;
    }
    SkinProgressRange range = Range();
    DrawBar(*canvas, client, vertical, SkinProgressFill(client, offset, SkinProgressFraction(range), vertical));
    if (ProgressDescription()->showText) DrawPercentage(*canvas, client, range);
    return true;
}

void CSkinProgressSB::DrawBar(ISkinCanvas& canvas, const SkinRect& client, bool vertical, const SkinRect& fill) {
    const SkinProgressDesc& desc = *ProgressDescription();
    CSkinDrawImage* normal = channelNormal_[vertical ? 1 : 0];
    CSkinDrawImage* active = channelActive_[vertical ? 1 : 0];
    SkinDrawStyle style = SkinParseDrawStyle(desc.drawStyle);
    if (style == SkinDrawStyle::Draw9Grid) {
        // The margins are the pictures' own; at the window's scale they take
        // their scaled size along the bar.
        SkinQuad shown = SkinScaleQuad(scale_, desc.borderOffset);
        const SkinQuad& margins = desc.borderOffset;
        if (normal && SkinProgressGridFits(shown, vertical ? client.Height() : client.Width(), vertical))
            normal->Draw9Grid(canvas, client, margins);
        if (active && !fill.IsEmpty() && SkinProgressGridFits(shown, vertical ? fill.Height() : fill.Width(), vertical))
            active->Draw9Grid(canvas, fill, margins);
        return;
    }
    // The strip styles: the ends at their own size, the middle tiled for
    // "bitBltBlt" (and any name the bar does not know), else stretched.
    SkinStripMiddle middle = style == SkinDrawStyle::TransparentBlt || style == SkinDrawStyle::BitStretchBlt
                                 ? SkinStripMiddle::Stretch
                                 : SkinStripMiddle::Tile;
    DrawStrip(canvas, normal, client, vertical, middle);
    if (!fill.IsEmpty()) DrawStrip(canvas, active, fill, vertical, middle);
}

void CSkinProgressSB::DrawStrip(ISkinCanvas& canvas, CSkinDrawImage* picture, const SkinRect& rect, bool vertical,
                                SkinStripMiddle middle) {
    CSkinDrawImage* shown = SkinShownPicture(canvas, picture);
    if (!shown) return;
    // The caps are the picture's own number, cut from the copy at its scale.
    int cap = ProgressDescription()->partOffset;
    SkinQuad caps = SkinScalePictureMargins(canvas.Scale(), SkinRect{0, 0, picture->GetWidth(), picture->GetHeight()},
                                            SkinQuad{cap, cap, cap, cap});
    SkinDrawPictureCut(canvas, shown,
                       SkinProgressStrip(SkinTransparentBlit(*shown), shown->GetWidth(), shown->GetHeight(), rect,
                                         vertical ? caps.top : caps.left, middle, vertical));
}

void CSkinProgressSB::DrawPercentage(ISkinCanvas& canvas, const SkinRect& client, const SkinProgressRange& range) {
    const SkinProgressDesc& desc = *ProgressDescription();
    std::wstring text = SkinProgressText(range);
    SkinRect measure = client;
    canvas.DrawText(measure, text, kSkinDtSingleLine | kSkinDtCalcRect, desc.textColor, font_);
    SkinRect place = SkinProgressTextRect(client, measure.Width());
    canvas.DrawText(place, text, kSkinDtSingleLine | kSkinDtVCenter, desc.textColor, font_);
}

bool CSkinProgressSB::OnEraseBackground(const SkinMessage& m, LRESULT* result) {
    *result = 1;
    return true;
}

bool CSkinProgressSB::OnNcCalcSize(const SkinMessage& m, LRESULT* result) {
    // No frame: the client rectangle is the window rectangle as proposed.
    *result = 0;
    return true;
}

bool CSkinProgressSB::OnPassAndRepaint(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    SkinInvalidate(window_);
    return true;
}
