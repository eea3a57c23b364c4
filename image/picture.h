// Picture decoding for the skin engine: PNG (libpng), JPEG (libjpeg) and
// icon files (their BMP and PNG images) from a byte block whose format the
// caller states, into a 32-bit top-down picture.
//
// Pixels are 4 bytes each in B, G, R, A order (a Windows 32-bit DIB), rows
// top-down without padding, colour channels premultiplied by alpha (what
// AlphaBlend with AC_SRC_ALPHA expects). A block that does not decode gives
// an empty picture; decoding never throws and never aborts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tovane {

enum class PictureFormat { Png, Jpeg, Icon };

struct Picture {
    int width = 0;
    int height = 0;
    // True when some pixel is not fully opaque.
    bool hasAlpha = false;
    // width * height * 4 bytes, BGRA premultiplied, top-down.
    std::vector<uint8_t> pixels;

    bool Empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
    int BitsPerPixel() const { return Empty() ? 0 : 32; }
    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width * 4; }
    uint8_t Alpha(int x, int y) const { return Row(y)[x * 4 + 3]; }
};

// Largest picture accepted, in pixels per side and in total; bigger
// pictures are refused before any pixel memory is allocated.
constexpr int kMaxPictureSide = 8192;
constexpr size_t kMaxPicturePixels = size_t(1) << 24;  // 16 Mpixel = 64 MiB of pixels

// `maxPixels` lowers the pixel limit for one call (a caller with a memory
// budget); pictures above it decode to an empty picture, unallocated.
Picture DecodePicture(const uint8_t* data, size_t size, PictureFormat format, size_t maxPixels = kMaxPicturePixels);
Picture DecodePng(const uint8_t* data, size_t size, size_t maxPixels = kMaxPicturePixels);
Picture DecodeJpeg(const uint8_t* data, size_t size, size_t maxPixels = kMaxPicturePixels);
Picture DecodeIcon(const uint8_t* data, size_t size, size_t maxPixels = kMaxPicturePixels);

}  // namespace tovane
