// The main window's layout at a display scale, apart from Win32.
//
// Template 106 places the controls in dialog units, which follow the
// dialog font: at another DPI the font's metrics do not grow exactly with
// the scale, so the dialog manager's own layout drifts by several pixels
// from the 96-DPI one. At a DPI other than 96 the window lays its controls
// out itself: each template box becomes pixels as the dialog manager makes
// them at 96 DPI, and those pixels are scaled by their edges.
#pragma once

#include "common/dpi_scale.h"
#include "common/value_types.h"

namespace form_layout {

// The dialog's base units: the font's average character width and its
// cell height.
struct BaseUnits {
    int x = 0;
    int y = 0;
};

// Base units as the dialog manager takes them from its font: `alphabetWidth`
// is the width of "A".."Z" "a".."z" in one run, `cellHeight` the font's
// height (tmHeight).
BaseUnits BaseUnitsOf(int alphabetWidth, int cellHeight);

// A template box in dialog units.
struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The box in pixels, as the dialog manager places it with these units.
SkinRect BoxPixels(const Box& box, const BaseUnits& units);

// The box at `scale`: its 96-DPI pixels (`units96` are the base units of the
// dialog font at 96 DPI) by scaled edges. With `size96`, that 96-DPI size
// replaces the box's own (a control the window sizes in pixels).
SkinRect PlaceBox(const Box& box, const BaseUnits& units96, const dpi::DpiScale& scale,
                  const SkinSize* size96 = nullptr);

// The size to ask for at `scale` for a window of `size96` at 96 DPI whose
// skinned frame, when it first sizes the window, swaps the system's side
// borders and caption for its own (skin_frame_geometry's first size
// adjustment). The system's frame does not grow with the scale as the
// rest does, so the request swaps the 96-DPI frame, scaled, for the frame
// of the window's DPI: the skinned window then comes out as the 96-DPI one
// scaled. `border96`/`caption96` and `border`/`caption` are the system's
// side border and caption height at 96 DPI and at the window's DPI.
SkinSize WindowSizeAtScale(const SkinSize& size96, int border96, int caption96, int border, int caption,
                           const dpi::DpiScale& scale);

}  // namespace form_layout
