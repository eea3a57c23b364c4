#include "skin/windows/hooks/skin_richedit_scroll_math.h"

#include <algorithm>

namespace {

// The bar index of SB_HORZ (0) and SB_VERT (1); -1 for anything else.
int OwnIndex(int bar) { return bar == kSkinSbHorz ? 0 : bar == kSkinSbVert ? 1 : -1; }

void Redraw(const SkinRichScrollState& state, int index, bool redraw, SkinRichScrollEffect* effect) {
    if (redraw && state.bar[index].shown) effect->redraw |= 1u << index;
}

// Shows or hides a bar; a change means a new frame.
void SetShown(SkinRichScrollState& state, int index, bool shown, SkinRichScrollEffect* effect) {
    if (state.bar[index].shown == shown) return;
    state.bar[index].shown = shown;
    effect->frameChanged = true;
}

unsigned DisableBits(const SkinRichScrollState& state, int index) { return (state.disableBits >> (2 * index)) & 3u; }

void SetDisableBits(SkinRichScrollState& state, int index, unsigned bits) {
    const unsigned shift = 2u * static_cast<unsigned>(index);
    state.disableBits = (state.disableBits & ~(3u << shift)) | ((bits & 3u) << shift);
}

// A new range or page brings page and position back inside it.
void Reclamp(SkinScrollBarCopy& b) {
    if (b.maximum < b.minimum) b.maximum = b.minimum;
    const int64_t size = int64_t{b.maximum} - b.minimum + 1;
    b.page = static_cast<unsigned>(std::min<int64_t>(b.page, size));
    b.position = SkinClampScrollPosition(b, b.position);
}

}  // namespace

bool SkinRichCanScroll(const SkinScrollBarCopy& b) {
    const int64_t range = int64_t{b.maximum} - b.minimum;
    return range > 0 && int64_t{b.page} <= range;
}

int SkinRichSetScrollInfo(SkinRichScrollState& state, int bar, const SkinScrollInfoIn& in, bool redraw,
                          SkinRichScrollEffect* effect) {
    const int index = OwnIndex(bar);
    if (index < 0) return 0;
    SkinScrollBarCopy& b = state.bar[index];
    // A hidden bar takes values only together with a range.
    if (!b.shown && !(in.mask & kSkinSifRange)) return 0;
    if (in.mask & kSkinSifRange) {
        b.minimum = in.minimum;
        b.maximum = in.maximum;
    }
    if (in.mask & kSkinSifPage) b.page = in.page;
    Reclamp(b);
    if (in.mask & kSkinSifPos) b.position = SkinClampScrollPosition(b, in.position);

    const bool canScroll = SkinRichCanScroll(b);
    if (in.mask & kSkinSifDisableNoScroll) {
        // The bar stays, with both arrows off while there is nothing to scroll.
        SetShown(state, index, true, effect);
        const unsigned bits = canScroll ? 0u : unsigned{kSkinEsbDisableBoth};
        if (bits != DisableBits(state, index)) {
            SetDisableBits(state, index, bits);
            effect->redraw |= 1u << index;
        }
    } else {
        SetShown(state, index, canScroll, effect);
    }
    if (!effect->frameChanged) Redraw(state, index, redraw, effect);
    return b.position;
}

int SkinRichSetScrollPos(SkinRichScrollState& state, int bar, int position, bool redraw, SkinRichScrollEffect* effect) {
    const int index = OwnIndex(bar);
    if (index < 0) return 0;
    SkinScrollBarCopy& b = state.bar[index];
    const int old = b.position;
    b.position = SkinClampScrollPosition(b, position);
    Redraw(state, index, redraw, effect);
    return old;
}

bool SkinRichSetScrollRange(SkinRichScrollState& state, int bar, int minimum, int maximum, bool redraw,
                            SkinRichScrollEffect* effect) {
    const int index = OwnIndex(bar);
    if (index < 0) return false;
    SkinScrollBarCopy& b = state.bar[index];
    b.minimum = minimum;
    b.maximum = maximum;
    Reclamp(b);
    // An empty range hides the bar, a range shows it, as the system does.
    SetShown(state, index, minimum != maximum, effect);
    if (!effect->frameChanged) Redraw(state, index, redraw, effect);
    return true;
}

bool SkinRichShowScrollBar(SkinRichScrollState& state, int bar, bool show, SkinRichScrollEffect* effect) {
    if (bar != kSkinSbHorz && bar != kSkinSbVert && bar != kSkinSbBoth) return false;
    if (bar != kSkinSbVert) SetShown(state, 0, show, effect);
    if (bar != kSkinSbHorz) SetShown(state, 1, show, effect);
    return true;
}

bool SkinRichEnableScrollBar(SkinRichScrollState& state, int bar, unsigned arrows, SkinRichScrollEffect* effect) {
    if (bar != kSkinSbHorz && bar != kSkinSbVert && bar != kSkinSbBoth) return false;
    bool changed = false;
    for (int index = 0; index < 2; ++index) {
        if ((index == 0 && bar == kSkinSbVert) || (index == 1 && bar == kSkinSbHorz)) continue;
        if (DisableBits(state, index) == (arrows & 3u)) continue;
        SetDisableBits(state, index, arrows);
        changed = true;
        if (state.bar[index].shown) effect->redraw |= 1u << index;
    }
    return changed;
}
