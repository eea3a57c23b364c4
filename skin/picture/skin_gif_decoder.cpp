#include "skin/picture/skin_gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "image/picture.h"

namespace {

constexpr uint8_t kExtension = 0x21;       // '!'
constexpr uint8_t kImageSeparator = 0x2C;  // ','
constexpr uint8_t kGraphicControl = 0xF9;
constexpr uint8_t kPlainText = 0x01;
constexpr size_t kHeaderSize = 13;  // signature and logical screen descriptor
constexpr size_t kImageDescriptorSize = 9;
constexpr uint32_t kWhite = 0x00FFFFFF;

enum Disposal { kDisposeNone = 0, kDisposeLeave = 1, kDisposeBackground = 2, kDisposePrevious = 3 };

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Canvas pixel (B, G, R, 0) of an RGB triple.
uint32_t Pixel(const uint8_t* rgb) {
    return static_cast<uint32_t>(rgb[2]) | static_cast<uint32_t>(rgb[1]) << 8 | static_cast<uint32_t>(rgb[0]) << 16;
}

// Row in the canvas of row `row` of an interlaced frame `height` rows high:
// every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
int InterlacedRow(int row, int height) {
    int n = (height + 7) / 8;
    if (row < n) return row * 8;
    row -= n;
    n = (height + 3) / 8;
    if (row < n) return 4 + row * 8;
    row -= n;
    n = (height + 1) / 4;
    if (row < n) return 2 + row * 4;
    row -= n;
    return 1 + row * 2;
}

// Where decoded rows go.
struct FrameTarget {
    uint32_t* pixels;
    uint8_t* mask;
    int canvasWidth;
    int left, top, height;  // the frame's own placement
    int clipLeft, clipTop, clipRight, clipBottom;
    bool interlaced;
    bool transparent;
    uint8_t transparentIndex;
    const uint32_t* colors;
    int rowsNeeded;  // frame rows that land on the canvas
    int rowsWritten;
};

bool WriteRow(void* context, int row, const uint8_t* indices, int count) {
    FrameTarget& t = *static_cast<FrameTarget*>(context);
    int y = t.top + (t.interlaced ? InterlacedRow(row, t.height) : row);
    if (y < t.clipTop || y >= t.clipBottom) return true;
    int x0 = t.clipLeft - t.left;
    int x1 = std::min(count, t.clipRight - t.left);
    if (x1 > x0) {
        size_t at = static_cast<size_t>(y) * static_cast<size_t>(t.canvasWidth) + static_cast<size_t>(t.left + x0);
        uint32_t* dst = t.pixels + at;
        uint8_t* mask = t.mask + at;
        const uint8_t* src = indices + x0;
        int n = x1 - x0;
        const uint32_t* colors = t.colors;
        if (!t.transparent) {
            for (int i = 0; i < n; ++i) dst[i] = colors[src[i]];
            std::memset(mask, 1, static_cast<size_t>(n));
        } else {
            const uint8_t skip = t.transparentIndex;
            for (int i = 0; i < n; ++i) {
                uint8_t index = src[i];
                if (index == skip) continue;
                dst[i] = colors[index];
                mask[i] = 1;
            }
        }
    }
    return ++t.rowsWritten < t.rowsNeeded;
}

}  // namespace

void SkinGifDecoder::Clear() {
    file_ = std::vector<uint8_t>();
    loaded_ = hasCanvas_ = screenUsable_ = false;
    version_ = width_ = height_ = backgroundIndex_ = 0;
    global_ = Palette();
    firstFrame_ = pos_ = 0;
    pixels_ = std::vector<uint32_t>();
    mask_ = std::vector<uint8_t>();
    background_ = 0;
    savedPixels_ = std::vector<uint32_t>();
    savedMask_ = std::vector<uint8_t>();
    savedRect_ = Rect();
    pendingDisposal_ = 0;
    pendingTransparent_ = false;
    pendingTransparentIndex_ = 0;
    prevDisposal_ = 0;
    prevRect_ = Rect();
}

bool SkinGifDecoder::Load(const uint8_t* data, size_t size, size_t maxPixels) {
    std::vector<uint8_t> file;
    if (data && size) {
        try {
            file.assign(data, data + size);
        } catch (const std::bad_alloc&) {
            Clear();
            return false;
        }
    }
    return Load(std::move(file), maxPixels);
}

bool SkinGifDecoder::Load(std::vector<uint8_t>&& file, size_t maxPixels) {
    Clear();
    file_ = std::move(file);
    if (!ReadHeader(maxPixels)) {
        Clear();
        return false;
    }
    loaded_ = true;
    return true;
}

size_t SkinGifDecoder::MemoryBytes() const {
    return pixels_.capacity() * 4 + mask_.capacity() + savedPixels_.capacity() * 4 + savedMask_.capacity();
}

size_t SkinGifDecoder::MaxMemoryBytes() const {
    if (!screenUsable_) return MemoryBytes();
    return static_cast<size_t>(width_) * static_cast<size_t>(height_) * kBytesPerPixel;
}

bool SkinGifDecoder::ReadHeader(size_t maxPixels) {
    static const char kSignatures[2][7] = {"gif87a", "gif89a"};
    if (file_.size() < kHeaderSize) return false;
    const uint8_t* d = file_.data();
    int matched = 0;
    for (int s = 0; s < 2 && !matched; ++s) {
        bool same = true;
        for (int i = 0; i < 6 && same; ++i) {
            uint8_t c = d[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<uint8_t>(c - 'A' + 'a');
            same = c == static_cast<uint8_t>(kSignatures[s][i]);
        }
        if (same) matched = s == 0 ? 87 : 89;
    }
    if (!matched) return false;
    version_ = matched;
    width_ = U16(d + 6);
    height_ = U16(d + 8);
    uint8_t packed = d[10];
    backgroundIndex_ = d[11];
    pos_ = kHeaderSize;
    if (packed & 0x80) {
        if (!ReadPalette(size_t(2) << (packed & 7), &global_)) return false;
    }
    firstFrame_ = pos_;

    size_t pixels = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    screenUsable_ = width_ > 0 && height_ > 0 && width_ <= tovane::kMaxPictureSide &&
                    height_ <= tovane::kMaxPictureSide && pixels <= tovane::kMaxPicturePixels && pixels <= maxPixels;
    background_ = global_.present ? global_.colors[backgroundIndex_] : kWhite;
    if (global_.present) EnsureCanvas();
    return true;
}

bool SkinGifDecoder::ReadPalette(size_t count, Palette* palette) {
    size_t bytes = count * 3;
    if (file_.size() - pos_ < bytes) return false;
    const uint8_t* p = file_.data() + pos_;
    *palette = Palette();
    for (size_t i = 0; i < count; ++i) palette->colors[i] = Pixel(p + i * 3);
    palette->present = true;
    pos_ += bytes;
    return true;
}

bool SkinGifDecoder::EnsureCanvas() {
    if (hasCanvas_) return true;
    if (!screenUsable_) return false;
    size_t pixels = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    try {
        pixels_.assign(pixels, background_);
        mask_.assign(pixels, 0);
    } catch (const std::bad_alloc&) {
        pixels_ = std::vector<uint32_t>();
        mask_ = std::vector<uint8_t>();
        screenUsable_ = false;
        return false;
    }
    hasCanvas_ = true;
    ClearCanvas();
    return true;
}

void SkinGifDecoder::ClearCanvas() {
    std::fill(pixels_.begin(), pixels_.end(), background_);
    std::fill(mask_.begin(), mask_.end(), uint8_t(0));
    prevDisposal_ = kDisposeNone;
    prevRect_ = Rect();
    savedRect_ = Rect();
}

void SkinGifDecoder::Rewind() {
    pos_ = firstFrame_;
    pendingDisposal_ = 0;
    pendingTransparent_ = false;
    background_ = global_.present ? global_.colors[backgroundIndex_] : kWhite;
    if (hasCanvas_) ClearCanvas();
}

SkinGifDecoder::Step SkinGifDecoder::Advance() {
    Step step;
    if (!loaded_) return step;
    if (DecodeNextFrame()) {
        step.decoded = true;
        return step;
    }
    // Once per call: a file without any frame must not loop here.
    Rewind();
    step.rewound = true;
    step.decoded = DecodeNextFrame();
    return step;
}

bool SkinGifDecoder::DecodeNextFrame() {
    const size_t size = file_.size();
    while (pos_ < size) {
        uint8_t introducer = file_[pos_];
        if (introducer == kExtension) {
            if (size - pos_ < 2) break;
            uint8_t label = file_[pos_ + 1];
            pos_ += 2;
            if (label == kGraphicControl) {
                ReadGraphicControl();
            } else {
                // Text drawn by the file is not shown, but it uses up the
                // graphic control that came before it.
                if (label == kPlainText) {
                    pendingDisposal_ = 0;
                    pendingTransparent_ = false;
                }
                SkipSubBlocks();
            }
        } else if (introducer == kImageSeparator) {
            ++pos_;
            return DecodeImage();
        } else {
            break;  // the trailer, or bytes that start no block
        }
    }
    pos_ = size;
    return false;
}

void SkinGifDecoder::SkipSubBlocks() {
    const size_t size = file_.size();
    while (pos_ < size) {
        size_t n = file_[pos_++];
        if (n == 0) return;
        if (n > size - pos_) break;
        pos_ += n;
    }
    pos_ = size;
}

void SkinGifDecoder::ReadGraphicControl() {
    const size_t size = file_.size();
    if (pos_ < size) {
        size_t n = file_[pos_];
        if (n >= 4 && n <= size - pos_ - 1) {
            const uint8_t* p = file_.data() + pos_ + 1;
            pendingDisposal_ = (p[0] >> 2) & 7;
            pendingTransparent_ = (p[0] & 1) != 0;
            pendingTransparentIndex_ = p[3];
            // The frame delay (p[1], p[2]) is not used: the timer sets the pace.
        }
    }
    SkipSubBlocks();
}

SkinGifDecoder::Rect SkinGifDecoder::ClipToCanvas(int left, int top, int width, int height) const {
    Rect r;
    r.left = std::min(left, width_);
    r.top = std::min(top, height_);
    r.right = std::min(left + width, width_);
    r.bottom = std::min(top + height, height_);
    if (r.Empty()) r = Rect();
    return r;
}

bool SkinGifDecoder::DecodeImage() {
    const size_t size = file_.size();
    if (size - pos_ < kImageDescriptorSize) {
        pos_ = size;
        return false;
    }
    const uint8_t* d = file_.data() + pos_;
    const int left = U16(d), top = U16(d + 2), width = U16(d + 4), height = U16(d + 6);
    const uint8_t packed = d[8];
    pos_ += kImageDescriptorSize;

    // The frame's own colour table, else the global one; each frame gets
    // its own, so nothing of an earlier frame's table carries over.
    Palette local;
    const Palette* table = &global_;
    if (packed & 0x80) {
        if (!ReadPalette(size_t(2) << (packed & 7), &local)) {
            pos_ = size;
            return false;
        }
        table = &local;
    }
    if (pos_ >= size) return false;
    const int minCodeSize = file_[pos_++];

    // Join the sub-blocks; a block running past the end keeps what is there.
    lzwData_.clear();
    while (pos_ < size) {
        size_t n = file_[pos_++];
        if (n == 0) break;
        n = std::min(n, size - pos_);
        lzwData_.insert(lzwData_.end(), file_.begin() + static_cast<std::ptrdiff_t>(pos_),
                        file_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
        pos_ += n;
    }

    const int disposal = pendingDisposal_;
    const bool transparent = pendingTransparent_;
    const uint8_t transparentIndex = static_cast<uint8_t>(pendingTransparentIndex_);
    pendingDisposal_ = 0;
    pendingTransparent_ = false;

    // Without colours the frame cannot be shown; it still counts as a frame.
    if (!table->present || !EnsureCanvas()) return true;

    DisposePrevious();
    Rect r = ClipToCanvas(left, top, width, height);
    if (disposal == kDisposePrevious) SaveArea(r);

    if (!r.Empty()) {
        FrameTarget target{pixels_.data(),
                           mask_.data(),
                           width_,
                           left,
                           top,
                           height,
                           r.left,
                           r.top,
                           r.right,
                           r.bottom,
                           (packed & 0x40) != 0,
                           transparent,
                           transparentIndex,
                           table->colors,
                           r.bottom - r.top,
                           0};
        if (!lzw_) lzw_.reset(new SkinGifLzw());
        lzw_->Decode(minCodeSize, lzwData_.data(), lzwData_.size(), width, height, &WriteRow, &target);
    }

    // Unpainted pixels show the background entry of the global table, or
    // white when the frame shows that entry as transparent (or there is no
    // global table to name a background colour).
    bool backgroundShown = global_.present && !(transparent && transparentIndex == backgroundIndex_);
    SetBackground(backgroundShown ? global_.colors[backgroundIndex_] : kWhite);

    prevDisposal_ = disposal;
    prevRect_ = r;
    return true;
}

void SkinGifDecoder::SetBackground(uint32_t color) {
    if (color == background_) return;
    background_ = color;
    const size_t n = pixels_.size();
    for (size_t i = 0; i < n; ++i)
        if (!mask_[i]) pixels_[i] = color;
}

void SkinGifDecoder::FillUnpainted(const Rect& r) {
    for (int y = r.top; y < r.bottom; ++y) {
        size_t at = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(r.left);
        size_t n = static_cast<size_t>(r.right - r.left);
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(at), n, background_);
        std::memset(mask_.data() + at, 0, n);
    }
}

void SkinGifDecoder::DisposePrevious() {
    if (prevDisposal_ == kDisposeBackground)
        FillUnpainted(prevRect_);
    else if (prevDisposal_ == kDisposePrevious)
        RestoreSaved();
    prevDisposal_ = kDisposeNone;
}

void SkinGifDecoder::SaveArea(const Rect& r) {
    savedRect_ = r;
    if (r.Empty()) return;
    size_t w = static_cast<size_t>(r.right - r.left);
    size_t n = w * static_cast<size_t>(r.bottom - r.top);
    savedPixels_.resize(n);
    savedMask_.resize(n);
    for (int y = r.top; y < r.bottom; ++y) {
        size_t at = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(r.left);
        size_t to = static_cast<size_t>(y - r.top) * w;
        std::memcpy(savedPixels_.data() + to, pixels_.data() + at, w * 4);
        std::memcpy(savedMask_.data() + to, mask_.data() + at, w);
    }
}

void SkinGifDecoder::RestoreSaved() {
    const Rect r = savedRect_;
    savedRect_ = Rect();
    if (r.Empty()) return;
    size_t w = static_cast<size_t>(r.right - r.left);
    for (int y = r.top; y < r.bottom; ++y) {
        size_t at = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(r.left);
        size_t from = static_cast<size_t>(y - r.top) * w;
        for (size_t i = 0; i < w; ++i) {
            uint8_t painted = savedMask_[from + i];
            mask_[at + i] = painted;
            // The background may have changed since the copy was taken.
            pixels_[at + i] = painted ? savedPixels_[from + i] : background_;
        }
    }
}
