#include "skin/windows/controls/skin_slider_geometry.h"

#include <algorithm>

namespace {

SkinRect Transpose(const SkinRect& r) { return SkinRect{r.top, r.left, r.bottom, r.right}; }

SkinRect Intersect(const SkinRect& a, const SkinRect& b) {
    SkinRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? SkinRect{} : r;
}

}  // namespace

SkinRect SkinSliderChannel(const SkinRect& reported, bool vertical) {
    if (vertical && reported.Width() > reported.Height()) return Transpose(reported);
    return reported;
}

SkinRect SkinSliderChannelRect(const SkinRect& channel, int thickness, bool vertical, const SkinRect& client) {
    if (channel.IsEmpty()) return SkinRect{};
    SkinRect rect = channel;
    if (thickness > 0) {
        if (vertical) {
            int middle = channel.left + channel.Width() / 2;
            rect.left = middle - thickness / 2;
            rect.right = rect.left + thickness;
        } else {
            int middle = channel.top + channel.Height() / 2;
            rect.top = middle - thickness / 2;
            rect.bottom = rect.top + thickness;
        }
    }
    return Intersect(rect, client);
}

SkinRect SkinSliderActiveRect(const SkinRect& channelRect, const SkinRect& thumb, bool vertical) {
    if (channelRect.IsEmpty() || thumb.IsEmpty()) return SkinRect{};
    SkinRect active = channelRect;
    if (vertical)
        active.bottom = std::clamp(thumb.top + thumb.Height() / 2, channelRect.top, channelRect.bottom);
    else
        active.right = std::clamp(thumb.left + thumb.Width() / 2, channelRect.left, channelRect.right);
    return active.IsEmpty() ? SkinRect{} : active;
}

SkinRect SkinSliderSelectionRect(const SkinRect& channelRect, int startPixel, int endPixel, bool vertical) {
    if (channelRect.IsEmpty()) return SkinRect{};
    int low = std::min(startPixel, endPixel), high = std::max(startPixel, endPixel);
    SkinRect selection = channelRect;
    if (vertical) {
        selection.top = std::clamp(low, channelRect.top, channelRect.bottom);
        selection.bottom = std::clamp(high, channelRect.top, channelRect.bottom);
    } else {
        selection.left = std::clamp(low, channelRect.left, channelRect.right);
        selection.right = std::clamp(high, channelRect.left, channelRect.right);
    }
    return selection.IsEmpty() ? SkinRect{} : selection;
}

SkinRect SkinSliderThumbRect(const SkinRect& thumb, int pictureW, int pictureH, bool ownSize) {
    if (!ownSize || pictureW <= 0 || pictureH <= 0) return thumb;
    int x = thumb.left + (thumb.Width() - pictureW) / 2;
    int y = thumb.top + (thumb.Height() - pictureH) / 2;
    return SkinRect{x, y, x + pictureW, y + pictureH};
}

int SkinSliderPixelOf(const SkinRect& channel, int thumbLength, int minimum, int maximum, int position, bool vertical) {
    int start = vertical ? channel.top : channel.left;
    int length = vertical ? channel.Height() : channel.Width();
    int travel = std::max(0, length - std::max(0, thumbLength));
    double share = 0.0;
    if (maximum > minimum) {
        share = (static_cast<double>(position) - minimum) / (static_cast<double>(maximum) - minimum);
        share = std::clamp(share, 0.0, 1.0);
    }
    // The thumb's near edge is truncated to a whole pixel, its middle half
    // a thumb further on.
    return start + static_cast<int>(travel * share) + std::max(0, thumbLength) / 2;
}

std::vector<SkinRect> SkinSliderTicks(uint32_t style, const std::vector<int>& pixels, const SkinRect& thumb,
                                      const SkinRect& client, const SkinSliderMetrics& metrics) {
    std::vector<SkinRect> ticks;
    if ((style & kSkinTbsNoTicks) || thumb.IsEmpty()) return ticks;
    bool vertical = (style & kSkinTbsVert) != 0;
    bool before = (style & (kSkinTbsTop | kSkinTbsBoth)) != 0;
    bool after = (style & kSkinTbsBoth) != 0 || (style & kSkinTbsTop) == 0;
    int length = std::max(0, metrics.tickLength);
    int gap = std::max(0, metrics.tickGap);
    int width = std::max(1, metrics.tickWidth);
    // Across the channel: the two bands the ticks may take.
    int nearEdge = vertical ? thumb.left : thumb.top;
    int farEdge = vertical ? thumb.right : thumb.bottom;
    for (int p : pixels) {
        for (int side = 0; side < 2; ++side) {
            if ((side == 0 && !before) || (side == 1 && !after)) continue;
            int from = side == 0 ? nearEdge - gap - length : farEdge + gap;
            // A wider tick stays centred on its pixel.
            int at = p - (width - 1) / 2;
            SkinRect tick = vertical ? SkinRect{from, at, from + length, at + width}
                                     : SkinRect{at, from, at + width, from + length};
            tick = Intersect(tick, client);
            if (!tick.IsEmpty()) ticks.push_back(tick);
        }
    }
    return ticks;
}

SkinSliderFace SkinSliderThumbFace(bool enabled, bool dragging, bool cursorOnThumb, bool focused) {
    if (!enabled) return SkinSliderFace::Disabled;
    if (dragging) return SkinSliderFace::Down;
    if (cursorOnThumb) return SkinSliderFace::Over;
    return focused ? SkinSliderFace::Focus : SkinSliderFace::Normal;
}

int SkinSliderPictureFor(SkinSliderFace face, const std::array<bool, kSkinSliderFaceCount>& present) {
    auto own = static_cast<size_t>(face);
    if (present[own]) return static_cast<int>(own);
    return present[0] ? 0 : -1;
}
