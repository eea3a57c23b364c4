// CHBitmap: a 24- or 32-bit DIB section whose pixels the skins write
// directly (frames, scroll bars), with a cursor for walking them and two
// pixel-level copies. Rows are stored bottom-up as GDI keeps them; every
// coordinate here counts from the top.
#pragma once

#include <cstdint>
#include <utility>

#include "skin/draw/skin_canvas.h"
#include "skin/picture/skin_pixel_ops.h"
#include "skin/platform/skin_graphics.h"

class CHBitmap {
public:
    CHBitmap() = default;
    CHBitmap(CHBitmap&& o) noexcept { *this = std::move(o); }
    CHBitmap& operator=(CHBitmap&& o) noexcept;
    CHBitmap(const CHBitmap&) = delete;
    CHBitmap& operator=(const CHBitmap&) = delete;

    // Makes a width x height bitmap of 24 or 32 bits per pixel, all zero.
    // Other depths, sizes <= 0 and sizes past the picture limits fail and
    // leave the object empty.
    bool Create(int width, int height, int bitsPerPixel = 32);
    // Frees the bitmap; the object is empty afterwards.
    void Destroy();
    // Sets every byte of the pixels to `value` (0xFF gives white).
    void Clear(uint8_t value = 0);

    bool IsEmpty() const { return !bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    int Stride() const { return stride_; }
    uint64_t SizeBytes() const { return uint64_t(stride_) * uint64_t(height_); }
    HBITMAP Handle() const { return bitmap_.get(); }
    SkinSurface Surface() const { return SkinSurface{bitmap_.get(), width_, height_}; }
    uint8_t* Bits() const { return bits_; }
    SkinPixelView View() const;

    // Address of pixel (x, y), or nullptr outside the bitmap.
    uint8_t* PixelAddress(int x, int y) const;

    // The cursor: one pixel at a time along a row, row after row.
    // MoveTo puts it at (x, y) (false, and off the bitmap, when outside);
    // NextPixel steps right (false at the row's end); NextRow goes to the
    // start of the next row (false after the last).
    bool MoveTo(int x, int y);
    uint8_t* CursorPixel() const { return PixelAddress(cursorX_, cursorY_); }
    int CursorX() const { return cursorX_; }
    int CursorY() const { return cursorY_; }
    bool NextPixel();
    bool NextRow();

    // The two 32-bit copies of skin_pixel_ops.h with this bitmap as the
    // destination; 24-bit bitmaps are refused (0).
    int TiledCopy(int dx, int dy, int dw, int dh, const CHBitmap& src, int sx, int sy, int sw, int sh);
    int KeyedRecolour(int dx, int dy, int w, int h, const CHBitmap& src, int sx, int sy, uint8_t alpha);

private:
    SkinBitmapHandle bitmap_;
    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    int stride_ = 0;
    int cursorX_ = -1;
    int cursorY_ = -1;
};

// Region of the pixels of `bitmap` that have the key colour (24 or 32 bits;
// a pixel's colour is built from its blue, green and red bytes). Null for
// an empty bitmap; an empty region when no pixel has the key.
SkinRegion SkinKeyPixelRegion(const CHBitmap& bitmap, SkinColor key);
