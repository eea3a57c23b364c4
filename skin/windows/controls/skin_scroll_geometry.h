// Geometry of the skinned scroll bars, apart from Win32: where the bars
// sit beside the client area, arrows, track and thumb of one bar, which
// part a point is on, the thumb drag, and which cell of the scroll-bar
// picture each part is drawn from.
//
// Everything is described for a vertical bar; a horizontal bar is the same
// with x and y exchanged. All arithmetic on scroll values is done in 64
// bits: maximum - minimum overflows 32 bits for wide ranges.
#pragma once

#include <cstdint>
#include <optional>

#include "skin/draw/skin_geometry.h"
#include "skin/draw/skin_scale.h"

// Screen sizes of the bars, in pixels at 96 DPI. The window's scale turns
// them into its own (SkinScaledScrollMetrics); nothing else in the scroll
// code holds a pixel size.
struct SkinScrollMetrics {
    int thickness = kSkinScrollBarWidth96;  // a bar's width, an arrow's length, the corner's size
    int minThumb = 20;                      // the shortest thumb of a bar with a page
    int fixedThumb = 16;                    // the thumb of a bar without a range
    int dragSlop = 96;                      // a drag farther than this off the bar's side freezes the thumb
};

// The sizes at a window's scale.
SkinScrollMetrics SkinScaledScrollMetrics(const SkinScale& scale);

// The scroll-bar picture: cells of 16 x 16 picture pixels, drawn as
// 9-grids with 2-pixel margins. These are picture coordinates and do not
// scale with the window.
inline constexpr int kSkinScrollCell = 16;
inline constexpr int kSkinScrollCellMargin = 2;

// Rounds a * b / c to the nearest integer, halves away from zero, as
// Win32's MulDiv; 0 when c is 0. Exact for any 64-bit operands whose
// quotient fits.
int64_t SkinMulDiv(int64_t a, int64_t b, int64_t c);

// The lengths of a bar's two arrows along a bar `along` pixels long: the
// bar's thickness each, or, on a bar shorter than both, the bar shared
// between them so the track is never negative.
struct SkinArrowLengths {
    int first = 0, second = 0;
};
SkinArrowLengths SkinSplitArrows(int along, int thickness);

// What the scroll-bar functions hold for one bar.
struct SkinScrollValues {
    int minimum = 0;
    int maximum = 0;
    unsigned page = 0;
    int position = 0;
};

// A bar that cannot scroll: the maximum below the page, or no range with no
// page. Such a bar shows no thumb and takes no mouse input. (The scroll-bar
// control is disabled with its window instead.)
bool SkinScrollBarDisabled(const SkinScrollValues& values);

// The thumb inside a track: offset from the track's start and length;
// length 0 means no thumb.
struct SkinThumbSpan {
    int offset = 0;
    int length = 0;
    bool operator==(const SkinThumbSpan& o) const { return offset == o.offset && length == o.length; }
};

// The thumb of a track of `trackLength` pixels:
// - disabled, or no room: none;
// - no range (maximum <= minimum): a fixed thumb at the track's start,
//   none when `hideFixedThumb`;
// - a page: as long as the page's share of the range, at least minThumb;
// - no page: a minThumb thumb placed by the position.
// It never reaches outside the track; one longer than the track becomes
// the track.
SkinThumbSpan SkinScrollerThumb(int trackLength, const SkinScrollValues& values, bool disabled, bool hideFixedThumb,
                                const SkinScrollMetrics& metrics);

// The parts of a bar. The values of the pressed parts are the scroll
// commands they send (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN).
enum class SkinScrollPart : uint8_t {
    None,
    FirstArrow,   // up or left
    SecondArrow,  // down or right
    TrackBefore,  // the track before the thumb: a page up
    TrackAfter,   // the track after the thumb: a page down
    Thumb,
};
// The scroll command a press on the part sends, or -1 (thumb, none).
int SkinScrollCommand(SkinScrollPart part);

// One bar, with its parts in bar-local coordinates (origin at the bar's
// top-left corner).
struct SkinScrollBarGeometry {
    bool vertical = true;
    bool disabled = false;
    SkinRect bar;                                    // in the window's (or the control's) coordinates
    SkinRect firstArrow, secondArrow, track, thumb;  // thumb empty when none
    int trackLength = 0;
    SkinThumbSpan span;  // the thumb along the track

    bool HasThumb() const { return span.length > 0; }
};

struct SkinScrollBarInput {
    bool vertical = true;
    SkinRect bar;
    SkinScrollValues values;
    bool disabled = false;
    bool hideFixedThumb = false;  // no thumb without a range (windows that cannot scroll)
    bool keepFullThumb = false;   // the scroll-bar control keeps a thumb that fills the track
    // While the thumb is dragged: its offset in the track, which the drag
    // owns (the thumb follows the pointer, not the rounded position).
    std::optional<int> dragOffset;
};

// Arrows at both ends, each `thickness` long, and the track between them.
// A bar shorter than two arrows gives each arrow half of it and has an
// empty track in the middle, so no rectangle is ever negative.
SkinScrollBarGeometry SkinComputeScrollBar(const SkinScrollBarInput& input, const SkinScrollMetrics& metrics);

// The part under (x, y), in the coordinates of `geometry.bar`. A disabled
// bar answers None everywhere, as does a point outside the bar.
SkinScrollPart SkinScrollPartAt(const SkinScrollBarGeometry& geometry, int x, int y);

// Where the bars of a window go: beside its client area (window
// coordinates), the vertical one on the right or, with a left scroll bar,
// on the left; the horizontal one below; the corner square under the
// vertical bar when both are there.
struct SkinScrollPlacement {
    SkinRect bar[2];  // [0] horizontal, [1] vertical; empty when absent
    SkinRect corner;  // empty unless both bars are there
};
SkinScrollPlacement SkinPlaceScrollBars(const SkinRect& clientInWindow, bool horizontal, bool vertical,
                                        bool leftScrollBar, const SkinScrollMetrics& metrics);

// WM_NCCALCSIZE of a window whose bars the scroller draws: the proposed
// window rectangle widened so that, once the system takes its own bar
// sizes out of it, each bar is `thickness` thick.
SkinRect SkinScrollerWidenProposal(const SkinRect& proposed, bool horizontal, bool vertical, bool leftScrollBar,
                                   int systemVBarWidth, int systemHBarHeight, const SkinScrollMetrics& metrics);

// Private hit codes that keep the system from tracking the bars itself.
enum : int { kSkinHtHScrollBar = 0x8001, kSkinHtVScrollBar = 0x8002 };

// The thumb drag. Positions along the bar are bar-local.
struct SkinScrollDrag {
    int startAlong = 0;   // the pointer along the bar at the press
    int startOffset = 0;  // the thumb's offset at the press
    int offset = 0;       // the thumb's offset now
};
SkinScrollDrag SkinStartScrollDrag(const SkinScrollBarGeometry& geometry, int x, int y);

// A pointer move to bar-local (x, y). The thumb follows the pointer's
// distance from the press, held inside the track; past the arrows it stays
// at that end. More than dragSlop pixels off either side of the bar, the
// thumb stays where it is until the pointer comes back. Returns true when
// the pointer is near enough to count.
bool SkinScrollDragMove(SkinScrollDrag& drag, const SkinScrollBarGeometry& geometry, int x, int y,
                        const SkinScrollMetrics& metrics);

// The position a thumb at `offset` stands for: minimum + offset's share of
// the positions the thumb can take, never past the last position (maximum
// - page + 1, or maximum without a page). None when the thumb cannot move
// (it fills the track).
std::optional<int> SkinScrollDragPosition(int offset, int trackLength, int thumbLength, const SkinScrollValues& values);

// The last position the bar can take: maximum - (page - 1), or maximum
// without a page; never below the minimum.
int64_t SkinScrollLastPosition(const SkinScrollValues& values);

// ----- Cells of the scroll-bar picture -----

// What a bar's four parts are drawn from, in drawing order: track, thumb,
// first arrow, second arrow. `dst` is bar-local; `src` the cell in the
// picture. Parts that are empty are left out.
struct SkinScrollCellDraw {
    SkinRect dst;
    SkinRect src;
};
struct SkinScrollCellDraws {
    SkinScrollCellDraw items[4];
    int count = 0;
};
// Only `activePart` takes the state `state` (0 normal, 1 hover, 2 pressed);
// every other part is drawn normal. The track has one cell for all states.
SkinScrollCellDraws SkinScrollBarCells(const SkinScrollBarGeometry& geometry, SkinScrollPart activePart, int state);

// The corner cell: the square below both bars.
SkinRect SkinScrollCornerCell(bool leftScrollBar);
