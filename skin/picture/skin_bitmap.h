// CSkinBitmap: the colour-keyed bitmap of a BMP picture, a device-dependent
// bitmap made on the screen DC, with its size, depth and key colour.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "skin/draw/skin_canvas.h"
#include "skin/platform/skin_graphics.h"

class CSkinBitmap {
public:
    CSkinBitmap() = default;
    // Takes over a bitmap (one the skins composed, for its region).
    explicit CSkinBitmap(SkinBitmapHandle bitmap, SkinColor key = kSkinDefaultKey);
    CSkinBitmap(const CSkinBitmap&) = delete;
    CSkinBitmap& operator=(const CSkinBitmap&) = delete;

    // The bitmap of a BMP file's bytes. Bytes that fail the BMP check, or
    // that GDI refuses, give a bitmap without pixels (size 0).
    static std::unique_ptr<CSkinBitmap> FromBmpFile(const uint8_t* bytes, size_t size, SkinColor key = kSkinDefaultKey);

    // A 32-bit bottom-up DIB section whose pixels, at `bits`, its maker
    // filled; Bits() keeps them readable.
    static std::unique_ptr<CSkinBitmap> FromDibSection(SkinBitmapHandle dib, const uint8_t* bits, SkinColor key);

    bool IsEmpty() const { return !bitmap_ || info_.width <= 0 || info_.height <= 0; }
    HBITMAP Handle() const { return bitmap_.get(); }
    int Width() const { return info_.width; }
    int Height() const { return info_.height; }
    int BitsPerPixel() const { return info_.bitsPerPixel; }
    // With the key masks of the key the bitmap had at the first call, for
    // fast keyed copies: made then, once (safe from any thread), as most
    // pictures are only ever copied plainly.
    SkinSurface Surface() const;
    // Without the masks, for plain copies: makes nothing.
    SkinSurface PlainSurface() const { return SkinSurface{bitmap_.get(), info_.width, info_.height}; }

    // The pixels of a bitmap from FromDibSection: rows of Width() x 4 bytes
    // B, G, R, 0, the bottom row first; nullptr for any other bitmap.
    const uint8_t* Bits() const { return bits_; }

    SkinColor GetKey() const { return key_.load(std::memory_order_relaxed); }
    void SetKey(SkinColor key) { key_.store(key, std::memory_order_relaxed); }

    // The region of every pixel that is not `key`: one rectangle per run of
    // such pixels in each row, rows from the top. Null when the pixels
    // cannot be read.
    SkinRegion CreateRegion(SkinColor key) const;

private:
    void MakeKeyMasks() const;

    SkinBitmapHandle bitmap_;
    const uint8_t* bits_ = nullptr;
    mutable std::once_flag masksOnce_;
    mutable SkinBitmapHandle mask_;
    mutable SkinBitmapHandle black_;
    mutable SkinColor maskKey_ = 0;
    SkinBitmapInfo info_;
    std::atomic<SkinColor> key_{kSkinDefaultKey};
};

// The same region for any bitmap (read in its own depth).
SkinRegion SkinCreateBitmapRegion(HBITMAP bitmap, SkinColor key);
