// The BMP byte check and the native decoding of BMP pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image/bmp_file.h"
#include "skin/bmp_builder.h"

namespace {

using bmptest::BmpFormat;
using bmptest::MakeBmp;

void Set32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Six colours in a 5 x 3 picture, rows distinct so row order shows.
const std::vector<bmptest::Rgb> kPixels = {
    0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF, 0xFFFFFF,  //
    0x000000, 0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00,  //
    0x0000FF, 0x0000FF, 0x0000FF, 0x000000, 0xFFFFFF,
};

std::vector<BmpFormat> AllLayouts() {
    std::vector<BmpFormat> formats;
    auto add = [&](int bpp, auto&& tweak) {
        BmpFormat s;
        s.width = 5, s.height = 3, s.bitsPerPixel = bpp;
        tweak(s);
        formats.push_back(s);
    };
    auto none = [](BmpFormat&) {};
    add(24, none);
    add(32, none);
    add(8, none);
    add(4, none);
    add(24, [](BmpFormat& s) { s.topDown = true; });
    add(8, [](BmpFormat& s) { s.coreHeader = true; });
    add(24, [](BmpFormat& s) { s.coreHeader = true; });
    add(16, [](BmpFormat& s) { s.bitfields = true; });
    add(32, [](BmpFormat& s) { s.bitfields = true, s.headerSize = 124; });
    add(16, [](BmpFormat& s) { s.bitfields = true, s.headerSize = 108; });
    add(8, [](BmpFormat& s) { s.rle8 = true; });
    return formats;
}

TEST(DrawBmp, EveryLayoutPassesAndEveryShorterFileFails) {
    for (const BmpFormat& format : AllLayouts()) {
        std::vector<uint8_t> file = MakeBmp(format, kPixels);
        SkinBmpInfo info;
        ASSERT_TRUE(SkinCheckBmp(file.data(), file.size(), &info)) << format.bitsPerPixel;
        EXPECT_EQ(info.width, 5);
        EXPECT_EQ(info.height, 3);
        EXPECT_EQ(info.topDown, format.topDown);
        EXPECT_EQ(info.bitsPerPixel, format.bitsPerPixel);
        // Every length check matters: no truncation of the file passes, and
        // the check never reads past the (copied, exactly sized) buffer.
        for (size_t n = 0; n < file.size(); ++n) {
            std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(n));
            EXPECT_FALSE(SkinCheckBmp(cut.data(), cut.size())) << "bpp " << format.bitsPerPixel << " length " << n;
        }
    }
}

TEST(DrawBmp, HeadersThatLieAreRefused) {
    BmpFormat format;
    format.width = 5, format.height = 3;
    const std::vector<uint8_t> good = MakeBmp(format, kPixels);
    auto refused = [&](auto&& edit) {
        std::vector<uint8_t> f = good;
        edit(f);
        return !SkinCheckBmp(f.data(), f.size());
    };
    EXPECT_TRUE(refused([](auto& f) { f[0] = 'X'; }));
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 10, 20); }));           // pixels inside the headers
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 10, 0xFFFFFFF0u); }));  // pixels far past the end
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 14, 64); }));           // unknown info header
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 14, 0xFFFFFFFFu); }));
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 18, 0); }));                         // width 0
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 18, 0xFFFFFFFBu); }));               // width -5
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 22, 0x80000000u); }));               // height INT_MIN
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 18, 8193); }));                      // past the picture limits
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 18, 8192), Set32(f, 22, 8192); }));  // 64 Mpixel
    EXPECT_TRUE(refused([](auto& f) { f[28] = 7; }));                               // 7 bits per pixel
    EXPECT_TRUE(refused([](auto& f) { f[26] = 2; }));                               // two planes
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 30, 4); }));                         // JPEG inside
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 46, 200); }));  // a 200-colour table that is not there
    // Taller than the pixels present: stride x height decides, not the file size field.
    EXPECT_TRUE(refused([](auto& f) { Set32(f, 22, 4); }));
    std::vector<uint8_t> f = good;
    Set32(f, 2, 1);  // the file-size field is not trusted either way
    EXPECT_TRUE(SkinCheckBmp(f.data(), f.size()));
}

TEST(DrawBmp, RunLengthFilesNeedTheirStatedSizeInsideTheFile) {
    BmpFormat format;
    format.width = 5, format.height = 3, format.bitsPerPixel = 8, format.rle8 = true;
    std::vector<uint8_t> good = MakeBmp(format, kPixels);
    SkinBmpInfo info;
    ASSERT_TRUE(SkinCheckBmp(good.data(), good.size(), &info));
    EXPECT_EQ(info.imageBytes, good.size() - info.bitsOffset);
    std::vector<uint8_t> f = good;
    Set32(f, 34, 0);  // no size: the decoder could not know where the data ends
    EXPECT_FALSE(SkinCheckBmp(f.data(), f.size()));
    f = good;
    Set32(f, 34, static_cast<uint32_t>(info.imageBytes + 1));
    EXPECT_FALSE(SkinCheckBmp(f.data(), f.size()));
    f = good;
    Set32(f, 22, static_cast<uint32_t>(-3));  // compressed rows cannot run top-down
    EXPECT_FALSE(SkinCheckBmp(f.data(), f.size()));
    std::vector<uint8_t> pixels;
    EXPECT_FALSE(SkinDecodeBmpPixels(good.data(), info, &pixels));
}

TEST(DrawBmp, PixelsDecodeTopDownAsAThirtyTwoBitScreenHoldsThem) {
    for (const BmpFormat& format : AllLayouts()) {
        if (format.rle8) continue;
        std::vector<uint8_t> file = MakeBmp(format, kPixels);
        SkinBmpInfo info;
        ASSERT_TRUE(SkinCheckBmp(file.data(), file.size(), &info));
        std::vector<uint8_t> bgrx;
        ASSERT_TRUE(SkinDecodeBmpPixels(file.data(), info, &bgrx));
        ASSERT_EQ(bgrx.size(), 5u * 3 * 4);
        for (size_t i = 0; i < kPixels.size(); ++i) {
            uint32_t got = uint32_t{bgrx[i * 4 + 2]} << 16 | uint32_t{bgrx[i * 4 + 1]} << 8 | bgrx[i * 4];
            EXPECT_EQ(got, kPixels[i]) << "bpp " << format.bitsPerPixel << " pixel " << i;
            EXPECT_EQ(bgrx[i * 4 + 3], 0);
        }
    }
}

TEST(DrawBmp, InfoBlockIsOneFormForEveryHeader) {
    BmpFormat core;
    core.width = 5, core.height = 3, core.bitsPerPixel = 8, core.coreHeader = true;
    std::vector<uint8_t> file = MakeBmp(core, kPixels);
    SkinBmpInfo info;
    ASSERT_TRUE(SkinCheckBmp(file.data(), file.size(), &info));
    std::vector<uint32_t> block = SkinBmpInfoBlock(file.data(), info);
    ASSERT_EQ(block.size(), 10u + 256u);
    EXPECT_EQ(block[0], 40u);
    EXPECT_EQ(block[1], 5u);
    EXPECT_EQ(block[2], 3u);
    EXPECT_EQ(block[3], 1u | 8u << 16);
    EXPECT_EQ(block[10], 0xFF0000u);  // the first colour, from a 3-byte entry
    EXPECT_EQ(block[11], 0x00FF00u);

    BmpFormat v5;
    v5.width = 5, v5.height = 3, v5.bitsPerPixel = 16, v5.bitfields = true, v5.headerSize = 124, v5.topDown = true;
    file = MakeBmp(v5, kPixels);
    ASSERT_TRUE(SkinCheckBmp(file.data(), file.size(), &info));
    block = SkinBmpInfoBlock(file.data(), info);
    ASSERT_EQ(block.size(), 13u);
    EXPECT_EQ(static_cast<int32_t>(block[2]), -3);
    EXPECT_EQ(block[4], uint32_t{kSkinBmpBitfields});
    EXPECT_EQ(block[10], 0xF800u);
    EXPECT_EQ(block[12], 0x001Fu);
}

}  // namespace
