// Geometry of the skin's drawing primitives, apart from any drawing call:
// which pieces of a picture go where, with which kind of copy, in which
// order. The drawing code hands these piece lists to a canvas; the tests
// compare them exactly.
//
// Every list is already sound: pieces with a width or height <= 0 (source
// or destination) are left out, margins below 0 count as 0, and source
// rectangles are clipped to the picture (a 1:1 piece loses the same part of
// its destination).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/dpi_scale.h"
#include "common/value_types.h"

// How one piece is copied.
enum class SkinBlit : uint8_t {
    Copy,             // 1:1, opaque (BitBlt SRCCOPY)
    Stretch,          // scaled, opaque, the target's stretch mode (StretchBlt SRCCOPY)
    StretchHalftone,  // scaled, opaque, HALFTONE for this copy only
    Keyed,            // the key colour left out, scaled when sizes differ (TransparentBlt)
    Blend,            // per-pixel alpha of a premultiplied source, scaled when sizes differ (AlphaBlend)
    BlendConstant,    // one constant alpha for every pixel, no per-pixel alpha (AlphaBlend)
};

struct SkinPiece {
    SkinBlit blit = SkinBlit::Copy;
    SkinBox dst;
    SkinBox src;

    bool operator==(const SkinPiece& o) const { return blit == o.blit && dst == o.dst && src == o.src; }
    bool operator!=(const SkinPiece& o) const { return !(*this == o); }
};

// Up to nine pieces, in drawing order; never allocates.
class SkinPieces {
public:
    static constexpr int kCapacity = 9;

    // Appends the piece unless one of its sizes is <= 0; a source reaching
    // outside (0, 0, imageW, imageH) is clipped first (see the file comment).
    void Add(SkinBlit blit, SkinBox dst, SkinBox src, int imageW, int imageH);

    int Count() const { return count_; }
    const SkinPiece& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
    const SkinPiece* begin() const { return items_.data(); }
    const SkinPiece* end() const { return items_.data() + count_; }

private:
    std::array<SkinPiece, kCapacity> items_{};
    int count_ = 0;
};

// The two storages of a picture: a colour-keyed GDI bitmap (BMP files) and
// a decoded picture with per-pixel alpha (PNG, JPEG, icons). Their
// primitives share the geometry but differ in order and kind of copy.
enum class SkinSourceKind : uint8_t { KeyedBitmap, Decoded };

// Order of the nine pieces of a 9-grid of part of a picture.
enum class SkinGridOrder : uint8_t {
    EdgesFirst,   // top, right, bottom, left edge, corners TL TR BR BL, centre
    CentreFirst,  // centre, left, top, right, bottom edge, corners TL TR BL BR
};

// 9-grid of the whole W x H picture into `dst` with margins (left, top,
// right, bottom). Keyed bitmaps: centre, left, top, right, bottom stretched
// (opaque), then the four corners TL TR BR BL keyed. Decoded pictures:
// corners TL TR BL BR, edges left, top, right, bottom, then the centre, all
// blended. Margins (0,0,0,0) give one piece, the whole picture stretched.
SkinPieces SkinNineGrid(SkinSourceKind kind, int imageW, int imageH, const SkinRect& dst, const SkinQuad& margins);

// The same cut applied to the source rectangle `src` (edges) of the
// picture; all nine pieces opaque for keyed bitmaps (corners 1:1, the rest
// stretched), blended for decoded pictures, in the given order.
SkinPieces SkinNineGridPart(SkinSourceKind kind, int imageW, int imageH, const SkinRect& dst, const SkinQuad& margins,
                            const SkinRect& src, SkinGridOrder order = SkinGridOrder::EdgesFirst);

// Caps at 1:1, the middle stretched. Keyed bitmaps: horizontal caps keyed,
// the middle stretched (HALFTONE) from the 2-pixel column at the start cap;
// vertical the middle from the whole middle. Decoded pictures: a 9-grid into
// the clipped destination with half the cross size as margins.
SkinPieces SkinThreePart(SkinSourceKind kind, int imageW, int imageH, const SkinRect& dst, int startCap, int endCap,
                         bool vertical);

// Cell `index` of a strip of `count` equal cells (a count below 1 counts as
// 1), keyed, full height, drawn at (x, y). False (no piece) for a negative
// index, an index past the strip, or an empty cell.
bool SkinStripCell(int imageW, int imageH, int x, int y, int index, int count, SkinPiece* piece);

// The source rectangle of an image item: srcW < 1 or >= W becomes W - xSrc,
// srcH < 1 or >= H becomes H - ySrc.
SkinBox SkinNormaliseSource(int imageW, int imageH, int xSrc, int ySrc, int srcW, int srcH);

// Rectangle of a drawing item inside its parent rectangle (device pixels),
// the layout's 96-DPI numbers placed at `scale`: each edge is an offset
// from the parent's edge it counts from, scaled, so that items which meet
// at 96 DPI still meet; a centred item keeps its scaled size.
SkinRect SkinItemRect(const SkinLayout& layout, const SkinRect& parent, const dpi::DpiScale& scale = {});

// Place of a skinned control inside its parent's client rectangle, placed
// like an item; false (nothing to do) when left, top, right and bottom are
// all 0.
bool SkinControlRect(const SkinLayout& layout, const SkinRect& parent, SkinRect* placed,
                     const dpi::DpiScale& scale = {});
