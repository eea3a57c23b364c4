// Geometry and faces of a skinned tab control, apart from Win32: which side
// the tabs stand on, the face rectangle and picture of each tab, where its
// icon and (for vertical tabs, rotated) text go, the page border, and the
// place of the scroll arrows of a single row that does not fit.
#pragma once

#include <array>
#include <cstdint>

#include "common/value_types.h"
#include "common/win_constants.h"
#include "skin/windows/controls/skin_control_metrics.h"

// In the description's order of the item pictures.
enum class SkinTabSide : int { Top = 0, Bottom = 1, Left = 2, Right = 3 };
enum class SkinTabFace : int { Normal = 0, Over = 1, Checked = 2 };
inline constexpr int kSkinTabPictureCount = 12;

SkinTabSide SkinTabSideOf(uint32_t style);
inline bool SkinTabIsVertical(SkinTabSide side) { return side == SkinTabSide::Left || side == SkinTabSide::Right; }

// The selected tab is checked whatever the mouse does; the tab under the
// mouse is over.
SkinTabFace SkinTabFaceOf(bool selected, bool hot);

inline int SkinTabPictureIndex(SkinTabSide side, SkinTabFace face) {
    return static_cast<int>(side) * 3 + static_cast<int>(face);
}
// The face's picture for the side, else the side's normal picture; -1
// without either.
int SkinTabPictureFor(SkinTabSide side, SkinTabFace face, const std::array<bool, kSkinTabPictureCount>& present);

// Where a tab's face is drawn: the item rectangle the control reports; the
// selected tab grows on both sides, away from the page and over the page's
// border line. Kept inside the client.
SkinRect SkinTabFaceRect(const SkinRect& item, SkinTabSide side, bool selected, const SkinRect& client,
                         const SkinTabMetrics& metrics = {});

// The inside of a tab: its icon (when `iconW` > 0) and text laid out
// together, centred in the face; vertical tabs stack them along the tab.
// For vertical tabs the text is drawn rotated from `textOrigin`: reading
// upwards (90 degrees) on the left side, downwards (270) on the right.
struct SkinTabContent {
    SkinRect icon;        // empty without an icon
    SkinRect text;        // the text's box on screen
    SkinPair textOrigin;  // where a rotated text starts (its top-left corner before turning)
    int escapement = 0;   // tenths of a degree: 0, 900 or 2700
};
SkinTabContent SkinTabContentLayout(const SkinRect& face, SkinTabSide side, int iconW, int iconH, int textW, int textH,
                                    const SkinTabMetrics& metrics = {});

// The page border: the client less the band the tabs take on their side.
// `band` is the union of the item rectangles (empty without tabs).
SkinRect SkinTabBorderRect(const SkinRect& client, const SkinRect& band, SkinTabSide side);
// Whether the border is drawn at all (it needs some height).
inline bool SkinTabBorderShown(const SkinRect& border, const SkinTabMetrics& metrics = {}) {
    return border.Width() > 0 && border.Height() >= metrics.minBorderHeight;
}

// The scroll arrows of a single row of horizontal tabs: at the row's right
// end, as high as the row, `width` wide (their own width, at most the
// client's).
SkinRect SkinTabSpinRect(const SkinRect& client, const SkinRect& row, int width);

// The focus rectangle inside the selected tab's face.
SkinRect SkinTabFocusRect(const SkinRect& face, const SkinTabMetrics& metrics = {});
