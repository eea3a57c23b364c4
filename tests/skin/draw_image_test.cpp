// CSkinDrawImage on the recording canvas: which pieces each primitive and
// draw style hands to the canvas, for both storages, and the storage made
// at first use.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "skin/bmp_builder.h"
#include "skin/draw/skin_recording_canvas.h"
#include "skin/draw_test_print.h"
#include "skin/picture/skin_bitmap.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/platform/skin_graphics.h"
#include "skin/theme/skin_resource_manager.h"

namespace {

std::unique_ptr<CSkinDrawImage> Bmp(int w, int h, bmptest::Rgb color = 0x336699) {
    bmptest::BmpFormat format;
    format.width = w, format.height = h;
    std::vector<uint8_t> file = bmptest::MakeBmp(format, bmptest::Solid(w, h, color));
    file.push_back(0);  // the package pass keeps a terminating zero
    return CSkinDrawImage::FromBitmapFile(file.data(), file.size());
}

std::unique_ptr<CSkinDrawImage> Decoded(int w, int h, uint8_t alpha = 128) {
    tovane::Picture picture;
    picture.width = w, picture.height = h;
    picture.pixels.assign(static_cast<size_t>(w) * h * 4, alpha);
    picture.hasAlpha = alpha != 255;
    return CSkinDrawImage::FromPicture(std::move(picture), CSkinDrawImage::kTypePng);
}

SkinPiece Piece(SkinBlit b, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
    return SkinPiece{b, SkinBox{dx, dy, dw, dh}, SkinBox{sx, sy, sw, sh}};
}

TEST(DrawImage, EachPrimitiveHandsItsPiecesToTheCanvas) {
    auto bmp = Bmp(20, 10);
    SkinRecordingCanvas c;
    EXPECT_EQ(bmp->Draw(c, 3, 4), 1);
    EXPECT_EQ(bmp->DrawPart(c, 1, 2, 5, 6, 7, 3), 1);
    EXPECT_EQ(bmp->StretchDraw(c, 0, 0, 40, 20, 2, 2, 10, 5), 1);
    EXPECT_EQ(bmp->StretchAll(c, 10, 10, 50, 30), 1);
    EXPECT_EQ(bmp->DrawTransparent(c, -2, -3), 1);
    EXPECT_EQ(bmp->DrawPartTransparent(c, 8, 9, 18, 8, 5, 5), 1);  // cut to the picture
    std::vector<SkinPiece> expected{
        Piece(SkinBlit::Copy, 3, 4, 20, 10, 0, 0, 20, 10),
        Piece(SkinBlit::Copy, 1, 2, 7, 3, 5, 6, 7, 3),
        Piece(SkinBlit::StretchHalftone, 0, 0, 40, 20, 2, 2, 10, 5),
        Piece(SkinBlit::StretchHalftone, 10, 10, 40, 20, 0, 0, 20, 10),
        Piece(SkinBlit::Keyed, -2, -3, 20, 10, 0, 0, 20, 10),
        Piece(SkinBlit::Keyed, 8, 9, 2, 2, 18, 8, 2, 2),
    };
    EXPECT_EQ(c.AllPieces(), expected);
    for (const SkinCanvasCall& call : c.Calls()) {
        EXPECT_EQ(call.key, kSkinDefaultKey);
        EXPECT_EQ(call.source, bmp->GetBitmapHandle());
    }
    // Nothing inside the picture: nothing drawn, 0.
    c.Clear();
    EXPECT_EQ(bmp->DrawPart(c, 0, 0, 20, 0, 5, 5), 0);
    EXPECT_EQ(bmp->StretchAll(c, 10, 10, 10, 30), 0);
    EXPECT_TRUE(c.Calls().empty());
}

TEST(DrawImage, TheKeyIsTheImagesTransparentColour) {
    auto bmp = Bmp(8, 8);
    bmp->SetTransparentColor(SkinRgb(0, 255, 0));
    SkinRecordingCanvas c;
    bmp->DrawTransparent(c, 0, 0);
    ASSERT_EQ(c.Calls().size(), 1u);
    EXPECT_EQ(c.Calls()[0].key, SkinRgb(0, 255, 0));
    ASSERT_NE(bmp->GetKeyedBitmap(), nullptr);
    bmp->SetTransparentColor(SkinRgb(1, 2, 3));  // after the bitmap exists
    EXPECT_EQ(bmp->GetKeyedBitmap()->GetKey(), SkinRgb(1, 2, 3));
    EXPECT_EQ(bmp->GetColorKey(), SkinRgb(1, 2, 3));
    EXPECT_EQ(Decoded(2, 2)->GetColorKey(), SkinRgb(255, 255, 255));
}

TEST(DrawImage, DecodedPicturesBlendEveryPiece) {
    auto png = Decoded(20, 10);
    SkinRecordingCanvas c;
    png->DrawTransparent(c, 0, 0);
    png->DrawPartTransparent(c, 0, 0, 2, 2, 4, 4);
    png->StretchAll(c, 0, 0, 40, 40);
    png->Draw9Grid(c, SkinRect{0, 0, 40, 40}, SkinQuad{2, 2, 2, 2});
    for (const SkinPiece& p : c.AllPieces()) EXPECT_EQ(p.blit, SkinBlit::Blend);
    EXPECT_EQ(c.AllPieces().size(), 3u + 9u);
    EXPECT_EQ(png->DrawStripCell(c, 0, 0, 0, 2), 0);  // keyed bitmaps only
    EXPECT_EQ(c.AllPieces().size(), 12u);
}

TEST(DrawImage, OpaquePartsOfDecodedPicturesAreCopiedAtOneToOne) {
    // Opaque but for the four corner pixels.
    tovane::Picture picture;
    picture.width = 20, picture.height = 10, picture.hasAlpha = true;
    picture.pixels.assign(20 * 10 * 4, 255);
    for (int i : {0, 19, 180, 199}) picture.pixels[i * 4 + 3] = 0;
    auto png = CSkinDrawImage::FromPicture(std::move(picture), CSkinDrawImage::kTypePng);
    SkinRecordingCanvas c;
    png->Draw9Grid(c, SkinRect{0, 0, 20, 10}, SkinQuad{2, 2, 2, 2});
    std::vector<SkinPiece> pieces = c.AllPieces();
    ASSERT_EQ(pieces.size(), 9u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pieces[i].blit, SkinBlit::Blend) << i;  // the corners
    for (int i = 4; i < 9; ++i) EXPECT_EQ(pieces[i].blit, SkinBlit::Copy) << i;
    // Scaled, the opaque middle is still blended.
    c.Clear();
    png->Draw9Grid(c, SkinRect{0, 0, 40, 10}, SkinQuad{2, 2, 2, 2});
    EXPECT_EQ(c.AllPieces()[8].blit, SkinBlit::Blend);
    c.Clear();
    png->DrawPart(c, 0, 0, 1, 0, 18, 10);  // the top row's corners are outside: opaque
    EXPECT_EQ(c.AllPieces()[0].blit, SkinBlit::Copy);
    c.Clear();
    png->Draw(c, 0, 0);
    EXPECT_EQ(c.AllPieces()[0].blit, SkinBlit::Blend);
}

TEST(DrawImage, NineGridWithoutMarginsCoversWhatStretchAllCovers) {
    auto bmp = Bmp(20, 10), png = Decoded(20, 10);
    for (CSkinDrawImage* image : {bmp.get(), png.get()}) {
        SkinRecordingCanvas grid, all;
        image->Draw9Grid(grid, SkinRect{5, 6, 70, 40}, SkinQuad{});
        image->StretchAll(all, 5, 6, 70, 40);
        ASSERT_EQ(grid.AllPieces().size(), 1u);
        ASSERT_EQ(all.AllPieces().size(), 1u);
        EXPECT_EQ(grid.AllPieces()[0].dst, all.AllPieces()[0].dst);
        EXPECT_EQ(grid.AllPieces()[0].src, all.AllPieces()[0].src);
    }
}

TEST(DrawImage, DrawStylesFollowTheThemeNames) {
    EXPECT_EQ(SkinParseDrawStyle(L"bitBlt"), SkinDrawStyle::BitBlt);
    EXPECT_EQ(SkinParseDrawStyle(L"stretchBlt"), SkinDrawStyle::StretchBlt);
    EXPECT_EQ(SkinParseDrawStyle(L"draw9grid"), SkinDrawStyle::Draw9Grid);
    EXPECT_EQ(SkinParseDrawStyle(L"fill9grid"), SkinDrawStyle::Fill9Grid);
    EXPECT_EQ(SkinParseDrawStyle(L"bitStretchBlt"), SkinDrawStyle::BitStretchBlt);
    EXPECT_EQ(SkinParseDrawStyle(L"transparentBlt"), SkinDrawStyle::TransparentBlt);
    EXPECT_EQ(SkinParseDrawStyle(L"nodraw"), SkinDrawStyle::NoDraw);
    EXPECT_EQ(SkinParseDrawStyle(L"bitBltBlt"), SkinDrawStyle::BitBltBlt);
    // Exact comparison: another case or a trailing space is an unknown name.
    EXPECT_EQ(SkinParseDrawStyle(L"Draw9grid"), SkinDrawStyle::BitBlt);
    EXPECT_EQ(SkinParseDrawStyle(L"stretchBlt "), SkinDrawStyle::BitBlt);
    EXPECT_EQ(SkinParseDrawStyle(L""), SkinDrawStyle::BitBlt);

    auto bmp = Bmp(40, 20);
    SkinRect rect{100, 50, 200, 90};
    SkinStyledDraw params;
    params.border9grid = SkinQuad{3, 3, 3, 3};
    params.partOffset = SkinPair{5, 6};
    params.xSrc = 4, params.ySrc = 2, params.srcWidth = 0, params.srcHeight = 10;
    auto pieces = [&](SkinDrawStyle style) {
        SkinRecordingCanvas c;
        bmp->DrawStyled(c, style, rect, params);
        return c.AllPieces();
    };
    // srcWidth 0: from xSrc to the picture's right edge, at the item's corner.
    EXPECT_EQ(pieces(SkinDrawStyle::BitBlt),
              (std::vector<SkinPiece>{Piece(SkinBlit::Copy, 100, 50, 36, 10, 4, 2, 36, 10)}));
    EXPECT_EQ(pieces(SkinDrawStyle::NoDraw), pieces(SkinDrawStyle::BitBlt));
    EXPECT_EQ(pieces(SkinDrawStyle::TransparentBlt),
              (std::vector<SkinPiece>{Piece(SkinBlit::Keyed, 100, 50, 36, 10, 4, 2, 36, 10)}));
    EXPECT_EQ(pieces(SkinDrawStyle::StretchBlt),
              (std::vector<SkinPiece>{Piece(SkinBlit::StretchHalftone, 100, 50, 100, 40, 4, 2, 36, 10)}));
    std::vector<SkinPiece> grid = pieces(SkinDrawStyle::Draw9Grid);
    ASSERT_EQ(grid.size(), 9u);
    EXPECT_EQ(grid[0], Piece(SkinBlit::Stretch, 103, 53, 94, 34, 3, 3, 34, 14));  // whole picture's centre
    std::vector<SkinPiece> fill = pieces(SkinDrawStyle::Fill9Grid);
    ASSERT_EQ(fill.size(), 9u);
    EXPECT_EQ(fill[8], Piece(SkinBlit::Stretch, 103, 53, 94, 34, 7, 5, 30, 4));  // the source part's centre
    // bitStretchBlt, horizontal: the middle comes from the 2-pixel column at the start cap.
    std::vector<SkinPiece> three = pieces(SkinDrawStyle::BitStretchBlt);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1], Piece(SkinBlit::StretchHalftone, 105, 50, 89, 20, 5, 0, 2, 20));
}

TEST(DrawImage, WithoutStorageNothingIsDrawn) {
    // A BMP file that fails its check, and a picture that did not decode.
    const uint8_t junk[] = {'B', 'M', 1, 2, 3};
    std::vector<std::unique_ptr<CSkinDrawImage>> images;
    images.push_back(CSkinDrawImage::FromBitmapFile(junk, sizeof junk));
    images.push_back(CSkinDrawImage::FromPicture(tovane::Picture(), CSkinDrawImage::kTypePng));
    long before = SkinGraphics().LiveObjects();
    for (auto& image : images) {
        SkinRecordingCanvas c;
        EXPECT_EQ(image->GetWidth(), 0);
        EXPECT_EQ(image->GetHeight(), 0);
        EXPECT_EQ(image->GetBitmapHandle(), nullptr);
        EXPECT_EQ(image->Draw(c, 0, 0), 0);
        EXPECT_EQ(image->StretchAll(c, 0, 0, 9, 9), 0);
        EXPECT_EQ(image->Draw9Grid(c, SkinRect{0, 0, 9, 9}, SkinQuad{1, 1, 1, 1}), 0);
        EXPECT_EQ(image->DrawThreePart(c, SkinRect{0, 0, 9, 9}, 1, 1, false), 1);
        EXPECT_EQ(image->DrawStripCell(c, 0, 0, 0, 1), 0);
        EXPECT_EQ(image->DrawStyled(c, SkinDrawStyle::Draw9Grid, SkinRect{0, 0, 9, 9}, SkinStyledDraw()), 0);
        EXPECT_TRUE(c.Calls().empty());
    }
    EXPECT_EQ(SkinGraphics().LiveObjects(), before);
    ASSERT_NE(images[0]->GetKeyedBitmap(), nullptr);
    EXPECT_TRUE(images[0]->GetKeyedBitmap()->IsEmpty());
    EXPECT_EQ(images[1]->GetKeyedBitmap(), nullptr);
}

TEST(DrawImage, StripCellsOfAKeyedBitmap) {
    auto strip = Bmp(30, 10);
    SkinRecordingCanvas c;
    EXPECT_EQ(strip->DrawStripCell(c, 5, 6, 1, 3), 0);  // always 0, but drawn
    EXPECT_EQ(strip->DrawStripCell(c, 5, 6, 0, 0), 0);  // a count of 0 counts as 1
    EXPECT_EQ(strip->DrawStripCell(c, 5, 6, -1, 3), 0);
    EXPECT_EQ(c.AllPieces(), (std::vector<SkinPiece>{Piece(SkinBlit::Keyed, 5, 6, 10, 10, 10, 0, 10, 10),
                                                     Piece(SkinBlit::Keyed, 5, 6, 30, 10, 0, 0, 30, 10)}));
}

TEST(DrawImage, StorageIsMadeOnceWhenThreadsAskTogether) {
    // A BMP file makes its bitmap and the two key masks; a decoded picture one DIB section.
    using Make = std::unique_ptr<CSkinDrawImage> (*)();
    for (auto [make, objects] : {std::pair<Make, long>{+[] { return Bmp(16, 16); }, 3},
                                 std::pair<Make, long>{+[] { return Decoded(16, 16); }, 1}}) {
        auto image = make();
        long before = SkinGraphics().LiveObjects();
        std::atomic<bool> go{false};
        std::vector<HBITMAP> seen(8);
        std::vector<std::thread> threads;
        for (size_t i = 0; i < seen.size(); ++i)
            threads.emplace_back([&, i] {
                while (!go.load()) std::this_thread::yield();
                seen[i] = image->GetBitmapHandle();
            });
        go = true;
        for (std::thread& t : threads) t.join();
        EXPECT_NE(seen[0], nullptr);
        for (HBITMAP h : seen) EXPECT_EQ(h, seen[0]);
        EXPECT_EQ(SkinGraphics().LiveObjects(), before + objects);
        image.reset();
        EXPECT_EQ(SkinGraphics().LiveObjects(), before);
    }
}

TEST(DrawImage, GetImageOfTheThemePreparesABitmapAtItsFirstUse) {
    CSkinResourceManager manager;
    manager.AddImage(L"bk", Bmp(12, 8));
    manager.AddImage(L"face", Decoded(4, 4));
    long before = SkinGraphics().LiveObjects();
    EXPECT_EQ(manager.GetImage(L"missing"), nullptr);
    CSkinDrawImage* bk = manager.GetImage(L"bk");
    ASSERT_NE(bk, nullptr);
    EXPECT_EQ(manager.GetImage(L"bk"), bk);
    // Nothing is made before a draw asks: on a scaled display only the
    // resized copy of a picture is ever drawn.
    EXPECT_EQ(SkinGraphics().LiveObjects(), before);
    ASSERT_NE(bk->GetKeyedBitmap(), nullptr);
    EXPECT_EQ(bk->GetKeyedBitmap()->Width(), 12);
    EXPECT_EQ(bk->GetKeyedBitmap()->Height(), 8);
    EXPECT_EQ(SkinGraphics().LiveObjects(), before + 1);  // the bitmap
    // Plain copies need no key masks; the first keyed copy makes them, once.
    EXPECT_EQ(bk->GetPlainSurface().keyMask, nullptr);
    EXPECT_EQ(SkinGraphics().LiveObjects(), before + 1);
    EXPECT_NE(bk->GetSurface().keyMask, nullptr);
    EXPECT_NE(bk->GetSurface().keyBlack, nullptr);
    EXPECT_EQ(SkinGraphics().LiveObjects(), before + 3);
    // A decoded picture gets its GDI bitmap at the first request for it.
    CSkinDrawImage* face = manager.GetImage(L"face");
    EXPECT_EQ(SkinGraphics().LiveObjects(), before + 3);
    EXPECT_NE(face->GetBitmapHandle(), nullptr);
    EXPECT_EQ(SkinGraphics().LiveObjects(), before + 4);
}

TEST(DrawImage, KeyedBitmapsOfAnyBmpLayoutHaveTheirSizeAndRegion) {
    bmptest::BmpFormat format;
    format.width = 6, format.height = 4, format.bitsPerPixel = 8;
    std::vector<uint8_t> file = bmptest::MakeBmp(format, bmptest::Solid(6, 4, 0x123456));
    auto bitmap = CSkinBitmap::FromBmpFile(file.data(), file.size());
    EXPECT_EQ(bitmap->Width(), 6);
    EXPECT_EQ(bitmap->Height(), 4);
    EXPECT_NE(bitmap->CreateRegion(kSkinDefaultKey).get(), nullptr);
    file.resize(file.size() - 1);
    EXPECT_TRUE(CSkinBitmap::FromBmpFile(file.data(), file.size())->IsEmpty());
    EXPECT_EQ(CSkinBitmap().CreateRegion(kSkinDefaultKey).get(), nullptr);
}

}  // namespace
