// Pictures resized for a display scale, apart from any drawing call.
//
// The filter is area averaging: each output pixel is the average of the
// source pixels under it, weighted by how much of each it covers. At 200 %
// that is every pixel doubled (as sharp as the picture itself), at 150 %
// one pixel in two is a blend of two neighbours, and a picture made smaller
// is averaged, never sampled; nothing rings or darkens beside an edge.
// Channels are averaged premultiplied, so transparent pixels lend no colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/picture.h"

// Division of many numerators by one divisor, as a multiply by its
// reciprocal (a resize divides every channel of every pixel by one number). Rounding
// the reciprocal up keeps every quotient exact while numerator x divisor
// stays below 2^64; a resize's sums are at most 256 x the divisor, so that
// holds for divisors below 2^28. Larger ones, and 1, divide plainly.
class SkinDivider {
public:
    static constexpr uint64_t kExactBelow = uint64_t{1} << 28;
    explicit SkinDivider(uint64_t divisor)
        : divisor_(divisor), reciprocal_(divisor > 1 && divisor < kExactBelow ? ~uint64_t{0} / divisor + 1 : 0) {}
    // n / divisor, rounded down; n at most 256 x the divisor.
    uint64_t operator()(uint64_t n) const {
        __extension__ using Wide = unsigned __int128;
        return reciprocal_ ? static_cast<uint64_t>(static_cast<Wide>(n) * reciprocal_ >> 64) : n / divisor_;
    }

private:
    uint64_t divisor_, reciprocal_;
};

// The largest picture a resize makes (per side, and in pixels): larger
// requests give an empty result, and the caller draws the picture as it is.
inline constexpr int kSkinMaxScaledSide = tovane::kMaxPictureSide;
inline constexpr size_t kSkinMaxScaledPixels = tovane::kMaxPicturePixels;

// True when a picture of any width and `oldHeight` rows may be resized to
// width x height: the result, and the half-way picture (new width x old
// height), are within those limits.
bool SkinResampleSizeFits(int oldHeight, int width, int height);

// A premultiplied BGRA picture resized to width x height; empty for an
// empty source or a size out of range.
tovane::Picture SkinResamplePicture(const tovane::Picture& source, int width, int height);

// Pixels of a colour-keyed bitmap (4 bytes B, G, R, unused per pixel, rows
// top-down without padding) resized with the key colour (0x00BBGGRR) taken
// as transparent: an output pixel that is more than half key stays key,
// any other gets the average colour of the non-key pixels under it. Empty
// for an empty source, a size out of range or a short pixel block.
std::vector<uint8_t> SkinResampleKeyed(const uint8_t* bgrx, size_t size, int width, int height, uint32_t key,
                                       int newWidth, int newHeight);
// The same, written to `out`: newHeight rows of newWidth x 4 bytes, the
// top one at `out` and each next one `outStride` bytes on (negative for a
// bottom-up block such as a DIB section's). `bgrx` itself serves as working
// space: its pixels are changed. False, with nothing written, where
// SkinResampleKeyed is empty.
bool SkinResampleKeyedInto(uint8_t* bgrx, size_t size, int width, int height, uint32_t key, int newWidth, int newHeight,
                           uint8_t* out, ptrdiff_t outStride);
