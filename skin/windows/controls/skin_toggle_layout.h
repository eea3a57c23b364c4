// What a check box or radio button shows, apart from Win32: its state index
// and item mask from the check state, which mark picture it draws (with the
// fallbacks), which drawing items match, and where mark and text go.
#pragma once

#include <cstdint>

#include "common/win_constants.h"
#include "common/value_types.h"
#include "skin/draw/skin_scale.h"
#include "skin/windows/manager/skin_base.h"

// The index (pictures, text colour) as for push buttons; the mask by the
// check state: checked 16 disabled, 64 hovering and not pressed, else 32;
// unchecked (indeterminate too) 8, 256, 128. Focus never changes the mask.
SkinState SkinToggleState(bool enabled, bool hover, bool pressed, bool focused, uint32_t checkState);

// Whether an item of mask `itemMask` is drawn on a toggle whose state mask
// is `toggleMask`. An item named "checkeddisable" carries 24 (the 8 of
// "disable" with it): it belongs to the disabled checked state, so its 8
// does not make it show on a disabled unchecked control.
bool SkinToggleItemMatches(uint32_t itemMask, uint32_t toggleMask);

// The eleven mark pictures: two groups of five by state index, then the
// indeterminate one.
enum : int { kSkinToggleUnchecked = 0, kSkinToggleChecked = 5, kSkinToggleIndeterminate = 10, kSkinToggleMarks = 11 };

// Which of the marks to draw, or -1 for none. `present` says which exist.
// A missing state picture falls back to its group's normal one. A check
// box (radios know no indeterminate mark) that is indeterminate and not
// checked shows the indeterminate mark in every state, or none.
int SkinToggleMark(const bool (&present)[kSkinToggleMarks], uint32_t checkState, int stateIndex, bool checkBox);

// Mark and text rectangles in a client rectangle: the mark (at its own
// size) at the left edge, or at the right edge with BS_LEFTTEXT, centred
// vertically; the text beside it (3 pixels at 96 DPI apart on the left side).
struct SkinToggleLayout {
    SkinRect mark;
    SkinRect text;
};
SkinToggleLayout SkinToggleLayoutOf(const SkinRect& client, int markWidth, int markHeight, bool leftText,
                                    const SkinScale& scale = {});
