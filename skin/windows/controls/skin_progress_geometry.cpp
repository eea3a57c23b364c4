#include "skin/windows/controls/skin_progress_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

double SkinProgressFraction(const SkinProgressRange& range) {
    if (range.maximum <= range.minimum) return 0.0;
    // In double: the span of two ints does not fit an int.
    double span = static_cast<double>(range.maximum) - range.minimum;
    double done = static_cast<double>(range.position) - range.minimum;
    return std::clamp(done / span, 0.0, 1.0);
}

std::wstring SkinProgressText(const SkinProgressRange& range) {
    char text[16] = {};
    std::snprintf(text, sizeof text, "%.f%%", SkinProgressFraction(range) * 100.0);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

SkinRect SkinProgressFill(const SkinRect& client, int activeOffset, double fraction, bool vertical) {
    int length = vertical ? client.Height() : client.Width();
    int across = vertical ? client.Width() : client.Height();
    if (length <= 0 || across <= 0) return SkinRect{};
    // An offset of more than half the bar leaves nothing to fill.
    int offset = std::clamp(activeOffset, 0, std::min(length, across) / 2);
    SkinRect fill{client.left + offset, client.top + offset, client.right - offset, client.bottom - offset};
    double share = std::clamp(fraction, 0.0, 1.0);
    if (vertical) {
        int filled = static_cast<int>((length - 2 * offset) * share);
        fill.top = fill.bottom - filled;
    } else {
        int filled = static_cast<int>((length - 2 * offset) * share);
        fill.right = fill.left + filled;
    }
    return fill.IsEmpty() ? SkinRect{} : fill;
}

SkinRect SkinProgressMarquee(const SkinRect& client, int activeOffset, uint32_t elapsedMs, uint32_t periodMs,
                             bool vertical) {
    SkinRect inner = SkinProgressFill(client, activeOffset, 1.0, vertical);
    int length = vertical ? inner.Height() : inner.Width();
    if (length <= 0 || periodMs == 0) return SkinRect{};
    int block = std::max(1, length / 5);
    // From wholly before the start to wholly past the end.
    long long travel = static_cast<long long>(length) + block;
    long long at = static_cast<long long>(elapsedMs % periodMs) * travel / periodMs - block;
    SkinRect r = inner;
    if (vertical) {
        r.bottom = inner.bottom - static_cast<int>(at);
        r.top = r.bottom - block;
        r.top = std::max(r.top, inner.top);
        r.bottom = std::min(r.bottom, inner.bottom);
    } else {
        r.left = inner.left + static_cast<int>(at);
        r.right = r.left + block;
        r.left = std::max(r.left, inner.left);
        r.right = std::min(r.right, inner.right);
    }
    return r.IsEmpty() ? SkinRect{} : r;
}

bool SkinProgressGridFits(const SkinQuad& margins, int length, bool vertical) {
    long long ends = vertical ? static_cast<long long>(std::max(0, margins.top)) + std::max(0, margins.bottom)
                              : static_cast<long long>(std::max(0, margins.left)) + std::max(0, margins.right);
    return ends < length;
}

SkinRect SkinProgressTextRect(const SkinRect& client, int textWidth) {
    int width = std::max(0, textWidth);
    int left = std::max(client.left, client.left + (client.Width() - width) / 2);
    return SkinRect{left, client.top, left + width, client.bottom};
}

namespace {

// Adds a piece in bar coordinates: `along` and `length` run along the bar,
// the cross position and thickness are fixed.
struct StripBuilder {
    SkinBlit blit;
    bool vertical;
    int crossDst, crossSrc, thickness;
    std::vector<SkinPiece> pieces;

    void Add(int dstAlong, int dstLength, int srcAlong, int srcLength) {
        if (dstLength <= 0 || srcLength <= 0 || thickness <= 0) return;
        SkinPiece piece;
        piece.blit = blit;
        if (vertical) {
            piece.dst = SkinBox{crossDst, dstAlong, thickness, dstLength};
            piece.src = SkinBox{crossSrc, srcAlong, thickness, srcLength};
        } else {
            piece.dst = SkinBox{dstAlong, crossDst, dstLength, thickness};
            piece.src = SkinBox{srcAlong, crossSrc, srcLength, thickness};
        }
        pieces.push_back(piece);
    }
};

}  // namespace

std::vector<SkinPiece> SkinProgressStrip(SkinBlit blit, int imageW, int imageH, const SkinRect& dst, int cap,
                                         SkinStripMiddle middle, bool vertical) {
    if (imageW <= 0 || imageH <= 0 || dst.IsEmpty()) return {};
    int imageAlong = vertical ? imageH : imageW;
    int imageAcross = vertical ? imageW : imageH;
    int dstStart = vertical ? dst.top : dst.left;
    int dstLength = vertical ? dst.Height() : dst.Width();
    int dstCrossStart = vertical ? dst.left : dst.top;
    int dstAcross = vertical ? dst.Width() : dst.Height();

    // Centred across the bar; a picture thicker than the bar loses its
    // outer rows evenly.
    int thickness = std::min(imageAcross, dstAcross);
    StripBuilder b{blit,      vertical, dstCrossStart + (dstAcross - thickness) / 2, (imageAcross - thickness) / 2,
                   thickness, {}};

    // Caps never overlap, neither in the picture nor in the bar.
    int c = std::clamp(cap, 0, std::min(imageAlong / 2, dstLength / 2));
    b.Add(dstStart, c, 0, c);
    int midDst = dstLength - 2 * c;
    int midSrc = imageAlong - 2 * c;
    if (midDst > 0 && midSrc > 0) {
        bool tile = middle == SkinStripMiddle::Tile && (midDst + midSrc - 1) / midSrc <= kSkinMaxStripTiles;
        if (!tile) {
            b.Add(dstStart + c, midDst, c, midSrc);
        } else {
            for (int done = 0; done < midDst; done += midSrc)
                b.Add(dstStart + c + done, std::min(midSrc, midDst - done), c, std::min(midSrc, midDst - done));
        }
    }
    b.Add(dstStart + dstLength - c, c, imageAlong - c, c);
    return std::move(b.pieces);
}
