#include "skin/draw/skin_color_shift.h"

#include <algorithm>
#include <cmath>

namespace {

double HueToChannel(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 1.0 / 2) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

int ToByte(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

}  // namespace

SkinColor SkinShiftColor(SkinColor color, const SkinColorShift& shift) {
    if (shift.IsNone() || color == SkinRgb(255, 0, 255)) return color;
    double r = (color & 0xFF) / 255.0, g = (color >> 8 & 0xFF) / 255.0, b = (color >> 16 & 0xFF) / 255.0;
    double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    double h = 0, s = 0, l = (hi + lo) / 2;
    if (hi > lo) {
        double d = hi - lo;
        s = l > 0.5 ? d / (2 - hi - lo) : d / (hi + lo);
        if (hi == r)
            h = (g - b) / d + (g < b ? 6 : 0);
        else if (hi == g)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
    }
    h = std::fmod(h + (shift.hue % 360) / 360.0 + 1.0, 1.0);
    s = std::clamp(s + std::clamp(shift.saturation, -100, 100) / 100.0, 0.0, 1.0);
    l = std::clamp(l + std::clamp(shift.lightness, -100, 100) / 100.0, 0.0, 1.0);
    if (s == 0) return SkinRgb(ToByte(l), ToByte(l), ToByte(l));
    double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    double p = 2 * l - q;
    return SkinRgb(ToByte(HueToChannel(p, q, h + 1.0 / 3)), ToByte(HueToChannel(p, q, h)),
                   ToByte(HueToChannel(p, q, h - 1.0 / 3)));
}
