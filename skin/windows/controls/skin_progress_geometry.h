// Geometry of a skinned progress bar, apart from Win32: how much of the
// bar is filled, the percentage it shows, where the filled part and the
// text go, and the pieces of the bar pictures for the strip draw styles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/value_types.h"
#include "skin/draw/skin_geometry.h"

// What the control reports (PBM_GETRANGE, PBM_GETPOS).
struct SkinProgressRange {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
};

// The filled share of the bar, 0 to 1. An empty or inverted range
// (maximum <= minimum) fills nothing; a position outside the range counts
// as its nearer end.
double SkinProgressFraction(const SkinProgressRange& range);

// The text the bar shows: the filled share in per cent, rounded to a whole
// number ("50%", "33%"); "0%" for an empty or inverted range.
std::wstring SkinProgressText(const SkinProgressRange& range);

// The filled part: the client rectangle shrunk by `activeOffset` on every
// side, cut at the share of its length, from the left (from the bottom
// when `vertical`). Empty when nothing is filled.
SkinRect SkinProgressFill(const SkinRect& client, int activeOffset, double fraction, bool vertical);

// The moving block of a bar in marquee style: a fifth of the filled
// part's length, entering at the start (the bottom of a vertical bar) and
// leaving at the far end once every `periodMs`, at `elapsedMs`.
SkinRect SkinProgressMarquee(const SkinRect& client, int activeOffset, uint32_t elapsedMs, uint32_t periodMs,
                             bool vertical);

// Whether a 9-grid with these margins fits into `length` along the bar.
bool SkinProgressGridFits(const SkinQuad& margins, int length, bool vertical);

// The text's rectangle: `textWidth` wide, centred across the bar but never
// starting left of the client's left edge, the client's full height.
SkinRect SkinProgressTextRect(const SkinRect& client, int textWidth);

// How the strip styles fill the middle between the end caps.
enum class SkinStripMiddle : uint8_t { Stretch, Tile };

// Pieces of one bar picture (W x H) laid along `dst` for the strip draw
// styles: the picture centred across the bar at its own thickness (cut to
// the bar's), the first and last `cap` pixels along the bar at 1:1, the
// middle stretched or tiled. `blit` is the copy of every piece (Keyed for
// colour-keyed bitmaps, Blend for decoded pictures). A middle that would
// take more than kSkinMaxStripTiles tiles is stretched instead.
inline constexpr int kSkinMaxStripTiles = 64;
std::vector<SkinPiece> SkinProgressStrip(SkinBlit blit, int imageW, int imageH, const SkinRect& dst, int cap,
                                         SkinStripMiddle middle, bool vertical);
