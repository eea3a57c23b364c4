// Geometry and faces of a skinned slider (trackbar), apart from Win32: the
// channel and its filled part, the thumb picture's place, the tick marks,
// and the face the thumb shows. The control itself decides where its
// channel and thumb are (and so where clicks land); the skin draws there.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/value_types.h"
#include "common/win_constants.h"
#include "skin/windows/controls/skin_control_metrics.h"

// The channel rectangle the control reports, in the slider's orientation
// (some versions report a vertical slider's channel as if it were
// horizontal: that one is turned back).
SkinRect SkinSliderChannel(const SkinRect& reported, bool vertical);

// Where the channel picture goes: along the channel, `thickness` across
// (the picture's own; 0 keeps the channel's), centred on the channel's
// middle line and kept inside the client.
SkinRect SkinSliderChannelRect(const SkinRect& channel, int thickness, bool vertical, const SkinRect& client);

// The filled part of the channel: from its start (left, or top) to the
// middle of the thumb. Empty when the thumb sits at the start.
SkinRect SkinSliderActiveRect(const SkinRect& channelRect, const SkinRect& thumb, bool vertical);

// The filled part of a slider with a selection range (TBS_ENABLESELRANGE):
// the channel between the pixels of the selection's two ends, in either
// order, kept inside the channel. Empty for an empty selection.
SkinRect SkinSliderSelectionRect(const SkinRect& channelRect, int startPixel, int endPixel, bool vertical);

// Where the thumb picture goes: at the picture's own size centred on the
// control's thumb (`ownSize`), else the thumb itself.
SkinRect SkinSliderThumbRect(const SkinRect& thumb, int pictureW, int pictureH, bool ownSize);

// The pixel along the channel of a logical position: where the thumb's
// middle stands at that position, as the control places it.
int SkinSliderPixelOf(const SkinRect& channel, int thumbLength, int minimum, int maximum, int position, bool vertical);

// Tick marks beside the thumb at the given pixels along the channel, as
// rectangles `tickWidth` wide: below (right of) the thumb, above (left of)
// it with TBS_TOP, on both sides with TBS_BOTH, none with TBS_NOTICKS.
std::vector<SkinRect> SkinSliderTicks(uint32_t style, const std::vector<int>& pixels, const SkinRect& thumb,
                                      const SkinRect& client, const SkinSliderMetrics& metrics = {});

// The thumb's faces in the description's order.
enum class SkinSliderFace : int { Normal = 0, Over = 1, Down = 2, Disabled = 3, Focus = 4 };
inline constexpr int kSkinSliderFaceCount = 5;

// Disabled wins, then a drag (down), then the mouse on the thumb (over),
// then the keyboard focus.
SkinSliderFace SkinSliderThumbFace(bool enabled, bool dragging, bool cursorOnThumb, bool focused);

// The face's picture, else the normal one; -1 without either.
int SkinSliderPictureFor(SkinSliderFace face, const std::array<bool, kSkinSliderFaceCount>& present);
