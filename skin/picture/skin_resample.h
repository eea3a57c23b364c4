// Pictures resized for a display scale, apart from any drawing call.
//
// The filter is area averaging: each output pixel is the average of the
// source pixels under it, weighted by how much of each it covers. At 200 %
// that is every pixel doubled (as sharp as the picture itself), at 150 %
// one pixel in two is a blend of two neighbours, and a picture made smaller
// is averaged, never sampled; nothing rings or darkens beside an edge.
// Channels are averaged premultiplied, so transparent pixels lend no colour.
#pragma once

#include <cstdint>
#include <vector>

#include "image/picture.h"

// The largest picture a resize makes (per side, and in pixels): larger
// requests give an empty result, and the caller draws the picture as it is.
inline constexpr int kSkinMaxScaledSide = tovane::kMaxPictureSide;
inline constexpr size_t kSkinMaxScaledPixels = tovane::kMaxPicturePixels;

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
