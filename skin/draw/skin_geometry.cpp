#include "skin/draw/skin_geometry.h"

#include <algorithm>
#include <cstdint>

namespace {

// Theme values and window sizes can be anything; held to this range every
// sum of four of them still fits an int. No real window or picture comes
// near it.
constexpr int kCoordLimit = 1 << 28;

int Coord(int v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }
int Margin(int v) { return std::clamp(v, 0, kCoordLimit); }

SkinRect ClampRect(const SkinRect& r) { return SkinRect{Coord(r.left), Coord(r.top), Coord(r.right), Coord(r.bottom)}; }

int ClampToInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The nine cells of a grid: destination and source boxes by column and row.
// Columns and rows are 0 start, 1 middle, 2 end.
struct GridAxes {
    int dstPos[3], dstLen[3];
    int srcPos[3], srcLen[3];
};

GridAxes Axes(const SkinRect& dst, const SkinQuad& m, const SkinRect& src, bool horizontal) {
    GridAxes a{};
    int d0 = horizontal ? dst.left : dst.top;
    int d1 = horizontal ? dst.right : dst.bottom;
    int s0 = horizontal ? src.left : src.top;
    int s1 = horizontal ? src.right : src.bottom;
    int lo = horizontal ? m.left : m.top;
    int hi = horizontal ? m.right : m.bottom;
    a.dstPos[0] = d0;
    a.dstLen[0] = lo;
    a.dstPos[1] = d0 + lo;
    a.dstLen[1] = d1 - d0 - lo - hi;
    a.dstPos[2] = d1 - hi;
    a.dstLen[2] = hi;
    a.srcPos[0] = s0;
    a.srcLen[0] = lo;
    a.srcPos[1] = s0 + lo;
    a.srcLen[1] = s1 - s0 - lo - hi;
    a.srcPos[2] = s1 - hi;
    a.srcLen[2] = hi;
    return a;
}

// One cell of the grid by column and row.
struct Cell {
    int col, row;
};
constexpr Cell kCentre{1, 1}, kLeft{0, 1}, kTop{1, 0}, kRight{2, 1}, kBottom{1, 2};
constexpr Cell kTopLeft{0, 0}, kTopRight{2, 0}, kBottomRight{2, 2}, kBottomLeft{0, 2};

void AddCell(SkinPieces& pieces, SkinBlit blit, const GridAxes& x, const GridAxes& y, Cell c, int w, int h) {
    pieces.Add(blit, SkinBox{x.dstPos[c.col], y.dstPos[c.row], x.dstLen[c.col], y.dstLen[c.row]},
               SkinBox{x.srcPos[c.col], y.srcPos[c.row], x.srcLen[c.col], y.srcLen[c.row]}, w, h);
}

struct OrderedCell {
    Cell cell;
    bool corner;
};

SkinPieces Grid(int w, int h, const SkinRect& dst, const SkinQuad& margins, const SkinRect& src,
                const OrderedCell* order, SkinBlit edgeBlit, SkinBlit cornerBlit) {
    SkinRect d = ClampRect(dst);
    SkinRect s = ClampRect(src);
    SkinQuad m{Margin(margins.left), Margin(margins.top), Margin(margins.right), Margin(margins.bottom)};
    GridAxes x = Axes(d, m, s, true);
    GridAxes y = Axes(d, m, s, false);
    SkinPieces pieces;
    for (int i = 0; i < 9; ++i) AddCell(pieces, order[i].corner ? cornerBlit : edgeBlit, x, y, order[i].cell, w, h);
    return pieces;
}

// Drawing orders of the nine cells.
constexpr OrderedCell kKeyedWholeOrder[9] = {
    {kCentre, false}, {kLeft, false},    {kTop, false},        {kRight, false},     {kBottom, false},
    {kTopLeft, true}, {kTopRight, true}, {kBottomRight, true}, {kBottomLeft, true},
};
constexpr OrderedCell kDecodedWholeOrder[9] = {
    {kTopLeft, true}, {kTopRight, true}, {kBottomLeft, true}, {kBottomRight, true}, {kLeft, false},
    {kTop, false},    {kRight, false},   {kBottom, false},    {kCentre, false},
};
constexpr OrderedCell kEdgesFirstOrder[9] = {
    {kTop, false},     {kRight, false},      {kBottom, false},    {kLeft, false},   {kTopLeft, true},
    {kTopRight, true}, {kBottomRight, true}, {kBottomLeft, true}, {kCentre, false},
};
constexpr OrderedCell kCentreFirstOrder[9] = {
    {kCentre, false}, {kLeft, false},    {kTop, false},       {kRight, false},      {kBottom, false},
    {kTopLeft, true}, {kTopRight, true}, {kBottomLeft, true}, {kBottomRight, true},
};

}  // namespace

void SkinPieces::Add(SkinBlit blit, SkinBox dst, SkinBox src, int imageW, int imageH) {
    if (count_ >= kCapacity) return;
    if (dst.w <= 0 || dst.h <= 0 || src.w <= 0 || src.h <= 0 || imageW <= 0 || imageH <= 0) return;
    // Cut the source to the picture; the destination loses the matching
    // share, so a 1:1 piece loses exactly the same pixels and a scaled piece
    // keeps its scale.
    int64_t cutLeft = std::max<int64_t>(0, -int64_t{src.x});
    int64_t cutTop = std::max<int64_t>(0, -int64_t{src.y});
    int64_t cutRight = std::max<int64_t>(0, int64_t{src.x} + src.w - imageW);
    int64_t cutBottom = std::max<int64_t>(0, int64_t{src.y} + src.h - imageH);
    if (cutLeft | cutTop | cutRight | cutBottom) {
        if (cutLeft + cutRight >= src.w || cutTop + cutBottom >= src.h) return;
        int64_t dl = cutLeft * dst.w / src.w, dr = cutRight * dst.w / src.w;
        int64_t dt = cutTop * dst.h / src.h, db = cutBottom * dst.h / src.h;
        SkinBox d{ClampToInt(dst.x + dl), ClampToInt(dst.y + dt), ClampToInt(dst.w - dl - dr),
                  ClampToInt(dst.h - dt - db)};
        SkinBox s{ClampToInt(src.x + cutLeft), ClampToInt(src.y + cutTop), ClampToInt(src.w - cutLeft - cutRight),
                  ClampToInt(src.h - cutTop - cutBottom)};
        if (d.w <= 0 || d.h <= 0) return;
        dst = d;
        src = s;
    }
    items_[static_cast<size_t>(count_++)] = SkinPiece{blit, dst, src};
}

SkinPieces SkinNineGrid(SkinSourceKind kind, int imageW, int imageH, const SkinRect& dst, const SkinQuad& margins) {
    SkinRect whole{0, 0, imageW, imageH};
    if (kind == SkinSourceKind::KeyedBitmap)
        return Grid(imageW, imageH, dst, margins, whole, kKeyedWholeOrder, SkinBlit::Stretch, SkinBlit::Keyed);
    return Grid(imageW, imageH, dst, margins, whole, kDecodedWholeOrder, SkinBlit::Blend, SkinBlit::Blend);
}

SkinPieces SkinNineGridPart(SkinSourceKind kind, int imageW, int imageH, const SkinRect& dst, const SkinQuad& margins,
                            const SkinRect& src, SkinGridOrder order) {
    const OrderedCell* cells = order == SkinGridOrder::EdgesFirst ? kEdgesFirstOrder : kCentreFirstOrder;
    if (kind == SkinSourceKind::KeyedBitmap)
        return Grid(imageW, imageH, dst, margins, src, cells, SkinBlit::Stretch, SkinBlit::Copy);
    return Grid(imageW, imageH, dst, margins, src, cells, SkinBlit::Blend, SkinBlit::Blend);
}

SkinPieces SkinThreePart(SkinSourceKind kind, int imageW, int imageH, const SkinRect& dst, int startCap, int endCap,
                         bool vertical) {
    SkinRect d = ClampRect(dst);
    int s = Margin(startCap), e = Margin(endCap);
    int w = imageW, h = imageH;
    if (kind == SkinSourceKind::Decoded) {
        if (vertical) {
            int cw = std::min(d.right - d.left, w);
            return SkinNineGrid(kind, w, h, SkinRect{d.left, d.top, d.left + cw, d.bottom},
                                SkinQuad{cw / 2, s, cw / 2, e});
        }
        int ch = std::min(d.bottom - d.top, h);
        return SkinNineGrid(kind, w, h, SkinRect{d.left, d.top, d.right, d.top + ch}, SkinQuad{s, ch / 2, e, ch / 2});
    }
    SkinPieces pieces;
    if (vertical) {
        int cw = std::min(d.right - d.left, w);
        pieces.Add(SkinBlit::Keyed, SkinBox{d.left, d.top, cw, s}, SkinBox{0, 0, cw, s}, w, h);
        pieces.Add(SkinBlit::StretchHalftone, SkinBox{d.left, d.top + s, cw, (d.bottom - d.top) - s - e},
                   SkinBox{0, s, cw, h - s - e}, w, h);
        pieces.Add(SkinBlit::Keyed, SkinBox{d.left, d.bottom - e, cw, e}, SkinBox{0, h - e, cw, e}, w, h);
    } else {
        // The middle comes from the 2-pixel column right after the start cap.
        int ch = std::min(d.bottom - d.top, h);
        pieces.Add(SkinBlit::Keyed, SkinBox{d.left, d.top, s, ch}, SkinBox{0, 0, s, ch}, w, h);
        pieces.Add(SkinBlit::StretchHalftone, SkinBox{d.left + s, d.top, (d.right - d.left) - s - e, ch},
                   SkinBox{s, 0, 2, ch}, w, h);
        pieces.Add(SkinBlit::Keyed, SkinBox{d.right - e, d.top, e, ch}, SkinBox{w - e, 0, e, ch}, w, h);
    }
    return pieces;
}

bool SkinStripCell(int imageW, int imageH, int x, int y, int index, int count, SkinPiece* piece) {
    if (count < 1) count = 1;  // a strip has at least one cell
    if (index < 0 || index >= count || imageW <= 0 || imageH <= 0) return false;
    int cellW = imageW / count;
    if (cellW <= 0) return false;
    int srcX = static_cast<int>(int64_t{index} * imageW / count);
    SkinPieces pieces;
    pieces.Add(SkinBlit::Keyed, SkinBox{Coord(x), Coord(y), cellW, imageH}, SkinBox{srcX, 0, cellW, imageH}, imageW,
               imageH);
    if (pieces.Count() == 0) return false;
    if (piece) *piece = pieces[0];
    return true;
}

SkinBox SkinNormaliseSource(int imageW, int imageH, int xSrc, int ySrc, int srcW, int srcH) {
    SkinBox box{xSrc, ySrc, srcW, srcH};
    if (srcW < 1 || srcW >= imageW) box.w = ClampToInt(int64_t{imageW} - xSrc);
    if (srcH < 1 || srcH >= imageH) box.h = ClampToInt(int64_t{imageH} - ySrc);
    return box;
}

namespace {

// One axis of a placed item or control: its start, and its end when the
// layout gives a length. A negative offset counts from the far edge,
// kSkinCentered centres the length; the end is the scaled edge at offset +
// length from the same parent edge, so that lengths follow the edges.
struct AxisPlace {
    int64_t start = 0;
    int64_t end = 0;
};

AxisPlace PlaceAxis(int offset, int length, int nearEdge, int farEdge, const dpi::DpiScale& scale) {
    const int64_t far = offset + int64_t{length};
    auto scaled = [&](int64_t v) { return int64_t{scale.Scale(ClampToInt(v))}; };
    if (offset < 0) return AxisPlace{farEdge + scaled(offset), farEdge + scaled(far)};
    if (offset == kSkinCentered) {
        const int64_t size = scaled(length);
        const int64_t start = nearEdge + (int64_t{farEdge} - size - nearEdge) / 2;
        return AxisPlace{start, start + size};
    }
    return AxisPlace{nearEdge + scaled(offset), nearEdge + scaled(far)};
}

}  // namespace

SkinRect SkinItemRect(const SkinLayout& layout, const SkinRect& parent, const dpi::DpiScale& scale) {
    const AxisPlace x = PlaceAxis(layout.left, layout.width, parent.left, parent.right, scale);
    const AxisPlace y = PlaceAxis(layout.top, layout.height, parent.top, parent.bottom, scale);
    const int64_t right = layout.width > 0
                              ? x.end
                              : int64_t{scale.Scale(layout.right)} + (layout.right <= 0 ? parent.right : parent.left);
    const int64_t bottom =
        layout.height > 0 ? y.end
                          : int64_t{scale.Scale(layout.bottom)} + (layout.bottom <= 0 ? parent.bottom : parent.top);
    return SkinRect{ClampToInt(x.start), ClampToInt(y.start), ClampToInt(right), ClampToInt(bottom)};
}

bool SkinControlRect(const SkinLayout& layout, const SkinRect& parent, SkinRect* placed, const dpi::DpiScale& scale) {
    if (layout.left == 0 && layout.top == 0 && layout.right == 0 && layout.bottom == 0) return false;
    const AxisPlace x = PlaceAxis(layout.left, layout.width, parent.left, parent.right, scale);
    const AxisPlace y = PlaceAxis(layout.top, layout.height, parent.top, parent.bottom, scale);
    // Unlike drawing items, any non-zero width counts, a negative one too.
    const int64_t right = layout.width != 0
                              ? x.end
                              : int64_t{scale.Scale(layout.right)} + (layout.right > 0 ? parent.left : parent.right);
    const int64_t bottom =
        layout.height >= 1 ? y.end
                           : int64_t{scale.Scale(layout.bottom)} + (layout.bottom >= 1 ? parent.top : parent.bottom);
    if (placed) *placed = SkinRect{ClampToInt(x.start), ClampToInt(y.start), ClampToInt(right), ClampToInt(bottom)};
    return true;
}
