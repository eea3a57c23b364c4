// How a composed picture goes back onto a target: its box split into plain
// copies and "special" parts (keyed or blended copies, which cost far more
// per pixel), leaving out what would draw nothing. Pure code, so the plan is
// tested natively.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/draw/skin_geometry.h"

// What one pixel of a composed picture asks of the target.
enum class SkinComposedPixel : uint8_t {
    Copy,     // the composed pixel replaces the target's
    Special,  // keyed or blended with the target's
    Skip,     // the target keeps its pixel
};

struct SkinComposeOp {
    bool special = false;  // a keyed or blended copy, else a plain one
    SkinBox box;

    bool operator==(const SkinComposeOp& o) const { return special == o.special && box == o.box; }
};

// The plan for a w x h picture of pixel kinds (rows top-down). Rows of plain
// copies become one copy; a run of other rows becomes one band, split by
// columns into copies and special parts. A special part may also take copy
// pixels (a keyed or blended copy of them gives the same), and Skip pixels
// too when `skipMayBeSpecial` (a blend of a transparent pixel changes
// nothing); otherwise Skip pixels are left alone exactly: the rows of a
// band then leave the same columns alone. False, with no ops, for an empty
// picture or when the plan would need more than kSkinMaxComposeOps copies.
constexpr int kSkinMaxComposeOps = 64;
bool SkinPlanComposedCopy(const std::vector<SkinComposedPixel>& pixels, int w, int h, bool skipMayBeSpecial,
                          std::vector<SkinComposeOp>* ops);
