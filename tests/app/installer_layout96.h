// The installer's window at 96 DPI, as installer_window_test sees it there:
// what the tests at other DPIs expect scaled. Written out, not computed.
#pragma once

#include <cmath>
#include <cstdlib>

#include "app/installer_ids.h"

namespace layout96 {

// 507 x 234 with a 2-pixel skinned border.
constexpr int kWindowWidth = 507, kWindowHeight = 234, kBorder = 2;

// Each control in client coordinates.
struct Placed {
    int id;
    int left, top, width, height;
    bool fromRight;  // left counts from the client area's right edge
};
constexpr Placed kControls[] = {
    {IDC_STATUS_BUTTON, 61, 93, 399, 42, false}, {IDC_CLOSE_BUTTON, 40, 0, 40, 23, true},
    {IDC_MINIMISE_BUTTON, 77, 0, 37, 23, true},  {IDC_FOOTER_TEXT, 12, 212, 476, 14, false},
    {IDC_FORUM_LINK, 289, 7, 61, 14, false},     {IDC_HOME_LINK, 234, 7, 49, 14, false},
};
// Links fit their text in the font of the DPI, whose size need not grow
// exactly with the scale: their sizes get a little more room.
inline bool IsLink(int id) { return id == IDC_FORUM_LINK || id == IDC_HOME_LINK; }

// The title band of the background (the links sit on it), and the corner
// blocks of the background picture.
constexpr int kBand = 25, kCornerBlock = 15;

// A 96-DPI number at `dpi`.
inline int Scaled(double value, int dpi) { return static_cast<int>(std::lround(value * dpi / 96.0)); }

// The DPI a test runs at (TOVANE_TEST_DPI), 96 without one.
inline int TestDpi() {
    const char* dpi = std::getenv("TOVANE_TEST_DPI");
    return dpi && std::atoi(dpi) > 0 ? std::atoi(dpi) : 96;
}

}  // namespace layout96
