// The scroll bars' geometry: thumb size and place, short bars, hit parts,
// the thumb drag and its positions, placement beside the client area, and
// the picture cells each part is drawn from.
#include "skin/windows/controls/skin_scroll_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

const SkinScrollMetrics kMetrics;

SkinScrollValues Values(int minimum, int maximum, unsigned page, int position) {
    return SkinScrollValues{minimum, maximum, page, position};
}

// A vertical bar of a window, 16 wide and `height` tall, at (100, 20).
SkinScrollBarGeometry VerticalBar(int height, const SkinScrollValues& v) {
    SkinScrollBarInput in;
    in.bar = SkinRect{100, 20, 116, 20 + height};
    in.values = v;
    in.disabled = SkinScrollBarDisabled(v);
    return SkinComputeScrollBar(in, kMetrics);
}

bool NotNegative(const SkinRect& r) { return r.right >= r.left && r.bottom >= r.top; }

}  // namespace

TEST(ScrollGeometry, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(SkinMulDiv(10, 168, 100), 17);  // 16.8
    EXPECT_EQ(SkinMulDiv(9, 168, 99), 15);    // 15.27
    EXPECT_EQ(SkinMulDiv(1, 3, 2), 2);        // 1.5
    EXPECT_EQ(SkinMulDiv(-1, 3, 2), -2);
    EXPECT_EQ(SkinMulDiv(1, -3, -2), 2);
    EXPECT_EQ(SkinMulDiv(5, 7, 0), 0);
    // 2^32 * 2^32 needs more than 64 bits on the way.
    EXPECT_EQ(SkinMulDiv(int64_t{1} << 32, int64_t{1} << 32, int64_t{1} << 40), int64_t{1} << 24);
}

TEST(ScrollGeometry, ArrowsTrackAndThumbOfAListBoxBar) {
    // 100 items, 10 visible, on a 200-pixel bar: a 168-pixel track; the
    // page's share (9 of 99 steps) is 15 pixels, raised to the minimum 20.
    SkinScrollBarGeometry g = VerticalBar(200, Values(0, 99, 10, 0));
    EXPECT_EQ(g.firstArrow, (SkinRect{0, 0, 16, 16}));
    EXPECT_EQ(g.secondArrow, (SkinRect{0, 184, 16, 200}));
    EXPECT_EQ(g.track, (SkinRect{0, 16, 16, 184}));
    EXPECT_EQ(g.trackLength, 168);
    EXPECT_EQ(g.thumb, (SkinRect{0, 16, 16, 36}));
    // On a taller bar the share itself is long enough: MulDiv(9, 368, 99).
    g = VerticalBar(400, Values(0, 99, 10, 90));
    EXPECT_EQ(g.span.length, 33);
    // At the last position the thumb ends at the track's end.
    EXPECT_EQ(g.span.offset + g.span.length, 368);
}

TEST(ScrollGeometry, MinimumThumbNeverLeavesTheTrack) {
    // One item of 1000 per page on a 100-pixel track: a 20-pixel thumb whose
    // offset runs from 0 to exactly 80.
    int highest = -1;
    for (int p = 0; p <= 999; ++p) {
        SkinThumbSpan t = SkinScrollerThumb(100, Values(0, 999, 1, p), false, false, kMetrics);
        ASSERT_EQ(t.length, 20) << p;
        ASSERT_LE(t.offset, 80) << p;
        ASSERT_GE(t.offset, highest) << p;  // never moves back as the position grows
        highest = t.offset;
    }
    EXPECT_EQ(highest, 80);
    // Without a page the thumb is 20 pixels too, placed by the position.
    EXPECT_EQ(SkinScrollerThumb(100, Values(0, 100, 0, 50), false, false, kMetrics), (SkinThumbSpan{40, 20}));
    // A position outside the range (read from elsewhere) stays inside.
    EXPECT_EQ(SkinScrollerThumb(100, Values(0, 100, 0, 500), false, false, kMetrics), (SkinThumbSpan{80, 20}));
    EXPECT_EQ(SkinScrollerThumb(100, Values(0, 100, 0, -50), false, false, kMetrics), (SkinThumbSpan{0, 20}));
}

TEST(ScrollGeometry, BarsWithoutARangeOrThatCannotScroll) {
    // No range: a fixed 16-pixel thumb at the track's start, unless the
    // window cannot scroll at all.
    SkinScrollValues none = Values(5, 5, 1, 5);
    EXPECT_FALSE(SkinScrollBarDisabled(none));
    EXPECT_EQ(SkinScrollerThumb(100, none, false, false, kMetrics), (SkinThumbSpan{0, 16}));
    EXPECT_EQ(SkinScrollerThumb(100, none, false, true, kMetrics), (SkinThumbSpan{}));
    // The maximum below the page, or no page and hardly a range: disabled,
    // so no thumb and no part answers the mouse.
    EXPECT_TRUE(SkinScrollBarDisabled(Values(0, 9, 20, 0)));
    EXPECT_TRUE(SkinScrollBarDisabled(Values(0, 1, 0, 0)));
    SkinScrollBarGeometry g = VerticalBar(200, Values(0, 9, 20, 0));
    EXPECT_TRUE(g.disabled);
    EXPECT_FALSE(g.HasThumb());
    EXPECT_EQ(SkinScrollPartAt(g, 108, 30), SkinScrollPart::None);
    EXPECT_EQ(SkinScrollPartAt(g, 108, 100), SkinScrollPart::None);
    // A window's thumb that fills the whole track is no thumb; the
    // scroll-bar control keeps it.
    g = VerticalBar(200, Values(0, 99, 100, 0));
    EXPECT_FALSE(g.HasThumb());
    SkinScrollBarInput control;
    control.bar = SkinRect{0, 0, 16, 200};
    control.values = Values(0, 99, 100, 0);
    control.keepFullThumb = true;
    EXPECT_EQ(SkinComputeScrollBar(control, kMetrics).thumb, (SkinRect{0, 16, 16, 184}));
}

TEST(ScrollGeometry, ShortBarsHaveNoNegativeRectangle) {
    for (int height = -4; height <= 60; ++height) {
        for (unsigned page : {0u, 1u, 10u}) {
            SkinScrollBarGeometry g = VerticalBar(height, Values(0, 99, page, 50));
            SCOPED_TRACE(testing::Message() << "height " << height << " page " << page);
            EXPECT_TRUE(NotNegative(g.firstArrow));
            EXPECT_TRUE(NotNegative(g.secondArrow));
            EXPECT_TRUE(NotNegative(g.track));
            EXPECT_TRUE(NotNegative(g.thumb));
            EXPECT_GE(g.trackLength, 0);
            if (g.HasThumb()) {
                EXPECT_GE(g.thumb.top, g.track.top);
                EXPECT_LE(g.thumb.bottom, g.track.bottom);
            }
            EXPECT_LE(g.secondArrow.bottom, std::max(0, height));
        }
    }
    // Under two arrows' length the arrows share the bar and the track is empty.
    SkinScrollBarGeometry g = VerticalBar(25, Values(0, 99, 10, 50));
    EXPECT_EQ(g.firstArrow, (SkinRect{0, 0, 16, 12}));
    EXPECT_EQ(g.secondArrow, (SkinRect{0, 12, 16, 25}));
    EXPECT_TRUE(g.track.IsEmpty());
    EXPECT_FALSE(g.HasThumb());
    EXPECT_EQ(SkinScrollPartAt(g, 108, 31), SkinScrollPart::FirstArrow);
    EXPECT_EQ(SkinScrollPartAt(g, 108, 33), SkinScrollPart::SecondArrow);
}

TEST(ScrollGeometry, PartsUnderThePointer) {
    SkinScrollBarGeometry g = VerticalBar(200, Values(0, 99, 10, 45));
    ASSERT_TRUE(g.HasThumb());
    const int thumbTop = g.bar.top + g.thumb.top, thumbBottom = g.bar.top + g.thumb.bottom;
    EXPECT_EQ(SkinScrollPartAt(g, 100, 20), SkinScrollPart::FirstArrow);
    EXPECT_EQ(SkinScrollPartAt(g, 115, 219), SkinScrollPart::SecondArrow);
    EXPECT_EQ(SkinScrollPartAt(g, 108, thumbTop), SkinScrollPart::Thumb);
    EXPECT_EQ(SkinScrollPartAt(g, 108, thumbTop - 1), SkinScrollPart::TrackBefore);
    EXPECT_EQ(SkinScrollPartAt(g, 108, thumbBottom), SkinScrollPart::TrackAfter);
    EXPECT_EQ(SkinScrollPartAt(g, 116, 100), SkinScrollPart::None);  // beside the bar
    EXPECT_EQ(SkinScrollPartAt(g, 108, 220), SkinScrollPart::None);  // below it
    // The commands a press sends: one per part, none for the thumb.
    EXPECT_EQ(SkinScrollCommand(SkinScrollPart::FirstArrow), 0);
    EXPECT_EQ(SkinScrollCommand(SkinScrollPart::SecondArrow), 1);
    EXPECT_EQ(SkinScrollCommand(SkinScrollPart::TrackBefore), 2);
    EXPECT_EQ(SkinScrollCommand(SkinScrollPart::TrackAfter), 3);
    EXPECT_EQ(SkinScrollCommand(SkinScrollPart::Thumb), -1);
}

TEST(ScrollGeometry, HorizontalBarsAreTransposed) {
    // A "ScrollBar" control 132 x 16, range 0 to 999 without a page: a
    // 100-pixel track and a 20-pixel thumb at MulDiv(position, 80, 999).
    SkinScrollBarInput in;
    in.vertical = false;
    in.bar = SkinRect{0, 0, 132, 16};
    in.keepFullThumb = true;
    for (int position : {0, 1, 500, 998, 999}) {
        in.values = Values(0, 999, 0, position);
        SkinScrollBarGeometry g = SkinComputeScrollBar(in, kMetrics);
        const int offset = static_cast<int>(SkinMulDiv(position, 80, 999));
        EXPECT_EQ(g.firstArrow, (SkinRect{0, 0, 16, 16}));
        EXPECT_EQ(g.secondArrow, (SkinRect{116, 0, 132, 16}));
        EXPECT_EQ(g.thumb, (SkinRect{16 + offset, 0, 36 + offset, 16})) << position;
        EXPECT_EQ(SkinScrollPartAt(g, 16 + offset, 8), SkinScrollPart::Thumb);
        EXPECT_EQ(SkinScrollPartAt(g, 5, 8), SkinScrollPart::FirstArrow);
    }
}

TEST(ScrollGeometry, DraggingToTheEndReachesTheLastPositionOnly) {
    const SkinScrollValues v = Values(0, 99, 10, 0);
    SkinScrollBarGeometry g = VerticalBar(200, v);
    SkinScrollDrag drag = SkinStartScrollDrag(g, 108, g.bar.top + g.thumb.top + 5);
    std::vector<int> sent;
    int last = v.position;
    // Down the bar in steps of 7 pixels, and well past its end.
    for (int y = g.bar.top + g.thumb.top + 5; y < g.bar.bottom + 60; y += 7) {
        ASSERT_TRUE(SkinScrollDragMove(drag, g, 108, y, kMetrics));
        std::optional<int> p = SkinScrollDragPosition(drag.offset, g.trackLength, g.span.length, v);
        ASSERT_TRUE(p.has_value());
        if (*p != last) sent.push_back(last = *p);
    }
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), 90);
    for (size_t i = 1; i < sent.size(); ++i) EXPECT_GT(sent[i], sent[i - 1]);
    EXPECT_EQ(drag.offset, g.trackLength - g.span.length);
}

TEST(ScrollGeometry, DragPositionsKeepTheMinimumAndAvoidFaults) {
    // The minimum counts: a thumb at the start is at the minimum, one at the
    // end at the last position.
    EXPECT_EQ(SkinScrollDragPosition(0, 100, 20, Values(50, 149, 10, 50)), 50);
    EXPECT_EQ(SkinScrollDragPosition(80, 100, 20, Values(50, 149, 10, 50)), 140);
    EXPECT_EQ(SkinScrollDragPosition(-5, 100, 20, Values(-100, 100, 0, 0)), -100);
    // Without a page the last position is the maximum, never maximum + 1.
    EXPECT_EQ(SkinScrollDragPosition(80, 100, 20, Values(0, 100, 0, 0)), 100);
    EXPECT_EQ(SkinScrollDragPosition(500, 100, 20, Values(0, 100, 0, 0)), 100);
    // A thumb that fills the track cannot be dragged: no position at all.
    EXPECT_FALSE(SkinScrollDragPosition(0, 100, 100, Values(0, 100, 0, 0)).has_value());
    EXPECT_FALSE(SkinScrollDragPosition(0, 10, 20, Values(0, 100, 0, 0)).has_value());
    // The widest range there is.
    EXPECT_EQ(SkinScrollDragPosition(80, 100, 20, Values(INT_MIN, INT_MAX, 0, 0)), INT_MAX);
    EXPECT_EQ(SkinScrollDragPosition(40, 100, 20, Values(INT_MIN, INT_MAX, 0, 0)), 0);
    // A page larger than the range leaves one position.
    EXPECT_EQ(SkinScrollDragPosition(40, 100, 20, Values(0, 9, 50, 0)), 0);
}

TEST(ScrollGeometry, ADragFarOffTheBarFreezesTheThumb) {
    SkinScrollBarGeometry g = VerticalBar(200, Values(0, 99, 10, 0));
    SkinScrollDrag drag = SkinStartScrollDrag(g, 108, 40);
    ASSERT_TRUE(SkinScrollDragMove(drag, g, 108, 80, kMetrics));
    EXPECT_EQ(drag.offset, 40);
    // 96 pixels to either side still counts; farther freezes the thumb...
    EXPECT_TRUE(SkinScrollDragMove(drag, g, 100 - 96, 90, kMetrics));
    EXPECT_EQ(drag.offset, 50);
    EXPECT_TRUE(SkinScrollDragMove(drag, g, 116 + 95, 95, kMetrics));
    EXPECT_FALSE(SkinScrollDragMove(drag, g, 116 + 96, 150, kMetrics));
    EXPECT_FALSE(SkinScrollDragMove(drag, g, 100 - 97, 150, kMetrics));
    EXPECT_EQ(drag.offset, 55);
    // ...until the pointer comes back, when the thumb is under it again.
    EXPECT_TRUE(SkinScrollDragMove(drag, g, 108, 100, kMetrics));
    EXPECT_EQ(drag.offset, 60);
}

TEST(ScrollGeometry, TheDragOwnsTheThumbWhileItLasts) {
    SkinScrollBarInput in;
    in.bar = SkinRect{0, 0, 16, 200};
    in.values = Values(0, 99, 10, 0);
    in.dragOffset = 77;
    EXPECT_EQ(SkinComputeScrollBar(in, kMetrics).span, (SkinThumbSpan{77, 20}));
    in.dragOffset = 1000;  // never past the track's end
    EXPECT_EQ(SkinComputeScrollBar(in, kMetrics).span, (SkinThumbSpan{148, 20}));
}

TEST(ScrollGeometry, BarsBesideTheClientArea) {
    const SkinRect client{2, 2, 202, 102};
    SkinScrollPlacement right = SkinPlaceScrollBars(client, true, true, false, kMetrics);
    EXPECT_EQ(right.bar[0], (SkinRect{2, 102, 202, 118}));
    EXPECT_EQ(right.bar[1], (SkinRect{202, 2, 218, 102}));
    EXPECT_EQ(right.corner, (SkinRect{202, 102, 218, 118}));
    EXPECT_EQ(SkinScrollCornerCell(false), (SkinRect{0, 32, 16, 48}));
    // WS_EX_LEFTSCROLLBAR: the vertical bar and the corner on the left, the
    // corner from the second cell.
    SkinScrollPlacement left = SkinPlaceScrollBars(client, true, true, true, kMetrics);
    EXPECT_EQ(left.bar[1], (SkinRect{-14, 2, 2, 102}));
    EXPECT_EQ(left.corner, (SkinRect{-14, 102, 2, 118}));
    EXPECT_EQ(SkinScrollCornerCell(true), (SkinRect{16, 32, 32, 48}));
    // One bar: no corner.
    EXPECT_TRUE(SkinPlaceScrollBars(client, false, true, false, kMetrics).corner.IsEmpty());
    EXPECT_TRUE(SkinPlaceScrollBars(client, false, true, false, kMetrics).bar[0].IsEmpty());
    // The client area the system computes ends 16 pixels from each bar's edge.
    const SkinRect proposed{0, 0, 300, 200};
    EXPECT_EQ(SkinScrollerWidenProposal(proposed, true, true, false, 17, 19, kMetrics), (SkinRect{0, 0, 301, 203}));
    EXPECT_EQ(SkinScrollerWidenProposal(proposed, false, true, true, 17, 19, kMetrics), (SkinRect{-1, 0, 300, 200}));
}

TEST(ScrollGeometry, SizesFollowTheWindowsScale) {
    // 150 %: a 24-pixel bar, a 30-pixel minimum thumb, 144 pixels of slack.
    const SkinScrollMetrics m = SkinScaledScrollMetrics(SkinScale(144));
    EXPECT_EQ(m.thickness, 24);
    EXPECT_EQ(m.minThumb, 30);
    EXPECT_EQ(m.fixedThumb, 24);
    EXPECT_EQ(m.dragSlop, 144);
    // A 300-pixel bar at that scale: arrows of 24, the thumb at least 30.
    SkinScrollBarInput in;
    in.bar = SkinRect{0, 0, 24, 300};
    in.values = Values(0, 999, 1, 0);
    SkinScrollBarGeometry g = SkinComputeScrollBar(in, m);
    EXPECT_EQ(g.firstArrow, (SkinRect{0, 0, 24, 24}));
    EXPECT_EQ(g.trackLength, 252);
    EXPECT_EQ(g.span.length, 30);
    // 96 DPI is the metrics as written.
    const SkinScrollMetrics same = SkinScaledScrollMetrics(SkinScale(96));
    EXPECT_EQ(same.thickness, kMetrics.thickness);
    EXPECT_EQ(same.minThumb, kMetrics.minThumb);
}

TEST(ScrollGeometry, EachPartFromItsCell) {
    SkinScrollBarGeometry g = VerticalBar(200, Values(0, 99, 10, 0));
    // Track, thumb, first arrow, second arrow; only the active part takes
    // the hover or pressed cell.
    SkinScrollCellDraws d = SkinScrollBarCells(g, SkinScrollPart::SecondArrow, 2);
    ASSERT_EQ(d.count, 4);
    EXPECT_EQ(d.items[0].src, (SkinRect{224, 0, 240, 16}));
    EXPECT_EQ(d.items[0].dst, g.track);
    EXPECT_EQ(d.items[1].src, (SkinRect{128, 0, 144, 16}));
    EXPECT_EQ(d.items[2].src, (SkinRect{0, 0, 16, 16}));
    EXPECT_EQ(d.items[3].src, (SkinRect{96, 0, 112, 16}));
    d = SkinScrollBarCells(g, SkinScrollPart::Thumb, 1);
    EXPECT_EQ(d.items[1].src, (SkinRect{144, 0, 160, 16}));
    EXPECT_EQ(d.items[3].src, (SkinRect{64, 0, 80, 16}));
    // A horizontal bar takes the second row; a bar without a thumb draws
    // three parts.
    SkinScrollBarInput in;
    in.vertical = false;
    in.bar = SkinRect{0, 0, 200, 16};
    in.values = Values(0, 9, 20, 0);
    in.disabled = true;
    SkinScrollCellDraws h = SkinScrollBarCells(SkinComputeScrollBar(in, kMetrics), SkinScrollPart::FirstArrow, 1);
    ASSERT_EQ(h.count, 3);
    EXPECT_EQ(h.items[0].src, (SkinRect{224, 16, 240, 32}));
    EXPECT_EQ(h.items[1].src, (SkinRect{16, 16, 32, 32}));
}
