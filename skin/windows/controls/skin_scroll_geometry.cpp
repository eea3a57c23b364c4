#include "skin/windows/controls/skin_scroll_geometry.h"

#include <algorithm>
#include <limits>

namespace {

int64_t Clamp64(int64_t v, int64_t lo, int64_t hi) { return std::max(lo, std::min(v, std::max(lo, hi))); }

int ToInt(int64_t v) {
    return static_cast<int>(
        Clamp64(v, std::numeric_limits<int>::min(), static_cast<int64_t>(std::numeric_limits<int>::max())));
}

// A rectangle of a vertical bar's terms (across, along) in bar-local
// coordinates of a bar that may lie horizontally.
SkinRect Oriented(bool vertical, int acrossStart, int alongStart, int acrossEnd, int alongEnd) {
    return vertical ? SkinRect{acrossStart, alongStart, acrossEnd, alongEnd}
                    : SkinRect{alongStart, acrossStart, alongEnd, acrossEnd};
}

int Along(const SkinScrollBarGeometry& g, int localX, int localY) { return g.vertical ? localY : localX; }

// Columns of the picture's cells: arrows and thumb by state, the track.
constexpr int kFirstArrowColumn = 0, kSecondArrowColumn = 4, kThumbColumn = 8, kTrackColumn = 14;

}  // namespace

SkinScrollMetrics SkinScaledScrollMetrics(const SkinScale& scale) {
    const SkinScrollMetrics base;
    SkinScrollMetrics m;
    m.thickness = SkinScrollBarWidth(scale);
    m.minThumb = scale.Scale(base.minThumb);
    m.fixedThumb = scale.Scale(base.fixedThumb);
    m.dragSlop = scale.Scale(base.dragSlop);
    return m;
}

int64_t SkinMulDiv(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return 0;
    __int128 product = static_cast<__int128>(a) * b;
    __int128 divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const __int128 half = divisor / 2;
    const __int128 q = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (q > std::numeric_limits<int64_t>::max()) return std::numeric_limits<int64_t>::max();
    if (q < std::numeric_limits<int64_t>::min()) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(q);
}

bool SkinScrollBarDisabled(const SkinScrollValues& v) {
    const int64_t range = int64_t{v.maximum} - v.minimum;
    return int64_t{v.maximum} < int64_t{v.page} || (range <= 1 && v.page == 0);
}

int64_t SkinScrollLastPosition(const SkinScrollValues& v) {
    const int64_t last = int64_t{v.maximum} - (v.page > 0 ? int64_t{v.page} - 1 : 0);
    return std::max<int64_t>(last, v.minimum);
}

SkinThumbSpan SkinScrollerThumb(int trackLength, const SkinScrollValues& v, bool disabled, bool hideFixedThumb,
                                const SkinScrollMetrics& m) {
    const int64_t L = trackLength;
    if (disabled || L <= 0) return {};
    const int64_t range = int64_t{v.maximum} - v.minimum;
    const int64_t p = Clamp64(int64_t{v.position} - v.minimum, 0, range);
    int64_t offset = 0, length = 0;
    if (range <= 0) {
        if (hideFixedThumb) return {};
        length = m.fixedThumb;
    } else if (v.page > 0) {
        const int64_t page = v.page;
        offset = SkinMulDiv(p, L, range);
        length = range < page ? L : SkinMulDiv(page - 1, L, range);
        if (length < m.minThumb) {
            // A thumb raised to the minimum takes its room from the travel.
            offset = Clamp64(SkinMulDiv(p, L - m.minThumb + length, range), 0, L - m.minThumb);
            length = m.minThumb;
        }
    } else {
        length = m.minThumb;
        offset = Clamp64(SkinMulDiv(p, L - m.minThumb, range), 0, L - m.minThumb);
    }
    if (length >= L) return SkinThumbSpan{0, trackLength};  // longer than the track: the track
    offset = Clamp64(offset, 0, L);
    length = std::min(length, L - offset);  // cut at the track's end
    if (length <= 0) return {};
    return SkinThumbSpan{static_cast<int>(offset), static_cast<int>(length)};
}

int SkinScrollCommand(SkinScrollPart part) {
    switch (part) {
        case SkinScrollPart::FirstArrow:
            return 0;  // SB_LINEUP
        case SkinScrollPart::SecondArrow:
            return 1;  // SB_LINEDOWN
        case SkinScrollPart::TrackBefore:
            return 2;  // SB_PAGEUP
        case SkinScrollPart::TrackAfter:
            return 3;  // SB_PAGEDOWN
        default:
            return -1;
    }
}

SkinArrowLengths SkinSplitArrows(int along, int thickness) {
    along = std::max(0, along);
    SkinArrowLengths arrows{std::max(0, thickness), std::max(0, thickness)};
    if (along < arrows.first + arrows.second) {
        arrows.first = along / 2;
        arrows.second = along - arrows.first;
    }
    return arrows;
}

SkinScrollBarGeometry SkinComputeScrollBar(const SkinScrollBarInput& in, const SkinScrollMetrics& m) {
    SkinScrollBarGeometry g;
    g.vertical = in.vertical;
    g.disabled = in.disabled;
    g.bar = in.bar;
    const int along = std::max(0, in.vertical ? in.bar.Height() : in.bar.Width());
    const int across = std::max(0, in.vertical ? in.bar.Width() : in.bar.Height());
    const auto [first, second] = SkinSplitArrows(along, m.thickness);
    g.firstArrow = Oriented(in.vertical, 0, 0, across, first);
    g.secondArrow = Oriented(in.vertical, 0, along - second, across, along);
    g.track = Oriented(in.vertical, 0, first, across, along - second);
    g.trackLength = along - second - first;

    SkinThumbSpan span = SkinScrollerThumb(g.trackLength, in.values, in.disabled, in.hideFixedThumb, m);
    // Only the scroll-bar control shows a thumb that leaves nothing to move.
    if (!in.keepFullThumb && span.length >= g.trackLength) span = {};
    if (span.length > 0 && in.dragOffset)
        span.offset = static_cast<int>(Clamp64(*in.dragOffset, 0, g.trackLength - span.length));
    g.span = span;
    if (span.length > 0)
        g.thumb = Oriented(in.vertical, 0, first + span.offset, across, first + span.offset + span.length);
    return g;
}

SkinScrollPart SkinScrollPartAt(const SkinScrollBarGeometry& g, int x, int y) {
    if (g.disabled || !g.bar.Contains(x, y)) return SkinScrollPart::None;
    const int lx = x - g.bar.left, ly = y - g.bar.top;
    if (g.firstArrow.Contains(lx, ly)) return SkinScrollPart::FirstArrow;
    if (g.thumb.Contains(lx, ly)) return SkinScrollPart::Thumb;
    if (g.secondArrow.Contains(lx, ly)) return SkinScrollPart::SecondArrow;
    if (!g.track.Contains(lx, ly)) return SkinScrollPart::None;
    const int a = Along(g, lx, ly);
    const int trackStart = g.vertical ? g.track.top : g.track.left;
    const int split = g.HasThumb() ? trackStart + g.span.offset : trackStart + g.trackLength / 2;
    return a < split ? SkinScrollPart::TrackBefore : SkinScrollPart::TrackAfter;
}

SkinScrollPlacement SkinPlaceScrollBars(const SkinRect& c, bool horizontal, bool vertical, bool leftScrollBar,
                                        const SkinScrollMetrics& m) {
    SkinScrollPlacement p;
    const int t = std::max(0, m.thickness);
    if (horizontal) p.bar[0] = SkinRect{c.left, c.bottom, c.right, c.bottom + t};
    if (vertical)
        p.bar[1] = leftScrollBar ? SkinRect{c.left - t, c.top, c.left, c.bottom}
                                 : SkinRect{c.right, c.top, c.right + t, c.bottom};
    if (horizontal && vertical)
        p.corner = leftScrollBar ? SkinRect{c.left - t, c.bottom, c.left, c.bottom + t}
                                 : SkinRect{c.right, c.bottom, c.right + t, c.bottom + t};
    return p;
}

SkinRect SkinScrollerWidenProposal(const SkinRect& proposed, bool horizontal, bool vertical, bool leftScrollBar,
                                   int systemVBarWidth, int systemHBarHeight, const SkinScrollMetrics& m) {
    SkinRect r = proposed;
    if (vertical) {
        if (leftScrollBar)
            r.left -= systemVBarWidth - m.thickness;
        else
            r.right += systemVBarWidth - m.thickness;
    }
    if (horizontal) r.bottom += systemHBarHeight - m.thickness;
    return r;
}

SkinScrollDrag SkinStartScrollDrag(const SkinScrollBarGeometry& g, int x, int y) {
    SkinScrollDrag drag;
    drag.startAlong = Along(g, x - g.bar.left, y - g.bar.top);
    drag.startOffset = drag.offset = g.span.offset;
    return drag;
}

bool SkinScrollDragMove(SkinScrollDrag& drag, const SkinScrollBarGeometry& g, int x, int y,
                        const SkinScrollMetrics& m) {
    const int lx = x - g.bar.left, ly = y - g.bar.top;
    const int64_t across = g.vertical ? lx : ly;
    const int64_t width = g.vertical ? g.bar.Width() : g.bar.Height();
    if (across < -int64_t{m.dragSlop} || across >= width + m.dragSlop) return false;
    const int64_t moved = int64_t{Along(g, lx, ly)} - drag.startAlong;
    drag.offset = static_cast<int>(Clamp64(drag.startOffset + moved, 0, g.trackLength - g.span.length));
    return true;
}

std::optional<int> SkinScrollDragPosition(int offset, int trackLength, int thumbLength, const SkinScrollValues& v) {
    const int64_t room = int64_t{trackLength} - thumbLength;
    if (room <= 0) return std::nullopt;
    const int64_t last = SkinScrollLastPosition(v);
    const int64_t steps = last - v.minimum;  // positions past the minimum
    const int64_t moved = SkinMulDiv(Clamp64(offset, 0, room), steps, room);
    return ToInt(Clamp64(v.minimum + moved, v.minimum, last));
}

SkinScrollCellDraws SkinScrollBarCells(const SkinScrollBarGeometry& g, SkinScrollPart activePart, int state) {
    const int row = g.vertical ? 0 : kSkinScrollCell;
    const int s = std::clamp(state, 0, 2);
    auto cell = [&](int column) {
        return SkinRect{column * kSkinScrollCell, row, (column + 1) * kSkinScrollCell, row + kSkinScrollCell};
    };
    auto stateOf = [&](SkinScrollPart part) { return part == activePart ? s : 0; };
    SkinScrollCellDraws draws;
    auto add = [&](const SkinRect& dst, const SkinRect& src) {
        if (!dst.IsEmpty()) draws.items[draws.count++] = SkinScrollCellDraw{dst, src};
    };
    add(g.track, cell(kTrackColumn));
    add(g.thumb, cell(kThumbColumn + stateOf(SkinScrollPart::Thumb)));
    add(g.firstArrow, cell(kFirstArrowColumn + stateOf(SkinScrollPart::FirstArrow)));
    add(g.secondArrow, cell(kSecondArrowColumn + stateOf(SkinScrollPart::SecondArrow)));
    return draws;
}

SkinRect SkinScrollCornerCell(bool leftScrollBar) {
    const int x = leftScrollBar ? kSkinScrollCell : 0;
    return SkinRect{x, 2 * kSkinScrollCell, x + kSkinScrollCell, 3 * kSkinScrollCell};
}
