// The display scale in the drawing layer: layouts placed at a scale (from
// either edge, or centred), picture margins cut at scaled edges, pictures
// resized by area averaging with their key kept hard, and CSkinDrawImage
// drawing its copy for the canvas's scale with pieces that meet exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "image/bmp_file.h"
#include "skin/bmp_builder.h"
#include "skin/draw/skin_recording_canvas.h"
#include "skin/draw/skin_scale.h"
#include "skin/draw_test_print.h"
#include "skin/picture/skin_bitmap.h"
#include "skin/picture/skin_draw_image.h"
#include "skin/picture/skin_resample.h"
#include "skin/platform/skin_graphics.h"

namespace {

const SkinScale k100(96), k125(120), k150(144), k175(168), k200(192);

// ---- layouts ------------------------------------------------------------------

TEST(DrawScale, ItemsArePlacedFromTheirEdgeAtTheScale) {
    const SkinRect parent{0, 0, 761, 351};
    // The close button: 40 wide, 40 from the right edge; at 150 % it ends
    // at the right edge exactly and is 60 wide.
    SkinLayout close{-40, 0, 0, 0, 40, 23};
    EXPECT_EQ(SkinItemRect(close, parent, k150), (SkinRect{701, 0, 761, 35}));
    // 77 from the right: 115.5 rounds away from zero, to the same edge as +77.
    SkinLayout minimise{-77, 0, 0, 0, 37, 23};
    EXPECT_EQ(SkinItemRect(minimise, parent, k150), (SkinRect{645, 0, 701, 35}));
    // Centred: the scaled size, centred.
    SkinLayout centred{kSkinCentered, 0, kSkinCentered, 0, 300, 38};
    EXPECT_EQ(SkinItemRect(centred, parent, k150), (SkinRect{155, 147, 605, 204}));
    // Without a width, the far edge counts from its own parent edge.
    SkinLayout stretched{10, -10, 5, -5, 0, 0};
    EXPECT_EQ(SkinItemRect(stretched, parent, k125), (SkinRect{13, 6, 748, 345}));
    // At 96 DPI nothing moves.
    EXPECT_EQ(SkinItemRect(close, parent, k100), SkinItemRect(close, parent));
    EXPECT_EQ(SkinItemRect(close, SkinRect{0, 0, 503, 230}), (SkinRect{463, 0, 503, 23}));
}

TEST(DrawScale, ItemsThatMeetAt96DpiStillMeet) {
    // Five 5-pixel items side by side: scaled by their own sizes they would
    // leave gaps at 125 % (6 + 6 + ... ), scaled by their edges they meet.
    const SkinRect parent{0, 0, 400, 100};
    for (const SkinScale& scale : {k125, k150, k175, k200}) {
        int previousRight = 0;
        for (int i = 0; i < 5; ++i) {
            SkinLayout item{5 * i, 0, 0, 0, 5, 5};
            const SkinRect r = SkinItemRect(item, parent, scale);
            EXPECT_EQ(r.left, previousRight) << "item " << i << " at " << scale.Dpi();
            previousRight = r.right;
        }
        EXPECT_EQ(previousRight, scale.Scale(25));
        // The same from the right edge.
        int previousLeft = 400;
        for (int i = 1; i <= 5; ++i) {
            SkinLayout item{-5 * i, 0, 0, 0, 5, 5};
            const SkinRect r = SkinItemRect(item, parent, scale);
            EXPECT_EQ(r.right, previousLeft) << "item " << i << " from the right at " << scale.Dpi();
            previousLeft = r.left;
        }
    }
}

TEST(DrawScale, ControlsArePlacedLikeItemsAndKeepTheirSentinels) {
    const SkinRect parent{0, 0, 1006, 460};
    SkinRect placed;
    ASSERT_TRUE(SkinControlRect(SkinLayout{-40, 0, 0, 0, 40, 23}, parent, &placed, k200));
    EXPECT_EQ(placed, (SkinRect{926, 0, 1006, 46}));
    // A layout that asks for nothing stays where it is at every scale.
    EXPECT_FALSE(SkinControlRect(SkinLayout{0, 0, 0, 0, 300, 38}, parent, &placed, k175));
    // A large offset that scales to the centring value is still an offset.
    ASSERT_TRUE(SkinControlRect(SkinLayout{8000, 0, 0, 0, 10, 10}, SkinRect{0, 0, 20000, 10}, &placed, k125));
    EXPECT_EQ(placed.left, 10000);
}

TEST(DrawScale, PictureMarginsAreCutAtScaledEdges) {
    // A 399 x 42 face with 2-pixel margins at 150 %: the scaled face is
    // 599 x 63; its left margin ends at 3 and its right one starts at 596.
    const SkinRect face{0, 0, 399, 42};
    const SkinQuad m = SkinScalePictureMargins(k150, face, SkinQuad{2, 2, 2, 2});
    EXPECT_EQ(m, (SkinQuad{3, 3, 3, 3}));
    const SkinQuad odd = SkinScalePictureMargins(k125, SkinRect{0, 0, 509, 233}, SkinQuad{15, 15, 15, 15});
    // 509 at 125 % is 636; its right margin is 636 - round(494 * 1.25) = 18.
    EXPECT_EQ(odd, (SkinQuad{19, 19, 18, 18}));
    // Of a part of the picture, from the part's own edges.
    const SkinQuad part = SkinScalePictureMargins(k175, SkinRect{2, 25, 507, 231}, SkinQuad{13, 0, 13, 13});
    EXPECT_EQ(part.left, k175.Scale(15) - k175.Scale(2));
    EXPECT_EQ(part.bottom, k175.Scale(231) - k175.Scale(218));
    EXPECT_EQ(SkinScalePictureMargins(k150, face, SkinQuad{-4, 0, 0, 0}).left, 0);
    // Pens: as the theme gives them at 96 DPI, scaled from at least 1 elsewhere.
    EXPECT_EQ(SkinScaledPenWidth(k100, 0), 0);
    EXPECT_EQ(SkinScaledPenWidth(k150, 0), 2);
    EXPECT_EQ(SkinScaledPenWidth(k200, 3), 6);
    EXPECT_EQ(SkinScrollBarWidth(k150), 24);
}

// ---- resizing pictures ---------------------------------------------------------

tovane::Picture Picture(int w, int h, const std::vector<uint32_t>& bgra) {
    tovane::Picture p;
    p.width = w, p.height = h;
    for (uint32_t px : bgra)
        for (int c = 0; c < 4; ++c) p.pixels.push_back(static_cast<uint8_t>(px >> (8 * c)));
    return p;
}

uint32_t PixelAt(const tovane::Picture& p, int x, int y) {
    const uint8_t* q = p.Row(y) + x * 4;
    return q[0] | q[1] << 8 | q[2] << 16 | static_cast<uint32_t>(q[3]) << 24;
}

TEST(DrawScale, DoublingCopiesEveryPixelAndOddScalesBlendNeighbours) {
    const tovane::Picture src = Picture(2, 1, {0xFF000000, 0xFFFFFFFF});  // opaque black, white
    const tovane::Picture doubled = SkinResamplePicture(src, 4, 2);
    ASSERT_EQ(doubled.width, 4);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(PixelAt(doubled, 0, y), 0xFF000000u);
        EXPECT_EQ(PixelAt(doubled, 1, y), 0xFF000000u);
        EXPECT_EQ(PixelAt(doubled, 2, y), 0xFFFFFFFFu);
        EXPECT_EQ(PixelAt(doubled, 3, y), 0xFFFFFFFFu);
    }
    EXPECT_FALSE(doubled.hasAlpha);
    // At 150 % the middle pixel covers half of each: an even blend.
    const tovane::Picture wider = SkinResamplePicture(src, 3, 1);
    EXPECT_EQ(PixelAt(wider, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(wider, 1, 0), 0xFF808080u);
    EXPECT_EQ(PixelAt(wider, 2, 0), 0xFFFFFFFFu);
    // Smaller: an average of everything under each pixel, never a sample.
    const tovane::Picture smaller =
        SkinResamplePicture(Picture(4, 1, {0xFF000000, 0xFF000000, 0xFF0000FF, 0xFF0000FF}), 1, 1);
    EXPECT_EQ(PixelAt(smaller, 0, 0), 0xFF000080u);
    // Down a column of five greys into two: each pixel the average of the
    // two and a half rows under it, the middle row shared.
    const tovane::Picture column = SkinResamplePicture(
        Picture(1, 5, {0xFF000000, 0xFF323232, 0xFF646464, 0xFF969696, 0xFFC8C8C8}), 1, 2);  // 0, 50 ... 200
    ASSERT_EQ(column.height, 2);
    EXPECT_EQ(PixelAt(column, 0, 0), 0xFF282828u);  // (2 x 0 + 2 x 50 + 100) / 5 = 40
    EXPECT_EQ(PixelAt(column, 0, 1), 0xFFA0A0A0u);  // (100 + 2 x 150 + 2 x 200) / 5 = 160
}

TEST(DrawScale, TheResizesDivisionIsExactForEveryNumeratorItMeets) {
    // Quotients just below and at each whole number are where a reciprocal
    // rounded the wrong way shows; the divisors include primes, powers of
    // two and the largest taken the fast way.
    const uint64_t last = SkinDivider::kExactBelow - 1;
    for (uint64_t d :
         {uint64_t{1}, uint64_t{2}, uint64_t{3}, uint64_t{7}, uint64_t{255}, uint64_t{256}, uint64_t{509 * 233},
          uint64_t{65521}, uint64_t{1} << 24, uint64_t{16777213}, last - 2, last, last + 1, uint64_t{1} << 40}) {
        const SkinDivider divide(d);
        for (uint64_t q = 0; q <= 256; ++q) {
            for (uint64_t n : {q * d, q * d + d / 2, q * d + d - 1}) {
                if (n > 256 * d) continue;
                ASSERT_EQ(divide(n), n / d) << n << " / " << d;
            }
        }
    }
}

TEST(DrawScale, PremultipliedPicturesStayPremultipliedAndTransparentPixelsLendNoColour) {
    // A transparent pixel (premultiplied: all zero) beside opaque red.
    const tovane::Picture src = Picture(2, 2, {0x00000000, 0xFFFF0000, 0x00000000, 0xFFFF0000});
    for (const SkinScale& scale : {k125, k150, k175, k200}) {
        const tovane::Picture out = SkinResamplePicture(src, scale.Scale(2), scale.Scale(2));
        ASSERT_FALSE(out.Empty());
        EXPECT_TRUE(out.hasAlpha);
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                const uint32_t p = PixelAt(out, x, y);
                const int alpha = p >> 24, red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
                ASSERT_LE(red, alpha) << x << "," << y;  // never brighter than its coverage
                ASSERT_EQ(green, 0);
                ASSERT_EQ(blue, 0);
                ASSERT_EQ(red, alpha) << "red, partly covered, is still pure red";
            }
        }
    }
}

TEST(DrawScale, KeyedBitmapsKeepAHardKeyWithoutAFringe) {
    // A row: key, key, border grey, white; scaled, each output pixel is the
    // key or a colour of the picture's non-key pixels, never a blend with
    // magenta, and the key keeps its share.
    const uint32_t key = SkinRgb(255, 0, 255);
    auto bgrx = [](uint8_t r, uint8_t g, uint8_t b) { return std::vector<uint8_t>{b, g, r, 0}; };
    std::vector<uint8_t> row;
    for (auto px : {bgrx(255, 0, 255), bgrx(255, 0, 255), bgrx(128, 146, 170), bgrx(255, 255, 255)})
        row.insert(row.end(), px.begin(), px.end());
    for (const SkinScale& scale : {k125, k150, k175, k200}) {
        const int w = scale.Scale(4);
        const std::vector<uint8_t> out = SkinResampleKeyed(row.data(), row.size(), 4, 1, key, w, 1);
        ASSERT_EQ(out.size(), static_cast<size_t>(w) * 4);
        int keyed = 0;
        for (int x = 0; x < w; ++x) {
            const uint8_t b = out[x * 4], g = out[x * 4 + 1], r = out[x * 4 + 2];
            if (r == 255 && g == 0 && b == 255) {
                ++keyed;
                continue;
            }
            EXPECT_LT(std::abs(r - g), 60) << "a magenta tint at " << x << " of " << w;  // greys only
        }
        EXPECT_NEAR(keyed, scale.Scale(2), 1) << "at " << scale.Dpi();
    }
    // Too short a block, or too large a result: nothing.
    EXPECT_TRUE(SkinResampleKeyed(row.data(), row.size() - 1, 4, 1, key, 8, 2).empty());
    EXPECT_TRUE(SkinResamplePicture(Picture(1, 1, {0xFF000000}), kSkinMaxScaledSide + 1, 1).Empty());
}

// ---- CSkinDrawImage at a scale ----------------------------------------------------

std::unique_ptr<CSkinDrawImage> Decoded(int w, int h) {
    tovane::Picture picture;
    picture.width = w, picture.height = h;
    picture.pixels.assign(static_cast<size_t>(w) * h * 4, 255);
    return CSkinDrawImage::FromPicture(std::move(picture), CSkinDrawImage::kTypePng);
}

std::unique_ptr<CSkinDrawImage> Bmp(int w, int h) {
    bmptest::BmpFormat format;
    format.width = w, format.height = h;
    std::vector<uint8_t> file = bmptest::MakeBmp(format, bmptest::Solid(w, h, 0x336699));
    return CSkinDrawImage::FromBitmapFile(file.data(), file.size());
}

// True when the pieces' destinations cover `dst` exactly once.
bool TileExactly(const std::vector<SkinPiece>& pieces, const SkinRect& dst) {
    std::vector<int> cover(static_cast<size_t>(dst.Width()) * dst.Height(), 0);
    for (const SkinPiece& p : pieces) {
        for (int y = p.dst.y; y < p.dst.y + p.dst.h; ++y) {
            for (int x = p.dst.x; x < p.dst.x + p.dst.w; ++x) {
                if (!dst.Contains(x, y)) return false;
                ++cover[static_cast<size_t>(y - dst.top) * dst.Width() + (x - dst.left)];
            }
        }
    }
    return std::all_of(cover.begin(), cover.end(), [](int c) { return c == 1; });
}

TEST(DrawScale, AKeyedBitmapsCopyHoldsItsResizedRowsInItsBitmap) {
    // Rows that differ top to bottom and left to right, with keyed corners:
    // a copy whose rows came out flipped, shifted or short shows here.
    const int w = 30, h = 20;
    const uint32_t key = SkinRgb(255, 0, 255);
    std::vector<bmptest::Rgb> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(static_cast<bmptest::Rgb>(y * 12 << 16 | x * 8 << 8 | 40));
    pixels = bmptest::WithCorners(std::move(pixels), w, h, 0xFF00FF);
    bmptest::BmpFormat format;
    format.width = w, format.height = h;
    const std::vector<uint8_t> file = bmptest::MakeBmp(format, pixels);
    auto image = CSkinDrawImage::FromBitmapFile(file.data(), file.size());
    SkinBmpInfo info;
    std::vector<uint8_t> decoded;
    ASSERT_TRUE(SkinCheckBmp(file.data(), file.size(), &info) && SkinDecodeBmpPixels(file.data(), info, &decoded));
    for (const SkinScale& scale : {k125, k150, k200}) {
        SCOPED_TRACE(scale.Dpi());
        const long before = SkinGraphics().LiveObjects();
        CSkinDrawImage* copy = image->ForScale(scale);
        ASSERT_NE(copy, image.get());
        EXPECT_EQ(SkinGraphics().LiveObjects(), before + 1) << "one bitmap, made with the copy";
        EXPECT_TRUE(copy->IsBitmapFile());
        EXPECT_TRUE(copy->FileBytes().empty());
        EXPECT_EQ(copy->GetTransparentColor(), image->GetTransparentColor());
        const int cw = scale.Scale(w), ch = scale.Scale(h);
        EXPECT_EQ(copy->GetWidth(), cw);
        EXPECT_EQ(copy->GetHeight(), ch);
        CSkinBitmap* keyed = copy->GetKeyedBitmap();
        ASSERT_NE(keyed, nullptr);
        ASSERT_NE(keyed->Bits(), nullptr);
        EXPECT_EQ(keyed->Width(), cw);
        EXPECT_EQ(keyed->Height(), ch);
        EXPECT_EQ(image->GetKeyedBitmap()->Bits(), nullptr) << "a bitmap from a file keeps no pixels of its own";
        // The bitmap's rows bottom-up are the resized picture's top-down.
        const std::vector<uint8_t> expected = SkinResampleKeyed(decoded.data(), decoded.size(), w, h, key, cw, ch);
        ASSERT_EQ(expected.size(), static_cast<size_t>(cw) * ch * 4);
        const size_t row = static_cast<size_t>(cw) * 4;
        for (int y = 0; y < ch; ++y)
            ASSERT_TRUE(std::equal(expected.begin() + y * row, expected.begin() + (y + 1) * row,
                                   keyed->Bits() + static_cast<size_t>(ch - 1 - y) * row))
                << "row " << y;
        // The top left corner stays key.
        const uint8_t* topLeft = keyed->Bits() + static_cast<size_t>(ch - 1) * row;
        EXPECT_EQ(topLeft[0], 255);
        EXPECT_EQ(topLeft[1], 0);
        EXPECT_EQ(topLeft[2], 255);
    }
    // Resizing into a caller's block writes nothing when it refuses.
    std::vector<uint8_t> work = decoded, out(16, 0xAB);
    EXPECT_FALSE(SkinResampleKeyedInto(work.data(), work.size(), w, h, key, kSkinMaxScaledSide + 1, 1, out.data(), 4));
    EXPECT_FALSE(SkinResampleKeyedInto(work.data(), work.size() - 1, w, h, key, 2, 2, out.data(), 8));
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 0xAB; }));
    EXPECT_EQ(work, decoded);
}

TEST(DrawScale, NineGridsDrawTheScaledCopyWithScaledCornersAndNoGap) {
    for (auto make : {&Decoded, &Bmp}) {
        auto image = make(509, 233);
        for (const SkinScale& scale : {k125, k150, k175, k200}) {
            SCOPED_TRACE(scale.Dpi());
            SkinRecordingCanvas canvas;
            canvas.SetScale(scale);
            const SkinRect dst{0, 0, scale.Scale(507), scale.Scale(230)};
            ASSERT_EQ(image->Draw9Grid(canvas, dst, SkinQuad{15, 15, 15, 15}), 1);
            CSkinDrawImage* copy = image->ForScale(scale);
            ASSERT_NE(copy, image.get());
            EXPECT_EQ(copy->ForScale(scale), copy) << "a copy is not scaled again";
            EXPECT_EQ(image->ForScale(scale), copy) << "one copy per DPI";
            EXPECT_EQ(copy->GetWidth(), scale.Scale(509));
            EXPECT_EQ(copy->ScaledDpi(), scale.Dpi());
            for (const SkinCanvasCall& call : canvas.Calls()) EXPECT_EQ(call.source, copy->GetBitmapHandle());
            const std::vector<SkinPiece> pieces = canvas.AllPieces();
            EXPECT_TRUE(TileExactly(pieces, dst)) << "the pieces leave a gap or overlap";
            // Each corner of the destination is a piece copied 1:1 from the
            // copy, about 15 pixels scaled on each side.
            const int corner = scale.Scale(15);
            for (const SkinPair at : {SkinPair{dst.left, dst.top}, SkinPair{dst.right - 1, dst.top},
                                      SkinPair{dst.left, dst.bottom - 1}, SkinPair{dst.right - 1, dst.bottom - 1}}) {
                const auto piece = std::find_if(pieces.begin(), pieces.end(), [&](const SkinPiece& p) {
                    return at.x >= p.dst.x && at.x < p.dst.x + p.dst.w && at.y >= p.dst.y && at.y < p.dst.y + p.dst.h;
                });
                ASSERT_NE(piece, pieces.end());
                EXPECT_EQ(piece->src.w, piece->dst.w) << "corner at " << at.x << "," << at.y << " is stretched";
                EXPECT_EQ(piece->src.h, piece->dst.h);
                EXPECT_NEAR(piece->dst.w, corner, 1);
                EXPECT_NEAR(piece->dst.h, corner, 1);
            }
        }
    }
}

TEST(DrawScale, AStyledDrawAtAScaleMakesOnlyTheCopysStorage) {
    for (auto make : {&Decoded, &Bmp}) {
        auto image = make(40, 23);
        const long before = SkinGraphics().LiveObjects();
        SkinRecordingCanvas canvas;
        canvas.SetScale(k150);
        SkinStyledDraw params;
        params.srcWidth = 40, params.srcHeight = 23;
        ASSERT_EQ(image->DrawStyled(canvas, SkinDrawStyle::StretchBlt, SkinRect{0, 0, 90, 50}, params), 1);
        for (const SkinCanvasCall& call : canvas.Calls())
            EXPECT_EQ(call.source, image->ForScale(k150)->GetBitmapHandle());
        // The copy's bitmap (and a BMP's key masks, made just above); the
        // 96-DPI picture has none.
        EXPECT_EQ(SkinGraphics().LiveObjects(), before + (make == &Bmp ? 3 : 1));
    }
}

TEST(DrawScale, PartsAndPositionedDrawsUseTheCopyAtTheirScaledSize) {
    auto image = Decoded(40, 23);
    SkinRecordingCanvas canvas;
    canvas.SetScale(k150);
    image->DrawTransparent(canvas, 694, 0);
    image->DrawPart(canvas, 10, 10, 5, 5, 10, 10);
    const std::vector<SkinPiece> pieces = canvas.AllPieces();
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].dst, (SkinBox{694, 0, 60, 35}));
    EXPECT_EQ(pieces[0].src, (SkinBox{0, 0, 60, 35}));
    EXPECT_EQ(pieces[1].src, (SkinBox{8, 8, 15, 15}));  // edges 5..15 scaled to 8..23
    EXPECT_EQ(pieces[1].dst, (SkinBox{10, 10, 15, 15}));
    EXPECT_EQ(image->ScaledSize(k150), (SkinSize{60, 35}));

    // At 96 DPI the theme's picture itself, as before.
    SkinRecordingCanvas plain;
    image->DrawTransparent(plain, 463, 0);
    ASSERT_EQ(plain.Calls().size(), 1u);
    EXPECT_EQ(plain.Calls()[0].source, image->GetBitmapHandle());
    EXPECT_EQ(plain.AllPieces()[0].dst, (SkinBox{463, 0, 40, 23}));
}

}  // namespace
