// Where a push button's window text goes and with which DrawText format,
// from the button's style (pure arithmetic, apart from the drawing), and
// which description its spin part takes.
#pragma once

#include <cstdint>

#include "common/value_types.h"
#include "skin/draw/skin_geometry.h"

class CSkinResourceManager;
struct SkinButtonDesc;

struct SkinButtonTextPlace {
    SkinRect rect;
    uint32_t format = 0;
};

// `text` is the client rectangle shrunk by 2 on every side; `measuredHeight`
// the height DrawText measured for a multi-line text (unused otherwise).
// In state down the rectangle moves by `downOffset`.
SkinButtonTextPlace SkinButtonTextLayout(uint32_t style, const SkinRect& text, int measuredHeight, bool down,
                                         const SkinPair& downOffset);

// Whether the style needs a measurement first (BS_MULTILINE).
inline bool SkinButtonTextIsMultiline(uint32_t style) { return (style & 0x2000) != 0; }

// The state's picture and text colour index order: normal, over, down,
// disabled, focus.
constexpr int kSkinButtonStateCount = 5;

// The description of a push button's spin part: the button description its
// spinbtnLabel names (or the class default the lookup falls back to); null
// without a label. A spin part gets no spin part of its own, whatever its
// description says, so a label naming its own item, a cycle of labels or a
// default item that falls back to itself cannot make attaching loop.
const SkinButtonDesc* SkinSpinPartDescription(const CSkinResourceManager& manager, const SkinButtonDesc& button);
