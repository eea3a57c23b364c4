#include "skin/windows/controls/skin_statusbar_win32.h"

#include <commctrl.h>

#include <climits>
#include <vector>

#include "common/win_dpi_win32.h"
#include "common/win_handles.h"
#include "skin/windows/controls/skin_bar_layout.h"
#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/controls/skin_control_util_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

struct SkinStatusBarTable {
    using S = CSkinStatusBarSB;
    static constexpr SkinMessageEntry<S> kMessages[] = {
        {WM_PAINT, &S::OnPaint},
        {WM_ERASEBKGND, &S::OnEraseBackground},
    };
};

namespace {

constexpr int kBackgroundCorner = 2;
constexpr uint32_t kTextFormat = kSkinDtSingleLine | kSkinDtVCenter | kSkinDtNoPrefix;

}  // namespace

CSkinStatusBarSB::CSkinStatusBarSB(HWND window) : CSkinBufferedBar(window) {}

LRESULT CSkinStatusBarSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinStatusBarTable::kMessages, message);
}

void CSkinStatusBarSB::ApplyDescription() {
    NotifyLayout();
    metrics_ = SkinStatusMetricsAt(scale_);
    const SkinStatusBarDesc* desc = StatusDescription();
    font_ = SkinControlFont(window_, desc ? desc->font : std::wstring(), scale_);
}

void CSkinStatusBarSB::AdjustColors(const SkinColorShift&) {
    const SkinStatusBarDesc* desc = StatusDescription();
    if (!desc) return;
    background_ = SkinPictureOf(desc->bmpBackground);
    separator_ = SkinPictureOf(desc->imageSeparator);
    grip_ = SkinPictureOf(desc->imageSizelogo);
}

void CSkinStatusBarSB::OnAttached() { SkinInvalidate(window_); }

void CSkinStatusBarSB::OnReskinned() { SkinInvalidate(window_); }

std::wstring CSkinStatusBarSB::PartText(int part, bool* ownerDraw) const {
    // The bar copies the whole text into the buffer it is given, so the
    // buffer is made as long as the text first.
    SkinStatusTextInfo info =
        SkinStatusTextLength(static_cast<uintptr_t>(::SendMessageW(window_, SB_GETTEXTLENGTHW, part, 0)));
    if (ownerDraw) *ownerDraw = info.OwnerDraw();
    if (info.OwnerDraw() || info.length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(info.length) + 1, L'\0');
    ::SendMessageW(window_, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

void CSkinStatusBarSB::Draw(ISkinCanvas& canvas, const SkinRect& client) {
    const SkinStatusBarDesc* desc = StatusDescription();
    PaintParentBackground(window_, canvas.Dc(), client.left, client.top, client.right, client.bottom, 255);
    if (!SkinDrawPicture(canvas, background_, client, kBackgroundCorner))
        canvas.FillSolid(client, desc ? desc->backgroundColor : SkinSysColor(COLOR_BTNFACE));

    HWND parent = ::GetParent(window_);
    const bool grip = SkinStatusShowsGrip(skin_unhooked::Style(window_), parent && ::IsZoomed(parent));
    const SkinRect gripRect = grip ? SkinSizeGripRect(client, SkinPictureSize(grip_, scale_), metrics_) : SkinRect{};

    if (::SendMessageW(window_, SB_ISSIMPLE, 0, 0)) {
        int borders[3] = {};
        ::SendMessageW(window_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        SkinRect part{client.left + borders[0], client.top + borders[1], client.right - borders[0],
                      client.bottom - borders[1]};
        // The simple text answers to index 0 while the bar is simple.
        DrawPart(canvas, 0, part, grip ? gripRect.left : INT_MAX, true);
    } else {
        int count = static_cast<int>(::SendMessageW(window_, SB_GETPARTS, 0, 0));
        count = std::max(0, std::min(count, 256));  // the bar's own limit
        std::vector<SkinRect> parts(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            RECT r{};
            if (::SendMessageW(window_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)))
                parts[static_cast<size_t>(i)] = win::ToSkinRect(r);
        }
        SkinSize separator = SkinPictureSize(separator_, scale_);
        for (int i = 0; i < count; ++i) {
            const SkinRect& part = parts[static_cast<size_t>(i)];
            if (part.IsEmpty()) continue;
            DrawPart(canvas, i, part, grip && i == count - 1 ? gripRect.left : INT_MAX, false);
            if (i + 1 < count)
                SkinDrawPicture(canvas, separator_,
                                SkinStatusSeparatorRect(part, parts[static_cast<size_t>(i + 1)], separator), 0);
        }
    }
    if (grip) DrawGrip(canvas, gripRect);
}

void CSkinStatusBarSB::DrawPart(ISkinCanvas& canvas, int index, const SkinRect& part, int textRight, bool simple) {
    bool ownerDraw = false;
    std::wstring text = PartText(index, &ownerDraw);
    if (ownerDraw) {
        // The parent draws the part on the buffer, with the part's value.
        HWND parent = ::GetParent(window_);
        HDC dc = canvas.Dc();
        if (!parent || !dc) return;
        DRAWITEMSTRUCT item{};
        item.CtlID = static_cast<UINT>(::GetDlgCtrlID(window_));
        item.itemID = static_cast<UINT>(simple ? SB_SIMPLEID : index);
        item.hwndItem = window_;
        item.hDC = dc;
        item.rcItem = win::ToRect(part);
        wchar_t unused[2] = {};
        item.itemData =
            static_cast<ULONG_PTR>(::SendMessageW(window_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(unused)));
        ::SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        return;
    }
    auto icon = reinterpret_cast<HICON>(::SendMessageW(window_, SB_GETICON, simple ? -1 : index, 0));
    SkinSize iconSize = icon ? SkinSize{win::SystemMetricForDpi(SM_CXSMICON, scale_.Dpi()),
                                        win::SystemMetricForDpi(SM_CYSMICON, scale_.Dpi())}
                             : SkinSize{};
    SkinStatusPartContent content = SkinStatusPartLayout(part, iconSize, textRight, metrics_);
    if (icon && !content.icon.IsEmpty())
        canvas.DrawIcon(content.icon.left, content.icon.top, icon, content.icon.Width(), content.icon.Height());
    if (text.empty() || content.text.IsEmpty()) return;
    const SkinStatusBarDesc* desc = StatusDescription();
    SkinColor color = desc ? desc->textColor : SkinSysColor(COLOR_BTNTEXT);
    SkinStatusTexts texts = SkinSplitStatusText(text);
    const std::wstring* pieces[3] = {&texts.left, &texts.centre, &texts.right};
    const uint32_t aligns[3] = {kSkinDtLeft | kSkinDtEndEllipsis, kSkinDtCenter, kSkinDtRight};
    for (int i = 0; i < 3; ++i) {
        if (pieces[i]->empty()) continue;
        SkinRect rect = content.text;
        canvas.DrawText(rect, *pieces[i], kTextFormat | aligns[i], color, font_);
    }
}

void CSkinStatusBarSB::DrawGrip(ISkinCanvas& canvas, const SkinRect& grip) {
    if (SkinDrawPicture(canvas, grip_, grip, 0)) return;
    // Without a picture: the usual triangle of dots, light over dark.
    for (const SkinRect& dot : SkinGripDots(grip, metrics_)) {
        canvas.FillSolid(SkinRect{dot.left + 1, dot.top + 1, dot.right + 1, dot.bottom + 1},
                         SkinSysColor(COLOR_BTNHIGHLIGHT));
        canvas.FillSolid(dot, SkinSysColor(COLOR_BTNSHADOW));
    }
}
