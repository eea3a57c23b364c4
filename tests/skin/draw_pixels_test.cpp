// The pixel run walk, the two 32-bit copies and CHBitmap.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <tuple>
#include <vector>

#include "skin/draw_test_print.h"
#include "skin/picture/skin_hbitmap.h"
#include "skin/picture/skin_pixel_ops.h"
#include "skin/platform/skin_graphics.h"

namespace {

using Rects = std::vector<SkinRect>;
constexpr SkinColor kMagenta = SkinRgb(255, 0, 255);

// A view over pixels held by the test, rows top-down unless asked.
struct Buffer {
    std::vector<uint8_t> bytes;
    SkinPixelView view;

    Buffer(int w, int h, int bpp, int stride = 0) {
        if (!stride) stride = ((w * bpp + 31) / 32) * 4;
        bytes.assign(static_cast<size_t>(stride) * h, 0);
        view.bits = bytes.data();
        view.size = bytes.size();
        view.width = w, view.height = h, view.stride = stride, view.bitsPerPixel = bpp;
    }
    uint8_t* At(int x, int y) { return view.Row(y) + x * (view.bitsPerPixel / 8); }
    void Put(int x, int y, SkinColor c) {  // 24 and 32 bits: B, G, R
        uint8_t* p = At(x, y);
        p[0] = (c >> 16) & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = c & 0xFF;
    }
    uint32_t Get32(int x, int y) {
        uint32_t v;
        std::memcpy(&v, At(x, y), 4);
        return v;
    }
    void Fill32(uint32_t v) {
        for (int y = 0; y < view.height; ++y)
            for (int x = 0; x < view.width; ++x) std::memcpy(At(x, y), &v, 4);
    }
};

TEST(DrawPixels, WalkWithoutKeyPixelsGivesOneRectanglePerRow) {
    Buffer b(7, 3, 32);
    b.Fill32(0x11223344);
    EXPECT_EQ(SkinWalkPixelRuns(b.view, kMagenta, SkinRunKind::NotKey),
              (Rects{{0, 0, 7, 1}, {0, 1, 7, 2}, {0, 2, 7, 3}}));
    EXPECT_TRUE(SkinWalkPixelRuns(b.view, kMagenta, SkinRunKind::Key).empty());
}

TEST(DrawPixels, WalkSplitsRowsAtKeyPixelsTopRowFirst) {
    for (bool bottomUp : {false, true}) {
        Buffer b(6, 2, 24);
        b.view.bottomUp = bottomUp;
        b.Put(0, 0, kMagenta);
        b.Put(3, 0, kMagenta);
        b.Put(5, 1, kMagenta);
        EXPECT_EQ(SkinWalkPixelRuns(b.view, kMagenta, SkinRunKind::NotKey),
                  (Rects{{1, 0, 3, 1}, {4, 0, 6, 1}, {0, 1, 5, 2}}));
        EXPECT_EQ(SkinWalkPixelRuns(b.view, kMagenta, SkinRunKind::Key),
                  (Rects{{0, 0, 1, 1}, {3, 0, 4, 1}, {5, 1, 6, 2}}));
    }
}

TEST(DrawPixels, WalkComparesTheKeyInEachPixelFormat) {
    // Red RGB(255, 0, 0) is stored B, G, R: bytes 00 00 FF. Blue must not match.
    Buffer b24(2, 1, 24);
    b24.Put(0, 0, SkinRgb(255, 0, 0));
    b24.Put(1, 0, SkinRgb(0, 0, 255));
    EXPECT_EQ(SkinWalkPixelRuns(b24.view, SkinRgb(255, 0, 0), SkinRunKind::Key), (Rects{{0, 0, 1, 1}}));
    // 32-bit pixels: the fourth byte plays no part.
    Buffer b32(2, 1, 32);
    b32.Put(0, 0, kMagenta);
    b32.At(0, 0)[3] = 0x80;
    EXPECT_EQ(SkinWalkPixelRuns(b32.view, kMagenta, SkinRunKind::Key), (Rects{{0, 0, 1, 1}}));
    // 16-bit pixels are 5-6-5: magenta is 0xF81F.
    Buffer b16(3, 1, 16);
    b16.At(1, 0)[0] = 0x1F, b16.At(1, 0)[1] = 0xF8;
    b16.At(2, 0)[0] = 0x1F, b16.At(2, 0)[1] = 0x7C;  // magenta in 5-5-5 is another colour here
    EXPECT_EQ(SkinWalkPixelRuns(b16.view, kMagenta, SkinRunKind::Key), (Rects{{1, 0, 2, 1}}));
    // 8-bit pixels compare their palette entry; an index past the palette matches nothing.
    Buffer b8(4, 1, 8);
    const uint32_t palette[2] = {0x000000, 0xFF00FF};
    b8.view.palette = palette;
    b8.view.paletteSize = 2;
    b8.At(0, 0)[0] = 1, b8.At(1, 0)[0] = 0, b8.At(2, 0)[0] = 1, b8.At(3, 0)[0] = 9;
    EXPECT_EQ(SkinWalkPixelRuns(b8.view, kMagenta, SkinRunKind::Key), (Rects{{0, 0, 1, 1}, {2, 0, 3, 1}}));
    EXPECT_EQ(SkinWalkPixelRuns(b8.view, kMagenta, SkinRunKind::NotKey), (Rects{{1, 0, 2, 1}, {3, 0, 4, 1}}));
}

TEST(DrawPixels, WalkReadsNoByteBeyondTheLastPixel) {
    // 24-bit rows of 4 pixels are exactly 12 bytes: a buffer that ends at
    // the last pixel's red byte. Reading a pixel as a 4-byte value would
    // touch the byte after it (ASan sees it in this exactly sized copy).
    Buffer b(4, 2, 24);
    std::vector<uint8_t> exact(b.bytes.begin(), b.bytes.end());
    auto* tight = new uint8_t[exact.size()];
    std::memcpy(tight, exact.data(), exact.size());
    SkinPixelView v = b.view;
    v.bits = tight;
    v.size = exact.size();
    EXPECT_EQ(SkinWalkPixelRuns(v, SkinRgb(0, 0, 0), SkinRunKind::Key).size(), 2u);
    delete[] tight;
}

TEST(DrawPixels, WalkRefusesViewsThatDoNotFitTheirBuffer) {
    Buffer b(4, 4, 32);
    SkinPixelView v = b.view;
    v.size -= 1;
    EXPECT_TRUE(SkinWalkPixelRuns(v, 0, SkinRunKind::NotKey).empty());
    v = b.view;
    v.stride = 8;  // rows narrower than their pixels
    EXPECT_TRUE(SkinWalkPixelRuns(v, 0, SkinRunKind::NotKey).empty());
    v = b.view;
    v.bitsPerPixel = 12;
    EXPECT_TRUE(SkinWalkPixelRuns(v, 0, SkinRunKind::NotKey).empty());
    v = b.view;
    v.bitsPerPixel = 8;  // 8-bit without a palette
    EXPECT_TRUE(SkinWalkPixelRuns(v, 0, SkinRunKind::NotKey).empty());
    v = b.view;
    v.height = 1 << 30;
    EXPECT_TRUE(SkinWalkPixelRuns(v, 0, SkinRunKind::NotKey).empty());
}

TEST(DrawPixels, TiledCopyRepeatsTheSourceAcrossOrDown) {
    Buffer src(3, 2, 32), dst(8, 6, 32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            uint32_t v = 0x100u * y + x + 1;
            std::memcpy(src.At(x, y), &v, 4);
        }
    // Heights agree: 3 + 3 + a 2-pixel remainder across.
    EXPECT_EQ(SkinTiledCopy(dst.view, 0, 0, 8, 2, src.view, 0, 0, 3, 2), 1);
    const uint32_t row0[8] = {1, 2, 3, 1, 2, 3, 1, 2};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(dst.Get32(x, 0), row0[x]) << x;
    EXPECT_EQ(dst.Get32(7, 1), 0x102u);
    // Widths agree: down, with a 1-row remainder.
    dst.Fill32(0);
    EXPECT_EQ(SkinTiledCopy(dst.view, 2, 1, 3, 5, src.view, 0, 0, 3, 2), 1);
    const uint32_t col2[6] = {0, 1, 0x101, 1, 0x101, 1};
    for (int y = 0; y < 6; ++y) EXPECT_EQ(dst.Get32(2, y), col2[y]) << y;
    EXPECT_EQ(dst.Get32(5, 1), 0u);
    // Neither agrees: nothing.
    dst.Fill32(0);
    EXPECT_EQ(SkinTiledCopy(dst.view, 0, 0, 5, 5, src.view, 0, 0, 3, 2), 0);
    EXPECT_EQ(dst.Get32(0, 0), 0u);
    // Equal sizes: a plain copy of a part.
    EXPECT_EQ(SkinTiledCopy(dst.view, 6, 4, 2, 2, src.view, 1, 0, 2, 2), 1);
    EXPECT_EQ(dst.Get32(6, 4), 2u);
    EXPECT_EQ(dst.Get32(7, 5), 0x103u);
}

TEST(DrawPixels, TiledCopyRefusesWhatItCannotDoSafely) {
    Buffer src(3, 2, 32), dst(8, 6, 32), dst24(8, 6, 24);
    // A source origin past the source leaves a source of size 0: nothing, 0.
    EXPECT_EQ(SkinTiledCopy(dst.view, 0, 0, 8, 2, src.view, 3, 0, 3, 2), 0);
    EXPECT_EQ(SkinTiledCopy(dst.view, 0, 0, 8, 2, src.view, 0, 2, 3, 2), 0);
    EXPECT_EQ(SkinTiledCopy(dst.view, 8, 0, 8, 2, src.view, 0, 0, 3, 2), 0);
    EXPECT_EQ(SkinTiledCopy(dst.view, -1, 0, 8, 2, src.view, 0, 0, 3, 2), 0);
    EXPECT_EQ(SkinTiledCopy(dst.view, 0, 0, 0, 2, src.view, 0, 0, 3, 2), 0);
    EXPECT_EQ(SkinTiledCopy(dst24.view, 0, 0, 3, 2, src.view, 0, 0, 3, 2), 0);
    // Sizes past the bitmaps are cut: only the part inside is written.
    EXPECT_EQ(SkinTiledCopy(dst.view, 6, 0, 100, 2, src.view, 0, 0, 3, 2), 1);
}

TEST(DrawPixels, KeyedRecolouringPremultipliesWhatDiffers) {
    Buffer dst(4, 2, 32), src(3, 3, 32);
    dst.Fill32(0x00FF00FF);
    src.Fill32(0x00FF00FF);
    src.Put(1, 0, SkinRgb(200, 100, 50));  // stored 50, 100, 200
    EXPECT_EQ(SkinKeyedRecolour(dst.view, 1, 0, 3, 2, src.view, 0, 0, 128), 1);
    EXPECT_EQ(dst.Get32(1, 0), 0x00FF00FFu);  // same colour: left alone
    const uint8_t* p = dst.At(2, 0);
    EXPECT_EQ(p[0], 50 * 128 / 255);
    EXPECT_EQ(p[1], 100 * 128 / 255);
    EXPECT_EQ(p[2], 200 * 128 / 255);
    EXPECT_EQ(p[3], 128);
    // The block is cut to both views; 24-bit views and empty sizes are refused.
    Buffer d24(4, 2, 24);
    EXPECT_EQ(SkinKeyedRecolour(dst.view, 3, 1, 50, 50, src.view, 2, 2, 255), 1);
    EXPECT_EQ(SkinKeyedRecolour(d24.view, 0, 0, 2, 2, src.view, 0, 0, 255), 0);
    EXPECT_EQ(SkinKeyedRecolour(dst.view, 0, 0, 0, 2, src.view, 0, 0, 255), 0);
    EXPECT_EQ(SkinKeyedRecolour(dst.view, 0, 0, 2, 2, src.view, 3, 0, 255), 0);
}

TEST(DrawPixels, HBitmapCreatesOnlySoundSizes) {
    long before = SkinGraphics().LiveObjects();
    {
        CHBitmap b;
        ASSERT_TRUE(b.Create(3, 5, 24));
        EXPECT_EQ(b.Stride(), 12);
        EXPECT_EQ(b.SizeBytes(), 60u);
        EXPECT_EQ(SkinGraphics().LiveObjects(), before + 1);
        for (auto [w, h, bpp] : {std::tuple{3, 5, 16}, {0, 5, 32}, {3, -1, 32}, {8193, 1, 32}, {8192, 8192, 32}}) {
            EXPECT_FALSE(b.Create(w, h, bpp));
            EXPECT_TRUE(b.IsEmpty());
            EXPECT_EQ(b.PixelAddress(0, 0), nullptr);
        }
        EXPECT_EQ(SkinGraphics().LiveObjects(), before);
        ASSERT_TRUE(b.Create(4, 3, 32));
        CHBitmap moved(std::move(b));
        EXPECT_TRUE(b.IsEmpty());
        EXPECT_EQ(b.PixelAddress(0, 0), nullptr);
        EXPECT_FALSE(moved.IsEmpty());
    }
    EXPECT_EQ(SkinGraphics().LiveObjects(), before);
}

TEST(DrawPixels, HBitmapAddressesPixelsFromTheTopOfBottomUpRows) {
    CHBitmap b;
    ASSERT_TRUE(b.Create(5, 4, 24));
    EXPECT_EQ(b.PixelAddress(0, 0), b.Bits() + b.SizeBytes() - b.Stride());
    EXPECT_EQ(b.PixelAddress(4, 3), b.Bits() + 12);
    EXPECT_EQ(b.PixelAddress(5, 0), nullptr);
    EXPECT_EQ(b.PixelAddress(0, 4), nullptr);
    EXPECT_EQ(b.PixelAddress(-1, 0), nullptr);
    EXPECT_EQ(b.View().Row(2), b.PixelAddress(0, 2));
    b.Clear(0xFF);
    EXPECT_EQ(b.PixelAddress(4, 3)[2], 0xFF);

    // The cursor visits every pixel once, row by row.
    int visited = 0;
    ASSERT_TRUE(b.MoveTo(0, 0));
    do {
        do {
            ASSERT_EQ(b.CursorPixel(), b.PixelAddress(b.CursorX(), b.CursorY()));
            ++visited;
        } while (b.NextPixel());
    } while (b.NextRow());
    EXPECT_EQ(visited, 20);
    EXPECT_EQ(b.CursorPixel(), nullptr);
    EXPECT_FALSE(b.MoveTo(5, 0));
    EXPECT_FALSE(b.NextPixel());
}

TEST(DrawPixels, HBitmapCopiesWorkOnThirtyTwoBitsOnly) {
    CHBitmap a, b, c;
    ASSERT_TRUE(a.Create(8, 4, 32));
    ASSERT_TRUE(b.Create(2, 4, 32));
    ASSERT_TRUE(c.Create(2, 4, 24));
    b.Clear(0x7F);
    EXPECT_EQ(a.TiledCopy(0, 0, 8, 4, b, 0, 0, 2, 4), 1);
    EXPECT_EQ(a.PixelAddress(7, 3)[0], 0x7F);
    EXPECT_EQ(a.TiledCopy(0, 0, 8, 4, c, 0, 0, 2, 4), 0);
    EXPECT_EQ(a.KeyedRecolour(0, 0, 2, 4, c, 0, 0, 255), 0);
    EXPECT_EQ(SkinKeyPixelRegion(CHBitmap(), 0).get(), nullptr);
    EXPECT_NE(SkinKeyPixelRegion(c, 0).get(), nullptr);
}

}  // namespace
