#include "skin/resources/skin_draw_image.h"

#include <cstdlib>
#include <utility>

namespace {

// BITMAPFILEHEADER (14 bytes) then BITMAPINFOHEADER or BITMAPCOREHEADER.
bool BitmapFileSize(const std::vector<uint8_t>& b, int* width, int* height) {
    auto u16 = [&](size_t o) { return uint32_t(b[o]) | uint32_t(b[o + 1]) << 8; };
    auto u32 = [&](size_t o) { return u16(o) | u16(o + 2) << 16; };
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return false;
    uint32_t headerSize = u32(14);
    if (headerSize == 12) {
        *width = static_cast<int>(u16(18));
        *height = static_cast<int>(u16(20));
        return true;
    }
    if (headerSize < 40 || b.size() < 14 + 40) return false;
    int32_t w = static_cast<int32_t>(u32(18));
    int32_t h = static_cast<int32_t>(u32(22));
    if (w <= 0 || h == 0 || h == INT32_MIN) return false;
    *width = w;
    *height = h < 0 ? -h : h;
    return true;
}

}  // namespace

std::unique_ptr<CSkinDrawImage> CSkinDrawImage::FromBitmapFile(const uint8_t* bytes, size_t size) {
    std::unique_ptr<CSkinDrawImage> image(new CSkinDrawImage());
    image->type_ = kTypeBmp;
    if (bytes && size) image->fileBytes_.assign(bytes, bytes + size);
    return image;
}

std::unique_ptr<CSkinDrawImage> CSkinDrawImage::FromPicture(tovane::Picture picture, int type) {
    std::unique_ptr<CSkinDrawImage> image(new CSkinDrawImage());
    image->type_ = type;
    image->picture_ = std::move(picture);
    return image;
}

int CSkinDrawImage::GetWidth() const {
    if (type_ != kTypeBmp) return picture_.Empty() ? 0 : picture_.width;
    int w = 0, h = 0;
    return BitmapFileSize(fileBytes_, &w, &h) ? w : 0;
}

int CSkinDrawImage::GetHeight() const {
    if (type_ != kTypeBmp) return picture_.Empty() ? 0 : picture_.height;
    int w = 0, h = 0;
    return BitmapFileSize(fileBytes_, &w, &h) ? h : 0;
}
