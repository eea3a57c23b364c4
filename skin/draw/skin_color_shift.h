// Applying the theme's colour shift (SkinColorShift) to a colour. With all
// three offsets 0 no colour changes; magenta, the colour key of pictures,
// never changes.
#pragma once

#include "common/value_types.h"

SkinColor SkinShiftColor(SkinColor color, const SkinColorShift& shift);
