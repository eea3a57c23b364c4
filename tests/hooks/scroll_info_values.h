// What the scroll-arithmetic tests hand SetScrollInfo.
#pragma once

#include "skin/windows/hooks/skin_scroll_math.h"

inline SkinScrollInfoIn Info(unsigned mask, int minimum, int maximum, unsigned page, int position) {
    SkinScrollInfoIn in;
    in.mask = mask;
    in.minimum = minimum;
    in.maximum = maximum;
    in.page = page;
    in.position = position;
    return in;
}

inline constexpr unsigned kAll = kSkinSifRange | kSkinSifPage | kSkinSifPos;
