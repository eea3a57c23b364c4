#include "image/bmp_file.h"

#include <cstring>

#include "image/picture.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t U16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
uint32_t U32(const uint8_t* p) { return U16(p) | U16(p + 2) << 16; }

bool KnownHeaderSize(uint32_t size) {
    switch (size) {
        case 12:   // BITMAPCOREHEADER
        case 40:   // BITMAPINFOHEADER
        case 52:   // with the colour masks
        case 56:   // with the colour and alpha masks
        case 108:  // BITMAPV4HEADER
        case 124:  // BITMAPV5HEADER
            return true;
        default:
            return false;
    }
}

bool DepthFits(int bpp, uint32_t compression, bool core) {
    switch (compression) {
        case kSkinBmpRgb:
            return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || (!core && (bpp == 16 || bpp == 32));
        case kSkinBmpRle8:
            return !core && bpp == 8;
        case kSkinBmpRle4:
            return !core && bpp == 4;
        case kSkinBmpBitfields:
            return !core && (bpp == 16 || bpp == 32);
        default:
            return false;  // JPEG and PNG inside BMP files are not for us
    }
}

// A mask's lowest set bit and its width, to spread a channel to 8 bits.
struct Channel {
    int shift = 0;
    int bits = 0;
};
Channel ChannelOf(uint32_t mask) {
    Channel c;
    if (!mask) return c;
    while (!(mask & 1)) {
        mask >>= 1;
        ++c.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++c.bits;
    }
    return c;
}
uint8_t Spread(uint32_t value, const Channel& c) {
    if (c.bits == 0) return 0;
    uint32_t v = value >> c.shift;
    if (c.bits < 32) v &= (1u << c.bits) - 1;
    if (c.bits >= 8) return static_cast<uint8_t>(v >> (c.bits - 8));
    uint32_t max = (1u << c.bits) - 1;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
}

}  // namespace

bool SkinCheckBmp(const uint8_t* file, size_t size, SkinBmpInfo* out) {
    if (!file || size < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return false;
    SkinBmpInfo info;
    info.bitsOffset = U32(file + 10);
    info.headerSize = U32(file + 14);
    if (!KnownHeaderSize(info.headerSize) || kFileHeaderSize + info.headerSize > size) return false;
    const uint8_t* h = file + kFileHeaderSize;
    bool core = info.headerSize == kCoreHeaderSize;
    int64_t width, height;
    uint32_t planes, clrUsed = 0;
    if (core) {
        width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        info.bitsPerPixel = static_cast<int>(U16(h + 10));
    } else {
        width = static_cast<int32_t>(U32(h + 4));
        height = static_cast<int32_t>(U32(h + 8));
        planes = U16(h + 12);
        info.bitsPerPixel = static_cast<int>(U16(h + 14));
        info.compression = U32(h + 16);
        clrUsed = U32(h + 32);
    }
    if (planes != 1 || !DepthFits(info.bitsPerPixel, info.compression, core)) return false;
    info.topDown = height < 0;
    if (info.topDown) height = -height;
    if (width <= 0 || height <= 0 || width > tovane::kMaxPictureSide || height > tovane::kMaxPictureSide ||
        static_cast<uint64_t>(width * height) > tovane::kMaxPicturePixels)
        return false;
    // Compressed rows run from the bottom only.
    if (info.topDown && (info.compression == kSkinBmpRle8 || info.compression == kSkinBmpRle4)) return false;
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);

    // Colour table (or masks) right after the info header. GDI reads
    // biClrUsed entries (at most 256) even for deep pictures.
    uint64_t tableBytes = 0;
    if (info.bitsPerPixel <= 8) {
        uint32_t full = 1u << info.bitsPerPixel;
        info.colorCount = clrUsed ? (clrUsed < full ? clrUsed : full) : full;
        tableBytes = uint64_t{info.colorCount} * (core ? 3 : 4);
    } else if (clrUsed) {
        info.colorCount = clrUsed < 256 ? clrUsed : 256;
        tableBytes = uint64_t{info.colorCount} * 4;
    }
    uint64_t masksEnd = kFileHeaderSize + info.headerSize;
    if (info.compression == kSkinBmpBitfields) {
        if (info.headerSize == kInfoHeaderSize) masksEnd += 12;  // the masks follow the header
        if (masksEnd > size) return false;
        const uint8_t* m = file + kFileHeaderSize + kInfoHeaderSize;
        for (int i = 0; i < 3; ++i) info.masks[i] = U32(m + 4 * i);
        if (!info.masks[0] && !info.masks[1] && !info.masks[2]) return false;
    } else if (info.bitsPerPixel == 16) {
        info.masks[0] = 0x7C00, info.masks[1] = 0x03E0, info.masks[2] = 0x001F;
    } else if (info.bitsPerPixel == 32) {
        info.masks[0] = 0xFF0000, info.masks[1] = 0xFF00, info.masks[2] = 0xFF;
    }
    uint64_t tableEnd = masksEnd + tableBytes;
    if (tableEnd > size || info.bitsOffset < tableEnd || info.bitsOffset > size) return false;

    info.stride = ((uint64_t(info.width) * info.bitsPerPixel + 31) / 32) * 4;
    if (info.compression == kSkinBmpRle8 || info.compression == kSkinBmpRle4) {
        info.imageBytes = core ? 0 : U32(h + 20);
        if (info.imageBytes == 0) return false;  // the decoder needs the data's end
    } else {
        info.imageBytes = info.stride * uint64_t(info.height);
    }
    if (info.imageBytes > size - info.bitsOffset) return false;
    if (out) *out = info;
    return true;
}

std::vector<uint32_t> SkinBmpInfoBlock(const uint8_t* file, const SkinBmpInfo& info) {
    bool bitfields = info.compression == kSkinBmpBitfields;
    uint32_t entries = bitfields ? 3 : info.colorCount;
    std::vector<uint32_t> block(kInfoHeaderSize / 4 + entries, 0);
    block[0] = kInfoHeaderSize;
    block[1] = static_cast<uint32_t>(info.width);
    block[2] = static_cast<uint32_t>(info.topDown ? -info.height : info.height);
    block[3] = 1u | uint32_t(info.bitsPerPixel) << 16;  // planes, bit count
    block[4] = info.compression;
    block[5] = info.compression == kSkinBmpRle8 || info.compression == kSkinBmpRle4
                   ? static_cast<uint32_t>(info.imageBytes)
                   : 0;
    block[8] = bitfields ? 0 : info.colorCount;  // biClrUsed
    uint32_t* table = block.data() + kInfoHeaderSize / 4;
    if (bitfields) {
        for (int i = 0; i < 3; ++i) table[i] = info.masks[i];
        return block;
    }
    const uint8_t* src = file + kFileHeaderSize + info.headerSize;
    size_t entrySize = info.headerSize == kCoreHeaderSize ? 3 : 4;
    for (uint32_t i = 0; i < entries; ++i) {
        const uint8_t* e = src + i * entrySize;
        table[i] = uint32_t{e[0]} | uint32_t{e[1]} << 8 | uint32_t{e[2]} << 16;  // B, G, R, 0
    }
    return block;
}

bool SkinDecodeBmpPixels(const uint8_t* file, const SkinBmpInfo& info, std::vector<uint8_t>* bgrx) {
    if (info.compression != kSkinBmpRgb && info.compression != kSkinBmpBitfields) return false;
    std::vector<uint32_t> block = SkinBmpInfoBlock(file, info);
    const uint32_t* palette = block.data() + kInfoHeaderSize / 4;
    Channel red = ChannelOf(info.masks[0]), green = ChannelOf(info.masks[1]), blue = ChannelOf(info.masks[2]);
    size_t w = static_cast<size_t>(info.width);
    bgrx->assign(w * 4 * static_cast<size_t>(info.height), 0);
    for (int y = 0; y < info.height; ++y) {
        int fileRow = info.topDown ? y : info.height - 1 - y;
        const uint8_t* row = file + info.bitsOffset + static_cast<size_t>(fileRow) * info.stride;
        uint8_t* out = bgrx->data() + static_cast<size_t>(y) * w * 4;
        for (size_t x = 0; x < w; ++x, out += 4) {
            int bpp = info.bitsPerPixel;
            if (bpp <= 8) {
                size_t bit = x * bpp;
                uint32_t index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                uint32_t c = index < info.colorCount ? palette[index] : 0;
                std::memcpy(out, &c, 3);
            } else if (bpp == 24) {
                std::memcpy(out, row + x * 3, 3);
            } else {
                uint32_t v = bpp == 16 ? U16(row + x * 2) : U32(row + x * 4);
                out[0] = Spread(v, blue);
                out[1] = Spread(v, green);
                out[2] = Spread(v, red);
            }
        }
    }
    return true;
}
