// Pixel work of the skin engine as pure functions over pixel buffers: the
// run walk that turns pixels into region rectangles, and the two 32-bit
// copies of CHBitmap. Nothing here calls the system, so all of it is
// tested natively and fuzzed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/value_types.h"
#include "skin/draw/skin_geometry.h"

// A block of pixel rows. Every length is checked before use: a view whose
// stride, height and depth do not fit in `size` bytes is treated as empty.
struct SkinPixelView {
    uint8_t* bits = nullptr;
    size_t size = 0;  // bytes at `bits`
    int width = 0;
    int height = 0;
    int stride = 0;         // bytes from one row to the next
    int bitsPerPixel = 0;   // 8 (palette), 16 (5-6-5), 24 or 32 (B, G, R, unused)
    bool bottomUp = false;  // the first row in memory is the picture's bottom row
    // 8-bit pixels: the palette as 0x00RRGGBB (RGBQUAD order).
    const uint32_t* palette = nullptr;
    size_t paletteSize = 0;

    // True when every row lies inside the buffer.
    bool IsValid() const;
    // Row y counted from the top of the picture; the view must be valid.
    uint8_t* Row(int y) const {
        int memoryRow = bottomUp ? height - 1 - y : y;
        return bits + static_cast<size_t>(memoryRow) * static_cast<size_t>(stride);
    }
};

// Which runs of a row become rectangles.
enum class SkinRunKind : uint8_t {
    NotKey,  // pixels of any other colour (the window region of a picture)
    Key,     // pixels of the key colour (the holes to cut out)
};

// Walks the rows from the top, each from left to right, and returns one
// rectangle (x0, y, x1, y + 1) per run of matching pixels. The key is
// compared in the pixels' own format: 5-6-5 for 16-bit pixels, the blue,
// green and red bytes for 24- and 32-bit ones, the palette entry for 8-bit
// ones (an index past the palette matches no colour). An invalid view
// gives no rectangles.
std::vector<SkinRect> SkinWalkPixelRuns(const SkinPixelView& view, SkinColor key, SkinRunKind kind);

// Tiled copy between 32-bit views (1 when copied, else 0): sizes must be
// positive and origins non-negative; the destination size is cut to the
// destination, the source size to the source. Equal sizes copy row by row;
// equal heights repeat the source block across, equal widths repeat it
// down (whole copies, then the remainder); anything else copies nothing.
int SkinTiledCopy(const SkinPixelView& dst, int dx, int dy, int dw, int dh, const SkinPixelView& src, int sx, int sy,
                  int sw, int sh);

// Keyed recolouring between 32-bit views (1 when done, else 0): in the
// w x h block, cut to both views, every pixel whose source colour (B, G, R)
// differs from the destination's becomes the source colour premultiplied
// by `alpha`, with alpha byte `alpha`.
int SkinKeyedRecolour(const SkinPixelView& dst, int dx, int dy, int w, int h, const SkinPixelView& src, int sx, int sy,
                      uint8_t alpha);

// Tells in constant time whether a rectangle of a 32-bit picture is fully
// opaque, so opaque parts of a decoded picture can be copied instead of
// blended. Holds a table of (width + 1) x (height + 1) counts; pictures
// above kMaxPixels get none, and every query then answers false.
class SkinOpacityTable {
public:
    static constexpr uint64_t kMaxPixels = uint64_t(1) << 20;

    // `bgra`: rows top-down, `stride` bytes apart, alpha in the fourth byte.
    void Build(const uint8_t* bgra, int width, int height, int stride);
    // False for boxes that are empty or reach outside the picture.
    bool IsOpaque(const SkinBox& box) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> sums_;  // sums_[y][x]: non-opaque pixels above and left of (x, y)
};
