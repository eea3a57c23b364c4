#include "skin/windows/controls/skin_bar_paint_win32.h"

#include <algorithm>
#include <memory>

#include "common/win_handles.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_graphics.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/windows/hooks/skin_unhooked_win32.h"
#include "skin/windows/skin_api_win32.h"

CSkinDrawImage* SkinPictureOf(const std::wstring& id) {
    return id.empty() ? nullptr : GetSkinResourceManager()->GetImage(id);
}

SkinSize SkinPictureSize(CSkinDrawImage* picture, const SkinScale& scale) {
    return picture ? picture->ScaledSize(scale) : SkinSize{};
}

bool SkinDrawPicture(ISkinCanvas& canvas, CSkinDrawImage* picture, const SkinRect& rect, int margin) {
    if (!picture || rect.IsEmpty()) return false;
    // Margins beyond half the picture would cut corners that are not there
    // (the picture's own size: margins are its numbers).
    SkinSize size{picture->GetWidth(), picture->GetHeight()};
    int mx = std::max(0, std::min(margin, size.width / 2)), my = std::max(0, std::min(margin, size.height / 2));
    return picture->Draw9Grid(canvas, rect, SkinQuad{mx, my, mx, my}) != 0;
}

SkinRect SkinClientInWindowRect(HWND window) {
    RECT client = win::ClientRect(window);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT outer = win::WindowRect(window);
    return SkinRect{client.left - outer.left, client.top - outer.top, client.right - outer.left,
                    client.bottom - outer.top};
}

void SkinPaintRing(HWND window, const SkinScale& scale,
                   const std::function<void(ISkinCanvas&, const SkinRect&)>& draw) {
    RECT outer = win::WindowRect(window);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    if (w <= 0 || h <= 0) return;
    const SkinRect inner = SkinClientInWindowRect(window);
    const SkinRect ring[4] = {SkinRect{0, 0, w, inner.top}, SkinRect{0, inner.bottom, w, h},
                              SkinRect{0, inner.top, inner.left, inner.bottom},
                              SkinRect{inner.right, inner.top, w, inner.bottom}};
    SkinPieces pieces;
    for (const SkinRect& r : ring) {
        const SkinBox box{r.left, r.top, r.Width(), r.Height()};
        pieces.Add(SkinBlit::Copy, box, box, w, h);
    }
    if (pieces.Count() == 0) return;
    SkinBitmapHandle buffer = SkinGraphics().CreateCompatibleBitmap(w, h);
    if (!buffer) return;
    const SkinSurface surface{buffer.get(), w, h};
    {
        std::unique_ptr<ISkinCanvas> memory = SkinGraphics().CreateBitmapCanvas(surface);
        if (!memory) return;
        memory->SetScale(scale);
        // What lies behind the window first, for pictures with soft corners:
        // the parent's background is placed in client coordinates, so the
        // buffer's origin moves to the client area's corner for it.
        if (HDC dc = memory->Dc()) {
            POINT old{};
            ::SetViewportOrgEx(dc, inner.left, inner.top, &old);
            PaintParentBackground(window, dc, -inner.left, -inner.top, w - inner.left, h - inner.top, 255);
            ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
        }
        draw(*memory, SkinRect{0, 0, w, h});
    }
    win::WindowDc dc(window, skin_unhooked::GetWindowDC(window), skin_unhooked::ReleaseDC);
    if (!dc.get()) return;
    std::unique_ptr<ISkinCanvas> target = SkinGraphics().CreateDcCanvas(dc.get());
    if (target) target->DrawPieces(surface, pieces);
}

SkinColor SkinSysColor(int index) { return static_cast<SkinColor>(::GetSysColor(index)); }

SkinColor SkinFieldBackground(bool enabled) { return SkinSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE); }

HBRUSH SkinFieldBrush(bool enabled) { return ::GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE); }

bool SkinCursorWithin(HWND window) {
    POINT p{};
    if (!::GetCursorPos(&p)) return false;
    RECT r = win::WindowRect(window);
    if (!::PtInRect(&r, p)) return false;
    HWND under = ::WindowFromPoint(p);
    return under == window || ::IsChild(window, under);
}
