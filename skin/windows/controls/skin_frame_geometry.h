// Geometry of a skinned frame, apart from Win32: its kind, client area,
// first size adjustment, the pieces of the frame bitmap, the non-client
// bands, the hit test, and the window region cut from the picture's key.
#pragma once

#include <cstdint>
#include <vector>

#include "common/value_types.h"
#include "common/win_constants.h"
#include "skin/draw/skin_geometry.h"
#include "skin/draw/skin_scale.h"

// Frame kinds: none, captioned, tool-window caption, border only.
enum : int { kSkinFrameNone = 0, kSkinFrameCaption = 1, kSkinFrameToolCaption = 2, kSkinFrameBorder = 3 };

int SkinFrameKind(uint32_t style, uint32_t exStyle, bool maximisedMdiChild);

inline bool SkinHasCaption(uint32_t style) { return (style & kSkinWsCaption) == kSkinWsCaption; }

// What the frame's description and state give its geometry.
struct SkinFrameMetrics {
    SkinQuad borderWidth;   // the skinned edges
    SkinQuad borderOffset;  // the picture's corner blocks
    int captionHeight = 0;
    SkinPair captionOffset;  // fixed left and right parts of the caption
    int menuRows = 0;        // menu-bar rows shown below the caption
    int menuRowHeight = 0;
    int scrollBarWidth = kSkinScrollBarWidth96;  // scroll bars the frame draws itself
};

// The client rectangle of a window rectangle (WM_NCCALCSIZE). Scroll bars
// the frame draws itself take the metrics' scroll-bar width.
SkinRect SkinFrameClientRect(int kind, uint32_t style, uint32_t exStyle, const SkinRect& window,
                             const SkinFrameMetrics& metrics);

// The size a captioned frame takes once, at its first non-client paint:
// the system border and caption replaced by the skin's. `systemBorder` and
// `systemCaption` come from the style's own metrics.
SkinSize SkinFirstSizeAdjustment(const SkinSize& size, const SkinFrameMetrics& metrics, int systemBorderX,
                                 int systemCaption);

// The non-client bands in window coordinates.
struct SkinFrameBands {
    SkinRect top, left, right, bottom;
};
SkinFrameBands SkinFrameBandRects(int width, int height, const SkinFrameMetrics& metrics);

// Pieces of the frame bitmap (all opaque copies) for a W x H window from
// an IW x IH picture: edges tiled, corners 1:1, the caption strip. Pieces
// that would be empty are left out; sources stay inside the picture.
std::vector<SkinPiece> SkinFrameBitmapPieces(int width, int height, int imageW, int imageH,
                                             const SkinFrameMetrics& metrics);

// The pieces of `pieces` (window coordinates) that fall in `band`, in the
// band's own coordinates: 1:1 copies cut to the band, any other piece moved
// whole (the band's bitmap clips it, keeping its scale). Drawn into a
// bitmap of the band's size they give the band's pixels of the whole.
std::vector<SkinPiece> SkinPiecesInBand(const std::vector<SkinPiece>& pieces, const SkinRect& band);

// The frame's own hit code of its menu bar, beside the system's
// (kSkinHt... of common/win_constants.h).
constexpr int kSkinHtMenuBar = 0x1201;

struct SkinFrameHitInput {
    SkinRect client;  // window coordinates
    SkinRect menuBar;
    SkinRect close, minimise, maximise, help, icon;
    bool captionButtons = false;
    bool resizable = false;  // and has a frame
    int width = 0, height = 0;
    SkinFrameMetrics metrics;
};
// The frame's own answer at a point relative to the window's top-left
// corner, or -1 when the previous procedure is to answer.
int SkinFrameHitTest(const SkinFrameHitInput& input, int x, int y);

// The system's answer as a skinned frame passes it on: its own caption
// parts (5, 8, 9, 20, 21) do nothing.
int SkinFilterSystemHit(int code);

// Pixels of a picture as the region code reads them: rows top-down,
// `stride` bytes apart, `bytesPerPixel` (3 or 4) bytes B, G, R[, X] each.
struct SkinPixelRows {
    const uint8_t* pixels = nullptr;  // the top row
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes from a row to the one below; negative for bottom-up pixels
    int bytesPerPixel = 4;

    // The pixel's colour as 0x00BBGGRR; false outside the picture.
    bool ColorAt(int x, int y, uint32_t* color) const;
};

// The "framebitmapround" cut of a W x H window: the key pixels of the
// picture's four corner blocks (border-offset sized), each block taken from
// the picture's corner and placed at the window's corner, as one rectangle
// per run of key pixels in a row, in window coordinates. The window region
// is the window less these.
std::vector<SkinRect> SkinRoundCornerCuts(const SkinPixelRows& picture, uint32_t key, int width, int height,
                                          const SkinQuad& borderOffset);

// Rectangles that cover the W x H window less the `cuts`: rows with cuts
// are split around them, rows without are merged into bands.
std::vector<SkinRect> SkinWindowRegionRects(int width, int height, std::vector<SkinRect> cuts);

// The "framebitmaprgn" cut: every key-coloured pixel of the frame bitmap in
// columns 0 to bw.left and W - bw.right to W of every row, and in every
// column of rows 0 to bw.top and H - bw.bottom to the last (bounds
// inclusive, clipped to the bitmap), as runs per row.
std::vector<SkinRect> SkinEdgeKeyCuts(const SkinPixelRows& frame, uint32_t key, const SkinQuad& borderWidth);
