#include "image/picture.h"

#include "image/picture_internal.h"

namespace tovane {

namespace detail {

void Premultiply(Picture& picture) {
    bool anyTranslucent = false;
    uint8_t* p = picture.pixels.data();
    for (size_t i = 0, n = picture.pixels.size(); i + 3 < n; i += 4) {
        unsigned a = p[i + 3];
        if (a == 255) continue;
        anyTranslucent = true;
        p[i + 0] = static_cast<uint8_t>((p[i + 0] * a + 127) / 255);
        p[i + 1] = static_cast<uint8_t>((p[i + 1] * a + 127) / 255);
        p[i + 2] = static_cast<uint8_t>((p[i + 2] * a + 127) / 255);
    }
    picture.hasAlpha = anyTranslucent;
}

}  // namespace detail

Picture DecodePicture(const uint8_t* data, size_t size, PictureFormat format, size_t maxPixels) {
    if (!data || size == 0) return Picture();
    switch (format) {
        case PictureFormat::Png:
            return DecodePng(data, size, maxPixels);
        case PictureFormat::Jpeg:
            return DecodeJpeg(data, size, maxPixels);
        case PictureFormat::Icon:
            return DecodeIcon(data, size, maxPixels);
    }
    return Picture();
}

}  // namespace tovane
