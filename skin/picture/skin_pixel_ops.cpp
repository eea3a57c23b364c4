#include "skin/picture/skin_pixel_ops.h"

#include <algorithm>
#include <cstring>

bool SkinPixelView::IsValid() const {
    if (!bits || width <= 0 || height <= 0 || stride <= 0) return false;
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return false;
    uint64_t rowBytes = uint64_t(width) * uint64_t(bitsPerPixel / 8);
    if (rowBytes > uint64_t(stride)) return false;
    // The last row needs only its pixels, not a whole stride.
    uint64_t needed = uint64_t(stride) * uint64_t(height - 1) + rowBytes;
    return needed <= size;
}

namespace {

// Matches one pixel against the key, in the view's own format.
class KeyMatcher {
public:
    KeyMatcher(const SkinPixelView& view, SkinColor key) : view_(view) {
        uint8_t r = key & 0xFF, g = (key >> 8) & 0xFF, b = (key >> 16) & 0xFF;
        key565_ = static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
        bgr_[0] = b, bgr_[1] = g, bgr_[2] = r;
        quad_ = uint32_t{r} << 16 | uint32_t{g} << 8 | b;  // as the palette holds it
    }

    bool IsKey(const uint8_t* row, int x) const {
        switch (view_.bitsPerPixel) {
            case 8: {
                uint8_t index = row[x];
                return index < view_.paletteSize && (view_.palette[index] & 0xFFFFFF) == quad_;
            }
            case 16: {
                const uint8_t* p = row + 2 * x;
                return static_cast<uint16_t>(p[0] | p[1] << 8) == key565_;
            }
            case 24:
                return std::memcmp(row + 3 * x, bgr_, 3) == 0;
            default:
                return std::memcmp(row + 4 * x, bgr_, 3) == 0;
        }
    }

private:
    const SkinPixelView& view_;
    uint16_t key565_ = 0;
    uint8_t bgr_[3] = {};
    uint32_t quad_ = 0;
};

}  // namespace

std::vector<SkinRect> SkinWalkPixelRuns(const SkinPixelView& view, SkinColor key, SkinRunKind kind) {
    std::vector<SkinRect> rects;
    if (!view.IsValid()) return rects;
    if (view.bitsPerPixel == 8 && !view.palette) return rects;
    KeyMatcher matcher(view, key);
    bool wantKey = kind == SkinRunKind::Key;
    rects.reserve(static_cast<size_t>(view.height));
    for (int y = 0; y < view.height; ++y) {
        const uint8_t* row = view.Row(y);
        int start = -1;
        for (int x = 0; x < view.width; ++x) {
            bool match = matcher.IsKey(row, x) == wantKey;
            if (match && start < 0) {
                start = x;
            } else if (!match && start >= 0) {
                rects.push_back(SkinRect{start, y, x, y + 1});
                start = -1;
            }
        }
        if (start >= 0) rects.push_back(SkinRect{start, y, view.width, y + 1});
    }
    return rects;
}

namespace {

bool Is32(const SkinPixelView& v) { return v.bitsPerPixel == 32 && v.IsValid(); }

uint8_t* Pixel32(const SkinPixelView& v, int x, int y) { return v.Row(y) + static_cast<size_t>(x) * 4; }

// Copies a w x h block; the rows may not overlap unless the views differ.
void CopyBlock(const SkinPixelView& dst, int dx, int dy, const SkinPixelView& src, int sx, int sy, int w, int h) {
    for (int row = 0; row < h; ++row)
        std::memmove(Pixel32(dst, dx, dy + row), Pixel32(src, sx, sy + row), static_cast<size_t>(w) * 4);
}

}  // namespace

int SkinTiledCopy(const SkinPixelView& dst, int dx, int dy, int dw, int dh, const SkinPixelView& src, int sx, int sy,
                  int sw, int sh) {
    if (!Is32(dst) || !Is32(src)) return 0;  // 24-bit bitmaps are refused
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || dx < 0 || dy < 0 || sx < 0 || sy < 0) return 0;
    if (dx >= dst.width || dy >= dst.height || sx >= src.width || sy >= src.height) return 0;
    dw = std::min(dw, dst.width - dx);
    dh = std::min(dh, dst.height - dy);
    sw = std::min(sw, src.width - sx);
    sh = std::min(sh, src.height - sy);
    if (dw == sw && dh == sh) {
        CopyBlock(dst, dx, dy, src, sx, sy, dw, dh);
    } else if (dh == sh) {
        for (int x = 0; x < dw; x += sw) CopyBlock(dst, dx + x, dy, src, sx, sy, std::min(sw, dw - x), dh);
    } else if (dw == sw) {
        for (int y = 0; y < dh; y += sh) CopyBlock(dst, dx, dy + y, src, sx, sy, dw, std::min(sh, dh - y));
    } else {
        return 0;
    }
    return 1;
}

int SkinKeyedRecolour(const SkinPixelView& dst, int dx, int dy, int w, int h, const SkinPixelView& src, int sx, int sy,
                      uint8_t alpha) {
    if (!Is32(dst) || !Is32(src)) return 0;
    if (w <= 0 || h <= 0 || dx < 0 || dy < 0 || sx < 0 || sy < 0) return 0;
    if (dx >= dst.width || dy >= dst.height || sx >= src.width || sy >= src.height) return 0;
    w = std::min({w, dst.width - dx, src.width - sx});
    h = std::min({h, dst.height - dy, src.height - sy});
    for (int row = 0; row < h; ++row) {
        uint8_t* d = dst.Row(dy + row) + static_cast<size_t>(dx) * 4;
        const uint8_t* s = src.Row(sy + row) + static_cast<size_t>(sx) * 4;
        for (int x = 0; x < w; ++x, d += 4, s += 4) {
            if (std::memcmp(d, s, 3) == 0) continue;
            for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>(s[c] * alpha / 255);
            d[3] = alpha;
        }
    }
    return 1;
}

void SkinOpacityTable::Build(const uint8_t* bgra, int width, int height, int stride) {
    sums_.clear();
    width_ = height_ = 0;
    if (!bgra || width <= 0 || height <= 0 || stride < width * 4 || uint64_t(width) * uint64_t(height) > kMaxPixels)
        return;
    size_t cols = size_t(width) + 1;
    sums_.assign(cols * (size_t(height) + 1), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bgra + size_t(y) * size_t(stride);
        uint32_t inRow = 0;
        for (int x = 0; x < width; ++x) {
            inRow += row[x * 4 + 3] != 255;
            sums_[(y + 1) * cols + x + 1] = sums_[y * cols + x + 1] + inRow;
        }
    }
    width_ = width;
    height_ = height;
}

bool SkinOpacityTable::IsOpaque(const SkinBox& b) const {
    if (sums_.empty() || b.w <= 0 || b.h <= 0 || b.x < 0 || b.y < 0 || b.w > width_ - b.x || b.h > height_ - b.y)
        return false;
    size_t cols = size_t(width_) + 1;
    auto at = [&](int x, int y) { return sums_[size_t(y) * cols + size_t(x)]; };
    return at(b.x + b.w, b.y + b.h) - at(b.x, b.y + b.h) - at(b.x + b.w, b.y) + at(b.x, b.y) == 0;
}
