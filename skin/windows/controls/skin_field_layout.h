// Geometry and faces of the skinned input fields with a frame of their
// own (IP address, hot key, date-time picker), apart from Win32: the client
// area inside the frame, the frame's face, the drop button, and the four
// fields of an IP address with the dots between them.
#pragma once

#include <array>

#include "common/value_types.h"
#include "skin/windows/controls/skin_bar_layout.h"
#include "skin/windows/controls/skin_bar_metrics.h"

// The client rectangle inside a frame ring of `thickness` (WM_NCCALCSIZE);
// a window too small for the ring keeps an empty client area at its middle,
// never an inverted one.
SkinRect SkinFieldClient(const SkinRect& window, int thickness);

// The frame shows its over picture while the mouse is over the field or it
// holds the keyboard focus, and only when enabled.
bool SkinFieldFrameOver(bool enabled, bool hover, bool focused);

// The drop button of a date-time picker: the right `width` pixels of the
// client area, its full height (at most the client's width).
SkinRect SkinDropButtonRect(const SkinRect& client, int width);

// The drop button's face: disabled, else down while pressed or while its
// calendar is open, else over while the mouse is on it.
SkinFace SkinDropButtonFace(bool enabled, bool hot, bool pressed, bool dropped);

// The four fields of an IP address across its client area: the margin at
// both ends, the gap between fields, the rest shared out (the first fields
// get the odd pixels); `fieldHeight` high, vertically centred. A square dot
// stands in each gap on the digits' baseline.
struct SkinIpLayout {
    std::array<SkinRect, 4> fields;
    std::array<SkinRect, 3> dots;
};
SkinIpLayout SkinIpFieldLayout(const SkinRect& client, int fieldHeight, const SkinFieldMetrics& metrics = {});
