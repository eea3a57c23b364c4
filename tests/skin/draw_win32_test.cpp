// The drawing primitives through GDI under Wine: solid-colour test pictures
// drawn into a 32-bit DIB section, whose pixels are read back. Exact where
// GDI is exact; HALFTONE stretching gets a small tolerance.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "image/picture.h"
#include "image/test_pictures.h"
#include "skin/bmp_builder.h"
#include "skin/picture/skin_bitmap.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/picture/skin_hbitmap.h"
#include "skin/platform/skin_gdi_canvas_win32.h"
#include "skin/platform/skin_graphics.h"
#include "support/win_test_support.h"

namespace {

using testing_support::AreaHasColor;
using testing_support::Pixels;

// Test colours as the pixel helpers take them: 0x00RRGGBB.
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;
constexpr uint32_t kMagenta = 0xFF00FF, kBackdrop = 0x203040;
constexpr int kHalftoneTolerance = 8;

// A 32-bit DIB section to draw on, filled with the backdrop colour.
struct Target {
    CHBitmap bitmap;
    std::unique_ptr<ISkinCanvas> canvas;

    Target(int w, int h) {
        EXPECT_TRUE(bitmap.Create(w, h, 32));
        Fill(kBackdrop);
        canvas = SkinGraphics().CreateBitmapCanvas(bitmap.Surface());
        EXPECT_TRUE(canvas);
    }
    void Fill(uint32_t rgb) {
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x) std::memcpy(bitmap.PixelAddress(x, y), &rgb, 4);
    }
    Pixels Read() const {
        GdiFlush();
        Pixels p;
        p.width = bitmap.Width(), p.height = bitmap.Height();
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                uint32_t v;
                std::memcpy(&v, bitmap.PixelAddress(x, y), 4);
                p.data.push_back(v & 0xFFFFFF);
            }
        return p;
    }
    uint32_t At(int x, int y) const { return Read().at(x, y); }
};

bool Area(const Pixels& p, int l, int t, int r, int b, uint32_t rgb, int tolerance, const char* name) {
    return AreaHasColor(p, RECT{l, t, r, b}, rgb, tolerance, std::string(name) + ".png");
}

std::unique_ptr<CSkinDrawImage> BmpImage(int w, int h, const std::vector<bmptest::Rgb>& pixels,
                                         bmptest::BmpFormat format = {}) {
    format.width = w, format.height = h;
    std::vector<uint8_t> file = bmptest::MakeBmp(format, pixels);
    file.push_back(0);
    return CSkinDrawImage::FromBitmapFile(file.data(), file.size());
}

std::unique_ptr<CSkinDrawImage> PngImage(int w, int h, const std::vector<bmptest::Rgb>& pixels, uint8_t alpha = 255) {
    std::vector<pictest::Rgba> rgba;
    for (bmptest::Rgb c : pixels) rgba.push_back(pictest::Rgba{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), alpha});
    std::vector<uint8_t> png = pictest::MakePng(w, h, rgba);
    return CSkinDrawImage::FromPicture(tovane::DecodePng(png.data(), png.size()), CSkinDrawImage::kTypePng);
}

// Columns of colours: (first column, colour) pairs across a w x h picture.
std::vector<bmptest::Rgb> Columns(int w, int h, std::vector<std::pair<int, bmptest::Rgb>> bands) {
    std::vector<bmptest::Rgb> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bmptest::Rgb c = 0;
            for (auto& [from, colour] : bands)
                if (x >= from) c = colour;
            px[static_cast<size_t>(y) * w + x] = c;
        }
    return px;
}

TEST(DrawWin32, KeyedCornersOfABmpNineGridShowTheTargetAPngDrawsThem) {
    auto picture = bmptest::WithCorners(bmptest::Solid(16, 16, kRed), 16, 16, kMagenta);
    SkinStyledDraw params;
    params.border9grid = SkinQuad{2, 2, 2, 2};
    SkinRect rect{4, 4, 36, 28};

    Target bmpTarget(40, 32);
    auto bmp = BmpImage(16, 16, picture);
    ASSERT_EQ(bmp->DrawStyled(*bmpTarget.canvas, SkinDrawStyle::Draw9Grid, rect, params), 1);
    Pixels p = bmpTarget.Read();
    for (auto [x, y] : {std::pair{4, 4}, {35, 4}, {4, 27}, {35, 27}}) EXPECT_EQ(p.at(x, y), kBackdrop) << x << "," << y;
    EXPECT_EQ(p.at(5, 4), kRed);
    EXPECT_EQ(p.at(4, 5), kRed);
    EXPECT_TRUE(Area(p, 6, 6, 34, 26, kRed, 0, "draw9grid_bmp"));
    EXPECT_TRUE(Area(p, 0, 0, 40, 4, kBackdrop, 0, "draw9grid_bmp_outside"));

    Target pngTarget(40, 32);
    auto png = PngImage(16, 16, picture);
    ASSERT_EQ(png->DrawStyled(*pngTarget.canvas, SkinDrawStyle::Draw9Grid, rect, params), 1);
    p = pngTarget.Read();
    for (auto [x, y] : {std::pair{4, 4}, {35, 4}, {4, 27}, {35, 27}}) EXPECT_EQ(p.at(x, y), kMagenta) << x << "," << y;
    EXPECT_TRUE(Area(p, 6, 6, 34, 26, kRed, 0, "draw9grid_png"));
}

TEST(DrawWin32, PlainCopiesAreExact) {
    auto picture = Columns(8, 4, {{0, kBlue}, {4, kGreen}});
    auto bmp = BmpImage(8, 4, picture), png = PngImage(8, 4, picture);
    for (CSkinDrawImage* image : {bmp.get(), png.get()}) {
        Target t(20, 10);
        ASSERT_EQ(image->Draw(*t.canvas, 1, 2), 1);
        ASSERT_EQ(image->DrawPart(*t.canvas, 12, 2, 3, 0, 2, 4), 1);
        Pixels p = t.Read();
        EXPECT_TRUE(Area(p, 1, 2, 5, 6, kBlue, 0, "copy_left"));
        EXPECT_TRUE(Area(p, 5, 2, 9, 6, kGreen, 0, "copy_right"));
        EXPECT_EQ(p.at(12, 3), kBlue);
        EXPECT_EQ(p.at(13, 3), kGreen);
        EXPECT_EQ(p.at(14, 3), kBackdrop);
        EXPECT_TRUE(Area(p, 0, 0, 20, 2, kBackdrop, 0, "copy_above"));
    }
}

TEST(DrawWin32, TransparentCopiesLeaveTheKeyOutOfBmpsOnly) {
    auto picture = Columns(6, 3, {{0, kMagenta}, {2, kYellow}});
    Target bmpTarget(10, 5), pngTarget(10, 5);
    auto bmp = BmpImage(6, 3, picture);
    auto png = PngImage(6, 3, picture);
    ASSERT_EQ(bmp->DrawTransparent(*bmpTarget.canvas, 0, 0), 1);
    ASSERT_EQ(png->DrawTransparent(*pngTarget.canvas, 0, 0), 1);
    EXPECT_TRUE(Area(bmpTarget.Read(), 0, 0, 2, 3, kBackdrop, 0, "keyed_bmp_key"));
    EXPECT_TRUE(Area(bmpTarget.Read(), 2, 0, 6, 3, kYellow, 0, "keyed_bmp_rest"));
    EXPECT_TRUE(Area(pngTarget.Read(), 0, 0, 2, 3, kMagenta, 0, "keyed_png"));
    // Another key colour, set by the theme.
    bmp->SetTransparentColor(SkinRgb(255, 255, 0));
    Target other(10, 5);
    ASSERT_EQ(bmp->DrawPartTransparent(*other.canvas, 0, 0, 0, 0, 6, 3), 1);
    EXPECT_TRUE(Area(other.Read(), 0, 0, 2, 3, kMagenta, 0, "keyed_other_key"));
    EXPECT_TRUE(Area(other.Read(), 2, 0, 6, 3, kBackdrop, 0, "keyed_other_rest"));
}

TEST(DrawWin32, KeyedCopiesThroughMasksMatchTransparentBlt) {
    // Scattered key pixels; a 9-grid whose corners overlap, and a scaled piece.
    std::vector<bmptest::Rgb> px;
    uint32_t seed = 7;
    for (int i = 0; i < 64; ++i) {
        seed = seed * 1664525u + 1013904223u;
        px.push_back((seed >> 24) % 3 == 0 ? kMagenta : (seed >> 8) & 0xFFFFFF);
    }
    auto bmp = BmpImage(8, 8, px);
    SkinSurface masked = bmp->GetSurface();
    ASSERT_NE(masked.keyMask, nullptr);
    SkinSurface plain = masked;
    plain.keyMask = plain.keyBlack = nullptr;
    std::vector<SkinPiece> pieces;
    for (const SkinPiece& p :
         SkinNineGrid(SkinSourceKind::KeyedBitmap, 8, 8, SkinRect{2, 2, 8, 8}, SkinQuad{4, 4, 4, 4}))
        pieces.push_back(p);
    pieces.push_back(SkinPiece{SkinBlit::Keyed, SkinBox{10, 0, 16, 16}, SkinBox{0, 0, 8, 8}});
    pieces.push_back(SkinPiece{SkinBlit::Keyed, SkinBox{0, 12, 8, 8}, SkinBox{0, 0, 8, 8}});
    Target viaMasks(30, 20), viaTransparentBlt(30, 20);
    EXPECT_EQ(viaMasks.canvas->DrawPieces(masked, pieces.data(), static_cast<int>(pieces.size())),
              static_cast<int>(pieces.size()));
    EXPECT_EQ(viaTransparentBlt.canvas->DrawPieces(plain, pieces.data(), static_cast<int>(pieces.size())),
              static_cast<int>(pieces.size()));
    Pixels a = viaMasks.Read(), b = viaTransparentBlt.Read();
    int differ = 0;
    for (size_t i = 0; i < a.data.size(); ++i) differ += a.data[i] != b.data[i];
    EXPECT_EQ(differ, 0);
    if (differ) {
        testing_support::WritePng(a, "masked_keyed.png");
        testing_support::WritePng(b, "transparentblt_keyed.png");
    }
    // The masks serve only the key they were made for: with another key the
    // magenta pixels are drawn.
    viaMasks.Fill(kBackdrop);
    viaMasks.canvas->DrawPieces(masked, &pieces.back(), 1, SkinRgb(1, 2, 3));
    size_t magenta = 0;
    while (px[magenta] != kMagenta) ++magenta;
    EXPECT_EQ(viaMasks.At(static_cast<int>(magenta % 8), 12 + static_cast<int>(magenta / 8)), kMagenta);
}

TEST(DrawWin32, DecodedPicturesBlendWithTheirAlpha) {
    Target t(4, 4);
    t.Fill(0x000000);
    auto png = PngImage(2, 2, bmptest::Solid(2, 2, 0xFFFFFF), 128);
    ASSERT_EQ(png->Draw(*t.canvas, 0, 0), 1);
    uint32_t mixed = t.At(0, 0);
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 128, 2);
    EXPECT_EQ(t.At(3, 3), 0u);
}

TEST(DrawWin32, StretchesAndTheNineGridWithoutMarginsCoverTheSameArea) {
    auto solid = bmptest::Solid(5, 5, kGreen);
    auto bmp = BmpImage(5, 5, solid);
    Target all(40, 30), grid(40, 30);
    ASSERT_EQ(bmp->StretchAll(*all.canvas, 3, 4, 33, 24), 1);
    ASSERT_EQ(bmp->Draw9Grid(*grid.canvas, SkinRect{3, 4, 33, 24}, SkinQuad{}), 1);
    for (const Target* t : {&all, &grid}) {
        Pixels p = t->Read();
        EXPECT_TRUE(Area(p, 3, 4, 33, 24, kGreen, kHalftoneTolerance, "stretch_inside"));
        EXPECT_TRUE(Area(p, 0, 0, 40, 4, kBackdrop, 0, "stretch_above"));
        EXPECT_TRUE(Area(p, 33, 0, 40, 30, kBackdrop, 0, "stretch_right"));
    }
    // The halftone mode is the caller's again afterwards.
    int mode = SetStretchBltMode(all.canvas->Dc(), COLORONCOLOR);
    ASSERT_EQ(bmp->StretchDraw(*all.canvas, 0, 0, 20, 20, 0, 0, 5, 5), 1);
    EXPECT_EQ(GetStretchBltMode(all.canvas->Dc()), COLORONCOLOR);
    SetStretchBltMode(all.canvas->Dc(), mode);
}

TEST(DrawWin32, BitStretchBltStretchesTheTwoPixelColumnAfterTheStartCap) {
    // Caps of 5: blue start, yellow end; the column at 5 is green, the rest
    // of the middle red. Only green may show between the caps.
    auto picture = Columns(20, 8, {{0, kBlue}, {5, kGreen}, {7, kRed}, {15, kYellow}});
    auto bmp = BmpImage(20, 8, picture);
    Target t(60, 10);
    SkinStyledDraw params;
    params.partOffset = SkinPair{5, 5};
    ASSERT_EQ(bmp->DrawStyled(*t.canvas, SkinDrawStyle::BitStretchBlt, SkinRect{0, 0, 60, 8}, params), 1);
    Pixels p = t.Read();
    EXPECT_TRUE(Area(p, 0, 0, 5, 8, kBlue, 0, "three_start"));
    EXPECT_TRUE(Area(p, 5, 0, 55, 8, kGreen, kHalftoneTolerance, "three_middle"));
    EXPECT_TRUE(Area(p, 55, 0, 60, 8, kYellow, 0, "three_end"));
    EXPECT_TRUE(Area(p, 0, 8, 60, 10, kBackdrop, 0, "three_below"));
}

TEST(DrawWin32, SourceWidthZeroDrawsToThePicturesRightEdge) {
    auto picture = Columns(10, 4, {{0, kBlue}, {3, kGreen}});
    auto bmp = BmpImage(10, 4, picture);
    Target t(30, 6);
    SkinStyledDraw params;
    params.xSrc = 3;  // srcWidth and srcHeight 0
    ASSERT_EQ(bmp->DrawStyled(*t.canvas, SkinDrawStyle::BitBlt, SkinRect{2, 1, 30, 6}, params), 1);
    Pixels p = t.Read();
    EXPECT_TRUE(Area(p, 2, 1, 9, 5, kGreen, 0, "srcwidth0_drawn"));
    EXPECT_TRUE(Area(p, 9, 0, 30, 6, kBackdrop, 0, "srcwidth0_rest"));
}

TEST(DrawWin32, EveryBmpLayoutReachesTheScreenWithItsColours) {
    auto picture = Columns(6, 3, {{0, kRed}, {2, kGreen}, {4, kBlue}});
    std::vector<bmptest::BmpFormat> formats(6);
    formats[0].bitsPerPixel = 8;
    formats[1].bitsPerPixel = 8, formats[1].rle8 = true;
    formats[2].bitsPerPixel = 16, formats[2].bitfields = true;
    formats[3].bitsPerPixel = 4, formats[3].coreHeader = true;
    formats[4].bitsPerPixel = 32, formats[4].bitfields = true, formats[4].headerSize = 124;
    formats[5].topDown = true;
    for (const bmptest::BmpFormat& format : formats) {
        auto bmp = BmpImage(6, 3, picture, format);
        Target t(6, 3);
        ASSERT_EQ(bmp->Draw(*t.canvas, 0, 0), 1) << format.bitsPerPixel;
        Pixels p = t.Read();
        EXPECT_TRUE(Area(p, 0, 0, 2, 3, kRed, 0, "layout_red")) << format.bitsPerPixel;
        EXPECT_TRUE(Area(p, 2, 0, 4, 3, kGreen, 0, "layout_green")) << format.bitsPerPixel;
        EXPECT_TRUE(Area(p, 4, 0, 6, 3, kBlue, 0, "layout_blue")) << format.bitsPerPixel;
    }
}

TEST(DrawWin32, RegionOfABitmapWithoutKeyPixelsIsEveryRowWhole) {
    bmptest::BmpFormat format;
    format.width = 7, format.height = 5;
    std::vector<uint8_t> file = bmptest::MakeBmp(format, bmptest::Solid(7, 5, kGreen));
    auto bitmap = CSkinBitmap::FromBmpFile(file.data(), file.size());
    SkinRegion region = bitmap->CreateRegion(kSkinDefaultKey);
    ASSERT_TRUE(region);
    HRGN whole = CreateRectRgn(0, 0, 7, 5);
    EXPECT_TRUE(EqualRgn(region.get(), whole));
    DeleteObject(whole);

    // With key pixels, exactly those are left out.
    std::vector<bmptest::Rgb> px = bmptest::Solid(7, 5, kGreen);
    px[1 * 7 + 2] = kMagenta;
    px[4 * 7 + 6] = kMagenta;
    file = bmptest::MakeBmp(format, px);
    bitmap = CSkinBitmap::FromBmpFile(file.data(), file.size());
    region = bitmap->CreateRegion(kSkinDefaultKey);
    ASSERT_TRUE(region);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(PtInRegion(region.get(), x, y) != FALSE, px[y * 7 + x] != kMagenta) << x << "," << y;
    RECT box{};
    GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.right, 7);
    EXPECT_EQ(box.bottom, 5);
}

TEST(DrawWin32, KeyPixelRegionOfAnHBitmapBuildsTheColourFromItsBytes) {
    // 4 x 2 at 24 bits: rows of exactly 12 bytes, and the top row's last
    // pixel is the last in memory.
    CHBitmap b;
    ASSERT_TRUE(b.Create(4, 2, 24));
    auto put = [&](int x, int y, uint8_t blue, uint8_t green, uint8_t red) {
        uint8_t* p = b.PixelAddress(x, y);
        p[0] = blue, p[1] = green, p[2] = red;
    };
    put(3, 0, 0, 0, 255);  // red
    put(0, 1, 255, 0, 0);  // blue
    SkinRegion red = SkinKeyPixelRegion(b, SkinRgb(255, 0, 0));
    ASSERT_TRUE(red);
    EXPECT_TRUE(PtInRegion(red.get(), 3, 0));
    EXPECT_FALSE(PtInRegion(red.get(), 0, 1));
    EXPECT_FALSE(PtInRegion(red.get(), 2, 0));
    SkinRegion none = SkinKeyPixelRegion(b, SkinRgb(1, 2, 3));
    ASSERT_TRUE(none);
    RECT box{};
    EXPECT_EQ(GetRgnBox(none.get(), &box), NULLREGION);
}

TEST(DrawWin32, DrawingTenThousandTimesLeavesNoObjectBehind) {
    const long start = SkinGraphics().LiveObjects();
    {
        auto bmp = BmpImage(8, 8, bmptest::WithCorners(bmptest::Solid(8, 8, kRed), 8, 8, kMagenta));
        auto png = PngImage(8, 8, bmptest::Solid(8, 8, kGreen), 200);
        Target t(32, 32);
        SkinRect r{1, 1, 30, 30};
        SkinQuad m{2, 2, 2, 2};
        SkinStyledDraw params;
        auto drawAll = [&](CSkinDrawImage& image, int i) {
            ISkinCanvas& c = *t.canvas;
            int last = image.Draw(c, 1, 1) & image.DrawPart(c, 2, 2, 1, 1, 4, 4) &
                       image.StretchDraw(c, 0, 0, 20, 20, 0, 0, 8, 8) & image.StretchAll(c, 1, 1, 30, 30) &
                       image.DrawTransparent(c, 3, 3) & image.DrawPartTransparent(c, 3, 3, 0, 0, 5, 5) &
                       image.Draw9Grid(c, r, m) & image.Draw9GridPart(c, r, m, SkinRect{0, 0, 8, 8}) &
                       image.DrawThreePart(c, r, 2, 2, i % 2 == 0) &
                       image.DrawStyled(c, SkinDrawStyle::Fill9Grid, r, params);
            image.DrawStripCell(c, 0, 0, i % 4, 4);
            return last;
        };
        // The first rounds make each image's storage and the composed
        // results of the lists it draws again; count from there.
        for (CSkinDrawImage* image : {bmp.get(), png.get()})
            for (int i = 0; i < 4; ++i) drawAll(*image, i);
        const long before = SkinGraphics().LiveObjects();
        for (CSkinDrawImage* image : {bmp.get(), png.get()}) {
            int last = 0;
            for (int i = 0; i < 10000; ++i) last = drawAll(*image, i);
            EXPECT_EQ(last, 1);  // still drawing: no handle table ran out
            EXPECT_EQ(SkinGraphics().LiveObjects(), before);
        }
        // Regions and the pixel reads behind them are freed too.
        for (int i = 0; i < 2000; ++i) bmp->GetKeyedBitmap()->CreateRegion(kSkinDefaultKey);
        EXPECT_EQ(SkinGraphics().LiveObjects(), before);
    }
    // The images take their bitmaps and composed results along; at most the
    // idle DCs of the source pool stay for the process.
    EXPECT_LE(SkinGraphics().LiveObjects(), start + 4);
}

TEST(DrawWin32, DrawingGivesTheSourceBitmapBack) {
    auto bmp = BmpImage(4, 4, bmptest::Solid(4, 4, kRed));
    Target t(8, 8);
    ASSERT_EQ(bmp->Draw(*t.canvas, 0, 0), 1);
    // A bitmap sits in one DC at a time: it must be free again.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp->GetBitmapHandle());
    EXPECT_NE(old, nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_TRUE(bmp->GetKeyedBitmap()->CreateRegion(kSkinDefaultKey));
}

TEST(DrawWin32, CanvasFillsLinesTextAndPixels) {
    Target t(40, 30);
    ISkinCanvas& c = *t.canvas;
    c.FillSolid(SkinRect{0, 0, 10, 10}, SkinRgb(255, 0, 0));
    c.GradientFill(SkinRect{10, 0, 30, 10}, SkinRgb(0, 0, 0), SkinRgb(0, 0, 255), false);
    SkinPen pen = SkinGraphics().CreatePen(0, 1, SkinRgb(0, 255, 0));
    c.Line(0, 12, 20, 12, pen.get());
    c.RoundRect(SkinRect{22, 12, 38, 28}, 0, 0, pen.get(), SkinGraphics().NullBrush());
    const uint32_t pixels[4] = {0x00FFFF00, 0x00FFFF00, 0x00FFFF00, 0x00FFFF00};
    c.DrawPixels(SkinBox{0, 20, 2, 2}, reinterpret_cast<const uint8_t*>(pixels), 8);
    SkinRect measured{0, 0, 0, 0};
    int height = c.DrawText(measured, L"Skin", kSkinDtCalcRect | kSkinDtSingleLine, 0, nullptr);
    EXPECT_GT(height, 0);
    EXPECT_GT(measured.right, 0);
    SkinRect textRect{0, 24, 40, 30};
    c.DrawText(textRect, L"WWWW", kSkinDtSingleLine, SkinRgb(255, 255, 255), nullptr);
    Pixels p = t.Read();
    EXPECT_TRUE(Area(p, 0, 0, 10, 10, kRed, 0, "canvas_fill"));
    EXPECT_NEAR(static_cast<int>(p.at(10, 5) & 0xFF), 0, 16);
    EXPECT_NEAR(static_cast<int>(p.at(29, 5) & 0xFF), 255, 16);
    EXPECT_TRUE(Area(p, 0, 12, 20, 13, kGreen, 0, "canvas_line"));
    EXPECT_EQ(p.at(22, 12), kGreen);
    EXPECT_EQ(p.at(30, 20), kBackdrop);  // hollow inside
    EXPECT_TRUE(Area(p, 0, 20, 2, 22, kYellow, 0, "canvas_pixels"));
    int white = 0;
    for (int y = 24; y < 30; ++y)
        for (int x = 0; x < 40; ++x) white += p.at(x, y) == 0xFFFFFF;
    EXPECT_GT(white, 0);
    // Copies between canvases.
    Target copy(40, 30);
    EXPECT_TRUE(copy.canvas->CopyFrom(c, SkinBox{0, 0, 10, 10}, 0, 0));
    EXPECT_TRUE(Area(copy.Read(), 0, 0, 10, 10, kRed, 0, "canvas_copy"));
}

}  // namespace
