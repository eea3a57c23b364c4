// Fuzz target: one picture decoder, chosen at build time by
// TOVANE_PICTURE_FORMAT (Png, Jpeg or Icon).
#include <cstddef>
#include <cstdint>

#include "image/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tovane::Picture picture = tovane::DecodePicture(data, size, tovane::PictureFormat::TOVANE_PICTURE_FORMAT);
    if (!picture.Empty() && picture.pixels.size() != size_t(picture.width) * picture.height * 4) __builtin_trap();
    // Premultiplied: no colour channel above alpha.
    for (size_t i = 0; i + 3 < picture.pixels.size(); i += 4)
        if (picture.pixels[i] > picture.pixels[i + 3] || picture.pixels[i + 2] > picture.pixels[i + 3])
            __builtin_trap();
    return 0;
}
