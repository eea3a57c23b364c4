// The drawing operations of CSkinDrawImage: each builds its piece list with
// the geometry of skin_geometry.h and hands it to the canvas.
#include <algorithm>
#include <cstdint>

#include "skin/picture/skin_bitmap.h"
#include "skin/picture/skin_draw_image.h"

namespace {

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The rectangle of a box, without overflow.
SkinRect EdgesRect(int x, int y, int width, int height) {
    return SkinRect{x, y, ClampToInt(int64_t{x} + width), ClampToInt(int64_t{y} + height)};
}

// The box of a rectangle given by its edges, without overflow.
SkinBox EdgesBox(int left, int top, int right, int bottom) {
    return SkinBox{left, top, ClampToInt(int64_t{right} - left), ClampToInt(int64_t{bottom} - top)};
}

}  // namespace

CSkinDrawImage::Resolved CSkinDrawImage::Resolve(const ISkinCanvas& canvas) {
    CSkinDrawImage* image = ForScale(canvas.Scale());
    return Resolved{image, image == this ? SkinScale() : canvas.Scale()};
}

bool CSkinDrawImage::Source(SkinSurface* surface, SkinSourceKind* kind) {
    *surface = GetPlainSurface();
    *kind = type_ == kTypeBmp ? SkinSourceKind::KeyedBitmap : SkinSourceKind::Decoded;
    return !surface->IsEmpty();
}

int CSkinDrawImage::Emit(ISkinCanvas& canvas, const SkinSurface& surface, const SkinPieces& pieces) {
    if (pieces.Count() == 0) return 0;
    if (type_ == kTypeBmp) {
        // Keyed copies go through the masks, made at the first of them.
        const bool keyed =
            std::any_of(pieces.begin(), pieces.end(), [](const SkinPiece& p) { return p.blit == SkinBlit::Keyed; });
        const SkinSurface source = keyed ? GetSurface() : surface;
        return canvas.DrawPiecesCached(composed_, source, pieces.begin(), pieces.Count(), GetColorKey()) > 0 ? 1 : 0;
    }
    // Blending a fully opaque part at 1:1 gives its own pixels: copy those
    // instead, which is many times faster. Scaled parts stay blended, as a
    // stretch in the target's mode could pick other pixels.
    SkinPieces drawn;
    for (SkinPiece p : pieces) {
        if (p.blit == SkinBlit::Blend && p.dst.w == p.src.w && p.dst.h == p.src.h && opacity_.IsOpaque(p.src))
            p.blit = SkinBlit::Copy;
        drawn.Add(p.blit, p.dst, p.src, surface.width, surface.height);
    }
    return canvas.DrawPiecesCached(composed_, surface, drawn.begin(), drawn.Count(), GetColorKey()) > 0 ? 1 : 0;
}

int CSkinDrawImage::Draw(ISkinCanvas& canvas, int x, int y) {
    if (const Resolved r = Resolve(canvas); r.image != this) return r.image->Draw(canvas, x, y);
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    SkinPieces pieces;
    pieces.Add(kind == SkinSourceKind::KeyedBitmap ? SkinBlit::Copy : SkinBlit::Blend, SkinBox{x, y, s.width, s.height},
               SkinBox{0, 0, s.width, s.height}, s.width, s.height);
    return Emit(canvas, s, pieces);
}

int CSkinDrawImage::DrawPart(ISkinCanvas& canvas, int x, int y, int srcX, int srcY, int width, int height) {
    if (const Resolved r = Resolve(canvas); r.image != this) {
        const SkinRect src = SkinScaleRect(r.scale, EdgesRect(srcX, srcY, width, height));
        return r.image->DrawPart(canvas, x, y, src.left, src.top, src.Width(), src.Height());
    }
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    SkinPieces pieces;
    pieces.Add(kind == SkinSourceKind::KeyedBitmap ? SkinBlit::Copy : SkinBlit::Blend, SkinBox{x, y, width, height},
               SkinBox{srcX, srcY, width, height}, s.width, s.height);
    return Emit(canvas, s, pieces);
}

int CSkinDrawImage::StretchDraw(ISkinCanvas& canvas, int x, int y, int width, int height, int srcX, int srcY,
                                int srcWidth, int srcHeight) {
    if (const Resolved r = Resolve(canvas); r.image != this) {
        const SkinRect src = SkinScaleRect(r.scale, EdgesRect(srcX, srcY, srcWidth, srcHeight));
        return r.image->StretchDraw(canvas, x, y, width, height, src.left, src.top, src.Width(), src.Height());
    }
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    SkinPieces pieces;
    pieces.Add(kind == SkinSourceKind::KeyedBitmap ? SkinBlit::StretchHalftone : SkinBlit::Blend,
               SkinBox{x, y, width, height}, SkinBox{srcX, srcY, srcWidth, srcHeight}, s.width, s.height);
    return Emit(canvas, s, pieces);
}

int CSkinDrawImage::StretchAll(ISkinCanvas& canvas, int left, int top, int right, int bottom) {
    if (const Resolved r = Resolve(canvas); r.image != this)
        return r.image->StretchAll(canvas, left, top, right, bottom);
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    SkinPieces pieces;
    pieces.Add(kind == SkinSourceKind::KeyedBitmap ? SkinBlit::StretchHalftone : SkinBlit::Blend,
               EdgesBox(left, top, right, bottom), SkinBox{0, 0, s.width, s.height}, s.width, s.height);
    return Emit(canvas, s, pieces);
}

int CSkinDrawImage::DrawTransparent(ISkinCanvas& canvas, int x, int y) {
    if (const Resolved r = Resolve(canvas); r.image != this) return r.image->DrawTransparent(canvas, x, y);
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    SkinPieces pieces;
    pieces.Add(kind == SkinSourceKind::KeyedBitmap ? SkinBlit::Keyed : SkinBlit::Blend,
               SkinBox{x, y, s.width, s.height}, SkinBox{0, 0, s.width, s.height}, s.width, s.height);
    return Emit(canvas, s, pieces);
}

int CSkinDrawImage::DrawPartTransparent(ISkinCanvas& canvas, int x, int y, int srcX, int srcY, int width, int height) {
    if (const Resolved r = Resolve(canvas); r.image != this) {
        const SkinRect src = SkinScaleRect(r.scale, EdgesRect(srcX, srcY, width, height));
        return r.image->DrawPartTransparent(canvas, x, y, src.left, src.top, src.Width(), src.Height());
    }
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    SkinPieces pieces;
    pieces.Add(kind == SkinSourceKind::KeyedBitmap ? SkinBlit::Keyed : SkinBlit::Blend, SkinBox{x, y, width, height},
               SkinBox{srcX, srcY, width, height}, s.width, s.height);
    return Emit(canvas, s, pieces);
}

int CSkinDrawImage::Draw9Grid(ISkinCanvas& canvas, const SkinRect& dst, const SkinQuad& margins) {
    if (const Resolved r = Resolve(canvas); r.image != this)
        return r.image->Draw9Grid(canvas, dst, SkinScalePictureMargins(r.scale, Whole(), margins));
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    return Emit(canvas, s, SkinNineGrid(kind, s.width, s.height, dst, margins));
}

int CSkinDrawImage::Draw9GridPart(ISkinCanvas& canvas, const SkinRect& dst, const SkinQuad& margins,
                                  const SkinRect& src, SkinGridOrder order) {
    if (const Resolved r = Resolve(canvas); r.image != this) {
        return r.image->Draw9GridPart(canvas, dst, SkinScalePictureMargins(r.scale, src, margins),
                                      SkinScaleRect(r.scale, src), order);
    }
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind)) return 0;
    return Emit(canvas, s, SkinNineGridPart(kind, s.width, s.height, dst, margins, src, order));
}

int CSkinDrawImage::DrawThreePart(ISkinCanvas& canvas, const SkinRect& dst, int startCap, int endCap, bool vertical) {
    if (const Resolved r = Resolve(canvas); r.image != this) {
        const SkinQuad caps = SkinScalePictureMargins(r.scale, Whole(), SkinQuad{startCap, startCap, endCap, endCap});
        return r.image->DrawThreePart(canvas, dst, vertical ? caps.top : caps.left, vertical ? caps.bottom : caps.right,
                                      vertical);
    }
    SkinSurface s;
    SkinSourceKind kind;
    if (Source(&s, &kind)) Emit(canvas, s, SkinThreePart(kind, s.width, s.height, dst, startCap, endCap, vertical));
    return 1;
}

int CSkinDrawImage::DrawStripCell(ISkinCanvas& canvas, int x, int y, int index, int count) {
    if (const Resolved r = Resolve(canvas); r.image != this) {
        // The cell of the picture at 96 DPI, cut from the copy at its scaled edges.
        SkinPiece cell;
        if (type_ != kTypeBmp || !SkinStripCell(GetWidth(), GetHeight(), 0, 0, index, count, &cell)) return 0;
        const SkinRect src = SkinScaleRect(r.scale, EdgesRect(cell.src.x, cell.src.y, cell.src.w, cell.src.h));
        r.image->DrawPartTransparent(canvas, x, y, src.left, src.top, src.Width(), src.Height());
        return 0;
    }
    SkinSurface s;
    SkinSourceKind kind;
    if (!Source(&s, &kind) || kind != SkinSourceKind::KeyedBitmap) return 0;
    SkinPiece piece;
    if (SkinStripCell(s.width, s.height, x, y, index, count, &piece))
        canvas.DrawPiecesCached(composed_, s, &piece, 1, GetColorKey());
    return 0;
}

int CSkinDrawImage::DrawStyled(ISkinCanvas& canvas, SkinDrawStyle style, const SkinRect& rect,
                               const SkinStyledDraw& params) {
    // The picture's own size: asking for its storage here would make the
    // 96-DPI bitmap of a picture that is drawn from its copy at a scale.
    const int width = GetWidth(), height = GetHeight();
    if (width <= 0 || height <= 0) return 0;
    SkinBox src = SkinNormaliseSource(width, height, params.xSrc, params.ySrc, params.srcWidth, params.srcHeight);
    switch (style) {
        case SkinDrawStyle::StretchBlt: {
            SkinBox d = EdgesBox(rect.left, rect.top, rect.right, rect.bottom);
            return StretchDraw(canvas, d.x, d.y, d.w, d.h, src.x, src.y, src.w, src.h);
        }
        case SkinDrawStyle::Draw9Grid:
            return Draw9Grid(canvas, rect, params.border9grid);
        case SkinDrawStyle::Fill9Grid:
            return Draw9GridPart(
                canvas, rect, params.border9grid,
                SkinRect{src.x, src.y, ClampToInt(int64_t{src.x} + src.w), ClampToInt(int64_t{src.y} + src.h)});
        case SkinDrawStyle::BitStretchBlt:
            return DrawThreePart(canvas, rect, params.partOffset.x, params.partOffset.y, params.vertical);
        case SkinDrawStyle::TransparentBlt:
            return DrawPartTransparent(canvas, rect.left, rect.top, src.x, src.y, src.w, src.h);
        default:  // "bitBlt" and every other name
            return DrawPart(canvas, rect.left, rect.top, src.x, src.y, src.w, src.h);
    }
}
