// Shared helpers of the picture decoders.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/picture.h"

namespace tovane {
namespace detail {

// True when a width x height picture is within the decoders' limits.
inline bool PictureSizeAllowed(uint64_t width, uint64_t height, size_t maxPixels) {
    return width > 0 && height > 0 && width <= uint64_t(kMaxPictureSide) && height <= uint64_t(kMaxPictureSide) &&
           width * height <= kMaxPicturePixels && width * height <= maxPixels;
}

// Allocates the pixels of a width x height picture (sizes already checked).
inline void AllocatePicture(Picture& picture, int width, int height) {
    picture.width = width;
    picture.height = height;
    picture.hasAlpha = false;
    picture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
}

// Premultiplies B, G and R by alpha in place and sets hasAlpha.
void Premultiply(Picture& picture);

}  // namespace detail
}  // namespace tovane
