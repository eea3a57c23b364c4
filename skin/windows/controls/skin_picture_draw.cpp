#include "skin/windows/controls/skin_picture_draw.h"

#include "skin/picture/skin_draw_image.h"

SkinBlit SkinTransparentBlit(const CSkinDrawImage& image) {
    return image.IsBitmapFile() ? SkinBlit::Keyed : SkinBlit::Blend;
}

CSkinDrawImage* SkinShownPicture(const ISkinCanvas& canvas, CSkinDrawImage* image) {
    return image ? image->ForScale(canvas.Scale()) : nullptr;
}

int SkinDrawPictureCut(ISkinCanvas& canvas, CSkinDrawImage* shown, const std::vector<SkinPiece>& pieces) {
    if (!shown || pieces.empty()) return 0;
    SkinSurface surface = shown->GetSurface();
    if (surface.IsEmpty()) return 0;
    return canvas.DrawPieces(surface, pieces.data(), static_cast<int>(pieces.size()), shown->GetColorKey());
}

int SkinDrawPictureFitted(ISkinCanvas& canvas, CSkinDrawImage* image, const SkinRect& rect) {
    CSkinDrawImage* shown = SkinShownPicture(canvas, image);
    if (!shown || rect.IsEmpty()) return 0;
    int w = shown->GetWidth(), h = shown->GetHeight();
    if (w <= 0 || h <= 0) return 0;
    SkinPiece piece{SkinTransparentBlit(*shown), SkinBox{rect.left, rect.top, rect.Width(), rect.Height()},
                    SkinBox{0, 0, w, h}};
    return SkinDrawPictureCut(canvas, shown, {piece});
}
