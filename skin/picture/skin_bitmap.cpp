#include "skin/picture/skin_bitmap.h"

#include <utility>

#include "image/bmp_file.h"
#include "skin/picture/skin_pixel_ops.h"

CSkinBitmap::CSkinBitmap(SkinBitmapHandle bitmap, SkinColor key) : bitmap_(std::move(bitmap)), key_(key) {
    if (bitmap_ && !SkinGraphics().GetBitmapInfo(bitmap_.get(), &info_)) info_ = SkinBitmapInfo();
}

std::unique_ptr<CSkinBitmap> CSkinBitmap::FromBmpFile(const uint8_t* bytes, size_t size, SkinColor key) {
    SkinBitmapHandle bitmap;
    if (SkinCheckBmp(bytes, size)) bitmap = SkinGraphics().CreateBitmapFromBmp(bytes, size);
    return std::make_unique<CSkinBitmap>(std::move(bitmap), key);
}

std::unique_ptr<CSkinBitmap> CSkinBitmap::FromDibSection(SkinBitmapHandle dib, const uint8_t* bits, SkinColor key) {
    auto result = std::make_unique<CSkinBitmap>(std::move(dib), key);
    if (!result->IsEmpty() && result->BitsPerPixel() == 32) result->bits_ = bits;
    return result;
}

SkinSurface CSkinBitmap::Surface() const {
    std::call_once(masksOnce_, [this] { MakeKeyMasks(); });
    return SkinSurface{bitmap_.get(), info_.width, info_.height, mask_.get(), black_.get(), maskKey_};
}

void CSkinBitmap::MakeKeyMasks() const {
    if (IsEmpty()) return;
    SkinColor key = GetKey();
    if (SkinGraphics().CreateKeyMasks(bitmap_.get(), info_.width, info_.height, key, &mask_, &black_)) {
        maskKey_ = key;
    } else {
        mask_.reset();
        black_.reset();
    }
}

SkinRegion CSkinBitmap::CreateRegion(SkinColor key) const {
    if (IsEmpty()) return SkinRegion();
    return SkinCreateBitmapRegion(bitmap_.get(), key);
}

SkinRegion SkinCreateBitmapRegion(HBITMAP bitmap, SkinColor key) {
    SkinBitmapPixels pixels;
    if (!bitmap || !SkinGraphics().ReadBitmapPixels(bitmap, &pixels)) return SkinRegion();
    SkinPixelView view;
    view.bits = pixels.bytes.data();
    view.size = pixels.bytes.size();
    view.width = pixels.info.width;
    view.height = pixels.info.height;
    view.stride = pixels.stride;
    view.bitsPerPixel = pixels.info.bitsPerPixel;
    view.palette = pixels.palette.data();
    view.paletteSize = pixels.palette.size();
    std::vector<SkinRect> rects = SkinWalkPixelRuns(view, key, SkinRunKind::NotKey);
    return SkinGraphics().CreateRegion(rects.data(), rects.size());
}
