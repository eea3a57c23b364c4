#include "skin/windows/controls/skin_controlbar_win32.h"

#include <memory>

#include "common/win_handles.h"
#include "skin/platform/skin_graphics.h"
#include "skin/windows/controls/skin_bar_layout.h"
#include "skin/windows/controls/skin_bar_paint_win32.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"

struct SkinControlBarTable {
    using C = CSkinControlBarSB;
    static constexpr SkinMessageEntry<C> kMessages[] = {
        {WM_PAINT, &C::OnPaint},
        {WM_ERASEBKGND, &C::OnEraseBackground},
        {WM_NCPAINT, &C::OnNcPaint},
    };
};

namespace {

constexpr int kBackgroundCorner = 2;

}  // namespace

CSkinControlBarSB::CSkinControlBarSB(HWND window) : CSkinBase(window) {}

LRESULT CSkinControlBarSB::HandleMessage(const SkinMessage& message) {
    return SkinDispatchMessage(*this, SkinControlBarTable::kMessages, message);
}

void CSkinControlBarSB::AdjustColors(const SkinColorShift&) {
    const SkinControlBarDesc* desc = BarDescription();
    horizontal_ = desc ? SkinPictureOf(desc->bmpBackgroundHoriz) : nullptr;
    vertical_ = desc ? SkinPictureOf(desc->bmpBackgroundVert) : nullptr;
}

void CSkinControlBarSB::OnAttached() { ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); }

void CSkinControlBarSB::OnReskinned() { OnAttached(); }

void CSkinControlBarSB::PaintWindow() {
    if (!::IsWindowVisible(window_)) return;
    RECT outer = win::WindowRect(window_);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    if (w <= 0 || h <= 0) return;
    SkinBitmapHandle buffer = SkinGraphics().CreateCompatibleBitmap(w, h);
    if (!buffer) return;
    const SkinSurface surface{buffer.get(), w, h};
    const SkinRect whole{0, 0, w, h};
    {
        std::unique_ptr<ISkinCanvas> memory = SkinGraphics().CreateBitmapCanvas(surface);
        if (!memory) return;
        memory->SetScale(scale_);
        CSkinDrawImage* picture = SkinControlBarHorizontal(w, h) ? horizontal_ : vertical_;
        if (!SkinDrawPicture(*memory, picture, whole, kBackgroundCorner)) {
            const SkinControlBarDesc* desc = BarDescription();
            memory->FillSolid(whole, desc ? desc->backgroundColor : SkinSysColor(COLOR_BTNFACE));
        }
    }
    // The whole window, past the children the bar holds.
    HDC dc = skin_unhooked::GetDCEx(window_, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS);
    win::WindowDc owned(window_, dc, skin_unhooked::ReleaseDC);
    if (!owned.get()) return;
    std::unique_ptr<ISkinCanvas> target = SkinGraphics().CreateDcCanvas(owned.get());
    SkinPiece copy{SkinBlit::Copy, SkinBox{0, 0, w, h}, SkinBox{0, 0, w, h}};
    if (target) target->DrawPieces(surface, &copy, 1);
}

bool CSkinControlBarSB::OnPaint(const SkinMessage& m, LRESULT* result) {
    *result = SkinCallPrevious(*this, m);
    PaintWindow();
    return true;
}

bool CSkinControlBarSB::OnNcPaint(const SkinMessage&, LRESULT* result) {
    *result = 0;
    PaintWindow();
    return true;
}

bool CSkinControlBarSB::OnEraseBackground(const SkinMessage&, LRESULT* result) {
    *result = 1;
    return true;
}
