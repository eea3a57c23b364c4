#include "skin/windows/controls/skin_richedit_scroll_geometry.h"

#include <algorithm>

namespace {

// Picture cells: 16 x 16, the vertical bar's row first, then the
// horizontal bar's, then the size boxes.
constexpr int kCell = kSkinScrollCell;
constexpr int kFirstArrowColumn = 0, kSecondArrowColumn = 4, kThumbColumn = 8, kGripColumn = 11, kTrackColumn = 14;
// The thumb's cell: 4-pixel caps around an 8-pixel middle slice.
constexpr int kCellCap = 4, kCellSlice = 8;

int Row(bool vertical) { return vertical ? 0 : kCell; }

SkinBox Cell(int column, int row) { return SkinBox{column * kCell, row, kCell, kCell}; }

// A copy, or a smooth stretch when the sizes differ (a scaled window).
SkinPiece Piece(const SkinBox& dst, const SkinBox& src) {
    const bool same = dst.w == src.w && dst.h == src.h;
    return SkinPiece{same ? SkinBlit::Copy : SkinBlit::StretchHalftone, dst, src};
}

void Add(std::vector<SkinPiece>& pieces, const SkinPiece& piece) {
    if (piece.dst.w > 0 && piece.dst.h > 0 && piece.src.w > 0 && piece.src.h > 0) pieces.push_back(piece);
}

// A box of a vertical bar's terms (along, across) for a bar of either kind.
SkinBox Oriented(bool vertical, int alongStart, int alongLength, int acrossStart, int acrossLength) {
    return vertical ? SkinBox{acrossStart, alongStart, acrossLength, alongLength}
                    : SkinBox{alongStart, acrossStart, alongLength, acrossLength};
}

SkinBox Box(const SkinRect& r) { return SkinBox{r.left, r.top, r.Width(), r.Height()}; }

SkinRichBar MakeBar(bool vertical, const SkinRect& rect, const SkinScrollValues& values,
                    const SkinRichScrollMetrics& m) {
    SkinRichBar b;
    b.present = true;
    b.vertical = vertical;
    b.rect = rect;
    const int along = std::max(0, vertical ? rect.Height() : rect.Width());
    const SkinArrowLengths arrows = SkinSplitArrows(along, m.thickness);
    b.firstArrow = arrows.first;
    b.secondArrow = arrows.second;
    b.trackStart = b.firstArrow;
    b.trackLength = along - b.firstArrow - b.secondArrow;
    b.thumb = SkinRichThumb(b.trackLength, values, m);
    return b;
}

}  // namespace

SkinRichScrollMetrics SkinScaledRichScrollMetrics(const SkinScale& scale) {
    const SkinRichScrollMetrics base;
    SkinRichScrollMetrics m;
    m.thickness = SkinScrollBarWidth(scale);
    m.minThumb = scale.Scale(base.minThumb);
    m.gripFrom = scale.Scale(base.gripFrom);
    m.cap = scale.Scale(base.cap);
    m.slice = scale.Scale(base.slice);
    m.grip = scale.Scale(base.grip);
    return m;
}

SkinRect SkinRichBar::Segment(int start, int end) const {
    return vertical ? SkinRect{rect.left, rect.top + start, rect.right, rect.top + end}
                    : SkinRect{rect.left + start, rect.top, rect.left + end, rect.bottom};
}

SkinThumbSpan SkinRichThumb(int trackLength, const SkinScrollValues& v, const SkinRichScrollMetrics& m) {
    const int64_t L = trackLength;
    const int64_t range = int64_t{v.maximum} - v.minimum;
    const int64_t page = v.page;
    if (L <= 0 || page == 0 || range <= 0 || page > range) return {};
    // The minimum length never makes the thumb longer than its track.
    const int64_t length = std::min(L, std::max<int64_t>(m.minThumb, SkinMulDiv(page, L, range + 1)));
    const int64_t travel = L - length;
    const int64_t p = std::clamp<int64_t>(int64_t{v.position} - v.minimum, 0, range);
    const int64_t offset = std::clamp<int64_t>(SkinMulDiv(p, travel, range - page + 1), 0, travel);
    return SkinThumbSpan{static_cast<int>(offset), static_cast<int>(length)};
}

SkinRichLayout SkinRichLayoutBars(const SkinRect& c, bool horizontal, bool vertical, bool leftScrollBar,
                                  const SkinScrollValues values[2], const SkinRichScrollMetrics& m) {
    SkinRichLayout layout;
    const int t = std::max(0, m.thickness);
    if (horizontal) layout.bar[0] = MakeBar(false, SkinRect{c.left, c.bottom, c.right, c.bottom + t}, values[0], m);
    if (vertical) {
        SkinRect rect = leftScrollBar ? SkinRect{c.left - t, c.top, c.left, c.bottom}
                                      : SkinRect{c.right, c.top, c.right + t, c.bottom};
        layout.bar[1] = MakeBar(true, rect, values[1], m);
    }
    if (horizontal && vertical)
        layout.sizeBox = leftScrollBar ? SkinRect{c.left - t, c.bottom, c.left, c.bottom + t}
                                       : SkinRect{c.right, c.bottom, c.right + t, c.bottom + t};
    return layout;
}

SkinRichPart SkinRichPartAt(const SkinRichBar& b, int x, int y, unsigned barDisableBits) {
    if (!b.present || barDisableBits != 0 || !b.rect.Contains(x, y)) return SkinRichPart::None;
    const int a = b.vertical ? y - b.rect.top : x - b.rect.left;
    if (a < b.trackStart) return SkinRichPart::FirstArrow;
    if (a >= b.trackStart + b.trackLength) return SkinRichPart::SecondArrow;
    const int t = a - b.trackStart;
    if (!b.HasThumb()) return t < b.trackLength / 2 ? SkinRichPart::TrackBefore : SkinRichPart::TrackAfter;
    if (t < b.thumb.offset) return SkinRichPart::TrackBefore;
    if (t < b.thumb.offset + b.thumb.length) return SkinRichPart::Thumb;
    return SkinRichPart::TrackAfter;
}

int SkinRichHitTest(const SkinRichLayout& layout, int x, int y) {
    if (layout.bar[1].present && layout.bar[1].rect.Contains(x, y)) return 7;  // HTVSCROLL
    if (layout.bar[0].present && layout.bar[0].rect.Contains(x, y)) return 6;  // HTHSCROLL
    if (layout.sizeBox.Contains(x, y)) return 4;                               // HTSIZE
    return 0;
}

int SkinRichPartState(SkinRichPart part, int barIndex, unsigned disableBits, int hotCode, bool tracking) {
    const unsigned bits = SkinRichBarDisableBits(disableBits, barIndex);
    const bool disablesItself =
        part == SkinRichPart::FirstArrow || part == SkinRichPart::SecondArrow || part == SkinRichPart::Thumb;
    if (disablesItself && bits != 0) return 3;
    if (hotCode != 0 && SkinRichCodePart(hotCode) == part && SkinRichCodeBar(hotCode) == barIndex)
        return tracking ? 2 : 1;
    return 0;
}

std::vector<SkinPiece> SkinRichBarPieces(const SkinRichBar& b, int firstArrowState, int secondArrowState) {
    std::vector<SkinPiece> pieces;
    if (!b.present) return pieces;
    const int row = Row(b.vertical);
    const SkinBox track = Cell(kTrackColumn, row);
    const int trackEnd = b.trackStart + b.trackLength;
    auto stretchTrack = [&](int start, int end) {
        Add(pieces, SkinPiece{SkinBlit::StretchHalftone, Box(b.Segment(start, end)), track});
    };
    if (b.HasThumb()) {
        stretchTrack(b.trackStart, b.trackStart + b.thumb.offset);
        stretchTrack(b.trackStart + b.thumb.offset + b.thumb.length, trackEnd);
    } else {
        stretchTrack(b.trackStart, trackEnd);
    }
    const int along = b.trackStart + b.trackLength + b.secondArrow;
    Add(pieces,
        Piece(Box(b.Segment(0, b.firstArrow)), Cell(kFirstArrowColumn + std::clamp(firstArrowState, 0, 3), row)));
    Add(pieces, Piece(Box(b.Segment(along - b.secondArrow, along)),
                      Cell(kSecondArrowColumn + std::clamp(secondArrowState, 0, 3), row)));
    return pieces;
}

std::vector<SkinPiece> SkinRichThumbPieces(bool vertical, int length, int across, int state,
                                           const SkinRichScrollMetrics& m) {
    std::vector<SkinPiece> pieces;
    if (length <= 0 || across <= 0) return pieces;
    const int s = std::clamp(state, 0, 3);
    const int row = Row(vertical);
    const int body = (kThumbColumn + s) * kCell;
    // Part of a cell at picture x `cellX`, in a vertical bar's terms: from
    // `alongStart` for `alongLength` along the bar, the whole cell across.
    auto cellPart = [&](int cellX, int alongStart, int alongLength) {
        SkinBox box = Oriented(vertical, alongStart, alongLength, 0, kCell);
        box.x += cellX;
        box.y += row;
        return box;
    };
    // Caps as long as the thumb allows: a thumb shorter than both shares itself.
    const int cap = std::max(0, m.cap);
    const int startCap = std::min(cap, length / 2);
    const int endCap = std::min(cap, length - startCap);
    const int slice = std::max(1, m.slice);
    for (int a = startCap; a < length - endCap; a += slice) {
        const int n = std::min(slice, length - endCap - a);
        const int srcN = std::max(1, n * kCellSlice / slice);
        Add(pieces, Piece(Oriented(vertical, a, n, 0, across), cellPart(body, kCellCap, srcN)));
    }
    const int srcStart = cap > 0 ? startCap * kCellCap / cap : 0;
    const int srcEnd = cap > 0 ? endCap * kCellCap / cap : 0;
    Add(pieces, Piece(Oriented(vertical, 0, startCap, 0, across), cellPart(body, 0, srcStart)));
    Add(pieces, Piece(Oriented(vertical, length - endCap, endCap, 0, across), cellPart(body, kCell - srcEnd, srcEnd)));
    if (length > m.gripFrom) {
        const int grip = std::min(std::max(0, m.grip), length);
        Add(pieces, Piece(Oriented(vertical, (length - grip) / 2, grip, 0, across),
                          cellPart((kGripColumn + s) * kCell, 0, kCell)));
    }
    return pieces;
}

SkinPiece SkinRichSizeBoxPiece(const SkinRect& box, bool leftScrollBar) {
    return Piece(Box(box), SkinBox{leftScrollBar ? kCell : 0, 2 * kCell, kCell, kCell});
}

SkinRichRepeat SkinRichRepeatTick(SkinRichPart pressed, SkinRichPart underCursor) {
    SkinRichRepeat r;
    switch (pressed) {
        case SkinRichPart::FirstArrow:
        case SkinRichPart::SecondArrow:
            r.send = underCursor == pressed;
            return r;
        case SkinRichPart::TrackBefore:
        case SkinRichPart::TrackAfter: {
            // The thumb now under the cursor, or already past it: it has arrived.
            const SkinRichPart beyond =
                pressed == SkinRichPart::TrackAfter ? SkinRichPart::TrackBefore : SkinRichPart::TrackAfter;
            if (underCursor == SkinRichPart::Thumb || underCursor == beyond) {
                r.stop = true;
                return r;
            }
            r.send = underCursor == pressed;
            return r;
        }
        default:
            r.stop = true;
            return r;
    }
}
