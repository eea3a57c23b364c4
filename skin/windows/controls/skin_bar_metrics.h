// Pixel sizes the toolbar, rebar, status-bar and field skins use besides
// their pictures, in one place: measured at 96 dots per inch, so a display
// scale applies to all of them at once.
#pragma once

// Toolbar buttons.
struct SkinToolbarMetrics {
    int dropArrowWidth = 11;  // the split drop-down part, as the control's own hit test has it
    int padding = 3;          // between a button's face and its icon or text
    int iconTextGap = 2;      // between the icon and the text
    int separatorInset = 3;   // a separator line stops short of the bar's edges
};

// Rebar bands.
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
};

// The frame of an IP address, hot key or date-time field.
struct SkinFieldMetrics {
    int frame = 2;      // the width of the frame ring
    int ipMargin = 1;   // inside the frame, before the first and after the last field
    int ipGap = 5;      // between two fields, where the dot stands
    int ipDot = 2;      // the dot's side
    int ipDotLift = 3;  // from the fields' bottom up to the dot's bottom (the digits' baseline)
};
