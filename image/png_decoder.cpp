// PNG through libpng's simplified reading interface, which keeps libpng's
// longjmp error handling inside libpng: no C++ frame is ever jumped over.
#include <png.h>

#include <cstring>

#include "image/picture.h"
#include "image/picture_internal.h"

namespace tovane {

Picture DecodePng(const uint8_t* data, size_t size, size_t maxPixels) {
    Picture picture;
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return picture;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) {
        png_image_free(&image);
        return picture;
    }
    if (!detail::PictureSizeAllowed(image.width, image.height, maxPixels)) {
        png_image_free(&image);
        return picture;
    }
    image.format = PNG_FORMAT_BGRA;
    detail::AllocatePicture(picture, static_cast<int>(image.width), static_cast<int>(image.height));
    int ok = png_image_finish_read(&image, nullptr, picture.pixels.data(), static_cast<png_int_32>(image.width * 4),
                                   nullptr);
    png_image_free(&image);
    if (!ok) return Picture();
    detail::Premultiply(picture);
    return picture;
}

}  // namespace tovane
