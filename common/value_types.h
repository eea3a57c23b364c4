// The value types the skin engine and its neighbours speak in: rectangles,
// boxes, pairs, sizes, quads, colours, layouts and the colour shift. Plain
// data free of Win32, so portable code, its native tests and the Win32 layer
// use the same types; the Win32 layer converts at the system call.
#pragma once

#include <cstdint>

// A rectangle by its edges (right and bottom exclusive), as Win32 RECT.
struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const SkinRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const SkinRect& o) const { return !(*this == o); }
};

// A rectangle by origin and size, as the GDI copy calls take it.
struct SkinBox {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool operator==(const SkinBox& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator!=(const SkinBox& o) const { return !(*this == o); }
};

// Two integers: a point, an offset, or two widths, as the theme's "(1,1)".
struct SkinPair {
    int x = 0;
    int y = 0;
    bool operator==(const SkinPair& o) const { return x == o.x && y == o.y; }
};

// A width and a height.
struct SkinSize {
    int width = 0;
    int height = 0;
    bool operator==(const SkinSize& o) const { return width == o.width && height == o.height; }
};

// Four integers, one per edge: left, top, right, bottom (margins, borders).
struct SkinQuad {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SkinQuad& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// A colour 0x00BBGGRR, as COLORREF.
using SkinColor = uint32_t;

constexpr SkinColor SkinRgb(int r, int g, int b) {
    return static_cast<SkinColor>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

// Placement value of a centred control or item.
constexpr int kSkinCentered = 10000;

// Placement of a control or drawing item inside its parent. A negative left
// or top counts from the right or bottom edge; kSkinCentered centres.
struct SkinLayout {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
};

// The theme's colour shift: hue, saturation and lightness offsets applied to
// skin colours (SkinShiftColor). With all three 0 no colour changes.
struct SkinColorShift {
    int hue = 0;         // degrees, added around the colour circle
    int saturation = 0;  // percentage points, -100 to 100
    int lightness = 0;   // percentage points, -100 to 100

    bool IsNone() const { return hue == 0 && saturation == 0 && lightness == 0; }
    // All three set: only such a shift moves the colours of drawing items.
    bool IsFull() const { return hue != 0 && saturation != 0 && lightness != 0; }
};
