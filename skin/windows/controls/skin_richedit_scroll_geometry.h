// Geometry of the rich-edit controls' own scroll-bar layer, apart from
// Win32: its bars beside the client area, the thumb (at least 10 pixels),
// the part under a point, the state each part is drawn in, the pieces of
// the picture that make up arrows, track and the composed thumb, and the
// repeat of a held press.
//
// The layer is independent of the scroller's geometry; it shares only the
// arithmetic of scroll values (skin_scroll_geometry.h).
#pragma once

#include <cstdint>
#include <vector>

#include "skin/draw/skin_geometry.h"
#include "skin/windows/controls/skin_scroll_geometry.h"

// Screen sizes of the layer, in pixels at 96 DPI; SkinScaledRichScrollMetrics
// gives them at a window's scale.
struct SkinRichScrollMetrics {
    int thickness = kSkinScrollBarWidth96;  // a bar's width and an arrow's length
    int minThumb = 10;
    int gripFrom = 24;  // a longer thumb shows its grip
    int cap = 4;        // the thumb's end caps
    int slice = 8;      // the thumb's middle slice, repeated
    int grip = 16;
};

SkinRichScrollMetrics SkinScaledRichScrollMetrics(const SkinScale& scale);

// Parts, as the low four bits of a part code; kSkinRichVerticalBar marks
// the vertical bar.
enum class SkinRichPart : uint8_t {
    None = 0,
    FirstArrow = 1,
    SecondArrow = 2,
    Thumb = 3,
    TrackBefore = 4,
    TrackAfter = 5
};
inline constexpr int kSkinRichVerticalBar = 0x10;
inline int SkinRichPartCode(SkinRichPart part, int barIndex) {
    return part == SkinRichPart::None ? 0 : static_cast<int>(part) | (barIndex == 1 ? kSkinRichVerticalBar : 0);
}
inline SkinRichPart SkinRichCodePart(int code) { return static_cast<SkinRichPart>(code & 0x0F); }
inline int SkinRichCodeBar(int code) { return (code & kSkinRichVerticalBar) ? 1 : 0; }

// Arrow-disable bits (ESB_DISABLE_LTUP 1, ESB_DISABLE_RTDN 2) of a bar, kept
// two per bar: the horizontal bar's in bits 0-1, the vertical bar's in 2-3.
inline unsigned SkinRichBarDisableBits(unsigned bits, int barIndex) { return (bits >> (2 * barIndex)) & 3u; }

// One bar of the layer, in window coordinates.
struct SkinRichBar {
    bool present = false;
    bool vertical = false;
    SkinRect rect;
    int firstArrow = 0, secondArrow = 0;  // lengths; a short bar shares itself between them
    int trackStart = 0, trackLength = 0;  // along the bar, from its start
    SkinThumbSpan thumb;                  // in the track; length 0 when the bar cannot scroll

    bool HasThumb() const { return thumb.length > 0; }
    // The part of the bar from `start` to `end` along it, in window coordinates.
    SkinRect Segment(int start, int end) const;
};

struct SkinRichLayout {
    SkinRichBar bar[2];  // [0] horizontal, [1] vertical
    SkinRect sizeBox;    // only with both bars
};

// The thumb of a bar that can scroll (a page, and fewer positions on it
// than the range has): the page's share of the track, at least minThumb
// and at most the track, placed by the position.
SkinThumbSpan SkinRichThumb(int trackLength, const SkinScrollValues& values, const SkinRichScrollMetrics& metrics);

// The bars beside `clientInWindow`: the horizontal one below it, the
// vertical one at its right (left with `leftScrollBar`).
SkinRichLayout SkinRichLayoutBars(const SkinRect& clientInWindow, bool horizontal, bool vertical, bool leftScrollBar,
                                  const SkinScrollValues values[2], const SkinRichScrollMetrics& metrics);

// The part under (x, y): None outside the bar and on a bar with any
// arrow-disable bit set.
SkinRichPart SkinRichPartAt(const SkinRichBar& bar, int x, int y, unsigned barDisableBits);

// WM_NCHITTEST of the layer: HTVSCROLL, HTHSCROLL, HTSIZE (4) for the size
// box, or 0 when the point is on none of them.
int SkinRichHitTest(const SkinRichLayout& layout, int x, int y);

// The state a part is drawn in: 3 disabled (an arrow when its bar has a
// disable bit, the thumb likewise), else for the hot part 2 while the
// mouse is held and 1 otherwise, else 0.
int SkinRichPartState(SkinRichPart part, int barIndex, unsigned disableBits, int hotCode, bool tracking);

// Pieces of the picture (window coordinates) for a bar's track and arrows:
// the track stretched from its cell around the thumb, then both arrows.
std::vector<SkinPiece> SkinRichBarPieces(const SkinRichBar& bar, int firstArrowState, int secondArrowState);
// The thumb, composed at its own size (thumb-local coordinates, the thumb
// as long as `length` and `across` wide): the middle slice repeated, the two
// caps, and the grip centred when the thumb is long enough.
std::vector<SkinPiece> SkinRichThumbPieces(bool vertical, int length, int across, int state,
                                           const SkinRichScrollMetrics& metrics);
// The size box's cell (the second one with a left scroll bar) into `box`.
SkinPiece SkinRichSizeBoxPiece(const SkinRect& box, bool leftScrollBar);

// One tick of the repeat timer of a held arrow or track. `underCursor` is
// the part of the pressed bar now under the cursor (None off the bar).
// An arrow repeats while the cursor is on it; a page repeats while the
// cursor is on its side of the thumb, and stops for good once the thumb
// has reached the cursor.
struct SkinRichRepeat {
    bool send = false;
    bool stop = false;
};
SkinRichRepeat SkinRichRepeatTick(SkinRichPart pressed, SkinRichPart underCursor);
