// Geometry and faces of the skinned bars, apart from Win32: the toolbar's
// buttons (face by state, split drop-down part, icon and text), separators,
// the status bar's texts, separators and size grip, the rebar's band
// headers and border lines, and the control bar's picture by orientation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/value_types.h"
#include "common/win_constants.h"
#include "skin/windows/controls/skin_bar_metrics.h"

// ----- Shared -----

// The four faces a skinned button part shows, in the order of the theme's
// pictures (normal, over, down, disable).
enum class SkinFace : uint8_t { Normal = 0, Over = 1, Down = 2, Disabled = 3 };
inline constexpr int kSkinFaceCount = 4;

// The picture a face draws: its own, else the normal one; -1 when neither
// is there.
int SkinFacePicture(SkinFace face, const bool (&present)[kSkinFaceCount]);

// A picture of `size` centred in `area`, cut to the area.
SkinRect SkinCentredIn(const SkinRect& area, const SkinSize& size);

// A separator line: the picture's own thickness across the line, centred,
// stretched along it with `inset` left free at both ends. The line runs
// along the longer side of `item` (a narrow column in a horizontal bar).
SkinRect SkinSeparatorRect(const SkinRect& item, const SkinSize& picture, int inset);

// ----- Toolbar -----

// Which image list a button's icon comes from.
enum class SkinToolIcon : uint8_t { Normal, Hot, Disabled };

// How one toolbar button looks.
struct SkinToolButtonLook {
    bool drawn = true;       // false for hidden buttons
    bool separator = false;  // a separator, no face
    SkinFace face = SkinFace::Normal;
    bool pushed = false;  // icon and text one pixel down and right
    SkinToolIcon icon = SkinToolIcon::Normal;
};

// From the button's TBSTATE and BTNS bits, whether the mouse is over it,
// and whether the toolbar window is enabled: disabled wins, then pressed or
// checked (down), then hot or marked (over), else normal.
SkinToolButtonLook SkinToolButtonState(uint32_t state, uint32_t style, bool hot, bool toolbarEnabled);

// The face and drop-down part of a button. A BTNS_DROPDOWN button with the
// toolbar's TBSTYLE_EX_DRAWDDARROWS has a split part of its own at the right;
// a BTNS_WHOLEDROPDOWN button shows its arrow inside the face.
struct SkinToolButtonParts {
    SkinRect face;
    SkinRect arrow;  // empty without an arrow
    bool split = false;
};
SkinToolButtonParts SkinToolButtonSplit(const SkinRect& item, uint32_t style, uint32_t extendedStyle,
                                        const SkinToolbarMetrics& metrics = {});

// Where the icon and the text go on a face: beside each other for
// TBSTYLE_LIST, the text under the icon otherwise; alone, each centred. An
// empty `icon` or `text` size means there is none. Pushed buttons move by
// the metrics' push offset.
struct SkinToolContent {
    SkinRect icon;
    SkinRect text;
};
SkinToolContent SkinToolButtonContent(const SkinRect& face, const SkinSize& icon, const SkinSize& text, bool list,
                                      bool pushed, const SkinToolbarMetrics& metrics = {});

// The bar's pictures: the vertical set for CCS_VERT.
inline bool SkinBarIsVertical(uint32_t style) { return (style & kSkinCcsVert) != 0; }

// ----- Status bar -----

// A part's text split at its tabs: before the first left-aligned, between
// the first and second centred, the rest right-aligned (further tabs in
// it dropped).
struct SkinStatusTexts {
    std::wstring left, centre, right;
};
SkinStatusTexts SkinSplitStatusText(const std::wstring& text);

// What SB_GETTEXTLENGTHW answers: the length in the low word, the drawing
// type (SBT_*) in the high word.
struct SkinStatusTextInfo {
    int length = 0;
    uint32_t type = 0;
    bool OwnerDraw() const { return (type & kSkinSbtOwnerDraw) != 0; }
};
SkinStatusTextInfo SkinStatusTextLength(uintptr_t answer);

// A part's icon at its left, vertically centred, and its text beside it,
// both inside the padding. `textRight` cuts the text short (the size grip
// over the last part); INT_MAX-like values leave it alone.
struct SkinStatusPartContent {
    SkinRect icon;
    SkinRect text;
};
SkinStatusPartContent SkinStatusPartLayout(const SkinRect& part, const SkinSize& icon, int textRight,
                                           const SkinStatusMetrics& metrics = {});

// The separator picture between two neighbouring parts: centred on the gap
// between them, its own width, the parts' height. Empty when `next` does
// not follow `part` on the same row.
SkinRect SkinStatusSeparatorRect(const SkinRect& part, const SkinRect& next, const SkinSize& picture);

// The size grip: shown with SBARS_SIZEGRIP unless the parent is maximised;
// its picture's size (or the metric's square) in the bottom-right corner.
bool SkinStatusShowsGrip(uint32_t style, bool parentMaximised);
SkinRect SkinSizeGripRect(const SkinRect& client, const SkinSize& picture, const SkinStatusMetrics& metrics = {});
// The grip drawn without a picture: six square dots (2 x 2 at 96 DPI) in a
// triangle at the corner, each with room for a one-pixel light shadow below
// and right; dots that would leave the grip are left out.
std::vector<SkinRect> SkinGripDots(const SkinRect& grip, const SkinStatusMetrics& metrics = {});

// ----- Rebar -----

// One band as the rebar reports it (RB_GETRECT, the child's place, the
// header width from RB_GETBANDBORDERS), in a horizontal rebar's terms; a
// vertical rebar's bands are handed in transposed (SkinTranspose).
struct SkinRebarBandInput {
    SkinRect band;
    SkinRect child;  // empty without a child window
    int header = 0;  // the band's leading part: gripper and label
    bool gripper = false;
    bool hasText = false;
    bool chevron = false;  // the band is cut short and shows its drop part
};
struct SkinRebarBandParts {
    SkinRect gripper;
    SkinRect text;
    SkinRect chevron;
};
SkinRebarBandParts SkinRebarBandLayout(const SkinRebarBandInput& in, const SkinRebarMetrics& metrics = {});

// Whether a band shows a gripper: never with RBBS_NOGRIPPER, always with
// RBBS_GRIPPERALWAYS, otherwise when the rebar has more than one band.
bool SkinRebarShowsGripper(uint32_t bandStyle, int visibleBands);

// The etched lines between bands (RBS_BANDBORDERS): one in the gap after
// each band that another band follows on the same row, and one under each
// row that another row follows. `bands` in the rebar's order, transposed
// for a vertical rebar.
std::vector<SkinRect> SkinRebarBorderLines(const std::vector<SkinRect>& bands, const SkinRect& client,
                                           const SkinRebarMetrics& metrics = {});

// A rectangle with x and y swapped.
inline SkinRect SkinTranspose(const SkinRect& r) { return SkinRect{r.top, r.left, r.bottom, r.right}; }

// ----- Control bar -----

// The control bar draws its horizontal picture when it is wider than high.
inline bool SkinControlBarHorizontal(int width, int height) { return width > height; }
