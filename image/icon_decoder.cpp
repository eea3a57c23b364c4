// Icon files: a directory of images, each a PNG file or a headerless DIB
// (BITMAPINFOHEADER with doubled height, the colour bitmap, then a 1-bit
// AND mask). The largest, deepest image that decodes wins.
#include <algorithm>
#include <cstring>
#include <vector>

#include "image/picture.h"
#include "image/picture_internal.h"

namespace tovane {
namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return uint32_t(Le16(p)) | uint32_t(Le16(p + 2)) << 16; }

struct IconEntry {
    int width;
    int height;
    int bitCount;
    uint32_t size;
    uint32_t offset;
};

Picture DecodeDib(const uint8_t* d, size_t size, size_t maxPixels) {
    if (size < 40) return Picture();
    uint32_t headerSize = Le32(d);
    int32_t width = static_cast<int32_t>(Le32(d + 4));
    int32_t doubledHeight = static_cast<int32_t>(Le32(d + 8));
    uint16_t bitCount = Le16(d + 14);
    uint32_t compression = Le32(d + 16);
    uint32_t colorsUsed = Le32(d + 32);
    if (headerSize < 40 || headerSize > size || compression != 0) return Picture();
    if (width <= 0 || doubledHeight <= 0) return Picture();
    int height = doubledHeight / 2;
    if (height <= 0 || !detail::PictureSizeAllowed(uint64_t(width), uint64_t(height), maxPixels)) return Picture();
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return Picture();

    size_t paletteCount = 0;
    if (bitCount <= 8) {
        paletteCount = colorsUsed ? colorsUsed : (size_t(1) << bitCount);
        if (paletteCount > (size_t(1) << bitCount)) return Picture();
    }
    size_t paletteAt = headerSize;
    size_t pixelsAt = paletteAt + paletteCount * 4;
    size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    size_t pixelBytes = stride * static_cast<size_t>(height);
    if (pixelsAt > size || pixelBytes > size - pixelsAt) return Picture();
    size_t maskAt = pixelsAt + pixelBytes;
    bool hasMask = maskAt <= size && maskStride * static_cast<size_t>(height) <= size - maskAt;

    Picture picture;
    detail::AllocatePicture(picture, width, height);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = d + pixelsAt + static_cast<size_t>(height - 1 - y) * stride;  // bottom-up
        uint8_t* dst = picture.pixels.data() + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, dst += 4) {
            if (bitCount >= 24) {
                const uint8_t* s = src + static_cast<size_t>(x) * (bitCount / 8);
                dst[0] = s[0];
                dst[1] = s[1];
                dst[2] = s[2];
                dst[3] = bitCount == 32 ? s[3] : 255;
                if (bitCount == 32 && s[3] != 0) anyAlpha = true;
            } else {
                size_t bit = static_cast<size_t>(x) * bitCount;
                unsigned index = (src[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                if (index < paletteCount) {
                    const uint8_t* c = d + paletteAt + index * 4;
                    dst[0] = c[0];
                    dst[1] = c[1];
                    dst[2] = c[2];
                }
                dst[3] = 255;
            }
        }
    }
    // Without an alpha channel of its own, the AND mask says which pixels are transparent.
    if (!anyAlpha && hasMask) {
        for (int y = 0; y < height; ++y) {
            const uint8_t* mask = d + maskAt + static_cast<size_t>(height - 1 - y) * maskStride;
            uint8_t* dst = picture.pixels.data() + static_cast<size_t>(y) * width * 4;
            for (int x = 0; x < width; ++x)
                if (mask[x / 8] & (0x80 >> (x % 8))) dst[x * 4 + 3] = 0;
        }
    }
    detail::Premultiply(picture);
    return picture;
}

}  // namespace

Picture DecodeIcon(const uint8_t* data, size_t size, size_t maxPixels) {
    if (!data || size < 6) return Picture();
    uint16_t reserved = Le16(data), type = Le16(data + 2), count = Le16(data + 4);
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) return Picture();
    std::vector<IconEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        size_t at = 6 + i * 16;
        if (at + 16 > size) break;
        const uint8_t* e = data + at;
        IconEntry entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, Le16(e + 6), Le32(e + 8), Le32(e + 12)};
        if (entry.offset >= size || entry.size > size - entry.offset || entry.size == 0) continue;
        entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const IconEntry& a, const IconEntry& b) {
        uint64_t areaA = uint64_t(a.width) * a.height, areaB = uint64_t(b.width) * b.height;
        return areaA != areaB ? areaA > areaB : a.bitCount > b.bitCount;
    });
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const IconEntry& entry : entries) {
        const uint8_t* image = data + entry.offset;
        Picture picture = entry.size >= 8 && std::memcmp(image, kPngSignature, 8) == 0
                              ? DecodePng(image, entry.size, maxPixels)
                              : DecodeDib(image, entry.size, maxPixels);
        if (!picture.Empty()) return picture;
    }
    return Picture();
}

}  // namespace tovane
