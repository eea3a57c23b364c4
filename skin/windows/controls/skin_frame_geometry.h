// Geometry of a skinned frame, apart from Win32: its kind, client area,
// first size adjustment, the pieces of the frame bitmap, the non-client
// bands, the hit test, and the window region cut from the picture's key.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/resources/skin_geometry.h"
#include "skin/resources/skin_value_parsers.h"

// Frame kinds: none, captioned, tool-window caption, border only.
enum : int { kSkinFrameNone = 0, kSkinFrameCaption = 1, kSkinFrameToolCaption = 2, kSkinFrameBorder = 3 };

// Style bits the frame looks at (Win32 values, for portable code).
enum : uint32_t {
    kSkinWsCaption = 0x00C00000,
    kSkinWsBorder = 0x00800000,
    kSkinWsDlgFrame = 0x00400000,
    kSkinWsThickFrame = 0x00040000,
    kSkinWsVScroll = 0x00200000,
    kSkinWsHScroll = 0x00100000,
    kSkinDsModalFrame = 0x80,
    kSkinWsExToolWindow = 0x80,
    kSkinWsExWindowEdge = 0x100,
    kSkinWsExClientEdge = 0x200,
    kSkinWsExStaticEdge = 0x20000,
    kSkinWsExLeftScrollBar = 0x4000,
};

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
};

// The client rectangle of a window rectangle (WM_NCCALCSIZE). Scroll bars
// the frame draws itself take 16 pixels.
SkinRect SkinFrameClientRect(int kind, uint32_t style, uint32_t exStyle, const SkinRect& window,
                             const SkinFrameMetrics& metrics);

// The size a captioned frame takes once, at its first non-client paint:
// the system border and caption replaced by the skin's. `systemBorder` and
// `systemCaption` come from the style's own metrics.
struct SkinSize {
    int width = 0;
    int height = 0;
    bool operator==(const SkinSize& o) const { return width == o.width && height == o.height; }
};
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

// Hit codes of the frame (WM_NCHITTEST values).
enum : int {
    kSkinHtNowhere = 0,
    kSkinHtClient = 1,
    kSkinHtCaption = 2,
    kSkinHtSysMenu = 3,
    kSkinHtMinButton = 8,
    kSkinHtMaxButton = 9,
    kSkinHtLeft = 10,
    kSkinHtRight = 11,
    kSkinHtTop = 12,
    kSkinHtTopLeft = 13,
    kSkinHtTopRight = 14,
    kSkinHtBottom = 15,
    kSkinHtBottomLeft = 16,
    kSkinHtBottomRight = 17,
    kSkinHtClose = 20,
    kSkinHtHelp = 21,
    kSkinHtMenuBar = 0x1201,
};

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
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
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
