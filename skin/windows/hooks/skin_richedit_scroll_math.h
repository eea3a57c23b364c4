// The arithmetic of the rich-edit scroll-bar layer's hook answers, apart
// from Win32: how SetScrollInfo, SetScrollPos, SetScrollRange,
// ShowScrollBar and EnableScrollBar change the layer's record of a window,
// and what the window must do afterwards (take a new frame, redraw a bar).
//
// A stored position lies in [minimum, maximum - (page - 1)], a stored page
// is at most the range's size, as with the system's own bars.
#pragma once

#include <cstdint>

#include "skin/windows/hooks/skin_scroll_math.h"

// ESB_ arrow flags.
enum : unsigned { kSkinEsbDisableLtUp = 1, kSkinEsbDisableRtDn = 2, kSkinEsbDisableBoth = 3 };

// What the layer keeps of a window's bars: [0] horizontal, [1] vertical.
// `shown` of each bar is its style bit (WS_HSCROLL, WS_VSCROLL); the arrow
// flags of both bars sit in `disableBits`, the horizontal bar's in bits 0-1.
struct SkinRichScrollState {
    SkinScrollBarCopy bar[2];
    unsigned disableBits = 0;
};

// What a call asks of the window once the record has changed.
struct SkinRichScrollEffect {
    bool frameChanged = false;  // a bar was shown or hidden: the frame is computed again
    unsigned redraw = 0;        // bars to draw again: 1 horizontal, 2 vertical
};

// True when the values leave something to scroll: a range, and a page
// smaller than it.
bool SkinRichCanScroll(const SkinScrollBarCopy& bar);

// Each returns what the system function returns. `bar` is the system's bar
// code; SB_CTL is not the layer's (0, nothing changed). `redraw` is the
// caller's redraw flag; a bar is redrawn only when it is shown.
int SkinRichSetScrollInfo(SkinRichScrollState& state, int bar, const SkinScrollInfoIn& in, bool redraw,
                          SkinRichScrollEffect* effect);
int SkinRichSetScrollPos(SkinRichScrollState& state, int bar, int position, bool redraw, SkinRichScrollEffect* effect);
bool SkinRichSetScrollRange(SkinRichScrollState& state, int bar, int minimum, int maximum, bool redraw,
                            SkinRichScrollEffect* effect);
// SB_HORZ, SB_VERT or SB_BOTH (SB_CTL is the window's own visibility).
bool SkinRichShowScrollBar(SkinRichScrollState& state, int bar, bool show, SkinRichScrollEffect* effect);
// The bars' arrow flags become `arrows` (ESB_ENABLE_BOTH, 0, clears them);
// true when a flag changed.
bool SkinRichEnableScrollBar(SkinRichScrollState& state, int bar, unsigned arrows, SkinRichScrollEffect* effect);
