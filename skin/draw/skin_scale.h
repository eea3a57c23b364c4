// The display scale in the skin's geometry: how a skin turns the 96-DPI
// numbers of its theme into device pixels of its window.
//
// Every skinned window has one scale, its DPI over 96 (CSkinBase::Scale()),
// and every canvas drawing for it carries the same scale (ISkinCanvas::
// Scale()). The rule, for every skin:
//
//  - Rectangles, sizes and positions come out of the geometry functions in
//    device pixels: SkinItemRect and SkinControlRect take the scale and
//    place a layout's 96-DPI numbers (from either edge, or centred) by
//    scaled edges.
//  - Any other theme number (a border, a margin, an offset, a caption
//    height, a line width) goes through SkinScale::Scale(), or the helpers
//    below for pairs and quads. Engine constants written for 96 DPI (the
//    16-pixel scroll bar) do too.
//  - Pictures are drawn with their 96-DPI numbers (margins, source
//    rectangles, caps) into device rectangles: CSkinDrawImage draws the
//    picture scaled to the canvas's scale, and cuts it by scaled edges.
//  - Fonts of the theme are taken for the scale (SkinThemeFont); fonts the
//    system made for the window (WM_GETFONT) are already the window's.
//
// Edges, not sizes: a span of the theme becomes the difference of its two
// scaled edges, so pieces and items that meet at 96 DPI still meet.
#pragma once

#include "common/dpi_scale.h"
#include "common/value_types.h"

using SkinScale = dpi::DpiScale;

// The width of a scroll bar the engine draws itself, at 96 DPI.
inline constexpr int kSkinScrollBarWidth96 = 16;
inline int SkinScrollBarWidth(const SkinScale& scale) { return scale.Scale(kSkinScrollBarWidth96); }

// A rectangle by its scaled edges.
SkinRect SkinScaleRect(const SkinScale& scale, const SkinRect& rect);
// Each value scaled: border widths, offsets, margins of a destination.
SkinQuad SkinScaleQuad(const SkinScale& scale, const SkinQuad& quad);
SkinPair SkinScalePair(const SkinScale& scale, const SkinPair& pair);

// The margins of a cut of a picture, in the picture scaled by `scale`:
// each margin is the distance between two scaled edges of the picture's
// part `part` (so the corner pieces of the scaled picture meet its middle
// exactly). Margins below 0 count as 0.
SkinQuad SkinScalePictureMargins(const SkinScale& scale, const SkinRect& part, const SkinQuad& margins);

// The width of a pen the theme gives (0 is GDI's one-pixel pen): as it is
// at 96 DPI, else scaled from at least 1.
inline int SkinScaledPenWidth(const SkinScale& scale, int width96) {
    return scale.IsIdentity() ? width96 : scale.Scale(width96 < 1 ? 1 : width96);
}

// The size of a W x H picture drawn at the scale.
SkinSize SkinScaledPictureSize(const SkinScale& scale, int width, int height);
