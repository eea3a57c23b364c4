// Pixel sizes the toolbar, rebar, status-bar and field skins use besides
// their pictures, in one place: measured at 96 dots per inch, so a display
// scale applies to all of them at once (the ...At functions below).
#pragma once

#include "skin/draw/skin_scale.h"

// Toolbar buttons.
struct SkinToolbarMetrics {
    int dropArrowWidth = 11;  // the split drop-down part, as the control's own hit test has it
    int padding = 3;          // between a button's face and its icon or text
    int iconTextGap = 2;      // between the icon and the text
    int separatorInset = 3;   // a separator line stops short of the bar's edges
    int pushOffset = 1;       // a pressed button's icon and text move down and right
};

// Rebar bands: the room the control itself leaves in a band's header and
// between bands, which it keeps at every display scale (its header is
// measured with these gaps, so scaled ones would cut the band's label).
struct SkinRebarMetrics {
    int gripperInset = 2;  // from the band's leading edge, and from its sides
    int gripperWidth = 3;
    int textGap = 4;        // around the band's label
    int chevronWidth = 14;  // the drop part of a band cut short
    int borderWidth = 2;    // the etched line between bands (one dark and one light pixel)
};

// Status bar.
struct SkinStatusMetrics {
    int textPadding = 3;  // between a part's edge and its text
    int iconGap = 2;      // between a part's icon and its text
    int gripSize = 13;    // the size grip when the theme has no picture for it
    int gripDotStep = 3;  // the grip's dots drawn without a picture: their pitch
    int gripDotSize = 2;  // and their side
};

// The frame of an IP address, hot key or date-time field.
struct SkinFieldMetrics {
    int frame = 2;      // the width of the frame ring
    int ipMargin = 1;   // inside the frame, before the first and after the last field
    int ipGap = 5;      // between two fields, where the dot stands
    int ipDot = 2;      // the dot's side
    int ipDotLift = 3;  // from the fields' bottom up to the dot's bottom (the digits' baseline)
};

// The metrics in device pixels of a window at `scale`.
inline SkinToolbarMetrics SkinToolbarMetricsAt(const SkinScale& scale) {
    SkinToolbarMetrics m;
    m.dropArrowWidth = scale.Scale(m.dropArrowWidth);
    m.padding = scale.Scale(m.padding);
    m.iconTextGap = scale.Scale(m.iconTextGap);
    m.separatorInset = scale.Scale(m.separatorInset);
    m.pushOffset = scale.Scale(m.pushOffset);
    return m;
}

inline SkinStatusMetrics SkinStatusMetricsAt(const SkinScale& scale) {
    SkinStatusMetrics m;
    m.textPadding = scale.Scale(m.textPadding);
    m.iconGap = scale.Scale(m.iconGap);
    m.gripSize = scale.Scale(m.gripSize);
    m.gripDotStep = scale.Scale(m.gripDotStep);
    m.gripDotSize = scale.Scale(m.gripDotSize);
    return m;
}

inline SkinFieldMetrics SkinFieldMetricsAt(const SkinScale& scale) {
    SkinFieldMetrics m;
    m.frame = scale.Scale(m.frame);
    m.ipMargin = scale.Scale(m.ipMargin);
    m.ipGap = scale.Scale(m.ipGap);
    m.ipDot = scale.Scale(m.ipDot);
    m.ipDotLift = scale.Scale(m.ipDotLift);
    return m;
}
