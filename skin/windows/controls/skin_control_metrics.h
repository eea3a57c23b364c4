// Pixel sizes the spin, slider, progress and tab skins use besides their
// pictures, in one place: measured at 96 dots per inch, and scaled for a
// window's display all at once (SkinScaled).
#pragma once

#include "skin/draw/skin_scale.h"

// Spin button: the gap between its two halves, and the corners of a
// half's picture kept unscaled (its 9-grid margins, a number of the picture:
// the picture itself is drawn at the window's scale).
struct SkinSpinMetrics {
    int halfGap = 2;
    int pictureMargin = 3;
};

// Slider: tick marks beside the thumb.
struct SkinSliderMetrics {
    int tickLength = 3;
    int tickWidth = 1;
    int tickGap = 2;  // between the thumb and a tick
};

// Tab control.
struct SkinTabMetrics {
    int selectedGrowSide = 2;  // the selected tab is wider on both sides
    int selectedGrowOut = 2;   // and reaches further away from the page
    int selectedGrowIn = 1;    // and over the page's border line
    int iconTextGap = 3;
    int textInset = 2;         // a text wider than its tab stops this far from its edges
    int focusInset = 3;        // the focus rectangle inside the selected tab
    int minBorderHeight = 10;  // a page border lower than this is not drawn
};

// The metrics at a window's scale.
inline SkinSpinMetrics SkinScaled(const SkinSpinMetrics& m, const SkinScale& s) {
    return SkinSpinMetrics{s.Scale(m.halfGap), m.pictureMargin};
}
inline SkinSliderMetrics SkinScaled(const SkinSliderMetrics& m, const SkinScale& s) {
    return SkinSliderMetrics{s.Scale(m.tickLength), SkinScaledPenWidth(s, m.tickWidth), s.Scale(m.tickGap)};
}
inline SkinTabMetrics SkinScaled(const SkinTabMetrics& m, const SkinScale& s) {
    return SkinTabMetrics{s.Scale(m.selectedGrowSide), s.Scale(m.selectedGrowOut), s.Scale(m.selectedGrowIn),
                          s.Scale(m.iconTextGap),      s.Scale(m.textInset),       s.Scale(m.focusInset),
                          s.Scale(m.minBorderHeight)};
}
