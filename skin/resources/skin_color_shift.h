// The theme's colour shift: hue, saturation and lightness offsets applied to
// skin colours. With all three 0 no colour changes; magenta, the colour key
// of pictures, never changes.
#pragma once

#include "skin/resources/skin_value_parsers.h"

struct SkinColorShift {
    int hue = 0;         // degrees, added around the colour circle
    int saturation = 0;  // percentage points, -100 to 100
    int lightness = 0;   // percentage points, -100 to 100

    bool IsNone() const { return hue == 0 && saturation == 0 && lightness == 0; }
};

SkinColor SkinShiftColor(SkinColor color, const SkinColorShift& shift);
