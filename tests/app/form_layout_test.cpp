// The main window's layout at a display scale: template boxes in pixels as
// the dialog manager makes them at 96 DPI, scaled by their edges, and the
// window size that comes out as the 96-DPI window scaled once the skin has
// swapped the system's frame for its own.
#include "app/form_layout.h"

#include <gtest/gtest.h>

#include "app/installer_ids.h"

namespace {

using form_layout::BaseUnits;
using form_layout::Box;

// Wine's Tahoma at 9 points and 96 DPI: 52 letters 350 pixels wide, 14 high.
const BaseUnits kTahoma96 = form_layout::BaseUnitsOf(350, 14);

TEST(FormLayout, BaseUnitsAreTheDialogManagers) {
    EXPECT_EQ(kTahoma96.x, 7);  // (350 / 26 + 1) / 2
    EXPECT_EQ(kTahoma96.y, 14);
    EXPECT_EQ(form_layout::BaseUnitsOf(364, 16).x, 7);
    EXPECT_EQ(form_layout::BaseUnitsOf(390, 16).x, 8);
}

TEST(FormLayout, BoxesBecomeThePixelsOfThe96DpiWindow) {
    // What the installer's window shows at 96 DPI.
    EXPECT_EQ(form_layout::BoxPixels(Box{IDC_STATUS_BUTTON_BOX}, kTahoma96), (SkinRect{61, 93, 425, 132}));
    EXPECT_EQ(form_layout::BoxPixels(Box{IDC_FOOTER_TEXT_BOX}, kTahoma96), (SkinRect{12, 212, 488, 226}));
    // Position and size are rounded each by itself.
    EXPECT_EQ(form_layout::BoxPixels(Box{1, 1, 1, 1}, BaseUnits{6, 12}), (SkinRect{2, 2, 4, 4}));
}

TEST(FormLayout, PlacedBoxesAreThe96DpiPixelsScaledByTheirEdges) {
    const SkinSize status{399, 42};
    EXPECT_EQ(form_layout::PlaceBox(Box{IDC_STATUS_BUTTON_BOX}, kTahoma96, dpi::DpiScale(96), &status),
              (SkinRect{61, 93, 460, 135}));
    EXPECT_EQ(form_layout::PlaceBox(Box{IDC_STATUS_BUTTON_BOX}, kTahoma96, dpi::DpiScale(144), &status),
              (SkinRect{92, 140, 690, 203}));
    EXPECT_EQ(form_layout::PlaceBox(Box{IDC_STATUS_BUTTON_BOX}, kTahoma96, dpi::DpiScale(192), &status),
              (SkinRect{122, 186, 920, 270}));
    // 125 %: the footer's edges 12 and 488 land on 15 and 610.
    EXPECT_EQ(form_layout::PlaceBox(Box{IDC_FOOTER_TEXT_BOX}, kTahoma96, dpi::DpiScale(120)),
              (SkinRect{15, 265, 610, 283}));
}

TEST(FormLayout, WindowSizeSwapsTheSystemFrameOfTheScaleForThe96DpiOneScaled) {
    // Wine: side border 3 at every DPI, caption 19 / 28 / 38.
    const SkinSize size96{509, 253};
    EXPECT_EQ(form_layout::WindowSizeAtScale(size96, 3, 19, 3, 19, dpi::DpiScale(96)), size96);
    // At 150 % the skin then makes it 760 x 351: 507 x 234 scaled.
    const SkinSize at150 = form_layout::WindowSizeAtScale(size96, 3, 19, 3, 28, dpi::DpiScale(144));
    EXPECT_EQ(at150, (SkinSize{760, 379}));
    EXPECT_EQ(at150.width + 2 * (3 - 3), 760);  // the skin's border is 3 there too
    EXPECT_EQ(at150.height - 28, 351);
    const SkinSize at200 = form_layout::WindowSizeAtScale(size96, 3, 19, 3, 38, dpi::DpiScale(192));
    EXPECT_EQ(at200.width + 2 * (4 - 3), 1014);  // the skin's border is 4
    EXPECT_EQ(at200.height - 38, 468);
}

}  // namespace
