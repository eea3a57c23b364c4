#include "skin/picture/skin_draw_image.h"

#include <cstring>
#include <utility>

#include "image/bmp_file.h"
#include "skin/picture/skin_bitmap.h"
#include "skin/picture/skin_resample.h"

namespace {

struct DrawStyleName {
    const wchar_t* name;
    SkinDrawStyle style;
};
constexpr DrawStyleName kDrawStyles[] = {
    {L"bitBlt", SkinDrawStyle::BitBlt},
    {L"stretchBlt", SkinDrawStyle::StretchBlt},
    {L"draw9grid", SkinDrawStyle::Draw9Grid},
    {L"fill9grid", SkinDrawStyle::Fill9Grid},
    {L"bitStretchBlt", SkinDrawStyle::BitStretchBlt},
    {L"transparentBlt", SkinDrawStyle::TransparentBlt},
    {L"nodraw", SkinDrawStyle::NoDraw},
    {L"bitBltBlt", SkinDrawStyle::BitBltBlt},
};

}  // namespace

SkinDrawStyle SkinParseDrawStyle(const std::wstring& name) {
    for (const DrawStyleName& s : kDrawStyles)
        if (name == s.name) return s.style;
    return SkinDrawStyle::BitBlt;
}

CSkinDrawImage::CSkinDrawImage() = default;
CSkinDrawImage::~CSkinDrawImage() = default;

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
    if (fileBytes_.empty()) return pixelWidth_;
    SkinBmpInfo info;
    return SkinCheckBmp(fileBytes_.data(), fileBytes_.size(), &info) ? info.width : 0;
}

int CSkinDrawImage::GetHeight() const {
    if (type_ != kTypeBmp) return picture_.Empty() ? 0 : picture_.height;
    if (fileBytes_.empty()) return pixelHeight_;
    SkinBmpInfo info;
    return SkinCheckBmp(fileBytes_.data(), fileBytes_.size(), &info) ? info.height : 0;
}

void CSkinDrawImage::MakeStorage() {
    if (type_ == kTypeBmp) {
        keyed_ = CSkinBitmap::FromBmpFile(fileBytes_.data(), fileBytes_.size(), transparentColor_);
        return;
    }
    if (picture_.Empty()) return;
    // The decoded pixels go into a DIB section once; the canvas blends from it.
    uint8_t* bits = nullptr;
    SkinBitmapHandle dib = SkinGraphics().CreateDibSection(picture_.width, picture_.height, 32, &bits);
    if (!dib || !bits) return;
    size_t rowBytes = static_cast<size_t>(picture_.width) * 4;
    for (int y = 0; y < picture_.height; ++y)  // the DIB section is bottom-up
        std::memcpy(bits + static_cast<size_t>(picture_.height - 1 - y) * rowBytes, picture_.Row(y), rowBytes);
    cached_ = std::move(dib);
    opacity_.Build(picture_.pixels.data(), picture_.width, picture_.height, static_cast<int>(rowBytes));
}

CSkinBitmap* CSkinDrawImage::GetKeyedBitmap() {
    if (type_ != kTypeBmp) return nullptr;
    std::call_once(storageOnce_, [this] { MakeStorage(); });
    return keyed_.get();
}

SkinSurface CSkinDrawImage::GetSurface() {
    std::call_once(storageOnce_, [this] { MakeStorage(); });
    if (type_ == kTypeBmp) return keyed_ ? keyed_->Surface() : SkinSurface();
    return GetPlainSurface();
}

SkinSurface CSkinDrawImage::GetPlainSurface() {
    std::call_once(storageOnce_, [this] { MakeStorage(); });
    if (type_ == kTypeBmp) return keyed_ ? keyed_->PlainSurface() : SkinSurface();
    if (!cached_) return SkinSurface();
    return SkinSurface{cached_.get(), picture_.width, picture_.height};
}

SkinColor CSkinDrawImage::GetColorKey() { return type_ == kTypeBmp ? transparentColor_ : SkinRgb(255, 255, 255); }

CSkinDrawImage* CSkinDrawImage::ForScale(const SkinScale& scale) {
    if (scaledDpi_ != 0 || scale.IsIdentity()) return this;
    std::lock_guard<std::mutex> lock(scaledLock_);
    for (const auto& copy : scaled_)
        if (copy.first == scale.Dpi()) return copy.second ? copy.second.get() : this;
    std::unique_ptr<CSkinDrawImage> copy;
    try {
        copy = MakeScaledCopy(scale);
    } catch (...) {  // out of memory: the picture is drawn at 96 DPI
        copy.reset();
    }
    // A failure is remembered too: the next draw does not try again.
    scaled_.emplace_back(scale.Dpi(), std::move(copy));
    return scaled_.back().second ? scaled_.back().second.get() : this;
}

std::unique_ptr<CSkinDrawImage> CSkinDrawImage::MakeScaledCopy(const SkinScale& scale) {
    const SkinSize size = ScaledSize(scale);
    std::unique_ptr<CSkinDrawImage> copy;
    if (type_ == kTypeBmp) {
        SkinBmpInfo info;
        std::vector<uint8_t> bgrx;
        if (!SkinCheckBmp(fileBytes_.data(), fileBytes_.size(), &info) ||
            !SkinResampleSizeFits(info.height, size.width, size.height) ||
            !SkinDecodeBmpPixels(fileBytes_.data(), info, &bgrx)) {
            return nullptr;
        }
        // Resized straight into the copy's DIB section, the decoded pixels
        // serving as working space: no other copy of a large picture is made.
        uint8_t* bits = nullptr;
        SkinBitmapHandle dib = SkinGraphics().CreateDibSection(size.width, size.height, 32, &bits);
        if (!dib || !bits) return nullptr;
        const ptrdiff_t stride = static_cast<ptrdiff_t>(size.width) * 4;
        if (!SkinResampleKeyedInto(bgrx.data(), bgrx.size(), info.width, info.height, transparentColor_, size.width,
                                   size.height, bits + (size.height - 1) * stride, -stride)) {
            return nullptr;
        }
        copy.reset(new CSkinDrawImage());
        copy->type_ = kTypeBmp;
        copy->pixelWidth_ = size.width;
        copy->pixelHeight_ = size.height;
        CSkinDrawImage* made = copy.get();
        std::call_once(made->storageOnce_,
                       [&] { made->keyed_ = CSkinBitmap::FromDibSection(std::move(dib), bits, transparentColor_); });
        copy->transparentColor_ = transparentColor_;
        copy->adjustColors_ = adjustColors_;
    } else {
        tovane::Picture scaled = SkinResamplePicture(picture_, size.width, size.height);
        if (scaled.Empty()) return nullptr;
        copy = FromPicture(std::move(scaled), type_);
    }
    copy->scaledDpi_ = scale.Dpi();
    return copy;
}

void CSkinDrawImage::SetTransparentColor(uint32_t color) {
    transparentColor_ = color;
    if (CSkinBitmap* keyed = keyed_.get()) keyed->SetKey(color);
}
