#include "skin/windows/controls/skin_picture_draw.h"

#include "skin/picture/skin_draw_image.h"

SkinBlit SkinTransparentBlit(const CSkinDrawImage& image) {
    return image.IsBitmapFile() ? SkinBlit::Keyed : SkinBlit::Blend;
}

int SkinDrawPictureCut(ISkinCanvas& canvas, CSkinDrawImage* image, const std::vector<SkinPiece>& pieces) {
    if (!image || pieces.empty()) return 0;
    SkinSurface surface = image->GetSurface();
    if (surface.IsEmpty()) return 0;
    return canvas.DrawPieces(surface, pieces.data(), static_cast<int>(pieces.size()), image->GetColorKey());
}

int SkinDrawPictureFitted(ISkinCanvas& canvas, CSkinDrawImage* image, const SkinRect& rect) {
    if (!image || rect.IsEmpty()) return 0;
    int w = image->GetWidth(), h = image->GetHeight();
    if (w <= 0 || h <= 0) return 0;
    SkinPiece piece{SkinTransparentBlit(*image), SkinBox{rect.left, rect.top, rect.Width(), rect.Height()},
                    SkinBox{0, 0, w, h}};
    return SkinDrawPictureCut(canvas, image, {piece});
}
