// The rich-edit scroll-bar layer's geometry: its thumb, short bars, parts
// and their drawing states, the composed thumb and the held-press repeat.
#include "skin/windows/controls/skin_richedit_scroll_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

const SkinRichScrollMetrics kMetrics;

SkinScrollValues Values(int minimum, int maximum, unsigned page, int position) {
    return SkinScrollValues{minimum, maximum, page, position};
}

// A client area at (2, 2) 200 wide and `height` tall, with a vertical bar.
SkinRichLayout Vertical(int height, const SkinScrollValues& v, bool left = false) {
    const SkinScrollValues values[2] = {SkinScrollValues{}, v};
    return SkinRichLayoutBars(SkinRect{20, 2, 220, 2 + height}, false, true, left, values, kMetrics);
}

// Which pixels along a thumb of `length` its pieces cover, and whether any
// piece reaches outside it.
std::vector<int> Coverage(const std::vector<SkinPiece>& pieces, int length, bool* outside) {
    std::vector<int> covered(static_cast<size_t>(length), 0);
    *outside = false;
    for (const SkinPiece& p : pieces) {
        if (p.dst.y < 0 || p.dst.y + p.dst.h > length || p.dst.x != 0 || p.dst.w != 16) *outside = true;
        for (int y = std::max(0, p.dst.y); y < std::min(length, p.dst.y + p.dst.h); ++y) covered[y] = 1;
    }
    return covered;
}

}  // namespace

TEST(RichScrollGeometry, ThumbIsThePagesShareAndAtLeastTenPixels) {
    // Range 0 to 99 with page 10 on a 200-pixel bar: a 168-pixel track and
    // a MulDiv(10, 168, 100) = 17-pixel thumb.
    SkinRichLayout l = Vertical(200, Values(0, 99, 10, 0));
    ASSERT_TRUE(l.bar[1].present);
    EXPECT_EQ(l.bar[1].rect, (SkinRect{220, 2, 236, 202}));
    EXPECT_EQ(l.bar[1].trackLength, 168);
    EXPECT_EQ(l.bar[1].thumb, (SkinThumbSpan{0, 17}));
    // At the last position the thumb ends at the track's end.
    EXPECT_EQ(Vertical(200, Values(0, 99, 10, 90)).bar[1].thumb, (SkinThumbSpan{151, 17}));
    // A range so large the share would be under 10 pixels: 10 pixels.
    EXPECT_EQ(Vertical(200, Values(0, 99999, 10, 0)).bar[1].thumb.length, 10);
    EXPECT_EQ(Vertical(200, Values(INT_MIN, INT_MAX, 10, INT_MAX)).bar[1].thumb, (SkinThumbSpan{158, 10}));
}

TEST(RichScrollGeometry, BarsThatCannotScrollHaveNoThumb) {
    EXPECT_FALSE(Vertical(200, Values(0, 99, 0, 0)).bar[1].HasThumb());       // no page
    EXPECT_FALSE(Vertical(200, Values(0, 99, 100, 0)).bar[1].HasThumb());     // all on one page
    EXPECT_FALSE(Vertical(200, Values(5, 5, 1, 5)).bar[1].HasThumb());        // no range
    EXPECT_TRUE(Vertical(200, Values(0, 99, 99, 0)).bar[1].HasThumb());       // one step to go
    EXPECT_TRUE(Vertical(200, Values(-60, -10, 10, -60)).bar[1].HasThumb());  // below zero
}

TEST(RichScrollGeometry, ShortBarsKeepEveryPartInside) {
    for (int height = 0; height <= 60; ++height) {
        SCOPED_TRACE(height);
        const SkinRichBar b = Vertical(height, Values(0, 99999, 10, 50000)).bar[1];
        EXPECT_GE(b.firstArrow, 0);
        EXPECT_GE(b.secondArrow, 0);
        EXPECT_GE(b.trackLength, 0);
        EXPECT_EQ(b.firstArrow + b.trackLength + b.secondArrow, height);
        if (b.HasThumb()) {
            EXPECT_GE(b.thumb.offset, 0);
            EXPECT_LE(b.thumb.offset + b.thumb.length, b.trackLength);
        }
        for (const SkinPiece& p : SkinRichBarPieces(b, 0, 0)) {
            EXPECT_GT(p.dst.w, 0);
            EXPECT_GT(p.dst.h, 0);
            EXPECT_GE(p.dst.y, b.rect.top);
            EXPECT_LE(p.dst.y + p.dst.h, b.rect.bottom);
        }
    }
    // A 38-pixel bar has a 6-pixel track: the 10-pixel minimum gives way to it.
    EXPECT_EQ(Vertical(38, Values(0, 99999, 10, 99990)).bar[1].thumb, (SkinThumbSpan{0, 6}));
}

TEST(RichScrollGeometry, PartsUnderThePointer) {
    const SkinRichBar b = Vertical(200, Values(0, 99, 10, 45)).bar[1];
    const int top = b.rect.top + b.trackStart + b.thumb.offset;
    EXPECT_EQ(SkinRichPartAt(b, 225, 2, 0), SkinRichPart::FirstArrow);
    EXPECT_EQ(SkinRichPartAt(b, 225, top - 1, 0), SkinRichPart::TrackBefore);
    EXPECT_EQ(SkinRichPartAt(b, 225, top, 0), SkinRichPart::Thumb);
    EXPECT_EQ(SkinRichPartAt(b, 225, top + 17, 0), SkinRichPart::TrackAfter);
    EXPECT_EQ(SkinRichPartAt(b, 225, 201, 0), SkinRichPart::SecondArrow);
    EXPECT_EQ(SkinRichPartAt(b, 219, 100, 0), SkinRichPart::None);
    // Any arrow-disable bit of the bar makes all of it ignore the mouse.
    EXPECT_EQ(SkinRichPartAt(b, 225, 2, 1), SkinRichPart::None);
    EXPECT_EQ(SkinRichPartAt(b, 225, top, 2), SkinRichPart::None);
    // The codes the layer keeps: part in the low bits, 0x10 for the vertical bar.
    EXPECT_EQ(SkinRichPartCode(SkinRichPart::Thumb, 1), 0x13);
    EXPECT_EQ(SkinRichPartCode(SkinRichPart::TrackAfter, 0), 5);
    EXPECT_EQ(SkinRichCodeBar(0x13), 1);
    EXPECT_EQ(SkinRichCodePart(0x13), SkinRichPart::Thumb);
}

TEST(RichScrollGeometry, LeftScrollBarAndSizeBox) {
    const SkinScrollValues values[2] = {Values(0, 99, 10, 0), Values(0, 99, 10, 0)};
    SkinRichLayout right = SkinRichLayoutBars(SkinRect{20, 2, 220, 102}, true, true, false, values, kMetrics);
    EXPECT_EQ(right.bar[0].rect, (SkinRect{20, 102, 220, 118}));
    EXPECT_EQ(right.sizeBox, (SkinRect{220, 102, 236, 118}));
    SkinRichLayout left = SkinRichLayoutBars(SkinRect{20, 2, 220, 102}, true, true, true, values, kMetrics);
    EXPECT_EQ(left.bar[1].rect, (SkinRect{4, 2, 20, 102}));
    EXPECT_EQ(left.sizeBox, (SkinRect{4, 102, 20, 118}));
    EXPECT_EQ(SkinRichSizeBoxPiece(left.sizeBox, true).src, (SkinBox{16, 32, 16, 16}));
    EXPECT_EQ(SkinRichHitTest(left, 10, 50), 7);    // HTVSCROLL
    EXPECT_EQ(SkinRichHitTest(left, 100, 110), 6);  // HTHSCROLL
    EXPECT_EQ(SkinRichHitTest(left, 10, 110), 4);   // the size box
    EXPECT_EQ(SkinRichHitTest(left, 100, 50), 0);
}

TEST(RichScrollGeometry, DrawingStates) {
    const int hotThumb = SkinRichPartCode(SkinRichPart::Thumb, 1);
    EXPECT_EQ(SkinRichPartState(SkinRichPart::Thumb, 1, 0, hotThumb, false), 1);
    EXPECT_EQ(SkinRichPartState(SkinRichPart::Thumb, 1, 0, hotThumb, true), 2);
    EXPECT_EQ(SkinRichPartState(SkinRichPart::Thumb, 0, 0, hotThumb, true), 0);  // the other bar
    EXPECT_EQ(SkinRichPartState(SkinRichPart::FirstArrow, 1, 0, hotThumb, true), 0);
    // Disabled arrows (vertical bits 2-3) draw state 3 whatever the mouse does.
    EXPECT_EQ(SkinRichPartState(SkinRichPart::FirstArrow, 1, 0xC, hotThumb, true), 3);
    EXPECT_EQ(SkinRichPartState(SkinRichPart::SecondArrow, 1, 0x4, 0, false), 3);
    EXPECT_EQ(SkinRichPartState(SkinRichPart::Thumb, 1, 0x8, hotThumb, false), 3);
    EXPECT_EQ(SkinRichPartState(SkinRichPart::FirstArrow, 0, 0xC, 0, false), 0);
}

TEST(RichScrollGeometry, TrackAndArrowsFromTheirCells) {
    const SkinRichBar b = Vertical(200, Values(0, 99, 10, 45)).bar[1];
    std::vector<SkinPiece> pieces = SkinRichBarPieces(b, 1, 3);
    ASSERT_EQ(pieces.size(), 4u);
    // The track around the thumb, stretched from x 224.
    EXPECT_EQ(pieces[0].blit, SkinBlit::StretchHalftone);
    EXPECT_EQ(pieces[0].src, (SkinBox{224, 0, 16, 16}));
    EXPECT_EQ(pieces[0].dst, (SkinBox{220, 18, 16, b.thumb.offset}));
    EXPECT_EQ(pieces[1].dst.y, 18 + b.thumb.offset + b.thumb.length);
    EXPECT_EQ(pieces[1].dst.y + pieces[1].dst.h, 186);
    // Arrows 1:1 from their state's cells.
    EXPECT_EQ(pieces[2], (SkinPiece{SkinBlit::Copy, SkinBox{220, 2, 16, 16}, SkinBox{16, 0, 16, 16}}));
    EXPECT_EQ(pieces[3], (SkinPiece{SkinBlit::Copy, SkinBox{220, 186, 16, 16}, SkinBox{112, 0, 16, 16}}));
    // Without a thumb the whole track is one piece; a horizontal bar uses row 16.
    const SkinScrollValues values[2] = {Values(0, 9, 20, 0), SkinScrollValues{}};
    SkinRichBar h = SkinRichLayoutBars(SkinRect{0, 0, 100, 50}, true, false, false, values, kMetrics).bar[0];
    pieces = SkinRichBarPieces(h, 0, 0);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].dst, (SkinBox{16, 50, 68, 16}));
    EXPECT_EQ(pieces[0].src, (SkinBox{224, 16, 16, 16}));
}

TEST(RichScrollGeometry, ComposedThumb) {
    // 40 pixels: the slice from y 4 in steps of 8, caps of 4, the grip centred.
    std::vector<SkinPiece> p = SkinRichThumbPieces(true, 40, 16, 1, kMetrics);
    ASSERT_EQ(p.size(), 7u);
    EXPECT_EQ(p[0], (SkinPiece{SkinBlit::Copy, SkinBox{0, 4, 16, 8}, SkinBox{144, 4, 16, 8}}));
    EXPECT_EQ(p[3].dst, (SkinBox{0, 28, 16, 8}));
    EXPECT_EQ(p[4], (SkinPiece{SkinBlit::Copy, SkinBox{0, 0, 16, 4}, SkinBox{144, 0, 16, 4}}));
    EXPECT_EQ(p[5], (SkinPiece{SkinBlit::Copy, SkinBox{0, 36, 16, 4}, SkinBox{144, 12, 16, 4}}));
    EXPECT_EQ(p[6], (SkinPiece{SkinBlit::Copy, SkinBox{0, 12, 16, 16}, SkinBox{192, 0, 16, 16}}));
    // 30 pixels: the last slice cut, not squeezed; 24 and less: no grip.
    p = SkinRichThumbPieces(true, 30, 16, 0, kMetrics);
    EXPECT_EQ(p[2], (SkinPiece{SkinBlit::Copy, SkinBox{0, 20, 16, 6}, SkinBox{128, 4, 16, 6}}));
    EXPECT_EQ(SkinRichThumbPieces(true, 24, 16, 0, kMetrics).size(), 4u);
    // Horizontal thumbs run along x in the second row.
    p = SkinRichThumbPieces(false, 40, 16, 2, kMetrics);
    EXPECT_EQ(p[0], (SkinPiece{SkinBlit::Copy, SkinBox{4, 0, 8, 16}, SkinBox{164, 16, 8, 16}}));
    // At 125 % every size of the layer grows with the window.
    const SkinRichScrollMetrics r = SkinScaledRichScrollMetrics(SkinScale(120));
    EXPECT_EQ(r.thickness, 20);
    EXPECT_EQ(r.minThumb, 13);
    EXPECT_EQ(r.cap, 5);
    EXPECT_EQ(r.slice, 10);
    EXPECT_EQ(r.grip, 20);
    // At 150 % the thumb is drawn from the same cells, stretched smoothly.
    const SkinRichScrollMetrics big = SkinScaledRichScrollMetrics(SkinScale(144));
    p = SkinRichThumbPieces(true, 60, 24, 0, big);
    EXPECT_EQ(p[0], (SkinPiece{SkinBlit::StretchHalftone, SkinBox{0, 6, 24, 12}, SkinBox{128, 4, 16, 8}}));
    // Every length is covered exactly, the pieces never reach outside.
    for (int length = 1; length <= 70; ++length) {
        bool outside = false;
        std::vector<int> covered = Coverage(SkinRichThumbPieces(true, length, 16, 0, kMetrics), length, &outside);
        EXPECT_FALSE(outside) << length;
        for (int y = 0; y < length; ++y) EXPECT_TRUE(covered[y]) << length << " at " << y;
    }
}

TEST(RichScrollGeometry, HeldPressRepeats) {
    using P = SkinRichPart;
    // Arrows repeat while the cursor is on them, pause off them.
    EXPECT_TRUE(SkinRichRepeatTick(P::SecondArrow, P::SecondArrow).send);
    SkinRichRepeat off = SkinRichRepeatTick(P::SecondArrow, P::None);
    EXPECT_FALSE(off.send);
    EXPECT_FALSE(off.stop);
    // A page down repeats until the thumb reaches the cursor, or has passed it.
    EXPECT_TRUE(SkinRichRepeatTick(P::TrackAfter, P::TrackAfter).send);
    EXPECT_TRUE(SkinRichRepeatTick(P::TrackAfter, P::Thumb).stop);
    EXPECT_TRUE(SkinRichRepeatTick(P::TrackAfter, P::TrackBefore).stop);
    EXPECT_TRUE(SkinRichRepeatTick(P::TrackBefore, P::TrackAfter).stop);
    EXPECT_FALSE(SkinRichRepeatTick(P::TrackBefore, P::None).stop);
    // Nothing pressed: the timer ends.
    EXPECT_TRUE(SkinRichRepeatTick(P::None, P::None).stop);
}
