// Pixel sizes the spin, slider, progress and tab skins use besides their
// pictures, in one place: measured at 96 dots per inch, so a display scale
// applies to all of them at once.
#pragma once

// Spin button: the gap between its two halves, and the corners of a
// half's picture kept unscaled (its 9-grid margins).
struct SkinSpinMetrics {
    int halfGap = 2;
    int pictureMargin = 3;
};

// Slider: tick marks beside the thumb.
struct SkinSliderMetrics {
    int tickLength = 3;
    int tickGap = 2;     // between the thumb and a tick
    int focusInset = 0;  // the focus rectangle inside the client edge
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
