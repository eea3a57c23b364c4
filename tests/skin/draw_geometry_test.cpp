// Piece lists of the drawing primitives and the placement rules, compared
// exactly.
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

#include "skin/draw/skin_geometry.h"
#include "skin/draw_test_print.h"

namespace {

using P = SkinPiece;
constexpr SkinBlit kStretch = SkinBlit::Stretch, kKeyed = SkinBlit::Keyed, kCopy = SkinBlit::Copy,
                   kBlend = SkinBlit::Blend, kHalftone = SkinBlit::StretchHalftone;

std::vector<SkinPiece> List(const SkinPieces& pieces) { return std::vector<SkinPiece>(pieces.begin(), pieces.end()); }

P Piece(SkinBlit b, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
    return P{b, SkinBox{dx, dy, dw, dh}, SkinBox{sx, sy, sw, sh}};
}

// A 20 x 10 picture, margins (3, 2, 4, 1), into (100, 50)-(150, 80).
const SkinRect kDst{100, 50, 150, 80};
const SkinQuad kMargins{3, 2, 4, 1};
const P kCentre = Piece(kStretch, 103, 52, 43, 27, 3, 2, 13, 7);
const P kLeft = Piece(kStretch, 100, 52, 3, 27, 0, 2, 3, 7);
const P kTop = Piece(kStretch, 103, 50, 43, 2, 3, 0, 13, 2);
const P kRight = Piece(kStretch, 146, 52, 4, 27, 16, 2, 4, 7);
const P kBottom = Piece(kStretch, 103, 79, 43, 1, 3, 9, 13, 1);
const P kTL = Piece(kKeyed, 100, 50, 3, 2, 0, 0, 3, 2);
const P kTR = Piece(kKeyed, 146, 50, 4, 2, 16, 0, 4, 2);
const P kBR = Piece(kKeyed, 146, 79, 4, 1, 16, 9, 4, 1);
const P kBL = Piece(kKeyed, 100, 79, 3, 1, 0, 9, 3, 1);

P As(SkinBlit b, P p) {
    p.blit = b;
    return p;
}

TEST(DrawGeometry, NineGridOfAKeyedBitmapStretchesTheMiddleThenKeysTheCorners) {
    std::vector<P> expected{kCentre, kLeft, kTop, kRight, kBottom, kTL, kTR, kBR, kBL};
    EXPECT_EQ(List(SkinNineGrid(SkinSourceKind::KeyedBitmap, 20, 10, kDst, kMargins)), expected);
}

TEST(DrawGeometry, NineGridOfADecodedPictureBlendsCornersFirstAndTheCentreLast) {
    std::vector<P> expected{As(kBlend, kTL),    As(kBlend, kTR),     As(kBlend, kBL),
                            As(kBlend, kBR),    As(kBlend, kLeft),   As(kBlend, kTop),
                            As(kBlend, kRight), As(kBlend, kBottom), As(kBlend, kCentre)};
    EXPECT_EQ(List(SkinNineGrid(SkinSourceKind::Decoded, 20, 10, kDst, kMargins)), expected);
}

TEST(DrawGeometry, NineGridWithoutMarginsIsOneStretchOfTheWholePicture) {
    std::vector<P> expected{Piece(kStretch, 100, 50, 50, 30, 0, 0, 20, 10)};
    EXPECT_EQ(List(SkinNineGrid(SkinSourceKind::KeyedBitmap, 20, 10, kDst, SkinQuad{})), expected);
    // Negative margins count as none.
    EXPECT_EQ(List(SkinNineGrid(SkinSourceKind::KeyedBitmap, 20, 10, kDst, SkinQuad{-1, -1, -1, -1})), expected);
}

TEST(DrawGeometry, NineGridSmallerThanItsMarginsKeepsFullCornersAndDropsTheMiddle) {
    // 10 wide with margins 8 + 8: the middle would be -6 wide.
    std::vector<P> expected{
        Piece(kStretch, 0, 2, 8, 6, 0, 2, 8, 6), Piece(kStretch, 2, 2, 8, 6, 12, 2, 8, 6),
        Piece(kKeyed, 0, 0, 8, 2, 0, 0, 8, 2),   Piece(kKeyed, 2, 0, 8, 2, 12, 0, 8, 2),
        Piece(kKeyed, 2, 8, 8, 2, 12, 8, 8, 2),  Piece(kKeyed, 0, 8, 8, 2, 0, 8, 8, 2),
    };
    EXPECT_EQ(List(SkinNineGrid(SkinSourceKind::KeyedBitmap, 20, 10, SkinRect{0, 0, 10, 10}, SkinQuad{8, 2, 8, 2})),
              expected);
}

TEST(DrawGeometry, PiecesReachingPastThePictureAreCutToIt) {
    // Margins wider than the 10 x 10 picture: the corners would read past
    // its right and bottom edges. A 1:1 piece loses the same pixels from its
    // destination; a scaled one keeps its scale.
    SkinPieces pieces =
        SkinNineGrid(SkinSourceKind::KeyedBitmap, 10, 10, SkinRect{0, 0, 40, 40}, SkinQuad{15, 15, 0, 0});
    std::vector<P> got = List(pieces);
    // Centre, top and left read from x or y 15 of a 10-pixel picture: gone.
    // The top-left corner (15 x 15 at 1:1) keeps its 10 x 10 part.
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], Piece(kKeyed, 0, 0, 10, 10, 0, 0, 10, 10));

    SkinPieces scaled;
    scaled.Add(kStretch, SkinBox{0, 0, 40, 20}, SkinBox{-5, 0, 20, 10}, 10, 10);
    ASSERT_EQ(scaled.Count(), 1);
    EXPECT_EQ(scaled[0], Piece(kStretch, 10, 0, 20, 20, 0, 0, 10, 10));
}

TEST(DrawGeometry, NineGridOfPartCutsTheSourceRectangleInEitherOrder) {
    // Source (5, 4)-(25, 16) of a 30 x 20 picture, margins (2, 3, 4, 1).
    SkinRect dst{0, 0, 40, 30}, src{5, 4, 25, 16};
    SkinQuad m{2, 3, 4, 1};
    P top = Piece(kStretch, 2, 0, 34, 3, 7, 4, 14, 3);
    P right = Piece(kStretch, 36, 3, 4, 26, 21, 7, 4, 8);
    P bottom = Piece(kStretch, 2, 29, 34, 1, 7, 15, 14, 1);
    P left = Piece(kStretch, 0, 3, 2, 26, 5, 7, 2, 8);
    P tl = Piece(kCopy, 0, 0, 2, 3, 5, 4, 2, 3);
    P tr = Piece(kCopy, 36, 0, 4, 3, 21, 4, 4, 3);
    P br = Piece(kCopy, 36, 29, 4, 1, 21, 15, 4, 1);
    P bl = Piece(kCopy, 0, 29, 2, 1, 5, 15, 2, 1);
    P centre = Piece(kStretch, 2, 3, 34, 26, 7, 7, 14, 8);
    EXPECT_EQ(List(SkinNineGridPart(SkinSourceKind::KeyedBitmap, 30, 20, dst, m, src)),
              (std::vector<P>{top, right, bottom, left, tl, tr, br, bl, centre}));
    EXPECT_EQ(List(SkinNineGridPart(SkinSourceKind::KeyedBitmap, 30, 20, dst, m, src, SkinGridOrder::CentreFirst)),
              (std::vector<P>{centre, left, top, right, bottom, tl, tr, bl, br}));
    for (const P& p : SkinNineGridPart(SkinSourceKind::Decoded, 30, 20, dst, m, src)) EXPECT_EQ(p.blit, kBlend);
}

TEST(DrawGeometry, ThreePartOfAKeyedBitmap) {
    // Horizontal: the middle is stretched from the 2-pixel column at the start cap.
    EXPECT_EQ(List(SkinThreePart(SkinSourceKind::KeyedBitmap, 40, 10, SkinRect{0, 0, 100, 20}, 5, 6, false)),
              (std::vector<P>{Piece(kKeyed, 0, 0, 5, 10, 0, 0, 5, 10), Piece(kHalftone, 5, 0, 89, 10, 5, 0, 2, 10),
                              Piece(kKeyed, 94, 0, 6, 10, 34, 0, 6, 10)}));
    // Vertical: from the whole middle, at most the picture's width across.
    EXPECT_EQ(List(SkinThreePart(SkinSourceKind::KeyedBitmap, 10, 40, SkinRect{0, 0, 8, 100}, 5, 6, true)),
              (std::vector<P>{Piece(kKeyed, 0, 0, 8, 5, 0, 0, 8, 5), Piece(kHalftone, 0, 5, 8, 89, 0, 5, 8, 29),
                              Piece(kKeyed, 0, 94, 8, 6, 0, 34, 8, 6)}));
}

TEST(DrawGeometry, ThreePartOfADecodedPictureIsANineGridWithHalfTheCrossSize) {
    EXPECT_EQ(List(SkinThreePart(SkinSourceKind::Decoded, 40, 10, SkinRect{0, 0, 100, 20}, 5, 6, false)),
              List(SkinNineGrid(SkinSourceKind::Decoded, 40, 10, SkinRect{0, 0, 100, 10}, SkinQuad{5, 5, 6, 5})));
    EXPECT_EQ(List(SkinThreePart(SkinSourceKind::Decoded, 9, 40, SkinRect{3, 0, 50, 100}, 5, 6, true)),
              List(SkinNineGrid(SkinSourceKind::Decoded, 9, 40, SkinRect{3, 0, 12, 100}, SkinQuad{4, 5, 4, 6})));
}

TEST(DrawGeometry, StripCells) {
    SkinPiece p;
    // A count below 1 counts as 1: the whole strip.
    ASSERT_TRUE(SkinStripCell(30, 10, 4, 5, 0, 0, &p));
    EXPECT_EQ(p, Piece(kKeyed, 4, 5, 30, 10, 0, 0, 30, 10));
    ASSERT_TRUE(SkinStripCell(30, 10, 4, 5, 2, 3, &p));
    EXPECT_EQ(p, Piece(kKeyed, 4, 5, 10, 10, 20, 0, 10, 10));
    EXPECT_FALSE(SkinStripCell(30, 10, 0, 0, 3, 3, &p));   // past the strip
    EXPECT_FALSE(SkinStripCell(30, 10, 0, 0, -1, 3, &p));  // negative index
    EXPECT_FALSE(SkinStripCell(2, 10, 0, 0, 0, 3, &p));    // cells of width 0
    EXPECT_FALSE(SkinStripCell(0, 0, 0, 0, 0, 1, &p));
}

TEST(DrawGeometry, SourceRectangleOfAnImageItem) {
    // srcWidth 0 (or anything not inside the picture) reaches the right edge.
    EXPECT_EQ(SkinNormaliseSource(40, 20, 6, 2, 0, 0), (SkinBox{6, 2, 34, 18}));
    EXPECT_EQ(SkinNormaliseSource(40, 20, 6, 2, 40, 25), (SkinBox{6, 2, 34, 18}));
    EXPECT_EQ(SkinNormaliseSource(40, 20, 6, 2, -3, -1), (SkinBox{6, 2, 34, 18}));
    EXPECT_EQ(SkinNormaliseSource(40, 20, 6, 2, 39, 19), (SkinBox{6, 2, 39, 19}));
}

TEST(DrawGeometry, ItemRectangles) {
    SkinRect parent{0, 0, 100, 50};
    SkinLayout l;
    l.left = -10, l.width = 8, l.top = 5, l.height = 4;
    EXPECT_EQ(SkinItemRect(l, parent), (SkinRect{90, 5, 98, 9}));
    l = SkinLayout{};
    l.left = kSkinCentered, l.width = 100, l.top = 3, l.height = 10;
    EXPECT_EQ(SkinItemRect(l, SkinRect{0, 0, 300, 40}).left, 100);
    // Without a size: a right or bottom <= 0 counts from the far edge, a
    // positive one from the near edge; a child's parent is its group.
    l = SkinLayout{};
    l.left = 2, l.top = 3, l.right = -5, l.bottom = 0;
    EXPECT_EQ(SkinItemRect(l, SkinRect{10, 20, 110, 70}), (SkinRect{12, 23, 105, 70}));
    l.right = 40, l.bottom = 30;
    EXPECT_EQ(SkinItemRect(l, SkinRect{10, 20, 110, 70}), (SkinRect{12, 23, 50, 50}));
    // A negative width is no width for an item.
    l.width = -4;
    EXPECT_EQ(SkinItemRect(l, SkinRect{10, 20, 110, 70}).right, 50);
    l.top = kSkinCentered, l.height = 10;
    EXPECT_EQ(SkinItemRect(l, SkinRect{10, 20, 110, 70}).top, 40);
}

TEST(DrawGeometry, ControlRectangles) {
    SkinRect frame{0, 0, 509, 253}, placed;
    SkinLayout close;
    close.left = -40, close.top = 0, close.width = 40, close.height = 23;
    ASSERT_TRUE(SkinControlRect(close, frame, &placed));
    EXPECT_EQ(placed, (SkinRect{469, 0, 509, 23}));
    // The caption button keeps its distance from the right edge on resize.
    ASSERT_TRUE(SkinControlRect(close, SkinRect{0, 0, 700, 300}, &placed));
    EXPECT_EQ(placed.left, 660);
    // Nothing to place when left, top, right and bottom are all 0.
    SkinLayout none;
    none.width = 30, none.height = 10;
    EXPECT_FALSE(SkinControlRect(none, frame, &placed));
    // Unlike an item, a negative width counts.
    SkinLayout back;
    back.left = 50, back.top = 10, back.width = -20, back.right = 5, back.height = 5;
    ASSERT_TRUE(SkinControlRect(back, frame, &placed));
    EXPECT_EQ(placed, (SkinRect{50, 10, 30, 15}));
    EXPECT_EQ(SkinItemRect(back, frame).right, 5);
}

TEST(DrawGeometry, HostileNumbersNeitherOverflowNorCrash) {
    // Theme values are whatever the file says; under UBSan any overflow fails.
    SkinLayout l;
    l.left = INT_MAX - 1, l.width = INT_MAX, l.top = INT_MIN, l.height = INT_MAX, l.right = INT_MIN;
    SkinRect r = SkinItemRect(l, SkinRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    SkinRect placed;
    SkinControlRect(l, SkinRect{INT_MIN, 0, INT_MAX, INT_MAX}, &placed);
    (void)r;
    SkinQuad huge{INT_MAX, INT_MAX, INT_MIN, INT_MAX};
    SkinRect wide{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    for (SkinSourceKind kind : {SkinSourceKind::KeyedBitmap, SkinSourceKind::Decoded}) {
        for (const P& p : SkinNineGrid(kind, 8192, 8192, wide, huge)) {
            EXPECT_GT(p.dst.w, 0);
            EXPECT_GT(p.src.w, 0);
            EXPECT_LE(int64_t{p.src.x} + p.src.w, 8192);
        }
        SkinNineGridPart(kind, 100, 100, wide, huge, wide);
        SkinThreePart(kind, 100, 100, wide, INT_MAX, INT_MIN, false);
        SkinThreePart(kind, 100, 100, wide, INT_MIN, INT_MAX, true);
    }
    SkinNormaliseSource(10, 10, INT_MIN, INT_MIN, 0, 0);
    SkinPiece p;
    SkinStripCell(INT_MAX, 1, INT_MAX, INT_MAX, INT_MAX - 1, INT_MAX, &p);
}

}  // namespace
