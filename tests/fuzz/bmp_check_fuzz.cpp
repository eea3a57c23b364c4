// Fuzz target: the BMP byte check. Whatever passes it must be safe to read
// wherever the headers point: the info block, the pixel decoding, the
// keyed bitmap with its region (through the native graphics layer), and the
// copy resized for a display of 150 %.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/bmp_file.h"
#include "skin/picture/skin_bitmap.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/picture/skin_resample.h"
#include "skin/platform/skin_graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SkinBmpInfo info;
    if (!SkinCheckBmp(data, size, &info)) return 0;
    if (info.width <= 0 || info.height <= 0 || info.bitsOffset + info.imageBytes > size) std::abort();
    std::vector<uint32_t> block = SkinBmpInfoBlock(data, info);
    if (block.size() < 10) std::abort();
    std::vector<uint8_t> pixels;
    if (SkinDecodeBmpPixels(data, info, &pixels) &&
        pixels.size() != static_cast<size_t>(info.width) * static_cast<size_t>(info.height) * 4)
        std::abort();
    const SkinScale scale(144);
    const int width = scale.Scale(info.width), height = scale.Scale(info.height);
    if (!pixels.empty()) {
        std::vector<uint8_t> scaled =
            SkinResampleKeyed(pixels.data(), pixels.size(), info.width, info.height, 0xFF00FF, width, height);
        if (!scaled.empty() && scaled.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4)
            std::abort();
    }
    long before = SkinGraphics().LiveObjects();
    {
        auto bitmap = CSkinBitmap::FromBmpFile(data, size);
        if (bitmap->Width() != info.width || bitmap->Height() != info.height) std::abort();
        SkinRegion region = bitmap->CreateRegion(bitmap->GetKey());
        auto image = CSkinDrawImage::FromBitmapFile(data, size);
        CSkinDrawImage* copy = image->ForScale(scale);
        if (copy != image.get() && (copy->GetWidth() != width || copy->GetHeight() != height)) std::abort();
        copy->GetSurface();  // the copy's keyed bitmap, from the bytes it wrote itself
    }
    if (SkinGraphics().LiveObjects() != before) std::abort();
    return 0;
}
