// Frame geometry: kinds, client areas, the first size adjustment, frame
// bitmap pieces, hit tests and the region cut from the picture's key.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/windows/controls/skin_frame_geometry.h"

namespace {

// The installer's dialog: WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME.
constexpr uint32_t kDialogStyle = 0x80000000u | kSkinWsCaption | 0x00080000u | kSkinDsModalFrame;

SkinFrameMetrics Installer() {
    SkinFrameMetrics m;
    m.borderWidth = SkinQuad{2, 2, 2, 2};
    m.borderOffset = SkinQuad{15, 15, 15, 15};
    return m;
}

TEST(SkinFrameGeometry, Kinds) {
    EXPECT_EQ(SkinFrameKind(kDialogStyle, 0, false), kSkinFrameCaption);
    EXPECT_EQ(SkinFrameKind(kDialogStyle, kSkinWsExToolWindow, false), kSkinFrameToolCaption);
    EXPECT_EQ(SkinFrameKind(kSkinWsBorder, 0, false), kSkinFrameBorder);  // one caption bit is a border
    EXPECT_EQ(SkinFrameKind(kSkinWsThickFrame, 0, false), kSkinFrameBorder);
    EXPECT_EQ(SkinFrameKind(0, kSkinWsExClientEdge, false), kSkinFrameBorder);
    EXPECT_EQ(SkinFrameKind(0x80000000u, 0, false), kSkinFrameNone);
    EXPECT_EQ(SkinFrameKind(kDialogStyle, 0, true), kSkinFrameNone);  // a maximised MDI child
}

TEST(SkinFrameGeometry, ClientAreaTakesTheSkinsBordersAndCaption) {
    SkinFrameMetrics m = Installer();
    SkinRect window{100, 50, 607, 284};
    EXPECT_EQ(SkinFrameClientRect(kSkinFrameCaption, kDialogStyle, 0, window, m), (SkinRect{102, 52, 605, 282}));
    m.captionHeight = 30;
    EXPECT_EQ(SkinFrameClientRect(kSkinFrameCaption, kDialogStyle, 0, window, m), (SkinRect{102, 82, 605, 282}));
    // Without both caption bits the caption height does not count.
    EXPECT_EQ(SkinFrameClientRect(kSkinFrameBorder, kSkinWsBorder, 0, window, m), (SkinRect{102, 52, 605, 282}));
    // Menu rows below the caption; scroll bars the skin draws take 16 pixels.
    m.menuRows = 1;
    m.menuRowHeight = 19;
    EXPECT_EQ(SkinFrameClientRect(kSkinFrameCaption, kDialogStyle | kSkinWsVScroll | kSkinWsHScroll, 0, window, m),
              (SkinRect{102, 101, 589, 266}));
    EXPECT_EQ(
        SkinFrameClientRect(kSkinFrameCaption, kDialogStyle | kSkinWsVScroll, kSkinWsExLeftScrollBar, window, m).left,
        118);
    // Kind 0 keeps the whole window less the menu; hostile sizes never
    // turn the client inside out.
    EXPECT_EQ(SkinFrameClientRect(kSkinFrameNone, 0, 0, window, m), (SkinRect{100, 69, 607, 284}));
    m.borderWidth = SkinQuad{400, 400, 400, 400};
    SkinRect tiny = SkinFrameClientRect(kSkinFrameCaption, kDialogStyle, 0, window, m);
    EXPECT_GE(tiny.Width(), 0);
    EXPECT_GE(tiny.Height(), 0);
}

TEST(SkinFrameGeometry, FirstSizeAdjustmentSwapsTheSystemFrameForTheSkins) {
    // A 3-pixel dialog frame and a 19-pixel caption (Wine's metrics).
    SkinSize adjusted = SkinFirstSizeAdjustment(SkinSize{509, 253}, Installer(), 3, 19);
    EXPECT_EQ(adjusted, (SkinSize{509 - 2 * (3 - 2), 253 - 19}));
    SkinFrameMetrics captioned = Installer();
    captioned.captionHeight = 24;
    EXPECT_EQ(SkinFirstSizeAdjustment(SkinSize{509, 253}, captioned, 3, 19), (SkinSize{507, 258}));
}

TEST(SkinFrameGeometry, BandsAndFrameBitmapPieces) {
    SkinFrameMetrics m = Installer();
    SkinFrameBands b = SkinFrameBandRects(507, 234, m);
    EXPECT_EQ(b.top, (SkinRect{0, 0, 507, 2}));
    EXPECT_EQ(b.left, (SkinRect{0, 2, 2, 232}));
    EXPECT_EQ(b.right, (SkinRect{505, 2, 507, 232}));
    EXPECT_EQ(b.bottom, (SkinRect{0, 232, 507, 234}));

    // A 509 x 233 picture on a 507 x 234 window: the edges come from the
    // picture's edges between the corner blocks, tiled; corners 1:1.
    std::vector<SkinPiece> pieces = SkinFrameBitmapPieces(507, 234, 509, 233, m);
    ASSERT_FALSE(pieces.empty());
    for (const SkinPiece& p : pieces) {
        EXPECT_EQ(p.blit, SkinBlit::Copy);
        EXPECT_EQ(p.dst.w, p.src.w);
        EXPECT_EQ(p.dst.h, p.src.h);
        EXPECT_GE(p.src.x, 0);
        EXPECT_GE(p.src.y, 0);
        EXPECT_LE(p.src.x + p.src.w, 509);
        EXPECT_LE(p.src.y + p.src.h, 233);
        EXPECT_LE(p.dst.x + p.dst.w, 507);
        EXPECT_LE(p.dst.y + p.dst.h, 234);
    }
    // Left edge: 234 - 30 rows from a 203-row segment: one tile and a remainder.
    EXPECT_EQ(pieces[0], (SkinPiece{SkinBlit::Copy, SkinBox{0, 15, 2, 203}, SkinBox{0, 15, 2, 203}}));
    EXPECT_EQ(pieces[1], (SkinPiece{SkinBlit::Copy, SkinBox{505, 15, 2, 203}, SkinBox{507, 15, 2, 203}}));
    EXPECT_EQ(pieces[2], (SkinPiece{SkinBlit::Copy, SkinBox{0, 218, 2, 1}, SkinBox{0, 15, 2, 1}}));
    // The bottom-right corner comes last, from the picture's own corner.
    EXPECT_EQ(pieces.back(), (SkinPiece{SkinBlit::Copy, SkinBox{492, 219, 15, 15}, SkinBox{494, 218, 15, 15}}));
    // Hostile offsets larger than the picture give no piece outside it.
    m.borderOffset = SkinQuad{1000, 1000, 1000, 1000};
    for (const SkinPiece& p : SkinFrameBitmapPieces(50, 50, 20, 20, m)) {
        EXPECT_LE(p.src.x + p.src.w, 20);
        EXPECT_LE(p.src.y + p.src.h, 20);
    }
}

// Paints pieces into a w x h grid of source points (y << 16 | x), the
// picture's pixel each one shows, clipped like a bitmap; a stretched piece
// maps its destination onto its source by proportion.
std::vector<uint32_t> PaintPieces(const std::vector<SkinPiece>& pieces, int w, int h) {
    std::vector<uint32_t> grid(static_cast<size_t>(w) * h, 0xFFFFFFFF);
    for (const SkinPiece& p : pieces)
        for (int y = std::max(0, p.dst.y); y < std::min(h, p.dst.y + p.dst.h); ++y)
            for (int x = std::max(0, p.dst.x); x < std::min(w, p.dst.x + p.dst.w); ++x) {
                const int sx = p.src.x + (x - p.dst.x) * p.src.w / p.dst.w;
                const int sy = p.src.y + (y - p.dst.y) * p.src.h / p.dst.h;
                grid[static_cast<size_t>(y) * w + x] = static_cast<uint32_t>(sy) << 16 | static_cast<uint32_t>(sx);
            }
    return grid;
}

TEST(SkinFrameGeometry, EachBandsPiecesGiveThatBandOfTheWholeFrame) {
    // The installer's metrics at 96 and 150 %, a captioned frame with a
    // stretched caption strip, and frames smaller than their picture.
    SkinFrameMetrics captioned = Installer();
    captioned.borderWidth = SkinQuad{4, 3, 5, 6};
    captioned.captionHeight = 24;
    captioned.captionOffset = SkinPair{30, 40};
    struct Case {
        SkinFrameMetrics m;
        int W, H, IW, IH;
    };
    for (const Case& c : {Case{Installer(), 507, 234, 509, 233}, Case{Installer(), 760, 351, 764, 350},
                          Case{captioned, 400, 300, 120, 90}, Case{captioned, 60, 50, 120, 90}}) {
        SCOPED_TRACE(std::to_string(c.W) + " x " + std::to_string(c.H));
        const std::vector<SkinPiece> pieces = SkinFrameBitmapPieces(c.W, c.H, c.IW, c.IH, c.m);
        const std::vector<uint32_t> whole = PaintPieces(pieces, c.W, c.H);
        const SkinFrameBands b = SkinFrameBandRects(c.W, c.H, c.m);
        for (const SkinRect& band : {b.top, b.left, b.right, b.bottom}) {
            if (band.IsEmpty()) continue;
            const std::vector<SkinPiece> inBand = SkinPiecesInBand(pieces, band);
            for (const SkinPiece& p : inBand)
                if (p.dst.w == p.src.w && p.dst.h == p.src.h) {  // 1:1 copies stay inside the band
                    EXPECT_GE(p.dst.x, 0);
                    EXPECT_GE(p.dst.y, 0);
                    EXPECT_LE(p.dst.x + p.dst.w, band.Width());
                    EXPECT_LE(p.dst.y + p.dst.h, band.Height());
                }
            const std::vector<uint32_t> painted = PaintPieces(inBand, band.Width(), band.Height());
            for (int y = 0; y < band.Height(); ++y)
                for (int x = 0; x < band.Width(); ++x)
                    ASSERT_EQ(painted[static_cast<size_t>(y) * band.Width() + x],
                              whole[static_cast<size_t>(band.top + y) * c.W + band.left + x])
                        << "at " << band.left + x << "," << band.top + y;
        }
    }
}

TEST(SkinFrameGeometry, HitTest) {
    SkinFrameHitInput in;
    in.width = 300;
    in.height = 200;
    in.metrics = Installer();
    in.metrics.captionHeight = 20;
    in.client = SkinRect{2, 22, 298, 198};
    in.captionButtons = true;
    in.close = SkinRect{260, 2, 298, 20};
    EXPECT_EQ(SkinFrameHitTest(in, 100, 100), kSkinHtClient);
    EXPECT_EQ(SkinFrameHitTest(in, 270, 10), kSkinHtClose);
    EXPECT_EQ(SkinFrameHitTest(in, 100, 10), -1);  // not resizable: the system answers
    in.resizable = true;
    EXPECT_EQ(SkinFrameHitTest(in, 100, 10), kSkinHtCaption);
    EXPECT_EQ(SkinFrameHitTest(in, 0, 0), kSkinHtTopLeft);
    EXPECT_EQ(SkinFrameHitTest(in, 299, 1), kSkinHtTopRight);
    EXPECT_EQ(SkinFrameHitTest(in, 1, 197), kSkinHtBottomLeft);  // lower corners reach twice the border up
    EXPECT_EQ(SkinFrameHitTest(in, 3, 198), kSkinHtBottomLeft);  // and in
    EXPECT_EQ(SkinFrameHitTest(in, 298, 197), kSkinHtBottomRight);
    EXPECT_EQ(SkinFrameHitTest(in, 296, 199), kSkinHtBottomRight);
    EXPECT_EQ(SkinFrameHitTest(in, 100, 0), kSkinHtTop);
    EXPECT_EQ(SkinFrameHitTest(in, 0, 100), kSkinHtLeft);
    EXPECT_EQ(SkinFrameHitTest(in, 299, 100), kSkinHtRight);
    EXPECT_EQ(SkinFrameHitTest(in, 100, 199), kSkinHtBottom);
    // The system's own caption parts do nothing on a skinned frame.
    for (int code : {5, 8, 9, 20, 21}) EXPECT_EQ(SkinFilterSystemHit(code), kSkinHtNowhere);
    EXPECT_EQ(SkinFilterSystemHit(kSkinHtCaption), kSkinHtCaption);
}

// A picture whose pixels are all `fill`, 3 bytes each, rows padded to 4.
struct Picture24 {
    int width, height, stride;
    std::vector<uint8_t> bytes;
    Picture24(int w, int h, uint32_t fill) : width(w), height(h), stride((w * 3 + 3) & ~3) {
        bytes.assign(static_cast<size_t>(stride) * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Set(x, y, fill);
    }
    void Set(int x, int y, uint32_t color) {
        uint8_t* p = &bytes[static_cast<size_t>(y) * stride + x * 3];
        p[0] = static_cast<uint8_t>(color >> 16);  // blue
        p[1] = static_cast<uint8_t>(color >> 8);
        p[2] = static_cast<uint8_t>(color);  // red
    }
    SkinPixelRows Rows() const { return SkinPixelRows{bytes.data(), width, height, stride, 3}; }
};

TEST(SkinFrameGeometry, RoundCornersCutOnlyTheKeyPixelsOfTheCornerBlocks) {
    const uint32_t magenta = SkinRgb(255, 0, 255);
    Picture24 picture(40, 30, SkinRgb(10, 20, 30));
    // The four corner pixels, one pixel beside the top-left one, and one in
    // the middle of the top edge, outside the corner blocks.
    for (auto xy : {std::pair{0, 0}, {1, 0}, {39, 0}, {0, 29}, {39, 29}, {20, 0}})
        picture.Set(xy.first, xy.second, magenta);
    std::vector<SkinRect> cuts = SkinRoundCornerCuts(picture.Rows(), magenta, 100, 80, SkinQuad{5, 5, 5, 5});
    // Blocks are placed at the window's corners: the picture's (39, 0)
    // lands at (99, 0), its (0, 29) at (0, 79).
    std::vector<SkinRect> expected = {{0, 0, 2, 1}, {99, 0, 100, 1}, {0, 79, 1, 80}, {99, 79, 100, 80}};
    EXPECT_EQ(cuts, expected);
    // The same pixels stored bottom-up (a DIB section's), read from the top
    // row with a negative stride, cut the same.
    std::vector<uint8_t> bottomUp;
    for (int y = picture.height - 1; y >= 0; --y)
        bottomUp.insert(bottomUp.end(), picture.bytes.begin() + static_cast<ptrdiff_t>(y) * picture.stride,
                        picture.bytes.begin() + static_cast<ptrdiff_t>(y + 1) * picture.stride);
    const SkinPixelRows flipped{bottomUp.data() + static_cast<ptrdiff_t>(picture.height - 1) * picture.stride,
                                picture.width, picture.height, -picture.stride, 3};
    EXPECT_EQ(SkinRoundCornerCuts(flipped, magenta, 100, 80, SkinQuad{5, 5, 5, 5}), expected);

    std::vector<SkinRect> region = SkinWindowRegionRects(100, 80, cuts);
    auto inside = [&](int x, int y) {
        for (const SkinRect& r : region)
            if (r.Contains(x, y)) return true;
        return false;
    };
    EXPECT_FALSE(inside(0, 0));
    EXPECT_FALSE(inside(1, 0));
    EXPECT_FALSE(inside(99, 79));
    EXPECT_TRUE(inside(2, 0));
    EXPECT_TRUE(inside(50, 0));  // the edge's middle stays
    EXPECT_TRUE(inside(50, 40));
    // Rows without cuts merge into one band between the two cut rows.
    EXPECT_EQ(region.size(), 3u);
}

TEST(SkinFrameGeometry, CutsNeverReadOutsideThePicture) {
    const uint32_t magenta = SkinRgb(255, 0, 255);
    Picture24 small(3, 2, magenta);
    // Corner blocks far larger than the picture and the window.
    std::vector<SkinRect> cuts = SkinRoundCornerCuts(small.Rows(), magenta, 4, 4, SkinQuad{50, 50, 50, 50});
    for (const SkinRect& c : cuts) {
        EXPECT_GE(c.left, 0);
        EXPECT_LE(c.right, 4);
        EXPECT_GE(c.top, 0);
        EXPECT_LE(c.bottom, 4);
    }
    uint32_t color = 0;
    EXPECT_FALSE(small.Rows().ColorAt(3, 0, &color));
    EXPECT_FALSE(small.Rows().ColorAt(0, -1, &color));
    EXPECT_TRUE(small.Rows().ColorAt(2, 1, &color));
    EXPECT_EQ(color, magenta);
}

TEST(SkinFrameGeometry, EdgeCutsTakeKeyPixelsOfTheBordersOnly) {
    const uint32_t key = SkinRgb(255, 0, 255);
    Picture24 frame(10, 10, key);  // all key: only the border bands are cut
    std::vector<SkinRect> cuts = SkinEdgeKeyCuts(frame.Rows(), key, SkinQuad{1, 1, 1, 1});
    std::vector<SkinRect> region = SkinWindowRegionRects(10, 10, cuts);
    // Rows 0..1 and 8..9 whole; other rows columns 0..1 and 9 (bounds inclusive).
    ASSERT_FALSE(region.empty());
    for (const SkinRect& r : region) {
        EXPECT_GE(r.top, 2);
        EXPECT_LE(r.bottom, 9);
        EXPECT_GE(r.left, 2);
        EXPECT_LE(r.right, 9);
    }
}

}  // namespace
