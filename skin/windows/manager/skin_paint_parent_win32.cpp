// PaintParentBackground: what a skinned child shows behind itself.
#include <windows.h>

#include <memory>

#include "skin/platform/skin_graphics.h"
#include "skin/windows/manager/skin_wnd_manager_win32.h"
#include "skin/windows/skin_api_win32.h"

namespace {

CSkinBase* SkinOf(CSkinWndManager* manager, HWND window) { return window ? manager->Find(window) : nullptr; }

// A skinned frame, which shows a background behind its children; null for
// controls and unskinned windows.
CSkinBase* FrameOf(CSkinWndManager* manager, HWND window) {
    CSkinBase* skin = manager && window ? manager->Find(window) : nullptr;
    return skin && skin->FrameBackgroundColor() ? skin : nullptr;
}

// The frame's background under `child`'s rectangle (child coordinates).
bool PaintFromFrame(ISkinCanvas& canvas, CSkinBase& frame, HWND child, const SkinRect& rect, int alpha) {
    POINT origin{rect.left, rect.top};
    ::MapWindowPoints(child, frame.Window(), &origin, 1);
    return SkinPaintFrameBackground(canvas, frame, rect, SkinPair{origin.x, origin.y}, alpha);
}

}  // namespace

bool SkinPaintFrameBackground(ISkinCanvas& canvas, CSkinBase& frame, const SkinRect& rect, SkinPair from, int alpha) {
    SkinColor color = frame.FrameBackgroundColor().value_or(0);
    SkinSurface cache = frame.FrameBackground();
    if (cache.IsEmpty() || alpha < 0) {
        canvas.FillSolid(rect, color);
        return !cache.IsEmpty();
    }
    bool opaque = alpha >= 255;
    // The colour shows where the composed background does not reach, and
    // under a blend; an opaque copy that covers everything needs none.
    bool covered =
        from.x >= 0 && from.y >= 0 && from.x + rect.Width() <= cache.width && from.y + rect.Height() <= cache.height;
    if (!(opaque && covered)) canvas.FillSolid(rect, color);
    // Only the part inside the cache is copied; the colour stays elsewhere.
    SkinPieces pieces;
    pieces.Add(opaque ? SkinBlit::Copy : SkinBlit::BlendConstant,
               SkinBox{rect.left, rect.top, rect.Width(), rect.Height()},
               SkinBox{from.x, from.y, rect.Width(), rect.Height()}, cache.width, cache.height);
    canvas.DrawPieces(cache, pieces, kSkinDefaultKey, static_cast<uint8_t>(opaque ? 255 : alpha));
    return true;
}

int PaintParentBackground(HWND child, HDC dc, int left, int top, int right, int bottom, int alpha) {
    if (!child || !dc) return 0;
    try {
        std::unique_ptr<ISkinCanvas> canvas = SkinGraphics().CreateDcCanvas(dc);
        if (!canvas) return 0;
        SkinRect rect{left, top, right, bottom};
        CSkinWndManager* manager = SkinWndManagerIfCreated();
        HWND parent = ::GetParent(child);
        CSkinBase* parentSkin = manager ? SkinOf(manager, parent) : nullptr;
        if (CSkinBase* frame = FrameOf(manager, parent))
            return PaintFromFrame(*canvas, *frame, child, rect, alpha) ? 1 : 0;
        if (parentSkin) {
            // A skinned control between the child and its frame: the frame's
            // picture still shows through (a constant blend; the cache has
            // no alpha of its own).
            if (CSkinBase* grand = FrameOf(manager, ::GetParent(parent))) {
                PaintFromFrame(*canvas, *grand, child, rect, alpha);
                return 1;
            }
            canvas->FillSolid(rect, manager->DefaultBackgroundColor());
            return 1;
        }
        CSkinBase* own = FrameOf(manager, child);
        CSkinBase* grand = parent ? FrameOf(manager, ::GetParent(parent)) : nullptr;
        if (own)
            canvas->FillSolid(rect, *own->FrameBackgroundColor());
        else if (grand)
            canvas->FillSolid(rect, *grand->FrameBackgroundColor());
        else
            canvas->FillSolid(rect, ::GetSysColor(COLOR_BTNFACE));
        return 0;
    } catch (...) {
        return 0;
    }
}
