#include "skin/picture/skin_draw_image.h"

#include <cstring>
#include <utility>

#include "image/bmp_file.h"
#include "skin/picture/skin_bitmap.h"

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
    SkinBmpInfo info;
    return SkinCheckBmp(fileBytes_.data(), fileBytes_.size(), &info) ? info.width : 0;
}

int CSkinDrawImage::GetHeight() const {
    if (type_ != kTypeBmp) return picture_.Empty() ? 0 : picture_.height;
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

void CSkinDrawImage::Prepare() {
    if (type_ == kTypeBmp) GetKeyedBitmap();
}

CSkinBitmap* CSkinDrawImage::GetKeyedBitmap() {
    if (type_ != kTypeBmp) return nullptr;
    std::call_once(storageOnce_, [this] { MakeStorage(); });
    return keyed_.get();
}

SkinSurface CSkinDrawImage::GetSurface() {
    std::call_once(storageOnce_, [this] { MakeStorage(); });
    if (type_ == kTypeBmp) return keyed_ ? keyed_->Surface() : SkinSurface();
    if (!cached_) return SkinSurface();
    return SkinSurface{cached_.get(), picture_.width, picture_.height};
}

SkinColor CSkinDrawImage::GetColorKey() { return type_ == kTypeBmp ? transparentColor_ : SkinRgb(255, 255, 255); }

void CSkinDrawImage::SetTransparentColor(uint32_t color) {
    transparentColor_ = color;
    if (CSkinBitmap* keyed = keyed_.get()) keyed->SetKey(color);
}
