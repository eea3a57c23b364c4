#include "app/form_layout.h"

namespace form_layout {

BaseUnits BaseUnitsOf(int alphabetWidth, int cellHeight) {
    // Twice the average of the 52 letters, halved rounding up.
    return BaseUnits{(alphabetWidth / 26 + 1) / 2, cellHeight};
}

SkinRect BoxPixels(const Box& box, const BaseUnits& units) {
    // Position and size each by itself, as the dialog manager does.
    const int x = dpi::MulDivRound(box.x, units.x, 4), y = dpi::MulDivRound(box.y, units.y, 8);
    return SkinRect{x, y, x + dpi::MulDivRound(box.width, units.x, 4), y + dpi::MulDivRound(box.height, units.y, 8)};
}

SkinRect PlaceBox(const Box& box, const BaseUnits& units96, const dpi::DpiScale& scale, const SkinSize* size96) {
    SkinRect at96 = BoxPixels(box, units96);
    if (size96) {
        at96.right = at96.left + size96->width;
        at96.bottom = at96.top + size96->height;
    }
    return SkinRect{scale.Scale(at96.left), scale.Scale(at96.top), scale.Scale(at96.right), scale.Scale(at96.bottom)};
}

SkinSize WindowSizeAtScale(const SkinSize& size96, int border96, int caption96, int border, int caption,
                           const dpi::DpiScale& scale) {
    return SkinSize{scale.Scale(size96.width) + 2 * (border - scale.Scale(border96)),
                    scale.Scale(size96.height) + caption - scale.Scale(caption96)};
}

}  // namespace form_layout
