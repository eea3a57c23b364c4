// Where a group box's frame, caption and caption image go, apart from
// Win32: the frame one pixel inside the client area with its top line at
// half the caption's height, and the caption (image, then text) 8 pixels
// from the left or right edge or centred, by the style's BS_LEFT, BS_RIGHT
// or BS_CENTER bits. The pixels are those of 96 DPI, scaled.
#pragma once

#include <cstdint>

#include "common/value_types.h"
#include "skin/draw/skin_scale.h"

struct SkinGroupBoxLayout {
    SkinRect frame;    // the RoundRect's rectangle
    SkinRect caption;  // image and text together: where the frame line is covered
    SkinRect image;    // empty without an image
    SkinRect text;     // empty without a text
};

// `textWidth` and `textHeight` as DrawText measures the caption on one line
// (0, 0 when it is empty); `lineHeight` the font's height, which places the
// frame's top line when the caption is empty; `imageWidth` and
// `imageHeight` the size of the icon or bitmap before the text (0, 0 for
// none). The caption never reaches past the frame's sides.
SkinGroupBoxLayout SkinGroupBoxLayoutOf(uint32_t style, const SkinRect& client, int textWidth, int textHeight,
                                        int lineHeight, int imageWidth, int imageHeight, const SkinScale& scale = {});

// The gap between the caption's image and its text, and the margin of
// dialog background kept on each side of the caption.
inline constexpr int kSkinGroupImageGap = 3;
inline constexpr int kSkinGroupCaptionPad = 2;
