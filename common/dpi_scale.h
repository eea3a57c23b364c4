// The arithmetic of the display scale, apart from any Win32 call.
//
// Themes, templates and fixed sizes are written for 96 DPI. A window on a
// display of D DPI shows them D/96 times as large, and every number becomes
// device pixels by one rule:
//
//   device = round(value * D / 96), halves away from zero.
//
// Edges, not sizes: a rectangle is scaled by its edges, and a row of spans
// laid edge to edge (the nine pieces of a 9-grid, items side by side) by
// the running sums of their lengths. Each scaled length is then the
// difference of two scaled edges, so the scaled pieces still meet: rounding
// each length on its own would leave a one-pixel gap or overlap wherever
// two fractions round the same way (3 spans of 5 at 125 % are 6 + 6 + 6 =
// 18, while the whole, 15, is 19).
//
// Rounding halves away from zero keeps the rule symmetric, so a position
// counted from the right or bottom edge (a negative layout value) lands as
// far from that edge as its positive twin does from the other.
#pragma once

#include <cstdint>

namespace dpi {

inline constexpr int kBaseDpi = 96;
// The range a scale is kept in: a DPI outside it (anything hostile) counts
// as its nearest end, 0 and below (a failed query) as 96. From 48 DPI up a
// positive length never scales to nothing.
inline constexpr int kMinDpi = 48;
inline constexpr int kMaxDpi = 960;

// value * numerator / denominator rounded half away from zero, computed
// without overflow and clamped to the int range. A denominator <= 0 gives
// the value unchanged.
int MulDivRound(int value, int numerator, int denominator);

// One window's scale: its DPI over 96. A value type: compare, copy, keep.
class DpiScale {
public:
    constexpr DpiScale() = default;
    explicit DpiScale(int dpi);
    static DpiScale ForDpi(int dpi) { return DpiScale(dpi); }

    int Dpi() const { return dpi_; }
    bool IsIdentity() const { return dpi_ == kBaseDpi; }
    // The scale in per cent (125 for 120 DPI), rounded.
    int Percent() const { return MulDivRound(100, dpi_, kBaseDpi); }

    // A 96-DPI number (a position, a length, a margin, a font's pixel
    // height) in device pixels.
    int Scale(int value96) const { return MulDivRound(value96, dpi_, kBaseDpi); }
    // Device pixels back to 96-DPI units, by the same rounding.
    int Unscale(int device) const { return MulDivRound(device, kBaseDpi, dpi_); }

    // Scales `count` spans that lie edge to edge from 0: out[i] is the
    // difference of the scaled running sums around span i. The outputs add
    // up to Scale(sum of inputs). `in` and `out` may be the same array.
    void ScaleSpans(const int* in96, int count, int* out) const;

    bool operator==(const DpiScale& o) const { return dpi_ == o.dpi_; }
    bool operator!=(const DpiScale& o) const { return dpi_ != o.dpi_; }

private:
    int dpi_ = kBaseDpi;
};

// The three spans of one axis of a 9-grid in a destination `length` device
// pixels long: the two margins (96-DPI values) scaled, the middle the rest.
// Margins that do not fit share the length in proportion to their sizes,
// and the middle is then empty. The three spans always add up to `length`
// (0 for a negative length); none is negative.
struct GridSpans {
    int start = 0;
    int middle = 0;
    int end = 0;
};
GridSpans ScaleGridSpans(const DpiScale& scale, int startMargin96, int endMargin96, int length);

}  // namespace dpi
