#include "skin/windows/controls/skin_frame_geometry.h"

#include <algorithm>
#include <cstddef>

namespace {

int NonNegative(int v) { return v < 0 ? 0 : v; }

// Non-negative copies of the description's values: hostile themes give any.
SkinQuad Clamp(const SkinQuad& q) {
    return SkinQuad{NonNegative(q.left), NonNegative(q.top), NonNegative(q.right), NonNegative(q.bottom)};
}

// Appends one opaque 1:1 piece, clipped to the picture and to the window.
void AddCopy(std::vector<SkinPiece>& pieces, SkinBox dst, SkinBox src, int imageW, int imageH, int width, int height) {
    // Clip the source to the picture, moving the destination with it.
    if (src.x < 0) {
        dst.x -= src.x;
        dst.w += src.x;
        src.w += src.x;
        src.x = 0;
    }
    if (src.y < 0) {
        dst.y -= src.y;
        dst.h += src.y;
        src.h += src.y;
        src.y = 0;
    }
    src.w = std::min(src.w, imageW - src.x);
    src.h = std::min(src.h, imageH - src.y);
    dst.w = std::min(dst.w, src.w);
    dst.h = std::min(dst.h, src.h);
    dst.w = std::min(dst.w, width - dst.x);
    dst.h = std::min(dst.h, height - dst.y);
    if (dst.w <= 0 || dst.h <= 0 || dst.x < 0 || dst.y < 0) return;
    src.w = dst.w;
    src.h = dst.h;
    pieces.push_back(SkinPiece{SkinBlit::Copy, dst, src});
}

}  // namespace

int SkinFrameKind(uint32_t style, uint32_t exStyle, bool maximisedMdiChild) {
    if (maximisedMdiChild) return kSkinFrameNone;
    if (SkinHasCaption(style)) return (exStyle & kSkinWsExToolWindow) ? kSkinFrameToolCaption : kSkinFrameCaption;
    if (style & (kSkinWsThickFrame | kSkinWsBorder | kSkinDsModalFrame)) return kSkinFrameBorder;
    if (exStyle & (kSkinWsExWindowEdge | kSkinWsExClientEdge | kSkinWsExStaticEdge)) return kSkinFrameBorder;
    return kSkinFrameNone;
}

SkinRect SkinFrameClientRect(int kind, uint32_t style, uint32_t exStyle, const SkinRect& window,
                             const SkinFrameMetrics& m) {
    SkinQuad bw = Clamp(m.borderWidth);
    int menu = NonNegative(m.menuRows) * NonNegative(m.menuRowHeight);
    SkinRect client = window;
    if (kind != kSkinFrameNone) {
        client.left = window.left + bw.left;
        client.right = window.right - bw.right;
        client.bottom = window.bottom - bw.bottom;
        client.top = window.top + bw.top + (SkinHasCaption(style) ? NonNegative(m.captionHeight) : 0) + menu;
    } else {
        client.top += menu;
    }
    const int bar = NonNegative(m.scrollBarWidth);
    if (style & kSkinWsVScroll) {
        if (exStyle & kSkinWsExLeftScrollBar)
            client.left += bar;
        else
            client.right -= bar;
    }
    if (style & kSkinWsHScroll) client.bottom -= bar;
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

SkinSize SkinFirstSizeAdjustment(const SkinSize& size, const SkinFrameMetrics& m, int systemBorderX,
                                 int systemCaption) {
    SkinQuad bw = Clamp(m.borderWidth);
    SkinSize adjusted;
    adjusted.width = size.width + (bw.left - systemBorderX) + (bw.right - systemBorderX);
    adjusted.height = size.height + NonNegative(m.captionHeight) - systemCaption +
                      NonNegative(m.menuRows) * NonNegative(m.menuRowHeight);
    adjusted.width = std::max(adjusted.width, 0);
    adjusted.height = std::max(adjusted.height, 0);
    return adjusted;
}

SkinFrameBands SkinFrameBandRects(int width, int height, const SkinFrameMetrics& m) {
    SkinQuad bw = Clamp(m.borderWidth);
    int ch = NonNegative(m.captionHeight);
    SkinFrameBands b;
    b.top = SkinRect{0, 0, width, bw.top + ch};
    b.left = SkinRect{0, bw.top, bw.left, height - bw.bottom};
    b.right = SkinRect{width - bw.right, bw.top, width, height - bw.bottom};
    b.bottom = SkinRect{0, height - bw.bottom, width, height};
    return b;
}

std::vector<SkinPiece> SkinFrameBitmapPieces(int W, int H, int IW, int IH, const SkinFrameMetrics& m) {
    std::vector<SkinPiece> pieces;
    if (W <= 0 || H <= 0 || IW <= 0 || IH <= 0) return pieces;
    SkinQuad bw = Clamp(m.borderWidth);
    SkinQuad bo = Clamp(m.borderOffset);
    int ch = NonNegative(m.captionHeight);

    // Left and right edges, tiled down from the segment between the corners.
    int segH = std::max(1, IH - bo.top - bo.bottom);
    for (int y = bo.top; y < H - bo.bottom; y += segH) {
        int h = std::min(segH, H - bo.bottom - y);
        AddCopy(pieces, SkinBox{0, y, bw.left, h}, SkinBox{0, bo.top, bw.left, h}, IW, IH, W, H);
        AddCopy(pieces, SkinBox{W - bw.right, y, bw.right, h}, SkinBox{IW - bw.right, bo.top, bw.right, h}, IW, IH, W,
                H);
    }
    // Top and bottom edges, tiled across.
    int segW = std::max(1, IW - bo.left - bo.right);
    for (int x = bo.left; x < W - bo.right; x += segW) {
        int w = std::min(segW, W - bo.right - x);
        AddCopy(pieces, SkinBox{x, 0, w, bw.top}, SkinBox{bo.left, 0, w, bw.top}, IW, IH, W, H);
        AddCopy(pieces, SkinBox{x, H - bw.bottom, w, bw.bottom}, SkinBox{bo.left, IH - bw.bottom, w, bw.bottom}, IW, IH,
                W, H);
    }
    // The corners at 1:1.
    AddCopy(pieces, SkinBox{0, 0, bo.left, bo.top}, SkinBox{0, 0, bo.left, bo.top}, IW, IH, W, H);
    AddCopy(pieces, SkinBox{0, H - bo.bottom, bo.left, bo.bottom}, SkinBox{0, IH - bo.bottom, bo.left, bo.bottom}, IW,
            IH, W, H);
    AddCopy(pieces, SkinBox{W - bo.right, 0, bo.right, bo.top}, SkinBox{IW - bo.right, 0, bo.right, bo.top}, IW, IH, W,
            H);
    AddCopy(pieces, SkinBox{W - bo.right, H - bo.bottom, bo.right, bo.bottom},
            SkinBox{IW - bo.right, IH - bo.bottom, bo.right, bo.bottom}, IW, IH, W, H);
    // The caption strip: fixed left and right parts, the middle stretched.
    if (ch > 0) {
        int coL = NonNegative(m.captionOffset.x), coR = NonNegative(m.captionOffset.y);
        AddCopy(pieces, SkinBox{bw.left, bw.top, coL, ch}, SkinBox{bw.left, bw.top, coL, ch}, IW, IH, W, H);
        int dstMid = W - bw.right - coR - (bw.left + coL);
        int srcMid = IW - bw.left - coL - coR - bw.right;
        if (dstMid > 0 && srcMid > 0 && bw.top + ch <= IH)
            pieces.push_back(SkinPiece{SkinBlit::Stretch, SkinBox{bw.left + coL, bw.top, dstMid, ch},
                                       SkinBox{bw.left + coL, bw.top, srcMid, ch}});
        AddCopy(pieces, SkinBox{W - bw.right - coR, bw.top, coR, ch}, SkinBox{IW - coR - bw.right, bw.top, coR, ch}, IW,
                IH, W, H);
    }
    return pieces;
}

int SkinFrameHitTest(const SkinFrameHitInput& in, int x, int y) {
    if (in.client.Contains(x, y)) return kSkinHtClient;
    if (in.menuBar.Contains(x, y)) return kSkinHtMenuBar;
    if (in.captionButtons) {
        if (in.close.Contains(x, y)) return kSkinHtClose;
        if (in.minimise.Contains(x, y)) return kSkinHtMinButton;
        if (in.maximise.Contains(x, y)) return kSkinHtMaxButton;
        if (in.help.Contains(x, y)) return kSkinHtHelp;
        if (in.icon.Contains(x, y)) return kSkinHtSysMenu;
    }
    if (!in.resizable) return -1;
    SkinQuad bw = Clamp(in.metrics.borderWidth);
    int ch = NonNegative(in.metrics.captionHeight);
    int W = in.width, H = in.height;
    if (x < 0 || y < 0 || x >= W || y >= H) return -1;
    if (y < bw.top && x < bw.left) return kSkinHtTopLeft;
    if (y < bw.top && x >= W - bw.right) return kSkinHtTopRight;
    if (y >= H - 2 * bw.bottom && x < 2 * bw.left) return kSkinHtBottomLeft;
    if (y >= H - 2 * bw.bottom && x >= W - 2 * bw.right) return kSkinHtBottomRight;
    if (y >= bw.top && y < bw.top + ch) return kSkinHtCaption;
    if (y < bw.top) return kSkinHtTop;
    if (x < bw.left) return kSkinHtLeft;
    if (x >= W - bw.right) return kSkinHtRight;
    if (y >= H - bw.bottom) return kSkinHtBottom;
    return -1;
}

int SkinFilterSystemHit(int code) {
    switch (code) {
        case 5:
        case kSkinHtMinButton:
        case kSkinHtMaxButton:
        case kSkinHtClose:
        case kSkinHtHelp:
            return kSkinHtNowhere;
        default:
            return code;
    }
}

std::vector<SkinPiece> SkinPiecesInBand(const std::vector<SkinPiece>& pieces, const SkinRect& band) {
    std::vector<SkinPiece> inBand;
    for (const SkinPiece& p : pieces) {
        const int left = std::max(p.dst.x, band.left), top = std::max(p.dst.y, band.top);
        const int right = std::min(p.dst.x + p.dst.w, band.right), bottom = std::min(p.dst.y + p.dst.h, band.bottom);
        if (left >= right || top >= bottom) continue;
        SkinPiece q = p;
        if (p.dst.w == p.src.w && p.dst.h == p.src.h) {
            q.src = SkinBox{p.src.x + left - p.dst.x, p.src.y + top - p.dst.y, right - left, bottom - top};
            q.dst = SkinBox{left - band.left, top - band.top, right - left, bottom - top};
        } else {
            q.dst.x -= band.left;
            q.dst.y -= band.top;
        }
        inBand.push_back(q);
    }
    return inBand;
}

bool SkinPixelRows::ColorAt(int x, int y, uint32_t* color) const {
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height || bytesPerPixel < 3) return false;
    const uint8_t* p = pixels + static_cast<ptrdiff_t>(y) * stride + static_cast<ptrdiff_t>(x) * bytesPerPixel;
    // Three bytes B, G, R make the colour; nothing past the pixel is read.
    *color = static_cast<uint32_t>(p[2]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[0]) << 16;
    return true;
}

std::vector<SkinRect> SkinRoundCornerCuts(const SkinPixelRows& picture, uint32_t key, int W, int H,
                                          const SkinQuad& offset) {
    std::vector<SkinRect> cuts;
    SkinQuad bo = Clamp(offset);
    int IW = picture.width, IH = picture.height;
    struct Block {
        int srcX, srcY, dstX, dstY, w, h;
    } blocks[] = {
        {0, 0, 0, 0, bo.left, bo.top},
        {IW - bo.right, 0, W - bo.right, 0, bo.right, bo.top},
        {0, IH - bo.bottom, 0, H - bo.bottom, bo.left, bo.bottom},
        {IW - bo.right, IH - bo.bottom, W - bo.right, H - bo.bottom, bo.right, bo.bottom},
    };
    for (const Block& b : blocks) {
        for (int row = 0; row < b.h; ++row) {
            int dy = b.dstY + row;
            if (dy < 0 || dy >= H) continue;
            int runStart = -1;
            for (int col = 0; col <= b.w; ++col) {
                int dx = b.dstX + col;
                uint32_t color = 0;
                bool isKey = col < b.w && dx >= 0 && dx < W && picture.ColorAt(b.srcX + col, b.srcY + row, &color) &&
                             color == key;
                if (isKey && runStart < 0) runStart = dx;
                if (!isKey && runStart >= 0) {
                    cuts.push_back(SkinRect{runStart, dy, dx, dy + 1});
                    runStart = -1;
                }
            }
        }
    }
    return cuts;
}

std::vector<SkinRect> SkinWindowRegionRects(int W, int H, std::vector<SkinRect> cuts) {
    std::vector<SkinRect> rects;
    if (W <= 0 || H <= 0) return rects;
    // Cuts are one row high; order them by row, then by column.
    cuts.erase(std::remove_if(cuts.begin(), cuts.end(),
                              [&](const SkinRect& c) { return c.top < 0 || c.top >= H || c.IsEmpty(); }),
               cuts.end());
    std::sort(cuts.begin(), cuts.end(),
              [](const SkinRect& a, const SkinRect& b) { return a.top != b.top ? a.top < b.top : a.left < b.left; });
    int y = 0;
    size_t i = 0;
    while (y < H) {
        int nextCutRow = i < cuts.size() ? cuts[i].top : H;
        if (nextCutRow > y) {
            rects.push_back(SkinRect{0, y, W, nextCutRow});
            y = nextCutRow;
            continue;
        }
        int x = 0;
        for (; i < cuts.size() && cuts[i].top == y; ++i) {
            int left = std::clamp(cuts[i].left, 0, W), right = std::clamp(cuts[i].right, 0, W);
            if (left > x) rects.push_back(SkinRect{x, y, left, y + 1});
            x = std::max(x, right);
        }
        if (x < W) rects.push_back(SkinRect{x, y, W, y + 1});
        ++y;
    }
    return rects;
}

std::vector<SkinRect> SkinEdgeKeyCuts(const SkinPixelRows& frame, uint32_t key, const SkinQuad& borderWidth) {
    std::vector<SkinRect> cuts;
    SkinQuad bw = Clamp(borderWidth);
    int W = frame.width, H = frame.height;
    for (int y = 0; y < H; ++y) {
        bool wholeRow = y <= bw.top || y >= H - bw.bottom;
        int runStart = -1;
        for (int x = 0; x <= W; ++x) {
            bool edge = wholeRow || x <= bw.left || x >= W - bw.right;
            uint32_t color = 0;
            bool isKey = x < W && edge && frame.ColorAt(x, y, &color) && color == key;
            if (isKey && runStart < 0) runStart = x;
            if (!isKey && runStart >= 0) {
                cuts.push_back(SkinRect{runStart, y, x, y + 1});
                runStart = -1;
            }
        }
    }
    return cuts;
}
