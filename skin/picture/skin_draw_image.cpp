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

// A 32-bit top-down BMP file of width x height pixels whose pixel block,
// at kBmp32Header, the caller fills with rows of B, G, R, X.
constexpr size_t kBmp32Header = 54;
std::vector<uint8_t> BmpFile32(int width, int height) {
    const size_t bits = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    std::vector<uint8_t> file(kBmp32Header + bits, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        file[at] = static_cast<uint8_t>(v);
        file[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, kBmp32Header);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(-height));  // negative: rows from the top
    put16(26, 1);
    put16(28, 32);
    put32(34, static_cast<uint32_t>(bits));
    return file;
}

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

std::unique_ptr<CSkinDrawImage> CSkinDrawImage::FromBitmapFile(std::vector<uint8_t> file) {
    std::unique_ptr<CSkinDrawImage> image(new CSkinDrawImage());
    image->type_ = kTypeBmp;
    image->fileBytes_ = std::move(file);
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
        // Resized straight into the copy's file, the decoded pixels serving
        // as working space: no other copy of a large picture is made.
        std::vector<uint8_t> file = BmpFile32(size.width, size.height);
        if (!SkinResampleKeyedInto(bgrx.data(), bgrx.size(), info.width, info.height, transparentColor_, size.width,
                                   size.height, file.data() + kBmp32Header)) {
            return nullptr;
        }
        copy = FromBitmapFile(std::move(file));
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
