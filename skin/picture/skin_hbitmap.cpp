#include "skin/picture/skin_hbitmap.h"

#include <cstring>

#include "image/picture.h"

bool CHBitmap::Create(int width, int height, int bitsPerPixel) {
    Destroy();
    if ((bitsPerPixel != 24 && bitsPerPixel != 32) || width <= 0 || height <= 0) return false;
    if (width > tovane::kMaxPictureSide || height > tovane::kMaxPictureSide ||
        uint64_t(width) * uint64_t(height) > tovane::kMaxPicturePixels)
        return false;
    uint64_t stride = ((uint64_t(width) * uint64_t(bitsPerPixel) + 31) / 32) * 4;
    uint8_t* bits = nullptr;
    SkinBitmapHandle bitmap = SkinGraphics().CreateDibSection(width, height, bitsPerPixel, &bits);
    if (!bitmap || !bits) return false;
    bitmap_ = std::move(bitmap);
    bits_ = bits;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = static_cast<int>(stride);
    Clear(0);
    return true;
}

CHBitmap& CHBitmap::operator=(CHBitmap&& o) noexcept {
    if (this == &o) return *this;
    bitmap_ = std::move(o.bitmap_);
    bits_ = std::exchange(o.bits_, nullptr);
    width_ = std::exchange(o.width_, 0);
    height_ = std::exchange(o.height_, 0);
    bitsPerPixel_ = std::exchange(o.bitsPerPixel_, 0);
    stride_ = std::exchange(o.stride_, 0);
    cursorX_ = std::exchange(o.cursorX_, -1);
    cursorY_ = std::exchange(o.cursorY_, -1);
    return *this;
}

void CHBitmap::Destroy() {
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = bitsPerPixel_ = stride_ = 0;
    cursorX_ = cursorY_ = -1;
}

void CHBitmap::Clear(uint8_t value) {
    if (bits_) std::memset(bits_, value, static_cast<size_t>(SizeBytes()));
}

SkinPixelView CHBitmap::View() const {
    SkinPixelView view;
    if (!bits_) return view;
    view.bits = bits_;
    view.size = static_cast<size_t>(SizeBytes());
    view.width = width_;
    view.height = height_;
    view.stride = stride_;
    view.bitsPerPixel = bitsPerPixel_;
    view.bottomUp = true;
    return view;
}

uint8_t* CHBitmap::PixelAddress(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
    // Rows are bottom-up: the top row is the last in memory.
    return bits_ + static_cast<size_t>(SizeBytes()) - static_cast<size_t>(y + 1) * static_cast<size_t>(stride_) +
           static_cast<size_t>(x) * static_cast<size_t>(bitsPerPixel_ / 8);
}

bool CHBitmap::MoveTo(int x, int y) {
    bool inside = PixelAddress(x, y) != nullptr;
    cursorX_ = inside ? x : -1;
    cursorY_ = inside ? y : -1;
    return inside;
}

bool CHBitmap::NextPixel() {
    if (cursorY_ < 0 || cursorX_ + 1 >= width_) return false;
    ++cursorX_;
    return true;
}

bool CHBitmap::NextRow() {
    if (cursorY_ < 0) return false;
    return MoveTo(0, cursorY_ + 1);
}

int CHBitmap::TiledCopy(int dx, int dy, int dw, int dh, const CHBitmap& src, int sx, int sy, int sw, int sh) {
    return SkinTiledCopy(View(), dx, dy, dw, dh, src.View(), sx, sy, sw, sh);
}

int CHBitmap::KeyedRecolour(int dx, int dy, int w, int h, const CHBitmap& src, int sx, int sy, uint8_t alpha) {
    return SkinKeyedRecolour(View(), dx, dy, w, h, src.View(), sx, sy, alpha);
}

SkinRegion SkinKeyPixelRegion(const CHBitmap& bitmap, SkinColor key) {
    if (bitmap.IsEmpty()) return SkinRegion();
    std::vector<SkinRect> rects = SkinWalkPixelRuns(bitmap.View(), key, SkinRunKind::Key);
    return SkinGraphics().CreateRegion(rects.data(), rects.size());
}
