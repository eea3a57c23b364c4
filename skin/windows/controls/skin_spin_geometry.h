// Geometry and faces of a skinned spin button (up-down control), apart
// from Win32: its two halves and which of its sixteen pictures each half
// shows.
#pragma once

#include <array>

#include "common/value_types.h"
#include "skin/windows/controls/skin_control_metrics.h"

// The halves, up or left first.
struct SkinSpinHalves {
    SkinRect first;   // upper half, or left half of a horizontal spin
    SkinRect second;  // lower or right half
};

// The client rectangle split across its height (across its width when
// `horizontal`), the gap between the halves centred on the middle. A
// rectangle too small for the gap gives empty halves, never inverted ones.
SkinSpinHalves SkinSpinSplit(const SkinRect& client, bool horizontal, const SkinSpinMetrics& metrics = {});

// The pictures in the description's order: left, right, top, bottom, each
// normal, over, down, disabled.
enum class SkinSpinPart : int { Left = 0, Right = 1, Top = 2, Bottom = 3 };
enum class SkinSpinFace : int { Normal = 0, Over = 1, Down = 2, Disabled = 3 };
inline constexpr int kSkinSpinPictureCount = 16;

inline int SkinSpinPictureIndex(SkinSpinPart part, SkinSpinFace face) {
    return static_cast<int>(part) * 4 + static_cast<int>(face);
}

// The face of one half: a disabled control is disabled everywhere; the
// half under the cursor is down while pressed, else over; the rest normal.
SkinSpinFace SkinSpinHalfFace(bool enabled, bool cursorInHalf, bool pressed);

// The picture a half draws: the face's own, else the half's normal
// picture; -1 when neither is there.
int SkinSpinPictureFor(SkinSpinPart part, SkinSpinFace face, const std::array<bool, kSkinSpinPictureCount>& present);
